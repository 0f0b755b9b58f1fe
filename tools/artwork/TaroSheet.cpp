// SPDX-License-Identifier: GPL-3.0-or-later
#include "TaroSheet.h"

#include "TaroTables.h"
#include "TreeTables.h"
#include "Vocabulary.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>

namespace {

const QColor Ground(242, 236, 221);
const QColor GroundLow(228, 218, 196);
const QColor Ink(70, 56, 40);
const QColor PathEdge(176, 146, 84);
const QColor PathCore(252, 244, 214);
const QColor PlaceFill(226, 214, 188);
const QColor PlaceRule(150, 118, 62);

struct TNode {
  QPointF Centre;
  bool OnBand; // lies in a narrow gap between rows: its paths run along the gap first
};

// The sephiroth 1..10, each set in a gap of the layout near the cards of its paths.
const std::array<TNode, 11> Sephiroth = {{
    {{0, 0}, false},
    {{241, 5}, true},      // Kether, above the top row
    {{405, 205}, false},   // Chokmah
    {{77, 205}, false},    // Binah
    {{382, 405}, false},   // Chesed
    {{100, 405}, false},   // Geburah
    {{241, 525}, false},   // Tiphareth
    {{405, 765}, false},   // Netzach
    {{77, 765}, false},    // Hod
    {{241, 885}, true},    // Yesod
    {{241, 1045.5}, true}, // Malkuth, below the bottom card
}};
constexpr double NodeRadius = 4.6;

QPointF CardCentre(int arcanum) {
  const taro::TCardPlace& place = taro::CardPositions[arcanum];
  return {place.X + taro::CardWidth / 2.0, place.Y + taro::CardHeight / 2.0};
}

// Path n from one of its sephiroth through the centre of card n to the other.
QPainterPath PathThroughCard(int arcanum) {
  const tree::TTreePath& ends = tree::TreePaths[arcanum];
  const QPointF card = CardCentre(arcanum);
  auto leg = [&](QPainterPath& path, int sephira) {
    const TNode& node = Sephiroth[sephira];
    if (node.OnBand) {
      path.lineTo(card.x(), node.Centre.y());
    }
    path.lineTo(node.Centre);
  };
  QPainterPath path(card);
  leg(path, ends.Owner);
  path.moveTo(card);
  leg(path, ends.Lower);
  return path;
}

void DrawGround(QPainter& p) {
  QLinearGradient ground(0, 0, 0, taro::SheetHeight);
  ground.setColorAt(0, Ground);
  ground.setColorAt(1, GroundLow);
  p.fillRect(0, 0, taro::SheetWidth, taro::SheetHeight, ground);
  QRadialGradient glow(QPointF(241, 520), 560);
  glow.setColorAt(0, QColor(255, 252, 240, 140));
  glow.setColorAt(0.7, QColor(255, 252, 240, 0));
  glow.setColorAt(1, QColor(150, 120, 70, 60));
  p.fillRect(0, 0, taro::SheetWidth, taro::SheetHeight, glow);
}

void DrawPaths(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  for (const auto& [colour, width] : {std::pair{PathEdge, 5.6}, std::pair{PathCore, 3.0}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int arcanum = 1; arcanum <= astro::kArcanaCount; ++arcanum) {
      p.drawPath(PathThroughCard(arcanum));
    }
  }
}

void DrawPlace(QPainter& p, const TArtworkFonts& fonts, int arcanum) {
  const taro::TCardPlace& place = taro::CardPositions[arcanum];
  const QRectF card(place.X, place.Y, taro::CardWidth, taro::CardHeight);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 70, 40, 50)); // a soft shadow to the lower right
  p.drawRoundedRect(card.translated(2.5, 2.5).adjusted(-1, -1, 1, 1), 3, 3);
  p.setBrush(PlaceFill);
  p.drawRect(card);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(PlaceRule, 1));
  p.drawRoundedRect(card.adjusted(-2.5, -2.5, 2.5, 2.5), 2, 2);
  p.setPen(QPen(QColor(255, 250, 235, 160), 1));
  p.drawRect(card.adjusted(5.5, 5.5, -5.5, -5.5));
  QFont numeral(fonts.SerifBold);
  numeral.setBold(true);
  numeral.setPixelSize(22);
  p.setFont(numeral);
  p.setPen(QColor(196, 178, 142));
  const std::string_view text = astro::ArcanaNumerals[arcanum];
  p.drawText(card, Qt::AlignCenter,
             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void DrawSephira(QPainter& p, int sephira) {
  const tree::TBodyBox& box = tree::BodyBoxes[tree::BodyOfSephira[sephira]];
  const QColor colour(box.R, box.G, box.B);
  const QPointF c = Sephiroth[sephira].Centre;
  QRadialGradient fill(c - QPointF(1.5, 1.5), NodeRadius * 1.6);
  fill.setColorAt(0, colour.lighter(140));
  fill.setColorAt(1, colour.darker(115));
  p.setPen(QPen(PlaceRule.darker(120), 1.2));
  p.setBrush(fill);
  p.drawEllipse(c, NodeRadius, NodeRadius);
}

// The title in the free upper left corner, a star in the upper right one.
void DrawTitle(QPainter& p, const TArtworkFonts& fonts) {
  QFont title(fonts.SerifBold);
  title.setBold(true);
  title.setPixelSize(17);
  p.setFont(title);
  p.setPen(Ink);
  p.drawText(QRectF(6, 18, 92, 22), Qt::AlignCenter, QStringLiteral("Расклад"));
  p.drawText(QRectF(6, 40, 92, 22), Qt::AlignCenter, QStringLiteral("Таро"));
  p.setPen(QPen(PlaceRule, 1));
  p.drawLine(QPointF(22, 66.5), QPointF(82, 66.5));
  QPolygonF star;
  const QPointF c(435, 46);
  for (int k = 0; k < 16; ++k) {
    const double a = k * M_PI / 8 - M_PI / 2;
    const double r = k % 2 == 0 ? 18 : 6;
    star << c + QPointF(r * std::cos(a), r * std::sin(a));
  }
  p.setPen(QPen(PlaceRule, 0.8));
  p.setBrush(QColor(232, 200, 120));
  p.drawPolygon(star);
  p.setBrush(Ground);
  p.drawEllipse(c, 3, 3);
}

} // namespace

QImage DrawTaroSheet(const TArtworkFonts& fonts) {
  QImage sheet(taro::SheetWidth, taro::SheetHeight, QImage::Format_RGB32);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawGround(p);
  DrawPaths(p);
  DrawTitle(p, fonts);
  for (int arcanum = 1; arcanum <= astro::kArcanaCount; ++arcanum) {
    DrawPlace(p, fonts, arcanum);
  }
  for (int sephira = 1; sephira <= 10; ++sephira) {
    DrawSephira(p, sephira);
  }
  return sheet;
}
