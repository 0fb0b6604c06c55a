// Workbooks the converter cannot convert: the user is told what and where,
// and no report or temporary file remains.
#include <gtest/gtest.h>

#include "command/convert_command.h"
#include "tnia_conversion.h"

namespace kalvor::test {
namespace {

// One road link R1 of two nodes; `road_sheet` is worksheet 2's column A,
// `extra_geometry` more rows of worksheet 1 from row 5 on.
WorkbookDescription one_road(const std::string& road_sheet,
                             const std::string& extra_geometry = "") {
  return parse_workbook_description(
      "[Geometry]\nA1 s Title\nA2 s ID\n"
      "A3 s R1\nB3 n 1\nE3 s S\nA4 s R1\nB4 n 2\nE4 s S\n" +
      extra_geometry + "[Road]\n" + road_sheet +
      "[Barrier]\nA1 s ID\nA2 s W1\nB2 n 2\n"
      "[BarrierO]\n[Receiver]\nA1 s ID\n[Levels]\n");
}

std::string failure_of(TniaConversion& conversion) {
  try {
    conversion.run();
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "no failure";
}

void expect_contains(const std::string& text, const std::string& part) {
  EXPECT_NE(std::string::npos, text.find(part)) << text;
}

TEST(TniaFailure, UnlistedRoadShowsWrongWorksheetInputAndConvertsNothing) {
  TniaConversion conversion(one_road("A1 s ID\nA2 s R2\n"));
  ConvertCommand command(conversion.job);
  command.cmdConvert2KALVOR_Click();

  EXPECT_FALSE(command.last_conversion_succeeded());
  ASSERT_EQ(2u, conversion.job.messages.size());
  EXPECT_EQ("Wrong worksheet input!!", conversion.job.messages[0].text);
  EXPECT_EQ(MessageButtons::Ok, conversion.job.messages[0].buttons);
  EXPECT_EQ(MessageIcon::None, conversion.job.messages[0].icon);
  expect_contains(command.last_failure(), "\"R1\" of worksheet 1, row 3");
  expect_contains(command.last_failure(), "worksheet 2");
  EXPECT_EQ("model.xlsx\n", list_files(conversion.dir.path()));
}

TEST(TniaFailure, UnlistedBarrierAndReceiverNameTheirWorksheets) {
  TniaConversion barrier(one_road("A1 s R1\n", "A5 s W9\nE5 s O\n"));
  const std::string barrier_failure = failure_of(barrier);
  expect_contains(barrier_failure, "barrier \"W9\" of worksheet 1, row 5");
  expect_contains(barrier_failure, "worksheet 4");

  TniaConversion receiver(one_road("A1 s R1\n", "A5 s N1\nE5 s R\n"));
  const std::string receiver_failure = failure_of(receiver);
  expect_contains(receiver_failure, "receiver \"N1\" of worksheet 1, row 5");
  expect_contains(receiver_failure, "worksheet 5");
}

TEST(TniaFailure, BarrierCoordinateThatIsNoNumberIsNamed) {
  TniaConversion conversion(one_road("A1 s R1\n", "A5 s W1\nB5 s east\nE5 s B\n"));
  const std::string failure = failure_of(conversion);
  expect_contains(failure, "Cell B5 of worksheet 1");
  expect_contains(failure, "\"east\"");
}

TEST(TniaFailure, RoadValuesThatAreNoNumbersAreNamed) {
  TniaConversion coordinate(parse_workbook_description(
      "[Geometry]\nA3 s R1\nB3 n 1\nE3 s S\nA4 s R1\nB4 s 835,100\nE4 s S\n"
      "[Road]\nA1 s R1\nD1 n 100\n[Barrier]\n[BarrierO]\n[Receiver]\n[Levels]\n"));
  const std::string coordinate_failure = failure_of(coordinate);
  expect_contains(coordinate_failure, "Cell B4 of worksheet 1");
  expect_contains(coordinate_failure, "\"835,100\": expected a number (X of a road node)");

  TniaConversion flow(one_road("A1 s R1\nD1 s many\nE1 s 8.5%\n"));
  const std::string flow_failure = failure_of(flow);
  expect_contains(flow_failure, "Cell D1 of worksheet 2");
  expect_contains(flow_failure, "expected a number (flow)");
}

// Rows that every pass would skip, and receivers without levels, would be
// missing from the report without a word.
TEST(TniaFailure, RowOfNoKindIsNamed) {
  for (const char* kind : {"r", "X"}) {
    TniaConversion conversion(one_road("A1 s R1\n", std::string("A5 s N1\nE5 s ") + kind + "\n"));
    const std::string failure = failure_of(conversion);
    expect_contains(failure, "Cell E5 of worksheet 1");
    expect_contains(failure, "holds \"" + std::string(kind) + "\" for \"N1\"");
  }
}

TEST(TniaFailure, ReceiverWhoseLevelGroupHasNoLevelsIsNamed) {
  TniaConversion conversion(parse_workbook_description(
      "[Geometry]\nA3 s N1\nB3 n 1\nE3 s R\n[Road]\n[Barrier]\n[BarrierO]\n"
      "[Receiver]\nA1 s N1\nB1 s G9\n[Levels]\nA2 s G1\nB2 s GF\nC2 n 1.5\n"));
  const std::string failure = failure_of(conversion);
  expect_contains(failure, "Receiver \"N1\" of worksheet 1, row 3");
  expect_contains(failure, "level group \"G9\" has no row in column A of worksheet 6");
}

TEST(TniaFailure, WorkbookWithFewerThanSixWorksheetsIsRefused) {
  TniaConversion conversion(parse_workbook_description("[Geometry]\nA3 s R1\n[Road]\n[Barrier]\n"));
  const std::string failure = failure_of(conversion);
  expect_contains(failure, conversion.workbook.string() + " has 3 worksheet(s)");
}

TEST(TniaFailure, FileThatIsNoWorkbookFailsNamingIt) {
  TniaConversion conversion(one_road("A1 s R1\n"));
  write_file(conversion.workbook, "R1,1,2,3,S\r\n");
  const std::string failure = failure_of(conversion);
  expect_contains(failure, conversion.workbook.string() + " is not a workbook");
}

TEST(TniaFailure, TruncatedWorkbookFailsThroughTheCommandAndKeepsTheOldReport) {
  TniaConversion conversion(one_road("A1 s R1\n"));
  const std::string bytes = read_file(conversion.workbook);
  write_file(conversion.workbook, bytes.substr(0, bytes.size() - 200));
  write_file(conversion.output, "earlier report\r\n");
  ConvertCommand command(conversion.job);
  command.cmdConvert2KALVOR_Click();

  EXPECT_FALSE(command.last_conversion_succeeded());
  expect_contains(command.last_failure(), "cannot be read");
  EXPECT_EQ("earlier report\r\n", conversion.report());
  EXPECT_EQ("model.xlsx\nreport.txt\n", list_files(conversion.dir.path()));
}

}  // namespace
}  // namespace kalvor::test
