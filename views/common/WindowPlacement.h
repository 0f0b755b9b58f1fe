// SPDX-License-Identifier: GPL-3.0-or-later
// Secondary windows (the table of dignities and the like) open where the user can see them:
// inside the available geometry of a screen, at the place the user last left them (kept in the
// configuration file's [Windows] section as "x,y").
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// Frame moved (and, when larger, shrunk) to lie wholly inside Available.
QRect FittedInside(QRect Frame, const QRect& Available);

// Moves Window (already sized) to its remembered place under Key, else to Preferred, then
// inside the available geometry of the screen holding most of it (the primary one when none).
void PlaceWindow(QWidget& Window, QPoint Preferred, const QString& IniPath, const char* Key);
// Keeps Window's place under Key; a configuration file that cannot be written loses only that.
void RememberWindowPlace(const QWidget& Window, const QString& IniPath, const char* Key);
