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
