// Plan geometry of barriers parallel to a road: sideways shifts of segments
// and intersections of the shifted lines.
#include <cmath>

#include "quillan/text.h"
#include "quillan/varnik.h"

namespace quillan {

namespace {

struct Point {
  double x, y;
};

// Coordinates may come as numbers or as texts; both read as numbers.
double coordinate(const Value& v) {
  return v.is_text() ? leading_number(v.text()) : v.to_number();
}

Point to_point(const Value& p) {
  const Value::List& xy = p.list();
  if (xy.size() < 2)
    throw Error(ErrorCode::SubscriptOutOfRange, "Subscript out of range: a point needs X and Y");
  return {coordinate(xy[0]), coordinate(xy[1])};
}

// One decimal, as the report shows it.
double rounded(double v) {
  return leading_number(format_fixed(v, 1));
}

Value rounded_point(double x, double y) {
  return make_point(rounded(x), rounded(y));
}

}  // namespace

void Varnik::Calculate_VBAR_for_2_Pts(const Value& P1, const Value& P2, const Value& D1,
                                      const Value& D2, Value& R1, Value& R2) {
  Point a = to_point(P1);
  Point b = to_point(P2);
  double d1 = D1.to_number();
  double d2 = D2.to_number();
  R1 = make_point(0, 0);
  R2 = make_point(0, 0);
  double dx = b.x - a.x;
  double dy = b.y - a.y;
  if (dx == 0) {
    // Vertical (or zero length): right of an upward segment is +X.
    double sign = a.y > b.y ? -1.0 : 1.0;
    R1 = make_point(a.x + sign * d1, a.y);
    R2 = make_point(b.x + sign * d2, b.y);
  } else if (dy != 0) {
    double m = dy / dx;
    Value r1 = Calculate_VBAR_offset_Pt(a.x, a.y, a.x, a.y, b.x, b.y, m, d1);
    Value r2 = Calculate_VBAR_offset_Pt(b.x, b.y, a.x, a.y, b.x, b.y, m, d2);
    R1 = rounded_point(r1.list()[0].number(), r1.list()[1].number());
    R2 = rounded_point(r2.list()[0].number(), r2.list()[1].number());
  } else {
    // Horizontal: right of a segment pointing in +X is -Y.
    double sign = a.x < b.x ? -1.0 : 1.0;
    R1 = make_point(a.x, a.y + sign * d1);
    R2 = make_point(b.x, b.y + sign * d2);
  }
}

Value Varnik::Calculate_VBAR_offset_Pt(double x0, double y0, double x1, double y1, double x2,
                                       double y2, double m, double D) {
  // The perpendicular through (x0, y0) is x = c - m*y; its two points at
  // distance |D| solve y^2 + b*y + k = 0.
  double c = x0 + m * y0;
  double b = -2 * y0;
  double k = y0 * y0 - D * D / (1 + m * m);
  double discriminant = b * b - 4 * k;
  double s = discriminant > 0 ? std::sqrt(discriminant) : 0.0;
  Point A{0, (-b + s) / 2};
  A.x = c - m * A.y;
  Point B{0, (-b - s) / 2};
  B.x = c - m * B.y;
  double f = (A.y - m * A.x) - (y0 - m * x0);
  bool test;
  bool g;
  if (m < 0) {
    test = x1 < x2 && y1 > y2;
    g = f > 0 && D < 0;
  } else {
    test = x1 > x2 && y1 > y2;
    g = f > 0 && D > 0;
  }
  bool take_a = test ? g : !g;
  const Point& chosen = take_a ? A : B;
  return make_point(chosen.x, chosen.y);
}

void Varnik::Calculate_VBAR_get_Intersection_Pt(const Value& P1, const Value& P2, const Value& P3,
                                                const Value& P4, Value& IPt) {
  Point p1 = to_point(P1), p2 = to_point(P2), p3 = to_point(P3), p4 = to_point(P4);
  IPt = make_point(0, 0);
  double dx1 = p2.x - p1.x, dy1 = p2.y - p1.y;
  double dx2 = p4.x - p3.x, dy2 = p4.y - p3.y;
  double x = 0, y = 0;
  if (dx1 * dy2 != dy1 * dx2) {
    double a1 = dy1, b1 = -dx1, c1 = a1 * p2.x + b1 * p2.y;
    double a2 = dy2, b2 = -dx2, c2 = a2 * p4.x + b2 * p4.y;
    double det = a1 * b2 - a2 * b1;
    x = (c1 * b2 - c2 * b1) / det;
    y = (a1 * c2 - a2 * c1) / det;
  }
  IPt = rounded_point(x, y);
}

}  // namespace quillan
