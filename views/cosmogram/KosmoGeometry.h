// SPDX-License-Identifier: GPL-3.0-or-later
// The radii of the cosmogram's rings, pixels from the wheel's centre, for every drawer of the
// wheel. Glyph cells are 15 x 15 pixels, body pictures 22 x 22.
#pragma once

namespace kosmo {

// The wheel as it always is.
inline constexpr int SegmentRadius = 290;   // ticks reach out to it; the numbers stand on it
inline constexpr int OuterDiscRadius = 280; // the light blue band starts here
inline constexpr int SignRingRadius = 250;  // outer edge of the sign ring
inline constexpr int SignGlyphRadius = 235;
inline constexpr int InnerDiscRadius = 220; // inner edge of the sign ring, the white disc

// What the house display adds outside the sign ring.
inline constexpr int AxisMarkRadius = 257;  // the angles' marks run from the sign ring to here
inline constexpr int AxisLabelRadius = 267; // centre of AC, DC, MC, IC in the light blue band

// A second chart's band, between the sign ring and the natal chart.
inline constexpr int SecondBandOuter = 219;
inline constexpr int SecondBandInner = 160;
inline constexpr int SecondGlyphRadius = 199;

// Where the natal chart is drawn: inside the sign ring, or inside a second chart's band.
struct TNatalRadii {
  int Edge = 219; // outer edge of the natal ring: the ticks start and the cusps end here
  // A body's tick at its true degree runs from Edge to DegreeTick; a spread glyph's line goes
  // on from there to Leader at the degree the glyph is shown at.
  int DegreeTick = 213;
  int Leader = 206;
  int Glyph = 195; // bodies' and points' glyphs
  int Picture = 175;
  int Chord = 155; // the natal aspect chords end here without house cusps
  int HouseRingOuter = 150;
  int HouseNumber = 140;
  int HouseRingInner = 130; // the aspect chords end here when houses are shown
};
inline constexpr TNatalRadii kSingleRadii{};
// Without houses the natal bodies keep their own spacing; with them every natal ring moves in
// so that ticks, leaders, glyphs, pictures and house numbers keep clear of each other.
inline constexpr TNatalRadii kBiWheelRadii{159, 153, 147, 149, 128, 110, 100, 91, 82};
inline constexpr TNatalRadii kBiWheelHouseRadii{159, 153, 149, 139, 117, 104, 100, 91, 82};

} // namespace kosmo
