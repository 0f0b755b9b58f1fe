// SPDX-License-Identifier: GPL-3.0-or-later
// The panel texts of the almanac: times, dashes with their reasons, the phase.
#include "AlmanacText.h"
#include "DateTime.h"

#include <gtest/gtest.h>

using namespace astro;

TEST(AlmanacText, DayWithoutMoonriseShowsADashAndSaysWhy) {
  // Moscow, 30 December 2026: the Moon rose late on the 29th and next rises early on the 31st.
  const TAlmanacDay day = ComputeAlmanacDay(EncodeDate(2026, 12, 30) + 0.7, 180, {55.75, 37.617});
  EXPECT_EQ(EventTimeText(day.MoonRise), "—");
  EXPECT_EQ(EventHint(TAlmanacEvent::MoonRise, day.MoonRise), "Луна не восходит в этот день");
  EXPECT_EQ(EventTimeText(day.MoonSet), "11:34");
  EXPECT_EQ(EventHint(TAlmanacEvent::MoonSet, day.MoonSet), "");
  EXPECT_EQ(EventTimeText(day.SunRise), "08:59");
  EXPECT_EQ(EventTimeText(day.SunSet), "16:05");
  EXPECT_EQ(EventTimeText(day.SunCulmination), "12:32");
  EXPECT_EQ(PhaseText(day.Moon), "55%");
  EXPECT_FALSE(day.Moon.Waxing);
  EXPECT_EQ(PhaseHint(day.Moon), "Фаза: последняя четверть, возраст 21,3 суток (в полдень)");
}

TEST(AlmanacText, TimesRoundToTheMinuteAndStayInTheDay) {
  const TDateTime day = EncodeDate(2026, 6, 1);
  EXPECT_EQ(EventTimeText({day + EncodeTime(9, 5, 29), TAbsence::None}), "09:05");
  EXPECT_EQ(EventTimeText({day + EncodeTime(9, 5, 31), TAbsence::None}), "09:06");
  EXPECT_EQ(EventTimeText({day + EncodeTime(23, 59, 45), TAbsence::None}), "23:59");
  EXPECT_EQ(EventHint(TAlmanacEvent::SunSet, {std::nullopt, TAbsence::AlwaysUp}),
            "Солнце не заходит (полярный день)");
  EXPECT_EQ(EventHint(TAlmanacEvent::MoonSet, {std::nullopt, TAbsence::AlwaysDown}),
            "Луна не восходит");
  EXPECT_EQ(EventHint(TAlmanacEvent::SunCulmination, {std::nullopt, TAbsence::NotThisDay}),
            "Кульминация Солнца приходится на другой день");
}
