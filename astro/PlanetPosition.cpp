// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanetPosition.h"

#include "Angles.h"
#include "Formatting.h"
#include "IniFile.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

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
  CandidatesStale_ = true;
}

void TPlanetPosition::SaveSettings() const {
  std::vector<config::TIniEntry> entries;
  for (int k = 1; k <= kAspectCount; ++k)
    entries.push_back({kOrbSection, std::string(AspectKeys[k]), config::FormatIniFloat(Orbs_[k])});
  for (int k = 1; k <= kAspectCount; ++k)
    entries.push_back(
        {kSwitchSection, std::string(AspectKeys[k]), config::FormatIniBool(AspectEnabled_[k])});
  entries.insert(entries.end(), ExtraSettings_.begin(), ExtraSettings_.end());
  config::TIniFile(IniFileName_).WriteEntries(entries);
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
  CandidatesStale_ = true;
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
  CandidatesStale_ = true;
  if (PositionsValid_)
    FindAspects();
}

void TPlanetPosition::RebuildCandidates() {
  Candidates_.fill(0);
  for (int a = 1; a <= kAspectCount; ++a) {
    if (!AspectEnabled_[a])
      continue;
    const double A = AspectAngles[a];
    const double O = Orbs_[a];
    const std::uint32_t bit = 1u << a;
    for (int d = 0; d <= 180; ++d) {
      // Negative or unreadable orbs skip the pre-selection and go to the arc tests.
      const bool reachable =
          !(O >= 0.0) || (A - O - kRejectSlack <= d + 1.0 && d <= A + O + kRejectSlack);
      if (reachable)
        Candidates_[d] |= bit;
    }
  }
  CandidatesStale_ = false;
}

void TPlanetPosition::FindAspects() {
  if (CandidatesStale_)
    RebuildCandidates();
  Aspects_.Count = 0;
  for (int p1 = 1; p1 <= kBodyCount - 1 && Aspects_.Count < kMaxAspects; ++p1) {
    const double V = Longitudes_[p1];
    for (int p2 = p1 + 1; p2 <= kBodyCount && Aspects_.Count < kMaxAspects; ++p2) {
      const double C = Longitudes_[p2];
      // An aspect can only hold when the angular separation (0..180) lies within its orb of
      // its angle; the candidate sets skip the two arc tests for almost every aspect.
      double separation = std::fabs(V - C);
      if (separation > 180.0)
        separation = 360.0 - separation;
      std::uint32_t candidates = Candidates_[180];
      if (separation >= 0.0 && separation < 180.0)
        candidates = Candidates_[static_cast<int>(separation)];
      else if (!(separation == 180.0)) // not a number: test every switched-on aspect
        for (const std::uint32_t set : Candidates_)
          candidates |= set;
      while (candidates != 0) {
        const int a = __builtin_ctz(candidates); // ascending aspect order
        candidates &= candidates - 1;
        const double A = AspectAngles[a];
        const double O = Orbs_[a];
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
