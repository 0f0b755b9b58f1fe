// SPDX-License-Identifier: GPL-3.0-or-later
// "Экспорт карт": the archive's charts by name, several can be chosen (none chosen: all), and
// the file format, AAF or CSV.
#pragma once

#include "ChartArchive.h"
#include "CollectionFormats.h"

#include <QDialog>

class QComboBox;
class QListView;
class QStringListModel;

class TExportChartsDialog : public QDialog {
  Q_OBJECT
public:
  // Charts sorted by name.
  TExportChartsDialog(std::vector<archive::TStoredChart> Charts, QWidget* parent = nullptr);

  // Selects the rows of these names (tests and the command line's choice).
  void SelectNames(const QStringList& Names);
  void SetFormat(archive::TCollectionFormat Format);
  archive::TCollectionFormat Format() const;
  // The chosen charts; every chart when none is chosen.
  std::vector<archive::TStoredChart> ChosenCharts() const;

private:
  std::vector<archive::TStoredChart> Charts;
  QStringListModel* Names = nullptr;
  QListView* ChartList = nullptr;
  QComboBox* FormatBox = nullptr;
};
