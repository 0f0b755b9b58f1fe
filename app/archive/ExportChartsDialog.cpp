// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportChartsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

TExportChartsDialog::TExportChartsDialog(std::vector<archive::TStoredChart> charts, QWidget* parent)
    : QDialog(parent), Charts(std::move(charts)) {
  setObjectName(QStringLiteral("ExportChartsDialog"));
  setWindowTitle(QStringLiteral("Экспорт карт"));
  archive::SortByName(Charts);
  QStringList names;
  names.reserve(static_cast<qsizetype>(Charts.size()));
  for (const archive::TStoredChart& chart : Charts)
    names << chart.Name;
  Names = new QStringListModel(names, this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("Выберите карты (Ctrl и Shift — несколько); если не выбрано ни одной, "
                     "записываются все %1.")
          .arg(Charts.size()),
      this));
  ChartList = new QListView(this);
  ChartList->setObjectName(QStringLiteral("ChartList"));
  ChartList->setModel(Names);
  ChartList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ChartList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ChartList->setUniformItemSizes(true);
  ChartList->setMinimumSize(360, 300);
  layout->addWidget(ChartList);

  auto* form = new QFormLayout;
  FormatBox = new QComboBox(this);
  FormatBox->setObjectName(QStringLiteral("FormatBox"));
  FormatBox->addItem(QStringLiteral("AAF (обмен между астрологическими программами)"));
  FormatBox->addItem(QStringLiteral("CSV (таблица)"));
  form->addRow(QStringLiteral("Формат:"), FormatBox);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Экспорт…"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TExportChartsDialog::SelectNames(const QStringList& names) {
  QItemSelectionModel* selection = ChartList->selectionModel();
  selection->clearSelection();
  for (int row = 0; row < static_cast<int>(Charts.size()); ++row)
    if (names.contains(Charts[row].Name))
      selection->select(Names->index(row), QItemSelectionModel::Select);
}

void TExportChartsDialog::SetFormat(archive::TCollectionFormat format) {
  FormatBox->setCurrentIndex(format == archive::TCollectionFormat::Csv ? 1 : 0);
}

archive::TCollectionFormat TExportChartsDialog::Format() const {
  return FormatBox->currentIndex() == 1 ? archive::TCollectionFormat::Csv
                                        : archive::TCollectionFormat::Aaf;
}

std::vector<archive::TStoredChart> TExportChartsDialog::ChosenCharts() const {
  const QModelIndexList rows = ChartList->selectionModel()->selectedRows();
  if (rows.isEmpty())
    return Charts;
  std::vector<archive::TStoredChart> chosen;
  for (int row = 0; row < static_cast<int>(Charts.size()); ++row)
    if (ChartList->selectionModel()->isRowSelected(row))
      chosen.push_back(Charts[row]);
  return chosen;
}
