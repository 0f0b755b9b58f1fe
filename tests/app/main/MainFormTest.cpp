// SPDX-License-Identifier: GPL-3.0-or-later
// The main window offscreen, over a temporary program folder: start-up order and its effects,
// the refresh chain, the settings grid, the animation, the export key and the shutdown write.
#include "MainForm.h"
#include "Application.h"
#include "ChartSheet.h"
#include "Cp1251.h"
#include "DateTime.h"
#include "DignityForm.h"
#include "EfemeridExtract.h"
#include "FileText.h"
#include "Formatting.h"
#include "HousesPanel.h"
#include "IniFile.h"
#include "KosmoImage.h"
#include "MainMenuXP.h"
#include "PositionFrame.h"
#include "ScriptedPrompts.h"
#include "SecondChartPanel.h"
#include "SunMoonPanels.h"
#include "TaroImage.h"
#include "TreeImage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kEphemeris = QString(ASTRAVIA_RUN_DIR) + "/base/efemerid.efm";
const QString kFont = QString(ASTRAVIA_RUN_DIR) + "/font.fnt";
// The pinned "now": 7 December 2026, 12:00 in Берлин (the first city, UTC+1), 11:00 UT.
const double kNow = astro::EncodeDate(2026, 12, 7) + 0.5;
const double kNowUniversal = kNow - 1.0 / 24;

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Cp1251(const char* utf8) {
  return QByteArray::fromStdString(astro::Utf8ToCp1251(utf8));
}

struct FormFixture : ::testing::Test {
  QTemporaryDir dir;
  TScriptedPrompts prompts;
  std::unique_ptr<TForm1> form;
  QString previousDir = QDir::currentPath();

  void SetUp() override {
    ASSERT_TRUE(QFile::exists(kEphemeris)) << "build the ephemeris first";
    // The machine's own zone (UTC+7 here) has no say in the starting moment.
    astro::SetClock([] { return astro::TClockReading{kNowUniversal + 7.0 / 24, kNowUniversal}; });
    QFile::copy(kFont, dir.filePath("font.fnt"));
    WriteFile(dir.filePath("cities.txt"),
              Cp1251("Новосибирск;Россия;Новосибирская обл.;55°02’;82°56’;7\r\n"
                     "Берлин;Германия;;52°31’;13°24’;1\r\n"
                     "Абакан;Россия;;53°43’;91°25’;7\r\n"));
    WriteIni("Tri=60\nSqu=7\n", "Sep=0\n");
    QDir::setCurrent(dir.path()); // extracts go to the working directory
  }
  void TearDown() override {
    form.reset();
    QDir::setCurrent(previousDir);
    astro::SetClock({});
  }
  void WriteIni(const QByteArray& orbs, const QByteArray& switches) {
    WriteFile(dir.filePath("quellantree.ini"),
              "[PositionFrame]\nCityBase=cities.txt\n[TreeSection]\nTreeImage=tree.jpg\n"
              "AspectText=aspects.dat\n[TaroSection]\nTaroText=taro.dat\n[IncludeOrbs]\n" +
                  orbs + "[IncludeAspects]\n" + switches);
  }
  TFormPaths Paths() const { return TFormPaths{dir.path(), kEphemeris.toStdString()}; }
  void Start() { form = std::make_unique<TForm1>(Paths()); }
  template <class T> T* Child(const QString& name) { return form->findChild<T*>(name); }
  bool HasAspect(int aspect) const {
    const astro::TAspectList& list = form->PlanetPosition1()->Aspects();
    for (int k = 0; k < list.Count; ++k) {
      if (list.Items[k].Aspect == aspect) {
        return true;
      }
    }
    return false;
  }
};

TEST_F(FormFixture, StartUpShowsTodaysChartAtTheFirstCity) {
  Start();
  EXPECT_EQ(form->windowTitle(), "Astravia v 0.1");
  EXPECT_EQ(form->PageControl1()->currentWidget()->objectName(), "TabSheet2");
  // Every tab's caption is read whole: the tabs fit the bar at full size.
  form->show();
  const QTabBar* tabs = form->PageControl1()->tabBar();
  for (int i = 0; i < tabs->count(); ++i)
    EXPECT_GT(tabs->tabRect(i).width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
  EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width());
  EXPECT_FALSE(form->Timer1()->isActive());
  // The alphabetically first country and its first city.
  EXPECT_EQ(form->PositionFrame1()->LatitudeDeg, 52);
  EXPECT_EQ(form->PositionFrame1()->LongitudeMin, 24);
  EXPECT_EQ(form->PositionFrame1()->CityTimeZone, 1);
  EXPECT_NEAR(form->PositionFrame1()->DateTime, kNow, 1e-9);
  // The chart is the one of now, in UT of the city's zone.
  astro::TEfemerisClass store(kEphemeris.toStdString());
  astro::TPlanetPosition expected;
  store.ComputePositions(expected, astro::ToUniversalTime(1, form->PositionFrame1()->DateTime));
  for (int b = 1; b <= 10; ++b) {
    EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetLongitude(b), expected.GetLongitude(b));
    EXPECT_EQ(Child<QLabel>(QString("PlanetPos%1").arg(b))->text().toStdString(),
              astro::FormatDegMin(expected.GetDegreeInSign(b)));
    EXPECT_EQ(Child<QLabel>(QString("PlanetImage%1").arg(b))->toolTip().toStdString(),
              expected.GetBodySignName(b));
    EXPECT_FALSE(Child<QLabel>(QString("PlanetImage%1").arg(b))->pixmap().isNull());
  }
  // The grid holds the configured switches and orbs.
  EXPECT_FALSE(Child<QCheckBox>("Asp6")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>("Asp10")->isChecked());
  EXPECT_EQ(Child<QCheckBox>("Asp10")->text(), "Squ");
  EXPECT_EQ(Child<QCheckBox>("Asp10")->toolTip(), "Квадратура");
  EXPECT_EQ(Child<QLineEdit>("Orb10")->text(), "7.00");
  EXPECT_EQ(Child<QLineEdit>("Orb1")->text(), "0.00");
  ASSERT_NE(form->TreeFrame(), nullptr);
  EXPECT_FALSE(form->TreeFrame()->isHidden());
  EXPECT_EQ(form->TreeFrame()->Aspects.Count, form->PlanetPosition1()->Aspects().Count);
}

TEST_F(FormFixture, DateEditRunsTheChainTwice) {
  Start();
  const int before = form->RecomputeCount();
  Child<QDateEdit>("Date")->setDate(QDate(2026, 12, 10));
  EXPECT_EQ(form->RecomputeCount() - before, 2);
  EXPECT_DOUBLE_EQ(form->PositionFrame1()->DateTime, astro::EncodeDate(2026, 12, 10) + 0.5);
}

TEST_F(FormFixture, UncheckingTrineRemovesTrinesAndIsWrittenAtExit) {
  Start();
  ASSERT_TRUE(HasAspect(12)); // a 60 degree orb finds trines in any chart
  Child<QCheckBox>("Asp12")->setChecked(false);
  EXPECT_FALSE(HasAspect(12));
  EXPECT_EQ(form->TreeFrame()->Aspects.Count, form->PlanetPosition1()->Aspects().Count);
  EXPECT_EQ(Child<QLineEdit>("Orb12")->text(), "9.99"); // orbs untouched
  form.reset();
  config::TIniFile ini(dir.filePath("quellantree.ini").toStdString());
  EXPECT_EQ(ini.ReadString("IncludeAspects", "Tri", "?"), "0");
  EXPECT_EQ(ini.ReadString("IncludeAspects", "Sep", "?"), "0");
  EXPECT_EQ(ini.ReadString("IncludeOrbs", "Tri", "?"), "60"); // the wide orb survives
}

TEST_F(FormFixture, ZonesByDateReachTheChartAndTheOptionIsWrittenAtExit) {
  WriteFile(dir.filePath("cities.txt"), Cp1251("Колката;Индия;;22°34’;88°22’;Asia/Kolkata;6\r\n"));
  QFile ini(dir.filePath("quellantree.ini"));
  ASSERT_TRUE(ini.open(QIODevice::Append));
  ini.write("[Options]\nHistoricZones=1\n");
  ini.close();
  Start();
  ASSERT_TRUE(form->PositionFrame1()->HistoricZones());
  const int before = form->RecomputeCount();
  Child<QDateEdit>("Date")->setDate(QDate(1995, 7, 1)); // +5:30
  EXPECT_EQ(form->RecomputeCount() - before, 2);
  astro::TPlanetPosition expected;
  // Started at now, 11:00 UT, as Kolkata's 16:30: on 1 July 1995, 16:30 - 5:30 is 11:00 UT.
  form->Efemeris()->ComputePositions(expected, astro::EncodeDate(1995, 7, 1) + 11.0 / 24);
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetLongitude(2), expected.GetLongitude(2)); // Moon

  Child<QCheckBox>("HistoricZones")->click(); // back to the city's +6: the chart follows
  EXPECT_EQ(form->RecomputeCount() - before, 3);
  form->Efemeris()->ComputePositions(expected, astro::EncodeDate(1995, 7, 1) + 10.5 / 24);
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetLongitude(2), expected.GetLongitude(2));
  form.reset();
  EXPECT_EQ(config::TIniFile(dir.filePath("quellantree.ini").toStdString())
                .ReadString("Options", "HistoricZones", "?"),
            "0");
}

TEST_F(FormFixture, LeavingAnOrbRecomputesOnceAndWideOrbsStayUntilEdited) {
  Start();
  auto leave = [this](const QString& name) {
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(Child<QLineEdit>(name), &out);
  };
  int before = form->RecomputeCount();
  leave("Orb3");
  EXPECT_EQ(form->RecomputeCount() - before, 1);
  // Orb 60 is shown as 9.99; leaving the edit untouched keeps 60.
  leave("Orb12");
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(12), 60.0);
  Child<QLineEdit>("Orb12")->setText("2.50");
  leave("Orb12");
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(12), 2.5);
  Child<QLineEdit>("Orb7")->setText("9.99");
  leave("Orb7");
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(7), 9.99);
}

TEST_F(FormFixture, PlanetTabSaysHowManyAspectsBeyondFortyFiveWereLeftOut) {
  Start();
  auto* note = Child<QLabel>("AspectsOmitted");
  for (int a = 1; a <= 18; ++a)
    form->PlanetPosition1()->SetOrbText(a, "9.99");
  const int omitted = form->PlanetPosition1()->AspectsOmitted();
  ASSERT_GT(omitted, 0);
  EXPECT_FALSE(note->isHidden());
  EXPECT_TRUE(note->text().endsWith(QString(": %1").arg(omitted))) << note->text().toStdString();
  for (int a = 1; a <= 18; ++a)
    form->PlanetPosition1()->SetOrbText(a, "0.00");
  EXPECT_TRUE(note->isHidden());
}

TEST_F(FormFixture, OrbAppliesOnlyWhenFocusMovesToAnotherControlOrTheWindowCloses) {
  Start();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QLineEdit* orb = Child<QLineEdit>("Orb10");
  orb->setFocus(Qt::MouseFocusReason);
  orb->setText("3.00");
  const int before = form->RecomputeCount();
  // Another program's window takes the focus and gives it back; a menu opens and closes.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QMenu* menu = form->MainMenuXP1()->actions().first()->menu();
  menu->popup(form->mapToGlobal(QPoint(10, 10)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  menu->close();
  EXPECT_TRUE(orb->hasFocus());
  EXPECT_EQ(form->RecomputeCount(), before);
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(10), 7.0);
  // Tabbing on to the next control applies it, once.
  QTest::keyClick(orb, Qt::Key_Tab);
  EXPECT_FALSE(orb->hasFocus());
  EXPECT_EQ(form->RecomputeCount() - before, 1);
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(10), 3.0);
  // Closing the window applies the orb being typed.
  QLineEdit* next = Child<QLineEdit>("Orb11");
  next->setFocus(Qt::MouseFocusReason);
  next->setText("4.00");
  form->close();
  EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetOrb(11), 4.0);
}

TEST(Application, GivesWindowCaptionsNoSuffix) {
  // A display name of the application's own would be appended to every caption by the
  // platform; without one the display name follows the plain application name.
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName("probe");
  EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "probe");
  QCoreApplication::setApplicationName(name);
  EXPECT_EQ(name.toStdString(), "Astravia");
}

TEST_F(FormFixture, OnlyShiftAltF12OpensTheExport) {
  Start();
  prompts.OnExecute = [](QDialog&) { return false; };
  QTest::keyClick(form.get(), Qt::Key_F12);
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier);
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::AltModifier);
  EXPECT_TRUE(prompts.ExecutedDialogs.isEmpty());
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(prompts.ExecutedDialogs, QStringList{"EfemeridExtract"});
  // Other modifiers are not examined.
  QTest::keyClick(form.get(), Qt::Key_F12,
                  Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
  EXPECT_EQ(prompts.ExecutedDialogs.size(), 2);
  EXPECT_TRUE(QDir(dir.path()).entryList({"*.eft"}).isEmpty()); // cancelled: nothing written
}

TEST_F(FormFixture, ExportWritesExactCopiesOfTheSourceRecords) {
  Start();
  const QByteArray source = ReadFile(kEphemeris);
  const astro::TEfemerisClass& store = *form->Efemeris();
  QDate from, to;
  prompts.OnExecute = [&](QDialog& dialog) {
    auto& extract = static_cast<TEfemeridExtract&>(dialog);
    if (from.isValid()) {
      extract.DateTimePicker1->setDate(from);
      extract.DateTimePicker2->setDate(to);
    }
    return true;
  };
  // The pickers as offered: the whole file.
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier);
  const QString whole = QString::fromStdString(
      astro::TEfemerisClass::ExtractFileName(store.FirstDate(), store.LastDate()));
  EXPECT_EQ(ReadFile(dir.filePath(whole)), source.left(source.size() / 23 * 23));
  const QStringList done = prompts.Informations.filter("Сгенерирован");
  ASSERT_EQ(done.size(), 1);
  EXPECT_EQ(done[0], "Сгенерирован файл эфемерид " + whole.chopped(4) +
                         ".eft в текущем каталоге программы.");
  // One month, whichever day the pickers hold: its 31 records and the next one.
  from = to = QDate(2005, 7, 15);
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier);
  const QByteArray month = ReadFile(dir.filePath("01.07.2005-31.07.2005.eft"));
  const qint64 index = QDate(1800, 1, 1).daysTo(QDate(2005, 7, 1));
  EXPECT_EQ(month, source.mid(index * 23, 32 * 23));
}

TEST_F(FormFixture, ExportThatCannotCreateItsFileReportsTheErrorOnly) {
  Start();
  prompts.OnExecute = [](QDialog& dialog) {
    auto& extract = static_cast<TEfemeridExtract&>(dialog);
    extract.DateTimePicker1->setDate(QDate(2005, 1, 1));
    extract.DateTimePicker2->setDate(QDate(2005, 12, 31));
    return true;
  };
  QDir(dir.path()).mkdir("01.01.2005-31.12.2005.eft"); // a folder holds the name
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier);
  ASSERT_EQ(prompts.Errors.size(), 1);
  EXPECT_TRUE(prompts.Errors[0].startsWith("Cannot create file"))
      << prompts.Errors[0].toStdString();
  EXPECT_TRUE(prompts.Informations.filter("Сгенерирован").isEmpty());
}

TEST_F(FormFixture, AnimationStopsBeforeTheRangeEnd) {
  Start();
  TPositionFrame& frame = *form->PositionFrame1();
  const double lastDay = std::floor(frame.MaxDate);
  frame.SetDateTime(lastDay - 1 + 0.25);
  ASSERT_DOUBLE_EQ(frame.DateTime, lastDay - 1 + 0.25);
  Child<QComboBox>("ComboBox1")->setCurrentIndex(2);
  Child<QCheckBox>("CheckBox1")->setChecked(true);
  EXPECT_TRUE(form->Timer1()->isActive());
  EXPECT_FALSE(form->TreeFrame()->HintsEnabled);
  form->Timer1Timer();
  EXPECT_FALSE(Child<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_FALSE(form->Timer1()->isActive());
  EXPECT_TRUE(form->TreeFrame()->HintsEnabled);
  EXPECT_DOUBLE_EQ(frame.DateTime, lastDay - 1 + 0.25);
}

TEST_F(FormFixture, AnimationStepsWholeStepsFromItsStartAndReturnsThere) {
  Start();
  TPositionFrame& frame = *form->PositionFrame1();
  const double start = astro::EncodeDate(2005, 1, 5) + 0.5;
  frame.SetDateTime(start);
  EXPECT_FALSE(Child<QComboBox>("ComboBox1")->isEditable()); // only the steps that exist
  EXPECT_FALSE(form->ReturnToAnimationStart()->isEnabled());
  Child<QCheckBox>("CheckBox1")->setChecked(true);
  const int before = form->RecomputeCount();
  form->Timer1Timer(); // one minute
  EXPECT_EQ(astro::TimeToText(frame.DateTime), "12:01:00");
  EXPECT_EQ(form->RecomputeCount() - before, 1);
  Child<QComboBox>("ComboBox1")->setCurrentIndex(1);
  for (int i = 0; i < 3000; ++i)
    form->Timer1Timer();
  // 3000 hours later, still on the minute (a sum of 1/24 days reads 12:00:59.999 by then).
  EXPECT_EQ(astro::DateToText(frame.DateTime) + " " + astro::TimeToText(frame.DateTime),
            "10.05.2005 12:01:00");
  EXPECT_EQ(astro::DecodeTime(frame.DateTime).Millisecond, 0);
  form->ReturnToAnimationStart()->trigger(); // also stops the animation
  EXPECT_FALSE(Child<QCheckBox>("CheckBox1")->isChecked());
  EXPECT_DOUBLE_EQ(frame.DateTime, start);
}

TEST_F(FormFixture, AnimationStepsUniversalTimeThroughSummerTimeChanges) {
  WriteFile(dir.filePath("cities.txt"),
            Cp1251("Берлин;Германия;;52°31’;13°24’;Europe/Berlin;1\r\n"));
  Start();
  TPositionFrame& frame = *form->PositionFrame1();
  frame.SetHistoricZones(true);
  Child<QComboBox>("ComboBox1")->setCurrentIndex(1);
  const auto walk = [&](double from, int steps) {
    frame.SetDateTime(from);
    const double ut0 = frame.UniversalTime();
    Child<QCheckBox>("CheckBox1")->setChecked(true);
    QStringList shown;
    for (int i = 0; i < steps; ++i) {
      form->Timer1Timer();
      EXPECT_NEAR(frame.UniversalTime() - ut0, (i + 1) / 24.0, 1e-8);
      shown << QString::fromStdString(astro::TimeToText(frame.DateTime)) + " " +
                   OffsetText(frame.ZoneOffset.Seconds);
    }
    Child<QCheckBox>("CheckBox1")->setChecked(false);
    return shown.join(", ").toStdString();
  };
  EXPECT_EQ(walk(astro::EncodeDate(2021, 3, 28) + 1.0 / 24, 2),
            "03:00:00 UTC+02:00, 04:00:00 UTC+02:00");
  EXPECT_EQ(walk(astro::EncodeDate(2021, 10, 31), 3),
            "01:00:00 UTC+02:00, 02:00:00 UTC+02:00, 02:00:00 UTC+01:00");
}

TEST_F(FormFixture, TheToolkitSpeaksRussianAndTheDignityTableOpensOnTheScreen) {
  ASSERT_TRUE(LoadToolkitTranslations(*QCoreApplication::instance()));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
  QFile::copy(QString(ASTRAVIA_SOURCE_DIR) + "/data/dignities.txt", dir.filePath("dignities.txt"));
  Start();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  form->move(screen.right() - form->width() / 2, screen.top()); // half off the screen
  form->N4Click();
  ASSERT_NE(form->DignityForm(), nullptr);
  EXPECT_TRUE(screen.contains(QRect(form->DignityForm()->pos(), form->DignityForm()->size())));
  form->DignityForm()->move(screen.topLeft() + QPoint(40, 30));
  form.reset(); // the place is kept for the next start
  EXPECT_EQ(config::TIniFile(dir.filePath("quellantree.ini").toStdString())
                .ReadString("Windows", "DignityForm", ""),
            QString("%1,%2").arg(screen.x() + 40).arg(screen.y() + 30).toStdString());
}

TEST_F(FormFixture, ViewCommandsRecomputeAndActOnTheVisibleFrame) {
  Start();
  int before = form->RecomputeCount();
  form->TreeClick();       // already visible: still recomputes
  form->SaveAsTextClick(); // the tree is visible: its report dialog is offered (cancelled)
  ASSERT_EQ(prompts.SaveRequests.size(), 1);
  EXPECT_EQ(prompts.SaveRequests[0].DefaultExt, "txt");
  form->NatalClick();
  form->NatalClick(); // already visible: still recomputes
  EXPECT_EQ(form->RecomputeCount() - before, 3);
  EXPECT_TRUE(form->TreeFrame()->isHidden());
  EXPECT_FALSE(form->KosmoFrame()->isHidden());
  form->SaveAsTextClick(); // the cosmogram has no report
  form->PrintAsTextClick();
  EXPECT_EQ(prompts.SaveRequests.size(), 1);
  EXPECT_EQ(prompts.PrintDialogs, 0);
  form->TaroClick();
  EXPECT_TRUE(form->KosmoFrame()->isHidden());
  form->SaveAsTextClick(); // the spread's reading
  EXPECT_EQ(prompts.SaveRequests.size(), 2);
  form->N3Click();
  EXPECT_EQ(form->PageControl1()->currentWidget()->objectName(), "TabSheet2");
  EXPECT_TRUE(form->findChild<QAction*>("N4")->isEnabled());
}

TEST_F(FormFixture, ChartSheetIsPreviewedAndSavedAsPdfButNeverOverAProgramFile) {
  Start();
  form->PrintSheetClick(); // the preview is offered (cancelled)
  EXPECT_EQ(prompts.ExecutedDialogs, QStringList{"SheetPreview"});
  form->HousesPanel()->SetSystem('W'); // the sheet shows the houses the planet tab shows
  ASSERT_TRUE(form->CurrentSheet().Chart.Houses);
  EXPECT_EQ(form->CurrentSheet().Chart.Houses->System, 'W');
  const QString sheet = dir.filePath("sheet.pdf");
  prompts.SaveAnswers = {sheet, dir.filePath("quellantree.ini")};
  form->SaveSheetPdfClick();
  EXPECT_EQ(prompts.SaveRequests.at(0).DefaultExt, "pdf");
  EXPECT_EQ(ReadFileText(sheet.toStdString()).substr(0, 5), "%PDF-");
  const std::string ini = ReadFileText(dir.filePath("quellantree.ini").toStdString());
  form->SaveSheetPdfClick();
  EXPECT_EQ(prompts.Errors.size(), 1);
  EXPECT_EQ(ReadFileText(dir.filePath("quellantree.ini").toStdString()), ini);
}

TEST_F(FormFixture, SunMoonPanelsFollowTheLocalDayPlaceAndZoneOnly) {
  Start();
  TPositionFrame* frame = form->PositionFrame1();
  frame->SetHistoricZones(false); // the city base's whole hours: a new city keeps the offset
  // Berlin, 30 December 2026: the Moon sets before noon and next rises after midnight.
  frame->SetDateTime(astro::EncodeDate(2026, 12, 30) + 0.5);
  EXPECT_EQ(Child<QLabel>("SunRise")->text(), "08:17");
  EXPECT_EQ(Child<QLabel>("SunSet")->text(), "16:01");
  EXPECT_EQ(Child<QLabel>("SunNoon")->text(), "12:09");
  EXPECT_EQ(Child<QLabel>("MoonFase")->text(), "—");
  EXPECT_EQ(Child<QLabel>("MoonFase")->toolTip(), "Луна не восходит в этот день");
  EXPECT_EQ(Child<QLabel>("Panel2")->text(), "11:14");
  EXPECT_EQ(Child<QLabel>("Panel2")->toolTip(), "");
  EXPECT_EQ(Child<QLabel>("Panel3")->text(), "54%");
  EXPECT_EQ(Child<QLabel>("Panel3")->toolTip(),
            "Фаза: последняя четверть, возраст 21,4 суток (в полдень)");
  // Minutes later the same day: nothing recomputed; past midnight: the next day's almanac.
  const int computed = form->SunMoonPanels().ComputeCount();
  frame->SetDateTime(astro::EncodeDate(2026, 12, 30) + 0.99);
  EXPECT_EQ(form->SunMoonPanels().ComputeCount(), computed);
  frame->SetDateTime(astro::EncodeDate(2026, 12, 31) + 0.01);
  EXPECT_EQ(form->SunMoonPanels().ComputeCount(), computed + 1);
  EXPECT_EQ(Child<QLabel>("MoonFase")->text(), "00:50");
  // Another city moves the panels; its other zone moves UT, so the chart follows once.
  const int charts = form->RecomputeCount();
  auto* country = Child<QComboBox>("Country");
  country->setCurrentIndex(country->findText("Россия"));
  emit country->activated(country->currentIndex());
  EXPECT_EQ(form->RecomputeCount(), charts + 1);
  EXPECT_EQ(form->SunMoonPanels().ComputeCount(), computed + 2);
  EXPECT_NE(Child<QLabel>("SunRise")->text(), "08:17");
}

TEST_F(FormFixture, SunMoonPanelsStayEmptyWithoutACityBase) {
  QFile::remove(dir.filePath("cities.txt"));
  Start();
  for (const char* name : {"SunRise", "SunSet", "SunNoon", "MoonFase", "Panel2", "Panel3"}) {
    EXPECT_EQ(Child<QLabel>(name)->text(), "") << name;
  }
  EXPECT_EQ(form->SunMoonPanels().ComputeCount(), 0);
}

TEST_F(FormFixture, DignityTableOpensFromTheMenuAndFollowsTheChart) {
  Start();
  const qsizetype shown = prompts.Informations.size(); // the start-up's missing pictures
  form->findChild<QAction*>("N4")->trigger();          // no table beside the program yet
  ASSERT_EQ(prompts.Informations.size(), shown + 1);
  EXPECT_TRUE(prompts.Informations.back().startsWith("Отсутствует файл таблицы бальности "));
  EXPECT_EQ(form->DignityForm(), nullptr);

  QFile::copy(QString(ASTRAVIA_SOURCE_DIR) + "/data/dignities.txt", dir.filePath("dignities.txt"));
  form->findChild<QAction*>("N4")->trigger();
  TDignityForm* table = form->DignityForm();
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->isVisible());
  EXPECT_TRUE(table->findChild<QLabel*>("DignityFooter")->text().contains("Лилли"));
  EXPECT_TRUE(table->findChild<QLabel*>("DignityFooter")->text().contains("Термы: египетские"));
  const auto expectChart = [&] {
    int total = 0;
    for (int b = 1; b <= 10; ++b) {
      const int sign = form->PlanetPosition1()->GetSign(b);
      EXPECT_EQ(table->CellText(b - 1, 1).toStdString(), astro::SignNames[sign]);
      total += table->CellText(b - 1, 3).replace("−", "-").toInt();
      EXPECT_FALSE(table->CellText(b - 1, 6).isEmpty()) << b; // every body has a face ruler
    }
    EXPECT_EQ(table->CellText(10, 3).replace("−", "-").toInt(), total);
  };
  expectChart();
  // The Moon changes sign within three days: the open table follows the frame's moment.
  const int moonSign = form->PlanetPosition1()->GetSign(2);
  form->PositionFrame1()->SetDateTime(form->PositionFrame1()->DateTime + 3);
  ASSERT_NE(form->PlanetPosition1()->GetSign(2), moonSign);
  expectChart();
}

TEST_F(FormFixture, UnwritableIniAtExitIsReportedAndTheWindowStillCloses) {
  // A configuration file that reads (as text without sections) but refuses every write.
  QFile::remove(dir.filePath("quellantree.ini"));
  ASSERT_TRUE(QFile::link("/proc/version", dir.filePath("quellantree.ini")));
  Start();
  EXPECT_FALSE(prompts.Informations.filter("Отсутствует файл базы данных городов").isEmpty());
  form.reset();
  ASSERT_FALSE(prompts.Errors.isEmpty());
  EXPECT_TRUE(prompts.Errors.last().startsWith("Unable to write to"))
      << prompts.Errors.last().toStdString();
}

TEST_F(FormFixture, UsersOwnFileTakesTheSettingsAndItsDataFallBackToTheShippedFolder) {
  // The user's folder holds a copy of the file and the user's own city base; the tree mask is
  // only in the shipped folder.
  QTemporaryDir user;
  ASSERT_TRUE(QFile::copy(dir.filePath("quellantree.ini"), user.filePath("quellantree.ini")));
  WriteFile(user.filePath("cities.txt"), Cp1251("Абакан;Россия;;53°43’;91°25’;7\r\n"));
  ASSERT_TRUE(QFile::copy(QString(ASTRAVIA_RUN_DIR) + "/tree.jpg", dir.filePath("tree.jpg")));
  const QByteArray shipped = ReadFile(dir.filePath("quellantree.ini"));

  TFormPaths paths = Paths();
  paths.IniDir = user.path();
  form = std::make_unique<TForm1>(paths);
  EXPECT_EQ(form->IniPath(), user.path() + "/quellantree.ini");
  EXPECT_EQ(form->PositionFrame1()->CityTimeZone, 7); // Абакан, from the user's base
  EXPECT_TRUE(prompts.Informations.filter("tree.jpg").isEmpty()) << "the shipped mask is found";
  Child<QCheckBox>("Asp12")->setChecked(false);
  form.reset();
  EXPECT_EQ(ReadFile(dir.filePath("quellantree.ini")), shipped);
  config::TIniFile ini(user.filePath("quellantree.ini").toStdString());
  EXPECT_EQ(ini.ReadString("IncludeAspects", "Tri", "?"), "0");
  EXPECT_EQ(ini.ReadString("IncludeOrbs", "Tri", "?"), "60");
}

TEST_F(FormFixture, ErrorDuringStartUpSkipsTheRestButOpensTheWindow) {
  QDir(dir.path()).mkpath("base/efemerid.efm"); // exists, but cannot be read as a file
  form = std::make_unique<TForm1>(TFormPaths{dir.path(), "base/efemerid.efm"});
  ASSERT_EQ(prompts.Errors.size(), 1);
  EXPECT_TRUE(prompts.Errors[0].startsWith("Cannot open file")) << prompts.Errors[0].toStdString();
  EXPECT_EQ(form->TreeFrame(), nullptr);
  EXPECT_FALSE(form->Timer1()->isActive());
  EXPECT_EQ(Child<QLabel>("PlanetPos1")->text(), "");
  // The window keeps working: commands run without a store.
  form->TreeClick();
  QTest::keyClick(form.get(), Qt::Key_F12, Qt::ShiftModifier | Qt::AltModifier);
}

} // namespace

int main(int argc, char** argv) {
  TAstraviaApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

TEST_F(FormFixture, MissingEphemerisIsNamedAndAFailedTarotFrameIsRemoved) {
  WriteFile(dir.filePath("quellantree.ini"), "[PositionFrame]\nCityBase=cities.txt\n"
                                             "[TreeSection]\nAspectText=aspects.dat\n"
                                             "[TaroSection]\nTaroText=\n");
  TFormPaths paths = Paths();
  paths.EphemerisFile = dir.filePath("base/none.efm").toStdString();
  form = std::make_unique<TForm1>(paths);
  ASSERT_FALSE(prompts.Informations.isEmpty());
  EXPECT_EQ(prompts.Informations.first(),
            "Отсутствует файл эфемерид " + dir.filePath("base/none.efm") + ".");
  EXPECT_FALSE(prompts.Errors.isEmpty()); // the tarot text base
  EXPECT_EQ(form->TaroFrame(), nullptr);
  EXPECT_TRUE(form->findChildren<TTaroFrame*>().isEmpty());
  ASSERT_NE(form->TreeFrame(), nullptr);
  EXPECT_FALSE(form->TreeFrame()->isHidden());
}

TEST_F(FormFixture, TheHomePlaceIsSelectedAtTheNextStartAndAnUnknownOneIgnored) {
  Start();
  ASSERT_TRUE(form->PositionFrame1()->SelectPlace("Россия", "Новосибирск;Новосибирская обл."));
  form->HomePlaceClick();
  form.reset();
  prompts.Informations.clear();
  Start();
  EXPECT_EQ(form->PositionFrame1()->CityText(), "Новосибирск;Новосибирская обл.");
  // Now, 11:00 UT, as Novosibirsk's local time.
  EXPECT_NEAR(form->PositionFrame1()->DateTime, kNowUniversal + 7.0 / 24, 1e-9);
  const QStringList usual = prompts.Informations; // the fixture's missing pictures
  prompts.Informations.clear();
  form.reset();
  config::TIniFile(dir.filePath("quellantree.ini").toStdString())
      .WriteString("PositionFrame", "HomeCity", "Нигде");
  Start();
  EXPECT_EQ(form->PositionFrame1()->CityText(), "Берлин");
  EXPECT_EQ(prompts.Informations, usual);
}

TEST_F(FormFixture, HousesOnTheCosmogramFollowTheViewMenuAndThePlaceAndAreKeptAtExit) {
  Start();
  TKosmoFrame* kosmo = form->KosmoFrame();
  ASSERT_FALSE(form->HousesOnWheel()->isChecked()); // off unless the file says otherwise
  EXPECT_TRUE(KosmoHintRegions.Houses.empty());
  form->HousesOnWheel()->trigger();
  ASSERT_TRUE(kosmo->HouseLayer.Houses);
  // Another place: the wheel's ascendant is the planet tab's, in its hint too.
  auto* country = Child<QComboBox>("Country");
  country->setCurrentIndex(country->findText("Россия"));
  emit country->activated(country->currentIndex());
  const double asc = form->Chart().Houses->Asc;
  EXPECT_EQ(kosmo->HouseLayer.Houses->Asc, asc);
  ASSERT_FALSE(KosmoHintRegions.Houses.empty());
  EXPECT_EQ(KosmoHintRegions.Houses[0].Text, "Асцендент\r" + kosmo::SignDegreeName(asc));
  form.reset();
  EXPECT_EQ(config::TIniFile(dir.filePath("quellantree.ini").toStdString())
                .ReadString("Options", "CosmogramHouses", "?"),
            "1");
}

TEST_F(FormFixture, TransitsRunOverTheNatalChartAndTheChoiceIsKeptForTheNextStart) {
  Start();
  const astro::TLongitudes natal = form->PlanetPosition1()->LongitudeArray();
  form->SecondKindClick(astro::TSecondKind::Transit);
  ASSERT_TRUE(form->SecondChart());
  // "Now" at the natal place: the sky of the natal moment itself.
  for (int b = 0; b < astro::kBodyCount; ++b)
    EXPECT_NEAR(form->SecondChart()->Longitudes[b], natal[b], 1e-9);
  EXPECT_TRUE(form->KosmoFrame()->Second());
  // The second chart's angles follow "Дома и оси".
  EXPECT_FALSE(form->KosmoFrame()->Second()->Asc);
  form->HousesOnWheel()->trigger();
  EXPECT_TRUE(form->KosmoFrame()->Second()->Asc);
  form->HousesOnWheel()->trigger();

  Child<QComboBox>("ComboBox1")->setCurrentIndex(2); // a day a tick
  Child<QCheckBox>("CheckBox1")->setChecked(true);
  form->Timer1Timer();
  form->Timer1Timer();
  Child<QCheckBox>("CheckBox1")->setChecked(false);
  EXPECT_NEAR(form->SecondChart()->Moment.Local, kNow + 2, 1e-6);
  EXPECT_NEAR(form->SecondChart()->Moment.Universal, kNowUniversal + 2, 1e-6);
  EXPECT_NEAR(form->PositionFrame1()->DateTime, kNow, 1e-9); // the birth stays
  EXPECT_EQ(form->PlanetPosition1()->LongitudeArray(), natal);
  EXPECT_EQ(form->TreeFrame()->Aspects.Count, form->PlanetPosition1()->Aspects().Count);
  EXPECT_NE(form->SecondChart()->Longitudes[1], natal[1]); // the Moon moved on
  const QString list = form->SecondPanel()->ListText();
  EXPECT_EQ(list.count('\n'), qsizetype(form->CrossAspects().size()));

  form.reset(); // the choice goes to the configuration file
  EXPECT_TRUE(ReadFile(dir.filePath("quellantree.ini")).contains("[SecondChart]\nMode=transit"));
  Start();
  EXPECT_EQ(form->SecondPanel()->Kind(), astro::TSecondKind::Transit);
  form->SecondKindClick(astro::TSecondKind::None);
  EXPECT_FALSE(form->SecondChart());
  EXPECT_FALSE(form->KosmoFrame()->Second());
}
