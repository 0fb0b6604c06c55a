// File channels: opening modes and failures, line reading with all three line
// ends, writing, copying, and channels shared between Varnik objects.
#include <gtest/gtest.h>

#include "golden.h"
#include "quillan/services.h"
#include "quillan/varnik.h"

using namespace quillan;
using kalvor::test::read_file;
using kalvor::test::ScratchDir;
using kalvor::test::write_file;

namespace {

class Channels : public ::testing::Test {
 protected:
  void TearDown() override { lib.close_ALL_file_handler(); }
  std::string path(const std::string& name) { return (dir / name).string(); }

  ErrorCode failure_of(const std::function<void()>& action) {
    try {
      action();
    } catch (const Error& e) {
      return e.code();
    }
    ADD_FAILURE() << "no error";
    return ErrorCode::Overflow;
  }

  ScratchDir dir;
  Varnik lib;
};

TEST_F(Channels, ReadsLinesEndedByCrLfBareCrAndBareLf) {
  write_file(dir / "in.txt", "a\r\nb\rc\nd\r\n\r\nlast");
  lib.open_file_handler(path("in.txt"), "Input", 5, false);
  std::vector<std::string> lines;
  while (!lib.CheckEOF(5)) lines.push_back(lib.GetLine(5));
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "last"}));
  EXPECT_EQ(failure_of([&] { lib.GetLine(5); }), ErrorCode::InputPastEndOfFile);
}

TEST_F(Channels, AnEmptyFileIsAtItsEndAtOnce) {
  write_file(dir / "empty.txt", "");
  lib.open_file_handler(path("empty.txt"), 0, 3, false);
  EXPECT_TRUE(lib.CheckEOF(3));
}

TEST_F(Channels, WritesTextAsItIsAndNumbersInPrintForm) {
  lib.open_file_handler(path("out.txt"), 1, 7, false);
  lib.PrintLine(7, "ab", false);
  lib.PrintLine(7, "c ", true);
  lib.PrintLine(7, "", true);
  lib.PrintLine(7, 12, false);
  lib.PrintLine(7, -1.5, true);
  lib.close_file_handler(7);
  EXPECT_EQ(read_file(dir / "out.txt"), "abc \r\n\r\n 12 -1.5 \r\n");
}

TEST_F(Channels, OpeningForOutputEmptiesAnExistingFile) {
  write_file(dir / "out.txt", "old contents");
  lib.open_file_handler(path("out.txt"), "Output", 2, false);
  lib.close_file_handler(2);
  EXPECT_EQ(read_file(dir / "out.txt"), "");
}

TEST_F(Channels, UnknownModesOpenNothingAndReportSuccess) {
  lib.open_file_handler(path("x.txt"), 2, 4, false);
  lib.open_file_handler(path("x.txt"), "output", 4, false);
  EXPECT_EQ(failure_of([&] { lib.PrintLine(4, "x", true); }), ErrorCode::BadFileNumber);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.txt"));
}

TEST_F(Channels, OpeningFailuresCarryThePlatformErrorNumbers) {
  EXPECT_EQ(failure_of([&] { lib.open_file_handler(path("missing.txt"), 0, 1, false); }),
            ErrorCode::FileNotFound);
  EXPECT_EQ(failure_of([&] { lib.open_file_handler(path("no/such/x.txt"), 1, 1, false); }),
            ErrorCode::PathNotFound);
  write_file(dir / "a.txt", "x");
  lib.open_file_handler(path("a.txt"), 0, 1, false);
  EXPECT_EQ(failure_of([&] { lib.open_file_handler(path("a.txt"), 0, 1, false); }),
            ErrorCode::FileAlreadyOpen);
  EXPECT_EQ(failure_of([&] { lib.open_file_handler(path("a.txt"), 0, 512, false); }),
            ErrorCode::BadFileNumber);
  EXPECT_EQ(failure_of([&] { lib.CheckEOF(9); }), ErrorCode::BadFileNumber);
  EXPECT_EQ(failure_of([&] { lib.PrintLine(1, "x", true); }), ErrorCode::BadFileNumber);
}

TEST_F(Channels, MessagesNameThePath) {
  try {
    lib.open_file_handler(path("missing.txt"), 0, 1, false);
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos);
    EXPECT_EQ(e.number(), 53);
  }
}

TEST_F(Channels, ClosingAClosedChannelIsNoError) {
  EXPECT_NO_THROW(lib.close_file_handler(10));
}

TEST_F(Channels, AreSharedByAllVarnikObjects) {
  write_file(dir / "in.txt", "one\r\ntwo\r\n");
  Varnik other;
  lib.open_file_handler(path("in.txt"), 0, 8, false);
  EXPECT_EQ(other.GetLine(8), "one");
  other.close_file_handler(8);
  EXPECT_EQ(failure_of([&] { lib.GetLine(8); }), ErrorCode::BadFileNumber);
}

TEST_F(Channels, CopyAllContentsEndsEveryLineAndKeepsTheOutputOpen) {
  write_file(dir / "piece.txt", "x\ny");
  write_file(dir / "empty.txt", "");
  lib.open_file_handler(path("out.txt"), 1, 2, false);
  lib.CopyAllContents(path("piece.txt"), 3, 2);
  lib.CopyAllContents(path("empty.txt"), 3, 2);
  lib.PrintLine(2, "z", true);
  lib.close_ALL_file_handler();
  EXPECT_EQ(read_file(dir / "out.txt"), "x\r\ny\r\nz\r\n");
}

TEST_F(Channels, GetPathFromFullFilenameKeepsTheTrailingSeparator) {
  EXPECT_EQ(lib.GetPathFromFullFilename("C:\\data\\run1.txt"), "C:\\data\\");
  EXPECT_EQ(lib.GetPathFromFullFilename("C:\\run.txt"), "C:\\");
  EXPECT_EQ(lib.GetPathFromFullFilename("/home/u/run.txt"), "/home/u/");
  EXPECT_EQ(failure_of([&] { lib.GetPathFromFullFilename("run.txt"); }),
            ErrorCode::InvalidProcedureCall);
  EXPECT_EQ(failure_of([&] { lib.GetPathFromFullFilename(""); }), ErrorCode::InvalidProcedureCall);
}

TEST_F(Channels, TheFileObserverHearsOfEveryOpen) {
  struct Log : FileObserver {
    std::vector<std::string> events;
    void opened_for_output(const std::string& p, bool existed) override {
      events.push_back("out " + std::filesystem::path(p).filename().string() +
                       (existed ? " existed" : " new"));
    }
    void opened_for_input(const std::string& p) override {
      events.push_back("in " + std::filesystem::path(p).filename().string());
    }
  } log;
  FileObserver* previous = install_file_observer(&log);
  lib.open_file_handler(path("a.txt"), 1, 1, false);
  lib.close_file_handler(1);
  lib.open_file_handler(path("a.txt"), 0, 1, false);
  lib.close_file_handler(1);
  lib.open_file_handler(path("a.txt"), 1, 1, false);
  install_file_observer(previous);
  EXPECT_EQ(log.events,
            (std::vector<std::string>{"out a.txt new", "in a.txt", "out a.txt existed"}));
}

}  // namespace
