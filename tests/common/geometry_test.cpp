// Sideways shifts and intersections of barrier lines.
#include <gtest/gtest.h>

#include <cmath>

#include "quillan/varnik.h"

using namespace quillan;

namespace {

std::pair<double, double> xy(const Value& p) {
  return {p.list()[0].to_number(), p.list()[1].to_number()};
}

using Pt = std::pair<double, double>;

std::pair<Pt, Pt> shift(Pt a, Pt b, double d1, double d2) {
  Varnik lib;
  Value r1, r2;
  lib.Calculate_VBAR_for_2_Pts(make_point(a.first, a.second), make_point(b.first, b.second), d1, d2,
                               r1, r2);
  return {xy(r1), xy(r2)};
}

TEST(ShiftSegment, VerticalSegmentsMoveAlongX) {
  EXPECT_EQ(shift({0, 0}, {0, 10}, 2, 2), std::make_pair(Pt{2, 0}, Pt{2, 10}));
  EXPECT_EQ(shift({0, 10}, {0, 0}, 2, 2), std::make_pair(Pt{-2, 10}, Pt{-2, 0}));
  EXPECT_EQ(shift({3, 3}, {3, 3}, 1.5, 1.5), std::make_pair(Pt{4.5, 3}, Pt{4.5, 3}));
}

TEST(ShiftSegment, HorizontalSegmentsMoveAlongY) {
  EXPECT_EQ(shift({0, 0}, {10, 0}, 2, 2), std::make_pair(Pt{0, -2}, Pt{10, -2}));
  EXPECT_EQ(shift({10, 0}, {0, 0}, 2, 2), std::make_pair(Pt{10, 2}, Pt{0, 2}));
}

TEST(ShiftSegment, SlopedSegmentsGoRightForPositiveAndLeftForNegativeDistances) {
  double r2 = std::sqrt(2.0);
  EXPECT_EQ(shift({0, 0}, {10, 10}, r2, r2), std::make_pair(Pt{1, -1}, Pt{11, 9}));
  EXPECT_EQ(shift({0, 0}, {10, 10}, -r2, -r2), std::make_pair(Pt{-1, 1}, Pt{9, 11}));
  // Falling slope, both directions.
  EXPECT_EQ(shift({0, 10}, {10, 0}, r2, r2), std::make_pair(Pt{-1, 9}, Pt{9, -1}));
  EXPECT_EQ(shift({10, 0}, {0, 10}, r2, r2), std::make_pair(Pt{11, 1}, Pt{1, 11}));
  // Coming back down a rising line.
  EXPECT_EQ(shift({10, 10}, {0, 0}, r2, r2), std::make_pair(Pt{9, 11}, Pt{-1, 1}));
}

TEST(ShiftSegment, DifferentDistancesAtTheEndsTiltTheShiftedLine) {
  auto [a, b] = shift({0, 0}, {0, 10}, 1, 3);
  EXPECT_EQ(a, (Pt{1, 0}));
  EXPECT_EQ(b, (Pt{3, 10}));
}

TEST(ShiftSegment, ReadsTextCoordinates) {
  Varnik lib;
  Value r1, r2;
  lib.Calculate_VBAR_for_2_Pts(Value(Value::List{"0", "0"}), Value(Value::List{"10.0", "0"}), "2",
                               2, r1, r2);
  EXPECT_EQ(xy(r1), (Pt{0, -2}));
}

TEST(Intersection, OfCrossingLinesIsRoundedToOneDecimal) {
  Varnik lib;
  Value ip;
  lib.Calculate_VBAR_get_Intersection_Pt(make_point(0, 0), make_point(10, 0), make_point(5, -5),
                                         make_point(5, 5), ip);
  EXPECT_EQ(xy(ip), (Pt{5, 0}));
  lib.Calculate_VBAR_get_Intersection_Pt(make_point(0, 0), make_point(3, 1), make_point(0, 1),
                                         make_point(3, 0), ip);
  EXPECT_EQ(xy(ip), (Pt{1.5, 0.5}));
}

TEST(Intersection, OfParallelLinesIsTheOrigin) {
  Varnik lib;
  Value ip = make_point(9, 9);
  lib.Calculate_VBAR_get_Intersection_Pt(make_point(0, 1), make_point(10, 1), make_point(0, 2),
                                         make_point(10, 2), ip);
  EXPECT_EQ(xy(ip), (Pt{0, 0}));
}

}  // namespace
