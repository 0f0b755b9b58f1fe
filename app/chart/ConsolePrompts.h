// SPDX-License-Identifier: GPL-3.0-or-later
// The prompts seam of the command-line companion: nothing is shown on a screen.
// Information and error boxes become the run's messages on standard error, a save dialog
// "chooses" the file the companion named beforehand, and print dialogs and other forms are
// cancelled.
#pragma once

#include "ConsoleMessages.h"
#include "Prompts.h"

namespace chart {

class TConsolePrompts : public TPrompts {
public:
  // Installs itself as the process-wide seam; says what it is told through `messages`.
  explicit TConsolePrompts(TConsoleMessages& messages);
  ~TConsolePrompts() override; // restores the Qt implementation

  TConsolePrompts(const TConsolePrompts&) = delete;
  TConsolePrompts& operator=(const TConsolePrompts&) = delete;

  void Information(const QString& text) override;
  void Error(const QString& text) override;
  // Nobody answers: a question is No, a text input is cancelled.
  bool Question(const QString& text) override;
  std::optional<QString> InputText(const QString& Title, const QString& Label,
                                   const QString& Text) override;
  std::optional<QString> SaveFileName(const TSaveRequest& request) override;
  bool SetupPrinter(QPrinter& printer) override;
  bool Execute(QDialog& dialog) override;

  // The answer of the next save dialog (used once); empty cancels it.
  void AnswerNextSave(const QString& fileName);

private:
  TConsoleMessages& Messages;
  QString NextSave;
};

} // namespace chart
