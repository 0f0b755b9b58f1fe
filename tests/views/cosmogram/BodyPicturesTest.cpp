// SPDX-License-Identifier: GPL-3.0-or-later
// The body pictures compiled into the program: ten distinct discs in their bodies' colours,
// white around them, and no almost-white edge that would show as a pale ring on the wheel.
#include "BodyPictures.h"

#include <QGuiApplication>
#include <QList>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct TMean {
  double R = 0, G = 0, B = 0;
  int Pixels = 0; // pixels that are not pure white
};

TMean MeanOfBody(const QImage& picture) {
  TMean mean;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb c = picture.pixel(x, y);
      if (c != qRgb(255, 255, 255)) {
        mean.R += qRed(c);
        mean.G += qGreen(c);
        mean.B += qBlue(c);
        ++mean.Pixels;
      }
    }
  }
  if (mean.Pixels > 0) {
    mean.R /= mean.Pixels;
    mean.G /= mean.Pixels;
    mean.B /= mean.Pixels;
  }
  return mean;
}

} // namespace

TEST(BodyPictures, TenDiscsOnPureWhiteWithoutPaleEdges) {
  EXPECT_TRUE(BodyPicture(0).isNull());
  EXPECT_TRUE(BodyPicture(11).isNull());
  QList<QImage> seen;
  for (int body = 1; body <= 10; ++body) {
    const QImage picture = BodyPicture(body);
    ASSERT_EQ(picture.size(), QSize(22, 22)) << body;
    EXPECT_EQ(picture.format(), QImage::Format_RGB32) << body;
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 22; ++x) {
        const QRgb c = picture.pixel(x, y);
        const bool outsideDisc = std::hypot(x + 0.5 - 11, y + 0.5 - 11) > 11;
        if (outsideDisc) {
          EXPECT_EQ(c, qRgb(255, 255, 255)) << "body " << body << " at " << x << "," << y;
        }
        const bool nearWhite = qRed(c) >= 245 && qGreen(c) >= 245 && qBlue(c) >= 245;
        EXPECT_FALSE(nearWhite && c != qRgb(255, 255, 255))
            << "body " << body << " at " << x << "," << y;
      }
    }
    EXPECT_GT(MeanOfBody(picture).Pixels, 100) << body;
    EXPECT_FALSE(seen.contains(picture)) << body;
    seen << picture;
  }
}

TEST(BodyPictures, BodiesWearTheirTraditionalColours) {
  const TMean sun = MeanOfBody(BodyPicture(1));
  EXPECT_GT(sun.R, sun.B + 80);
  EXPECT_GT(sun.G, sun.B + 40);
  const TMean moon = MeanOfBody(BodyPicture(2)); // silvery: nearly grey
  EXPECT_LT(std::abs(moon.R - moon.B), 25);
  const TMean mars = MeanOfBody(BodyPicture(5));
  EXPECT_GT(mars.R, mars.G + 60);
  const TMean uranus = MeanOfBody(BodyPicture(8));
  EXPECT_GT(uranus.G, uranus.R + 30);
  const TMean neptune = MeanOfBody(BodyPicture(9));
  EXPECT_GT(neptune.B, neptune.R + 60);
  const TMean pluto = MeanOfBody(BodyPicture(10)); // dark reddish brown
  EXPECT_GT(pluto.R, pluto.B + 25);
  EXPECT_LT(pluto.R + pluto.G + pluto.B, 3 * 150);
}
