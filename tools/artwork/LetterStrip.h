// SPDX-License-Identifier: GPL-3.0-or-later
// The letter strip: 22 cells of 22 x 22 pixels side by side (484 x 22), cell k holding the
// Hebrew letter of arcanum k (1 Aleph .. 22 Tav) in black on white, pure two-colour pixels so
// that copying a cell with "destination AND source" only darkens where the letter is.
#pragma once

#include "ArtworkFonts.h"

#include <QImage>

QImage DrawLetterStrip(const TArtworkFonts& fonts);
