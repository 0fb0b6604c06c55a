#include "literal_order.h"

#include <limits>
#include <optional>

namespace kalvor::test {

namespace {

enum class RowState { Pending, Written, Discarded };

struct Sweep {
  const std::vector<hfa::NodeRow>& rows;
  std::vector<RowState> state;
  std::vector<std::size_t> order;
  std::size_t discarded = 0;

  bool live(std::size_t i) const { return state[i] == RowState::Pending && rows[i].a != rows[i].b; }

  bool any_pending() const {
    for (RowState s : state) {
      if (s == RowState::Pending) return true;
    }
    return false;
  }

  void write(std::size_t i) {
    state[i] = RowState::Written;
    order.push_back(i);
  }

  int connection(double n, double m) const {
    bool ends = false, starts = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (!live(i)) continue;
      if (rows[i].a == m && rows[i].b == n) return 5;
      ends = ends || rows[i].b == n;
      starts = starts || rows[i].a == m;
    }
    return (ends ? 1 : 0) + (starts ? 2 : 0);
  }

  void write_first_pending() {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (state[i] != RowState::Pending) continue;
      if (rows[i].a == rows[i].b) {
        state[i] = RowState::Discarded;
        continue;
      }
      write(i);
      return;
    }
  }
};

}  // namespace

std::vector<std::size_t> literal_order(const std::vector<hfa::NodeRow>& rows, double min_node,
                                       double max_node, hfa::OrderMode mode) {
  Sweep sweep{rows, std::vector<RowState>(rows.size(), RowState::Pending), {}, 0};
  while (sweep.any_pending()) {
    const std::size_t written = sweep.order.size();
    const std::size_t discarded = sweep.discarded;
    bool in_chain = false;  // a chain start S has been taken
    double chain_start = 0;
    double n = min_node;
    while (n <= max_node) {
      double best = std::numeric_limits<double>::infinity();
      std::optional<std::size_t> found;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        if (sweep.state[i] != RowState::Pending) continue;
        const double a = rows[i].a;
        if (a == rows[i].b) {
          sweep.state[i] = RowState::Discarded;
          ++sweep.discarded;
        } else if (!found && a == n) {
          found = i;
          if (!in_chain) chain_start = n;
          in_chain = true;
        } else if (n < a && a < best) {
          best = a;
          if (found && best <= n + 1) break;
        }
      }
      if (!found) {
        n = in_chain ? chain_start + 1 : best;
        in_chain = false;
        continue;
      }
      if (mode == hfa::OrderMode::Receivers) {
        sweep.write(*found);
        n = best;
        continue;
      }
      const double m = rows[*found].b;
      const int code = sweep.connection(n, m);
      if (code == 1) {
        n = chain_start + 1;
        in_chain = false;
      } else if (code == 0) {
        sweep.write(*found);
        n = chain_start;
        in_chain = false;
      } else {
        sweep.write(*found);
        n = m;
      }
    }
    if (sweep.order.size() == written && sweep.discarded == discarded) sweep.write_first_pending();
  }
  return sweep.order;
}

}  // namespace kalvor::test
