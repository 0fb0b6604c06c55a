#include <gtest/gtest.h>

#include "hfc/bearing.h"

namespace kalvor::hfc {
namespace {

constexpr double kPi = 3.14159265358979;

double bearing_of(double dx, double dy) {
  return bearing_to(100, 200, 100 + dx, 200 + dy, kPi).value();
}

TEST(HfcBearing, AxesBelongToTheQuadrantClockwiseFromThem) {
  EXPECT_EQ(0.0, bearing_of(0, 5));
  EXPECT_EQ(90.0, bearing_of(5, 0));
  EXPECT_EQ(180.0, bearing_of(0, -5));
  EXPECT_EQ(270.0, bearing_of(-5, 0));
}

TEST(HfcBearing, DiagonalsLieInTheMiddleOfTheirQuadrant) {
  EXPECT_NEAR(45.0, bearing_of(3, 3), 1e-9);
  EXPECT_NEAR(135.0, bearing_of(3, -3), 1e-9);
  EXPECT_NEAR(225.0, bearing_of(-3, -3), 1e-9);
  EXPECT_NEAR(315.0, bearing_of(-3, 3), 1e-9);
  EXPECT_NEAR(63.4349488, bearing_of(2, 1), 1e-6);
}

TEST(HfcBearing, StaysBelow360JustWestOfNorth) {
  const double b = bearing_of(-1e-9, 10);
  EXPECT_LT(b, 360.0);
  EXPECT_GT(b, 359.9);
}

TEST(HfcBearing, HasNoDirectionToThePointItself) {
  EXPECT_FALSE(bearing_to(100, 200, 100, 200, kPi).has_value());
}

}  // namespace
}  // namespace kalvor::hfc
