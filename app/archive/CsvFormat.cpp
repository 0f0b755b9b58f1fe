// SPDX-License-Identifier: GPL-3.0-or-later
// CSV: a header row naming the columns, then one chart a row.
#include "CollectionFields.h"
#include "CollectionFormats.h"
#include "PlaceAtlas.h"

#include <QTimeZone>
#include <array>

namespace archive {
namespace {

enum TColumn { Name, Date, Time, Place, Country, Latitude, Longitude, Zone, Note, Calendar, Count };

// Header names of each column, case-folded.
const std::array<QStringList, Count> kHeaders = {
    QStringList{"name", "имя", "название", "chart"},
    QStringList{"date", "дата"},
    QStringList{"time", "время"},
    QStringList{"place", "city", "место", "город"},
    QStringList{"country", "страна"},
    QStringList{"latitude", "lat", "широта"},
    QStringList{"longitude", "lon", "lng", "long", "долгота"},
    QStringList{"zone", "timezone", "time zone", "tz", "offset", "utc offset", "зона", "пояс",
                "часовой пояс", "временная зона"},
    QStringList{"note", "notes", "comment", "заметка", "примечание", "комментарий"},
    QStringList{"calendar", "календарь"},
};

struct TRow {
  QStringList Fields;
  int Line = 0;
};

// The rows of the text: quoted fields may hold separators, doubled quotes and line breaks.
std::vector<TRow> Rows(const QString& text, QChar separator) {
  std::vector<TRow> rows;
  TRow row{{}, 1};
  QString field;
  bool quoted = false, any = false;
  int line = 1;
  auto endRow = [&] {
    row.Fields.push_back(field);
    field.clear();
    if (any || row.Fields.size() > 1 || !row.Fields.front().isEmpty())
      rows.push_back(std::move(row));
    row = TRow{{}, line};
    any = false;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
        field += c;
        ++i;
      } else if (c == u'"') {
        quoted = false;
      } else {
        line += c == u'\n';
        field += c;
      }
    } else if (c == u'"') {
      quoted = any = true;
    } else if (c == separator) {
      row.Fields.push_back(field);
      field.clear();
    } else if (c == u'\n') {
      ++line;
      endRow();
    } else if (c != u'\r') {
      field += c;
    }
  }
  endRow();
  return rows;
}

QChar SeparatorOf(const QString& text) {
  const QStringView header = QStringView(text).left(text.indexOf(QLatin1Char('\n')));
  const qsizetype semicolons = header.count(QLatin1Char(';')),
                  commas = header.count(QLatin1Char(',')), tabs = header.count(QLatin1Char('\t'));
  if (tabs > semicolons && tabs > commas)
    return QLatin1Char('\t');
  return semicolons > commas ? QLatin1Char(';') : QLatin1Char(',');
}

class TCsvReader {
public:
  TCsvReader(const std::array<int, Count>& columns, const TPlaceAtlas& atlas)
      : Columns(columns), Atlas(atlas) {}
  std::optional<TChartRecord> Read(const TRow& row, QString& reason) const;

private:
  QString Field(const TRow& row, TColumn column) const {
    const int at = Columns[column];
    return at < 0 || at >= row.Fields.size() ? QString() : row.Fields[at].trimmed();
  }
  bool ReadPlace(const TRow& row, TChartRecord& record, QString& reason) const;

  std::array<int, Count> Columns;
  const TPlaceAtlas& Atlas;
};

std::optional<TChartRecord> TCsvReader::Read(const TRow& row, QString& reason) const {
  TChartRecord record;
  record.Line = row.Line;
  record.Name = Field(row, Name);
  record.Note = Columns[Note] < 0 || Columns[Note] >= row.Fields.size() ? QString()
                                                                        : row.Fields[Columns[Note]];
  record.Place = Field(row, Place);
  record.Country = Field(row, Country);
  const QString calendar = Field(row, Calendar).toCaseFolded();
  if (calendar == QStringLiteral("julian") || calendar == QStringLiteral("юлианский")) {
    record.Calendar = TCalendar::Julian;
  } else if (!calendar.isEmpty() && calendar != QStringLiteral("gregorian") &&
             calendar != QStringLiteral("григорианский")) {
    reason = QStringLiteral("календарь «%1» не распознан").arg(Field(row, Calendar));
    return std::nullopt;
  }
  if (record.Name.isEmpty()) {
    reason = QStringLiteral("нет имени");
    return std::nullopt;
  }
  const std::optional<TCivilMoment> date = ParseDateText(Field(row, Date));
  const std::optional<int> time = ParseTimeText(Field(row, Time));
  std::optional<TMomentSeconds> local;
  if (!date || !(local = MomentOf(*date, record.Calendar))) {
    reason = QStringLiteral("дата «%1» не распознана").arg(Field(row, Date));
    return std::nullopt;
  }
  if (!time) {
    reason = QStringLiteral("время «%1» не распознано").arg(Field(row, Time));
    return std::nullopt;
  }
  if (!ReadPlace(row, record, reason) || !SettleLocalMoment(record, *local + *time, reason))
    return std::nullopt;
  return record;
}

// Coordinates and zone from their columns; what they leave open, from the atlas.
bool TCsvReader::ReadPlace(const TRow& row, TChartRecord& record, QString& reason) const {
  const QString latitudeText = Field(row, Latitude), longitudeText = Field(row, Longitude);
  const bool hasCoordinates = !latitudeText.isEmpty() && !longitudeText.isEmpty();
  if (hasCoordinates) {
    const std::optional<double> latitude = ParseCoordinate(latitudeText, u'n', u's', 90);
    const std::optional<double> longitude = ParseCoordinate(longitudeText, u'e', u'w', 180);
    if (!latitude || !longitude) {
      reason = QStringLiteral("координаты «%1, %2» не распознаны").arg(latitudeText, longitudeText);
      return false;
    }
    record.Latitude = *latitude;
    record.Longitude = *longitude;
  }
  const QString zoneText = Field(row, Zone);
  bool hasZone = !zoneText.isEmpty();
  if (hasZone) {
    if (const std::optional<int> offset = ParseOffsetText(zoneText)) {
      record.OffsetSeconds = *offset;
    } else if (QTimeZone::isTimeZoneIdAvailable(zoneText.toLatin1())) {
      record.ZoneName = zoneText;
    } else {
      reason = QStringLiteral("временная зона «%1» не распознана").arg(zoneText);
      return false;
    }
  }
  if (hasCoordinates && hasZone)
    return true;
  if (record.Place.isEmpty()) {
    reason = hasCoordinates ? QStringLiteral("не указана временная зона")
                            : QStringLiteral("не указаны ни место, ни координаты");
    return false;
  }
  const std::optional<TAtlasPlace> place = Atlas.Find(record.Place, record.Country, reason);
  if (!place)
    return false;
  record.Place = place->Entry;
  record.Country = place->Country;
  if (!hasCoordinates) {
    record.Latitude = place->Latitude;
    record.Longitude = place->Longitude;
  }
  if (!hasZone) {
    record.ZoneName = place->ZoneName;
    record.OffsetSeconds = place->ZoneHours * 3600;
  }
  return true;
}

QString Quoted(const QString& field, QChar separator) {
  const bool needsQuotes = field.contains(separator) || field.contains(QLatin1Char('"')) ||
                           field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                           field != field.trimmed();
  if (!needsQuotes)
    return field;
  return QLatin1Char('"') + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
         QLatin1Char('"');
}

} // namespace

TReadResult ReadCsv(const QString& text, const TPlaceAtlas& atlas) {
  TReadResult result;
  const QChar separator = SeparatorOf(text);
  std::vector<TRow> rows = Rows(text, separator);
  if (rows.empty()) {
    result.Refused.push_back({1, QStringLiteral("файл пуст")});
    return result;
  }
  std::array<int, Count> columns;
  columns.fill(-1);
  const TRow& header = rows.front();
  for (int i = 0; i < header.Fields.size(); ++i)
    for (int c = 0; c < Count; ++c)
      if (columns[c] < 0 && kHeaders[c].contains(header.Fields[i].trimmed().toCaseFolded()))
        columns[c] = i;
  const bool placeKnown =
      columns[Place] >= 0 || (columns[Latitude] >= 0 && columns[Longitude] >= 0);
  if (columns[Name] < 0 || columns[Date] < 0 || columns[Time] < 0 || !placeKnown) {
    result.Refused.push_back(
        {header.Line, QStringLiteral("в строке заголовка нужны столбцы имени, даты, времени и "
                                     "места или широты и долготы (name, date, time, place, "
                                     "latitude, longitude, zone, note)")});
    return result;
  }
  const TCsvReader reader(columns, atlas);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    QString reason;
    if (std::optional<TChartRecord> record = reader.Read(rows[i], reason))
      result.Records.push_back(std::move(*record));
    else
      result.Refused.push_back({rows[i].Line, reason});
  }
  return result;
}

QByteArray WriteCsv(const std::vector<TChartRecord>& records) {
  const QChar sep = QLatin1Char(',');
  QString text = QStringLiteral("name,date,time,zone,latitude,longitude,place,country,note\r\n");
  for (const TChartRecord& record : records) {
    const TCivilMoment t = CivilOf(record.Local());
    const QStringList fields = {Quoted(record.Name, sep),
                                QStringLiteral("%1-%2-%3")
                                    .arg(t.Year, 4, 10, QLatin1Char('0'))
                                    .arg(t.Month, 2, 10, QLatin1Char('0'))
                                    .arg(t.Day, 2, 10, QLatin1Char('0')),
                                QStringLiteral("%1:%2:%3")
                                    .arg(t.Hour, 2, 10, QLatin1Char('0'))
                                    .arg(t.Minute, 2, 10, QLatin1Char('0'))
                                    .arg(t.Second, 2, 10, QLatin1Char('0')),
                                OffsetField(record.OffsetSeconds),
                                ExactNumber(record.Latitude),
                                ExactNumber(record.Longitude),
                                Quoted(record.Place, sep),
                                Quoted(record.Country, sep),
                                Quoted(record.Note, sep)};
    text += fields.join(sep) + QStringLiteral("\r\n");
  }
  return "\xEF\xBB\xBF" + text.toUtf8();
}

} // namespace archive
