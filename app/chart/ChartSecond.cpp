// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSecond.h"

#include "ZoneOffset.h"

#include <cmath>

namespace chart {
namespace {

constexpr double kSecondsPerDay = 86400.0;

char HouseSystemOf(const TChartFacts& Natal) {
  return Natal.Value.Houses ? Natal.Value.Houses->System : astro::kDefaultHouseSystem;
}

std::shared_ptr<TSecondFacts> FactsAround(astro::TSecondKind Kind, const astro::TChart& Second,
                                          const TChartFacts& Natal, const TChartSession& Session,
                                          const std::optional<TPlaceFacts>& Place) {
  auto facts = std::make_shared<TSecondFacts>();
  facts->Kind = Kind;
  facts->Chart = FactsOfValue(Second, Place);
  facts->Cross = astro::FindCrossAspects(Second, Natal.Value, Session.Model().AspectSettings());
  return facts;
}

} // namespace

std::shared_ptr<const TSecondFacts>
ComputeSecond(const TSecondOption& Option, const TChartFacts& Natal, const TChartSession& Session) {
  astro::TSecondRequest request;
  request.Kind = Option.Kind;
  request.Year = Option.Year;
  request.Universal = ToUniversalTime(Session.OffsetAt(Option.Local), ToDateTime(Option.Local));
  const QString zone = QString::fromStdString(Natal.ZoneName);
  request.Reader = [&Session, zone](astro::TDateTime universal) {
    const TZoneOffset offset = Session.OffsetAtUniversal(std::llround(universal * kSecondsPerDay));
    return ChartMomentOf(offset, universal + offset.Seconds / kSecondsPerDay, universal,
                         offset.Source == TZoneSource::WholeHours ? QString() : zone);
  };
  try {
    const astro::TChart second =
        astro::ComputeSecondChart(Session.Efemeris(), Session.Model().AspectSettings(), Natal.Value,
                                  request, HouseSystemOf(Natal), astro::AsteroidFolder());
    return FactsAround(Option.Kind, second, Natal, Session, Natal.Place);
  } catch (const std::out_of_range& error) {
    throw TChartError(error.what());
  }
}

std::shared_ptr<const TSecondFacts> SynastryOf(const std::string& Name, const TChartFacts& Partner,
                                               const TChartFacts& Natal,
                                               const TChartSession& Session) {
  auto facts =
      FactsAround(astro::TSecondKind::Synastry, Partner.Value, Natal, Session, Partner.Place);
  facts->Name = Name;
  return facts;
}

} // namespace chart
