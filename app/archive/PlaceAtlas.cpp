// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlaceAtlas.h"

#include "CityBase.h"
#include "ZoneOffset.h"

#include <QRegularExpression>

namespace archive {

TPlaceAtlas::TPlaceAtlas(const TCityBase* base) : Base(base) {}

void TPlaceAtlas::Index() const {
  Indexed = true;
  if (!Base)
    return;
  for (const QString& country : Base->GetCountryList())
    for (const QString& entry : Base->GetCityList(country))
      ByCity[entry.section(QLatin1Char(';'), 0, 0).toCaseFolded()].push_back({country, entry});
}

std::optional<TAtlasPlace> TPlaceAtlas::Place(const TEntry& entry) const {
  const QString key = entry.Country + QLatin1Char('\n') + entry.Entry;
  if (const auto known = Looked.constFind(key); known != Looked.constEnd())
    return *known;
  std::optional<TAtlasPlace> place = Read(entry);
  Looked.insert(key, place);
  return place;
}

std::optional<TAtlasPlace> TPlaceAtlas::Read(const TEntry& entry) const {
  const std::optional<TCityPlace> found = Base->FindPlace(entry.Country, entry.Entry);
  if (!found)
    return std::nullopt;
  const std::optional<double> latitude = AtlasDegrees(found->Latitude);
  const std::optional<double> longitude = AtlasDegrees(found->Longitude);
  bool zoneOk = false;
  const int zone = found->Zone.trimmed().toInt(&zoneOk);
  if (!latitude || !longitude || !zoneOk)
    return std::nullopt;
  return TAtlasPlace{entry.Country, entry.Entry, found->ZoneName, zone, *latitude, *longitude};
}

std::optional<TAtlasPlace> TPlaceAtlas::Find(const QString& city, const QString& country,
                                             QString& reason) const {
  reason = QStringLiteral("места «%1» нет в атласе").arg(city);
  if (!Base || city.trimmed().isEmpty())
    return std::nullopt;
  if (!Indexed)
    Index();
  const QString name = city.trimmed();
  const QString folded = name.section(QLatin1Char(';'), 0, 0).toCaseFolded();
  const QString wantedCountry = country.trimmed().toCaseFolded();
  std::vector<TEntry> fits;
  for (const TEntry& entry : ByCity.value(folded)) {
    const bool countryFits =
        wantedCountry.isEmpty() || entry.Country.toCaseFolded() == wantedCountry;
    const bool entryFits =
        !name.contains(QLatin1Char(';')) || entry.Entry.compare(name, Qt::CaseInsensitive) == 0;
    if (countryFits && entryFits)
      fits.push_back(entry);
  }
  if (fits.size() > 1) {
    reason = QStringLiteral("место «%1» неоднозначно: в атласе %2 таких мест")
                 .arg(city)
                 .arg(fits.size());
    return std::nullopt;
  }
  if (fits.empty())
    return std::nullopt;
  return Place(fits.front());
}

std::optional<int> ZoneOffsetAt(const QString& zoneName, double longitude, TMomentSeconds local) {
  const std::optional<TZoneOffset> offset =
      HistoricOffset(zoneName.toLatin1(), longitude, static_cast<double>(local) / 86400.0);
  if (!offset)
    return std::nullopt;
  return offset->Seconds;
}

std::optional<double> AtlasDegrees(const QString& text) {
  static const QRegularExpression form(QStringLiteral(R"(^\s*(-?)(\d{1,3})°(\d{1,2})\D?\s*$)"));
  const auto m = form.match(text);
  if (!m.hasMatch() || m.captured(3).toInt() > 59)
    return std::nullopt;
  const double value = m.captured(2).toInt() + m.captured(3).toInt() / 60.0;
  return m.captured(1).isEmpty() ? value : -value;
}

bool SettleLocalMoment(TChartRecord& record, TMomentSeconds local, QString& reason) {
  if (!record.ZoneName.isEmpty()) {
    const std::optional<int> offset = ZoneOffsetAt(record.ZoneName, record.Longitude, local);
    if (!offset) {
      reason = QStringLiteral("временная зона «%1» неизвестна").arg(record.ZoneName);
      return false;
    }
    record.OffsetSeconds = *offset;
  }
  record.Universal = local - record.OffsetSeconds;
  return true;
}

} // namespace archive
