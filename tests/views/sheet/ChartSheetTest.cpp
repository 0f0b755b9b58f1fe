// SPDX-License-Identifier: GPL-3.0-or-later
// The chart sheet drawn on a picture: texts inside the page and clear of each other, the Sun's
// degree as Swiss Ephemeris gives it, the aspect grid's orbs; the PDF carries its fonts.
#include "ChartSheet.h"

#include "DateTime.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <swephexp.h>

namespace {

astro::TAspectSettings MajorAspects() {
  astro::TAspectSettings settings;
  for (int aspect : {1, 7, 10, 12, 18}) {
    settings.Enabled[aspect] = true;
    settings.Orbs[aspect] = 6;
  }
  return settings;
}

astro::TChart MoscowChart(astro::TDateTime local = astro::EncodeDate(2005, 1, 5) + 0.5) {
  static const astro::TEfemerisClass store(ASTRAVIA_RUN_DIR "/base/efemerid.efm");
  const astro::TAspectSettings settings = MajorAspects();
  const astro::TChartMoment moment{local, local - 3.0 / 24, 3 * 3600,
                                   astro::TOffsetSource::Standard, "Europe/Moscow"};
  return astro::ComputeChart(store, settings, moment,
                             astro::TChartPlace{55.75, 37.6167, "Europe/Moscow"}, 'P', "");
}

std::vector<TSheetText> DrawOnPicture(const TSheetFacts& facts) {
  QImage page(794, 1123, QImage::Format_RGB32); // A4 at 96 dpi
  page.fill(Qt::white);
  QPainter painter(&page);
  return DrawChartSheet(painter, QRectF(0, 0, page.width(), page.height()), facts);
}

bool Holds(const std::vector<TSheetText>& texts, const QString& text) {
  return std::any_of(texts.begin(), texts.end(),
                     [&](const TSheetText& t) { return t.Text == text; });
}

void ExpectOnThePageAndClear(const std::vector<TSheetText>& texts) {
  const QRectF page(0, 0, 210, 297);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(page.contains(texts[i].Box)) << texts[i].Text.toStdString();
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const QRectF overlap = texts[i].Box.intersected(texts[j].Box);
      EXPECT_TRUE(overlap.width() < 0.3 || overlap.height() < 0.3)
          << texts[i].Text.toStdString() << " / " << texts[j].Text.toStdString();
    }
  }
}

} // namespace

TEST(ChartSheet, TextsStayOnThePageAndClearOfEachOther) {
  int argc = 0;
  QGuiApplication app(argc, nullptr);
  TSheetFacts facts;
  facts.Chart = MoscowChart();
  facts.PlaceName = "Россия, Москва";
  const std::vector<TSheetText> texts = DrawOnPicture(facts);
  ASSERT_GT(texts.size(), 200u);
  ExpectOnThePageAndClear(texts);

  // The Sun's place as Swiss Ephemeris has it, within the store's accuracy.
  double x[6];
  char error[AS_MAXCH];
  swe_calc_ut(astro::JulianDayUT(facts.Chart.Moment.Universal), SE_SUN, SEFLG_MOSEPH, x, error);
  EXPECT_TRUE(Holds(texts, DegreeInSignText(x[0])) || Holds(texts, DegreeInSignText(x[0] + 0.01)) ||
              Holds(texts, DegreeInSignText(x[0] - 0.01)))
      << DegreeInSignText(x[0]).toStdString();
  EXPECT_TRUE(Holds(texts, "Россия, Москва  ·  55°45′ с.ш. 37°37′ в.д.  ·  Europe/Moscow"));
  EXPECT_TRUE(Holds(texts, "Плацидус"));
}

// A second chart: its moment in the header, its ring on the wheel and the grid of aspects
// between the charts, every cross aspect's orb in it, no text over another.
TEST(ChartSheet, SecondChartAddsItsMomentRingAndCrossGrid) {
  int argc = 0;
  QGuiApplication app(argc, nullptr);
  TSheetFacts facts;
  facts.Chart = MoscowChart();
  const astro::TChart transit = MoscowChart(astro::EncodeDate(2025, 6, 1) + 0.5);
  const std::vector<astro::TCrossAspect> cross =
      astro::FindCrossAspects(transit, facts.Chart, MajorAspects());
  ASSERT_GT(cross.size(), 5u);
  facts.Second = TSheetSecond{"Транзиты", transit, cross};
  const std::vector<TSheetText> texts = DrawOnPicture(facts);
  ExpectOnThePageAndClear(texts);
  EXPECT_TRUE(Holds(texts, "Транзиты:  01.06.2025 12:00:00  ·  01.06.2025 09:00:00 UT"));
  EXPECT_TRUE(Holds(texts, "Аспекты между картами: Транзиты × натал"));
  for (const astro::TCrossAspect& a : cross) {
    const int minutes = int(std::lround(a.Orb * 60));
    EXPECT_TRUE(
        Holds(texts, QString("%1°%2′").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'))));
  }
}

TEST(ChartSheet, CoordinatesAndDegreesAreSigned) {
  EXPECT_EQ(CoordinatesText(-33.8667, -70.65), "33°52′ ю.ш. 70°39′ з.д.");
  EXPECT_EQ(CoordinatesText(55.75, 37.6167), "55°45′ с.ш. 37°37′ в.д.");
  EXPECT_EQ(DegreeInSignText(59.99999), "29°59′");
  EXPECT_EQ(DegreeInSignText(-0.5), "29°30′");
}

TEST(ChartSheet, PdfEmbedsItsFontsAndWritesOnePagePerChart) {
  int argc = 0;
  QGuiApplication app(argc, nullptr);
  TSheetFacts facts;
  facts.Chart = MoscowChart();
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  WriteSheetPdf(pdf, {facts, facts});
  const QByteArray bytes = pdf.data();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_TRUE(bytes.contains("/FontFile2"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2);

  EXPECT_THROW(SaveSheetPdf(ASTRAVIA_TEST_OUTPUT_DIR "/no-such-folder/sheet.pdf", {facts}),
               std::runtime_error);
}
