// SPDX-License-Identifier: GPL-3.0-or-later
#include "BodyPictures.h"

QImage BodyPicture(int Body) {
  static const QImage strip =
      QImage(QStringLiteral(":/cosmogram/bodies.png")).convertToFormat(QImage::Format_RGB32);
  if (Body < 1 || Body > 10 || strip.isNull()) {
    return QImage();
  }
  return strip.copy(22 * (Body - 1), 0, 22, 22);
}
