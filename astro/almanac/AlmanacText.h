// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the almanac: the panel values of the planet tab and their hints (UTF-8).
#pragma once

#include "Almanac.h"

#include <array>
#include <string>
#include <string_view>

namespace astro {

enum class TAlmanacEvent { SunRise, SunSet, SunCulmination, MoonRise, MoonSet };

// Phase names by TLunarPhase, lower case: "новолуние", "растущий серп", ...
extern const std::array<std::string_view, 8> LunarPhaseNames;

// The event's local time as "HH:MM", rounded to the minute (a moment in the day's last half
// minute shows 23:59, so the text never leaves the day); "—" when the event does not happen.
std::string EventTimeText(const TDayEvent& Event);
// Why an event does not happen ("Солнце не заходит (полярный день)", "Луна не восходит в этот
// день"); empty when it happens.
std::string EventHint(TAlmanacEvent Kind, const TDayEvent& Event);
// The illuminated fraction in whole per cent: "73%".
std::string PhaseText(const TMoonPhase& Phase);
// "Фаза: растущая Луна, возраст 9,4 суток (в полдень)".
std::string PhaseHint(const TMoonPhase& Phase);

} // namespace astro
