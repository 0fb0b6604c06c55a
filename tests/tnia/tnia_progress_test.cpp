// Progress and status during a conversion, and the time a large workbook
// takes.
#include <gtest/gtest.h>

#include <chrono>

#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

TEST(TniaProgress, EveryRowOfEachPassAddsOneThirdOfItsShare) {
  TniaConversion conversion(description_of_case("full"));
  conversion.run();
  // Worksheet 1 counts 20 rows from row 1; each pass handles rows 3 to 20.
  const auto& values = conversion.job.progress_values;
  ASSERT_EQ(3u * 18u, values.size());
  const double step = 100.0 / 60.0;
  for (std::size_t i = 0; i < values.size(); ++i)
    EXPECT_NEAR(step * static_cast<double>(i + 1), values[i], 1e-3) << i;
  EXPECT_EQ(
      (std::vector<std::string>{"Processing...", "Processing... (Road)", "Processing... (Barrier)",
                                "Processing... (Receiver)", "Formatting Output... "}),
      conversion.job.statuses);
}

TEST(TniaProgress, NeverPassesOneHundred) {
  // Column A of row 2 is empty, so worksheet 1 counts one row only.
  TniaConversion conversion(parse_workbook_description(
      "[Geometry]\nA1 s Title\nA3 s N\nA4 s N\nA5 s N\n[Road]\n[Barrier]\n[BarrierO]\n"
      "[Receiver]\n[Levels]\n"));
  conversion.run();
  const auto& values = conversion.job.progress_values;
  ASSERT_EQ(9u, values.size());
  for (float v : values) EXPECT_LE(v, 100.0f);
  EXPECT_EQ(100.0f, values.back());
}

TEST(TniaProgress, WorksheetWithoutRowsMovesNothing) {
  TniaConversion conversion(description_of_case("empty"));
  conversion.run();
  EXPECT_TRUE(conversion.job.progress_values.empty());
}

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

TEST(TniaSpeed, TenThousandRowsTakeSecondsNotMinutes) {
  TniaConversion conversion(large_model());
  const auto start = std::chrono::steady_clock::now();
  conversion.run();
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 30.0);

  const std::string report = conversion.report();
  EXPECT_NE(std::string::npos, report.find("Link No.:   2000\r\n"));
  EXPECT_NE(std::string::npos, report.find("Associated Barrier Link No.: 500\r\n"));
  EXPECT_NE(std::string::npos, report.find("Associated Road Link No.: 1997\r\n"));
  EXPECT_NE(std::string::npos, report.find("\r\n2000 N1999-G1999-1/F"));
}

}  // namespace
}  // namespace kalvor::test
