// SPDX-License-Identifier: GPL-3.0-or-later
#include "CollectionCommands.h"

#include "ChartCollection.h"
#include "ExportChartsDialog.h"
#include "Prompts.h"

#include <QApplication>
#include <QFileDialog>

namespace archive {
namespace {

// Shows the wait cursor while a long step runs.
class TWaitCursor {
public:
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

bool ImportChartsCommand(const QString& archivePath, const TCityBase* atlas, QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Импорт карт"));
  dialog.setObjectName(QStringLiteral("ImportChartsDialog"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("Карты AAF и CSV (*.aaf *.AAF *.csv *.CSV *.txt)"),
                         QStringLiteral("Все файлы (*)")});
  if (!Prompts().Execute(dialog) || dialog.selectedFiles().isEmpty())
    return false;
  try {
    TImportSummary summary;
    {
      TWaitCursor wait;
      TChartArchive archive(archivePath);
      summary = ImportCollection(dialog.selectedFiles().front(), archive, atlas);
    }
    Prompts().Information(SummaryText(summary));
    return summary.Imported > 0;
  } catch (const TArchiveError& error) {
    Prompts().Error(error.Text() + QStringLiteral("\nНи одна карта не импортирована."));
    return false;
  }
}

bool ExportChartsCommand(const QString& archivePath, const TCityBase* atlas, QWidget* parent) {
  try {
    TChartArchive archive(archivePath);
    std::vector<TStoredChart> charts = archive.List();
    if (charts.empty()) {
      Prompts().Information(QStringLiteral("В архиве карт нет ни одной карты."));
      return false;
    }
    TExportChartsDialog dialog(std::move(charts), parent);
    if (!Prompts().Execute(dialog))
      return false;
    const bool aaf = dialog.Format() == TCollectionFormat::Aaf;
    const std::optional<QString> file = Prompts().SaveFileName(
        {QStringLiteral("Экспорт карт"),
         aaf ? QStringLiteral("Карты AAF (*.aaf)") : QStringLiteral("Таблица CSV (*.csv)"),
         aaf ? QStringLiteral("aaf") : QStringLiteral("csv"), QString(),
         aaf ? QStringLiteral("карты.aaf") : QStringLiteral("карты.csv")});
    if (!file)
      return false;
    const std::vector<TStoredChart> chosen = dialog.ChosenCharts();
    {
      TWaitCursor wait;
      ExportCollection(*file, dialog.Format(), chosen, atlas);
    }
    Prompts().Information(
        QStringLiteral("Записано карт: %1 в файл «%2».").arg(chosen.size()).arg(*file));
    return true;
  } catch (const TArchiveError& error) {
    Prompts().Error(error.Text());
    return false;
  }
}

} // namespace archive
