// SPDX-License-Identifier: GPL-3.0-or-later
#include "Chart.h"

#include "DateTime.h"

#include <cmath>

namespace astro {
namespace {

// Julian day (UT) of TDateTime 0, 1899-12-30 00:00.
constexpr double kJulianDayOfZero = 2415018.5;

} // namespace

std::string_view ChartPointKey(TChartPointKey Key) {
  switch (Key) {
  case TChartPointKey::Asc:
    return "asc";
  case TChartPointKey::Mc:
    return "mc";
  default:
    return PointKeys[static_cast<int>(Key) - 2];
  }
}

std::string_view OffsetSourceName(TOffsetSource Source) {
  switch (Source) {
  case TOffsetSource::Standard:
    return "поясное время";
  case TOffsetSource::Daylight:
    return "летнее время";
  case TOffsetSource::LocalMean:
    return "местное среднее время";
  case TOffsetSource::Fixed:
    return "заданное смещение";
  case TOffsetSource::WholeHours:
    break;
  }
  return "пояс базы городов";
}

std::string_view ChartPointName(TChartPointKey Key) {
  switch (Key) {
  case TChartPointKey::Asc:
    return "Асцендент";
  case TChartPointKey::Mc:
    return "MC";
  default:
    return PointNames[static_cast<int>(Key) - 2];
  }
}

double JulianDayUT(TDateTime Universal) {
  return Universal + kJulianDayOfZero;
}

TChart ComputeChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                    const TChartMoment& Moment, const std::optional<TChartPlace>& Place,
                    char HouseSystem, const std::string& AsteroidFolder) {
  return ComputeChart(Store, TAspectSearch(Settings), Moment, Place, HouseSystem, AsteroidFolder);
}

TChart ComputeChart(const TEfemerisClass& Store, const TAspectSearch& Search,
                    const TChartMoment& Moment, const std::optional<TChartPlace>& Place,
                    char HouseSystem, const std::string& AsteroidFolder) {
  TChart chart;
  chart.Moment = Moment;
  chart.Place = Place;
  chart.Longitudes = Store.LongitudesAt(Moment.Universal);

  const double jd = JulianDayUT(Moment.Universal);
  chart.Motions = BodyMotions(jd);
  // A place read from a damaged file may lie off the globe: then the chart has no houses.
  if (Place && std::fabs(Place->Latitude) <= 90.0 && std::isfinite(Place->Longitude) &&
      !HouseSystemName(HouseSystem).empty())
    chart.Houses = ComputeHouses(jd, Place->Latitude, Place->Longitude, HouseSystem);
  chart.Points =
      ComputePoints(jd, chart.Houses, chart.Longitudes[0], chart.Longitudes[1], AsteroidFolder);
  // The same search the position model runs, so the lists are the ones every view shows.
  FindChartAspects(chart, Search);
  if (chart.Houses)
    for (int b = 0; b < kBodyCount; ++b)
      chart.BodyHouses[b] = HouseOf(*chart.Houses, chart.Longitudes[b]);
  return chart;
}

TDignityPlaces DignityPlacesOf(const TChart& Chart) {
  TDignityPlaces places;
  for (int b = 0; b < kBodyCount; ++b) {
    places.Longitudes[b] = Chart.Longitudes[b];
    places.Houses[b] = Chart.BodyHouses[b];
  }
  const double localHours = SecondsOfDay(Chart.Moment.Local) / 3600.0;
  places.Sect =
      SectOf(Chart.Longitudes[0],
             Chart.Houses ? std::optional<double>(Chart.Houses->Asc) : std::nullopt, localHours);
  return places;
}

} // namespace astro
