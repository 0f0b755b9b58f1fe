// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG pictures as the views read them (the masks and the card strip), and a decoded picture
// saved again as the save command does.
#include "FuzzFiles.h"
#include "Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const QImage picture = LoadJpeg(QString::fromStdString(fuzz::WriteInput(data, size, "p.jpg")));
    if (picture.width() * picture.height() <= 256 * 256)
      EncodeJpeg(picture, 90);
  } catch (const TJpegError&) {
  }
  return 0;
}
