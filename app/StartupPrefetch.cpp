// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupPrefetch.h"

#include "CityBase.h"
#include "Jpeg.h"
#include "PositionFrame.h"
#include "TaroImage.h"
#include "TreeImage.h"

TStartupPrefetch::TStartupPrefetch(const QString& IniFileName, const TFiles& Files) {
  QStringList pictures;
  if (Files.TreePicture)
    pictures << TreeMaskFileName(IniFileName);
  if (Files.TarotPictures)
    pictures << TaroFileName(IniFileName, "TaroImage") << TaroFileName(IniFileName, "TaroKart");
  PrefetchJpegs(pictures);
  if (Files.CityBase)
    PrefetchCityBase(TPositionFrame::CityBaseFileName(IniFileName.toStdString()), Files.Countries);
}

TStartupPrefetch::~TStartupPrefetch() {
  DropPrefetchedJpegs();
  DropPrefetchedCityBases();
}
