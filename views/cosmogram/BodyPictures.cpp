// SPDX-License-Identifier: GPL-3.0-or-later
#include "BodyPictures.h"

namespace {

constexpr int Bodies = 10;

// The strip of all ten pictures, body b at x = 22 (b - 1), decoded once.
const QImage& Strip() {
  static const QImage strip =
      QImage(QStringLiteral(":/cosmogram/bodies.png")).convertToFormat(QImage::Format_RGB32);
  return strip;
}

} // namespace

QImage BodyPicture(int Body) {
  const QImage& strip = Strip();
  if (Body < 1 || Body > Bodies || strip.width() < Bodies * BodyPictureSize) {
    return {};
  }
  return strip.copy((Body - 1) * BodyPictureSize, 0, BodyPictureSize, BodyPictureSize);
}
