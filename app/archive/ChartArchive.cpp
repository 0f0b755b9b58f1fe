// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartArchive.h"

#include "DateTime.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace archive {
namespace {

// SQLite's primary result codes that decide the message.
enum : int {
  kBusy = 5,
  kLocked = 6,
  kReadOnly = 8,
  kIoError = 10,
  kCorrupt = 11,
  kFull = 13,
  kCantOpen = 14,
  kNotADatabase = 26
};

// Each schema version's step from the one before; index 0 builds version 1 from nothing.
const char* const kMigrations[] = {
    "CREATE TABLE charts ("
    " name TEXT NOT NULL PRIMARY KEY,"
    " note TEXT NOT NULL DEFAULT '',"
    " local_moment TEXT NOT NULL," // YYYY-MM-DDThh:mm:ss.zzz, local time
    " country TEXT NOT NULL DEFAULT '',"
    " city TEXT NOT NULL DEFAULT '',"
    " zone_hours INTEGER NOT NULL,"
    " historic_zones INTEGER NOT NULL DEFAULT 0,"
    " latitude_deg INTEGER NOT NULL DEFAULT 0,"
    " latitude_min INTEGER NOT NULL DEFAULT 0,"
    " longitude_deg INTEGER NOT NULL DEFAULT 0,"
    " longitude_min INTEGER NOT NULL DEFAULT 0,"
    " saved_utc TEXT NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%S', 'now')))",
    // Signed decimal degrees beside the integers, which keep no sign for 0 degrees; every row
    // written before gets them from its integers.
    "ALTER TABLE charts ADD COLUMN latitude REAL;"
    "ALTER TABLE charts ADD COLUMN longitude REAL;"
    "UPDATE charts SET"
    " latitude = latitude_deg + (CASE WHEN latitude_deg < 0 THEN -1 ELSE 1 END)"
    " * latitude_min / 60.0,"
    " longitude = longitude_deg + (CASE WHEN longitude_deg < 0 THEN -1 ELSE 1 END)"
    " * longitude_min / 60.0",
    // A place of one's own, the zone's name and the exact offset, the calendar the date was typed
    // in and which occurrence of a repeated hour; rows written before keep whole-hour zones.
    "ALTER TABLE charts ADD COLUMN own_place INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE charts ADD COLUMN zone_name TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE charts ADD COLUMN offset_seconds INTEGER;"
    "ALTER TABLE charts ADD COLUMN fixed_offset INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE charts ADD COLUMN julian INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE charts ADD COLUMN later_occurrence INTEGER NOT NULL DEFAULT 0",
};
static_assert(std::size(kMigrations) == TChartArchive::kSchemaVersion);

const char* const kColumns = "name, note, local_moment, country, city, zone_hours, historic_zones,"
                             " latitude_deg, latitude_min, longitude_deg, longitude_min,"
                             " latitude, longitude, own_place, zone_name, offset_seconds,"
                             " fixed_offset, julian, later_occurrence";

// A local mean time reaches ±12 hours and some seconds; zones reach +14.
constexpr int kOffsetLimitSeconds = 15 * 3600;

QString Shown(const QString& path) {
  return "«" + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) + "»";
}

QString MomentText(astro::TDateTime local) {
  const astro::TCalendarDate d = astro::DecodeDate(local);
  const astro::TTimeOfDay t = astro::DecodeTime(local);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", d.Year, d.Month, d.Day,
                t.Hour, t.Minute, t.Second, t.Millisecond);
  return QString::fromLatin1(text);
}

// The inverse of MomentText; false for anything else.
bool ParseMoment(const QString& text, astro::TDateTime& local) {
  if (text.size() != 23 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
      text[13] != u':' || text[16] != u':' || text[19] != u'.')
    return false;
  int parts[7];
  const int at[7][2] = {{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}, {17, 2}, {20, 3}};
  for (int i = 0; i < 7; ++i) {
    bool ok = false;
    parts[i] = text.mid(at[i][0], at[i][1]).toInt(&ok);
    if (!ok || text[at[i][0]] == u'+' || text[at[i][0]] == u'-')
      return false;
  }
  if (!astro::IsValidDate(parts[0], parts[1], parts[2]) || parts[3] > 23 || parts[4] > 59 ||
      parts[5] > 59)
    return false;
  local = astro::EncodeDateTime({parts[0], parts[1], parts[2]},
                                {parts[3], parts[4], parts[5], parts[6]});
  return true;
}

// A signed decimal coordinate and the integer degrees and minutes the same chart carries.
double SignedDegrees(std::optional<double> decimal, int degrees, int minutes) {
  if (decimal)
    return *decimal;
  return degrees + (degrees < 0 ? -minutes : minutes) / 60.0;
}

// A stored decimal coordinate within ±limit; a row without one (none is written so) takes it from
// its integer degrees and minutes.
bool DegreesIn(const QVariant& value, double limit, int degrees, int minutes,
               std::optional<double>& out) {
  if (value.isNull()) {
    out = SignedDegrees(std::nullopt, degrees, minutes);
    return true;
  }
  bool ok = false;
  const double d = value.toDouble(&ok);
  if (!ok || !(std::abs(d) <= limit))
    return false;
  out = d;
  return true;
}

bool IntIn(const QVariant& value, int low, int high, int& out) {
  bool ok = false;
  const qlonglong n = value.toLongLong(&ok);
  if (!ok || n < low || n > high)
    return false;
  out = static_cast<int>(n);
  return true;
}

bool FlagIn(const QVariant& value, bool& out) {
  int flag = 0;
  if (!IntIn(value, 0, 1, flag))
    return false;
  out = flag != 0;
  return true;
}

// The exact offset of a row; NULL (a row of an older schema) is none.
bool OffsetIn(const QVariant& value, std::optional<int>& out) {
  if (value.isNull()) {
    out.reset();
    return true;
  }
  int seconds = 0;
  if (!IntIn(value, -kOffsetLimitSeconds, kOffsetLimitSeconds, seconds))
    return false;
  out = seconds;
  return true;
}

// One row of kColumns; false when a field is out of its range.
bool ReadRow(const QSqlQuery& q, TStoredChart& chart) {
  int historic = 0;
  chart.ZoneName = q.value(14).toString();
  chart.Name = q.value(0).toString();
  chart.Note = q.value(1).toString();
  chart.Country = q.value(3).toString();
  chart.City = q.value(4).toString();
  // A name stored as bytes (only a foreign or damaged file has one) would be listed but never
  // found, renamed or deleted by its text: the row is damaged.
  const bool textName = q.value(0).metaType().id() == QMetaType::QString;
  return textName && !chart.Name.trimmed().isEmpty() &&
         ParseMoment(q.value(2).toString(), chart.Local) &&
         IntIn(q.value(5), -12, 14, chart.Zone) && IntIn(q.value(6), 0, 1, historic) &&
         IntIn(q.value(7), -90, 90, chart.LatitudeDeg) &&
         IntIn(q.value(8), 0, 59, chart.LatitudeMin) &&
         IntIn(q.value(9), -180, 180, chart.LongitudeDeg) &&
         IntIn(q.value(10), 0, 59, chart.LongitudeMin) &&
         DegreesIn(q.value(11), 90, chart.LatitudeDeg, chart.LatitudeMin, chart.Latitude) &&
         DegreesIn(q.value(12), 180, chart.LongitudeDeg, chart.LongitudeMin, chart.Longitude) &&
         FlagIn(q.value(13), chart.OwnPlace) && OffsetIn(q.value(15), chart.OffsetSeconds) &&
         FlagIn(q.value(16), chart.FixedOffset) && FlagIn(q.value(17), chart.Julian) &&
         FlagIn(q.value(18), chart.LaterOccurrence) && (chart.HistoricZones = historic != 0, true);
}

QString NewConnectionName() {
  static std::atomic<int> counter{0};
  return QStringLiteral("astravia-archive-%1").arg(++counter);
}

} // namespace

void SortByName(std::vector<TStoredChart>& charts) {
  QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(charts.begin(), charts.end(),
            [&collator](const TStoredChart& a, const TStoredChart& b) {
              const int order = collator.compare(a.Name, b.Name);
              return order != 0 ? order < 0 : a.Name < b.Name;
            });
}

double LatitudeOf(const TStoredChart& chart) {
  return SignedDegrees(chart.Latitude, chart.LatitudeDeg, chart.LatitudeMin);
}

double LongitudeOf(const TStoredChart& chart) {
  return SignedDegrees(chart.Longitude, chart.LongitudeDeg, chart.LongitudeMin);
}

QString PlaceText(const TStoredChart& chart) {
  if (chart.Country.isEmpty() || chart.City.isEmpty())
    return chart.Country + chart.City;
  return chart.Country + ", " + chart.City;
}

QString DefaultArchivePath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("charts.sqlite"));
}

TChartArchive::TChartArchive(const QString& path, int busyMilliseconds)
    : Path(path), Connection(NewConnectionName()), BusyMilliseconds(busyMilliseconds) {
  if (Path.isEmpty()) // SQLite would take an empty name for a temporary database
    throw TArchiveError("Не задан файл архива карт.");
  const QFileInfo info(Path);
  if (info.exists() && !info.isFile())
    throw TArchiveError(
        QStringLiteral("Архив карт %1 не является файлом.").arg(Shown(Path)).toStdString());
  if (info.exists()) {
    Connect();
    CheckExisting();
  }
}

TChartArchive::~TChartArchive() {
  if (!Connected)
    return;
  QSqlDatabase::database(Connection, false).close();
  QSqlDatabase::removeDatabase(Connection);
}

void TChartArchive::Connect() {
  if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
    throw TArchiveError(QStringLiteral("Архив карт %1 недоступен: не установлен драйвер SQLite "
                                       "для Qt (пакет libqt6sql6-sqlite).")
                            .arg(Shown(Path))
                            .toStdString());
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
  Connected = true;
  db.setDatabaseName(Path);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyMilliseconds));
  if (!db.open())
    Fail(db.lastError(), QStringLiteral("открыть"));
}

void TChartArchive::CheckExisting() {
  QSqlQuery q(QSqlDatabase::database(Connection, false));
  // Reading the header proves the file is a database and takes no lock beyond the read.
  if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
    Fail(q.lastError(), QStringLiteral("прочитать"));
  const int version = q.value(0).toInt();
  if (!q.exec(QStringLiteral("PRAGMA quick_check(1)")) || !q.next())
    Fail(q.lastError(), QStringLiteral("проверить"));
  if (q.value(0).toString() != QStringLiteral("ok"))
    throw TArchiveError(QStringLiteral("Архив карт %1 повреждён (%2). Файл оставлен как есть.")
                            .arg(Shown(Path), q.value(0).toString())
                            .toStdString());
  if (version > kSchemaVersion)
    throw TArchiveError(QStringLiteral("Архив карт %1 записан более новой версией программы "
                                       "(версия %2). Файл оставлен как есть.")
                            .arg(Shown(Path))
                            .arg(version)
                            .toStdString());
  if (version == 0) {
    // An empty database becomes an archive; someone else's database is left alone.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
      Fail(q.lastError(), QStringLiteral("прочитать"));
    if (q.value(0).toInt() != 0)
      throw TArchiveError(
          QStringLiteral("Файл %1 не является архивом карт. Файл оставлен как есть.")
              .arg(Shown(Path))
              .toStdString());
  }
  if (version < kSchemaVersion)
    Migrate(version);
}

void TChartArchive::Migrate(int fromVersion) {
  Write([&](QSqlQuery& q) {
    for (int v = fromVersion; v < kSchemaVersion; ++v)
      for (const QString& statement :
           QString::fromLatin1(kMigrations[v]).split(u';', Qt::SkipEmptyParts))
        if (!q.exec(statement)) // one statement a call
          return false;
    return q.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
  });
}

template <typename Body> void TChartArchive::Write(Body body) {
  if (!Connected) {
    // The first chart of a new archive: the folder and the file come into being here.
    if (!QFileInfo::exists(Path) && !QDir().mkpath(QFileInfo(Path).absolutePath()))
      throw TArchiveError(QStringLiteral("Не удаётся создать папку архива карт %1.")
                              .arg(Shown(QFileInfo(Path).absolutePath()))
                              .toStdString());
    const bool fresh = !QFileInfo::exists(Path);
    Connect();
    if (fresh) {
      Migrate(0);
    } else {
      CheckExisting();
    }
  }
  QSqlDatabase db = QSqlDatabase::database(Connection, false);
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
    Fail(q.lastError(), QStringLiteral("записать"));
  if (!body(q)) {
    const QSqlError error = q.lastError();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    Fail(error, QStringLiteral("записать"));
  }
  if (!q.exec(QStringLiteral("COMMIT"))) {
    const QSqlError error = q.lastError();
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    Fail(error, QStringLiteral("записать"));
  }
}

void TChartArchive::Fail(const QSqlError& error, const QString& doing) const {
  const int code = error.nativeErrorCode().toInt() & 0xff;
  const QString reason = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  QString text;
  switch (code) {
  case kBusy:
  case kLocked:
    text = QStringLiteral("Архив карт %1 занят другой программой; повторите позже. "
                          "Ничего не записано.")
               .arg(Shown(Path));
    break;
  case kCorrupt:
  case kNotADatabase:
    text = QStringLiteral("Архив карт %1 повреждён или не является архивом карт (%2). "
                          "Файл оставлен как есть.")
               .arg(Shown(Path), reason);
    break;
  case kReadOnly:
  case kCantOpen:
  case kIoError:
  case kFull:
    text = QStringLiteral("Не удаётся %1 архив карт %2 (%3). Ничего не записано.")
               .arg(doing, Shown(Path), reason);
    break;
  default:
    text = QStringLiteral("Не удаётся %1 архив карт %2 (%3).").arg(doing, Shown(Path), reason);
  }
  throw TArchiveError(text.toStdString());
}

void TChartArchive::RequireName(const QString& name) const {
  // A blank name could never be listed again: such a chart would be lost in the file.
  if (name.trimmed().isEmpty())
    throw TArchiveError(
        QStringLiteral("Карта без имени не сохранена в архив %1.").arg(Shown(Path)).toStdString());
  // The file's text comes back with these as U+FFFD, and the chart could not be found again.
  const bool keptWhole =
      name.isValidUtf16() && !name.contains(QChar(0xFFFE)) && !name.contains(QChar(0xFFFF));
  if (!keptWhole)
    throw TArchiveError(QStringLiteral("Имя карты содержит недопустимые символы; карта не "
                                       "сохранена в архив %1.")
                            .arg(Shown(Path))
                            .toStdString());
}

std::vector<TStoredChart> TChartArchive::List() {
  std::vector<TStoredChart> charts;
  Skipped = 0;
  if (!Connected)
    return charts;
  QSqlQuery q(QSqlDatabase::database(Connection, false));
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("SELECT %1 FROM charts").arg(QLatin1String(kColumns))))
    Fail(q.lastError(), QStringLiteral("прочитать"));
  while (q.next()) {
    TStoredChart chart;
    // A name that does not come back whole from the text encoding (a noncharacter or bytes that
    // are no UTF-8, which only another program stores) would be listed but never found, renamed
    // or deleted by its text: the row is damaged.
    if (ReadRow(q, chart) && Contains(chart.Name))
      charts.push_back(std::move(chart));
    else
      ++Skipped;
  }
  if (q.lastError().isValid())
    Fail(q.lastError(), QStringLiteral("прочитать"));
  return charts;
}

bool TChartArchive::Find(const QString& name, TStoredChart& chart) {
  if (!Connected)
    return false;
  QSqlQuery q(QSqlDatabase::database(Connection, false));
  q.prepare(QStringLiteral("SELECT %1 FROM charts WHERE name = ?").arg(QLatin1String(kColumns)));
  q.addBindValue(name);
  if (!q.exec())
    Fail(q.lastError(), QStringLiteral("прочитать"));
  if (!q.next())
    return false;
  TStoredChart found;
  if (!ReadRow(q, found))
    throw TArchiveError(
        QStringLiteral("Карта «%1» в архиве %2 повреждена.").arg(name, Shown(Path)).toStdString());
  chart = found;
  return true;
}

bool TChartArchive::Contains(const QString& name) {
  if (!Connected)
    return false;
  QSqlQuery q(QSqlDatabase::database(Connection, false));
  q.prepare(QStringLiteral("SELECT 1 FROM charts WHERE name = ?"));
  q.addBindValue(name);
  if (!q.exec())
    Fail(q.lastError(), QStringLiteral("прочитать"));
  return q.next();
}

void TChartArchive::Save(const TStoredChart& chart) {
  Save(std::vector<TStoredChart>{chart});
}

void TChartArchive::Save(const std::vector<TStoredChart>& charts) {
  for (const TStoredChart& chart : charts)
    RequireName(chart.Name);
  Write([&](QSqlQuery& q) {
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO charts (%1) VALUES "
                             "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                  .arg(QLatin1String(kColumns)));
    for (const TStoredChart& chart : charts) {
      for (const QVariant& value :
           {QVariant(chart.Name), QVariant(chart.Note), QVariant(MomentText(chart.Local)),
            QVariant(chart.Country), QVariant(chart.City), QVariant(chart.Zone),
            QVariant(chart.HistoricZones ? 1 : 0), QVariant(chart.LatitudeDeg),
            QVariant(chart.LatitudeMin), QVariant(chart.LongitudeDeg), QVariant(chart.LongitudeMin),
            QVariant(LatitudeOf(chart)), QVariant(LongitudeOf(chart)),
            QVariant(chart.OwnPlace ? 1 : 0),
            QVariant(chart.ZoneName.isNull() ? "" : chart.ZoneName),
            chart.OffsetSeconds ? QVariant(*chart.OffsetSeconds) : QVariant(),
            QVariant(chart.FixedOffset ? 1 : 0), QVariant(chart.Julian ? 1 : 0),
            QVariant(chart.LaterOccurrence ? 1 : 0)})
        q.addBindValue(value);
      if (!q.exec())
        return false;
    }
    return true;
  });
}

bool TChartArchive::Rename(const QString& oldName, const QString& newName) {
  RequireName(newName);
  if (!Contains(oldName))
    return false;
  if (oldName == newName)
    return true;
  Write([&](QSqlQuery& q) {
    q.prepare(QStringLiteral("DELETE FROM charts WHERE name = ?"));
    q.addBindValue(newName);
    if (!q.exec())
      return false;
    q.prepare(QStringLiteral("UPDATE charts SET name = ? WHERE name = ?"));
    q.addBindValue(newName);
    q.addBindValue(oldName);
    return q.exec();
  });
  return true;
}

bool TChartArchive::Delete(const QString& name) {
  if (!Contains(name))
    return false;
  Write([&](QSqlQuery& q) {
    q.prepare(QStringLiteral("DELETE FROM charts WHERE name = ?"));
    q.addBindValue(name);
    return q.exec();
  });
  return true;
}

} // namespace archive
