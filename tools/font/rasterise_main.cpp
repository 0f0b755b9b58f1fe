// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the first draft of the glyph art: each symbol of DejaVu Sans is rendered large,
// its ink box fitted into the 15 x 15 cell (one pixel of margin), and every cell pixel whose
// area is covered past a threshold becomes '#'. The output is the text form of data/glyphs.txt;
// the shipped art was touched up by hand from it, so this tool is not part of the build's chain.
// Usage: astravia_font_rasterise [font.ttf] > draft.txt
#include "GlyphArt.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>

namespace {

struct TDraftGlyph {
  int Code;
  const char* Meaning;
  const char* Text; // UTF-8: a symbol, or the letters of a notation
};

// Codes: body b at 15 + b, the chart points at 26..30, sign s at 47 + s, aspect a at 63 + a.
constexpr TDraftGlyph DraftGlyphs[] = {
    {16, "body 1 Sun ☉", "☉"},
    {17, "body 2 Moon ☽", "☽"},
    {18, "body 3 Mercury ☿", "☿"},
    {19, "body 4 Venus ♀", "♀"},
    {20, "body 5 Mars ♂", "♂"},
    {21, "body 6 Jupiter ♃", "♃"},
    {22, "body 7 Saturn ♄", "♄"},
    {23, "body 8 Uranus ♅", "♅"},
    {24, "body 9 Neptune ♆", "♆"},
    {25, "body 10 Pluto ♇", "♇"},
    {26, "point north lunar node ☊", "☊"},
    {27, "point south lunar node ☋", "☋"},
    {28, "point Black Moon Lilith ⚸", "⚸"},
    {29, "point Chiron ⚷", "⚷"},
    {30, "point Part of Fortune ⊗", "⊗"},
    {48, "sign 1 Aries ♈", "♈"},
    {49, "sign 2 Taurus ♉", "♉"},
    {50, "sign 3 Gemini ♊", "♊"},
    {51, "sign 4 Cancer ♋", "♋"},
    {52, "sign 5 Leo ♌", "♌"},
    {53, "sign 6 Virgo ♍", "♍"},
    {54, "sign 7 Libra ♎", "♎"},
    {55, "sign 8 Scorpio ♏", "♏"},
    {56, "sign 9 Sagittarius ♐", "♐"},
    {57, "sign 10 Capricorn ♑", "♑"},
    {58, "sign 11 Aquarius ♒", "♒"},
    {59, "sign 12 Pisces ♓", "♓"},
    {64, "aspect 1 conjunction 0° ☌", "☌"},
    {65, "aspect 2 semi-sextile 30° ⚺", "⚺"},
    {66, "aspect 3 semi-quintile 36° sQ", "sQ"},
    {67, "aspect 4 novile 40° N", "N"},
    {68, "aspect 5 semi-square 45° ∠", "∠"},
    {69, "aspect 6 septile 51.43° S", "S"},
    {70, "aspect 7 sextile 60° ⚹", "⚹"},
    {71, "aspect 8 quintile 72° Q", "Q"},
    {72, "aspect 9 bi-novile 80° bN", "bN"},
    {73, "aspect 10 square 90° □", "□"},
    {74, "aspect 11 bi-septile 102.86° bS", "bS"},
    {75, "aspect 12 trine 120° △", "△"},
    {76, "aspect 13 sesqui-square 135° ⚼", "⚼"},
    {77, "aspect 14 bi-quintile 144° bQ", "bQ"},
    {78, "aspect 15 quincunx 150° ⚻", "⚻"},
    {79, "aspect 16 tri-septile 154.29° tS", "tS"},
    {80, "aspect 17 quatro-novile 160° qN", "qN"},
    {81, "aspect 18 opposition 180° ☍", "☍"},
};

constexpr int Large = 240;       // supersampled canvas, pixels
constexpr int Margin = 1;        // clear cell pixels around the fitted ink
constexpr double Coverage = 0.4; // share of a cell pixel that must be inked

QRect InkBox(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// True when the typeface has every character of text (no fallback box would be drawn).
bool InFont(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  for (const char32_t ch : text.toUcs4())
    if (!metrics.inFontUcs4(ch))
      return false;
  return true;
}

fontart::TGlyphArt Rasterise(const TDraftGlyph& draft, const QString& family) {
  fontart::TGlyphArt glyph;
  glyph.Code = draft.Code;
  glyph.Meaning = draft.Meaning;
  if (!InFont(QFont(family), QString::fromUtf8(draft.Text))) {
    glyph.Meaning += " (not in the typeface: left blank, to be drawn by hand)";
    return glyph;
  }
  QImage large(Large, Large, QImage::Format_RGB32);
  large.fill(Qt::white);
  {
    QPainter painter(&large);
    QFont font(family);
    font.setPixelSize(Large * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(large.rect(), Qt::AlignCenter, QString::fromUtf8(draft.Text));
  }
  const QRect ink = InkBox(large);
  if (ink.isNull())
    return glyph;
  const int box = fontart::GlyphCells - 2 * Margin;
  const double scale = std::max(ink.width(), ink.height()) / double(box); // large px per cell px
  const double originX = ink.center().x() + 0.5 - scale * fontart::GlyphCells / 2.0;
  const double originY = ink.center().y() + 0.5 - scale * fontart::GlyphCells / 2.0;
  for (int r = 0; r < fontart::GlyphCells; ++r)
    for (int c = 0; c < fontart::GlyphCells; ++c) {
      int inked = 0, total = 0;
      for (double y = originY + r * scale; y < originY + (r + 1) * scale; y += 1.0)
        for (double x = originX + c * scale; x < originX + (c + 1) * scale; x += 1.0) {
          ++total;
          const int px = int(x), py = int(y);
          if (px >= 0 && py >= 0 && px < Large && py < Large && qGray(large.pixel(px, py)) < 128)
            ++inked;
        }
      if (total > 0 && inked >= Coverage * total)
        glyph.Rows[r] |= static_cast<std::uint16_t>(1u << c);
    }
  return glyph;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString fontFile = argc > 1
                               ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  const int id = QFontDatabase::addApplicationFont(fontFile);
  if (id < 0) {
    std::fprintf(stderr, "astravia_font_rasterise: Cannot open file %s\n", qPrintable(fontFile));
    return 1;
  }
  const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
  std::printf("; Draft rasterised from %s\n\n", qPrintable(fontFile));
  for (const TDraftGlyph& draft : DraftGlyphs)
    std::printf("%s\n", fontart::FormatGlyphArt(Rasterise(draft, family)).c_str());
  return 0;
}
