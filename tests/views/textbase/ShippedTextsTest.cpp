// SPDX-License-Identifier: GPL-3.0-or-later
// The bases the build packs into the runtime folder: complete, distinct, and plain Windows-1251.
#include "AspectBase.h"
#include "TaroBase.h"
#include "Vocabulary.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString kAspectFile = ASTRAVIA_RUN_DIR "/aspects.dat";
const QString kTaroFile = ASTRAVIA_RUN_DIR "/taro.dat";

// Stems that every case form of a body's name starts with.
const char* const kBodyStems[10] = {"Солнц",  "Лун",    "Меркури", "Венер",  "Марс",
                                    "Юпитер", "Сатурн", "Уран",    "Нептун", "Плутон"};
// Stems of the aspect names, lower case.
const char* const kAspectStems[18] = {
    "соединени",       "полусекстил", "полуквинтил", "новил",     "полуквадрат", "септил",
    "секстил",         "квинтил",     "биновил",     "квадратур", "бисептил",    "трин",
    "полутораквадрат", "биквинтил",   "квиконс",     "трисептил", "кватроновил", "оппозици"};
QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Only printable Windows-1251 bytes, CR LF line ends and NUL terminators; no 0x98 hole.
void ExpectPlainCp1251(const QByteArray& bytes, int from) {
  for (int i = from; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    ASSERT_TRUE(c >= 0x20 || c == '\r' || c == '\n' || c == 0) << "byte " << i;
    ASSERT_NE(c, 0x98) << "byte " << i;
    if (c == '\r') {
      ASSERT_EQ(bytes[i + 1], '\n') << "byte " << i;
    }
  }
}

int SentenceCount(const QString& text) {
  return int(text.count(QRegularExpression("[.!?…](\\s|$)")));
}

} // namespace

TEST(ShippedTexts, EveryAspectTextIsPresentDistinctAndNamesItsBodiesAndAspect) {
  ASSERT_TRUE(QFile::exists(kAspectFile)) << kAspectFile.toStdString();
  const TAspectBase base(kAspectFile);
  QSet<QString> seen;
  for (int lo = 1; lo <= 10; ++lo) {
    for (int hi = lo + 1; hi <= 10; ++hi) {
      for (int a = 1; a <= 18; ++a) {
        QStringList lines;
        ASSERT_TRUE(base.GetAspectText(hi, a, lo, &lines));
        const QString text = lines.join(' ');
        const std::string where = std::to_string(lo) + "-" + std::to_string(hi) + "/" +
                                  std::to_string(a) + ": " + text.toStdString();
        ASSERT_FALSE(text.isEmpty()) << where;
        EXPECT_TRUE(text.contains(QString::fromUtf8(kBodyStems[lo - 1]))) << where;
        EXPECT_TRUE(text.contains(QString::fromUtf8(kBodyStems[hi - 1]))) << where;
        EXPECT_TRUE(text.toLower().contains(QString::fromUtf8(kAspectStems[a - 1]))) << where;
        const int sentences = SentenceCount(text);
        EXPECT_TRUE(sentences >= 2 && sentences <= 4) << where;
        EXPECT_FALSE(text.contains('{') || text.contains('}')) << where;
        EXPECT_FALSE(seen.contains(text)) << where;
        seen.insert(text);
      }
    }
  }
  EXPECT_EQ(seen.size(), 810);
  ExpectPlainCp1251(ReadFile(kAspectFile), TAspectBase::IndexSize);
}

TEST(ShippedTexts, EveryArcanumHasAnUprightAndAReversedText) {
  ASSERT_TRUE(QFile::exists(kTaroFile)) << kTaroFile.toStdString();
  const TTaroBase base(kTaroFile);
  QSet<QString> seen;
  for (int i = 1; i <= 44; ++i) {
    const QString text = base.Texts(i).join(' ');
    const std::string where = std::to_string(i) + ": " + text.toStdString();
    const std::string_view arcanum = astro::ArcanaNames[(i - 1) % 22 + 1];
    EXPECT_TRUE(text.contains(QString::fromUtf8(arcanum.data(), int(arcanum.size())))) << where;
    const int sentences = SentenceCount(text);
    EXPECT_TRUE(sentences >= 3 && sentences <= 5) << where;
    EXPECT_EQ(i > 22, text.contains(QString::fromUtf8("перевёрнут"), Qt::CaseInsensitive)) << where;
    EXPECT_FALSE(seen.contains(text)) << where;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 44);
  ExpectPlainCp1251(ReadFile(kTaroFile), TTaroBase::HeaderSize);
}
