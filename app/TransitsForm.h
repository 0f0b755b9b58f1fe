// SPDX-License-Identifier: GPL-3.0-or-later
// "Транзиты за период": the exact moments of a period for the natal chart taken when the window
// opened: transits, the sky's aspects, stations and ingresses, in a table sorted by moment,
// filterable, exported as UTF-8 text or CSV. The search runs on a worker thread with progress and
// cancel; a double-click hands the row's universal moment to the owner.
#pragma once

#include "TransitSearch.h"

#include <QDialog>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The chart the transits are made to and the zone its local times are shown in.
struct TTransitNatal {
  astro::TDateTime Universal = 0;           // birth moment, UT
  bool PlaceKnown = false;                  // angles only with a place
  double LatitudeDeg = 0, LongitudeDeg = 0; // signed decimal degrees, north and east positive
  std::function<int(astro::TDateTime)> OffsetAtUniversal; // seconds east of UT at a UT moment
  std::array<bool, astro::kAspectCount + 1> AspectOn{};
  std::array<double, astro::kAspectCount + 1> Orbs{};
};

class TTransitsForm : public QDialog {
  Q_OBJECT
public:
  TTransitsForm(TTransitNatal Natal, astro::TDateTime Today, QWidget* parent = nullptr);
  ~TTransitsForm() override;

  // Called with a row's universal moment on double-click.
  std::function<void(astro::TDateTime Universal)> OnOpenMoment;

  // Starts a search with the window's choices (cancelling one that runs).
  void Search();
  void Cancel();
  bool Searching() const { return Worker.joinable() && !Finished; }
  // Rows shown after filtering.
  int RowCount() const;
  // Writes the shown rows: CSV when the name ends in ".csv", else text; throws on failure.
  void ExportTo(const QString& FileName) const;
  astro::search::TSearchRequest Request() const;

private:
  void Export();
  void ShowResult(const astro::search::TSearchResult& Result);
  void JoinWorker();
  QStringList RowTexts(int Row) const;

  TTransitNatal Natal;
  QDateEdit* FromEdit = nullptr;
  QDateEdit* ToEdit = nullptr;
  std::array<QCheckBox*, astro::kBodyCount + 1> MovingBoxes{};
  QCheckBox* NatalBodies = nullptr;
  QCheckBox* NatalAngles = nullptr;
  QCheckBox* NatalNodes = nullptr;
  std::array<QCheckBox*, 5> KindBoxes{}; // transits, sky aspects, stations, ingresses, Moon
  QLineEdit* FilterEdit = nullptr;
  QPushButton* SearchButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QProgressBar* Progress = nullptr;
  QLabel* Status = nullptr;
  QStandardItemModel* Model = nullptr;
  QSortFilterProxyModel* Filter = nullptr;
  QTableView* Table = nullptr;
  std::thread Worker;
  std::atomic<bool> CancelRequested{false};
  std::atomic<bool> Finished{true};
  std::shared_ptr<std::atomic<int>> Generation = std::make_shared<std::atomic<int>>(0);
};
