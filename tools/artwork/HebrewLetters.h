// SPDX-License-Identifier: GPL-3.0-or-later
// The 22 Hebrew letters of the arcana in alphabet order, 1 Aleph .. 22 Tav (no final forms);
// element k - 1 belongs to arcanum k.
#pragma once

#include <array>

inline constexpr std::array<char16_t, 22> HebrewLetters = {
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7, 0x05D8, 0x05D9, 0x05DB,
    0x05DC, 0x05DE, 0x05E0, 0x05E1, 0x05E2, 0x05E4, 0x05E6, 0x05E7, 0x05E8, 0x05E9, 0x05EA};
