// Times the plan of one report as the window draws it: reading the report,
// placing it, and frames at Fit, zoomed in step by step towards the middle,
// and panned, each drawn onto an image of the window's size.
//
// usage: plan_frame_bench REPORT [WIDTHxHEIGHT]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "plan/plan_model.h"
#include "plan/plan_renderer.h"
#include "plan/plan_view.h"
#include "report/report_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_of(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct FrameTimes {
  double slowest = 0, total = 0;
  int frames = 0;
  void add(double ms) {
    slowest = std::max(slowest, ms);
    total += ms;
    ++frames;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: plan_frame_bench REPORT [WIDTHxHEIGHT]\n");
    return 2;
  }
  int width = 1280, height = 800;
  if (argc > 2) std::sscanf(argv[2], "%dx%d", &width, &height);

  kalvor::report::ParsedReport report;
  const double read_ms = milliseconds_of([&] { report = kalvor::report::read_report(argv[1]); });
  std::unique_ptr<kalvor::plan::PlanModel> model;
  const double place_ms = milliseconds_of(
      [&] { model = std::make_unique<kalvor::plan::PlanModel>(std::move(report)); });

  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  kalvor::plan::PlanView view;
  view.fit(model->bounds(), QSizeF(width, height));
  auto frame = [&] {
    return milliseconds_of([&] {
      QPainter painter(&image);
      kalvor::plan::draw_plan(painter, *model, view);
    });
  };

  FrameTimes fit, zoomed, panned;
  for (int i = 0; i < 3; ++i) fit.add(frame());
  const QPointF middle(width / 2.0, height / 2.0);
  for (int step = 0; step < 10; ++step) {
    view.zoom_at(2, middle);
    zoomed.add(frame());
  }
  view.fit(model->bounds(), QSizeF(width, height));
  view.zoom_at(4, middle);
  for (int step = 0; step < 10; ++step) {
    view.pan(QPointF(37, -23));
    panned.add(frame());
  }
  const QRectF drawn = model->bounds();
  std::printf("report: %zu segments, %zu receivers, %.0f x %.0f m\n", model->segments().size(),
              model->receivers().size(), drawn.width(), drawn.height());
  std::printf("read %.0f ms, place %.0f ms\n", read_ms, place_ms);
  for (const auto& [name, times] :
       {std::pair{"fit", fit}, std::pair{"zoom", zoomed}, std::pair{"pan", panned}})
    std::printf("%-5s frames %2d  mean %6.1f ms  slowest %6.1f ms\n", name, times.frames,
                times.total / times.frames, times.slowest);
  return 0;
}
