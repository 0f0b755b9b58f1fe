// SPDX-License-Identifier: GPL-3.0-or-later
// The body of the companion's two programs. astravia-chart computes charts with the core of Qt
// alone; a run that writes pictures is handed, command line and all, to astravia-chart-pictures,
// which holds the main window's views.
#pragma once

#include "ChartOptions.h"
#include "ChartViews.h"

#include <QCoreApplication>
#include <memory>
#include <string>
#include <vector>

namespace chart {

inline constexpr const char* kPictureProgram = "astravia-chart-pictures";
// The option astravia-chart puts first when it starts the picture program: the folder the
// data are found from.
inline constexpr const char* kProgramDirOption = "--program-dir";

// The Qt application of a run; `pictures`: the run writes pictures.
using TApplicationMaker = std::unique_ptr<QCoreApplication> (*)(int& argc, char** argv,
                                                                bool pictures);

// Parses `args`, runs the charts and prints errors; returns the exit status.
int ChartMain(const std::vector<std::string>& args, char** argv, TApplicationMaker application,
              TChartViewsMaker views);

// Whether `args` parse into a run that writes pictures.
bool AsksForPictures(const std::vector<std::string>& args);

// Replaces this process by the picture program beside it (or in the package's private folder)
// with the same arguments; returns (2, with the error printed) only when it cannot be started.
int StartPictureProgram(const std::vector<std::string>& args);

} // namespace chart
