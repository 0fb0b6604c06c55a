#include "soundplan/soundplan_lib.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "hfa/hfa_lib.h"
#include "intermediate_lines.h"
#include "job/active_run.h"
#include "platform/files.h"
#include "platform/scratch_folder.h"
#include "project_file.h"
#include "quillan/text.h"
#include "reading/channels.h"
#include "reading/input_file.h"
#include "reading/record_loop.h"
#include "soundplan_run.h"

namespace kalvor {

namespace {

// Channels of the temporary files and of the intermediate input file.
constexpr int kIntermediateChannel = 2;
constexpr int kLinkChannel = 3;
constexpr int kNodeChannel = 4;
constexpr int kLayoutChannel = 5;
constexpr int kLayoutBarrierChannel = 6;

constexpr const char* kStatus = "Processing... (SoundPlan)";

constexpr const char* kIntermediateInputName = "SP2HFA.txt";
constexpr const char* kIntermediateLayoutBarrierName = "SP2HFA_laybarr.txt";

// The files the project is gathered in before the intermediate files are
// written; they live in the same private folder.
struct TemporaryFiles {
  explicit TemporaryFiles(const std::string& folder)
      : links(folder + "/temp_hfa_link"),
        nodes(folder + "/temp_hfa_node"),
        layouts(folder + "/temp_hfa_layout"),
        layout_barriers(folder + "/temp_hfa_laybarr_data") {}
  void remove() const {
    for (const auto* path : {&links, &nodes, &layouts, &layout_barriers}) {
      platform::delete_file(*path);
    }
  }
  std::string links, nodes, layouts, layout_barriers;
};

// The number of a file named "kind.001" to "kind.999", else 0.
int number_of(const std::string& name, const std::string& kind) {
  if (name.size() != kind.size() + 4 || !name.starts_with(kind) || name[kind.size()] != '.')
    return 0;
  int number = 0;
  for (char digit : name.substr(kind.size() + 1)) {
    if (digit < '0' || digit > '9') return 0;
    number = number * 10 + (digit - '0');
  }
  return number;
}

// The files "kind.001" to "kind.999" of the folder, in the order of their
// numbers. The folder is listed once: looking up all 999 names one by one
// costs thousands of file system calls per kind.
std::vector<std::string> numbered_files(const std::string& folder, const std::string& kind) {
  std::map<int, std::string> by_number;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    const int number = number_of(name, kind);
    const std::string path = folder + "/" + name;
    if (number > 0 && platform::file_exists(path)) by_number[number] = path;
  }
  std::vector<std::string> paths;
  for (const auto& [number, path] : by_number) paths.push_back(path);
  return paths;
}

// The text in front of the first "/", else in front of the first "\", else
// the whole text: the parameter text was read without its closing zero byte,
// so a last field with no separator after it ("/V45") is whole.
std::string first_parameter_field(const std::string& rest) {
  for (char separator : {'/', '\\'}) {
    auto at = rest.find(separator);
    if (at != std::string::npos) return rest.substr(0, at);
  }
  return rest;
}

const char* const kLinkHeadings[] = {
    "                       Layout                      Ground_Cover  Barrier  "
    "Building_Data_Attributes  View   Infront",
    " Link  A-Node  B-Node  Number  Description  Incl.   Left  Right   Angle    Opening  Length  "
    "Width    Set  of Facade  Text_Label",
    " ----  ------  ------  ------  -----------  ----    ----  -----  -------   -------  ------  "
    "-----   ----  ---------  ----------"};
const char* const kNodeHeadings[] = {" Node  X-Coordinate  Y-Coordinate  Z-Height  H-Height",
                                     " ----  ------------  ------------  --------  --------"};
const char* const kLayoutHeadings[] = {
    "                                   Texture   Surface                           Central   Road",
    "  Layout      Flow   Speed  %Heavy   Depth     Type    Elevated  OneWay  A->B  Reserve  "
    "Width  Category",
    "  ------  ---------  -----  ------  ------   -------   --------  ------  ----  -------  "
    "-----  --------"};
const char* const kLayoutBarrierHeadings[] = {
    " Layout    Lpd      Lbh      Lba      Rpd      Rbh      Rpa      Lpd2     Lbh2     Rpd2     "
    "Rbh2    NumSeg",
    " ------  -------  -------  -------  -------  -------  -------  -------  -------  -------  "
    "-------  -------"};

}  // namespace

SoundPlan_Lib::SoundPlan_Lib() = default;
SoundPlan_Lib::~SoundPlan_Lib() = default;

void SoundPlan_Lib::open_file_handler(const quillan::Value& absolute_path,
                                      const quillan::Value& io_type,
                                      const quillan::Value& file_handler, bool IsBinary) {
  lib_.open_file_handler(absolute_path, io_type, file_handler, IsBinary);
}

void SoundPlan_Lib::close_file_handler(const quillan::Value& IFileNo) {
  lib_.close_file_handler(IFileNo);
}

std::string SoundPlan_Lib::GetRoadPara(const std::string& IStr, const std::string& IndexStr,
                                       int GetPos, bool& ReturnFlag) {
  ReturnFlag = false;
  std::string result;
  const auto at = IStr.find(IndexStr);
  if (at != std::string::npos) {
    std::string rest = IStr.substr(at + IndexStr.size());
    for (int i = 1; i < GetPos; ++i) {
      const auto slash = rest.find('/');
      if (slash != std::string::npos) rest.erase(0, slash + 1);
    }
    result = first_parameter_field(rest);
    ReturnFlag = true;
  }
  return result;
}

void SoundPlan_Lib::translate_records(soundplan::ProjectFile& file,
                                      const std::function<void(const soundplan::Record&)>& handle) {
  const auto translate_next = [&] {
    const auto record = file.next_record();
    if (!record) return false;
    try {
      handle(*record);
    } catch (const soundplan::ShortRecord&) {
      throw ConversionError(file.describe(*record) +
                            ": the record is shorter than the fields of its type");
    } catch (const ConversionError& e) {
      throw ConversionError(file.describe(*record) + ": " + e.what());
    }
    return true;
  };
  reading::for_each_record(run_->job, translate_next, [](long) {});
  if (file.damaged()) throw ConversionError(file.describe_damage());
}

void SoundPlan_Lib::translate_numbered_files(
    const std::string& folder, const std::string& kind,
    const std::function<void(soundplan::ProjectFile&)>& translate) {
  run_->job.set_status("Processing... (SoundPlan - " + kind + ".*)");
  for (const std::string& path : numbered_files(folder, kind)) {
    run_->job.process_events();
    auto file = soundplan::ProjectFile::load(path);
    translate(file);
  }
}

void SoundPlan_Lib::translate_project(const std::string& project, const std::string& folder,
                                      Counters& n) {
  const TemporaryFiles temporary(folder);
  lib_.open_file_handler(temporary.links, 1, kLinkChannel, false);
  lib_.open_file_handler(temporary.nodes, 1, kNodeChannel, false);
  lib_.open_file_handler(temporary.layouts, 1, kLayoutChannel, false);
  lib_.open_file_handler(temporary.layout_barriers, 1, kLayoutBarrierChannel, false);
  translate_numbered_files(project, "STRA", [&](soundplan::ProjectFile& file) {
    SP2HFA_Road(file, kLinkChannel, kNodeChannel, kLayoutChannel, kLayoutBarrierChannel, n.links,
                n.nodes, n.layouts);
  });
  for (const char* kind : {"BEUG", "REFL"}) {
    translate_numbered_files(project, kind, [&](soundplan::ProjectFile& file) {
      SP2HFA_Barrier(file, kLinkChannel, kNodeChannel, n.links, n.nodes, kind);
    });
  }
  translate_numbered_files(project, "IMIS", [&](soundplan::ProjectFile& file) {
    SP2HFA_Receiver(file, kLinkChannel, kNodeChannel, n.links, n.nodes);
  });
  for (int channel : {kLinkChannel, kNodeChannel, kLayoutChannel, kLayoutBarrierChannel}) {
    lib_.close_file_handler(channel);
  }
}

void SoundPlan_Lib::copy_lines(const std::string& path, int channel, int output_channel) {
  lib_.open_file_handler(path, 0, channel, false);
  while (!lib_.CheckEOF(channel)) {
    lib_.PrintLine(output_channel, lib_.GetLine(channel), true);
    run_->job.process_events();
  }
  lib_.close_file_handler(channel);
}

void SoundPlan_Lib::write_intermediate_input(const std::string& folder, const Counters& n) {
  const TemporaryFiles temporary(folder);
  const int out = kIntermediateChannel;
  auto line = [&](const std::string& text) { lib_.PrintLine(out, text, true); };
  auto empty_lines = [&](int count) {
    for (int i = 0; i < count; ++i) line("");
  };
  lib_.open_file_handler(folder + "/" + kIntermediateInputName, 1, out, false);
  empty_lines(3);
  line("SoundPlan -> KALVOR ");
  empty_lines(2);
  line(" Number of Links = " + soundplan::count_text(n.links));
  empty_lines(1);
  for (const char* heading : kLinkHeadings) line(heading);
  copy_lines(temporary.links, kLinkChannel, out);
  empty_lines(4);
  line(" Number of Nodes = " + soundplan::count_text(n.nodes));
  empty_lines(1);
  for (const char* heading : kNodeHeadings) line(heading);
  copy_lines(temporary.nodes, kNodeChannel, out);
  empty_lines(4);
  line(" Number of Road Layout Definitions = " + soundplan::count_text(n.layouts));
  empty_lines(1);
  for (const char* heading : kLayoutHeadings) line(heading);
  copy_lines(temporary.layouts, kLayoutChannel, out);
  empty_lines(4);
  line(" Number of Text Strings =     0");
  lib_.close_file_handler(out);
}

void SoundPlan_Lib::write_intermediate_layout_barrier(const std::string& folder) {
  const TemporaryFiles temporary(folder);
  const int out = kIntermediateChannel;
  lib_.open_file_handler(folder + "/" + kIntermediateLayoutBarrierName, 1, out, false);
  for (const char* heading : kLayoutBarrierHeadings) lib_.PrintLine(out, heading, true);
  copy_lines(temporary.layout_barriers, kLayoutBarrierChannel, out);
  lib_.close_file_handler(out);
}

namespace {

// The project folder: the input itself when it names a folder, else the
// folder of the file it names.
std::string project_folder(const std::string& input) {
  std::error_code ec;
  if (std::filesystem::is_directory(input, ec)) return input;
  return platform::folder_of(input);
}

void remove_intermediate_files(const SoundPlan_Lib::IntermediateFiles& files) {
  platform::delete_file(files.input);
  platform::delete_file(files.layout_barrier);
}

}  // namespace

SoundPlan_Lib::IntermediateFiles SoundPlan_Lib::Write_SP2HFA_Files(JobDetails& frmMain,
                                                                   const std::string& folder) {
  Run run{frmMain};
  const ActiveRun active(run_, run);
  const reading::ChannelsClosedOnFailure channels(lib_);
  return write_intermediate_files(folder);
}

SoundPlan_Lib::IntermediateFiles SoundPlan_Lib::write_intermediate_files(
    const std::string& folder) {
  JobDetails& frmMain = run_->job;
  const std::string project = project_folder(frmMain.text(control::InputPath));
  reading::require_folder("the SoundPLAN project folder", project);
  const IntermediateFiles files{folder + "/" + kIntermediateInputName,
                                folder + "/" + kIntermediateLayoutBarrierName};
  const TemporaryFiles temporary(folder);
  frmMain.set_status(kStatus);
  try {
    Counters counters;
    translate_project(project, folder, counters);
    frmMain.set_status(kStatus);
    write_intermediate_input(folder, counters);
    write_intermediate_layout_barrier(folder);
  } catch (...) {
    temporary.remove();
    remove_intermediate_files(files);
    throw;
  }
  temporary.remove();
  return files;
}

void SoundPlan_Lib::hand_over_to_hfanoise(const IntermediateFiles& files) {
  JobDetails& job = run_->job;
  job.set_text(control::InputPath, files.input);
  job.set_check_value(control::LayoutBarrierSwitch, 1);
  job.set_text(control::LayoutBarrierFile, files.layout_barrier);
  job.set_enabled(control::LayoutBarrierFile, false);
  job.set_enabled(control::LayoutBarrierBrowse, false);
  HFA_Lib hfa;
  hfa.Convert_From_HFANoise(job);
}

void SoundPlan_Lib::Convert_From_SoundPlan(JobDetails& frmMain) {
  Run run{frmMain};
  const ActiveRun active(run_, run);
  const reading::ChannelsClosedOnFailure channels(lib_);
  const std::string user_input = frmMain.text(control::InputPath);
  const std::string user_dialog_file = frmMain.text(control::DialogFileName);
  const auto scratch =
      platform::ScratchFolder::near(platform::folder_of(frmMain.text(control::OutputPath)));
  const IntermediateFiles files = write_intermediate_files(scratch.path());
  // The report's date and time are those of the file the user chose, never
  // those of the intermediate file that the HFANoise stage reads.
  if (!platform::file_exists(user_dialog_file)) {
    frmMain.set_text(control::DialogFileName, user_input);
  }
  auto give_back_job_details = [&] {
    frmMain.set_text(control::LayoutBarrierFile, "");
    frmMain.set_check_value(control::LayoutBarrierSwitch, 0);
    frmMain.set_text(control::InputPath, user_input);
    frmMain.set_text(control::DialogFileName, user_dialog_file);
  };
  try {
    hand_over_to_hfanoise(files);
  } catch (...) {
    give_back_job_details();
    remove_intermediate_files(files);
    throw;
  }
  give_back_job_details();
  remove_intermediate_files(files);
  lib_.close_ALL_file_handler();
}

}  // namespace kalvor
