#include "report/report_reader.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "quillan/text.h"
#include "report/exchange_report.h"
#include "report/vocabulary.h"

namespace kalvor::report {

namespace {

// Blanks (code 32) taken off, as the writer trims values, without copying:
// a large report has millions of columns.
std::string_view trim_right(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : trim_right(text.substr(first));
}

// The label of a line as every variant writes it: the variants differ only
// in the blanks after the colon, and values are written trimmed.
std::string label_key(std::string_view label) {
  return std::string(trim(label));
}

// A label word of the report's vocabulary as its line starts: "Link No.:".
std::string with_colon(std::string_view word) {
  return std::string(word) + ":";
}

const std::string kLinkNoKey = with_colon(kLinkNoLabel);
const std::string kAssociatedBarrierKey = with_colon(kAssociatedBarrierLabel);

// True when the line's first word is a number, as in a segment row.
bool starts_with_number(std::string_view line) {
  const std::string_view trimmed = trim(line);
  return quillan::is_numeric_text(trimmed.substr(0, trimmed.find(' ')));
}

std::string in_quotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The value without its unit; "N/A" and other texts are left alone.
std::string without_unit(std::string value, std::string_view unit) {
  if (value.size() > unit.size() && value.ends_with(unit))
    value = std::string(trim_right(std::string_view(value).substr(0, value.size() - unit.size())));
  return value;
}

// The two values of a line that carries a second label after the first
// value ("Speed: 50.0 km/h     Speed Corrected for Gradient: Yes").
struct ValuePair {
  std::string first, second;
};

// Reads a fixed-width row the way it was written: each column is its value
// padded to the column's width and followed by one blank; a value wider than
// its column is written whole and moves the rest of the row to the right.
class RowScanner {
 public:
  explicit RowScanner(std::string_view row) : row_(row) {}

  // The next column; nullopt when the row ends before it.
  std::optional<std::string_view> column(std::size_t width) {
    if (at_ >= row_.size()) return std::nullopt;
    std::size_t end = std::min(at_ + width, row_.size());
    while (end < row_.size() && row_[end] != ' ') ++end;  // overflowing value
    const std::string_view value = trim(row_.substr(at_, end - at_));
    at_ = end + 1;
    return value;
  }

  // A fixed run of blanks between columns.
  void skip(std::size_t blanks) { at_ += blanks; }

 private:
  std::string_view row_;
  std::size_t at_ = 0;
};

class Parser {
 public:
  explicit Parser(const ReportText& text) : text_(text) {}

  ParsedReport parse() {
    ParsedReport report;
    read_consultant_block(report.header);
    // A RoadNoise master file without its "READ" line gives a report of the
    // consultant block and the road records alone, with no heading before them.
    if (!road_record_follows()) {
      read_project_block(report.header);
      expect_heading(kRoadSectionHeading);
    } else if (!current_starts_with(kLinkNoKey)) {
      ++at_;  // the road heading
    }
    const std::string barrier_heading = label_key(kHfaLabels.barrier_section);
    const std::string receiver_heading = label_key(kHfaLabels.receiver_section);
    while (next_record_follows(barrier_heading, &report.headless_road_segments))
      report.roads.push_back(read_road());
    expect_heading(barrier_heading);
    while (next_record_follows(receiver_heading)) report.barriers.push_back(read_barrier());
    expect_heading(receiver_heading);
    skip_empty_lines();
    expect_heading(kReceiverHeading1);
    expect_heading(kReceiverHeading2);
    for (skip_empty_lines(); !at_end(); skip_empty_lines())
      report.receivers.push_back(read_receiver());
    return report;
  }

 private:
  bool at_end() const { return at_ >= text_.line_count(); }
  // 1-based number of the current line.
  std::size_t line_number() const { return at_ + 1; }
  std::string_view current() const { return text_.line(at_); }

  [[noreturn]] void fail(const std::string& expected) const {
    const std::string found =
        at_end() ? "the report ends" : "found " + in_quotes(trim_right(current()));
    throw ReportError(line_number(), "expected " + expected + ", " + found);
  }

  bool current_is_empty() const { return current().find_first_not_of(' ') == std::string::npos; }

  void skip_empty_lines() {
    while (!at_end() && current_is_empty()) ++at_;
  }

  bool current_starts_with(std::string_view key) const {
    return !at_end() && current().starts_with(key);
  }

  // The value of the label line `label`, after any empty lines.
  std::string label_value(std::string_view label) {
    skip_empty_lines();
    const std::string key = label_key(label);
    if (!current_starts_with(key)) fail(in_quotes(key));
    return std::string(trim(text_.line(at_++).substr(key.size())));
  }

  ValuePair label_pair(std::string_view label, std::string_view second_label) {
    std::string whole = label_value(label);
    const std::string key = label_key(second_label);
    const std::size_t at = whole.find(key);
    if (at == std::string::npos) {
      --at_;
      fail(in_quotes(key) + " after " + in_quotes(label_key(label)));
    }
    const std::string_view both = whole;
    return {std::string(trim(both.substr(0, at))), std::string(trim(both.substr(at + key.size())))};
  }

  void expect_heading(std::string_view heading) {
    skip_empty_lines();
    const std::string_view key = trim_right(heading);
    if (at_end() || trim_right(current()) != key) fail(in_quotes(key));
    ++at_;
  }

  // True when a link record comes next; false at the next section heading.
  // Segment rows met on the way go to `headless_rows` where they may stand.
  bool next_record_follows(const std::string& next_heading,
                           std::vector<RoadSegmentText>* headless_rows = nullptr) {
    skip_empty_lines();
    for (; headless_rows && !at_end() && starts_with_number(current()); skip_empty_lines())
      headless_rows->push_back(road_segment());
    if (current_starts_with(kLinkNoKey)) return true;
    if (!at_end() && trim_right(current()) == next_heading) return false;
    fail(in_quotes(kLinkNoKey) + " or " + in_quotes(next_heading));
  }

  bool road_record_follows() {
    skip_empty_lines();
    return current_starts_with(kLinkNoKey) ||
           (!at_end() && trim_right(current()) == kRoadSectionHeading);
  }

  void read_consultant_block(ReportHeader& h) {
    h.consultant = label_value("Name of Consultant:");
    h.phone = label_value("Telephone Number:");
    h.fax = label_value("Fax Number:");
    h.email = label_value("Email:");
  }

  void read_project_block(ReportHeader& h) {
    h.project_title = label_value("Project Title:");
    auto [date, time] = label_pair("Date:", "Time:");
    h.date = date;
    h.time = time;
    h.coordinate_system = label_value(kHfaLabels.coordinate_system);
    h.year_of_traffic_flow = label_value(kHfaLabels.year_of_traffic_flow);
    label_value("Options for Corrections:");
    h.multiple_screening = label_value("Multiple Screening Effect:");
    h.opposite_facade = label_value("Opposite Facade Effect:");
    h.cutoff_angle = without_unit(label_value(kHfaLabels.cutoff_angle), " deg");
    h.cutoff_distance = without_unit(label_value(kHfaLabels.cutoff_distance), " m");
    h.cutoff_reflection = without_unit(label_value(kHfaLabels.cutoff_reflection), " m");
  }

  RoadLinkRecord read_road() {
    RoadLinkRecord r;
    r.lines.first = line_number();
    r.number = label_value(kLinkNoKey);
    r.id = label_value("Link ID:");
    r.category = label_value("Category:");
    r.flow = without_unit(label_value("Flow:"), " veh/hr");
    auto [speed, corrected] = label_pair("Speed:", "Speed Corrected for Gradient:");
    r.speed = without_unit(speed, " km/h");
    r.speed_corrected_for_gradient = corrected;
    r.heavy_vehicles = label_value("%Heavy Vehicle:");
    r.flow_direction = label_value("Flow Direction:");
    r.dual_carriageway = label_value("Dual Carriageway:");
    auto [divider, separation] =
        label_pair("Width of Central Divider:", kHfaLabels.vertical_separation);
    r.divider_width = without_unit(divider, " m");
    r.vertical_separation = without_unit(separation, " m");
    r.elevated = label_value("Elevated Road:");
    r.surface = label_value("Surface Type:");
    r.texture_depth = without_unit(label_value("Texture Depth:"), " mm");
    r.associated_barriers = label_value(kAssociatedBarrierKey);
    expect_heading(kRoadSegmentHeading1);
    expect_heading(kRoadSegmentHeading2);
    while (!at_end() && !current_is_empty()) r.segments.push_back(road_segment());
    r.lines.last = at_;  // the last segment row, or the second heading line
    return r;
  }

  BarrierLinkRecord read_barrier() {
    BarrierLinkRecord b;
    b.lines.first = line_number();
    b.number = label_value(kLinkNoKey);
    b.id = label_value("Link ID:");
    b.type = label_value(kHfaLabels.barrier_type);
    b.level = label_value("Level:");
    b.associated_road = label_value("Associated Road Link No.:");
    expect_heading(kBarrierSegmentHeading1);
    expect_heading(kBarrierSegmentHeading2);
    while (!at_end() && !current_is_empty()) b.segments.push_back(barrier_segment());
    b.lines.last = at_;
    return b;
  }

  // The next column of the current row, or a failure naming the row.
  std::string column(RowScanner& row, std::size_t width, const char* what) {
    const std::optional<std::string_view> value = row.column(width);
    if (!value) fail(std::string(what) + " with all its columns");
    return std::string(*value);
  }

  void segment_ends(RowScanner& row, SegmentText& s, const char* what) {
    s.number = column(row, 3, what);
    for (SegmentEndText* end : {&s.from, &s.to}) {
      end->x = column(row, 8, what);
      end->y = column(row, 8, what);
      end->z = column(row, 5, what);
      end->h = column(row, 5, what);
    }
  }

  RoadSegmentText road_segment() {
    constexpr const char* what = "a road segment row";
    RowScanner row(current());
    RoadSegmentText s;
    segment_ends(row, s, what);
    s.width = column(row, 6, what);
    s.ground_left = column(row, 7, what);
    s.ground_right = column(row, 7, what);
    ++at_;
    return s;
  }

  BarrierSegmentText barrier_segment() {
    constexpr const char* what = "a barrier segment row";
    RowScanner row(current());
    BarrierSegmentText s;
    segment_ends(row, s, what);
    s.inclined_angle = column(row, 7, what);
    s.mean_length = column(row, 7, what);
    s.mean_opening = column(row, 6, what);
    s.foa = column(row, 5, what);
    s.width = column(row, 5, what);
    ++at_;
    return s;
  }

  ReceiverRecord read_receiver() {
    constexpr const char* what = "a receiver row";
    ReceiverRecord r;
    r.lines = {line_number(), line_number()};
    RowScanner row(current());
    r.number = column(row, 3, what);
    r.nsr_id = column(row, 20, what);
    r.x = column(row, 8, what);
    r.y = column(row, 8, what);
    r.z = column(row, 5, what);
    r.h = column(row, 5, what);
    row.skip(6);
    r.bearing_left = column(row, 7, what);
    r.bearing_right = column(row, 7, what);
    row.skip(5);
    r.facade = column(row, 3, what);
    ++at_;
    return r;
  }

  const ReportText& text_;
  std::size_t at_ = 0;
};

bool is_generated_barrier_id(std::string_view id) {
  return id.ends_with(" - LLB") || id.ends_with(" - RLB");
}

std::string counted(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace

ReportError::ReportError(std::size_t line, const std::string& what)
    : std::runtime_error(line == 0 ? what : "line " + std::to_string(line) + ": " + what),
      line_(line) {}

std::optional<double> number(std::string_view text) {
  const std::string_view trimmed = trim(text);
  if (!quillan::is_numeric_text(trimmed)) return std::nullopt;
  double value = 0;
  const char* begin = trimmed.data();
  if (*begin == '+') ++begin;
  std::from_chars(begin, trimmed.data() + trimmed.size(), value);
  return value;
}

bool BarrierLinkRecord::generated() const {
  return is_generated_barrier_id(id);
}

std::size_t ParsedReport::road_segment_count() const {
  std::size_t count = 0;
  for (const RoadLinkRecord& r : roads) count += r.segments.size();
  return count;
}

std::size_t ParsedReport::barrier_segment_count() const {
  std::size_t count = 0;
  for (const BarrierLinkRecord& b : barriers) count += b.segments.size();
  return count;
}

std::size_t ParsedReport::generated_barrier_count() const {
  return std::count_if(barriers.begin(), barriers.end(),
                       [](const BarrierLinkRecord& b) { return b.generated(); });
}

ReportText::ReportText(std::string text) : text_(std::move(text)) {
  lines_.reserve(std::count(text_.begin(), text_.end(), '\n') + 1);
  for (std::size_t start = 0; start < text_.size();) {
    std::size_t end = text_.find('\n', start);
    if (end == std::string::npos) end = text_.size();
    const std::size_t length = end - start - (end > start && text_[end - 1] == '\r' ? 1 : 0);
    lines_.emplace_back(start, length);
    start = end + 1;
  }
}

ParsedReport parse_report(const ReportText& text) {
  return Parser(text).parse();
}

ParsedReport parse_report(std::string text) {
  return parse_report(ReportText(std::move(text)));
}

ReportText read_report_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ReportError(0, "cannot open the report " + path);
  std::string text;
  std::error_code size_unknown;
  const auto size = std::filesystem::file_size(path, size_unknown);
  if (!size_unknown) text.reserve(size);
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) text.append(buffer, in.gcount());
  if (in.bad()) throw ReportError(0, "cannot read the report " + path);
  return ReportText(std::move(text));
}

ParsedReport read_report(const std::string& path) {
  return parse_report(read_report_text(path));
}

std::string summary_line(const std::string& file_name, const ParsedReport& report) {
  return file_name + ": " + counted(report.roads.size(), "road link", "road links") + " (" +
         counted(report.road_segment_count(), "segment", "segments") + "), " +
         counted(report.barriers.size(), "barrier link", "barrier links") + " (" +
         std::to_string(report.generated_barrier_count()) + " generated), " +
         counted(report.receivers.size(), "receiver", "receivers");
}

}  // namespace kalvor::report
