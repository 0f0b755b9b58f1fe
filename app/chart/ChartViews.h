// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of a companion run behind one seam: the main window's frames, fed with each
// chart as the window feeds them, and the files written from them and from the sheet. A run
// that draws no picture has none, so its program needs no widget toolkit.
#pragma once

#include "ChartText.h"
#include "ConsoleMessages.h"

#include "Chart.h"
#include "PlanetPosition.h"
#include "SpreadRandom.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace chart {

struct TChartOptions;
struct TChartSetup;

class TChartViews {
public:
  virtual ~TChartViews() = default;

  // Loads the symbol font and creates the frames the setup asks for; throws TChartError when a
  // picture asked for cannot be read.
  virtual void Open() = 0;
  // The chart value of the moment, before the model's change: the wheel's houses and points.
  virtual void SetChart(const astro::TChart& chart) = 0;
  // The model's change with the local moment, into the frames in the main window's order.
  virtual void Push(const astro::TPlanetPosition& model, astro::TDateTime local) = 0;
  // Whether a tarot frame lays the spread; its cards, and the lines of text `number` of its base.
  virtual bool HasTarot() const = 0;
  virtual TCardStates CardStates() const = 0;
  virtual std::vector<std::string> CardText(int number) const = 0;
  // Makes the cosmogram a bi-wheel of the chart and its second chart.
  virtual void ShowSecond(const TChartFacts& natal) = 0;
  // Chart `number` (1-based) of `count`: its sheet (--pdf) and its report and pictures (--out).
  virtual void Write(const TChartFacts& facts, const TChartOptions& options, std::int64_t number,
                     std::int64_t count) = 0;
};

// Makes the views of a session over the configuration file `iniPath`; the frames are created
// by Open. Warnings and errors of the frames go to `messages`.
using TChartViewsMaker = std::unique_ptr<TChartViews> (*)(const TChartSetup& setup,
                                                          const QString& iniPath,
                                                          TConsoleMessages& messages);

} // namespace chart
