// Times the TNIA conversion of a large workbook (2000 roads, 500 barriers,
// 2000 receivers) and checks that its report reached the last records.
#include <chrono>
#include <cstdio>
#include <string>

#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

// 10,000 rows in worksheet 1: 2,000 roads of three nodes, 500 barriers of
// four nodes associated with roads, 2,000 receivers of one level each.
WorkbookDescription large_model() {
  WorkbookDescription book;
  book.add_sheet("Geometry");
  book.text(1, 1, "Title");
  book.text(2, 1, "ID");
  long row = 3;
  auto node = [&](const std::string& id, double x, const char* kind) {
    book.text(row, 1, id);
    book.number(row, 2, x);
    book.number(row, 3, static_cast<double>(row));
    book.number(row, 4, 1.25);
    book.text(row, 5, kind);
    ++row;
  };
  for (int road = 0; road < 2000; ++road)
    for (int n = 0; n < 3; ++n) node("R" + std::to_string(road), n * 10.0, "S");
  for (int barrier = 0; barrier < 500; ++barrier)
    for (int n = 0; n < 4; ++n) node("B" + std::to_string(barrier), n * 5.0, "A");
  for (int receiver = 0; receiver < 2000; ++receiver) node("N" + std::to_string(receiver), 1, "R");

  book.add_sheet("Road");
  for (int road = 0; road < 2000; ++road) {
    book.text(road + 1, 1, "R" + std::to_string(road));
    book.number(road + 1, 3, 7.5);
  }
  book.add_sheet("Barrier");
  book.text(1, 1, "ID");
  for (int barrier = 0; barrier < 500; ++barrier) {
    book.text(barrier + 2, 1, "B" + std::to_string(barrier));
    book.number(barrier + 2, 2, 3);
    book.text(barrier + 2, 3, "R" + std::to_string(barrier * 4));
  }
  book.add_sheet("BarrierO");
  book.add_sheet("Receiver");
  for (int receiver = 0; receiver < 2000; ++receiver) {
    book.text(receiver + 1, 1, "N" + std::to_string(receiver));
    book.text(receiver + 1, 2, "G" + std::to_string(receiver));
  }
  book.add_sheet("Levels");
  book.text(1, 1, "Key");
  for (int receiver = 0; receiver < 2000; ++receiver) {
    book.text(receiver + 2, 1, "G" + std::to_string(receiver));
    book.text(receiver + 2, 2, "1/F");
    book.number(receiver + 2, 3, 1.5);
  }
  return book;
}

bool report_reaches_the_last_records(const std::string& report) {
  for (const char* expected : {"Link No.:   2000\r\n", "Associated Barrier Link No.: 500\r\n",
                               "Associated Road Link No.: 1997\r\n", "\r\n2000 N1999-G1999-1/F"})
    if (report.find(expected) == std::string::npos) return false;
  return true;
}

}  // namespace
}  // namespace kalvor::test

int main() {
  using namespace kalvor::test;
  TniaConversion conversion(large_model());
  const auto start = std::chrono::steady_clock::now();
  conversion.run();
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("TNIA, 10000 rows: %.2f s\n", seconds);
  if (!report_reaches_the_last_records(conversion.report())) {
    std::fprintf(stderr, "the report does not reach the last records\n");
    return 1;
  }
  return 0;
}
