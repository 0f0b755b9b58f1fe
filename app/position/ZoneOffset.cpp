// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZoneOffset.h"

#include "DateTime.h"

#include <QDateTime>
#include <QTimeZone>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

// 1970-01-01 as a TDateTime.
constexpr double kUnixEpoch = 25569.0;
constexpr qint64 kMsPerDay = 86400000;
constexpr int kSecondsPerHour = 3600;

qint64 AsUtcMs(astro::TDateTime Moment) {
  return std::llround((Moment - kUnixEpoch) * kMsPerDay);
}

QDateTime UtcAt(qint64 Ms) {
  return QDateTime::fromMSecsSinceEpoch(Ms, QTimeZone::utc());
}

// The shape of an IANA zone name ("Europe/Samara", "Etc/GMT+3"): the tz backend opens the name
// as a path below its zone folder, so "..", an absolute path or a device must never reach it
// (a FIFO or a terminal would block the program).
bool IsZoneName(const QByteArray& Id) {
  if (Id.isEmpty() || Id.size() > 64)
    return false;
  for (const QByteArray& part : Id.split('/')) {
    if (part.isEmpty() || part == "." || part == ".." || part.front() == '-')
      return false;
    for (const char c : part)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '+' &&
          c != '.')
        return false;
  }
  return true;
}

TZoneOffset FromData(const QTimeZone::OffsetData& Data) {
  return {Data.offsetFromUtc, Data.offsetFromUtc != Data.standardTimeOffset
                                  ? TZoneSource::Daylight
                                  : TZoneSource::Standard};
}

} // namespace

TZoneOffset WholeHoursOffset(int Hours) {
  return {Hours * kSecondsPerHour, TZoneSource::WholeHours};
}

std::optional<TZoneOffset> HistoricOffset(const QByteArray& ZoneId, double LongitudeDegrees,
                                          astro::TDateTime Local) {
  if (!IsZoneName(ZoneId))
    return std::nullopt;
  const QTimeZone zone(ZoneId);
  if (!zone.isValid())
    return std::nullopt;
  // The local wall-clock reading, counted as if it were UTC.
  const qint64 local = AsUtcMs(Local);

  const QTimeZone::OffsetData first =
      zone.nextTransition(QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc()));
  const int meanTime = static_cast<int>(std::lround(LongitudeDegrees * 240.0));
  if (first.atUtc.isValid() && local - meanTime * 1000LL < first.atUtc.toMSecsSinceEpoch())
    return TZoneOffset{meanTime, TZoneSource::LocalMean};

  // The offsets in force around the moment: no zone changes twice within two days.
  const qint64 from = local - 2 * kMsPerDay;
  const QTimeZone::OffsetDataList changes =
      zone.transitions(UtcAt(from), UtcAt(local + 2 * kMsPerDay));
  struct TSpan {
    qint64 Start;
    QTimeZone::OffsetData Data;
  };
  std::vector<TSpan> spans{{from, zone.offsetData(UtcAt(from))}};
  for (const QTimeZone::OffsetData& change : changes)
    spans.push_back({change.atUtc.toMSecsSinceEpoch(), change});

  // The earliest span in which the local reading occurs.
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const qint64 utc = local - spans[i].Data.offsetFromUtc * 1000LL;
    const bool afterStart = i == 0 || utc >= spans[i].Start;
    const bool beforeEnd = i + 1 == spans.size() || utc < spans[i + 1].Start;
    if (afterStart && beforeEnd)
      return FromData(spans[i].Data);
  }
  // Skipped by a change: the offset before it.
  for (std::size_t i = 1; i < spans.size(); ++i) {
    const qint64 gapStart = spans[i].Start + spans[i - 1].Data.offsetFromUtc * 1000LL;
    const qint64 gapEnd = spans[i].Start + spans[i].Data.offsetFromUtc * 1000LL;
    if (local >= gapStart && local < gapEnd)
      return FromData(spans[i - 1].Data);
  }
  return FromData(spans.front().Data);
}

std::optional<TZoneOffset> HistoricOffsetAt(const QByteArray& ZoneId, double LongitudeDegrees,
                                            astro::TDateTime Ut) {
  if (!IsZoneName(ZoneId))
    return std::nullopt;
  const QTimeZone zone(ZoneId);
  if (!zone.isValid())
    return std::nullopt;
  const qint64 at = AsUtcMs(Ut);
  const QTimeZone::OffsetData first =
      zone.nextTransition(QDateTime(QDate(1, 1, 1), QTime(0, 0), QTimeZone::utc()));
  if (first.atUtc.isValid() && at < first.atUtc.toMSecsSinceEpoch())
    return TZoneOffset{static_cast<int>(std::lround(LongitudeDegrees * 240.0)),
                       TZoneSource::LocalMean};
  return FromData(zone.offsetData(UtcAt(at)));
}

astro::TDateTime ToUniversalTime(const TZoneOffset& Offset, astro::TDateTime Local) {
  if (Offset.Source == TZoneSource::WholeHours)
    return astro::ToUniversalTime(Offset.Seconds / kSecondsPerHour, Local);
  return Local - Offset.Seconds / 86400.0;
}

int WholeHoursOf(int Seconds) {
  return Seconds / kSecondsPerHour;
}

QString OffsetText(int Seconds) {
  const int magnitude = std::abs(Seconds);
  QString text = QStringLiteral("UTC%1%2:%3")
                     .arg(QChar(Seconds < 0 ? u'-' : u'+'))
                     .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
                     .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
  if (magnitude % 60 != 0)
    text += QStringLiteral(":%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
  return text;
}

QString SourceText(TZoneSource Source) {
  switch (Source) {
  case TZoneSource::Standard:
    return QStringLiteral("поясное время");
  case TZoneSource::Daylight:
    return QStringLiteral("летнее время");
  case TZoneSource::LocalMean:
    return QStringLiteral("местное среднее время");
  case TZoneSource::WholeHours:
    break;
  }
  return QStringLiteral("пояс базы городов");
}

astro::TChartMoment ChartMomentOf(const TZoneOffset& Offset, astro::TDateTime Local,
                                  astro::TDateTime Universal, const QString& ZoneName) {
  astro::TChartMoment moment{
      Local, Universal, Offset.Seconds, astro::TOffsetSource::WholeHours, {}};
  switch (Offset.Source) {
  case TZoneSource::WholeHours:
    return moment;
  case TZoneSource::Standard:
    moment.Source = astro::TOffsetSource::Standard;
    break;
  case TZoneSource::Daylight:
    moment.Source = astro::TOffsetSource::Daylight;
    break;
  case TZoneSource::LocalMean:
    moment.Source = astro::TOffsetSource::LocalMean;
    break;
  }
  moment.ZoneName = ZoneName.toStdString();
  return moment;
}
