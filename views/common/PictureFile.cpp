// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include <QBuffer>
#include <QImageReader>

namespace {

QImage ReadBounded(QImageReader& reader) {
  const QSize size = reader.size();
  if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels)
    return {};
  reader.setAllocationLimit(int(MaxPicturePixels * 4 / (1024 * 1024)));
  return reader.read();
}

} // namespace

QImage LoadBoundedPicture(const QString& fileName) {
  QImageReader reader(fileName);
  return ReadBounded(reader);
}

QImage DecodeBoundedPicture(const QByteArray& data) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return ReadBounded(reader);
}
