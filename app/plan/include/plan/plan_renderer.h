// Draws the plan of a report with QPainter, so that the window, SVG files and
// PNG files show the very same drawing: roads as lines as wide as the road
// (elevated roads dashed, one-way roads with an arrow in their direction of
// travel), barriers heavier than roads in one colour per type (generated
// layout barriers dash-dotted), receivers as points with their NSR ID where
// there is room, and a scale bar, a north arrow, a legend and the project
// title with the coordinate system.
//
// Every segment is drawn as one line and every receiver as one circle; the
// decorations use other shapes, so a drawing's lines and circles count the
// segments and receivers shown.
#pragma once

#include <QSize>
#include <QString>
#include <cstddef>
#include <optional>

#include "plan/plan_model.h"
#include "plan/plan_view.h"

class QPainter;

namespace kalvor::plan {

struct PlanSelection {
  std::optional<std::size_t> link;      // index into PlanModel::links()
  std::optional<std::size_t> receiver;  // index into PlanModel::receivers()
};

void draw_plan(QPainter& painter, const PlanModel& model, const PlanView& view,
               const PlanSelection& selection = {});

// Writes the plan as `view` shows it to an .svg or .png file (by the file's
// suffix) of the view's size. Returns an empty text, or what went wrong.
QString export_plan(const PlanModel& model, const QString& path, const PlanView& view);
// The same with the whole plan fitted to `size` pixels.
QString export_plan(const PlanModel& model, const QString& path, QSize size);

}  // namespace kalvor::plan
