// SPDX-License-Identifier: GPL-3.0-or-later
// The ten 22 x 22 body pictures of the cosmogram, part of the program itself.
#pragma once

#include <QImage>

// Body 1..10 (Sun .. Pluto) as a 22 x 22 RGB32 picture, pure white marking transparent pixels;
// a null picture for other numbers.
QImage BodyPicture(int Body);
