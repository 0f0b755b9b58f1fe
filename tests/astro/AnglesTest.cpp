// SPDX-License-Identifier: GPL-3.0-or-later
#include "Angles.h"

#include <gtest/gtest.h>

using namespace astro;

TEST(NormalizeDegrees, BringsEveryValueIntoTheCircle) {
  EXPECT_EQ(NormalizeDegrees(360.0), 0.0);
  EXPECT_DOUBLE_EQ(NormalizeDegrees(725.5), 5.5);
  EXPECT_DOUBLE_EQ(NormalizeDegrees(-0.075), 359.925);
  EXPECT_EQ(NormalizeDegrees(359.99), 359.99);
  EXPECT_EQ(NormalizeDegrees(0.0), 0.0);
  // A negative value so small that adding 360 rounds to 360 must not give 360.
  const double r = NormalizeDegrees(-1e-15);
  EXPECT_GE(r, 0.0);
  EXPECT_LT(r, 360.0);
}

TEST(LongitudeDelta, IsTheShorterArcWrappedIntoHalfOpenHalfCircle) {
  EXPECT_NEAR(LongitudeDelta(0.3, 359.8), 0.5, 1e-12);
  EXPECT_NEAR(LongitudeDelta(359.8, 0.3), -0.5, 1e-12);
  EXPECT_EQ(LongitudeDelta(20, 5), 15.0);
  EXPECT_EQ(LongitudeDelta(5, 20), -15.0);
  EXPECT_NEAR(LongitudeDelta(4.9, 20), -15.1, 1e-12);
  EXPECT_NEAR(LongitudeDelta(20, 4.9), 15.1, 1e-12);
  // The Moon near perigee: more than 15 degrees a day, forward across 0 and within the circle.
  EXPECT_NEAR(LongitudeDelta(1.2, 345.0), 16.2, 1e-12);
  EXPECT_NEAR(LongitudeDelta(301.7, 285.4), 16.3, 1e-12);
  EXPECT_EQ(LongitudeDelta(180, 0), 180.0);
  EXPECT_EQ(LongitudeDelta(0, 180), 180.0);
}

TEST(InArc, HandlesArcsAcrossZeroAndBothEnds) {
  EXPECT_TRUE(InArc(356, 359, 366)); // crosses 360 upwards
  EXPECT_TRUE(InArc(356, 5, 366));
  EXPECT_FALSE(InArc(356, 7, 366));
  EXPECT_TRUE(InArc(-4, 359, 6)); // crosses 0 from below
  EXPECT_TRUE(InArc(-4, 6, 6));
  EXPECT_FALSE(InArc(-4, 355, 6));
  EXPECT_TRUE(InArc(350, 355, 360));
  EXPECT_FALSE(InArc(10, 9.99, 20));
  EXPECT_TRUE(InArc(10, 10, 20));
  EXPECT_TRUE(InArc(10, 20, 20));
  EXPECT_FALSE(InArc(10, 20.01, 20));
  EXPECT_TRUE(InArc(370, 15, 380)); // both bounds a turn up
  EXPECT_FALSE(InArc(370, 25, 380));
  EXPECT_TRUE(InArc(-190, 175, -170)); // both bounds negative
  EXPECT_FALSE(InArc(-190, 195, -170));
}

TEST(PointInRect, IncludesAllFourEdges) {
  const TRect r{10, 20, 30, 40};
  EXPECT_TRUE(PointInRect(10, 20, r));
  EXPECT_TRUE(PointInRect(30, 40, r));
  EXPECT_TRUE(PointInRect(30, 25, r));
  EXPECT_FALSE(PointInRect(31, 25, r));
  EXPECT_FALSE(PointInRect(15, 41, r));
  EXPECT_FALSE(PointInRect(9, 20, r));
}
