// Progress and status during a conversion.
#include <gtest/gtest.h>

#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

TEST(TniaProgress, EveryRowOfEachPassAddsOneThirdOfItsShare) {
  TniaConversion conversion(description_of_case("full"));
  conversion.run();
  // Worksheet 1 counts 18 rows from row 1; each pass handles rows 3 to 18.
  const auto& values = conversion.job.progress_values;
  ASSERT_EQ(3u * 16u, values.size());
  const double step = 100.0 / 54.0;
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
      "[Geometry]\nA1 s Title\nA3 s N\nE3 s S\nA4 s N\nE4 s S\nA5 s N\nE5 s S\n"
      "[Road]\nA1 s N\n[Barrier]\n[BarrierO]\n[Receiver]\n[Levels]\n"));
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

}  // namespace
}  // namespace kalvor::test
