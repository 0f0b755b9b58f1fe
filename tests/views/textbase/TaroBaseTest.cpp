// SPDX-License-Identifier: GPL-3.0-or-later
#include "TaroBase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

QString TestPath(const char* name) {
  QDir().mkpath(ASTRAVIA_TEST_OUTPUT_DIR "/textbase");
  const QString path = QString(ASTRAVIA_TEST_OUTPUT_DIR "/textbase/") + name;
  QFile::remove(path);
  return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

void PutLe32(QByteArray& bytes, int at, int32_t value) {
  for (int b = 0; b < 4; ++b) {
    bytes[at + b] = char(uint32_t(value) >> (8 * b));
  }
}

} // namespace

TEST(TaroBase, CreatesTheExactEmptyBase) {
  const QString path = TestPath("empty_taro.dat");
  const TTaroBase base(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), 22924);
  EXPECT_EQ(bytes.mid(0, 8), QByteArray::fromHex("0100000060590000"));        // (1, 22880)
  EXPECT_EQ(bytes.mid(43 * 520, 8), QByteArray::fromHex("010000008b590000")); // (1, 22923)
  EXPECT_EQ(bytes.mid(22880), QByteArray(44, '\0'));
  for (int i = 1; i <= 44; ++i) {
    EXPECT_TRUE(base.Texts(i).isEmpty());
    EXPECT_EQ(bytes.mid((i - 1) * 520 + 8, 512), QByteArray(512, '\0'));
  }
  const TTaroBase again(path);
  EXPECT_EQ(again.Header()[43].Offset, 22923);
}

TEST(TaroBase, TextsComeFromTheirOwnOffsets) {
  QByteArray bytes = TTaroBase::EmptyBaseBytes();
  const int first = int(bytes.size());
  bytes += QByteArray("\xcc\xe0\xe3\r\n\xe2\xf2\xee\xf0\xe0\xff") + '\0' + "after";
  PutLe32(bytes, 4, first);
  PutLe32(bytes, 520 + 4, first);                         // two records, one text
  PutLe32(bytes, 2 * 520 + 4, int32_t(bytes.size()) - 5); // the bytes after the NUL, to the end
  PutLe32(bytes, 3 * 520 + 4, int32_t(bytes.size()));     // at the end: empty
  PutLe32(bytes, 4 * 520 + 4, -1);
  const QString path = TestPath("shared_taro.dat");
  WriteFile(path, bytes);
  const TTaroBase base(path);
  const QStringList expected{QString::fromUtf8("Маг"), QString::fromUtf8("вторая")};
  EXPECT_EQ(base.Texts(1), expected);
  EXPECT_EQ(base.Texts(2), expected);
  EXPECT_EQ(base.Texts(3), QStringList{"after"});
  EXPECT_TRUE(base.Texts(4).isEmpty());
  EXPECT_TRUE(base.Texts(5).isEmpty());
  EXPECT_TRUE(base.Texts(6).isEmpty()); // default offset: a lone NUL
  EXPECT_TRUE(base.Texts(45).isEmpty());
}

TEST(TaroBase, AShortFileKeepsTheDefaultOffsetsItLacks) {
  // 1.5 records: record 1 points at its own reserved bytes; record 2's offset field is cut
  // after two bytes 00 01, its upper half keeps the default 22881's (61 59 00 00): 0x100.
  QByteArray bytes(780, '\0');
  PutLe32(bytes, 0, 1);
  PutLe32(bytes, 4, 8);
  bytes.replace(8, 5, "First");
  bytes.replace(256, 4, "Half");
  PutLe32(bytes, 520, 1);
  bytes[524] = char(0x00);
  bytes[525] = char(0x01);
  bytes.truncate(526);
  const QString path = TestPath("short_taro.dat");
  WriteFile(path, bytes);
  const TTaroBase base(path);
  EXPECT_EQ(base.Texts(1), QStringList{"First"});
  EXPECT_EQ(base.Header()[1].Offset, 0x100);
  EXPECT_EQ(base.Texts(2), QStringList{"Half"});
  for (int i = 3; i <= 44; ++i) {
    EXPECT_TRUE(base.Texts(i).isEmpty()) << i;
  }
  EXPECT_EQ(base.Header()[2].Offset, 22882);
}

TEST(TaroBase, ReadOnlyFilesLoadAndFoldersAreReported) {
  const QString path = TestPath("readonly_taro.dat");
  QByteArray bytes = TTaroBase::EmptyBaseBytes();
  PutLe32(bytes, 43 * 520 + 4, int32_t(bytes.size()));
  bytes += "last";
  WriteFile(path, bytes);
  QFile::setPermissions(path, QFile::ReadOwner);
  const TTaroBase base(path);
  EXPECT_EQ(base.Texts(44), QStringList{"last"});
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

  const QString folder = QString(ASTRAVIA_TEST_OUTPUT_DIR "/textbase");
  try {
    TTaroBase inFolder(folder);
    FAIL() << "a folder path must not load";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file " + folder.toStdString());
  }
}
