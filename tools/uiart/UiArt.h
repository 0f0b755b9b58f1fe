// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own artwork: About background, window icon, the Sun and Moon pictures of the
// planet table and the small pictures of the menu items. Everything is drawn with QPainter at
// the size asked (pixels), antialiased, on a transparent field unless stated.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace uiart {

struct TArtPiece {
  QString Name; // file name without folder, ".png"
  QImage Image;
};

// 299 x 200 night-sky field with a faint zodiac wheel; opaque.
QImage AboutBackground();
// The Tree of Life emblem on a round dark seal, square of Size pixels.
QImage WindowIcon(int Size);
// The same emblem as a scalable SVG document (a 256-unit square).
QByteArray WindowIconSvg();
// The desktop icon theme's files: hicolor/<N>x<N>/apps/astravia.png for the usual sizes 16 to
// 256 and hicolor/scalable/apps/astravia.svg, with their paths under an icons folder.
struct TThemeIcon {
  QString Path;
  QByteArray Content;
};
std::vector<TThemeIcon> ThemeIcons();
// 32 x 32 pictures of the "Солнце" and "Луна" groups.
QImage SunPicture();
QImage MoonPicture();
// 16 x 16 pictures of the drop-down items, by the item's component name
// ("OpenChart", "SaveChart", "SaveAsImage", "SaveAsText", "PrintAsImage", "PrintAsText",
// "ExitItem", "Tree", "Natal", "Taro", "N3", "N4", "HelpAbout"); a null image for any other name.
QImage MenuPicture(const QString& itemName);
// The names MenuPicture knows, in menu order.
std::vector<QString> MenuPictureNames();

// Every piece with its file name: about.png, icon16/32/48/64.png, emblem.png, sun.png,
// moon.png and menu_<item>.png.
std::vector<TArtPiece> AllPieces();

} // namespace uiart
