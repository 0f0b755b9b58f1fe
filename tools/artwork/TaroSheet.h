// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet of the tarot spread (480 x 1050) on which the 22 cards are laid: each place
// framed, and the Tree of Life drawn through the places: every card lies on its own path
// between the two sephiroth it joins, so an empty spread still reads as a layout.
#pragma once

#include "ArtworkFonts.h"

#include <QImage>

QImage DrawTaroSheet(const TArtworkFonts& fonts);
