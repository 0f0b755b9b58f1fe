// SPDX-License-Identifier: GPL-3.0-or-later
#include "LetterStrip.h"

#include "PictureFile.h"
#include "ProgramFiles.h"

#include <QFileInfo>

QImage LoadLetterStrip(const std::string& IniFileName) {
  const QString file = files::DataFilePath(IniFileName, LetterStripFileName);
  const QImage strip = QFileInfo(file).isFile() ? LoadBoundedPicture(file) : QImage();
  return strip.isNull() ? strip : strip.convertToFormat(QImage::Format_RGB32);
}
