// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet: one A4 portrait page a client takes home. Header (name, moments, place,
// houses), the wheel with houses, points and aspect chords, the positions, the aspect grid of the
// ten bodies and the angles (with a second chart: its ring on the wheel and the grid of aspects
// between the charts), the cusps, elements and modes, the almanac of the day and a footer.
// Drawn with QPainter in vector form on any paint device: a PDF writer, a printer, a picture.
#pragma once

#include "Almanac.h"
#include "Chart.h"
#include "Dignities.h"
#include "SecondChart.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

// A second chart drawn around the first: its bodies in a ring of their own and the aspects
// between the charts in a grid of their own.
struct TSheetSecond {
  QString Title; // "Транзиты", "Синастрия: Анна"
  astro::TChart Chart;
  std::vector<astro::TCrossAspect> Cross;
};

struct TSheetFacts {
  astro::TChart Chart;
  QString Name = QStringLiteral("Карта"); // the archive's name of the chart
  QString PlaceName; // "Россия, Москва"; empty when only a zone is known
  std::optional<astro::TAlmanacDay> Almanac;
  std::optional<astro::TChartDignities> Dignities;
  std::optional<TSheetSecond> Second;
};

// The program's name and version as the footer gives it: "Astravia v 0.1".
QString ProgramTitle();

// One drawn text: its box on the page in millimetres and what it says.
struct TSheetText {
  QRectF Box;
  QString Text;
};

// Draws the sheet into Page (device coordinates, an A4 portrait page) and gives back every text
// it drew, in millimetres from the page's top left corner.
std::vector<TSheetText> DrawChartSheet(QPainter& Painter, const QRectF& Page,
                                       const TSheetFacts& Facts);

// One page per sheet on a paged device (a PDF writer or a printer) set up for A4 portrait.
// Throws std::runtime_error when painting cannot start.
void PaintSheets(QPagedPaintDevice& Device, const std::vector<TSheetFacts>& Sheets);
// The sheets as a PDF document (A4 portrait, fonts embedded) into Device.
void WriteSheetPdf(QIODevice& Device, const std::vector<TSheetFacts>& Sheets);
// The same as a file, replaced whole; throws std::runtime_error naming the file on failure.
void SaveSheetPdf(const QString& FileName, const std::vector<TSheetFacts>& Sheets);

// "55°45′ с.ш. 37°37′ в.д." for signed degrees, north and east positive.
QString CoordinatesText(double Latitude, double Longitude);
// "15°07′" within the sign of a longitude.
QString DegreeInSignText(double Longitude);
// "поясное время", "летнее время", "местное среднее время", "пояс базы городов".
QString OffsetSourceText(astro::TOffsetSource Source);
