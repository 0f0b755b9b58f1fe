// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PNG pictures (the letter strip) with bounds: a file that declares an enormous picture is
// refused from its header before any pixel is allocated, and only the chunks a picture needs
// (header, palette, transparency, pixel data, end) reach the decoder, so a text or profile chunk
// declaring gigabytes, or inflating to them, is never read.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Largest picture the views read, in pixels: far above any picture of the program, yet a corrupt
// header cannot make a decoder allocate gigabytes.
inline constexpr qint64 MaxPicturePixels = 4096LL * 4096;

// The PNG picture in the file; a null picture when the file cannot be read, is no PNG, is damaged,
// declares more than MaxPicturePixels or is larger than such a picture could be.
QImage LoadBoundedPicture(const QString& fileName);
// The same for bytes held in memory.
QImage DecodeBoundedPicture(const QByteArray& data);
