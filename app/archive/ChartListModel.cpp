// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartListModel.h"

#include "DateTime.h"

TChartListModel::TChartListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TChartListModel::SetCharts(std::vector<archive::TStoredChart> charts) {
  beginResetModel();
  archive::SortByName(charts);
  Rows.clear();
  Rows.reserve(charts.size());
  for (archive::TStoredChart& chart : charts) {
    TRow row;
    row.Date = QString::fromStdString(astro::DateToText(chart.Local));
    row.Time = QString::fromStdString(astro::TimeToText(chart.Local));
    row.Place = archive::PlaceText(chart);
    row.Search = (chart.Name + u'\n' + row.Place + u'\n' + chart.Note).toCaseFolded();
    row.Chart = std::move(chart);
    Rows.push_back(std::move(row));
  }
  endResetModel();
}

int TChartListModel::RowOf(const QString& name) const {
  for (std::size_t i = 0; i < Rows.size(); ++i)
    if (Rows[i].Chart.Name == name)
      return static_cast<int>(i);
  return -1;
}

int TChartListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

int TChartListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TChartListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount())
    return {};
  const TRow& row = Rows[index.row()];
  if (role == Qt::ToolTipRole)
    return row.Chart.Note.isEmpty() ? QVariant() : QVariant(row.Chart.Note);
  if (role != Qt::DisplayRole)
    return {};
  switch (index.column()) {
  case NameColumn:
    return row.Chart.Name;
  case DateColumn:
    return row.Date;
  case TimeColumn:
    return row.Time;
  case PlaceColumn:
    return row.Place;
  default:
    return {};
  }
}

QVariant TChartListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const titles[ColumnCount] = {"Имя", "Дата", "Время", "Место"};
  return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

TChartFilterModel::TChartFilterModel(TChartListModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), Source(source) {
  setSourceModel(source);
}

void TChartFilterModel::SetFilterText(const QString& text) {
  const QString needle = text.trimmed().toCaseFolded();
  if (needle == Needle)
    return;
  Needle = needle;
  invalidateFilter();
}

bool TChartFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return Needle.isEmpty() || Source->SearchText(sourceRow).contains(Needle);
}
