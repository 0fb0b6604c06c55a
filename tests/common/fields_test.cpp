// Field splitting, fixed-width columns and the small list helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "golden.h"
#include "quillan/services.h"
#include "quillan/varnik.h"

using namespace quillan;

namespace {

struct Column {
  std::string text;
  Value width;
  Value value;
};

Column format(const Value& align, int width, int decimals, const Value& value, bool as_text) {
  Varnik lib;
  Column c{"", width, value};
  c.text = lib.format_output(align, c.width, decimals, c.value, as_text);
  return c;
}

TEST(FormatOutput, AlignsNumbersWithTheirDecimals) {
  EXPECT_EQ(format("R", 8, 1, 12.345, false).text, "    12.3");
  EXPECT_EQ(format("R", 8, 1, 12.35, false).text, "    12.4");
  EXPECT_EQ(format("R", 8, 1, -0.25, false).text, "    -0.3");
  EXPECT_EQ(format("L", 8, 1, "12", false).text, "12.0    ");
  EXPECT_EQ(format("L", 5, 0, 14.5, false).text, "15   ");
}

TEST(FormatOutput, NeverCutsAValueWiderThanItsField) {
  Column c = format("R", 3, 2, 1234.5, false);
  EXPECT_EQ(c.text, "1234.50");
  EXPECT_EQ(c.width.to_number(), 0);
  EXPECT_EQ(c.value.to_text(), "1234.50");
}

TEST(FormatOutput, CountsBlanksCarriedByTheValueBeforeRemovingThem) {
  EXPECT_EQ(format("L", 6, 0, "AB", true).text, "AB    ");
  EXPECT_EQ(format("L", 6, 0, "AB  ", true).text, "AB  ");
  EXPECT_EQ(format("L", 7, 1, "N/A", false).text, "N/A    ");
}

TEST(FormatOutput, AcceptsLetterCaseAndNumbersForTheAlignment) {
  EXPECT_EQ(format("l", 4, 0, "x", true).text, "x   ");
  EXPECT_EQ(format(0, 4, 0, "x", true).text, "x   ");
  EXPECT_EQ(format(1, 4, 0, "x", true).text, "   x");
  EXPECT_EQ(format("C", 4, 0, "x", true).text, "");
  EXPECT_EQ(format("C", 4, 0, "x", true).width.to_number(), 3);
}

TEST(SplitInputline, DropsEmptyPiecesButKeepsBlankOnes) {
  Varnik lib;
  EXPECT_EQ(lib.split_inputline("  12   ab  c ", " "), (std::vector<std::string>{"12", "ab", "c"}));
  EXPECT_EQ(lib.split_inputline(",a,,b", ","), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(lib.split_inputline("a, ,b", ","), (std::vector<std::string>{"a", " ", "b"}));
  EXPECT_EQ(lib.split_inputline("a--b--", "--"), (std::vector<std::string>{"a", "b"}));
  EXPECT_THROW(lib.split_inputline("   ", " "), Error);
  EXPECT_THROW(lib.split_inputline("", " "), Error);
}

TEST(GetInputlinePartition, KeepsTheSeparatorWithTheFirstPart) {
  Varnik lib;
  auto parts = lib.get_inputline_partition("Flow: 1200", ":");
  EXPECT_EQ(parts[0].to_text(), "Flow:");
  EXPECT_EQ(parts[1].to_text(), "1200");
  EXPECT_TRUE(parts[2].is_empty());
  auto none = lib.get_inputline_partition(" no separator ", ":");
  EXPECT_EQ(none[0].to_text(), " no separator ");
  EXPECT_EQ(none[1].to_text(), "");
}

TEST(CheckMaxMinValue, WidensTheLimitsForNumbersOnly) {
  Varnik lib;
  Value max = 0, min = 9999;
  lib.check_max_min_value("abc", max, min);
  EXPECT_EQ(max.to_number(), 0);
  EXPECT_EQ(min.to_number(), 9999);
  lib.check_max_min_value("15", max, min);
  EXPECT_EQ(max.to_number(), 15);
  EXPECT_EQ(min.to_number(), 15);
  lib.check_max_min_value(20000, max, min);
  EXPECT_EQ(max.to_number(), 20000);
}

TEST(ArrayFlags, LeaveTheLastElementAlone) {
  Varnik lib;
  Value::List flags{1, 2, 3, 4};
  lib.initial_array_flag(flags, 0);
  EXPECT_EQ(flags[0].to_number(), 0);
  EXPECT_EQ(flags[2].to_number(), 0);
  EXPECT_EQ(flags[3].to_number(), 4);
  Value::List values{"x", "a", "b", "c"};
  EXPECT_TRUE(lib.check_array_flag_one_match(values, "b"));
  EXPECT_FALSE(lib.check_array_flag_one_match(values, "x"));
  EXPECT_FALSE(lib.check_array_flag_one_match(values, "c"));
  Value::List empty;
  EXPECT_THROW(lib.initial_array_flag(empty, 0), Error);
}

struct RecordingHost : Host {
  std::vector<std::string> messages;
  int events = 0;
  void show_message(const std::string& text, const std::string& title) override {
    messages.push_back(title + ": " + text);
  }
  void process_events() override { ++events; }
};

TEST(CheckResult, ShowsTheMessageOnlyOnEquality) {
  RecordingHost host;
  Host* previous = install_host(&host);
  Varnik lib;
  lib.check_result(3, 0, "Wrong worksheet input!!");
  lib.check_result(0, 0, "Wrong worksheet input!!");
  install_host(previous);
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Quillan: Wrong worksheet input!!"}));
  EXPECT_NO_THROW(lib.check_result(0, 0, "nobody listens"));
}

TEST(ReplaceChar, CopiesCharacterByCharacterLettingEventsRun) {
  kalvor::test::ScratchDir dir;
  kalvor::test::write_file(dir / "in.txt", "a;b;c");
  RecordingHost host;
  Host* previous = install_host(&host);
  Varnik lib;
  lib.open_file_handler((dir / "in.txt").string(), 0, 1, false);
  lib.open_file_handler((dir / "out.txt").string(), 1, 2, false);
  lib.ReplaceChar(1, 2, ";", ",");
  lib.close_ALL_file_handler();
  install_host(previous);
  EXPECT_EQ(kalvor::test::read_file(dir / "out.txt"), "a,b,c");
  EXPECT_EQ(host.events, 5);
}

TEST(GetPIValue, IsTheDoubleNearestToFourteenDecimalsOfPi) {
  double pi = Varnik().GetPIValue();
  std::uint64_t bits;
  std::memcpy(&bits, &pi, sizeof bits);
  EXPECT_EQ(bits, 0x400921FB54442D11ULL);
}

}  // namespace
