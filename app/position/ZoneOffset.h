// SPDX-License-Identifier: GPL-3.0-or-later
// The offset between a chart's local moment and universal time, either the whole hours of the
// city base (or of the zone spin edit), or the one the system's tz database gives for a place at
// a local date and time. Offsets are seconds EAST of Greenwich: local = UT + Seconds.
#pragma once

#include "Chart.h"
#include "Clock.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Where an offset comes from.
enum class TZoneSource {
  WholeHours, // the city base's zone or the hours the user set
  Standard,   // the tz database, standard (or decree) time
  Daylight,   // the tz database, summer time
  LocalMean,  // before the zone's first standard time: longitude / 15 hours
  Fixed,      // an exact offset the user gave or a stored chart carries (+5:30)
};

struct TZoneOffset {
  int Seconds = 0;
  TZoneSource Source = TZoneSource::WholeHours;
  friend bool operator==(const TZoneOffset&, const TZoneOffset&) = default;
};

TZoneOffset WholeHoursOffset(int Hours);
TZoneOffset FixedOffset(int Seconds);

// Offsets from UT that exist on the world's clocks: -12:00 .. +14:00.
constexpr int kLowestOffsetSeconds = -12 * 3600;
constexpr int kHighestOffsetSeconds = 14 * 3600;
// "+5:30", "-3", "5", "UTC+05:30", "+05:45", "-0:30" as seconds east of UT; nullopt for anything
// else or an offset beyond -12:00 .. +14:00 (minutes 0..59).
std::optional<int> ParseFixedOffset(const QString& Text);

// How a local clock reading occurs in a zone: once, never (the clocks jumped over it) or twice
// (the clocks went back over it). For Twice, Earlier and Later are its two offsets.
enum class TReadingKind { Once, Skipped, Twice };
struct TLocalReading {
  TReadingKind Kind = TReadingKind::Once;
  TZoneOffset Earlier, Later;
};
// The reading Local in zone ZoneId, with the offsets HistoricOffsetAt gives; Once for a zone
// unknown to the system.
TLocalReading ClassifyLocal(const QByteArray& ZoneId, double LongitudeDegrees,
                            astro::TDateTime Local);

// The offset the tz database gives in zone ZoneId (an IANA name such as Europe/Samara) for the
// LOCAL moment Local. Before the zone's first transition it is the local mean time of
// LongitudeDegrees (east positive), rounded to the second; so it is later, while the zone keeps
// the mean time of its own city ("MMT", "KMT"), for a town away from that city, unless
// data/legal_mean_times.txt makes that city's the country's legal time. A local time skipped by a
// change takes the offset in force before the change; one that occurs twice takes its earlier
// occurrence. nullopt when the zone is unknown to the system.
std::optional<TZoneOffset> HistoricOffset(const QByteArray& ZoneId, double LongitudeDegrees,
                                          astro::TDateTime Local);

// The offset in force at the UNIVERSAL moment Ut in zone ZoneId: unlike HistoricOffset of a
// local reading, never ambiguous, so both occurrences of a repeated hour are told apart.
// Before the zone's first transition the local mean time of LongitudeDegrees; nullopt when the
// zone is unknown to the system.
std::optional<TZoneOffset> HistoricOffsetAt(const QByteArray& ZoneId, double LongitudeDegrees,
                                            astro::TDateTime Ut);

// The local moment as UT. A whole-hours offset goes through astro::ToUniversalTime, so the result
// is bit for bit the one a whole-hours zone always gave.
astro::TDateTime ToUniversalTime(const TZoneOffset& Offset, astro::TDateTime Local);

// Whole hours of an offset, toward zero (+5:45 gives 5, -3:30 gives -3).
int WholeHoursOf(int Seconds);
// "UTC+05:30", "UTC-03:30", "UTC+00:00"; seconds only when there are some ("UTC+02:30:28").
QString OffsetText(int Seconds);
// "поясное время", "летнее время", "местное среднее время", "пояс базы городов".
// The same source as the chart value names it.
astro::TOffsetSource OffsetSourceOf(TZoneSource Source);
QString SourceText(TZoneSource Source);

// A chart's moment: the local moment, its UT, the offset, where the offset comes from and, for a
// zone by date, the zone's name.
astro::TChartMoment ChartMomentOf(const TZoneOffset& Offset, astro::TDateTime Local,
                                  astro::TDateTime Universal, const QString& ZoneName);
