// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartValue.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace astro {

std::vector<TPointAspect> FindPointAspects(const TLongitudes& Longitudes,
                                           const std::optional<THouses>& Houses,
                                           const TPoints& Points, const TAspectSettings& Settings) {
  std::vector<std::pair<TChartPointKey, double>> targets;
  if (Houses) {
    targets.emplace_back(TChartPointKey::Asc, Houses->Asc);
    targets.emplace_back(TChartPointKey::Mc, Houses->Mc);
  }
  for (const TPoint& point : Points.Items)
    targets.emplace_back(static_cast<TChartPointKey>(static_cast<int>(point.Kind) + 2),
                         point.Longitude);
  std::vector<TPointAspect> found;
  for (int b = 1; b <= kBodyCount; ++b)
    for (const auto& [key, longitude] : targets) {
      const double distance = std::fabs(Longitudes[b - 1] - longitude);
      const double separation = std::min(distance, 360.0 - distance);
      for (int a = 1; a <= kAspectCount; ++a) {
        const double orb = std::fabs(separation - AspectAngles[a]);
        if (Settings.Enabled[a] && orb <= Settings.Orbs[a])
          found.push_back({b, a, key, orb});
      }
    }
  return found;
}

void FindChartAspects(TChart& Chart, const TAspectSearch& Search) {
  Chart.AspectsOmitted = Search.Find(Chart.Longitudes, Chart.Aspects);
  if (Chart.Houses || !Chart.Points.Items.empty())
    Chart.PointAspects =
        FindPointAspects(Chart.Longitudes, Chart.Houses, Chart.Points, Search.Settings());
  else // a chart the store wrote body by body: the search of the bodies alone stays as quick
    Chart.PointAspects.clear();
}

} // namespace astro
