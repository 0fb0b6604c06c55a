// kalvor-convert as scripts call it: usage errors, missing details, and the
// refusal to write the report over the input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "golden.h"

using kalvor::test::read_file;
using kalvor::test::ScratchDir;
using kalvor::test::write_file;

namespace {

struct CliRun {
  int status;
  std::string output;  // standard output and standard error together
};

CliRun run(const std::string& arguments) {
  std::string command = std::string(KALVOR_CONVERT_EXE) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  std::array<char, 4096> buffer;
  while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
    output.append(buffer.data(), n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string details() {
  return "--consultant 'Acme' --phone 1 --fax 2 --email a@b --coordinate HK --year 2031";
}

TEST(KalvorConvert, HelpAndVersionSucceed) {
  CliRun help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--format FMT"), std::string::npos);
  CliRun version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.output.find("KALVOR (ver. "), std::string::npos);
}

TEST(KalvorConvert, UsageErrorsExitWithTwo) {
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("--format excel --input a --output b " + details()).status, 2);
  EXPECT_EQ(run("--format hfanoise --bogus x").status, 2);
  EXPECT_EQ(run("--format hfanoise --input").status, 2);
  CliRun lb = run("--format roadnoise --input a --output b --layout-barrier c " + details());
  EXPECT_EQ(lb.status, 2);
  EXPECT_NE(lb.output.find("hfanoise only"), std::string::npos);
}

TEST(KalvorConvert, NamesEveryMissingOrBlankDetailInOneMessage) {
  CliRun r = run("--format hfanoise --input a --output b --consultant '  ' --phone 1");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("--consultant, --fax, --email, --coordinate, --year"), std::string::npos)
      << r.output;
}

TEST(KalvorConvert, DefaultsTheCoordinateSystemForHfcNoiseOnly) {
  CliRun hfc =
      run("--format hfcnoise --input /nonexistent/a --output /tmp/b --consultant A --phone 1 "
          "--fax 2 --email e --year 2031");
  EXPECT_EQ(hfc.status, 1) << hfc.output;  // ready, but the input is missing
  CliRun hfa =
      run("--format hfanoise --input /nonexistent/a --output /tmp/b --consultant A --phone 1 "
          "--fax 2 --email e --year 2031");
  EXPECT_EQ(hfa.status, 2);
}

TEST(KalvorConvert, RefusesToWriteTheReportOverItsInput) {
  ScratchDir dir;
  write_file(dir / "model.dat", "title\r\n");
  CliRun r = run("--format hfanoise --input " + (dir / "model.dat").string() + " --output " +
                 (dir / "model.dat").string() + " " + details());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("kalvor-convert: The output file"), std::string::npos) << r.output;
  EXPECT_EQ(read_file(dir / "model.dat"), "title\r\n");
}

TEST(KalvorConvert, AFailedConversionExitsWithOneAndLeavesNoReport) {
  ScratchDir dir;
  CliRun r = run("--format hfcnoise --input " + (dir / "missing.dat").string() + " --output " +
                 (dir / "report.txt").string() + " " + details());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("missing.dat"), std::string::npos) << r.output;
  EXPECT_EQ(kalvor::test::list_files(dir.path()), "");
}

}  // namespace
