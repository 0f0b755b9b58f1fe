// SPDX-License-Identifier: GPL-3.0-or-later
// The constant vocabulary of the chart: bodies, signs, months, aspects, major arcana and the
// correspondence tables that tie bodies, sephiroth, paths and arcana together.
//
// Every table is indexed by the number of the thing it describes, counted from 1:
// bodies 1..10 (Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto),
// signs 1..12 (Aries..Pisces), months 1..12, aspects 1..18, arcana and paths 1..22,
// sephiroth 1..10, 5-degree segments 1..72. Element 0 of every table is unused (empty / 0).
// Texts are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace astro {

inline constexpr int kBodyCount = 10;
inline constexpr int kSignCount = 12;
inline constexpr int kAspectCount = 18;
inline constexpr int kArcanaCount = 22;
inline constexpr int kSephiraCount = 10;
inline constexpr int kSegmentCount = 72;

// Nominative names of the bodies.
inline constexpr std::array<std::string_view, kBodyCount + 1> PlanetNames = {
    "",       "Солнце", "Луна", "Меркурий", "Венера", "Марс",
    "Юпитер", "Сатурн", "Уран", "Нептун",   "Плутон"};

// Instrumental case ("with the Sun") used in interpretation phrases.
inline constexpr std::array<std::string_view, kBodyCount + 1> PlanetNamesWith = {
    "",         "Солнцем",  "Луной",  "Меркурием", "Венерой", "Марсом",
    "Юпитером", "Сатурном", "Ураном", "Нептуном",  "Плутоном"};

// The sephira (1..10) each body rules on the Tree of Life.
inline constexpr std::array<int, kBodyCount + 1> SephiraOfBody = {0, 6, 9, 8, 7, 5, 4, 3, 2, 1, 10};

// Sign s covers the longitudes 30 * (s - 1) <= L < 30 * s degrees.
inline constexpr std::array<std::string_view, kSignCount + 1> SignNames = {
    "",     "Овен",     "Телец",   "Близнецы", "Рак",     "Лев", "Дева",
    "Весы", "Скорпион", "Стрелец", "Козерог",  "Водолей", "Рыбы"};

// Month names in the genitive case, capitalised ("5 Января 2005г.").
inline constexpr std::array<std::string_view, 13> MonthNamesOf = {
    "",     "Января",  "Февраля",  "Марта",   "Апреля", "Мая",    "Июня",
    "Июля", "Августа", "Сентября", "Октября", "Ноября", "Декабря"};

// Aspect names, shown as the hint of an aspect's switch.
inline constexpr std::array<std::string_view, kAspectCount + 1> AspectNames = {
    "",         "Соединение",      "Полусекстиль", "Полуквинтиль", "Новиль",     "Полуквадрат",
    "Септиль",  "Секстиль",        "Квинтиль",     "Биновиль",     "Квадратура", "Бисептиль",
    "Трин",     "Полутораквадрат", "Биквинтиль",   "Квиконс",      "Трисептиль", "Кватроновиль",
    "Оппозиция"};

// Three-letter keys: captions of the switches and keys in the configuration file.
inline constexpr std::array<std::string_view, kAspectCount + 1> AspectKeys = {
    "",    "Con", "SSx", "SQn", "Nov", "SSq", "Sep", "Sex", "Qui", "BNv",
    "Squ", "BSp", "Tri", "Ses", "BQn", "Inc", "TSp", "QNv", "Opp"};

// Exact aspect angles in degrees. The septile family is stored rounded to two decimals.
inline constexpr std::array<double, kAspectCount + 1> AspectAngles = {
    0, 0, 30, 36, 40, 45, 51.43, 60, 72, 80, 90, 102.86, 120, 135, 144, 150, 154.29, 160, 180};

// Prepositional case ("in conjunction") used in interpretation phrases.
inline constexpr std::array<std::string_view, kAspectCount + 1> AspectNamesIn = {
    "",         "соединении",       "полусекстиле", "полуквинтиле", "новиле",     "полуквадрате",
    "септиле",  "секстиле",         "квинтиле",     "биновиле",     "квадратуре", "бисептиле",
    "трине",    "полутораквадрате", "биквинтиле",   "квиконсе",     "трисептиле", "кватроновиле",
    "оппозиции"};

// Drawing colour of each aspect as 0x00BBGGRR (blue in the high byte, red in the low byte).
inline constexpr std::array<std::uint32_t, kAspectCount + 1> AspectColors = {
    0,        0x00FF00, 0xFF0000, 0xFF00FF, 0x6666FF, 0x0099CC, 0xCCFF66,
    0xFFBF00, 0x6600CC, 0x9900CC, 0x0066FF, 0x33FFBB, 0xFF4848, 0x336699,
    0xFF00CC, 0xFF9933, 0x007700, 0x000099, 0x0000FF};

// Character of each aspect: +1 harmonious, -1 tense, 0 neutral.
inline constexpr std::array<int, kAspectCount + 1> AspectNature = {
    0, 0, +1, +1, -1, -1, 0, +1, +1, -1, -1, 0, +1, -1, +1, +1, 0, -1, -1};

// Roman numerals of the major arcana.
inline constexpr std::array<std::string_view, kArcanaCount + 1> ArcanaNumerals = {
    "",    "I",    "II",  "III", "IV",  "V",    "VI",    "VII", "VIII", "IX",  "X",   "XI",
    "XII", "XIII", "XIV", "XV",  "XVI", "XVII", "XVIII", "XIX", "XX",   "XXI", "XXII"};

// Names of the major arcana.
inline constexpr std::array<std::string_view, kArcanaCount + 1> ArcanaNames = {
    "",
    "Маг",
    "Врата святилища",
    "Исида",
    "Трон",
    "Владыка Арканов",
    "Два пути",
    "Колесница Осириса",
    "Равновесие и меч",
    "Внутренний свет",
    "Сфинкс",
    "Укрощенный лев",
    "Жертва",
    "Смерть с косой",
    "Два сосуда",
    "Тифон",
    "Крушение башни",
    "Звезда магов",
    "Сумрак",
    "Сияние",
    "Воскресение из мертвых",
    "Крокодил",
    "Корона магов"};

// Russian names of the Hebrew letters, one per arcanum.
inline constexpr std::array<std::string_view, kArcanaCount + 1> LetterNames = {
    "",      "Алеф", "Бет", "Гимел", "Далет", "Хе", "Вау",  "Зайн", "Хет", "Тет", "Йод", "Каф",
    "Ламед", "Мем",  "Нун", "Самех", "Айн",   "Пе", "Цаде", "Коф",  "Реш", "Шин", "Тау"};

// PathArcanum[b1][b2]: the path (arcanum 1..22) joining the sephiroth of bodies b1 and b2,
// 0 when they are not joined. Read with the smaller body first; the table is kept symmetric.
inline constexpr std::array<std::array<int, kBodyCount + 1>, kBodyCount + 1> PathArcanum = {{
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 15, 16, 14, 12, 10, 7, 5, 3, 0},
    {0, 15, 0, 20, 18, 0, 0, 0, 0, 0, 22},
    {0, 16, 20, 0, 17, 13, 0, 0, 0, 0, 21},
    {0, 14, 18, 17, 0, 0, 11, 0, 0, 0, 19},
    {0, 12, 0, 13, 0, 0, 9, 8, 0, 0, 0},
    {0, 10, 0, 0, 11, 9, 0, 0, 6, 0, 0},
    {0, 7, 0, 0, 0, 8, 0, 0, 4, 2, 0},
    {0, 5, 0, 0, 0, 0, 6, 4, 0, 1, 0},
    {0, 3, 0, 0, 0, 0, 0, 2, 1, 0, 0},
    {0, 0, 22, 21, 19, 0, 0, 0, 0, 0, 0},
}};

// Three arcana of a 5-degree segment.
using TArcanaTriple = std::array<int, 3>;

// QuinaryTable[n], n = 1..72: the three arcana of the segment 5 * (n - 1) <= L < 5 * n degrees.
inline constexpr std::array<TArcanaTriple, kSegmentCount + 1> QuinaryTable = {{
    {0, 0, 0},
    // Aries, 0-30
    {6, 5, 6},
    {10, 12, 10},
    {9, 10, 15},
    {13, 12, 16},
    {21, 5, 13},
    {5, 12, 12},
    // Taurus, 30-60
    {1, 11, 1},
    {22, 5, 11},
    {10, 7, 5},
    {4, 12, 1},
    {6, 1, 12},
    {16, 5, 5},
    // Gemini, 60-90
    {12, 7, 10},
    {5, 2, 13},
    {10, 20, 5},
    {13, 19, 5},
    {6, 1, 12},
    {10, 12, 11},
    // Cancer, 90-120
    {6, 6, 12},
    {12, 5, 17},
    {11, 12, 14},
    {10, 10, 10},
    {5, 12, 13},
    {6, 5, 8},
    // Leo, 120-150
    {5, 22, 14},
    {1, 1, 5},
    {22, 20, 10},
    {5, 1, 21},
    {10, 10, 20},
    {13, 6, 1},
    // Virgo, 150-180
    {2, 11, 12},
    {20, 21, 6},
    {6, 8, 10},
    {8, 5, 12},
    {19, 6, 11},
    {4, 14, 13},
    // Libra, 180-210
    {10, 14, 1},
    {13, 16, 8},
    {16, 5, 20},
    {7, 10, 10},
    {5, 5, 5},
    {11, 10, 13},
    // Scorpio, 210-240
    {12, 6, 6},
    {5, 12, 10},
    {12, 1, 15},
    {10, 20, 16},
    {12, 21, 16},
    {5, 10, 13},
    // Sagittarius, 240-270
    {6, 5, 6},
    {10, 14, 4},
    {21, 8, 5},
    {13, 13, 16},
    {1, 14, 14},
    {22, 10, 14},
    // Capricorn, 270-300
    {5, 2, 13},
    {10, 6, 17},
    {13, 13, 14},
    {12, 10, 10},
    {8, 20, 5},
    {20, 16, 13},
    // Aquarius, 300-330
    {2, 13, 6},
    {5, 5, 10},
    {6, 14, 16},
    {10, 8, 13},
    {2, 13, 4},
    {19, 14, 13},
    // Pisces, 330-360
    {16, 10, 1},
    {6, 2, 8},
    {5, 1, 20},
    {13, 2, 10},
    {10, 10, 5},
    {13, 6, 13},
}};

namespace detail {
constexpr std::array<std::array<int, kSephiraCount + 1>, kArcanaCount + 1> MakeArcanumShift() {
  std::array<std::array<int, kSephiraCount + 1>, kArcanaCount + 1> table{};
  for (int a = 1; a <= kArcanaCount; ++a)
    for (int s = 1; s <= kSephiraCount; ++s)
      table[a][s] = ((a - 1) * 10 + (s - 1)) % 22 + 1;
  return table;
}
} // namespace detail

// ArcanumShift[a][s]: the arcanum reached from arcanum a (1..22) through sephira s (1..10).
inline constexpr std::array<std::array<int, kSephiraCount + 1>, kArcanaCount + 1> ArcanumShift =
    detail::MakeArcanumShift();

// The three arcana of the 5-degree segment holding Longitude (degrees, 0 <= L < 360).
// Values outside that range are normalised first, so the lookup never leaves the table.
TArcanaTriple QuinaryArcana(double Longitude);

// Replaces each arcanum a of Triple by ArcanumShift[a][SephiraOfBody[Body]] (Body 1..10).
// Numbers outside 1..22, or a body outside 1..10, leave the triple unchanged.
void ShiftArcana(TArcanaTriple& Triple, int Body);

} // namespace astro
