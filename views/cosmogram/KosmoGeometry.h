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
inline constexpr int BodyGlyphRadius = 195;
inline constexpr int BodyPictureRadius = 175;
inline constexpr int ChordRadius = 155;

// What the house display adds.
inline constexpr int AxisMarkRadius = 257;  // the angles' marks run from the sign ring to here
inline constexpr int AxisLabelRadius = 267; // centre of AC, DC, MC, IC in the light blue band
// A body's tick at its true degree runs from the disc's edge to DegreeTickRadius; a spread
// glyph's line goes on from there to LeaderRadius at the degree the glyph is shown at.
inline constexpr int DegreeTickRadius = 213;
inline constexpr int LeaderRadius = 206;
inline constexpr int HouseRingOuter = 150;
inline constexpr int HouseNumberRadius = 140;
inline constexpr int HouseRingInner = 130; // the aspect chords end here when houses are shown

} // namespace kosmo
