// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's second chart: a transit, return or progression read on the clock of the
// chart's own place, or a partner's chart computed by a session of its own; the aspects between
// the two charts.
#pragma once

#include "ChartOptions.h"
#include "ChartSession.h"
#include "ChartText.h"

#include <memory>

namespace chart {

// The second chart of a transit, a return or a progression around Natal, computed by Session
// at the natal place (Natal is the session's last chart). Throws TChartError when the moment
// falls outside the ephemeris.
std::shared_ptr<const TSecondFacts>
ComputeSecond(const TSecondOption& Option, const TChartFacts& Natal, const TChartSession& Session);
// A synastry: the partner's chart (computed by its own session) around Natal.
std::shared_ptr<const TSecondFacts> SynastryOf(const std::string& Name, const TChartFacts& Partner,
                                               const TChartFacts& Natal,
                                               const TChartSession& Session);

} // namespace chart
