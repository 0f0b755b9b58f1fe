// SPDX-License-Identifier: GPL-3.0-or-later
// Computing a chart value (ChartValue.h): the ten longitudes and their aspects from the ephemeris
// store, and, with a place, its houses, angles and points from Swiss Ephemeris. Every list,
// report and export reads such a value; nothing recomputes it.
#pragma once

#include "ChartValue.h"
#include "Dignities.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace astro {

// The offset's source in words, as the window and the sheet print it ("поясное время", ...).
std::string_view OffsetSourceName(TOffsetSource Source);

// "asc", "mc", then PointKeys.
std::string_view ChartPointKey(TChartPointKey Key);
std::string_view ChartPointName(TChartPointKey Key);

// Julian day (UT) of a TDateTime in universal time.
double JulianDayUT(TDateTime Universal);

// The chart of a moment (in the store's range) and an optional place. HouseSystem is a letter of
// kHouseSystems; AsteroidFolder as from astro::AsteroidFolder(). A place off the globe or an
// unknown system gives a chart without houses (and without the Part of Fortune).
TChart ComputeChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                    const TChartMoment& Moment, const std::optional<TChartPlace>& Place,
                    char HouseSystem, const std::string& AsteroidFolder);
// The same under a prepared search (the position model's), which saves preparing one.
TChart ComputeChart(const TEfemerisClass& Store, const TAspectSearch& Search,
                    const TChartMoment& Moment, const std::optional<TChartPlace>& Place,
                    char HouseSystem, const std::string& AsteroidFolder);

// The places the fuller dignities are judged by: longitudes, houses, and the sect from the
// ascendant (or the local clock without houses).
TDignityPlaces DignityPlacesOf(const TChart& Chart);

} // namespace astro
