// Outputs the way Unix tools write them: standard output, a FIFO, a
// symbolic link, a report with its own permissions, and the earlier report
// kept after a failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "convert_program.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

class Output : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(data_dir() / ".." / ".." / "examples" / "hfcnoise", dir / "in",
             fs::copy_options::recursive);
    input = dir / "in" / "tai_po_road.txt";
    ConvertRun r = convert_with_kalvor_convert("hfcnoise", input, dir / "reference.txt");
    ASSERT_EQ(r.exit_status, 0) << r.output;
    reference = read_file(dir / "reference.txt");
  }
  ConvertRun convert_to(const std::string& output_argument) {
    return run_kalvor_convert(details() + " -q -f hfcnoise " + shell_quoted(input.string()) +
                              " -o " + output_argument);
  }
  static std::string details() {
    return "--consultant 'Acme Acoustics Ltd' --phone '2345 6789' --fax '2345 6790'"
           " --email noise@acme.example --coordinate 'HK1980 Grid' --year 2031";
  }
  ScratchDir dir;
  fs::path input;
  std::string reference;
};

TEST_F(Output, DashWritesTheReportToStandardOutput) {
  const std::string out = (dir / "stdout.txt").string();
  ConvertRun r = run_kalvor_convert(details() + " -q -f hfcnoise " + shell_quoted(input.string()) +
                                    " -o - > " + shell_quoted(out) + "; exit $?");
  ASSERT_EQ(r.exit_status, 0) << r.output;
  EXPECT_EQ(read_file(out), reference);
  // Through a pipe as well, and nothing is left in the input's folder.
  ConvertRun piped =
      run_kalvor_convert(details() + " -q -f hfcnoise " + shell_quoted(input.string()) +
                         " -o - | cat > " + shell_quoted(out));
  ASSERT_EQ(piped.exit_status, 0) << piped.output;
  EXPECT_EQ(read_file(out), reference);
  EXPECT_EQ(list_files(dir / "in"), "README.md\ntai_po_road.txt\n");
}

TEST_F(Output, AFifoIsWrittenDirectlyAndStaysAFifo) {
  const fs::path fifo = dir / "report.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string copy = (dir / "copy.txt").string();
  ConvertRun r =
      run_kalvor_convert(details() + " -q -f hfcnoise " + shell_quoted(input.string()) + " -o " +
                         shell_quoted(fifo.string()) + " & cat " + shell_quoted(fifo.string()) +
                         " > " + shell_quoted(copy) + "; wait $!");
  ASSERT_EQ(r.exit_status, 0) << r.output;
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(read_file(copy), reference);
  EXPECT_EQ(list_files(dir.path()), "copy.txt\nin\nreference.txt\nreport.fifo\n");
}

TEST_F(Output, ASymbolicLinkUpdatesItsTargetAndStaysALink) {
  fs::create_directory(dir / "reports");
  write_file(dir / "reports" / "target.txt", "earlier report");
  fs::create_symlink(fs::path("reports") / "target.txt", dir / "link.txt");
  ConvertRun r = convert_to(shell_quoted((dir / "link.txt").string()));
  ASSERT_EQ(r.exit_status, 0) << r.output;
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(read_file(dir / "reports" / "target.txt"), reference);
  EXPECT_EQ(list_files(dir / "reports"), "target.txt\n");
  // A link to a report not yet written creates its target.
  fs::create_symlink(fs::path("reports") / "new.txt", dir / "new-link.txt");
  ASSERT_EQ(convert_to(shell_quoted((dir / "new-link.txt").string())).exit_status, 0);
  EXPECT_TRUE(fs::is_symlink(dir / "new-link.txt"));
  EXPECT_EQ(read_file(dir / "reports" / "new.txt"), reference);
}

TEST_F(Output, AnExistingReportKeepsItsPermissions) {
  write_file(dir / "report.txt", "earlier report");
  fs::permissions(dir / "report.txt",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(convert_to(shell_quoted((dir / "report.txt").string())).exit_status, 0);
  EXPECT_EQ(read_file(dir / "report.txt"), reference);
  EXPECT_EQ(fs::status(dir / "report.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Output, AFailureKeepsTheEarlierReportBehindALinkAndWritesNothingToAFifo) {
  write_file(dir / "target.txt", "earlier report");
  fs::create_symlink("target.txt", dir / "link.txt");
  write_file(input, "not an HFCNoise file\n");
  ConvertRun r = convert_to(shell_quoted((dir / "link.txt").string()));
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(read_file(dir / "target.txt"), "earlier report");
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(list_files(dir.path()), "in\nlink.txt\nreference.txt\ntarget.txt\n");

  const std::string out = (dir / "stdout.txt").string();
  ConvertRun to_stdout =
      run_kalvor_convert(details() + " -q -f hfcnoise " + shell_quoted(input.string()) +
                         " -o - > " + shell_quoted(out) + "; exit $?");
  EXPECT_EQ(to_stdout.exit_status, 1);
  EXPECT_EQ(read_file(out), "");
}

}  // namespace
}  // namespace kalvor::test
