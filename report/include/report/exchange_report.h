// The exchange report: every literal, label, column width and alignment of
// the report lives here, and every converter writes through it.
//
// The converters decide the values and where empty lines go; this writer
// decides how each line looks. Values are handed over as the converter has
// them (text or number); label/value lines trim the value, and units are
// appended unless the value is "N/A" (in any letter case). Number formatting
// of head-line values ("#0.0") is the converter's, because the formats differ
// between converters; segment and receiver columns are formatted here.
#pragma once

#include <string>

#include "job/job_details.h"
#include "quillan/value.h"
#include "quillan/varnik.h"
#include "report/vocabulary.h"

namespace kalvor::report {

using quillan::Value;

// The literals that differ between converters.
struct Labels {
  const char* coordinate_system;
  const char* year_of_traffic_flow;
  const char* cutoff_angle;
  const char* cutoff_distance;
  const char* cutoff_reflection;
  const char* vertical_separation;
  const char* barrier_type;
  const char* barrier_section;
  const char* receiver_section;
};

// HFANoise, and SoundPLAN through it.
extern const Labels kHfaLabels;
extern const Labels kTniaLabels;
extern const Labels kHfcLabels;
extern const Labels kRoadNoiseLabels;

// The text of `value`, trimmed, with `unit` appended unless it is "N/A".
std::string with_unit(const Value& value, const char* unit);

struct Consultant {
  std::string name, phone, fax, email;
};

// Consultant details read (and trimmed) from the job details.
Consultant consultant_from(const JobDetails& job);

struct DateTimeText {
  std::string date;  // "dd/mm/yyyy"
  std::string time;  // "HH:MM"
};

// Date and time of the header: the last modification of the dialog file, or
// of the input file when no dialog file exists; empty texts when neither can
// be examined.
DateTimeText header_date_time(const JobDetails& job);

struct ProjectSettings {
  std::string title;
  DateTimeText date_time;
  std::string coordinate_system, year_of_traffic_flow;
  std::string multiple_screening;  // "Yes" / "No"
  std::string opposite_facade;     // "Yes" / "No"
  Value cutoff_angle;              // " deg" appended unless N/A
  Value cutoff_distance;           // " m" appended unless N/A
  Value cutoff_reflection;         // " m" appended unless N/A
};

// The columns road and barrier segment rows share: the segment number and
// X, Y, Z, H of both ends.
struct SegmentEnds {
  Value number;
  Value x1, y1, z1, h1, x2, y2, z2, h2;
};

struct RoadSegment : SegmentEnds {
  Value width, ground_left, ground_right;
};

struct BarrierSegment : SegmentEnds {
  Value inclined_angle, mean_length, mean_opening, foa, width;
};

struct ReceiverRow {
  Value number;
  std::string name;  // cut to 20 characters and trimmed here
  Value x, y, z, h;
  Value bearing_left, bearing_right;
  std::string facade;  // "Yes" / "No"
};

class Writer {
 public:
  Writer(quillan::Varnik& lib, int channel, const Labels& labels)
      : lib_(lib), channel_(channel), labels_(labels) {}

  int channel() const { return channel_; }

  void empty_line();
  // Writes a line as it is (for lines copied from piece files).
  void line(const std::string& text);

  // Header lines 1 to 5: the four consultant lines and the empty line.
  void consultant_block(const Consultant& c);
  // Header lines 6 to 17.
  void project_title(const std::string& title);
  void date_time(const DateTimeText& t);
  void coordinate_system(const std::string& name);
  void year_of_traffic_flow(const std::string& year);
  void options_heading();
  void multiple_screening(const std::string& yes_no);
  void opposite_facade(const std::string& yes_no);
  void cutoff_angle(const Value& angle);
  void cutoff_distance(const Value& distance);
  void cutoff_reflection(const Value& distance);
  // Lines 6 to 17 in order, with the empty lines after date/time and year.
  void project_block(const ProjectSettings& s);

  void road_section_heading();
  void barrier_section_heading();
  void receiver_section_heading();

  // Road link record head, lines 2 to 16 (the leading empty line is the
  // converter's). Flow, speed and texture get their units here.
  void road_link_no(const Value& v);
  void road_link_id(const Value& v);
  void road_category(const Value& v);
  void road_flow(const Value& flow);
  void road_speed(const Value& speed, const std::string& corrected_for_gradient);
  void road_heavy_vehicles(const Value& percent);
  void road_flow_direction(const Value& v);
  void road_dual_carriageway(const Value& v);
  void road_divider_and_separation(const Value& divider_width, const Value& vertical_separation);
  void road_elevated(const Value& v);
  void road_surface(const Value& v);
  void road_texture_depth(const Value& depth);
  void road_associated_barrier(const Value& v);
  void road_segment_headings();
  void road_segment(const RoadSegment& s);

  // Barrier link record head, lines 2 to 8.
  void barrier_link_no(const Value& v);
  void barrier_link_id(const Value& v);
  void barrier_type(const Value& v);
  void barrier_level(const Value& v);
  void barrier_associated_road(const Value& v);
  void barrier_segment_headings();
  void barrier_segment(const BarrierSegment& s);

  // Receiver table: the empty line and the two heading lines; then rows.
  void receiver_table_headings();
  void receiver(const ReceiverRow& r);
  // A row whose name is written whole, not cut to 20 characters: stacked
  // receivers carry a suffix ("-1", "-2" ...) after the cut name.
  void receiver_with_full_name(const ReceiverRow& r);

  // One column of a row: `format_output` left-aligned in `width`, followed by
  // one blank unless it is the last column.
  void column(const Value& value, int width, int decimals, bool last = false, bool as_text = false);

 private:
  void label_line(const std::string& label, const Value& value);
  void segment_ends(const SegmentEnds& s);

  quillan::Varnik& lib_;
  int channel_;
  const Labels& labels_;
};

// Literal lines, for converters that compare or rewrite report lines.
inline constexpr const char* kRoadSectionHeading = "Road Link(s):";
inline constexpr const char* kRoadSegmentHeading1 =
    "Seg From                          To                            Width  Ground Type";
inline constexpr const char* kRoadSegmentHeading2 =
    "No. X        Y        Z     H     X        Y        Z     H            Left    Right";
inline constexpr const char* kBarrierSegmentHeading1 =
    "Seg From                          To                           Inclined Mean   Mean    FOA   "
    "Width";
inline constexpr const char* kBarrierSegmentHeading2 =
    "No. X        Y        Z     H     X        Y        Z     H     angle   Length Opening";
inline constexpr const char* kReceiverHeading1 =
    "No. NSR ID               X        Y        Z     H        View Angle Bearing    Facade";
inline constexpr const char* kReceiverHeading2 =
    "                                                             Left    Right    Correction";

}  // namespace kalvor::report
