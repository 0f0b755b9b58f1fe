// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's artwork as PNG files into the folder given as the only argument.
#include "UiArt.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "Cannot create folder %s\n", argv[1]);
    return 1;
  }
  for (const uiart::TArtPiece& piece : uiart::AllPieces()) {
    const QString path = out.filePath(piece.Name);
    if (!piece.Image.save(path, "PNG")) {
      std::fprintf(stderr, "Unable to write to %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
