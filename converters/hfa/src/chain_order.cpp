#include "chain_order.h"

#include <algorithm>

namespace kalvor::hfa {

namespace {

bool is_degenerate(const NodeRow& row) {
  return row.a == row.b;
}

template <typename T>
int index_in(const std::vector<T>& sorted, const T& value) {
  return static_cast<int>(std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin());
}

}  // namespace

ChainOrder::ChainOrder(const std::vector<NodeRow>& rows, OrderMode mode,
                       std::function<void()> on_visit)
    : rows_(rows), mode_(mode), on_visit_(std::move(on_visit)) {
  index_rows();
}

// Rows whose two nodes are equal are discarded before any pass: no choice of
// the sweep ever looks at them.
void ChainOrder::index_rows() {
  const std::size_t n = rows_.size();
  pending_.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (is_degenerate(rows_[i])) continue;
    pending_[i] = 1;
    ++pending_count_;
    nodes_.push_back(rows_[i].a);
    nodes_.push_back(rows_[i].b);
  }
  std::sort(nodes_.begin(), nodes_.end());
  nodes_.erase(std::unique(nodes_.begin(), nodes_.end()), nodes_.end());

  const std::size_t node_count = nodes_.size();
  row_start_.assign(n, -1);
  row_end_.assign(n, -1);
  row_pair_.assign(n, -1);
  start_pending_.assign(node_count, 0);
  end_pending_.assign(node_count, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (!pending_[i]) continue;
    row_start_[i] = index_in(nodes_, rows_[i].a);
    row_end_[i] = index_in(nodes_, rows_[i].b);
    ++start_pending_[row_start_[i]];
    ++end_pending_[row_end_[i]];
    pairs_.emplace_back(row_start_[i], row_end_[i]);
  }
  std::sort(pairs_.begin(), pairs_.end());
  pairs_.erase(std::unique(pairs_.begin(), pairs_.end()), pairs_.end());
  pair_pending_.assign(pairs_.size(), 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (!pending_[i]) continue;
    row_pair_[i] = index_in(pairs_, std::make_pair(row_start_[i], row_end_[i]));
    ++pair_pending_[row_pair_[i]];
  }

  start_offset_.assign(node_count + 1, 0);
  for (std::size_t node = 0; node < node_count; ++node) {
    start_offset_[node + 1] = start_offset_[node] + start_pending_[node];
  }
  start_head_.assign(start_offset_.begin(), start_offset_.end() - 1);
  start_rows_.resize(pending_count_);
  std::vector<std::size_t> fill = start_head_;
  for (std::size_t i = 0; i < n; ++i) {
    if (pending_[i]) start_rows_[fill[row_start_[i]]++] = i;
  }
  next_with_starts_.resize(node_count);
  for (std::size_t node = 0; node < node_count; ++node) {
    next_with_starts_[node] = static_cast<int>(node) + 1;
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
  const std::optional<int> from = node_index(n), to = node_index(m);
  if (from && to) {
    auto pair = std::lower_bound(pairs_.begin(), pairs_.end(), std::make_pair(*to, *from));
    if (pair != pairs_.end() && *pair == std::make_pair(*to, *from) &&
        pair_pending_[pair - pairs_.begin()] != 0) {
      return kReverseSegment;
    }
  }
  int code = 0;
  if (from && end_pending_[*from] != 0) code += kSomethingEndsAtStart;
  if (to && start_pending_[*to] != 0) code += kSomethingStartsAtEnd;
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

std::optional<int> ChainOrder::node_index(double node) const {
  const int i = index_in(nodes_, node);
  if (i == static_cast<int>(nodes_.size()) || nodes_[i] != node) return std::nullopt;
  return i;
}

std::optional<std::size_t> ChainOrder::first_pending_from(double node) {
  const std::optional<int> i = node_index(node);
  if (!i || start_pending_[*i] == 0) return std::nullopt;
  std::size_t& head = start_head_[*i];
  while (!pending_[start_rows_[head]]) ++head;
  return start_rows_[head];
}

// The first node from `index` on with pending rows starting at it; the skip
// links are shortened on the way.
int ChainOrder::next_node_with_starts(int index) {
  const int end = static_cast<int>(nodes_.size());
  int found = index;
  while (found < end && start_pending_[found] == 0) found = next_with_starts_[found];
  while (index < found) {
    const int next = next_with_starts_[index];
    next_with_starts_[index] = found;
    index = next;
  }
  return found;
}

std::optional<double> ChainOrder::next_start_above(double node) {
  const int above =
      static_cast<int>(std::upper_bound(nodes_.begin(), nodes_.end(), node) - nodes_.begin());
  const int next = next_node_with_starts(above);
  if (next == static_cast<int>(nodes_.size())) return std::nullopt;
  return nodes_[next];
}

// The node one above `node`; where the number is too large for that step to
// change it, the next node with pending rows, so the sweep always advances.
std::optional<double> ChainOrder::node_after(double node) {
  const double next = node + 1;
  if (next > node) return next;
  return next_start_above(node);
}

// After the receiver row `found` at `node` the sweep goes on at the smallest
// start node above `node`, as far as the scan for `found` had read. With whole
// node numbers that is the smallest pending start node above; only when start
// nodes lie closer together than 1 can the scan have stopped before it.
std::optional<double> ChainOrder::receiver_next_node(double node, std::size_t found) {
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
  pending_[row] = 0;
  --pending_count_;
  order_.push_back(row);
  --start_pending_[row_start_[row]];
  --end_pending_[row_end_[row]];
  --pair_pending_[row_pair_[row]];
}

void ChainOrder::write_first_pending_in_file_order() {
  while (!pending_[first_pending_]) ++first_pending_;
  write(first_pending_);
}

}  // namespace kalvor::hfa
