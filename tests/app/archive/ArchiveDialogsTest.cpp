// SPDX-License-Identifier: GPL-3.0-or-later
// "Сохранить карту…" and "Открыть карту…" in the main window, answered through the scripted
// prompts: what is stored, replacing, the open dialog's filter, delete and rename, a chart whose
// city has left the atlas, and damaged archives.
#include "ArchiveCommands.h"
#include "ArchiveRecord.h"
#include "Cp1251.h"
#include "DateTime.h"
#include "ExportChartsDialog.h"
#include "MainForm.h"
#include "MainMenuXP.h"
#include "OpenChartDialog.h"
#include "PositionFrame.h"
#include "SaveChartDialog.h"
#include "ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using archive::TChartArchive;
using archive::TStoredChart;

namespace {

const QString kEphemeris = QString(ASTRAVIA_RUN_DIR) + "/base/efemerid.efm";
const double kNow = astro::EncodeDate(2026, 12, 7) + 0.5;
const double kBirth = astro::EncodeDateTime({1985, 3, 21}, {6, 45, 30, 0});

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ArchiveFormTest : ::testing::Test {
  QTemporaryDir dir;
  TScriptedPrompts prompts;
  std::unique_ptr<TForm1> form;
  QStringList events;

  void SetUp() override {
    ASSERT_TRUE(QFile::exists(kEphemeris)) << "build the ephemeris first";
    astro::SetClock([] { return astro::TClockReading{kNow, kNow - 7.0 / 24}; });
    WriteFile(dir.filePath("cities.txt"),
              QByteArray::fromStdString(
                  astro::Utf8ToCp1251("Новосибирск;Россия;Новосибирская обл.;55°02’;82°56’;7\r\n"
                                      "Берлин;Германия;;52°31’;13°24’;1\r\n")));
    WriteFile(dir.filePath("quellantree.ini"),
              "[PositionFrame]\nCityBase=cities.txt\n[Options]\nHistoricZones=0\n");
    TFormPaths paths{dir.path(), kEphemeris.toStdString()};
    paths.ArchiveFile = ArchivePath();
    form = std::make_unique<TForm1>(paths);
    prompts.Informations.clear();
    prompts.Errors.clear();
    for (auto signal : {&TPositionFrame::OnDateTimeChange, &TPositionFrame::OnTimeZoneChange,
                        &TPositionFrame::OnPositionChange})
      QObject::connect(Frame(), signal, [this, signal](QObject*) {
        events << (signal == &TPositionFrame::OnDateTimeChange   ? "DateTime"
                   : signal == &TPositionFrame::OnTimeZoneChange ? "TimeZone"
                                                                 : "Position");
      });
  }
  void TearDown() override {
    form.reset();
    astro::SetClock({});
  }
  QString ArchivePath() const { return dir.filePath("user/charts.sqlite"); }
  TPositionFrame* Frame() const { return form->PositionFrame1(); }

  // Saves the frame's chart under a name, as a user fills the dialog.
  void SaveAs(const QString& name, const QString& note = {}) {
    prompts.OnExecute = [&](QDialog& dialog) {
      auto& save = dynamic_cast<TSaveChartDialog&>(dialog);
      dialog.findChild<QLineEdit*>("ChartName")->setText(name);
      dialog.findChild<QPlainTextEdit*>("ChartNote")->setPlainText(note);
      return save.findChild<QPushButton*>("SaveButton")->isEnabled();
    };
    form->SaveChartClick();
  }
  // Opens the open dialog and hands it to `act`, whose answer closes it.
  void WithOpenDialog(std::function<bool(TOpenChartDialog&)> act) {
    prompts.OnExecute = [act](QDialog& dialog) {
      return act(dynamic_cast<TOpenChartDialog&>(dialog));
    };
    form->OpenChartClick();
  }
  void Open(const QString& filter) {
    WithOpenDialog([&](TOpenChartDialog& dialog) {
      dialog.SetFilter(filter);
      EXPECT_EQ(dialog.ShownCount(), 1);
      dialog.OpenClick();
      return dialog.result() == QDialog::Accepted;
    });
  }
  std::vector<TStoredChart> Stored() { return TChartArchive(ArchivePath()).List(); }
};

TEST_F(ArchiveFormTest, FileMenuStartsWithTheArchiveItems) {
  QMenu* file = form->MainMenuXP1()->findChild<QMenu*>("Menu");
  ASSERT_TRUE(file);
  const QList<QAction*> items = file->actions();
  ASSERT_GE(items.size(), 4);
  EXPECT_EQ(items[0]->text(), "Открыть карту…");
  EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(items[1]->text(), "Сохранить карту…");
  EXPECT_EQ(items[1]->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_FALSE(items[0]->icon().isNull());
  EXPECT_FALSE(items[1]->icon().isNull());
  EXPECT_EQ(items[2]->text(), "Импорт карт…");
  EXPECT_EQ(items[3]->text(), "Экспорт карт…");
  EXPECT_FALSE(items[3]->icon().isNull());
  EXPECT_TRUE(items[4]->isSeparator());
  EXPECT_EQ(items[5]->objectName(), "SaveAsImage");
}

TEST_F(ArchiveFormTest, ChartsComeInFromAFileAndGoOutToAnother) {
  WriteFile(dir.filePath("in.aaf"), "#A93:Берлинер,*,m,9.11.1989,19:00,Берлин,*\n"
                                    "#A93:Плохая,*,m,9.13.1989,19:00,Берлин,*\n");
  prompts.OnExecute = [&](QDialog& dialog) {
    dynamic_cast<QFileDialog&>(dialog).selectFile(dir.filePath("in.aaf"));
    return true;
  };
  form->ImportChartsClick();
  ASSERT_EQ(prompts.Informations.size(), 1);
  EXPECT_TRUE(prompts.Informations[0].contains("Импортировано карт: 1"))
      << prompts.Informations[0].toStdString();
  EXPECT_TRUE(prompts.Informations[0].contains("Строка 2: даты «9.13.1989» нет в календаре"));
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].City, "Берлин");

  prompts.OnExecute = [](QDialog& dialog) {
    dynamic_cast<TExportChartsDialog&>(dialog).SetFormat(archive::TCollectionFormat::Csv);
    return true;
  };
  prompts.SaveAnswers.push_back(dir.filePath("out.csv"));
  form->ExportChartsClick();
  EXPECT_EQ(prompts.SaveRequests.back().DefaultExt, "csv");
  EXPECT_TRUE(Bytes(dir.filePath("out.csv")).contains("Берлинер,1989-11-09,19:00:00,+01:00,52.51"));
}

TEST_F(ArchiveFormTest, OpeningASavedChartSetsTheFrameAndRecomputesAsAUserEdit) {
  ASSERT_TRUE(Frame()->SelectPlace("Россия", "Новосибирск;Новосибирская обл."));
  ASSERT_TRUE(Frame()->EditDateTime(kBirth));
  const QString name = "Клиент «Один»; \"тест\"";
  SaveAs(name, "первая встреча");
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].City, "Новосибирск;Новосибирская обл.");
  EXPECT_EQ(Stored()[0].Zone, 7);
  EXPECT_DOUBLE_EQ(Stored()[0].Local, kBirth);
  EXPECT_EQ(Stored()[0].Note, "первая встреча");
  EXPECT_FALSE(Stored()[0].HistoricZones);

  // Elsewhere and at another moment, then back to the saved chart.
  ASSERT_TRUE(Frame()->SelectPlace("Германия", "Берлин"));
  ASSERT_TRUE(Frame()->EditDateTime(kNow));
  events.clear();
  const int before = form->RecomputeCount();
  Open("ОДИН");
  EXPECT_TRUE(prompts.Errors.isEmpty() && prompts.Informations.isEmpty());
  // The city's zone (Berlin's 1 to 7) raises its own zone event before the stored zone's.
  EXPECT_EQ(events, QStringList({"Position", "TimeZone", "TimeZone", "DateTime", "TimeZone"}));
  EXPECT_EQ(form->RecomputeCount() - before, 4);
  EXPECT_EQ(Frame()->CityText(), "Новосибирск;Новосибирская обл.");
  EXPECT_EQ(Frame()->LatitudeDeg, 55);
  EXPECT_EQ(Frame()->LongitudeMin, 56);
  EXPECT_EQ(Frame()->CityTimeZone, 7);
  EXPECT_DOUBLE_EQ(Frame()->DateTime, kBirth);
  astro::TEfemerisClass store(kEphemeris.toStdString());
  astro::TPlanetPosition expected;
  store.ComputePositions(expected, astro::ToUniversalTime(7, kBirth));
  for (int b = 1; b <= 10; ++b)
    EXPECT_DOUBLE_EQ(form->PlanetPosition1()->GetLongitude(b), expected.GetLongitude(b));
}

TEST_F(ArchiveFormTest, ANameIsRequiredAndReplacingAsksFirst) {
  SaveAs("   ");
  EXPECT_FALSE(QFile::exists(ArchivePath()));
  SaveAs("Анна", "старая");
  prompts.QuestionAnswers = {false};
  SaveAs("Анна", "новая");
  ASSERT_EQ(prompts.Questions.size(), 1);
  EXPECT_TRUE(prompts.Questions[0].contains("Анна"));
  EXPECT_EQ(Stored()[0].Note, "старая");
  prompts.QuestionAnswers = {true};
  SaveAs("Анна", "новая");
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].Note, "новая");
}

TEST_F(ArchiveFormTest, AReopenedChartFillsTheSaveDialogAndNamesTheWindow) {
  ASSERT_TRUE(Frame()->EditDateTime(kBirth + 0.497 / 86400)); // the clock's stray milliseconds
  SaveAs("Иванова Анна", "заметка");
  EXPECT_DOUBLE_EQ(Stored()[0].Local, kBirth);
  ASSERT_TRUE(Frame()->EditDateTime(kNow));
  Open("Иванова");
  EXPECT_EQ(form->windowTitle(), "Иванова Анна — Astravia v 0.1");
  QStringList shown;
  prompts.OnExecute = [&](QDialog& dialog) {
    shown << dialog.findChild<QLineEdit*>("ChartName")->text()
          << dialog.findChild<QPlainTextEdit*>("ChartNote")->toPlainText();
    return true;
  };
  prompts.QuestionAnswers = {true};
  form->SaveChartClick();
  EXPECT_EQ(shown, QStringList({"Иванова Анна", "заметка"}));
  EXPECT_EQ(prompts.Questions.value(0), "Обновить карту «Иванова Анна» в архиве?");
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].Note, "заметка");
}

TEST_F(ArchiveFormTest, TheOpenDialogDeletesAndRenamesAfterAsking) {
  SaveAs("Борис");
  SaveAs("Вера");
  WithOpenDialog([&](TOpenChartDialog& dialog) {
    EXPECT_EQ(dialog.SelectedName(), "Борис"); // the first by name is chosen
    QTest::keyClick(dialog.findChild<QLineEdit*>("Filter"), Qt::Key_Down);
    EXPECT_EQ(dialog.SelectedName(), "Вера"); // arrows in the filter box move in the list
    QTest::keyClick(dialog.findChild<QLineEdit*>("Filter"), Qt::Key_Up);
    prompts.QuestionAnswers = {false, true};
    dialog.DeleteClick(); // No
    EXPECT_EQ(dialog.ShownCount(), 2);
    dialog.DeleteClick(); // Yes
    EXPECT_EQ(dialog.ShownCount(), 1);
    EXPECT_EQ(prompts.Questions.size(), 2);
    prompts.InputAnswers = {QString("  Вероника ")};
    dialog.RenameClick();
    EXPECT_EQ(dialog.SelectedName(), "Вероника");
    return false;
  });
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].Name, "Вероника");
}

TEST_F(ArchiveFormTest, AChartWhoseCityLeftTheAtlasOpensWithItsStoredPlace) {
  TStoredChart gone;
  gone.Name = "Старый город";
  gone.Local = kBirth;
  gone.Country = "Россия";
  gone.City = "Китеж";
  gone.Zone = 4;
  gone.LatitudeDeg = 57;
  gone.LatitudeMin = 5;
  gone.LongitudeDeg = 44;
  gone.LongitudeMin = 41;
  TChartArchive(ArchivePath()).Save(gone);
  gone.Latitude = 57 + 5 / 60.0; // read back, a chart carries its signed place
  gone.Longitude = 44 + 41 / 60.0;
  Open("китеж");
  ASSERT_EQ(prompts.Informations.size(), 1);
  EXPECT_TRUE(prompts.Informations[0].contains("Китеж")) << prompts.Informations[0].toStdString();
  EXPECT_EQ(Frame()->CityText(), "Китеж");
  EXPECT_EQ(Frame()->LatitudeDeg, 57);
  EXPECT_EQ(Frame()->LongitudeMin, 41);
  EXPECT_EQ(Frame()->CityTimeZone, 4);
  EXPECT_DOUBLE_EQ(Frame()->DateTime, kBirth);
  // Saved again, the chart keeps its stored place, now with its exact offset.
  SaveAs("Снова");
  TStoredChart again;
  ASSERT_TRUE(TChartArchive(ArchivePath()).Find("Снова", again));
  again.Name = gone.Name;
  gone.OffsetSeconds = 4 * 3600;
  EXPECT_EQ(again, gone);
}

TEST_F(ArchiveFormTest, AnOwnPlaceComesBackWithItsMomentPlaceZoneAndUniversalTime) {
  // 53°30' N 49°25' E on Samara's clocks, typed old-style, in the doubled hour of 2010's
  // autumn change (Samara's clocks went from 03:00 +4 back to 02:00 +3): the second chosen.
  const double longitude = 49 + 25 / 60.0;
  ASSERT_TRUE(Frame()->SetOwnPlace(53.5, longitude, "Europe/Samara"));
  Frame()->SetJulianDates(true);
  const double local = astro::EncodeDateTime({2010, 10, 31}, {2, 30, 0, 0});
  ASSERT_TRUE(Frame()->EditDateTime(local));
  EXPECT_EQ(Frame()->ZoneOffset.Seconds, 4 * 3600);
  Frame()->SetLaterOccurrence(true);
  EXPECT_EQ(Frame()->ZoneOffset.Seconds, 3 * 3600);
  const double universal = Frame()->UniversalTime();
  EXPECT_NEAR(universal, local - 3 / 24.0, 1e-9);
  SaveAs("Своё место");

  ASSERT_TRUE(Frame()->SelectPlace("Германия", "Берлин"));
  Frame()->SetJulianDates(false);
  ASSERT_TRUE(Frame()->EditDateTime(kNow));
  EXPECT_FALSE(Frame()->OwnPlace());
  Open("своё");
  EXPECT_TRUE(Frame()->OwnPlace());
  EXPECT_TRUE(Frame()->JulianDates());
  EXPECT_TRUE(Frame()->LaterOccurrence());
  EXPECT_DOUBLE_EQ(Frame()->LatitudeDegrees(), 53.5);
  EXPECT_DOUBLE_EQ(Frame()->LongitudeDegrees(), longitude);
  EXPECT_EQ(Frame()->CityZoneName(), "Europe/Samara");
  EXPECT_DOUBLE_EQ(Frame()->DateTime, local);
  EXPECT_NEAR(Frame()->UniversalTime(), universal, 1e-9);
}

TEST_F(ArchiveFormTest, AnImportedHalfHourOffsetOpensAtItsOwnLocalTime) {
  // India's +5:30 at an atlas place whose own zone is whole hours: the local moment and UT are
  // the record's, not the nearest hour's.
  archive::TChartRecord record;
  record.Name = "Дели";
  record.Universal = std::llround((kBirth - 5.5 / 24) * 86400);
  record.OffsetSeconds = 5 * 3600 + 1800;
  record.Country = "Германия";
  record.Place = "Берлин";
  record.Latitude = 52.5;
  record.Longitude = 13.4;
  TChartArchive(ArchivePath()).Save(archive::StoredFromRecord(record));
  Open("дели");
  EXPECT_DOUBLE_EQ(Frame()->DateTime, kBirth);
  EXPECT_EQ(Frame()->ZoneOffset.Seconds, 5 * 3600 + 1800);
  EXPECT_NEAR(Frame()->UniversalTime() * 86400, static_cast<double>(record.Universal), 1e-3);
}

TEST_F(ArchiveFormTest, AMomentOutsideTheEphemerisIsRefusedAndNothingChanges) {
  TStoredChart early;
  early.Name = "Ранняя";
  early.Local = astro::EncodeDate(1500, 1, 1);
  TChartArchive(ArchivePath()).Save(early);
  const double moment = Frame()->DateTime;
  events.clear();
  Open("ранняя");
  ASSERT_EQ(prompts.Errors.size(), 1);
  EXPECT_TRUE(events.isEmpty());
  EXPECT_DOUBLE_EQ(Frame()->DateTime, moment);
}

TEST_F(ArchiveFormTest, ADamagedArchiveIsReportedAndLeftAsItWas) {
  QDir().mkpath(QFileInfo(ArchivePath()).path());
  const QByteArray noise = QByteArray("not a database at all ").repeated(200);
  WriteFile(ArchivePath(), noise);
  form->OpenChartClick();
  SaveAs("Новая");
  ASSERT_EQ(prompts.Errors.size(), 2);
  EXPECT_TRUE(prompts.Errors[0].contains(ArchivePath())) << prompts.Errors[0].toStdString();
  EXPECT_TRUE(prompts.ExecutedDialogs.contains("SaveChartDialog"));
  EXPECT_FALSE(prompts.ExecutedDialogs.contains("OpenChartDialog"));
  EXPECT_EQ(Bytes(ArchivePath()), noise);
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
