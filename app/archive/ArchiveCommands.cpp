// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveCommands.h"

#include "Coordinates.h"

#include "DateTime.h"
#include "OpenChartDialog.h"
#include "PositionFrame.h"
#include "Prompts.h"
#include "SaveChartDialog.h"

#include <cmath>

namespace archive {
namespace {

QString Coordinate(double degrees) {
  return QString::fromStdString(astro::FormatSignedDegMin(degrees));
}

QString ZoneText(const TStoredChart& chart) {
  if (chart.OffsetSeconds && (*chart.OffsetSeconds % 3600 != 0 || chart.FixedOffset))
    return OffsetText(*chart.OffsetSeconds);
  return chart.Zone < 0 ? QString::number(chart.Zone) : "+" + QString::number(chart.Zone);
}

// The zone an own place is opened with: its IANA name, else its fixed offset ("+5:30").
QString OwnZoneText(const TStoredChart& chart) {
  if (!chart.FixedOffset && !chart.ZoneName.isEmpty())
    return chart.ZoneName;
  return OffsetText(chart.OffsetSeconds.value_or(chart.Zone * 3600)).mid(3);
}

QString CoordinatesText(const TStoredChart& chart) {
  return QStringLiteral("широта %1, долгота %2")
      .arg(Coordinate(LatitudeOf(chart)), Coordinate(LongitudeOf(chart)));
}

} // namespace

TStoredChart ChartFromFrame(const TPositionFrame& frame) {
  TStoredChart chart;
  chart.Local = std::round(frame.DateTime * 86400.0) / 86400.0;
  chart.Country = frame.CountryText();
  chart.City = frame.CityText();
  chart.Zone = frame.CityTimeZone;
  chart.HistoricZones = HistoricZonesOf(frame);
  chart.LatitudeDeg = frame.LatitudeDeg;
  chart.LatitudeMin = frame.LatitudeMin;
  chart.LongitudeDeg = frame.LongitudeDeg;
  chart.LongitudeMin = frame.LongitudeMin;
  chart.Latitude = frame.LatitudeDegrees();
  chart.Longitude = frame.LongitudeDegrees();
  chart.OwnPlace = frame.OwnPlace();
  chart.ZoneName = frame.CityZoneName();
  chart.OffsetSeconds = frame.ZoneOffset.Seconds;
  chart.FixedOffset = frame.ZoneOffset.Source == TZoneSource::Fixed;
  chart.Julian = frame.JulianDates();
  chart.LaterOccurrence = frame.LaterOccurrence();
  return chart;
}

bool HistoricZonesOf(const TPositionFrame& frame) {
  return frame.HistoricZones();
}

void SetHistoricZones(TPositionFrame& frame, bool on) {
  frame.SetHistoricZones(on);
}

TApplyResult ApplyChart(TPositionFrame& frame, const TStoredChart& chart) {
  if (!frame.IsInRange(chart.Local))
    return TApplyResult::OutOfRange;
  TApplyResult result = TApplyResult::Opened;
  frame.SetJulianDates(chart.Julian);
  if (chart.OwnPlace) {
    // The names typed for the place stay in the boxes beside its own coordinates and zone.
    frame.SetPlace(chart.Country, chart.City, LatitudeOf(chart), LongitudeOf(chart));
    frame.SetTimeZone(chart.Zone);
    if (!frame.SetOwnPlace(LatitudeOf(chart), LongitudeOf(chart), OwnZoneText(chart)))
      frame.SetOwnPlace(LatitudeOf(chart), LongitudeOf(chart),
                        OffsetText(chart.OffsetSeconds.value_or(chart.Zone * 3600)).mid(3));
  } else {
    if (!frame.SelectPlace(chart.Country, chart.City)) {
      frame.SetPlace(chart.Country, chart.City, LatitudeOf(chart), LongitudeOf(chart));
      if (!chart.City.isEmpty())
        result = TApplyResult::CityMissing;
    }
    frame.SetTimeZone(chart.Zone);
    SetHistoricZones(frame, chart.HistoricZones);
  }
  frame.EditDateTime(chart.Local);
  frame.SetLaterOccurrence(chart.LaterOccurrence);
  // An offset the place's rules no longer give (an imported +5:30, a changed tz database) is
  // kept as it was saved, so the local moment and UT are the saved ones.
  if (chart.OffsetSeconds && frame.ZoneOffset.Seconds != *chart.OffsetSeconds)
    frame.SetFixedOffset(*chart.OffsetSeconds);
  return result;
}

QString ChartSummary(const TStoredChart& chart) {
  const QString place = PlaceText(chart);
  return QStringLiteral("Момент: %1 %2\nМесто: %3 (%4)\nВременная зона: %5%6")
      .arg(QString::fromStdString(astro::DateToText(chart.Local)),
           QString::fromStdString(astro::TimeToText(chart.Local)),
           place.isEmpty() ? QStringLiteral("не выбрано") : place, CoordinatesText(chart),
           ZoneText(chart),
           chart.OwnPlace        ? QStringLiteral(", свои координаты")
           : chart.HistoricZones ? QStringLiteral(", пояс по дате")
                                 : QString());
}

QString ReplaceQuestion(const QString& name) {
  return QStringLiteral("Карта «%1» уже есть в архиве. Заменить её?").arg(name);
}

QString UpdateQuestion(const QString& name) {
  return QStringLiteral("Обновить карту «%1» в архиве?").arg(name);
}

bool SaveChartCommand(TPositionFrame& frame, const QString& archivePath, QWidget* parent,
                      TStoredChart* current) {
  TStoredChart chart = ChartFromFrame(frame);
  TSaveChartDialog dialog(ChartSummary(chart), parent);
  if (current) {
    dialog.SetName(current->Name);
    dialog.SetNote(current->Note);
  }
  if (!Prompts().Execute(dialog) || dialog.Name().isEmpty())
    return false;
  chart.Name = dialog.Name();
  chart.Note = dialog.Note();
  try {
    TChartArchive archive(archivePath);
    const bool same = current && current->Name == chart.Name;
    if (archive.Contains(chart.Name) &&
        !Prompts().Question(same ? UpdateQuestion(chart.Name) : ReplaceQuestion(chart.Name)))
      return false;
    archive.Save(chart);
    if (current)
      *current = chart;
    return true;
  } catch (const TArchiveError& error) {
    Prompts().Error(error.Text());
    return false;
  }
}

bool OpenChartCommand(TPositionFrame& frame, const QString& archivePath, QWidget* parent,
                      TStoredChart* current) {
  std::optional<TStoredChart> chart;
  try {
    TChartArchive archive(archivePath);
    TOpenChartDialog dialog(archive, parent);
    if (!Prompts().Execute(dialog))
      return false;
    chart = dialog.OpenedChart();
  } catch (const TArchiveError& error) {
    Prompts().Error(error.Text());
    return false;
  }
  if (!chart)
    return false;
  const TApplyResult applied = ApplyChart(frame, *chart);
  if (current && applied != TApplyResult::OutOfRange)
    *current = *chart;
  switch (applied) {
  case TApplyResult::OutOfRange:
    Prompts().Error(QStringLiteral("Момент карты «%1» (%2 %3) лежит вне диапазона эфемерид; "
                                   "карта не открыта.")
                        .arg(chart->Name, QString::fromStdString(astro::DateToText(chart->Local)),
                             QString::fromStdString(astro::TimeToText(chart->Local))));
    return false;
  case TApplyResult::CityMissing:
    Prompts().Information(
        QStringLiteral("Города «%1» (%2) нет в атласе. Карта «%3» открыта с сохранёнными "
                       "координатами (%4) и временной зоной %5.")
            .arg(chart->City, chart->Country, chart->Name, CoordinatesText(*chart),
                 ZoneText(*chart)));
    return true;
  case TApplyResult::Opened:
    break;
  }
  return true;
}

} // namespace archive
