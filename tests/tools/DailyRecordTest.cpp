// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

using ephemeris::PackRecordDate;
using ephemeris::PackRecordLongitude;

TEST(DailyRecord, PacksTheDateIntoItsBitFields) {
  EXPECT_EQ(PackRecordDate({2005, 7, 1}), (std::array<std::uint8_t, 3>{0x0B, 0x87, 0xD5}));
  EXPECT_EQ(PackRecordDate({1800, 12, 31}), (std::array<std::uint8_t, 3>{0xFE, 0x07, 0x08}));
  EXPECT_EQ(PackRecordDate({2200, 1, 1}), (std::array<std::uint8_t, 3>{0x08, 0x88, 0x98}));
  EXPECT_THROW(PackRecordDate({2005, 13, 1}), std::invalid_argument);
  EXPECT_THROW(PackRecordDate({2005, 1, 0}), std::invalid_argument);
  EXPECT_THROW(PackRecordDate({4096, 1, 1}), std::invalid_argument);
}

TEST(DailyRecord, RoundsLongitudesToHundredthsOfADegree) {
  EXPECT_EQ(PackRecordLongitude(123.45), 15789);
  EXPECT_EQ(PackRecordLongitude(123.4449), 123 * 128 + 44);
  EXPECT_EQ(PackRecordLongitude(123.4451), 123 * 128 + 45);
  EXPECT_EQ(PackRecordLongitude(5.0), 640);
  EXPECT_EQ(PackRecordLongitude(29.996), 30 * 128); // hundredths carry into the degrees
  EXPECT_EQ(PackRecordLongitude(0.004), 0);
}

TEST(DailyRecord, LongitudesThatRoundTo360AreStoredAsZero) {
  EXPECT_EQ(PackRecordLongitude(359.994), 359 * 128 + 99);
  EXPECT_EQ(PackRecordLongitude(359.996), 0);
  EXPECT_EQ(PackRecordLongitude(360.0), 0);
  EXPECT_EQ(PackRecordLongitude(-0.001), 0);
  EXPECT_EQ(PackRecordLongitude(-0.5), 359 * 128 + 50);
  EXPECT_EQ(PackRecordLongitude(725.25), 5 * 128 + 25);
  EXPECT_THROW(PackRecordLongitude(NAN), std::invalid_argument);
}

TEST(DailyRecord, EncodesTheDateThenTenLittleEndianWordsSunFirst) {
  ephemeris::TBodyLongitudes longitudes{};
  for (int body = 0; body < ephemeris::BodyCount; ++body)
    longitudes[body] = 10.0 * body + 0.01 * body;
  longitudes[1] = 123.45;
  const auto record = ephemeris::EncodeDailyRecord({2005, 7, 1}, longitudes);
  EXPECT_EQ(record[0], 0x0B);
  EXPECT_EQ(record[2], 0xD5);
  EXPECT_EQ(record[3], 0x00); // Sun at 0.00
  EXPECT_EQ(record[4], 0x00);
  EXPECT_EQ(record[5], 0xAD); // Moon at 123.45, low byte first
  EXPECT_EQ(record[6], 0x3D);
  const int pluto = record[21] | (record[22] << 8);
  EXPECT_EQ(pluto, 90 * 128 + 9);
}

} // namespace
