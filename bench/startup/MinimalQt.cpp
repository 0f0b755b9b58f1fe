// SPDX-License-Identifier: GPL-3.0-or-later
// The floor a chart process is held against: a Qt program that starts, draws one line of text on
// an 800 x 600 picture and writes it as one JPEG (argv[1]), on the offscreen platform.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  QImage picture(800, 600, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  painter.drawText(40, 300, QStringLiteral("Астравия: одна строка текста"));
  painter.end();
  return picture.save(QString::fromLocal8Bit(argv[1]), "JPEG") ? 0 : 1;
}
