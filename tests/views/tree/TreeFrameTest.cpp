// SPDX-License-Identifier: GPL-3.0-or-later
// The tree frame on the shipped mask and letter strip: its picture after each Show… call, its
// hints, and the failure cases of loading.
#include "TreeImage.h"

#include "FontStream.h"
#include "Jpeg.h"
#include "ScriptedPrompts.h"
#include "TreeDrawing.h"
#include "TreeTables.h"
#include "TreeTestApp.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <memory>

namespace {

void WriteIni(const QString& folder, const QString& treeImage) {
  QFile ini(folder + "/quellantree.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(
      ("[TreeSection]\r\nTreeImage=" + treeImage + "\r\nAspectText=aspects.dat\r\n").toUtf8());
}

// A folder holding the configuration, the shipped mask and the letter strip.
QString ShippedFolder() {
  const QString folder = ScratchDir();
  WriteIni(folder, "tree.jpg");
  EXPECT_TRUE(QFile::copy(RunDir() + "/tree.jpg", folder + "/tree.jpg"));
  EXPECT_TRUE(QFile::copy(RunDir() + "/letters.png", folder + "/letters.png"));
  return folder;
}

astro::TAspectList ListOf(std::initializer_list<astro::TAspectItem> items) {
  astro::TAspectList list;
  for (const astro::TAspectItem& item : items) {
    list.Items[list.Count++] = item;
  }
  return list;
}

// The first `count` pairs in body order, each with a trine.
astro::TAspectList FirstPairs(int count) {
  astro::TAspectList list;
  for (int a = 1; a <= 9 && list.Count < count; ++a) {
    for (int b = a + 1; b <= 10 && list.Count < count; ++b) {
      list.Items[list.Count++] = {a, 12, b};
    }
  }
  return list;
}

QList<QPoint> Footprint(int planet1, int planet2) {
  QImage canvas(tree::PictureWidth, tree::PictureHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  DrawRoute(canvas, planet1, planet2, Qt::white);
  QList<QPoint> points;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) == qRgb(255, 255, 255)) {
        points << QPoint(x, y);
      }
    }
  }
  return points;
}

class TreeFrame : public ::testing::Test {
protected:
  void SetUp() override {
    TestApp();
    LoadSymbolFont(RunDir() + "/font.fnt");
    owner = std::make_unique<QWidget>();
    owner->resize(1000, 700);
  }
  TImageFrame* Create(const QString& folder) {
    return CreateTreeFrame(owner.get(), owner.get(), folder + "/quellantree.ini");
  }

  TScriptedPrompts prompts;
  std::unique_ptr<QWidget> owner;
};

} // namespace

TEST_F(TreeFrame, LoadsTheMaskAndSitsInItsOwner) {
  TImageFrame* frame = Create(ShippedFolder());
  EXPECT_TRUE(prompts.Informations.isEmpty()) << prompts.Informations.join("|").toStdString();
  EXPECT_EQ(frame->Picture().size(), QSize(553, 800));
  EXPECT_EQ(frame->geometry(), QRect(2, 6, 670, 690));
  EXPECT_NE(frame->AspectBase, nullptr);
  EXPECT_EQ(frame->findChild<QMenu*>("PopupMenu1")->actions().size(), 4);
  EXPECT_NE(frame->findChild<QAction*>("PrintAsText"), nullptr);
  owner->show();
  owner->resize(1100, 500); // anchored to all four sides
  EXPECT_EQ(frame->geometry(), QRect(2, 6, 770, 490));
  EXPECT_EQ(frame->ScrollBar1->maximum(), 800 - frame->ScrollBar1->height());
  ASSERT_GT(frame->ScrollBar1->maximum(), 30);
  frame->ScrollBar1->setValue(30);
  EXPECT_EQ(frame->Image1->y(), -30);
}

TEST_F(TreeFrame, SunAtZeroShowsLamedBetLamedFromLeftToRight) {
  TImageFrame* frame = Create(ShippedFolder());
  const QImage before = frame->Picture();
  const QImage strip = frame->Image2->Picture();
  frame->ShowPlanets({});
  const tree::TBodyBox& sun = tree::BodyBoxes[1];
  const int letters[3] = {12, 2, 12};
  for (int k = 0; k < 3; ++k) {
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 22; ++x) {
        const QPoint at(sun.X + 22 * k + x, sun.Y + y);
        const QRgb expected = before.pixel(at) & strip.pixel(22 * (letters[k] - 1) + x, y);
        ASSERT_EQ(frame->Picture().pixel(at), expected) << k << " " << x << "," << y;
      }
    }
  }
  EXPECT_NE(frame->Picture(), before);
}

TEST_F(TreeFrame, BoxesAreRefilledOnlyOnceAnAspectListWasShown) {
  TImageFrame* frame = Create(ShippedFolder());
  astro::TLongitudes first{};
  astro::TLongitudes second{};
  second.fill(100.0);
  const tree::TBodyBox& sun = tree::BodyBoxes[1];
  const QRect box(sun.X, sun.Y, 66, 22);
  frame->ShowPlanets(first);
  frame->ShowPlanets(second); // letters of both moments pile up
  const QImage piled = frame->Picture().copy(box);
  frame->ShowAspects(ListOf({{1, 12, 2}}));
  frame->ShowPlanets(second); // now the box is refilled first
  const QImage clean = frame->Picture().copy(box);
  QImage expected(66, 22, QImage::Format_RGB32);
  expected.fill(QColor(sun.R, sun.G, sun.B));
  for (int k = 0; k < 3; ++k) {
    const int letter = BodyLetters(100.0, 1)[k];
    for (int y = 0; y < 22; ++y)
      for (int x = 0; x < 22; ++x)
        expected.setPixel(22 * k + x, y,
                          expected.pixel(22 * k + x, y) &
                              frame->Image2->Picture().pixel(22 * (letter - 1) + x, y));
  }
  EXPECT_EQ(clean, expected);
  EXPECT_NE(piled, expected);
}

TEST_F(TreeFrame, RoutesAreDrawnInTheirColourAndErasedToWhite) {
  TImageFrame* frame = Create(ShippedFolder());
  frame->ShowAspects(ListOf({{1, 12, 9}})); // Sun-Neptune trine along path 3
  const QList<QPoint> route = Footprint(1, 9);
  ASSERT_FALSE(route.isEmpty());
  const QRgb trine = AspectColor(12).rgb();
  EXPECT_EQ(trine, qRgb(72, 72, 255));
  for (const QPoint& p : route) {
    ASSERT_EQ(frame->Picture().pixel(p), trine) << p.x() << "," << p.y();
  }
  frame->ShowAspects(ListOf({{3, 18, 4}})); // Mercury-Venus opposition
  const QList<QPoint> now = Footprint(3, 4);
  for (const QPoint& p : route) {
    if (!now.contains(p)) {
      ASSERT_EQ(frame->Picture().pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
    }
  }
  for (const QPoint& p : now) {
    ASSERT_EQ(frame->Picture().pixel(p), AspectColor(18).rgb());
  }
  EXPECT_EQ(frame->Aspects.Count, 1);
  EXPECT_EQ(frame->Aspects.Items[0].Planet1, 3);
}

TEST_F(TreeFrame, DashedRoutesLeaveGaps) {
  TImageFrame* frame = Create(ShippedFolder());
  frame->ShowAspects(ListOf({{2, 10, 5}})); // Moon-Mars square over open ground
  const tree::TSegment s = tree::AspectRoutes[tree::RouteIndex(2, 5)].Segments[0];
  int coloured = 0, other = 0;
  for (int i = 0; i <= 40; ++i) {
    const QPoint p(s.X1 + (s.X2 - s.X1) * i / 40, s.Y1 + (s.Y2 - s.Y1) * i / 40);
    (frame->Picture().pixel(p) == AspectColor(10).rgb() ? coloured : other)++;
  }
  EXPECT_GT(coloured, 5);
  EXPECT_GT(other, 5);
}

TEST_F(TreeFrame, LegendFillsFourColumnsOfTwelve) {
  EXPECT_EQ(LegendOrigin(1), QPoint(3, 568));
  EXPECT_EQ(LegendOrigin(12), QPoint(3, 568 + 17 * 11));
  EXPECT_EQ(LegendOrigin(13), QPoint(63, 568));
  EXPECT_EQ(LegendOrigin(25), QPoint(422, 568));
  EXPECT_EQ(LegendOrigin(45), QPoint(482, 568 + 17 * 8));

  TImageFrame* frame = Create(ShippedFolder());
  frame->ShowAspects(FirstPairs(25));
  const QImage& picture = frame->Picture();
  const QRgb black = qRgb(0, 0, 0);
  // The 13th entry's box: left border x = 63, top y = 568, right x = 123, bottom y = 585.
  EXPECT_EQ(picture.pixel(63, 576), black);
  EXPECT_EQ(picture.pixel(123, 576), black);
  EXPECT_EQ(picture.pixel(90, 568), black);
  EXPECT_EQ(picture.pixel(90, 585), black);
  // The 25th entry opens the right area; its row 2 stays empty.
  EXPECT_EQ(picture.pixel(422, 576), black);
  EXPECT_EQ(picture.pixel(430, 595), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(500, 576), qRgb(255, 255, 255)); // no 37th entry
  // Glyphs: the body glyphs black, the aspect glyph in the trine's colour.
  int blackInside = 0, trineInside = 0;
  for (int y = 570; y < 584; ++y) {
    for (int x = 4; x < 62; ++x) {
      blackInside += picture.pixel(x, y) == black;
      trineInside += picture.pixel(x, y) == AspectColor(12).rgb();
    }
  }
  EXPECT_GT(blackInside, 10);
  EXPECT_GT(trineInside, 5);

  frame->ShowAspects(FirstPairs(45));
  EXPECT_EQ(frame->Picture().pixel(482, 568 + 17 * 8 + 5), black); // 45th, column 4 row 9
  EXPECT_EQ(frame->Picture().pixel(490, 568 + 17 * 9 + 8), qRgb(255, 255, 255)); // no row 10
}

TEST_F(TreeFrame, AnEmptyListClearsRoutesLegendAndReportLikeAnyNewList) {
  astro::TLongitudes moment{};
  moment.fill(100.0);
  astro::TLongitudes other{};
  other.fill(200.0);
  TImageFrame* shown = Create(ShippedFolder()); // a chart with aspects, then one without
  shown->ShowPlanets(moment);
  shown->ShowAspects(FirstPairs(3));
  shown->ShowPlanets(moment);
  shown->ShowAspects(astro::TAspectList{});
  TImageFrame* bare = Create(ShippedFolder()); // charts without aspects only
  bare->ShowPlanets(other);
  bare->ShowAspects(astro::TAspectList{});
  bare->ShowPlanets(moment); // refilled, not piled onto the other moment's letters
  bare->ShowAspects(astro::TAspectList{});

  EXPECT_EQ(shown->Aspects.Count, 0);
  for (int planet2 : {2, 3, 4})
    for (const QPoint& p : Footprint(1, planet2))
      ASSERT_NE(shown->Picture().pixel(p), AspectColor(12).rgb());
  EXPECT_EQ(shown->Picture().pixel(3, 568), qRgb(255, 255, 255)); // no legend box
  const tree::TBodyBox& sun = tree::BodyBoxes[1];
  const QRect box(sun.X, sun.Y, 66, 22);
  EXPECT_EQ(bare->Picture().copy(box), shown->Picture().copy(box));
  for (TImageFrame* frame : {shown, bare}) {
    frame->BuildReportModel();
    frame->BuildReport();
  }
  EXPECT_EQ(*shown->ReportLines(), *bare->ReportLines());
}

TEST_F(TreeFrame, TwoAspectsOfOnePairBothAppear) {
  TImageFrame* frame = Create(ShippedFolder());
  frame->ShowAspects(ListOf({{1, 3, 2}, {1, 4, 2}}));
  for (const QPoint& p : Footprint(1, 2)) {
    ASSERT_EQ(frame->Picture().pixel(p), AspectColor(4).rgb()); // the later one on top
  }
  EXPECT_EQ(frame->Picture().pixel(3, 585), qRgb(0, 0, 0)); // second legend box
}

TEST_F(TreeFrame, DateBoxShowsTheMomentInsideItsFrame) {
  TImageFrame* frame = Create(ShippedFolder());
  const QImage before = frame->Picture();
  frame->ShowMoment(38357.5); // 5 January 2005, 12:00
  const QImage& picture = frame->Picture();
  EXPECT_EQ(frame->Moment, 38357.5);
  for (const QPoint& corner : {QPoint(5, 2), QPoint(150, 2), QPoint(150, 35), QPoint(5, 35)}) {
    EXPECT_EQ(picture.pixel(corner), qRgb(0, 0, 0));
  }
  int dateInk = 0, timeInk = 0;
  for (int y = 3; y < 18; ++y)
    for (int x = 6; x < 150; ++x)
      dateInk += qGray(picture.pixel(x, y)) < 128;
  for (int y = 20; y < 35; ++y)
    for (int x = 6; x < 150; ++x)
      timeInk += qGray(picture.pixel(x, y)) < 128;
  EXPECT_GT(dateInk, 40);
  EXPECT_GT(timeInk, 20);
  EXPECT_GT(dateInk, timeInk); // "5 Января 2005г." is longer than "12:00:00"
  EXPECT_EQ(picture.pixel(6, 19), before.pixel(6, 19)); // the gap row is not painted
  EXPECT_EQ(picture.copy(160, 0, 200, 40), before.copy(160, 0, 200, 40));
  // A later moment replaces the text, it does not pile up.
  frame->ShowMoment(38357.75);
  frame->ShowMoment(38357.5);
  EXPECT_EQ(frame->Picture(), picture);
}

TEST_F(TreeFrame, HintNamesTheLettersLastFirstAndHitsStrictlyInsideABox) {
  TImageFrame* frame = Create(ShippedFolder());
  frame->ShowPlanets({});
  const tree::TBodyBox& sun = tree::BodyBoxes[1];
  frame->Image1MouseMove({}, sun.X + 1, sun.Y + 1);
  ASSERT_TRUE(TreeHint);
  EXPECT_EQ(TreeHint->Caption(), "Ламед-Бет-Ламед");
  frame->Image1MouseMove({}, sun.X, sun.Y + 5); // on the border
  EXPECT_FALSE(TreeHint);
  frame->Image1MouseMove({}, sun.X + 30, sun.Y + 22);
  EXPECT_FALSE(TreeHint);
  frame->HintsEnabled = false;
  frame->Image1MouseMove({}, sun.X + 30, sun.Y + 10);
  EXPECT_FALSE(TreeHint);
  frame->HintsEnabled = true;
  const tree::TBodyBox& pluto = tree::BodyBoxes[10];
  frame->Image1MouseMove({}, pluto.X + 65, pluto.Y + 21);
  ASSERT_TRUE(TreeHint);
  const astro::TArcanaTriple l = BodyLetters(0.0, 10);
  EXPECT_EQ(TreeHint->Caption(), LetterText(l));
  frame->FrameExit();
  EXPECT_FALSE(TreeHint);
  // Leaving the frame with the pointer hides the hint too.
  frame->Image1MouseMove({}, sun.X + 1, sun.Y + 1);
  ASSERT_TRUE(TreeHint);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(frame, &leave);
  EXPECT_FALSE(TreeHint);
}

TEST_F(TreeFrame, MissingMaskIsReportedByFileNameAndNothingIsDrawn) {
  const QString folder = ScratchDir();
  WriteIni(folder, "missing.jpg");
  QFile::copy(RunDir() + "/letters.png", folder + "/letters.png");
  TImageFrame* frame = Create(folder);
  ASSERT_EQ(prompts.Informations.size(), 1);
  EXPECT_EQ(prompts.Informations[0],
            "Отсутствует файл маски missing.jpg. В связи с чем отображение информации невозможно.");
  frame->ShowPlanets({});
  frame->ShowAspects(FirstPairs(5));
  frame->ShowMoment(38357.5);
  EXPECT_TRUE(frame->Picture().isNull());
  EXPECT_EQ(frame->Moment, 0.0);
  // The chart is still kept for hints and reports.
  EXPECT_EQ(frame->Aspects.Count, 5);
  frame->Image1MouseMove({}, 250, 420);
  EXPECT_TRUE(TreeHint);
}

TEST_F(TreeFrame, EmptyMaskNameGivesTheMessageWithAnEmptyName) {
  const QString folder = ScratchDir();
  WriteIni(folder, "");
  Create(folder);
  ASSERT_EQ(prompts.Informations.size(), 2);
  EXPECT_EQ(prompts.Informations[0],
            "Отсутствует файл маски . В связи с чем отображение информации невозможно.");
  EXPECT_EQ(prompts.Informations[1], "Отсутствует файл букв letters.png."); // no strip either
}

TEST_F(TreeFrame, CorruptOrTruncatedMaskIsAnErrorBoxAndTheFrameRunsOn) {
  const QByteArray good = [] {
    QFile file(RunDir() + "/tree.jpg");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }();
  for (const QByteArray& bad : {good.left(good.size() / 3), QByteArray("GIF89a garbage")}) {
    const QString folder = ShippedFolder();
    QFile mask(folder + "/tree.jpg");
    ASSERT_TRUE(mask.open(QIODevice::WriteOnly | QIODevice::Truncate));
    mask.write(bad);
    mask.close();
    prompts.Errors.clear();
    TImageFrame* frame = Create(folder);
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors[0].contains("tree.jpg")) << prompts.Errors[0].toStdString();
    EXPECT_TRUE(frame->Picture().isNull());
    EXPECT_NE(frame->AspectBase, nullptr); // the text base still loaded
    frame->ShowPlanets({});
    frame->ShowAspects(FirstPairs(2));
    EXPECT_TRUE(frame->Picture().isNull());
  }
}

TEST_F(TreeFrame, FollowsItsParentWhenOwnerAndParentDiffer) {
  QWidget client(owner.get());
  client.setGeometry(0, 20, 1000, 680);
  owner->show();
  TImageFrame* frame = CreateTreeFrame(owner.get(), &client, ShippedFolder() + "/quellantree.ini");
  EXPECT_EQ(frame->parentWidget(), &client);
  EXPECT_FALSE(frame->isHidden());
  EXPECT_EQ(frame->geometry(), QRect(2, 6, 670, 690));
  client.resize(1100, 580);
  EXPECT_EQ(frame->geometry(), QRect(2, 6, 770, 570));
}

TEST_F(TreeFrame, LoadFilesItselfThrowsOnACorruptMask) {
  const QString folder = ShippedFolder();
  QFile mask(folder + "/tree.jpg");
  ASSERT_TRUE(mask.open(QIODevice::WriteOnly | QIODevice::Truncate));
  mask.write("\xFF\xD8\xFF\xE0 broken");
  mask.close();
  TImageFrame frame(owner.get());
  EXPECT_THROW(frame.LoadFiles(folder + "/quellantree.ini"), TJpegError);
}

TEST_F(TreeFrame, ChangingAFullChartLeavesNothingOfTheOldOne) {
  TImageFrame* frame = Create(ShippedFolder());
  const QImage mask = frame->Picture();
  auto fullList = [](int shift) {
    astro::TAspectList list = FirstPairs(45);
    for (int i = 0; i < list.Count; ++i) {
      list.Items[i].Aspect = (i + shift) % 18 + 1;
    }
    return list;
  };
  astro::TLongitudes longitudes{};
  for (int b = 0; b < 10; ++b) {
    longitudes[b] = 17.0 + 31.0 * b;
  }
  frame->ShowPlanets(longitudes);
  frame->ShowAspects(fullList(0));
  frame->ShowMoment(38357.5);
  frame->Picture().save(QString::fromUtf8(ASTRAVIA_TEST_OUTPUT_DIR) + "/tree-full-chart.png");
  // Half of the pairs now: the other routes must be gone without a trace.
  astro::TAspectList half = fullList(7);
  half.Count = 20;
  frame->ShowPlanets(longitudes);
  frame->ShowAspects(half);
  QImage allowed(mask.size(), QImage::Format_RGB32);
  allowed.fill(Qt::black);
  for (int i = 0; i < half.Count; ++i) {
    DrawRoute(allowed, half.Items[i].Planet1, half.Items[i].Planet2, Qt::white);
  }
  {
    QPainter painter(&allowed);
    for (const tree::TArea& area : {tree::DateArea, tree::LegendLeft, tree::LegendRight}) {
      painter.fillRect(QRect(QPoint(area.Left, area.Top), QPoint(area.Right, area.Bottom)),
                       Qt::white);
    }
    for (int b = 1; b <= 10; ++b) {
      painter.fillRect(tree::BodyBoxes[b].X, tree::BodyBoxes[b].Y, 66, 22, Qt::white);
    }
  }
  int changed = 0;
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      if (frame->Picture().pixel(x, y) != mask.pixel(x, y) &&
          allowed.pixel(x, y) != qRgb(255, 255, 255)) {
        // Erased old routes are white; anything else left behind is a stray.
        ASSERT_EQ(frame->Picture().pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
        ++changed;
      }
    }
  }
  EXPECT_GT(changed, 100); // the erased routes of the other pairs
}
