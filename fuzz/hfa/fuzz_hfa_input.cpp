// Feeds arbitrary bytes through a whole HFANoise conversion. The bytes up to
// a line "====" are the HFANoise input file, the bytes after it (when there is
// such a line) the layout-barrier file. A conversion may fail with a
// ConversionError; anything else (a crash, a hang, a sanitizer report, another
// exception) is a fault.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

#include "hfa/hfa_lib.h"
#include "job/job_details.h"
#include "quillan/varnik.h"

namespace {

namespace fs = std::filesystem;

// Job details held in memory; events, messages and progress go nowhere.
class FuzzJob : public kalvor::JobDetails {
 public:
  FuzzJob(const std::string& input, const std::string& output, const std::string& layout_barriers) {
    texts_[std::string(kalvor::control::InputPath)] = input;
    texts_[std::string(kalvor::control::OutputPath)] = output;
    texts_[std::string(kalvor::control::DialogFileName)] = input;
    texts_[std::string(kalvor::control::LayoutBarrierFile)] = layout_barriers;
    texts_[std::string(kalvor::control::Consultant)] = "Consultant";
    texts_[std::string(kalvor::control::Phone)] = "1";
    texts_[std::string(kalvor::control::Fax)] = "2";
    texts_[std::string(kalvor::control::Email)] = "e@x";
    texts_[std::string(kalvor::control::Coordinate)] = "HK1980 Grid";
    texts_[std::string(kalvor::control::YearTrafficFlow)] = "2031";
  }
  std::string text(std::string_view control) const override {
    auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
  }
  void set_text(std::string_view control, const std::string& value) override {
    texts_[std::string(control)] = value;
  }
  int check_value(std::string_view) const override { return 0; }
  void set_check_value(std::string_view, int) override {}
  bool enabled(std::string_view) const override { return true; }
  void set_enabled(std::string_view, bool) override {}
  float progress() const override { return progress_; }
  void set_progress(float value) override {
    if (!(value >= 0 && value <= 100)) __builtin_trap();  // the bar must stay in range
    progress_ = value;
  }
  void refresh() override {}
  void process_events() override {}
  kalvor::MessageResult message_box(const std::string&, kalvor::MessageIcon, kalvor::MessageButtons,
                                    const std::string&) override {
    return kalvor::MessageResult::Ok;
  }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
  float progress_ = 0;
};

const fs::path& work_dir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("kalvor-fuzz-hfa-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

void write(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Removes what the conversion left: the report, and after a failure its
// temporary and piece files.
void clean(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) fs::remove(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const fs::path dir = work_dir();
  const fs::path input = dir / "input.txt";
  std::string layout_barriers;
  const std::size_t mark = bytes.find("\n====\n");
  write(input, bytes.substr(0, mark));
  if (mark != std::string_view::npos) {
    layout_barriers = (dir / "laybarr.txt").string();
    write(layout_barriers, bytes.substr(mark + 6));
  }
  static kalvor::HFA_Lib converter;  // reused, as the window reuses it
  FuzzJob job(input.string(), (dir / "report.txt").string(), layout_barriers);
  try {
    converter.Convert_From_HFANoise(job);
  } catch (const kalvor::ConversionError&) {
    // The convert command closes what a failed conversion left open.
    quillan::Varnik().close_ALL_file_handler();
  }
  clean(dir);
  return 0;
}
