// The TNIA converter's driver: opening the workbook, the three passes over
// worksheet 1 into piece files, the header block, and the assembly of the
// report with the association merge.
#include "tnia/tnia_lib.h"

#include <algorithm>

#include "job/active_run.h"
#include "platform/files.h"
#include "platform/scratch_folder.h"
#include "platform/workbook_file.h"
#include "quillan/text.h"
#include "reading/channels.h"
#include "reading/input_file.h"
#include "reading/record_loop.h"
#include "tnia_layout.h"
#include "tnia_run.h"

namespace kalvor {

using quillan::Value;
using namespace tnia;

namespace {

// Piece and index files are named "report<suffix>" in the conversion's
// private folder.
constexpr const char* kMiscSuffix = "_misc";
constexpr const char* kRoadSuffix = "_road";
constexpr const char* kRoadIndexSuffix = "_roadindex";
constexpr const char* kBarrierSuffix = "_bar";
constexpr const char* kBarrierIndexSuffix = "_barindex";
constexpr const char* kReceiverSuffix = "_rec";

constexpr int kInput = 0;
constexpr int kOutput = 1;

// An association found in worksheet 3 for a link whose ID is unknown to the
// other kind's index still takes its place in the list, as an empty element.
void append_element(std::string& list, const std::string& element) {
  list = list.empty() ? element : list + "," + element;
}

}  // namespace

void TNIA_Lib::Convert_From_TNIA(JobDetails& frmMain) {
  Run run(frmMain);
  const ActiveRun active(run_, run);
  const reading::ChannelsClosedOnFailure channels(lib_);
  run_->date_time = report::header_date_time(frmMain);
  const std::string output = frmMain.text(control::OutputPath);
  const auto scratch = platform::ScratchFolder::near(platform::folder_of(output));
  run_->pieces = scratch.file("report");

  open_workbook(frmMain.text(control::InputPath));
  frmMain.set_status("Processing...");
  count_rows();

  open_file_handler(piece(kMiscSuffix), kOutput, kMiscChannel);
  TNIA_Misc_Info(frmMain, kMiscChannel);
  close_file_handler(kMiscChannel);

  frmMain.set_status("Processing... (Road)");
  run_->road_link_no = 0;
  run_->current_row = kFirstDataRow;
  open_file_handler(piece(kRoadSuffix), kOutput, kRoadChannel);
  open_file_handler(piece(kRoadIndexSuffix), kOutput, kRoadIndexChannel);
  run_pass(run_->road_step, [&] { return TNIA_Print_Road_Row(kRoadChannel, kRoadIndexChannel); });
  close_file_handler(kRoadIndexChannel);
  close_file_handler(kRoadChannel);

  frmMain.set_status("Processing... (Barrier)");
  run_->barrier_link_no = 0;
  run_->current_row = kFirstDataRow;
  open_file_handler(piece(kBarrierSuffix), kOutput, kBarrierChannel);
  open_file_handler(piece(kBarrierIndexSuffix), kOutput, kBarrierIndexChannel);
  run_pass(run_->barrier_step,
           [&] { return TNIA_Print_Barrier_Row(kBarrierChannel, kBarrierIndexChannel); });
  close_file_handler(kBarrierIndexChannel);
  close_file_handler(kBarrierChannel);

  frmMain.set_status("Processing... (Receiver)");
  run_->receiver_no = 0;
  run_->current_row = kFirstDataRow;
  open_file_handler(piece(kReceiverSuffix), kOutput, kReceiverChannel);
  TNIA_Print_NSRs_Headings(kReceiverChannel);
  run_pass(run_->receiver_step, [&] { return TNIA_Print_NSR_Row(kReceiverChannel); });
  close_file_handler(kReceiverChannel);

  frmMain.set_status("Formatting Output... ");
  assemble_report(output);

  run_->workbook.reset();
  lib_.close_ALL_file_handler();
}

void TNIA_Lib::open_file_handler(const std::string& absolute_path, int io_type, int file_handler) {
  lib_.open_file_handler(absolute_path, io_type, file_handler, false);
}

void TNIA_Lib::close_file_handler(int IFileNo) {
  lib_.close_file_handler(IFileNo);
}

void TNIA_Lib::open_workbook(const std::string& path) {
  run_->workbook_path = path;
  reading::require_readable("the workbook", path);
  try {
    run_->workbook = platform::open_workbook(path);
  } catch (const platform::WorkbookError& e) {
    throw ConversionError(e.what());
  }
  const int sheets = run_->workbook->sheet_count();
  if (sheets < kSheetCount)
    throw ConversionError("The workbook " + path + " has " + std::to_string(sheets) +
                          " worksheet(s); a TNIA v2.0 workbook has six: geometry, road links, "
                          "barriers of kinds A and B, barriers of kind O, receivers and receiver "
                          "levels.");
}

// Every row of worksheet 1 advances the bar by the same step, whatever its
// kind, in each of the three passes. A worksheet 1 without rows moves nothing.
void TNIA_Lib::count_rows() {
  const long rows = lib_.get_num_of_row_for_wksheet(*run_->workbook, kGeometrySheet, 1);
  const double step = rows > 0 ? 100.0 / (3.0 * static_cast<double>(rows)) : 0.0;
  run_->road_step = run_->barrier_step = run_->receiver_step = step;
  run_->progress = 0;
}

template <typename TranslateNextRow>
void TNIA_Lib::run_pass(double step, TranslateNextRow translate_next_row) {
  reading::for_each_record(run_->job, translate_next_row, [this, step](long) {
    run_->progress = std::min(100.0, run_->progress + step);
    run_->job.set_progress(static_cast<float>(run_->progress));
  });
}

void TNIA_Lib::TNIA_Misc_Info(JobDetails& frmMain, int channel) {
  const Value reflective = cell(kReceiverSheet, kSettingsRow, kReflectiveColumn);
  report::ProjectSettings settings;
  settings.title = cell(kGeometrySheet, kTitleRow, kTitleColumn).to_text();
  settings.date_time = run_->date_time;
  settings.coordinate_system = frmMain.text(control::Coordinate);
  settings.year_of_traffic_flow = frmMain.text(control::YearTrafficFlow);
  settings.multiple_screening = report::kYes;
  settings.opposite_facade = report::yes_no(quillan::to_upper(reflective.to_text()) == "Y");
  settings.cutoff_angle = "0.0";
  settings.cutoff_distance =
      formatted(kReceiverSheet, kSettingsRow, kCutoffDistanceColumn, "cut-off distance");
  settings.cutoff_reflection = report::kNotApplicable;

  report::Writer writer(lib_, channel, report::kTniaLabels);
  writer.consultant_block(report::consultant_from(frmMain));
  writer.project_block(settings);
}

void TNIA_Lib::assemble_report(const std::string& output) {
  open_file_handler(output, kOutput, kReportChannel);
  report::Writer report(lib_, kReportChannel, report::kTniaLabels);
  lib_.CopyAllContents(piece(kMiscSuffix), kMiscChannel, kReportChannel);

  report.empty_line();
  report.road_section_heading();
  copy_section(piece(kRoadSuffix), kRoadChannel, piece(kBarrierIndexSuffix), kBarrierIndexChannel,
               Association::BarriersOfRoads);

  report.empty_line();
  report.barrier_section_heading();
  copy_section(piece(kBarrierSuffix), kBarrierChannel, piece(kRoadIndexSuffix), kRoadIndexChannel,
               Association::RoadsOfBarriers);

  report.empty_line();
  report.receiver_section_heading();
  lib_.CopyAllContents(piece(kReceiverSuffix), kReceiverChannel, kReportChannel);
  close_file_handler(kReportChannel);
}

// Appends a piece to the report, merging in the associations when the other
// section's index lists any.
void TNIA_Lib::copy_section(const std::string& piece_path, int piece_channel,
                            const std::string& index_path, int index_channel,
                            Association association) {
  if (index_lists_links(index_path, index_channel))
    TNIA_MergeAssociations(piece_path, piece_channel, index_path, index_channel, kReportChannel,
                           association);
  else
    lib_.CopyAllContents(piece_path, piece_channel, kReportChannel);
}

bool TNIA_Lib::index_lists_links(const std::string& index_path, int index_channel) {
  open_file_handler(index_path, kInput, index_channel);
  bool found = false;
  while (!found && !lib_.CheckEOF(index_channel))
    found = !quillan::trim(lib_.GetLine(index_channel)).empty();
  close_file_handler(index_channel);
  return found;
}

std::string TNIA_Lib::piece(const char* suffix) const {
  return run_->pieces + suffix;
}

// Every line of the piece file reaches the report trimmed. A "Link ID" line
// names the link whose associations worksheet 3 lists; the next
// "Associated ..." line receives them, when there are any.
void TNIA_Lib::TNIA_MergeAssociations(const std::string& piece_path, int piece_channel,
                                      const std::string& index_path, int index_channel,
                                      int report_channel, Association association) {
  const bool of_roads = association == Association::BarriersOfRoads;
  const long match_column = of_roads ? kAssociatedRoadColumn : kBarrierIdColumn;
  const long read_column = of_roads ? kBarrierIdColumn : kAssociatedRoadColumn;
  const RowGroups associated_rows(*run_->workbook, kBarrierSheet, kFirstAssociationRow,
                                  kBarrierHeightColumn, match_column);
  const auto link_numbers = read_link_numbers(index_path, index_channel);
  report::Writer report(lib_, report_channel, report::kTniaLabels);

  open_file_handler(piece_path, kInput, piece_channel);
  std::string associations;
  while (!lib_.CheckEOF(piece_channel)) {
    std::string line = quillan::trim(lib_.GetLine(piece_channel));
    const auto fields = line.find(':') != std::string::npos ? lib_.split_inputline(line, ":")
                                                            : std::vector<std::string>{};
    if (!fields.empty()) {
      if (report::has_label(fields[0], report::kLinkIdLabel)) {
        const std::string id = fields.size() > 1 ? quillan::trim(fields[1]) : std::string();
        for (long row : TNIA_FindAssociatedRows(associated_rows, id))
          append_element(associations, TNIA_LookupLinkNumbers(
                                           link_numbers, cell(kBarrierSheet, row, read_column)));
      } else if (report::is_association_label(fields[0]) && !associations.empty()) {
        line = quillan::trim(fields[0]) + ": " + associations;
        associations.clear();
      }
    }
    report.line(line);
  }
  close_file_handler(piece_channel);
}

const std::vector<long>& TNIA_Lib::TNIA_FindAssociatedRows(const RowGroups& rows,
                                                           const std::string& id) const {
  return rows.rows_of(Value(id));
}

std::string TNIA_Lib::TNIA_LookupLinkNumbers(
    const std::unordered_map<std::string, std::string>& link_numbers, const Value& id) const {
  const auto found = link_numbers.find(quillan::trim(id.to_text()));
  return found == link_numbers.end() ? std::string() : found->second;
}

// The index file read once: each link ID with the numbers of its links, in
// file order and joined by commas.
std::unordered_map<std::string, std::string> TNIA_Lib::read_link_numbers(
    const std::string& index_path, int index_channel) {
  std::unordered_map<std::string, std::string> numbers;
  open_file_handler(index_path, kInput, index_channel);
  while (!lib_.CheckEOF(index_channel)) {
    const std::string line = lib_.GetLine(index_channel);
    if (quillan::trim(line).empty()) continue;
    const auto comma = line.find(',');
    const std::string id = comma == std::string::npos ? "" : quillan::trim(line.substr(comma + 1));
    append_element(numbers[id], line.substr(0, comma));
  }
  close_file_handler(index_channel);
  return numbers;
}

}  // namespace kalvor
