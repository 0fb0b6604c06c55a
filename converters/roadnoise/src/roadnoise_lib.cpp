#include "roadnoise/roadnoise_lib.h"

#include <array>
#include <stdexcept>
#include <string_view>

#include "job/active_run.h"
#include "quillan/text.h"
#include "reading/channels.h"
#include "reading/input_file.h"
#include "roadnoise_run.h"

namespace kalvor {

using reading::LineReader;
using roadnoise::contains;
using roadnoise::NamedFile;

namespace {

constexpr const char* kMasterRole = "the RoadNoise master file";
constexpr int kMasterChannel = 1;
constexpr int kReportChannel = 2;

// A companion file kind: the extension that names it in the master file, the
// channel it is read on and what it holds (for messages).
struct CompanionKind {
  std::string_view extension;
  int channel;
  const char* what;
};

constexpr std::string_view kFlowExtension = ".FLO";
constexpr std::array<CompanionKind, 8> kCompanionKinds{{
    {".SEG", 4, "road segment file"},
    {".BAR", 5, "barrier file"},
    {".HSE", 6, "barrier file"},
    {".CON", 7, "line file"},
    {".PRO", 8, "line file"},
    {".BND", 9, "line file"},
    {".GND", 10, "line file"},
    {".REC", 11, "receiver file"},
}};

const CompanionKind& companion_kind(std::string_view extension) {
  for (const auto& kind : kCompanionKinds)
    if (kind.extension == extension) return kind;
  throw std::logic_error("unknown companion file kind");
}

// A line that is a file name with a lower-case companion extension
// ("roads.bar") would not be read at all, and its links would be missing
// from the report.
void require_upper_case_extensions(const std::string& line, const std::string& where) {
  const std::string upper = quillan::to_upper(line);
  const auto require = [&](std::string_view extension) {
    if (upper.ends_with(extension) && !contains(line, extension))
      throw ConversionError(where + "\"" + line + "\" names a companion file with a lower-case " +
                            "extension; write it as " + std::string(extension) +
                            " so that the file is read");
  };
  require(kFlowExtension);
  for (const auto& kind : kCompanionKinds) require(kind.extension);
}

// The folder of the master file with its trailing separator; empty for a
// bare file name, whose companions then lie in the current folder.
std::string folder_of(quillan::Varnik& lib, const std::string& path) {
  if (path.find_first_of("\\/") == std::string::npos) return {};
  return lib.GetPathFromFullFilename(path);
}

// A cut-off value as the header shows it: its leading number, one decimal.
std::string cutoff_text(const std::string& value) {
  return quillan::format_fixed(quillan::leading_number(value), 1);
}

}  // namespace

RoadNoise_Lib::RoadNoise_Lib() = default;
RoadNoise_Lib::~RoadNoise_Lib() = default;

void RoadNoise_Lib::Convert_From_RoadNoise(JobDetails& frmMain) {
  Run run(frmMain);
  const ActiveRun active(run_, run);
  const reading::ChannelsClosedOnFailure channels(lib_);
  run_->master_path = frmMain.text(control::InputPath);
  run_->master_folder = folder_of(lib_, run_->master_path);
  frmMain.set_status("Processing...");
  reading::open_input(lib_, kMasterChannel, kMasterRole, run_->master_path);
  lib_.open_file_handler(frmMain.text(control::OutputPath), 1, kReportChannel, false);
  report::Writer out(lib_, kReportChannel, report::kRoadNoiseLabels);
  RoadNoise_Consultant_Info(frmMain, out);

  LineReader master(lib_, kMasterChannel, std::string(kMasterRole) + " " + run_->master_path,
                    &frmMain);
  read_master_file(master, out);
  require_companion(".SEG");
  require_companion(".REC");

  LineReader segments = companion_reader(".SEG");
  run_->link_number = 0;
  run_->line_counter = 0;
  RoadNoise_Print_Roads(segments, out);

  run_->link_number = 0;
  run_->line_counter = 0;
  out.empty_line();
  out.barrier_section_heading();
  translate_barrier_files(out);

  out.empty_line();
  out.receiver_section_heading();
  LineReader receivers = companion_reader(".REC");
  RoadNoise_Print_NSRs(receivers, out);

  lib_.close_file_handler(kReportChannel);
  lib_.close_file_handler(kMasterChannel);
  lib_.close_ALL_file_handler();
}

void RoadNoise_Lib::RoadNoise_Consultant_Info(JobDetails& frmMain, report::Writer& out) {
  out.consultant_block(report::consultant_from(frmMain));
}

void RoadNoise_Lib::read_master_file(LineReader& master, report::Writer& out) {
  bool header_pending = true;
  while (!master.at_end()) {
    const std::string line = quillan::trim(master.next_line());
    run_->line_counter = master.line_number();
    take_cutoff_values(line);
    // The header goes out at the first "READ" line, with the values met so far.
    const bool header_due = header_pending && contains(line, "READ");
    if (run_->line_counter == 2) run_->project_title = line;
    if (header_due) {
      header_pending = false;
      write_project_header(out);
    }
    if (line.empty()) continue;
    note_companion_files(line, run_->line_counter);
  }
  // Without a "READ" line the report would have no header and no road
  // section heading; it gets them after the last master line instead.
  if (header_pending) write_project_header(out);
}

void RoadNoise_Lib::take_cutoff_values(const std::string& line) {
  if (auto value = roadnoise::keyword_value(line, "COA")) run_->cutoff_angle = *value;
  if (auto value = roadnoise::keyword_value(line, "COD")) run_->cutoff_distance = *value;
  if (auto value = roadnoise::keyword_value(line, "COR")) run_->cutoff_reflection = *value;
}

void RoadNoise_Lib::note_companion_files(const std::string& line, long line_number) {
  const std::string path = run_->master_folder + line;
  const std::string where =
      reading::line_message(std::string(kMasterRole) + " " + run_->master_path, line_number, "");
  require_upper_case_extensions(line, where);
  if (contains(line, kFlowExtension)) {
    if (!run_->flow_file.path.empty()) {
      throw ConversionError(where +
                            "a second flow file (.FLO) is named; the first is named on line " +
                            std::to_string(run_->flow_file.master_line));
    }
    run_->flow_file = NamedFile{path, line_number};
  }
  for (const auto& kind : kCompanionKinds) {
    if (!contains(line, kind.extension)) continue;
    auto [it, added] =
        run_->companions.try_emplace(std::string(kind.extension), NamedFile{path, line_number});
    if (!added) {
      throw ConversionError(where + "a second " + kind.what + " (" + std::string(kind.extension) +
                            ") is named; the first is named on line " +
                            std::to_string(it->second.master_line));
    }
    reading::open_input(lib_, kind.channel,
                        roadnoise::companion_role(run_->master_path, kind.what, line_number), path);
  }
}

void RoadNoise_Lib::write_project_header(report::Writer& out) {
  report::ProjectSettings settings;
  settings.title = quillan::trim(run_->project_title);
  settings.date_time = report::header_date_time(run_->job);
  settings.coordinate_system = quillan::trim(run_->job.text(control::Coordinate));
  settings.year_of_traffic_flow = quillan::trim(run_->job.text(control::YearTrafficFlow));
  settings.multiple_screening = report::kYes;
  settings.opposite_facade = report::kYes;
  settings.cutoff_angle = cutoff_text(run_->cutoff_angle);
  settings.cutoff_distance = cutoff_text(run_->cutoff_distance);
  settings.cutoff_reflection = cutoff_text(run_->cutoff_reflection);
  out.project_block(settings);
  out.empty_line();
  out.road_section_heading();
}

void RoadNoise_Lib::require_companion(std::string_view extension) const {
  if (run_->companions.find(extension) != run_->companions.end()) return;
  throw ConversionError(run_->master_path + ": the master file names no " +
                        companion_kind(extension).what + " (" + std::string(extension) + ")");
}

LineReader RoadNoise_Lib::companion_reader(std::string_view extension) {
  const auto& kind = companion_kind(extension);
  const NamedFile& named = run_->companions.find(extension)->second;
  return LineReader(
      lib_, kind.channel,
      roadnoise::companion_role(run_->master_path, kind.what, named.master_line) + " " + named.path,
      &run_->job);
}

void RoadNoise_Lib::translate_barrier_files(report::Writer& out) {
  using Translator = void (RoadNoise_Lib::*)(LineReader&, report::Writer&);
  struct BarrierFile {
    std::string_view extension;
    Translator translate;
  };
  // The line files go .CON, .PRO, .GND, then .BND.
  static constexpr std::array<BarrierFile, 6> kOrder{{
      {".BAR", &RoadNoise_Lib::RoadNoise_Print_Barriers},
      {".HSE", &RoadNoise_Lib::RoadNoise_Print_HSE_Barriers},
      {".CON", &RoadNoise_Lib::RoadNoise_Print_Line_Barriers},
      {".PRO", &RoadNoise_Lib::RoadNoise_Print_Line_Barriers},
      {".GND", &RoadNoise_Lib::RoadNoise_Print_Line_Barriers},
      {".BND", &RoadNoise_Lib::RoadNoise_Print_Line_Barriers},
  }};
  for (const auto& file : kOrder) {
    if (run_->companions.find(file.extension) == run_->companions.end()) continue;
    LineReader reader = companion_reader(file.extension);
    (this->*file.translate)(reader, out);
  }
}

}  // namespace kalvor
