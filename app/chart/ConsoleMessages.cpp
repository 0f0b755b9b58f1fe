// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleMessages.h"

namespace chart {

void TConsoleMessages::Information(const QString& text) {
  // A series meets the same missing file at every step: say it once.
  const bool repeated = Warnings.contains(text);
  Warnings << text;
  if (!repeated)
    std::fprintf(ErrorStream, "astravia-chart: warning: %s\n", text.toUtf8().constData());
}

void TConsoleMessages::Error(const QString& text) {
  Errors << text;
  std::fprintf(ErrorStream, "astravia-chart: error: %s\n", text.toUtf8().constData());
}

} // namespace chart
