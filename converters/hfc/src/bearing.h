// View-angle bearings of the HFCNoise receiver table.
#pragma once

#include <optional>

namespace kalvor::hfc {

// The bearing from a receiver (xr, yr) to a point (xp, yp) in degrees,
// clockwise from the Y axis, from 0 up to 360: due north 0, due east 90.
// Nothing when the point coincides with the receiver (or the coordinates are
// not comparable), since no direction can be told then. `pi` is the value
// every angle computation of the converters uses.
std::optional<double> bearing_to(double xr, double yr, double xp, double yp, double pi);

}  // namespace kalvor::hfc
