// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing steps of the Tree of Life picture, each on a QImage of Format_RGB32 in picture
// pixels (553 x 800, origin top left). No anti-aliasing: erasing a route in white must cover
// exactly the pixels that drawing it in colour set. Rectangles are (left, top)-(right, bottom)
// with right and bottom exclusive.
#pragma once

#include "PlanetPosition.h"
#include "ViewColors.h"
#include "Vocabulary.h"

#include <QColor>
#include <QImage>
#include <QPoint>

// Refills the 66 x 22 letter box of a body (1..10) with its fill colour.
void RefillLetterBox(QImage& Picture, int Body);

// Copies the strip cells of the three letters into the body's box with destination AND source:
// black letter pixels darken the box, white ones leave it. Letter 1 goes leftmost. Letters
// outside 1..22 and cells beyond the strip are skipped.
void DrawLetters(QImage& Picture, const QImage& LetterStrip, int Body,
                 const astro::TArcanaTriple& Letters);

// Draws the route of the pair of bodies (either order) with a 2-pixel pen in Colour, solid or
// dashed as the route says. A pair without a route draws nothing.
void DrawRoute(QImage& Picture, int Planet1, int Planet2, const QColor& Colour);

// Fills both legend areas white.
void ClearLegend(QImage& Picture);

// Top-left corner of legend entry Index (1..48): twelve rows per column, columns 1 and 2 in the
// left area, 3 and 4 in the right one.
QPoint LegendOrigin(int Index);

// Legend entry Index for an aspect: a black-framed white box and the glyphs of the two bodies
// (black) and of the aspect (its colour) from the shared symbol font.
void DrawLegendEntry(QImage& Picture, int Index, const astro::TAspectItem& Item);

// The framed date box: the long date above the time (HH:MM:SS) of Moment (days since
// 1899-12-30, the fraction the time of day).
void DrawMomentBox(QImage& Picture, double Moment);
