// SPDX-License-Identifier: GPL-3.0-or-later
// One chart as collection files carry it, independent of how the archive stores charts: the
// universal moment to the second, the local moment through the offset, the place in signed
// decimal degrees and by name. Readers of AAF and CSV produce these, writers consume them.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace archive {

// Seconds since 1899-12-30 00:00 (the day count of astro::TDateTime, in whole seconds).
using TMomentSeconds = std::int64_t;

enum class TCalendar { Gregorian, Julian };

struct TChartRecord {
  QString Name;
  QString Note;
  TMomentSeconds Universal = 0;
  int OffsetSeconds = 0; // local = universal + offset
  QString ZoneName;      // the IANA zone when the source named one (or the atlas gave one)
  double Latitude = 0;   // north positive
  double Longitude = 0;  // east positive
  QString Place;         // city as the source names it; for the archive "City" or "City;Region"
  QString Country;
  TCalendar Calendar = TCalendar::Gregorian; // of the dates the source wrote
  int Line = 0;                              // where the record starts in its file, from 1
  TMomentSeconds Local() const { return Universal + OffsetSeconds; }
};

// A record a reader could not take: the line it starts on and why, for the user.
struct TRefusal {
  int Line = 0;
  QString Reason;
};

struct TReadResult {
  std::vector<TChartRecord> Records;
  std::vector<TRefusal> Refused;
};

} // namespace archive
