// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventText.h"

#include "DateTime.h"
#include "Formatting.h"

#include <array>
#include <cmath>
#include <map>
#include <string_view>

namespace astro::search {

std::string NatalPointName(const std::string& Key) {
  static const std::map<std::string, std::string> names = {{"asc", "Асцендент"},
                                                           {"mc", "MC"},
                                                           {"dsc", "Десцендент"},
                                                           {"ic", "IC"},
                                                           {"mean_node", "Средний узел"},
                                                           {"true_node", "Истинный узел"},
                                                           {"lilith", "Лилит"}};
  if (const auto found = names.find(Key); found != names.end())
    return found->second;
  for (int body = 1; body <= kBodyCount; ++body)
    if (Key == std::to_string(body))
      return std::string(PlanetNames[body]);
  return Key;
}

namespace {
// Key and name of each kind, in the order of TEventKind.
constexpr std::array<std::array<std::string_view, 2>, 4> kKindWords = {{
    {"transit", "Транзит"},
    {"aspect", "Аспект"},
    {"station", "Стояние"},
    {"ingress", "Ингрессия"},
}};
} // namespace

std::string EventKindKey(TEventKind Kind) {
  return std::string(kKindWords[static_cast<int>(Kind)][0]);
}

std::string EventKindName(TEventKind Kind) {
  return std::string(kKindWords[static_cast<int>(Kind)][1]);
}

std::string EventDescription(const TSkyEvent& Event) {
  const std::string body(PlanetNames[Event.Body]);
  const std::string retrograde = Event.Direction < 0 ? " (R)" : "";
  switch (Event.Kind) {
  case TEventKind::Transit:
    return body + retrograde + " " + std::string(AspectNames[Event.Aspect]) + " натальн. " +
           NatalPointName(Event.Natal);
  case TEventKind::Aspect:
    return body + " " + std::string(AspectNames[Event.Aspect]) + " " +
           std::string(PlanetNames[Event.Other]);
  case TEventKind::Station:
    return body + (Event.Direction < 0 ? " стоит, ретроградный" : " стоит, директный");
  case TEventKind::Ingress:
    break;
  }
  return body + retrograde + " входит в " + std::string(SignNames[Event.Sign]);
}

std::string IsoMoment(TDateTime Moment) {
  const TDateTime rounded = std::round(Moment * 86400.0) / 86400.0;
  const TCalendarDate date = DecodeDate(rounded);
  const TTimeOfDay time = DecodeTime(rounded);
  return ZeroPad(date.Year, 4) + "-" + ZeroPad(date.Month, 2) + "-" + ZeroPad(date.Day, 2) + "T" +
         ZeroPad(time.Hour, 2) + ":" + ZeroPad(time.Minute, 2) + ":" + ZeroPad(time.Second, 2);
}

} // namespace astro::search
