// SPDX-License-Identifier: GPL-3.0-or-later
// The ephemeris export dialog "Экспорт эфемерид": two month-and-year pickers for the first and
// the last day of the extract, kept in order (the first never after the last), and Да / Нет.
// Dates are TDateTime values (days since 1899-12-30); only the day counts, the result is 00:00.
#pragma once

#include "Clock.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;

class TEfemeridExtract : public QDialog {
  Q_OBJECT
public:
  explicit TEfemeridExtract(QWidget* parent = nullptr);

  // Both pickers get the allowed range First..Last; picker 1 shows First, picker 2 Last.
  void SetRange(astro::TDateTime First, astro::TDateTime Last);
  // The first day of picker 1's month and the last day of picker 2's, kept inside the range.
  astro::TDateTime GetFromDate() const;
  astro::TDateTime GetToDate() const;

  QDateEdit* DateTimePicker1 = nullptr;
  QDateEdit* DateTimePicker2 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

private:
  void DateTimePicker1Change();
  void DateTimePicker2Change();
  QLabel* AddText(const QString& name, const QString& text, const QRect& place, int pointSize);
};

// TDateTime <-> calendar date of the pickers (the day of the moment, time dropped).
QDate DateOfMoment(astro::TDateTime Moment);
astro::TDateTime MomentOfDate(const QDate& Date);
