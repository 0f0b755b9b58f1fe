// SPDX-License-Identifier: GPL-3.0-or-later
// The chart archive: named charts (moment and place) kept in one SQLite file through Qt SQL.
// Every change runs in its own transaction, so the file is changed page by page by SQLite and
// never rewritten as a whole. A file that is not an archive, is damaged, is held locked by another
// program or cannot be written is reported by a TArchiveError naming the file; nothing is written
// to such a file.
//
// Units: Local is the chart's LOCAL moment as astro::TDateTime (days since 1899-12-30, resolved to
// the millisecond); Zone is whole hours east of Greenwich; coordinates are integer degrees and
// minutes as the city base writes them (east and north positive, the sign on the degrees), and
// Latitude, Longitude the same place in signed decimal degrees, which keep the sign of a place
// between 0° and -1° (London's -0°08' longitude) that the integer degrees lose. OffsetSeconds is
// the exact offset of Local from UT (India's +5:30, a local mean time), kept beside Zone.
#pragma once

#include "Clock.h"

#include <QString>
#include <optional>
#include <stdexcept>
#include <vector>

class QSqlError;

namespace archive {

struct TStoredChart {
  QString Name; // any Unicode text, not blank; compared exactly
  QString Note; // free text, may be empty
  astro::TDateTime Local = 0;
  QString Country; // as the city base lists it; empty when a zone was given without a city
  QString City;    // the city entry: "City" or "City;Region"
  int Zone = 0;
  bool HistoricZones = false; // zones by date were chosen when the chart was saved
  int LatitudeDeg = 0, LatitudeMin = 0, LongitudeDeg = 0, LongitudeMin = 0;
  // The place in signed decimal degrees, north and east positive: what a chart read from the
  // archive always carries, and what Save stores. A chart made without them is saved with the
  // integer fields above read as degrees and minutes with the sign on the degrees.
  std::optional<double> Latitude, Longitude;
  bool OwnPlace = false; // typed by the user ("Свои координаты"), not taken from the atlas
  QString ZoneName;      // the IANA zone of the place (an own place's, the atlas city's), or empty
  // The exact offset in use (seconds east of UT: local = UT + offset), which Zone rounds to
  // whole hours; absent in charts saved before it was kept.
  std::optional<int> OffsetSeconds;
  bool FixedOffset = false;     // the offset was given as such ("+5:30"), not by a zone
  bool Julian = false;          // the date was typed old-style (Julian calendar)
  bool LaterOccurrence = false; // the second of a local hour the clocks passed twice
  friend bool operator==(const TStoredChart&, const TStoredChart&) = default;
};

// Sorts by name: Russian collation, letter case ignored, exact order between names that compare
// equal, so the order is the same on every machine.
void SortByName(std::vector<TStoredChart>& Charts);

// The chart's place in signed decimal degrees: Latitude and Longitude, or else the integer fields.
double LatitudeOf(const TStoredChart& chart);
double LongitudeOf(const TStoredChart& chart);

// "Страна, Город" (or the one that is present), the place as the list shows it.
QString PlaceText(const TStoredChart& chart);

// A failure of the archive; the message is for the user and names the file.
class TArchiveError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
  QString Text() const { return QString::fromUtf8(what()); }
};

class TChartArchive {
public:
  static constexpr int kSchemaVersion = 3;
  static constexpr int kDefaultBusyMilliseconds = 1500;

  // Opens the archive at Path. A missing file is an empty archive, created by the first Save.
  // An existing file is checked (is it an archive, is it intact, is its schema one this
  // program knows) before anything else; an older schema is brought up to date. Throws
  // TArchiveError. BusyMilliseconds is how long to wait for another program's lock.
  explicit TChartArchive(const QString& Path, int BusyMilliseconds = kDefaultBusyMilliseconds);
  ~TChartArchive();
  TChartArchive(const TChartArchive&) = delete;
  TChartArchive& operator=(const TChartArchive&) = delete;

  const QString& FileName() const { return Path; }

  // Every chart, in no particular order. Rows too damaged to read are left out and counted.
  std::vector<TStoredChart> List();
  int SkippedRows() const { return Skipped; }
  bool Contains(const QString& Name);
  // The chart of that exact name; false when there is none.
  bool Find(const QString& Name, TStoredChart& Chart);
  // Stores the chart under its name, replacing a chart of the same name.
  void Save(const TStoredChart& Chart);
  // Stores several charts in one transaction: all of them or, on failure, none.
  void Save(const std::vector<TStoredChart>& Charts);
  // Renames a chart; a chart already called NewName is replaced. False when OldName is absent.
  bool Rename(const QString& OldName, const QString& NewName);
  // False when there was no such chart.
  bool Delete(const QString& Name);

private:
  void Connect();
  void CheckExisting();
  void Migrate(int fromVersion);
  // Runs Body inside BEGIN IMMEDIATE ... COMMIT; rolls back and throws on any failure.
  template <typename Body> void Write(Body body);
  void RequireName(const QString& name) const;
  [[noreturn]] void Fail(const QSqlError& error, const QString& doing) const;

  QString Path;
  QString Connection;
  int BusyMilliseconds;
  bool Connected = false;
  int Skipped = 0;
};

// charts.sqlite in the user's data folder (QStandardPaths::AppDataLocation).
QString DefaultArchivePath();

} // namespace archive
