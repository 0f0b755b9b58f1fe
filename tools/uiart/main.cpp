// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's artwork as PNG files into the folder given as the only argument; with
// --icons first, the desktop theme's icons (hicolor/...) into that folder instead.
#include "UiArt.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <cstring>

namespace {

bool WriteFile(const QString& path, const QByteArray& content) {
  QSaveFile file(path);
  if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
      file.write(content) != content.size() || !file.commit()) {
    std::fprintf(stderr, "Unable to write to %s\n", qPrintable(path));
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: %s [--icons] <output folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QDir out(QString::fromLocal8Bit(argv[argc - 1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "Cannot create folder %s\n", argv[argc - 1]);
    return 1;
  }
  if (icons) {
    for (const uiart::TThemeIcon& icon : uiart::ThemeIcons()) {
      if (!WriteFile(out.filePath(icon.Path), icon.Content)) {
        return 1;
      }
    }
    return 0;
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
