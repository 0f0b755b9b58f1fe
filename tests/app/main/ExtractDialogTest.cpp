// SPDX-License-Identifier: GPL-3.0-or-later
// The export dialog: its range, the pickers kept in order, and the dates it hands back.
#include "DateTime.h"
#include "EfemeridExtract.h"

#include <QDateEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using astro::EncodeDate;

TEST(EfemeridExtract, RangeBoundsBothPickers) {
  TEfemeridExtract dialog;
  EXPECT_EQ(dialog.windowTitle(), "Экспорт эфемерид");
  EXPECT_EQ(dialog.DateTimePicker1->displayFormat(), "MMMM yyyy");
  const double first = EncodeDate(1800, 1, 1);
  const double last = EncodeDate(2200, 12, 30) + astro::EncodeTime(23, 59, 59);
  dialog.SetRange(first, last);
  EXPECT_EQ(dialog.GetFromDate(), first);
  EXPECT_EQ(dialog.GetToDate(), EncodeDate(2200, 12, 30)); // the day, time dropped
  EXPECT_EQ(dialog.DateTimePicker1->minimumDate(), QDate(1800, 1, 1));
  EXPECT_EQ(dialog.DateTimePicker2->maximumDate(), QDate(2200, 12, 30));
  // Nothing outside the store's range can be chosen.
  dialog.DateTimePicker1->setDate(QDate(1750, 6, 1));
  EXPECT_EQ(dialog.GetFromDate(), first);
}

TEST(EfemeridExtract, PickersStayOrdered) {
  TEfemeridExtract dialog;
  dialog.SetRange(EncodeDate(1800, 1, 1), EncodeDate(2200, 12, 30));
  dialog.DateTimePicker1->setDate(QDate(2005, 3, 15));
  dialog.DateTimePicker2->setDate(QDate(2004, 11, 2)); // before picker 1: picker 1 follows
  EXPECT_EQ(dialog.DateTimePicker1->date(), QDate(2004, 11, 2));
  dialog.DateTimePicker1->setDate(QDate(2010, 1, 1)); // after picker 2: picker 2 follows
  EXPECT_EQ(dialog.DateTimePicker2->date(), QDate(2010, 1, 1));
  EXPECT_EQ(dialog.GetToDate(), EncodeDate(2010, 1, 31)); // the whole month
}

TEST(EfemeridExtract, AnExtractRunsFromTheFirstToTheLastDayOfItsMonths) {
  TEfemeridExtract dialog;
  dialog.SetRange(EncodeDate(1800, 1, 5), EncodeDate(2200, 12, 30));
  dialog.DateTimePicker1->setDate(QDate(2005, 1, 30));
  dialog.DateTimePicker2->setDate(QDate(2005, 12, 30));
  EXPECT_EQ(dialog.GetFromDate(), EncodeDate(2005, 1, 1));
  EXPECT_EQ(dialog.GetToDate(), EncodeDate(2005, 12, 31));
  dialog.DateTimePicker1->setDate(QDate(1800, 1, 20));
  dialog.DateTimePicker2->setDate(QDate(2200, 12, 1));
  EXPECT_EQ(dialog.GetFromDate(), EncodeDate(1800, 1, 5)); // the range's own ends
  EXPECT_EQ(dialog.GetToDate(), EncodeDate(2200, 12, 30));
}

TEST(EfemeridExtract, ButtonsCloseWithTheirResults) {
  TEfemeridExtract dialog;
  dialog.Button1->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.Button2->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(EfemeridExtract, EmptyStoreOffersTheZeroDate) {
  TEfemeridExtract dialog;
  dialog.SetRange(0, 0);
  EXPECT_EQ(dialog.DateTimePicker1->date(), QDate(1899, 12, 30));
  EXPECT_EQ(dialog.GetFromDate(), 0.0);
  EXPECT_EQ(dialog.GetToDate(), 0.0);
}

} // namespace
