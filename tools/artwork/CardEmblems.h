// SPDX-License-Identifier: GPL-3.0-or-later
// The emblem panel of each tarot face: a small picture of the arcanum's name over a
// backdrop with a sky above and a floor or ground below, so that every face has an up and
// a down. Drawn in the panel's own coordinates, EmblemWidth x EmblemHeight, origin top left.
#pragma once

#include <QPainter>

namespace deck {

inline constexpr double EmblemWidth = 66;
inline constexpr double EmblemHeight = 82;

// Draws backdrop and emblem of arcanum 1..22 into the panel (the painter is already moved
// to the panel's top-left corner and clipped to it).
void DrawEmblem(QPainter& p, int arcanum);

} // namespace deck
