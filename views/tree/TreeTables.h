// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed geometry of the Tree of Life picture, shared by the tree frame and by the artwork
// generator that draws the mask, so the white paths always lie under the drawn routes.
// All coordinates are pixels of the 553 x 800 picture, origin top left, y downwards.
// Bodies are numbered 1..10 (Sun..Pluto), sephiroth 1..10, paths 1..22; element 0 is unused.
// Plain C++, no Qt.
#pragma once

#include <array>
#include <string_view>

namespace tree {

inline constexpr int PictureWidth = 553;
inline constexpr int PictureHeight = 800;

// Letter box of a body: three 22 x 22 cells side by side.
inline constexpr int CellSize = 22;
inline constexpr int BoxWidth = 3 * CellSize;
inline constexpr int BoxHeight = CellSize;

struct TBodyBox {
  int X, Y;    // top-left corner
  int R, G, B; // fill colour of the box
};

inline constexpr std::array<TBodyBox, 11> BodyBoxes = {{
    {0, 0, 0, 0, 0},
    {244, 410, 229, 229, 29}, // Sun, Tiphareth
    {244, 591, 0, 186, 229},  // Moon, Yesod
    {88, 500, 229, 154, 0},   // Mercury, Hod
    {400, 499, 0, 229, 0},    // Venus, Netzach
    {88, 334, 229, 0, 0},     // Mars, Geburah
    {400, 334, 0, 0, 229},    // Jupiter, Chesed
    {88, 161, 200, 102, 0},   // Saturn, Binah
    {400, 161, 193, 0, 193},  // Uranus, Chokmah
    {244, 54, 229, 229, 229}, // Neptune, Kether
    {244, 720, 197, 197, 197} // Pluto, Malkuth
}};

enum TPenStyle : int { PenSolid = 0, PenDashed = 1 };

struct TSegment {
  int X1, Y1, X2, Y2;
};

// Route of an aspect between two bodies: 1..6 straight segments; unused segments are zero.
struct TAspectRoute {
  int SegmentCount;
  int PenStyle; // TPenStyle
  std::array<TSegment, 6> Segments;
};

// The 45 unordered pairs in the order (1,2), (1,3) .. (1,10), (2,3) .. (9,10).
inline constexpr std::array<TAspectRoute, 45> AspectRoutes = {{
    // Sun with Moon .. Pluto
    {1, PenSolid, {{{274, 472, 274, 548}}}},
    {1, PenSolid, {{{167, 488, 235, 453}}}},
    {1, PenSolid, {{{318, 451, 387, 487}}}},
    {1, PenSolid, {{{166, 367, 230, 400}}}},
    {1, PenSolid, {{{324, 402, 387, 369}}}},
    {1, PenSolid, {{{148, 216, 247, 379}}}},
    {1, PenSolid, {{{307, 379, 407, 216}}}},
    {1, PenSolid, {{{281, 116, 281, 370}}}},
    {2, PenSolid, {{{276, 472, 276, 548}, {276, 650, 276, 678}}}},
    // Moon with Mercury .. Pluto
    {1, PenSolid, {{{164, 536, 232, 576}}}},
    {1, PenSolid, {{{323, 576, 390, 536}}}},
    {3, PenDashed, {{{148, 390, 193, 463}, {202, 478, 216, 501}, {227, 520, 249, 556}}}},
    {3, PenDashed, {{{407, 390, 363, 462}, {354, 478, 339, 501}, {328, 520, 306, 556}}}},
    {5,
     PenDashed,
     {{{138, 222, 181, 336},
       {188, 355, 195, 374},
       {205, 401, 222, 447},
       {228, 465, 242, 501},
       {249, 520, 260, 550}}}},
    {5,
     PenDashed,
     {{{416, 222, 374, 336},
       {368, 355, 360, 375},
       {351, 401, 335, 447},
       {328, 465, 315, 501},
       {308, 520, 297, 551}}}},
    {2, PenSolid, {{{280, 116, 280, 370}, {280, 472, 280, 548}}}},
    {1, PenSolid, {{{272, 650, 272, 678}}}},
    // Mercury with Venus .. Pluto
    {1, PenSolid, {{{171, 510, 382, 510}}}},
    {1, PenSolid, {{{124, 457, 124, 395}}}},
    {2, PenSolid, {{{325, 404, 388, 371}, {166, 486, 234, 451}}}},
    {2, PenSolid, {{{122, 457, 122, 395}, {122, 293, 122, 223}}}},
    {4,
     PenDashed,
     {{{396, 210, 286, 331}, {265, 354, 252, 368}, {238, 383, 230, 392}, {217, 407, 157, 472}}}},
    {5,
     PenDashed,
     {{{259, 116, 242, 163},
       {236, 182, 201, 284},
       {192, 308, 182, 336},
       {176, 354, 173, 363},
       {167, 381, 139, 460}}}},
    {1, PenSolid, {{{149, 550, 248, 688}}}},
    // Venus with Mars .. Pluto
    {2, PenSolid, {{{319, 449, 388, 485}, {165, 369, 229, 402}}}},
    {1, PenSolid, {{{431, 457, 431, 395}}}},
    {4,
     PenDashed,
     {{{157, 211, 268, 331}, {289, 354, 303, 369}, {316, 383, 326, 394}, {338, 407, 398, 471}}}},
    {2, PenSolid, {{{433, 457, 433, 395}, {433, 293, 433, 223}}}},
    {5,
     PenDashed,
     {{{296, 115, 313, 163},
       {319, 182, 355, 284},
       {362, 307, 373, 336},
       {379, 354, 383, 364},
       {389, 382, 416, 460}}}},
    {1, PenSolid, {{{406, 550, 308, 688}}}},
    // Mars with Jupiter .. Pluto
    {1, PenSolid, {{{171, 345, 381, 345}}}},
    {1, PenSolid, {{{120, 293, 120, 223}}}},
    {3, PenDashed, {{{386, 197, 286, 252}, {268, 262, 208, 296}, {190, 305, 166, 319}}}},
    {3, PenDashed, {{{250, 111, 222, 163}, {212, 182, 177, 245}, {166, 265, 147, 299}}}},
    {5,
     PenDashed,
     {{{142, 393, 174, 473},
       {181, 489, 186, 501},
       {193, 520, 204, 549},
       {216, 577, 225, 599},
       {240, 637, 258, 681}}}},
    // Jupiter with Saturn .. Pluto
    {3, PenDashed, {{{167, 197, 268, 254}, {286, 264, 346, 297}, {363, 306, 387, 320}}}},
    {1, PenSolid, {{{435, 293, 435, 223}}}},
    {3, PenDashed, {{{305, 110, 334, 163}, {344, 182, 379, 245}, {389, 263, 408, 298}}}},
    {5,
     PenDashed,
     {{{414, 394, 383, 472},
       {376, 489, 371, 501},
       {363, 520, 352, 548},
       {340, 576, 330, 601},
       {316, 636, 298, 681}}}},
    // Saturn with Uranus .. Pluto
    {1, PenSolid, {{{171, 172, 381, 172}}}},
    {1, PenSolid, {{{162, 143, 235, 93}}}},
    {6,
     PenDashed,
     {{{136, 223, 160, 309},
       {172, 355, 175, 364},
       {182, 389, 202, 459},
       {206, 475, 214, 501},
       {219, 520, 232, 565},
       {255, 647, 263, 679}}}},
    // Uranus with Neptune, Pluto
    {1, PenSolid, {{{319, 93, 391, 143}}}},
    {6,
     PenDashed,
     {{{419, 224, 396, 307},
       {382, 357, 380, 366},
       {373, 389, 354, 457},
       {349, 475, 342, 501},
       {337, 520, 324, 565},
       {301, 647, 292, 679}}}},
    // Neptune with Pluto
    {3, PenSolid, {{{278, 116, 278, 370}, {278, 472, 278, 548}, {278, 650, 278, 678}}}},
}};

// Index into AspectRoutes of the unordered pair of two different bodies (1..10); -1 otherwise.
constexpr int RouteIndex(int bodyA, int bodyB) {
  if (bodyA > bodyB) {
    const int t = bodyA;
    bodyA = bodyB;
    bodyB = t;
  }
  if (bodyA < 1 || bodyB > 10 || bodyA == bodyB) {
    return -1;
  }
  int index = 0;
  for (int first = 1; first < bodyA; ++first) {
    index += 10 - first;
  }
  return index + (bodyB - bodyA - 1);
}

// The 22 paths: path p joins its owner (the upper sephira, smaller number) and a lower one.
struct TTreePath {
  int Owner, Lower;
};

inline constexpr std::array<TTreePath, 23> TreePaths = {{
    {0, 0}, {1, 2}, {1, 3}, {1, 6},  {2, 3}, {2, 6},  {2, 4},  {3, 6},
    {3, 5}, {4, 5}, {4, 6}, {4, 7},  {5, 6}, {5, 8},  {6, 7},  {6, 9},
    {6, 8}, {7, 8}, {7, 9}, {7, 10}, {8, 9}, {8, 10}, {9, 10},
}};

// The path joining two sephiroth (1..10), 0 when none does.
constexpr int PathBetween(int sephiraA, int sephiraB) {
  for (int p = 1; p <= 22; ++p) {
    const TTreePath& path = TreePaths[p];
    if ((path.Owner == sephiraA && path.Lower == sephiraB) ||
        (path.Owner == sephiraB && path.Lower == sephiraA)) {
      return p;
    }
  }
  return 0;
}

// Sephira names and angelic orders (UTF-8), and the body each sephira belongs to.
inline constexpr std::array<std::string_view, 11> SephiraNames = {
    "", "Кетер", "Хокма", "Бина", "Хесед", "Гебура", "Тиферет", "Нецах", "Йод", "Йесод", "Малкут"};
inline constexpr std::array<std::string_view, 11> SephiraOrders = {
    "",        "Хайот - Хакодеш", "Офаним",      "Аралим",  "Хашмалим", "Серафим",
    "Малахим", "Элохим",          "Бене Элохим", "Херувим", "Ишим"};
inline constexpr std::array<int, 11> BodyOfSephira = {0, 9, 8, 7, 6, 5, 1, 4, 3, 2, 10};

// Date box and legend areas (left, top, right, bottom; right and bottom exclusive as for
// filled rectangles).
struct TArea {
  int Left, Top, Right, Bottom;
};
inline constexpr TArea DateArea = {5, 2, 151, 36};
inline constexpr TArea LegendLeft = {3, 568, 125, 774};
inline constexpr TArea LegendRight = {422, 568, 544, 774};

} // namespace tree
