// SPDX-License-Identifier: GPL-3.0-or-later
// AAF: the chart exchange text of "#A93" records.
#include "CollectionFields.h"
#include "CollectionFormats.h"
#include "PlaceAtlas.h"

#include <cmath>

namespace archive {
namespace {

struct TChunk {
  QString Id; // "A93", "B93", "COM", ...
  QString Data;
  int Line = 0;
};

struct TAafRecord {
  TChunk Human;
  std::optional<TChunk> Machine;
  QString Note;
};

bool IsNote(const TChunk& chunk) {
  return chunk.Id == QStringLiteral("COM");
}

// Splits the text into records of chunks. A chunk begins with "#ID:" in the first column and
// runs on over the lines after it that do not begin with "#"; "#:" lines are comments.
std::vector<TAafRecord> Records(const QString& text) {
  std::vector<TAafRecord> records;
  std::optional<TChunk> chunk;
  auto close = [&] {
    if (!chunk)
      return;
    if (chunk->Id == QStringLiteral("A93")) {
      records.push_back({*chunk, std::nullopt, {}});
    } else if (!records.empty() && chunk->Id == QStringLiteral("B93") && !records.back().Machine) {
      records.back().Machine = *chunk;
    } else if (!records.empty() && IsNote(*chunk)) {
      while (chunk->Data.endsWith(QLatin1Char('\n')))
        chunk->Data.chop(1);
      QString& note = records.back().Note;
      note += (note.isEmpty() ? QString() : QStringLiteral("\n")) + chunk->Data;
    }
    chunk.reset();
  };
  int lineNumber = 0;
  for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    ++lineNumber;
    if (line.endsWith(QLatin1Char('\r')))
      line.chop(1);
    if (line.startsWith(QLatin1Char('#'))) {
      close();
      const qsizetype colon = line.indexOf(QLatin1Char(':'));
      if (colon > 1)
        chunk = TChunk{line.mid(1, colon - 1).toString().toUpper(), line.mid(colon + 1).toString(),
                       lineNumber};
    } else if (chunk && IsNote(*chunk)) {
      // A note's line that began with "#" was written with one space before it.
      chunk->Data += QLatin1Char('\n') +
                     (line.startsWith(QStringLiteral(" #")) ? line.mid(1) : line).toString();
    } else if (chunk) {
      chunk->Data += line.trimmed().toString();
    }
  }
  close();
  return records;
}

QStringList Fields(const TChunk& chunk) {
  QStringList fields = chunk.Data.split(QLatin1Char(','));
  for (QString& field : fields) {
    field = field.trimmed();
    if (field == QStringLiteral("*"))
      field.clear();
  }
  return fields;
}

class TAafReader {
public:
  TAafReader(const TPlaceAtlas& atlas) : Atlas(atlas) {}

  // The record, or the reason it is refused.
  std::optional<TChartRecord> Read(const TAafRecord& source, QString& reason) const;

private:
  bool ReadMachine(const QStringList& b, const std::optional<TMomentSeconds>& local,
                   TChartRecord& record, QString& reason) const;
  bool ReadByAtlas(const std::optional<TMomentSeconds>& local, TChartRecord& record,
                   QString& reason) const;

  const TPlaceAtlas& Atlas;
};

std::optional<TChartRecord> TAafReader::Read(const TAafRecord& source, QString& reason) const {
  const QStringList a = Fields(source.Human);
  if (a.size() != 7) {
    reason = QStringLiteral("в записи #A93 %1 полей вместо 7").arg(a.size());
    return std::nullopt;
  }
  TChartRecord record;
  record.Line = source.Human.Line;
  record.Name = a[1].isEmpty() ? a[0] : a[0] + QLatin1Char(' ') + a[1];
  record.Note = source.Note;
  record.Place = a[5];
  record.Country = a[6];
  if (record.Name.isEmpty()) {
    reason = QStringLiteral("нет имени");
    return std::nullopt;
  }
  // The local moment, when the date and the time are known.
  std::optional<TMomentSeconds> local;
  const std::optional<TCivilMoment> date = ParseDateText(a[3]);
  const std::optional<int> time = ParseTimeText(a[4]);
  if (!a[3].isEmpty() && !date) {
    reason = QStringLiteral("дата «%1» не распознана").arg(a[3]);
    return std::nullopt;
  }
  if (!a[4].isEmpty() && !time) {
    reason = QStringLiteral("время «%1» не распознано").arg(a[4]);
    return std::nullopt;
  }
  if (date && time) {
    local = MomentOf(*date, TCalendar::Gregorian);
    if (!local) {
      reason = QStringLiteral("даты «%1» нет в календаре").arg(a[3]);
      return std::nullopt;
    }
    *local += *time;
  }
  const bool read = source.Machine ? ReadMachine(Fields(*source.Machine), local, record, reason)
                                   : ReadByAtlas(local, record, reason);
  if (!read)
    return std::nullopt;
  return record;
}

bool TAafReader::ReadMachine(const QStringList& b, const std::optional<TMomentSeconds>& local,
                             TChartRecord& record, QString& reason) const {
  if (b.size() != 5) {
    reason = QStringLiteral("в записи #B93 %1 полей вместо 5").arg(b.size());
    return false;
  }
  const std::optional<double> latitude = ParseCoordinate(b[1], u'n', u's', 90);
  const std::optional<double> longitude = ParseCoordinate(b[2], u'e', u'w', 180);
  if ((!b[1].isEmpty() && !latitude) || (!b[2].isEmpty() && !longitude)) {
    reason = QStringLiteral("координаты «%1, %2» не распознаны").arg(b[1], b[2]);
    return false;
  }
  if (!latitude || !longitude)
    return ReadByAtlas(local, record, reason);
  record.Latitude = *latitude;
  record.Longitude = *longitude;

  std::optional<int> zone;
  if (!b[3].isEmpty() && !(zone = ParseAafZone(b[3]))) {
    reason = QStringLiteral("временная зона «%1» не распознана").arg(b[3]);
    return false;
  }
  bool summerOk = true;
  const double summerHours = b[4].isEmpty() || !b[4][0].isDigit() ? 0 : b[4].toDouble(&summerOk);
  if (!summerOk || summerHours > 2) {
    reason = QStringLiteral("летнее время «%1» не распознано").arg(b[4]);
    return false;
  }
  if (!b[0].isEmpty()) {
    bool ok = false;
    const std::optional<TMomentSeconds> universal =
        FromJulianDay(b[0].toDouble(&ok)); // the universal moment rules over the local one
    if (!ok || !universal) {
      reason = QStringLiteral("юлианский день «%1» не распознан").arg(b[0]);
      return false;
    }
    record.Universal = *universal;
    record.OffsetSeconds = zone    ? *zone + static_cast<int>(std::lround(summerHours * 3600))
                           : local ? static_cast<int>(*local - *universal)
                                   : 0;
    return true;
  }
  if (!local) {
    reason = QStringLiteral("не указаны дата и время");
    return false;
  }
  if (!zone)
    return ReadByAtlas(local, record, reason);
  record.OffsetSeconds = *zone + static_cast<int>(std::lround(summerHours * 3600));
  record.Universal = *local - record.OffsetSeconds;
  return true;
}

bool TAafReader::ReadByAtlas(const std::optional<TMomentSeconds>& local, TChartRecord& record,
                             QString& reason) const {
  if (!local) {
    reason = QStringLiteral("не указаны дата и время");
    return false;
  }
  // The file's country is often a code ("D", "RUS"): then any country of the atlas will do.
  std::optional<TAtlasPlace> place = Atlas.Find(record.Place, record.Country, reason);
  if (!place && !record.Country.isEmpty() && !reason.contains(QStringLiteral("неоднозначно")))
    place = Atlas.Find(record.Place, QString(), reason);
  if (!place)
    return false;
  record.Place = place->Entry;
  record.Country = place->Country;
  record.Latitude = place->Latitude;
  record.Longitude = place->Longitude;
  record.ZoneName = place->ZoneName;
  record.OffsetSeconds = place->ZoneHours * 3600;
  return SettleLocalMoment(record, *local, reason);
}

// A field as AAF can carry it: no commas, no line breaks; "*" when empty.
QString Field(const QString& text) {
  QString field = text.simplified();
  field.replace(QLatin1Char(','), QLatin1Char(';'));
  return field.isEmpty() ? QStringLiteral("*") : field;
}

} // namespace

TReadResult ReadAaf(const QString& text, const TPlaceAtlas& atlas) {
  TReadResult result;
  const TAafReader reader(atlas);
  for (const TAafRecord& source : Records(text)) {
    QString reason;
    if (std::optional<TChartRecord> record = reader.Read(source, reason))
      result.Records.push_back(std::move(*record));
    else
      result.Refused.push_back({source.Human.Line, reason});
  }
  return result;
}

QByteArray WriteAaf(const std::vector<TChartRecord>& records) {
  QString text;
  text.reserve(static_cast<qsizetype>(records.size()) * 120);
  for (const TChartRecord& record : records) {
    const TCivilMoment t = CivilOf(record.Local());
    QString clock = QStringLiteral("%1:%2").arg(t.Hour).arg(t.Minute, 2, 10, QLatin1Char('0'));
    if (t.Second != 0)
      clock += QStringLiteral(":%1").arg(t.Second, 2, 10, QLatin1Char('0'));
    text += QStringLiteral("#A93:%1,*,*,%2.%3.%4,%5,%6,%7\n")
                .arg(Field(record.Name))
                .arg(t.Day)
                .arg(t.Month)
                .arg(t.Year)
                .arg(clock, Field(record.Place), Field(record.Country));
    text += QStringLiteral("#B93:%1,%2,%3,%4,0\n")
                .arg(QString::number(ToJulianDay(record.Universal), 'f', 6),
                     AafCoordinate(record.Latitude, u'n', u's'),
                     AafCoordinate(record.Longitude, u'e', u'w'), AafZone(record.OffsetSeconds));
    if (!record.Note.isEmpty()) {
      QStringList lines = QString(record.Note)
                              .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                              .split(QLatin1Char('\n'));
      for (QString& line : lines)
        if (line.startsWith(QLatin1Char('#')))
          line.prepend(QLatin1Char(' '));
      text += QStringLiteral("#COM:") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    text += QLatin1Char('\n');
  }
  return text.toUtf8();
}

TCollectionFormat DetectFormat(const QString& text) {
  if (text.startsWith(QStringLiteral("#A93:"), Qt::CaseInsensitive) ||
      text.contains(QStringLiteral("\n#A93:"), Qt::CaseInsensitive))
    return TCollectionFormat::Aaf;
  return TCollectionFormat::Csv;
}

} // namespace archive
