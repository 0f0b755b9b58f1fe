// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardStrip.h"

#include "CardEmblems.h"
#include "CardPalette.h"
#include "HebrewLetters.h"
#include "TaroTables.h"
#include "Vocabulary.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <cmath>
#include <stdexcept>

namespace {

using namespace deck;

constexpr int W = taro::CardWidth;
constexpr int H = taro::CardHeight;
const QRectF Paper(4, 4, W - 8, H - 8); // the ivory inside the indigo frame
const QRectF NumeralBand(4, 5, W - 8, 16);
const QRectF EmblemPanel(8, 22, EmblemWidth, EmblemHeight);
const QPointF LetterSeal(W / 2.0, 104.5); // on the lower edge of the emblem panel
constexpr double SealRadius = 8.5;
const QRectF NameArea(5, 115, W - 10, 29);

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Antialias(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// Breaks the name into lines at spaces, each within the width; empty when a word is too wide.
QStringList WrapName(const QString& name, const QFontMetricsF& metrics, double width) {
  QStringList lines;
  for (const QString& word : name.split(' ', Qt::SkipEmptyParts)) {
    if (metrics.horizontalAdvance(word) > width) {
      return {};
    }
    if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + ' ' + word) <= width) {
      lines.last() += ' ' + word;
    } else {
      lines << word;
    }
  }
  return lines;
}

// The name at the largest size whose wrapped lines fit the name area; never clipped.
void DrawName(QPainter& p, const TArtworkFonts& fonts, const QString& name) {
  QFont font(fonts.SerifCondensedBold);
  font.setBold(true);
  for (int size = 11; size >= 6; --size) {
    font.setPixelSize(size);
    const QFontMetricsF metrics(font);
    const QStringList lines = WrapName(name, metrics, NameArea.width());
    const double lineHeight = metrics.height() - 1;
    if (lines.isEmpty() || lines.size() * lineHeight > NameArea.height()) {
      continue;
    }
    p.setFont(font);
    p.setPen(Ink);
    double top = NameArea.top() + (NameArea.height() - lines.size() * lineHeight) / 2;
    for (const QString& line : lines) {
      p.drawText(QRectF(NameArea.left(), top, NameArea.width(), lineHeight), Qt::AlignCenter, line);
      top += lineHeight;
    }
    return;
  }
  throw std::runtime_error("The arcanum name does not fit its card: " + name.toStdString());
}

void Diamond(QPainter& p, QPointF c, double r, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF() << c + QPointF(0, -r) << c + QPointF(r, 0) << c + QPointF(0, r)
                            << c + QPointF(-r, 0));
}

void DrawFrame(QPainter& p) {
  p.fillRect(QRect(0, 0, W, H), Indigo);
  p.setPen(QPen(IndigoDark, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, W - 1, H - 1));
  p.fillRect(Paper, Ivory);
  p.setPen(QPen(Gold, 1));
  p.drawRect(Paper.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void DrawNumeral(QPainter& p, const TArtworkFonts& fonts, int arcanum) {
  QFont font(fonts.SerifBold);
  font.setBold(true);
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(Crimson);
  const QString numeral = Utf8(astro::ArcanaNumerals[arcanum]);
  p.drawText(NumeralBand, Qt::AlignCenter, numeral);
  const double half = QFontMetricsF(font).horizontalAdvance(numeral) / 2;
  const double y = NumeralBand.center().y();
  for (double side : {-1.0, 1.0}) {
    Diamond(p, QPointF(W / 2.0 + side * (half + 6), y), 2.2, Gold);
    p.setPen(QPen(Gold, 0.8));
    p.drawLine(QPointF(W / 2.0 + side * (half + 10), y), QPointF(W / 2.0 + side * 30, y));
  }
}

void DrawEmblemPanel(QPainter& p, int arcanum) {
  p.save();
  p.translate(EmblemPanel.topLeft());
  p.setClipRect(QRectF(0, 0, EmblemWidth, EmblemHeight));
  DrawEmblem(p, arcanum);
  p.restore();
  p.setPen(QPen(Indigo, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(EmblemPanel.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void DrawLetterSeal(QPainter& p, const TArtworkFonts& fonts, int arcanum) {
  p.setPen(QPen(Gold, 1.4));
  p.setBrush(Ivory);
  p.drawEllipse(LetterSeal, SealRadius, SealRadius);
  p.setPen(QPen(GoldDark, 0.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(LetterSeal, SealRadius - 2, SealRadius - 2);
  QFont font(fonts.SansBold);
  font.setBold(true);
  font.setPixelSize(11);
  const QChar letter(HebrewLetters[static_cast<std::size_t>(arcanum - 1)]);
  const QRectF ink = QFontMetricsF(font).tightBoundingRect(letter);
  p.setFont(font);
  p.setPen(Indigo);
  p.drawText(LetterSeal - ink.center(), QString(letter));
}

// The pattern of the back; only its upper left quarter is kept, the rest is mirrored from it.
void DrawBackPattern(QPainter& p) {
  QLinearGradient field(0, 0, 0, H / 2.0);
  field.setColorAt(0, Indigo);
  field.setColorAt(1, IndigoDark);
  p.fillRect(QRect(0, 0, W, H), field);
  const QPointF c(W / 2.0, H / 2.0);
  // A lattice of fine gold lines centred on the card.
  p.save();
  p.setClipRect(QRectF(8, 8, W - 16, H - 16));
  p.setPen(QPen(QColor(214, 170, 62, 70), 0.7));
  for (double d = -160; d <= 160; d += 9) {
    p.drawLine(c + QPointF(d - 100, -100), c + QPointF(d + 100, 100));
    p.drawLine(c + QPointF(d + 100, -100), c + QPointF(d - 100, 100));
  }
  p.restore();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Gold, 1));
  p.drawRect(QRectF(3.5, 3.5, W - 7, H - 7));
  p.setPen(QPen(GoldDark, 1));
  p.drawRect(QRectF(6.5, 6.5, W - 13, H - 13));
  p.setPen(QPen(Gold, 1));
  p.drawRect(QRectF(8.5, 8.5, W - 17, H - 17));
  // Quarter rosettes in the corners and stars at the ends of the long axis.
  for (const QPointF corner : {QPointF(9, 9), QPointF(W - 9, 9)}) {
    p.setPen(QPen(Gold, 0.8));
    p.drawEllipse(corner, 10, 10);
    p.drawEllipse(corner, 6, 6);
    Diamond(p, corner, 3, GoldLight);
  }
  QPolygonF star;
  for (int k = 0; k < 8; ++k) {
    const double a = k * M_PI / 4 - M_PI / 2;
    const double r = k % 2 == 0 ? 8 : 2.5;
    star << QPointF(c.x() + r * std::cos(a), 28 + r * std::sin(a));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Gold);
  p.drawPolygon(star);
  // The central medallion: rings and an eight-pointed star.
  QRadialGradient glow(c, 26);
  glow.setColorAt(0, QColor(246, 218, 130, 120));
  glow.setColorAt(1, QColor(246, 218, 130, 0));
  p.setBrush(glow);
  p.drawEllipse(c, 26, 26);
  p.setBrush(IndigoDark);
  p.setPen(QPen(Gold, 1.4));
  p.drawEllipse(c, 21, 21);
  p.setPen(QPen(GoldDark, 0.7));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, 17.5, 17.5);
  for (double turn : {0.0, 45.0}) {
    p.save();
    p.translate(c);
    p.rotate(turn);
    p.setPen(QPen(GoldDark, 0.6));
    p.setBrush(turn == 0 ? Gold : GoldLight);
    p.drawRect(QRectF(-10.5, -10.5, 21, 21));
    p.restore();
  }
  p.setPen(QPen(GoldDark, 0.8));
  p.setBrush(Indigo);
  p.drawEllipse(c, 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(GoldLight);
  p.drawEllipse(c, 2.4, 2.4);
}

} // namespace

QImage DrawCardFace(const TArtworkFonts& fonts, int arcanum) {
  QImage card(W, H, QImage::Format_RGB32);
  QPainter p(&card);
  Antialias(p);
  DrawFrame(p);
  DrawNumeral(p, fonts, arcanum);
  DrawEmblemPanel(p, arcanum);
  DrawLetterSeal(p, fonts, arcanum);
  DrawName(p, fonts, Utf8(astro::ArcanaNames[arcanum]));
  return card;
}

QImage DrawCardBack() {
  QImage card(W, H, QImage::Format_RGB32);
  {
    QPainter p(&card);
    Antialias(p);
    DrawBackPattern(p);
  }
  // Mirror the left half onto the right and the upper half onto the lower, so the back is
  // exactly the same whichever way the card lies.
  QPainter p(&card);
  p.drawImage(W / 2, 0, card.copy(0, 0, W / 2, H).mirrored(true, false));
  p.drawImage(0, H / 2, card.copy(0, 0, W, H / 2).mirrored(false, true));
  return card;
}

QImage DrawCardStrip(const TArtworkFonts& fonts) {
  QImage strip(taro::StripWidth, H, QImage::Format_RGB32);
  QPainter p(&strip);
  for (int arcanum = 1; arcanum <= astro::kArcanaCount; ++arcanum) {
    p.drawImage((arcanum - 1) * W, 0, DrawCardFace(fonts, arcanum));
  }
  p.drawImage((taro::BackCell - 1) * W, 0, DrawCardBack());
  return strip;
}
