// SPDX-License-Identifier: GPL-3.0-or-later
#include "EfemeridExtract.h"

#include "DateTime.h"

#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <algorithm>

QDate DateOfMoment(astro::TDateTime Moment) {
  const astro::TCalendarDate d = astro::DecodeDate(Moment);
  return QDate(d.Year, d.Month, d.Day);
}

astro::TDateTime MomentOfDate(const QDate& Date) {
  return astro::EncodeDate(Date.year(), Date.month(), Date.day());
}

TEfemeridExtract::TEfemeridExtract(QWidget* parent) : QDialog(parent) {
  setObjectName("EfemeridExtract");
  setWindowTitle("Экспорт эфемерид");
  setFixedSize(302, 112); // a 310 x 144 window with its frame and caption

  AddText("StaticText1", "Экспортировать эфемериды", QRect(16, 8, 220, 20), 10);
  AddText("StaticText2", "с:", QRect(16, 40, 14, 20), 10);
  AddText("StaticText3", "по:", QRect(144, 40, 23, 20), 10);

  auto makePicker = [this](const QString& name, const QRect& place) {
    auto* picker = new QDateEdit(this);
    picker->setObjectName(name);
    picker->setGeometry(place);
    picker->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    picker->setDisplayFormat("MMMM yyyy");
    picker->setCalendarPopup(true);
    QFont small = picker->font();
    small.setPixelSize(10); // the longest month name and year fit the designed 105 px
    picker->setFont(small);
    picker->setMinimumDate(QDate(100, 1, 1));
    picker->setMaximumDate(QDate(9999, 12, 31));
    return picker;
  };
  DateTimePicker1 = makePicker("DateTimePicker1", QRect(32, 37, 105, 21));
  DateTimePicker2 = makePicker("DateTimePicker2", QRect(168, 37, 105, 21));
  connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TEfemeridExtract::DateTimePicker1Change);
  connect(DateTimePicker2, &QDateEdit::dateChanged, this, &TEfemeridExtract::DateTimePicker2Change);

  Button1 = new QPushButton("Да", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(24, 72, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  Button2 = new QPushButton("Нет", this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(208, 72, 75, 25);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QLabel* TEfemeridExtract::AddText(const QString& name, const QString& text, const QRect& place,
                                  int pointSize) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setGeometry(place);
  QFont font = label->font();
  font.setPointSize(pointSize);
  label->setFont(font);
  return label;
}

void TEfemeridExtract::SetRange(astro::TDateTime First, astro::TDateTime Last) {
  const QDate first = DateOfMoment(First);
  const QDate last = DateOfMoment(Last);
  DateTimePicker1->setDate(first);
  DateTimePicker1->setMinimumDate(first);
  DateTimePicker1->setMaximumDate(last);
  DateTimePicker2->setDate(last);
  DateTimePicker2->setMinimumDate(first);
  DateTimePicker2->setMaximumDate(last);
}

// The pickers choose months: the extract runs from the first day of the first month to the
// last day of the last one, within the allowed range.
astro::TDateTime TEfemeridExtract::GetFromDate() const {
  const QDate picked = DateTimePicker1->date();
  return MomentOfDate(
      std::max(QDate(picked.year(), picked.month(), 1), DateTimePicker1->minimumDate()));
}

astro::TDateTime TEfemeridExtract::GetToDate() const {
  const QDate picked = DateTimePicker2->date();
  return MomentOfDate(std::min(QDate(picked.year(), picked.month(), picked.daysInMonth()),
                               DateTimePicker2->maximumDate()));
}

void TEfemeridExtract::DateTimePicker1Change() {
  if (DateTimePicker1->date() > DateTimePicker2->date()) {
    DateTimePicker2->setDate(DateTimePicker1->date());
  }
}

void TEfemeridExtract::DateTimePicker2Change() {
  if (DateTimePicker2->date() < DateTimePicker1->date()) {
    DateTimePicker1->setDate(DateTimePicker2->date());
  }
}
