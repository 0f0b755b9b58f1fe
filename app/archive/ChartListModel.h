// SPDX-License-Identifier: GPL-3.0-or-later
// The open dialog's list: the archive's charts sorted by name (Russian collation, letter case
// ignored), four columns (name, date, time, place; the note as the row's tip), and a filter that
// keeps the rows whose name, place or note contains the typed text, letter case ignored.
#pragma once

#include "ChartArchive.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <vector>

class TChartListModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum TColumn { NameColumn, DateColumn, TimeColumn, PlaceColumn, ColumnCount };

  explicit TChartListModel(QObject* parent = nullptr);

  // Replaces the rows; sorts them by name.
  void SetCharts(std::vector<archive::TStoredChart> Charts);
  const archive::TStoredChart& Chart(int Row) const { return Rows[Row].Chart; }
  // Name, place and note, case-folded, for the filter.
  const QString& SearchText(int Row) const { return Rows[Row].Search; }
  // The row of a name; -1 when absent.
  int RowOf(const QString& Name) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
  struct TRow {
    archive::TStoredChart Chart;
    QString Date, Time, Place, Search;
  };
  std::vector<TRow> Rows;
};

class TChartFilterModel : public QSortFilterProxyModel {
  Q_OBJECT
public:
  explicit TChartFilterModel(TChartListModel* source, QObject* parent = nullptr);
  // Keeps the rows whose name, place or note contains Text (letter case ignored); "" keeps all.
  void SetFilterText(const QString& Text);

protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
  TChartListModel* Source;
  QString Needle; // case-folded
};
