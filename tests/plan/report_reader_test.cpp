// Reading exchange reports back: every golden report of every converter, the
// values kept as the report shows them, and damaged texts failing at the
// line at fault.
#include "report/report_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "golden.h"

namespace kalvor::report {
namespace {

using test::data_dir;
using test::read_file;

struct GoldenCounts {
  const char* report;  // under tests/data
  std::size_t roads, road_segments, barriers, barrier_segments, generated, receivers;
};

// Counted by hand in the golden reports.
const GoldenCounts kGoldenReports[] = {
    {"hfa/empty_node_section/expected.txt", 1, 1, 2, 2, 0, 1},
    {"hfa/layout_barriers/expected.txt", 3, 6, 4, 9, 3, 0},
    {"hfa/network/expected.txt", 5, 9, 3, 4, 0, 3},
    {"hfa/no_sections/expected.txt", 0, 0, 0, 0, 0, 0},
    {"hfa/soundplan_title/expected.txt", 1, 1, 0, 0, 0, 2},
    {"hfc/barriers_receivers/expected.txt", 0, 0, 6, 6, 0, 5},
    {"hfc/level_switches/expected.txt", 1, 2, 1, 2, 0, 1},
    {"hfc/roads/expected.txt", 5, 7, 0, 0, 0, 0},
    {"roadnoise/barriers/expected.txt", 0, 0, 9, 13, 0, 0},
    {"roadnoise/no_read/expected.txt", 1, 1, 0, 0, 0, 0},
    {"roadnoise/read_first/expected.txt", 0, 0, 0, 0, 0, 0},
    {"roadnoise/receivers/expected.txt", 0, 0, 0, 0, 0, 7},
    {"roadnoise/roads/expected.txt", 4, 6, 0, 0, 0, 1},
    {"soundplan/report_bridge/expected.txt", 2, 4, 2, 4, 2, 0},
    {"soundplan/report_small/expected.txt", 2, 3, 2, 2, 0, 2},
    {"tnia/empty/expected.txt", 0, 0, 0, 0, 0, 0},
    {"tnia/full/expected.txt", 4, 4, 3, 3, 0, 4},
    {"tnia/no_associations/expected.txt", 1, 1, 1, 1, 0, 0},
    {"tnia/roads_only/expected.txt", 1, 2, 0, 0, 0, 0},
    {"report/hfa.txt", 1, 2, 1, 1, 0, 2},
    {"report/hfc.txt", 1, 2, 1, 1, 0, 2},
    {"report/roadnoise.txt", 1, 2, 1, 1, 0, 2},
    {"report/tnia.txt", 1, 2, 1, 1, 0, 2},
};

void PrintTo(const GoldenCounts& counts, std::ostream* out) {
  *out << counts.report;
}

class GoldenReportReadBack : public ::testing::TestWithParam<GoldenCounts> {};

TEST_P(GoldenReportReadBack, CountsMatchTheReport) {
  const GoldenCounts& expected = GetParam();
  const ParsedReport report = read_report((data_dir() / expected.report).string());
  EXPECT_EQ(report.roads.size(), expected.roads);
  EXPECT_EQ(report.road_segment_count(), expected.road_segments);
  EXPECT_EQ(report.barriers.size(), expected.barriers);
  EXPECT_EQ(report.barrier_segment_count(), expected.barrier_segments);
  EXPECT_EQ(report.generated_barrier_count(), expected.generated);
  EXPECT_EQ(report.receivers.size(), expected.receivers);
}

INSTANTIATE_TEST_SUITE_P(EveryConverter, GoldenReportReadBack, ::testing::ValuesIn(kGoldenReports),
                         [](const auto& info) {
                           std::string name = info.param.report;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

ParsedReport golden(const std::string& name) {
  return read_report((data_dir() / name).string());
}

TEST(ReportReader, ReadsHeaderValuesWithoutUnits) {
  const ReportHeader h = golden("report/hfa.txt").header;
  EXPECT_EQ(h.consultant, "Acme Acoustics Ltd");
  EXPECT_EQ(h.fax, "");
  EXPECT_EQ(h.project_title, "Test Road Project");
  EXPECT_EQ(h.date, "05/03/2024");
  EXPECT_EQ(h.time, "14:07");
  EXPECT_EQ(h.coordinate_system, "HK1980 Grid");
  EXPECT_EQ(h.year_of_traffic_flow, "2031");
  EXPECT_EQ(h.multiple_screening, "Yes");
  EXPECT_EQ(h.opposite_facade, "No");
  EXPECT_EQ(h.cutoff_angle, "0.0");
  EXPECT_EQ(h.cutoff_distance, "N/A");
  EXPECT_EQ(h.cutoff_reflection, "40.0");
}

TEST(ReportReader, ReadsEveryLabelVariant) {
  for (const char* name :
       {"report/hfa.txt", "report/hfc.txt", "report/roadnoise.txt", "report/tnia.txt"}) {
    SCOPED_TRACE(name);
    const ParsedReport report = golden(name);
    EXPECT_EQ(report.header.coordinate_system, "HK1980 Grid");
    EXPECT_EQ(report.header.cutoff_reflection, "40.0");
    EXPECT_EQ(report.roads[0].vertical_separation, "N/A");
    EXPECT_EQ(report.barriers[0].type, "Reflective");
  }
}

TEST(ReportReader, ReadsRecordValuesAndOverflowingColumns) {
  const ParsedReport report = golden("report/hfa.txt");
  const RoadLinkRecord& road = report.roads[0];
  EXPECT_EQ(road.number, "1");
  EXPECT_EQ(road.id, "R1");
  EXPECT_EQ(road.flow, "1200.0");
  EXPECT_EQ(road.speed, "50.0");
  EXPECT_EQ(road.speed_corrected_for_gradient, "No");
  EXPECT_EQ(road.divider_width, "0.0");
  EXPECT_EQ(road.texture_depth, "N/A");
  EXPECT_EQ(road.lines.first, 21u);
  EXPECT_EQ(road.lines.last, 37u);
  // The to-node X of 10000000.0 is wider than its column and shifts the row.
  const RoadSegmentText& s = road.segments[1];
  EXPECT_EQ(s.from.x, "834010.5");
  EXPECT_EQ(s.to.x, "10000000.0");
  EXPECT_EQ(s.to.y, "817030.0");
  EXPECT_EQ(s.to.h, "1.0");
  EXPECT_EQ(s.width, "7.3");
  EXPECT_EQ(s.ground_left, "N/A");
  EXPECT_EQ(s.ground_right, "1.0");

  const BarrierLinkRecord& barrier = report.barriers[0];
  EXPECT_EQ(barrier.level, "Grade");
  EXPECT_EQ(barrier.associated_road, "N/A");
  EXPECT_EQ(barrier.segments[0].inclined_angle, "0.0");
  EXPECT_EQ(barrier.segments[0].foa, "N/A");
  EXPECT_EQ(barrier.segments[0].width, "0.3");

  const ReceiverRecord& cut_name = report.receivers[0];
  EXPECT_EQ(cut_name.nsr_id, "NSR-A with a very lo");
  EXPECT_EQ(cut_name.x, "834100.0");
  EXPECT_EQ(cut_name.z, "10.5");
  EXPECT_EQ(cut_name.bearing_right, "360.0");
  EXPECT_EQ(cut_name.facade, "Yes");
  EXPECT_EQ(report.receivers[1].y, "-12.4");
  EXPECT_EQ(report.receivers[1].facade, "No");
}

TEST(ReportReader, KeepsUnknownValuesAsText) {
  const ParsedReport report = golden("hfa/empty_node_section/expected.txt");
  const RoadLinkRecord& road = report.roads[0];
  EXPECT_EQ(road.flow, "???");
  EXPECT_EQ(road.speed, "???");
  EXPECT_EQ(road.texture_depth, "???");
  EXPECT_EQ(road.segments[0].width, "???");
  EXPECT_FALSE(number(road.segments[0].width));
  EXPECT_FALSE(number("N/A"));
  EXPECT_EQ(number(" -12.5 "), -12.5);
  EXPECT_FALSE(number("12abc"));
}

TEST(ReportReader, MarksGeneratedLayoutBarriers) {
  const ParsedReport report = golden("hfa/layout_barriers/expected.txt");
  EXPECT_FALSE(report.barriers[0].generated());
  EXPECT_TRUE(report.barriers[1].generated());
  EXPECT_EQ(report.barriers[1].id, "Viaduct - LLB");
}

TEST(ReportReader, SummaryLineCountsLinksSegmentsAndReceivers) {
  EXPECT_EQ(summary_line("report.txt", golden("hfa/layout_barriers/expected.txt")),
            "report.txt: 3 road links (6 segments), 4 barrier links (3 generated), 0 receivers");
  EXPECT_EQ(summary_line("r.txt", golden("roadnoise/no_read/expected.txt")),
            "r.txt: 1 road link (1 segment), 0 barrier links (0 generated), 0 receivers");
}

// The golden HFANoise report with `edit` applied to its lines.
template <typename Edit>
std::string damaged(Edit edit) {
  const ReportText golden(read_file(data_dir() / "report" / "hfa.txt"));
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < golden.line_count(); ++i) lines.emplace_back(golden.line(i));
  edit(lines);
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void expect_failure_at(const std::string& text, std::size_t line,
                       const std::string& expected_text) {
  try {
    parse_report(text);
    ADD_FAILURE() << "no failure";
  } catch (const ReportError& e) {
    EXPECT_EQ(e.line(), line) << e.what();
    EXPECT_NE(std::string(e.what()).find(expected_text), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(line) + ": ", 0), 0u)
        << e.what();
  }
}

// Reports of earlier versions of the RoadNoise converter hold such a row.
TEST(ReportReader, KeepsASegmentRowWithoutARecordHead) {
  const ParsedReport report = parse_report(damaged([](auto& lines) {
    // Line 20 is the empty line below "Road Link(s):".
    lines.insert(lines.begin() + 20,
                 "1   0.0      0.0      0.0   0.0                           0.0   0.0   "
                 "                ");
  }));
  ASSERT_EQ(report.headless_road_segments.size(), 1u);
  EXPECT_EQ(report.headless_road_segments[0].from.x, "0.0");
  EXPECT_EQ(report.headless_road_segments[0].to.x, "");
  EXPECT_EQ(report.headless_road_segments[0].to.z, "");
  EXPECT_EQ(report.headless_road_segments[0].to.h, "0.0");
  EXPECT_EQ(report.headless_road_segments[0].width, "0.0");
  EXPECT_EQ(report.roads[0].id, "R1");
}

TEST(DamagedReport, CutInTheMiddleOfARecordNamesTheEnd) {
  // Lines 1 to 24: the road record stops after its flow line.
  expect_failure_at(damaged([](auto& lines) { lines.resize(24); }), 25, "\"Speed:\"");
}

TEST(DamagedReport, SegmentRowWithTooFewColumnsIsNamed) {
  expect_failure_at(damaged([](auto& lines) { lines[36].resize(40); }), 37, "road segment row");
  expect_failure_at(damaged([](auto& lines) { lines[48].resize(90); }), 49, "barrier segment row");
  expect_failure_at(damaged([](auto& lines) { lines[54].resize(60); }), 55, "receiver row");
}

TEST(DamagedReport, MissingHeaderLineIsNamed) {
  expect_failure_at(damaged([](auto& lines) { lines.erase(lines.begin() + 2); }), 3,
                    "\"Fax Number:\"");
  expect_failure_at(damaged([](auto& lines) { lines.erase(lines.begin() + 15); }), 16,
                    "\"Cut-off Distance:\"");
}

TEST(DamagedReport, MissingSectionHeadingIsNamed) {
  // The barrier heading (line 39) gone: its record is read as a road link and
  // fails where a road's category belongs.
  expect_failure_at(damaged([](auto& lines) { lines.erase(lines.begin() + 38); }), 42,
                    "\"Category:\"");
}

TEST(DamagedReport, TextThatIsNoReportFailsOnItsFirstLine) {
  expect_failure_at("Hello\nworld\n", 1, "\"Name of Consultant:\"");
  expect_failure_at("", 1, "the report ends");
  EXPECT_THROW(read_report((data_dir() / "no such report.txt").string()), ReportError);
}

}  // namespace
}  // namespace kalvor::report
