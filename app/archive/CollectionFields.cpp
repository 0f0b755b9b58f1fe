// SPDX-License-Identifier: GPL-3.0-or-later
#include "CollectionFields.h"

#include "ZoneOffset.h"

#include <QRegularExpression>
#include <array>
#include <charconv>
#include <cmath>

namespace archive {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr double kJulianDayOfEpoch = 2415018.5; // 1899-12-30 00:00 UT

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromGregorian(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The same count for a date of the Julian calendar, through its Julian day number.
std::int64_t DaysFromJulian(std::int64_t y, int m, int d) {
  const std::int64_t a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
  const std::int64_t jdn = d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - 32083;
  return jdn - 2440588; // JDN of 1970-01-01
}

const std::int64_t kEpochDays = DaysFromGregorian(1899, 12, 30);

bool IsLeap(int y, TCalendar calendar) {
  if (calendar == TCalendar::Julian)
    return y % 4 == 0;
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int MonthLength(int y, int m, TCalendar calendar) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y, calendar) ? 29 : kDays[m - 1];
}

const TMomentSeconds kFirstMoment = (DaysFromGregorian(kFirstYear, 1, 1) - kEpochDays) * 86400;
const TMomentSeconds kEndMoment = (DaysFromGregorian(kLastYear + 1, 1, 1) - kEpochDays) * 86400;

int Number(const QString& text, bool& ok) {
  return text.toInt(&ok);
}

} // namespace

std::optional<TMomentSeconds> MomentOf(const TCivilMoment& t, TCalendar calendar) {
  if (t.Year < kFirstYear || t.Year > kLastYear || t.Month < 1 || t.Month > 12 || t.Day < 1 ||
      t.Day > MonthLength(t.Year, t.Month, calendar) || t.Hour < 0 || t.Hour > 23 || t.Minute < 0 ||
      t.Minute > 59 || t.Second < 0 || t.Second > 59)
    return std::nullopt;
  const std::int64_t days = calendar == TCalendar::Julian
                                ? DaysFromJulian(t.Year, t.Month, t.Day)
                                : DaysFromGregorian(t.Year, t.Month, t.Day);
  const TMomentSeconds moment =
      (days - kEpochDays) * kSecondsPerDay + t.Hour * 3600 + t.Minute * 60 + t.Second;
  if (moment < kFirstMoment || moment >= kEndMoment)
    return std::nullopt;
  return moment;
}

TCivilMoment CivilOf(TMomentSeconds moment) {
  std::int64_t days = moment / kSecondsPerDay;
  std::int64_t rest = moment % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  // Hinnant's civil_from_days.
  const std::int64_t z = days + kEpochDays + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  TCivilMoment t;
  t.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.Year = static_cast<int>(yoe + era * 400 + (t.Month <= 2));
  t.Hour = static_cast<int>(rest / 3600);
  t.Minute = static_cast<int>(rest / 60 % 60);
  t.Second = static_cast<int>(rest % 60);
  return t;
}

std::optional<TMomentSeconds> FromJulianDay(double julianDay) {
  const double seconds = std::round((julianDay - kJulianDayOfEpoch) * kSecondsPerDay);
  if (!std::isfinite(seconds) || seconds < kFirstMoment || seconds >= kEndMoment)
    return std::nullopt;
  return static_cast<TMomentSeconds>(seconds);
}

double ToJulianDay(TMomentSeconds moment) {
  return kJulianDayOfEpoch + static_cast<double>(moment) / kSecondsPerDay;
}

std::optional<TCivilMoment> ParseDateText(const QString& text) {
  static const QRegularExpression dayFirst(
      QStringLiteral(R"(^(\d{1,2})[./](\d{1,2})[./](\d{1,4})$)"));
  static const QRegularExpression isoDate(QStringLiteral(R"(^(\d{1,4})-(\d{1,2})-(\d{1,2})$)"));
  const QString trimmed = text.trimmed();
  bool ok = true;
  TCivilMoment t;
  if (const auto m = dayFirst.match(trimmed); m.hasMatch()) {
    t.Day = Number(m.captured(1), ok);
    t.Month = Number(m.captured(2), ok);
    t.Year = Number(m.captured(3), ok);
  } else if (const auto m = isoDate.match(trimmed); m.hasMatch()) {
    t.Year = Number(m.captured(1), ok);
    t.Month = Number(m.captured(2), ok);
    t.Day = Number(m.captured(3), ok);
  } else {
    return std::nullopt;
  }
  return t;
}

std::optional<int> ParseTimeText(const QString& text) {
  static const QRegularExpression clock(
      QStringLiteral(R"(^(\d{1,2})[:.h](\d{1,2})(?:[:.](\d{1,2}))?$)"));
  const auto m = clock.match(text.trimmed());
  if (!m.hasMatch())
    return std::nullopt;
  bool ok = true;
  const int h = Number(m.captured(1), ok), min = Number(m.captured(2), ok);
  const int s = m.captured(3).isEmpty() ? 0 : Number(m.captured(3), ok);
  if (h > 23 || min > 59 || s > 59)
    return std::nullopt;
  return h * 3600 + min * 60 + s;
}

std::optional<double> ParseCoordinate(const QString& text, QChar positive, QChar negative,
                                      double limit) {
  static const QRegularExpression sexagesimal(
      QStringLiteral(R"(^(\d{1,3})([A-Za-z])(\d{1,2})(?::(\d{1,2}(?:\.\d*)?))?$)"));
  const QString trimmed = text.trimmed();
  double value = 0;
  if (const auto m = sexagesimal.match(trimmed); m.hasMatch()) {
    const QChar side = m.captured(2).at(0).toLower();
    if (side != positive && side != negative)
      return std::nullopt;
    const int minutes = m.captured(3).toInt();
    const double seconds = m.captured(4).isEmpty() ? 0 : m.captured(4).toDouble();
    if (minutes > 59 || seconds >= 60)
      return std::nullopt;
    value = m.captured(1).toInt() + minutes / 60.0 + seconds / 3600.0;
    if (side == negative)
      value = -value;
  } else {
    // A decimal comma, as Russian spreadsheets write numbers.
    const QString number = trimmed.contains(QLatin1Char('.'))
                               ? trimmed
                               : QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = number.toDouble(&ok);
    if (!ok || trimmed.contains(QLatin1Char('e'), Qt::CaseInsensitive))
      return std::nullopt; // no exponents, no "inf"
  }
  if (!std::isfinite(value) || std::abs(value) > limit)
    return std::nullopt;
  return value;
}

QString AafCoordinate(double degrees, QChar positive, QChar negative) {
  const long minutes = std::lround(std::abs(degrees) * 60);
  return QStringLiteral("%1%2%3")
      .arg(minutes / 60)
      .arg(degrees < 0 && minutes != 0 ? negative : positive)
      .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> ParseAafZone(const QString& text) {
  static const QRegularExpression form(
      QStringLiteral(R"(^(\d{1,2})h?([ewEW])(\d{1,2})?(?::(\d{1,2}))?$)"));
  static const QRegularExpression hoursOnly(QStringLiteral(R"(^(\d{1,2})h([ewEW])?$)"));
  const QString trimmed = text.trimmed();
  int seconds = 0;
  bool west = false;
  if (const auto m = form.match(trimmed); m.hasMatch()) {
    const int minutes = m.captured(3).toInt(), secs = m.captured(4).toInt();
    if (minutes > 59 || secs > 59)
      return std::nullopt;
    seconds = m.captured(1).toInt() * 3600 + minutes * 60 + secs;
    west = m.captured(2).toLower() == QStringLiteral("w");
  } else if (const auto h = hoursOnly.match(trimmed); h.hasMatch()) {
    seconds = h.captured(1).toInt() * 3600;
    west = h.captured(2).toLower() == QStringLiteral("w");
  } else {
    return ParseOffsetText(trimmed);
  }
  if (seconds > 15 * 3600)
    return std::nullopt;
  return west ? -seconds : seconds;
}

QString AafZone(int seconds) {
  const int magnitude = std::abs(seconds);
  QString text = QStringLiteral("%1h%2%3")
                     .arg(magnitude / 3600)
                     .arg(seconds < 0 ? QLatin1Char('w') : QLatin1Char('e'))
                     .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
  if (magnitude % 60 != 0)
    text += QStringLiteral(":%1").arg(magnitude % 60, 2, 10, QLatin1Char('0'));
  return text;
}

std::optional<int> ParseOffsetText(const QString& text) {
  static const QRegularExpression clock(
      QStringLiteral(R"(^(?:UTC|GMT|UT)?\s*([+-]?)(\d{1,2})(?::(\d{2}))?(?::(\d{2}))?$)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression decimal(QStringLiteral(R"(^([+-]?)(\d{1,2})\.(\d{1,2})$)"));
  const QString trimmed = text.trimmed();
  int seconds = 0;
  bool negative = false;
  if (trimmed.compare(QStringLiteral("UTC"), Qt::CaseInsensitive) == 0 ||
      trimmed.compare(QStringLiteral("GMT"), Qt::CaseInsensitive) == 0)
    return 0;
  if (const auto m = clock.match(trimmed); m.hasMatch()) {
    const int minutes = m.captured(3).toInt(), secs = m.captured(4).toInt();
    if (minutes > 59 || secs > 59)
      return std::nullopt;
    seconds = m.captured(2).toInt() * 3600 + minutes * 60 + secs;
    negative = m.captured(1) == QStringLiteral("-");
  } else if (const auto d = decimal.match(trimmed); d.hasMatch()) {
    seconds = static_cast<int>(
        std::lround((d.captured(2) + QLatin1Char('.') + d.captured(3)).toDouble() * 3600));
    negative = d.captured(1) == QStringLiteral("-");
  } else {
    return std::nullopt;
  }
  if (seconds > 15 * 3600)
    return std::nullopt;
  return negative ? -seconds : seconds;
}

QString OffsetField(int seconds) {
  return OffsetText(seconds).mid(3); // without "UTC"
}

QString ExactNumber(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return QString::fromLatin1(text, end - text);
}

} // namespace archive
