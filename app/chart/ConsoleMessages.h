// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's messages on standard error: warnings (each text once) and errors, kept in
// order so a run can see what was said.
#pragma once

#include <QStringList>
#include <cstdio>

namespace chart {

class TConsoleMessages {
public:
  explicit TConsoleMessages(std::FILE* errors = stderr) : ErrorStream(errors) {}

  void Information(const QString& text);
  void Error(const QString& text);

  QStringList Warnings; // every information text, in order
  QStringList Errors;   // every error text, in order

private:
  std::FILE* ErrorStream;
};

} // namespace chart
