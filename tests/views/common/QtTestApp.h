// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for a GoogleTest program (the tests run on the offscreen platform).
#pragma once

#include <QApplication>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "astravia_test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}
