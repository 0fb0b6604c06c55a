// Barrier links: barrier files (.BAR, .HSE) and line files (.CON, .PRO, .GND,
// .BND).
#include "roadnoise/roadnoise_lib.h"
#include "roadnoise_run.h"

namespace kalvor {

using reading::LineReader;
using roadnoise::contains;
using roadnoise::KeywordValue;

namespace roadnoise {

// Start and end of a barrier segment in a barrier file: plan position and
// barrier height.
struct BarrierPoints {
  KeywordValue start_x{"BSX"}, start_y{"BSY"}, start_h{"HBS"};
  KeywordValue end_x{"BEX"}, end_y{"BEY"}, end_h{"HBE"};

  // True when the line holds a start value (BSX, BSY or HBS).
  bool take_start(const std::string& line, long n) {
    bool found = start_x.take(line, n);
    found = start_y.take(line, n) || found;
    return start_h.take(line, n) || found;
  }
  // True when the line holds an end value (BEX, BEY or HBE).
  bool take_end(const std::string& line, long n) {
    bool found = end_x.take(line, n);
    found = end_y.take(line, n) || found;
    return end_h.take(line, n) || found;
  }
  void move_to_end() {
    start_x.take_over(end_x);
    start_y.take_over(end_y);
    start_h.take_over(end_h);
  }
};

// Start and end of a segment in a line file: plan position and level.
struct LinePoints {
  KeywordValue start_x{"CSX"}, start_y{"CSY"}, start_z{"HLS"};
  KeywordValue end_x{"CEX"}, end_y{"CEY"}, end_z{"HLE"};
  KeywordValue level{"HLA"}, ground{"GND"};

  // Takes the values a line holds; true when it holds CEX or CEY. HLA sets
  // the level of both ends.
  bool take(const std::string& line, long n) {
    start_x.take(line, n);
    start_y.take(line, n);
    start_z.take(line, n);
    bool end_found = end_x.take(line, n);
    end_found = end_y.take(line, n) || end_found;
    end_z.take(line, n);
    if (level.take(line, n)) {
      start_z.take_over(level);
      end_z.take_over(level);
    }
    ground.take(line, n);
    return end_found;
  }
  void move_to_end() {
    start_x.take_over(end_x);
    start_y.take_over(end_y);
    start_z.take_over(end_z);
  }
};

}  // namespace roadnoise

namespace {}  // namespace

void RoadNoise_Lib::RoadNoise_Print_Barriers(LineReader& in, report::Writer& out) {
  roadnoise::BarrierPoints points;
  std::string name;
  bool new_link = false;
  while (!in.at_end()) {
    const std::string line = in.next_line();
    if (contains(line, "TEXT")) {
      name = in.next(roadnoise::kNameLine);
      continue;
    }
    const long n = in.line_number();
    if (points.take_start(line, n)) new_link = true;
    const bool end_point = points.take_end(line, n);
    take_barrier_columns(line, n);
    // A segment is written at the first line holding an end value.
    if (!end_point) continue;
    if (new_link) {
      new_link = false;
      run_->saved_link_id = name;
      begin_barrier_link(report::kReflective, out);
    }
    write_barrier_row(points, in.file(), out);
  }
}

// Records of an .HSE file are closed by "NBA" or "RETN" lines: the values
// gathered between two such lines are written when the second is read, under
// the name that was current when the previous link was written.
void RoadNoise_Lib::RoadNoise_Print_HSE_Barriers(LineReader& in, report::Writer& out) {
  roadnoise::BarrierPoints points;
  std::string name;
  long separators = 0;
  bool new_link = false;
  while (!in.at_end()) {
    std::string line = in.next_line();
    bool print = false;
    if (contains(line, "NBA") || contains(line, "RETN")) {
      ++separators;
      if (separators == 1) run_->saved_link_id = name;
      print = separators > 1;
    }
    const bool name_follows = contains(line, "TEXT");
    if (name_follows) new_link = true;
    if (print) {
      const bool starts_link = new_link;
      if (starts_link) {
        new_link = false;
        begin_barrier_link(report::kReflective, out);
      }
      write_barrier_row(points, in.file(), out);
      if (starts_link) run_->saved_link_id = name;
    }
    if (name_follows) {
      line = in.next(roadnoise::kNameLine);
      name = line;
    }
    const long n = in.line_number();
    if (points.take_start(line, n)) new_link = true;
    points.take_end(line, n);
    take_barrier_columns(line, n);
  }
}

void RoadNoise_Lib::RoadNoise_Print_Line_Barriers(LineReader& in, report::Writer& out) {
  roadnoise::LinePoints points;
  bool new_link = false;
  bool end_point = false;
  while (!in.at_end()) {
    std::string line = in.next_line();
    if (contains(line, "TEXT")) {
      line = in.next(roadnoise::kNameLine);
      run_->saved_link_id = line;
      new_link = true;
      end_point = false;
    }
    if (points.take(line, in.line_number())) end_point = true;
    // A line holding "GND" is written without levels.
    const bool ground_line = contains(line, "GND");
    if (!end_point) continue;
    end_point = false;
    if (new_link) {
      new_link = false;
      begin_barrier_link(line_barrier_type(ground_line, points.ground, in.file()), out);
    }
    write_line_row(points, ground_line, in.file(), out);
  }
}

void RoadNoise_Lib::take_barrier_columns(const std::string& line, long line_number) {
  run_->foa.take(line, line_number);
  run_->wba.take(line, line_number);
}

// GND 0 is a reflective link and 1 an absorptive one. Lines without GND are
// absorptive.
std::string RoadNoise_Lib::line_barrier_type(bool ground_line, const KeywordValue& ground,
                                             const std::string& file) const {
  if (!ground_line) return report::kAbsorptive;
  return ground.code(file, 1, "0 reflective, 1 absorptive") == 0 ? report::kReflective
                                                                 : report::kAbsorptive;
}

void RoadNoise_Lib::begin_barrier_link(const std::string& type, report::Writer& out) {
  run_->line_counter = 0;
  ++run_->link_number;
  run_->barrier_type = type;
  out.empty_line();
  out.barrier_link_no(run_->link_number);
  out.barrier_link_id(run_->saved_link_id);
  out.barrier_type(run_->barrier_type);
  out.barrier_level("Grade");
  out.barrier_associated_road(report::kNotApplicable);
  out.barrier_segment_headings();
}

void RoadNoise_Lib::write_barrier_row(roadnoise::BarrierPoints& points, const std::string& file,
                                      report::Writer& out) {
  report::BarrierSegment s;
  s.number = ++run_->line_counter;
  s.x1 = points.start_x.number_text(file);
  s.y1 = points.start_y.number_text(file);
  s.z1 = "0.0";
  s.h1 = points.start_h.number_text(file);
  s.x2 = points.end_x.number_text(file);
  s.y2 = points.end_y.number_text(file);
  s.z2 = "0.0";
  s.h2 = points.end_h.number_text(file);
  s.inclined_angle = s.mean_length = s.mean_opening = report::kNotApplicable;
  s.foa = run_->foa.text();
  s.width = run_->wba.text();
  out.barrier_segment(s);
  points.move_to_end();
}

void RoadNoise_Lib::write_line_row(roadnoise::LinePoints& points, bool ground_line,
                                   const std::string& file, report::Writer& out) {
  report::BarrierSegment s;
  s.number = ++run_->line_counter;
  s.x1 = points.start_x.number_text(file);
  s.y1 = points.start_y.number_text(file);
  s.z1 = ground_line ? report::kNotApplicable : points.start_z.number_text(file);
  s.h1 = "0.0";
  s.x2 = points.end_x.number_text(file);
  s.y2 = points.end_y.number_text(file);
  s.z2 = ground_line ? report::kNotApplicable : points.end_z.number_text(file);
  s.h2 = "0.0";
  s.inclined_angle = s.mean_length = s.mean_opening = s.foa = s.width = report::kNotApplicable;
  out.barrier_segment(s);
  points.move_to_end();
}

}  // namespace kalvor
