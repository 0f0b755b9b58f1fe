// SPDX-License-Identifier: GPL-3.0-or-later
#include "Jpeg.h"

#include "TreeTestApp.h"

#include <QFile>
#include <QPainter>
#include <cstdlib>

namespace {

QImage TestPicture() {
  QImage image(553, 800, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.fillRect(40, 40, 200, 100, QColor(229, 0, 0));
  painter.fillRect(300, 500, 120, 200, QColor(0, 0, 229));
  return image;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// The exception's text, or empty when none was thrown.
template <typename F> std::string ErrorOf(F f) {
  try {
    f();
  } catch (const TJpegError& error) {
    return error.what();
  }
  return {};
}

} // namespace

TEST(Jpeg, SavedPictureLoadsBackWithItsSizeAndColours) {
  const QString path = ScratchDir() + "/picture.jpg";
  const QImage original = TestPicture();
  SaveJpeg(original, path);
  const QImage loaded = LoadJpeg(path);
  ASSERT_EQ(loaded.size(), original.size());
  EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
  // Inside flat areas the default quality keeps colours close.
  EXPECT_LE(ChannelDistance(loaded.pixel(100, 80), qRgb(229, 0, 0)), 12);
  EXPECT_LE(ChannelDistance(loaded.pixel(360, 600), qRgb(0, 0, 229)), 12);
  EXPECT_LE(ChannelDistance(loaded.pixel(500, 20), qRgb(255, 255, 255)), 3);
}

TEST(Jpeg, HighQualityKeepsEdgesSharp) {
  const QImage original = TestPicture();
  const QImage best = DecodeJpeg(EncodeJpeg(original, 100), "best");
  const QImage standard = DecodeJpeg(EncodeJpeg(original), "default");
  // One pixel outside the red box: full-resolution colour leaves it near white.
  EXPECT_LE(ChannelDistance(best.pixel(39, 80), qRgb(255, 255, 255)), 8);
  EXPECT_LT(EncodeJpeg(original).size(), EncodeJpeg(original, 100).size());
  EXPECT_FALSE(standard.isNull());
}

TEST(Jpeg, OtherPixelFormatsAreEncodedToo) {
  QImage grey(30, 20, QImage::Format_Grayscale8);
  grey.fill(128);
  const QImage loaded = DecodeJpeg(EncodeJpeg(grey), "grey");
  ASSERT_EQ(loaded.size(), QSize(30, 20));
  EXPECT_LE(ChannelDistance(loaded.pixel(10, 10), qRgb(128, 128, 128)), 3);
}

TEST(Jpeg, DamagedFilesAreErrorsNamingTheFile) {
  const QString folder = ScratchDir();
  const QByteArray good = EncodeJpeg(TestPicture());

  const QString truncated = folder + "/truncated.jpg";
  WriteBytes(truncated, good.left(good.size() / 2));
  const std::string truncatedError = ErrorOf([&] { LoadJpeg(truncated); });
  EXPECT_NE(truncatedError.find("truncated.jpg"), std::string::npos) << truncatedError;

  QByteArray scrambled = good;
  for (qsizetype i = scrambled.size() / 3; i < scrambled.size() - 2; i += 7) {
    scrambled[i] = static_cast<char>(0xFF); // markers in the middle of the entropy data
  }
  const QString corrupt = folder + "/corrupt.jpg";
  WriteBytes(corrupt, scrambled);
  EXPECT_NE(ErrorOf([&] { LoadJpeg(corrupt); }).find("corrupt.jpg"), std::string::npos);

  const QString text = folder + "/text.jpg";
  WriteBytes(text, "this is not a picture");
  EXPECT_NE(ErrorOf([&] { LoadJpeg(text); }).find("Invalid JPEG file"), std::string::npos);

  const QString empty = folder + "/empty.jpg";
  WriteBytes(empty, QByteArray());
  EXPECT_NE(ErrorOf([&] { LoadJpeg(empty); }).find("empty.jpg"), std::string::npos);

  // Only the header survives: the decoder must stop at the end of the data.
  EXPECT_FALSE(ErrorOf([&] { DecodeJpeg(good.left(700), "header"); }).empty());
}

TEST(Jpeg, EveryPrefixOfAFileIsAnErrorOrAPicture) {
  QImage small(16, 16, QImage::Format_RGB32);
  small.fill(QColor(10, 200, 30));
  const QByteArray good = EncodeJpeg(small);
  for (qsizetype n = 0; n < good.size(); ++n) {
    try {
      const QImage image = DecodeJpeg(good.left(n), "prefix");
      EXPECT_EQ(image.size(), QSize(16, 16));
    } catch (const TJpegError&) {
    }
  }
  EXPECT_EQ(DecodeJpeg(good, "whole").size(), QSize(16, 16));
}

TEST(Jpeg, FileErrorsCarryTheirTexts) {
  const QString folder = ScratchDir();
  EXPECT_EQ(ErrorOf([&] { LoadJpeg(folder + "/absent.jpg"); }),
            ("Cannot open file " + folder + "/absent.jpg").toStdString());
  const QString unwritable = folder + "/no such folder/out.jpg";
  EXPECT_EQ(ErrorOf([&] { SaveJpeg(TestPicture(), unwritable); }),
            ("Cannot create file " + unwritable).toStdString());
  EXPECT_FALSE(QFile::exists(unwritable));
  EXPECT_FALSE(ErrorOf([&] { EncodeJpeg(QImage()); }).empty());
}
