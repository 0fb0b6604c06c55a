// Every format fails the same way when its input or its report's folder is
// not usable: exit 1, one message naming the file or folder and why, no
// report and nothing else left behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "convert_program.h"
#include "formats/input_formats.h"
#include "golden.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

std::string lower_case(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The example input the row's open dialog offers first: the first file of
// examples/<format>/, by name, that its filter's pattern ("*.dat", "*.*")
// matches.
fs::path example(const InputFormat& format) {
  const std::string_view filter = format.dialog_filter;
  const std::string pattern(filter.substr(filter.find('|') + 1));
  const std::string extension = pattern.substr(1);  // ".dat", or ".*" for any
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(KALVOR_EXAMPLES_DIR) / format.cli_name))
    files.push_back(entry.path());
  std::ranges::sort(files);
  for (const auto& file : files) {
    if (file.filename() == "README.md" || !file.has_extension()) continue;
    if (extension == ".*" || lower_case(file.extension().string()) == extension) return file;
  }
  ADD_FAILURE() << "no example input for " << format.cli_name;
  return {};
}

bool is_soundplan(const InputFormat& format) {
  return format.cli_name == "soundplan";
}

std::vector<const InputFormat*> every_format() {
  std::vector<const InputFormat*> rows;
  for (const auto& format : input_formats()) rows.push_back(&format);
  return rows;
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

class FailureMessages : public ::testing::TestWithParam<const InputFormat*> {
 protected:
  // Runs the conversion and checks the outcome every failure shares.
  std::string expect_failure(const fs::path& input, const fs::path& output) {
    const std::string before = list_files(dir.path());
    const ConvertRun run =
        convert_with_kalvor_convert(std::string(GetParam()->cli_name), input, output);
    EXPECT_EQ(1, run.exit_status) << run.output;
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(before, list_files(dir.path()));
    EXPECT_EQ(std::string::npos, run.output.find(".kalvor-")) << run.output;
    return run.output;
  }

  ScratchDir dir;
};

TEST_P(FailureMessages, MissingInput) {
  const fs::path input = dir / "gone" / example(*GetParam()).filename();
  const std::string message = expect_failure(input, dir / "report.txt");
  // A SoundPLAN project is its folder.
  const fs::path named = is_soundplan(*GetParam()) ? input.parent_path() : input;
  EXPECT_NE(std::string::npos, message.find("Cannot open the ")) << message;
  EXPECT_NE(std::string::npos, message.find(named.string() + ": it does not exist.")) << message;
}

TEST_P(FailureMessages, UnreadableInput) {
  // A folder stands where the input file (for SoundPLAN: the project folder)
  // should be a file (a folder).
  const bool soundplan = is_soundplan(*GetParam());
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
  if (is_soundplan(*GetParam())) GTEST_SKIP() << "a project is a folder";
  const fs::path input = dir / example(*GetParam()).filename();
  fs::copy_file(example(*GetParam()), input);
  fs::permissions(input, fs::perms::none);
  if (::access(input.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  const std::string message = expect_failure(input, dir / "report.txt");
  EXPECT_NE(std::string::npos, message.find(input.string() + ": it cannot be read")) << message;
}

TEST_P(FailureMessages, MissingOutputFolder) {
  const fs::path output = dir / "gone" / "report.txt";
  const std::string message = expect_failure(example(*GetParam()), output);
  EXPECT_NE(std::string::npos,
            message.find("Cannot write the report " + output.string() + ": the folder " +
                         (dir / "gone").string() + " does not exist."))
      << message;
}

TEST_P(FailureMessages, ReadOnlyOutputFolder) {
  const Mount read_only(dir / "ro", "ro,size=64k");
  if (!read_only.mounted()) GTEST_SKIP() << "cannot mount a read-only folder here";
  const fs::path output = dir / "ro" / "report.txt";
  const std::string message = expect_failure(example(*GetParam()), output);
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
  const ConvertRun run =
      convert_with_kalvor_convert(std::string(GetParam()->cli_name), example(*GetParam()), output);
  EXPECT_EQ(1, run.exit_status) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("Cannot write the report " + output.string() +
                                               ": No space left on device."))
      << run.output;
  EXPECT_EQ("earlier report\r\n", read_file(output));
  EXPECT_EQ("report.txt\n", list_files(dir / "full"));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FailureMessages, ::testing::ValuesIn(every_format()),
                         [](const auto& info) { return std::string(info.param->cli_name); });

}  // namespace
}  // namespace kalvor::test
