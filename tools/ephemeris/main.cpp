// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the shipped daily ephemeris: one 23-byte record per day from 1800-01-01
// to 2200-12-31, the bodies' apparent longitudes of date at 0h UT.
//   astravia_ephemeris <output file>
#include "ApparentLongitudes.h"
#include "DailyRecord.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

using namespace std::chrono;

constexpr year_month_day FirstDay{year{1800}, January, day{1}};
constexpr year_month_day LastDay{year{2200}, December, day{31}};

// Writes every day's record into `path`; returns the number of records.
long WriteEphemeris(const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out)
    throw std::runtime_error("Cannot create file " + path.string());
  const ephemeris::TApparentLongitudes theory;
  long count = 0;
  for (sys_days d = sys_days{FirstDay}; d <= sys_days{LastDay}; d += days{1}) {
    const year_month_day ymd{d};
    const ephemeris::TRecordDate date{int(ymd.year()), int(unsigned(ymd.month())),
                                      int(unsigned(ymd.day()))};
    const auto record = ephemeris::EncodeDailyRecord(date, theory.AtMidnightUT(date));
    out.write(reinterpret_cast<const char*>(record.data()), record.size());
    ++count;
  }
  out.close();
  if (!out)
    throw std::runtime_error("Unable to write to " + path.string());
  return count;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <output file>\n";
    return 2;
  }
  const std::filesystem::path target = argv[1];
  // Written beside the target and renamed at the end, so a failed run never leaves
  // a truncated file that the build would take as up to date.
  const std::filesystem::path partial = target.string() + ".partial";
  try {
    const auto start = steady_clock::now();
    const long count = WriteEphemeris(partial);
    std::filesystem::rename(partial, target);
    const double seconds = duration<double>(steady_clock::now() - start).count();
    std::cout << "astravia_ephemeris: " << count << " days written to " << target.string() << " in "
              << seconds << " s\n";
    return 0;
  } catch (const std::exception& e) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    std::cerr << "astravia_ephemeris: " << e.what() << '\n';
    return 1;
  }
}
