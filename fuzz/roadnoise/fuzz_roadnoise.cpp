// Converts a small RoadNoise project in which one file holds the fuzz input:
// the first byte picks the file (master or one of the companions), the rest
// is its content. Bad input must end in a ConversionError, never a crash.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "job/job_details.h"
#include "quillan/varnik.h"
#include "roadnoise/roadnoise_lib.h"

namespace {

namespace fs = std::filesystem;
using kalvor::JobDetails;

class FuzzJob : public JobDetails {
 public:
  std::string text(std::string_view control) const override {
    auto it = texts.find(std::string(control));
    return it == texts.end() ? std::string() : it->second;
  }
  void set_text(std::string_view control, const std::string& value) override {
    texts[std::string(control)] = value;
  }
  int check_value(std::string_view) const override { return 0; }
  void set_check_value(std::string_view, int) override {}
  bool enabled(std::string_view) const override { return true; }
  void set_enabled(std::string_view, bool) override {}
  float progress() const override { return progress_; }
  void set_progress(float value) override { progress_ = value; }
  void refresh() override {}
  void process_events() override {}
  kalvor::MessageResult message_box(const std::string&, kalvor::MessageIcon, kalvor::MessageButtons,
                                    const std::string&) override {
    return kalvor::MessageResult::Ok;
  }

  std::map<std::string, std::string> texts;

 private:
  float progress_ = 0;
};

struct ProjectFile {
  const char* name;
  const char* content;
};

// A small valid project; one of its files is replaced by the fuzz input.
const std::array<ProjectFile, 10> kProject{{
    {"P.MAS",
     "RoadNoise\r\nTitle\r\nCOA 10\r\nP.FLO\r\nP.SEG\r\nP.BAR\r\nP.HSE\r\nP.CON\r\n"
     "P.PRO\r\nP.GND\r\nP.BND\r\nP.REC\r\nREAD\r\n"},
    {"P.FLO", "FNO 1       FLO -1200   PHV 10      SPD 50\r\n"},
    {"P.SEG",
     "TEXT\r\nRoad\r\nRSX 1.0     RSY 2.0     UFN 1       REX 3.0     REY 4.0\r\nSEND\r\n"},
    {"P.BAR",
     "TEXT\r\nWall\r\nBSX 1.0     BSY 2.0     HBS 3.0\r\nBEX 4.0     BEY 5.0     "
     "HBE 3.0\r\n"},
    {"P.HSE", "TEXT\r\nHouse\r\nNBA\r\nBSX 1.0     BEX 2.0\r\nNBA\r\n"},
    {"P.CON", "TEXT\r\nKerb\r\nCSX 1.0     HLA 5\r\nCEX 2.0\r\n"},
    {"P.PRO", "TEXT\r\nProfile\r\nCSX 1.0     CEX 2.0\r\n"},
    {"P.GND", "TEXT\r\nField\r\nCSX 1.0     CEX 2.0     GND 1\r\n"},
    {"P.BND", "TEXT\r\nEdge\r\nCSX 1.0     CEX 2.0\r\n"},
    {"P.REC", "TEXT\r\nHouse\r\nOPX 1.0     OPY 2.0     RPT 2       HPF 3\r\nRETN\r\n"},
}};

const fs::path& work_folder() {
  static const fs::path folder = [] {
    fs::path p = fs::temp_directory_path() / ("kalvor_fuzz_roadnoise_" + std::to_string(getpid()));
    fs::create_directories(p);
    return p;
  }();
  return folder;
}

void write(const fs::path& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fs::path& folder = work_folder();
  const std::size_t fuzzed = data[0] % kProject.size();
  for (std::size_t i = 0; i < kProject.size(); ++i) {
    const fs::path path = folder / kProject[i].name;
    if (i == fuzzed) {
      write(path, reinterpret_cast<const char*>(data + 1), size - 1);
    } else {
      const std::string content = kProject[i].content;
      write(path, content.data(), content.size());
    }
  }
  FuzzJob job;
  job.texts[std::string(kalvor::control::InputPath)] = (folder / "P.MAS").string();
  job.texts[std::string(kalvor::control::OutputPath)] = (folder / "report.txt").string();
  job.texts[std::string(kalvor::control::DialogFileName)] = (folder / "P.MAS").string();
  kalvor::RoadNoise_Lib converter;
  try {
    converter.Convert_From_RoadNoise(job);
  } catch (const kalvor::ConversionError&) {
    // Bad input is reported, as it should be.
  }
  quillan::Varnik().close_ALL_file_handler();
  return 0;
}
