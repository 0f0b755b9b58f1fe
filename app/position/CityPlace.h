// SPDX-License-Identifier: GPL-3.0-or-later
// A city base entry's place read the position frame's way, with no widget: the companion reads
// it alike.
#pragma once

#include "CityBase.h"
#include "Clock.h"

#include <QString>

// The calendar day of a moment: its value rounded down (continuous also before 1899-12-30).
long long CalendarDay(astro::TDateTime Moment);
// Reads a decimal integer the frame's way: leading blanks skipped, one optional sign, then digits
// up to the first non-digit; no digits give 0. Values beyond the 32-bit range are clamped.
int ReadDecimalInteger(const QString& Text);

// A city's coordinate texts read the frame's way: whole degrees and minutes as written, and
// signed decimal degrees, north and east positive (the sign stands on the degrees' text, also
// where their integer is 0: "-0°07’"); the degrees' and minutes' texts as split.
struct TCityCoordinates {
  QString LatitudeDegrees, LatitudeMinutes, LongitudeDegrees, LongitudeMinutes;
  int LatitudeDeg = 0, LatitudeMin = 0, LongitudeDeg = 0, LongitudeMin = 0;
  double Latitude = 0, Longitude = 0;
};
TCityCoordinates ReadCityCoordinates(const TCityPlace& Place);
