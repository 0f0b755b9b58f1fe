// SPDX-License-Identifier: GPL-3.0-or-later
// The second chart on the cosmogram (a bi-wheel): its bodies in a band of their own inside the
// sign ring, the natal bodies drawn further in, its angles across the band when houses are
// shown, and the aspects between the charts as dashed chords from the band to the natal bodies.
// Longitudes are ecliptic degrees of date.
#pragma once

#include "SecondChart.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kosmo {

struct THintRegion;
struct THintRegions;

// What the band shows.
struct TSecondWheel {
  QString Title;                   // "Транзиты", "Синастрия: Анна", ...
  QString Moment;                  // its local moment as text
  QString Universal;               // its universal moment as text
  astro::TLongitudes Longitudes{}; // [0] is the Sun
  std::optional<double> Asc, Mc;   // drawn when houses are shown
  struct TChord {
    double From = 0; // the second chart's point
    double To = 0;   // the natal point
    int Aspect = 0;
  };
  std::vector<TChord> Chords;
  std::array<QString, astro::kBodyCount + 1> Hints; // of bodies 1..10
};

// The band's contents from two charts and their cross aspects; WithAngles when houses are shown.
TSecondWheel SecondWheelOf(const QString& Title, const astro::TChart& Second,
                           const astro::TChart& Natal,
                           const std::vector<astro::TCrossAspect>& Cross, bool WithAngles);

// Paints the band, its bodies and angles over the inner disc, and their hint regions.
void DrawSecondRing(QImage& Picture, const TSecondWheel& Second,
                    std::array<THintRegion, astro::kBodyCount + 1>& Regions);
// The cross-aspect chords, dashed, from the second chart's point at FromRadius to the natal
// point on the natal chord circle.
void DrawCrossChords(QPainter& Painter, const TSecondWheel& Second, int FromRadius,
                     int NatalChordRadius);
// The title, the moment and a legend of the two kinds of chord, right of the wheel below the
// table; the corner below the table is whitened first (with no second chart it is left white, as
// the single wheel has it), the house legend goes under it.
void DrawSecondLegend(QPainter& Painter, const TSecondWheel* Second);

} // namespace kosmo
