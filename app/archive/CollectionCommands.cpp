// SPDX-License-Identifier: GPL-3.0-or-later
#include "CollectionCommands.h"

#include "ChartCollection.h"
#include "ExportChartsDialog.h"
#include "Prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

namespace archive {
namespace {

// Runs Work on a worker thread while a progress window (window-modal, with a cancel button)
// keeps the main window painted; Work's exception comes back here.
template <typename Result, typename Work>
Result WithProgress(const QString& label, QWidget* parent, Work work) {
  std::atomic<bool> cancelled{false}, done{false};
  std::exception_ptr error;
  Result result{};
  std::thread worker([&] {
    try {
      result = work(cancelled);
    } catch (...) {
      error = std::current_exception();
    }
    done = true;
  });
  QProgressDialog progress(label, QStringLiteral("Отмена"), 0, 0, parent);
  progress.setObjectName(QStringLiteral("CollectionProgress"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(400);
  QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancelled = true; });
  while (!done) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  worker.join();
  if (error)
    std::rethrow_exception(error);
  return result;
}

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
    const QString file = dialog.selectedFiles().front();
    const TImportSummary summary = WithProgress<TImportSummary>(
        QStringLiteral("Импорт карт из «%1»…").arg(QFileInfo(file).fileName()), parent,
        [&](const std::atomic<bool>& cancelled) {
          TChartArchive archive(archivePath); // the worker's own connection
          return ImportCollection(file, archive, atlas, &cancelled);
        });
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
    WithProgress<bool>(QStringLiteral("Экспорт карт…"), parent, [&](const std::atomic<bool>&) {
      ExportCollection(*file, dialog.Format(), chosen, atlas);
      return true;
    });
    Prompts().Information(
        QStringLiteral("Записано карт: %1 в файл «%2».").arg(chosen.size()).arg(*file));
    return true;
  } catch (const TArchiveError& error) {
    Prompts().Error(error.Text());
    return false;
  }
}

} // namespace archive
