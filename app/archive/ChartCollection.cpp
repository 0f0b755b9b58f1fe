// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartCollection.h"

#include "ArchiveRecord.h"
#include "AtomicFile.h"
#include "PlaceAtlas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace archive {
namespace {

constexpr int kRefusalsShown = 20;

QString Shown(const QString& path) {
  return "«" + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) + "»";
}

// Same chart: the name without a number an import gave it, the universal moment, the place to
// the arc minute (the archive's precision).
QString ChartKey(const QString& name, const TChartRecord& record) {
  return QStringLiteral("%1\n%2\n%3\n%4")
      .arg(name)
      .arg(record.Universal)
      .arg(std::lround(record.Latitude * 60))
      .arg(std::lround(record.Longitude * 60));
}

QString WithoutNumber(const QString& name) {
  static const QRegularExpression numbered(QStringLiteral(R"( \(\d+\)$)"));
  return QString(name).remove(numbered);
}

QByteArray ReadWhole(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
    throw TArchiveError(
        QStringLiteral("Не удаётся прочитать файл %1.").arg(Shown(path)).toStdString());
  return file.readAll();
}

QString FormatName(TCollectionFormat format) {
  return format == TCollectionFormat::Aaf ? QStringLiteral("AAF") : QStringLiteral("CSV");
}

} // namespace

void ImportRecords(const std::vector<TChartRecord>& records, TChartArchive& archive,
                   const TPlaceAtlas& atlas, TImportSummary& summary,
                   const std::atomic<bool>* cancelled) {
  QSet<QString> names, keys;
  for (const TStoredChart& chart : archive.List()) {
    const TChartRecord stored = RecordFromStored(chart, atlas);
    names.insert(chart.Name);
    keys.insert(ChartKey(chart.Name, stored));
    keys.insert(ChartKey(WithoutNumber(chart.Name), stored));
  }
  std::vector<TStoredChart> charts;
  charts.reserve(records.size());
  for (const TChartRecord& record : records) {
    // Compared as the archive will keep it, so a chart exported and read back is found again.
    TStoredChart chart = StoredFromRecord(record);
    const QString key = ChartKey(record.Name, RecordFromStored(chart, atlas));
    if (keys.contains(key)) {
      ++summary.Skipped;
      continue;
    }
    keys.insert(key);
    for (int n = 2; names.contains(chart.Name); ++n)
      chart.Name = QStringLiteral("%1 (%2)").arg(record.Name).arg(n);
    summary.Renamed += chart.Name != record.Name;
    names.insert(chart.Name);
    charts.push_back(std::move(chart));
  }
  if (cancelled && *cancelled)
    throw TArchiveError("Импорт карт отменён.");
  if (!charts.empty())
    archive.Save(charts);
  summary.Imported = static_cast<int>(charts.size());
}

TImportSummary ImportCollection(const QString& filePath, TChartArchive& archive,
                                const TCityBase* atlasBase, const std::atomic<bool>* cancelled) {
  TImportSummary summary;
  summary.FileName = filePath;
  const TDecodedText text = DecodeCollection(ReadWhole(filePath));
  summary.Encoding = text.Encoding;
  summary.Format = DetectFormat(text.Text);
  const TPlaceAtlas atlas(atlasBase);
  TReadResult read = summary.Format == TCollectionFormat::Aaf ? ReadAaf(text.Text, atlas)
                                                              : ReadCsv(text.Text, atlas);
  summary.Refused = std::move(read.Refused);
  ImportRecords(read.Records, archive, atlas, summary, cancelled);
  return summary;
}

QString SummaryText(const TImportSummary& summary) {
  QString text =
      QStringLiteral("Файл %1 прочитан как %2 в кодировке %3.\n")
          .arg(Shown(summary.FileName), FormatName(summary.Format), EncodingName(summary.Encoding));
  text += QStringLiteral("Импортировано карт: %1; пропущено (уже есть в архиве): %2; "
                         "отклонено: %3.")
              .arg(summary.Imported)
              .arg(summary.Skipped)
              .arg(summary.Refused.size());
  if (summary.Renamed > 0)
    text += QStringLiteral("\nПод именем с номером (имя занято другой картой): %1.")
                .arg(summary.Renamed);
  const int shown = std::min<int>(kRefusalsShown, static_cast<int>(summary.Refused.size()));
  for (int i = 0; i < shown; ++i)
    text += QStringLiteral("\nСтрока %1: %2.")
                .arg(summary.Refused[i].Line)
                .arg(summary.Refused[i].Reason);
  if (static_cast<int>(summary.Refused.size()) > shown)
    text += QStringLiteral("\n… и ещё %1.").arg(summary.Refused.size() - shown);
  return text;
}

int ImportExitStatus(const TImportSummary& summary) {
  if (summary.Imported == 0)
    return 2;
  return summary.Refused.empty() && summary.Skipped == 0 ? 0 : 3;
}

void ExportCollection(const QString& filePath, TCollectionFormat format,
                      const std::vector<TStoredChart>& charts, const TCityBase* atlasBase) {
  const TPlaceAtlas atlas(atlasBase);
  std::vector<TChartRecord> records;
  records.reserve(charts.size());
  for (const TStoredChart& chart : charts)
    records.push_back(RecordFromStored(chart, atlas));
  const QByteArray bytes = format == TCollectionFormat::Aaf ? WriteAaf(records) : WriteCsv(records);
  if (astro::ReplaceFile(QFile::encodeName(filePath).toStdString(),
                         std::string_view(bytes.constData(), bytes.size())) !=
      astro::TReplaceResult::Done)
    throw TArchiveError(QStringLiteral("Не удаётся записать файл %1 (%2). Файл оставлен как был.")
                            .arg(Shown(filePath), QString::fromLocal8Bit(std::strerror(errno)))
                            .toStdString());
}

TCollectionFormat FormatOfFileName(const QString& filePath) {
  return filePath.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? TCollectionFormat::Csv
                                                                        : TCollectionFormat::Aaf;
}

} // namespace archive
