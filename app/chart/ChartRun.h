// SPDX-License-Identifier: GPL-3.0-or-later
// The whole run of astravia-chart for parsed options: checks, charts, text and files.
#pragma once

#include "ChartOptions.h"
#include "ChartViews.h"

#include <QString>
#include <cstdio>

namespace chart {

// The name of the report of chart `number` (1-based) of `count`: report.txt for a single chart,
// report-0001.txt ... for a series (at least four digits).
QString ReportFileName(std::int64_t number, std::int64_t count);
// The same for a view's picture: "<stem>.jpg" or "<stem>.png", numbered in a series.
QString PictureFileName(const char* stem, bool png, std::int64_t number, std::int64_t count);

// The sheet's file of chart `number` of `count`: FILE itself for one chart, FILE's stem numbered
// in a series; a bare file name goes into the output folder when there is one.
QString SheetFileName(const TChartOptions& options, std::int64_t number, std::int64_t count);

// Creates the output folder when missing and proves it writable; throws TChartError.
void PrepareOutputFolder(const QString& folder);

// Whether the run draws pictures (--out, --pdf), and so needs the widget toolkit; every other
// run computes through the chart value alone and needs only the core of Qt.
bool WritesPictures(const TChartOptions& options);

// Runs the charts the options ask for, printing to `out` and warnings to `errors`; or stores,
// loads or lists charts of the archive as the options ask. `views` makes the pictures of a run
// that writes them. Returns the exit status (0); throws TChartError, archive::TArchiveError (and
// the program's file errors) on failure.
int RunChart(const TChartOptions& options, std::FILE* out, std::FILE* errors,
             TChartViewsMaker views = nullptr);

} // namespace chart
