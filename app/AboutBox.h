// SPDX-License-Identifier: GPL-3.0-or-later
// The About dialog: a fixed 299 x 200 box over the generated night-sky picture with the
// program's name and version, what it is for, its licence and where its data come from.
#pragma once

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
  Q_OBJECT
public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* Background() const { return Image1; }

private:
  QLabel* AddText(const QString& name, const QString& text, const QRect& place, int pixelSize,
                  bool bold = false);

  QLabel* Image1 = nullptr;
};
