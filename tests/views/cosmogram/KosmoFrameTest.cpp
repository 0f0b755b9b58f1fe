// SPDX-License-Identifier: GPL-3.0-or-later
// The cosmogram frame: the wheel's geometry and drawing order, its hint regions and hit test,
// its scroll maxima and its landscape print on the shared printer.
#include "KosmoImage.h"

#include "../tree/TreeTestApp.h"
#include "Chart.h"
#include "DateTime.h"
#include "FontStream.h"
#include "ScriptedPrompts.h"
#include "TreeImage.h"
#include "ViewColors.h"

#include <QCryptographicHash>
#include <QFile>
#include <QPrinter>
#include <QScrollBar>
#include <cmath>
#include <memory>

namespace {

using kosmo::PolarPoint;

struct KosmoFixture : ::testing::Test {
  TScriptedPrompts prompts;
  std::unique_ptr<TKosmoFrame> frame;
  void SetUp() override {
    TestApp();
    LoadSymbolFont(RunDir() + "/font.fnt");
    const QString folder = ScratchDir();
    QFile::copy(RunDir() + "/letters.png", folder + "/letters.png");
    frame.reset(CreateKosmoFrame(nullptr, nullptr, folder + "/quellantree.ini"));
  }
  QRgb At(int x, int y) const { return frame->Picture().pixel(x, y) & 0xFFFFFF; }
  // Moves the pointer to a point of the picture and returns the hint shown, empty for none.
  QString HintAt(QPoint p) {
    frame->Image1MouseMove(Qt::NoModifier, p.x(), p.y());
    return KosmoHint ? KosmoHint->Caption() : QString();
  }
  static QPoint Corner(const kosmo::THintRegion& r, bool farCorner) {
    return farCorner ? QPoint(r.Rect.Right, r.Rect.Bottom) : QPoint(r.Rect.Left, r.Rect.Top);
  }
};

astro::TAspectList ListOf(std::initializer_list<astro::TAspectItem> items) {
  astro::TAspectList list;
  for (const astro::TAspectItem& item : items) {
    list.Items[list.Count++] = item;
  }
  return list;
}

// SHA-1 of a picture's RGB pixels.
QByteArray PictureHash(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (int y = 0; y < rgb.height(); ++y)
    hash.addData(QByteArrayView(rgb.constScanLine(y), 3 * rgb.width()));
  return hash.result().toHex();
}

// 1962-02-04 05:00 UT, seven bodies in Aquarius, with a few of its aspects.
const astro::TLongitudes DenseChart = {314.6, 313.2, 300.9, 313.9, 313.4,
                                       313.6, 302.1, 150.3, 222.9, 159.9};
const astro::TDateTime DenseMoment = astro::EncodeDateTime({1962, 2, 4}, {8, 0, 0, 0});
astro::TAspectList DenseAspects() {
  return ListOf({{1, 1, 2}, {1, 1, 4}, {3, 1, 7}, {1, 18, 8}, {6, 18, 10}, {9, 10, 2}});
}

// Its houses and points in Moscow, from Swiss Ephemeris.
kosmo::THouseLayer DenseLayer(TKosmoFrame& frame, double latitude = 55.75) {
  const double jd = astro::JulianDayUT(astro::EncodeDateTime({1962, 2, 4}, {5, 0, 0, 0}));
  const astro::THouses houses = astro::ComputeHouses(jd, latitude, 37.62, 'P');
  frame.SetHouses(houses, astro::ComputePoints(jd, houses, DenseChart[0], DenseChart[1],
                                               astro::AsteroidFolder()));
  return frame.HouseLayer;
}

bool Overlap(const kosmo::THintRegion& a, const kosmo::THintRegion& b) {
  return a.Rect.Left <= b.Rect.Right && b.Rect.Left <= a.Rect.Right &&
         a.Rect.Top <= b.Rect.Bottom && b.Rect.Top <= a.Rect.Bottom;
}

QPoint CentreOf(const kosmo::THintRegion& r) {
  return QPoint((r.Rect.Left + r.Rect.Right) / 2, (r.Rect.Top + r.Rect.Bottom) / 2);
}

} // namespace

TEST(KosmoGeometry, PolarPointsTruncateTowardZeroWithZeroDegreesOnTheLeft) {
  EXPECT_EQ(PolarPoint(300, 290, 0), QPoint(10, 300));
  EXPECT_EQ(PolarPoint(300, 100, 90), QPoint(300, 400));  // below the centre
  EXPECT_EQ(PolarPoint(300, 100, 135), QPoint(370, 370)); // 370.71 truncated, not rounded
  EXPECT_EQ(PolarPoint(300, 100, 180), QPoint(400, 300));
  EXPECT_EQ(PolarPoint(300, 100, 270), QPoint(300, 200)); // above the centre
  EXPECT_EQ(kosmo::SegmentHint(3), "Самех Йод Тет");
}

TEST_F(KosmoFixture, TableNumbersSitOnTheOuterDiscColourUntilAMomentIsDrawn) {
  frame->DrawChart();
  const QRgb noMoment = At(643, 63);
  EXPECT_EQ(noMoment, qRgb(226, 237, 250) & 0xFFFFFF);
  EXPECT_EQ(At(700, 10), 0xFFFFFFu); // no date box
  frame->SetMoment(astro::EncodeDateTime({2005, 1, 5}, {12, 0, 0, 0}));
  EXPECT_EQ(At(643, 63), 0xFFFFFFu);
  bool dateDrawn = false;
  for (int x = 620; x < 700 && !dateDrawn; ++x) {
    dateDrawn = At(x, 10) != 0xFFFFFFu;
  }
  EXPECT_TRUE(dateDrawn);
}

TEST_F(KosmoFixture, BeforeAnyPushAllBodiesShareOneSpotAndTheOneDrawnOnTopWins) {
  frame->DrawChart();
  const kosmo::THintRegion& sun = KosmoHintRegions.Bodies[1];
  const kosmo::THintRegion& pluto = KosmoHintRegions.Bodies[10];
  EXPECT_EQ(sun.Rect.Left, pluto.Rect.Left);
  EXPECT_EQ(sun.Rect.Right - sun.Rect.Left, 15);
  // Pluto is drawn last; inclusive far edges; no aspects: name only.
  EXPECT_EQ(HintAt(Corner(sun, true)), "Плутон\r");
  EXPECT_EQ(HintAt(Corner(sun, false)), "Плутон\r");
}

TEST_F(KosmoFixture, ChordsAndBodyHintsFollowTheAspectList) {
  astro::TLongitudes longitudes{};
  longitudes.fill(200);
  longitudes[0] = 0;  // Sun on the left
  longitudes[1] = 90; // Moon below the centre
  frame->SetLongitudes(longitudes);
  const QPoint sun = PolarPoint(300, 155, 0), moon = PolarPoint(300, 155, 90);
  const QPoint middle = (sun + moon) / 2;
  EXPECT_EQ(At(middle.x(), middle.y()), 0xFFFFFFu);
  frame->SetAspects(ListOf({{1, 10, 2}}));
  EXPECT_EQ(At(middle.x(), middle.y()), AspectColor(10).rgb() & 0xFFFFFF);
  EXPECT_EQ(KosmoHintRegions.Bodies[2].Text, "Луна\rЛуна в квадратуре с Солнцем\r");
  frame->SetAspects({});
  EXPECT_EQ(At(middle.x(), middle.y()), 0xFFFFFFu); // the inner disc erases old chords
}

TEST_F(KosmoFixture, ShowChartDrawsWhatTheThreePushesDraw) {
  astro::TLongitudes longitudes{};
  for (int b = 0; b < astro::kBodyCount; ++b)
    longitudes[b] = 37.5 * b + 3;
  const astro::TAspectList aspects = ListOf({{1, 10, 2}, {3, 1, 7}});
  const astro::TDateTime moment = astro::EncodeDate(2005, 1, 5) + 0.5;
  frame->SetLongitudes(longitudes);
  frame->SetAspects(aspects);
  frame->SetMoment(moment);
  const QImage threePushes = frame->Picture().copy();
  const kosmo::THintRegions regions = KosmoHintRegions;
  frame->ShowChart({}, {}, 0); // something else in between
  frame->ShowChart(longitudes, aspects, moment);
  EXPECT_EQ(frame->Picture(), threePushes);
  for (int b = 1; b <= astro::kBodyCount; ++b)
    EXPECT_EQ(KosmoHintRegions.Bodies[b].Text, regions.Bodies[b].Text);
}

TEST_F(KosmoFixture, BodyPicturesKeepWhiteTransparent) {
  astro::TLongitudes longitudes{};
  longitudes.fill(180);
  longitudes[0] = 0;
  frame->SetLongitudes(longitudes);
  const QImage sun = frame->BodyImages[1]->Picture();
  ASSERT_EQ(sun.size(), QSize(22, 22));
  // Over the white inner disc the pasted picture equals the body picture pixel for pixel.
  const QPoint centre = PolarPoint(300, 175, 0);
  for (int py = 0; py < 22; ++py) {
    for (int px = 0; px < 22; ++px) {
      ASSERT_EQ(At(centre.x() - 11 + px, centre.y() - 11 + py), sun.pixel(px, py) & 0xFFFFFF);
    }
  }
}

TEST_F(KosmoFixture, HitTestOrderAndSwitchingHintsOff) {
  frame->DrawChart();
  const kosmo::THintRegion& aries = KosmoHintRegions.Signs[1];
  EXPECT_EQ(HintAt(Corner(aries, false)), "Овен");
  const kosmo::THintRegion& segment = KosmoHintRegions.Segments[40];
  EXPECT_EQ(HintAt(Corner(segment, true)), segment.Text);
  EXPECT_EQ(HintAt(Corner(segment, true) + QPoint(1, 0)), QString()); // past the edge: hidden
  EXPECT_FALSE(KosmoHint);
  frame->HintsEnabled = false;
  EXPECT_EQ(HintAt(Corner(aries, false)), QString());
}

TEST_F(KosmoFixture, ScrollMaximaAddThirteenOnlyToAWiderPicture) {
  frame->show(); // a shown frame gets its resize events at once
  frame->resize(500, 400);
  const int d = frame->Image1->width() - frame->ScrollBar2->width();
  ASSERT_GT(d, 0);
  EXPECT_EQ(frame->ScrollBar2->maximum(), d + 13);
  EXPECT_EQ(frame->ScrollBar1->maximum(), 600 - frame->ScrollBar1->height());
  frame->resize(900, 700);
  EXPECT_EQ(frame->ScrollBar2->maximum(), 0);
  EXPECT_EQ(frame->ScrollBar1->maximum(), 0);
}

TEST_F(KosmoFixture, PrintsInLandscapeAndTheSharedPrinterKeepsIt) {
  const QString folder = ScratchDir();
  prompts.PrintAnswers = {folder + "/wheel.pdf"};
  frame->SetMoment(astro::EncodeDateTime({2005, 1, 5}, {12, 0, 0, 0}));
  frame->PrintAsImageClick();
  EXPECT_EQ(SharedPrinter().pageLayout().orientation(), QPageLayout::Landscape);
  QFile pdf(folder + "/wheel.pdf");
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
  frame->PrintAsTextClick(); // no report: nothing printed, nothing said
  frame->SaveAsTextClick();
  EXPECT_EQ(prompts.PrintDialogs, 1);
  EXPECT_TRUE(prompts.SaveRequests.empty());
  EXPECT_TRUE(prompts.Informations.isEmpty());
}

TEST_F(KosmoFixture, AShorterSegmentNumberLeavesNoOldDigit) {
  // The Moon from segment 72 to segment 1, as on 2005-01-15 between 05:00 and 06:00 UT.
  const astro::TDateTime moment = astro::EncodeDateTime({2005, 1, 15}, {6, 0, 0, 0});
  astro::TLongitudes longitudes{};
  longitudes[1] = 357.5;
  frame->ShowChart(longitudes, {}, moment);
  longitudes[1] = 1.0;
  frame->ShowChart(longitudes, {}, moment);
  std::unique_ptr<TKosmoFrame> fresh(
      CreateKosmoFrame(nullptr, nullptr, ScratchDir() + "/quellantree.ini"));
  fresh->ShowChart(longitudes, {}, moment);
  const QRect moonNumber(641, 81, 19, 19);
  EXPECT_EQ(frame->Picture().copy(moonNumber), fresh->Picture().copy(moonNumber));
}

// The picture of the wheel as it was first built, pinned by its checksum.
// Without the house display the picture is the first build's, houses known or not, also after
// they were shown.
TEST_F(KosmoFixture, WithoutHousesThePictureIsTheFirstBuildsPixelForPixel) {
  const QByteArray firstBuild = "060d762bd35035076fcb39229707c49b2a7520db";
  DenseLayer(*frame);
  frame->ShowChart(DenseChart, DenseAspects(), DenseMoment);
  EXPECT_EQ(PictureHash(frame->Picture()), firstBuild);
  frame->SetHousesShown(true);
  EXPECT_NE(PictureHash(frame->Picture()), firstBuild);
  frame->SetHousesShown(false);
  EXPECT_EQ(PictureHash(frame->Picture()), firstBuild);
  EXPECT_TRUE(KosmoHintRegions.Houses.empty());
}

TEST_F(KosmoFixture, WithHousesNoGlyphCoversAnotherAndEachKeepsATickAtItsDegree) {
  const kosmo::THouseLayer layer = DenseLayer(*frame);
  ASSERT_GE(layer.Points.size(), 4u); // nodes, Black Moon, Fortune (Chiron with its file)
  frame->HousesShown = true;
  frame->ShowChart(DenseChart, DenseAspects(), DenseMoment);
  std::vector<kosmo::THintRegion> marks(KosmoHintRegions.Bodies.begin() + 1,
                                        KosmoHintRegions.Bodies.end());
  for (const kosmo::THintRegion& region : KosmoHintRegions.Houses) {
    if (region.Text.contains("узел") || region.Text.startsWith("Чёрная") ||
        region.Text.startsWith("Хирон") || region.Text.startsWith("Парс"))
      marks.push_back(region);
  }
  ASSERT_EQ(marks.size(), 10 + layer.Points.size());
  for (std::size_t i = 0; i < marks.size(); ++i)
    for (std::size_t j = i + 1; j < marks.size(); ++j) {
      EXPECT_FALSE(Overlap(marks[i], marks[j])) << i << " " << j;
      // The body pictures, 20 px further in, need 22 px between their centres.
      const QPoint d = CentreOf(marks[i]) - CentreOf(marks[j]);
      if (j < 10) {
        EXPECT_GE(std::hypot(d.x(), d.y()) * 175 / 195, 22.0) << i << " " << j;
      }
    }
  auto tickAt = [this](double longitude) {
    const QPoint p = PolarPoint(300, 216, longitude);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (At(p.x() + dx, p.y() + dy) != 0xFFFFFFu)
          return true;
    return false;
  };
  for (double longitude : DenseChart)
    EXPECT_TRUE(tickAt(longitude)) << longitude;
}

TEST_F(KosmoFixture, HintsNameTheAnglesCuspsAndPointsAndThePolarSubstitute) {
  const kosmo::THouseLayer layer = DenseLayer(*frame, 70);
  ASSERT_TRUE(layer.Houses->Fallback());
  frame->HousesShown = true;
  frame->ShowChart(DenseChart, DenseAspects(), DenseMoment);
  const std::vector<kosmo::THintRegion> regions = KosmoHintRegions.Houses;
  auto hintOf = [&](const QString& start) {
    for (const kosmo::THintRegion& r : regions)
      if (r.Text.startsWith(start))
        return HintAt(Corner(r, true));
    return QString();
  };
  EXPECT_EQ(hintOf("Асцендент"), "Асцендент\r" + kosmo::SignDegreeName(layer.Houses->Asc));
  EXPECT_EQ(hintOf("1 дом"), "1 дом\rкуспид: " + kosmo::SignDegreeName(layer.Houses->Cusps[0]));
  EXPECT_TRUE(hintOf("Южный узел (истинный)\r").endsWith(" дом"));
  // The legend under the table is drawn: Porphyry's houses named in words.
  bool legend = false;
  for (int y = 290; y < 370 && !legend; ++y)
    for (int x = 620; x < 798 && !legend; ++x)
      legend = At(x, y) != 0xFFFFFFu;
  EXPECT_TRUE(legend);
}

// The bi-wheel: a band of its own for the second chart, hints naming each chart, glyphs kept
// apart, dashed cross chords; back to a single chart, the single wheel returns pixel for pixel.
TEST_F(KosmoFixture, BiWheelHasItsOwnBandAndLeavesNoTraceWhenRemoved) {
  astro::TLongitudes natal{}, transit{};
  for (int b = 0; b < astro::kBodyCount; ++b) {
    natal[b] = 33.0 * b + 10;
    transit[b] = 101.0 + 1.5 * b; // a crowded stellium: the band spreads its glyphs
  }
  const astro::TAspectList aspects = ListOf({{1, 10, 2}});
  const astro::TDateTime moment = astro::EncodeDate(2005, 1, 5) + 0.5;
  frame->ShowChart(natal, aspects, moment);
  const QImage single = frame->Picture().copy();

  kosmo::TSecondWheel wheel;
  wheel.Title = "Транзиты";
  wheel.Longitudes = transit;
  wheel.Asc = 200;
  wheel.Chords.push_back({transit[0], natal[0], 1});
  for (int b = 1; b <= astro::kBodyCount; ++b)
    wheel.Hints[b] = "Транзиты: " + QString::number(b) + "\r";
  frame->SetSecond(wheel);
  EXPECT_TRUE(KosmoHintRegions.HasSecond);
  EXPECT_TRUE(KosmoHintRegions.Bodies[1].Text.startsWith("Натальная карта: Солнце"));
  const QPoint band = PolarPoint(300, 165, 300);
  EXPECT_EQ(At(band.x(), band.y()), qRgb(244, 238, 226) & 0xFFFFFF);
  for (int a = 1; a <= astro::kBodyCount; ++a) {
    const astro::TRect& r = KosmoHintRegions.SecondBodies[a].Rect;
    EXPECT_EQ(HintAt({r.Left + 7, r.Top + 7}), "Транзиты: " + QString::number(a) + "\r");
    for (int b = a + 1; b <= astro::kBodyCount; ++b) {
      const astro::TRect& o = KosmoHintRegions.SecondBodies[b].Rect;
      EXPECT_TRUE(r.Right < o.Left || o.Right < r.Left || r.Bottom < o.Top || o.Bottom < r.Top)
          << a << " overlaps " << b;
    }
  }
  // The natal glyphs moved inside the band; a cross chord crosses the white between them.
  const QRect natalSun(
      QPoint(KosmoHintRegions.Bodies[1].Rect.Left, KosmoHintRegions.Bodies[1].Rect.Top),
      QSize(16, 16));
  EXPECT_LT(std::hypot(natalSun.center().x() - 300, natalSun.center().y() - 300), 160);

  frame->SetSecond(std::nullopt);
  EXPECT_EQ(frame->Picture(), single);
  EXPECT_FALSE(KosmoHintRegions.HasSecond);
  EXPECT_EQ(KosmoHintRegions.Bodies[1].Text, "Солнце\rСолнце в квадратуре с Луной\r");
}

// Houses and a second chart together: the natal ring moves inside the band with its ticks,
// points and house numbers; no glyph, point, house number or angle label covers another, and
// both legends are drawn.
TEST_F(KosmoFixture, BiWheelWithHousesKeepsEveryMarkApart) {
  const kosmo::THouseLayer layer = DenseLayer(*frame);
  frame->HousesShown = true;
  frame->ShowChart(DenseChart, DenseAspects(), DenseMoment);
  kosmo::TSecondWheel wheel;
  wheel.Title = "Транзиты";
  for (int b = 0; b < astro::kBodyCount; ++b)
    wheel.Longitudes[b] = DenseChart[b] + 3; // crowded right over the natal stellium
  wheel.Asc = layer.Houses->Asc + 20;
  wheel.Mc = layer.Houses->Mc;
  frame->SetSecond(wheel);
  std::vector<kosmo::THintRegion> marks(KosmoHintRegions.Bodies.begin() + 1,
                                        KosmoHintRegions.Bodies.end());
  marks.insert(marks.end(), KosmoHintRegions.SecondBodies.begin() + 1,
               KosmoHintRegions.SecondBodies.end());
  marks.insert(marks.end(), KosmoHintRegions.Houses.begin(), KosmoHintRegions.Houses.end());
  ASSERT_EQ(marks.size(), 20 + 4 + 12 + layer.Points.size());
  for (std::size_t i = 0; i < marks.size(); ++i)
    for (std::size_t j = i + 1; j < marks.size(); ++j) {
      EXPECT_FALSE(Overlap(marks[i], marks[j]))
          << marks[i].Text.toStdString() << " / " << marks[j].Text.toStdString();
      const QPoint d = CentreOf(marks[i]) - CentreOf(marks[j]);
      if (j < 10) { // the natal pictures, further in, stay 22 px apart
        EXPECT_GE(std::hypot(d.x(), d.y()) * kosmo::kBiWheelHouseRadii.Picture /
                      kosmo::kBiWheelHouseRadii.Glyph,
                  22.0);
      }
    }
  for (double longitude : DenseChart) { // each natal degree keeps its tick inside the band
    const QPoint p = PolarPoint(300, 156, longitude);
    bool tick = false;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        tick = tick || At(p.x() + dx, p.y() + dy) != 0xFFFFFFu;
    EXPECT_TRUE(tick) << longitude;
  }
  bool legend = false;
  for (int y = kosmo::LegendTopUnderSecond; y < kosmo::LegendTopUnderSecond + 80 && !legend; ++y)
    for (int x = 620; x < 798 && !legend; ++x)
      legend = At(x, y) != 0xFFFFFFu;
  EXPECT_TRUE(legend);
}
