// The state of one HFANoise conversion, built at its entry: paths,
// counters, node ranges, the look-up indexes and the values carried from one
// translated line to the next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "first_line_index.h"
#include "hfa/hfa_lib.h"
#include "job/job_details.h"
#include "quillan/value.h"

namespace kalvor::hfa {

// How messages name the files the converter reads.
inline constexpr const char* kInputRole = "the HFANoise input file";
inline constexpr const char* kLayoutBarrierRole = "the layout-barrier file";

// Channels of the conversion's files.
namespace channel {
inline constexpr int Input = 1;
inline constexpr int Roads = 2;
inline constexpr int RoadsA2B = 3;
inline constexpr int RoadsB2A = 4;
inline constexpr int Barriers = 5;
inline constexpr int Receivers = 6;
inline constexpr int Nodes = 7;
inline constexpr int Layouts = 8;
inline constexpr int SortedRoadsA2B = 10;
inline constexpr int SortedRoadsB2A = 11;
inline constexpr int SortedBarriers = 12;
inline constexpr int SortedReceivers = 13;
inline constexpr int LayoutBarrierInput = 14;
inline constexpr int Report = 15;
inline constexpr int MiscPiece = 16;
inline constexpr int RoadPiece = 17;
inline constexpr int BarrierPiece = 18;
inline constexpr int ReceiverPiece = 19;
inline constexpr int LeftLayoutBarrierPiece = 20;
inline constexpr int RightLayoutBarrierPiece = 21;
inline constexpr int SortedLayoutBarrierPiece = 22;
inline constexpr int RoadPieceWithLayoutBarriers = 23;
inline constexpr int Reordered = 26;
}  // namespace channel

// Suffixes of the temporary files and of the piece files, which are named
// "temp<suffix>" and "report<suffix>" in the conversion's private folder.
namespace suffix {
inline constexpr const char* Roads = "_roa.txt";
inline constexpr const char* RoadsA2B = "_roa_a2b.txt";
inline constexpr const char* RoadsB2A = "_roa_b2a.txt";
inline constexpr const char* Barriers = "_bar.txt";
inline constexpr const char* Receivers = "_rec.txt";
inline constexpr const char* Nodes = "_nod.txt";
inline constexpr const char* Layouts = "_lay.txt";
inline constexpr const char* SortedRoadsA2B = "_roa_a2b_sorted.txt";
inline constexpr const char* SortedRoadsB2A = "_roa_b2a_sorted.txt";
inline constexpr const char* SortedBarriers = "_bar_sorted.txt";
inline constexpr const char* SortedReceivers = "_rec_sorted.txt";
inline constexpr const char* MiscPiece = "_misc";
inline constexpr const char* RoadPiece = "_road";
inline constexpr const char* BarrierPiece = "_bar";
inline constexpr const char* ReceiverPiece = "_rec";
inline constexpr const char* RoadPieceWithLayoutBarriers = "_roadLB";
inline constexpr const char* LeftLayoutBarrierPiece = "_barLLB";
inline constexpr const char* RightLayoutBarrierPiece = "_barRLB";
inline constexpr const char* SortedLayoutBarrierPiece = "_barsortedLB";
}  // namespace suffix

// Fields a line must have for everything that is read from it.
namespace min_fields {
inline constexpr std::size_t Link = 6;
inline constexpr std::size_t Road = 8;
inline constexpr std::size_t Receiver = 8;
inline constexpr std::size_t Barrier = 9;  // kind "barrier": its angle
inline constexpr std::size_t Building = 11;
inline constexpr std::size_t Node = 5;
inline constexpr std::size_t Layout = 12;
}  // namespace min_fields

// Smallest and largest node (or layout) number seen, widened by
// check_max_min_value.
struct NodeRange {
  quillan::Value max = 0;
  quillan::Value min = 9999;
};

struct NodeEnd {
  double x = 0, y = 0, z = 0, h = 0;
};

// The road layout values of the record being translated.
struct RoadLayout {
  std::string flow, speed, heavy_vehicles, texture_depth, surface, elevated, flow_direction,
      dual_carriageway, category, direction;
  quillan::Value divider_width;
  quillan::Value road_width;
};

// ASCII letters to lower case, for the keyword comparisons of the input.
std::string lower(std::string_view text);

// The number a field stands for (its leading number, 0 when none).
double value_of(const std::string& field);

// Fields from `first` to the last joined with one blank and trimmed.
std::string join_from(const std::vector<std::string>& fields, std::size_t first);

// Throws a ConversionError about the HFANoise input file at `input_path`.
[[noreturn]] void input_error(const std::string& input_path, const std::string& what);
// The same, about one of its lines.
[[noreturn]] void input_error(const std::string& input_path, long line_number,
                              const std::string& what);

}  // namespace kalvor::hfa

namespace kalvor {

struct HFA_Lib::Run {
  explicit Run(JobDetails& job) : job(job) {}

  JobDetails& job;
  std::string input_path;
  std::string scratch_folder;  // private to this conversion
  std::string output_path;
  std::string layout_barrier_path;

  std::string title;
  bool soundplan_derived = false;

  long num_of_roads_a2b = 0, num_of_roads_b2a = 0, num_of_barriers = 0, num_of_NSRs = 0;
  hfa::NodeRange all_roads, roads_a2b, roads_b2a, barriers, receivers, layouts;

  // The input file's line number of each line of the node and layout
  // temporary files, in their order.
  std::vector<long> node_input_lines, layout_input_lines;
  hfa::FirstLineIndex node_index;
  // Node coordinates already rounded, by node line: nodes are shared by
  // several segments.
  std::unordered_map<const hfa::IndexedLine*, hfa::NodeEnd> rounded_nodes;
  hfa::FirstLineIndex layout_index;

  std::vector<std::string> fields;  // of the road line being translated
  hfa::NodeEnd from, to;
  hfa::RoadLayout layout;

  std::string previous_b;
  std::string previous_layout;
  bool first_road = true;
  std::string previous_barrier_b;
  bool first_barrier = true;
  long road_link_no = 0;
  long barrier_link_no = 0;
  long segment_no = 0;
  long receiver_no = 0;

  // Data lines of the layout-barrier file by layout number.
  hfa::FirstLineIndex layout_barrier_lines;
};

}  // namespace kalvor
