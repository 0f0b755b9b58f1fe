// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the tarot sheet and the card strip the build drew into the runtime folder.
#include "Jpeg.h"
#include "TaroTables.h"

#include <QList>
#include <QRect>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QString RunFile(const char* name) {
  return QString::fromUtf8(ASTRAVIA_RUN_DIR) + "/" + name;
}

QImage Card(const QImage& strip, int cell) {
  return strip.copy((cell - 1) * taro::CardWidth, 0, taro::CardWidth, taro::CardHeight);
}

// Mean absolute difference per channel of two pictures of one size, 0 .. 255.
double Difference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * a.width() * a.height());
}

// Largest difference of one channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return largest;
}

int Darkest(QRgb c) {
  return std::min({qRed(c), qGreen(c), qBlue(c)});
}

} // namespace

TEST(TaroArtwork, BackIsTheSameBothWaysAndNoFaceLooksLikeItOrItsMirror) {
  const QImage strip = LoadJpeg(RunFile("cards.jpg"));
  ASSERT_EQ(strip.size(), QSize(taro::StripWidth, taro::CardHeight));
  const QImage back = Card(strip, taro::BackCell);
  // Drawn exactly symmetric; JPEG's 8 x 8 blocks do not fall symmetrically on the card, which
  // leaves small differences but no pixel of a feature that is not mirrored.
  EXPECT_LT(LargestDifference(back, back.mirrored(false, true)), 48);
  EXPECT_LT(LargestDifference(back, back.mirrored(true, false)), 48);
  QList<QImage> faces;
  for (int arcanum = 1; arcanum <= 22; ++arcanum) {
    const QImage face = Card(strip, arcanum);
    EXPECT_GT(Difference(face, back), 40) << arcanum;
    // A reversed card must read as upside down.
    EXPECT_GT(Difference(face, face.mirrored(false, true)), 25) << arcanum;
    for (int other = 0; other < faces.size(); ++other) {
      EXPECT_GT(Difference(face, faces[other]), 8) << arcanum << " and " << other + 1;
    }
    faces << face;
  }
}

TEST(TaroArtwork, SheetFramesEveryPlaceApart) {
  const QImage sheet = LoadJpeg(RunFile("taro.jpg"));
  ASSERT_EQ(sheet.size(), QSize(taro::SheetWidth, taro::SheetHeight));
  const QRect bounds(0, 0, taro::SheetWidth, taro::SheetHeight);
  for (int n = 1; n <= 22; ++n) {
    const QRect place(taro::CardPositions[n].X, taro::CardPositions[n].Y, taro::CardWidth,
                      taro::CardHeight);
    EXPECT_TRUE(bounds.contains(place)) << n;
    for (int other = 1; other < n; ++other) {
      const QRect second(taro::CardPositions[other].X, taro::CardPositions[other].Y,
                         taro::CardWidth, taro::CardHeight);
      EXPECT_FALSE(place.intersects(second)) << n << " and " << other;
    }
    // The frame's rule runs just outside the place, in the middle of each side.
    const QPoint middle = place.center();
    auto ruleNear = [&](int x, int y, int dx, int dy) {
      int darkest = 255;
      for (int step = 1; step <= 4; ++step) {
        darkest = std::min(darkest, Darkest(sheet.pixel(x + step * dx, y + step * dy)));
      }
      return darkest < 200;
    };
    EXPECT_TRUE(ruleNear(place.left(), middle.y() + 20, -1, 0)) << n;
    EXPECT_TRUE(ruleNear(place.right(), middle.y() + 20, 1, 0)) << n;
    EXPECT_TRUE(ruleNear(middle.x() + 20, place.top(), 0, -1)) << n;
    EXPECT_TRUE(ruleNear(middle.x() + 20, place.bottom(), 0, 1)) << n;
  }
}
