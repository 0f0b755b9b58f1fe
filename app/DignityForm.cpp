// SPDX-License-Identifier: GPL-3.0-or-later
#include "DignityForm.h"

#include "DateTime.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTotalRow = astro::kBodyCount;
constexpr int kRowHeight = 18;

// Caption and width of each column; the last five only with a table that scores them.
struct TColumn {
  const char* Caption;
  int Width;
};
// Narrow enough for an 800-pixel screen; a long list of dignities shows whole in its hint.
constexpr TColumn kColumns[] = {{"Планета", 72}, {"Знак", 72},     {"Положение", 160},
                                {"Баллы", 44},   {"Тройств.", 82}, {"Терм", 82},
                                {"Фас", 82},     {"Дом", 124},     {"Случ.", 44}};
constexpr int kColumnCount = std::size(kColumns);
constexpr int kSignColumns = 4; // all a table scoring by sign alone shows
enum {
  kPointsColumn = 3,
  kTriplicityColumn,
  kTermColumn,
  kFaceColumn,
  kHouseColumn,
  kAccidentalColumn
};

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString BodyName(int body) {
  return body > 0 ? Text(astro::PlanetNames[body]) : QStringLiteral("—");
}

QString SourcesText(const astro::TDignityTable& table) {
  QString text = "Традиция: " + Text(table.Tradition);
  if (table.Minor) {
    text += "\nТройственности: " + Text(table.Minor->TriplicitySource) +
            "\nТермы: " + Text(table.Minor->TermSource) +
            "\nФасы: " + Text(table.Minor->FaceSource) +
            "\nСлучайные достоинства по домам: " + Text(table.Minor->HouseSource);
  }
  return text;
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

  BuildGrid();
  layout->addWidget(Grid);

  auto* footer = new QLabel(SourcesText(Table), this);
  footer->setObjectName("DignityFooter");
  footer->setWordWrap(true);
  footer->setMaximumWidth(Grid->width());
  layout->addWidget(footer);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDignityForm::BuildGrid() {
  const int columns = Table.Minor ? kColumnCount : kSignColumns;
  Grid = new QTableWidget(kTotalRow + 1, columns, this);
  Grid->setObjectName("DignityGrid");
  Grid->verticalHeader()->hide();
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::NoSelection);
  Grid->setFocusPolicy(Qt::NoFocus);
  QFont bold = Grid->font();
  bold.setBold(true);
  int width = 0;
  for (int column = 0; column < columns; ++column) {
    Grid->setHorizontalHeaderItem(column, new QTableWidgetItem(kColumns[column].Caption));
    Grid->setColumnWidth(column, kColumns[column].Width);
    width += kColumns[column].Width;
    const bool number = column == kPointsColumn || column == kAccidentalColumn;
    for (int row = 0; row <= kTotalRow; ++row) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                    : Qt::AlignLeft | Qt::AlignVCenter);
      if (row == kTotalRow) {
        item->setFont(bold);
      }
      Grid->setItem(row, column, item);
    }
  }
  for (int row = 0; row <= kTotalRow; ++row) {
    Grid->setRowHeight(row, kRowHeight);
  }
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    Grid->item(b - 1, 0)->setText(Text(astro::PlanetNames[b]));
  }
  Grid->item(kTotalRow, 0)->setText("Итого");
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setFixedSize(2 * Grid->frameWidth() + width,
                     2 * Grid->frameWidth() + Grid->horizontalHeader()->sizeHint().height() +
                         kRowHeight * (kTotalRow + 1));
}

void TDignityForm::ShowChart(const astro::TChart& Chart) {
  const astro::TDignityPlaces places = astro::DignityPlacesOf(Chart);
  QString heading = "Карта на " + Text(astro::DateToText(Chart.Moment.Local)) + " " +
                    Text(astro::TimeToText(Chart.Moment.Local).substr(0, 5));
  if (Table.Minor) {
    heading += "; " + Text(astro::SectText(places.Sect));
  }
  MomentLabel->setText(heading);
  const astro::TChartDignities dignities = astro::FullChartDignities(Table, places);
  for (int row = 0; row < astro::kBodyCount; ++row) {
    ShowBody(row, dignities[row]);
  }
  Grid->item(kTotalRow, kPointsColumn)->setText(PointsText(astro::TotalEssentialPoints(dignities)));
  if (Table.Minor) {
    Grid->item(kTotalRow, kAccidentalColumn)
        ->setText(Chart.Houses ? PointsText(astro::TotalAccidentalPoints(dignities)) : "—");
  }
}

void TDignityForm::ShowBody(int row, const astro::TBodyDignity& Dignity) {
  Grid->item(row, 1)->setText(Text(astro::SignNames[Dignity.Sign]));
  const QString held = Text(astro::EssentialText(Dignity));
  Grid->item(row, 2)->setText(held);
  Grid->item(row, 2)->setToolTip(held);
  Grid->item(row, kPointsColumn)->setText(PointsText(Dignity.EssentialPoints));
  if (!Table.Minor) {
    return;
  }
  // A ruler that is the body itself is a dignity it holds: in bold.
  const std::pair<int, int> rulers[] = {{kTriplicityColumn, Dignity.TriplicityRuler},
                                        {kTermColumn, Dignity.TermRuler},
                                        {kFaceColumn, Dignity.FaceRuler}};
  for (const auto& [column, ruler] : rulers) {
    QTableWidgetItem* item = Grid->item(row, column);
    item->setText(BodyName(ruler));
    QFont font = Grid->font();
    font.setBold(ruler == Dignity.Body);
    item->setFont(font);
  }
  const bool housed = Dignity.House > 0;
  Grid->item(row, kHouseColumn)
      ->setText(housed ? QString::number(Dignity.House) + ", " +
                             Text(astro::HouseKindName(Dignity.House))
                       : QStringLiteral("—"));
  Grid->item(row, kAccidentalColumn)
      ->setText(housed ? PointsText(Dignity.AccidentalPoints) : QStringLiteral("—"));
}

QString TDignityForm::CellText(int row, int column) const {
  const QTableWidgetItem* item = Grid->item(row, column);
  return item ? item->text() : QString();
}
