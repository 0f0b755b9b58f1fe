// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the tree view tests: one never-destroyed QApplication (offscreen platform),
// a fresh scratch folder per test, and the runtime folder the build fills.
#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <gtest/gtest.h>

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "astravia_tree_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

inline QString RunDir() {
  return QString::fromUtf8(ASTRAVIA_RUN_DIR);
}

// An empty folder under the test output folder, named after the running test.
inline QString ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const QString path = QString::fromUtf8(ASTRAVIA_TEST_OUTPUT_DIR) + "/tree/" +
                       QString::fromUtf8(info->test_suite_name()) + "." +
                       QString::fromUtf8(info->name());
  QDir(path).removeRecursively();
  QDir().mkpath(path);
  return path;
}
