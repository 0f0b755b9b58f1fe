// SPDX-License-Identifier: GPL-3.0-or-later
#include "CollectionText.h"

#include "Cp1251.h"

#include <QStringDecoder>
#include <string_view>

namespace archive {
namespace {

// Windows-1252 at 0x80..0x9F; the rest of the page is Latin-1. Unassigned bytes become U+FFFD.
constexpr char16_t k1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString FromWindows1252(const QByteArray& bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = QChar(b >= 0x80 && b < 0xA0 ? k1252High[b - 0x80] : char16_t(b));
  }
  return text;
}

bool IsHigh(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// Cyrillic text has letters that are high bytes side by side; Western text has accented letters
// mostly alone between ASCII ones.
bool LooksCyrillic(const QByteArray& bytes) {
  qsizetype paired = 0, single = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (!IsHigh(bytes[i]))
      continue;
    const bool before = i > 0 && IsHigh(bytes[i - 1]);
    const bool after = i + 1 < bytes.size() && IsHigh(bytes[i + 1]);
    (before || after ? paired : single) += 1;
  }
  return paired > single;
}

} // namespace

TDecodedText DecodeCollection(const QByteArray& bytes) {
  QByteArray body = bytes;
  if (body.startsWith("\xEF\xBB\xBF"))
    body.remove(0, 3);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (!utf8.hasError())
    return {text, TTextEncoding::Utf8};
  if (LooksCyrillic(body)) {
    QString cyrillic(body.size(), Qt::Uninitialized);
    astro::Cp1251ToUtf16(std::string_view(body.constData(), body.size()),
                         reinterpret_cast<char16_t*>(cyrillic.data()));
    return {cyrillic, TTextEncoding::Windows1251};
  }
  return {FromWindows1252(body), TTextEncoding::Windows1252};
}

QString EncodingName(TTextEncoding encoding) {
  switch (encoding) {
  case TTextEncoding::Windows1251:
    return QStringLiteral("Windows-1251");
  case TTextEncoding::Windows1252:
    return QStringLiteral("Windows-1252");
  case TTextEncoding::Utf8:
    break;
  }
  return QStringLiteral("UTF-8");
}

} // namespace archive
