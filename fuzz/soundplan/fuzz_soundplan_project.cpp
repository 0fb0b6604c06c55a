// Feeds arbitrary bytes as one SoundPLAN project file through the first stage
// of the conversion (the intermediate files). The first byte chooses the kind
// of file (road, absorbing barrier, reflecting object, receiver), the rest is
// the file. A conversion may fail with a ConversionError; anything else (a
// crash, a sanitizer report, another exception) is a fault.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "job/job_details.h"
#include "soundplan/soundplan_lib.h"

namespace {

namespace fs = std::filesystem;

// Job details held in memory; events and messages go nowhere.
class FuzzJob : public kalvor::JobDetails {
 public:
  explicit FuzzJob(const std::string& input) {
    texts_[std::string(kalvor::control::InputPath)] = input;
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
  float progress() const override { return 0; }
  void set_progress(float) override {}
  void refresh() override {}
  void process_events() override {}
  kalvor::MessageResult message_box(const std::string&, kalvor::MessageIcon, kalvor::MessageButtons,
                                    const std::string&) override {
    return kalvor::MessageResult::Ok;
  }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

const fs::path& work_dir() {
  static const fs::path dir = [] {
    fs::path d = fs::temp_directory_path() / ("kalvor-fuzz-sp-" + std::to_string(getpid()));
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kinds[] = {"STRA.001", "BEUG.001", "REFL.001", "IMIS.001"};
  for (const char* kind : kinds) fs::remove(work_dir() / kind);
  {
    std::ofstream out(work_dir() / kinds[data[0] % 4], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  static kalvor::SoundPlan_Lib converter;  // reused, as the window reuses it
  FuzzJob job((work_dir() / "chosen.sp").string());
  try {
    converter.Write_SP2HFA_Files(job);
  } catch (const kalvor::ConversionError&) {
    // A clear failure is a fine outcome for damaged input.
  }
  return 0;
}
