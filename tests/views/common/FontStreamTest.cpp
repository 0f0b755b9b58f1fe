// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontStream.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

const QColor Paper(255, 255, 255);
const QColor Ink(200, 0, 0);

// A font image built in memory: magic, header counts, glyph row words.
class TFontImage {
public:
  TFontImage(int rows = 15, int columns = 15) : Bytes(TFontFileStream::FileSize, 0) {
    Bytes[0] = 'F';
    Bytes[1] = 'N';
    Bytes[2] = 'T';
    PutInt(260, rows);
    PutInt(264, columns);
  }
  void SetRow(int code, int row, std::uint16_t word) {
    const int at = 268 + 30 * (code - 1) + 2 * (row - 1);
    Bytes[at] = std::uint8_t(word & 0xFF);
    Bytes[at + 1] = std::uint8_t(word >> 8);
  }
  void PutInt(int at, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
      Bytes[at + i] = std::uint8_t(std::uint32_t(value) >> (8 * i));
  }
  QString Write(const QTemporaryDir& dir, const QString& name, qsizetype size = -1) const {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(Bytes.data()),
               size < 0 ? qsizetype(Bytes.size()) : size);
    return path;
  }
  std::vector<std::uint8_t> Bytes;
};

QImage Canvas(int w = 20, int h = 20) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Paper);
  return image;
}

std::vector<QPoint> InkedPixels(const QImage& image, const QColor& color = Ink) {
  std::vector<QPoint> out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == color)
        out.emplace_back(x, y);
  return out;
}

class SharedFontTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    FreeSymbolFont();
  }
  void TearDown() override { FreeSymbolFont(); }
  QTemporaryDir dir;
};

} // namespace

TEST(FontFileStream, BitKIsColumnKPlusOneAndOnlyColumnsBitsAreUsed) {
  QTemporaryDir dir;
  TFontImage font;
  font.SetRow(16, 1, 0x0001);  // leftmost pixel
  font.SetRow(16, 2, 0x4000);  // column 15
  font.SetRow(16, 3, 0x8000);  // bit 15: outside 15 columns, ignored
  font.SetRow(16, 15, 0x0003); // bottom row, columns 1 and 2
  const TFontFileStream stream(font.Write(dir, "font.fnt"));
  ASSERT_TRUE(stream.IsValid());
  QImage canvas = Canvas();
  stream.DrawGlyph(&canvas, 2, 3, Ink, 16);
  const std::vector<QPoint> expected{{2, 3}, {16, 4}, {2, 17}, {3, 17}};
  EXPECT_EQ(InkedPixels(canvas), expected);
}

TEST(FontFileStream, RowsAndColumnsLimitTheDrawnCellButNotTheGlyphStride) {
  QTemporaryDir dir;
  TFontImage font(2, 3);
  font.SetRow(20, 1, 0xFFFF);
  font.SetRow(20, 2, 0x0004);
  font.SetRow(20, 3, 0xFFFF); // beyond Rows
  font.SetRow(21, 1, 0x0001); // next glyph still 30 bytes on
  const TFontFileStream stream(font.Write(dir, "font.fnt"));
  QImage canvas = Canvas();
  stream.DrawGlyph(&canvas, 0, 0, Ink, 20);
  stream.DrawGlyph(&canvas, 10, 10, Ink, 21);
  const std::vector<QPoint> expected{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {10, 10}};
  EXPECT_EQ(InkedPixels(canvas), expected);

  QImage cell = Canvas();
  stream.FillCell(&cell, 5, 5, Ink);
  EXPECT_EQ(InkedPixels(cell).size(), 6u); // 3 columns x 2 rows
}

TEST(FontFileStream, ClearBitsLeaveTheCanvasAndTheLaterColourWins) {
  QTemporaryDir dir;
  TFontImage font;
  font.SetRow(30, 1, 0x0005); // columns 1 and 3
  const TFontFileStream stream(font.Write(dir, "font.fnt"));
  QImage canvas = Canvas();
  canvas.setPixelColor(1, 0, Qt::blue);
  stream.DrawGlyph(&canvas, 0, 0, Qt::green, 30);
  stream.DrawGlyph(&canvas, 0, 0, Ink, 30);
  EXPECT_EQ(canvas.pixelColor(0, 0), Ink);
  EXPECT_EQ(canvas.pixelColor(1, 0), QColor(Qt::blue));
  EXPECT_EQ(canvas.pixelColor(2, 0), Ink);
}

TEST(FontFileStream, OutOfRangeCodesNullCanvasAndEdgesAreHarmless) {
  QTemporaryDir dir;
  TFontImage font;
  for (int r = 1; r <= 15; ++r)
    font.SetRow(255, r, 0x7FFF);
  const TFontFileStream stream(font.Write(dir, "font.fnt"));
  QImage canvas = Canvas(10, 10);
  stream.DrawGlyph(nullptr, 0, 0, Ink, 255);
  stream.DrawGlyph(&canvas, 0, 0, Ink, 0);
  stream.DrawGlyph(&canvas, 0, 0, Ink, 256);
  stream.DrawGlyph(&canvas, 0, 0, Ink, -5);
  EXPECT_TRUE(InkedPixels(canvas).empty());
  // Glyph 255 is the last slot; a cell hanging over the canvas edges is clipped.
  stream.DrawGlyph(&canvas, -7, 5, Ink, 255);
  EXPECT_EQ(InkedPixels(canvas).size(), std::size_t(8 * 5));
  QImage null;
  stream.FillCell(&null, 0, 0, Ink);
  stream.FillCell(nullptr, 0, 0, Ink);
}

TEST(FontFileStream, MissingWrongMagicShortAndOversizedFiles) {
  QTemporaryDir dir;
  const TFontFileStream missing(dir.filePath("absent.fnt"));
  EXPECT_FALSE(missing.IsValid());
  EXPECT_EQ(missing.FileName(), dir.filePath("absent.fnt"));

  TFontImage font;
  font.SetRow(16, 1, 0x0001);
  TFontImage wrong = font;
  wrong.Bytes[2] = 'X';
  const TFontFileStream bad(wrong.Write(dir, "bad.fnt"));
  EXPECT_FALSE(bad.IsValid());
  for (std::uint8_t b : bad.Data())
    ASSERT_EQ(b, 0);
  QImage canvas = Canvas();
  bad.DrawGlyph(&canvas, 0, 0, Ink, 16);
  bad.FillCell(&canvas, 0, 0, Ink);
  EXPECT_TRUE(InkedPixels(canvas).empty());

  // Short: magic only. The header counts stay zero, so nothing is drawn.
  const TFontFileStream magicOnly(font.Write(dir, "magic.fnt", 3));
  EXPECT_TRUE(magicOnly.IsValid());
  magicOnly.FillCell(&canvas, 0, 0, Ink);
  EXPECT_TRUE(InkedPixels(canvas).empty());

  // Short in the glyphs: the tail is zero (glyph 16 present, glyph 200 blank).
  TFontImage partial = font;
  partial.SetRow(200, 1, 0xFFFF);
  const TFontFileStream cut(partial.Write(dir, "cut.fnt", 268 + 30 * 20));
  cut.DrawGlyph(&canvas, 0, 0, Ink, 200);
  EXPECT_TRUE(InkedPixels(canvas).empty());
  cut.DrawGlyph(&canvas, 0, 0, Ink, 16);
  EXPECT_EQ(InkedPixels(canvas).size(), 1u);

  // Oversized: only the first 7920 bytes are taken.
  TFontImage big = font;
  big.Bytes.resize(20000, 0xFF);
  const TFontFileStream large(big.Write(dir, "big.fnt"));
  EXPECT_TRUE(large.IsValid());
  EXPECT_EQ(large.Data()[7919], 0);
}

TEST(FontFileStream, CorruptCountsAreLimitedToTheGlyphCell) {
  QTemporaryDir dir;
  TFontImage font(1000000, -3);
  const TFontFileStream negative(font.Write(dir, "neg.fnt"));
  EXPECT_EQ(negative.Rows(), 15);
  EXPECT_EQ(negative.Columns(), 0);
  TFontImage huge(15, 99);
  for (int r = 1; r <= 15; ++r)
    huge.SetRow(255, r, 0xFFFF);
  const TFontFileStream wide(huge.Write(dir, "wide.fnt"));
  EXPECT_EQ(wide.Columns(), 16);
  QImage canvas = Canvas(40, 40);
  wide.DrawGlyph(&canvas, 0, 0, Ink, 255);
  EXPECT_EQ(InkedPixels(canvas).size(), std::size_t(16 * 15));
}

TEST(FontFileStream, ReadOnlyFileLoadsAndAnUnopenableOneThrowsNamingIt) {
  QTemporaryDir dir;
  TFontImage font;
  const QString path = font.Write(dir, "font.fnt");
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EXPECT_TRUE(TFontFileStream(path).IsValid());

  // A folder of that name exists but is not a readable file.
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.fnt"));
  const QString folder = dir.filePath("folder.fnt");
  try {
    TFontFileStream stream(folder);
    FAIL() << "expected a file error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot open file " + folder.toStdString()),
              std::string::npos)
        << e.what();
  }
}

TEST_F(SharedFontTest, LoadFreeAndDrawThroughTheSharedFont) {
  TFontImage font;
  font.SetRow(64, 8, 0x0080); // column 8, row 8
  const QString path = font.Write(dir, "font.fnt");
  QImage canvas = Canvas();

  EXPECT_FALSE(FreeSymbolFont());
  DrawSymbol(&canvas, 0, 0, Ink, 64);
  ClearSymbolCell(&canvas, 0, 0, Ink);
  EXPECT_TRUE(InkedPixels(canvas).empty()) << "no font loaded: drawing is a no-op";

  EXPECT_FALSE(LoadSymbolFont(dir.filePath("absent.fnt")));
  TFontImage wrong = font;
  wrong.Bytes[0] = 'f';
  EXPECT_FALSE(LoadSymbolFont(wrong.Write(dir, "wrong.fnt")));
  DrawSymbol(&canvas, 0, 0, Ink, 64);
  EXPECT_TRUE(InkedPixels(canvas).empty());

  EXPECT_TRUE(LoadSymbolFont(path));
  // A cleared cell then the glyph: the glyph on a uniform cell.
  ClearSymbolCell(&canvas, 1, 1, Qt::yellow);
  DrawSymbol(&canvas, 1, 1, Ink, 64);
  EXPECT_EQ(InkedPixels(canvas), std::vector<QPoint>{QPoint(8, 8)});
  EXPECT_EQ(InkedPixels(canvas, Qt::yellow).size(), std::size_t(15 * 15 - 1));

  // A failed load keeps the loaded font.
  EXPECT_FALSE(LoadSymbolFont(dir.filePath("absent.fnt")));
  QImage again = Canvas();
  DrawSymbol(&again, 0, 0, Ink, 64);
  EXPECT_EQ(InkedPixels(again).size(), 1u);

  EXPECT_TRUE(FreeSymbolFont());
  EXPECT_FALSE(FreeSymbolFont());
  QImage after = Canvas();
  DrawSymbol(&after, 0, 0, Ink, 64);
  EXPECT_TRUE(InkedPixels(after).empty());
}

TEST_F(SharedFontTest, DoubledSeparatorNamesTheSameFile) {
  TFontImage font;
  font.Write(dir, "font.fnt");
  EXPECT_TRUE(LoadSymbolFont(dir.path() + "//font.fnt"));
}
