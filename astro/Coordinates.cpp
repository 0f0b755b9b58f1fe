// SPDX-License-Identifier: GPL-3.0-or-later
#include "Coordinates.h"

#include "Formatting.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace astro {

TDegMin SplitDegMin(double Degrees) {
  if (!std::isfinite(Degrees))
    Degrees = 0;
  const long long minutes = std::llround(std::abs(Degrees) * 60.0);
  return {Degrees < 0 && minutes > 0, static_cast<int>(minutes / 60),
          static_cast<int>(minutes % 60)};
}

std::string FormatSignedDegMin(double Degrees) {
  const TDegMin split = SplitDegMin(Degrees);
  return (split.Negative ? "-" : "") + std::to_string(split.Degrees) + "°" +
         ZeroPad(split.Minutes, 2) + "’";
}

namespace {

struct THemisphere {
  std::string_view Letter;
  TAxis Axis;
  bool Negative;
};
constexpr THemisphere kHemispheres[] = {
    {"N", TAxis::Latitude, false},  {"n", TAxis::Latitude, false},  {"С", TAxis::Latitude, false},
    {"с", TAxis::Latitude, false},  {"S", TAxis::Latitude, true},   {"s", TAxis::Latitude, true},
    {"Ю", TAxis::Latitude, true},   {"ю", TAxis::Latitude, true},   {"E", TAxis::Longitude, false},
    {"e", TAxis::Longitude, false}, {"В", TAxis::Longitude, false}, {"в", TAxis::Longitude, false},
    {"W", TAxis::Longitude, true},  {"w", TAxis::Longitude, true},  {"З", TAxis::Longitude, true},
    {"з", TAxis::Longitude, true},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
    text.replace(at, from.size(), to);
}

} // namespace

std::optional<double> ParseCoordinate(std::string_view Utf8, TAxis Axis) {
  std::string text(Utf8);
  // The hemisphere letter, at most one, anywhere in the text.
  std::optional<bool> letterNegative;
  for (const THemisphere& h : kHemispheres) {
    const std::size_t at = text.find(h.Letter);
    if (at == std::string::npos)
      continue;
    if (h.Axis != Axis || letterNegative)
      return std::nullopt;
    letterNegative = h.Negative;
    text.replace(at, h.Letter.size(), " ");
    if (text.find(h.Letter) != std::string::npos)
      return std::nullopt;
  }
  ReplaceAll(text, "\u2212", "-");
  for (std::string_view mark : {"°", "′", "’", "″", "'", "\"", ":"})
    ReplaceAll(text, mark, " ");
  std::istringstream words(text);
  std::vector<std::string> parts;
  for (std::string word; words >> word;)
    parts.push_back(word);
  if (parts.empty() || parts.size() > 3)
    return std::nullopt;
  bool negative = false;
  if (parts[0].front() == '-' || parts[0].front() == '+') {
    negative = parts[0].front() == '-';
    parts[0].erase(0, 1);
    if (letterNegative || parts[0].empty())
      return std::nullopt; // a sign and a letter would say the hemisphere twice
  }
  double value = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.find_first_not_of("0123456789.") != std::string::npos)
      return std::nullopt;
    double number = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
    const bool whole = part.find('.') == std::string::npos;
    if (error != std::errc() || end != part.data() + part.size() || part.front() == '-' ||
        part.front() == '+' || (parts.size() > 1 && !whole) || (i > 0 && number >= 60))
      return std::nullopt;
    value += number / (i == 0 ? 1 : i == 1 ? 60 : 3600);
  }
  if (letterNegative.value_or(negative))
    value = -value;
  const double limit = Axis == TAxis::Latitude ? 90 : 180;
  if (!(std::abs(value) <= limit))
    return std::nullopt;
  return value;
}

} // namespace astro
