// kalvor-convert as scripts call it: usage errors, missing details, and the
// refusal to write the report over the input.
#include <gtest/gtest.h>

#include "convert_program.h"
#include "golden.h"

using kalvor::test::ConvertRun;
using kalvor::test::read_file;
using kalvor::test::run_kalvor_convert;
using kalvor::test::ScratchDir;
using kalvor::test::write_file;

namespace {

std::string details() {
  return "--consultant 'Acme' --phone 1 --fax 2 --email a@b --coordinate HK --year 2031";
}

TEST(KalvorConvert, HelpAndVersionSucceed) {
  ConvertRun help = run_kalvor_convert("--help");
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.output.find("-f, --format FORMAT"), std::string::npos);
  ConvertRun version = run_kalvor_convert("--version");
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_NE(version.output.find("KALVOR (ver. "), std::string::npos);
}

TEST(KalvorConvert, UsageErrorsExitWithTwo) {
  EXPECT_EQ(run_kalvor_convert("").exit_status, 2);
  EXPECT_EQ(run_kalvor_convert("--format excel --input a --output b " + details()).exit_status, 2);
  EXPECT_EQ(run_kalvor_convert("--format hfanoise --bogus x").exit_status, 2);
  EXPECT_EQ(run_kalvor_convert("--format hfanoise --input").exit_status, 2);
  ConvertRun lb =
      run_kalvor_convert("--format roadnoise --input a --output b --layout-barrier c " + details());
  EXPECT_EQ(lb.exit_status, 2);
  EXPECT_NE(lb.output.find("hfanoise only"), std::string::npos);
}

TEST(KalvorConvert, NamesEveryMissingOrBlankDetailInOneMessage) {
  ConvertRun r =
      run_kalvor_convert("--format hfanoise --input a --output b --consultant '  ' --phone 1");
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_NE(r.output.find("--consultant, --fax, --email, --coordinate, --year"), std::string::npos)
      << r.output;
}

TEST(KalvorConvert, DefaultsTheCoordinateSystemForHfcNoiseOnly) {
  ConvertRun hfc = run_kalvor_convert(
      "--format hfcnoise --input /nonexistent/a --output /tmp/b --consultant A --phone 1 "
      "--fax 2 --email e --year 2031");
  EXPECT_EQ(hfc.exit_status, 1) << hfc.output;  // ready, but the input is missing
  ConvertRun hfa = run_kalvor_convert(
      "--format hfanoise --input /nonexistent/a --output /tmp/b --consultant A --phone 1 "
      "--fax 2 --email e --year 2031");
  EXPECT_EQ(hfa.exit_status, 2);
}

TEST(KalvorConvert, RefusesToWriteTheReportOverItsInput) {
  ScratchDir dir;
  write_file(dir / "model.dat", "title\r\n");
  ConvertRun r = run_kalvor_convert("--format hfanoise --input " + (dir / "model.dat").string() +
                                    " --output " + (dir / "model.dat").string() + " " + details());
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.output.find("kalvor-convert: The output file"), std::string::npos) << r.output;
  EXPECT_EQ(read_file(dir / "model.dat"), "title\r\n");
}

TEST(KalvorConvert, AFailedConversionExitsWithOneAndLeavesNoReport) {
  ScratchDir dir;
  ConvertRun r = run_kalvor_convert("--format hfcnoise --input " + (dir / "missing.dat").string() +
                                    " --output " + (dir / "report.txt").string() + " " + details());
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.output.find("missing.dat"), std::string::npos) << r.output;
  EXPECT_EQ(kalvor::test::list_files(dir.path()), "");
}

// Paths reach the message in the file system's own spelling: a UTF-8 name
// must not come out re-encoded as if it were Windows-1252 ("StraÃŸe").
TEST(KalvorConvert, MessagesSpellPathsAsTheFileSystemDoes) {
  ScratchDir dir;
  ConvertRun r = run_kalvor_convert("--format hfcnoise --input " +
                                    (dir / "Stra\xC3\x9F"
                                           "e.dat")
                                        .string() +
                                    " --output " + (dir / "report.txt").string() + " " + details());
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.output.find("Stra\xC3\x9F"
                          "e.dat"),
            std::string::npos)
      << r.output;
}

}  // namespace
