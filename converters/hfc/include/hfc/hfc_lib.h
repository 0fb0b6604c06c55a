// The HFCNoise converter: reads one HFCNoise input file (a four-line head, the
// road records, the barrier records and one line per receiver) and writes the
// exchange report directly, in a single pass over the input.
#pragma once

#include <string>
#include <vector>

#include "job/job_details.h"
#include "quillan/varnik.h"

namespace kalvor {

namespace reading {
class LineReader;
}  // namespace reading

namespace report {
class Writer;
}

namespace hfc {}

class HFC_Lib {
 public:
  void Convert_From_HFCNoise(JobDetails& frmMain);

 private:
  // The used fields of one road node line.
  struct RoadNode {
    std::string y, x, z, direction, width, surface;
  };
  // The used fields of one barrier node line.
  struct BarrierNode {
    std::string y, x, elevation, z, h, angle;
  };
  // The seven fields of a receiver line: left view-limit point, receiver,
  // right view-limit point (each Y then X) and the receiver's Z.
  struct ReceiverFields {
    std::string left_y, left_x, y, x, right_y, right_x, z;
  };

  // Everything one conversion reads, keeps and counts. Values carry over
  // from record to record (a short node line repeats the previous node), but
  // never from one conversion to the next.
  struct State {
    JobDetails* job = nullptr;

    // Head lines.
    std::string project_title;
    bool facade_correction = false;
    bool opposite_facade = false;
    bool road_level_switch = false;
    bool barrier_level_switch = false;
    double record_count_total = 0;
    double roads_and_barriers_count = 0;

    // Roads.
    long road_link_no = 0;
    std::string road_name, category, flow, speed, heavy_vehicles, elevated;
    std::string flow_direction, surface_type, sub_link_surface;
    RoadNode road_node, road_from;
    bool have_road_node = false;

    // Barriers.
    long barrier_link_no = 0;
    std::string barrier_name, barrier_type, barrier_level, elevation_code;
    BarrierNode barrier_node, barrier_from;
    bool have_barrier_node = false;

    // Receivers.
    std::string receiver_name;
    ReceiverFields receiver;
    bool have_receiver = false;
    double bearing_left = 0.0, bearing_right = 0.0;
  };

  using RecordPrinter = void (HFC_Lib::*)(reading::LineReader&, report::Writer&, bool&);

  void close_file_handler(int channel);

  void HFCNoise_Misc_Info(JobDetails& frmMain, reading::LineReader& in, report::Writer& out);
  void read_switches(reading::LineReader& in);
  void read_record_counts(reading::LineReader& in);
  void run_record_phase(RecordPrinter print, reading::LineReader& in, report::Writer& out);
  void show_progress(double records_done);

  void HFCNoise_Print_Roads(reading::LineReader& in, report::Writer& out, bool& more);
  void read_road_head(const std::vector<std::string>& line_a);
  void read_road_node(reading::LineReader& in);
  void write_road_link_head(report::Writer& out, long sub_link);
  void open_road_sub_link(reading::LineReader& in, report::Writer& out);
  void write_road_segment(report::Writer& out, long segment);

  void HFCNoise_Print_Barriers(reading::LineReader& in, report::Writer& out, bool& more);
  void read_barrier_node(reading::LineReader& in);
  void write_barrier_link_head(report::Writer& out, long sub_link);
  void write_barrier_segment(report::Writer& out, long segment);

  void HFCNoise_Print_NSRs(reading::LineReader& in, report::Writer& out);
  void read_receiver(reading::LineReader& in, const std::string& line);
  void update_bearings();
  void write_receiver(report::Writer& out, long row);

  quillan::Varnik lib_;
  State state_;
};

}  // namespace kalvor
