#include "report/exchange_report.h"

#include "platform/files.h"
#include "quillan/text.h"

namespace kalvor::report {

namespace {
constexpr const char* kAngle49 = "Cut-off Angle:                                   ";
constexpr const char* kDistance49 = "Cut-off Distance:                                ";
constexpr const char* kReflection49 = "Cut-off Distance for reflection from barrier:    ";
constexpr const char* kAngle19 = "Cut-off Angle:     ";
constexpr const char* kDistance19 = "Cut-off Distance:  ";
constexpr const char* kReflection46 = "Cut-off Distance for reflection from barrier: ";
}  // namespace

const Labels kHfaLabels = {"Coordinate System used:     ",
                           "Year of Traffic Flow used:  ",
                           kAngle49,
                           kDistance49,
                           kReflection49,
                           "    Vertical Separation: ",
                           "Type:  ",
                           "Barrier Link(s): ",
                           "Receiver(s): "};
const Labels kTniaLabels = {"Coordinate System used:      ",
                            "Year of Traffic Flow used:  ",
                            kAngle49,
                            kDistance49,
                            kReflection49,
                            "    Vertical Separation: ",
                            "Type:  ",
                            "Barrier Link(s): ",
                            "Receiver(s): "};
const Labels kHfcLabels = {"Coordinate System used:    ",
                           "Year of Traffic Flow used: ",
                           kAngle19,
                           kDistance19,
                           kReflection46,
                           "     Vertical Separation: ",
                           "Type: ",
                           "Barrier Link(s): ",
                           "Receiver(s): "};
const Labels kRoadNoiseLabels = {"Coordinate System used:  ",
                                 "Year of Traffic Flow used: ",
                                 kAngle19,
                                 kDistance19,
                                 kReflection46,
                                 "    Vertical Separation: ",
                                 "Type: ",
                                 "Barrier Link(s):",
                                 "Receiver(s):"};

bool is_not_applicable(std::string_view text) {
  return quillan::to_upper(std::string(text)) == kNotApplicable;
}

bool has_label(std::string_view label_part, std::string_view label) {
  return quillan::to_upper(quillan::trim(std::string(label_part))) ==
         quillan::to_upper(std::string(label));
}

bool is_association_label(std::string_view label_part) {
  return has_label(label_part, kAssociatedBarrierLabel) ||
         has_label(label_part, kAssociatedRoadLabel);
}

std::string with_unit(const Value& value, const char* unit) {
  std::string text = quillan::trim(value.to_text());
  if (!is_not_applicable(text)) text += unit;
  return text;
}

Consultant consultant_from(const JobDetails& job) {
  return {quillan::trim(job.text(control::Consultant)), quillan::trim(job.text(control::Phone)),
          quillan::trim(job.text(control::Fax)), quillan::trim(job.text(control::Email))};
}

DateTimeText header_date_time(const JobDetails& job) {
  std::string source = job.text(control::DialogFileName);
  if (!platform::file_exists(source)) source = job.text(control::InputPath);
  auto time = platform::modification_time(source);
  if (!time) return {};
  return {platform::format_date(*time), platform::format_time(*time)};
}

void Writer::empty_line() {
  lib_.PrintLine(channel_, "", true);
}

void Writer::line(const std::string& text) {
  lib_.PrintLine(channel_, text, true);
}

void Writer::label_line(const std::string& label, const Value& value) {
  line(label + quillan::trim(value.to_text()));
}

void Writer::consultant_block(const Consultant& c) {
  label_line("Name of Consultant: ", c.name);
  label_line("Telephone Number:   ", c.phone);
  label_line("Fax Number:         ", c.fax);
  label_line("Email:              ", c.email);
  empty_line();
}

void Writer::project_title(const std::string& title) {
  label_line("Project Title:      ", title);
}

void Writer::date_time(const DateTimeText& t) {
  line("Date:               " + t.date + "     " + "Time: " + t.time);
}

void Writer::coordinate_system(const std::string& name) {
  label_line(labels_.coordinate_system, name);
}

void Writer::year_of_traffic_flow(const std::string& year) {
  label_line(labels_.year_of_traffic_flow, year);
}

void Writer::options_heading() {
  line("Options for Corrections:   ");
}

void Writer::multiple_screening(const std::string& yes_no) {
  label_line("Multiple Screening Effect: ", yes_no);
}

void Writer::opposite_facade(const std::string& yes_no) {
  label_line("Opposite Facade Effect:    ", yes_no);
}

void Writer::cutoff_angle(const Value& angle) {
  line(labels_.cutoff_angle + with_unit(angle, " deg"));
}

void Writer::cutoff_distance(const Value& distance) {
  line(labels_.cutoff_distance + with_unit(distance, " m"));
}

void Writer::cutoff_reflection(const Value& distance) {
  line(labels_.cutoff_reflection + with_unit(distance, " m"));
}

void Writer::project_block(const ProjectSettings& s) {
  project_title(s.title);
  date_time(s.date_time);
  empty_line();
  coordinate_system(s.coordinate_system);
  year_of_traffic_flow(s.year_of_traffic_flow);
  empty_line();
  options_heading();
  multiple_screening(s.multiple_screening);
  opposite_facade(s.opposite_facade);
  cutoff_angle(s.cutoff_angle);
  cutoff_distance(s.cutoff_distance);
  cutoff_reflection(s.cutoff_reflection);
}

void Writer::road_section_heading() {
  line(kRoadSectionHeading);
}
void Writer::barrier_section_heading() {
  line(labels_.barrier_section);
}
void Writer::receiver_section_heading() {
  line(labels_.receiver_section);
}

void Writer::road_link_no(const Value& v) {
  label_line(std::string(kLinkNoLabel) + ":   ", v);
}
void Writer::road_link_id(const Value& v) {
  label_line(std::string(kLinkIdLabel) + ":    ", v);
}
void Writer::road_category(const Value& v) {
  label_line("Category:   ", v);
}
void Writer::road_flow(const Value& flow) {
  line("Flow:       " + with_unit(flow, " veh/hr"));
}

void Writer::road_speed(const Value& speed, const std::string& corrected_for_gradient) {
  line("Speed:      " + with_unit(speed, " km/h") +
       "     Speed Corrected for Gradient: " + quillan::trim(corrected_for_gradient));
}

void Writer::road_heavy_vehicles(const Value& percent) {
  label_line("%Heavy Vehicle:   ", percent);
}
void Writer::road_flow_direction(const Value& v) {
  label_line("Flow Direction:   ", v);
}
void Writer::road_dual_carriageway(const Value& v) {
  label_line("Dual Carriageway: ", v);
}

void Writer::road_divider_and_separation(const Value& divider_width,
                                         const Value& vertical_separation) {
  line("Width of Central Divider: " + with_unit(divider_width, " m") + labels_.vertical_separation +
       with_unit(vertical_separation, " m"));
}

void Writer::road_elevated(const Value& v) {
  label_line("Elevated Road:    ", v);
}
void Writer::road_surface(const Value& v) {
  label_line("Surface Type:     ", v);
}

void Writer::road_texture_depth(const Value& depth) {
  line("Texture Depth:    " + with_unit(depth, " mm"));
}

void Writer::road_associated_barrier(const Value& v) {
  label_line(std::string(kAssociatedBarrierLabel) + ": ", v);
}

void Writer::road_segment_headings() {
  line(kRoadSegmentHeading1);
  line(kRoadSegmentHeading2);
}

void Writer::column(const Value& value, int width, int decimals, bool last, bool as_text) {
  Value space = width;
  Value v = value;
  std::string text = lib_.format_output("L", space, decimals, v, as_text);
  if (!last) text += ' ';
  lib_.PrintLine(channel_, text, last);
}

void Writer::segment_ends(const SegmentEnds& s) {
  column(s.number, 3, 0);
  column(s.x1, 8, 1);
  column(s.y1, 8, 1);
  column(s.z1, 5, 1);
  column(s.h1, 5, 1);
  column(s.x2, 8, 1);
  column(s.y2, 8, 1);
  column(s.z2, 5, 1);
  column(s.h2, 5, 1);
}

void Writer::road_segment(const RoadSegment& s) {
  segment_ends(s);
  column(s.width, 6, 1);
  column(s.ground_left, 7, 1);
  column(s.ground_right, 7, 1, true);
}

void Writer::barrier_link_no(const Value& v) {
  label_line(std::string(kLinkNoLabel) + ":   ", v);
}
void Writer::barrier_link_id(const Value& v) {
  label_line(std::string(kLinkIdLabel) + ":    ", v);
}
void Writer::barrier_type(const Value& v) {
  label_line(labels_.barrier_type, v);
}
void Writer::barrier_level(const Value& v) {
  label_line("Level: ", v);
}
void Writer::barrier_associated_road(const Value& v) {
  label_line(std::string(kAssociatedRoadLabel) + ": ", v);
}

void Writer::barrier_segment_headings() {
  line(kBarrierSegmentHeading1);
  line(kBarrierSegmentHeading2);
}

void Writer::barrier_segment(const BarrierSegment& s) {
  segment_ends(s);
  column(s.inclined_angle, 7, 1);
  column(s.mean_length, 7, 1);
  column(s.mean_opening, 6, 1);
  column(s.foa, 5, 1);
  column(s.width, 5, 1, true);
}

void Writer::receiver_table_headings() {
  empty_line();
  line(kReceiverHeading1);
  line(kReceiverHeading2);
}

void Writer::receiver(const ReceiverRow& r) {
  ReceiverRow cut = r;
  cut.name = quillan::trim(r.name.substr(0, 20));
  receiver_with_full_name(cut);
}

void Writer::receiver_with_full_name(const ReceiverRow& r) {
  column(r.number, 3, 0);
  column(r.name, 20, 0, false, true);
  column(r.x, 8, 1);
  column(r.y, 8, 1);
  column(r.z, 5, 1);
  column(r.h, 5, 1);
  lib_.PrintLine(channel_, "      ", false);
  column(r.bearing_left, 7, 1);
  column(r.bearing_right, 7, 1);
  lib_.PrintLine(channel_, "     ", false);
  column(r.facade, 3, 0, true, true);
}

}  // namespace kalvor::report
