// The order in which the re-ordering writes rows: worked cases, and agreement
// with the plain node sweep on generated models.
#include "chain_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "hfa/hfa_lib.h"
#include "hfa_test_support.h"
#include "literal_order.h"
#include "quillan/varnik.h"

namespace kalvor::test {
namespace {

using hfa::NodeRow;
using hfa::OrderMode;

struct Range {
  double min, max;
};

Range range_of(const std::vector<NodeRow>& rows, OrderMode mode) {
  Range r{9999, 0};
  for (const NodeRow& row : rows) {
    r.min = std::min({r.min, row.a, mode == OrderMode::Chains ? row.b : row.a});
    r.max = std::max({r.max, row.a, mode == OrderMode::Chains ? row.b : row.a});
  }
  return r;
}

std::vector<std::size_t> indexed(const std::vector<NodeRow>& rows,
                                 OrderMode mode = OrderMode::Chains) {
  Range r = range_of(rows, mode);
  return hfa::ChainOrder(rows, mode, nullptr).run(r.min, r.max);
}

std::vector<NodeRow> pairs(std::initializer_list<std::pair<double, double>> list) {
  std::vector<NodeRow> rows;
  for (auto [a, b] : list) rows.push_back({a, b});
  return rows;
}

TEST(ChainOrder, FollowsAChainFromTheSegmentNothingEndsAt) {
  auto rows = pairs({{3, 4}, {1, 2}, {2, 3}});
  EXPECT_EQ((std::vector<std::size_t>{1, 2, 0}), indexed(rows));
}

TEST(ChainOrder, WritesATwoWayPairAsConsecutiveRows) {
  auto rows = pairs({{6, 5}, {1, 2}, {5, 6}});
  EXPECT_EQ((std::vector<std::size_t>{1, 2, 0}), indexed(rows));
}

TEST(ChainOrder, BreaksAPassThatWouldWriteNothing) {
  // Every first row at a visited node has something pending ending at its
  // start; the first pending row in file order is written to go on.
  auto rows = pairs({{53, 28}, {57, 28}, {77, 72}, {77, 53}, {53, 77}, {53, 57}});
  EXPECT_EQ((std::vector<std::size_t>{0, 4, 2, 5, 1, 3}), indexed(rows));
}

TEST(ChainOrder, ConvertsNodeNumbersOf9999AndMore) {
  auto rows = pairs({{10001, 10002}, {9999, 10000}, {10000, 10001}});
  EXPECT_EQ((std::vector<std::size_t>{1, 2, 0}), indexed(rows));
}

TEST(ChainOrder, DropsRowsWhoseNodesAreEqual) {
  auto rows = pairs({{4, 4}, {1, 2}, {2, 2}});
  EXPECT_EQ((std::vector<std::size_t>{1}), indexed(rows));
}

TEST(ChainOrder, WritesOneReceiverPerNodeAndPass) {
  auto rows = pairs({{3, 0}, {5, 0}, {3, 0}});
  EXPECT_EQ((std::vector<std::size_t>{0, 1, 2}), indexed(rows, OrderMode::Receivers));
}

TEST(ChainOrder, WritesRowsOutsideTheNodeRangeInFileOrder) {
  auto rows = pairs({{2, 1}, {1, 2}});
  EXPECT_EQ((std::vector<std::size_t>{0, 1}),
            hfa::ChainOrder(rows, OrderMode::Chains, nullptr).run(9999, 0));
}

// Models with chains over a small node set (many ties, merges and loops),
// two-way pairs and rows with equal nodes, in shuffled order.
std::vector<NodeRow> generated_model(unsigned seed, int count, int nodes, double scale) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> node(1, nodes);
  std::vector<NodeRow> rows;
  auto add = [&](int a, int b) { rows.push_back({a * scale, b * scale}); };
  while (static_cast<int>(rows.size()) < count) {
    const int kind = static_cast<int>(rng() % 10);
    int a = node(rng);
    if (kind < 5) {
      for (int length = 1 + static_cast<int>(rng() % 8); length > 0; --length) {
        int b = node(rng);
        add(a, b);
        a = b;
      }
    } else if (kind < 7) {
      int b = node(rng);
      add(a, b);
      add(b, a);
    } else if (kind < 8) {
      add(a, a);
    } else {
      add(a, node(rng));
    }
  }
  std::shuffle(rows.begin(), rows.end(), rng);
  return rows;
}

class ChainOrderAgreement : public ::testing::TestWithParam<unsigned> {};

TEST_P(ChainOrderAgreement, IndexedSweepWritesWhatThePlainSweepWrites) {
  const unsigned seed = GetParam();
  for (OrderMode mode : {OrderMode::Chains, OrderMode::Receivers}) {
    for (int nodes : {20, 150, 600}) {
      // Half steps between node numbers exercise the sweep's early stop.
      for (double scale : {1.0, 0.5}) {
        auto rows = generated_model(seed * 7 + nodes, 300, nodes, scale);
        Range r = range_of(rows, mode);
        ASSERT_EQ(literal_order(rows, r.min, r.max, mode), indexed(rows, mode))
            << "seed " << seed << ", nodes " << nodes << ", scale " << scale << ", mode "
            << (mode == OrderMode::Chains ? "chains" : "receivers");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ChainOrderAgreement, ::testing::Range(1u, 21u));

// The file operation writes the lines of the temporary file in that order.
TEST(RearrangeInputText, WritesTheLinesInThePlainSweepOrder) {
  ScratchDir dir;
  auto rows = generated_model(99, 400, 120, 1.0);
  std::string text;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    lines.push_back(std::to_string(i + 1) + " " + std::to_string(static_cast<int>(rows[i].a)) +
                    " " + std::to_string(static_cast<int>(rows[i].b)) + " 1 road yes soft hard");
    text += lines.back() + "\r\n";
  }
  write_file(dir / "roads.txt", text);
  Range r = range_of(rows, OrderMode::Chains);
  std::string expected;
  for (std::size_t i : literal_order(rows, r.min, r.max, OrderMode::Chains)) {
    expected += lines[i] + "\r\n";
  }

  FakeJob job;
  quillan::Varnik lib;
  HFA_Lib converter;
  lib.open_file_handler((dir / "sorted.txt").string(), 1, 10, false);
  converter.rearrange_input_text_by_col(job, (dir / "roads.txt").string(), 10, r.max, r.min,
                                        static_cast<long>(rows.size()));
  lib.close_file_handler(10);
  EXPECT_EQ(expected, read_file(dir / "sorted.txt"));
  EXPECT_EQ(100.0f, job.progress());
}

}  // namespace
}  // namespace kalvor::test
