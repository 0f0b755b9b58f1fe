// SPDX-License-Identifier: GPL-3.0-or-later
#include "Vocabulary.h"

#include <cmath>

namespace astro {

TArcanaTriple QuinaryArcana(double Longitude) {
  double L = std::isfinite(Longitude) ? std::fmod(Longitude, 360.0) : 0.0;
  if (L < 0)
    L += 360.0;
  int segment = static_cast<int>(L / 5.0) + 1;
  if (segment < 1)
    segment = 1;
  if (segment > kSegmentCount) // 360 - tiny rounds up to 360 in the addition above
    segment = kSegmentCount;
  return QuinaryTable[segment];
}

void ShiftArcana(TArcanaTriple& Triple, int Body) {
  if (Body < 1 || Body > kBodyCount)
    return;
  const int sephira = SephiraOfBody[Body];
  for (int& arcanum : Triple)
    if (arcanum >= 1 && arcanum <= kArcanaCount)
      arcanum = ArcanumShift[arcanum][sephira];
}

} // namespace astro
