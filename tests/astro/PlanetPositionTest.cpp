// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanetPosition.h"
#include "FileText.h"

#include "Angles.h"
#include "Formatting.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <vector>

#include <gtest/gtest.h>

using namespace astro;
namespace fs = std::filesystem;

namespace {

fs::path OutputDir() {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "astro_position";
  fs::create_directories(dir);
  return dir;
}

std::string WriteIni(const std::string& name, const std::string& text) {
  const fs::path path = OutputDir() / name;
  fs::permissions(path.parent_path(), fs::perms::owner_all, fs::perm_options::add);
  if (fs::exists(path))
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path.string();
}

// A model with every aspect on and all orbs 0 (no configuration file: nothing saved at the end),
// counting its OnChange events.
struct TTestModel {
  TPlanetPosition Model;
  int Changes = 0;
  TTestModel() {
    Model.SetIniFileName("");
    Model.OnChange = [this](TPlanetPosition& sender) {
      EXPECT_EQ(&sender, &Model);
      ++Changes;
    };
  }
  void Place(std::initializer_list<double> longitudes) {
    int body = 1;
    for (double L : longitudes)
      Model.SetLongitude(body++, L);
    for (; body <= kBodyCount; ++body) // the rest far from everything and from each other
      Model.SetLongitude(body, 200.0 + 1.7 * body * body);
    Model.SetPositionsValid(true);
  }
  // The aspects of the first two bodies.
  std::vector<int> SunMoon() const {
    std::vector<int> found;
    const TAspectList& list = Model.Aspects();
    for (int i = 0; i < list.Count; ++i)
      if (list.Items[i].Planet1 == 1 && list.Items[i].Planet2 == 2)
        found.push_back(list.Items[i].Aspect);
    return found;
  }
};

} // namespace

TEST(AspectSearch, ExactAspectsWithZeroOrbs) {
  TTestModel chart;
  chart.Place({10.00, 130.00});
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{12});
  chart.Place({10.00, 130.01});
  chart.Model.FindAspects();
  EXPECT_TRUE(chart.SunMoon().empty());
  chart.Place({10.00, 190.00}); // opposition tests the same arc twice, listed once
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{18});
  chart.Place({250.00, 10.00}); // the trine behind the second body, across 0
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{12});
  EXPECT_EQ(chart.Changes, 4);
}

TEST(AspectSearch, OrbArcsWrapAndIncludeTheirEnds) {
  TTestModel chart;
  chart.Model.SetOrbText(1, "5.00");
  chart.Place({359.00, 1.00});
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{1});
  chart.Place({1.00, 359.00});
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{1});
  chart.Place({4.00, 359.00}); // exactly at the orb
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{1});
  chart.Place({4.01, 359.00});
  chart.Model.FindAspects();
  EXPECT_TRUE(chart.SunMoon().empty());
}

TEST(AspectSearch, OnePairCarriesOverlappingAspectsInAspectOrder) {
  TTestModel chart;
  chart.Model.SetOrbText(3, "2.00");
  chart.Model.SetOrbText(4, "2.00");
  chart.Place({100.0, 62.0});
  chart.Model.FindAspects();
  EXPECT_EQ(chart.SunMoon(), (std::vector<int>{3, 4}));
  chart.Model.SetAspectEnabled(3, false); // a switched-off aspect is never listed
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{4});
}

TEST(AspectSearch, BeyondFortyFiveKeepsTheClosestInSearchOrderAndCountsTheRest) {
  TTestModel chart;
  for (int a = 1; a <= kAspectCount; ++a)
    chart.Model.SetOrbText(a, "5.00"); // 68 matches
  chart.Place({10, 45, 80, 115, 150, 185, 220, 255, 300, 0.5});
  chart.Model.FindAspects();
  ASSERT_EQ(chart.Model.Aspects().Count, kMaxAspects);
  EXPECT_EQ(chart.Model.AspectsOmitted(), 68 - kMaxAspects);
  // The slow planets' sextile, half a degree from exact, comes last in search order.
  EXPECT_EQ(chart.Model.Aspects().Items[44], (TAspectItem{9, 7, 10}));
  chart.Model.SetOrbText(1, "0.00"); // fewer than 45 again: nothing left out
  chart.Model.SetOrbText(2, "0.00");
  for (int a = 6; a <= kAspectCount; ++a)
    chart.Model.SetOrbText(a, "0.00");
  EXPECT_LT(chart.Model.Aspects().Count, kMaxAspects);
  EXPECT_EQ(chart.Model.AspectsOmitted(), 0);
}

TEST(AspectSearch, ItemsAreOrderedByPairThenAspect) {
  TTestModel chart;
  for (int a = 1; a <= kAspectCount; ++a)
    chart.Model.SetOrbText(a, "3.00");
  chart.Place({0, 30, 61, 92, 119, 151, 178, 212, 243, 270});
  chart.Model.FindAspects();
  const TAspectList& list = chart.Model.Aspects();
  ASSERT_GT(list.Count, 10);
  for (int i = 0; i < list.Count; ++i) {
    const TAspectItem& item = list.Items[i];
    EXPECT_LT(item.Planet1, item.Planet2);
    if (i > 0) {
      const TAspectItem& prev = list.Items[i - 1];
      EXPECT_TRUE(std::tie(prev.Planet1, prev.Planet2, prev.Aspect) <
                  std::tie(item.Planet1, item.Planet2, item.Aspect));
    }
  }
}

TEST(AspectSearch, KeepsFortyFiveMatchesAndNothingMore) {
  TTestModel chart;
  for (int a = 1; a <= kAspectCount; ++a)
    chart.Model.SetOrbText(a, "179"); // every aspect holds for every pair: 810 matches
  chart.Place({0, 10, 20, 30, 40, 50, 60, 70, 80, 90});
  chart.Model.FindAspects();
  const TAspectList& list = chart.Model.Aspects();
  ASSERT_EQ(list.Count, kMaxAspects);
  EXPECT_EQ(chart.Model.AspectsOmitted(), 810 - kMaxAspects);
  const auto end = list.Items.begin() + list.Count;
  EXPECT_NE(std::find(list.Items.begin(), end, TAspectItem{1, 10, 10}), end); // exact square
  // The fields after the list are untouched.
  for (int a = 1; a <= kAspectCount; ++a) {
    EXPECT_TRUE(chart.Model.GetAspectEnabled(a));
    EXPECT_EQ(chart.Model.GetOrb(a), 179.0);
  }
  EXPECT_TRUE(chart.Model.PositionsValid());
}

// The search pre-selects aspects by whole degrees of separation; it must find exactly what the
// two arc tests over every switched-on aspect find, also for separations that sit on an orb's
// edge or on a whole degree.
TEST(AspectSearch, PreselectionFindsExactlyWhatThePlainArcTestsFind) {
  std::mt19937 random(20261209);
  std::uniform_real_distribution<double> anywhere(0.0, 360.0);
  std::uniform_int_distribution<int> orbHundredths(0, 1000);
  std::uniform_int_distribution<int> coin(0, 5);
  for (int round = 0; round < 400; ++round) {
    TTestModel chart;
    for (int a = 1; a <= kAspectCount; ++a) {
      // One orb in six wide (up to 120 degrees), past the half circle the quick tests know.
      const double scale = coin(random) == 0 ? 12.0 : 1.0;
      chart.Model.SetOrbText(a, FormatFixed(2, 0, scale * orbHundredths(random) / 100.0));
      chart.Model.SetAspectEnabled(a, coin(random) != 0);
    }
    std::array<double, kBodyCount + 1> L{};
    L[1] = anywhere(random);
    for (int b = 2; b <= kBodyCount; ++b) {
      // Half the bodies sit exactly on an aspect angle (+ orb) from the Sun, or on a whole degree.
      const int a = 1 + static_cast<int>(anywhere(random)) % kAspectCount;
      switch (coin(random)) {
      case 0:
        L[b] = NormalizeDegrees(L[1] + AspectAngles[a] + chart.Model.GetOrb(a));
        break;
      case 1:
        L[b] = NormalizeDegrees(L[1] - AspectAngles[a]);
        break;
      case 2:
        L[b] = NormalizeDegrees(std::floor(L[1]) + std::floor(anywhere(random)));
        break;
      default:
        L[b] = anywhere(random);
      }
    }
    for (int b = 1; b <= kBodyCount; ++b)
      chart.Model.SetLongitude(b, L[b]);
    chart.Model.SetPositionsValid(true);
    chart.Model.FindAspects();

    std::vector<std::pair<double, TAspectItem>> all; // how far from exact, the match
    for (int p1 = 1; p1 < kBodyCount; ++p1)
      for (int p2 = p1 + 1; p2 <= kBodyCount; ++p2)
        for (int a = 1; a <= kAspectCount; ++a) {
          const double A = AspectAngles[a], O = chart.Model.GetOrb(a);
          const double d = std::fabs(L[p1] - L[p2]);
          if (chart.Model.GetAspectEnabled(a) && (InArc(L[p2] + A - O, L[p1], L[p2] + A + O) ||
                                                  InArc(L[p2] - A - O, L[p1], L[p2] - A + O)))
            all.push_back({std::fabs(std::min(d, 360.0 - d) - A), {p1, a, p2}});
        }
    std::vector<std::size_t> kept(all.size());
    std::iota(kept.begin(), kept.end(), 0);
    std::stable_sort(kept.begin(), kept.end(),
                     [&all](std::size_t x, std::size_t y) { return all[x].first < all[y].first; });
    kept.resize(std::min<std::size_t>(kept.size(), kMaxAspects));
    std::sort(kept.begin(), kept.end());
    std::vector<TAspectItem> expected;
    for (std::size_t i : kept)
      expected.push_back(all[i].second);
    EXPECT_EQ(chart.Model.AspectsOmitted(), static_cast<int>(all.size() - kept.size()));
    const TAspectList& list = chart.Model.Aspects();
    const std::vector<TAspectItem> found(list.Items.begin(), list.Items.begin() + list.Count);
    ASSERT_EQ(found, expected) << "round " << round;
  }
}

TEST(PositionModel, SignsAndDegreesTruncate) {
  TPlanetPosition model;
  model.SetLongitude(1, 0.0);
  model.SetLongitude(2, 359.99);
  model.SetLongitude(3, 45.5);
  model.SetLongitude(4, 59.999);
  model.SetLongitude(5, 360.0 + 30.0); // stored normalised
  model.SetLongitude(6, -0.5);
  EXPECT_EQ(model.GetSign(1), 1);
  EXPECT_EQ(model.GetSign(2), 12);
  EXPECT_EQ(model.GetDegreeInSign(3), 15.5);
  EXPECT_EQ(model.GetSign(4), 2);
  EXPECT_NEAR(model.GetDegreeInSign(4), 29.999, 1e-9);
  EXPECT_EQ(model.GetLongitude(5), 30.0);
  EXPECT_EQ(model.GetLongitude(6), 359.5);
  EXPECT_EQ(model.GetBodySignName(2), "Рыбы");
  EXPECT_EQ(model.GetBodySignName(4), "Телец");
  EXPECT_EQ(model.LongitudeArray()[0], 0.0);
  EXPECT_EQ(model.LongitudeArray()[2], 45.5);
  EXPECT_EQ(TPlanetPosition::GetAspectKey(18), "Opp");
  EXPECT_EQ(TPlanetPosition::GetAspectAngle(6), 51.43);
}

TEST(PositionModel, OnlyEffectiveChangesSearchAndOnlyOncePositionsExist) {
  TTestModel chart;
  chart.Model.SetOrbText(10, "2.50");
  EXPECT_EQ(chart.Model.GetOrb(10), 2.5);
  EXPECT_EQ(chart.Model.GetOrbText(10), "2.50");
  EXPECT_EQ(chart.Model.GetOrbText(11), "0.00");
  chart.Model.SetAspectEnabled(10, false);
  EXPECT_FALSE(chart.Model.GetAspectEnabled(10));
  EXPECT_EQ(chart.Changes, 0); // no positions yet: stored, not searched
  chart.Place({10.0, 100.0});
  chart.Model.SetAspectEnabled(10, true);
  EXPECT_EQ(chart.Changes, 1);
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{10});
  chart.Model.SetAspectEnabled(10, true);
  chart.Model.SetOrbText(10, "2.50");
  chart.Model.SetOrbText(10, "2.5");
  EXPECT_EQ(chart.Changes, 1);
  chart.Model.SetOrbText(10, "abc"); // not a number: taken as 0
  EXPECT_EQ(chart.Model.GetOrb(10), 0.0);
  EXPECT_EQ(chart.Changes, 2);
}

// The model holds a computed chart whole; its two aspect lists always follow the model's own
// switches and orbs, whatever the value came with.
TEST(PositionModel, HoldsAChartValueAndSearchesItUnderItsOwnSettings) {
  TTestModel chart;
  TChart value;
  value.Longitudes = {10.0, 100.0, 203.3, 217.1, 233.7, 248.9, 266.6, 283.3, 311.1, 327.7};
  value.Aspects.Count = 1; // stale: the model searches again
  value.Houses = THouses{};
  value.Houses->Asc = 190.0; // the Sun 180 degrees away, the Moon 90
  value.Houses->Mc = 56.5;
  value.BodyHouses[0] = 7;
  chart.Model.SetChart(value);
  EXPECT_EQ(chart.Changes, 1);
  EXPECT_TRUE(chart.Model.PositionsValid());
  EXPECT_EQ(chart.SunMoon(), std::vector<int>{10}); // the square, exact
  ASSERT_EQ(chart.Model.Chart().PointAspects.size(), 2u);
  EXPECT_EQ(chart.Model.Chart().PointAspects[0].Aspect, 18); // Sun opposite the ascendant
  EXPECT_EQ(chart.Model.Chart().PointAspects[1].Aspect, 10); // Moon square it
  EXPECT_EQ(chart.Model.Chart().Houses->Mc, 56.5);

  chart.Model.SetAspectEnabled(18, false); // both lists follow a switch
  EXPECT_EQ(chart.Changes, 2);
  EXPECT_EQ(chart.Model.Chart().PointAspects.size(), 1u);

  value.Houses->Asc = 280.0; // another place, the same bodies
  chart.Model.SetChartWithoutEvent(value);
  EXPECT_EQ(chart.Changes, 2);
  ASSERT_EQ(chart.Model.Chart().PointAspects.size(), 1u); // the Sun's square; the Moon's
  EXPECT_EQ(chart.Model.Chart().PointAspects[0].Body, 1); // opposition is switched off
  EXPECT_EQ(chart.Model.Aspects().Count, 2);              // Sun-Moon and Mars-Saturn (80 degrees)

  chart.Model.SetLongitude(1, 15.0); // a body moved alone: its house is no longer known
  EXPECT_EQ(chart.Model.Chart().BodyHouses[0], 0);
  EXPECT_EQ(chart.Model.GetLongitude(1), 15.0);
}

TEST(PositionSettings, MissingFileMeansEverythingOnWithExactOrbs) {
  const fs::path path = OutputDir() / "fresh.ini";
  fs::remove(path);
  {
    TPlanetPosition model;
    model.SetIniFileName(path.string());
    for (int a = 1; a <= kAspectCount; ++a) {
      EXPECT_TRUE(model.GetAspectEnabled(a));
      EXPECT_EQ(model.GetOrb(a), 0.0);
    }
    model.SetOrbText(7, "2.5");
    model.SetAspectEnabled(18, false);
  }
  const std::string text = ReadFileText(path.string());
  EXPECT_EQ(text.rfind("[IncludeOrbs]\r\nCon=0\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nSex=2.5\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n[IncludeAspects]\r\nCon=1\r\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\nQNv=1\r\nOpp=0\r\n"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '='), 36);
  TPlanetPosition again;
  again.SetIniFileName(path.string());
  EXPECT_EQ(again.GetOrb(7), 2.5);
  EXPECT_FALSE(again.GetAspectEnabled(18));
}

TEST(PositionSettings, BadAndPartialValuesFallBackPerKey) {
  const std::string path = WriteIni("partial.ini", "[IncludeOrbs]\nCon=abc\nSSx=2,5\nSQn= 1.5 \n"
                                                   "[IncludeAspects]\nSep=0\nSex=yes\n");
  {
    TPlanetPosition model;
    model.SetIniFileName(path);
    EXPECT_EQ(model.GetOrb(1), 0.0);
    EXPECT_EQ(model.GetOrb(2), 2.5); // a comma-locale file
    EXPECT_EQ(model.GetOrb(3), 1.5);
    for (int a = 1; a <= kAspectCount; ++a)
      EXPECT_EQ(model.GetAspectEnabled(a), a != 6) << a;
  }
  const std::string text = ReadFileText(path);
  EXPECT_NE(text.find("\nCon=0\n"), std::string::npos);
  EXPECT_NE(text.find("\nSSx=2.5\n"), std::string::npos);
  EXPECT_NE(text.find("\nSep=0\n"), std::string::npos);
  EXPECT_NE(text.find("\nSex=1\n"), std::string::npos);
}

TEST(PositionSettings, ARefusedSaveIsReportedAndWritesNothing) {
  const std::string original = "[IncludeOrbs]\r\nCon=8\r\n";
  const std::string path = WriteIni("readonly.ini", original);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::vector<std::string> reported;
  {
    TPlanetPosition model;
    model.SetIniFileName(path);
    EXPECT_EQ(model.GetOrb(1), 8.0);
    model.SetOrbText(1, "3");
    try {
      model.SaveSettings();
      ADD_FAILURE() << "a read-only file was reported as written";
    } catch (const std::exception& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    model.OnSaveError = [&](const std::string& message) { reported.push_back(message); };
  }
  EXPECT_EQ(reported, std::vector<std::string>{"Unable to write to " + path});
  EXPECT_EQ(ReadFileText(path), original);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
}
