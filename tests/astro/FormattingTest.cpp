// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formatting.h"
#include "Coordinates.h"
#include "Cp1251.h"

#include <clocale>

#include <gtest/gtest.h>

using namespace astro;

TEST(Formatting, ZeroPadNeverShortens) {
  EXPECT_EQ(ZeroPad(5, 2), "05");
  EXPECT_EQ(ZeroPad(987, 4), "0987");
  EXPECT_EQ(ZeroPad(12345, 2), "12345");
  EXPECT_EQ(ZeroPad(0, 3), "000");
}

TEST(Formatting, FormatFixedRoundsPadsAndNeverCuts) {
  EXPECT_EQ(FormatFixed(2, 6, 5.1), "  5.10");
  EXPECT_EQ(FormatFixed(2, 6, 52.07), " 52.07");
  EXPECT_EQ(FormatFixed(2, 6, 123.456), "123.46");
  EXPECT_EQ(FormatFixed(2, 3, 1234.5), "1234.50");
  EXPECT_EQ(FormatFixed(2, 0, 2.5), "2.50");
  EXPECT_EQ(FormatFixed(2, 0, 0), "0.00");
  EXPECT_EQ(FormatFixed(0, 0, 29.0), "29");
}

TEST(Formatting, NumbersIgnoreACommaLocale) {
  // Whatever locale is installed, the point stays ".".
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no comma locale installed";
  EXPECT_EQ(FormatFixed(2, 6, 5.1), "  5.10");
  EXPECT_EQ(StrToFloatVal("2.5"), 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Formatting, StrToFloatValTakesTheLeadingNumber) {
  EXPECT_EQ(StrToFloatVal("  5.10"), 5.1);
  EXPECT_EQ(StrToFloatVal("123.45"), 123.45);
  EXPECT_EQ(StrToFloatVal("+2.5"), 2.5);
  EXPECT_EQ(StrToFloatVal("-0.5"), -0.5);
  EXPECT_EQ(StrToFloatVal("2,5"), 2.0); // "," is not the point
  EXPECT_EQ(StrToFloatVal("abc"), 0.0);
  EXPECT_EQ(StrToFloatVal(""), 0.0);
  EXPECT_EQ(StrToFloatVal("inf"), 0.0);
  EXPECT_EQ(StrToFloatVal("1e999"), 0.0);
}

TEST(Formatting, StrToIntValWantsAWholeInteger) {
  EXPECT_EQ(StrToIntVal("05"), 5);
  EXPECT_EQ(StrToIntVal(" 2005"), 2005);
  EXPECT_EQ(StrToIntVal("-3"), -3);
  EXPECT_EQ(StrToIntVal("12a"), 0);
  EXPECT_EQ(StrToIntVal("1.5"), 0);
  EXPECT_EQ(StrToIntVal(""), 0);
  EXPECT_EQ(StrToIntVal("99999999999"), 0);
}

TEST(Formatting, FormatDegMinTruncatesWithoutBinaryLoss) {
  EXPECT_EQ(FormatDegMin(12.7), "12°42’");
  EXPECT_EQ(FormatDegMin(5.0), "5°00’");
  EXPECT_EQ(FormatDegMin(29.999), "29°59’");
  EXPECT_EQ(FormatDegMin(29.9999999999), "29°59’");
  EXPECT_EQ(FormatDegMin(0.0166), "0°00’");
  EXPECT_EQ(FormatDegMin(0.0167), "0°01’");
  // Every hundredth of a degree the ephemeris can hold shows its true minutes.
  for (int h = 0; h < 100; ++h) {
    const double x = (1500 + h) / 100.0; // 15.00 .. 15.99
    const int minutes = h * 60 / 100;
    const std::string expected = "15°" + ZeroPad(minutes, 2) + "’";
    EXPECT_EQ(FormatDegMin(x), expected) << x;
  }
}

// The UTF-16 road of the large files gives the same characters as the UTF-8 one, byte by byte.
TEST(Cp1251, Utf16DecodingAgreesWithUtf8ForEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    char16_t unit = 0;
    astro::Cp1251ToUtf16(byte, &unit);
    std::string utf8; // the unit (never a surrogate) in UTF-8
    if (unit < 0x80)
      utf8 += static_cast<char>(unit);
    else if (unit < 0x800)
      utf8 += {static_cast<char>(0xC0 | unit >> 6), static_cast<char>(0x80 | (unit & 0x3F))};
    else
      utf8 += {static_cast<char>(0xE0 | unit >> 12), static_cast<char>(0x80 | (unit >> 6 & 0x3F)),
               static_cast<char>(0x80 | (unit & 0x3F))};
    ASSERT_EQ(utf8, astro::Cp1251ToUtf8(byte)) << "byte " << b;
  }
}

TEST(Formatting, TypedCoordinatesInEveryWritingAndTheirRefusals) {
  using astro::ParseCoordinate;
  using astro::TAxis;
  const auto latitude = [](const char* text) { return ParseCoordinate(text, TAxis::Latitude); };
  const auto longitude = [](const char* text) { return ParseCoordinate(text, TAxis::Longitude); };
  EXPECT_DOUBLE_EQ(*latitude("53°30'N"), 53.5);
  EXPECT_DOUBLE_EQ(*latitude("53°30′ С"), 53.5);
  EXPECT_DOUBLE_EQ(*latitude("33 55 Ю"), -(33 + 55 / 60.0));
  EXPECT_DOUBLE_EQ(*latitude("-0 14"), -(14 / 60.0)); // Quito keeps its sign
  EXPECT_DOUBLE_EQ(*longitude("49°25'E"), 49 + 25 / 60.0);
  EXPECT_DOUBLE_EQ(*longitude("49В 25"), 49 + 25 / 60.0);
  EXPECT_DOUBLE_EQ(*longitude("0°08'W"), -(8 / 60.0));
  EXPECT_DOUBLE_EQ(*longitude("-0.1333"), -0.1333);
  EXPECT_DOUBLE_EQ(*longitude("180З"), -180);
  for (const char* wrong : {"", "91", "53 60", "53.5 10", "-53С", "53С 10 Ю", "1e2", "abc"})
    EXPECT_FALSE(latitude(wrong)) << wrong;
  for (const char* wrong : {"181", "49N", "-49З", "49 25 30 1", "--49"})
    EXPECT_FALSE(longitude(wrong)) << wrong;
}
