// SPDX-License-Identifier: GPL-3.0-or-later
// One companion run: the main window's own parts, created without a window and wired as the
// main window wires them. A run that draws no picture makes no widget: the place comes from the
// city base itself, and the tarot spread is laid without its frame. The ephemeris store computes
// into the chart model at the UT moment; the model's change feeds the views (ChartViews.h), when
// the run has them, in the main window's order. Moments given here are LOCAL (whole seconds,
// ChartMoment.h); the zone (hours east of Greenwich) or the city's zone by date turns them into UT.
#pragma once

#include "ChartMoment.h"
#include "ChartText.h"
#include "ChartViews.h"
#include "ConsoleMessages.h"
#include "ZoneOffset.h"

#include "Chart.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"
#include "SpreadRandom.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace config {
class TIniFile;
}

namespace chart {

// A place of one's own: signed decimal degrees and, for offsets by date, an IANA zone.
struct TOwnPlace {
  double Latitude = 0;
  double Longitude = 0;
  std::string ZoneName; // empty: the offset is Zone or FixedSeconds
};

struct TChartSetup {
  QString IniPath;                   // the configuration file; must be readable
  QString DataDir;                   // shipped data, for data names missing beside IniPath
  std::string EphemerisFile;         // the ephemeris store's file
  QString FontFile;                  // the symbol font
  QString DignityFile;               // the table of dignities; empty: no dignities
  std::optional<std::string> City;   // "Country/City entry", or
  int Zone = 0;                      // the zone used when no city is given
  bool TreeFrame = true;             // create the Tree of Life and cosmogram frames (pictures)
  bool TaroFrame = true;             // create the tarot frame (the spread and its picture)
  bool Spread = false;               // without the tarot frame, lay the spread all the same
  bool Pictures = true;              // pictures are drawn (frames or the sheet): the symbol font
  std::optional<bool> HistoricZones; // zones by date; absent: [Options] HistoricZones of the INI
  // A chart from the archive: Zone replaces the city's zone, and this place stands in (with a
  // warning) when City is no longer in the city base.
  std::optional<TPlaceFacts> StoredPlace;
  std::optional<char> HouseSystem;   // a letter of astro::kHouseSystems; absent: the INI's, else P
  std::optional<bool> WheelHouses;   // the cosmogram's house display; absent: the INI's, else off
  std::optional<TOwnPlace> OwnPlace; // replaces City
  // An exact offset (seconds east of UT) in place of Zone: "--zone +5:30", a stored chart's.
  std::optional<int> FixedSeconds;
  // Makes the frames and the sheet's font when TreeFrame, TaroFrame or Pictures asks for them.
  TChartViewsMaker Views = nullptr;
};

// The views whose pictures the companion writes, and the file stem of each.
enum class TView { Tree, Tarot, Cosmogram };
const char* ViewFileStem(TView view);

class TChartSession {
public:
  // Opens everything and checks it; throws TChartError for an unreadable configuration file,
  // a missing or empty ephemeris, a missing city base or an unknown city. Missing optional
  // files (mask picture) are warnings through `messages`.
  TChartSession(const TChartSetup& setup, TConsoleMessages& messages);
  ~TChartSession();

  TChartSession(const TChartSession&) = delete;
  TChartSession& operator=(const TChartSession&) = delete;

  // Throws TChartError when the moment, in UT, lies outside the ephemeris range.
  void CheckInRange(TSeconds local) const;
  // Computes the chart of a local moment (which must be in range) and feeds the frame. Offset,
  // when given, replaces OffsetAt(local): the second occurrence of a repeated hour.
  TChartFacts Compute(TSeconds local, std::optional<TZoneOffset> offset = std::nullopt);

  const astro::TPlanetPosition& Model() const { return *PlanetPosition1; }
  const astro::TEfemerisClass& Efemeris() const { return *Efemeris_; }
  // The run's pictures; null when it draws none.
  TChartViews* Views() const { return Views_.get(); }
  int Zone() const { return Zone_; }
  // Whether the offset comes from the city's zone history.
  bool HistoricZones() const { return Historic; }
  // The offset used for a local moment: the city's zone by date, or whole hours.
  TZoneOffset OffsetAt(TSeconds local) const;
  // The offset in force at a universal moment (seconds since 1899-12-30 UT).
  TZoneOffset OffsetAtUniversal(TSeconds ut) const;
  // The chosen city ("Country/City entry" and coordinates); none when a zone replaced it.
  const std::optional<TPlaceFacts>& Place() const { return Place_; }
  // The IANA zone the offsets come from (the city's or the own place's); empty for none.
  QString ZoneName() const;
  // The exact offset given instead of a zone; nullopt when the zone gives it.
  std::optional<int> FixedSeconds() const { return Fixed_; }

private:
  // The companion only reads the configuration file: the model is destroyed without a file
  // name, so its destruction writes nothing back, also when the session fails half-built.
  struct TReadOnlyModel {
    void operator()(astro::TPlanetPosition* model) const;
  };

  void TakeOwnPlace(const TOwnPlace& place);
  // HistoricOffset (of a local reading) or HistoricOffsetAt (of an instant).
  using TZoneLookup = std::optional<TZoneOffset> (*)(const QByteArray&, double, astro::TDateTime);
  // What the lookup gives at Moment: a fixed offset, the own place's zone, the city's zone by
  // date, else the whole hours.
  TZoneOffset OffsetBy(TZoneLookup lookup, TSeconds moment) const;
  // False when the base has no such city and a stored place may stand in.
  bool OpenCity(const config::TIniFile& ini, const std::string& name, bool mayBeMissing);
  // The chart value of the moment Moment (local) at the session's place.
  astro::TChart ComputeValue(const TZoneOffset& offset, astro::TDateTime ut) const;
  // The main window's PlanetPosition1Change, without the planet table.
  void PlanetPosition1Change();
  std::array<TCardFacts, 22> Spread();
  void FindSpreadPictures(const config::TIniFile& ini);
  void ReadDignityTable(const QString& fileName);

  TConsoleMessages& Prompts;
  QString IniPath;
  std::unique_ptr<astro::TEfemerisClass> Efemeris_;
  std::unique_ptr<astro::TPlanetPosition, TReadOnlyModel> PlanetPosition1;
  std::unique_ptr<TChartViews> Views_;
  std::optional<TPlaceFacts> Place_;
  QString ZoneName_;            // the city's IANA zone, empty without one
  double CityLongitude_ = 0;    // of the city, degrees east, for local mean time
  bool Spread_ = false;         // lay the spread without the tarot frame
  bool SpreadPictures_ = false; // the tarot pictures are there, so the window would lay it
  TSpreadRandom SpreadRandom_;
  std::optional<astro::TGeoPlace> Coordinates; // of the place, for the almanac
  astro::TAlmanacCache Almanac;
  std::optional<astro::TDignityTable> Dignities;
  int Zone_ = 0;
  char HouseSystem_ = astro::kDefaultHouseSystem;
  std::string AsteroidFolder_ = astro::AsteroidFolder();
  bool Historic = false;
  bool ZoneGiven = false; // --zone instead of a city
  std::optional<int> Fixed_;
  QString OwnZone_;            // an own place's IANA zone
  astro::TDateTime Moment = 0; // local moment handed to the frames
};

// The folder of astravia-chart: the program's own, or the one SetProgramDir gave (the picture
// program, started by astravia-chart from another folder, finds the same files).
QString ProgramDir();
void SetProgramDir(const QString& dir);

// The files the window would use (ProgramFiles.h): its data folder, its configuration file, the
// symbol font and the table of dignities in the data folder, the ephemeris in the working folder
// or the data folder.
QString DefaultDataDir();
QString DefaultIniPath();
QString DefaultFontFile();
QString DefaultDignityFile();

} // namespace chart
