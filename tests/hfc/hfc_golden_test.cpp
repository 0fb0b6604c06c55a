// HFCNoise conversions beyond the golden cases: the status shown, one
// converter object reused, the example project.
#include <gtest/gtest.h>

#include "hfc_conversion.h"

namespace kalvor::test {
namespace {

TEST(HfcStatus, OnlyProcessingIsShown) {
  auto conversion = HfcConversion::of_case("roads");
  conversion.run();
  EXPECT_EQ(std::vector<std::string>{"Processing..."}, conversion.job.statuses);
}

TEST(HfcConverterObject, StartsEveryConversionAfresh) {
  // The window keeps one converter: link numbers, categories and directions
  // of one model must not leak into the next.
  HFC_Lib converter;
  auto roads = HfcConversion::of_case("roads");
  roads.run(converter);
  auto switches = HfcConversion::of_case("level_switches");
  switches.run(converter);
  EXPECT_SAME_REPORT(expected_report("level_switches"), switches.report());
  auto roads_again = HfcConversion::of_case("roads");
  roads_again.run(converter);
  EXPECT_SAME_REPORT(expected_report("roads"), roads_again.report());
}

}  // namespace
}  // namespace kalvor::test

namespace kalvor::test {
namespace {

TEST(HfcExampleProject, Converts) {
  auto conversion =
      HfcConversion::of_text(read_file(data_dir() / "../../examples/hfcnoise/tai_po_road.txt"));
  conversion.run();
  const std::string report = conversion.report();
  // The surface change splits the first road; the barrier rising onto the
  // viaduct splits the first barrier.
  EXPECT_NE(std::string::npos, report.find("Link ID:    TPR-NB-1\r\n"));
  EXPECT_NE(std::string::npos, report.find("Link No.:   4\r\nLink ID:    Access-1\r\n"));
  EXPECT_NE(std::string::npos, report.find("Link ID:    NB-1-1\r\nType: Absorptive\r\n"
                                           "Level: Elevated\r\n"));
  EXPECT_NE(std::string::npos, report.find("\r\n4   CLINIC "));
}

}  // namespace
}  // namespace kalvor::test
