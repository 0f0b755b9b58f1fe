// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol font as the views use it: loaded, then every code drawn and its cell cleared, also
// across the canvas' edges.
#include "FontStream.h"
#include "FuzzFiles.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    if (!LoadSymbolFont(QString::fromStdString(fuzz::WriteInput(data, size, "font.fnt"))))
      return 0;
  } catch (const std::exception&) {
    return 0;
  }
  QImage canvas(40, 40, QImage::Format_RGB32);
  for (int code = -1; code <= 257; ++code) {
    const int x = code % 50 - 10, y = code % 37 - 8;
    ClearSymbolCell(&canvas, x, y, Qt::white);
    DrawSymbol(&canvas, x, y, Qt::black, code);
  }
  FreeSymbolFont();
  return 0;
}
