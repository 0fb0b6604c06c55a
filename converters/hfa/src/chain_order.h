// Order in which the rows of a temporary link file are written so that
// connected segments follow each other.
//
// Rows are visited by node number in ascending sweeps ("passes"). In a pass
// the first pending row that starts at the visited node is taken; for road
// and barrier files the connection of that row to the other pending rows
// decides whether it is written now and where the sweep goes next, so that a
// chain A->B, B->C, C->D is written in one piece from the segment that no
// pending segment ends at. For receiver files each pass writes the first
// pending row of every node.
//
// The sweep is driven by indexes of the pending rows (by start node, by end
// node and by node pair) instead of re-reading the rows at every visited
// node, so the cost grows with the number of rows, not with rows x nodes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kalvor::hfa {

// One row of the file: its start node (field 1) and end node (field 2).
struct NodeRow {
  double a = 0;
  double b = 0;
};

enum class OrderMode { Chains, Receivers };

// Connection codes of a candidate segment n->m.
inline constexpr int kReverseSegment = 5;
inline constexpr int kSomethingEndsAtStart = 1;
inline constexpr int kSomethingStartsAtEnd = 2;

class ChainOrder {
 public:
  // `on_visit` runs at every visited node (progress and window events).
  ChainOrder(const std::vector<NodeRow>& rows, OrderMode mode, std::function<void()> on_visit);

  // Indexes of the rows in the order they are written. Rows whose two nodes
  // are equal are left out. min_node/max_node bound the sweep of a pass.
  std::vector<std::size_t> run(double min_node, double max_node);

  // Code for the candidate segment n->m among the pending rows: 5 if one
  // runs from m to n; otherwise 1 if one ends at n, plus 2 if one starts at m.
  int Get_Segment_Connection(double n, double m) const;

 private:
  void index_rows();
  bool pass(double min_node, double max_node);
  std::optional<int> node_index(double node) const;
  std::optional<std::size_t> first_pending_from(double node);
  std::optional<double> next_start_above(double node);
  int next_node_with_starts(int index);
  std::optional<double> receiver_next_node(double node, std::size_t found);
  std::optional<double> literal_receiver_next_node(double node, std::size_t found) const;
  std::optional<double> node_after(double node);
  void write(std::size_t row);
  void write_first_pending_in_file_order();

  const std::vector<NodeRow>& rows_;
  OrderMode mode_;
  std::function<void()> on_visit_;
  std::vector<char> pending_;
  std::size_t pending_count_ = 0;
  std::size_t first_pending_ = 0;

  // Node numbers of the rows, sorted and unique; the indexes below count
  // pending rows by node index.
  std::vector<double> nodes_;
  std::vector<int> row_start_, row_end_, row_pair_;  // per row
  std::vector<std::size_t> start_pending_, end_pending_;
  // Rows by start node in file order: those of node i lie from
  // start_offset_[i] to start_offset_[i + 1]; start_head_[i] is the first
  // that may still be pending.
  std::vector<std::size_t> start_offset_, start_rows_, start_head_;
  // Towards the next node that still has pending rows starting at it
  // (shortened as nodes run out).
  std::vector<int> next_with_starts_;
  // Distinct (start, end) node index pairs, sorted, and their pending rows.
  std::vector<std::pair<int, int>> pairs_;
  std::vector<std::size_t> pair_pending_;
  std::vector<std::size_t> order_;
};

}  // namespace kalvor::hfa
