// SPDX-License-Identifier: GPL-3.0-or-later
// --transits and --sky: a period's exact events for the session's chart and place, printed one
// per line as text or JSON.
#pragma once

#include "ChartOptions.h"
#include "ChartSession.h"

#include "TransitSearch.h"

#include <cstdio>
#include <string>

namespace chart {

// The search the options ask for: the period in UT, the bodies, the aspect switches and orbs of
// the session's configuration, and for --transits the natal points of the chart's moment.
astro::search::TSearchRequest EventRequest(const TChartOptions& options,
                                           const TChartSession& session);

// One event as a JSON object (one line, no newline), local moment at the given offset.
std::string EventJson(const astro::search::TSkyEvent& event, int offsetSeconds);
// One event as a line of text (no newline).
std::string EventText(const astro::search::TSkyEvent& event, int offsetSeconds);

// Searches and prints; returns the exit status.
int PrintEvents(const TChartOptions& options, const TChartSession& session, std::FILE* out);

} // namespace chart
