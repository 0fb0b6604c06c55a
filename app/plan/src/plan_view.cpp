#include "plan/plan_view.h"

#include <algorithm>

namespace kalvor::plan {

namespace {
// A plan of a single point, or of points on one line, still gets a scale.
constexpr double kSmallestExtent = 10;  // metres
constexpr double kMinScale = 1e-6, kMaxScale = 1e4;
}  // namespace

void PlanView::fit(const QRectF& world, QSizeF viewport, double margin) {
  viewport_ = viewport;
  centre_ = world.center();
  const double width = std::max(world.width(), kSmallestExtent);
  const double height = std::max(world.height(), kSmallestExtent);
  const double room_x = std::max(viewport.width() - 2 * margin, 1.0);
  const double room_y = std::max(viewport.height() - 2 * margin, 1.0);
  scale_ = std::clamp(std::min(room_x / width, room_y / height), kMinScale, kMaxScale);
}

void PlanView::zoom_at(double factor, QPointF screen) {
  const QPointF anchor = to_world(screen);
  scale_ = std::clamp(scale_ * factor, kMinScale, kMaxScale);
  const QPointF moved = to_world(screen);
  centre_ += anchor - moved;
}

void PlanView::pan(QPointF delta) {
  centre_ += QPointF(-delta.x() / scale_, delta.y() / scale_);
}

QPointF PlanView::to_world(QPointF screen) const {
  return {centre_.x() + (screen.x() - viewport_.width() / 2) / scale_,
          centre_.y() - (screen.y() - viewport_.height() / 2) / scale_};
}

QRectF PlanView::visible_world() const {
  const QPointF a = to_world({0, 0});
  const QPointF b = to_world({viewport_.width(), viewport_.height()});
  return QRectF(QPointF(a.x(), b.y()), QPointF(b.x(), a.y()));
}

}  // namespace kalvor::plan
