// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures whose headers declare an enormous size are refused from the header, under a memory
// cap so that a regression fails here instead of swapping the machine.
#include "Jpeg.h"
#include "PictureFile.h"

#include "BoundedRun.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage SmallPicture() {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  return image;
}

// A real JPEG whose frame header is patched to the given marker (0xC0 baseline, 0xC2
// progressive) and size.
QByteArray JpegDeclaring(int width, int height, char frameMarker) {
  QByteArray bytes = EncodeJpeg(SmallPicture());
  const qsizetype frame = bytes.indexOf("\xFF\xC0");
  bytes[frame + 1] = frameMarker;
  qToBigEndian<quint16>(quint16(height), bytes.data() + frame + 5);
  qToBigEndian<quint16>(quint16(width), bytes.data() + frame + 7);
  return bytes;
}

quint32 Crc32(const char* data, qsizetype size) {
  quint32 crc = 0xFFFFFFFFu;
  for (qsizetype i = 0; i < size; ++i) {
    crc ^= quint8(data[i]);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A real PNG whose header chunk is patched to the given size, its checksum recomputed.
QByteArray PngDeclaring(int width, int height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  SmallPicture().save(&buffer, "PNG");
  constexpr int header = 12; // chunk type "IHDR" after the signature and the chunk length
  qToBigEndian<quint32>(quint32(width), bytes.data() + header + 4);
  qToBigEndian<quint32>(quint32(height), bytes.data() + header + 8);
  qToBigEndian<quint32>(Crc32(bytes.constData() + header, 17), bytes.data() + header + 17);
  return bytes;
}

// True when decoding fails with an error naming the file and containing Reason.
bool Refused(const QByteArray& jpeg, const QString& reason) {
  try {
    DecodeJpeg(jpeg, "huge.jpg");
  } catch (const TJpegError& error) {
    const QString message = error.what();
    return message.startsWith("Invalid JPEG file huge.jpg: ") && message.contains(reason);
  }
  return false;
}

} // namespace

TEST(HostilePictures, JpegsDeclaringHugeSizesAreRefusedFromTheHeader) {
  ASSERT_FALSE(DecodeJpeg(JpegDeclaring(16, 16, '\xC0'), "ok.jpg").isNull());
  for (const char marker : {'\xC0', '\xC2'}) {
    EXPECT_TRUE(bounded::Run(64, [&] {
      // Beyond 65500 the library itself refuses; below, the size check does.
      return Refused(JpegDeclaring(65535, 65535, marker), "65500") &&
             Refused(JpegDeclaring(65000, 65000, marker), "too large") &&
             Refused(JpegDeclaring(4097, 4097, marker), "too large");
    })) << int(quint8(marker));
  }
}

TEST(HostilePictures, PngsDeclaringHugeSizesAreRefusedFromTheHeader) {
  ASSERT_EQ(DecodeBoundedPicture(PngDeclaring(16, 16)).size(), QSize(16, 16));
  // A complete picture one pixel wider and taller than the bound: it would decode if let in.
  QImage justTooBig(4097, 4097, QImage::Format_RGB32);
  justTooBig.fill(Qt::white);
  QByteArray complete;
  QBuffer buffer(&complete);
  buffer.open(QIODevice::WriteOnly);
  justTooBig.save(&buffer, "PNG");
  justTooBig = QImage();
  EXPECT_TRUE(bounded::Run(128, [&] {
    return DecodeBoundedPicture(complete).isNull() &&
           DecodeBoundedPicture(PngDeclaring(65535, 65535)).isNull();
  }));
}

TEST(HostilePictures, APngChunkDeclaringHalfAGigabyteIsNeverRead) {
  // Found by fuzzing: a 307-byte strip whose text chunk after the pixels declared 541 MB, which
  // the PNG library allocated before reading. Only the chunks a picture needs are decoded now.
  QByteArray png = PngDeclaring(16, 16);
  QByteArray chunk("\x20\x40\x00\x25tEXtComment\0", 17);
  chunk += QByteArray(30, 'x');
  png.insert(png.size() - 12, chunk); // before IEND, which it swallows
  EXPECT_TRUE(bounded::Run(64, [&] { return DecodeBoundedPicture(png).size() == QSize(16, 16); }));
  EXPECT_TRUE(DecodeBoundedPicture("GIF89a").isNull()); // the strip is a PNG
}
