// SPDX-License-Identifier: GPL-3.0-or-later
// Number <-> text helpers. They always use "." as the decimal point, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace astro {

// The decimal digits of N (N >= 0), "0" prepended up to Width characters, never shortened.
std::string ZeroPad(long long N, int Width);

// X with exactly Decimals digits after "." (rounded), no thousands separator, blanks prepended
// up to Width characters, never shortened: FormatFixed(2, 6, 5.1) == "  5.10".
std::string FormatFixed(int Decimals, int Width, double X);

// The decimal number at the start of Text ("." as the point, leading blanks and one sign
// allowed, the longest number prefix taken). Text that starts with no number, or a value that is
// not finite, gives 0. Never throws.
double StrToFloatVal(std::string_view Text);

// The integer in Text (leading blanks and one sign allowed, nothing after the digits);
// 0 when Text is not an integer or does not fit an int.
int StrToIntVal(std::string_view Text);

// Degrees and minutes of X (0 <= X < 360 degrees): trunc(X), "°", trunc(frac(X) * 60) padded to
// 2 digits, "’". 12.7 gives "12°42’", 29.999 gives "29°59’" (never 30°).
std::string FormatDegMin(double X);

} // namespace astro
