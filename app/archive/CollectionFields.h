// SPDX-License-Identifier: GPL-3.0-or-later
// The field texts AAF and CSV share: dates in either calendar, clock times, Julian days,
// coordinates ("43n31", "43n31:20", "-43.5") and offsets from UT ("+03:00", "1he00", "0e21:48").
// Every parser answers nullopt for a text it does not recognise.
#pragma once

#include "ChartRecord.h"

#include <QString>
#include <optional>

namespace archive {

struct TCivilMoment {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// Years accepted in collection files; the archive's dates are years 1..9999.
inline constexpr int kFirstYear = 1, kLastYear = 9999;

// The moment of a civil date and time in the given calendar; nullopt for an impossible date.
std::optional<TMomentSeconds> MomentOf(const TCivilMoment& Moment, TCalendar Calendar);
// The Gregorian date and time of a moment.
TCivilMoment CivilOf(TMomentSeconds Moment);

// A Julian day (UT) rounded to the second, and back. nullopt outside years 1..9999.
std::optional<TMomentSeconds> FromJulianDay(double JulianDay);
double ToJulianDay(TMomentSeconds Moment);

// "27.9.1970", "27/09/1970" or "1970-09-27": year, month and day.
std::optional<TCivilMoment> ParseDateText(const QString& Text);
// "11:04", "11:04:30", "11.04", "11h04": seconds since midnight, below 24 hours.
std::optional<int> ParseTimeText(const QString& Text);

// A latitude (Positive 'n', Negative 's') or longitude ('e', 'w'): "43n31", "43n31:20",
// "43N31", or signed decimal degrees "-43.5" (or "-43,5"). nullopt beyond Limit degrees.
std::optional<double> ParseCoordinate(const QString& Text, QChar Positive, QChar Negative,
                                      double Limit);
// "43n31" (to the arc minute, the way AAF writes coordinates).
QString AafCoordinate(double Degrees, QChar Positive, QChar Negative);

// AAF's zone field: "1he00", "5hw30", "0e21:48", "1h", or plain hours "1", "-5", "5.5"
// (east positive). Seconds east of Greenwich.
std::optional<int> ParseAafZone(const QString& Text);
// "1he00", "5hw30", "0he21:48".
QString AafZone(int Seconds);

// "+03:00", "-05:30", "+00:21:48", "UTC+3", "GMT-5", "3", "-3.5": seconds east of Greenwich.
std::optional<int> ParseOffsetText(const QString& Text);
// "+03:00", "-05:30", "+00:21:48".
QString OffsetField(int Seconds);

// A number as short as it can be written and still be read back exactly.
QString ExactNumber(double Value);

} // namespace archive
