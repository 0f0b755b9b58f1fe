// SPDX-License-Identifier: GPL-3.0-or-later
#include "AspectBase.h"

#include "BoundedRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <random>

namespace {

QString TestPath(const char* name) {
  QDir().mkpath(ASTRAVIA_TEST_OUTPUT_DIR "/textbase");
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR "/textbase/") + name;
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  QFile::remove(path);
  return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PutLe32(QByteArray& bytes, int at, int32_t value) {
  for (int b = 0; b < 4; ++b) {
    bytes[at + b] = char(uint32_t(value) >> (8 * b));
  }
}

// A base whose entry n holds the Windows-1251 bytes Texts[n - 1], blocks laid out in reverse
// order to show that the index, not the position, finds a text.
QByteArray PackedBase(const std::vector<QByteArray>& texts) {
  QByteArray bytes(TAspectBase::IndexSize, '\0');
  for (int n = TAspectBase::EntryCount; n >= 1; --n) {
    PutLe32(bytes, (n - 1) * TAspectBase::RecordSize, 1);
    PutLe32(bytes, (n - 1) * TAspectBase::RecordSize + 4, int32_t(bytes.size()));
    bytes += texts[n - 1];
    bytes += '\0';
  }
  return bytes;
}

} // namespace

TEST(AspectBase, CreatesTheExactEmptyBaseAndReadsItBack) {
  const QString path = TestPath("empty_aspects.dat");
  {
    const TAspectBase base(path);
    for (int n = 1; n <= 810; ++n) {
      EXPECT_TRUE(base.Texts(n).isEmpty());
    }
  }
  const QByteArray bytes = ReadFile(path);
  ASSERT_EQ(bytes.size(), 214650);
  EXPECT_EQ(bytes, TAspectBase::EmptyBaseBytes());
  // Record 810: tag 1, offset 213840 + 809, then zeros; the block area is all NUL.
  const int last = 809 * 264;
  EXPECT_EQ(bytes.mid(last, 8), QByteArray::fromHex("0100000079460300"));
  EXPECT_EQ(bytes.mid(last + 8, 256), QByteArray(256, '\0'));
  EXPECT_EQ(bytes.mid(213840), QByteArray(810, '\0'));

  const TAspectBase again(path);
  EXPECT_EQ(ReadFile(path), TAspectBase::EmptyBaseBytes());
  for (int n = 1; n <= 810; ++n) {
    EXPECT_TRUE(again.Texts(n).isEmpty());
    EXPECT_EQ(again.Index()[n - 1].Offset, 213840 + n - 1);
  }
}

TEST(AspectBase, EntryNumbersFollowThePairOrderAndIgnoreBodyOrder) {
  EXPECT_EQ(TAspectBase::EntryNumber(1, 1, 2), 1);
  EXPECT_EQ(TAspectBase::EntryNumber(2, 18, 1), 18);
  EXPECT_EQ(TAspectBase::EntryNumber(2, 1, 3), 163);
  EXPECT_EQ(TAspectBase::EntryNumber(9, 18, 10), 810);
  EXPECT_EQ(TAspectBase::EntryNumber(3, 12, 1), 30);
  EXPECT_EQ(TAspectBase::EntryNumber(1, 12, 3), 30);
  // Every pair and aspect gets its own entry, 1..810 without gaps.
  std::vector<int> seen(811, 0);
  for (int lo = 1; lo <= 10; ++lo) {
    for (int hi = lo + 1; hi <= 10; ++hi) {
      for (int a = 1; a <= 18; ++a) {
        ++seen[TAspectBase::EntryNumber(lo, a, hi)];
      }
    }
  }
  EXPECT_EQ(seen[0], 0);
  EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), 810);
  // No entry for equal bodies or numbers out of range.
  EXPECT_EQ(TAspectBase::EntryNumber(4, 1, 4), 0);
  EXPECT_EQ(TAspectBase::EntryNumber(0, 1, 4), 0);
  EXPECT_EQ(TAspectBase::EntryNumber(1, 19, 4), 0);
  EXPECT_EQ(TAspectBase::EntryNumber(1, 0, 11), 0);
}

TEST(AspectBase, PackedTextsRoundTripThroughLookup) {
  std::vector<QByteArray> texts(810);
  for (int n = 1; n <= 810; ++n) {
    texts[n - 1] = "\xc7\xe0\xef\xe8\xf1\xfc " + QByteArray::number(n) + "\r\nline 2";
  }
  texts[29] = "one\rtwo\nthree\r\n\r\nfive"; // lone CR, lone LF, an empty line, no final break
  texts[0] = "";                             // a lone terminator
  texts[1] = "ends with a break\r\n";
  const QString path = TestPath("packed_aspects.dat");
  WriteFile(path, PackedBase(texts));
  const TAspectBase base(path);

  QStringList lines{"left over"};
  ASSERT_TRUE(base.GetAspectText(3, 12, 1, &lines));
  EXPECT_EQ(lines, (QStringList{"one", "two", "three", "", "five"}));
  QStringList mirrored;
  ASSERT_TRUE(base.GetAspectText(1, 12, 3, &mirrored));
  EXPECT_EQ(mirrored, lines);

  ASSERT_TRUE(base.GetAspectText(1, 1, 2, &lines));
  EXPECT_TRUE(lines.isEmpty());
  ASSERT_TRUE(base.GetAspectText(2, 2, 1, &lines));
  EXPECT_EQ(lines, QStringList{"ends with a break"});

  for (int n = 3; n <= 810; ++n) {
    if (n == 30) {
      continue;
    }
    ASSERT_EQ(base.Texts(n),
              (QStringList{QString::fromUtf8("Запись ") + QString::number(n), "line 2"}))
        << n;
  }
  QStringList neptunePluto;
  ASSERT_TRUE(base.GetAspectText(10, 18, 9, &neptunePluto));
  EXPECT_EQ(neptunePluto.first(), QString::fromUtf8("Запись 810"));
  EXPECT_TRUE(base.GetAspectText(1, 1, 2, nullptr));
  lines = QStringList{"stale"};
  EXPECT_FALSE(base.GetAspectText(5, 1, 5, &lines));
  EXPECT_TRUE(lines.isEmpty());
}

TEST(AspectBase, DamagedFilesGiveEmptyTextsWithoutReadingOutside) {
  std::vector<QByteArray> texts(810, "text");
  QByteArray bytes = PackedBase(texts) + "abc"; // the file ends without a NUL
  const int32_t size = int32_t(bytes.size());
  PutLe32(bytes, 4, size);               // entry 1 at the very end
  PutLe32(bytes, 264 + 4, 0x7fffffff);   // entry 2 far past the end
  PutLe32(bytes, 2 * 264 + 4, -5);       // entry 3 before the start
  PutLe32(bytes, 3 * 264 + 4, size - 3); // entry 4 runs to the end of the file
  const QString path = TestPath("damaged_aspects.dat");
  WriteFile(path, bytes);
  const TAspectBase base(path);
  EXPECT_TRUE(base.Texts(1).isEmpty());
  EXPECT_TRUE(base.Texts(2).isEmpty());
  EXPECT_TRUE(base.Texts(3).isEmpty());
  EXPECT_EQ(base.Texts(4), QStringList{"abc"});
  EXPECT_EQ(base.Texts(5), QStringList{"text"});

  // Shorter than the index: records it covers are used, the half-covered one and the rest
  // keep their defaults, which lie past the end.
  QByteArray shortFile = TAspectBase::EmptyBaseBytes().left(264 * 2 + 100);
  PutLe32(shortFile, 4, int32_t(shortFile.size())); // entry 1 at the end: empty
  PutLe32(shortFile, 264 + 4, 264 + 8);             // entry 2 points into its own reserved zeros
  shortFile[264 * 2 + 8] = 'x';
  PutLe32(shortFile, 264 * 2 + 4, 264 * 2 + 8); // half a record: ignored
  WriteFile(path, shortFile);
  const TAspectBase shortBase(path);
  EXPECT_EQ(shortBase.Index()[2].Offset, 213840 + 2);
  for (int n = 1; n <= 810; ++n) {
    EXPECT_TRUE(shortBase.Texts(n).isEmpty()) << n;
  }

  WriteFile(path, QByteArray());
  const TAspectBase emptyFile(path);
  EXPECT_EQ(ReadFile(path).size(), 0); // an existing file is never rewritten
  EXPECT_TRUE(emptyFile.Texts(810).isEmpty());

  std::mt19937 random(6);
  QByteArray noise(1 << 20, '\0');
  for (char& c : noise) {
    c = char(random());
  }
  WriteFile(path, noise);
  const TAspectBase noisy(path);
  for (int n = 1; n <= 810; ++n) {
    const int32_t offset = noisy.Index()[n - 1].Offset;
    if (offset < 0 || offset >= noise.size()) {
      EXPECT_TRUE(noisy.Texts(n).isEmpty()) << n;
    }
  }
}

TEST(AspectBase, OpensAReadOnlyFileAndReportsPathsItCannotUse) {
  const QString path = TestPath("readonly_aspects.dat");
  std::vector<QByteArray> texts(810, "kept");
  WriteFile(path, PackedBase(texts));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  const TAspectBase base(path);
  EXPECT_EQ(base.Texts(810), QStringList{"kept"});
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

  const QString folder = QString(ASTRAVIA_TEST_OUTPUT_DIR "/textbase/");
  try {
    TAspectBase inFolder(folder);
    FAIL() << "a folder path must not load";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + folder.toStdString());
  }
  const QString missingFolder = folder + "no such folder/aspects.dat";
  EXPECT_THROW(TAspectBase{missingFolder}, std::runtime_error);
  EXPECT_FALSE(QFile::exists(missingFolder));
}

TEST(AspectBase, OffsetsThatAllPointIntoOneBlockStayBounded) {
  // Every offset at the last byte: each entry is that one character.
  QByteArray lastByte = TAspectBase::EmptyBaseBytes().left(TAspectBase::IndexSize) + "z";
  for (int n = 1; n <= TAspectBase::EntryCount; ++n)
    PutLe32(lastByte, (n - 1) * TAspectBase::RecordSize + 4, TAspectBase::IndexSize);
  const QString lastPath = TestPath("last-byte.dat");
  WriteFile(lastPath, lastByte);
  const TAspectBase last(lastPath);
  for (int n = 1; n <= TAspectBase::EntryCount; ++n)
    ASSERT_EQ(last.Texts(n), QStringList{"z"}) << n;
  // Offsets one byte apart inside 8 MB of line breaks without a terminator: each entry is cut
  // at MaxTextBytes instead of holding millions of empty lines.
  QByteArray breaks = lastByte.left(TAspectBase::IndexSize) + QByteArray(8 << 20, '\n');
  for (int n = 1; n <= TAspectBase::EntryCount; ++n)
    PutLe32(breaks, (n - 1) * TAspectBase::RecordSize + 4, TAspectBase::IndexSize + n);
  const QString breaksPath = TestPath("breaks.dat");
  WriteFile(breaksPath, breaks);
  EXPECT_TRUE(bounded::Run(256, [&] {
    const TAspectBase base(breaksPath);
    return base.Texts(1).size() == textbase::MaxTextBytes &&
           base.Texts(TAspectBase::EntryCount).size() == textbase::MaxTextBytes;
  }));
}
