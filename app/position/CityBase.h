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

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The texts of one place: fields 4, 5 and 6 and the zone name (empty when the line has none).
struct TCityPlace {
  QString Latitude;
  QString Longitude;
  QString ZoneName;
  QString Zone;
};

class TCityBase {
public:
  // Reads every line of the file once. Throws std::runtime_error "Cannot open file <path>"
  // when the file cannot be read.
  explicit TCityBase(const QString& FileName);

  const QString& FileName() const { return Name; }
  // Places kept (lines with at least five ";"), and lines skipped as not places.
  int PlaceCount() const { return static_cast<int>(Places.size()); }
  int SkippedLineCount() const { return Skipped; }

  // Field 2 of every place, sorted by Russian case-sensitive collation, exact duplicates dropped.
  QStringList GetCountryList() const;
  // The entries of the places of Country (compared exactly): field 1, or field 1 ";" field 3 when
  // field 3 is not empty; sorted and de-duplicated like the country list.
  QStringList GetCityList(const QString& Country) const;
  // The first place in file order whose country and entry equal the given texts exactly: its
  // fields 4, 5 and 6. False, with the out texts untouched, when there is none.
  bool FindCity(const QString& Country, const QString& CityEntry, QString& Latitude,
                QString& Longitude, QString& Zone) const;
  // The same first place with its zone name; nullopt when there is none.
  std::optional<TCityPlace> FindPlace(const QString& Country, const QString& CityEntry) const;

  // Field N of a line: 1..5 the text before the N-th ";" (after the previous one), 6 the text after
  // the last ";". Empty when the line has too few ";" or N is outside 1..6.
  static QString ExtractField(int N, const QString& Line);
  // The text between the fifth and the last ";", trimmed: the IANA zone name of the atlas.
  // Empty when the line has fewer than six ";".
  static QString ExtractZoneName(const QString& Line);
  // The list entry of a line: field 1, plus ";" and field 3 when that is not empty.
  static QString CityEntry(const QString& Line);

private:
  // A place: its line and its country (field 2) as spans of Text. The atlas has tens of
  // thousands of places; keeping spans instead of one string per line and field makes loading
  // one pass and lets the lists compare texts without copying them.
  struct TPlace {
    qsizetype Start = 0;
    qsizetype Length = 0;
    qsizetype CountryStart = 0;
    qsizetype CountryLength = 0;
  };
  QStringView LineOf(const TPlace& Place) const {
    return QStringView(Text).mid(Place.Start, Place.Length);
  }
  QStringView CountryOf(const TPlace& Place) const {
    return QStringView(Text).mid(Place.CountryStart, Place.CountryLength);
  }
  // The first place in file order of Country whose entry is CityEntryText.
  const TPlace* FindEntry(const QString& Country, const QString& CityEntryText) const;

  QString Name;
  QString Text;               // the whole file, decoded to Unicode
  std::vector<TPlace> Places; // in file order
  int Skipped = 0;
};

// Sorts by Russian case-sensitive collation (the same order on every machine) and drops exact
// duplicates; texts the collator finds equal but that differ in some code unit are both kept.
void SortUnique(QStringList& List);
