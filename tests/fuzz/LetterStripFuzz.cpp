// SPDX-License-Identifier: GPL-3.0-or-later
// The letter strip as the tree frame loads and uses it: every body's letters copied from it.
#include "FuzzFiles.h"
#include "PictureFile.h"
#include "TreeDrawing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QImage strip =
      LoadBoundedPicture(QString::fromStdString(fuzz::WriteInput(data, size, "letters.png")));
  if (strip.isNull())
    return 0;
  QImage picture(553, 800, QImage::Format_RGB32);
  picture.fill(Qt::white);
  for (int body = 1; body <= 10; ++body)
    DrawLetters(picture, strip, body, {body, 23 - body, body + 11});
  return 0;
}
