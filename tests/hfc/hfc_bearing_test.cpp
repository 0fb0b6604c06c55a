#include <gtest/gtest.h>

#include "bearing.h"

namespace kalvor::hfc {
namespace {

constexpr double kPi = 3.14159265358979;

double bearing_of(double dx, double dy) {
  return bearing_to(100, 200, 100 + dx, 200 + dy, kPi).value();
}

TEST(HfcBearing, StaysBelow360JustWestOfNorth) {
  const double b = bearing_of(-1e-9, 10);
  EXPECT_LT(b, 360.0);
  EXPECT_GT(b, 359.9);
}

TEST(HfcBearing, HasNoDirectionToTheReceiverItself) {
  EXPECT_FALSE(bearing_to(100, 200, 100, 200, kPi).has_value());
}

}  // namespace
}  // namespace kalvor::hfc
