// SPDX-License-Identifier: GPL-3.0-or-later
// The companion gives the main window's results: the same chart computed by astravia-chart
// and by TForm1 (moment and city chosen in its position frame, files saved with its own
// "Сохранить как отчет" and "Сохранить как изображение") must agree byte for byte.
#include "ChartProgram.h"
#include "ChartText.h"

#include "Cp1251.h"
#include "DateTime.h"
#include "Formatting.h"
#include "Jpeg.h"
#include "KosmoImage.h"
#include "MainForm.h"
#include "PositionFrame.h"
#include "ScriptedPrompts.h"
#include "SpreadRandom.h"
#include "TaroImage.h"
#include "TreeImage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <sstream>

#include <gtest/gtest.h>

using namespace companion_test;

namespace {

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "companion_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv); // lives to the end of the process
  return *app;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The aspect items printed in the "Aspects" block, read back through the printed names.
std::vector<chart::TAspectFacts> PrintedAspects(const std::string& out) {
  std::vector<chart::TAspectFacts> items;
  std::istringstream in(out);
  std::string line;
  bool block = false;
  while (std::getline(in, line)) {
    if (line.rfind("Aspects: ", 0) == 0) {
      block = true;
      continue;
    }
    if (!block)
      continue;
    if (line.rfind("  ", 0) != 0)
      break; // the next block
    bool known = false;
    for (int p1 = 1; p1 <= 10 && !known; ++p1)
      for (int p2 = p1 + 1; p2 <= 10 && !known; ++p2)
        for (int k = 1; k <= 18 && !known; ++k)
          if (line == "  " + chart::AspectLine({p1, k, p2})) {
            items.push_back({p1, k, p2});
            known = true;
          }
    EXPECT_TRUE(known) << line;
  }
  return items;
}

} // namespace

TEST(ChartSameAsWindow, ReportPictureAndAspectsAreTheMainWindows) {
  TestApp();
  const TTestFolder folder("window");
  // A program folder of its own for the window: configuration file, symbol font, letter strip,
  // and a city base of one place, so that the window starts on it.
  {
    QFile cities(QString::fromStdString(folder.Path("one-city.txt")));
    ASSERT_TRUE(cities.open(QIODevice::WriteOnly));
    cities.write(
        astro::Utf8ToCp1251("Новосибирск;Россия;Сибирский ФО;55°02’;82°55’;7\r\n").c_str());
  }
  const std::string ini = folder.Ini("quellantree.ini", {{"CityBase", "./one-city.txt"}});
  for (const char* name : {"font.fnt", "letters.png"})
    ASSERT_TRUE(QFile::copy(QString(ASTRAVIA_RUN_DIR "/") + name,
                            QString::fromStdString(folder.Path(name))));
  const std::string out = folder.Path("out");
  const TRun run = RunChart({"--date", "2005-01-05", "--time", "12:00", "--city",
                             "Россия/Новосибирск;Сибирский ФО", "--ini", ini, "--out", out});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::string png = folder.Path("png");
  const TRun pngRun = RunChart({"--date", "2005-01-05", "--time", "12:00", "--city",
                                "Россия/Новосибирск;Сибирский ФО", "--ini", ini, "--out", png,
                                "--png", "--seed", "43201000"});
  ASSERT_EQ(pngRun.Status, 0) << pngRun.Err;
  PinSpreadSeed(43201000);

  // The window starts "now": pin the clock to the chart's moment, so that its first drawing on
  // the fresh mask is this chart, as the companion's is (a frame's picture keeps the white
  // traces of the routes it erased, so only equal histories give equal pictures).
  const astro::TDateTime moment = astro::EncodeDateTime({2005, 1, 5}, {12, 0, 0, 0});
  astro::SetClock([moment] { return astro::TClockReading{moment, moment - 7.0 / 24}; });
  TScriptedPrompts prompts;
  TFormPaths paths;
  paths.ProgramDir = QString::fromStdString(folder.Path(""));
  paths.ProgramDir.chop(1);
  paths.EphemerisFile = ASTRAVIA_RUN_DIR "/base/efemerid.efm";
  TForm1 form(paths);
  ASSERT_NE(form.TreeFrame(), nullptr);
  astro::SetClock({});
  const TPositionFrame& position = *form.PositionFrame1();
  ASSERT_EQ(position.CityTimeZone, 7);
  ASSERT_EQ(position.LatitudeDeg, 55);
  ASSERT_DOUBLE_EQ(position.DateTime, moment);
  EXPECT_TRUE(prompts.Informations.isEmpty()) << prompts.Informations.join('\n').toStdString();

  const QString guiReport = QString::fromStdString(folder.Path("window-report.txt"));
  const QString guiTree = QString::fromStdString(folder.Path("window-tree.jpg"));
  prompts.SaveAnswers = {guiReport};
  form.SaveAsTextClick();
  prompts.SaveAnswers = {guiTree};
  form.SaveAsImageClick();

  const QByteArray report = FileBytes(QString::fromStdString(out + "/report.txt"));
  ASSERT_FALSE(report.isEmpty());
  EXPECT_EQ(report, FileBytes(guiReport));
  EXPECT_TRUE(report.endsWith("\r\n"));

  const QString tree = QString::fromStdString(out + "/tree.jpg");
  EXPECT_EQ(FileBytes(tree), FileBytes(guiTree));
  // The picture decodes to what the window's own frame holds, once through the same encoder.
  const QImage framePicture = DecodeJpeg(EncodeJpeg(form.TreeFrame()->Picture()), "frame");
  const QImage saved = LoadJpeg(tree);
  ASSERT_EQ(saved.size(), QSize(553, 800));
  EXPECT_EQ(saved, framePicture);

  // Lossless pictures are the window's own pixels, the spread drawn with the same seed.
  PinSpreadSeed(std::nullopt);
  EXPECT_EQ(
      QImage(QString::fromStdString(png + "/cosmogram.png")).convertToFormat(QImage::Format_ARGB32),
      form.KosmoFrame()->Picture().convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(
      QImage(QString::fromStdString(png + "/tarot.png")).convertToFormat(QImage::Format_ARGB32),
      form.TaroFrame()->Picture().convertToFormat(QImage::Format_ARGB32));

  // The printed aspects are the model's list, item for item and in order.
  const astro::TAspectList& aspects = form.PlanetPosition1()->Aspects();
  std::vector<chart::TAspectFacts> model;
  for (int i = 0; i < aspects.Count; ++i)
    model.push_back({aspects.Items[i].Planet1, aspects.Items[i].Aspect, aspects.Items[i].Planet2});
  ASSERT_GT(model.size(), 0u);
  EXPECT_EQ(PrintedAspects(run.Out), model);
  // And the printed longitudes are the model's, to two decimals.
  EXPECT_NE(run.Out.find(astro::FormatFixed(2, 6, form.PlanetPosition1()->GetLongitude(2))),
            std::string::npos);
}
