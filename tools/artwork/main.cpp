// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the shipped pictures of the views into a folder, one set at a time:
//   astravia_artwork tree <folder>     tree.jpg and letters.png (Tree of Life view)
//   astravia_artwork tarot <folder>    taro.jpg and cards.jpg (tarot spread)
//   astravia_artwork bodies <folder>   bodies.png (the cosmogram's body pictures)
#include "BodyStrip.h"
#include "CardStrip.h"
#include "LetterStrip.h"
#include "TaroSheet.h"
#include "TreeMask.h"

#include "Jpeg.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace {

void SavePng(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) {
    throw std::runtime_error("Cannot create file " + path.toStdString());
  }
}

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const char* set = argc == 3 ? argv[1] : "";
  const bool known = std::strcmp(set, "tree") == 0 || std::strcmp(set, "tarot") == 0 ||
                     std::strcmp(set, "bodies") == 0;
  if (!known) {
    std::fprintf(stderr, "usage: astravia_artwork tree|tarot|bodies <output folder>\n");
    return 2;
  }
  try {
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(set, "tree") == 0) {
      const TArtworkFonts fonts = LoadArtworkFonts();
      // Highest quality without chroma subsampling: the frame erases routes in white and
      // refills boxes with exact colours, so the mask must stay close to its drawn values.
      SaveJpeg(DrawTreeMask(fonts), folder.filePath(QStringLiteral("tree.jpg")), 100);
      SavePng(DrawLetterStrip(fonts), folder.filePath(QStringLiteral("letters.png")));
    } else if (std::strcmp(set, "tarot") == 0) {
      const TArtworkFonts fonts = LoadArtworkFonts();
      // High quality without chroma subsampling keeps the small text of the cards crisp.
      SaveJpeg(DrawTaroSheet(fonts), folder.filePath(QStringLiteral("taro.jpg")), 95);
      SaveJpeg(DrawCardStrip(fonts), folder.filePath(QStringLiteral("cards.jpg")), 95);
    } else {
      SavePng(DrawBodyStrip(), folder.filePath(QStringLiteral("bodies.png")));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "astravia_artwork: %s\n", error.what());
    return 1;
  }
  return 0;
}
