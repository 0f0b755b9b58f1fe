// SPDX-License-Identifier: GPL-3.0-or-later
// The generated ephemeris read by the program's own store: its range, its record count, that
// every text line re-encodes to exactly the bytes it was read from, and positions at a moment.
#include "RawEphemerisFile.h"

#include "DateTime.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

class StoreOnShippedFile : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Store = std::make_unique<astro::TEfemerisClass>(rawefm::ShippedEphemerisPath());
    Bytes = rawefm::ReadBytes(rawefm::ShippedEphemerisPath());
  }
  static void TearDownTestSuite() { Store.reset(); }
  static inline std::unique_ptr<astro::TEfemerisClass> Store;
  static inline std::vector<std::uint8_t> Bytes;
};

TEST_F(StoreOnShippedFile, SpansTheFourCenturiesDayByDay) {
  ASSERT_EQ(Store->LineCount(), 146462u);
  EXPECT_EQ(Store->Line(0).substr(0, 10), "01.01.1800");
  EXPECT_EQ(Store->Line(Store->LineCount() - 1).substr(0, 10), "31.12.2200");
  EXPECT_EQ(Store->FirstDate(), astro::EncodeDate(1800, 1, 1));
  // The last day offered is the one before the last record, up to 23:59:59.
  EXPECT_DOUBLE_EQ(Store->LastDate(),
                   astro::EncodeDate(2200, 12, 30) + astro::EncodeTime(23, 59, 59));
  std::size_t index = 0;
  ASSERT_TRUE(Store->FindRecord("01.01.2000", index));
  EXPECT_EQ(index, 73048u);
}

TEST_F(StoreOnShippedFile, EveryLineReencodesToItsSourceBytes) {
  ASSERT_EQ(Bytes.size(), Store->LineCount() * rawefm::RecordSize);
  for (std::size_t i = 0; i < Store->LineCount(); ++i) {
    const std::string line = Store->Line(i);
    const std::uint8_t* source = Bytes.data() + i * rawefm::RecordSize;
    const astro::TPackedDate date = astro::TEfemerisClass::PackDate(line.substr(0, 10));
    ASSERT_TRUE(std::equal(date.begin(), date.end(), source)) << "line " << i << ": " << line;
    for (int body = 0; body < 10; ++body) {
      const std::uint16_t word =
          astro::TEfemerisClass::PackLongitude(line.substr(11 + 7 * body, 6));
      ASSERT_EQ(word, source[3 + 2 * body] | (source[4 + 2 * body] << 8))
          << "line " << i << " body " << body + 1 << ": " << line;
    }
  }
}

TEST_F(StoreOnShippedFile, PositionsAtAMomentComeFromTheDaysRecords) {
  const auto days = rawefm::ReadDays(rawefm::ShippedEphemerisPath());
  const rawefm::TDay& yesterday = days[73047];
  const rawefm::TDay& today = days[73048]; // 2000-01-01
  const rawefm::TDay& tomorrow = days[73049];
  const rawefm::TDay& after = days[73050];
  astro::TPlanetPosition atMidnight;
  Store->ComputePositions(atMidnight, astro::EncodeDate(2000, 1, 1));
  astro::TPlanetPosition atNoon;
  Store->ComputePositions(atNoon, astro::EncodeDate(2000, 1, 1) + astro::EncodeTime(12, 0, 0));
  ASSERT_TRUE(atMidnight.PositionsValid());
  for (int body = 1; body <= 10; ++body) {
    EXPECT_NEAR(atMidnight.GetLongitude(body), today.Longitude(body - 1), 1e-9);
    // Noon of the cubic through the four days: (-1, 9, 9, -1) / 16, taken from today's value.
    auto from = [&](const rawefm::TDay& day) {
      return std::remainder(day.Longitude(body - 1) - today.Longitude(body - 1), 360.0);
    };
    const double halfway =
        today.Longitude(body - 1) + (9 * from(tomorrow) - from(yesterday) - from(after)) / 16;
    EXPECT_NEAR(atNoon.GetLongitude(body), std::fmod(halfway + 360.0, 360.0), 1e-9);
  }
  // Known positions of that moment, to the file's rounding: Sun near 279.86, Moon near 217.3.
  EXPECT_NEAR(atMidnight.GetLongitude(1), 279.86, 0.011);
  EXPECT_NEAR(atMidnight.GetLongitude(2), 217.29, 0.011);
}

} // namespace
