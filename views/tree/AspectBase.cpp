// SPDX-License-Identifier: GPL-3.0-or-later
#include "AspectBase.h"

#include "Cp1251.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

namespace textbase {

QStringList TextLinesAt(const QByteArray& File, int64_t Offset) {
  QStringList lines;
  if (Offset < 0 || Offset >= File.size()) {
    return lines;
  }
  const char* data = File.constData();
  const int64_t size = File.size();
  const int64_t limit = std::min(size, Offset + MaxTextBytes);
  int64_t end = Offset;
  while (end < limit && data[end] != '\0') {
    ++end;
  }
  int64_t start = Offset;
  int64_t pos = Offset;
  while (pos < end) {
    const char c = data[pos];
    if (c == '\r' || c == '\n') {
      lines << QString::fromStdString(astro::Cp1251ToUtf8({data + start, size_t(pos - start)}));
      pos += (c == '\r' && pos + 1 < end && data[pos + 1] == '\n') ? 2 : 1;
      start = pos;
    } else {
      ++pos;
    }
  }
  if (start < end) {
    lines << QString::fromStdString(astro::Cp1251ToUtf8({data + start, size_t(end - start)}));
  }
  return lines;
}

QByteArray ReadWholeFile(const QString& FileName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  }
  return bytes;
}

void CreateFileWith(const QString& FileName, const QByteArray& Bytes) {
  QSaveFile file(FileName);
  if (FileName.isEmpty() || QFileInfo(FileName).isDir() || !file.open(QIODevice::WriteOnly)) {
    throw std::runtime_error("Cannot create file " + FileName.toStdString());
  }
  if (file.write(Bytes) != Bytes.size() || !file.commit()) {
    throw std::runtime_error("Unable to write to " + FileName.toStdString());
  }
}

template <int ReservedSize, size_t Count>
void ReadRecords(const QByteArray& File, std::array<TTextBaseRecord<ReservedSize>, Count>& Records,
                 bool WholeRecordsOnly) {
  constexpr int64_t recordSize = 8 + ReservedSize;
  const auto* data = reinterpret_cast<const uint8_t*>(File.constData());
  const int64_t size = File.size();
  for (size_t i = 0; i < Count; ++i) {
    const int64_t first = int64_t(i) * recordSize;
    const int64_t have = std::min(recordSize, size - first);
    if (have <= 0 || (WholeRecordsOnly && have < recordSize)) {
      break;
    }
    uint8_t raw[recordSize];
    auto& record = Records[i];
    // Start from the default record's bytes so a partial record keeps what the file lacks.
    for (int b = 0; b < 4; ++b) {
      raw[b] = uint8_t(uint32_t(record.Tag) >> (8 * b));
      raw[4 + b] = uint8_t(uint32_t(record.Offset) >> (8 * b));
    }
    std::memcpy(raw + 8, record.Reserved.data(), ReservedSize);
    std::memcpy(raw, data + first, size_t(have));
    auto le32 = [&](int at) {
      return int32_t(uint32_t(raw[at]) | uint32_t(raw[at + 1]) << 8 | uint32_t(raw[at + 2]) << 16 |
                     uint32_t(raw[at + 3]) << 24);
    };
    record.Tag = le32(0);
    record.Offset = le32(4);
    std::memcpy(record.Reserved.data(), raw + 8, ReservedSize);
  }
}

template <int ReservedSize, size_t Count>
std::vector<QStringList> TextsOf(const QByteArray& File,
                                 const std::array<TTextBaseRecord<ReservedSize>, Count>& Records) {
  std::vector<QStringList> texts(Count);
  std::map<int32_t, size_t> firstWithOffset;
  for (size_t i = 0; i < Count; ++i) {
    const auto [first, added] = firstWithOffset.emplace(Records[i].Offset, i);
    texts[i] = added ? TextLinesAt(File, Records[i].Offset) : texts[first->second];
  }
  return texts;
}

template std::vector<QStringList> TextsOf<512, 44>(const QByteArray&,
                                                   const std::array<TTextBaseRecord<512>, 44>&);
template void ReadRecords<256, 810>(const QByteArray&, std::array<TTextBaseRecord<256>, 810>&,
                                    bool);
template void ReadRecords<512, 44>(const QByteArray&, std::array<TTextBaseRecord<512>, 44>&, bool);

} // namespace textbase

namespace {

void AppendLe32(QByteArray& out, int32_t value) {
  for (int b = 0; b < 4; ++b) {
    out.append(char(uint32_t(value) >> (8 * b)));
  }
}

} // namespace

TAspectBase::TAspectBase(const QString& FileName)
    : FileName_(FileName), Texts_(EntryCount), Decoded_(EntryCount, true) {
  for (int n = 1; n <= EntryCount; ++n) {
    Index_[n - 1].Offset = IndexSize + (n - 1);
  }
  // A folder is not a base file: it is treated as a missing file that cannot be created.
  const QFileInfo info(FileName);
  if (FileName.isEmpty() || !info.exists() || info.isDir()) {
    textbase::CreateFileWith(FileName, EmptyBaseBytes());
    return;
  }
  // The base is only ever read, so it is opened read-only: a read-only install works.
  File_ = textbase::ReadWholeFile(FileName);
  // Records the file does not wholly cover keep their defaults, which lie past its end.
  textbase::ReadRecords(File_, Index_, true);
  Decoded_.assign(EntryCount, false);
}

int TAspectBase::EntryNumber(int Planet1, int Aspect, int Planet2) {
  const int lo = std::min(Planet1, Planet2);
  const int hi = std::max(Planet1, Planet2);
  if (lo < 1 || hi > 10 || lo == hi || Aspect < 1 || Aspect > 18) {
    return 0;
  }
  const int pair = (lo - 1) * (20 - lo) / 2 + (hi - lo);
  return (pair - 1) * 18 + Aspect;
}

bool TAspectBase::GetAspectText(int Planet1, int Aspect, int Planet2, QStringList* Lines) const {
  if (Lines == nullptr) {
    return true;
  }
  const int n = EntryNumber(Planet1, Aspect, Planet2);
  if (n == 0) {
    Lines->clear();
    return false;
  }
  *Lines = Texts(n);
  return true;
}

const QStringList& TAspectBase::Texts(int n) const {
  static const QStringList none;
  if (n < 1 || n > EntryCount)
    return none;
  if (!Decoded_[n - 1]) {
    Texts_[n - 1] = textbase::TextLinesAt(File_, Index_[n - 1].Offset);
    Decoded_[n - 1] = true;
  }
  return Texts_[n - 1];
}

QByteArray TAspectBase::EmptyBaseBytes() {
  QByteArray bytes;
  bytes.reserve(IndexSize + EntryCount);
  for (int n = 1; n <= EntryCount; ++n) {
    AppendLe32(bytes, 1);
    AppendLe32(bytes, IndexSize + (n - 1));
    bytes.append(256, '\0');
  }
  bytes.append(EntryCount, '\0');
  return bytes;
}
