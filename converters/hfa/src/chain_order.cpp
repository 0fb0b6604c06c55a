#include "hfa/chain_order.h"

#include <functional>

namespace kalvor::hfa {

namespace {

bool is_degenerate(const NodeRow& row) {
  return row.a == row.b;
}

}  // namespace

std::size_t ChainOrder::PairHash::operator()(const std::pair<double, double>& p) const {
  std::size_t h = std::hash<double>{}(p.first);
  return h ^ (std::hash<double>{}(p.second) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

ChainOrder::ChainOrder(const std::vector<NodeRow>& rows, OrderMode mode,
                       std::function<void()> on_visit)
    : rows_(rows), mode_(mode), on_visit_(std::move(on_visit)) {
  index_rows();
}

// Rows whose two nodes are equal are discarded before any pass: no choice of
// the sweep ever looks at them.
void ChainOrder::index_rows() {
  pending_.assign(rows_.size(), 0);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const NodeRow& row = rows_[i];
    if (is_degenerate(row)) continue;
    pending_[i] = 1;
    ++pending_count_;
    StartQueue& queue = starts_[row.a];
    queue.rows.push_back(i);
    ++queue.pending;
    ++ends_[row.b];
    ++pairs_[{row.a, row.b}];
  }
}

std::vector<std::size_t> ChainOrder::run(double min_node, double max_node) {
  order_.reserve(pending_count_);
  // A pass that writes nothing would be repeated for ever; the first pending
  // row in file order breaks the deadlock.
  while (pending_count_ > 0) {
    if (!pass(min_node, max_node)) write_first_pending_in_file_order();
  }
  return order_;
}

int ChainOrder::Get_Segment_Connection(double n, double m) const {
  if (pairs_.count({m, n}) != 0) return kReverseSegment;
  int code = 0;
  if (ends_.count(n) != 0) code += kSomethingEndsAtStart;
  if (starts_.count(m) != 0) code += kSomethingStartsAtEnd;
  return code;
}

bool ChainOrder::pass(double min_node, double max_node) {
  const std::size_t written_before = order_.size();
  std::optional<double> chain_start;
  std::optional<double> n = min_node;
  while (n && *n <= max_node) {
    if (on_visit_) on_visit_();
    std::optional<std::size_t> found = first_pending_from(*n);
    if (!found) {
      if (chain_start) {
        n = node_after(*chain_start);
        chain_start.reset();
      } else {
        n = next_start_above(*n);
      }
      continue;
    }
    if (!chain_start) chain_start = *n;
    if (mode_ == OrderMode::Receivers) {
      std::optional<double> next = receiver_next_node(*n, *found);
      write(*found);
      n = next;
      continue;
    }
    const double m = rows_[*found].b;
    const int code = Get_Segment_Connection(*n, m);
    if (code == kSomethingEndsAtStart) {
      n = node_after(*chain_start);
      chain_start.reset();
    } else if (code == 0) {
      write(*found);
      n = chain_start;
      chain_start.reset();
    } else {
      write(*found);
      n = m;
    }
  }
  return order_.size() != written_before;
}

std::optional<std::size_t> ChainOrder::first_pending_from(double node) {
  auto it = starts_.find(node);
  if (it == starts_.end()) return std::nullopt;
  StartQueue& queue = it->second;
  while (!pending_[queue.rows[queue.head]]) ++queue.head;
  return queue.rows[queue.head];
}

std::optional<double> ChainOrder::next_start_above(double node) const {
  auto it = starts_.upper_bound(node);
  if (it == starts_.end()) return std::nullopt;
  return it->first;
}

// The node one above `node`; where the number is too large for that step to
// change it, the next node with pending rows, so the sweep always advances.
std::optional<double> ChainOrder::node_after(double node) const {
  const double next = node + 1;
  if (next > node) return next;
  return next_start_above(node);
}

// After the receiver row `found` at `node` the sweep goes on at the smallest
// start node above `node`, as far as the scan for `found` had read. With whole
// node numbers that is the smallest pending start node above; only when start
// nodes lie closer together than 1 can the scan have stopped before it.
std::optional<double> ChainOrder::receiver_next_node(double node, std::size_t found) const {
  std::optional<double> above = next_start_above(node);
  if (!above || *above >= node + 1) return above;
  return literal_receiver_next_node(node, found);
}

std::optional<double> ChainOrder::literal_receiver_next_node(double node, std::size_t found) const {
  std::optional<double> best;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!pending_[i] || i == found) continue;
    const double a = rows_[i].a;
    if (a <= node || (best && a >= *best)) continue;
    best = a;
    if (i > found && *best <= node + 1) break;
  }
  return best;
}

void ChainOrder::write(std::size_t row) {
  const NodeRow& r = rows_[row];
  pending_[row] = 0;
  --pending_count_;
  order_.push_back(row);

  auto start = starts_.find(r.a);
  if (--start->second.pending == 0) starts_.erase(start);
  auto end = ends_.find(r.b);
  if (--end->second == 0) ends_.erase(end);
  auto pair = pairs_.find({r.a, r.b});
  if (--pair->second == 0) pairs_.erase(pair);
}

void ChainOrder::write_first_pending_in_file_order() {
  while (!pending_[first_pending_]) ++first_pending_;
  write(first_pending_);
}

}  // namespace kalvor::hfa
