// SPDX-License-Identifier: GPL-3.0-or-later
// The panel where the user sets the moment and place of the chart: local date and time, time
// zone, country and city. It keeps the local moment inside the ephemeris range, turns a chosen
// city into latitude, longitude and zone through the city base, and raises three events.
//
// Units: DateTime, MinDate, MaxDate are astro::TDateTime in LOCAL time (days since 1899-12-30);
// ranges are compared by calendar day. LongitudeDeg/Min, LatitudeDeg/Min are integer degrees and
// minutes as the city base writes them (east and north positive, the sign on the degrees).
// CityTimeZone is whole hours to add to UT to get local time; ZoneOffset the exact offset in use
// (seconds east of UT): the city's whole hours, or with "Пояс по дате" checked the one the tz
// database gives for the city's zone at the local moment.
#pragma once

#include "CityBase.h"
#include "CityPlace.h"
#include "Clock.h"
#include "IniFile.h"
#include "ZoneOffset.h"

#include <QFrame>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QCompleter;
class QStringListModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TCityBase;
struct TCityPlace;
class TTypedDateEdit;
class TTypedTimeEdit;

class TPositionFrame : public QFrame {
  Q_OBJECT
public:
  explicit TPositionFrame(QWidget* parent = nullptr);
  ~TPositionFrame() override;

  // Opens the city base named by [PositionFrame] CityBase, relative to the configuration file's
  // folder; when no such file exists shows "Отсутствует файл базы данных городов <name>."
  void LoadCityBase(const std::string& ConfigFileName);
  // The city base file [PositionFrame] CityBase names.
  static QString CityBaseFileName(const std::string& ConfigFileName);
  // Loads the base, fills the country list and selects the first country and its first city.
  void OpenCityBase(const QString& FileName);
  // Sets the allowed range (either order) and the starting moment: now when today lies strictly
  // inside the range, else the start of the range. Raises OnDateTimeChange.
  void SetDateRange(astro::TDateTime A, astro::TDateTime B);
  // True when X's day is strictly after MinDate's day and strictly before MaxDate's day.
  bool IsInRange(astro::TDateTime X) const;
  // Moves to X when IsInRange(X), raising OnDateTimeChange; otherwise does nothing.
  void SetDateTime(astro::TDateTime X);
  // Moves to the local moment that universal time Ut gives, with the offset in force at that
  // instant (a repeated hour of a summer-time change is shown twice, a skipped one never), as
  // SetDateTime does; false and nothing changed when that local moment is out of range.
  bool SetUniversalTime(astro::TDateTime Ut);
  // Takes the selected city's coordinates and zone and raises OnPositionChange; with zones by
  // date on, also OnTimeZoneChange when the offset changed.
  void UpdatePosition();

  // The home place, [PositionFrame] HomeCountry and HomeCity (the city entry as listed).
  // Selecting it is silent: false, with nothing changed, when none is kept or the lists no
  // longer hold it. Writing needs a listed country and city (false otherwise) and throws
  // config::EIniWriteError when the file cannot be written.
  bool SelectHomePlace(const std::string& ConfigFileName);
  bool WriteHomePlace(const std::string& ConfigFileName) const;

  // Zones by date: [Options] HistoricZones of the configuration file (HistoricZonesOption).
  void ReadOptions(const std::string& ConfigFileName);
  // "[Options] HistoricZones" of the file: on unless it says 0, so files written before the
  // option existed get zones by date.
  static bool HistoricZonesOption(const std::string& ConfigFileName);
  // Throws config::EIniWriteError when the file cannot be written.
  void WriteOptions(const std::string& ConfigFileName) const;
  // The key WriteOptions writes, for a save that writes it with other keys.
  config::TIniEntry OptionsEntry() const;
  bool HistoricZones() const;
  // Switches zones by date on or off; raises OnTimeZoneChange when the offset changes.
  void SetHistoricZones(bool On);
  // DateTime minus the exact offset in use.
  astro::TDateTime UniversalTime() const;
  // The selected city's IANA zone name and longitude (degrees, east positive).
  const QString& CityZoneName() const { return ZoneName; }
  double CityLongitude() const { return Longitude; }

  astro::TDateTime DateTime = 0;
  astro::TDateTime MinDate = 0;
  astro::TDateTime MaxDate = 0;
  int LongitudeDeg = 0;
  int LongitudeMin = 0;
  int LatitudeDeg = 0;
  int LatitudeMin = 0;
  // Starts at the spin edit's design value, so the zone shown is the zone used.
  int CityTimeZone = 7;
  TZoneOffset ZoneOffset = WholeHoursOffset(7);

  const TCityBase* Cities() const { return CityBase.get(); }
  // True once a city of the base has given its coordinates and zone.
  bool HasPlace() const { return PlaceTaken; }
  // The place of the chart in signed decimal degrees, north and east positive: the one every
  // consumer takes (the integer fields above lose the sign of "-0°07’", west of Greenwich
  // although LongitudeDeg is 0). With CityZoneName() (the IANA zone, empty for a place without
  // zone history), ZoneOffset (the exact offset in use) and UniversalTime() this is the whole
  // place and moment of the chart.
  double LatitudeDegrees() const { return Latitude; }
  double LongitudeDegrees() const { return Longitude; }

  // Setting a stored chart: each call does what the matching user edit does and raises the
  // same events, so the owner recomputes exactly as after a user's change.
  // Chooses a listed country and one of its city entries (OnPositionChange); false, with
  // nothing changed, when either is not listed.
  bool SelectPlace(const QString& CountryText, const QString& CityEntry);
  // A place the lists do not hold: the lists show the given texts, the coordinates are taken
  // as given (OnPositionChange). The zone is left to SetTimeZone.
  void SetPlace(const QString& CountryText, const QString& CityEntry, double LatitudeValue,
                double LongitudeValue);
  // The zone, as the spin edit sets it (OnTimeZoneChange).
  void SetTimeZone(int Hours);
  // An exact offset (seconds east of UT) in place of the zone's, as a stored chart made with an
  // offset the place's rules do not give carries it; kept until the zone or place is changed
  // (OnTimeZoneChange when the offset changed).
  void SetFixedOffset(int Seconds);

  // A place of one's own ("Свои координаты"): the four coordinate edits and the zone box take
  // typed values, the zone being an IANA name (offsets by date) or a fixed offset ("+5:30").
  bool OwnPlace() const { return Own; }
  // Takes an own place as typed: coordinates within ±90 and ±180, ZoneText an IANA name or a
  // fixed offset. OnPositionChange, and OnTimeZoneChange when the offset changed; false with
  // nothing changed when a value is refused.
  bool SetOwnPlace(double LatitudeValue, double LongitudeValue, const QString& ZoneText);
  // Back to the place the lists select (OnPositionChange).
  void LeaveOwnPlace();
  // The own place's fixed offset in seconds; nullopt for a zone by name or an atlas place.
  std::optional<int> FixedOffsetSeconds() const { return FixedSeconds; }

  // Old-style dates ("ст. ст."): the date field shows and takes the Julian calendar's writing of
  // the chart's day; the moment itself stays civil (Gregorian).
  bool JulianDates() const { return Julian; }
  void SetJulianDates(bool On);

  // A local reading the clocks passed twice: whether the later of the two is meant (the earlier
  // by default; every typed moment starts with the earlier). OnTimeZoneChange when the offset
  // changed.
  bool LaterOccurrence() const { return Later; }
  void SetLaterOccurrence(bool On);
  // How the current local reading occurs at the place: once, skipped or twice.
  TLocalReading Reading() const;
  // The moment, as an accepted date edit (OnDateTimeChange, then OnTimeZoneChange); false and
  // nothing changed when IsInRange(X) is false.
  bool EditDateTime(astro::TDateTime X);
  // The texts the country and city boxes show (a typed or stored text included).
  QString CountryText() const;
  QString CityText() const;

signals:
  void OnDateTimeChange(QObject* Sender);
  void OnTimeZoneChange(QObject* Sender);
  void OnPositionChange(QObject* Sender);

public slots:
  // User handlers of the controls.
  void DateChange();
  void TimeChange();
  void CountrySelect();
  void CitySelect();
  void TimeZoneChange();
  void HistoricZonesClick();
  void OwnPlaceClick();
  void CoordinatesEdited();
  void OwnZoneEdited();
  void JulianClick();
  void OccurrenceSelect();

private:
  void BuildControls();
  void ShowInPickers(astro::TDateTime X);
  // The date field's writing of X's day (Julian with old-style entry) and back.
  QDate ShownDate(astro::TDateTime X) const;
  astro::TDateTime DayOfShownDate(const QDate& Shown) const;
  // Whether the offset is the zone's by date: "Пояс по дате", or an own place's named zone.
  bool ZonesByDate() const;
  void ShowZone(int Hours);
  QString SelectedText(const QComboBox* Box) const;
  void FillCities(const QString& Country);
  // Recomputes ZoneOffset and CityTimeZone and shows them; true when the offset changed.
  bool UpdateZoneOffset();
  // The offset in use at a local moment of the selected place.
  TZoneOffset OffsetAt(astro::TDateTime Local) const;
  // The local moment of the selected place at a universal time.
  astro::TDateTime LocalFromUniversal(astro::TDateTime Universal) const;
  // The exact offset in the label beside the zone, its source in the label's tool tip.
  void ShowOffset();
  void MoveTo(astro::TDateTime X);
  // Shows a signed coordinate in its two edits and sets its integer fields.
  static void ShowCoordinate(double Value, int& Degrees, int& Minutes, QLineEdit* DegreesEdit,
                             QLineEdit* MinutesEdit);
  void ShowCoordinates();
  // The coordinate edits' values, or the message that refuses them.
  std::optional<std::pair<double, double>> TypedCoordinates(QString& Refusal) const;
  // Makes the edits and the zone box editable (or read-only) for an own place.
  void ShowOwnPlaceMode();
  void FillZoneList();
  void ShowOwnZone();
  // The civil date of old-style entry, a skipped or repeated hour: the note under the fields.
  void ShowNote();
  // Offers the places of every country that a name typed into the city box with no country
  // chosen gives; choosing one selects its country and city.
  void SearchPlaces(const QString& Typed);
  void PlaceChosen(int Row);
  void CountryEdited(const QString& Text);

  std::unique_ptr<TCityBase> CityBase;
  bool PlaceTaken = false;
  QGroupBox* GroupBox1 = nullptr;
  TTypedTimeEdit* Time = nullptr;
  TTypedDateEdit* Date = nullptr;
  QSpinBox* TimeZone = nullptr;
  QCheckBox* HistoricZonesBox = nullptr;
  QLabel* ZoneOffsetText = nullptr;
  QComboBox* Country = nullptr;
  QComboBox* City = nullptr;
  QLineEdit* DlgGrade = nullptr;
  QLineEdit* DlgMin = nullptr;
  QLineEdit* ShirGrade = nullptr;
  QLineEdit* ShirMin = nullptr;
  QLabel* DlgGradeText = nullptr;
  QLabel* DlgMinText = nullptr;
  QLabel* ShirGradeText = nullptr;
  QLabel* ShirMinText = nullptr;
  QCheckBox* JulianBox = nullptr;
  QCheckBox* OwnPlaceBox = nullptr;
  QComboBox* OwnZone = nullptr;
  QLabel* NoteText = nullptr;
  QComboBox* OccurrenceBox = nullptr;
  QCompleter* PlaceSearch = nullptr;
  QStringListModel* PlaceSearchModel = nullptr;
  std::vector<TPlaceHit> PlaceHits;
  bool Own = false;
  bool Julian = false;
  bool Later = false;
  std::optional<int> FixedSeconds;
  QString AtlasCity; // the city entry selected when the own place was ticked
  // The classic zone: the city's whole hours, or the spin edit's when set by hand.
  int StandardZone = 7;
  QString ZoneName;
  double Latitude = 0;
  double Longitude = 0;
};
