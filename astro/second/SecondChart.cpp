// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondChart.h"

#include "Angles.h"
#include "DateTime.h"
#include "SweBodies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace astro {
namespace {

constexpr std::array<std::string_view, 6> kKindKeys = {
    "", "transit", "synastry", "solar_return", "lunar_return", "progressed"};
constexpr std::array<std::string_view, 6> kKindNames = {"Нет",   "Транзиты", "Синастрия",
                                                        "Соляр", "Лунар",    "Прогрессии"};
constexpr double kTropicalMonth = 27.321661; // the Moon's tropical month, days
constexpr double kMoonMeanRate = 360.0 / kTropicalMonth;

// Newton's steps on the Swiss Ephemeris longitude of Body from a guess (Julian day UT) to the
// moment it stands at Target (degrees). Both bodies searched move direct only.
double MomentAtLongitude(int Body, double Target, double JulianDay) {
  for (int step = 0; step < 40; ++step) {
    const search::TLongitudeRate now = search::BodyLongitudeRate(Body, JulianDay);
    const double delta = LongitudeDelta(Target, now.Longitude);
    JulianDay += delta / now.Rate;
    if (std::fabs(delta) < 1e-9)
      break;
  }
  return JulianDay;
}

void CheckInStore(const TEfemerisClass& Store, TDateTime Universal) {
  if (!Store.HasData() || Universal < Store.FirstDate() || Universal > Store.LastDate())
    throw std::out_of_range("Момент второй карты (" + DateToText(Universal) + " UT) лежит вне " +
                            "диапазона эфемерид " + DateToText(Store.FirstDate()) + " – " +
                            DateToText(Store.LastDate()));
}

TChartMoment ReadMoment(const TSecondRequest& Request, TDateTime Universal) {
  if (Request.Reader)
    return Request.Reader(Universal);
  TChartMoment moment;
  moment.Local = moment.Universal = Universal;
  return moment;
}

// The progressed chart: the bodies of the progressed day, the natal houses moved by the arc the
// Sun made since birth.
TChart ProgressedChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                       const TChart& Natal, const TSecondRequest& Request,
                       const std::string& AsteroidFolder) {
  const TDateTime universal = ProgressedMoment(Natal.Moment.Universal, Request.Universal);
  CheckInStore(Store, universal);
  TChart chart = ComputeChart(Store, Settings, ReadMoment(Request, universal), std::nullopt, 0,
                              AsteroidFolder);
  chart.Place = Natal.Place;
  if (!Natal.Houses)
    return chart;
  const double arc = NormalizeDegrees(chart.Longitudes[0] - Natal.Longitudes[0]);
  chart.Houses = ProgressHouses(*Natal.Houses, arc);
  chart.Points = ComputePoints(JulianDayUT(universal), chart.Houses, chart.Longitudes[0],
                               chart.Longitudes[1], AsteroidFolder);
  chart.PointAspects = FindPointAspects(chart.Longitudes, chart.Houses, chart.Points, Settings);
  for (int b = 0; b < kBodyCount; ++b)
    chart.BodyHouses[b] = HouseOf(*chart.Houses, chart.Longitudes[b]);
  return chart;
}

double Separation(double A, double B) {
  const double distance = std::fabs(A - B);
  return std::min(distance, 360.0 - distance);
}

struct TCrossPlace {
  TCrossPoint Point;
  double Longitude = 0;
  double Speed = 0; // degrees per day; angles are taken as moving direct
};

std::vector<TCrossPlace> CrossPlacesOf(const TChart& Chart) {
  std::vector<TCrossPlace> places;
  for (int b = 1; b <= kBodyCount; ++b)
    places.push_back({{b}, Chart.Longitudes[b - 1], Chart.Motions[b - 1].Speed});
  if (Chart.Houses) {
    places.push_back({{0, TChartPointKey::Asc}, Chart.Houses->Asc, 1.0});
    places.push_back({{0, TChartPointKey::Mc}, Chart.Houses->Mc, 1.0});
  }
  return places;
}

int OrderOf(const TCrossPoint& Point) {
  return Point.Body ? Point.Body : 10 + (Point.Angle == TChartPointKey::Asc ? 1 : 2);
}

} // namespace

std::string_view SecondKindKey(TSecondKind Kind) {
  return kKindKeys[static_cast<int>(Kind)];
}

std::string_view SecondKindName(TSecondKind Kind) {
  return kKindNames[static_cast<int>(Kind)];
}

std::optional<TSecondKind> SecondKindOfKey(std::string_view Key) {
  for (std::size_t k = 1; k < kKindKeys.size(); ++k)
    if (kKindKeys[k] == Key)
      return static_cast<TSecondKind>(k);
  return std::nullopt;
}

TDateTime SolarReturnMoment(TDateTime BirthUT, double SunLongitude, int Year) {
  const double guess = BirthUT + (Year - DecodeDate(BirthUT).Year) * kProgressionYearDays;
  return search::DateTimeOfJulianDay(
      MomentAtLongitude(1, SunLongitude, search::JulianDayOf(guess)));
}

TDateTime LunarReturnMoment(double MoonLongitude, TDateTime AfterUT) {
  const double after = search::JulianDayOf(AfterUT);
  const double ahead =
      NormalizeDegrees(MoonLongitude - search::BodyLongitude(2, after)) / kMoonMeanRate;
  double found = MomentAtLongitude(2, MoonLongitude, after + ahead);
  // A guess just past the moment may be carried back before it: take the next month's return.
  if (found < after - 1e-9)
    found = MomentAtLongitude(2, MoonLongitude, found + kTropicalMonth);
  return search::DateTimeOfJulianDay(found);
}

TDateTime ProgressedMoment(TDateTime BirthUT, TDateTime TargetUT) {
  return BirthUT + (TargetUT - BirthUT) / kProgressionYearDays;
}

THouses ProgressHouses(const THouses& Natal, double Arc) {
  THouses houses = Natal;
  for (double& cusp : houses.Cusps)
    cusp = NormalizeDegrees(cusp + Arc);
  for (double* angle : {&houses.Asc, &houses.Mc, &houses.Dsc, &houses.Ic, &houses.Vertex})
    *angle = NormalizeDegrees(*angle + Arc);
  return houses;
}

TChart ComputeSecondChart(const TEfemerisClass& Store, const TAspectSettings& Settings,
                          const TChart& Natal, const TSecondRequest& Request, char HouseSystem,
                          const std::string& AsteroidFolder) {
  const std::optional<TChartPlace> place = Request.Place ? Request.Place : Natal.Place;
  const double natalDay = search::JulianDayOf(Natal.Moment.Universal);
  TDateTime universal = Request.Universal;
  switch (Request.Kind) {
  case TSecondKind::None:
    throw std::invalid_argument("no second chart asked for");
  case TSecondKind::Synastry:
    if (!Request.Other)
      throw std::invalid_argument("a synastry needs the partner's chart");
    return *Request.Other;
  case TSecondKind::Progressed:
    return ProgressedChart(Store, Settings, Natal, Request, AsteroidFolder);
  case TSecondKind::SolarReturn:
    universal =
        SolarReturnMoment(Natal.Moment.Universal, search::BodyLongitude(1, natalDay), Request.Year);
    break;
  case TSecondKind::LunarReturn:
    universal = LunarReturnMoment(search::BodyLongitude(2, natalDay), Request.Universal);
    break;
  case TSecondKind::Transit:
    break;
  }
  CheckInStore(Store, universal);
  return ComputeChart(Store, Settings, ReadMoment(Request, universal), place, HouseSystem,
                      AsteroidFolder);
}

std::vector<TCrossAspect> FindCrossAspects(const TChart& Second, const TChart& Natal,
                                           const TAspectSettings& Settings) {
  std::vector<TCrossAspect> found;
  const std::vector<TCrossPlace> natal = CrossPlacesOf(Natal);
  for (const TCrossPlace& second : CrossPlacesOf(Second))
    for (const TCrossPlace& target : natal) {
      const double separation = Separation(second.Longitude, target.Longitude);
      const double toward = LongitudeDelta(second.Longitude, target.Longitude);
      for (int a = 1; a <= kAspectCount; ++a) {
        const double off = separation - AspectAngles[a];
        if (!Settings.Enabled[a] || std::fabs(off) > Settings.Orbs[a])
          continue;
        // The separation changes at toward's sign times the speed: the orb shrinks when that
        // change and off have opposite signs.
        const bool applying = off * toward * second.Speed < 0;
        found.push_back({second.Point, a, target.Point, std::fabs(off), applying});
      }
    }
  std::stable_sort(found.begin(), found.end(), [](const TCrossAspect& x, const TCrossAspect& y) {
    return std::make_tuple(x.Orb, OrderOf(x.Second), x.Aspect, OrderOf(x.Natal)) <
           std::make_tuple(y.Orb, OrderOf(y.Second), y.Aspect, OrderOf(y.Natal));
  });
  return found;
}

std::string_view CrossPointName(const TCrossPoint& Point) {
  return Point.Body ? PlanetNames[Point.Body] : ChartPointName(Point.Angle);
}

std::string CrossPointKey(const TCrossPoint& Point) {
  return Point.Body ? std::to_string(Point.Body) : std::string(ChartPointKey(Point.Angle));
}

} // namespace astro
