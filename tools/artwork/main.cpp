// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the shipped pictures of the Tree of Life view into a folder:
//   astravia_artwork <folder>   writes <folder>/tree.jpg and <folder>/letters.png
#include "LetterStrip.h"
#include "TreeMask.h"

#include "Jpeg.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: astravia_artwork <output folder>\n");
    return 2;
  }
  try {
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const TArtworkFonts fonts = LoadArtworkFonts();
    // Highest quality without chroma subsampling: the frame erases routes in white and refills
    // boxes with exact colours, so the mask must stay close to its drawn values.
    SaveJpeg(DrawTreeMask(fonts), folder.filePath(QStringLiteral("tree.jpg")), 100);
    const QString strip = folder.filePath(QStringLiteral("letters.png"));
    if (!DrawLetterStrip(fonts).save(strip, "PNG")) {
      std::fprintf(stderr, "Cannot create file %s\n", qPrintable(strip));
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "astravia_artwork: %s\n", error.what());
    return 1;
  }
  return 0;
}
