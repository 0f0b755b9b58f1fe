// SPDX-License-Identifier: GPL-3.0-or-later
// The read-only store of places offered by the position frame. One place per line of a
// Windows-1251 text file (CR LF, LF or CR line ends), six fields separated by ";":
//   city;country;region;latitude;longitude;zone      e.g. Омск;Россия;;54°59’;73°22’;6
// Coordinates are texts of integer degrees, "°", integer minutes and one closing character ("’");
// the zone is whole hours east of UT. Text between the fifth and the last ";" is not a field; the
// shipped atlas keeps the place's IANA zone name there:  Тольятти;Россия;Самарская область;53°32’;
// 49°21’;Europe/Samara;4. The store hands the texts out as they stand; turning them into numbers is
// the caller's business. Lines with fewer than five ";" are not places and skipped.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The texts of one place: fields 4, 5 and 6 and the zone name (empty when the line has none).
struct TCityPlace {
  QString Latitude;
  QString Longitude;
  QString ZoneName;
  QString Zone;
};

// A place found by its name in any country: its country and its list entry.
struct TPlaceHit {
  QString Country;
  QString Entry; // "City" or "City;Region"
  friend bool operator==(const TPlaceHit&, const TPlaceHit&) = default;
};
// "Тольятти — Россия, Самарская область": the place as a search offers it.
QString PlaceHitText(const TPlaceHit& Hit);

class TCityBase {
public:
  // Reads every line of the file once. Throws std::runtime_error "Cannot open file <path>"
  // when the file cannot be read.
  explicit TCityBase(const QString& FileName);
  // The places of the file whose city name (field 1), letter case ignored, begins with Prefix:
  // every place a lookup of a name by that city can find, in file order, without the rest of
  // the atlas. Throws as the constructor does.
  static TCityBase Narrowed(const QString& FileName, const QString& Prefix);

  const QString& FileName() const { return Name; }
  // Places kept (lines with at least five ";"), and lines skipped as not places.
  int PlaceCount() const { return static_cast<int>(Places.size()); }
  int SkippedLineCount() const { return Skipped; }

  // Field 2 of every place, sorted by Russian case-sensitive collation, exact duplicates dropped.
  QStringList GetCountryList() const;
  // The same countries in the order of their first places: no collation.
  QStringList UnsortedCountryList() const;
  // The entries of the places of Country (compared exactly): field 1, or field 1 ";" field 3 when
  // field 3 is not empty; sorted and de-duplicated like the country list.
  QStringList GetCityList(const QString& Country) const;
  // The same entries in file order, duplicates kept: cheaper where the order does not matter.
  QStringList UnsortedCityList(const QString& Country) const;
  // The first place in file order whose country and entry equal the given texts exactly: its
  // fields 4, 5 and 6. False, with the out texts untouched, when there is none.
  bool FindCity(const QString& Country, const QString& CityEntry, QString& Latitude,
                QString& Longitude, QString& Zone) const;
  // The same first place with its zone name; nullopt when there is none.
  std::optional<TCityPlace> FindPlace(const QString& Country, const QString& CityEntry) const;

  // Places of every country by the name of the city (field 1), letter case ignored: names that
  // begin with Typed first, then names that contain it; each group in Russian order of name,
  // region and country. At most Limit hits; none for a blank text.
  std::vector<TPlaceHit> SearchPlaces(const QString& Typed, int Limit) const;

  // Field N of a line: 1..5 the text before the N-th ";" (after the previous one), 6 the text after
  // the last ";". Empty when the line has too few ";" or N is outside 1..6.
  static QString ExtractField(int N, const QString& Line);
  // The text between the fifth and the last ";", trimmed: the IANA zone name of the atlas.
  // Empty when the line has fewer than six ";".
  static QString ExtractZoneName(const QString& Line);
  // The list entry of a line: field 1, plus ";" and field 3 when that is not empty.
  static QString CityEntry(const QString& Line);

private:
  // The places among Lines (Windows-1251), standing for the file FileName.
  TCityBase(const QString& FileName, QByteArray Lines);

  // A place: its line and its country (field 2) as spans of Bytes. The atlas has tens of
  // thousands of places; keeping the file's own bytes with spans, instead of a decoded string per
  // line and field, keeps the base small and lets the lists compare texts without copying them.
  struct TPlace {
    std::uint32_t Start = 0;
    std::uint32_t Length = 0;
    std::uint32_t CountryStart = 0;
    std::uint32_t CountryLength = 0;
  };
  std::string_view Span(std::uint32_t Start, std::uint32_t Length) const {
    return std::string_view(Bytes.constData() + Start, Length);
  }
  // Keeps the line of bytes [Start, End) as a place when it has five ";", else counts it skipped.
  void AddLine(std::uint32_t Start, std::uint32_t End);
  // The place's line, decoded.
  QString LineOf(const TPlace& Place) const;
  // Whether the place's country is Country: Encoded is Country in Windows-1251 when every
  // character has a byte there, else nothing (then the decoded field is compared).
  bool CountryIs(const TPlace& Place, const QString& Country,
                 const std::optional<std::string>& Encoded) const;
  // The first place in file order of Country whose entry is CityEntryText.
  const TPlace* FindEntry(const QString& Country, const QString& CityEntryText) const;

  QString Name;
  QByteArray Bytes; // the whole file as read (Windows-1251)
  // The country list once made, and the last few lists GetCityList made: the frame and the
  // companion ask for them again.
  static constexpr std::size_t kKeptCityLists = 4;
  mutable std::optional<QStringList> Countries;
  mutable std::map<QString, QStringList> CityLists;
  std::vector<TPlace> Places; // in file order
  int Skipped = 0;
};

// Reads the base on a worker thread and makes there its country list and the city lists of
// Countries (an empty text: the first country), so that start-up builds its controls meanwhile (see
// astro::TFilePrefetch).
void PrefetchCityBase(const QString& FileName, const QStringList& Countries);
// That base, once; nullptr when none was started for the file, the file has changed since, or
// it could not be read (the caller then reads it and meets the error itself).
std::unique_ptr<TCityBase> TakePrefetchedCityBase(const QString& FileName);
// Waits for a base nobody took and drops it.
void DropPrefetchedCityBases();

// Sorts by Russian case-sensitive collation (the same order on every machine) and drops exact
// duplicates; texts the collator finds equal but that differ in some code unit are both kept.
void SortUnique(QStringList& List);
