// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanetPosition.h"

#include "Angles.h"
#include "Formatting.h"
#include "IniFile.h"

#include <cmath>
#include <cstdio>
#include <exception>

namespace astro {
namespace {

constexpr const char* kOrbSection = "IncludeOrbs";
constexpr const char* kSwitchSection = "IncludeAspects";

// Slack of the quick rejection in FindAspects: far above the rounding of sums of a few hundred
// degrees, far below any orb a user enters.
constexpr double kRejectSlack = 1e-9;

} // namespace

TPlanetPosition::~TPlanetPosition() {
  if (IniFileName_.empty())
    return;
  try {
    SaveSettings();
  } catch (const std::exception& error) {
    if (OnSaveError)
      OnSaveError(error.what());
    else
      std::fprintf(stderr, "%s\n", error.what());
  }
}

void TPlanetPosition::SetIniFileName(const std::string& FileName) {
  IniFileName_ = FileName;
  LoadSettings();
}

void TPlanetPosition::LoadSettings() {
  const config::TIniFile ini(IniFileName_);
  for (int k = 1; k <= kAspectCount; ++k)
    Orbs_[k] = ini.ReadFloat(kOrbSection, AspectKeys[k], 0.0);
  for (int k = 1; k <= kAspectCount; ++k)
    AspectEnabled_[k] = ini.ReadBool(kSwitchSection, AspectKeys[k], true);
}

void TPlanetPosition::SaveSettings() const {
  const config::TIniFile ini(IniFileName_);
  for (int k = 1; k <= kAspectCount; ++k)
    ini.WriteFloat(kOrbSection, AspectKeys[k], Orbs_[k]);
  for (int k = 1; k <= kAspectCount; ++k)
    ini.WriteBool(kSwitchSection, AspectKeys[k], AspectEnabled_[k]);
}

void TPlanetPosition::SetLongitude(int Body, double Degrees) {
  Longitudes_[Body] = NormalizeDegrees(Degrees);
}

int TPlanetPosition::GetSign(int Body) const {
  const double L = Longitudes_[Body];
  if (!(L >= 0.0 && L < 360.0)) // only a NaN can get here; keep the sign a valid index
    return 1;
  return static_cast<int>(L / 30.0) + 1;
}

double TPlanetPosition::GetDegreeInSign(int Body) const {
  const double L = Longitudes_[Body];
  return L - 30.0 * std::trunc(L / 30.0);
}

TLongitudes TPlanetPosition::LongitudeArray() const {
  TLongitudes result{};
  for (int b = 1; b <= kBodyCount; ++b)
    result[b - 1] = Longitudes_[b];
  return result;
}

void TPlanetPosition::SetAspectEnabled(int Aspect, bool Enabled) {
  if (AspectEnabled_[Aspect] == Enabled)
    return;
  AspectEnabled_[Aspect] = Enabled;
  if (PositionsValid_)
    FindAspects();
}

std::string TPlanetPosition::GetOrbText(int Aspect) const {
  return FormatFixed(2, 0, Orbs_[Aspect]);
}

void TPlanetPosition::SetOrbText(int Aspect, std::string_view Text) {
  const double orb = StrToFloatVal(Text);
  if (orb == Orbs_[Aspect])
    return;
  Orbs_[Aspect] = orb;
  if (PositionsValid_)
    FindAspects();
}

void TPlanetPosition::FindAspects() {
  Aspects_.Count = 0;
  for (int p1 = 1; p1 <= kBodyCount - 1 && Aspects_.Count < kMaxAspects; ++p1) {
    const double V = Longitudes_[p1];
    for (int p2 = p1 + 1; p2 <= kBodyCount && Aspects_.Count < kMaxAspects; ++p2) {
      const double C = Longitudes_[p2];
      // Angular separation 0..180. An aspect can only hold when it lies within the orb of the
      // aspect's angle; this skips the two arc tests for almost every aspect. Negative orbs
      // (a hand-edited file) go straight to the arc tests.
      double separation = std::fabs(V - C);
      if (separation > 180.0)
        separation = 360.0 - separation;
      for (int a = 1; a <= kAspectCount; ++a) {
        if (!AspectEnabled_[a])
          continue;
        const double A = AspectAngles[a];
        const double O = Orbs_[a];
        if (O >= 0.0 && std::fabs(separation - A) > O + kRejectSlack)
          continue;
        if (InArc(C + A - O, V, C + A + O) || InArc(C - A - O, V, C - A + O)) {
          Aspects_.Items[Aspects_.Count++] = {p1, a, p2};
          if (Aspects_.Count == kMaxAspects)
            break; // the list is full: the first 45 matches in search order are kept
        }
      }
    }
  }
  if (OnChange)
    OnChange(*this);
}

} // namespace astro
