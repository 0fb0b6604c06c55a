// Layout-barrier pieces: the merge of the left and right pieces, and
// unreadable layout-barrier files. A layout without an entry (the road keeps
// no barrier) is part of the layout_barriers golden case.
#include <gtest/gtest.h>

#include "hfa/hfa_lib.h"
#include "hfa_test_support.h"
#include "quillan/varnik.h"

namespace kalvor::test {
namespace {

// A barrier link record as the generation writes it, cut short to the lines
// the merge looks at.
std::string record(int link_no) {
  return "\r\nLink No.:   " + std::to_string(link_no) + "\r\nLink ID:    R" +
         std::to_string(link_no) + "\r\n1   row\r\n";
}

std::string body(int link_no) {
  return "Link No.:   " + std::to_string(link_no) + "\r\nLink ID:    R" + std::to_string(link_no) +
         "\r\n1   row\r\n";
}

class SortLB : public ::testing::Test {
 protected:
  std::string sorted(const std::string& left, const std::string& right) {
    write_file(dir / "left", left);
    write_file(dir / "right", right);
    lib.open_file_handler((dir / "sorted").string(), 1, 22, false);
    converter.HFANoise_SortLB((dir / "left").string(), 20, (dir / "right").string(), 21, 22);
    lib.close_file_handler(22);
    return read_file(dir / "sorted");
  }
  ScratchDir dir;
  quillan::Varnik lib;
  HFA_Lib converter;
};

TEST_F(SortLB, InterleavesTheSidesByLinkNumber) {
  EXPECT_EQ("\r\n" + body(5) + "\r\n" + body(6) + "\r\n" + body(7) + "\r\n" + body(8),
            sorted(record(5) + record(7), record(6) + record(8)));
}

TEST_F(SortLB, StartsWithTheRightPieceWhenItHoldsTheSmallestNumber) {
  EXPECT_EQ("\r\n" + body(5) + "\r\n" + record(6), sorted(record(6), record(5)));
}

TEST_F(SortLB, CopiesTheRightPieceAloneWhenTheLeftIsEmpty) {
  EXPECT_EQ(record(3) + record(4), sorted("", record(3) + record(4)));
}

TEST_F(SortLB, EndsOneSidedLeftPiecesWithAnEmptyLine) {
  EXPECT_EQ("\r\n" + body(3) + "\r\n" + body(4) + "\r\n", sorted(record(3) + record(4), ""));
}

TEST(LayoutBarrierFile, MissingFileIsNamedAndNoReportIsWritten) {
  HfaProject project("layout_barriers");
  std::filesystem::remove(project.folder() / "laybarr.txt");
  try {
    project.convert();
    FAIL() << "the conversion did not fail";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("laybarr.txt")) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(project.report()));
}

TEST(LayoutBarrierFile, ShortEntryIsNamed) {
  HfaProject project("layout_barriers");
  write_file(project.folder() / "laybarr.txt", "h\r\nh\r\n 1 1 2 90 0.5 3 80 1\r\n");
  try {
    project.convert();
    FAIL() << "the conversion did not fail";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string::npos,
              std::string(e.what()).find("laybarr.txt, line 3: the line \"1 1 2 90 0.5 3 80 1\""))
        << e.what();
  }
}

}  // namespace
}  // namespace kalvor::test
