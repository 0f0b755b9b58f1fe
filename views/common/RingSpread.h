// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps marks on a chart ring from covering each other: marks closer than their widths allow are
// moved apart along the ring, each crowd centred on its members' true longitudes.
#pragma once

#include <vector>

// One mark on the ring: its true longitude and half its angular width, in degrees.
struct TRingMark {
  double Longitude = 0;
  double HalfWidth = 0;
};

// The longitude (degrees, not reduced to 0..360) each mark is drawn at, in the order of Marks, so
// that neighbours stand at least the sum of their half widths apart. A ring too full for that
// gets the nearest the iteration reaches.
std::vector<double> SpreadAlongRing(const std::vector<TRingMark>& Marks);
