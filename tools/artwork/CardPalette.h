// SPDX-License-Identifier: GPL-3.0-or-later
// The one palette of the tarot deck: ivory faces in an indigo frame with gold rules, the
// emblems in a few earthy and jewel colours.
#pragma once

#include <QColor>

namespace deck {

inline const QColor Ivory(250, 245, 229);
inline const QColor Indigo(46, 40, 98);
inline const QColor IndigoDark(28, 24, 62);
inline const QColor Gold(214, 170, 62);
inline const QColor GoldLight(246, 218, 130);
inline const QColor GoldDark(146, 104, 28);
inline const QColor Ink(40, 34, 62);
inline const QColor Crimson(168, 34, 40);
inline const QColor Azure(58, 104, 184);
inline const QColor Leaf(58, 120, 66);
inline const QColor Stone(168, 162, 154);
inline const QColor StoneDark(110, 104, 100);
inline const QColor Wood(124, 82, 44);
inline const QColor Skin(238, 204, 166);
inline const QColor Silver(196, 200, 212);
inline const QColor Cloud(240, 240, 246);

} // namespace deck
