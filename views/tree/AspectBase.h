// SPDX-License-Identifier: GPL-3.0-or-later
// The aspect text base: 810 interpretation texts, one per unordered pair of bodies (1..10)
// and aspect (1..18), read once from a binary Windows-1251 file and kept in memory.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// One index record of a text base file: a tag (1 in files the program creates), the byte
// offset of the entry's text from the start of the file, and reserved bytes kept as read.
template <int ReservedSize> struct TTextBaseRecord {
  int32_t Tag = 1;
  int32_t Offset = 0;
  std::array<uint8_t, ReservedSize> Reserved{};
};

namespace textbase {

// Longest text block read, in bytes (the shipped texts are below 1 KiB): a damaged base whose
// offsets all point into one huge block cannot make 810 copies of it.
inline constexpr int64_t MaxTextBytes = 4096;

// The lines of the text at Offset of File: bytes up to the first NUL, the end of the file or
// MaxTextBytes, split at CR LF, lone CR or lone LF (a final line without a break still counts),
// decoded from Windows-1251. An offset outside the file gives no lines.
QStringList TextLinesAt(const QByteArray& File, int64_t Offset);

// TextLinesAt of every record's offset; records with the same offset share one list.
template <int ReservedSize, size_t Count>
std::vector<QStringList> TextsOf(const QByteArray& File,
                                 const std::array<TTextBaseRecord<ReservedSize>, Count>& Records);

// Reads the whole file for reading only; throws std::runtime_error "Cannot open file <path>".
QByteArray ReadWholeFile(const QString& FileName);

// Creates FileName holding Bytes; throws std::runtime_error "Cannot create file <path>" or
// "Unable to write to <path>". A failed write leaves no partial file behind.
void CreateFileWith(const QString& FileName, const QByteArray& Bytes);

// Overwrites the records with the bytes File has for them. With WholeRecordsOnly a record the
// file covers only partly keeps its defaults; otherwise the covered bytes replace the default's.
template <int ReservedSize, size_t Count>
void ReadRecords(const QByteArray& File, std::array<TTextBaseRecord<ReservedSize>, Count>& Records,
                 bool WholeRecordsOnly);

} // namespace textbase

class TAspectBase {
public:
  static constexpr int EntryCount = 810;
  static constexpr int RecordSize = 264;
  static constexpr int IndexSize = EntryCount * RecordSize; // 213840 bytes
  using TIndexRecord = TTextBaseRecord<256>;

  // Loads FileName, or creates the empty base (214650 bytes) there when no file exists.
  // Throws std::runtime_error with "Cannot open file <path>" / "Cannot create file <path>".
  explicit TAspectBase(const QString& FileName);

  // Entry number 1..810 of the unordered pair {Planet1, Planet2} (bodies 1..10, different)
  // and Aspect (1..18); 0 for anything outside those ranges.
  static int EntryNumber(int Planet1, int Aspect, int Planet2);

  // Replaces Lines by the entry's lines. A null Lines does nothing and returns true. A pair
  // or aspect with no entry clears Lines and returns false.
  bool GetAspectText(int Planet1, int Aspect, int Planet2, QStringList* Lines) const;

  const QString& FileName() const { return FileName_; }
  const std::array<TIndexRecord, EntryCount>& Index() const { return Index_; }
  // Entry n = 1..810; an empty list outside that range.
  const QStringList& Texts(int n) const;

  // The bytes of the empty base as the program creates it.
  static QByteArray EmptyBaseBytes();

private:
  QString FileName_;
  std::array<TIndexRecord, EntryCount> Index_;
  // The file as read; an entry's lines are decoded the first time they are asked for (a chart
  // needs a few dozen of the 810), and kept.
  QByteArray File_;
  mutable std::vector<QStringList> Texts_;
  mutable std::vector<bool> Decoded_;
};
