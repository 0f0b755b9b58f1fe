// SPDX-License-Identifier: GPL-3.0-or-later
// The application object. Any exception that escapes an event handler is shown in an error box
// with its text (through the prompts seam) and the program carries on with the next event.
#pragma once

#include <QApplication>
#include <exception>

// Installs the toolkit's own Russian texts (file dialogs, message-box buttons) from the system's
// Qt translations; false when they are not installed, and the toolkit then speaks English.
bool LoadToolkitTranslations(QCoreApplication& App);

class TAstraviaApplication : public QApplication {
  Q_OBJECT
public:
  TAstraviaApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the text of the exception being handled (or of an unknown one) as an error.
  static void ShowException(std::exception_ptr error);
};
