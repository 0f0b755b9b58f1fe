// SPDX-License-Identifier: GPL-3.0-or-later
// "Транзиты за период" offscreen: a search on the worker thread fills the table by moment, the
// filter narrows it, the export writes what is shown, a double-click hands back the row's
// moment, and a century's search is cancelled.
#include "TransitsForm.h"
#include "DateTime.h"
#include "EventText.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

TTransitNatal Natal() {
  TTransitNatal natal;
  natal.Universal = astro::EncodeDate(1985, 3, 14) + 0.19;
  natal.PlaceKnown = true;
  natal.LatitudeDeg = 55.75;
  natal.LongitudeDeg = 37.62;
  natal.OffsetAtUniversal = [](astro::TDateTime) { return 3 * 3600; };
  natal.AspectOn.fill(true);
  natal.Orbs.fill(1.0);
  return natal;
}

// Events are delivered until the label names the outcome (or a minute passes).
QString WaitForOutcome(TTransitsForm& form) {
  QElapsedTimer timer;
  timer.start();
  auto* status = form.findChild<QLabel*>("StatusLabel");
  while (timer.elapsed() < 60000 &&
         (form.Searching() || status->text().isEmpty() || status->text() == "Поиск…"))
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  return status->text();
}

TEST(TransitsForm, SearchFiltersExportsAndOpensARow) {
  TTransitsForm form(Natal(), astro::EncodeDate(2027, 1, 1));
  form.Search();
  EXPECT_TRUE(WaitForOutcome(form).startsWith("Событий:"));
  auto* table = form.findChild<QTableView*>("EventTable");
  const int all = form.RowCount();
  ASSERT_GT(all, 500);
  for (int row = 1; row < all; ++row)
    EXPECT_LE(table->model()->index(row - 1, 1).data().toString(),
              table->model()->index(row, 1).data().toString());
  // Local time is the UT of the row moved by the chart's three hours.
  const QString ut = table->model()->index(0, 1).data().toString();
  EXPECT_EQ(table->model()->index(0, 0).data().toString().mid(11, 2).toInt(),
            (ut.mid(11, 2).toInt() + 3) % 24);

  form.findChild<QLineEdit*>("FilterEdit")->setText("стояние");
  ASSERT_GT(form.RowCount(), 0);
  EXPECT_LT(form.RowCount(), all);
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/transits.csv";
  form.ExportTo(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
  EXPECT_EQ(lines.size(), form.RowCount() + 1);
  EXPECT_TRUE(lines[1].contains("\"Стояние\""));

  astro::TDateTime opened = 0;
  form.OnOpenMoment = [&](astro::TDateTime moment) { opened = moment; };
  emit table->doubleClicked(table->model()->index(0, 3));
  EXPECT_EQ(QString::fromStdString(astro::search::IsoMoment(opened)).replace('T', ' '),
            table->model()->index(0, 1).data().toString());
}

TEST(TransitsForm, ACenturyCanBeCancelled) {
  TTransitsForm form(Natal(), astro::EncodeDate(2027, 1, 1));
  form.findChild<QDateEdit*>("ToEdit")->setDate(QDate(2127, 1, 1));
  form.Search();
  form.Cancel();
  EXPECT_EQ(WaitForOutcome(form), "Поиск прерван");
  EXPECT_EQ(form.RowCount(), 0);
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
