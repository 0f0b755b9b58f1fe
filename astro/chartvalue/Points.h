// SPDX-License-Identifier: GPL-3.0-or-later
// The points astrologers read beside the bodies, from Swiss Ephemeris at a universal-time Julian
// day (apparent geocentric tropical longitude of date, degrees): the mean and true lunar node,
// the mean Black Moon (Lilith), Chiron (from the asteroid file; left out when the file is
// missing) and the Part of Fortune. Also each body's motion at the moment.
#pragma once

#include "Houses.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace astro {

enum class TPointKind { MeanNode, TrueNode, Lilith, Chiron, Fortune };
inline constexpr int kPointKinds = 5;

// JSON keys and Russian names, by TPointKind.
inline constexpr std::array<std::string_view, kPointKinds> PointKeys = {
    "mean_node", "true_node", "lilith", "chiron", "fortune"};
inline constexpr std::array<std::string_view, kPointKinds> PointNames = {
    "Средний узел", "Истинный узел", "Чёрная Луна", "Хирон", "Парс фортуны"};

struct TPoint {
  TPointKind Kind = TPointKind::MeanNode;
  double Longitude = 0; // degrees of date
};

struct TPoints {
  std::vector<TPoint> Items; // in TPointKind order; Chiron and Fortune may be missing
  std::string Note;          // why Chiron is missing, in words; empty when it is there
};

// The folder of the asteroid file seas_18.se1 (Debian's swe-basic-data); empty when not found.
std::string AsteroidFolder();

// Nodes, Lilith and Chiron at the moment; Fortune when Houses are given, by day (ASC + Moon -
// Sun) when the Sun stands above the horizon (houses 7..12), else by night (ASC + Sun - Moon).
// SunLon and MoonLon in degrees.
TPoints ComputePoints(double jdUT, const std::optional<THouses>& Houses, double SunLon,
                      double MoonLon, const std::string& AsteroidFolder);

// The sun above the horizon: its longitude from the descendant forward to the ascendant.
bool SunAboveHorizon(const THouses& Houses, double SunLon);

enum class TMotion { Direct, Retrograde, Stationary };
struct TBodyMotion {
  double Speed = 0; // degrees per day, negative when retrograde
  TMotion Motion = TMotion::Direct;
};
// Bodies 1..10 (element 0 the Sun), from Swiss Ephemeris (Moshier theory): Stationary when the
// body turns within a day of the moment, else by the sign of its daily motion.
std::array<TBodyMotion, 10> BodyMotions(double jdUT);

} // namespace astro
