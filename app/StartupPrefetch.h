// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up reads its large files on worker threads while the windows are built: the tree's and
// the tarot's pictures, and the city base with its country list and the city lists start-up
// shows first. The frames take the results when they load (see astro::TFilePrefetch).
#pragma once

#include <QString>
#include <QStringList>

class TStartupPrefetch {
public:
  struct TFiles {
    bool TreePicture = true;
    bool TarotPictures = true;
    bool CityBase = true;
    // Countries whose city lists are made ahead; an empty text is the first country.
    QStringList Countries{QString()};
  };

  TStartupPrefetch(const QString& IniFileName, const TFiles& Files);
  // Waits for the loads nobody took and drops them: no load outlives its owner.
  ~TStartupPrefetch();

  TStartupPrefetch(const TStartupPrefetch&) = delete;
  TStartupPrefetch& operator=(const TStartupPrefetch&) = delete;
};
