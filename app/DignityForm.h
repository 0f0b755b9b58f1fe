// SPDX-License-Identifier: GPL-3.0-or-later
// "Таблица бальности": a modeless window beside the main window listing, for each of the ten
// bodies, its sign in the current chart, the essential dignities it holds there with Lilly's
// points, the rulers of its triplicity (by the chart's sect), term and face, and, when the chart
// has houses, its house with the accidental points; the totals below, and the footer names the
// source of every part of the table. The main window pushes every new chart into it while it is
// open, the animation included.
#pragma once

#include "Chart.h"
#include "Dignities.h"

#include <QWidget>

class QLabel;
class QTableWidget;

class TDignityForm : public QWidget {
  Q_OBJECT
public:
  TDignityForm(const astro::TDignityTable& table, QWidget* parent);

  // Shows the chart's bodies; its local moment heads the table.
  void ShowChart(const astro::TChart& Chart);

  // The cell texts, for checks: row 0..9 the bodies, row 10 the total; column 0 body, 1 sign,
  // 2 dignities held, 3 points, 4..6 the rulers of triplicity, term and face, 7 house,
  // 8 accidental points.
  QString CellText(int row, int column) const;

private:
  void BuildGrid();
  void ShowBody(int row, const astro::TBodyDignity& Dignity);

  astro::TDignityTable Table;
  QLabel* MomentLabel = nullptr;
  QTableWidget* Grid = nullptr;
};

// "+5", "−4" (typographic minus), "0".
QString PointsText(int points);
