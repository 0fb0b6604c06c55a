// Translation of the ordered temporary files into the report's records.
#include "hfa/hfa_lib.h"
#include "hfa_run.h"
#include "quillan/text.h"
#include "report/exchange_report.h"

namespace kalvor {

using hfa::lower;
using hfa::value_of;
using quillan::Value;

namespace {

constexpr const char* kUnknown = "???";
using report::kNotApplicable;

// First field of the name (link ID, NSR ID) by line kind.
constexpr std::size_t kRoadNameField = 8;
constexpr std::size_t kReceiverNameField = 8;
constexpr std::size_t kSoundPlanReceiverNameField = 10;
constexpr std::size_t kBarrierNameField = 9;
constexpr std::size_t kBuildingNameField = 12;

double one_decimal_half_even(const std::string& field) {
  return quillan::round_half_even(value_of(field), 1);
}

// The link ID (or receiver name) from `first` on, or `fallback` when the
// line has no such fields.
std::string name_or(const std::vector<std::string>& fields, std::size_t first,
                    const std::string& fallback) {
  return fields.size() > first ? hfa::join_from(fields, first) : fallback;
}

std::string field_shortage(const std::vector<std::string>& fields, std::size_t needed,
                           const std::string& line, const char* what) {
  return "the " + std::string(what) + " line \"" + line + "\" has " +
         std::to_string(fields.size()) + " fields, at least " + std::to_string(needed) +
         " expected";
}

void require_fields(const std::string& input_path, const std::vector<std::string>& fields,
                    std::size_t needed, const std::string& line, const char* what) {
  if (fields.size() < needed)
    hfa::input_error(input_path, field_shortage(fields, needed, line, what));
}

// Fails on a line of the node or layout file, naming its line of the input.
[[noreturn]] void fail_at(const std::string& input_path, const hfa::IndexedLine& line,
                          const std::vector<long>& input_lines, const std::string& problem) {
  const auto index = static_cast<std::size_t>(line.line_number - 1);
  if (index < input_lines.size()) hfa::input_error(input_path, input_lines[index], problem);
  hfa::input_error(input_path, problem);
}

void require_fields(const std::string& input_path, const hfa::IndexedLine& line,
                    const std::vector<long>& input_lines, std::size_t needed, const char* what) {
  if (line.fields.size() < needed)
    fail_at(input_path, line, input_lines, field_shortage(line.fields, needed, line.text, what));
}

// A node coordinate that is no number would be read as 0 and put the node
// somewhere else.
void require_node_numbers(const std::string& input_path, const hfa::IndexedLine& line,
                          const std::vector<long>& input_lines) {
  constexpr const char* kNames[] = {"X", "Y", "Z", "H"};
  for (std::size_t i = 1; i <= 4; ++i)
    if (!quillan::is_numeric_text(line.fields[i]))
      fail_at(input_path, line, input_lines,
              "the node line \"" + line.text + "\" has \"" + line.fields[i] + "\" where its " +
                  kNames[i - 1] + " is expected as a number");
}

// Ground cover column: 1 for soft ground, 0 for hard ground.
Value ground_cover(const std::string& field) {
  const std::string word = lower(field);
  if (word == "n/a") return kNotApplicable;
  return word == "soft" ? 1 : 0;
}

std::string surface_type(const std::string& field) {
  const std::string word = lower(field);
  if (word.starts_with("s")) {
    return "Surface Correction = " + quillan::format_fixed(value_of(word.substr(1)), 1) + " dB(A)";
  }
  if (word.starts_with("per")) return report::kPervious;
  const std::string material = word.size() > 4 ? word.substr(4, 3) : "";
  if (material == "bit") return report::kBituminous;
  if (material == "con") return report::kConcrete;
  return report::kOtherSurface;
}

std::string category(const std::string& field) {
  const std::string word = lower(quillan::trim(field));
  if (word == "n/a") return kNotApplicable;
  if (word == "new") return report::kNewRoad;
  if (word == "unaltered") return report::kExistingRoad;
  return report::kOtherRoad;
}

std::string divider_text(const Value& width) {
  if (width.is_text() && width.text() == kNotApplicable) return kNotApplicable;
  return quillan::format_fixed(width.to_number(), 1);
}

// Every layout value "???": the road's layout is not known.
void mark_unknown(hfa::RoadLayout& l) {
  for (std::string* value : {&l.flow, &l.speed, &l.heavy_vehicles, &l.texture_depth, &l.surface,
                             &l.elevated, &l.flow_direction, &l.dual_carriageway, &l.category}) {
    *value = kUnknown;
  }
  l.divider_width = kUnknown;
  l.road_width = kUnknown;
}

std::string one_decimal(const std::string& text) {
  return quillan::one_decimal(Value(text));
}

}  // namespace

bool HFA_Lib::HFANoise_Get_Node(const std::string& node, int end) {
  Run& c = *run_;
  const hfa::IndexedLine* line = c.node_index.find(value_of(node));
  if (line == nullptr) return false;
  auto [it, added] = c.rounded_nodes.try_emplace(line);
  if (added) {
    require_fields(c.input_path, *line, c.node_input_lines, hfa::min_fields::Node, "node");
    require_node_numbers(c.input_path, *line, c.node_input_lines);
    it->second = {one_decimal_half_even(line->fields[1]), one_decimal_half_even(line->fields[2]),
                  one_decimal_half_even(line->fields[3]), one_decimal_half_even(line->fields[4])};
  }
  (end == 0 ? c.from : c.to) = it->second;
  return true;
}

// A link or receiver whose node cannot be found would be written with the
// coordinates of the record before it: a report that looks right and is not.
void HFA_Lib::take_node(const std::string& node, int end, const std::string& line,
                        const char* what) {
  const std::string about = "the " + std::string(what) + " line \"" + line + "\"";
  if (!quillan::is_numeric_text(node))
    hfa::input_error(run_->input_path,
                     about + " has \"" + node + "\" where a node number is expected");
  if (!HFANoise_Get_Node(node, end))
    hfa::input_error(run_->input_path,
                     about + " names node " + node + ", which is not among the node lines");
}

void HFA_Lib::HFANoise_Get_Layout(const std::string& layout) {
  Run& c = *run_;
  hfa::RoadLayout& l = c.layout;
  mark_unknown(l);
  const hfa::IndexedLine* line = c.layout_index.find(value_of(layout));
  if (line == nullptr) return;
  require_fields(c.input_path, *line, c.layout_input_lines, hfa::min_fields::Layout, "layout");
  const std::vector<std::string>& f = line->fields;
  l.flow = f[1];
  l.speed = f[2];
  l.heavy_vehicles = f[3];
  l.texture_depth = f[4];
  l.surface = surface_type(f[5]);
  l.elevated = report::yes_no(lower(f[6]) == "yes");
  l.flow_direction = lower(f[7]) == "yes" ? report::kOneWay : report::kTwoWay;
  l.direction = f[8];
  const bool divided = quillan::is_numeric_text(f[9]) && value_of(f[9]) != 0;
  l.dual_carriageway = report::yes_no(divided);
  l.divider_width = divided ? Value(one_decimal_half_even(f[9])) : Value(kNotApplicable);
  l.road_width = one_decimal_half_even(f[10]);
  l.category = category(f[11]);
}

void HFA_Lib::HFANoise_Misc_Info(JobDetails& frmMain, int OFileID) {
  const Run& c = *run_;
  report::Writer report(lib_, OFileID, report::kHfaLabels);
  report.consultant_block(report::consultant_from(frmMain));
  report::ProjectSettings settings;
  settings.title = quillan::trim(c.title);
  settings.date_time = report::header_date_time(frmMain);
  settings.coordinate_system = quillan::trim(frmMain.text(control::Coordinate));
  settings.year_of_traffic_flow = quillan::trim(frmMain.text(control::YearTrafficFlow));
  settings.multiple_screening = report::kYes;
  settings.opposite_facade = report::kYes;
  settings.cutoff_angle = "0.0";
  settings.cutoff_distance = kNotApplicable;
  settings.cutoff_reflection = c.soundplan_derived ? kNotApplicable : "40.0";
  report.project_block(settings);
}

bool HFA_Lib::HFANoise_Print_Roads(int IFileID, int OFileID, int roadflow, bool WithLayBar) {
  Run& c = *run_;
  if (lib_.CheckEOF(IFileID)) return false;
  const std::string line = quillan::trim(lib_.GetLine(IFileID));
  c.fields = lib_.split_inputline(line, " ");
  const std::vector<std::string>& f = c.fields;
  require_fields(c.input_path, f, hfa::min_fields::Road, line, "road");
  take_node(f[1], 0, line, "road");
  take_node(f[2], 1, line, "road");
  // A link goes on while each line starts where the one before ended, on
  // the same layout.
  if (c.first_road || f[1] != c.previous_b || f[3] != c.previous_layout) {
    write_road_link_head(OFileID, roadflow, WithLayBar);
  }
  c.first_road = false;
  c.previous_b = f[2];
  c.previous_layout = f[3];

  report::Writer report(lib_, OFileID, report::kHfaLabels);
  ++c.segment_no;
  report.road_segment(
      {{c.segment_no, c.from.x, c.from.y, c.from.z, c.from.h, c.to.x, c.to.y, c.to.z, c.to.h},
       c.layout.road_width,
       ground_cover(f[6]),
       ground_cover(f[7])});
  return true;
}

void HFA_Lib::write_road_link_head(int OFileID, int roadflow, bool WithLayBar) {
  Run& c = *run_;
  const std::vector<std::string>& f = c.fields;
  c.segment_no = 0;
  ++c.road_link_no;
  const std::string link_id = name_or(f, kRoadNameField, f[0]);
  const bool layout_known = quillan::is_numeric_text(f[3]);
  // A layout field that is not a number names no layout: the link's values
  // are unknown, not those of the link before it.
  if (layout_known)
    HFANoise_Get_Layout(f[3]);
  else
    mark_unknown(c.layout);
  const hfa::RoadLayout& l = c.layout;

  std::string associated = kNotApplicable;
  if (layout_known && WithLayBar && HFANoise_CheckIndexForLayBar(f[3])) {
    associated = "Layout: " + f[3] + (l.elevated == report::kYes ? ": Elevated" : ": Grade") +
                 ": " + std::to_string(c.road_link_no) + ": " + std::to_string(roadflow) + ": " +
                 link_id;
  }

  report::Writer report(lib_, OFileID, report::kHfaLabels);
  report.empty_line();
  report.road_link_no(c.road_link_no);
  report.road_link_id(link_id);
  report.road_category(l.category);
  report.road_flow(one_decimal(l.flow));
  report.road_speed(one_decimal(l.speed), report::yes_no(!c.soundplan_derived));
  report.road_heavy_vehicles(one_decimal(l.heavy_vehicles));
  report.road_flow_direction(l.flow_direction);
  report.road_dual_carriageway(l.dual_carriageway);
  report.road_divider_and_separation(divider_text(l.divider_width), kNotApplicable);
  report.road_elevated(l.elevated);
  report.road_surface(l.surface);
  report.road_texture_depth(one_decimal(l.texture_depth));
  report.road_associated_barrier(associated);
  report.road_segment_headings();
}

bool HFA_Lib::HFANoise_Print_Barriers(int IFileID, int OFileID) {
  Run& c = *run_;
  if (lib_.CheckEOF(IFileID)) return false;
  const std::string line = quillan::trim(lib_.GetLine(IFileID));
  const std::vector<std::string> f = lib_.split_inputline(line, " ");
  require_fields(c.input_path, f, hfa::min_fields::Link, line, "barrier");
  take_node(f[1], 0, line, "barrier");
  take_node(f[2], 1, line, "barrier");
  const std::string kind = lower(f[4]);
  if (kind == "barrier") require_fields(c.input_path, f, hfa::min_fields::Barrier, line, "barrier");
  if (kind == "building")
    require_fields(c.input_path, f, hfa::min_fields::Building, line, "building");

  report::Writer report(lib_, OFileID, report::kHfaLabels);
  if (c.first_barrier || f[1] != c.previous_barrier_b) {
    c.segment_no = 0;
    ++c.barrier_link_no;
    const bool reflective = kind == "barrier" || kind == "building" || kind == "sp_ref";
    const std::string link_id = kind == "building" ? name_or(f, kBuildingNameField, f[0])
                                                   : name_or(f, kBarrierNameField, f[0]);
    report.empty_line();
    report.barrier_link_no(c.barrier_link_no);
    report.barrier_link_id(link_id);
    report.barrier_type(reflective ? report::kReflective : report::kAbsorptive);
    report.barrier_level("Grade");
    report.barrier_associated_road(kNotApplicable);
    report.barrier_segment_headings();
  }
  c.first_barrier = false;
  c.previous_barrier_b = f[2];

  report::BarrierSegment row{
      {++c.segment_no, c.from.x, c.from.y, c.from.z, c.from.h, c.to.x, c.to.y, c.to.z, c.to.h},
      0,
      kNotApplicable,
      kNotApplicable,
      kNotApplicable,
      kNotApplicable};
  if (kind == "barrier") {
    row.inclined_angle = value_of(f[8].substr(0, f[8].size() - 1));
    row.mean_length = row.mean_opening = row.width = 0;
  } else if (kind == "building") {
    row.mean_length = f[8];
    row.mean_opening = f[9];
    row.width = f[10];
  } else if (kind == "sp_abs" || kind == "sp_ref") {
    row.width = 0;
  } else if (kind.starts_with("z")) {
    row.width = kind.substr(1);
  }
  report.barrier_segment(row);
  return true;
}

void HFA_Lib::HFANoise_Print_NSRs_Headings(int OFileID) {
  report::Writer(lib_, OFileID, report::kHfaLabels).receiver_table_headings();
}

bool HFA_Lib::HFANoise_Print_NSRs(int IFileID, int OFileID) {
  Run& c = *run_;
  if (lib_.CheckEOF(IFileID)) return false;
  const std::string line = quillan::trim(lib_.GetLine(IFileID));
  const std::vector<std::string> f = lib_.split_inputline(line, " ");
  require_fields(c.input_path, f, hfa::min_fields::Receiver, line, "receiver");
  take_node(f[1], 0, line, "receiver");

  report::ReceiverRow row;
  if (lower(f[4]) == "sp_rec") {
    row.name = name_or(f, kSoundPlanReceiverNameField, f[1]);
    row.bearing_left = value_of(f[6]);
    row.bearing_right = value_of(f[7]);
    row.facade = report::kYes;
  } else {
    row.name = name_or(f, kReceiverNameField, f[1]);
    row.bearing_left = 0;
    row.bearing_right = 360;
    row.facade = report::yes_no(lower(f[7]) == "yes");
  }
  row.name = quillan::trim(row.name);
  row.number = ++c.receiver_no;
  row.x = c.from.x;
  row.y = c.from.y;
  row.z = c.from.z + c.from.h;
  row.h = c.from.h;
  report::Writer(lib_, OFileID, report::kHfaLabels).receiver(row);
  return true;
}

}  // namespace kalvor
