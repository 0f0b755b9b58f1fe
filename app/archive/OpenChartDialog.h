// SPDX-License-Identifier: GPL-3.0-or-later
// "Открыть карту": the archive's charts sorted by name with a filter box; Open (or a double
// click) accepts the chosen chart, Delete asks first, Rename asks for the new name. Questions and
// errors go through the prompts seam.
#pragma once

#include "ChartArchive.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TChartFilterModel;
class TChartListModel;

class TOpenChartDialog : public QDialog {
  Q_OBJECT
public:
  // Reads the archive's list (throws archive::TArchiveError when it cannot be read).
  explicit TOpenChartDialog(archive::TChartArchive& Archive, QWidget* parent = nullptr);

  // The chart the user opened; set when the dialog is accepted.
  const std::optional<archive::TStoredChart>& OpenedChart() const { return Opened; }

  // The filter box's text; the list narrows as it changes.
  void SetFilter(const QString& Text);
  // Selects the row of a name in the list as shown; false when it is not shown.
  bool SelectName(const QString& Name);
  // The selected chart's name; empty when nothing is selected.
  QString SelectedName() const;
  // Number of rows shown after filtering.
  int ShownCount() const;

  // The buttons' actions.
  void OpenClick();
  void DeleteClick();
  void RenameClick();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Reload(const QString& select);
  void UpdateButtons();

  archive::TChartArchive& Archive;
  TChartListModel* Model = nullptr;
  TChartFilterModel* Filtered = nullptr;
  QLineEdit* Filter = nullptr;
  QTableView* ChartList = nullptr;
  QLabel* Status = nullptr;
  QPushButton* OpenButton = nullptr;
  QPushButton* RenameButton = nullptr;
  QPushButton* DeleteButton = nullptr;
  std::optional<archive::TStoredChart> Opened;
};
