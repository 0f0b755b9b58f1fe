// SPDX-License-Identifier: GPL-3.0-or-later
// astravia-chart: charts, reports and pictures of the main window's code from the command line.
#include "ChartOptions.h"
#include "ChartRun.h"

#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

namespace {

// Qt's own chatter (debug, info, warnings about the session environment) stays off standard
// error, which carries only the companion's warnings and errors; critical messages still show.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "astravia-chart: %s\n", message.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
  // The arguments are taken before Qt sees them, so none is swallowed as a Qt option.
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<chart::TChartOptions> options;
  std::string mistake;
  try {
    options = chart::ParseChartOptions(args);
  } catch (const std::exception& error) {
    mistake = error.what();
  }
  qInstallMessageHandler(QuietQtMessages);
  int qtArgc = 1;
  // Only a run that draws pictures starts the widget toolkit; no window is ever shown: the
  // frames draw into their pictures on the offscreen platform.
  std::unique_ptr<QCoreApplication> application;
  if (options && chart::WritesPictures(*options)) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QApplication>(qtArgc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(qtArgc, argv);
  }
  // The window's name, so the user's data folder (and the chart archive in it) is the same.
  QCoreApplication::setApplicationName(QStringLiteral("Astravia"));
  try {
    if (!options)
      throw chart::TChartError(mistake);
    if (options->Help) {
      std::fputs(chart::ChartHelpText().c_str(), stdout);
      return 0;
    }
    return chart::RunChart(*options, stdout, stderr);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "astravia-chart: error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "astravia-chart: error: unexpected failure\n");
  }
  return 2;
}
