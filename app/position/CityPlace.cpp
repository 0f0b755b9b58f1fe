// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityPlace.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr QChar kDegreeSign = u'\u00b0';

double SignedDegrees(const QString& degreesText, int degrees, int minutes) {
  const double size = std::abs(degrees) + std::abs(minutes) / 60.0;
  return degreesText.trimmed().startsWith(u'-') ? -size : size;
}

} // namespace

long long CalendarDay(astro::TDateTime Moment) {
  return static_cast<long long>(std::floor(Moment));
}

int ReadDecimalInteger(const QString& Text) {
  qsizetype i = 0;
  while (i < Text.size() && Text.at(i) == u' ')
    ++i;
  bool negative = false;
  if (i < Text.size() && (Text.at(i) == u'-' || Text.at(i) == u'+')) {
    negative = Text.at(i) == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < Text.size() && Text.at(i) >= u'0' && Text.at(i) <= u'9'; ++i)
    value = std::min<long long>(value * 10 + (Text.at(i).unicode() - u'0'), 1LL + INT_MAX);
  if (negative)
    value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

TCityCoordinates ReadCityCoordinates(const TCityPlace& Place) {
  // Degrees before the first "°", minutes after it without the closing minute sign.
  const auto split = [](const QString& text, QString& degrees, QString& minutes) {
    const qsizetype sign = text.indexOf(kDegreeSign);
    degrees = sign < 0 ? QString() : text.left(sign);
    const QString rest = sign < 0 ? text : text.mid(sign + 1);
    minutes = rest.left(std::max<qsizetype>(0, rest.size() - 1));
  };
  TCityCoordinates c;
  split(Place.Latitude, c.LatitudeDegrees, c.LatitudeMinutes);
  split(Place.Longitude, c.LongitudeDegrees, c.LongitudeMinutes);
  c.LatitudeDeg = ReadDecimalInteger(c.LatitudeDegrees);
  c.LatitudeMin = ReadDecimalInteger(c.LatitudeMinutes);
  c.LongitudeDeg = ReadDecimalInteger(c.LongitudeDegrees);
  c.LongitudeMin = ReadDecimalInteger(c.LongitudeMinutes);
  c.Latitude = SignedDegrees(c.LatitudeDegrees, c.LatitudeDeg, c.LatitudeMin);
  c.Longitude = SignedDegrees(c.LongitudeDegrees, c.LongitudeDeg, c.LongitudeMin);
  return c;
}
