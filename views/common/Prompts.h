// SPDX-License-Identifier: GPL-3.0-or-later
// The one road of every modal interaction: message boxes, file dialogs, the print
// dialog and other modal forms. The Qt implementation shows real windows; the
// scripted one (ScriptedPrompts.h) records what was asked and answers as a test chooses.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;

struct TSaveRequest {
  QString Title;      // dialog caption, may be empty
  QString Filter;     // Qt filter string, e.g. "JPEG (*.jpg)"
  QString DefaultExt; // appended when the chosen name has no extension, without "."
  QString StartDir;   // folder the dialog opens in
  QString FileName;   // proposed name, may be empty
};

class TPrompts {
public:
  virtual ~TPrompts() = default;
  // Modal information box with a single OK button.
  virtual void Information(const QString& text) = 0;
  // Error box for an exception or a failed operation.
  virtual void Error(const QString& text) = 0;
  // Save dialog; nullopt when cancelled. The result carries DefaultExt when the user typed none.
  virtual std::optional<QString> SaveFileName(const TSaveRequest& request) = 0;
  // Print dialog over the given printer; false when cancelled.
  virtual bool SetupPrinter(QPrinter& printer) = 0;
  // Yes/No question box; true for Yes.
  virtual bool Question(const QString& text) = 0;
  // One line of text asked for (Title is the caption, Label the question above the line, Text
  // the line's first content); nullopt when cancelled.
  virtual std::optional<QString> InputText(const QString& Title, const QString& Label,
                                           const QString& Text) = 0;
  // Any other modal form (the export dialog, the About box); true when accepted.
  virtual bool Execute(QDialog& dialog) = 0;
};

// The process-wide seam. Defaults to the Qt implementation.
TPrompts& Prompts();
// Replaces the seam (tests); nullptr restores the Qt implementation. Not owned.
void SetPrompts(TPrompts* prompts);

// Appends "." + ext when the file name's last part has no extension.
QString WithDefaultExtension(const QString& fileName, const QString& ext);
