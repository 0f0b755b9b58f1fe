// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped glyph art: its text form, its packing into font.fnt, and a sheet of all glyphs
// (scaled up) written to the test output folder for a person to look at.
#include "FileText.h"
#include "FontStream.h"
#include "GlyphArt.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <map>
#include <set>
#include <stdexcept>

namespace {

const std::string ArtPath = std::string(ASTRAVIA_SOURCE_DIR) + "/data/glyphs.txt";

std::vector<int> UsedCodes() {
  std::vector<int> codes;
  for (int b = 1; b <= 10; ++b)
    codes.push_back(15 + b);
  for (int point = 26; point <= 30; ++point)
    codes.push_back(point);
  for (int s = 1; s <= 12; ++s)
    codes.push_back(47 + s);
  for (int a = 1; a <= 18; ++a)
    codes.push_back(63 + a);
  return codes;
}

std::string Block(int code, const std::vector<std::string>& rows) {
  std::string out = "[" + std::to_string(code) + "] test\n";
  for (const auto& r : rows)
    out += r + "\n";
  return out;
}

std::vector<std::string> Rows(const std::string& first, const std::string& fill) {
  std::vector<std::string> rows(15, fill);
  rows[0] = first;
  return rows;
}

void ExpectParseError(const std::string& text, const std::string& fragment) {
  try {
    fontart::ParseGlyphArt(text, "art.txt");
    ADD_FAILURE() << "no error for: " << fragment;
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind("art.txt:", 0), 0u) << e.what();
  }
}

} // namespace

TEST(GlyphArt, ParsesRowsIntoWordsAndRoundTrips) {
  const std::string dots(15, '.');
  auto rows = Rows("#.............#", dots);
  rows[14] = ".#.............";
  const std::string text = "; comment\n\n" + Block(7, rows) + "\r\n";
  const auto glyphs = fontart::ParseGlyphArt(text, "art.txt");
  ASSERT_EQ(glyphs.size(), 1u);
  EXPECT_EQ(glyphs[0].Code, 7);
  EXPECT_EQ(glyphs[0].Meaning, "test");
  EXPECT_EQ(glyphs[0].Rows[0], 0x4001);
  EXPECT_EQ(glyphs[0].Rows[14], 0x0002);
  const auto again = fontart::ParseGlyphArt(fontart::FormatGlyphArt(glyphs[0]), "x");
  EXPECT_EQ(again[0].Rows, glyphs[0].Rows);
}

TEST(GlyphArt, MalformedBlocksAreRejectedWithTheirLine) {
  const std::string dots(15, '.');
  ExpectParseError("16 no brackets\n", "expected a glyph header");
  ExpectParseError(Block(0, Rows(dots, dots)), "outside 1..255");
  ExpectParseError(Block(256, Rows(dots, dots)), "outside 1..255");
  ExpectParseError("[1x] a\n", "malformed glyph code");
  ExpectParseError(Block(5, Rows(dots, dots)) + Block(5, Rows(dots, dots)), "appears twice");
  ExpectParseError(Block(5, Rows("..............", dots)), "exactly 15");
  ExpectParseError(Block(5, Rows("...............#", dots)), "exactly 15");
  ExpectParseError(Block(5, Rows("......x........", dots)), "only '#' and '.'");
  auto shortBlock = Block(5, Rows(dots, dots));
  shortBlock.resize(shortBlock.size() - 16 * 3);
  ExpectParseError(shortBlock, "fewer than 15 rows");
}

TEST(GlyphArt, PackedImageHasTheFileLayout) {
  fontart::TGlyphArt glyph;
  glyph.Code = 255;
  glyph.Rows[0] = 0x1234;
  glyph.Rows[14] = 0x7ABC;
  const auto image = fontart::PackFontImage({glyph});
  ASSERT_EQ(image.size(), 7920u);
  EXPECT_EQ(std::string(image.begin(), image.begin() + 3), "FNT");
  EXPECT_EQ(image[260], 15);
  EXPECT_EQ(image[264], 15);
  EXPECT_EQ(image[268 + 30 * 254], 0x34);
  EXPECT_EQ(image[268 + 30 * 254 + 1], 0x12);
  EXPECT_EQ(image[268 + 30 * 254 + 28], 0xBC);
  EXPECT_EQ(image[268 + 30 * 254 + 29], 0x7A);
  EXPECT_EQ(image[7918], 0);
}

TEST(ShippedGlyphArt, HasExactlyTheUsedGlyphsAllDistinctAndNoneEmpty) {
  const auto glyphs = fontart::ParseGlyphArt(ReadFileText(ArtPath), ArtPath);
  std::map<int, fontart::TGlyphArt> byCode;
  for (const auto& g : glyphs)
    byCode[g.Code] = g;
  const auto used = UsedCodes();
  ASSERT_EQ(glyphs.size(), used.size());
  std::set<std::array<std::uint16_t, 15>> shapes;
  for (int code : used) {
    ASSERT_TRUE(byCode.count(code)) << "glyph " << code << " missing";
    const auto& rows = byCode[code].Rows;
    int painted = 0;
    for (auto word : rows)
      painted += __builtin_popcount(word);
    EXPECT_GE(painted, 12) << "glyph " << code << " is (nearly) empty";
    EXPECT_TRUE(shapes.insert(rows).second) << "glyph " << code << " repeats another";
  }
}

TEST(ShippedGlyphArt, TheBuiltFontFileIsThePackedArt) {
  const QString built = QStringLiteral(ASTRAVIA_RUN_DIR "/font.fnt");
  QFile file(built);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "font.fnt not built";
  const QByteArray bytes = file.readAll();
  const auto packed =
      fontart::PackFontImage(fontart::ParseGlyphArt(ReadFileText(ArtPath), ArtPath));
  ASSERT_EQ(bytes.size(), 7920);
  EXPECT_TRUE(std::equal(packed.begin(), packed.end(),
                         reinterpret_cast<const std::uint8_t*>(bytes.constData())));
}

// Draws every used glyph through the shared font (as the views do) into one sheet, each pixel
// scaled up, and checks the drawing against the art pixel for pixel.
TEST(ShippedGlyphArt, DrawsThroughTheSymbolFontIntoASheet) {
  ASSERT_TRUE(LoadSymbolFont(QStringLiteral(ASTRAVIA_RUN_DIR "/font.fnt")));
  const auto glyphs = fontart::ParseGlyphArt(ReadFileText(ArtPath), ArtPath);
  const QColor ink(20, 20, 20), paper(255, 255, 255), cellColour(236, 236, 226);
  constexpr int Scale = 8, Cell = 15, Gap = 6, PerRow = 10;
  const auto used = UsedCodes();
  const int rows = int((used.size() + PerRow - 1) / PerRow);
  QImage sheet(PerRow * (Cell * Scale + Gap) + Gap, rows * (Cell * Scale + Gap) + Gap,
               QImage::Format_RGB32);
  sheet.fill(paper);
  QPainter painter(&sheet);
  for (std::size_t i = 0; i < used.size(); ++i) {
    QImage cell(Cell, Cell, QImage::Format_RGB32);
    cell.fill(paper);
    ClearSymbolCell(&cell, 0, 0, cellColour);
    DrawSymbol(&cell, 0, 0, ink, used[i]);
    const auto& art = *std::find_if(glyphs.begin(), glyphs.end(),
                                    [&](const auto& g) { return g.Code == used[i]; });
    for (int r = 0; r < Cell; ++r)
      for (int c = 0; c < Cell; ++c)
        ASSERT_EQ(cell.pixelColor(c, r) == ink, bool(art.Rows[r] >> c & 1u))
            << "glyph " << used[i] << " row " << r + 1 << " column " << c + 1;
    const int x = Gap + int(i % PerRow) * (Cell * Scale + Gap);
    const int y = Gap + int(i / PerRow) * (Cell * Scale + Gap);
    painter.drawImage(QRect(x, y, Cell * Scale, Cell * Scale), cell);
  }
  painter.end();
  FreeSymbolFont();
  const QString out = QStringLiteral(ASTRAVIA_TEST_OUTPUT_DIR "/symbol-font-sheet.png");
  ASSERT_TRUE(sheet.save(out)) << out.toStdString();
}
