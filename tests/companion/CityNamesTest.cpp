// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityNames.h"

#include <gtest/gtest.h>

using namespace chart;

namespace {

TCityNames SampleBase() {
  return TCityNames({{"Россия", "Новосибирск"},
                     {"Россия", "Москва"},
                     {"Россия", "Троицк;Московская обл."},
                     {"Россия", "Троицк;Челябинская обл."},
                     {"Россия", "Омск"},
                     {"Украина", "Киев"},
                     {"россия", "Тестоград"}});
}

} // namespace

TEST(CityNames, FullNamesAndUniqueCityNamesMatch) {
  const TCityNames base = SampleBase();
  TCityMatch match = base.Match("Россия/Троицк;Московская обл.");
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.City.Country, "Россия");
  EXPECT_EQ(match.City.Entry, "Троицк;Московская обл.");

  match = base.Match("РОССИЯ/новосибирск"); // letter case of Cyrillic text is ignored
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.City.Entry, "Новосибирск");

  // An exact match wins over a match that ignores case: "россия" is its own country.
  match = base.Match("россия/Тестоград");
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.City.Country, "россия");
}

TEST(CityNames, ARegionLeftOutMustNotBeAmbiguous) {
  const TCityNames base({{"Россия", "Новосибирск;Новосибирская обл."},
                         {"Россия", "Троицк;Московская обл."},
                         {"Россия", "Троицк;Челябинская обл."}});
  TCityMatch match = base.Match("Россия/Новосибирск");
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.City.Entry, "Новосибирск;Новосибирская обл.");

  match = base.Match("Россия/Троицк");
  EXPECT_FALSE(match.Found);
  EXPECT_TRUE(match.Ambiguous);
  EXPECT_EQ(match.Suggestions, (std::vector<std::string>{"Россия/Троицк;Московская обл.",
                                                         "Россия/Троицк;Челябинская обл."}));
  // With a region given, a wrong region is not silently replaced by the other one.
  EXPECT_FALSE(base.Match("Россия/Новосибирск;Омская обл.").Found);
}

TEST(CityNames, UnknownNamesGetTheClosestEntries) {
  const TCityNames base = SampleBase();
  TCityMatch match = base.Match("Россия/Новосибрск");
  EXPECT_FALSE(match.Found);
  EXPECT_FALSE(match.Ambiguous);
  ASSERT_FALSE(match.Suggestions.empty());
  EXPECT_EQ(match.Suggestions.front(), "Россия/Новосибирск");
  EXPECT_LE(match.Suggestions.size(), std::size_t(TCityNames::MaxSuggestions));

  match = base.Match("Новосибирс"); // no country: every country's names, the closest first
  EXPECT_TRUE(match.Found && match.Guessed);
  match = base.Match("Новосибрск");
  EXPECT_FALSE(match.Found);
  ASSERT_FALSE(match.Suggestions.empty());
  EXPECT_EQ(match.Suggestions.front(), "Россия/Новосибирск");

  EXPECT_TRUE(TCityNames({}).Match("Россия/Омск").Suggestions.empty());
}

TEST(CityNames, SpellingDistanceCountsCharactersNotBytes) {
  EXPECT_EQ(SpellingDistance("Омск", "Омск"), 0);
  EXPECT_EQ(SpellingDistance("Омск", "Томск"), 1); // one Cyrillic letter is two bytes
  EXPECT_EQ(SpellingDistance("Киев", "кИЕВ"), 0);
  EXPECT_EQ(SpellingDistance("", "abc"), 3);
}

TEST(CityNames, ANameWithoutItsCountryIsLookedForInEveryCountry) {
  const TCityNames names = SampleBase();
  const TCityMatch kiev = names.Match("киев");
  EXPECT_TRUE(kiev.Found && kiev.Guessed);
  EXPECT_EQ(CityFullName(kiev.City), "Украина/Киев");
  const TCityMatch begun = names.Match("Новосиб"); // the one name that begins so
  EXPECT_TRUE(begun.Found && begun.Guessed);
  EXPECT_EQ(begun.City.Entry, "Новосибирск");
  const TCityMatch troitsk = names.Match("Троицк");
  EXPECT_TRUE(troitsk.Ambiguous);
  EXPECT_EQ(troitsk.Suggestions.size(), 2u);
  const TCityMatch many = names.Match("О"); // Омск alone begins with it, found
  EXPECT_TRUE(many.Found);
  const TCityMatch none = names.Match("Т"); // Троицк twice and Тестоград: the closest listed
  EXPECT_FALSE(none.Found);
  ASSERT_GE(none.Suggestions.size(), 3u);
  for (int i = 0; i < 3; ++i)
    EXPECT_NE(none.Suggestions[i].find("/Т"), std::string::npos) << none.Suggestions[i];
  EXPECT_FALSE(names.Match("Россия/Омск").Guessed);
}
