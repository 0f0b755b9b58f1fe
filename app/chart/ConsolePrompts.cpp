// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsolePrompts.h"

namespace chart {

TConsolePrompts::TConsolePrompts(TConsoleMessages& messages) : Messages(messages) {
  SetPrompts(this);
}

TConsolePrompts::~TConsolePrompts() {
  SetPrompts(nullptr);
}

void TConsolePrompts::Information(const QString& text) {
  Messages.Information(text);
}

void TConsolePrompts::Error(const QString& text) {
  Messages.Error(text);
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
