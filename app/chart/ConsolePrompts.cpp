// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsolePrompts.h"

namespace chart {

TConsolePrompts::TConsolePrompts(std::FILE* errors) : ErrorStream(errors) {
  SetPrompts(this);
}

TConsolePrompts::~TConsolePrompts() {
  SetPrompts(nullptr);
}

void TConsolePrompts::Information(const QString& text) {
  // A series meets the same missing file at every step: say it once.
  const bool repeated = Warnings.contains(text);
  Warnings << text;
  if (!repeated)
    std::fprintf(ErrorStream, "astravia-chart: warning: %s\n", text.toUtf8().constData());
}

void TConsolePrompts::Error(const QString& text) {
  Errors << text;
  std::fprintf(ErrorStream, "astravia-chart: error: %s\n", text.toUtf8().constData());
}

bool TConsolePrompts::Question(const QString&) {
  return false;
}

std::optional<QString> TConsolePrompts::InputText(const QString&, const QString&, const QString&) {
  return std::nullopt;
}

std::optional<QString> TConsolePrompts::SaveFileName(const TSaveRequest&) {
  QString answer;
  std::swap(answer, NextSave);
  if (answer.isEmpty())
    return std::nullopt;
  return answer;
}

bool TConsolePrompts::SetupPrinter(QPrinter&) {
  return false;
}

bool TConsolePrompts::Execute(QDialog&) {
  return false;
}

void TConsolePrompts::AnswerNextSave(const QString& fileName) {
  NextSave = fileName;
}

} // namespace chart
