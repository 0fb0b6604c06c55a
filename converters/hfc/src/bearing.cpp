#include "bearing.h"

#include <cmath>

namespace kalvor::hfc {

std::optional<double> bearing_to(double xr, double yr, double xp, double yp, double pi) {
  const double dx = xp - xr;
  const double dy = yp - yr;
  // Radians to degrees, multiplied before dividing so that the last bit of
  // every bearing is the same as the established results.
  const auto degrees = [pi](double radians) { return radians * 180.0 / pi; };
  // One quadrant per case, each taking one of its two bounding axes, tested
  // in this order.
  if (dy > 0 && dx >= 0) return degrees(std::atan(dx / dy));
  if (dx > 0 && dy <= 0) return degrees(std::atan(-dy / dx)) + 90.0;
  if (dy < 0 && dx <= 0) return degrees(std::atan(dx / dy)) + 180.0;
  if (dx < 0 && dy >= 0) return degrees(std::atan(dy / -dx)) + 270.0;
  return std::nullopt;
}

}  // namespace kalvor::hfc
