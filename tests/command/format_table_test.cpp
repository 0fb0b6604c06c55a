// The format table: the rows the window, the command line and the command
// are built from, and the file-name rules of drag and drop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "formats/input_formats.h"
#include "golden.h"

namespace kalvor {
namespace {

TEST(FormatTable, HoldsTheFiveFormatsInTheOrderOfTheOptionButtons) {
  std::vector<std::string_view> options, captions, labels;
  for (const auto& format : input_formats()) {
    options.push_back(format.option);
    captions.push_back(format.caption);
    labels.push_back(format.input_label);
  }
  EXPECT_EQ(options,
            (std::vector<std::string_view>{"optHFA", "optHFC", "optSP", "optRN", "optExcel"}));
  EXPECT_EQ(captions, (std::vector<std::string_view>{"HFANoise", "HFCNoise", "SoundPLAN",
                                                     "RoadNoise", "TNIA v2.0"}));
  EXPECT_EQ(labels, (std::vector<std::string_view>{"Input file:", "Input file:", "Input file:",
                                                   "Master file:", "MS Excel file:"}));
}

TEST(FormatTable, OnlyHfcNoiseHasADefaultCoordinateSystemAndOnlyHfaNoiseLayoutBarriers) {
  for (const auto& format : input_formats()) {
    EXPECT_EQ(format.default_coordinate, format.cli_name == "hfcnoise" ? "HK1980 Grid" : "")
        << format.cli_name;
    EXPECT_EQ(format.layout_barriers, format.cli_name == "hfanoise") << format.cli_name;
  }
}

TEST(FormatTable, NamesAndOptionsAreUniqueAndFindTheirRow) {
  std::set<std::string_view> names, options;
  for (const auto& format : input_formats()) {
    EXPECT_TRUE(names.insert(format.cli_name).second) << format.cli_name;
    EXPECT_TRUE(options.insert(format.option).second) << format.option;
    EXPECT_EQ(format_named(format.cli_name), &format);
    EXPECT_EQ(format_of_option(format.option), &format);
    EXPECT_NE(format.make_converter(), nullptr) << format.cli_name;
  }
  EXPECT_EQ(format_named("HFANoise"), nullptr);
  EXPECT_EQ(format_of_option("optNone"), nullptr);
  EXPECT_EQ(format_names(", ", " or "), "hfanoise, hfcnoise, soundplan, roadnoise or tnia");
}

TEST(FormatTable, EachFilterEntryIsOneOfTheInputDialog) {
  const std::string input_dialog =
      "All files(*.*)|*.*|Data files(*.dat)|*.dat|Master files(*.mas)|*.mas|"
      "Text files(*.txt)|*.txt|MS Excel files(*.xls)|*.xls";
  for (const auto& format : input_formats())
    EXPECT_NE(input_dialog.find(format.dialog_filter), std::string::npos) << format.cli_name;
}

TEST(FormatTable, FileNamesTellRoadNoiseTniaAndSoundPlanApart) {
  auto format_name = [](const char* file) -> std::string_view {
    const InputFormat* format = format_of_file(std::string("/projects/") + file);
    return format == nullptr ? "" : format->cli_name;
  };
  EXPECT_EQ(format_name("SHATIN.MAS"), "roadnoise");
  EXPECT_EQ(format_name("shatin.mas"), "roadnoise");
  EXPECT_EQ(format_name("model.xls"), "tnia");
  EXPECT_EQ(format_name("model.XLSX"), "tnia");
  for (const char* file : {"STRA.001", "BEUG.002", "REFL.010", "IMIS.001", "stra.001"})
    EXPECT_EQ(format_name(file), "soundplan") << file;
  // Files recognised by content only: nothing on a name alone.
  EXPECT_EQ(format_name("does-not-exist.dat"), "");
  EXPECT_EQ(format_name("MASTER.TXT"), "");
  EXPECT_EQ(format_name("extra.xlsm"), "");
}

std::string_view detected(const std::filesystem::path& input) {
  const InputFormat* format = format_of_file(input);
  return format == nullptr ? "" : format->cli_name;
}

TEST(FormatDetection, PicksTheFormatOfEveryGoldenCase) {
  namespace fs = std::filesystem;
  int cases = 0;
  for (const auto& module : fs::directory_iterator(test::data_dir())) {
    if (!module.is_directory()) continue;
    for (const auto& folder : fs::directory_iterator(module.path())) {
      if (!folder.is_directory()) continue;
      std::ifstream case_file(folder.path() / "case.txt");
      std::string key, value, format, input;
      while (case_file >> key >> value) {
        if (key == "format") format = value;
        if (key == "input") input = value;
      }
      if (format.empty()) continue;
      EXPECT_EQ(detected(folder.path() / input), format) << folder.path();
      ++cases;
    }
  }
  EXPECT_GT(cases, 10);
}

TEST(FormatDetection, PicksTheFormatOfEveryExampleAndOfAProjectFolder) {
  const auto examples = test::data_dir() / ".." / ".." / "examples";
  EXPECT_EQ(detected(examples / "hfanoise" / "example.dat"), "hfanoise");
  EXPECT_EQ(detected(examples / "hfcnoise" / "tai_po_road.txt"), "hfcnoise");
  EXPECT_EQ(detected(examples / "soundplan" / "STRA.001"), "soundplan");
  EXPECT_EQ(detected(examples / "soundplan"), "soundplan");
  EXPECT_EQ(detected(examples / "roadnoise" / "SHATIN.MAS"), "roadnoise");
  EXPECT_EQ(detected(examples / "tnia" / "example.xls"), "tnia");
  EXPECT_EQ(detected(examples / "tnia" / "example.xlsx"), "tnia");
  // A folder of other files is no SoundPLAN project.
  EXPECT_EQ(detected(examples / "roadnoise"), "");
}

TEST(FormatStructure, AnInputWithoutItsFormatsStructureFailsNamingIt) {
  test::ScratchDir dir;
  test::write_file(dir / "model.txt", "Title\r\nno sections here\r\n");
  try {
    require_structure(*format_named("hfanoise"), (dir / "model.txt").string());
    FAIL() << "no failure";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), (dir / "model.txt").string() +
                                         " does not look like an HFANoise file: none of its "
                                         "section headings was found");
  }
  // A title with "---" in it is only the title, and a Markdown table is no
  // section heading.
  test::write_file(dir / "cut.dat", "Bypass --- stage 2\r\n\r\n Number of");
  test::write_file(dir / "notes.md", "# Notes\n\n| a | b |\n|---|---|\n| 1 | 2 |\n");
  for (const char* name : {"cut.dat", "notes.md"})
    EXPECT_THROW(require_structure(*format_named("hfanoise"), (dir / name).string()),
                 ConversionError)
        << name;
  test::write_file(dir / "empty.mas", "");
  EXPECT_THROW(require_structure(*format_named("roadnoise"), (dir / "empty.mas").string()),
               ConversionError);
  EXPECT_THROW(require_structure(*format_named("soundplan"), dir.path().string()), ConversionError);
  // A model of the format without records passes: counts or an empty section.
  test::write_file(dir / "none.dat", "Title\r\n Number of Links = 0\r\n");
  EXPECT_NO_THROW(require_structure(*format_named("hfanoise"), (dir / "none.dat").string()));
  test::write_file(dir / "head.txt", "T\r\n0 0 0 0 0 0 0 0 0 0\r\n0 0 0\r\n\r\n");
  EXPECT_NO_THROW(require_structure(*format_named("hfcnoise"), (dir / "head.txt").string()));
}

}  // namespace
}  // namespace kalvor
