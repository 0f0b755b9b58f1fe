// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompts.h"

#include <QDialog>
#include <QPrinter>

namespace {

// The next scripted answer, or `none` when the script has run out.
template <typename T> T TakeFront(std::deque<T>& answers, T none) {
  if (!answers.empty()) {
    none = std::move(answers.front());
    answers.pop_front();
  }
  return none;
}

} // namespace

TScriptedPrompts::TScriptedPrompts() {
  SetPrompts(this);
}

TScriptedPrompts::~TScriptedPrompts() {
  SetPrompts(nullptr);
}

void TScriptedPrompts::Information(const QString& text) {
  Informations << text;
}

void TScriptedPrompts::Error(const QString& text) {
  Errors << text;
}

bool TScriptedPrompts::Question(const QString& text) {
  Questions << text;
  return TakeFront(QuestionAnswers, false);
}

std::optional<QString> TScriptedPrompts::InputText(const QString&, const QString& label,
                                                   const QString&) {
  InputLabels << label;
  return TakeFront(InputAnswers, std::optional<QString>());
}

std::optional<QString> TScriptedPrompts::SaveFileName(const TSaveRequest& request) {
  SaveRequests << request;
  const std::optional<QString> answer = TakeFront(SaveAnswers, std::optional<QString>());
  if (answer) {
    return WithDefaultExtension(*answer, request.DefaultExt);
  }
  return answer;
}

bool TScriptedPrompts::SetupPrinter(QPrinter& printer) {
  ++PrintDialogs;
  if (PrintAnswers.empty() || PrintAnswers.front().isEmpty()) {
    if (!PrintAnswers.empty()) {
      PrintAnswers.pop_front();
    }
    return false;
  }
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(PrintAnswers.front());
  PrintAnswers.pop_front();
  return true;
}

bool TScriptedPrompts::Execute(QDialog& dialog) {
  ExecutedDialogs << dialog.objectName();
  return OnExecute ? OnExecute(dialog) : false;
}
