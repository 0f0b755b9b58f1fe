// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlmanacText.h"

#include "DateTime.h"
#include "Formatting.h"

#include <algorithm>
#include <cmath>

namespace astro {

const std::array<std::string_view, 8> LunarPhaseNames = {
    "новолуние",  "растущий серп",  "первая четверть",    "растущая Луна",
    "полнолуние", "убывающая Луна", "последняя четверть", "убывающий серп"};

namespace {

bool IsSun(TAlmanacEvent kind) {
  return kind == TAlmanacEvent::SunRise || kind == TAlmanacEvent::SunSet ||
         kind == TAlmanacEvent::SunCulmination;
}

bool IsRise(TAlmanacEvent kind) {
  return kind == TAlmanacEvent::SunRise || kind == TAlmanacEvent::MoonRise;
}

} // namespace

std::string EventTimeText(const TDayEvent& Event) {
  if (!Event.Local) {
    return "—";
  }
  const double day = std::floor(*Event.Local);
  const int minute = std::min(1439, static_cast<int>(std::lround((*Event.Local - day) * 1440.0)));
  return ZeroPad(minute / 60, 2) + ":" + ZeroPad(minute % 60, 2);
}

std::string EventHint(TAlmanacEvent Kind, const TDayEvent& Event) {
  const bool sun = IsSun(Kind);
  const std::string body = sun ? "Солнце" : "Луна";
  switch (Event.Why) {
  case TAbsence::None:
    return "";
  case TAbsence::AlwaysUp:
    return body + " не заходит" + (sun ? " (полярный день)" : "");
  case TAbsence::AlwaysDown:
    return body + " не восходит" + (sun ? " (полярная ночь)" : "");
  case TAbsence::NotThisDay:
    break;
  }
  if (Kind == TAlmanacEvent::SunCulmination) {
    return "Кульминация Солнца приходится на другой день";
  }
  return body + (IsRise(Kind) ? " не восходит" : " не заходит") + " в этот день";
}

std::string PhaseText(const TMoonPhase& Phase) {
  return std::to_string(std::lround(Phase.Illuminated * 100.0)) + "%";
}

std::string PhaseHint(const TMoonPhase& Phase) {
  std::string age = FormatFixed(1, 0, Phase.AgeDays);
  std::replace(age.begin(), age.end(), '.', ',');
  return "Фаза: " + std::string(LunarPhaseNames[static_cast<int>(Phase.Name)]) + ", возраст " +
         age + " суток (в полдень)";
}

} // namespace astro
