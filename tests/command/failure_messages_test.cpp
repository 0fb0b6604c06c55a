// Every format fails the same way when its input or its report's folder is
// not usable: exit 1, one message naming the file or folder and why, no
// report and nothing else left behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "convert_program.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct Format {
  const char* name;   // as --format takes it
  const char* input;  // an example input, relative to the examples folder
};

const Format kFormats[] = {{"hfanoise", "hfanoise/example.dat"},
                           {"hfcnoise", "hfcnoise/tai_po_road.txt"},
                           {"soundplan", "soundplan/STRA.001"},
                           {"roadnoise", "roadnoise/SHATIN.MAS"},
                           {"tnia", "tnia/example.xls"}};

fs::path example(const Format& format) {
  return fs::path(KALVOR_EXAMPLES_DIR) / format.input;
}

// A tmpfs mounted for the length of a test; mounted() is false where the
// test may not mount (then the case is skipped).
class Mount {
 public:
  Mount(const fs::path& where, const char* options) : where_(where) {
    fs::create_directories(where);
    mounted_ = ::mount("tmpfs", where.c_str(), "tmpfs", 0, options) == 0;
  }
  ~Mount() {
    if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path where_;
  bool mounted_ = false;
};

class FailureMessages : public ::testing::TestWithParam<Format> {
 protected:
  // Runs the conversion and checks the outcome every failure shares.
  std::string expect_failure(const fs::path& input, const fs::path& output) {
    const std::string before = list_files(dir.path());
    const ConvertRun run = convert_with_kalvor_convert(GetParam().name, input, output);
    EXPECT_EQ(1, run.exit_status) << run.output;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(before, list_files(dir.path()));
    EXPECT_EQ(std::string::npos, run.output.find(".kalvor-")) << run.output;
    return run.output;
  }

  ScratchDir dir;
};

TEST_P(FailureMessages, MissingInput) {
  const fs::path input = dir / "gone" / example(GetParam()).filename();
  const std::string message = expect_failure(input, dir / "report.txt");
  // A SoundPLAN project is its folder.
  const fs::path named = GetParam().name == std::string("soundplan") ? input.parent_path() : input;
  EXPECT_NE(std::string::npos, message.find("Cannot open the ")) << message;
  EXPECT_NE(std::string::npos, message.find(named.string() + ": it does not exist.")) << message;
}

TEST_P(FailureMessages, UnreadableInput) {
  // A folder stands where the input file (for SoundPLAN: the project folder)
  // should be a file (a folder).
  const bool soundplan = GetParam().name == std::string("soundplan");
  write_file(dir / "plain", "not a folder\r\n");
  fs::create_directory(dir / "folder");
  const fs::path input = soundplan ? dir / "plain" / "STRA.001" : dir / "folder";
  const std::string message = expect_failure(input, dir / "report.txt");
  EXPECT_NE(std::string::npos, message.find("Cannot open the ")) << message;
  EXPECT_NE(std::string::npos,
            message.find(soundplan ? ": it is not a folder." : ": it is a folder, not a file."))
      << message;
}

TEST_P(FailureMessages, InputWithoutReadPermission) {
  if (GetParam().name == std::string("soundplan")) GTEST_SKIP() << "a project is a folder";
  const fs::path input = dir / example(GetParam()).filename();
  fs::copy_file(example(GetParam()), input);
  fs::permissions(input, fs::perms::none);
  if (::access(input.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  const std::string message = expect_failure(input, dir / "report.txt");
  EXPECT_NE(std::string::npos, message.find(input.string() + ": it cannot be read")) << message;
}

TEST_P(FailureMessages, MissingOutputFolder) {
  const fs::path output = dir / "gone" / "report.txt";
  const std::string message = expect_failure(example(GetParam()), output);
  EXPECT_NE(std::string::npos,
            message.find("Cannot write the report " + output.string() + ": the folder " +
                         (dir / "gone").string() + " does not exist."))
      << message;
}

TEST_P(FailureMessages, ReadOnlyOutputFolder) {
  const Mount read_only(dir / "ro", "ro,size=64k");
  if (!read_only.mounted()) GTEST_SKIP() << "cannot mount a read-only folder here";
  const fs::path output = dir / "ro" / "report.txt";
  const std::string message = expect_failure(example(GetParam()), output);
  EXPECT_NE(std::string::npos, message.find("Cannot write the report " + output.string() +
                                            ": cannot write to the folder " +
                                            (dir / "ro").string() + ": it is read-only."))
      << message;
}

TEST_P(FailureMessages, FullDisk) {
  const Mount small(dir / "full", "size=4k");
  if (!small.mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  write_file(dir / "full" / "report.txt", "earlier report\r\n");
  const fs::path output = dir / "full" / "report.txt";
  const ConvertRun run = convert_with_kalvor_convert(GetParam().name, example(GetParam()), output);
  EXPECT_EQ(1, run.exit_status) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("Cannot write the report " + output.string() +
                                               ": No space left on device."))
      << run.output;
  EXPECT_EQ("earlier report\r\n", read_file(output));
  EXPECT_EQ("report.txt\n", list_files(dir / "full"));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FailureMessages, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvor::test
