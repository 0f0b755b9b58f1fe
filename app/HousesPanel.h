// SPDX-License-Identifier: GPL-3.0-or-later
// The planet tab's houses: a box with the house system's choice and the twelve cusps (sign glyph
// and degree in the sign), and beside it a list of the angles, each body's house and motion, the
// points and the aspects of the bodies to the angles and points. It shows a chart value; the
// planet table beside it is untouched.
#pragma once

#include "Chart.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

class THousesPanel : public QObject {
  Q_OBJECT
public:
  // Builds the box and the list on the planet tab's sheet, right of the planet table.
  explicit THousesPanel(QWidget* sheet);

  // The chosen system, a letter of astro::kHouseSystems.
  char System() const;
  // Chooses the system as the user would, OnSystemChange included (when it changes).
  void SetSystem(char System);
  // Called after the system changed.
  std::function<void()> OnSystemChange;

  // Fills the box and the list from a chart; without houses the box says that no place is known.
  void Show(const astro::TChart& Chart);
  // The list's text, as shown (for checks).
  QString ListText() const;

private:
  QGroupBox* Box = nullptr;
  QComboBox* SystemBox = nullptr;
  QLabel* Note = nullptr;
  std::array<QLabel*, 12> CuspGlyph{};
  std::array<QLabel*, 12> CuspDegree{};
  QPlainTextEdit* List = nullptr;
};

// "♑ 15°07’": the sign's symbol and the degree in the sign of a longitude.
QString SignDegreeText(double Longitude);
