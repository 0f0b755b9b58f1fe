// SPDX-License-Identifier: GPL-3.0-or-later
// The report model of the Tree of Life (one record per sephira: its name, body, angelic order,
// letters, the aspects along its paths and the other aspects of its body) and the text report
// built from it. Longitudes are ecliptic degrees of date, 0 <= L < 360.
#pragma once

#include "PlanetPosition.h"
#include "Vocabulary.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

struct TPathSlot {
  int PathNumber = 0; // 1..22
  QString PathName;   // the path's arcanum
  int Planet1 = 0;    // the aspect along the path; Planet1 = 0 means none
  int Aspect = 0;
  int Planet2 = 0;
};

struct TSephiraRecord {
  int Number = 0; // 1..10
  QString Name;
  QString Order;                  // angelic order
  std::array<int, 3> Letters{};   // L1, L2, L3 of the body, set by FillReportModel
  int Body = 0;                   // 1..10
  int PathCount = 0;              // 0..3 owned paths
  std::array<TPathSlot, 3> Paths; // owned paths in slot order
  int ExtraCount = 0;             // 0..45
  std::array<astro::TAspectItem, astro::kMaxAspects> Extras{}; // aspects along no path
};

// Indexed by sephira 1..10; element 0 is unused.
using TSephiroth = std::array<TSephiraRecord, 11>;

// The interpretation text of an aspect (Planet1, Aspect, Planet2) as lines; empty when none.
using TAspectTextSource = std::function<QStringList(int Planet1, int Aspect, int Planet2)>;

// The three letters (arcana 1..22) of a body at a longitude: its 5-degree segment's arcana
// shifted through the body's sephira, in the order L1, L2, L3 (L1 is drawn leftmost).
astro::TArcanaTriple BodyLetters(double Longitude, int Body);

// Letter names L3-L2-L1, as the hint and the report write them ("Ламед-Бет-Ламед").
QString LetterText(const astro::TArcanaTriple& Letters);

// Fills the constant part of the ten records: number, name, order, body, owned paths.
void FillSephiraConstants(TSephiroth& Sephiroth);

// Sets the letters and the aspect parts of the records (Longitudes[0] is the Sun). An aspect whose
// two sephiroth are joined by a path goes into that path's slot (a later one replaces an earlier
// one); any other aspect is listed among the extras of both its sephiroth.
void FillReportModel(TSephiroth& Sephiroth, const astro::TLongitudes& Longitudes,
                     const astro::TAspectList& Aspects);

// The report lines of the model. Without a text source no interpretation lines appear.
QStringList ComposeReport(const TSephiroth& Sephiroth, const TAspectTextSource& Texts);

// The line preceded by 40 - trunc(n / 2) spaces (none when that is not positive), so that its
// middle falls on column 40 of an 80-column page.
QString CentredLine(const QString& Line);
