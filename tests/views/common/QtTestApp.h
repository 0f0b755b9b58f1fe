// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for a GoogleTest program (the tests run on the offscreen platform). It is
// never destroyed: destroying it during static destruction, after Qt's own globals, crashes.
#pragma once

#include <QApplication>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "astravia_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
