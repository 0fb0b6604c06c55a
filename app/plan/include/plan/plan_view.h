// Where the plan is looked at from: the world point in the middle of the
// viewport and the scale in pixels per metre, the same on both axes. Screen
// Y grows downwards, world Y (north) upwards.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace kalvor::plan {

class PlanView {
 public:
  // Shows all of `world` inside the viewport, `margin` pixels from its edges.
  void fit(const QRectF& world, QSizeF viewport, double margin = 40);
  // A new viewport size; the middle of the plan stays in the middle.
  void set_viewport(QSizeF viewport) { viewport_ = viewport; }
  // Zooms by `factor` keeping the world point under `screen` where it is.
  void zoom_at(double factor, QPointF screen);
  // Moves the plan with the mouse by `delta` pixels.
  void pan(QPointF delta);

  QPointF to_screen(QPointF world) const {
    return {(world.x() - centre_.x()) * scale_ + viewport_.width() / 2,
            (centre_.y() - world.y()) * scale_ + viewport_.height() / 2};
  }
  QPointF to_world(QPointF screen) const;
  QRectF visible_world() const;

  double scale() const { return scale_; }
  QPointF centre() const { return centre_; }
  QSizeF viewport() const { return viewport_; }

 private:
  QPointF centre_;
  double scale_ = 1;
  QSizeF viewport_{1, 1};
};

}  // namespace kalvor::plan
