// HFCNoise road and barrier records. A record is a polyline of nodes; where
// the road surface (roads) or the elevated state (barriers) changes along it,
// the record is written as several sub-links that share its name with a
// numeric suffix and take consecutive link numbers.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "hfc/hfc_lib.h"
#include "hfc_input.h"
#include "hfc_run.h"
#include "quillan/text.h"
#include "report/exchange_report.h"

namespace kalvor {

namespace {

constexpr const char* kBarriersMarker = "Barriers:";
constexpr const char* kReceiversMarker = "Receivers:";
// A node line holds six values; a shorter one has no position of its own.
constexpr std::size_t kNodeFieldCount = 6;

std::string link_id(const std::string& name, long sub_link) {
  return sub_link == 0 ? name : name + "-" + std::to_string(sub_link);
}

// A short node line would otherwise repeat the previous node and put a
// segment of no length into the report.
void require_node_fields(const reading::LineReader& in, std::size_t fields, const char* layout) {
  if (fields < kNodeFieldCount)
    in.fail("expected a node line of at least " + std::to_string(kNodeFieldCount) + " fields (" +
            layout + "), found " + std::to_string(fields));
}

// Node values written to the report must be numbers: a word would stand in
// a coordinate column.
void require_numbers(const reading::LineReader& in, const std::vector<std::string>& fields,
                     std::initializer_list<std::pair<std::size_t, const char*>> wanted) {
  for (const auto& [index, what] : wanted) hfc::number_in(in, fields[index], what);
}

// Reads a code that must be 0 or 1, whatever form the number takes ("0.0").
bool zero_or_one(const reading::LineReader& in, const std::string& field, const std::string& what) {
  const double code = hfc::number_in(in, field, what);
  if (code != 0 && code != 1) in.fail("expected " + what + " as 0 or 1, found \"" + field + "\"");
  return code == 1;
}

// Walks a record of `segments` segments as one or more sub-links.
// `open_sub_link(sub_link)` writes a sub-link's head; the first sub-link
// reads its first node there, a later one starts at the node that closed the
// previous one. `next_segment(segment)` reads the next node, writes the
// segment ending there and tells whether the sub-link changes at that node.
// A change at the last node opens nothing, since no segment follows it, so
// link numbers stay consecutive.
template <class OpenSubLink, class NextSegment>
void walk_sub_links(JobDetails& job, report::Writer& out, long segments, OpenSubLink open_sub_link,
                    NextSegment next_segment) {
  long first = 0;  // the sub-link's first node
  for (long sub_link = 0;; ++sub_link) {
    job.process_events();
    open_sub_link(sub_link);
    bool changed = false;
    for (long j = first + 1; j <= segments && !changed; ++j) {
      changed = next_segment(j - first) && j < segments;
      if (changed) first = j;
    }
    out.empty_line();
    if (!changed) return;
  }
}

}  // namespace

// ---- Roads -----------------------------------------------------------------

bool HFC_Lib::HFCNoise_Print_Roads(reading::LineReader& in, report::Writer& out) {
  ++run_->road_link_no;
  const auto line_a =
      hfc::next_fields(lib_, in, "a road record (name, category) or the \"Barriers:\" line");
  if (line_a[0] == kBarriersMarker) {
    out.barrier_section_heading();
    out.empty_line();
    return false;
  }
  read_road_head(in, line_a);
  const long segments =
      hfc::segment_count(in, hfc::next_fields(lib_, in, "the number of segments")[0]);
  in.next("road line C");
  in.next("road line D");
  const auto one_decimal_field = [this, &in](const char* what) {
    return quillan::one_decimal(hfc::next_fields(lib_, in, what)[0]);
  };
  run_->flow = one_decimal_field("the traffic flow (veh/hr)");
  run_->speed = one_decimal_field("the speed (km/h)");
  run_->heavy_vehicles = one_decimal_field("the percentage of heavy vehicles");
  in.next("road line H");

  walk_sub_links(
      run_->job, out, segments,
      [&](long sub_link) {
        if (sub_link > 0) ++run_->road_link_no;
        write_road_link_head(out, sub_link);
        if (sub_link == 0) read_road_node(in);
        open_road_sub_link(in, out);
      },
      [&](long segment) {
        read_road_node(in);
        write_road_segment(out, segment);
        run_->road_from = run_->road_node;
        // Surface codes are compared as text.
        return run_->road_node.surface != run_->sub_link_surface;
      });
  return true;
}

void HFC_Lib::read_road_head(const reading::LineReader& in,
                             const std::vector<std::string>& line_a) {
  run_->road_name = line_a[0];
  if (line_a.size() == 1) {
    run_->category = report::kExistingRoad;
  } else if (line_a[1] == "N") {
    run_->category = report::kNewRoad;
  } else if (line_a[1] == "E") {
    run_->category = report::kExistingRoad;
  } else if (line_a[1] == "A") {
    run_->category = report::kOtherRoad;
  } else {
    // Another code would leave the category of the road before.
    in.fail(
        "expected the road category after the name as N (new), E (existing) or A (other), "
        "found \"" +
        line_a[1] + "\"");
  }
  // A third field marks the road as elevated.
  run_->elevated = report::yes_no(line_a.size() == 3);
}

void HFC_Lib::read_road_node(reading::LineReader& in) {
  constexpr const char* kLayout = "Y X Z direction width surface";
  const auto fields =
      hfc::fields_of(lib_, in.next(std::string("a road node line (") + kLayout + ")"));
  require_node_fields(in, fields.size(), kLayout);
  require_numbers(in, fields,
                  {{0, "Y (field 1)"},
                   {1, "X (field 2)"},
                   {2, "Z (field 3)"},
                   {4, "the road width (field 5)"},
                   {5, "the surface code (field 6)"}});
  run_->road_node = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

void HFC_Lib::write_road_link_head(report::Writer& out, long sub_link) {
  out.road_link_no(run_->road_link_no);
  out.road_link_id(link_id(run_->road_name, sub_link));
  out.road_category(run_->category);
  out.road_flow(run_->flow);
  out.road_speed(run_->speed, report::kYes);
  out.road_heavy_vehicles(run_->heavy_vehicles);
}

// The current node starts the sub-link: its direction and surface codes
// decide the rest of the link head. Another code than 0 or 1 fails, as it
// would leave the values of the link before.
void HFC_Lib::open_road_sub_link(reading::LineReader& in, report::Writer& out) {
  const hfc::RoadNode& node = run_->road_node;
  run_->road_from = node;
  run_->sub_link_surface = node.surface;
  if (run_->road_level_switch) {
    run_->flow_direction = report::kNotApplicable;
  } else {
    run_->flow_direction =
        zero_or_one(in, node.direction, "the flow direction code (field 4: 0 one way, 1 two way)")
            ? report::kTwoWay
            : report::kOneWay;
  }
  run_->surface_type =
      zero_or_one(in, node.surface, "the surface code (field 6: 0 bituminous, 1 pervious)")
          ? report::kPervious
          : report::kBituminous;

  out.road_flow_direction(run_->flow_direction);
  out.road_dual_carriageway(report::kNotApplicable);
  out.road_divider_and_separation(report::kNotApplicable, report::kNotApplicable);
  out.road_elevated(run_->elevated);
  out.road_surface(run_->surface_type);
  out.road_texture_depth("2.0");
  out.road_associated_barrier(report::kNotApplicable);
  out.road_segment_headings();
}

void HFC_Lib::write_road_segment(report::Writer& out, long segment) {
  const hfc::RoadNode& from = run_->road_from;
  const hfc::RoadNode& to = run_->road_node;
  report::RoadSegment row;
  row.number = segment;
  row.x1 = from.x;
  row.y1 = from.y;
  row.z1 = from.z;
  row.h1 = report::kNotApplicable;
  row.x2 = to.x;
  row.y2 = to.y;
  // With the road level switch on, every segment keeps its start level.
  row.z2 = run_->road_level_switch ? from.z : to.z;
  row.h2 = report::kNotApplicable;
  row.width = from.width;
  row.ground_left = report::kNotApplicable;
  row.ground_right = report::kNotApplicable;
  out.road_segment(row);
}

// ---- Barriers --------------------------------------------------------------

namespace {
bool is_elevated(const std::string& elevation_code) {
  return quillan::leading_number(elevation_code) != 0;
}
const char* level_of(const std::string& elevation_code) {
  return is_elevated(elevation_code) ? "Elevated" : "Grade";
}
}  // namespace

bool HFC_Lib::HFCNoise_Print_Barriers(reading::LineReader& in, report::Writer& out) {
  ++run_->barrier_link_no;
  const auto line_a =
      hfc::next_fields(lib_, in, "a barrier record (name, type) or the \"Receivers:\" line");
  if (line_a[0] == kReceiversMarker) {
    out.receiver_section_heading();
    out.empty_line();
    return false;
  }
  run_->barrier_name = line_a[0];
  run_->barrier_type = line_a.size() >= 2 && quillan::to_upper(line_a[1]) == "A"
                           ? report::kAbsorptive
                           : report::kReflective;
  const long segments =
      hfc::segment_count(in, hfc::next_fields(lib_, in, "the number of segments")[0]);

  // Elevation codes are compared as text, except from one elevated value to
  // another: "0" to "0.0" opens a new sub-link, "5" to "7" does not.
  walk_sub_links(
      run_->job, out, segments,
      [&](long sub_link) {
        if (sub_link == 0) read_barrier_node(in);
        if (sub_link > 0) ++run_->barrier_link_no;
        run_->barrier_level = level_of(run_->barrier_node.elevation);
        write_barrier_link_head(out, sub_link);
        run_->barrier_from = run_->barrier_node;
        run_->elevation_code = run_->barrier_node.elevation;
        out.barrier_segment_headings();
      },
      [&](long segment) {
        read_barrier_node(in);
        const std::string& code = run_->barrier_node.elevation;
        if (is_elevated(run_->elevation_code) && is_elevated(code)) run_->elevation_code = code;
        write_barrier_segment(out, segment);
        run_->barrier_from = run_->barrier_node;
        return code != run_->elevation_code;
      });
  return true;
}

void HFC_Lib::read_barrier_node(reading::LineReader& in) {
  constexpr const char* kLayout = "Y X elevation Z H angle";
  const auto fields =
      hfc::fields_of(lib_, in.next(std::string("a barrier node line (") + kLayout + ")"));
  require_node_fields(in, fields.size(), kLayout);
  require_numbers(in, fields,
                  {{0, "Y (field 1)"},
                   {1, "X (field 2)"},
                   {2, "the elevation code (field 3)"},
                   {3, "Z (field 4)"},
                   {4, "H (field 5)"},
                   {5, "the inclined angle (field 6)"}});
  run_->barrier_node = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

void HFC_Lib::write_barrier_link_head(report::Writer& out, long sub_link) {
  out.barrier_link_no(run_->barrier_link_no);
  out.barrier_link_id(link_id(run_->barrier_name, sub_link));
  out.barrier_type(run_->barrier_type);
  out.barrier_level(run_->barrier_level);
  out.barrier_associated_road(report::kNotApplicable);
}

void HFC_Lib::write_barrier_segment(report::Writer& out, long segment) {
  const hfc::BarrierNode& from = run_->barrier_from;
  const hfc::BarrierNode& to = run_->barrier_node;
  report::BarrierSegment row;
  row.number = segment;
  row.x1 = from.x;
  row.y1 = from.y;
  row.z1 = from.z;
  row.h1 = from.h;
  row.x2 = to.x;
  row.y2 = to.y;
  // With the barrier level switch on, every segment keeps its start level.
  row.z2 = run_->barrier_level_switch ? from.z : to.z;
  row.h2 = from.h;
  row.inclined_angle = quillan::one_decimal(from.angle);
  row.mean_length = report::kNotApplicable;
  row.mean_opening = report::kNotApplicable;
  row.foa = report::kNotApplicable;
  row.width = "0.0";
  out.barrier_segment(row);
}

}  // namespace kalvor
