// Reads an exchange report back into a model: the header values, the road
// links, the barrier links and the receivers, each with the line it starts
// on. Any of the four label variants of the layout is accepted, and values
// stay the text the report shows ("N/A", "???", "Grade" ...); units written
// after a value (" veh/hr", " km/h", " m", " mm", " deg") are taken off.
// number() reads a value when the whole text is a number.
//
// A text that is not an exchange report fails with ReportError, naming the
// line and what was expected there.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvor::report {

class ReportError : public std::runtime_error {
 public:
  ReportError(std::size_t line, const std::string& what);
  // 1-based number of the offending line (one past the last line when the
  // text ends too early).
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// The value when the whole text (blanks around allowed) is a number.
std::optional<double> number(std::string_view text);

struct ReportHeader {
  std::string consultant, phone, fax, email;
  std::string project_title, date, time;
  std::string coordinate_system, year_of_traffic_flow;
  std::string multiple_screening, opposite_facade;
  std::string cutoff_angle, cutoff_distance, cutoff_reflection;
};

struct SegmentEndText {
  std::string x, y, z, h;
};

struct SegmentText {
  std::string number;
  SegmentEndText from, to;
};

struct RoadSegmentText : SegmentText {
  std::string width, ground_left, ground_right;
};

struct BarrierSegmentText : SegmentText {
  std::string inclined_angle, mean_length, mean_opening, foa, width;
};

// First and last line (1-based) of a record in the report.
struct LineSpan {
  std::size_t first = 0, last = 0;
};

struct RoadLinkRecord {
  LineSpan lines;
  std::string number, id, category, flow, speed, speed_corrected_for_gradient;
  std::string heavy_vehicles, flow_direction, dual_carriageway;
  std::string divider_width, vertical_separation, elevated, surface, texture_depth;
  std::string associated_barriers;
  std::vector<RoadSegmentText> segments;
};

struct BarrierLinkRecord {
  LineSpan lines;
  std::string number, id, type, level, associated_road;
  std::vector<BarrierSegmentText> segments;
  // A barrier generated along a road layout: its ID ends " - LLB" or " - RLB".
  bool generated() const;
};

struct ReceiverRecord {
  LineSpan lines;
  std::string number, nsr_id, x, y, z, h, bearing_left, bearing_right, facade;
};

struct ParsedReport {
  ReportHeader header;
  std::vector<RoadLinkRecord> roads;
  // Road segment rows written without a record head (a RoadNoise segment
  // record that ends before any road link begins).
  std::vector<RoadSegmentText> headless_road_segments;
  std::vector<BarrierLinkRecord> barriers;
  std::vector<ReceiverRecord> receivers;

  std::size_t road_segment_count() const;
  std::size_t barrier_segment_count() const;
  std::size_t generated_barrier_count() const;
};

// The text of a report cut into lines (line ends, CR LF or LF, taken off).
class ReportText {
 public:
  explicit ReportText(std::string text);
  std::size_t line_count() const { return lines_.size(); }
  // Line `index`, counted from 0.
  std::string_view line(std::size_t index) const {
    return std::string_view(text_).substr(lines_[index].first, lines_[index].second);
  }

 private:
  std::string text_;
  std::vector<std::pair<std::size_t, std::size_t>> lines_;  // start, length
};

ParsedReport parse_report(const ReportText& text);
ParsedReport parse_report(std::string text);

// The text of a report file; ReportError (line 0) when it cannot be read.
ReportText read_report_text(const std::string& path);
ParsedReport read_report(const std::string& path);

// One line that sums a report up, e.g. "report.txt: 4 road links
// (12 segments), 6 barrier links (3 generated), 4 receivers".
std::string summary_line(const std::string& file_name, const ParsedReport& report);

}  // namespace kalvor::report
