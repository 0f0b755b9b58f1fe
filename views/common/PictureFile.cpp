// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

// Four bytes a pixel at most, plus the chunks' own bytes.
constexpr qint64 MaxFileBytes = MaxPicturePixels * 4 + (1 << 20);

const QByteArray PngSignature("\x89PNG\r\n\x1A\n", 8);

bool IsEssentialChunk(const QByteArray& type) {
  return type == "IHDR" || type == "PLTE" || type == "tRNS" || type == "IDAT" || type == "IEND";
}

// The PNG with only its essential chunks, ended at IEND or at the first chunk that does not fit
// in the data (a decoder would allocate whatever length such a chunk declares). Empty for data
// that is no PNG.
QByteArray EssentialChunks(const QByteArray& data) {
  if (!data.startsWith(PngSignature))
    return {};
  QByteArray kept = PngSignature;
  qsizetype at = PngSignature.size();
  while (at + 12 <= data.size()) {
    const quint32 length = qFromBigEndian<quint32>(data.constData() + at);
    if (length > quint64(data.size() - at - 12))
      break;
    const QByteArray type = data.mid(at + 4, 4);
    if (IsEssentialChunk(type))
      kept += data.mid(at, 12 + qsizetype(length));
    at += 12 + qsizetype(length);
    if (type == "IEND")
      return kept;
  }
  return kept + QByteArray("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
}

} // namespace

QImage LoadBoundedPicture(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
    return {};
  return DecodeBoundedPicture(file.readAll());
}

QImage DecodeBoundedPicture(const QByteArray& data) {
  QByteArray png = EssentialChunks(data);
  if (png.isEmpty())
    return {};
  QBuffer buffer(&png);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels)
    return {};
  reader.setAllocationLimit(int(MaxPicturePixels * 4 / (1024 * 1024)));
  return reader.read();
}
