// SPDX-License-Identifier: GPL-3.0-or-later
#include "Formatting.h"

#include <charconv>
#include <cmath>

namespace astro {
namespace {

std::string_view SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  return text.substr(i);
}

// Drops one leading "+" unless another sign follows it.
std::string_view SkipPlus(std::string_view text) {
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+')
    return text.substr(1);
  return text;
}

} // namespace

std::string ZeroPad(long long N, int Width) {
  const bool negative = N < 0;
  std::string digits = std::to_string(N);
  if (negative)
    digits.erase(0, 1);
  const int wanted = Width - (negative ? 1 : 0);
  if (static_cast<int>(digits.size()) < wanted)
    digits.insert(0, static_cast<std::size_t>(wanted) - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

std::string FormatFixed(int Decimals, int Width, double X) {
  if (Decimals < 0)
    Decimals = 0;
  if (Decimals > 30)
    Decimals = 30;
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, X, std::chars_format::fixed, Decimals);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (static_cast<int>(text.size()) < Width)
    text.insert(0, static_cast<std::size_t>(Width) - text.size(), ' ');
  return text;
}

double StrToFloatVal(std::string_view Text) {
  const std::string_view text = SkipPlus(SkipBlanks(Text));
  double value = 0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(value))
    return 0;
  return value;
}

int StrToIntVal(std::string_view Text) {
  const std::string_view text = SkipPlus(SkipBlanks(Text));
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size())
    return 0;
  return value;
}

std::string FormatDegMin(double X) {
  if (!std::isfinite(X) || X < 0)
    X = 0;
  const double whole = std::trunc(X);
  // frac(12.7) * 60 is 41.99999999999996 in binary; a nano-minute of slack gives the 42
  // the decimal value means, while 29.999 still gives 59.
  int minutes = static_cast<int>((X - whole) * 60.0 + 1e-9);
  if (minutes > 59)
    minutes = 59;
  std::string text = FormatFixed(0, 0, whole);
  text += "°";
  text += ZeroPad(minutes, 2);
  text += "’";
  return text;
}

} // namespace astro
