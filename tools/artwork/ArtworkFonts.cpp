// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArtworkFonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <stdexcept>

namespace {

QString Register(const QString& fileName) {
  const QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + fileName;
  const int id = QFontDatabase::addApplicationFont(path);
  const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) {
    throw std::runtime_error("Cannot open file " + path.toStdString());
  }
  return families.first();
}

} // namespace

TArtworkFonts LoadArtworkFonts() {
  TArtworkFonts fonts;
  fonts.Sans = Register(QStringLiteral("DejaVuSans.ttf"));
  fonts.SansBold = Register(QStringLiteral("DejaVuSans-Bold.ttf"));
  fonts.Serif = Register(QStringLiteral("DejaVuSerif.ttf"));
  fonts.SerifBold = Register(QStringLiteral("DejaVuSerif-Bold.ttf"));
  fonts.SerifCondensedBold = Register(QStringLiteral("DejaVuSerifCondensed-Bold.ttf"));
  return fonts;
}
