// Feeds arbitrary bytes as an HFCNoise input file through a whole conversion.
// A conversion may fail with a ConversionError; anything else (a crash, a
// sanitizer report, another exception) is a fault.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "hfc/hfc_lib.h"
#include "job/job_details.h"
#include "quillan/varnik.h"

namespace {

namespace fs = std::filesystem;

// Job details held in memory; events, messages and progress go nowhere.
class FuzzJob : public kalvor::JobDetails {
 public:
  FuzzJob(const std::string& input, const std::string& output) {
    texts_[std::string(kalvor::control::InputPath)] = input;
    texts_[std::string(kalvor::control::OutputPath)] = output;
    texts_[std::string(kalvor::control::DialogFileName)] = input;
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
    fs::path d = fs::temp_directory_path() / ("kalvor-fuzz-hfc-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path input = work_dir() / "input.txt";
  const fs::path output = work_dir() / "report.txt";
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  static kalvor::HFC_Lib converter;  // reused, as the window reuses it
  FuzzJob job(input.string(), output.string());
  try {
    converter.Convert_From_HFCNoise(job);
  } catch (const kalvor::ConversionError&) {
    // The convert command closes what a failed conversion left open.
    quillan::Varnik().close_ALL_file_handler();
  }
  return 0;
}
