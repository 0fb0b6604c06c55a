// Writes a large, realistic HFANoise model for timing the converter: chains
// of connected road segments listed in shuffled order, two-way roads as pairs
// of opposite segments, layouts of both directions, barrier chains, and
// receivers of which some share a node. With a fifth argument it also writes
// a layout-barrier file that covers most layouts.
//
// usage: hfa_generate_model SEED ROADS BARRIERS RECEIVERS MODEL [LAYBARR]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kLayouts = 400;

struct Model {
  std::mt19937 rng;
  std::vector<std::string> links;
  std::vector<std::string> nodes;
  long next_node = 1;
  long next_link = 1;
  double x = 830000, y = 820000;

  explicit Model(unsigned seed) : rng(seed) {}

  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  long add_node() {
    x += uniform(-400, 600) / 10.0;
    y += uniform(-400, 600) / 10.0;
    char line[128];
    std::snprintf(line, sizeof line, "%ld  %.2f  %.2f  %.1f  %.1f", next_node, x, y,
                  uniform(0, 400) / 10.0, uniform(0, 1) == 0 ? 0.0 : uniform(10, 150) / 10.0);
    nodes.push_back(line);
    return next_node++;
  }

  void add_link(long a, long b, int layout, const std::string& rest) {
    links.push_back(std::to_string(next_link++) + "  " + std::to_string(a) + "  " +
                    std::to_string(b) + "  " + std::to_string(layout) + "  " + rest);
  }

  // A road of `segments` connected segments; two-way roads also get the
  // segments of the opposite direction.
  void add_road(long& budget) {
    const int segments = static_cast<int>(std::min<long>(budget, uniform(3, 40)));
    const int layout = uniform(1, kLayouts);
    const bool two_way = uniform(0, 9) < 2 && budget >= 2L * segments;
    const std::string rest = "road  yes  " + std::string(uniform(0, 1) ? "soft" : "hard") +
                             "  hard  Road " + std::to_string(next_link);
    std::vector<long> chain{add_node()};
    for (int i = 0; i < segments; ++i) chain.push_back(add_node());
    for (int i = 0; i < segments; ++i) add_link(chain[i], chain[i + 1], layout, rest);
    budget -= segments;
    if (!two_way) return;
    for (int i = segments; i > 0; --i) add_link(chain[i], chain[i - 1], layout, rest);
    budget -= segments;
  }

  void add_barrier(long& budget) {
    const int segments = static_cast<int>(std::min<long>(budget, uniform(2, 12)));
    static const char* kinds[] = {"barrier  yes  -  -  90d", "Z10  yes  -  -  0",
                                  "building  yes  -  -  12.5  4  8  1", "sp_abs  yes  -  -  0"};
    const std::string rest =
        std::string(kinds[uniform(0, 3)]) + "  Wall " + std::to_string(next_link);
    long a = add_node();
    for (int i = 0; i < segments; ++i) {
      long b = add_node();
      add_link(a, b, 0, rest);
      a = b;
    }
    budget -= segments;
  }

  void add_receivers(long& budget) {
    const int sharing = static_cast<int>(std::min<long>(budget, uniform(0, 3) == 0 ? 3 : 1));
    const long node = add_node();
    for (int i = 0; i < sharing; ++i) {
      add_link(node, 0, 0, "receiver  yes  -  yes  Flat " + std::to_string(next_link));
    }
    budget -= sharing;
  }
};

void write_lines(std::ofstream& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) out << ' ' << line << "\r\n";
}

void write_model(Model& m, const char* path) {
  std::ofstream out(path, std::ios::binary);
  out << "Benchmark model\r\n\r\n Number of Links = " << m.links.size() << "\r\n\r\n";
  out << " Link  A-Node  B-Node  Layout  Description  Incl.  Left  Right  Text_Label\r\n";
  out << " ----  ------  ------  ------  -----------  -----  ----  -----  ----------\r\n";
  write_lines(out, m.links);
  out << "\r\n Node  X  Y  Z  H\r\n ----  -  -  -  -\r\n";
  write_lines(out, m.nodes);
  out << "\r\n Layout  Flow  Speed  Heavy  Texture  Surface  Elevated  OneWay  Direction  "
         "Reserve  Width  Category\r\n ------\r\n";
  for (int layout = 1; layout <= kLayouts; ++layout) {
    const char* direction = layout % 5 == 0 ? "B->A" : "A->B";
    out << ' ' << layout << "  " << 200 + layout * 7 << "  " << 50 + layout % 4 * 10 << "  "
        << layout % 30 << ".5  1.5  per  " << (layout % 3 == 0 ? "yes" : "no") << "  yes  "
        << direction << "  " << (layout % 7 == 0 ? "2.5" : "0") << "  7.3  new\r\n";
  }
  out << "\r\n";
}

void write_layout_barriers(const char* path) {
  std::ofstream out(path, std::ios::binary);
  out << " Layout Lpd Lbh Lba Rpd Rbh Rpa Lpd2 Lbh2 Rpd2 Rbh2 NumSeg\r\n ------\r\n";
  for (int layout = 1; layout <= kLayouts; ++layout) {
    if (layout % 10 == 0) continue;  // a few layouts without barriers
    out << ' ' << layout << "  0.5  1.2  90  " << (layout % 4 == 0 ? "0" : "1.0") << "  3.0  75"
        << "  1.0  2.0  " << (layout % 4 == 0 ? "0" : "2.0") << "  4.0  3\r\n";
  }
  out << "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s SEED ROADS BARRIERS RECEIVERS MODEL [LAYBARR]\n", argv[0]);
    return 2;
  }
  Model m(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
  long roads = std::atol(argv[2]), barriers = std::atol(argv[3]), receivers = std::atol(argv[4]);
  while (roads > 0) m.add_road(roads);
  while (barriers > 0) m.add_barrier(barriers);
  while (receivers > 0) m.add_receivers(receivers);
  std::shuffle(m.links.begin(), m.links.end(), m.rng);
  write_model(m, argv[5]);
  if (argc > 6) write_layout_barriers(argv[6]);
  return 0;
}
