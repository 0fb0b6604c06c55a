// Roads: every point of a road file becomes a node and every pair of
// neighbouring points a link; a road layout line is written wherever the
// cross-section or the emission data change, and the parapets of elevated
// sections (bridges) become layout-barrier lines.
#include <cmath>
#include <cstdlib>

#include "intermediate_lines.h"
#include "job/conversion_error.h"
#include "keyword_line.h"
#include "project_file.h"
#include "quillan/text.h"
#include "soundplan/soundplan_lib.h"

namespace kalvor {

using quillan::Value;
using soundplan::column;
using soundplan::FieldReader;

namespace {

struct Parapets {
  double left_distance = 0, left_height = 0, right_distance = 0, right_height = 0;
  bool any_distance() const { return left_distance != 0 || right_distance != 0; }
};

struct RoadPoint {
  double x, y, z, h, separation, width;
};

RoadPoint read_road_point(FieldReader& in) {
  RoadPoint p{};
  p.x = in.real();
  p.y = in.real();
  p.z = in.real();
  p.h = in.real();
  in.skip(1);
  p.separation = in.real();
  in.skip(1 + 8);
  p.width = in.real();
  in.skip(1);
  return p;
}

// The parameter text of an emission record: behind the keyword text, after
// any zero bytes, up to the next zero byte or the end of the record.
std::string emission_parameters(std::span<const std::uint8_t> rest) {
  std::size_t begin = 0;
  while (begin < rest.size() && rest[begin] == 0) ++begin;
  std::size_t end = begin;
  while (end < rest.size() && rest[end] != 0) ++end;
  return std::string(rest.begin() + begin, rest.begin() + end);
}

bool is_section_marker(const std::string& key) {
  for (const char* marker : {"BA", "BM", "BE", "\\BA", "\\BM", "\\BE"}) {
    if (key == marker) return true;
  }
  return false;
}

// The key without its optional leading backslash ("\BA" -> "BA").
std::string marker_kind(const std::string& key) {
  return key[0] == '\\' ? key.substr(1) : key;
}

}  // namespace

class SoundPlan_Lib::RoadTranslation {
 public:
  RoadTranslation(SoundPlan_Lib& owner, int link_channel, int node_channel, int layout_channel,
                  int layout_barrier_channel, long& links, long& nodes, long& layouts)
      : owner_(owner),
        lib_(owner.lib_),
        link_channel_(link_channel),
        node_channel_(node_channel),
        layout_channel_(layout_channel),
        layout_barrier_channel_(layout_barrier_channel),
        links_(links),
        nodes_(nodes),
        layouts_(layouts),
        previous_node_(nodes),
        first_node_(nodes),
        link_layout_(layouts) {}

  void handle(const soundplan::Record& record) {
    FieldReader in(record.content);
    switch (record.type) {
      case 'K':
        label_ = soundplan::single_line(in.counted_text());
        break;
      case 'S':
        on_keyword_line(in);
        break;
      case 'D':
        on_point(read_road_point(in));
        break;
      default:
        break;
    }
  }

  // After the last record: an elevated section still open gets its
  // layout-barrier lines up to and including the last layout.
  void finish() {
    if (!elevated_) return;
    segment_count_ = nodes_ - 1 - section_start_nodes_;
    if (has_parapets()) write_layout_barriers(section_start_layout_ + 1, layouts_);
  }

 private:
  void on_keyword_line(FieldReader& in) {
    const std::string text = in.counted_text();
    const auto fields = soundplan::keyword_fields(lib_, text);
    if (fields.empty()) return;
    segment_count_ = 0;
    const std::string key = quillan::to_upper(quillan::trim(fields[0]));
    if (key == "\\LME") {
      on_emission(emission_parameters(in.rest()));
    } else if (is_section_marker(key)) {
      on_section_marker(marker_kind(key), fields);
    }
  }

  void on_emission(const std::string& parameters) {
    layout_fields_done_ = false;
    const std::string text = quillan::trim(parameters);
    if (!text.empty()) read_emission(quillan::to_upper(text));
    new_layout();
  }

  // A key missing from the emission text would count as 0 (no traffic, no
  // speed) in a report that otherwise looks complete.
  double parameter(const std::string& text, const char* key, int position) {
    bool found = false;
    const std::string value = owner_.GetRoadPara(text, key, position, found);
    if (!found)
      throw ConversionError("the emission text \"" + text + "\" has no " + key +
                            " value (/F flow and heavy vehicles, /V speed, /Z surface)");
    return quillan::leading_number(value);
  }

  void read_emission(const std::string& text) {
    const double flow = parameter(text, "/F", 1);
    const double speed = parameter(text, "/V", 1);
    const double heavy = parameter(text, "/F", 2);
    const double surface_code = parameter(text, "/Z", 1);
    Value texture("N/A");
    const char* surface = "Other";
    if (surface_code == 0) {
      surface = "S0";
    } else if (surface_code == 1 || surface_code == 2) {
      surface = surface_code == 1 ? "Imp/Con" : "Imp/Bit";
      texture = parameter(text, "/Z", 3);
    } else if (surface_code == 3) {
      surface = "S-1";
    } else if (surface_code == 4) {
      surface = "Per";
    }
    flow_text_ = "   " + column(lib_, 9, 2, flow);
    speed_text_ = "  " + column(lib_, 5, 2, speed);
    heavy_text_ = "  " + column(lib_, 6, 2, heavy);
    texture_text_ = "  " + column(lib_, 6, 2, texture);
    surface_text_ = "   " + column(lib_, 7, 0, surface);
  }

  void on_section_marker(const std::string& kind, const std::vector<std::string>& fields) {
    marker_seen_ = true;
    layout_fields_done_ = false;
    if (kind == "BA") {
      section_start_layout_ = layouts_;
      section_start_nodes_ = nodes_;
      elevated_ = true;
      bridge_seen_ = true;
    } else {
      segment_count_ = nodes_ - section_start_nodes_;
      section_start_nodes_ = nodes_;
      if (kind == "BE") elevated_ = false;
    }
    if (fields.size() > 1 && quillan::to_upper(quillan::trim(fields[1])) == "LD=") {
      read_parapets(fields);
    }
  }

  // "LD= a . b . c . d": parapet distance and height on the left (a, b) and
  // on the right (c, d). A negative distance also sets the view angle over
  // that parapet from the far edge of the road.
  void read_parapets(const std::vector<std::string>& fields) {
    auto number = [&fields](std::size_t i) {
      return i < fields.size() ? quillan::leading_number(fields[i]) : 0.0;
    };
    previous_ = current_;
    const double a = number(2), b = number(4), c = number(6), d = number(8);
    if (a < 0) left_angle_ = parapet_angle(a, b);
    if (c < 0) right_angle_ = parapet_angle(c, d);
    current_ = {std::fabs(a), std::fabs(b), std::fabs(c), std::fabs(d)};
  }

  double parapet_angle(double distance, double height) const {
    if (height == 0) return 0;
    return std::atan((std::fabs(distance) + last_width_ / 2) / height) * 180 / lib_.GetPIValue();
  }

  // Takes a new layout number for the coming point. After a section marker
  // the number is taken when the marker point is written, unless emission
  // data before the marker took it already.
  void new_layout() {
    if (marker_seen_) {
      if (!layout_pending_) link_layout_ = layouts_;
      link_layout_taken_ = true;
      return;
    }
    if (!layout_pending_) {
      link_layout_ = layouts_;
      layout_pending_ = true;
      ++layouts_;
    }
    link_layout_taken_ = false;
  }

  void on_point(RoadPoint p) {
    if (p.width != previous_width_) new_layout();
    previous_width_ = p.width;
    ++nodes_;
    lib_.PrintLine(node_channel_, soundplan::node_line(lib_, nodes_, p.x, p.y, p.z, p.h), true);
    if (!layout_fields_done_) update_layout_fields(p);
    last_width_ = p.width;
    width_text_ = "  " + column(lib_, 5, 2, p.width);
    elevated_text_ = "   " + column(lib_, 6, 0, elevated_ ? "Yes" : "No");
    if (marker_seen_) {
      write_marker_point();
    } else if (layout_pending_) {
      write_layout(layouts_);
      if (previous_node_ != first_node_) write_link(link_layout_);
      layout_pending_ = false;
    } else if (previous_node_ != first_node_) {
      write_link(layouts_);
    }
    previous_node_ = nodes_;
  }

  // A dual carriageway (separation S > 0) is one link as wide as S + 7 m,
  // with the rest of the separation as central reserve.
  void update_layout_fields(RoadPoint& p) {
    const bool one_way = p.separation <= 0;
    double reserve = 0;
    if (!one_way) {
      reserve = p.separation + 7.0 - 2 * p.width;
      p.width = p.separation + 7.0;
    }
    one_way_text_ = "    " + column(lib_, 5, 0, one_way ? "Yes" : "No");
    direction_text_ = "   " + column(lib_, 4, 0, "A->B");
    reserve_text_ = "  " + column(lib_, 7, 3, reserve);
    category_text_ = "  N/A";
    layout_fields_done_ = true;
  }

  // The point after a section marker begins a new layout. When emission data
  // between the last point and the marker took its number already, that
  // number is used, so that no link is left with a layout that has no line.
  void write_marker_point() {
    if (layout_pending_) {
      layout_pending_ = false;
    } else {
      if (!link_layout_taken_) link_layout_ = layouts_;
      ++layouts_;
    }
    write_layout(layouts_);
    if (previous_node_ != first_node_) write_link(link_layout_);
    if (bridge_seen_) {
      if (has_parapets()) write_layout_barriers(section_start_layout_ + 1, layouts_ - 1);
      section_start_layout_ = layouts_ - 1;
    }
    marker_seen_ = false;
    link_layout_taken_ = false;
  }

  bool has_parapets() const { return previous_.any_distance() || current_.any_distance(); }

  void write_link(long layout) {
    ++links_;
    const std::string head =
        soundplan::link_head(lib_, links_, previous_node_, nodes_, layout, "Road") + "    " +
        column(lib_, 4, 0, "N/A") + "   " + column(lib_, 4, 0, "N/A");
    lib_.PrintLine(link_channel_, head + soundplan::label_tail(54, label_), true);
  }

  void write_layout(long number) {
    lib_.PrintLine(layout_channel_,
                   "  " + column(lib_, 5, 0, number) + flow_text_ + speed_text_ + heavy_text_ +
                       texture_text_ + surface_text_ + elevated_text_ + one_way_text_ +
                       direction_text_ + reserve_text_ + width_text_ + category_text_,
                   true);
  }

  void write_layout_barriers(long first, long last) {
    for (long k = first; k <= last; ++k) {
      std::string line = " " + column(lib_, 5, 0, k);
      for (double v :
           {previous_.left_distance, previous_.left_height, left_angle_, previous_.right_distance,
            previous_.right_height, right_angle_, current_.left_distance, current_.left_height,
            current_.right_distance, current_.right_height}) {
        line += "    " + column(lib_, 5, 2, v);
      }
      line += "    " + column(lib_, 5, 0, segment_count_);
      lib_.PrintLine(layout_barrier_channel_, line, true);
    }
  }

  SoundPlan_Lib& owner_;
  quillan::Varnik& lib_;
  const int link_channel_, node_channel_, layout_channel_, layout_barrier_channel_;
  long& links_;
  long& nodes_;
  long& layouts_;

  long previous_node_, first_node_, link_layout_;
  double previous_width_ = -1;
  double last_width_ = 0;
  bool layout_pending_ = false, marker_seen_ = false, link_layout_taken_ = false;
  bool layout_fields_done_ = false, elevated_ = false, bridge_seen_ = false;
  long section_start_layout_ = 0, section_start_nodes_ = 0, segment_count_ = 0;
  Parapets previous_, current_;
  double left_angle_ = 0, right_angle_ = 0;
  std::string label_;
  std::string flow_text_, speed_text_, heavy_text_, texture_text_, surface_text_;
  std::string elevated_text_, one_way_text_, direction_text_, reserve_text_, width_text_,
      category_text_;
};

void SoundPlan_Lib::SP2HFA_Road(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                                int OLayoutFileID, int OLayBarrFileID, long& NumOfLinks,
                                long& NumOfNodes, long& NumOfLayout) {
  RoadTranslation road(*this, OLinkFileID, ONodeFileID, OLayoutFileID, OLayBarrFileID, NumOfLinks,
                       NumOfNodes, NumOfLayout);
  translate_records(IFile, [&road](const soundplan::Record& record) { road.handle(record); });
  road.finish();
}

}  // namespace kalvor
