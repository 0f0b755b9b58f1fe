// SPDX-License-Identifier: GPL-3.0-or-later
// Astravia: creates the application and the main window, then runs the message loop until the
// window closes.
#include "Application.h"
#include "MainForm.h"

int main(int argc, char** argv) {
  TAstraviaApplication app(argc, argv);
  int result = 0;
  {
    TForm1 Form1;
    Form1.show();
    result = app.exec();
  }
  return result;
}
