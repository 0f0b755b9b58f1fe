// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                 Qt::WindowTitleHint);
  setFixedSize(299, 200);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 299, 200);
  Image1->setPixmap(QPixmap(":/uiart/about.png"));

  AddText("ProductName", "Astravia v 0.1", QRect(12, 10, 200, 30), 20, true);
  AddText("Purpose",
          "Натальная карта, Древо жизни и расклад Таро\n"
          "по эфемеридам планет, 1800–2200 гг.",
          QRect(12, 52, 280, 28), 10);
  AddText("Licence", "Свободная программа: GNU GPL v3 или новее.", QRect(12, 86, 280, 14), 10);
  // The atlas's licence (CC BY 4.0) asks for attribution wherever its data are shown.
  AddText("DataOrigin",
          "Города: GeoNames.org (CC BY 4.0) и KStars (GPL-2+).\n"
          "Часовые пояса: база tz, IANA (общественное достояние).\n"
          "Эфемериды, восход и заход: Swiss Ephemeris,\n"
          "© Astrodienst AG (AGPL-3.0).",
          QRect(12, 104, 284, 56), 9);

  auto* emblem = new QLabel(this);
  emblem->setObjectName("Image2");
  emblem->setGeometry(12, 162, 32, 32);
  emblem->setPixmap(QPixmap(":/uiart/emblem.png"));
  AddText("Signature", QString("Astravia, %1").arg(QDate::currentDate().year()),
          QRect(50, 170, 150, 18), 11);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

QLabel* TAboutBox::AddText(const QString& name, const QString& text, const QRect& place,
                           int pixelSize, bool bold) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setWordWrap(true);
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  label->setStyleSheet(bold ? "color: rgb(250, 230, 160);" : "color: rgb(230, 230, 245);");
  return label;
}
