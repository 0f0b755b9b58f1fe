// SPDX-License-Identifier: GPL-3.0-or-later
// astravia-chart-pictures: the companion with the main window's views, started by astravia-chart
// for a run that writes pictures (its first two arguments then name astravia-chart's folder).
#include "ChartMain.h"
#include "ChartPictures.h"

#include <QApplication>
#include <cstring>

namespace {

// Only a run that draws pictures starts the widget toolkit; no window is ever shown: the frames
// draw into their pictures on the offscreen platform.
std::unique_ptr<QCoreApplication> PictureApplication(int& argc, char** argv, bool pictures) {
  if (!pictures)
    return std::make_unique<QCoreApplication>(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == chart::kProgramDirOption) {
    chart::SetProgramDir(QString::fromStdString(args[1]));
    args.erase(args.begin(), args.begin() + 2);
  }
  return chart::ChartMain(args, argv, PictureApplication, chart::MakeChartPictures);
}
