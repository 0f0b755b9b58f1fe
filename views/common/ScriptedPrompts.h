// SPDX-License-Identifier: GPL-3.0-or-later
// A TPrompts for tests: records every interaction and answers from queues the test fills.
// Nothing modal is ever shown; an unanswered save dialog or print dialog counts as cancelled.
#pragma once

#include "Prompts.h"

#include <QList>
#include <deque>
#include <functional>

class TScriptedPrompts : public TPrompts {
public:
  TScriptedPrompts();           // installs itself as the seam
  ~TScriptedPrompts() override; // restores the Qt implementation

  void Information(const QString& text) override;
  void Error(const QString& text) override;
  bool Question(const QString& text) override;
  std::optional<QString> InputText(const QString& Title, const QString& Label,
                                   const QString& Text) override;
  std::optional<QString> SaveFileName(const TSaveRequest& request) override;
  bool SetupPrinter(QPrinter& printer) override;
  bool Execute(QDialog& dialog) override;

  // Recorded interactions, in order.
  QStringList Informations;
  QStringList Errors;
  QStringList Questions;
  QStringList InputLabels;
  QList<TSaveRequest> SaveRequests;
  int PrintDialogs = 0;
  QStringList ExecutedDialogs; // objectName() of each dialog executed

  // Answers. A save answer of nullopt cancels. A print answer of "" cancels;
  // otherwise the printer prints to that PDF file.
  std::deque<std::optional<QString>> SaveAnswers;
  std::deque<QString> PrintAnswers;
  // An unanswered question is No; an unanswered or nullopt text input is cancelled.
  std::deque<bool> QuestionAnswers;
  std::deque<std::optional<QString>> InputAnswers;
  // Called with each executed dialog (to fill in its controls); returns accepted.
  std::function<bool(QDialog&)> OnExecute;
};
