// SPDX-License-Identifier: GPL-3.0-or-later
// The floor a chart without pictures (astravia-chart --json) is held against: a QtCore program
// that starts its application object and prints one line.
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTextStream(stdout) << QStringLiteral("Астравия: одна строка текста") << Qt::endl;
  return 0;
}
