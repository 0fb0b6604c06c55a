// Broken HFCNoise input fails with a message naming the file, the line and
// what was expected there.
#include <gtest/gtest.h>

#include "hfc_conversion.h"
#include "hfc_model_lines.h"

namespace kalvor::test {
namespace {

struct BrokenInput {
  const char* name;
  std::vector<std::string> lines;
  long line;             // the line the message names
  const char* expected;  // a part of the message telling what was expected
};

void PrintTo(const BrokenInput& b, std::ostream* os) {
  *os << b.name;
}

class HfcBrokenInput : public ::testing::TestWithParam<BrokenInput> {};

TEST_P(HfcBrokenInput, FailsNamingFileLineAndExpectation) {
  const auto& broken = GetParam();
  auto conversion = HfcConversion::of_text(file_of(broken.lines));
  try {
    conversion.run();
    FAIL() << "the conversion succeeded";
  } catch (const ConversionError& e) {
    const std::string message = e.what();
    EXPECT_NE(std::string::npos, message.find(conversion.input.string())) << message;
    EXPECT_NE(std::string::npos, message.find(", line " + std::to_string(broken.line) + ":"))
        << message;
    EXPECT_NE(std::string::npos, message.find(broken.expected)) << message;
  }
}

const auto kModel = small_model();

INSTANTIATE_TEST_SUITE_P(
    Head, HfcBrokenInput,
    ::testing::Values(BrokenInput{"EmptyFile", {}, 1, "the project title"},
                      BrokenInput{"NoSwitches", with_line(kModel, 2, ""), 2, "switches"},
                      BrokenInput{"NineSwitchFields", with_line(kModel, 2, "0 1 0 0 0 0 0 0 0"), 2,
                                  "at least 10 fields"},
                      BrokenInput{
                          "SwitchWord", with_line(kModel, 2, "0 1 0 0 0 0 0 0 maybe 0"), 2,
                          "road level switch (field 9) as a number or True/False, found \"maybe\""},
                      BrokenInput{"EndsInHead", first_lines(kModel, 3), 4, "head line 4"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Roads, HfcBrokenInput,
    ::testing::Values(
        BrokenInput{"EmptyLineA", with_line(kModel, 5, ""), 5, "a road record"},
        BrokenInput{"EmptyLineB", with_line(kModel, 6, " "), 6, "the number of segments"},
        BrokenInput{"WordAsSegmentCount", with_line(kModel, 6, "two"), 6,
                    "the number of segments as a number, found \"two\""},
        BrokenInput{"NegativeSegmentCount", with_line(kModel, 6, "-1"), 6,
                    "whole number of 0 or more"},
        BrokenInput{"EmptyFlow", with_line(kModel, 9, ""), 9, "the traffic flow"},
        BrokenInput{"WordAsSurfaceCode", with_line(kModel, 14, "818010 836010 5 1 7 asphalt"), 14,
                    "the surface code (field 6) as a number"},
        BrokenInput{"WordAsDirectionCode", with_line(kModel, 13, "818000 836000 5 two 7 0"), 13,
                    "the flow direction code (field 4: 0 one way, 1 two way) as a number"},
        // Codes and short lines that would leave the values of the record
        // before in the report.
        BrokenInput{"UnknownCategory", with_line(kModel, 5, "R1 n"), 5,
                    "N (new), E (existing) or A (other), found \"n\""},
        BrokenInput{"DirectionCodeTwo", with_line(kModel, 13, "818000 836000 5 2 7 0"), 13,
                    "two way) as 0 or 1, found \"2\""},
        BrokenInput{"SurfaceCodeThree", with_line(kModel, 13, "818000 836000 5 1 7 3"), 13,
                    "1 pervious) as 0 or 1, found \"3\""},
        BrokenInput{"ShortFirstNode", with_line(kModel, 13, "818000 836000 5"), 13,
                    "at least 6 fields (Y X Z direction width surface), found 3"},
        BrokenInput{"WordAsX", with_line(kModel, 14, "818010 east 5 1 7 0"), 14,
                    "expected X (field 2) as a number, found \"east\""},
        BrokenInput{"ShortLastNode", with_line(kModel, 14, "818010 836010"), 14,
                    "at least 6 fields (Y X Z direction width surface), found 2"},
        BrokenInput{"EndsInNodeLines", first_lines(kModel, 13), 14, "a road node line"},
        BrokenInput{"EndsBeforeBarriers", first_lines(kModel, 14), 15, "\"Barriers:\""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    BarriersAndReceivers, HfcBrokenInput,
    ::testing::Values(
        BrokenInput{"EmptyBarrierLineB", with_line(kModel, 17, ""), 17, "the number of segments"},
        BrokenInput{"WordAsElevationCode", with_line(kModel, 18, "818000 836000 high 5 3 0"), 18,
                    "the elevation code (field 3) as a number"},
        BrokenInput{"ShortFirstBarrierNode", with_line(kModel, 18, "818000"), 18,
                    "at least 6 fields (Y X elevation Z H angle), found 1"},
        BrokenInput{"ShortLastBarrierNode", with_line(kModel, 19, "818000 836010 0 5 3"), 19,
                    "at least 6 fields (Y X elevation Z H angle), found 5"},
        BrokenInput{"EndsInBarrierNodes", first_lines(kModel, 18), 19, "a barrier node line"},
        BrokenInput{"EndsBeforeReceivers", first_lines(kModel, 19), 20, "\"Receivers:\""},
        BrokenInput{"ShortReceiver", with_line(kModel, 21, "N1      818010 836000 818000"), 21,
                    "7 fields (Y X of the left limit, Y X of the receiver, Y X of the right "
                    "limit, Z), found 3"},
        BrokenInput{"WordAsReceiverZ",
                    with_line(kModel, 21, "N1      818010 836000 818000 836000 818000 836010 GF"),
                    21, "expected Z of the receiver as a number, found \"GF\""},
        BrokenInput{"NameOnlyReceiver", with_line(kModel, 21, "N1"), 21, "found 0 fields"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HfcMissingInput, FailsNamingTheFile) {
  auto conversion = HfcConversion::of_text("");
  const std::string missing = (conversion.input.parent_path() / "absent.txt").string();
  conversion.job.set_text(control::InputPath, missing);
  try {
    conversion.run();
    FAIL() << "the conversion succeeded";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find(missing)) << e.what();
  }
}

}  // namespace
}  // namespace kalvor::test
