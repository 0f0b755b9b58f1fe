// SPDX-License-Identifier: GPL-3.0-or-later
#include "Vocabulary.h"

#include <gtest/gtest.h>

using namespace astro;

TEST(Vocabulary, NamesAndKeysLineUpWithTheirNumbers) {
  EXPECT_EQ(PlanetNames[1], "Солнце");
  EXPECT_EQ(PlanetNames[10], "Плутон");
  EXPECT_EQ(PlanetNamesWith[2], "Луной");
  EXPECT_EQ(SignNames[1], "Овен");
  EXPECT_EQ(SignNames[12], "Рыбы");
  EXPECT_EQ(MonthNamesOf[1], "Января");
  EXPECT_EQ(MonthNamesOf[12], "Декабря");
  EXPECT_EQ(AspectKeys[6], "Sep");
  EXPECT_EQ(AspectKeys[15], "Inc");
  EXPECT_EQ(AspectNames[13], "Полутораквадрат");
  EXPECT_EQ(AspectNamesIn[18], "оппозиции");
  EXPECT_EQ(ArcanaNumerals[18], "XVIII");
  EXPECT_EQ(ArcanaNames[20], "Воскресение из мертвых");
  EXPECT_EQ(LetterNames[3], "Гимел");
  EXPECT_EQ(LetterNames[22], "Тау");
}

TEST(Vocabulary, AspectAnglesAscendAndSeptilesAreRoundedToHundredths) {
  for (int a = 2; a <= kAspectCount; ++a)
    EXPECT_LT(AspectAngles[a - 1], AspectAngles[a]) << a;
  EXPECT_EQ(AspectAngles[6], 51.43);
  EXPECT_EQ(AspectAngles[11], 102.86);
  EXPECT_EQ(AspectAngles[16], 154.29);
  EXPECT_EQ(AspectAngles[18], 180.0);
}

TEST(Vocabulary, AspectColoursAreBlueHighRedLow) {
  EXPECT_EQ(AspectColors[2], 0xFF0000u);  // pure blue
  EXPECT_EQ(AspectColors[18], 0x0000FFu); // pure red
  EXPECT_EQ(AspectColors[5], 0x0099CCu);  // red 204, green 153, blue 0
  EXPECT_EQ(AspectColors[11] & 0xFF, 187u);
  int harmonious = 0, tense = 0;
  for (int a = 1; a <= kAspectCount; ++a) {
    harmonious += AspectNature[a] == +1;
    tense += AspectNature[a] == -1;
  }
  EXPECT_EQ(harmonious, 7);
  EXPECT_EQ(tense, 7);
  EXPECT_EQ(AspectNature[6], 0);
  EXPECT_EQ(AspectNature[13], -1);
}

TEST(Vocabulary, PathsJoinTheRulingSephiroth) {
  EXPECT_EQ(PathArcanum[1][9], 3);   // Sun-Neptune: Gimel
  EXPECT_EQ(PathArcanum[2][10], 22); // Moon-Pluto: Tau
  EXPECT_EQ(PathArcanum[8][9], 1);
  int paths = 0;
  for (int b1 = 1; b1 <= kBodyCount; ++b1)
    for (int b2 = 1; b2 <= kBodyCount; ++b2) {
      EXPECT_EQ(PathArcanum[b1][b2], PathArcanum[b2][b1]);
      if (b1 < b2 && PathArcanum[b1][b2] != 0)
        ++paths;
    }
  EXPECT_EQ(paths, 22); // each of the 22 paths joins exactly one pair of sephiroth
}

TEST(Vocabulary, ArcanumShiftFollowsItsRule) {
  for (int s = 1; s <= 10; ++s) {
    EXPECT_EQ(ArcanumShift[1][s], s);
    EXPECT_EQ(ArcanumShift[2][s], 10 + s);
    EXPECT_EQ(ArcanumShift[22][s], 12 + s);
  }
  EXPECT_EQ(ArcanumShift[3][1], 21);
  EXPECT_EQ(ArcanumShift[3][3], 1);
  EXPECT_EQ(ArcanumShift[3][10], 8);
}

TEST(Vocabulary, QuinaryArcanaTakesTheTruncatedFiveDegreeSegment) {
  EXPECT_EQ(QuinaryArcana(0.0), (TArcanaTriple{6, 5, 6}));
  EXPECT_EQ(QuinaryArcana(4.999), (TArcanaTriple{6, 5, 6}));
  EXPECT_EQ(QuinaryArcana(5.0), (TArcanaTriple{10, 12, 10}));
  EXPECT_EQ(QuinaryArcana(125.0), (TArcanaTriple{1, 1, 5}));
  EXPECT_EQ(QuinaryArcana(359.99), (TArcanaTriple{13, 6, 13}));
  // Out-of-range input never leaves the table.
  EXPECT_EQ(QuinaryArcana(360.0), (TArcanaTriple{6, 5, 6}));
  EXPECT_EQ(QuinaryArcana(-1e-15), (TArcanaTriple{13, 6, 13}));
}

TEST(Vocabulary, ShiftArcanaMovesEachNumberThroughTheBodysSephira) {
  TArcanaTriple triple{6, 5, 6};
  ShiftArcana(triple, 1); // the Sun rules sephira 6
  EXPECT_EQ(triple, (TArcanaTriple{12, 2, 12}));
  TArcanaTriple pluto{1, 22, 11};
  ShiftArcana(pluto, 10); // sephira 10
  EXPECT_EQ(pluto, (TArcanaTriple{10, 22, 22}));
  TArcanaTriple bad{0, 23, 5};
  ShiftArcana(bad, 1);
  EXPECT_EQ(bad, (TArcanaTriple{0, 23, 2}));
}
