// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed geometry of the tarot spread, shared by the tarot frame and by the artwork generator
// that draws the sheet and the card strip. Pixels, origin top left, y downwards; arcana are
// numbered 1..22, element 0 is unused. Plain C++, no Qt.
#pragma once

#include <array>

namespace taro {

inline constexpr int SheetWidth = 480;
inline constexpr int SheetHeight = 1050;

// Every card, face or back, is one cell of the strip: the 22 faces in arcanum order, then
// the back.
inline constexpr int CardWidth = 82;
inline constexpr int CardHeight = 150;
inline constexpr int StripCells = 23;
inline constexpr int BackCell = 23;
inline constexpr int StripWidth = CardWidth * StripCells;

struct TCardPlace {
  int X, Y; // top-left corner of the card's place on the sheet
};

inline constexpr std::array<TCardPlace, 23> CardPositions = {{
    {0, 0},     {294, 10},  {106, 10},  {200, 10},  {200, 170}, {294, 250}, {388, 250}, {106, 250},
    {12, 250},  {200, 330}, {294, 410}, {388, 410}, {106, 410}, {12, 410},  {294, 570}, {200, 570},
    {106, 570}, {200, 730}, {294, 810}, {388, 810}, {106, 810}, {12, 810},  {200, 890},
}};

} // namespace taro
