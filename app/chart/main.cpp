// SPDX-License-Identifier: GPL-3.0-or-later
// astravia-chart: charts, reports and pictures of the main window's code from the command line.
// This program links the core of Qt only; pictures are drawn by astravia-chart-pictures.
#include "ChartMain.h"

namespace {

std::unique_ptr<QCoreApplication> CoreApplication(int& argc, char** argv, bool) {
  return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
  // The arguments are taken before Qt sees them, so none is swallowed as a Qt option.
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (chart::AsksForPictures(args))
    return chart::StartPictureProgram(args);
  return chart::ChartMain(args, argv, CoreApplication, nullptr);
}
