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
  // The exact offset is kept beside the whole hours, so the local moment is the record's own.
  chart.Local = static_cast<double>(record.Local()) / 86400.0;
  chart.OffsetSeconds = record.OffsetSeconds;
  chart.ZoneName = record.ZoneName;
  chart.FixedOffset = record.ZoneName.isEmpty();
  chart.Julian = record.Calendar == TCalendar::Julian;
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
  record.Calendar = chart.Julian ? TCalendar::Julian : TCalendar::Gregorian;
  const TMomentSeconds local = std::llround(chart.Local * 86400);
  if (chart.OffsetSeconds) {
    record.OffsetSeconds = *chart.OffsetSeconds;
    record.ZoneName = chart.FixedOffset ? QString() : chart.ZoneName;
    record.Universal = local - record.OffsetSeconds;
    return record;
  }
  record.OffsetSeconds = chart.Zone * 3600;
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
