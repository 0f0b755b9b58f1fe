// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a chart collection file: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1251 or Windows-1252, whichever the bytes look like (Cyrillic words are runs of high
// bytes, Western accents mostly single ones between ASCII letters).
#pragma once

#include <QByteArray>
#include <QString>

namespace archive {

enum class TTextEncoding { Utf8, Windows1251, Windows1252 };

struct TDecodedText {
  QString Text;
  TTextEncoding Encoding = TTextEncoding::Utf8;
};

TDecodedText DecodeCollection(const QByteArray& Bytes);
// "UTF-8", "Windows-1251", "Windows-1252".
QString EncodingName(TTextEncoding Encoding);

} // namespace archive
