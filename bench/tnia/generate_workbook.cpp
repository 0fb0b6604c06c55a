// Writes a large TNIA v2.0 workbook (.xlsx) for timing the converter: road
// links of 15 nodes, barrier links of 10 nodes associated with the roads,
// and receivers with three levels each, filling ROWS rows of worksheet 1.
// Every tenth road node's X is a formula with its cached result, as
// spreadsheet programs save them.
//
// usage: tnia_generate_workbook ROWS OUTPUT.xlsx
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kRoadNodes = 15;
constexpr int kBarrierNodes = 10;

struct Sheets {
  lxw_worksheet* geometry;
  lxw_worksheet* roads;
  lxw_worksheet* barriers;
  lxw_worksheet* absorptive;
  lxw_worksheet* receivers;
  lxw_worksheet* levels;
};

void text(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const std::string& value) {
  worksheet_write_string(sheet, row, column, value.c_str(), nullptr);
}

void number(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, double value) {
  worksheet_write_number(sheet, row, column, value, nullptr);
}

void node(const Sheets& s, lxw_row_t row, const std::string& id, double x, double y, double z,
          const char* kind) {
  text(s.geometry, row, 0, id);
  number(s.geometry, row, 1, x);
  number(s.geometry, row, 2, y);
  number(s.geometry, row, 3, z);
  text(s.geometry, row, 4, kind);
}

void headings(const Sheets& s) {
  text(s.geometry, 0, 0, "Project Title");
  text(s.geometry, 0, 1, "Benchmark");
  const char* const columns[] = {"ID", "X", "Y", "Z", "Kind"};
  for (lxw_col_t c = 0; c < 5; ++c) text(s.geometry, 1, c, columns[c]);
  text(s.barriers, 0, 0, "ID");
  text(s.barriers, 0, 1, "Height");
  text(s.barriers, 0, 2, "Road");
  text(s.receivers, 0, 0, "ID");
  text(s.receivers, 1, 3, "Y");
  number(s.receivers, 1, 4, 300);
  text(s.levels, 0, 0, "Key");
  for (int level = 0; level < 3; ++level) {
    text(s.levels, 1 + level, 0, "L3");
    text(s.levels, 1 + level, 1, std::to_string(level + 1) + "/F");
    number(s.levels, 1 + level, 2, 1.2 + 3 * level);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tnia_generate_workbook ROWS OUTPUT.xlsx\n");
    return 2;
  }
  const long rows = std::atol(argv[1]);
  lxw_workbook* book = workbook_new(argv[2]);
  const Sheets s{
      workbook_add_worksheet(book, "Geometry"),  workbook_add_worksheet(book, "Roads"),
      workbook_add_worksheet(book, "Barriers"),  workbook_add_worksheet(book, "BarriersO"),
      workbook_add_worksheet(book, "Receivers"), workbook_add_worksheet(book, "Levels")};
  headings(s);
  // Half the rows are road nodes, a sixth barrier nodes, the rest receivers.
  const long road_rows = rows / 2 / kRoadNodes * kRoadNodes;
  const long barrier_rows = rows / 6 / kBarrierNodes * kBarrierNodes;
  lxw_row_t row = 2;
  for (long r = 0; r < road_rows / kRoadNodes; ++r) {
    const std::string id = "R" + std::to_string(r + 1);
    text(s.roads, static_cast<lxw_row_t>(r), 0, id);
    text(s.roads, static_cast<lxw_row_t>(r), 1, r % 2 ? "IMPERVIOUS" : "Pervious");
    number(s.roads, static_cast<lxw_row_t>(r), 2, 7.3);
    number(s.roads, static_cast<lxw_row_t>(r), 3, 1200 + r % 500);
    number(s.roads, static_cast<lxw_row_t>(r), 4, 12.5);
    number(s.roads, static_cast<lxw_row_t>(r), 5, 50);
    text(s.roads, static_cast<lxw_row_t>(r), 7, "Y");
    for (int n = 0; n < kRoadNodes; ++n, ++row) {
      node(s, row, id, 830000 + r * 7.5 + n * 10.25, 820000 + r * 3.25, 5 + n * 0.1, "S");
      if (n % 10 == 1) {
        const std::string f = "=B" + std::to_string(row) + "+10.25";
        worksheet_write_formula_num(s.geometry, row, 1, f.c_str(), nullptr,
                                    830000 + r * 7.5 + n * 10.25);
      }
    }
  }
  for (long b = 0; b < barrier_rows / kBarrierNodes; ++b) {
    const std::string id = "W" + std::to_string(b + 1);
    text(s.barriers, static_cast<lxw_row_t>(b + 1), 0, id);
    number(s.barriers, static_cast<lxw_row_t>(b + 1), 1, 3.5);
    text(s.barriers, static_cast<lxw_row_t>(b + 1), 2, "R" + std::to_string(b + 1));
    for (int n = 0; n < kBarrierNodes; ++n, ++row)
      node(s, row, id, 831000 + b * 5.5 + n * 8.25, 821000 + b * 2.25, 6, b % 3 ? "B" : "A");
  }
  for (long n = 0; row < static_cast<lxw_row_t>(rows) + 2; ++n, ++row) {
    const std::string id = "N" + std::to_string(n + 1);
    node(s, row, id, 832000 + n * 1.5, 822000 + n * 0.75, 4, "R");
    text(s.receivers, static_cast<lxw_row_t>(n + 1), 0, id);
    text(s.receivers, static_cast<lxw_row_t>(n + 1), 1, "L3");
    text(s.receivers, static_cast<lxw_row_t>(n + 1), 2, n % 2 ? "Y" : "N");
  }
  if (workbook_close(book) != LXW_NO_ERROR) {
    std::fprintf(stderr, "tnia_generate_workbook: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
