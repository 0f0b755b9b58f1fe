// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanetPosition.h"

#include "Angles.h"
#include "Formatting.h"
#include "IniFile.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

namespace astro {
namespace {

constexpr const char* kOrbSection = "IncludeOrbs";
constexpr const char* kSwitchSection = "IncludeAspects";

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
    Settings_.Orbs[k] = ini.ReadFloat(kOrbSection, AspectKeys[k], 0.0);
  for (int k = 1; k <= kAspectCount; ++k)
    Settings_.Enabled[k] = ini.ReadBool(kSwitchSection, AspectKeys[k], true);
  SearchStale_ = true;
}

void TPlanetPosition::SaveSettings() const {
  std::vector<config::TIniEntry> entries;
  for (int k = 1; k <= kAspectCount; ++k)
    entries.push_back(
        {kOrbSection, std::string(AspectKeys[k]), config::FormatIniFloat(Settings_.Orbs[k])});
  for (int k = 1; k <= kAspectCount; ++k)
    entries.push_back(
        {kSwitchSection, std::string(AspectKeys[k]), config::FormatIniBool(Settings_.Enabled[k])});
  entries.insert(entries.end(), ExtraSettings_.begin(), ExtraSettings_.end());
  config::TIniFile(IniFileName_).WriteEntries(entries);
}

void TPlanetPosition::SetLongitude(int Body, double Degrees) {
  Chart_.Longitudes[Body - 1] = NormalizeDegrees(Degrees);
  Chart_.BodyHouses[Body - 1] = 0;
}

void TPlanetPosition::SetChart(TChart Value) {
  Chart_ = std::move(Value);
  PositionsValid_ = true;
  FindAspects();
}

void TPlanetPosition::SetChartWithoutEvent(TChart Value) {
  Chart_ = std::move(Value);
  FindChartAspects(Chart_, AspectSearch());
}

const TAspectSearch& TPlanetPosition::AspectSearch() {
  if (SearchStale_) {
    Search_ = TAspectSearch(Settings_);
    SearchStale_ = false;
  }
  return Search_;
}

int TPlanetPosition::GetSign(int Body) const {
  const double L = GetLongitude(Body);
  if (!(L >= 0.0 && L < 360.0)) // only a NaN can get here; keep the sign a valid index
    return 1;
  return static_cast<int>(L / 30.0) + 1;
}

double TPlanetPosition::GetDegreeInSign(int Body) const {
  const double L = GetLongitude(Body);
  return L - 30.0 * std::trunc(L / 30.0);
}

void TPlanetPosition::SetAspectEnabled(int Aspect, bool Enabled) {
  if (Settings_.Enabled[Aspect] == Enabled)
    return;
  Settings_.Enabled[Aspect] = Enabled;
  SearchStale_ = true;
  if (PositionsValid_)
    FindAspects();
}

void TPlanetPosition::SetAspectSettings(const std::array<bool, kAspectCount + 1>& Enabled,
                                        const std::array<double, kAspectCount + 1>& Orbs) {
  Settings_.Enabled = Enabled;
  Settings_.Orbs = Orbs;
  SearchStale_ = true;
}

std::string TPlanetPosition::GetOrbText(int Aspect) const {
  return FormatFixed(2, 0, Settings_.Orbs[Aspect]);
}

void TPlanetPosition::SetOrbText(int Aspect, std::string_view Text) {
  const double orb = StrToFloatVal(Text);
  if (orb == Settings_.Orbs[Aspect])
    return;
  Settings_.Orbs[Aspect] = orb;
  SearchStale_ = true;
  if (PositionsValid_)
    FindAspects();
}

void TPlanetPosition::FindAspects() {
  FindChartAspects(Chart_, AspectSearch());
  if (OnChange)
    OnChange(*this);
}

} // namespace astro
