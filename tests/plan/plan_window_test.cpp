// The plan window, offscreen: opening reports, Fit and wheel zoom, hover,
// click selection with the record listed, dragging, and export.
#include "plan/plan_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QWheelEvent>

#include "golden.h"

namespace kalvor::plan {
namespace {

using test::data_dir;

QString golden(const char* name) {
  return QString::fromStdString((data_dir() / name).string());
}

class PlanWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(900, 700);
    window.show();
    QApplication::processEvents();
  }

  PlanCanvas& canvas() { return *window.canvas(); }

  void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, canvas().mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&canvas(), &event);
  }

  void click(QPointF at) {
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
  }

  void wheel(QPointF at, int notches) {
    QWheelEvent event(at, canvas().mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas(), &event);
  }

  QAction* action(const char* name) { return window.findChild<QAction*>(name); }

  PlanWindow window;
  test::ScratchDir scratch;
};

// In hfa/layout_barriers, road link 2 ("Plain Road") runs from (200, 0) to
// (210, 0), away from everything else.
constexpr const char* kSmallPlan = "hfa/layout_barriers/expected.txt";
constexpr QPointF kOnPlainRoad(205, 0);

TEST_F(PlanWindowTest, OpensAReportAndSumsItUp) {
  EXPECT_FALSE(action("actionExport")->isEnabled());
  ASSERT_EQ(window.open_report(golden("hfa/network/expected.txt")), "");
  ASSERT_NE(window.model(), nullptr);
  EXPECT_TRUE(action("actionExport")->isEnabled());
  EXPECT_EQ(window.statusBar()->currentMessage(),
            "expected.txt: 5 road links (9 segments), 3 barrier links (0 generated), "
            "3 receivers");
  EXPECT_TRUE(window.windowTitle().startsWith("expected.txt"));
}

TEST_F(PlanWindowTest, DamagedReportIsRefusedNamingTheLineAndThePlanStays) {
  ASSERT_EQ(window.open_report(golden("hfa/network/expected.txt")), "");
  const PlanModel* shown = window.model();
  const QString path = QString::fromStdString((scratch / "cut.txt").string());
  std::string text = test::read_file(data_dir() / "report" / "hfa.txt");
  test::write_file(scratch / "cut.txt", text.substr(0, text.find("Speed:")));
  const QString error = window.open_report(path);
  EXPECT_TRUE(error.contains("line 25")) << error.toStdString();
  EXPECT_EQ(window.model(), shown);
}

TEST_F(PlanWindowTest, WheelZoomsAndFitShowsEverythingAgain) {
  ASSERT_EQ(window.open_report(golden("hfa/network/expected.txt")), "");
  const double fitted = canvas().view().scale();
  const QPointF middle(canvas().width() / 2.0, canvas().height() / 2.0);
  wheel(middle, 2);
  EXPECT_NEAR(canvas().view().scale(), fitted * 1.25 * 1.25, 1e-9);
  wheel(middle, -3);
  EXPECT_LT(canvas().view().scale(), fitted);
  action("actionFit")->trigger();
  EXPECT_DOUBLE_EQ(canvas().view().scale(), fitted);
}

TEST_F(PlanWindowTest, ResizingKeepsAFittedPlanFittedAndAZoomedOneAsItIs) {
  ASSERT_EQ(window.open_report(golden(kSmallPlan)), "");
  const double fitted = canvas().view().scale();
  window.resize(1400, 1000);
  QApplication::processEvents();
  EXPECT_GT(canvas().view().scale(), fitted);
  wheel(QPointF(100, 100), 1);
  const double zoomed = canvas().view().scale();
  window.resize(900, 700);
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(canvas().view().scale(), zoomed);
}

TEST_F(PlanWindowTest, HoverTellsTheLinkAndClickListsItsRecord) {
  ASSERT_EQ(window.open_report(golden(kSmallPlan)), "");
  const QPointF on_road = canvas().view().to_screen(kOnPlainRoad);
  mouse(QEvent::MouseMove, on_road, Qt::NoButton);
  EXPECT_EQ(canvas().hover_text(),
            "Road link 2: Plain Road\nFlow 300.0 veh/hr, speed 30.0 km/h\n"
            "Two Way, elevated No, width 6.0 m");
  mouse(QEvent::MouseMove, on_road + QPointF(0, 40), Qt::NoButton);
  EXPECT_EQ(canvas().hover_text(), "");

  click(on_road);
  ASSERT_TRUE(canvas().selection().link);
  const QString record = window.findChild<QPlainTextEdit*>("planRecord")->toPlainText();
  EXPECT_TRUE(record.startsWith("Link No.:   2\nLink ID:    Plain Road\n")) << record.toStdString();
  EXPECT_TRUE(record.endsWith(
      "1   200.0    0.0      0.0   0.0   210.0    0.0      0.0   0.0   6.0    0.0     0.0    "))
      << record.toStdString();
}

TEST_F(PlanWindowTest, HoverAndClickOnAReceiver) {
  ASSERT_EQ(window.open_report(golden("hfa/network/expected.txt")), "");
  const report::ReceiverRecord& first = window.model()->report().receivers[0];
  const QPointF at =
      canvas().view().to_screen(QPointF(*report::number(first.x), *report::number(first.y)));
  mouse(QEvent::MouseMove, at, Qt::NoButton);
  EXPECT_TRUE(
      canvas().hover_text().startsWith("Receiver 1: " + QString::fromStdString(first.nsr_id)))
      << canvas().hover_text().toStdString();
  click(at);
  ASSERT_TRUE(canvas().selection().receiver);
  EXPECT_TRUE(window.record_text().startsWith("1   ")) << window.record_text().toStdString();
}

TEST_F(PlanWindowTest, DraggingPansWithoutSelecting) {
  ASSERT_EQ(window.open_report(golden(kSmallPlan)), "");
  const QPointF on_road = canvas().view().to_screen(kOnPlainRoad);
  mouse(QEvent::MouseButtonPress, on_road, Qt::LeftButton);
  mouse(QEvent::MouseMove, on_road + QPointF(60, 25), Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, on_road + QPointF(60, 25), Qt::NoButton);
  EXPECT_FALSE(canvas().selection().link);
  const QPointF moved = canvas().view().to_screen(kOnPlainRoad);
  EXPECT_NEAR(moved.x(), on_road.x() + 60, 1e-9);
  EXPECT_NEAR(moved.y(), on_road.y() + 25, 1e-9);
}

TEST_F(PlanWindowTest, ExportWritesSvgAndPngOfTheView) {
  EXPECT_NE(window.export_to(QString::fromStdString((scratch / "none.svg").string())), "");
  ASSERT_EQ(window.open_report(golden("hfa/layout_barriers/expected.txt")), "");
  const QString svg = QString::fromStdString((scratch / "plan.svg").string());
  const QString png = QString::fromStdString((scratch / "plan.png").string());
  EXPECT_EQ(window.export_to(svg), "");
  EXPECT_EQ(window.export_to(png), "");
  EXPECT_NE(test::read_file(scratch / "plan.svg").find("<polyline"), std::string::npos);
  EXPECT_EQ(QImage(png).size(), canvas().size());
}

TEST(PlanDescription, BarrierTellsTypeLevelHeightAndGeneration) {
  const PlanModel model(
      report::read_report((data_dir() / "hfa/layout_barriers/expected.txt").string()));
  std::size_t generated = 0;
  while (!model.links()[generated].generated) ++generated;
  EXPECT_EQ(describe_link(model, generated),
            "Barrier link 2: Viaduct - LLB (generated)\nReflective, level Elevated, height 2.0 m\n"
            "Associated road link 1");
}

}  // namespace
}  // namespace kalvor::plan
