// SPDX-License-Identifier: GPL-3.0-or-later
// Plain reading of the daily ephemeris file for the tests: 23-byte records, three
// packed date bytes and ten little-endian longitude words (degrees × 128 + hundredths).
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace rawefm {

inline constexpr std::size_t RecordSize = 23;

struct TDay {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  std::array<int, 10> Degrees{};    // whole degrees of Sun .. Pluto
  std::array<int, 10> Hundredths{}; // hundredths of a degree
  double Longitude(int body) const { return Degrees[body] + Hundredths[body] / 100.0; }
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("Cannot open file " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline TDay DecodeRecord(const std::uint8_t* r) {
  TDay day;
  day.Day = r[0] >> 3;
  day.Month = ((r[0] & 7) << 1) | (r[1] >> 7);
  day.Year = ((r[1] & 15) << 8) | r[2];
  for (int b = 0; b < 10; ++b) {
    const int word = r[3 + 2 * b] | (r[4 + 2 * b] << 8);
    day.Degrees[b] = word >> 7;
    day.Hundredths[b] = word & 127;
  }
  return day;
}

inline std::vector<TDay> ReadDays(const std::string& path) {
  const auto bytes = ReadBytes(path);
  std::vector<TDay> days;
  for (std::size_t at = 0; at + RecordSize <= bytes.size(); at += RecordSize)
    days.push_back(DecodeRecord(bytes.data() + at));
  return days;
}

inline std::string ShippedEphemerisPath() {
  return ASTRAVIA_RUN_DIR "/base/efemerid.efm";
}

} // namespace rawefm
