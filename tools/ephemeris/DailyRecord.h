// SPDX-License-Identifier: GPL-3.0-or-later
// One day of the shipped ephemeris as its 23-byte file record.
#pragma once

#include <array>
#include <cstdint>

namespace ephemeris {

inline constexpr int BodyCount = 10;  // Sun, Moon, Mercury .. Pluto
inline constexpr int RecordSize = 23; // 3 date bytes + 10 little-endian words
using TRecordBytes = std::array<std::uint8_t, RecordSize>;
using TBodyLongitudes = std::array<double, BodyCount>; // degrees, any real value

// Gregorian calendar date of a record (year 0..4095, month 1..12, day 1..31).
struct TRecordDate {
  int Year;
  int Month;
  int Day;
};

// The three date bytes: day in the top five bits of byte 0, the month split over
// byte 0 (upper three bits) and the top bit of byte 1, the year in the low twelve bits.
std::array<std::uint8_t, 3> PackRecordDate(const TRecordDate& date);

// Degrees → word: rounded to the nearest 0.01° after bringing the value into
// [0, 360); a value that rounds to 360.00 becomes 0.00. The word is
// whole degrees × 128 + hundredths.
std::uint16_t PackRecordLongitude(double degrees);

// The whole record: date bytes, then the ten words low byte first, Sun first.
TRecordBytes EncodeDailyRecord(const TRecordDate& date, const TBodyLongitudes& longitudes);

} // namespace ephemeris
