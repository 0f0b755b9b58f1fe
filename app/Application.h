// SPDX-License-Identifier: GPL-3.0-or-later
// The application object. Any exception that escapes an event handler is shown in an error box
// with its text (through the prompts seam) and the program carries on with the next event.
#pragma once

#include <QApplication>
#include <exception>

class TAstraviaApplication : public QApplication {
  Q_OBJECT
public:
  TAstraviaApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the text of the exception being handled (or of an unknown one) as an error.
  static void ShowException(std::exception_ptr error);
};
