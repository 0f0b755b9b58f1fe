// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompts.h"

#include <QDialog>
#include <QPrinter>

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

std::optional<QString> TScriptedPrompts::SaveFileName(const TSaveRequest& request) {
  SaveRequests << request;
  if (SaveAnswers.empty()) {
    return std::nullopt;
  }
  auto answer = SaveAnswers.front();
  SaveAnswers.pop_front();
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
