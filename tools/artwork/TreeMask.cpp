// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeMask.h"

#include "TreeTables.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

const QColor Ground(244, 239, 226);
const QColor GroundLow(234, 226, 208);
const QColor ChannelEdge(184, 164, 120);
const QColor LaneEdge(226, 217, 197);
const QColor Ink(70, 56, 40);

constexpr double ChannelWidth = 16; // white width of a path
constexpr double LaneWidth = 5;     // white width of a hidden route

QPointF SephiraCentre(int sephira) {
  const tree::TBodyBox& box = tree::BodyBoxes[tree::BodyOfSephira[sephira]];
  return {box.X + tree::BoxWidth / 2.0, box.Y + tree::BoxHeight / 2.0};
}

QColor BoxColour(int body) {
  const tree::TBodyBox& box = tree::BodyBoxes[body];
  return {box.R, box.G, box.B};
}

QColor Mix(const QColor& a, const QColor& b, double share) {
  return QColor::fromRgbF(a.redF() * share + b.redF() * (1 - share),
                          a.greenF() * share + b.greenF() * (1 - share),
                          a.blueF() * share + b.blueF() * (1 - share));
}

double DistanceToSegment(QPointF p, const tree::TSegment& s) {
  const QPointF a(s.X1, s.Y1), b(s.X2, s.Y2);
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const QPointF d = p - (a + ab * t);
  return std::hypot(d.x(), d.y());
}

template <typename F> void ForEachSegment(F f) {
  for (const tree::TAspectRoute& route : tree::AspectRoutes) {
    for (int i = 0; i < route.SegmentCount; ++i) {
      f(route, route.Segments[i]);
    }
  }
}

void DrawGround(QPainter& p) {
  QLinearGradient ground(0, 0, 0, tree::PictureHeight);
  ground.setColorAt(0, Ground);
  ground.setColorAt(1, GroundLow);
  p.fillRect(0, 0, tree::PictureWidth, tree::PictureHeight, ground);
  // A faint glow behind the middle pillar keeps the eye on the tree.
  QRadialGradient glow(QPointF(277, 400), 330);
  glow.setColorAt(0, QColor(255, 252, 240, 150));
  glow.setColorAt(1, QColor(255, 252, 240, 0));
  p.fillRect(0, 0, tree::PictureWidth, tree::PictureHeight, glow);
}

// Paths between sephira centres and every route segment, in two passes (all edges, then all
// white) so that crossing channels stay white where they meet.
void DrawChannels(QPainter& p) {
  auto pen = [](const QColor& c, double w) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  };
  for (int pass = 0; pass < 2; ++pass) {
    ForEachSegment([&](const tree::TAspectRoute& route, const tree::TSegment& s) {
      if (route.PenStyle != tree::PenDashed) {
        return;
      }
      p.setPen(pass == 0 ? pen(LaneEdge, LaneWidth + 3) : pen(Qt::white, LaneWidth));
      p.drawLine(QPointF(s.X1, s.Y1), QPointF(s.X2, s.Y2));
    });
    for (int path = 1; path <= 22; ++path) {
      p.setPen(pass == 0 ? pen(ChannelEdge, ChannelWidth + 3) : pen(Qt::white, ChannelWidth));
      p.drawLine(SephiraCentre(tree::TreePaths[path].Owner),
                 SephiraCentre(tree::TreePaths[path].Lower));
    }
  }
  // Solid routes do not all run on a path's centre line; widen the white under each of them.
  p.setPen(pen(Qt::white, 7));
  ForEachSegment([&](const tree::TAspectRoute& route, const tree::TSegment& s) {
    if (route.PenStyle == tree::PenSolid) {
      p.drawLine(QPointF(s.X1, s.Y1), QPointF(s.X2, s.Y2));
    }
  });
}

void DrawSephira(QPainter& p, const TArtworkFonts& fonts, int sephira, double radius) {
  const int body = tree::BodyOfSephira[sephira];
  const QPointF c = SephiraCentre(sephira);
  const QColor colour = BoxColour(body);
  QRadialGradient fill(c - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
  fill.setColorAt(0, Mix(colour, Qt::white, 0.12));
  fill.setColorAt(1, Mix(colour, Qt::white, 0.42));
  p.setPen(QPen(Mix(colour, Ink, 0.45), 2.0));
  p.setBrush(fill);
  p.drawEllipse(c, radius - 1, radius - 1);
  p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, radius - 4, radius - 4);

  // The letter box: its fill colour in a thin dark frame just outside its 66 x 22 pixels.
  const tree::TBodyBox& box = tree::BodyBoxes[body];
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Mix(colour, Ink, 0.3), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(box.X - 1, box.Y - 1, tree::BoxWidth + 1, tree::BoxHeight + 1);
  p.fillRect(box.X, box.Y, tree::BoxWidth, tree::BoxHeight, colour);
  p.setRenderHint(QPainter::Antialiasing, true);

  QFont name(fonts.SerifBold);
  name.setPixelSize(11);
  p.setFont(name);
  p.setPen(Ink);
  p.drawText(QRectF(c.x() - radius, box.Y - 17, 2 * radius, 15), Qt::AlignCenter,
             QString::fromUtf8(tree::SephiraNames[sephira].data(),
                               static_cast<qsizetype>(tree::SephiraNames[sephira].size())));
  QFont number(fonts.Serif);
  number.setPixelSize(10);
  p.setFont(number);
  p.drawText(QRectF(c.x() - 20, box.Y + tree::BoxHeight + 2, 40, 13), Qt::AlignCenter,
             QString::number(sephira));
}

void DrawWhiteField(QPainter& p, const tree::TArea& area) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(ChannelEdge, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(area.Left - 1, area.Top - 1, area.Right - area.Left + 1, area.Bottom - area.Top + 1);
  p.fillRect(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top, Qt::white);
  p.setRenderHint(QPainter::Antialiasing, true);
}

void DrawTitle(QPainter& p, const TArtworkFonts& fonts) {
  QFont title(fonts.SerifBold);
  title.setPixelSize(20);
  p.setFont(title);
  p.setPen(Ink);
  const QRectF place(390, 8, 156, 26);
  p.drawText(place, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Древо Жизни"));
  p.setPen(QPen(ChannelEdge, 1));
  p.drawLine(QPointF(420, 37), QPointF(546, 37));
}

} // namespace

double SephiraDiscRadius() {
  double nearest = 1e9;
  for (int sephira = 1; sephira <= 10; ++sephira) {
    const QPointF c = SephiraCentre(sephira);
    ForEachSegment([&](const tree::TAspectRoute&, const tree::TSegment& s) {
      nearest = std::min(nearest, DistanceToSegment(c, s));
    });
  }
  return std::min(48.0, nearest - 4.0);
}

QImage DrawTreeMask(const TArtworkFonts& fonts) {
  QImage picture(tree::PictureWidth, tree::PictureHeight, QImage::Format_RGB32);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawGround(p);
  DrawChannels(p);
  const double radius = SephiraDiscRadius();
  for (int sephira = 1; sephira <= 10; ++sephira) {
    DrawSephira(p, fonts, sephira, radius);
  }
  DrawWhiteField(p, tree::DateArea);
  DrawWhiteField(p, tree::LegendLeft);
  DrawWhiteField(p, tree::LegendRight);
  DrawTitle(p, fonts);
  p.end();
  return picture;
}
