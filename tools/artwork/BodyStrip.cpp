// SPDX-License-Identifier: GPL-3.0-or-later
#include "BodyStrip.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace {

constexpr int Cell = 22;
constexpr int Bodies = 10;
constexpr int Scale = 8;              // bodies are drawn eight times larger, then reduced
constexpr double Centre = Cell / 2.0; // in cell pixels; the painter works in cell pixels
constexpr int NearWhite = 245;
constexpr double FaintCoverage = 0.25; // less of the body than this in a pixel: left white
constexpr double FullCoverage = 0.6;   // this much or more: the body's colour alone

using TDraw = std::function<void(QPainter&)>;

// Reduces a large transparent drawing to a cell on white. Edges are laid on white with their
// coverage raised, so a half-covered pixel keeps most of the body's colour; what would still
// come out faint or almost white becomes pure white, which the wheel treats as transparent.
QImage RenderCell(const TDraw& draw) {
  QImage big(Cell * Scale, Cell * Scale, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  QPainter p(&big);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(Scale, Scale);
  draw(p);
  p.end();
  const QImage small = big.scaled(Cell, Cell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_ARGB32);
  QImage cell(Cell, Cell, QImage::Format_RGB32);
  for (int y = 0; y < Cell; ++y) {
    for (int x = 0; x < Cell; ++x) {
      const QRgb c = small.pixel(x, y);
      const double coverage = qAlpha(c) / 255.0;
      const double share = coverage < FaintCoverage ? 0 : std::min(1.0, coverage / FullCoverage);
      auto onWhite = [share](int v) { return qRound(v * share + 255 * (1 - share)); };
      QRgb out = qRgb(onWhite(qRed(c)), onWhite(qGreen(c)), onWhite(qBlue(c)));
      if (qRed(out) >= NearWhite && qGreen(out) >= NearWhite && qBlue(out) >= NearWhite) {
        out = qRgb(255, 255, 255);
      }
      cell.setPixel(x, y, out);
    }
  }
  return cell;
}

QPainterPath Disc(double radius) {
  QPainterPath path;
  path.addEllipse(QPointF(Centre, Centre), radius, radius);
  return path;
}

// A lit sphere: light from the upper left, its own darker rim.
void Sphere(QPainter& p, double radius, const QColor& light, const QColor& dark) {
  QRadialGradient shade(QPointF(Centre - radius * 0.4, Centre - radius * 0.45), radius * 1.55);
  shade.setColorAt(0, light);
  shade.setColorAt(1, dark);
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawPath(Disc(radius));
}

void Rim(QPainter& p, double radius, const QColor& rim) {
  p.setPen(QPen(rim, 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Disc(radius - 0.35));
}

// Darkens the side away from the light, over whatever the body's surface shows.
void Terminator(QPainter& p, double radius, int strength) {
  QRadialGradient shadow(QPointF(Centre - radius * 0.5, Centre - radius * 0.55), radius * 1.7);
  shadow.setColorAt(0.45, QColor(0, 0, 0, 0));
  shadow.setColorAt(1, QColor(0, 0, 30, strength));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawPath(Disc(radius));
}

void Spot(QPainter& p, double dx, double dy, double rx, double ry, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(Centre + dx, Centre + dy), rx, ry);
}

void Sun(QPainter& p) {
  const QPointF c(Centre, Centre);
  // Sixteen rays, long and short in turn, behind the disc.
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 16; ++k) {
    const double a = k * M_PI / 8;
    const double outer = k % 2 == 0 ? 10.7 : 9.2;
    const double half = k % 2 == 0 ? 0.16 : 0.13;
    QPolygonF ray;
    ray << c + QPointF(6.0 * std::cos(a - half), 6.0 * std::sin(a - half))
        << c + QPointF(outer * std::cos(a), outer * std::sin(a))
        << c + QPointF(6.0 * std::cos(a + half), 6.0 * std::sin(a + half));
    p.setBrush(k % 2 == 0 ? QColor(236, 150, 10) : QColor(246, 190, 40));
    p.drawPolygon(ray);
  }
  QRadialGradient glow(c, 8.5);
  glow.setColorAt(0.6, QColor(255, 200, 40, 200));
  glow.setColorAt(1, QColor(255, 200, 40, 0));
  p.setBrush(glow);
  p.drawEllipse(c, 8.5, 8.5);
  Sphere(p, 6.6, QColor(255, 238, 120), QColor(235, 140, 0));
  Rim(p, 6.6, QColor(200, 100, 0));
}

void Moon(QPainter& p) {
  constexpr double r = 9.2;
  // The lit face, then the night side as a crescent-shaped shade on the right.
  Sphere(p, r, QColor(238, 238, 236), QColor(168, 172, 186));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 156, 172, 150));
  for (const auto& [dx, dy, rr] : std::array<std::array<double, 3>, 5>{{{-3.0, -2.5, 2.0},
                                                                        {1.8, -4.2, 1.3},
                                                                        {-1.0, 2.6, 2.4},
                                                                        {3.6, 1.0, 1.4},
                                                                        {-4.8, 2.2, 1.0}}}) {
    p.drawEllipse(QPointF(Centre + dx, Centre + dy), rr, rr * 0.85);
  }
  QPainterPath night = Disc(r).subtracted([&] {
    QPainterPath lit;
    lit.addEllipse(QPointF(Centre - 5.6, Centre - 0.6), r * 0.96, r * 1.04);
    return lit;
  }());
  p.setBrush(QColor(92, 98, 122, 215));
  p.drawPath(night);
  Rim(p, r, QColor(105, 110, 130));
}

struct TGlobe {
  double Radius;
  QColor Light, Dark, Rim;
  int Shade; // how dark the side away from the light gets, 0..255
};

// A lit globe: its surface drawn inside the disc, then shaded away from the light and rimmed.
void Globe(QPainter& p, const TGlobe& globe, const TDraw& surface) {
  Sphere(p, globe.Radius, globe.Light, globe.Dark);
  p.save();
  p.setClipPath(Disc(globe.Radius));
  surface(p);
  p.restore();
  Terminator(p, globe.Radius, globe.Shade);
  Rim(p, globe.Radius, globe.Rim);
}

void Mercury(QPainter& p) {
  Globe(p, {7.0, QColor(200, 198, 194), QColor(105, 104, 108), QColor(80, 80, 86), 110},
        [](QPainter& p) {
          const std::array<std::array<double, 3>, 5> craters{{{-2.4, -1.8, 1.2},
                                                              {2.0, -2.8, 0.8},
                                                              {0.6, 1.6, 1.4},
                                                              {-2.6, 2.6, 0.8},
                                                              {3.4, 1.2, 0.7}}};
          for (const auto& [dx, dy, r] : craters) {
            Spot(p, dx, dy, r, r, QColor(90, 88, 92, 120));
          }
        });
}

void Venus(QPainter& p) {
  constexpr double r = 8.6;
  Globe(p, {r, QColor(252, 240, 200), QColor(214, 176, 104), QColor(176, 136, 66), 90},
        [](QPainter& p) { // soft cloud bands
          p.setPen(QPen(QColor(226, 196, 130, 140), 1.6, Qt::SolidLine, Qt::RoundCap));
          p.setBrush(Qt::NoBrush);
          for (double dy : {-3.6, 0.4, 4.0}) {
            QPainterPath band(QPointF(Centre - r, Centre + dy));
            band.cubicTo(QPointF(Centre - 3, Centre + dy - 1.6),
                         QPointF(Centre + 3, Centre + dy + 1.6), QPointF(Centre + r, Centre + dy));
            p.drawPath(band);
          }
        });
}

void Mars(QPainter& p) {
  constexpr double r = 7.6;
  Globe(p, {r, QColor(240, 120, 72), QColor(150, 40, 22), QColor(120, 30, 16), 100},
        [](QPainter& p) {
          Spot(p, -1.5, 0.8, 3.2, 1.6, QColor(120, 36, 20, 150)); // dark lowlands
          Spot(p, 2.6, 2.6, 1.8, 1.2, QColor(120, 36, 20, 130));
          Spot(p, 0.0, -r + 0.6, 2.8, 1.5, QColor(244, 222, 214)); // polar cap
        });
}

void Jupiter(QPainter& p) {
  Globe(p, {9.8, QColor(240, 222, 190), QColor(206, 172, 130), QColor(140, 96, 60), 110},
        [](QPainter& p) {
          const std::array<std::array<double, 2>, 5> bands{
              {{-6.3, 1.3}, {-3.2, 1.9}, {0.8, 2.2}, {4.4, 1.5}, {7.2, 1.0}}};
          const std::array<QColor, 5> colours{QColor(196, 150, 110), QColor(170, 112, 72),
                                              QColor(180, 122, 80), QColor(190, 144, 104),
                                              QColor(196, 160, 124)};
          p.setPen(Qt::NoPen);
          for (std::size_t i = 0; i < bands.size(); ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(0, Centre + bands[i][0] - bands[i][1] / 2, Cell, bands[i][1]));
          }
          Spot(p, 3.0, 2.6, 1.9, 1.1, QColor(196, 80, 52)); // the great red spot
        });
}

// Saturn's ring, tilted; the far half goes behind the globe, the near half in front of it.
void SaturnRing(QPainter& p, bool nearHalf) {
  p.save();
  p.translate(Centre, Centre);
  p.rotate(-18);
  p.setClipRect(nearHalf ? QRectF(-12, 0, 24, 12) : QRectF(-12, -12, 24, 12));
  QPainterPath ring;
  ring.addEllipse(QPointF(0, 0), 10.1, 3.8);
  QPainterPath hole;
  hole.addEllipse(QPointF(0, 0), 7.3, 2.2);
  p.setPen(QPen(QColor(130, 96, 48), 0.6));
  p.setBrush(QColor(218, 186, 120));
  p.drawPath(ring.subtracted(hole));
  p.setPen(QPen(QColor(150, 112, 60), 0.5)); // the dark division in the ring
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(0, 0), 8.8, 3.1);
  p.restore();
}

void Saturn(QPainter& p) {
  SaturnRing(p, false);
  Globe(p, {6.2, QColor(246, 222, 156), QColor(188, 146, 70), QColor(140, 100, 40), 90},
        [](QPainter& p) {
          p.setPen(QPen(QColor(196, 150, 80, 160), 1.1));
          for (double dy : {-2.2, 1.4}) {
            p.drawLine(QPointF(0, Centre + dy), QPointF(Cell, Centre + dy - 2));
          }
        });
  SaturnRing(p, true);
}

void Uranus(QPainter& p) {
  Globe(p, {8.0, QColor(190, 236, 232), QColor(56, 150, 160), QColor(40, 110, 120), 100},
        [](QPainter& p) { // its faint ring stands almost upright
          p.setPen(QPen(QColor(40, 110, 120, 170), 0.6));
          p.setBrush(Qt::NoBrush);
          p.translate(Centre, Centre);
          p.rotate(80);
          p.drawEllipse(QPointF(0, 0), 7.8, 2.0);
        });
}

void Neptune(QPainter& p) {
  Globe(p, {8.0, QColor(110, 150, 240), QColor(18, 36, 130), QColor(14, 26, 90), 90},
        [](QPainter& p) {
          Spot(p, -2.0, 1.8, 1.9, 1.1, QColor(16, 28, 96)); // dark storm
          p.setPen(QPen(QColor(170, 196, 250, 170), 0.8, Qt::SolidLine, Qt::RoundCap));
          p.drawLine(QPointF(Centre - 0.5, Centre + 3.6), QPointF(Centre + 3.2, Centre + 3.4));
          p.drawLine(QPointF(Centre - 4.2, Centre - 3.0), QPointF(Centre - 0.8, Centre - 3.4));
        });
}

void Pluto(QPainter& p) {
  Globe(p, {6.2, QColor(176, 124, 96), QColor(86, 50, 36), QColor(66, 36, 24), 100},
        [](QPainter& p) {
          Spot(p, 1.2, 1.0, 2.4, 2.0, QColor(206, 170, 138, 200)); // the pale heart
          Spot(p, -2.8, -1.0, 1.6, 1.2, QColor(70, 36, 24, 150));
        });
}

} // namespace

QImage DrawBodyStrip() {
  const std::array<TDraw, Bodies> bodies{Sun,     Moon,   Mercury, Venus,   Mars,
                                         Jupiter, Saturn, Uranus,  Neptune, Pluto};
  QImage strip(Cell * Bodies, Cell, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter p(&strip);
  for (int b = 0; b < Bodies; ++b) {
    p.drawImage(b * Cell, 0, RenderCell(bodies[b]));
  }
  return strip;
}
