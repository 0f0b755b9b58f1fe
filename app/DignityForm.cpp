// SPDX-License-Identifier: GPL-3.0-or-later
#include "DignityForm.h"

#include "DateTime.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTotalRow = astro::kBodyCount;

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

QString PointsText(int points) {
  if (points > 0) {
    return QString("+%1").arg(points);
  }
  return points < 0 ? QString("−%1").arg(-points) : QString("0");
}

TDignityForm::TDignityForm(const astro::TDignityTable& table, QWidget* parent)
    : QWidget(parent, Qt::Tool), Table(table) {
  setObjectName("DignityForm");
  setWindowTitle("Таблица бальности");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);

  MomentLabel = new QLabel(this);
  MomentLabel->setObjectName("DignityMoment");
  layout->addWidget(MomentLabel);

  Grid = new QTableWidget(kTotalRow + 1, 4, this);
  Grid->setObjectName("DignityGrid");
  Grid->setHorizontalHeaderLabels({"Планета", "Знак", "Положение", "Баллы"});
  Grid->verticalHeader()->hide();
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::NoSelection);
  Grid->setFocusPolicy(Qt::NoFocus);
  for (int row = 0; row <= kTotalRow; ++row) {
    for (int column = 0; column < 4; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(column == 3 ? Qt::AlignRight | Qt::AlignVCenter
                                         : Qt::AlignLeft | Qt::AlignVCenter);
      Grid->setItem(row, column, item);
    }
    Grid->setRowHeight(row, 18);
  }
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    Grid->item(b - 1, 0)->setText(Text(astro::PlanetNames[b]));
  }
  Grid->item(kTotalRow, 0)->setText("Итого");
  QFont bold = Grid->font();
  bold.setBold(true);
  for (int column = 0; column < 4; ++column) {
    Grid->item(kTotalRow, column)->setFont(bold);
  }
  Grid->setColumnWidth(0, 80);
  Grid->setColumnWidth(1, 80);
  Grid->setColumnWidth(2, 150);
  Grid->setColumnWidth(3, 50);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setFixedSize(2 * Grid->frameWidth() + 80 + 80 + 150 + 50,
                     2 * Grid->frameWidth() + Grid->horizontalHeader()->sizeHint().height() +
                         18 * (kTotalRow + 1));
  layout->addWidget(Grid);

  auto* footer = new QLabel("Традиция: " + Text(Table.Tradition), this);
  footer->setObjectName("DignityFooter");
  footer->setWordWrap(true);
  footer->setMaximumWidth(Grid->width());
  layout->addWidget(footer);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDignityForm::ShowChart(const astro::TPlanetPosition& Model, astro::TDateTime Moment) {
  MomentLabel->setText("Карта на " + Text(astro::DateToText(Moment)) + " " +
                       Text(astro::TimeToText(Moment).substr(0, 5)));
  const astro::TChartDignities dignities = astro::ChartDignities(Table, Model);
  for (int row = 0; row < astro::kBodyCount; ++row) {
    const astro::TBodyDignity& dignity = dignities[row];
    Grid->item(row, 1)->setText(Text(astro::SignNames[dignity.Sign]));
    Grid->item(row, 2)->setText(Text(astro::DignityText(dignity)));
    Grid->item(row, 3)->setText(PointsText(dignity.Points));
  }
  Grid->item(kTotalRow, 3)->setText(PointsText(astro::TotalPoints(dignities)));
}

QString TDignityForm::CellText(int row, int column) const {
  const QTableWidgetItem* item = Grid->item(row, column);
  return item ? item->text() : QString();
}
