// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardEmblems.h"

#include "CardPalette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>

namespace deck {
namespace {

constexpr double W = EmblemWidth;
constexpr double H = EmblemHeight;
constexpr double Mid = W / 2;
constexpr double Horizon = 64; // where sky or wall meets ground or floor

enum class TBackdrop { Day, Night, Hall };

QPen Line(const QColor& colour, double width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Fill(QPainter& p, const QBrush& brush, const QColor& outline = Qt::transparent,
          double width = 0.8) {
  p.setBrush(brush);
  p.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : Line(outline, width));
}

QPolygonF Star(QPointF c, double outer, double inner, int points, double turnDeg = -90) {
  QPolygonF star;
  for (int k = 0; k < 2 * points; ++k) {
    const double a = (turnDeg + k * 180.0 / points) * M_PI / 180;
    const double r = k % 2 == 0 ? outer : inner;
    star << c + QPointF(r * std::cos(a), r * std::sin(a));
  }
  return star;
}

// Sky (or wall) from top to horizon, then ground (or floor) from horizon to bottom.
struct TBackdropColours {
  QColor SkyTop, SkyLow, GroundTop, GroundLow;
};
const std::array<TBackdropColours, 3> BackdropColours = {{
    {QColor(188, 210, 238), QColor(240, 238, 226), QColor(206, 190, 140), QColor(172, 148, 98)},
    {QColor(20, 24, 64), QColor(76, 70, 126), QColor(64, 58, 80), QColor(38, 34, 52)},
    {QColor(222, 208, 178), QColor(240, 232, 212), Ivory, Ivory},
}};

void Backdrop(QPainter& p, TBackdrop kind) {
  const TBackdropColours& colours = BackdropColours[static_cast<std::size_t>(kind)];
  QLinearGradient upper(0, 0, 0, Horizon);
  upper.setColorAt(0, colours.SkyTop);
  upper.setColorAt(1, colours.SkyLow);
  QLinearGradient lower(0, Horizon, 0, H);
  lower.setColorAt(0, colours.GroundTop);
  lower.setColorAt(1, colours.GroundLow);
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(0, 0, W, Horizon), upper);
  p.fillRect(QRectF(0, Horizon, W, H - Horizon), lower);
  if (kind == TBackdrop::Hall) {
    // A chequered floor, two rows of tiles.
    const double tile = W / 10;
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 10; ++col) {
        if ((row + col) % 2 == 0) {
          p.fillRect(QRectF(col * tile, Horizon + row * 6, tile, 6), IndigoDark);
        }
      }
    }
  }
  p.setPen(Line(kind == TBackdrop::Night ? QColor(30, 26, 44) : QColor(120, 100, 70, 160), 0.6));
  p.drawLine(QPointF(0, Horizon), QPointF(W, Horizon));
}

void Lemniscate(QPainter& p, QPointF c, double half, const QColor& colour, double width) {
  QPainterPath path(c);
  path.cubicTo(c + QPointF(half * 0.5, -half * 0.75), c + QPointF(half * 1.15, -half * 0.5),
               c + QPointF(half, 0));
  path.cubicTo(c + QPointF(half * 1.15, half * 0.5), c + QPointF(half * 0.5, half * 0.75), c);
  path.cubicTo(c + QPointF(-half * 0.5, -half * 0.75), c + QPointF(-half * 1.15, -half * 0.5),
               c + QPointF(-half, 0));
  path.cubicTo(c + QPointF(-half * 1.15, half * 0.5), c + QPointF(-half * 0.5, half * 0.75), c);
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(colour, width));
  p.drawPath(path);
}

// A five-pointed crown with a jewelled band; box is the crown's bounding box.
void Crown(QPainter& p, const QRectF& box) {
  const double x = box.left(), y = box.top(), w = box.width(), h = box.height();
  QPolygonF crown;
  crown << QPointF(x, y + h) << QPointF(x, y + h * 0.3) << QPointF(x + w * 0.22, y + h * 0.55)
        << QPointF(x + w * 0.34, y + h * 0.1) << QPointF(x + w * 0.5, y + h * 0.45)
        << QPointF(x + w * 0.66, y + h * 0.1) << QPointF(x + w * 0.78, y + h * 0.55)
        << QPointF(x + w, y + h * 0.3) << QPointF(x + w, y + h);
  QLinearGradient gold(x, y, x, y + h);
  gold.setColorAt(0, GoldLight);
  gold.setColorAt(1, Gold);
  Fill(p, gold, GoldDark, 0.7);
  p.drawPolygon(crown);
  Fill(p, GoldDark);
  p.drawRect(QRectF(x, y + h * 0.78, w, h * 0.22));
  const double pearl = std::max(0.9, w * 0.055);
  Fill(p, Cloud, StoneDark, 0.4);
  for (const QPointF& tip : {crown[1], crown[3], crown[5], crown[7]}) {
    p.drawEllipse(tip, pearl, pearl);
  }
  const std::array<QColor, 3> gems{Crimson, Azure, Leaf};
  for (int k = 0; k < 3; ++k) {
    Fill(p, gems[k]);
    p.drawEllipse(QPointF(x + w * (0.25 + 0.25 * k), y + h * 0.89), pearl * 0.9, pearl * 0.9);
  }
}

// An amphora standing on its foot at the origin, mouth upwards, about 20 high.
void Amphora(QPainter& p, const QColor& body, const QColor& edge) {
  QPainterPath vessel;
  vessel.moveTo(-2.5, -20);
  vessel.lineTo(2.5, -20);
  vessel.cubicTo(2, -16, 7.5, -13, 7.5, -8);
  vessel.cubicTo(7.5, -3, 3, -2, 3, 0);
  vessel.lineTo(-3, 0);
  vessel.cubicTo(-3, -2, -7.5, -3, -7.5, -8);
  vessel.cubicTo(-7.5, -13, -2, -16, -2.5, -20);
  QLinearGradient shine(-7.5, 0, 7.5, 0);
  shine.setColorAt(0, body.lighter(135));
  shine.setColorAt(1, body.darker(125));
  Fill(p, shine, edge, 0.8);
  p.drawPath(vessel);
  p.setBrush(Qt::NoBrush);
  p.setPen(Line(edge, 1));
  p.drawArc(QRectF(-9.5, -18, 5, 7), 90 * 16, 180 * 16);
  p.drawArc(QRectF(4.5, -18, 5, 7), -90 * 16, 180 * 16);
  p.drawLine(QPointF(-5.5, -8), QPointF(5.5, -8));
}

// A small standing figure: head at the origin, feet about 30 below.
void Figure(QPainter& p, const QColor& robe, bool armsRaised) {
  QPolygonF body;
  body << QPointF(-3, 4) << QPointF(3, 4) << QPointF(6, 30) << QPointF(-6, 30);
  Fill(p, robe, robe.darker(150), 0.6);
  p.drawPolygon(body);
  p.setPen(Line(Skin.darker(115), 1.6));
  if (armsRaised) {
    p.drawLine(QPointF(-2.5, 7), QPointF(-8, -3));
    p.drawLine(QPointF(2.5, 7), QPointF(8, -3));
  } else {
    p.drawLine(QPointF(-2.5, 7), QPointF(-6, 16));
    p.drawLine(QPointF(2.5, 7), QPointF(6, 16));
  }
  Fill(p, Skin, Skin.darker(140), 0.5);
  p.drawEllipse(QPointF(0, 0), 3.3, 3.6);
}

void Sword(QPainter& p, QPointF tip, double length, double angleDeg) {
  p.save();
  p.translate(tip);
  p.rotate(angleDeg); // 0: point upwards, blade running down from the tip
  QPolygonF blade;
  blade << QPointF(0, 0) << QPointF(1.8, 4) << QPointF(1.8, length * 0.72)
        << QPointF(-1.8, length * 0.72) << QPointF(-1.8, 4);
  QLinearGradient steel(-2, 0, 2, 0);
  steel.setColorAt(0, Cloud);
  steel.setColorAt(1, Stone);
  Fill(p, steel, StoneDark, 0.5);
  p.drawPolygon(blade);
  Fill(p, Gold, GoldDark, 0.5);
  p.drawRect(QRectF(-6, length * 0.72, 12, 2.2));
  Fill(p, Wood);
  p.drawRect(QRectF(-1.2, length * 0.72 + 2.2, 2.4, length * 0.2));
  Fill(p, Gold, GoldDark, 0.5);
  p.drawEllipse(QPointF(0, length * 0.95), 2, 2);
  p.restore();
}

void Rays(QPainter& p, QPointF c, double inner, double outer, int count, const QColor& colour,
          double width) {
  p.setPen(Line(colour, width));
  for (int k = 0; k < count; ++k) {
    const double a = 2 * M_PI * k / count;
    const QPointF d(std::cos(a), std::sin(a));
    p.drawLine(c + d * inner, c + d * outer);
  }
}

void Glow(QPainter& p, QPointF c, double radius, const QColor& colour) {
  QRadialGradient glow(c, radius);
  QColor clear = colour;
  clear.setAlpha(0);
  glow.setColorAt(0, colour);
  glow.setColorAt(1, clear);
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(c, radius, radius);
}

void Cloudlet(QPainter& p, QPointF c, double size) {
  Fill(p, Cloud, QColor(170, 176, 196), 0.6);
  QPainterPath puff;
  puff.addEllipse(c + QPointF(-size, 0), size * 0.8, size * 0.6);
  puff.addEllipse(c + QPointF(0, -size * 0.35), size, size * 0.8);
  puff.addEllipse(c + QPointF(size, 0), size * 0.8, size * 0.6);
  p.drawPath(puff.simplified());
}

void Water(QPainter& p, double top, const QColor& deep) {
  QLinearGradient water(0, top, 0, H);
  water.setColorAt(0, deep.lighter(140));
  water.setColorAt(1, deep);
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(0, top, W, H - top), water);
  p.setPen(Line(QColor(230, 240, 255, 170), 0.7));
  for (int row = 0; row < 3; ++row) {
    for (double x = 3 + row * 4; x < W; x += 12) {
      const double y = top + 3 + row * 4;
      p.drawArc(QRectF(x, y, 6, 3), 0, 180 * 16);
    }
  }
}

// I: the wand raised over a table with the other three elements: cup, sword and coin.
void Magician(QPainter& p) {
  Lemniscate(p, QPointF(Mid, 8), 8, GoldDark, 1.4);
  Glow(p, QPointF(Mid, 17), 7, QColor(255, 190, 60, 200));
  p.setPen(Line(Wood, 3));
  p.drawLine(QPointF(Mid, 18), QPointF(Mid, 52));
  Fill(p, QColor(240, 120, 30), Crimson, 0.5); // the fire at the wand's tip
  QPainterPath flame(QPointF(Mid, 10));
  flame.cubicTo(QPointF(Mid + 4, 15), QPointF(Mid + 3, 19), QPointF(Mid, 19));
  flame.cubicTo(QPointF(Mid - 3, 19), QPointF(Mid - 4, 15), QPointF(Mid, 10));
  p.drawPath(flame);
  QLinearGradient top(0, 50, 0, 56);
  top.setColorAt(0, Crimson.lighter(120));
  top.setColorAt(1, Crimson.darker(130));
  Fill(p, top, Crimson.darker(160), 0.6);
  p.drawRect(QRectF(6, 52, W - 12, 5));
  Fill(p, Wood, Wood.darker(140), 0.6);
  p.drawRect(QRectF(10, 57, 3, 14));
  p.drawRect(QRectF(W - 13, 57, 3, 14));
  // Cup on the left, coin on the right, sword lying in front.
  Fill(p, Gold, GoldDark, 0.6);
  QPainterPath cup(QPointF(9, 38));
  cup.lineTo(QPointF(21, 38));
  cup.cubicTo(QPointF(21, 44), QPointF(17, 46), QPointF(16, 46));
  cup.lineTo(QPointF(16, 50));
  cup.lineTo(QPointF(19, 52));
  cup.lineTo(QPointF(11, 52));
  cup.lineTo(QPointF(14, 50));
  cup.lineTo(QPointF(14, 46));
  cup.cubicTo(QPointF(13, 46), QPointF(9, 44), QPointF(9, 38));
  p.drawPath(cup);
  Fill(p, Gold, GoldDark, 0.7);
  p.drawEllipse(QPointF(W - 15, 45), 6.5, 6.5);
  Fill(p, GoldDark);
  p.drawPolygon(Star(QPointF(W - 15, 45.3), 4.5, 1.8, 5));
  Sword(p, QPointF(17, 54.5), 34, -90);
}

// II: two pillars, dark and light, with the veil of the sanctuary between them.
void SanctuaryGate(QPainter& p) {
  QLinearGradient veil(0, 10, 0, 62);
  veil.setColorAt(0, QColor(120, 60, 110));
  veil.setColorAt(1, QColor(160, 90, 130));
  Fill(p, veil, QColor(90, 40, 80), 0.6);
  QPainterPath curtain(QPointF(16, 14));
  curtain.lineTo(QPointF(50, 14));
  curtain.lineTo(QPointF(50, 62));
  curtain.cubicTo(QPointF(44, 58), QPointF(38, 63), QPointF(33, 60));
  curtain.cubicTo(QPointF(28, 63), QPointF(22, 58), QPointF(16, 62));
  curtain.closeSubpath();
  p.drawPath(curtain);
  Fill(p, QColor(226, 120, 90));
  for (const QPointF& dot :
       {QPointF(24, 24), QPointF(42, 24), QPointF(33, 34), QPointF(24, 44), QPointF(42, 44)}) {
    p.drawEllipse(dot, 1.8, 2.1);
  }
  auto pillar = [&](double x, const QColor& shaft, const QColor& edge, const QString& letter) {
    QLinearGradient round(x - 6, 0, x + 6, 0);
    round.setColorAt(0, shaft.lighter(125));
    round.setColorAt(1, shaft.darker(125));
    Fill(p, round, edge, 0.7);
    p.drawRect(QRectF(x - 5, 12, 10, 50));
    Fill(p, shaft, edge, 0.7);
    p.drawRect(QRectF(x - 7, 6, 14, 6));  // capital
    p.drawRect(QRectF(x - 7, 62, 14, 4)); // base
    p.setPen(edge == Ink ? Ivory : Ink);
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(x - 5, 30, 10, 10), Qt::AlignCenter, letter);
  };
  pillar(11, QColor(56, 52, 64), Ink, QStringLiteral("B"));
  pillar(W - 11, QColor(232, 228, 216), StoneDark, QStringLiteral("J"));
  Fill(p, Gold, GoldDark, 0.6);
  p.drawRect(QRectF(2, 2, W - 4, 4)); // the lintel
}

// III: the crowned queen of heaven, the sun behind her and the moon under her feet.
void Isis(QPainter& p) {
  Glow(p, QPointF(Mid, 24), 16, QColor(255, 210, 90, 230));
  Fill(p, GoldLight, Gold, 0.8);
  p.drawEllipse(QPointF(Mid, 24), 9.5, 9.5);
  Fill(p, Gold);
  for (int k = 0; k < 7; ++k) {
    const double a = (200 + k * 23.3) * M_PI / 180;
    p.drawPolygon(Star(QPointF(Mid + 15 * std::cos(a), 25 + 15 * std::sin(a)), 2.6, 1.1, 5));
  }
  QPainterPath robe(QPointF(Mid - 5, 28));
  robe.cubicTo(QPointF(Mid - 10, 42), QPointF(Mid - 15, 56), QPointF(Mid - 16, 62));
  robe.lineTo(QPointF(Mid + 16, 62));
  robe.cubicTo(QPointF(Mid + 15, 56), QPointF(Mid + 10, 42), QPointF(Mid + 5, 28));
  robe.closeSubpath();
  QLinearGradient blue(0, 28, 0, 62);
  blue.setColorAt(0, Azure.lighter(115));
  blue.setColorAt(1, Indigo);
  Fill(p, blue, IndigoDark, 0.7);
  p.drawPath(robe);
  Fill(p, Cloud, StoneDark, 0.5); // the open book in her hands
  p.drawRect(QRectF(Mid - 6, 41, 12, 6));
  p.setPen(Line(StoneDark, 0.5));
  p.drawLine(QPointF(Mid, 41), QPointF(Mid, 47));
  Fill(p, Skin, Skin.darker(140), 0.5);
  p.drawEllipse(QPointF(Mid, 23), 4.2, 4.8);
  Fill(p, Indigo);
  QPainterPath veil(QPointF(Mid - 5, 22));
  veil.cubicTo(QPointF(Mid - 5, 15), QPointF(Mid + 5, 15), QPointF(Mid + 5, 22));
  veil.lineTo(QPointF(Mid + 6.5, 31));
  veil.lineTo(QPointF(Mid + 4, 31));
  veil.lineTo(QPointF(Mid + 4, 22));
  veil.cubicTo(QPointF(Mid + 3, 18), QPointF(Mid - 3, 18), QPointF(Mid - 4, 22));
  veil.lineTo(QPointF(Mid - 4, 31));
  veil.lineTo(QPointF(Mid - 6.5, 31));
  veil.closeSubpath();
  p.drawPath(veil);
  // The crescent under her feet, horns up.
  QPainterPath moon;
  moon.addEllipse(QPointF(Mid, 62), 15, 6.5);
  QPainterPath bite;
  bite.addEllipse(QPointF(Mid, 59), 13.5, 5);
  Fill(p, QColor(226, 230, 240), QColor(90, 96, 120), 0.8);
  p.drawPath(moon.subtracted(bite));
}

// IV: the throne on its steps, the crown above it.
void Throne(QPainter& p) {
  Fill(p, Stone, StoneDark, 0.7);
  p.drawRect(QRectF(8, 58, W - 16, 6));
  p.drawRect(QRectF(4, 64, W - 8, 5));
  QPainterPath back(QPointF(17, 50));
  back.lineTo(QPointF(17, 24));
  back.cubicTo(QPointF(17, 12), QPointF(49, 12), QPointF(49, 24));
  back.lineTo(QPointF(49, 50));
  back.closeSubpath();
  Fill(p, Gold, GoldDark, 0.9);
  p.drawPath(back);
  QPainterPath cushion(QPointF(21, 48));
  cushion.lineTo(QPointF(21, 26));
  cushion.cubicTo(QPointF(21, 17), QPointF(45, 17), QPointF(45, 26));
  cushion.lineTo(QPointF(45, 48));
  cushion.closeSubpath();
  Fill(p, Crimson, Crimson.darker(150), 0.6);
  p.drawPath(cushion);
  Fill(p, Gold, GoldDark, 0.9);
  p.drawRect(QRectF(12, 44, W - 24, 6)); // seat
  p.drawRect(QRectF(12, 36, 5, 8));      // arms
  p.drawRect(QRectF(W - 17, 36, 5, 8));
  p.drawRect(QRectF(14, 50, 4, 8)); // legs
  p.drawRect(QRectF(W - 18, 50, 4, 8));
  Fill(p, GoldLight, GoldDark, 0.5); // the ram's heads on the arms
  p.drawEllipse(QPointF(14.5, 35), 3, 2.5);
  p.drawEllipse(QPointF(W - 14.5, 35), 3, 2.5);
  Crown(p, QRectF(Mid - 9, 24, 18, 13));
  Fill(p, Gold);
  p.drawPolygon(Star(QPointF(Mid, 8), 4, 1.6, 4, -90));
}

// V: the triple cross of the master over two crossed keys.
void MasterOfArcana(QPainter& p) {
  p.setPen(Line(GoldDark, 3.6));
  p.drawLine(QPointF(Mid, 6), QPointF(Mid, 62));
  p.drawLine(QPointF(Mid - 6, 12), QPointF(Mid + 6, 12));
  p.drawLine(QPointF(Mid - 9, 20), QPointF(Mid + 9, 20));
  p.drawLine(QPointF(Mid - 12, 28), QPointF(Mid + 12, 28));
  p.setPen(Line(GoldLight, 1.6));
  p.drawLine(QPointF(Mid, 6), QPointF(Mid, 62));
  p.drawLine(QPointF(Mid - 6, 12), QPointF(Mid + 6, 12));
  p.drawLine(QPointF(Mid - 9, 20), QPointF(Mid + 9, 20));
  p.drawLine(QPointF(Mid - 12, 28), QPointF(Mid + 12, 28));
  auto key = [&](QPointF bow, QPointF end, const QColor& metal) {
    const QPointF along = (end - bow) / std::hypot(end.x() - bow.x(), end.y() - bow.y());
    const QPointF across(-along.y(), along.x());
    p.setPen(Line(metal.darker(150), 2.6));
    p.drawLine(bow + along * 4, end);
    p.drawLine(end - along * 1, end - along * 1 + across * 4.5);
    p.drawLine(end - along * 4.5, end - along * 4.5 + across * 3.5);
    p.setPen(Line(metal, 1.4));
    p.drawLine(bow + along * 4, end);
    Fill(p, metal, metal.darker(150), 1);
    p.drawEllipse(bow, 4, 4);
    Fill(p, Ivory);
    p.drawEllipse(bow, 1.6, 1.6);
  };
  key(QPointF(14, 40), QPointF(50, 62), Gold);
  key(QPointF(W - 14, 40), QPointF(16, 62), Silver);
}

// VI: a road that forks, one way to a bright star, the other to a bare dark tree.
void TwoWays(QPainter& p) {
  Fill(p, QColor(120, 160, 96));
  p.drawRect(QRectF(0, 30, W, Horizon - 30));
  p.setPen(Line(QColor(96, 136, 80), 0.6));
  p.drawLine(QPointF(0, 30), QPointF(W, 30));
  QPainterPath road(QPointF(24, H));
  road.lineTo(QPointF(31, 44));
  road.lineTo(QPointF(12, 30));
  road.lineTo(QPointF(17, 30));
  road.lineTo(QPointF(Mid, 40));
  road.lineTo(QPointF(49, 30));
  road.lineTo(QPointF(54, 30));
  road.lineTo(QPointF(35, 44));
  road.lineTo(QPointF(42, H));
  road.closeSubpath();
  Fill(p, QColor(226, 206, 156), QColor(170, 140, 90), 0.6);
  p.drawPath(road);
  Glow(p, QPointF(52, 14), 11, QColor(255, 220, 120, 220));
  Fill(p, Gold, GoldDark, 0.5);
  p.drawPolygon(Star(QPointF(52, 14), 6.5, 2.6, 6));
  p.setPen(Line(QColor(70, 56, 50), 1.6)); // the bare tree
  p.drawLine(QPointF(13, 30), QPointF(13, 12));
  p.setPen(Line(QColor(70, 56, 50), 1));
  p.drawLine(QPointF(13, 20), QPointF(7, 13));
  p.drawLine(QPointF(13, 17), QPointF(19, 10));
  p.drawLine(QPointF(13, 24), QPointF(18, 19));
  p.drawLine(QPointF(7, 13), QPointF(5, 9));
}

// VII: the chariot with its starry canopy on two wheels.
void Chariot(QPainter& p) {
  Fill(p, Azure, Indigo, 0.7);
  p.drawRect(QRectF(10, 8, W - 20, 7));
  Fill(p, GoldLight);
  for (double x = 15; x < W - 12; x += 7.2) {
    p.drawPolygon(Star(QPointF(x, 11.5), 2, 0.8, 5));
  }
  p.setPen(Line(GoldDark, 1.5));
  p.drawLine(QPointF(14, 15), QPointF(14, 36));
  p.drawLine(QPointF(W - 14, 15), QPointF(W - 14, 36));
  Fill(p, Skin, Skin.darker(140), 0.5); // the charioteer
  p.drawEllipse(QPointF(Mid, 25), 3.8, 4.2);
  Crown(p, QRectF(Mid - 4.5, 17, 9, 5.5));
  Fill(p, Silver, StoneDark, 0.6);
  p.drawRect(QRectF(Mid - 5, 29, 10, 8));
  QLinearGradient box(0, 36, 0, 54);
  box.setColorAt(0, Crimson.lighter(120));
  box.setColorAt(1, Crimson.darker(130));
  Fill(p, box, GoldDark, 1);
  p.drawRect(QRectF(10, 36, W - 20, 17));
  Fill(p, Gold);
  p.drawEllipse(QPointF(Mid, 44.5), 4, 3); // the winged disc on its front
  QPainterPath wings(QPointF(Mid - 4, 44));
  wings.cubicTo(QPointF(Mid - 10, 40), QPointF(Mid - 15, 41), QPointF(Mid - 18, 43));
  wings.cubicTo(QPointF(Mid - 12, 45), QPointF(Mid - 8, 47), QPointF(Mid - 4, 46));
  wings.moveTo(QPointF(Mid + 4, 44));
  wings.cubicTo(QPointF(Mid + 10, 40), QPointF(Mid + 15, 41), QPointF(Mid + 18, 43));
  wings.cubicTo(QPointF(Mid + 12, 45), QPointF(Mid + 8, 47), QPointF(Mid + 4, 46));
  p.drawPath(wings);
  for (double x : {16.0, W - 16}) {
    Fill(p, Qt::transparent);
    p.setPen(Line(Wood.darker(120), 2));
    p.drawEllipse(QPointF(x, 56), 8, 8);
    p.setPen(Line(Wood, 1));
    for (int k = 0; k < 4; ++k) {
      const double a = k * M_PI / 4;
      p.drawLine(QPointF(x - 8 * std::cos(a), 56 - 8 * std::sin(a)),
                 QPointF(x + 8 * std::cos(a), 56 + 8 * std::sin(a)));
    }
    Fill(p, Gold, GoldDark, 0.5);
    p.drawEllipse(QPointF(x, 56), 1.8, 1.8);
  }
}

// VIII: the scales hung from an upright sword.
void BalanceAndSword(QPainter& p) {
  Sword(p, QPointF(Mid, 4), 62, 0);
  p.setPen(Line(GoldDark, 2));
  p.drawLine(QPointF(8, 20), QPointF(W - 8, 20));
  Fill(p, Gold, GoldDark, 0.6);
  p.drawEllipse(QPointF(Mid, 20), 2.6, 2.6);
  for (double x : {12.0, W - 12}) {
    p.setPen(Line(GoldDark, 0.6));
    p.drawLine(QPointF(x, 20), QPointF(x - 7, 38));
    p.drawLine(QPointF(x, 20), QPointF(x + 7, 38));
    Fill(p, Gold, GoldDark, 0.7);
    p.drawChord(QRectF(x - 8, 32, 16, 10), 180 * 16, 180 * 16);
  }
}

// IX: the lantern of the inner light, its star shining in the night.
void InnerLight(QPainter& p) {
  Fill(p, Cloud);
  for (const QPointF& s : {QPointF(8, 10), QPointF(56, 8), QPointF(12, 46), QPointF(58, 40),
                           QPointF(48, 58), QPointF(6, 30)}) {
    p.drawEllipse(s, 0.8, 0.8);
  }
  p.setPen(Line(GoldDark, 1));
  p.drawLine(QPointF(Mid, 0), QPointF(Mid, 12));
  Glow(p, QPointF(Mid, 34), 26, QColor(255, 220, 120, 210));
  Rays(p, QPointF(Mid, 34), 18, 26, 12, QColor(255, 230, 150, 180), 1);
  Fill(p, Qt::transparent);
  p.setPen(Line(Gold, 1.2));
  p.drawEllipse(QPointF(Mid, 15), 3, 3); // the ring it hangs by
  QPolygonF cage;
  cage << QPointF(Mid - 6, 18) << QPointF(Mid + 6, 18) << QPointF(Mid + 10, 26)
       << QPointF(Mid + 10, 42) << QPointF(Mid + 6, 50) << QPointF(Mid - 6, 50)
       << QPointF(Mid - 10, 42) << QPointF(Mid - 10, 26);
  Fill(p, QColor(255, 236, 170), GoldDark, 1.4);
  p.drawPolygon(cage);
  p.setPen(Line(GoldDark, 1));
  p.drawLine(QPointF(Mid - 6, 18), QPointF(Mid - 6, 50));
  p.drawLine(QPointF(Mid + 6, 18), QPointF(Mid + 6, 50));
  Fill(p, QColor(250, 170, 40), QColor(200, 100, 20), 0.6);
  QPolygonF up = Star(QPointF(Mid, 34), 6, 6, 3, -90);
  QPolygonF down = Star(QPointF(Mid, 34), 6, 6, 3, 90);
  p.drawPolygon(QPolygonF() << up[0] << up[2] << up[4]);
  p.drawPolygon(QPolygonF() << down[0] << down[2] << down[4]);
  Fill(p, GoldDark);
  p.drawRect(QRectF(Mid - 7, 50, 14, 3));
}

// X: the wheel of fate with the sphinx on its top.
void Sphinx(QPainter& p) {
  const QPointF hub(Mid, 44);
  Fill(p, Qt::transparent);
  p.setPen(Line(GoldDark, 3));
  p.drawEllipse(hub, 17, 17);
  p.setPen(Line(Gold, 1.4));
  p.drawEllipse(hub, 17, 17);
  p.drawEllipse(hub, 11, 11);
  for (int k = 0; k < 8; ++k) {
    const double a = k * M_PI / 4;
    p.drawLine(hub + QPointF(3 * std::cos(a), 3 * std::sin(a)),
               hub + QPointF(17 * std::cos(a), 17 * std::sin(a)));
  }
  Fill(p, Crimson, GoldDark, 0.6);
  p.drawEllipse(hub, 3, 3);
  Fill(p, Wood, Wood.darker(140), 0.6); // its stand
  p.drawPolygon(QPolygonF() << QPointF(Mid - 3, 58) << QPointF(Mid + 3, 58)
                            << QPointF(Mid + 10, Horizon + 2) << QPointF(Mid - 10, Horizon + 2));
  // The sphinx sits on the top of the rim, facing us: a lion's chest and paws under a
  // human head in the striped headdress.
  const QColor sand(214, 176, 104);
  Fill(p, sand, GoldDark, 0.6);
  QPainterPath chest(QPointF(Mid - 7, 27));
  chest.cubicTo(QPointF(Mid - 8, 20), QPointF(Mid - 6, 16), QPointF(Mid, 16));
  chest.cubicTo(QPointF(Mid + 6, 16), QPointF(Mid + 8, 20), QPointF(Mid + 7, 27));
  chest.closeSubpath();
  p.drawPath(chest);
  p.drawRoundedRect(QRectF(Mid - 8, 24, 6, 3.5), 1.5, 1.5); // fore paws
  p.drawRoundedRect(QRectF(Mid + 2, 24, 6, 3.5), 1.5, 1.5);
  QPainterPath headdress(QPointF(Mid - 5, 4));
  headdress.lineTo(QPointF(Mid + 5, 4));
  headdress.lineTo(QPointF(Mid + 9, 20));
  headdress.lineTo(QPointF(Mid + 4, 20));
  headdress.lineTo(QPointF(Mid - 4, 20));
  headdress.lineTo(QPointF(Mid - 9, 20));
  headdress.closeSubpath();
  Fill(p, Azure, Indigo, 0.5);
  p.drawPath(headdress);
  p.setPen(Line(GoldLight, 0.8));
  for (double y : {7.0, 10.5, 14.0, 17.5}) {
    const double reach = 5 + (y - 4) / 4;
    p.drawLine(QPointF(Mid - reach, y), QPointF(Mid + reach, y));
  }
  Fill(p, Skin, sand.darker(150), 0.5);
  p.drawEllipse(QPointF(Mid, 12), 3.8, 4.8);
  Fill(p, Ink);
  p.drawEllipse(QPointF(Mid - 1.5, 11), 0.6, 0.6);
  p.drawEllipse(QPointF(Mid + 1.5, 11), 0.6, 0.6);
  p.setPen(Line(sand.darker(160), 0.5));
  p.drawLine(QPointF(Mid - 1, 14.6), QPointF(Mid + 1, 14.6));
}

// XI: the tamed lion under the sign of the infinite.
void TamedLion(QPainter& p) {
  Lemniscate(p, QPointF(Mid, 8), 8, GoldDark, 1.4);
  const QPointF c(Mid, 38);
  Fill(p, QColor(196, 110, 40), QColor(140, 70, 20), 0.7);
  p.drawPolygon(Star(c, 22, 16, 14, -90));
  Fill(p, QColor(214, 140, 56));
  p.drawEllipse(c, 17, 17);
  Fill(p, QColor(232, 184, 110), QColor(170, 110, 50), 0.6);
  p.drawEllipse(c + QPointF(-9, -10), 3.5, 3.5); // ears
  p.drawEllipse(c + QPointF(9, -10), 3.5, 3.5);
  p.drawEllipse(c + QPointF(0, 1), 11.5, 12.5);
  Fill(p, QColor(246, 222, 176));
  p.drawEllipse(c + QPointF(0, 6.5), 6.5, 5); // muzzle
  Fill(p, Ink);
  p.drawEllipse(c + QPointF(-4.5, -2.5), 1.5, 1.3);
  p.drawEllipse(c + QPointF(4.5, -2.5), 1.5, 1.3);
  p.drawPolygon(QPolygonF() << c + QPointF(-2.5, 2.6) << c + QPointF(2.5, 2.6)
                            << c + QPointF(0, 5.6));
  p.setPen(Line(Ink, 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawLine(c + QPointF(0, 5.6), c + QPointF(0, 8));
  p.drawArc(QRectF(c.x() - 4, c.y() + 6, 4, 3.5), 180 * 16, 180 * 16);
  p.drawArc(QRectF(c.x(), c.y() + 6, 4, 3.5), 180 * 16, 180 * 16);
  Fill(p, Leaf, Leaf.darker(140), 0.5); // the garland it wears
  for (int k = -2; k <= 2; ++k) {
    p.drawEllipse(c + QPointF(k * 4.8, 19 - std::abs(k) * 1.2), 2.2, 1.6);
  }
}

// XII: the sacrifice, hanging head down from the beam between two trees.
void Sacrifice(QPainter& p) {
  Fill(p, Wood, Wood.darker(150), 0.7);
  p.drawRect(QRectF(8, 8, 5, Horizon - 6));
  p.drawRect(QRectF(W - 13, 8, 5, Horizon - 6));
  p.drawRect(QRectF(4, 6, W - 8, 5));
  Fill(p, Leaf);
  for (double x : {10.5, W - 10.5}) {
    p.drawEllipse(QPointF(x - 4, 24), 2.5, 1.5);
    p.drawEllipse(QPointF(x + 4, 40), 2.5, 1.5);
  }
  p.setPen(Line(Wood.darker(130), 0.8));
  p.drawLine(QPointF(Mid, 11), QPointF(Mid, 18));
  // Legs: one straight up to the rope, the other bent behind it.
  p.setPen(Line(Crimson, 3));
  p.drawLine(QPointF(Mid, 18), QPointF(Mid, 34));
  p.drawLine(QPointF(Mid, 34), QPointF(Mid + 8, 27));
  p.drawLine(QPointF(Mid + 8, 27), QPointF(Mid + 1, 21));
  QPolygonF torso;
  torso << QPointF(Mid - 5, 34) << QPointF(Mid + 5, 34) << QPointF(Mid + 4.5, 50)
        << QPointF(Mid - 4.5, 50);
  Fill(p, Azure, Indigo, 0.6);
  p.drawPolygon(torso);
  p.setPen(Line(Skin.darker(115), 1.4)); // arms bound behind the back
  p.drawLine(QPointF(Mid - 4, 48), QPointF(Mid - 7, 40));
  p.drawLine(QPointF(Mid + 4, 48), QPointF(Mid + 7, 40));
  Glow(p, QPointF(Mid, 55), 8, QColor(255, 214, 100, 220));
  Fill(p, Skin, Skin.darker(140), 0.5);
  p.drawEllipse(QPointF(Mid, 54.5), 3.5, 3.8);
  Fill(p, Wood.darker(120)); // hair falling downwards
  p.drawChord(QRectF(Mid - 3.6, 54, 7.2, 5), 180 * 16, 180 * 16);
}

// XIII: death's scythe over a skull.
void DeathWithScythe(QPainter& p) {
  p.setPen(Line(Wood, 2.2));
  p.drawLine(QPointF(46, 66), QPointF(26, 6));
  p.setPen(Line(Wood.darker(120), 1.6));
  p.drawLine(QPointF(33, 30), QPointF(40, 28)); // the grip
  QPainterPath blade(QPointF(26, 6));
  blade.cubicTo(QPointF(40, 2), QPointF(56, 8), QPointF(62, 24));
  blade.cubicTo(QPointF(54, 14), QPointF(42, 10), QPointF(27, 11));
  blade.closeSubpath();
  QLinearGradient steel(26, 4, 62, 24);
  steel.setColorAt(0, Cloud);
  steel.setColorAt(1, StoneDark);
  Fill(p, steel, Ink, 0.6);
  p.drawPath(blade);
  const QPointF s(20, 50);
  Fill(p, QColor(236, 230, 212), StoneDark, 0.7);
  QPainterPath skull;
  skull.addEllipse(s, 9, 8.5);
  skull.addRect(QRectF(s.x() - 5, s.y() + 4, 10, 7));
  p.drawPath(skull.simplified());
  Fill(p, Ink);
  p.drawEllipse(s + QPointF(-3.5, 0), 2.4, 2.7);
  p.drawEllipse(s + QPointF(3.5, 0), 2.4, 2.7);
  p.drawPolygon(QPolygonF() << s + QPointF(0, 3) << s + QPointF(-1.3, 6) << s + QPointF(1.3, 6));
  p.setPen(Line(StoneDark, 0.6));
  for (double x = -3.5; x <= 3.6; x += 1.75) {
    p.drawLine(s + QPointF(x, 8), s + QPointF(x, 11));
  }
  Fill(p, Leaf, Leaf.darker(150), 0.5); // life sprouting again
  p.drawEllipse(QPointF(54, 60), 2.2, 4);
  p.drawEllipse(QPointF(58, 61), 2, 3.4);
  p.setPen(Line(Leaf.darker(130), 0.8));
  p.drawLine(QPointF(56, Horizon), QPointF(55, 57));
}

// XIV: water poured from a raised vessel into a lower one.
void TwoVessels(QPainter& p) {
  p.save();
  p.translate(11, 14);
  p.rotate(105);
  Amphora(p, Gold, GoldDark);
  p.restore();
  QPainterPath stream(QPointF(30, 17));
  stream.cubicTo(QPointF(41, 17), QPointF(46, 28), QPointF(47, 40));
  stream.lineTo(QPointF(49, 40));
  stream.cubicTo(QPointF(49, 26), QPointF(43, 20.5), QPointF(30, 20.5));
  stream.closeSubpath();
  QLinearGradient flow(30, 17, 48, 40);
  flow.setColorAt(0, QColor(150, 200, 240));
  flow.setColorAt(1, Azure);
  Fill(p, flow, Azure.darker(120), 0.4);
  p.drawPath(stream);
  p.save();
  p.translate(48, 62);
  Amphora(p, Silver, StoneDark);
  p.restore();
  Fill(p, QColor(150, 200, 240, 220));
  p.drawEllipse(QPointF(48, 42), 2.5, 1.2);
  Fill(p, Crimson.lighter(130)); // a flower at the foot
  p.drawEllipse(QPointF(14, 58), 2.2, 2.2);
  p.setPen(Line(Leaf, 0.9));
  p.drawLine(QPointF(14, 60), QPointF(14, Horizon + 1));
}

// XV: Typhon, horned and bat-winged, over the altar with its chains.
void Typhon(QPainter& p) {
  const QColor wing(70, 40, 70);
  Fill(p, wing, QColor(40, 20, 40), 0.6);
  QPainterPath wings(QPointF(Mid - 6, 30));
  wings.lineTo(QPointF(3, 12));
  wings.lineTo(QPointF(6, 24));
  wings.lineTo(QPointF(1, 28));
  wings.lineTo(QPointF(8, 34));
  wings.lineTo(QPointF(4, 40));
  wings.lineTo(QPointF(Mid - 6, 40));
  wings.closeSubpath();
  QTransform mirror(-1, 0, 0, 1, W, 0);
  p.drawPath(wings);
  p.drawPath(mirror.map(wings));
  Fill(p, StoneDark, Ink, 0.7); // the altar he sits on
  p.drawRect(QRectF(Mid - 11, 50, 22, 14));
  const QColor hide(140, 36, 34), hideEdge(80, 16, 16);
  p.setPen(Line(hide, 2.4)); // goat's legs over the altar's front, the left arm raised
  p.drawLine(QPointF(Mid - 4, 47), QPointF(Mid - 6, 58));
  p.drawLine(QPointF(Mid + 4, 47), QPointF(Mid + 6, 58));
  p.drawLine(QPointF(Mid - 7, 36), QPointF(Mid - 14, 29));
  p.drawLine(QPointF(Mid + 7, 37), QPointF(Mid + 15, 34));
  Fill(p, Ink);
  p.drawEllipse(QPointF(Mid - 6.3, 59), 2, 1.4);
  p.drawEllipse(QPointF(Mid + 6.3, 59), 2, 1.4);
  Fill(p, hide, hideEdge, 0.6);
  p.drawPolygon(QPolygonF() << QPointF(Mid - 8, 33) << QPointF(Mid + 8, 33) << QPointF(Mid + 5, 49)
                            << QPointF(Mid - 5, 49)); // torso
  Fill(p, QColor(226, 210, 170), QColor(120, 100, 70), 0.6);
  for (double side : {-1.0, 1.0}) { // the goat's horns
    QPainterPath horn(QPointF(Mid + side * 3, 20));
    horn.cubicTo(QPointF(Mid + side * 8, 16), QPointF(Mid + side * 12, 10),
                 QPointF(Mid + side * 9, 4));
    horn.cubicTo(QPointF(Mid + side * 10, 11), QPointF(Mid + side * 6, 15),
                 QPointF(Mid + side * 1, 17));
    p.drawPath(horn);
  }
  Fill(p, QColor(168, 44, 40), QColor(90, 18, 18), 0.6);
  QPainterPath head(QPointF(Mid - 7, 19));
  head.cubicTo(QPointF(Mid - 7, 13), QPointF(Mid + 7, 13), QPointF(Mid + 7, 19));
  head.cubicTo(QPointF(Mid + 7, 27), QPointF(Mid + 2, 32), QPointF(Mid, 36));
  head.cubicTo(QPointF(Mid - 2, 32), QPointF(Mid - 7, 27), QPointF(Mid - 7, 19));
  p.drawPath(head);
  Fill(p, QColor(255, 214, 60));
  p.drawPolygon(QPolygonF() << QPointF(Mid - 5, 20) << QPointF(Mid - 1.5, 21.5)
                            << QPointF(Mid - 4.5, 23));
  p.drawPolygon(QPolygonF() << QPointF(Mid + 5, 20) << QPointF(Mid + 1.5, 21.5)
                            << QPointF(Mid + 4.5, 23));
  p.setPen(Line(Stone, 0.8)); // the chains
  p.setBrush(Qt::NoBrush);
  for (double side : {-1.0, 1.0}) {
    for (int k = 0; k < 4; ++k) {
      p.drawEllipse(QPointF(Mid + side * (14 + k * 2.5), 54 + k * 3), 1.4, 1);
    }
  }
  Fill(p, QColor(255, 160, 40)); // the torch's flame
  QPainterPath flame(QPointF(Mid + 18, 18));
  flame.cubicTo(QPointF(Mid + 22, 22), QPointF(Mid + 21, 26), QPointF(Mid + 18, 26));
  flame.cubicTo(QPointF(Mid + 15, 26), QPointF(Mid + 15, 22), QPointF(Mid + 18, 18));
  p.drawPath(flame);
  p.setPen(Line(Wood, 1.6));
  p.drawLine(QPointF(Mid + 18, 26), QPointF(Mid + 15, 36));
}

// XVI: the tower struck by lightning, its crown thrown down.
void StruckTower(QPainter& p) {
  QPainterPath tower(QPointF(22, Horizon));
  tower.lineTo(QPointF(24, 22));
  tower.lineTo(QPointF(42, 22));
  tower.lineTo(QPointF(44, Horizon));
  tower.closeSubpath();
  QLinearGradient stone(22, 0, 44, 0);
  stone.setColorAt(0, Stone.lighter(115));
  stone.setColorAt(1, StoneDark);
  Fill(p, stone, Ink, 0.7);
  p.drawPath(tower);
  p.setPen(Line(StoneDark.darker(120), 0.5));
  for (double y = 28; y < Horizon; y += 6) {
    p.drawLine(QPointF(23.5, y), QPointF(42.5, y));
  }
  // The broken top: jagged battlements.
  Fill(p, stone, Ink, 0.7);
  p.drawPolygon(QPolygonF() << QPointF(23, 22) << QPointF(23, 16) << QPointF(27, 16)
                            << QPointF(28, 19) << QPointF(31, 14) << QPointF(34, 19)
                            << QPointF(37, 17) << QPointF(43, 22));
  Fill(p, QColor(255, 150, 40), Crimson, 0.5); // fire from the windows
  for (const QPointF& w : {QPointF(33, 32), QPointF(28, 46), QPointF(38, 46)}) {
    QPainterPath flame(w + QPointF(-2.2, 4));
    flame.lineTo(w + QPointF(-2.2, 0));
    flame.cubicTo(w + QPointF(-2, -4), w + QPointF(2, -4), w + QPointF(2.2, 0));
    flame.lineTo(w + QPointF(2.2, 4));
    flame.closeSubpath();
    p.drawPath(flame);
  }
  Fill(p, Ink);
  p.drawRect(QRectF(30, 56, 6, 8)); // the door
  Glow(p, QPointF(22, 10), 12, QColor(255, 250, 190, 180));
  Fill(p, QColor(255, 232, 90), QColor(200, 140, 20), 0.6);
  p.drawPolygon(QPolygonF() << QPointF(2, 0) << QPointF(10, 0) << QPointF(16, 8) << QPointF(13, 9)
                            << QPointF(27, 18) << QPointF(14, 13) << QPointF(17, 12));
  p.save();
  p.translate(50, 16);
  p.rotate(32);
  Crown(p, QRectF(-6, -4, 12, 8));
  p.restore();
  Fill(p, StoneDark, Ink, 0.5); // falling stones
  p.drawRect(QRectF(49, 30, 3, 2.4));
  p.drawRect(QRectF(13, 36, 2.6, 2.6));
  p.drawRect(QRectF(54, 46, 2.4, 2));
}

// XVII: the star of the magi with seven lesser stars over the water.
void StarOfMagi(QPainter& p) {
  Water(p, 52, Azure.darker(140));
  const QPointF c(Mid, 24);
  Glow(p, c, 22, QColor(255, 230, 150, 170));
  Fill(p, GoldLight, GoldDark, 0.6);
  p.drawPolygon(Star(c, 15, 5.5, 8));
  Fill(p, Gold);
  p.drawPolygon(Star(c, 8, 3.5, 8, -90 + 22.5));
  Fill(p, Cloud);
  for (int k = 0; k < 7; ++k) {
    const double a = (160 + k * 36.7) * M_PI / 180;
    p.drawPolygon(Star(c + QPointF(26 * std::cos(a), 4 + 22 * std::sin(a) + 10), 2.4, 0.9, 8));
  }
}

// XVIII: twilight: the waning moon between two towers over a pool.
void Twilight(QPainter& p) {
  Water(p, 58, QColor(40, 60, 110));
  Glow(p, QPointF(Mid, 18), 16, QColor(220, 226, 255, 140));
  Fill(p, QColor(236, 236, 214), QColor(140, 140, 120), 0.6);
  p.drawEllipse(QPointF(Mid, 18), 11, 11);
  Fill(p, QColor(60, 64, 110, 230));
  QPainterPath shadow;
  shadow.addEllipse(QPointF(Mid, 18), 11, 11);
  QPainterPath lit;
  lit.addEllipse(QPointF(Mid - 5, 18), 10.5, 11.2);
  p.drawPath(shadow.subtracted(lit));
  Fill(p, QColor(250, 230, 160));
  for (const QPointF& d : {QPointF(22, 36), QPointF(Mid, 38), QPointF(44, 36)}) {
    p.drawEllipse(d, 1, 1.6); // falling dew
  }
  for (double x : {4.0, W - 14}) {
    Fill(p, QColor(70, 70, 96), IndigoDark, 0.6);
    p.drawRect(QRectF(x, 34, 10, 24));
    p.drawPolygon(QPolygonF() << QPointF(x - 1, 34) << QPointF(x + 5, 26) << QPointF(x + 11, 34));
    Fill(p, QColor(255, 214, 110));
    p.drawRect(QRectF(x + 3.8, 40, 2.4, 4));
  }
  Fill(p, QColor(190, 70, 60), QColor(120, 30, 30), 0.5); // the crayfish in the pool
  p.drawEllipse(QPointF(Mid + 16, 68), 2.6, 4.5);
  p.setPen(Line(QColor(190, 70, 60), 1));
  p.drawLine(QPointF(Mid + 14, 64), QPointF(Mid + 11, 60));
  p.drawLine(QPointF(Mid + 18, 64), QPointF(Mid + 21, 60));
}

// XIX: the radiant sun over a garden wall.
void Radiance(QPainter& p) {
  const QPointF c(Mid, 26);
  Glow(p, c, 30, QColor(255, 220, 110, 200));
  Fill(p, QColor(246, 176, 40));
  for (int k = 0; k < 16; ++k) {
    const double a = k * M_PI / 8;
    const double r = k % 2 == 0 ? 25 : 19;
    p.drawPolygon(QPolygonF() << c + QPointF(12 * std::cos(a - 0.17), 12 * std::sin(a - 0.17))
                              << c + QPointF(r * std::cos(a), r * std::sin(a))
                              << c + QPointF(12 * std::cos(a + 0.17), 12 * std::sin(a + 0.17)));
  }
  QRadialGradient disc(c - QPointF(3, 3), 14);
  disc.setColorAt(0, QColor(255, 246, 170));
  disc.setColorAt(1, QColor(246, 180, 40));
  Fill(p, disc, QColor(200, 120, 20), 0.8);
  p.drawEllipse(c, 12, 12);
  p.setPen(Line(QColor(176, 100, 20), 0.9)); // its face
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - 5, c.y() - 1, 10, 7), 200 * 16, 140 * 16);
  Fill(p, QColor(176, 100, 20));
  p.drawEllipse(c + QPointF(-4, -3), 1.2, 1.2);
  p.drawEllipse(c + QPointF(4, -3), 1.2, 1.2);
  Fill(p, QColor(196, 120, 80), QColor(130, 70, 40), 0.6); // the wall
  p.drawRect(QRectF(0, 52, W, 12));
  p.setPen(Line(QColor(130, 70, 40), 0.5));
  p.drawLine(QPointF(0, 58), QPointF(W, 58));
  for (double x = 3; x < W; x += 8) {
    p.drawLine(QPointF(x, 52), QPointF(x, 58));
    p.drawLine(QPointF(x + 4, 58), QPointF(x + 4, Horizon));
  }
  for (double x : {10.0, W - 10}) { // sunflowers over it
    p.setPen(Line(Leaf, 1));
    p.drawLine(QPointF(x, 52), QPointF(x, 44));
    Fill(p, QColor(250, 200, 40));
    p.drawPolygon(Star(QPointF(x, 42), 4, 2, 8));
    Fill(p, Wood);
    p.drawEllipse(QPointF(x, 42), 1.6, 1.6);
  }
}

// XX: the trumpet from the clouds and the dead rising from the open tomb.
void Resurrection(QPainter& p) {
  Glow(p, QPointF(Mid, 6), 22, QColor(255, 240, 190, 200));
  p.save();
  p.translate(Mid + 4, 14);
  p.rotate(28);
  QPainterPath horn(QPointF(0, -1));
  horn.lineTo(QPointF(18, -0.8));
  horn.lineTo(QPointF(24, -4.5));
  horn.lineTo(QPointF(24, 4.5));
  horn.lineTo(QPointF(18, 0.8));
  horn.lineTo(QPointF(0, 1));
  horn.closeSubpath();
  Fill(p, Gold, GoldDark, 0.6);
  p.drawPath(horn);
  Fill(p, Cloud, StoneDark, 0.4); // its banner with the cross
  p.drawRect(QRectF(7, 1, 8, 7));
  p.setPen(Line(Crimson, 1.2));
  p.drawLine(QPointF(11, 2), QPointF(11, 7));
  p.drawLine(QPointF(8, 4.2), QPointF(14, 4.2));
  p.restore();
  Cloudlet(p, QPointF(20, 10), 7);
  Cloudlet(p, QPointF(48, 6), 6);
  Fill(p, QColor(96, 86, 78), Ink, 0.7); // the open tomb
  p.drawRect(QRectF(9, 54, W - 18, 10));
  Fill(p, QColor(60, 52, 48));
  p.drawRect(QRectF(12, 54, W - 24, 3));
  p.save();
  p.translate(Mid, 33);
  Figure(p, QColor(236, 230, 214), true);
  p.restore();
  for (double x : {17.0, W - 17}) {
    p.save();
    p.translate(x, 44);
    p.scale(0.65, 0.65);
    Figure(p, QColor(220, 214, 200), true);
    p.restore();
  }
}

// XXI: the crocodile waiting with open jaws below the wanderer on the edge.
void Crocodile(QPainter& p) {
  Water(p, 48, QColor(50, 110, 110));
  Fill(p, QColor(170, 150, 110), QColor(120, 100, 70), 0.6); // the cliff's edge
  p.drawPolygon(QPolygonF() << QPointF(0, 40) << QPointF(27, 40) << QPointF(23, 52)
                            << QPointF(21, 66) << QPointF(16, H) << QPointF(0, H));
  p.save();
  p.translate(16, 10);
  Figure(p, QColor(200, 150, 60), false);
  p.restore();
  p.setPen(Line(Wood, 1.2)); // his staff with the bundle
  p.drawLine(QPointF(10, 20), QPointF(24, 8));
  Fill(p, Crimson, Crimson.darker(150), 0.5);
  p.drawEllipse(QPointF(25, 7), 3, 2.6);
  Fill(p, Crimson); // the fool's cap
  p.drawPolygon(QPolygonF() << QPointF(12.5, 7.5) << QPointF(19.5, 7.5) << QPointF(20, 3));
  const QColor hide(70, 130, 60);
  p.save();
  p.translate(9, 0);
  Fill(p, hide, hide.darker(160), 0.7);
  QPainterPath croc(QPointF(W, 58));
  croc.cubicTo(QPointF(52, 56), QPointF(44, 54), QPointF(36, 55));
  croc.lineTo(QPointF(14, 44)); // upper jaw, wide open
  croc.lineTo(QPointF(17, 49));
  croc.lineTo(QPointF(32, 58));
  croc.lineTo(QPointF(14, 62)); // lower jaw
  croc.lineTo(QPointF(36, 63));
  croc.cubicTo(QPointF(46, 64), QPointF(56, 62), QPointF(W, 62));
  croc.closeSubpath();
  p.drawPath(croc);
  Fill(p, Cloud);
  for (double t = 0.2; t < 0.95; t += 0.2) {
    const QPointF a = QPointF(14, 44) + (QPointF(32, 55) - QPointF(14, 44)) * t;
    p.drawPolygon(QPolygonF() << a << a + QPointF(2, 1.2) << a + QPointF(1.4, 3));
  }
  Fill(p, QColor(255, 214, 60), Ink, 0.4);
  p.drawEllipse(QPointF(40, 53), 1.8, 1.5);
  p.setPen(Line(hide.darker(150), 0.6));
  for (double x = 44; x < W; x += 4) {
    p.drawLine(QPointF(x, 56), QPointF(x + 1.5, 54.5));
  }
  p.restore();
}

// XXII: the crown of the magi in its laurel wreath.
void CrownOfMagi(QPainter& p) {
  Glow(p, QPointF(Mid, 30), 28, QColor(255, 226, 140, 200));
  Rays(p, QPointF(Mid, 30), 16, 28, 24, QColor(230, 180, 70, 170), 0.8);
  for (double side : {-1.0, 1.0}) {
    p.setPen(Line(Leaf.darker(130), 1));
    p.setBrush(Qt::NoBrush);
    QPainterPath branch(QPointF(Mid + side * 3, 58));
    branch.cubicTo(QPointF(Mid + side * 22, 54), QPointF(Mid + side * 26, 38),
                   QPointF(Mid + side * 20, 22));
    p.drawPath(branch);
    Fill(p, Leaf, Leaf.darker(150), 0.4);
    for (int k = 1; k <= 7; ++k) {
      const double t = k / 8.0;
      const QPointF at = branch.pointAtPercent(t);
      const double angle = branch.angleAtPercent(t);
      p.save();
      p.translate(at);
      p.rotate(-angle);
      p.drawEllipse(QPointF(0, side * -2.6), 3, 1.3);
      p.drawEllipse(QPointF(0, side * 2.6), 3, 1.3);
      p.restore();
    }
  }
  Fill(p, Crimson, Crimson.darker(150), 0.5); // the ribbon tying the wreath
  p.drawEllipse(QPointF(Mid, 58), 3, 2.2);
  Crown(p, QRectF(Mid - 15, 18, 30, 22));
  Fill(p, Gold);
  p.drawPolygon(Star(QPointF(Mid, 10), 4, 1.6, 4));
}

struct TEmblem {
  TBackdrop Backdrop;
  void (*Draw)(QPainter&);
};

const std::array<TEmblem, 23> Emblems = {{
    {TBackdrop::Day, nullptr},          {TBackdrop::Hall, Magician},
    {TBackdrop::Hall, SanctuaryGate},   {TBackdrop::Day, Isis},
    {TBackdrop::Hall, Throne},          {TBackdrop::Hall, MasterOfArcana},
    {TBackdrop::Day, TwoWays},          {TBackdrop::Day, Chariot},
    {TBackdrop::Hall, BalanceAndSword}, {TBackdrop::Night, InnerLight},
    {TBackdrop::Day, Sphinx},           {TBackdrop::Day, TamedLion},
    {TBackdrop::Day, Sacrifice},        {TBackdrop::Day, DeathWithScythe},
    {TBackdrop::Day, TwoVessels},       {TBackdrop::Night, Typhon},
    {TBackdrop::Day, StruckTower},      {TBackdrop::Night, StarOfMagi},
    {TBackdrop::Night, Twilight},       {TBackdrop::Day, Radiance},
    {TBackdrop::Day, Resurrection},     {TBackdrop::Day, Crocodile},
    {TBackdrop::Day, CrownOfMagi},
}};

} // namespace

void DrawEmblem(QPainter& p, int arcanum) {
  const TEmblem& emblem = Emblems.at(static_cast<std::size_t>(arcanum));
  p.save();
  Backdrop(p, emblem.Backdrop);
  if (emblem.Draw != nullptr) {
    emblem.Draw(p);
  }
  p.restore();
}

} // namespace deck
