// SPDX-License-Identifier: GPL-3.0-or-later
// The mask picture of the Tree of Life view (553 x 800): ten named, coloured sephiroth around
// the letter boxes, the 22 paths as white channels, the hidden routes as thin white lanes, and
// white fields under the date box and the legend, on a calm parchment ground. Everything is
// placed from the tables the tree frame draws with (TreeTables.h).
#pragma once

#include "ArtworkFonts.h"

#include <QImage>

QImage DrawTreeMask(const TArtworkFonts& fonts);

// Radius in pixels of the sephira discs: as large as possible while no disc touches any route
// segment (with room for a 2-pixel pen), so every route pixel stays on white ground.
double SephiraDiscRadius();
