// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot frame on a drawn sheet and card strip: which cards each aspect lays and how, the
// pinned random draw, the exact rectangles written, the hints, the reading and the
// messages of missing files.
#include "TaroImage.h"

#include "../tree/TreeTestApp.h"
#include "DateTime.h"
#include "Jpeg.h"
#include "ScriptedPrompts.h"
#include "TaroTables.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <memory>

namespace {

// A strip of 23 cells, each a vertical gradient in its own hue, so that a face, its mirror
// and the back all differ; and a plain grey sheet.
void WritePictures(const QString& folder) {
  QImage strip(taro::StripWidth, taro::CardHeight, QImage::Format_RGB32);
  for (int cell = 0; cell < taro::StripCells; ++cell) {
    for (int y = 0; y < taro::CardHeight; ++y) {
      const QColor colour = QColor::fromHsv(cell * 15, 200, 55 + y);
      QPainter(&strip).fillRect(cell * taro::CardWidth, y, taro::CardWidth, 1, colour);
    }
  }
  SaveJpeg(strip, folder + "/cards.jpg");
  QImage sheet(taro::SheetWidth, taro::SheetHeight, QImage::Format_RGB32);
  sheet.fill(QColor(90, 90, 90));
  SaveJpeg(sheet, folder + "/taro.jpg");
}

void WriteIni(const QString& folder) {
  QFile ini(folder + "/quellantree.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[TaroSection]\r\nTaroImage=taro.jpg\r\nTaroText=taro.dat\r\nTaroKart=cards.jpg\r\n");
}

astro::TAspectList ListOf(std::initializer_list<astro::TAspectItem> items) {
  astro::TAspectList list;
  for (const astro::TAspectItem& item : items) {
    list.Items[list.Count++] = item;
  }
  return list;
}

struct TaroFixture : ::testing::Test {
  TScriptedPrompts prompts;
  QString folder;
  std::unique_ptr<TTaroFrame> frame;
  void SetUp() override {
    TestApp();
    folder = ScratchDir();
    WriteIni(folder);
    WritePictures(folder);
  }
  void TearDown() override { astro::SetClock({}); }
  void Create() { frame.reset(CreateTaroFrame(nullptr, nullptr, folder + "/quellantree.ini")); }
  // The place of an arcanum as now shown.
  QImage Place(int arcanum) const {
    const taro::TCardPlace p = taro::CardPositions[arcanum];
    return frame->Picture().copy(p.X, p.Y, taro::CardWidth, taro::CardHeight);
  }
  QImage Cell(int cell) const {
    return frame->Image2->Picture().copy(taro::CardWidth * (cell - 1), 0, taro::CardWidth,
                                         taro::CardHeight);
  }
  QString HintAt(int x, int y) {
    frame->Image1MouseMove(Qt::NoModifier, x, y);
    return TaroHint ? TaroHint->Caption() : QString();
  }
  // Pins the universal-time clock to a whole second of the day.
  static void PinSecondOfDay(int seconds) {
    const double ut = astro::EncodeDate(2026, 12, 9) + seconds / 86400.0;
    astro::SetClock([ut] { return astro::TClockReading{ut, ut}; });
  }
};

} // namespace

TEST(SpreadRandom, FirstDrawsMatchTheToolkitGenerator) {
  TSpreadRandom random;
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {0, 0}, {1, 3}, {43200000, 37}, {43201000, 75}, {86399999, 72}};
  for (auto [seed, draw] : cases) {
    random.Seed(seed);
    EXPECT_EQ(random.Draw(100), draw) << seed;
  }
  random.Seed(0);
  random.Draw(100);
  EXPECT_EQ(random.State(), 1u);
  EXPECT_EQ(random.Draw(100), 3u); // the next draw continues from state 1
}

TEST_F(TaroFixture, AnEmptyListShowsEveryBackAndNoHint) {
  Create();
  frame->SetAspects({});
  for (int n = 1; n <= 22; ++n) {
    ASSERT_EQ(Place(n), Cell(taro::BackCell)) << n;
    const taro::TCardPlace p = taro::CardPositions[n];
    EXPECT_EQ(HintAt(p.X + 40, p.Y + 75), QString());
  }
  EXPECT_TRUE(prompts.Informations.isEmpty());
}

TEST_F(TaroFixture, NatureOfTheAspectLaysUprightOrReversed) {
  Create();
  frame->SetAspects(ListOf({{1, 12, 2}, {1, 10, 10}})); // Sun-Moon trine; Sun-Pluto: no path
  EXPECT_EQ(frame->CardStates[15], 1);
  EXPECT_EQ(Place(15), Cell(15));
  EXPECT_EQ(std::count(frame->CardStates.begin(), frame->CardStates.end(), 0), 22);
  const QImage before = frame->Picture();
  frame->SetAspects(ListOf({{1, 18, 2}})); // opposition
  EXPECT_EQ(frame->CardStates[15], -1);
  EXPECT_EQ(Place(15), Cell(15).mirrored(false, true));
  // Nothing outside the place changed.
  QImage after = frame->Picture();
  const taro::TCardPlace p = taro::CardPositions[15];
  QPainter(&after).drawImage(p.X, p.Y, before.copy(p.X, p.Y, taro::CardWidth, taro::CardHeight));
  EXPECT_EQ(after, before);
}

TEST_F(TaroFixture, NeutralAspectsFollowTheDrawSeededFromTheClock) {
  Create();
  PinSecondOfDay(43200); // draw 37: reversed
  frame->SetAspects(ListOf({{2, 1, 10}}));
  EXPECT_EQ(frame->CardStates[22], -1);
  PinSecondOfDay(43201);                                            // draw 75: upright
  frame->SetAspects(ListOf({{2, 1, 10}, {2, 12, 10}, {2, 6, 10}})); // the last item decides
  EXPECT_EQ(frame->CardStates[22], 1);
}

TEST_F(TaroFixture, HintsOnlyStrictlyInsideLaidCards) {
  Create();
  frame->SetAspects(ListOf({{1, 12, 2}}));
  const taro::TCardPlace p = taro::CardPositions[15];
  EXPECT_EQ(HintAt(p.X + 1, p.Y + 1), "XV Тифон");
  EXPECT_EQ(HintAt(p.X, p.Y + 10), QString());
  EXPECT_EQ(HintAt(p.X + 82, p.Y + 10), QString());
  EXPECT_EQ(HintAt(p.X + 10, p.Y + 150), QString());
  EXPECT_EQ(HintAt(p.X + 81, p.Y + 149), "XV Тифон");
  frame->HintsEnabled = false; // moves change nothing, not even hiding
  EXPECT_EQ(HintAt(2, 2), "XV Тифон");
}

TEST_F(TaroFixture, TheReportIsTheReadingOfTheLaidCardsInArcanumOrder) {
  ASSERT_TRUE(QFile::copy(RunDir() + "/taro.dat", folder + "/taro.dat"));
  Create();
  frame->SetAspects(ListOf({{1, 18, 2}, {1, 12, 4}})); // 15 reversed, 14 upright
  const QString report = folder + "/spread.txt";
  prompts.SaveAnswers = {report};
  frame->FrameExit(); // the text base is dropped; the report reads it again
  frame->SaveAsTextClick();
  const TTaroBase base(folder + "/taro.dat");
  QStringList expected = {"XIV Два сосуда: прямо"};
  for (const QString& line : base.Texts(14))
    expected << "  " + line;
  expected << "XV Тифон: перевёрнуто";
  for (const QString& line : base.Texts(22 + 15))
    expected << "  " + line;
  ASSERT_GT(expected.size(), 4);
  QFile saved(report);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), ReportFileBytes(expected));
  frame->SetAspects({});
  frame->BuildReport();
  EXPECT_EQ(*frame->Report, QStringList{"Ни одна карта не выложена."});
}

TEST_F(TaroFixture, MissingPicturesAreReportedAndNothingIsLaid) {
  QFile::remove(folder + "/taro.jpg");
  QFile::remove(folder + "/cards.jpg");
  Create();
  ASSERT_EQ(prompts.Informations.size(), 2);
  EXPECT_EQ(prompts.Informations[0],
            "Отсутствует файл маски taro.jpg. В связи с чем отображение информации невозможно.");
  EXPECT_EQ(prompts.Informations[1], "Отсутствует файл изображений Таро.");
  EXPECT_TRUE(QFileInfo(folder + "/taro.dat").isFile()); // the base is still created
  frame->SetAspects(ListOf({{1, 12, 2}}));
  EXPECT_EQ(frame->Aspects.Count, 1);
  EXPECT_EQ(frame->CardStates[15], 0);
  frame->PrintAsTextClick();
  frame->SaveAsImageClick();
  EXPECT_EQ(prompts.Informations.size(), 4);
}
