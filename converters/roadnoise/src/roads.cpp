// Road links: the road segment file (.SEG) and the traffic of each link from
// the flow file (.FLO).
#include "quillan/text.h"
#include "reading/input_file.h"
#include "roadnoise/roadnoise_lib.h"
#include "roadnoise_run.h"

namespace kalvor {

using reading::LineReader;
using roadnoise::contains;
using roadnoise::KeywordValue;

namespace roadnoise {

// The keyword values of the segment file; they carry over from segment to
// segment and from link to link until their keyword occurs again.
struct SegmentRecord {
  KeywordValue start_x{"RSX"}, start_y{"RSY"}, start_z{"HCS"};
  KeywordValue end_x{"REX"}, end_y{"REY"}, end_z{"HCE"};
  KeywordValue category{"CAT"}, carriageway{"NCY"}, divider{"DCY"}, separation{"HCY"};
  KeywordValue surface{"RST"}, texture{"RTD"}, width{"WCY"}, ground{"GND"};
  KeywordValue flow_number{"UFN"};

  // Takes the values a line holds; true when it starts a new road link (RSX
  // or UFN).
  bool take(const std::string& line, long n) {
    bool starts_link = start_x.take(line, n);
    bool took = starts_link;
    for (KeywordValue* value : {&start_y, &start_z, &end_x, &end_y, &end_z, &category, &carriageway,
                                &divider, &separation, &surface, &texture, &width, &ground})
      took = value->take(line, n) || took;
    if (flow_number.take(line, n)) starts_link = took = true;
    holds_values = holds_values || took;
    return starts_link;
  }

  // Whether any keyword has occurred yet.
  bool holds_values = false;

  // The segment's end is where the next segment starts.
  void move_to_end() {
    start_x.take_over(end_x);
    start_y.take_over(end_y);
    start_z.take_over(end_z);
  }
};

}  // namespace roadnoise

namespace {

constexpr int kFlowChannel = 3;

void zero_if_empty(KeywordValue& value) {
  if (value.empty()) value.set("0");
}

// Twice the carriageway width; a negative divider value narrows it.
double road_width(const roadnoise::SegmentRecord& r, const std::string& file) {
  const double width = 2 * r.width.number(file);
  const double divider = r.divider.number(file);
  return divider > 0 ? width : width + divider;
}

std::string one_decimal(const KeywordValue& value) {
  return quillan::one_decimal(quillan::Value(value.text()));
}

// A negative FLO is the hourly flow itself; any other is divided by 18.
std::string hourly_flow(const KeywordValue& flow, const std::string& file) {
  if (flow.empty()) return {};
  const double value = flow.number(file);
  return quillan::format_fixed(value < 0 ? -value : value / 18, 1);
}

// A head value the input never gave is shown as not available.
quillan::Value given_or_na(const std::string& value) {
  return value.empty() ? quillan::Value(report::kNotApplicable) : quillan::Value(value);
}

void write_road_segment(const roadnoise::SegmentRecord& r, long number, const std::string& file,
                        report::Writer& out) {
  report::RoadSegment s;
  s.number = number;
  s.x1 = r.start_x.number_text(file);
  s.y1 = r.start_y.number_text(file);
  s.z1 = r.start_z.number_text(file);
  s.h1 = "0.0";
  s.x2 = r.end_x.number_text(file);
  s.y2 = r.end_y.number_text(file);
  s.z2 = r.end_z.number_text(file);
  s.h2 = "0.0";
  s.width = road_width(r, file);
  s.ground_left = r.ground.text();
  s.ground_right = r.ground.text();
  out.road_segment(s);
}

}  // namespace

void RoadNoise_Lib::RoadNoise_Print_Roads(LineReader& in, report::Writer& out) {
  roadnoise::SegmentRecord record;
  bool new_link = false;
  while (!in.at_end()) {
    std::string line = in.next_line();
    if (contains(line, "TEXT")) {
      // The name line is searched for keywords like any other line.
      line = in.next(roadnoise::kNameLine);
      run_->road.link_id = line;
    }
    if (record.take(line, in.line_number())) new_link = true;
    if (!contains(line, "SEND")) continue;
    if (new_link) {
      new_link = false;
      start_road_link(record, in.file(), out);
    } else if (run_->link_number == 0) {
      // A segment before any road link belongs to none: a bare "SEND" is
      // passed over, one with values cannot be placed.
      if (!record.holds_values) continue;
      in.fail("expected a road link to begin (RSX or UFN) before the first segment ends here");
    } else {
      zero_if_empty(record.start_x);
      zero_if_empty(record.start_y);
      zero_if_empty(record.start_z);
    }
    ++run_->line_counter;
    write_road_segment(record, run_->line_counter, in.file(), out);
    record.move_to_end();
  }
}

void RoadNoise_Lib::start_road_link(const roadnoise::SegmentRecord& record, const std::string& file,
                                    report::Writer& out) {
  run_->line_counter = 0;
  ++run_->link_number;
  const double category = record.category.number(file);
  run_->road.category = category == 3   ? report::kNewRoad
                        : category == 1 ? report::kExistingRoad
                                        : report::kOtherRoad;
  RoadNoise_Get_Flow(record.flow_number.text());
  set_carriageway(record.carriageway.code(file, 2, "0 two-way, 1 one-way, 2 dual carriageway"));
  run_->road.vertical_separation = one_decimal(record.separation);
  set_surface(record.surface.code(file, 3,
                                  "0 bituminous, 1 concrete, 2 pervious, 3 surface "
                                  "correction"),
              one_decimal(record.texture));
  write_road_link_head(out);
}

void RoadNoise_Lib::set_carriageway(int code) {
  run_->road.flow_direction = code == 1 ? report::kOneWay : report::kTwoWay;
  run_->road.dual_carriageway = report::yes_no(code == 2);
}

// Surface codes 0 to 2 name the surface and take RTD as the texture depth;
// code 3 takes RTD as a surface correction.
void RoadNoise_Lib::set_surface(int code, const std::string& texture) {
  static constexpr const char* kSurfaces[] = {report::kBituminous, report::kConcrete,
                                              report::kPervious};
  if (code == 3) {
    run_->road.surface_type = "Surface Correction = " + texture + " dB(A)";
    run_->road.texture_depth = report::kNotApplicable;
    return;
  }
  run_->road.surface_type = kSurfaces[code];
  run_->road.texture_depth = texture;
}

void RoadNoise_Lib::write_road_link_head(report::Writer& out) {
  out.empty_line();
  out.road_link_no(run_->link_number);
  out.road_link_id(run_->road.link_id);
  out.road_category(run_->road.category);
  out.road_flow(given_or_na(run_->road.flow));
  out.road_speed(given_or_na(run_->road.speed), run_->road.gradient_correction);
  out.road_heavy_vehicles(given_or_na(run_->road.heavy_vehicles));
  out.road_flow_direction(run_->road.flow_direction);
  out.road_dual_carriageway(run_->road.dual_carriageway);
  out.road_divider_and_separation("0.0", given_or_na(run_->road.vertical_separation));
  out.road_elevated(report::kNo);
  out.road_surface(run_->road.surface_type);
  out.road_texture_depth(given_or_na(run_->road.texture_depth));
  out.road_associated_barrier(report::kNotApplicable);
  out.road_segment_headings();
}

void RoadNoise_Lib::RoadNoise_Get_Flow(const std::string& flow_number) {
  const roadnoise::FlowRecord* record = flow_table().find(flow_number);
  if (record == nullptr) {
    run_->road.flow = run_->road.speed = run_->road.gradient_correction =
        run_->road.heavy_vehicles = report::kNotApplicable;
    return;
  }
  const std::string& file = run_->flows->file();
  run_->road.flow = hourly_flow(record->flow, file);
  run_->road.speed = one_decimal(record->speed);
  run_->road.gradient_correction = report::yes_no(record->gradient_basis.number(file) != 2);
  run_->road.heavy_vehicles = one_decimal(record->heavy_vehicles);
}

const roadnoise::FlowTable& RoadNoise_Lib::flow_table() {
  if (run_->flows) return *run_->flows;
  if (run_->flow_file.path.empty()) {
    throw ConversionError(run_->master_path +
                          ": the master file names no flow file (.FLO), which the road links need");
  }
  const std::string role =
      roadnoise::companion_role(run_->master_path, "flow file", run_->flow_file.master_line);
  reading::open_input(lib_, kFlowChannel, role, run_->flow_file.path);
  LineReader reader(lib_, kFlowChannel, role + " " + run_->flow_file.path, &run_->job);
  run_->flows.emplace(reader);
  lib_.close_file_handler(kFlowChannel);
  return *run_->flows;
}

}  // namespace kalvor
