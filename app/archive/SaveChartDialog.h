// SPDX-License-Identifier: GPL-3.0-or-later
// "Сохранить карту": asks for the chart's name (required) and an optional note, and shows what
// will be stored (moment, place, zone).
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TSaveChartDialog : public QDialog {
  Q_OBJECT
public:
  // Summary: the lines describing the chart to be stored.
  explicit TSaveChartDialog(const QString& Summary, QWidget* parent = nullptr);

  // The name without surrounding blanks; the dialog cannot be accepted while it is empty.
  QString Name() const;
  QString Note() const;
  void SetName(const QString& Text);
  void SetNote(const QString& Text);

private:
  void NameChanged();

  QLineEdit* ChartName = nullptr;
  QPlainTextEdit* ChartNote = nullptr;
  QPushButton* SaveButton = nullptr;
};
