// SPDX-License-Identifier: GPL-3.0-or-later
// Astravia: creates the application and the main window, then runs the message loop until the
// window closes. The option --close-after-start closes the window as soon as the message loop
// runs, through the same close as the menu's "Выход": a check of start-up and shutdown.
#include "Application.h"
#include "MainForm.h"

#include <QTimer>

int main(int argc, char** argv) {
  TAstraviaApplication app(argc, argv);
  int result = 0;
  {
    TForm1 Form1;
    Form1.show();
    if (app.arguments().contains(QStringLiteral("--close-after-start"))) {
      QTimer::singleShot(0, &Form1, &TForm1::ExitItemClick);
    }
    result = app.exec();
  }
  return result;
}
