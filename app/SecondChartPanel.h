// SPDX-License-Identifier: GPL-3.0-or-later
// The "Вторая карта" tab: which second chart is read around the natal one (none, transits,
// synastry, solar or lunar return, progressions), its moment, year, archive chart and place, the
// moment found, and the list of the aspects between the two charts sorted by orb. It holds the
// choice; the main window computes the chart and hands it back to be shown. Moments are LOCAL
// TDateTime values of the natal place's clock.
#pragma once

#include "SecondChart.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QWidget;

class TSecondChartPanel : public QObject {
  Q_OBJECT
public:
  // Builds the controls on the tab's sheet (317 x 449 like the other tabs).
  explicit TSecondChartPanel(QWidget* Sheet);

  astro::TSecondKind Kind() const;
  void SetKind(astro::TSecondKind Kind);
  astro::TDateTime Moment() const; // transit moment, lunar search start, progression target
  void SetMoment(astro::TDateTime Local);
  int Year() const;
  void SetYear(int Year);
  QString ChartName() const;
  void SetChartNames(const QStringList& Names, const QString& Chosen);
  // Another place (signed decimal degrees, north and east positive), or none: the natal place.
  std::optional<std::pair<double, double>> OtherPlace() const;

  // The chart found, or a failure's text; the list of cross aspects, sorted by orb.
  void ShowChart(const astro::TChart& Second, const std::vector<astro::TCrossAspect>& Cross);
  void ShowFailure(const QString& Text);
  void Clear();
  QString ListText() const;
  QString MomentText() const;

  // After the user changed the choice or one of its values.
  std::function<void()> OnChange;
  // The local moment of now at the natal place, for "Сейчас" and a first choice of transits.
  std::function<astro::TDateTime()> OnNow;

private:
  void Changed();
  void ShowControls();

  QButtonGroup* Modes = nullptr;
  QDateTimeEdit* MomentEdit = nullptr;
  QSpinBox* YearEdit = nullptr;
  QComboBox* ChartBox = nullptr;
  QCheckBox* OtherPlaceBox = nullptr;
  QDoubleSpinBox* LatitudeEdit = nullptr;
  QDoubleSpinBox* LongitudeEdit = nullptr;
  QLabel* Note = nullptr;
  QLabel* Found = nullptr;
  QPlainTextEdit* List = nullptr;
  std::array<QWidget*, 4> MomentRow{}, YearRow{}, ChartRow{}, PlaceRow{};
};
