// SPDX-License-Identifier: GPL-3.0-or-later
// Readers and writers of chart collections. AAF: records of "#A93:" (name, first name, type,
// date, time, place, country), optionally "#B93:" (Julian day UT, latitude, longitude, zone,
// summer time) and "#COM:" (the note); "*" is an unknown field. CSV: a header row naming the
// columns, comma or semicolon separated, fields optionally in double quotes.
#pragma once

#include "ChartRecord.h"

#include <QByteArray>
#include <QString>

namespace archive {

class TPlaceAtlas;

enum class TCollectionFormat { Aaf, Csv };

// Records of the text; a record that cannot be read is refused with its line. A CSV text whose
// header lacks a needed column gives no records and one refusal at line 1.
TReadResult ReadAaf(const QString& Text, const TPlaceAtlas& Atlas);
TReadResult ReadCsv(const QString& Text, const TPlaceAtlas& Atlas);

// The file's bytes, UTF-8.
QByteArray WriteAaf(const std::vector<TChartRecord>& Records);
QByteArray WriteCsv(const std::vector<TChartRecord>& Records);

// AAF when a line starts with "#A93:"; otherwise CSV.
TCollectionFormat DetectFormat(const QString& Text);

} // namespace archive
