// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where collection records meet the archive's stored charts.
#pragma once

#include "ChartArchive.h"
#include "ChartRecord.h"

namespace archive {

class TPlaceAtlas;

// The record as the archive keeps it. The archive holds whole-hour zones and coordinates to the
// arc minute: the zone is the offset's nearest whole hour and the local moment is taken from the
// universal one through it, so the universal moment stays exact to the second.
TStoredChart StoredFromRecord(const TChartRecord& Record);
// The stored chart as a record: its exact offset when it keeps one; an older chart saved with
// zones by date takes its offset from the atlas place's zone at its local moment (the whole-hour
// zone when the atlas has no such place).
TChartRecord RecordFromStored(const TStoredChart& Chart, const TPlaceAtlas& Atlas);

} // namespace archive
