// SPDX-License-Identifier: GPL-3.0-or-later
// The chart model: the current chart value (ecliptic longitudes of the ten bodies in decimal
// degrees of date, 0 <= L < 360, their aspects, and houses and points when the owner computed
// them), and the user's aspect switches and orbs (degrees). OnChange fires after every search.
#pragma once

#include "Aspects.h"
#include "ChartValue.h"
#include "IniFile.h"
#include "Vocabulary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace astro {

class TPlanetPosition {
public:
  // Fired at the end of every FindAspects with this model as sender.
  std::function<void(TPlanetPosition& Sender)> OnChange;
  // Receives the message when saving the settings fails in the destructor (an exception cannot
  // leave a destructor). Without a handler the message goes to stderr.
  std::function<void(const std::string& Message)> OnSaveError;

  TPlanetPosition() = default;
  // Saves the settings when a configuration file was given (SaveSettings).
  ~TPlanetPosition();
  TPlanetPosition(const TPlanetPosition&) = delete;
  TPlanetPosition& operator=(const TPlanetPosition&) = delete;

  // Stores the configuration file path (UTF-8), then LoadSettings. No search, no event.
  void SetIniFileName(const std::string& FileName);
  const std::string& IniFileName() const { return IniFileName_; }
  // Orbs from "IncludeOrbs" (default 0), then switches from "IncludeAspects" (default on).
  void LoadSettings();
  // Writes the 18 orbs, then the 18 switches, in one replacement of the file; throws
  // config::EIniWriteError when it cannot be written (then none is written).
  void SaveSettings() const;
  // Keys the owner adds to that save (after the 36), written in the same replacement of the file.
  void SetExtraSettings(std::vector<config::TIniEntry> Entries) {
    ExtraSettings_ = std::move(Entries);
  }

  // Body 1..10, degrees; stores NormalizeDegrees(Degrees) in the held chart. The body's house is
  // unknown (0) until the next SetChart. No search, no event.
  void SetLongitude(int Body, double Degrees);
  double GetLongitude(int Body) const { return Chart_.Longitudes[Body - 1]; }
  // Sign 1..12 of the body: trunc(L / 30) + 1.
  int GetSign(int Body) const;
  // Degrees within the sign, 0 <= d < 30.
  double GetDegreeInSign(int Body) const;
  static std::string GetSignName(int Sign) { return std::string(SignNames[Sign]); }
  std::string GetBodySignName(int Body) const { return GetSignName(GetSign(Body)); }
  // The ten longitudes with the Sun at element 0, as the views take them.
  const TLongitudes& LongitudeArray() const { return Chart_.Longitudes; }

  // The chart held: the last SetChart's value, with the longitudes written since and the
  // aspect lists of the last search.
  const TChart& Chart() const { return Chart_; }
  // Holds a computed chart, marks the positions valid and runs FindAspects, which searches its
  // aspect lists again under this model's switches and orbs and fires OnChange.
  void SetChart(TChart Value);
  // Holds a chart of the same bodies computed again (another place or house system: new
  // houses, points and aspects to them). No event.
  void SetChartWithoutEvent(TChart Value);

  bool GetAspectEnabled(int Aspect) const { return Settings_.Enabled[Aspect]; }
  // The 18 switches and orbs at once (element 0 unused). No search, no event.
  void SetAspectSettings(const std::array<bool, kAspectCount + 1>& Enabled,
                         const std::array<double, kAspectCount + 1>& Orbs);
  // Stores a changed switch and, once positions exist, searches again.
  void SetAspectEnabled(int Aspect, bool Enabled);
  static std::string GetAspectKey(int Aspect) { return std::string(AspectKeys[Aspect]); }
  static std::string GetAspectName(int Aspect) { return std::string(AspectNames[Aspect]); }
  static double GetAspectAngle(int Aspect) { return AspectAngles[Aspect]; }
  // Orb of the aspect in degrees.
  double GetOrb(int Aspect) const { return Settings_.Orbs[Aspect]; }
  const TAspectSettings& AspectSettings() const { return Settings_; }
  // The search under those switches and orbs, prepared again after one of them changed.
  const TAspectSearch& AspectSearch();
  // The orb with two decimals, no padding ("2.50").
  std::string GetOrbText(int Aspect) const;
  // Parses Text with StrToFloatVal; stores a changed orb and, once positions exist, searches.
  void SetOrbText(int Aspect, std::string_view Text);

  bool PositionsValid() const { return PositionsValid_; }
  // Set by the ephemeris store after it wrote the longitudes.
  void SetPositionsValid(bool Valid) { PositionsValid_ = Valid; }

  // Rebuilds Aspects, then fires OnChange. When more than 45 aspects hold, the 45 closest to
  // exact are kept (ties: the earlier in search order), listed in search order.
  void FindAspects();
  const TAspectList& Aspects() const { return Chart_.Aspects; }
  // How many aspects that hold the last search left out of the full list; 0 when none.
  int AspectsOmitted() const { return Chart_.AspectsOmitted; }

private:
  TChart Chart_;
  std::string IniFileName_;
  std::vector<config::TIniEntry> ExtraSettings_;
  TAspectSettings Settings_;
  bool PositionsValid_ = false;
  // Prepared for Settings_; made again by the first search after a switch or orb changed.
  TAspectSearch Search_;
  bool SearchStale_ = true;
};

} // namespace astro
