// SPDX-License-Identifier: GPL-3.0-or-later
// "Таблица бальности": a modeless window beside the main window listing, for each of the ten
// bodies, its sign in the current chart, its essential dignity there with the points, and the
// total; the footer names the table's tradition. The main window pushes every new chart into it
// while it is open, the animation included.
#pragma once

#include "Clock.h"
#include "Dignities.h"
#include "PlanetPosition.h"

#include <QWidget>

class QLabel;
class QTableWidget;

class TDignityForm : public QWidget {
  Q_OBJECT
public:
  TDignityForm(const astro::TDignityTable& table, QWidget* parent);

  // Shows the signs of the model's bodies; Moment is the local moment the chart is for.
  void ShowChart(const astro::TPlanetPosition& Model, astro::TDateTime Moment);

  // The cell texts, for checks: row 0..9 the bodies, row 10 the total; column 0 body, 1 sign,
  // 2 dignity, 3 points.
  QString CellText(int row, int column) const;

private:
  astro::TDignityTable Table;
  QLabel* MomentLabel = nullptr;
  QTableWidget* Grid = nullptr;
};

// "+5", "−4" (typographic minus), "0".
QString PointsText(int points);
