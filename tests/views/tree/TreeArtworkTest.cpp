// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the shipped pictures of the tree view that the build drew into the runtime folder.
#include "Jpeg.h"
#include "TreeDrawing.h"
#include "TreeTables.h"

#include "TreeTestApp.h"

#include <cstdlib>

namespace {

QImage Mask() {
  return LoadJpeg(RunDir() + "/tree.jpg");
}

int Darkest(QRgb c) {
  return std::min({qRed(c), qGreen(c), qBlue(c)});
}

// The pixels a route's 2-pixel pen sets, found by drawing it on a black canvas.
QImage RouteFootprint(int planet1, int planet2) {
  QImage canvas(tree::PictureWidth, tree::PictureHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  DrawRoute(canvas, planet1, planet2, Qt::white);
  return canvas;
}

} // namespace

TEST(TreeArtwork, MaskIsWhiteUnderEveryRoutePixel) {
  TestApp();
  const QImage mask = Mask();
  ASSERT_EQ(mask.size(), QSize(tree::PictureWidth, tree::PictureHeight));
  for (int a = 1; a <= 9; ++a) {
    for (int b = a + 1; b <= 10; ++b) {
      const QImage footprint = RouteFootprint(a, b);
      int pixels = 0, dark = 0;
      for (int y = 0; y < footprint.height(); ++y) {
        for (int x = 0; x < footprint.width(); ++x) {
          if (footprint.pixel(x, y) == qRgb(255, 255, 255)) {
            ++pixels;
            if (Darkest(mask.pixel(x, y)) < 240) {
              ++dark;
              ADD_FAILURE() << "route " << a << "-" << b << " over non-white pixel " << x << ","
                            << y << " = " << std::hex << mask.pixel(x, y);
            }
          }
        }
      }
      EXPECT_GT(pixels, 20) << a << "-" << b;
      if (dark > 0) {
        return; // one route's report is enough
      }
    }
  }
}

TEST(TreeArtwork, LetterBoxesHaveTheirFillColours) {
  const QImage mask = Mask();
  for (int body = 1; body <= 10; ++body) {
    const tree::TBodyBox& box = tree::BodyBoxes[body];
    for (int y = box.Y; y < box.Y + tree::BoxHeight; ++y) {
      for (int x = box.X; x < box.X + tree::BoxWidth; ++x) {
        const QRgb c = mask.pixel(x, y);
        ASSERT_LE(std::abs(qRed(c) - box.R), 8) << body << " at " << x << "," << y;
        ASSERT_LE(std::abs(qGreen(c) - box.G), 8) << body << " at " << x << "," << y;
        ASSERT_LE(std::abs(qBlue(c) - box.B), 8) << body << " at " << x << "," << y;
      }
    }
  }
}

TEST(TreeArtwork, DateAndLegendAreasAreWhite) {
  const QImage mask = Mask();
  for (const tree::TArea& area : {tree::DateArea, tree::LegendLeft, tree::LegendRight}) {
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        ASSERT_GE(Darkest(mask.pixel(x, y)), 245) << x << "," << y;
      }
    }
  }
  // The rest is drawn, not left blank: the ground between the pillars is not white.
  EXPECT_LT(Darkest(mask.pixel(200, 790)), 245);
}

TEST(TreeArtwork, LetterStripHoldsTwentyTwoDistinctBlackOnWhiteLetters) {
  TestApp();
  QImage strip;
  ASSERT_TRUE(strip.load(RunDir() + "/letters.png"));
  ASSERT_EQ(strip.size(), QSize(484, 22));
  strip = strip.convertToFormat(QImage::Format_RGB32);
  QList<QImage> cells;
  for (int k = 0; k < 22; ++k) {
    const QImage cell = strip.copy(22 * k, 0, 22, 22);
    int black = 0;
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 22; ++x) {
        const QRgb c = cell.pixel(x, y);
        ASSERT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << "cell " << k + 1;
        black += c == qRgb(0, 0, 0);
        // A one-pixel white margin keeps neighbouring letters apart.
        if (x == 0 || x == 21) {
          EXPECT_EQ(c, qRgb(255, 255, 255)) << "cell " << k + 1;
        }
      }
    }
    EXPECT_GT(black, 8) << "cell " << k + 1;
    EXPECT_LT(black, 22 * 22 / 2) << "cell " << k + 1;
    for (const QImage& other : cells) {
      EXPECT_NE(cell, other) << "cell " << k + 1;
    }
    cells << cell;
  }
}
