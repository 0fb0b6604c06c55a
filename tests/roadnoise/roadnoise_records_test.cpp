// The keyword rule and the flow table built once per conversion.
#include <vector>

#include "flow_table.h"
#include "keyword_record.h"
#include "quillan/text.h"
#include "reading/line_reader.h"
#include "roadnoise_test_support.h"

namespace kalvor::test {
namespace {

using roadnoise::keyword_value;

TEST(KeywordRule, ValueIsEightCharactersFourAfterTheKeywordTrimmed) {
  EXPECT_EQ(keyword_value("RSX 835000.0RSY 819000.0", "RSX"), "835000.0");
  EXPECT_EQ(keyword_value("RSX 835000.0RSY 819000.0", "RSY"), "819000.0");
  EXPECT_EQ(keyword_value("  CAT   3      X", "CAT"), "3");
  EXPECT_EQ(keyword_value("RSX 1234567890", "RSX"), "12345678");
}

TEST(KeywordRule, ShortLinesGiveWhatRemains) {
  EXPECT_EQ(keyword_value("HCE 7.25", "HCE"), "7.25");
  EXPECT_EQ(keyword_value("HCE 7", "HCE"), "7");
  EXPECT_EQ(keyword_value("GND", "GND"), "");
  EXPECT_EQ(keyword_value("GND ", "GND"), "");
}

TEST(KeywordRule, FirstOccurrenceAnywhereCaseSensitive) {
  EXPECT_EQ(keyword_value("COAST.SEG", "COA"), "T.SEG");
  EXPECT_EQ(keyword_value("FLO 10      FLO 20", "FLO"), "10");
  EXPECT_EQ(keyword_value("flo 10", "FLO"), std::nullopt);
  EXPECT_EQ(keyword_value("", "FLO"), std::nullopt);
}

TEST(KeywordValueTest, CarriesOverUntilTheKeywordOccursAgain) {
  roadnoise::KeywordValue value("RPT");
  EXPECT_FALSE(value.take("OPX 1", 1));
  EXPECT_EQ(value.number("f"), 0);
  EXPECT_TRUE(value.take("RPT 2", 2));
  EXPECT_FALSE(value.take("HPF 3", 3));
  EXPECT_EQ(value.number("f"), 2);
}

TEST(KeywordValueTest, TextThatIsNoNumberNamesFileLineAndKeyword) {
  roadnoise::KeywordValue value("CAT");
  value.take("CAT 3x", 7);
  try {
    value.number("ROADS.SEG");
    FAIL() << "expected an error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "ROADS.SEG, line 7: the value \"3x\" of keyword CAT is not a number");
  }
}

// What reading the flow file from its start would give for one flow number:
// the values up to and including the first line whose FNO value matches.
struct ScanResult {
  bool found = false;
  std::string flow, heavy, speed, basis;
};

ScanResult sequential_scan(const std::vector<std::string>& lines, const std::string& n) {
  ScanResult r;
  std::string fno;
  for (const auto& raw : lines) {
    const std::string line = quillan::trim(raw);
    if (line.empty()) continue;
    if (auto v = keyword_value(line, "FLO")) r.flow = *v;
    if (auto v = keyword_value(line, "PHV")) r.heavy = *v;
    if (auto v = keyword_value(line, "SPD")) r.speed = *v;
    if (auto v = keyword_value(line, "BAS")) r.basis = *v;
    if (auto v = keyword_value(line, "FNO")) fno = *v;
    if (fno == n) {
      r.found = true;
      return r;
    }
  }
  return {};
}

TEST(FlowTableTest, ReturnsWhatASequentialScanFinds) {
  const std::vector<std::string> lines = {
      "FLO 100     PHV 5",       // values before any FNO
      "  FNO 1       SPD 50  ",  // first record, BAS never given
      "",                        //
      "FNO 2       FLO -300    BAS 2",
      "PHV 9",                // changes values after record 2
      "FNO 1       FLO 999",  // a later duplicate of 1
      "FNO 3",                // record 3 with carried values
      "FNO 2       SPD 120",  // duplicate of 2
      "SPD 70      FNO 4       FLO 1800"};
  ScratchDir scratch;
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  write_file(scratch / "T.FLO", bytes);

  quillan::Varnik lib;
  lib.open_file_handler((scratch / "T.FLO").string(), 0, 3, false);
  reading::LineReader reader(lib, 3, "the flow file T.FLO");
  const roadnoise::FlowTable table(reader);
  lib.close_file_handler(3);

  for (const std::string n : {"1", "2", "3", "4", "5", "", "01"}) {
    SCOPED_TRACE("flow number '" + n + "'");
    const ScanResult expected = sequential_scan(lines, n);
    const roadnoise::FlowRecord* found = table.find(n);
    ASSERT_EQ(found != nullptr, expected.found);
    if (!found) continue;
    EXPECT_EQ(found->flow.text(), expected.flow);
    EXPECT_EQ(found->heavy_vehicles.text(), expected.heavy);
    EXPECT_EQ(found->speed.text(), expected.speed);
    EXPECT_EQ(found->gradient_basis.text(), expected.basis);
  }
  EXPECT_EQ(table.find("1")->flow.text(), "100");
  EXPECT_EQ(table.find("4")->speed.text(), "70");
}

}  // namespace
}  // namespace kalvor::test
