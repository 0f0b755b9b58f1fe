// SPDX-License-Identifier: GPL-3.0-or-later
// Marks spread apart along a chart ring.
#include "RingSpread.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

TEST(RingSpread, ACrowdOpensAroundItsCentreAndAcrossZeroAries) {
  // Three marks of 8 degrees within 2 degrees: one each side of the middle, which stays.
  auto shown = SpreadAlongRing({{101, 4}, {100, 4}, {102, 4}});
  EXPECT_NEAR(shown[0], 101, 1e-5);
  EXPECT_NEAR(shown[1], 93, 1e-5);
  EXPECT_NEAR(shown[2], 109, 1e-5);
  // Across 0 deg Aries the neighbours are still neighbours.
  shown = SpreadAlongRing({{359, 4}, {1, 2}, {180, 4}});
  EXPECT_NEAR(shown[0], 357, 1e-5);
  EXPECT_NEAR(shown[1], 3, 1e-5);
  EXPECT_EQ(shown[2], 180); // alone: untouched
}

TEST(RingSpread, AnOverfullRingStillEndsWithFiniteLongitudes) {
  std::vector<TRingMark> marks;
  for (int i = 0; i < 40; ++i)
    marks.push_back({std::fmod(i * 7.0, 360), 6}); // 480 degrees asked of 360
  const auto shown = SpreadAlongRing(marks);
  ASSERT_EQ(shown.size(), marks.size());
  for (double s : shown)
    EXPECT_TRUE(std::isfinite(s));
}
