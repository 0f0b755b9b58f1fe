// SPDX-License-Identifier: GPL-3.0-or-later
// Places and zones for collection records that give a city but no coordinates or offset: the
// atlas (city base) by name, and the tz database's offset at the local moment.
#pragma once

#include "ChartRecord.h"

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

class TCityBase;

namespace archive {

struct TAtlasPlace {
  QString Country;
  QString Entry; // "City" or "City;Region", as the atlas lists it
  QString ZoneName;
  int ZoneHours = 0;
  double Latitude = 0, Longitude = 0;
};

class TPlaceAtlas {
public:
  // Base may be null: then no place is found.
  explicit TPlaceAtlas(const TCityBase* Base);

  // The place of that city (an atlas entry, or a city name, letter case ignored) in Country
  // (the atlas's name, any case; empty: any country). nullopt with Reason when the atlas has no
  // such place or several fit.
  std::optional<TAtlasPlace> Find(const QString& City, const QString& Country,
                                  QString& Reason) const;

private:
  struct TEntry {
    QString Country, Entry;
  };
  void Index() const;
  std::optional<TAtlasPlace> Place(const TEntry& Entry) const;
  std::optional<TAtlasPlace> Read(const TEntry& Entry) const;

  const TCityBase* Base;
  mutable bool Indexed = false;
  mutable QHash<QString, std::vector<TEntry>> ByCity; // case-folded city name
  // Places looked up before, by country and entry: the base finds a place by reading its lines.
  mutable QHash<QString, std::optional<TAtlasPlace>> Looked;
};

// The offset (seconds east) the tz database gives in ZoneName at the local moment; before the
// zone's first standard time, the local mean time of Longitude. nullopt for an unknown zone.
std::optional<int> ZoneOffsetAt(const QString& ZoneName, double Longitude, TMomentSeconds Local);

// "54°59’" or "-34°37’" as the atlas writes coordinates; nullopt for anything else.
std::optional<double> AtlasDegrees(const QString& Text);

// Sets the record's universal moment from its local moment: through its zone name when it has
// one, else through its offset. False with Reason when the zone is unknown.
bool SettleLocalMoment(TChartRecord& Record, TMomentSeconds Local, QString& Reason);

} // namespace archive
