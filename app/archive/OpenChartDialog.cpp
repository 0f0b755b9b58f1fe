// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenChartDialog.h"

#include "ArchiveCommands.h"
#include "ChartListModel.h"
#include "Prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TOpenChartDialog::TOpenChartDialog(archive::TChartArchive& archive, QWidget* parent)
    : QDialog(parent), Archive(archive) {
  setObjectName(QStringLiteral("OpenChartDialog"));
  setWindowTitle(QStringLiteral("Открыть карту"));
  resize(620, 420);
  auto* layout = new QVBoxLayout(this);

  Filter = new QLineEdit(this);
  Filter->setObjectName(QStringLiteral("Filter"));
  Filter->setPlaceholderText(QStringLiteral("Поиск по имени, месту или заметке"));
  Filter->setClearButtonEnabled(true);
  layout->addWidget(Filter);

  Model = new TChartListModel(this);
  Filtered = new TChartFilterModel(Model, this);
  ChartList = new QTableView(this);
  ChartList->setObjectName(QStringLiteral("ChartList"));
  ChartList->setModel(Filtered);
  ChartList->setSelectionBehavior(QAbstractItemView::SelectRows);
  ChartList->setSelectionMode(QAbstractItemView::SingleSelection);
  ChartList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ChartList->setWordWrap(false);
  ChartList->verticalHeader()->hide();
  // Fixed row heights and column widths keep 10 000 rows quick: nothing is measured per row.
  ChartList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ChartList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  ChartList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ChartList->horizontalHeader()->setStretchLastSection(true);
  ChartList->setColumnWidth(TChartListModel::NameColumn, 200);
  ChartList->setColumnWidth(TChartListModel::DateColumn, 80);
  ChartList->setColumnWidth(TChartListModel::TimeColumn, 64);
  layout->addWidget(ChartList, 1);

  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  layout->addWidget(Status);

  auto* buttons = new QDialogButtonBox(this);
  OpenButton = buttons->addButton(QStringLiteral("Открыть"), QDialogButtonBox::AcceptRole);
  OpenButton->setObjectName(QStringLiteral("OpenButton"));
  OpenButton->setDefault(true);
  RenameButton = buttons->addButton(QStringLiteral("Переименовать…"), QDialogButtonBox::ActionRole);
  RenameButton->setObjectName(QStringLiteral("RenameButton"));
  DeleteButton = buttons->addButton(QStringLiteral("Удалить…"), QDialogButtonBox::ActionRole);
  DeleteButton->setObjectName(QStringLiteral("DeleteButton"));
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  // The buttons are wired one by one: the box's accepted() would close without a choice.
  connect(OpenButton, &QPushButton::clicked, this, &TOpenChartDialog::OpenClick);
  connect(RenameButton, &QPushButton::clicked, this, &TOpenChartDialog::RenameClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TOpenChartDialog::DeleteClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ChartList, &QTableView::doubleClicked, this, &TOpenChartDialog::OpenClick);
  connect(Filter, &QLineEdit::textChanged, this, [this](const QString& text) {
    Filtered->SetFilterText(text);
    if (SelectedName().isEmpty() && ShownCount() > 0)
      ChartList->selectRow(0);
    UpdateButtons();
  });
  connect(ChartList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TOpenChartDialog::UpdateButtons);
  Filter->installEventFilter(this);
  Reload(QString());
  Filter->setFocus();
}

bool TOpenChartDialog::eventFilter(QObject* watched, QEvent* event) {
  // The arrow and page keys typed in the filter box move through the list.
  if (watched == Filter && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
        key == Qt::Key_PageDown) {
      QCoreApplication::sendEvent(ChartList, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TOpenChartDialog::Reload(const QString& select) {
  Model->SetCharts(Archive.List());
  if (select.isEmpty() || !SelectName(select)) {
    if (ShownCount() > 0)
      ChartList->selectRow(0);
  }
  UpdateButtons();
}

void TOpenChartDialog::UpdateButtons() {
  const bool chosen = !SelectedName().isEmpty();
  OpenButton->setEnabled(chosen);
  RenameButton->setEnabled(chosen);
  DeleteButton->setEnabled(chosen);
  QString text =
      QStringLiteral("Карт в архиве: %1, показано: %2.").arg(Model->rowCount()).arg(ShownCount());
  if (Archive.SkippedRows() > 0)
    text += QStringLiteral(" Повреждённых записей пропущено: %1.").arg(Archive.SkippedRows());
  Status->setText(text);
}

void TOpenChartDialog::SetFilter(const QString& text) {
  Filter->setText(text);
}

bool TOpenChartDialog::SelectName(const QString& name) {
  const int row = Model->RowOf(name);
  if (row < 0)
    return false;
  const QModelIndex shown = Filtered->mapFromSource(Model->index(row, 0));
  if (!shown.isValid())
    return false;
  ChartList->selectRow(shown.row());
  ChartList->scrollTo(shown);
  return true;
}

QString TOpenChartDialog::SelectedName() const {
  const QModelIndexList rows = ChartList->selectionModel()->selectedRows();
  if (rows.isEmpty())
    return {};
  return Model->Chart(Filtered->mapToSource(rows.first()).row()).Name;
}

int TOpenChartDialog::ShownCount() const {
  return Filtered->rowCount();
}

void TOpenChartDialog::OpenClick() {
  const int row = Model->RowOf(SelectedName());
  if (row < 0)
    return;
  Opened = Model->Chart(row);
  accept();
}

void TOpenChartDialog::DeleteClick() {
  const QString name = SelectedName();
  if (name.isEmpty() ||
      !Prompts().Question(QStringLiteral("Удалить карту «%1» из архива?").arg(name)))
    return;
  try {
    Archive.Delete(name);
    Reload(QString());
  } catch (const archive::TArchiveError& error) {
    Prompts().Error(error.Text());
  }
}

void TOpenChartDialog::RenameClick() {
  const QString name = SelectedName();
  if (name.isEmpty())
    return;
  const std::optional<QString> answer = Prompts().InputText(QStringLiteral("Переименовать карту"),
                                                            QStringLiteral("Новое имя:"), name);
  const QString newName = answer ? answer->trimmed() : QString();
  if (newName.isEmpty() || newName == name)
    return;
  try {
    if (Archive.Contains(newName) && !Prompts().Question(archive::ReplaceQuestion(newName)))
      return;
    Archive.Rename(name, newName);
    Reload(newName);
  } catch (const archive::TArchiveError& error) {
    Prompts().Error(error.Text());
  }
}
