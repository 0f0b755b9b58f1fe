// SPDX-License-Identifier: GPL-3.0-or-later
// The ten 22 x 22 body pictures of the cosmogram (Image2 .. Image11 of its form), compiled
// into the program: each body as a small coloured disc on pure white, white marking the
// pixels the wheel leaves untouched.
#pragma once

#include <QImage>

inline constexpr int BodyPictureSize = 22;

// The picture of body 1..10 (Sun .. Pluto) as a Format_RGB32 copy; a null image for any
// other number.
QImage BodyPicture(int Body);
