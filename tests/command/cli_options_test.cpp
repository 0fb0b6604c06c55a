// kalvor-convert's command line: the format picked or checked, the job
// details from options, environment and job file, and the default output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "convert_program.h"
#include "formats/input_formats.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEnvironment[] = {"KALVOR_CONSULTANT", "KALVOR_PHONE",      "KALVOR_FAX",
                                        "KALVOR_EMAIL",      "KALVOR_COORDINATE", "KALVOR_YEAR"};

// Each test sets the KALVOR_* variables it means; the program inherits them.
class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override { clear(); }
  void TearDown() override { clear(); }
  static void clear() {
    for (const char* name : kEnvironment) unsetenv(name);
  }
  static void set_all_details() {
    for (const char* name : kEnvironment) setenv(name, "x", 1);
  }
  ScratchDir dir;
};

fs::path examples() {
  return data_dir() / ".." / ".." / "examples";
}

struct Example {
  std::string format;
  std::string folder;
  std::string input;
};

const Example kExamples[] = {{"hfanoise", "hfanoise", "example.dat"},
                             {"hfcnoise", "hfcnoise", "tai_po_road.txt"},
                             {"soundplan", "soundplan", "STRA.001"},
                             {"roadnoise", "roadnoise", "SHATIN.MAS"},
                             {"tnia", "tnia", "example.xlsx"}};

TEST_F(CommandLine, EveryExampleConvertsOnlyAsItsOwnFormatAndAWrongFormatFailsWithAMessage) {
  set_all_details();
  for (const auto& example : kExamples) {
    fs::copy(examples() / example.folder, dir / example.folder, fs::copy_options::recursive);
    const fs::path input = dir / example.folder / example.input;
    const std::string files = list_files(dir / example.folder);
    for (const auto& format : input_formats()) {
      const fs::path report = dir / "report.txt";
      ConvertRun r =
          run_kalvor_convert("-q -f " + std::string(format.cli_name) + " " +
                             shell_quoted(input.string()) + " -o " + shell_quoted(report.string()));
      const bool right = format.cli_name == example.format;
      EXPECT_EQ(r.exit_status, right ? 0 : 1) << example.input << " as " << format.cli_name;
      if (!right) {
        EXPECT_TRUE(r.output.starts_with("kalvor-convert: ")) << r.output;
        EXPECT_NE(r.output.find(input.string()), std::string::npos) << r.output;
        EXPECT_FALSE(fs::exists(report)) << example.input << " as " << format.cli_name;
      }
      fs::remove(report);
      EXPECT_EQ(list_files(dir / example.folder), files);
    }
  }
}

TEST_F(CommandLine, AutoFormatConvertsEachExampleAsItsExplicitFormatDoes) {
  set_all_details();
  for (const auto& example : kExamples) {
    fs::copy(examples() / example.folder, dir / example.folder, fs::copy_options::recursive);
    const std::string input = shell_quoted((dir / example.folder / example.input).string());
    ConvertRun automatic = run_kalvor_convert("-q " + input + " -o " + (dir / "auto").string());
    ConvertRun explicit_format = run_kalvor_convert("-q -f " + example.format + " -i " + input +
                                                    " -o " + (dir / "explicit").string());
    ASSERT_EQ(automatic.exit_status, 0) << automatic.output;
    ASSERT_EQ(explicit_format.exit_status, 0) << explicit_format.output;
    EXPECT_EQ(read_file(dir / "auto"), read_file(dir / "explicit")) << example.input;
  }
}

TEST_F(CommandLine, AnInputOfNoKnownFormatIsAUsageErrorListingTheFormats) {
  set_all_details();
  write_file(dir / "notes.txt", "just some notes\n");
  ConvertRun r = run_kalvor_convert(shell_quoted((dir / "notes.txt").string()));
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_NE(r.output.find("hfanoise, hfcnoise, soundplan, roadnoise or tnia"), std::string::npos)
      << r.output;
  // An empty file or folder given with a format is no report.
  write_file(dir / "empty.dat", "");
  fs::create_directory(dir / "empty");
  EXPECT_EQ(run_kalvor_convert("-f hfanoise " + (dir / "empty.dat").string()).exit_status, 1);
  EXPECT_EQ(run_kalvor_convert("-f soundplan " + (dir / "empty").string()).exit_status, 1);
  EXPECT_EQ(list_files(dir.path()), "empty\nempty.dat\nnotes.txt\n");
}

TEST_F(CommandLine, TheReportGoesBesideTheInputWhenNoOutputIsGiven) {
  set_all_details();
  fs::copy(examples() / "soundplan", dir / "project", fs::copy_options::recursive);
  fs::copy(examples() / "hfcnoise", dir / "hfc", fs::copy_options::recursive);
  // A project folder converts as its own project, not its parent's.
  EXPECT_EQ(run_kalvor_convert("-q " + (dir / "project").string()).exit_status, 0);
  EXPECT_EQ(run_kalvor_convert("-q -- " + (dir / "hfc" / "tai_po_road.txt").string()).exit_status,
            0);
  EXPECT_TRUE(fs::exists(dir / "hfc" / "tai_po_road-report.txt"));
  ASSERT_TRUE(fs::exists(dir / "project-report.txt"));
  EXPECT_EQ(run_kalvor_convert("-q " + (dir / "project" / "STRA.001").string() + " -o " +
                               (dir / "from-file.txt").string())
                .exit_status,
            0);
  EXPECT_EQ(read_file(dir / "project-report.txt"), read_file(dir / "from-file.txt"));
}

// The header lines of a report that show the job details.
std::string detail_lines(const std::string& report) {
  std::string lines;
  for (const char* label :
       {"Name of Consultant: ", "Telephone Number:   ", "Fax Number:         ",
        "Email:              ", "Coordinate System used:    ", "Year of Traffic Flow used: "}) {
    const auto at = report.find(label);
    if (at == std::string::npos) continue;
    lines += report.substr(at, report.find('\r', at) - at) + "\n";
  }
  return lines;
}

TEST_F(CommandLine, OptionsOverrideTheEnvironmentWhichOverridesTheJobFile) {
  fs::copy(examples() / "hfcnoise", dir / "hfc", fs::copy_options::recursive);
  write_file(dir / "job.ini",
             "# the office's details\n[job]\nconsultant = \"File Consultant\"\n"
             "phone = 'file phone'\n; a comment\nfax = file fax\nemail=file@mail\n"
             "coordinate = File Grid\nyear = 2030\n");
  setenv("KALVOR_PHONE", "env phone", 1);
  setenv("KALVOR_YEAR", "2040", 1);
  setenv("KALVOR_FAX", "", 1);  // empty counts as not set
  ConvertRun r = run_kalvor_convert(
      "-q --job-file " + (dir / "job.ini").string() + " --year 2050 --email=option@mail " +
      (dir / "hfc" / "tai_po_road.txt").string() + " -o " + (dir / "report.txt").string());
  ASSERT_EQ(r.exit_status, 0) << r.output;
  EXPECT_EQ(detail_lines(read_file(dir / "report.txt")),
            "Name of Consultant: File Consultant\n"
            "Telephone Number:   env phone\n"
            "Fax Number:         file fax\n"
            "Email:              option@mail\n"
            "Coordinate System used:    File Grid\n"
            "Year of Traffic Flow used: 2050\n");
}

TEST_F(CommandLine, AJobFileKeyThatNamesNoDetailOrADetailMissingEverywhereIsAUsageError) {
  write_file(dir / "job.toml", "consultant = \"A\"\nphone = \"1\"\ncolour = \"red\"\n");
  ConvertRun unknown = run_kalvor_convert("--job-file " + (dir / "job.toml").string() + " x.dat");
  EXPECT_EQ(unknown.exit_status, 2);
  EXPECT_NE(unknown.output.find("line 3: unknown key 'colour'"), std::string::npos)
      << unknown.output;

  write_file(dir / "job.toml", "consultant = \"A\"\nphone = \"1\"\n");
  setenv("KALVOR_FAX", "2", 1);
  fs::copy(examples() / "hfanoise" / "example.dat", dir / "model.dat");
  ConvertRun missing = run_kalvor_convert("--job-file " + (dir / "job.toml").string() +
                                          " --email e " + (dir / "model.dat").string());
  EXPECT_EQ(missing.exit_status, 2);
  EXPECT_NE(missing.output.find("missing or blank job details: --coordinate, --year"),
            std::string::npos)
      << missing.output;
  EXPECT_NE(run_kalvor_convert("--job-file " + (dir / "none.ini").string() + " x")
                .output.find("cannot read the job file"),
            std::string::npos);
}

TEST_F(CommandLine, WarnsOfDetailCharactersTheReportCannotHoldAndConverts) {
  set_all_details();
  fs::copy(examples() / "hfcnoise", dir / "hfc", fs::copy_options::recursive);
  ConvertRun r = run_kalvor_convert("-q --consultant '陳氏聲學 Ltd' --year 'Café' " +
                                    (dir / "hfc" / "tai_po_road.txt").string() + " -o " +
                                    (dir / "report.txt").string());
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.output.find("warning: the report cannot hold the characters \"陳氏聲學\""),
            std::string::npos)
      << r.output;
  EXPECT_NE(read_file(dir / "report.txt").find("Name of Consultant: ???? Ltd"), std::string::npos);
}

TEST_F(CommandLine, VerbosePrintsThePhasesWithTheirTimes) {
  set_all_details();
  fs::copy(examples() / "hfcnoise", dir / "hfc", fs::copy_options::recursive);
  ConvertRun r = run_kalvor_convert("-v " + (dir / "hfc" / "tai_po_road.txt").string() + " -o " +
                                    (dir / "report.txt").string());
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.output.find(" as HFCNoise to "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(" s  in all\n"), std::string::npos) << r.output;
  // The report read back, summed up in one line.
  EXPECT_NE(r.output.find("kalvor-convert: report.txt: "), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(" road links ("), std::string::npos) << r.output;
  // Not with --quiet.
  ConvertRun quiet = run_kalvor_convert("-q " + (dir / "hfc" / "tai_po_road.txt").string() +
                                        " -o " + (dir / "report.txt").string());
  EXPECT_EQ(quiet.output, "");
}

}  // namespace
}  // namespace kalvor::test
