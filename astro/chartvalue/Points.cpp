// SPDX-License-Identifier: GPL-3.0-or-later
#include "Points.h"

#include "Angles.h"

#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <mutex>

namespace astro {
namespace {

constexpr int kBodies[10] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,   SE_MARS,
                             SE_JUPITER, SE_SATURN, SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

// The most each body's daily motion (degrees a day) changes within a day: twice the largest
// change between whole days of 1799 to 2201 in the Moshier theory. A body moving faster than
// this keeps its direction for a day either side.
constexpr double kMotionChangeInADay[10] = {0.0024, 1.04,  0.40,  0.086, 0.031,
                                            0.0097, 0.053, 0.044, 0.054, 0.0068};

// The library keeps its file path and open files in globals.
std::mutex& LibraryLock() {
  static std::mutex lock;
  return lock;
}

std::optional<double> Longitude(double jd, int body, int flags, double* speed = nullptr) {
  double x[6] = {};
  char error[AS_MAXCH] = {};
  const int result = swe_calc_ut(jd, body, flags, x, error);
  if (result < 0 || (result & flags & (SEFLG_SWIEPH | SEFLG_MOSEPH)) == 0)
    return std::nullopt;
  if (speed)
    *speed = x[3];
  return NormalizeDegrees(x[0]);
}

} // namespace

std::string AsteroidFolder() {
#ifdef ASTRAVIA_SWE_EPHE_DIR
  if (std::filesystem::exists(std::filesystem::path(ASTRAVIA_SWE_EPHE_DIR) / "seas_18.se1"))
    return ASTRAVIA_SWE_EPHE_DIR;
#endif
  return {};
}

bool SunAboveHorizon(const THouses& Houses, double SunLon) {
  return NormalizeDegrees(SunLon - Houses.Dsc) < NormalizeDegrees(Houses.Asc - Houses.Dsc);
}

TPoints ComputePoints(double jdUT, const std::optional<THouses>& Houses, double SunLon,
                      double MoonLon, const std::string& Folder) {
  TPoints points;
  const std::lock_guard<std::mutex> hold(LibraryLock());
  for (auto [kind, body] :
       {std::pair{TPointKind::MeanNode, SE_MEAN_NODE},
        std::pair{TPointKind::TrueNode, SE_TRUE_NODE}, std::pair{TPointKind::Lilith, SE_MEAN_APOG}})
    if (const auto L = Longitude(jdUT, body, SEFLG_MOSEPH))
      points.Items.push_back({kind, *L});
  std::optional<double> chiron;
  if (!Folder.empty()) {
    swe_set_ephe_path(Folder.c_str());
    chiron = Longitude(jdUT, SE_CHIRON, SEFLG_SWIEPH);
  }
  if (chiron)
    points.Items.push_back({TPointKind::Chiron, *chiron});
  else
    points.Note = Folder.empty()
                      ? "Хирон не показан: нет файла астероидов seas_18.se1 (пакет swe-basic-data)"
                      : "Хирон не показан: файл астероидов в " + Folder + " не читается";
  if (Houses) {
    const double arc = SunAboveHorizon(*Houses, SunLon) ? MoonLon - SunLon : SunLon - MoonLon;
    points.Items.push_back({TPointKind::Fortune, NormalizeDegrees(Houses->Asc + arc + 360.0)});
  }
  return points;
}

std::array<TBodyMotion, 10> BodyMotions(double jdUT) {
  std::array<TBodyMotion, 10> motions{};
  const std::lock_guard<std::mutex> hold(LibraryLock());
  for (int b = 0; b < 10; ++b) {
    double before = 0, now = 0, after = 0;
    Longitude(jdUT, kBodies[b], SEFLG_MOSEPH | SEFLG_SPEED, &now);
    motions[b].Speed = now;
    // Only a body slow enough to turn within a day is looked at a day before and after.
    if (std::abs(now) > kMotionChangeInADay[b]) {
      motions[b].Motion = now < 0.0 ? TMotion::Retrograde : TMotion::Direct;
      continue;
    }
    Longitude(jdUT - 1.0, kBodies[b], SEFLG_MOSEPH | SEFLG_SPEED, &before);
    Longitude(jdUT + 1.0, kBodies[b], SEFLG_MOSEPH | SEFLG_SPEED, &after);
    if (before * now <= 0.0 || now * after <= 0.0)
      motions[b].Motion = TMotion::Stationary;
    else
      motions[b].Motion = now < 0.0 ? TMotion::Retrograde : TMotion::Direct;
  }
  return motions;
}

} // namespace astro
