// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZoneOffset.h"

#include "Chart.h"

#include "DateTime.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern const std::string_view kLegalMeanTimesText;

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

// A zone city's mean time within two minutes of the zone's first local mean time (Moscow's
// 2:31:19 of 1916-1919 is its 2:30:17 corrected).
constexpr int kSameMeanTimeSeconds = 120;
// A town whose mean time is within half a minute of the zone's is the zone's city itself.
constexpr int kZoneCitySeconds = 30;

struct TLegalPeriod {
  QByteArray Zone;
  qint64 FromMs = 0;  // UT
  qint64 UntilMs = 0; // UT, excluded
};

qint64 DayMs(const std::string& Text) {
  const QDate day = QDate::fromString(QString::fromStdString(Text), Qt::ISODate);
  return day.isValid() ? QDateTime(day, QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch() : 0;
}

// The periods of data/legal_mean_times.txt: "zone from until reason", "#" comments.
const std::vector<TLegalPeriod>& LegalPeriods() {
  static const std::vector<TLegalPeriod> periods = [] {
    std::vector<TLegalPeriod> list;
    std::istringstream lines{std::string(kLegalMeanTimesText)};
    for (std::string line; std::getline(lines, line);) {
      std::istringstream fields(line);
      std::string zone, from, until;
      if (line.empty() || line.front() == '#' || !(fields >> zone >> from >> until))
        continue;
      list.push_back({QByteArray::fromStdString(zone), DayMs(from), DayMs(until)});
    }
    return list;
  }();
  return periods;
}

bool IsLegalMeanTime(const QByteArray& ZoneId, qint64 UtcMs) {
  for (const TLegalPeriod& period : LegalPeriods())
    if (period.Zone == ZoneId && UtcMs >= period.FromMs && UtcMs < period.UntilMs)
      return true;
  return false;
}

// A named mean time ("MMT", "KMT"; not "GMT") in standard time, close to the zone's first local
// mean time: the mean time of the zone's own city, which the tz database gives every town of it.
bool IsZoneCityMeanTime(const QTimeZone::OffsetData& Data, int ZoneMeanTime) {
  const QString& name = Data.abbreviation;
  return name.size() == 3 && name.endsWith(QLatin1String("MT")) && name[0].isUpper() &&
         name != QLatin1String("GMT") && Data.offsetFromUtc == Data.standardTimeOffset &&
         std::abs(Data.offsetFromUtc - ZoneMeanTime) <= kSameMeanTimeSeconds;
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

TZoneOffset FixedOffset(int Seconds) {
  return {Seconds, TZoneSource::Fixed};
}

std::optional<int> ParseFixedOffset(const QString& Text) {
  QString text = Text.trimmed();
  if (text.startsWith(QLatin1String("UTC"), Qt::CaseInsensitive) ||
      text.startsWith(QLatin1String("GMT"), Qt::CaseInsensitive))
    text = text.mid(3).trimmed();
  text.replace(QChar(0x2212), u'-'); // the typographic minus
  static const QRegularExpression shape(QStringLiteral("^([+-]?)(\\d{1,2})(?:[:.](\\d{2}))?$"));
  const QRegularExpressionMatch match = shape.match(text);
  if (!match.hasMatch())
    return std::nullopt;
  const int hours = match.captured(2).toInt();
  const int minutes = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
  if (minutes > 59)
    return std::nullopt;
  const int seconds = (match.captured(1) == u'-' ? -1 : 1) * (hours * 3600 + minutes * 60);
  if (seconds < kLowestOffsetSeconds || seconds > kHighestOffsetSeconds)
    return std::nullopt;
  return seconds;
}

namespace {

// The tz database's offset data in force at the local reading Local (ms, counted as if UTC).
QTimeZone::OffsetData DataAtLocal(const QTimeZone& zone, qint64 local) {
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
      return spans[i].Data;
  }
  // Skipped by a change: the offset before it.
  for (std::size_t i = 1; i < spans.size(); ++i) {
    const qint64 gapStart = spans[i].Start + spans[i - 1].Data.offsetFromUtc * 1000LL;
    const qint64 gapEnd = spans[i].Start + spans[i].Data.offsetFromUtc * 1000LL;
    if (local >= gapStart && local < gapEnd)
      return spans[i - 1].Data;
  }
  return spans.front().Data;
}

// The offset of a town at MeanTime (its longitude's mean time, seconds) when the tz database
// gives Data at UtcMs. Before standard time the tz database describes only the zone's own city:
// a town elsewhere kept its own mean time, unless a law made that city's the country's time.
TZoneOffset TownOffset(const QByteArray& ZoneId, const QTimeZone& zone,
                       const QTimeZone::OffsetData& First, const QTimeZone::OffsetData& Data,
                       int MeanTime, qint64 UtcMs) {
  if (First.atUtc.isValid()) {
    const int zoneMeanTime = zone.offsetFromUtc(First.atUtc.addMSecs(-1));
    if (IsZoneCityMeanTime(Data, zoneMeanTime) &&
        std::abs(MeanTime - zoneMeanTime) > kZoneCitySeconds && !IsLegalMeanTime(ZoneId, UtcMs))
      return {MeanTime, TZoneSource::LocalMean};
  }
  return FromData(Data);
}

} // namespace

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
  const QTimeZone::OffsetData data = DataAtLocal(zone, local);
  return TownOffset(ZoneId, zone, first, data, meanTime, local - data.offsetFromUtc * 1000LL);
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
  const int meanTime = static_cast<int>(std::lround(LongitudeDegrees * 240.0));
  if (first.atUtc.isValid() && at < first.atUtc.toMSecsSinceEpoch())
    return TZoneOffset{meanTime, TZoneSource::LocalMean};
  return TownOffset(ZoneId, zone, first, zone.offsetData(UtcAt(at)), meanTime, at);
}

TLocalReading ClassifyLocal(const QByteArray& ZoneId, double LongitudeDegrees,
                            astro::TDateTime Local) {
  // Every offset in force within a day and a half of the reading (no zone changes twice in
  // that time); each one that gives back the reading is an occurrence of it.
  std::vector<TZoneOffset> occurrences;
  bool known = false;
  for (const double shift : {-1.5, 0.0, 1.5}) {
    const std::optional<TZoneOffset> candidate =
        HistoricOffsetAt(ZoneId, LongitudeDegrees, Local + shift);
    if (!candidate)
      continue;
    known = true;
    const std::optional<TZoneOffset> atInstant =
        HistoricOffsetAt(ZoneId, LongitudeDegrees, Local - candidate->Seconds / 86400.0);
    const bool seen = std::any_of(occurrences.begin(), occurrences.end(),
                                  [&](const TZoneOffset& o) { return o == *candidate; });
    if (atInstant && *atInstant == *candidate && !seen)
      occurrences.push_back(*candidate);
  }
  TLocalReading reading;
  if (!known || occurrences.size() == 1)
    return reading;
  if (occurrences.empty()) {
    reading.Kind = TReadingKind::Skipped;
    return reading;
  }
  // The earlier instant is the one of the larger offset.
  std::sort(occurrences.begin(), occurrences.end(),
            [](const TZoneOffset& a, const TZoneOffset& b) { return a.Seconds > b.Seconds; });
  reading.Kind = TReadingKind::Twice;
  reading.Earlier = occurrences.front();
  reading.Later = occurrences.back();
  return reading;
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

astro::TOffsetSource OffsetSourceOf(TZoneSource Source) {
  switch (Source) {
  case TZoneSource::Standard:
    return astro::TOffsetSource::Standard;
  case TZoneSource::Daylight:
    return astro::TOffsetSource::Daylight;
  case TZoneSource::LocalMean:
    return astro::TOffsetSource::LocalMean;
  case TZoneSource::Fixed:
    return astro::TOffsetSource::Fixed;
  case TZoneSource::WholeHours:
    break;
  }
  return astro::TOffsetSource::WholeHours;
}

QString SourceText(TZoneSource Source) {
  const std::string_view name = astro::OffsetSourceName(OffsetSourceOf(Source));
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

astro::TChartMoment ChartMomentOf(const TZoneOffset& Offset, astro::TDateTime Local,
                                  astro::TDateTime Universal, const QString& ZoneName) {
  astro::TChartMoment moment{Local, Universal, Offset.Seconds, OffsetSourceOf(Offset.Source), {}};
  // A zone's name only where the tz database gave the offset.
  if (Offset.Source != TZoneSource::WholeHours && Offset.Source != TZoneSource::Fixed)
    moment.ZoneName = ZoneName.toStdString();
  return moment;
}
