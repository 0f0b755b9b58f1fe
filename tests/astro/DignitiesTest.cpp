// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped table of dignities and the reader's refusals.
#include "Dignities.h"

#include <gtest/gtest.h>

using namespace astro;

namespace {

const std::string kShipped = std::string(ASTRAVIA_SOURCE_DIR) + "/data/dignities.txt";

std::string ErrorOf(std::string_view text) {
  try {
    ParseDignityTable(text, "d.txt");
  } catch (const EDignityTableError& error) {
    return error.what();
  }
  return "";
}

} // namespace

TEST(Dignities, ShippedTableGivesTheClassicalPositionsAndPoints) {
  const TDignityTable table = ReadDignityTable(kShipped);
  EXPECT_NE(table.Tradition.find("Лилли"), std::string::npos);
  const auto check = [&](int body, int sign, const char* text, int points) {
    const TBodyDignity dignity = DignityOf(table, body, sign);
    EXPECT_EQ(DignityText(dignity), text) << body << " in " << sign;
    EXPECT_EQ(dignity.Points, points) << body << " in " << sign;
  };
  check(1, 5, "обитель", 5);              // Sun in Leo
  check(1, 7, "падение", -4);             // Sun in Libra
  check(2, 2, "экзальтация", 4);          // Moon in Taurus
  check(3, 6, "обитель, экзальтация", 9); // Mercury in Virgo holds both
  check(3, 12, "изгнание, падение", -9);  // and is doubly weak in Pisces
  check(7, 1, "падение", -4);             // Saturn in Aries
  check(6, 12, "обитель", 5);             // Jupiter keeps Pisces beside Neptune
  check(10, 8, "обитель", 5);             // Pluto in Scorpio, the modern ruler
  check(8, 8, "—", 0);                    // no exaltation given to Uranus
  check(8, 5, "изгнание", -5);            // Uranus in Leo
  const TChartDignities chart = ChartDignities(table, {5, 2, 6, 1, 4, 12, 1, 8, 12, 8});
  EXPECT_EQ(TotalPoints(chart), 5 + 4 + 9 - 5 - 4 + 5 - 4 + 0 + 5 + 5);
}

TEST(Dignities, MalformedTablesAreRefusedNamingFileAndLine) {
  const std::string head =
      "традиция: т\nбаллы: обитель 5, экзальтация 4, изгнание -5, падение −4\n";
  std::string bodies;
  for (int b = 2; b <= kBodyCount; ++b)
    bodies += std::string(PlanetNames[b]) + ": обитель Рак\n";
  EXPECT_EQ(ErrorOf(head + "Солнце: обитель Лев\n" + bodies), "");
  EXPECT_EQ(ErrorOf(head + "Солнце: обитель Лвв\n" + bodies),
            "d.txt, строка 3: неизвестный знак «Лвв»");
  EXPECT_EQ(ErrorOf(head + bodies), "d.txt: нет строки планеты «Солнце»");
  EXPECT_EQ(ErrorOf(head + "Солнце: обитель Лев; падение Лев\n" + bodies),
            "d.txt, строка 3: планета «Солнце» и сильна, и слаба в знаке «Лев»");
  EXPECT_EQ(ErrorOf("баллы: обитель 5\n"),
            "d.txt, строка 1: не даны баллы положения «экзальтация»");
  EXPECT_EQ(ErrorOf("баллы: обитель пять\n"),
            "d.txt, строка 1: баллы положения «обитель пять» не число");
  EXPECT_EQ(ErrorOf("Солнце обитель Лев\n"), "d.txt, строка 1: нет двоеточия после ключа");
  EXPECT_EQ(ErrorOf(head + "Солнце: обитель Лев\nСолнце: падение Весы\n" + bodies),
            "d.txt, строка 4: планета «Солнце» описана второй раз");
  EXPECT_THROW(ReadDignityTable("/nonexistent/dignities.txt"), EDignityTableError);
  EXPECT_EQ(DignityOf(ReadDignityTable(kShipped), 11, 1).Points, 0); // out of range: none
}

// Hand-worked places against Lilly's scoring, on both sides of term and face boundaries.
TEST(Dignities, TriplicityTermAndFaceScoreByDegreeAndSect) {
  const TDignityTable table = ReadDignityTable(kShipped);
  const TSect day{true, true}, night{false, true};
  const auto check = [&](int body, double longitude, TSect sect, const char* held, int points) {
    const TBodyDignity d = FullDignityOf(table, body, longitude, 0, sect);
    EXPECT_EQ(EssentialText(d), held) << body << " at " << longitude;
    EXPECT_EQ(d.EssentialPoints, points) << body << " at " << longitude;
  };
  const double minute = 1.0 / 60;
  check(6, 6 - minute, day, "терм", 2);    // Jupiter, Aries 5°59′: his own term
  check(6, 6, day, "перегрин", -5);        // Aries 6°00′: Venus' term
  check(6, 6, night, "тройственность", 3); // fire's night ruler
  check(4, 6, day, "изгнание, терм", -3);  // Venus there: detriment and term
  check(7, 180 + 6 - minute, day, "экзальтация, тройственность, терм", 9); // Saturn, Libra 5°59′
  check(7, 180 + 6, night, "экзальтация", 4);              // Libra 6°00′, at night
  check(1, 120 + 10, day, "обитель, тройственность", 8);   // Sun, Leo 10°00′: Jupiter's face
  check(6, 120 + 10 - minute, night, "тройственность", 3); // Jupiter, Leo 9°59′: Saturn's face
  check(6, 120 + 10, night, "тройственность, фас", 4);     // Leo 10°00′: his own
  check(2, 30 + 14, night, "экзальтация, тройственность, фас", 8); // Moon, Taurus 14°
  check(3, 330 + 19.5, day, "изгнание, падение, перегрин", -14);   // Mercury, Pisces 19°30′
  check(5, 360 - minute, night, "тройственность, фас", 4);         // Mars, Pisces 29°59′
  check(8, 125, day, "изгнание", -5);                              // Uranus in Leo: never peregrine
  EXPECT_EQ(FullDignityOf(table, 5, 360 - minute, 0, day).FaceRuler, 5);
  EXPECT_EQ(FullDignityOf(table, 1, 359.9, 10, day).AccidentalPoints, 5);
  EXPECT_EQ(FullDignityOf(table, 1, 359.9, 12, day).AccidentalPoints, -5);
  EXPECT_EQ(FullDignityOf(table, 1, 359.9, 8, day).AccidentalPoints, -2);
  EXPECT_EQ(HouseKindName(7), "угловой");
  EXPECT_EQ(HouseKindName(11), "последующий");
  EXPECT_EQ(HouseKindName(9), "падающий");
}

// The Egyptian terms of each planet add up to its "minor years", and the faces run in Chaldean
// order from Mars in Aries: checks of the whole tables against the tradition's own sums.
TEST(Dignities, TermsAddUpToTheMinorYearsAndFacesFollowTheChaldeanOrder) {
  const TMinorDignities minor = *ReadDignityTable(kShipped).Minor;
  std::array<int, kBodyCount + 1> years{};
  for (int sign = 1; sign <= kSignCount; ++sign) {
    int start = 0;
    for (const TTerm& term : minor.Terms[sign]) {
      years[term.Body] += term.End - start;
      start = term.End;
    }
  }
  EXPECT_EQ(years, (std::array<int, kBodyCount + 1>{0, 0, 0, 76, 82, 66, 79, 57, 0, 0, 0}));
  const int chaldean[] = {7, 6, 5, 1, 4, 3, 2};
  for (int face = 0; face < 36; ++face)
    EXPECT_EQ(minor.Faces[face / 3 + 1][face % 3], chaldean[(face + 2) % 7]) << face;
}

TEST(Dignities, SectFromTheAscendantOrTheClock) {
  EXPECT_FALSE(SectOf(100, 10, 12).Day); // under the horizon, near the lower midheaven
  EXPECT_TRUE(SectOf(280, 10, 0).Day);   // near the midheaven, whatever the clock says
  EXPECT_TRUE(SectOf(280, 10, 0).FromHorizon);
  EXPECT_TRUE(SectOf(0, std::nullopt, 12).Day);
  EXPECT_FALSE(SectOf(0, std::nullopt, 18).Day);
  const std::string text = "традиция: т\nбаллы: обитель 5, экзальтация 4, изгнание -5, "
                           "падение -4\n";
  std::string bodies;
  for (int b = 1; b <= kBodyCount; ++b)
    bodies += std::string(PlanetNames[b]) + ": обитель Рак\n";
  EXPECT_EQ(ErrorOf(text + bodies +
                    "термы Овен: Юпитер 6, Венера 5, Меркурий 20, Марс 25, "
                    "Сатурн 30\n"),
            "d.txt, строка 13: границы термов должны расти до 30°: «Венера 5»");
  EXPECT_EQ(ErrorOf(text + bodies + "фасы Овен: Марс, Солнце, Венера\n"),
            "d.txt: нет строки «тройственности» с источником таблицы");
}
