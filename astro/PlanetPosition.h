// SPDX-License-Identifier: GPL-3.0-or-later
// The chart model: ecliptic longitudes of the ten bodies (decimal degrees of date, 0 <= L < 360,
// for the moment the ephemeris store last computed), the user's aspect switches and orbs
// (degrees), and the aspects found between the bodies. OnChange fires after every search.
#pragma once

#include "IniFile.h"
#include "Vocabulary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace astro {

inline constexpr int kMaxAspects = 45; // the number of unordered pairs of ten bodies

struct TAspectItem {
  std::int32_t Planet1 = 0; // body 1..9
  std::int32_t Aspect = 0;  // aspect 1..18
  std::int32_t Planet2 = 0; // body Planet1 + 1 .. 10
  friend bool operator==(const TAspectItem&, const TAspectItem&) = default;
};

// A fixed record copied whole to the views. Items[0 .. Count - 1] are valid (the first item is
// Items[0]); the rest are stale. Ordered by Planet1, Planet2, Aspect.
struct TAspectList {
  std::int32_t Count = 0; // 0..45
  std::array<TAspectItem, kMaxAspects> Items{};
};

// The ten longitudes as handed to the views: element 0 is the Sun, element 9 Pluto (degrees).
using TLongitudes = std::array<double, kBodyCount>;

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

  // Body 1..10, degrees; stores NormalizeDegrees(Degrees). No search, no event.
  void SetLongitude(int Body, double Degrees);
  double GetLongitude(int Body) const { return Longitudes_[Body]; }
  // Sign 1..12 of the body: trunc(L / 30) + 1.
  int GetSign(int Body) const;
  // Degrees within the sign, 0 <= d < 30.
  double GetDegreeInSign(int Body) const;
  static std::string GetSignName(int Sign) { return std::string(SignNames[Sign]); }
  std::string GetBodySignName(int Body) const { return GetSignName(GetSign(Body)); }
  // Longitudes[1..10] in degrees (element 0 unused).
  const std::array<double, kBodyCount + 1>& Longitudes() const { return Longitudes_; }
  // The ten longitudes with the Sun at element 0, as the views take them.
  TLongitudes LongitudeArray() const;

  bool GetAspectEnabled(int Aspect) const { return AspectEnabled_[Aspect]; }
  // The 18 switches and orbs at once (element 0 unused). No search, no event.
  void SetAspectSettings(const std::array<bool, kAspectCount + 1>& Enabled,
                         const std::array<double, kAspectCount + 1>& Orbs);
  // Stores a changed switch and, once positions exist, searches again.
  void SetAspectEnabled(int Aspect, bool Enabled);
  static std::string GetAspectKey(int Aspect) { return std::string(AspectKeys[Aspect]); }
  static std::string GetAspectName(int Aspect) { return std::string(AspectNames[Aspect]); }
  static double GetAspectAngle(int Aspect) { return AspectAngles[Aspect]; }
  // Orb of the aspect in degrees.
  double GetOrb(int Aspect) const { return Orbs_[Aspect]; }
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
  const TAspectList& Aspects() const { return Aspects_; }
  // How many aspects that hold the last search left out of the full list; 0 when none.
  int AspectsOmitted() const { return AspectsOmitted_; }

private:
  std::array<double, kBodyCount + 1> Longitudes_{};
  std::string IniFileName_;
  std::vector<config::TIniEntry> ExtraSettings_;
  TAspectList Aspects_{};
  int AspectsOmitted_ = 0;
  std::array<bool, kAspectCount + 1> AspectEnabled_{};
  std::array<double, kAspectCount + 1> Orbs_{};
  bool PositionsValid_ = false;

  // Angular separations 0..180 in bins of 1/8 degree (bin k holds [k / 8, (k + 1) / 8), the
  // last bin exactly 180). Per bin, the set (bit a) of switched-on aspects whose orb range can
  // reach a separation in it, and the subset that holds for every separation in it; only the
  // rest go to the exact tests. Rebuilt after a switch or orb changed.
  static constexpr int kBinsPerDegree = 8;
  static constexpr int kLastBin = 180 * kBinsPerDegree;
  void RebuildCandidates();
  // Whether Aspect holds between longitudes V and C (Separation apart), by the arc tests.
  bool HoldsAspect(int Aspect, double V, double C, double Separation) const;
  // The search once the list filled up: every match, the 45 closest kept.
  void KeepClosestAspects();
  std::array<std::uint32_t, kLastBin + 1> Candidates_{};
  std::array<std::uint32_t, kLastBin + 1> Certain_{};
  bool CandidatesStale_ = true;
};

} // namespace astro
