// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot text base: 44 texts (arcana 1..22 upright as n, reversed as 22 + n), read once
// from a binary Windows-1251 file and kept in memory as UTF-8 lines.
#pragma once

#include "AspectBase.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class TTaroBase {
public:
  static constexpr int TextCount = 44;
  static constexpr int RecordSize = 520;
  static constexpr int HeaderSize = TextCount * RecordSize; // 22880 bytes
  using THeaderRecord = TTextBaseRecord<512>;

  // Loads FileName, or creates the empty base (22924 bytes) there when no file exists.
  // Throws std::runtime_error with "Cannot open file <path>" / "Cannot create file <path>".
  explicit TTaroBase(const QString& FileName);
  virtual ~TTaroBase() = default;

  const QString& FileName() const { return FileName_; }
  const std::array<THeaderRecord, TextCount>& Header() const { return Header_; }
  // Text i = 1..44; an empty list outside that range.
  const QStringList& Texts(int i) const;

  // The bytes of the empty base as the program creates it.
  static QByteArray EmptyBaseBytes();

private:
  QString FileName_;
  std::array<THeaderRecord, TextCount> Header_;
  std::vector<QStringList> Texts_;
};
