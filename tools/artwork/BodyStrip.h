// SPDX-License-Identifier: GPL-3.0-or-later
// The body strip of the cosmogram: ten 22 x 22 pictures side by side (220 x 22), body b
// (1 Sun .. 10 Pluto) at x = 22 (b - 1): each body as a small coloured disc on pure white.
// White is the transparent colour of the wheel, so no edge pixel is left near white: an
// almost-white edge would show as a pale ring where a body lies over another.
#pragma once

#include <QImage>

QImage DrawBodyStrip();
