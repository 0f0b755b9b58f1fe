// SPDX-License-Identifier: GPL-3.0-or-later
#include "TaroBase.h"

#include <QFileInfo>

TTaroBase::TTaroBase(const QString& FileName) : FileName_(FileName), Texts_(TextCount) {
  for (int i = 1; i <= TextCount; ++i) {
    Header_[i - 1].Offset = HeaderSize - 1 + i;
  }
  // A folder is not a base file: it is treated as a missing file that cannot be created.
  const QFileInfo info(FileName);
  if (FileName.isEmpty() || !info.exists() || info.isDir()) {
    textbase::CreateFileWith(FileName, EmptyBaseBytes());
    return;
  }
  // Only ever read, so opened read-only: a read-only install works.
  const QByteArray file = textbase::ReadWholeFile(FileName);
  // A short file overwrites only the header bytes it has; the rest keeps the defaults.
  textbase::ReadRecords(file, Header_, false);
  Texts_ = textbase::TextsOf(file, Header_);
}

const QStringList& TTaroBase::Texts(int i) const {
  static const QStringList none;
  return (i >= 1 && i <= TextCount) ? Texts_[i - 1] : none;
}

QByteArray TTaroBase::EmptyBaseBytes() {
  QByteArray bytes;
  bytes.reserve(HeaderSize + TextCount);
  for (int i = 1; i <= TextCount; ++i) {
    const int32_t values[2] = {1, HeaderSize - 1 + i};
    for (int32_t value : values) {
      for (int b = 0; b < 4; ++b) {
        bytes.append(char(uint32_t(value) >> (8 * b)));
      }
    }
    bytes.append(512, '\0');
  }
  bytes.append(TextCount, '\0');
  return bytes;
}
