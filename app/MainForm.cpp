// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1's behaviour: start-up, the refresh chain, the settings handlers, the animation, the
// view and file commands, the export key and the shutdown order.
#include "MainForm.h"

#include "AboutBox.h"
#include "Application.h"
#include "ArchiveCommands.h"
#include "CollectionCommands.h"
#include "DateTime.h"
#include "DignityForm.h"
#include "EfemeridExtract.h"
#include "FontStream.h"
#include "Formatting.h"
#include "HousesPanel.h"
#include "IniFile.h"
#include "KosmoImage.h"
#include "MainMenuXP.h"
#include "PositionFrame.h"
#include "ProgramFiles.h"
#include "Prompts.h"
#include "SaveFolders.h"
#include "SecondChartPanel.h"
#include "StartupPrefetch.h"
#include "SunMoonPanels.h"
#include "TaroImage.h"
#include "TransitsForm.h"
#include "TreeImage.h"
#include "ViewCommands.h"
#include "Vocabulary.h"
#include "WindowPlacement.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Start-up frees much (file bytes, decoder buffers, the worker threads' heaps): hand the free
// pages back to the system instead of keeping them resident for the whole session.
void ReleaseFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// One step of the animation in milliseconds, by the index of the step list.
constexpr std::array<long long, 3> kStepMs = {60'000, 3'600'000, 86'400'000};
constexpr double kMsPerDay = 86'400'000.0;

const QString kCaption = QStringLiteral("Astravia v 0.1");

// Orbs the mask can show: one integer digit.
constexpr double kLargestShownOrb = 9.99;

} // namespace

TFormPaths DefaultFormPaths() {
  const files::TDataFolder data = files::FindDataFolder(QCoreApplication::applicationDirPath());
  TFormPaths paths;
  paths.ProgramDir = data.Dir;
  paths.EphemerisFile = files::DefaultEphemerisFile(data.Dir);
  paths.ArchiveFile = archive::DefaultArchivePath();
  paths.IniDir =
      files::ConfigurationDir(data, files::UserConfigDir(), files::TFirstStart::CopyShippedFile);
  return paths;
}

TForm1::TForm1(const TFormPaths& paths, QWidget* parent)
    : QMainWindow(parent), Paths_(paths),
      PlanetPosition1_(std::make_unique<astro::TPlanetPosition>()) {
  files::SetShippedDataDir(Paths_.ProgramDir);
  Prefetch_ = std::make_unique<TStartupPrefetch>(IniPath(), TStartupPrefetch::TFiles{});
  setObjectName("Form1");
  setWindowTitle(kCaption);
  // The designed positions are made for an 8 pt dialog face (11 px at 96 dpi).
  QFont face = font();
  face.setPixelSize(11);
  setFont(face);
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QString(":/uiart/icon%1.png").arg(size), QSize(size, size));
  }
  setWindowIcon(icon);

  Client = new QWidget(this);
  Client->setObjectName("ClientArea");
  Client->setMouseTracking(true);
  setCentralWidget(Client);
  BuildMenu();
  BuildTabs(Client);
  resize(865, 491 + MainMenuXP1_->sizeHint().height()); // room for the position frame's note row
  move(26, 132);
  // The view frames size themselves from the client area when created: settle it now.
  if (layout()) {
    layout()->activate();
  }

  Timer1_ = new QTimer(this);
  Timer1_->setObjectName("Timer1");
  Timer1_->setInterval(100);
  connect(Timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });

  PlanetPosition1_->OnChange = [this](astro::TPlanetPosition&) { PlanetPosition1Change(); };
  PlanetPosition1_->OnSaveError = [](const std::string& message) {
    Prompts().Error(ToQString(message));
  };
  connect(PositionFrame1_, &TPositionFrame::OnDateTimeChange, this,
          &TForm1::PositionFrame1DateTimeChange);
  connect(PositionFrame1_, &TPositionFrame::OnTimeZoneChange, this,
          &TForm1::PositionFrame1TimeZoneChange);
  connect(PositionFrame1_, &TPositionFrame::OnPositionChange, this,
          &TForm1::PositionFrame1PositionChange);

  qApp->installEventFilter(this); // key preview
  try {
    FormCreate();
  } catch (...) {
    // The remaining steps are skipped; the window opens with what exists, timer off.
    Timer1_->stop();
    TAstraviaApplication::ShowException(std::current_exception());
  }
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  Timer1_->stop();
  // FormDestroy: store, font, model (its destruction writes the aspect settings; a refused
  // write is reported through OnSaveError).
  Efemeris_.reset();
  if (DignityForm_) {
    RememberWindowPlace(*DignityForm_, IniPath(), "DignityForm");
  }
  if (FontLoaded) {
    FreeSymbolFont();
  }
  PositionFrame1_->disconnect(this);
  // The options go with the aspect settings, in the same replacement of the model's file.
  PlanetPosition1_->SetExtraSettings(OptionsEntries());
  PlanetPosition1_->OnChange = nullptr;
  PlanetPosition1_.reset();
}

QString TForm1::IniDir() const {
  return Paths_.IniDir.isEmpty() ? Paths_.ProgramDir : Paths_.IniDir;
}

QString TForm1::IniPath() const {
  return IniDir() + "/quellantree.ini";
}

QString TForm1::SlashedIniPath() const {
  return IniDir() + "//quellantree.ini";
}

void TForm1::FormCreate() {
  // Saves never replace what the program reads; the data files the configuration file names are
  // looked up at each save.
  savefolders::SetContext(IniPath(),
                          {QString::fromStdString(Paths_.EphemerisFile), Paths_.ArchiveFile,
                           Paths_.ProgramDir + "/font.fnt", Paths_.ProgramDir + "/dignities.txt"});
  Efemeris_ = std::make_unique<astro::TEfemerisClass>(Paths_.EphemerisFile);
  if (!QFileInfo::exists(QString::fromStdString(Paths_.EphemerisFile))) {
    // Reported as the other missing files are; the window goes on without a chart.
    Prompts().Information("Отсутствует файл эфемерид " +
                          QString::fromStdString(Paths_.EphemerisFile) + ".");
  }
  PositionFrame1_->ReadOptions(IniPath().toStdString());
  Houses_->SetSystem(
      astro::ParseHouseSystem(
          config::TIniFile(IniPath().toStdString()).ReadString("Options", "HouseSystem", "P"))
          .value_or(astro::kDefaultHouseSystem));
  {
    const QSignalBlocker blocker(HousesOnWheel_);
    HousesOnWheel_->setChecked(
        config::TIniFile(IniPath().toStdString()).ReadBool("Options", "CosmogramHouses", false));
  }
  PositionFrame1_->LoadCityBase(IniPath().toStdString());
  PositionFrame1_->SelectHomePlace(IniPath().toStdString()); // so "now" is the home's local time
  PositionFrame1_->SetDateRange(Efemeris_->FirstDate(), Efemeris_->LastDate());
  FontLoaded = LoadSymbolFont(Paths_.ProgramDir + "//font.fnt");
  PlanetPosition1_->SetIniFileName(SlashedIniPath().toStdString());
  FillAspectGrid();
  InitTree();
  ReadSecondChoice();
  CreateTree();
  Timer1_->stop();
  Prefetch_.reset();
  ReleaseFreedMemory();
}

void TForm1::InitTree() {
  TreeFrame_ = CreateTreeFrame(this, Client, IniPath());
  TaroFrame_ = CreateTaroFrame(this, Client, IniPath());
  TaroFrame_->hide();
  KosmoFrame_ = CreateKosmoFrame(this, Client, IniPath());
  KosmoFrame_->HousesShown = HousesOnWheel_->isChecked();
  KosmoFrame_->hide();
}

void TForm1::CreateTree() {
  ++RecomputeCount_;
  if (!Efemeris_) {
    return;
  }
  if (Efemeris_->HasData())
    PlanetPosition1_->SetChart(CurrentChart());
}

void TForm1::PlanetPosition1Change() {
  RefreshPlanetTable();
  ShowHouses();
  RefreshSecond();
  PushChartIntoViews(TreeFrame_, TaroFrame_, KosmoFrame_, PlanetPosition1_->LongitudeArray(),
                     PlanetPosition1_->Aspects(), PositionFrame1_->DateTime);
}

void PushChartIntoViews(TImageFrame* Tree, TTaroFrame* Taro, TKosmoFrame* Kosmo,
                        const astro::TLongitudes& Longitudes, const astro::TAspectList& Aspects,
                        astro::TDateTime Moment) {
  if (Tree) {
    Tree->ShowPlanets(Longitudes);
    Tree->ShowAspects(Aspects);
    Tree->ShowMoment(Moment);
  }
  if (Taro) {
    Taro->SetLongitudes(Longitudes);
    Taro->SetAspects(Aspects);
    Taro->SetMoment(Moment);
  }
  if (Kosmo) {
    Kosmo->ShowChart(Longitudes, Aspects, Moment);
  }
}

void TForm1::PositionFrame1DateTimeChange() {
  CreateTree();
}

void TForm1::PositionFrame1TimeZoneChange() {
  CreateTree();
}

// The chart is not recomputed: only what depends on the place follows it, the cosmogram and
// (once the first chart exists: the city base is read before the moment is set) the Sun and
// Moon panels.
void TForm1::PositionFrame1PositionChange() {
  if (RecomputeCount_ > 0) {
    RefreshSunMoon();
    RefreshHouses(); // before the cosmogram's redraw, which may show the houses
  }
  if (KosmoFrame_) {
    KosmoFrame_->SetPlace(PositionFrame1_->LongitudeDegrees(), PositionFrame1_->LatitudeDegrees());
  }
}

std::vector<config::TIniEntry> TForm1::OptionsEntries() const {
  return {PositionFrame1_->OptionsEntry(),
          {"Options", "HouseSystem", std::string(1, Houses_->System())},
          {"Options", "CosmogramHouses", config::FormatIniBool(HousesOnWheel_->isChecked())},
          {"SecondChart", "Mode",
           SecondPanel_->Kind() == astro::TSecondKind::None
               ? std::string("none")
               : std::string(astro::SecondKindKey(SecondPanel_->Kind()))},
          {"SecondChart", "Chart", SecondPanel_->ChartName().toStdString()}};
}

astro::TChart TForm1::CurrentChart() const {
  const astro::TChartMoment moment =
      ChartMomentOf(PositionFrame1_->ZoneOffset, PositionFrame1_->DateTime,
                    PositionFrame1_->UniversalTime(), PositionFrame1_->CityZoneName());
  std::optional<astro::TChartPlace> place;
  if (PositionFrame1_->HasPlace()) {
    place =
        astro::TChartPlace{PositionFrame1_->LatitudeDegrees(), PositionFrame1_->LongitudeDegrees(),
                           PositionFrame1_->CityZoneName().toStdString()};
  }
  return astro::ComputeChart(*Efemeris_, PlanetPosition1_->AspectSearch(), moment, place,
                             Houses_->System(), AsteroidFolder_);
}

void TForm1::RefreshHouses() {
  if (!Efemeris_ || !Efemeris_->HasData() || !PlanetPosition1_->PositionsValid()) {
    return; // no chart yet: the first one comes with its houses
  }
  astro::TChart chart = CurrentChart();
  if (chart.Longitudes != PlanetPosition1_->LongitudeArray()) {
    PlanetPosition1_->SetChart(std::move(chart)); // a new moment: every view follows
    return;
  }
  PlanetPosition1_->SetChartWithoutEvent(std::move(chart));
  ShowHouses();
}

void TForm1::ShowHouses() {
  const astro::TChart& chart = PlanetPosition1_->Chart();
  Houses_->Show(chart);
  if (KosmoFrame_)
    KosmoFrame_->SetHouses(chart.Houses, chart.Points);
  if (DignityForm_ && !DignityForm_->isHidden()) { // open, even while the window is minimised
    DignityForm_->ShowChart(chart);
  }
}

void TForm1::FillAspectGrid() {
  for (int i = 1; i <= astro::kAspectCount; ++i) {
    Asp[i]->setChecked(PlanetPosition1_->GetAspectEnabled(i));
    Asp[i]->setToolTip(ToQString(PlanetPosition1_->GetAspectName(i)));
    const double orb = PlanetPosition1_->GetOrb(i);
    OrbShownClamped[i] = orb > kLargestShownOrb;
    Orb[i]->setText(OrbShownClamped[i] ? astro::FormatFixed(2, 0, kLargestShownOrb).c_str()
                                       : ToQString(PlanetPosition1_->GetOrbText(i)));
    ShowGlyph(Image[i], 63 + i);
  }
}

void TForm1::ShowGlyph(QLabel* image, int code) {
  // Colour 1 marks the see-through background of the cell.
  QImage cell(15, 15, QImage::Format_RGB32);
  cell.fill(Qt::white);
  ClearSymbolCell(&cell, 0, 0, QColor(1, 0, 0));
  DrawSymbol(&cell, 0, 0, QColor(0, 0, 0), code);
  QImage shown = cell.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < shown.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb c = line[x] & 0xFFFFFF;
      if (c == 0x010000 || c == 0xFFFFFF) {
        line[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  image->setPixmap(QPixmap::fromImage(shown));
}

void TForm1::RefreshPlanetTable() {
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    PlanetPos[b]->setText(ToQString(astro::FormatDegMin(PlanetPosition1_->GetDegreeInSign(b))));
    ShowGlyph(PlanetImage[b], 47 + PlanetPosition1_->GetSign(b));
    PlanetImage[b]->setToolTip(ToQString(PlanetPosition1_->GetBodySignName(b)));
  }
  const int omitted = PlanetPosition1_->AspectsOmitted();
  AspectsOmitted->setText(QString("Показаны %1 самых точных аспектов, не показано: %2")
                              .arg(astro::kMaxAspects)
                              .arg(omitted));
  AspectsOmitted->setVisible(omitted > 0);
  RefreshSunMoon();
}

double TForm1::ChartOffsetMinutes() const {
  return PositionFrame1_->ZoneOffset.Seconds / 60.0;
}

void TForm1::RefreshSunMoon() {
  if (!PositionFrame1_->HasPlace()) {
    SunMoon->Clear();
    return;
  }
  SunMoon->Show(PositionFrame1_->DateTime, ChartOffsetMinutes(),
                {PositionFrame1_->LatitudeDegrees(), PositionFrame1_->LongitudeDegrees()});
}

void TForm1::AspClick(QCheckBox* sender) {
  const int index = sender->objectName().mid(3).toInt();
  PlanetPosition1_->SetAspectEnabled(index, sender->isChecked());
}

void TForm1::OrbExit(QLineEdit* sender) {
  const int index = sender->objectName().mid(3).toInt();
  const QString text = sender->text();
  // An orb too wide for the mask is shown as 9.99; it stays as stored until the user edits it.
  const bool untouchedClamp =
      OrbShownClamped[index] && text == astro::FormatFixed(2, 0, kLargestShownOrb).c_str();
  if (!untouchedClamp) {
    OrbShownClamped[index] = false;
    PlanetPosition1_->SetOrbText(index, text.toStdString());
  }
  CreateTree();
}

int TForm1::StepIndex() const {
  return std::clamp(ComboBox1->currentIndex(), 0, int(kStepMs.size()) - 1);
}

std::array<TViewFrame*, 3> TForm1::Views() const {
  return {TreeFrame_, TaroFrame_, KosmoFrame_};
}

void TForm1::SetHintsEnabled(bool enabled) {
  for (TViewFrame* view : Views()) {
    if (view) {
      view->HintsEnabled = enabled;
    }
  }
}

void TForm1::HideHints() {
  for (TViewFrame* view : Views()) {
    if (view) {
      view->HideHint();
    }
  }
}

void TForm1::CheckBox1Click() {
  if (CheckBox1->isChecked()) {
    HideHints();
    SetHintsEnabled(false);
    AnimationStartLocal = PositionFrame1_->DateTime;
    RestartAnimationCount();
    ReturnToStart_->setEnabled(true);
    Timer1_->start();
  } else {
    Timer1_->stop();
    SetHintsEnabled(true);
  }
}

void TForm1::RestartAnimationCount() {
  Animation.Shown = PositionFrame1_->UniversalTime();
  Animation.StartMs = std::llround(Animation.Shown * kMsPerDay);
  Animation.StepMs = kStepMs[StepIndex()];
  Animation.Ticks = 0;
}

void TForm1::Timer1Timer() {
  // With a second chart that has a moment, the transits run over the birth chart.
  if (AnimateSecond()) {
    return;
  }
  // A moment edited or a step chosen meanwhile: count on from there.
  const bool edited = std::llround(PositionFrame1_->UniversalTime() * kMsPerDay) !=
                      std::llround(Animation.Shown * kMsPerDay);
  if (edited || Animation.StepMs != kStepMs[StepIndex()]) {
    RestartAnimationCount();
  }
  const long long next = Animation.StartMs + (Animation.Ticks + 1) * Animation.StepMs;
  if (PositionFrame1_->SetUniversalTime(next / kMsPerDay)) {
    ++Animation.Ticks;
    Animation.Shown = PositionFrame1_->UniversalTime();
  } else {
    Timer1_->stop();
    CheckBox1->setChecked(false); // runs CheckBox1Click, which re-enables the hints
  }
}

void TForm1::ReturnToAnimationStartClick() {
  if (CheckBox1->isChecked()) {
    CheckBox1->setChecked(false);
  }
  if (AnimationStartLocal) {
    PositionFrame1_->SetDateTime(*AnimationStartLocal);
  }
}

TViewFrame* TForm1::VisibleView() const {
  for (TViewFrame* view : Views()) {
    if (view && !view->isHidden()) {
      return view;
    }
  }
  return nullptr;
}

void TForm1::ShowView(TViewFrame* chosen) {
  if (chosen && chosen->isHidden()) {
    chosen->show();
    for (TViewFrame* view : Views()) {
      if (view && view != chosen) {
        view->hide();
      }
    }
  }
  CreateTree();
}

void TForm1::TreeClick() {
  ShowView(TreeFrame_);
}

void TForm1::NatalClick() {
  ShowView(KosmoFrame_);
}

void TForm1::TaroClick() {
  ShowView(TaroFrame_);
}

void TForm1::OpenChartClick() {
  if (archive::OpenChartCommand(*PositionFrame1_, Paths_.ArchiveFile, this, &OpenChart_)) {
    ShowChartCaption();
  }
}

void TForm1::SaveChartClick() {
  if (archive::SaveChartCommand(*PositionFrame1_, Paths_.ArchiveFile, this, &OpenChart_)) {
    ShowChartCaption();
  }
}

void TForm1::ShowChartCaption() {
  setWindowTitle(OpenChart_.Name.isEmpty() ? kCaption : OpenChart_.Name + " — " + kCaption);
}

void TForm1::ImportChartsClick() {
  archive::ImportChartsCommand(Paths_.ArchiveFile, PositionFrame1_->Cities(), this);
}

void TForm1::ExportChartsClick() {
  archive::ExportChartsCommand(Paths_.ArchiveFile, PositionFrame1_->Cities(), this);
}

void TForm1::SaveAsImageClick() {
  if (TViewFrame* view = VisibleView()) {
    SaveImage(*view);
  }
}

// The cosmogram has no text report: the two report commands pass it by.
void TForm1::SaveAsTextClick() {
  TViewFrame* view = VisibleView();
  if (view && view != KosmoFrame_) {
    SaveReport(*view);
  }
}

void TForm1::PrintAsImageClick() {
  if (TViewFrame* view = VisibleView()) {
    PrintImage(*view);
  }
}

void TForm1::PrintAsTextClick() {
  TViewFrame* view = VisibleView();
  if (view && view != KosmoFrame_) {
    PrintReport(*view);
  }
}

void TForm1::ExitItemClick() {
  close();
}

void TForm1::N3Click() {
  PageControl1_->setCurrentWidget(PageControl1_->widget(1));
}

void TForm1::TransitsClick() {
  TTransitNatal natal;
  natal.Universal = PositionFrame1_->UniversalTime();
  natal.PlaceKnown = PositionFrame1_->HasPlace();
  natal.LatitudeDeg = PositionFrame1_->LatitudeDegrees();
  natal.LongitudeDeg = PositionFrame1_->LongitudeDegrees();
  for (int a = 1; a <= astro::kAspectCount; ++a) {
    natal.AspectOn[a] = PlanetPosition1_->GetAspectEnabled(a);
    natal.Orbs[a] = PlanetPosition1_->GetOrb(a);
  }
  // Local times in the chart's zone: by date when zones by date are on, else its whole hours.
  const int wholeSeconds = WholeHoursOffset(PositionFrame1_->CityTimeZone).Seconds;
  const bool historic = PositionFrame1_->HistoricZones();
  const QByteArray zone = PositionFrame1_->CityZoneName().toLatin1();
  const double longitude = natal.LongitudeDeg;
  natal.OffsetAtUniversal = [=](astro::TDateTime ut) {
    const auto at = [&](astro::TDateTime local) {
      const auto offset = historic ? HistoricOffset(zone, longitude, local) : std::nullopt;
      return offset ? offset->Seconds : wholeSeconds;
    };
    return at(ut + at(ut + wholeSeconds / 86400.0) / 86400.0);
  };
  const auto offsetAt = natal.OffsetAtUniversal;
  delete TransitsForm_;
  TransitsForm_ = new TTransitsForm(std::move(natal), astro::Now().Local, this);
  TransitsForm_->OnOpenMoment = [this, offsetAt](astro::TDateTime ut) {
    const astro::TDateTime local = ut + offsetAt(ut) / 86400.0;
    if (!PositionFrame1_->IsInRange(local)) {
      Prompts().Information("Момент вне диапазона эфемерид.");
      return;
    }
    if (SecondPanel_->Kind() != astro::TSecondKind::None) { // the moment as the transits shown
      SecondPanel_->SetKind(astro::TSecondKind::Transit);
      SecondPanel_->SetMoment(local);
      CreateTree();
      return;
    }
    PositionFrame1_->SetDateTime(local);
  };
  TransitsForm_->show();
}

void TForm1::HousesOnWheelClick(bool Checked) {
  ShowSecondOnWheel();
  if (KosmoFrame_)
    KosmoFrame_->SetHousesShown(Checked);
}

void TForm1::HomePlaceClick() {
  try {
    if (!PositionFrame1_->WriteHomePlace(IniPath().toStdString())) {
      Prompts().Information("Выберите государство и город из списков: домашним может быть "
                            "только место атласа.");
      return;
    }
  } catch (const config::EIniWriteError& error) {
    Prompts().Error(QString::fromStdString(error.what()));
    return;
  }
  Prompts().Information("Домашнее место: " + PositionFrame1_->CountryText() + ", " +
                        PositionFrame1_->CityText() + ". С него начнётся следующий запуск.");
}

void TForm1::N4Click() {
  if (!DignityForm_) {
    const QString path = Paths_.ProgramDir + "/dignities.txt";
    if (!QFileInfo::exists(path)) {
      Prompts().Information("Отсутствует файл таблицы бальности " + path + ".");
      return;
    }
    try {
      DignityForm_ = new TDignityForm(astro::ReadDignityTable(path.toStdString()), this);
    } catch (const astro::EDignityTableError& error) {
      Prompts().Error(ToQString(error.what()));
      return;
    }
    DignityForm_->ShowChart(PlanetPosition1_->Chart());
    DignityForm_->adjustSize(); // its own size, so that it is placed whole on the screen
    PlaceWindow(*DignityForm_, QPoint(frameGeometry().right() + 8, y()), IniPath(), "DignityForm");
  }
  DignityForm_->ShowChart(PlanetPosition1_->Chart());
  DignityForm_->show();
  DignityForm_->raise();
}

void TForm1::HelpAboutClick() {
  TAboutBox box(this);
  AboutBox = &box;
  Prompts().Execute(box);
  AboutBox = nullptr;
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (key != Qt::Key_F12 || !(modifiers & Qt::ShiftModifier) || !(modifiers & Qt::AltModifier)) {
    return;
  }
  TEfemeridExtract dialog(this);
  dialog.SetRange(Efemeris_ ? Efemeris_->FirstDate() : 0.0,
                  Efemeris_ ? Efemeris_->LastDate() : 0.0);
  if (Prompts().Execute(dialog) && Efemeris_) {
    const auto name = Efemeris_->ExportRange(dialog.GetFromDate(), dialog.GetToDate());
    if (name) {
      const QString shown = ToQString(*name);
      Prompts().Information("Сгенерирован файл эфемерид " + shown.left(shown.size() - 4) +
                            ".eft в текущем каталоге программы.");
    }
  }
}

void TForm1::FormMouseMove() {
  for (TViewFrame* view :
       {static_cast<TViewFrame*>(TaroFrame_), static_cast<TViewFrame*>(TreeFrame_),
        static_cast<TViewFrame*>(KosmoFrame_)}) {
    if (view) {
      view->HideHint();
    }
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // Installed on the application: the window previews keys and sees its orb edits and its
  // own surface.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) {
    return QMainWindow::eventFilter(watched, event);
  }
  switch (event->type()) {
  case QEvent::KeyPress: {
    // An unhandled key travels up the parents as the same event; look at each press once.
    const auto* key = static_cast<QKeyEvent*>(event);
    const TSeenKey seen{event, key->key(), int(key->modifiers())};
    if (!(seen == LastKey)) {
      LastKey = seen;
      FormKeyDown(key->key(), key->modifiers());
    }
    break;
  }
  case QEvent::KeyRelease:
    LastKey = {};
    break;
  case QEvent::FocusOut: {
    // Focus leaving for another window or a menu is not leaving the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        reason != Qt::MenuBarFocusReason) {
      ApplyOrbEdit(widget);
    }
    break;
  }
  case QEvent::MouseMove:
    if (watched == Client) {
      FormMouseMove();
    }
    break;
  default:
    break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::ApplyOrbEdit(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget);
      edit && edit->objectName().startsWith("Orb") && PlanetPosition1_) {
    OrbExit(edit);
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the window leaves the field being edited.
  ApplyOrbEdit(focusWidget());
  QMainWindow::closeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceTabs();
}
