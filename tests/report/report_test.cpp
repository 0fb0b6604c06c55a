// The writer produces the report layout line for line in each label variant,
// and takes the header's date from the right file.
#include <gtest/gtest.h>

#include "fake_job.h"
#include "golden.h"
#include "report/exchange_report.h"

using namespace kalvor;
using namespace kalvor::report;
using test::ScratchDir;

namespace {

// One road link with two segments, one barrier link and two receivers,
// arranged as the HFANoise converter arranges its sections.
void write_example(Writer& w) {
  w.consultant_block({"Acme Acoustics Ltd", "2345 6789", "", "noise@acme.example"});
  w.project_block({"Test Road Project",
                   {"05/03/2024", "14:07"},
                   " HK1980 Grid ",
                   "2031",
                   "Yes",
                   "No",
                   "0.0",
                   "N/A",
                   "40.0"});
  w.empty_line();
  w.road_section_heading();
  w.empty_line();
  w.road_link_no(1);
  w.road_link_id("R1");
  w.road_category("(2) Existing");
  w.road_flow("1200.0");
  w.road_speed("50.0", "No");
  w.road_heavy_vehicles("12.5");
  w.road_flow_direction("One Way");
  w.road_dual_carriageway("No");
  w.road_divider_and_separation("0.0", "N/A");
  w.road_elevated("No");
  w.road_surface("Bituminous");
  w.road_texture_depth("N/A");
  w.road_associated_barrier("N/A");
  w.road_segment_headings();
  w.road_segment({1, 834000, 817000.25, 5, 1.25, 834010.5, 817020, 5.5, 1, 7.3, 1, 0});
  w.road_segment({2, "834010.5", "817020", "5.5", "1", 10000000, 817030, 6, 1, 7.3, "N/A", 1});
  w.empty_line();
  w.barrier_section_heading();
  w.empty_line();
  w.barrier_link_no(1);
  w.barrier_link_id("B1");
  w.barrier_type("Reflective");
  w.barrier_level("Grade");
  w.barrier_associated_road("N/A");
  w.barrier_segment_headings();
  w.barrier_segment(
      {1, 834000, 817005, 5, 3, 834010, 817025, 5.5, 3, 0, "N/A", "N/A", "N/A", 0.25});
  w.empty_line();
  w.receiver_section_heading();
  w.receiver_table_headings();
  w.receiver({1, "NSR-A with a very long name", 834100, 817100, 10.5, 5.5, 0, 359.95, "Yes"});
  w.receiver({2, "N2 ", 834200.04, -12.35, 1.5, 1.5, 90, 270, "No"});
}

struct Variant {
  const char* name;
  const Labels* labels;
};

void PrintTo(const Variant& v, std::ostream* os) {
  *os << v.name;
}

class WriterGolden : public ::testing::TestWithParam<Variant> {};

TEST_P(WriterGolden, WritesTheLayoutByteForByte) {
  ScratchDir dir;
  quillan::Varnik lib;
  std::string path = (dir / "report.txt").string();
  lib.open_file_handler(path, "Output", 2, false);
  Writer writer(lib, 2, *GetParam().labels);
  write_example(writer);
  lib.close_file_handler(2);
  EXPECT_SAME_REPORT(
      test::read_file(test::data_dir() / "report" / (GetParam().name + std::string(".txt"))),
      test::read_file(path));
}

INSTANTIATE_TEST_SUITE_P(LabelVariants, WriterGolden,
                         ::testing::Values(Variant{"hfa", &kHfaLabels},
                                           Variant{"tnia", &kTniaLabels},
                                           Variant{"hfc", &kHfcLabels},
                                           Variant{"roadnoise", &kRoadNoiseLabels}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WithUnit, AppendsTheUnitUnlessTheValueIsNotAvailable) {
  EXPECT_EQ(with_unit(" 12.0 ", " m"), "12.0 m");
  EXPECT_EQ(with_unit("n/a", " m"), "n/a");
  EXPECT_EQ(with_unit("???", " veh/hr"), "??? veh/hr");
  EXPECT_EQ(with_unit("", " mm"), " mm");
}

TEST(HeaderDateTime, ComesFromTheDialogFileAndElseFromTheInputFile) {
  ScratchDir dir;
  test::write_file(dir / "picked.dat", "x");
  test::write_file(dir / "typed.dat", "y");
  test::set_modification_time(dir / "picked.dat", 2024, 3, 5, 14, 7);
  test::set_modification_time(dir / "typed.dat", 2023, 12, 31, 9, 0);
  test::FakeJob job;
  job.set_text(control::InputPath, (dir / "typed.dat").string());
  job.set_text(control::DialogFileName, (dir / "picked.dat").string());
  EXPECT_EQ(header_date_time(job).date, "05/03/2024");
  EXPECT_EQ(header_date_time(job).time, "14:07");
  job.set_text(control::DialogFileName, "");
  EXPECT_EQ(header_date_time(job).date, "31/12/2023");
  job.set_text(control::DialogFileName, (dir / "gone.dat").string());
  EXPECT_EQ(header_date_time(job).time, "09:00");
}

}  // namespace
