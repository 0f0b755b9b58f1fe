// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartMain.h"

#include "ChartRun.h"
#include "ChartSession.h"
#include "IniFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>

namespace chart {
namespace {

// Qt's own chatter (debug, info, warnings about the session environment) stays off standard
// error, which carries only the companion's warnings and errors; critical messages still show.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "astravia-chart: %s\n", message.toUtf8().constData());
}

} // namespace

bool AsksForPictures(const std::vector<std::string>& args) {
  try {
    return WritesPictures(ParseChartOptions(args));
  } catch (const std::exception&) {
    return false;
  }
}

int ChartMain(const std::vector<std::string>& args, char** argv, TApplicationMaker application,
              TChartViewsMaker views) {
  std::optional<TChartOptions> options;
  std::string mistake;
  try {
    options = ParseChartOptions(args);
  } catch (const std::exception& error) {
    mistake = error.what();
  }
  qInstallMessageHandler(QuietQtMessages);
  // A run only reads the configuration file, as it stood when read first.
  config::HoldFilesAsFirstRead();
  int qtArgc = 1;
  const std::unique_ptr<QCoreApplication> app =
      application(qtArgc, argv, options && WritesPictures(*options));
  // The window's name, so the user's data folder (and the chart archive in it) is the same.
  QCoreApplication::setApplicationName(QStringLiteral("Astravia"));
  try {
    if (!options)
      throw TChartError(mistake);
    if (options->Help) {
      std::fputs(ChartHelpText().c_str(), stdout);
      return 0;
    }
    return RunChart(*options, stdout, stderr, views);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "astravia-chart: error: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "astravia-chart: error: unexpected failure\n");
  }
  return 2;
}

int StartPictureProgram(const std::vector<std::string>& args) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error || !self.is_absolute()) {
    // Never a program of that name from wherever the run happens to be.
    std::fprintf(stderr, "astravia-chart: error: cannot find the picture program: %s\n",
                 error ? error.message().c_str() : "no program path");
    return 2;
  }
  const fs::path folder = self.parent_path();
  // Beside this program (the build folder), else where the package keeps it.
  fs::path program = folder / kPictureProgram;
  if (::access(program.c_str(), X_OK) != 0)
    program = (folder / ASTRAVIA_PICTURE_PROGRAM_DIR / kPictureProgram).lexically_normal();
  std::vector<std::string> line = {program.string(), kProgramDirOption, folder.string()};
  line.insert(line.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : line)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  std::fprintf(stderr, "astravia-chart: error: cannot start the picture program \"%s\": %s\n",
               program.c_str(), std::strerror(errno));
  return 2;
}

} // namespace chart
