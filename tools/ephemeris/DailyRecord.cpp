// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyRecord.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace ephemeris {

std::array<std::uint8_t, 3> PackRecordDate(const TRecordDate& date) {
  if (date.Year < 0 || date.Year > 4095 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
      date.Day > 31)
    throw std::invalid_argument("date out of the record's range: " + std::to_string(date.Year) +
                                "-" + std::to_string(date.Month) + "-" + std::to_string(date.Day));
  return {static_cast<std::uint8_t>((date.Day << 3) | (date.Month >> 1)),
          static_cast<std::uint8_t>(((date.Month & 1) << 7) | (date.Year >> 8)),
          static_cast<std::uint8_t>(date.Year & 0xFF)};
}

std::uint16_t PackRecordLongitude(double degrees) {
  if (!std::isfinite(degrees))
    throw std::invalid_argument("longitude is not a finite number");
  double normalized = std::fmod(degrees, 360.0);
  if (normalized < 0)
    normalized += 360.0;
  long hundredths = std::lround(normalized * 100.0);
  if (hundredths >= 36000) // 359.995 and above read as 360.00, which is 0.00
    hundredths -= 36000;
  return static_cast<std::uint16_t>((hundredths / 100) * 128 + hundredths % 100);
}

TRecordBytes EncodeDailyRecord(const TRecordDate& date, const TBodyLongitudes& longitudes) {
  TRecordBytes record{};
  const auto dateBytes = PackRecordDate(date);
  for (int i = 0; i < 3; ++i)
    record[i] = dateBytes[i];
  for (int body = 0; body < BodyCount; ++body) {
    const std::uint16_t word = PackRecordLongitude(longitudes[body]);
    record[3 + 2 * body] = static_cast<std::uint8_t>(word & 0xFF);
    record[4 + 2 * body] = static_cast<std::uint8_t>(word >> 8);
  }
  return record;
}

} // namespace ephemeris
