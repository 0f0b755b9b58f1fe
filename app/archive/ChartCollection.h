// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a collection file (AAF or CSV, told apart by content) into the archive in one
// transaction, and exporting charts of the archive to such a file, written atomically.
#pragma once

#include "ChartArchive.h"
#include "CollectionFormats.h"
#include "CollectionText.h"

#include <QStringList>
#include <atomic>

class TCityBase;

namespace archive {

struct TImportSummary {
  QString FileName;
  TCollectionFormat Format = TCollectionFormat::Aaf;
  TTextEncoding Encoding = TTextEncoding::Utf8;
  int Imported = 0;
  int Skipped = 0; // already in the archive (same name, universal moment and place)
  int Renamed = 0; // imported under a numbered name: a different chart had the name
  std::vector<TRefusal> Refused;
};

// Reads the file and adds its charts to the archive in one transaction. A file that cannot be
// read throws TArchiveError naming it; a failure of the archive throws TArchiveError and
// nothing is imported, and so does Cancelled set before the charts are written. Atlas (may be
// null) places records that give a city only.
TImportSummary ImportCollection(const QString& FilePath, TChartArchive& Archive,
                                const TCityBase* Atlas,
                                const std::atomic<bool>* Cancelled = nullptr);

// Adds the records to the archive in one transaction: duplicates skipped, names that a
// different chart holds numbered ("Имя (2)"). Fills Imported, Skipped and Renamed.
void ImportRecords(const std::vector<TChartRecord>& Records, TChartArchive& Archive,
                   const TPlaceAtlas& Atlas, TImportSummary& Summary,
                   const std::atomic<bool>* Cancelled = nullptr);

// Several lines for the user: counts, the encoding assumed, the first refusals with their lines.
QString SummaryText(const TImportSummary& Summary);
// The companion's exit status: 0 every record taken, 3 some refused or skipped, 2 none imported.
int ImportExitStatus(const TImportSummary& Summary);

// Writes the charts to FilePath atomically. Throws TArchiveError naming the file.
void ExportCollection(const QString& FilePath, TCollectionFormat Format,
                      const std::vector<TStoredChart>& Charts, const TCityBase* Atlas);

// CSV for a name ending in ".csv" (any case), else AAF.
TCollectionFormat FormatOfFileName(const QString& FilePath);

} // namespace archive
