// The state of one HFCNoise conversion, built at its entry.
#pragma once

#include <string>

#include "hfc/hfc_lib.h"

namespace kalvor {

namespace hfc {

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

}  // namespace hfc

// Values carry over from record to record (a sub-link starts at the node
// that closed the one before), but never from one conversion to the next.
struct HFC_Lib::Run {
  explicit Run(JobDetails& job) : job(job) {}

  JobDetails& job;

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
  hfc::RoadNode road_node, road_from;

  // Barriers.
  long barrier_link_no = 0;
  std::string barrier_name, barrier_type, barrier_level, elevation_code;
  hfc::BarrierNode barrier_node, barrier_from;

  // Receivers.
  std::string receiver_name;
  hfc::ReceiverFields receiver;
  long receiver_row = 0;
};

}  // namespace kalvor
