// SPDX-License-Identifier: GPL-3.0-or-later
#include "RingSpread.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<double> SpreadAlongRing(const std::vector<TRingMark>& Marks) {
  const std::size_t n = Marks.size();
  std::vector<double> shown(n);
  for (std::size_t i = 0; i < n; ++i)
    shown[i] = Marks[i].Longitude;
  if (n < 2)
    return shown;
  // Walk the marks by true longitude; the last one's neighbour is the first, a turn on.
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return Marks[a].Longitude < Marks[b].Longitude;
  });
  // Each overlap pushes both neighbours apart by half of it, so a crowd keeps its centre.
  for (int round = 0; round < 500; ++round) {
    bool moved = false;
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t a = order[k], b = order[(k + 1) % n];
      const double need = Marks[a].HalfWidth + Marks[b].HalfWidth;
      const double gap = shown[b] - shown[a] + (k + 1 == n ? 360 : 0);
      if (gap < need - 1e-6) {
        const double push = (need - gap) / 2;
        shown[a] -= push;
        shown[b] += push;
        moved = true;
      }
    }
    if (!moved)
      break;
  }
  return shown;
}
