// SPDX-License-Identifier: GPL-3.0-or-later
// The chart archive's rows as the open dialog reads them: rows of any type and value, written
// into a real archive behind its back, then listed, sorted, shown and found by name.
// Input: fields separated by 0xFF bytes, eleven a row; a field's first byte picks how it is
// stored (integer, real, text, blob), the rest is its value.
#include "ChartArchive.h"
#include "FuzzFiles.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <cstdlib>

namespace {

constexpr int kColumns = 11;

QVariant FieldValue(const QByteArray& field) {
  const QByteArray value = field.mid(1);
  switch (field.isEmpty() ? 2 : quint8(field[0]) % 4) {
  case 0:
    return value.toLongLong();
  case 1:
    return value.toDouble();
  case 2:
    return QString::fromUtf8(value);
  default:
    return value;
  }
}

QSqlDatabase& RawConnection(const QString& path) {
  static QSqlDatabase db = [&] {
    QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "fuzz-raw");
    raw.setDatabaseName(path);
    if (!raw.open())
      std::abort();
    return raw;
  }();
  return db;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv); // the SQLite driver is a plugin
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString path = QString::fromStdString(fuzz::Folder() + "charts.sqlite");
  static const bool created = [] {
    archive::TChartArchive(path).Save(
        archive::TStoredChart{"seed", "", 38000, "Россия", "Москва", 3, false, 55, 45, 37, 37});
    return true;
  }();
  (void)created;
  QSqlQuery raw(RawConnection(path));
  raw.exec("DELETE FROM charts");
  const QList<QByteArray> fields =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\xFF');
  for (qsizetype row = 0; row + kColumns <= fields.size() && row < 8 * kColumns; row += kColumns) {
    raw.prepare("INSERT OR REPLACE INTO charts (name, note, local_moment, country, city,"
                " zone_hours, historic_zones, latitude_deg, latitude_min, longitude_deg,"
                " longitude_min) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    for (int c = 0; c < kColumns; ++c)
      raw.addBindValue(FieldValue(fields[row + c]));
    raw.exec();
  }
  try {
    archive::TChartArchive archive(path);
    std::vector<archive::TStoredChart> charts = archive.List();
    archive::SortByName(charts);
    for (const archive::TStoredChart& chart : charts) {
      archive::TStoredChart found;
      if (archive::PlaceText(chart).size() < 0 || !archive.Find(chart.Name, found))
        std::abort(); // every listed chart is found by its name
    }
  } catch (const archive::TArchiveError&) {
  }
  return 0;
}
