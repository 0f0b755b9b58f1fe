// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1, the program's only main window and its switchboard: it opens the ephemeris store,
// hands the configuration file to the position frame and the chart model, creates the view
// frames, and routes every change of moment, zone or place through one recomputation into the
// planet table and all views. Moments are TDateTime values (days since 1899-12-30); the position
// frame holds local time, the store is asked in UT.
#pragma once

#include "Chart.h"
#include "ChartArchive.h"
#include "Dignities.h"
#include "EfemerisClass.h"
#include "PlanetPosition.h"
#include "SecondChart.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTimer;
class TAboutBox;
class TDignityForm;
class TTransitsForm;
class THousesPanel;
class TImageFrame;
class TKosmoFrame;
class TMainMenuXP;
class TPositionFrame;
class TSunMoonPanels;
class TSecondChartPanel;
class TStartupPrefetch;
class TTaroFrame;
class TViewFrame;
struct TSheetFacts;

// Where the program finds its files. Folders carry no trailing separator.
struct TFormPaths {
  QString ProgramDir;        // the shipped data: the executable's folder, or ../share/astravia
  std::string EphemerisFile; // opened relative to the working directory
  QString ArchiveFile = {};  // the chart archive (charts.sqlite)
  QString IniDir = {};       // folder of the quellantree.ini in use; empty: ProgramDir
};

// The default paths: the running executable's data folder (ProgramFiles.h), "base/efemerid.efm"
// or the copy in that folder when the working directory has none, the configuration file the
// user may write (the shipped one copied into the user's folder on first start when needed),
// and the archive in the user's data folder.
TFormPaths DefaultFormPaths();

// Pushes one chart into each existing view in the window's order (tree, tarot, cosmogram):
// longitudes (element 0 the Sun), the aspect list, then the LOCAL moment.
void PushChartIntoViews(TImageFrame* Tree, TTaroFrame* Taro, TKosmoFrame* Kosmo,
                        const astro::TLongitudes& Longitudes, const astro::TAspectList& Aspects,
                        astro::TDateTime Moment);

class TForm1 : public QMainWindow {
  Q_OBJECT
public:
  // Builds the designed children, then runs FormCreate. An error inside FormCreate is shown
  // through the prompts seam; the window is usable afterwards with what was created.
  explicit TForm1(const TFormPaths& paths = DefaultFormPaths(), QWidget* parent = nullptr);
  // FormDestroy: frees the store and the font, writes the zone option, then frees the model
  // (which writes the aspect settings).
  ~TForm1() override;

  // Start-up and the refresh chain.
  void FormCreate();
  void InitTree();
  void CreateTree();
  void PlanetPosition1Change();
  void PositionFrame1DateTimeChange();
  void PositionFrame1TimeZoneChange();
  void PositionFrame1PositionChange();

  // Settings grid: the aspect index is read from the sender's name ("Asp12", "Orb7").
  void AspClick(QCheckBox* sender);
  void OrbExit(QLineEdit* sender);

  // Animation: the n-th tick shows universal time start + n whole steps (milliseconds), so
  // thousands of steps stay on the clock and a summer-time change neither doubles nor skips an
  // hour; the local time shown is the one that universal time gives.
  void CheckBox1Click();
  void Timer1Timer();
  // Brings the chart back to the local moment the last animation started from.
  void ReturnToAnimationStartClick();

  // Menu commands.
  void OpenChartClick();
  void SaveChartClick();
  void ImportChartsClick();
  void ExportChartsClick();
  void TreeClick();
  void NatalClick();
  void TaroClick();
  void SaveAsImageClick();
  void SaveAsTextClick();
  void PrintAsImageClick();
  void PrintAsTextClick();
  // "Печать листа карты…": the sheet in a print preview, whose print button asks for a printer.
  void PrintSheetClick();
  // "Сохранить лист карты как PDF…": the sheet as an A4 PDF, written whole or not at all.
  void SaveSheetPdfClick();
  // The shown chart as a sheet: moment, place, houses of the configured system, the almanac of
  // its day and, when the table can be read, the dignities.
  TSheetFacts CurrentSheet();
  void ExitItemClick();
  void HelpAboutClick();
  void N3Click();
  // "Таблица бальности": opens the modeless table of dignities (reading dignities.txt from the
  // program's folder the first time), which then follows every chart while it is open.
  void N4Click();
  // "Транзиты за период" for the chart shown now; a row's moment moves the chart there.
  void TransitsClick();
  TTransitsForm* TransitsForm() const { return TransitsForm_; }
  // Keeps the current place as the one the next start selects.
  void HomePlaceClick();
  // "Дома и оси": the cosmogram with or without houses, angles and points.
  void HousesOnWheelClick(bool Checked);
  QAction* HousesOnWheel() const { return HousesOnWheel_; }
  // "Вид" → a second chart kind: chosen on the "Вторая карта" tab, which is brought forward.
  void SecondKindClick(astro::TSecondKind Kind);

  // Key preview: Shift+Alt+F12 opens the ephemeris export. Never consumes the key.
  void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void FormMouseMove();

  // Parts, for the program's own wiring and for tests.
  astro::TEfemerisClass* Efemeris() const { return Efemeris_.get(); }
  astro::TPlanetPosition* PlanetPosition1() const { return PlanetPosition1_.get(); }
  TPositionFrame* PositionFrame1() const { return PositionFrame1_; }
  TImageFrame* TreeFrame() const { return TreeFrame_; }
  TTaroFrame* TaroFrame() const { return TaroFrame_; }
  TKosmoFrame* KosmoFrame() const { return KosmoFrame_; }
  TDignityForm* DignityForm() const { return DignityForm_; }
  const TSunMoonPanels& SunMoonPanels() const { return *SunMoon; }
  THousesPanel* HousesPanel() const { return Houses_; }
  TSecondChartPanel* SecondPanel() const { return SecondPanel_; }
  // The second chart shown around the natal one, if any, and the aspects between them.
  const std::optional<astro::TChart>& SecondChart() const { return SecondChart_; }
  const std::vector<astro::TCrossAspect>& CrossAspects() const { return Cross_; }
  // The chart the planet tab's houses show (with houses once a place is chosen).
  const astro::TChart& Chart() const { return PlanetPosition1_->Chart(); }
  QTabWidget* PageControl1() const { return PageControl1_; }
  QTimer* Timer1() const { return Timer1_; }
  TMainMenuXP* MainMenuXP1() const { return MainMenuXP1_; }
  const TFormPaths& Paths() const { return Paths_; }
  // The configuration file's folder and its plain and slashed path forms.
  QString IniDir() const;
  QString IniPath() const;
  QString SlashedIniPath() const;
  // Number of CreateTree runs so far (a counter for checks and benchmarks).
  int RecomputeCount() const { return RecomputeCount_; }
  // Index of the animation step (0 minute, 1 hour, 2 day).
  int StepIndex() const;
  QComboBox* StepBox() const { return ComboBox1; }
  QAction* ReturnToAnimationStart() const { return ReturnToStart_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void BuildMenu();
  QAction* AddItem(QMenu* menu, const QString& name, const QString& caption,
                   void (TForm1::*handler)());
  void BuildTabs(QWidget* client);
  void BuildPlanetTable(QWidget* sheet);
  std::array<QLabel*, 3> BuildSunMoonGroup(QWidget* sheet, const QString& name,
                                           const QString& title, int top, const QString& picture,
                                           const std::array<QString, 3>& labels,
                                           const std::array<QString, 3>& panels);
  void BuildAspectGrid(QWidget* sheet);
  void BuildAnimationPanel(QWidget* sheet);
  void FillAspectGrid();
  void RefreshPlanetTable();
  // The Sun and Moon panels for the position frame's local day, place and zone.
  void RefreshSunMoon();
  // The chart of the position frame's moment and place, with the planet tab's house system.
  astro::TChart CurrentChart() const;
  // Computes the chart again for a new place or house system and shows its houses.
  void RefreshHouses();
  // The held chart's houses, points and dignities on the planet tab, the wheel and the table.
  void ShowHouses();
  // The second chart around that value, into its tab and (not yet drawn) the cosmogram.
  void RefreshSecond();
  // The second chart (or none) handed to the cosmogram, without a redraw.
  void ShowSecondOnWheel();
  QString SecondTitle() const; // "Транзиты", "Синастрия: Анна"
  astro::TChart ComputeSecond();
  // The synastry partner's chart from the archive, its moment on its own clock.
  astro::TChart PartnerChart(const QString& Name);
  void BuildSecondTab();
  void FillSecondChartNames(const QString& Chosen);
  void ReadSecondChoice();
  // Universal time to the natal place's clock: its zone by date when zones by date are on.
  std::function<int(astro::TDateTime)> NatalOffsetAtUniversal() const;
  // The animation's step moves the second chart's moment: true when one is shown that has one.
  bool AnimateSecond();
  // The options the window keeps beside the aspect settings.
  std::vector<config::TIniEntry> OptionsEntries() const;
  // The chart zone's offset east of UT in minutes: the one conversion the almanac uses.
  double ChartOffsetMinutes() const;
  void PlaceTabs();
  // Redraws one 15 x 15 glyph picture: see-through cell, then the glyph in black.
  static void ShowGlyph(QLabel* image, int code);
  void RunStep(const char* what, void (TForm1::*step)());
  // The view frames in the order tree, tarot, cosmogram (absent ones as nullptr).
  std::array<TViewFrame*, 3> Views() const;
  // The first visible view in that order, or nullptr.
  TViewFrame* VisibleView() const;
  // Shows Chosen and hides the others when it is hidden, then recomputes.
  void ShowView(TViewFrame* Chosen);
  void SetHintsEnabled(bool enabled);
  void HideHints();
  // OrbExit for the widget when it is one of the orb edits.
  void ApplyOrbEdit(QWidget* widget);

  TFormPaths Paths_;
  // Start-up's early loads, until FormCreate has taken them.
  std::unique_ptr<TStartupPrefetch> Prefetch_;
  std::unique_ptr<astro::TEfemerisClass> Efemeris_;
  std::unique_ptr<astro::TPlanetPosition> PlanetPosition1_;
  bool FontLoaded = false;

  QWidget* Client = nullptr;
  TMainMenuXP* MainMenuXP1_ = nullptr;
  QTabWidget* PageControl1_ = nullptr;
  TPositionFrame* PositionFrame1_ = nullptr;
  QTimer* Timer1_ = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QAction* ReturnToStart_ = nullptr;
  QAction* HousesOnWheel_ = nullptr;
  // The running animation: universal time of its tick 0 in milliseconds, the step and ticks
  // since then, and the universal time last shown (an edit of the moment restarts the count).
  struct TAnimationRun {
    long long StartMs = 0;
    long long StepMs = 0;
    long long Ticks = 0;
    astro::TDateTime Shown = 0;
  };
  TAnimationRun Animation;
  std::optional<astro::TDateTime> AnimationStartLocal;
  void RestartAnimationCount();
  // The chart last opened from or saved to the archive (none: empty name), named in the caption.
  archive::TStoredChart OpenChart_;
  void ShowChartCaption();
  std::array<QCheckBox*, 19> Asp{};
  std::array<QLineEdit*, 19> Orb{};
  std::array<QLabel*, 19> Image{};
  std::array<bool, 19> OrbShownClamped{};
  std::array<QLabel*, 11> PlanetPos{};
  std::array<QLabel*, 11> PlanetImage{};
  QLabel* AspectsOmitted = nullptr; // shown when the chart has more aspects than the list holds
  std::unique_ptr<TSunMoonPanels> SunMoon;
  THousesPanel* Houses_ = nullptr;
  TSecondChartPanel* SecondPanel_ = nullptr;
  std::array<QAction*, 6> SecondItems{};
  std::optional<astro::TChart> SecondChart_;
  std::vector<astro::TCrossAspect> Cross_;
  std::string AsteroidFolder_ = astro::AsteroidFolder();

  TImageFrame* TreeFrame_ = nullptr;
  TTaroFrame* TaroFrame_ = nullptr;
  TKosmoFrame* KosmoFrame_ = nullptr;
  TAboutBox* AboutBox = nullptr;
  TDignityForm* DignityForm_ = nullptr;
  TTransitsForm* TransitsForm_ = nullptr;

  struct TSeenKey {
    const QEvent* Event = nullptr;
    int Key = 0;
    int Modifiers = 0;
    bool operator==(const TSeenKey&) const = default;
  };
  TSeenKey LastKey;
  int RecomputeCount_ = 0;
  std::optional<astro::TDignityTable> SheetDignities; // read at the first sheet
  bool SheetDignitiesRead = false;
};
