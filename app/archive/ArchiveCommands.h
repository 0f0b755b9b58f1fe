// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Сохранить карту…" and "Открыть карту…": between the position frame and the
// chart archive. Every question, message and dialog goes through the prompts seam.
#pragma once

#include "ChartArchive.h"

class QWidget;
class TPositionFrame;

namespace archive {

// The frame's chart as the archive keeps it: local moment, country and city texts as shown,
// zone, zone-by-date choice and coordinates; the moment to the whole second (the clock's
// milliseconds are no part of a chart). Name and note are left empty.
TStoredChart ChartFromFrame(const TPositionFrame& Frame);

// The frame's zone-by-date choice, and setting it. The position frame has no such choice in
// this build: the choice reads as off and setting it changes nothing.
bool HistoricZonesOf(const TPositionFrame& Frame);
void SetHistoricZones(TPositionFrame& Frame, bool On);

enum class TApplyResult {
  Opened,      // the place was found in the atlas
  CityMissing, // the atlas has no such city: stored coordinates and zone were used
  OutOfRange   // the moment lies outside the ephemeris range: nothing was changed
};

// Sets the frame's place, zone and moment as a user's edits would, each raising the frame's own
// events: the place, the zone, the zone-by-date choice, then the moment.
TApplyResult ApplyChart(TPositionFrame& Frame, const TStoredChart& Chart);

// The lines the save dialog shows about a chart.
QString ChartSummary(const TStoredChart& Chart);
// The question asked before a chart of the same name is replaced.
QString ReplaceQuestion(const QString& Name);
// The question asked before the open chart is stored again under its own name.
QString UpdateQuestion(const QString& Name);

// The menu commands. True when a chart was saved, or opened into the frame. Current, when
// given, is the chart open in the window: its name and note fill the save dialog, and it
// becomes the chart saved or opened.
bool SaveChartCommand(TPositionFrame& Frame, const QString& ArchivePath, QWidget* Parent,
                      TStoredChart* Current = nullptr);
bool OpenChartCommand(TPositionFrame& Frame, const QString& ArchivePath, QWidget* Parent,
                      TStoredChart* Current = nullptr);

} // namespace archive
