// The three passes over worksheet 1: road links, barrier links and
// receivers, one row per call.
#include <string>

#include "quillan/text.h"
#include "tnia/tnia_lib.h"
#include "tnia_layout.h"
#include "tnia_run.h"

namespace kalvor {

using quillan::Value;
using namespace tnia;

namespace {

constexpr const char* kWrongWorksheetInput = "Wrong worksheet input!!";

std::string cell_name(long row, long column) {
  std::string letters;
  for (long c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

// Column H of a road link: "Y" means the speed is not corrected for the
// gradient yet, "N" that it is.
std::string speed_corrected_for_gradient(const Value& flag) {
  const std::string upper = quillan::to_upper(flag.to_text());
  if (upper == "Y") return report::kNo;
  if (upper == "N") return report::kYes;
  return report::kNotApplicable;
}

// A text cell that stands for a number: the number itself, or a
// percentage as typed into a spreadsheet ("8.5%").
bool reads_as_number(const std::string& text) {
  std::string number = quillan::trim(text);
  if (number.ends_with('%')) number.pop_back();
  return quillan::is_numeric_text(number);
}

bool is_barrier_kind(const std::string& kind) {
  return kind == "A" || kind == "B" || kind == "O";
}

// Road and barrier kinds count in any case, a receiver only as "R".
bool is_known_kind(const std::string& kind) {
  const std::string upper = quillan::to_upper(kind);
  return upper == "S" || is_barrier_kind(upper) || kind == "R";
}

}  // namespace

// --- shared steps -----------------------------------------------------------

Value TNIA_Lib::cell(int sheet, long row, long column) {
  return lib_.get_excel_cell(*run_->workbook, sheet, row, column);
}

Value TNIA_Lib::geometry_cell(long column) {
  return cell(kGeometrySheet, run_->current_row, column);
}

// Reads the feature ID of the current row; false when it is empty, which
// ends the pass.
bool TNIA_Lib::read_feature_id() {
  run_->previous_id = run_->current_id;
  run_->current_id = geometry_cell(kIdColumn);
  return !run_->current_id.loosely_equals(Value(""));
}

std::string TNIA_Lib::kind_letter() {
  return geometry_cell(kKindColumn).to_text();
}

// Every pass skips the rows of the other passes' kinds, so a row of no kind
// would be left out of the report unseen; the first pass stops at it.
void TNIA_Lib::require_known_kind() {
  const std::string kind = kind_letter();
  if (is_known_kind(kind)) return;
  throw ConversionError("Cell " + cell_name(run_->current_row, kKindColumn) +
                        " of worksheet 1 of the workbook " + run_->workbook_path + " holds \"" +
                        kind + "\" for \"" + run_->current_id.to_text() +
                        "\": expected the kind of the feature, S (road node), A, B or O "
                        "(barrier) or R (receiver).");
}

bool TNIA_Lib::starts_new_link() const {
  return !run_->current_id.loosely_equals(run_->previous_id);
}

void TNIA_Lib::write_index_line(int index_channel, long link_no) {
  lib_.PrintLine(index_channel,
                 std::to_string(link_no) + "," + quillan::trim(run_->current_id.to_text()), true);
}

// The row of the current feature in its attribute worksheet. A feature the
// worksheet does not list cannot be converted: the user sees the usual
// message box, and the conversion stops with the details.
long TNIA_Lib::attribute_row(int sheet, const char* feature) {
  const auto index = run_->feature_rows.try_emplace(sheet, *run_->workbook, sheet, 1, kIdColumn);
  const long row = index.first->second.find(run_->current_id);
  lib_.check_result(row, 0, kWrongWorksheetInput);
  if (row == 0)
    throw ConversionError("Wrong worksheet input in the workbook " + run_->workbook_path + ": " +
                          feature + " \"" + run_->current_id.to_text() + "\" of worksheet 1, row " +
                          std::to_string(run_->current_row) +
                          ", is not listed in column A of "
                          "worksheet " +
                          std::to_string(sheet) + ".");
  return row;
}

// A cell that must hold a number: an empty cell counts as 0, a text that is
// no number stops the conversion (read by its leading number it would put
// an invented value into the report).
Value TNIA_Lib::number_cell(int sheet, long row, long column, const char* what) {
  Value value = cell(sheet, row, column);
  if (value.is_text() && !value.text().empty() && !reads_as_number(value.text()))
    throw ConversionError("Cell " + cell_name(row, column) + " of worksheet " +
                          std::to_string(sheet) + " of the workbook " + run_->workbook_path +
                          " holds \"" + value.text() + "\": expected a number (" + what + ").");
  return value;
}

// "#0.0" of a number cell.
std::string TNIA_Lib::formatted(int sheet, long row, long column, const char* what) {
  return quillan::format_fixed(number_cell(sheet, row, column, what).to_number(), 1);
}

// A number cell rounded to one decimal, halves to even.
double TNIA_Lib::rounded(int sheet, long row, long column, const char* what) {
  return quillan::round_half_even(number_cell(sheet, row, column, what).to_number(), 1);
}

// --- roads ------------------------------------------------------------------

bool TNIA_Lib::TNIA_Print_Road_Row(int road_channel, int index_channel) {
  if (!read_feature_id()) return false;
  require_known_kind();
  if (quillan::to_upper(kind_letter()) == "S") {
    if (starts_new_link())
      start_road_link(road_channel, index_channel);
    else
      write_road_segment(road_channel);
  }
  ++run_->current_row;
  return true;
}

void TNIA_Lib::start_road_link(int road_channel, int index_channel) {
  ++run_->road_link_no;
  run_->segment_no = 0;
  const long row = attribute_row(kRoadSheet, "road link");
  const Value surface = cell(kRoadSheet, row, kSurfaceColumn);
  const std::string flow = formatted(kRoadSheet, row, kFlowColumn, "flow");
  const std::string heavy_vehicles =
      formatted(kRoadSheet, row, kHeavyVehiclesColumn, "percentage of heavy vehicles");
  const std::string speed = formatted(kRoadSheet, row, kSpeedColumn, "speed");
  const Value gradient_flag = cell(kRoadSheet, row, kGradientFlagColumn);

  report::Writer road(lib_, road_channel, report::kTniaLabels);
  road.empty_line();
  road.road_link_no(run_->road_link_no);
  road.road_link_id(run_->current_id);
  road.road_category(report::kNotApplicable);
  road.road_flow(flow);
  road.road_speed(speed, speed_corrected_for_gradient(gradient_flag));
  road.road_heavy_vehicles(heavy_vehicles);
  road.road_flow_direction(report::kNotApplicable);
  road.road_dual_carriageway(report::kNotApplicable);
  road.road_divider_and_separation(report::kNotApplicable, report::kNotApplicable);
  road.road_elevated(report::kNo);
  road.road_surface(quillan::to_upper(surface.to_text()) == "IMPERVIOUS" ? report::kBituminous
                                                                         : report::kPervious);
  road.road_texture_depth("1.0");
  road.road_associated_barrier(report::kNotApplicable);
  road.road_segment_headings();
  write_index_line(index_channel, run_->road_link_no);

  run_->road_width = formatted(kRoadSheet, row, kRoadWidthColumn, "road width");
  run_->node_x = road_node_coordinate(kXColumn, "X of a road node");
  run_->node_y = road_node_coordinate(kYColumn, "Y of a road node");
  run_->node_z = road_node_coordinate(kZColumn, "Z of a road node");
}

std::string TNIA_Lib::road_node_coordinate(long column, const char* what) {
  return formatted(kGeometrySheet, run_->current_row, column, what);
}

void TNIA_Lib::write_road_segment(int road_channel) {
  ++run_->segment_no;
  const std::string x = road_node_coordinate(kXColumn, "X of a road node");
  const std::string y = road_node_coordinate(kYColumn, "Y of a road node");
  const std::string z = road_node_coordinate(kZColumn, "Z of a road node");
  report::Writer(lib_, road_channel, report::kTniaLabels)
      .road_segment(
          {{run_->segment_no, run_->node_x, run_->node_y, run_->node_z, "0.0", x, y, z, "0.0"},
           run_->road_width,
           report::kNotApplicable,
           report::kNotApplicable});
  run_->node_x = x;
  run_->node_y = y;
  run_->node_z = z;
}

// --- barriers ---------------------------------------------------------------

bool TNIA_Lib::TNIA_Print_Barrier_Row(int barrier_channel, int index_channel) {
  if (!read_feature_id()) return false;
  const std::string kind = quillan::to_upper(kind_letter());
  if (is_barrier_kind(kind)) {
    if (starts_new_link())
      start_barrier_link(barrier_channel, index_channel, kind);
    else
      write_barrier_segment(barrier_channel);
  }
  ++run_->current_row;
  return true;
}

void TNIA_Lib::start_barrier_link(int barrier_channel, int index_channel, const std::string& kind) {
  ++run_->barrier_link_no;
  run_->segment_no = 0;
  const std::string reflective_setting = quillan::to_upper(
      quillan::trim(cell(kReceiverSheet, kSettingsRow, kReflectiveColumn).to_text()));
  const char* type =
      kind != "O" && reflective_setting == "Y" ? report::kReflective : report::kAbsorptive;

  report::Writer barrier(lib_, barrier_channel, report::kTniaLabels);
  barrier.empty_line();
  barrier.barrier_link_no(run_->barrier_link_no);
  barrier.barrier_link_id(run_->current_id);
  barrier.barrier_type(type);
  barrier.barrier_level(kind == "A" ? "Elevated" : "Grade");
  barrier.barrier_associated_road(report::kNotApplicable);
  barrier.barrier_segment_headings();
  write_index_line(index_channel, run_->barrier_link_no);

  run_->node_x = rounded(kGeometrySheet, run_->current_row, kXColumn, "X of a barrier node");
  run_->node_y = rounded(kGeometrySheet, run_->current_row, kYColumn, "Y of a barrier node");
  run_->node_z = rounded(kGeometrySheet, run_->current_row, kZColumn, "Z of a barrier node");
  const int sheet = kind == "O" ? kAbsorptiveBarrierSheet : kBarrierSheet;
  const long row = attribute_row(sheet, "barrier");
  run_->barrier_height = rounded(sheet, row, kBarrierHeightColumn, "barrier height");
}

void TNIA_Lib::write_barrier_segment(int barrier_channel) {
  ++run_->segment_no;
  const double x = rounded(kGeometrySheet, run_->current_row, kXColumn, "X of a barrier node");
  const double y = rounded(kGeometrySheet, run_->current_row, kYColumn, "Y of a barrier node");
  const double z = rounded(kGeometrySheet, run_->current_row, kZColumn, "Z of a barrier node");
  const Value height = run_->barrier_height;
  report::Writer(lib_, barrier_channel, report::kTniaLabels)
      .barrier_segment(
          {{run_->segment_no, run_->node_x, run_->node_y, run_->node_z, height, x, y, z, height},
           report::kNotApplicable,
           report::kNotApplicable,
           report::kNotApplicable,
           report::kNotApplicable,
           "0.0"});
  run_->node_x = x;
  run_->node_y = y;
  run_->node_z = z;
}

// --- receivers --------------------------------------------------------------

void TNIA_Lib::TNIA_Print_NSRs_Headings(int channel) {
  report::Writer(lib_, channel, report::kTniaLabels).receiver_table_headings();
}

// Only an upper-case "R" marks a receiver point.
bool TNIA_Lib::TNIA_Print_NSR_Row(int channel) {
  if (!read_feature_id()) return false;
  if (kind_letter() == "R") {
    const long row = attribute_row(kReceiverSheet, "receiver");
    const Value level_key = cell(kReceiverSheet, row, kLevelKeyColumn);
    const Value facade_flag = cell(kReceiverSheet, row, kFacadeFlagColumn);
    const double x = rounded(kGeometrySheet, run_->current_row, kXColumn, "X of a receiver");
    const double y = rounded(kGeometrySheet, run_->current_row, kYColumn, "Y of a receiver");
    const double z = rounded(kGeometrySheet, run_->current_row, kZColumn, "Z of a receiver");
    TNIA_Print_NSR_Levels(channel, run_->current_id, level_key, facade_flag, x, y, z);
  }
  ++run_->current_row;
  return true;
}

// One receiver record per row of worksheet 6 in the receiver's level group.
void TNIA_Lib::TNIA_Print_NSR_Levels(int channel, const Value& id, const Value& level_key,
                                     const Value& facade_flag, double x, double y, double z) {
  if (!run_->level_rows)
    run_->level_rows.emplace(*run_->workbook, kLevelSheet, kFirstLevelRow, kIdColumn, kIdColumn);
  const std::string facade = report::yes_no(facade_flag.loosely_equals(Value("Y")));
  const std::string id_part = quillan::trim(id.to_text()).substr(0, 20);
  const std::string key_part = quillan::trim(level_key.to_text());
  const std::vector<long>& level_rows = run_->level_rows->rows_of(level_key);
  // A receiver with no levels would vanish from the report.
  if (level_rows.empty())
    throw ConversionError("Receiver \"" + quillan::trim(id.to_text()) + "\" of worksheet 1, row " +
                          std::to_string(run_->current_row) + ", in the workbook " +
                          run_->workbook_path + ": its level group \"" + key_part +
                          "\" has no row in column A of worksheet 6.");
  report::Writer receivers(lib_, channel, report::kTniaLabels);
  for (long row : level_rows) {
    ++run_->receiver_no;
    const std::string label = quillan::trim(cell(kLevelSheet, row, kLevelLabelColumn).to_text());
    const double height = rounded(kLevelSheet, row, kLevelHeightColumn, "height above ground");
    // Only the ID is cut to 20 characters: the key and label that follow
    // keep the levels of one receiver apart.
    receivers.receiver_with_full_name({run_->receiver_no,
                                       quillan::trim(id_part + "-" + key_part + "-" + label), x, y,
                                       z + height, height, 0, 360, facade});
  }
}

}  // namespace kalvor
