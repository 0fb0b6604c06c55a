// Layout barriers: barrier links generated along the road links whose layout
// has an entry in the layout-barrier file, on the left and right of the road
// at the distances and heights the entry gives.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "hfa/hfa_lib.h"
#include "hfa_run.h"
#include "quillan/text.h"
#include "reading/input_file.h"
#include "reading/line_reader.h"
#include "reading/record_loop.h"
#include "report/exchange_report.h"

namespace kalvor {

using hfa::lower;
using hfa::value_of;
using quillan::Value;

namespace {

constexpr int kHeadingLines = 2;
constexpr std::size_t kConstantEntryFields = 7;
constexpr std::size_t kEntryFields = 12;
constexpr std::size_t kMarkerFields = 6;
constexpr std::size_t kRoadRowFields = 10;
constexpr float kProgressStep = 10;

// The layout marker that the road translation writes as the associated
// barrier link: "Layout: L: Elevated|Grade: road link: roadflow: link ID".
struct Marker {
  double layout = 0;
  std::string level;
  std::string road_link_no;
  int roadflow = 0;
  std::string link_id;
};

// The fields of a line cut at ":", or none for an empty line.
std::vector<std::string> colon_fields(quillan::Varnik& lib, const std::string& line) {
  if (quillan::trim(line).empty()) return {};
  return lib.split_inputline(line, ":");
}

bool labelled(const std::vector<std::string>& fields, std::string_view label) {
  return fields.size() >= 2 && report::has_label(fields[0], label);
}

std::optional<Marker> parse_marker(quillan::Varnik& lib, const std::string& line) {
  const std::vector<std::string> f = colon_fields(lib, line);
  if (!labelled(f, report::kAssociatedBarrierLabel)) return std::nullopt;
  const std::string value = quillan::trim(f[1]);
  if (report::is_not_applicable(value) || quillan::is_numeric_text(value)) return std::nullopt;
  if (f.size() < kMarkerFields) return std::nullopt;
  std::size_t colon = std::string::npos;
  for (std::size_t i = 0; i < kMarkerFields; ++i) colon = line.find(':', colon + 1);
  return Marker{value_of(quillan::trim(f[2])), quillan::trim(f[3]),
                quillan::number_to_text(value_of(quillan::trim(f[4]))),
                static_cast<int>(value_of(quillan::trim(f[5]))),
                colon == std::string::npos ? "" : line.substr(colon + 1)};
}

std::optional<double> link_number(quillan::Varnik& lib, const std::string& line) {
  const std::vector<std::string> f = colon_fields(lib, line);
  if (!labelled(f, report::kLinkNoLabel)) return std::nullopt;
  return value_of(quillan::trim(f[1]));
}

// The barrier along one side of a road link.
struct BarrierSide {
  bool present = false;
  long link_no = 0;
  double distance = 0, height = 0, angle = 0, end_distance = 0, end_height = 0;
};

struct Point {
  double x = 0, y = 0;
  bool has_both_coordinates() const { return x != 0 && y != 0; }
};

// One segment row of the road piece.
struct RoadRow {
  std::string number;
  Point from, to;
  double z1 = 0, z2 = 0;
  double half_width = 0;
};

RoadRow parse_row(quillan::Varnik& lib, const std::string& line) {
  std::vector<std::string> f = lib.split_inputline(line, " ");
  f.resize(std::max(f.size(), kRoadRowFields), "0");
  return {f[0],
          {value_of(f[1]), value_of(f[2])},
          {value_of(f[5]), value_of(f[6])},
          value_of(f[3]),
          value_of(f[7]),
          value_of(f[9]) / 2};
}

Point as_point(const Value& v) {
  return {v.list()[0].to_number(), v.list()[1].to_number()};
}

Value as_value(const Point& p) {
  return quillan::make_point(p.x, p.y);
}

// A road segment shifted sideways: negative distances to the left.
std::array<Point, 2> shifted(quillan::Varnik& lib, const RoadRow& row, double start, double end) {
  Value r1, r2;
  lib.Calculate_VBAR_for_2_Pts(as_value(row.from), as_value(row.to), start, end, r1, r2);
  return {as_point(r1), as_point(r2)};
}

Point intersection(quillan::Varnik& lib, const std::array<Point, 2>& a,
                   const std::array<Point, 2>& b) {
  Value p;
  lib.Calculate_VBAR_get_Intersection_Pt(as_value(a[0]), as_value(a[1]), as_value(b[0]),
                                         as_value(b[1]), p);
  return as_point(p);
}

// Where neighbouring shifted segments are joined at the intersection of
// their lines, that intersection must be one the road's shape explains.
//
// Along a straight road, or where a road doubles back on itself, the two
// lines are parallel but for the rounding of their points to one decimal;
// their intersection is then an accident of rounding and can lie anywhere
// along them (metres off for a straight diagonal road, millions of
// kilometres for a road that turns back). And at a hairpin the intersection
// of the lines, although well defined, lies far beyond the bend. In both
// cases the rows are joined as those of parallel lines are: each ends at its
// own shifted end point.
constexpr double kSmallestTurn = 0.0349;  // sine of 2 degrees
// Farthest a joint may lie from the road's own joint, in offset distances:
// the point of a bend of up to about 150 degrees.
constexpr double kJointReach = 4;

bool lines_cross_clearly(const RoadRow& before, const RoadRow& after) {
  const double dx1 = before.to.x - before.from.x, dy1 = before.to.y - before.from.y;
  const double dx2 = after.to.x - after.from.x, dy2 = after.to.y - after.from.y;
  const double lengths = std::hypot(dx1, dy1) * std::hypot(dx2, dy2);
  return std::abs(dx1 * dy2 - dy1 * dx2) > kSmallestTurn * lengths;
}

bool within_reach(const Point& joint, const Point& road_joint, double offset) {
  return std::hypot(joint.x - road_joint.x, joint.y - road_joint.y) <=
         kJointReach * std::abs(offset);
}

// The joint of two shifted segments, or (0, 0) (no joint) when the road's
// shape does not explain one.
Point joint_of(quillan::Varnik& lib, const RoadRow& before_row, const std::array<Point, 2>& before,
               const RoadRow& after_row, const std::array<Point, 2>& after, double offset) {
  if (!lines_cross_clearly(before_row, after_row)) return {};
  const Point joint = intersection(lib, before, after);
  if (!within_reach(joint, before_row.to, offset)) return {};
  return joint;
}

// Distance of a side's barrier from the road centre line for a segment; the
// side's end distance holds at the end of the segment where the span counter
// is 1.
double start_distance(const BarrierSide& side, double sign, const RoadRow& row) {
  return sign * (side.distance + row.half_width);
}

double end_distance(const BarrierSide& side, double sign, const RoadRow& row, double span) {
  return sign * ((span == 1 ? side.end_distance : side.distance) + row.half_width);
}

// Distances, heights and angles of the road's left and right barrier; a line
// of seven fields keeps distance and height over the whole link.
std::array<BarrierSide, 2> layout_barrier_sides(const hfa::IndexedLine& entry, int roadflow) {
  const std::vector<std::string>& f = entry.fields;
  const bool constant = f.size() < kEntryFields;
  auto side = [&](std::size_t first, std::size_t end_first) {
    BarrierSide s;
    s.distance = value_of(f[first]);
    s.height = value_of(f[first + 1]);
    s.angle = value_of(f[first + 2]);
    s.end_distance = constant ? s.distance : value_of(f[end_first]);
    s.end_height = constant ? s.height : value_of(f[end_first + 1]);
    return s;
  };
  std::array<BarrierSide, 2> sides = {side(1, 7), side(4, 9)};
  if (roadflow == 1) std::swap(sides[0], sides[1]);
  return sides;
}

double entry_span(const hfa::IndexedLine& entry) {
  if (entry.fields.size() < kEntryFields) return 1;
  return quillan::round_half_even(value_of(entry.fields[11]), 0);
}

// Numbers the barriers of the sides that have one, continuing the report's
// barrier links; returns the road's association text ("5", "5,6").
std::string associate_barrier_links(long& barrier_link_no, std::array<BarrierSide, 2>& sides) {
  std::string association;
  for (BarrierSide& side : sides) {
    side.present = side.distance != 0 || side.end_distance != 0;
    if (!side.present) continue;
    side.link_no = ++barrier_link_no;
    if (!association.empty()) association += ",";
    association += std::to_string(side.link_no);
  }
  return association;
}

void copy_lines(quillan::Varnik& lib, int IFileID, int OFileID, int count) {
  for (int i = 0; i < count && !lib.CheckEOF(IFileID); ++i) {
    lib.PrintLine(OFileID, lib.GetLine(IFileID), true);
  }
}

// Z of both ends comes from the road row read when the barrier row is
// written.
void write_barrier_row(quillan::Varnik& lib, int OFileID, const BarrierSide& side,
                       const std::string& number, const Point& from, const Point& to,
                       const RoadRow& read_row, double end_height) {
  report::Writer(lib, OFileID, report::kHfaLabels)
      .barrier_segment(
          {{number, from.x, from.y, read_row.z1, side.height, to.x, to.y, read_row.z2, end_height},
           side.angle,
           report::kNotApplicable,
           report::kNotApplicable,
           0,
           report::kNotApplicable});
}

// Copies the road link's segment rows and writes, for each side with a
// barrier, one barrier row per road segment: the shifted segments of
// neighbouring road segments are joined at the intersection of their lines.
void trace_barriers(quillan::Varnik& lib, std::array<BarrierSide, 2>& sides, double span,
                    int Road_IFileID, int Road_OFileID, const int pieces[2]) {
  if (lib.CheckEOF(Road_IFileID)) return;
  const double signs[2] = {-1, 1};
  std::string line = lib.GetLine(Road_IFileID);
  lib.PrintLine(Road_OFileID, line, true);
  RoadRow previous = parse_row(lib, line);
  // Per side: the end distance and the shifted line of the previous segment,
  // and the joint where its barrier row starts.
  double end[2];
  std::array<Point, 2> previous_shift[2];
  Point joint[2];
  for (int i = 0; i < 2; ++i) {
    end[i] = end_distance(sides[i], signs[i], previous, span);
    if (sides[i].present) {
      previous_shift[i] =
          shifted(lib, previous, start_distance(sides[i], signs[i], previous), end[i]);
    }
  }
  if (span >= 1) --span;

  while (!lib.CheckEOF(Road_IFileID)) {
    line = lib.GetLine(Road_IFileID);
    lib.PrintLine(Road_OFileID, line, true);
    if (quillan::trim(line).empty()) break;
    const RoadRow current = parse_row(lib, line);
    for (int i = 0; i < 2; ++i) {
      if (!sides[i].present) continue;
      // The current segment starts where the previous one ended.
      const double current_end = end_distance(sides[i], signs[i], current, span);
      const auto& before = previous_shift[i];
      const auto after = shifted(lib, current, end[i], current_end);
      const Point next_joint = joint_of(lib, previous, before, current, after, end[i]);
      write_barrier_row(lib, pieces[i], sides[i], previous.number,
                        joint[i].has_both_coordinates() ? joint[i] : before[0],
                        next_joint.has_both_coordinates() ? next_joint : before[1], current,
                        sides[i].height);
      joint[i] = next_joint;
      end[i] = current_end;
      previous_shift[i] = after;
    }
    previous = current;
    if (span >= 1) --span;
  }
  for (int i = 0; i < 2; ++i) {
    if (!sides[i].present) continue;
    const auto& last = previous_shift[i];
    write_barrier_row(lib, pieces[i], sides[i], previous.number,
                      joint[i].has_both_coordinates() ? joint[i] : last[0], last[1], previous,
                      sides[i].end_height);
  }
}

// Copies lines up to the next empty line, which is read but not copied.
void copy_record_rest(quillan::Varnik& lib, int IFileID, int OFileID) {
  while (!lib.CheckEOF(IFileID)) {
    std::string line = lib.GetLine(IFileID);
    if (quillan::trim(line).empty()) return;
    lib.PrintLine(OFileID, line, true);
  }
}

// Copies the next record of a piece, skipping the empty lines before it;
// false when the piece has no further record.
bool copy_next_record(quillan::Varnik& lib, int IFileID, int OFileID) {
  while (!lib.CheckEOF(IFileID)) {
    std::string line = lib.GetLine(IFileID);
    if (quillan::trim(line).empty()) continue;
    lib.PrintLine(OFileID, line, true);
    copy_record_rest(lib, IFileID, OFileID);
    return true;
  }
  return false;
}

}  // namespace

// The layout-barrier file: two heading lines, then one line per layout up
// to the first empty line.
void HFA_Lib::HFANoise_CreateCheckIndexForLayBar(const std::string& LB_IFilePath, int LB_IFileID) {
  Run& c = *run_;
  c.layout_barrier_lines.clear();
  reading::open_input(lib_, LB_IFileID, hfa::kLayoutBarrierRole, LB_IFilePath);
  try {
    for (int line_no = 1; !lib_.CheckEOF(LB_IFileID); ++line_no) {
      std::string line = quillan::trim(lib_.GetLine(LB_IFileID));
      if (line.empty()) break;
      if (line_no <= kHeadingLines) continue;
      std::vector<std::string> fields = lib_.split_inputline(line, " ");
      c.layout_barrier_lines.add(std::move(line), std::move(fields), line_no);
    }
    close_file_handler(LB_IFileID);
  } catch (const quillan::Error& e) {
    throw ConversionError("The layout-barrier file " + LB_IFilePath +
                          " cannot be read: " + e.what());
  }
}

bool HFA_Lib::HFANoise_CheckIndexForLayBar(const std::string& layout) const {
  return run_->layout_barrier_lines.find(value_of(layout)) != nullptr;
}

const hfa::IndexedLine* HFA_Lib::HFANoise_GetLayBarData(const std::string& LB_IFilePath,
                                                        double layout) const {
  const hfa::IndexedLine* line = run_->layout_barrier_lines.find(layout);
  if (line == nullptr) return nullptr;
  const std::size_t n = line->fields.size();
  if (n < kConstantEntryFields || (n > kConstantEntryFields && n < kEntryFields)) {
    throw ConversionError(
        reading::line_message(hfa::kLayoutBarrierRole + (" " + LB_IFilePath), line->line_number,
                              "the line \"" + line->text + "\" has " + std::to_string(n) +
                                  " fields; 7 (constant distance and height) or 12 expected"));
  }
  // A word read as 0 would move a barrier onto the road, or drop its side.
  constexpr const char* kColumns[] = {"Layout", "Lpd",  "Lbh",  "Lba",  "Rpd",  "Rbh",
                                      "Rpa",    "Lpd2", "Lbh2", "Rpd2", "Rbh2", "NumSeg"};
  for (std::size_t i = 1; i < std::min(n, kEntryFields); ++i) {
    if (quillan::is_numeric_text(line->fields[i])) continue;
    throw ConversionError(
        reading::line_message(hfa::kLayoutBarrierRole + (" " + LB_IFilePath), line->line_number,
                              "the line \"" + line->text + "\" has \"" + line->fields[i] +
                                  "\" where " + kColumns[i] + " is expected as a number"));
  }
  return line;
}

void HFA_Lib::generate_layout_barriers(JobDetails& frmMain) {
  frmMain.set_status("Processing ... (Layout Barrier)");
  frmMain.set_progress(0);
  open_file_handler(piece(hfa::suffix::RoadPiece), 0, hfa::channel::Input);
  open_file_handler(piece(hfa::suffix::RoadPieceWithLayoutBarriers), 1,
                    hfa::channel::RoadPieceWithLayoutBarriers);
  open_file_handler(piece(hfa::suffix::LeftLayoutBarrierPiece), 1,
                    hfa::channel::LeftLayoutBarrierPiece);
  open_file_handler(piece(hfa::suffix::RightLayoutBarrierPiece), 1,
                    hfa::channel::RightLayoutBarrierPiece);
  reading::for_each_record(
      frmMain,
      [&] {
        return HFANoise_GenerateLayoutBarrier(
            hfa::channel::Input, hfa::channel::RoadPieceWithLayoutBarriers,
            run_->layout_barrier_path, hfa::channel::LayoutBarrierInput,
            hfa::channel::LeftLayoutBarrierPiece, hfa::channel::RightLayoutBarrierPiece);
      },
      [&frmMain](long) {
        const float next = frmMain.progress() + kProgressStep;
        frmMain.set_progress(next > 100 ? 0 : next);
      });
  for (int ch : {hfa::channel::RightLayoutBarrierPiece, hfa::channel::LeftLayoutBarrierPiece,
                 hfa::channel::RoadPieceWithLayoutBarriers, hfa::channel::Input}) {
    close_file_handler(ch);
  }
}

bool HFA_Lib::HFANoise_GenerateLayoutBarrier(int Road_IFileID, int Road_OFileID,
                                             const std::string& LB_IFilePath, int, int LLB_OFileID,
                                             int RLB_OFileID) {
  Run& c = *run_;
  while (!lib_.CheckEOF(Road_IFileID)) {
    c.job.process_events();
    const std::string line = lib_.GetLine(Road_IFileID);
    std::optional<Marker> marker = parse_marker(lib_, quillan::trim(line));
    if (!marker) {
      lib_.PrintLine(Road_OFileID, line, true);
      continue;
    }
    report::Writer road(lib_, Road_OFileID, report::kHfaLabels);
    const hfa::IndexedLine* entry = HFANoise_GetLayBarData(LB_IFilePath, marker->layout);
    if (entry == nullptr) {
      // The layout has no entry: the road keeps no barrier.
      road.road_associated_barrier(report::kNotApplicable);
      return true;
    }
    std::array<BarrierSide, 2> sides = layout_barrier_sides(*entry, marker->roadflow);
    road.road_associated_barrier(associate_barrier_links(c.barrier_link_no, sides));
    copy_lines(lib_, Road_IFileID, Road_OFileID, kHeadingLines);
    const int pieces[2] = {LLB_OFileID, RLB_OFileID};
    // Roads of the B->A file run against their layout: its sides swap.
    const char* labels[2] = {" - LLB", " - RLB"};
    if (marker->roadflow == 1) std::swap(labels[0], labels[1]);
    for (int i = 0; i < 2; ++i) {
      if (!sides[i].present) continue;
      report::Writer piece(lib_, pieces[i], report::kHfaLabels);
      piece.empty_line();
      piece.barrier_link_no(sides[i].link_no);
      piece.barrier_link_id(quillan::trim(marker->link_id) + labels[i]);
      piece.barrier_type(report::kReflective);
      piece.barrier_level(marker->level);
      piece.barrier_associated_road(marker->road_link_no);
      piece.barrier_segment_headings();
    }
    trace_barriers(lib_, sides, entry_span(*entry), Road_IFileID, Road_OFileID, pieces);
    return true;
  }
  return false;
}

void HFA_Lib::HFANoise_SortLB(const std::string& LLB_IFilePath, int LLB_IFileID,
                              const std::string& RLB_IFilePath, int RLB_IFileID, int LB_OFileID) {
  double first = 0;
  open_file_handler(LLB_IFilePath, 0, LLB_IFileID);
  while (!lib_.CheckEOF(LLB_IFileID)) {
    if (auto n = link_number(lib_, lib_.GetLine(LLB_IFileID))) {
      first = *n;
      break;
    }
  }
  close_file_handler(LLB_IFileID);
  bool left_first = true;
  open_file_handler(RLB_IFilePath, 0, RLB_IFileID);
  while (!lib_.CheckEOF(RLB_IFileID)) {
    auto n = link_number(lib_, lib_.GetLine(RLB_IFileID));
    if (n && *n < first) {
      first = *n;
      left_first = false;
      break;
    }
  }
  close_file_handler(RLB_IFileID);
  if (left_first) {
    HFANoise_MergeLB(LLB_IFilePath, LLB_IFileID, RLB_IFilePath, RLB_IFileID, LB_OFileID, first);
  } else {
    HFANoise_MergeLB(RLB_IFilePath, RLB_IFileID, LLB_IFilePath, LLB_IFileID, LB_OFileID, first);
  }
}

void HFA_Lib::HFANoise_MergeLB(const std::string& first_path, int first_id,
                               const std::string& second_path, int second_id, int OFileID,
                               double& expected) {
  open_file_handler(first_path, 0, first_id);
  open_file_handler(second_path, 0, second_id);
  while (!lib_.CheckEOF(first_id)) {
    const std::string line = lib_.GetLine(first_id);
    const std::optional<double> number = link_number(lib_, line);
    if (!number) {
      lib_.PrintLine(OFileID, line, true);
      continue;
    }
    // Records of the other piece that come first in the numbering.
    while (*number != expected && copy_next_record(lib_, second_id, OFileID)) {
      lib_.PrintLine(OFileID, "", true);
      ++expected;
    }
    lib_.PrintLine(OFileID, line, true);
    copy_record_rest(lib_, first_id, OFileID);
    lib_.PrintLine(OFileID, "", true);
    expected = *number + 1;
  }
  while (!lib_.CheckEOF(second_id)) lib_.PrintLine(OFileID, lib_.GetLine(second_id), true);
  close_file_handler(first_id);
  close_file_handler(second_id);
}

}  // namespace kalvor
