// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot deck as one strip of 23 cards of 82 x 150 (1886 x 150): the faces of arcana
// 1..22 in order, then the back. A face reads from the top: numeral, emblem, Hebrew letter,
// name; the back is the same both ways up and both ways round.
#pragma once

#include "ArtworkFonts.h"

#include <QImage>

QImage DrawCardFace(const TArtworkFonts& fonts, int arcanum);
QImage DrawCardBack();
QImage DrawCardStrip(const TArtworkFonts& fonts);
