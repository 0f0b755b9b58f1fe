// SPDX-License-Identifier: GPL-3.0-or-later
// Reading pictures of the formats Qt knows (the letter strip is a PNG) with a size bound: a file
// that declares an enormous picture is refused from its header, before any pixel is allocated.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Largest picture the views read, in pixels: far above any picture of the program, yet a corrupt
// header cannot make a decoder allocate gigabytes.
inline constexpr qint64 MaxPicturePixels = 4096LL * 4096;

// The picture in the file; a null picture when the file cannot be read, is no picture, is damaged
// or declares more than MaxPicturePixels.
QImage LoadBoundedPicture(const QString& fileName);
// The same for bytes held in memory.
QImage DecodeBoundedPicture(const QByteArray& data);
