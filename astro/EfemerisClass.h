// SPDX-License-Identifier: GPL-3.0-or-later
// The planetary ephemeris store: for each day of a continuous run of days, the apparent
// geocentric ecliptic longitudes of date (decimal degrees, 0.01 degree resolution) of the ten
// bodies at 0h UT, read once from a file of 23-byte records and kept as those records; the
// 80-character text line of a day is made from its record when asked for.
//
// Record: 3 bytes packed date (day:5 | month:4 | unused:3 | year:12, high bits first), then ten
// little-endian 16-bit words, degrees in bits 15..7 and hundredths in bits 6..0.
// Line: "DD.MM.YYYY" then, per body, a blank and the longitude as FormatFixed(2, 6, L); the field
// of body b starts at 0-based offset 11 + 7 * (b - 1).
#pragma once

#include "Clock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace astro {

class TPlanetPosition;

// A file that exists but cannot be opened / created: "Cannot open file %s", "Cannot create file
// %s".
class EFileError : public std::runtime_error {
public:
  explicit EFileError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr std::size_t kEphemerisRecordSize = 23;
inline constexpr std::size_t kEphemerisLineLength = 80;

using TPackedDate = std::array<std::uint8_t, 3>;
using TEphemerisRecord = std::array<std::uint8_t, kEphemerisRecordSize>;

class TEfemerisClass {
public:
  // The file name the main window gives, relative to the working directory.
  static constexpr const char* kDefaultFileName = "base/efemerid.efm";

  // How the file is read: whole at once (the window, which may ask for any day), or a record
  // only when a question needs it (a process that computes a few charts). The answers are the
  // same; on demand, a record that can no longer be read (the file shrank) throws EFileError.
  enum class TReading { Whole, OnDemand };

  // Loads FileName (UTF-8 path) when it exists; a missing file gives an empty store. A file that
  // exists but cannot be read throws EFileError("Cannot open file <name>"). The incomplete tail
  // of a file whose size is not a multiple of 23 is ignored.
  explicit TEfemerisClass(std::string FileName = kDefaultFileName,
                          TReading Reading = TReading::Whole);

  const std::string& FileName() const { return FileName_; }

  // kDefaultFileName when it exists relative to the working directory, otherwise the same name
  // inside ExecutableFolder (UTF-8, with or without a trailing "/"), so a launch from another
  // folder still finds the ephemeris beside the program.
  static std::string LocateFile(const std::string& ExecutableFolder);

  // The text lines, one per record in file order (each kEphemerisLineLength characters), made
  // on demand; empty for an index past the end.
  std::size_t LineCount() const { return Count_; }
  std::string Line(std::size_t Index) const;

  // True when the store can answer: at least two lines (a lone day has no following record,
  // so a one-line store behaves as an empty one).
  bool HasData() const { return Count_ >= 2; }

  // The ten longitudes at MomentUT (universal time), Sun first: apparent geocentric ecliptic
  // longitudes of date in degrees, 0 <= L < 360. A cubic through the records of the day before,
  // the day and the two after it; a straight line between the day and the next where those
  // four records do not exist (the range's first and last days, and moments outside it).
  // All zeros when the store has no data (HasData() false).
  std::array<double, 10> LongitudesAt(TDateTime MomentUT) const;

  // Writes LongitudesAt(MomentUT) into Position with SetLongitude, marks them valid and runs its
  // FindAspects. An empty store does nothing.
  void ComputePositions(TPlanetPosition& Position, TDateTime MomentUT) const;

  // 00:00 of the first line's day; 0 for an empty store.
  TDateTime FirstDate() const;
  // 23:59:59 of the second-to-last line's day; 0 for an empty store.
  TDateTime LastDate() const;

  // The 0-based line of the day written as DD.MM.YYYY in DateText: the line of that day; 0 for a
  // day before the first line; Count - 2 for the last line's day or later. False when empty.
  bool FindRecord(std::string_view DateText, std::size_t& Index) const;

  // Writes the records of the days of FromDate through ToDate plus the record after the last
  // day into Folder + "DD.MM.YYYY-DD.MM.YYYY.eft" (Folder empty: the working directory),
  // replacing any such file whole (an old one stays intact when the write fails). Returns the file
  // name without folder, or nothing when a day is not found (empty store). Throws
  // EFileError("Cannot create file <name>") when it cannot write.
  std::optional<std::string> ExportRange(TDateTime FromDate, TDateTime ToDate,
                                         const std::string& Folder = "") const;
  // The extract's name: "DD.MM.YYYY-DD.MM.YYYY.eft".
  static std::string ExtractFileName(TDateTime FromDate, TDateTime ToDate);
  // Line Index re-encoded as a 23-byte record (PackDate and PackLongitude of its fields).
  TEphemerisRecord EncodeLine(std::size_t Index) const;

  // Codecs of the record format.
  // 3 bytes -> "DD.MM.YYYY" (every field padded, so the line layout stays fixed even for
  // impossible dates such as day 0 or month 13, which are decoded as they stand).
  static std::string UnpackDate(const TPackedDate& Bytes);
  // "DD.MM.YYYY" -> 3 bytes, unused bits 0. Fields are taken modulo their bit width.
  static TPackedDate PackDate(std::string_view DateText);
  // Word -> degrees + hundredths / 100.
  static double UnpackLongitude(std::uint16_t Word);
  // Six-character field ("123.45", "  5.10", "5.1" = 5.10, "7" = 7.00) -> word.
  static std::uint16_t PackLongitude(std::string_view Field);

private:
  const std::uint8_t* Record(std::size_t Index) const {
    return Records_ ? Records_.get() + Index * kEphemerisRecordSize : RecordOnDemand(Index);
  }
  const std::uint8_t* RecordOnDemand(std::size_t Index) const;
  // Year * 10000 + month * 100 + day of record Index, as its line writes them.
  std::int64_t DayKeyOfRecord(std::size_t Index) const;
  // The date of record Index at 00:00, impossible fields brought to the nearest real date.
  TDateTime DateOfRecord(std::size_t Index) const;
  // The longitude of Body in record Index, the value its line's field reads as.
  double FieldValue(std::size_t Index, int Body) const;
  // The line of a day (see FindRecord); Day is 00:00 of that date, or nothing when the date is
  // impossible.
  bool FindDay(std::int64_t Key, std::optional<TDateTime> Day, std::size_t& Index) const;
  // The binary search over the dates of the lines, the answer for every file.
  std::size_t SearchDay(std::int64_t Key) const;
  void Load(TReading Reading);

  std::string FileName_;
  std::unique_ptr<std::uint8_t[]> Records_; // Count_ records as read, back to back
  // Read on demand: the open file and the records read from it.
  struct TRecordFile;
  std::shared_ptr<TRecordFile> File_;
  std::size_t Count_ = 0;
  // Set when the dates rise strictly and the first is a real date: a day's record then can be
  // found by its distance from the first day, checked against the record's date.
  std::optional<TDateTime> FirstDay_;
};

} // namespace astro
