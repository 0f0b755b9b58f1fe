// SPDX-License-Identifier: GPL-3.0-or-later
// Colours the views draw with, from the vocabulary's 0x00BBGGRR values.
#pragma once

#include "Vocabulary.h"

#include <QColor>
#include <cstdint>

// A 0x00BBGGRR value (blue in the high byte, red in the low byte) as a colour.
inline QColor ColorFromBgr(std::uint32_t Bgr) {
  return QColor(Bgr & 0xFF, (Bgr >> 8) & 0xFF, (Bgr >> 16) & 0xFF);
}

// The drawing colour of an aspect (1..18); black for other numbers.
inline QColor AspectColor(int Aspect) {
  if (Aspect < 1 || Aspect > astro::kAspectCount) {
    return Qt::black;
  }
  return ColorFromBgr(astro::AspectColors[Aspect]);
}
