// The plan drawing: every bundled example read back and drawn by kalvor-plan
// with one line per segment and one circle per receiver; kalvor-plan's
// failures; the view's fit, zoom and pan.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <regex>
#include <string>

#include "convert_program.h"
#include "golden.h"
#include "plan/plan_view.h"
#include "plan_examples.h"
#include "report/report_reader.h"

namespace kalvor::test {
namespace {

namespace fs = std::filesystem;

struct PlanRun {
  int exit_status;
  std::string output;
};

// kalvor-plan with the given arguments (shell words), run through `env`
// with the given environment changes.
PlanRun run_kalvor_plan(const std::string& arguments, const std::string& environment = "") {
  const std::string command =
      "env " + environment + " " + shell_quoted(KALVOR_PLAN_EXE) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  PlanRun run{-1, {}};
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.output.append(buffer, n);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
  return run;
}

std::size_t count_of(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++count;
  return count;
}

class ExamplePlan : public ::testing::TestWithParam<PlanExample> {
 protected:
  ScratchDir scratch;
};

TEST_P(ExamplePlan, ReadsBackWithTheConvertersCounts) {
  const PlanExample& example = GetParam();
  const report::ParsedReport report =
      report::read_report(convert_example(scratch, example).string());
  EXPECT_EQ(report.roads.size(), example.roads);
  EXPECT_EQ(report.road_segment_count() + report.barrier_segment_count(), example.segments);
  EXPECT_EQ(report.barriers.size(), example.barriers);
  EXPECT_EQ(report.generated_barrier_count(), example.generated);
  EXPECT_EQ(report.receivers.size(), example.receivers);
}

TEST_P(ExamplePlan, SvgHasALinePerSegmentAndACirclePerReceiver) {
  const fs::path report = convert_example(scratch, GetParam());
  const fs::path svg = scratch / "plan.svg";
  const PlanRun run =
      run_kalvor_plan(shell_quoted(report.string()) + " -o " + shell_quoted(svg.string()));
  ASSERT_EQ(run.exit_status, 0) << run.output;
  const report::ParsedReport parsed = report::read_report(report.string());
  const std::string drawing = read_file(svg);
  // Every segment is one two-point polyline.
  const std::regex two_points(
      R"(<polyline [^>]*points="[-0-9.e]+,[-0-9.e]+ [-0-9.e]+,[-0-9.e]+ ")");
  const auto lines = std::distance(std::sregex_iterator(drawing.begin(), drawing.end(), two_points),
                                   std::sregex_iterator());
  EXPECT_EQ(count_of(drawing, "<polyline"), static_cast<std::size_t>(lines));
  EXPECT_EQ(static_cast<std::size_t>(lines),
            parsed.road_segment_count() + parsed.barrier_segment_count());
  EXPECT_EQ(count_of(drawing, "<circle"), parsed.receivers.size());
  if (!parsed.header.project_title.empty()) {
    EXPECT_NE(drawing.find(parsed.header.project_title), std::string::npos);
  }
}

TEST_P(ExamplePlan, PngHasTheAskedSize) {
  const fs::path report = convert_example(scratch, GetParam());
  const fs::path png = scratch / "plan.png";
  const PlanRun run = run_kalvor_plan(shell_quoted(report.string()) + " -o " +
                                      shell_quoted(png.string()) + " --size 640x480");
  ASSERT_EQ(run.exit_status, 0) << run.output;
  const QImage image(QString::fromStdString(png.string()));
  EXPECT_EQ(image.size(), QSize(640, 480));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExamplePlan, ::testing::ValuesIn(kPlanExamples),
                         [](const auto& info) { return std::string(info.param.folder); });

TEST(KalvorPlan, DamagedReportFailsNamingTheLineAndWritesNothing) {
  ScratchDir scratch;
  std::string text = read_file(data_dir() / "report" / "hfa.txt");
  text.resize(text.find("Speed:"));
  write_file(scratch / "cut.txt", text);
  const PlanRun run = run_kalvor_plan(shell_quoted((scratch / "cut.txt").string()) + " -o " +
                                      shell_quoted((scratch / "plan.svg").string()));
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_NE(run.output.find("line 25: expected \"Speed:\""), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(scratch / "plan.svg"));
}

TEST(KalvorPlan, DrawsWithoutADisplayWhateverPlatformIsAskedFor) {
  ScratchDir scratch;
  const PlanRun run = run_kalvor_plan(shell_quoted((data_dir() / "report" / "hfa.txt").string()) +
                                          " -o " + shell_quoted((scratch / "plan.png").string()),
                                      "-u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb");
  EXPECT_EQ(run.exit_status, 0) << run.output;
  EXPECT_EQ(QImage(QString::fromStdString((scratch / "plan.png").string())).size(),
            QSize(1600, 1200));
}

TEST(KalvorPlan, UsageErrors) {
  const std::string report = shell_quoted((data_dir() / "report" / "hfa.txt").string());
  EXPECT_EQ(run_kalvor_plan(report).exit_status, 2);
  EXPECT_EQ(run_kalvor_plan("-o plan.svg").exit_status, 2);
  EXPECT_EQ(run_kalvor_plan(report + " -o plan.svg --size 0x10").exit_status, 2);
  EXPECT_EQ(run_kalvor_plan(report + " -o plan.svg --size big").exit_status, 2);
  EXPECT_EQ(run_kalvor_plan("--help").exit_status, 0);
}

TEST(KalvorPlan, UnknownSuffixOrUnwritableFileFails) {
  ScratchDir scratch;
  const std::string report = shell_quoted((data_dir() / "report" / "hfa.txt").string());
  EXPECT_EQ(
      run_kalvor_plan(report + " -o " + shell_quoted((scratch / "plan.pdf").string())).exit_status,
      1);
  EXPECT_EQ(run_kalvor_plan(report + " -o " + shell_quoted((scratch / "no/plan.png").string()))
                .exit_status,
            1);
  EXPECT_EQ(run_kalvor_plan(report + " -o " + shell_quoted((scratch / "no/plan.svg").string()))
                .exit_status,
            1);
}

TEST(PlanView, FitShowsEverythingWithEqualScales) {
  plan::PlanView view;
  view.fit(QRectF(QPointF(834000, 817000), QPointF(836000, 818000)), QSizeF(1000, 600), 50);
  EXPECT_DOUBLE_EQ(view.scale(), 0.45);  // 900 px for 2000 m wide; 500 px would hold 1111 m
  const QPointF south_west = view.to_screen({834000, 817000});
  const QPointF north_east = view.to_screen({836000, 818000});
  EXPECT_DOUBLE_EQ(south_west.x(), 50);
  EXPECT_DOUBLE_EQ(north_east.x(), 950);
  EXPECT_GT(south_west.y(), north_east.y());  // north is up
  EXPECT_DOUBLE_EQ(south_west.y() - north_east.y(), 450);
}

TEST(PlanView, ZoomKeepsThePointUnderTheMouseAndPanFollowsIt) {
  plan::PlanView view;
  view.fit(QRectF(0, 0, 100, 100), QSizeF(400, 400));
  const QPointF mouse(120, 300);
  const QPointF under = view.to_world(mouse);
  view.zoom_at(2.5, mouse);
  EXPECT_NEAR(view.to_screen(under).x(), mouse.x(), 1e-9);
  EXPECT_NEAR(view.to_screen(under).y(), mouse.y(), 1e-9);
  view.pan(QPointF(30, -20));
  EXPECT_NEAR(view.to_screen(under).x(), mouse.x() + 30, 1e-9);
  EXPECT_NEAR(view.to_screen(under).y(), mouse.y() - 20, 1e-9);
}

TEST(PlanView, APlanOfOnePointStillHasAScale) {
  plan::PlanView view;
  view.fit(QRectF(QPointF(5, 5), QPointF(5, 5)), QSizeF(400, 300), 0);
  EXPECT_DOUBLE_EQ(view.scale(), 30);  // ten metres across 300 px
  EXPECT_EQ(view.to_screen({5, 5}), QPointF(200, 150));
}

}  // namespace
}  // namespace kalvor::test
