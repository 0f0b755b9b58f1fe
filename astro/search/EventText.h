// SPDX-License-Identifier: GPL-3.0-or-later
// Words and moments of a found event, shared by the window's table, its exports and the
// companion: Russian names and descriptions (UTF-8), ISO moments to the second.
#pragma once

#include "TransitSearch.h"

#include <string>

namespace astro::search {

// "Солнце" .. "Плутон" for "1".."10", "Асцендент", "MC", "Десцендент", "IC", "Средний узел",
// "Истинный узел", "Лилит"; the key itself when unknown.
std::string NatalPointName(const std::string& Key);
// "transit", "aspect", "station", "ingress".
std::string EventKindKey(TEventKind Kind);
// "Транзит", "Аспект", "Стояние", "Ингрессия".
std::string EventKindName(TEventKind Kind);
// "Сатурн Квадратура натальн. Солнце", "Марс Трин Юпитер", "Меркурий стоит, ретроградный",
// "Венера входит в Овен"; a retrograde transit or ingress adds " (R)".
std::string EventDescription(const TSkyEvent& Event);
// "2027-03-14T04:30:07": the moment (any scale) rounded to the second.
std::string IsoMoment(TDateTime Moment);

} // namespace astro::search
