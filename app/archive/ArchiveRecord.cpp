// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveRecord.h"

#include "PlaceAtlas.h"

#include <algorithm>
#include <cmath>

namespace archive {
namespace {

void SplitDegrees(double value, int& degrees, int& minutes) {
  const long total = std::lround(std::abs(value) * 60);
  degrees = static_cast<int>(total / 60) * (value < 0 ? -1 : 1);
  minutes = static_cast<int>(total % 60);
}

double JoinDegrees(int degrees, int minutes) {
  const double magnitude = std::abs(degrees) + minutes / 60.0;
  return degrees < 0 ? -magnitude : magnitude;
}

} // namespace

TStoredChart StoredFromRecord(const TChartRecord& record) {
  TStoredChart chart;
  chart.Name = record.Name;
  chart.Note = record.Note;
  chart.Country = record.Country;
  chart.City = record.Place;
  chart.Zone = std::clamp(static_cast<int>(std::lround(record.OffsetSeconds / 3600.0)), -12, 14);
  chart.Local = static_cast<double>(record.Universal + chart.Zone * 3600) / 86400.0;
  SplitDegrees(record.Latitude, chart.LatitudeDeg, chart.LatitudeMin);
  SplitDegrees(record.Longitude, chart.LongitudeDeg, chart.LongitudeMin);
  return chart;
}

TChartRecord RecordFromStored(const TStoredChart& chart, const TPlaceAtlas& atlas) {
  TChartRecord record;
  record.Name = chart.Name;
  record.Note = chart.Note;
  record.Country = chart.Country;
  record.Place = chart.City;
  record.Latitude = JoinDegrees(chart.LatitudeDeg, chart.LatitudeMin);
  record.Longitude = JoinDegrees(chart.LongitudeDeg, chart.LongitudeMin);
  record.OffsetSeconds = chart.Zone * 3600;
  const TMomentSeconds local = std::llround(chart.Local * 86400);
  if (chart.HistoricZones) {
    QString reason;
    if (const std::optional<TAtlasPlace> place = atlas.Find(chart.City, chart.Country, reason);
        place && !place->ZoneName.isEmpty())
      record.ZoneName = place->ZoneName;
  }
  QString reason;
  if (!SettleLocalMoment(record, local, reason)) {
    record.ZoneName.clear();
    record.Universal = local - record.OffsetSeconds;
  }
  return record;
}

} // namespace archive
