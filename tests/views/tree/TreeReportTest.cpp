// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeReport.h"

#include <gtest/gtest.h>

namespace {

astro::TAspectList ListOf(std::initializer_list<astro::TAspectItem> items) {
  astro::TAspectList list;
  for (const astro::TAspectItem& item : items) {
    list.Items[list.Count++] = item;
  }
  return list;
}

QStringList Report(const astro::TLongitudes& longitudes, const astro::TAspectList& aspects,
                   const TAspectTextSource& texts = {}) {
  TSephiroth sephiroth;
  FillSephiraConstants(sephiroth);
  FillReportModel(sephiroth, longitudes, aspects);
  return ComposeReport(sephiroth, texts);
}

// Lines of sephira s's block, from its title up to (without) the "***" line.
QStringList Block(const QStringList& report, int s) {
  const QString title = QString::number(s) + " ";
  qsizetype start = -1;
  for (qsizetype i = 0; i < report.size(); ++i) {
    if (report[i].trimmed().startsWith(title) && report[i].trimmed().contains('(')) {
      start = i;
      break;
    }
  }
  QStringList block;
  for (qsizetype i = start; start >= 0 && i < report.size(); ++i) {
    if (report[i].trimmed() == "***") {
      break;
    }
    block << report[i];
  }
  return block;
}

} // namespace

TEST(TreeReport, SunAtZeroDegreesHasLamedBetLamed) {
  EXPECT_EQ(BodyLetters(0.0, 1), (astro::TArcanaTriple{12, 2, 12}));
  const QStringList block = Block(Report({}, {}), 6);
  ASSERT_GE(block.size(), 2);
  EXPECT_EQ(block[0], QString(40 - 18 / 2, ' ') + "6 Тиферет (Солнце)");
  EXPECT_EQ(block[1], CentredLine("Малахим (Ламед-Бет-Ламед)"));
  EXPECT_EQ(block[1].trimmed(), "Малахим (Ламед-Бет-Ламед)");
}

TEST(TreeReport, WithoutAspectsEveryPathIsADashAndNoExtrasFollow) {
  const QStringList report = Report({}, {});
  int pathLines = 0;
  for (qsizetype i = 0; i < report.size(); ++i) {
    if (report[i].contains(" цинарот (")) {
      ++pathLines;
      EXPECT_TRUE(report[i].endsWith("): -")) << report[i].toStdString();
    }
    if (report[i] == "Дополнительно:" && i + 1 < report.size()) {
      EXPECT_EQ(report[i + 1], CentredLine("***"));
    }
  }
  EXPECT_EQ(pathLines, 22);
  EXPECT_EQ(report.first(), CentredLine("1 Кетер (Нептун)"));
  EXPECT_EQ(report.last(), "Дополнительно:");
  EXPECT_EQ(report.count(CentredLine("***")), 9);
  EXPECT_EQ(report.size(), 10 * 3 + 22 + 9);
}

TEST(TreeReport, AspectAlongAPathUsesTheLatinC) {
  const QStringList block = Block(Report({}, ListOf({{8, 12, 9}})), 1);
  ASSERT_GE(block.size(), 3);
  EXPECT_EQ(block[2], "I цинарот (Маг): Уран в трине c Нептуном");
  EXPECT_EQ(block[2].at(block[2].indexOf(" Нептуном") - 1), QChar('c')); // U+0063
  EXPECT_EQ(block[3], "II цинарот (Врата святилища): -");
}

TEST(TreeReport, AspectWithoutAPathIsListedUnderBothSephirothWithCyrillicS) {
  // Sun (Tiphareth) and Pluto (Malkuth) are joined by no path.
  const QStringList report = Report({}, ListOf({{1, 10, 10}}));
  const QString line = "Солнце в квадратуре с Плутоном";
  EXPECT_EQ(line.at(line.indexOf(" Плутоном") - 1), QChar(0x0441));
  EXPECT_EQ(report.count(line), 2);
  const QStringList tiphareth = Block(report, 6);
  const QStringList malkuth = Block(report, 10);
  EXPECT_EQ(tiphareth.indexOf(line), tiphareth.indexOf("Дополнительно:") + 1);
  EXPECT_EQ(malkuth.indexOf(line), malkuth.indexOf("Дополнительно:") + 1);
}

TEST(TreeReport, ALaterAspectOnThePathReplacesTheEarlierOne) {
  // Sun-Moon: path 15, owned by Tiphareth, slot 2.
  const QStringList block = Block(Report({}, ListOf({{1, 1, 2}, {1, 12, 2}})), 6);
  EXPECT_TRUE(block.contains("XV цинарот (Тифон): Солнце в трине c Луной"));
  EXPECT_FALSE(block.join('\n').contains("соединении"));
}

TEST(TreeReport, InterpretationTextsFollowTheirAspectLines) {
  const auto texts = [](int a, int k, int b) {
    return QStringList{QString("text %1-%2-%3").arg(a).arg(k).arg(b), "second line"};
  };
  const QStringList report = Report({}, ListOf({{1, 10, 10}, {8, 12, 9}}), texts);
  const qsizetype path = report.indexOf("I цинарот (Маг): Уран в трине c Нептуном");
  ASSERT_GE(path, 0);
  EXPECT_EQ(report[path + 1], "text 8-12-9");
  EXPECT_EQ(report[path + 2], "second line");
  EXPECT_EQ(report.count("text 1-10-10"), 2);
}

TEST(TreeReport, LettersFollowEachBodysLongitude) {
  astro::TLongitudes longitudes{};
  longitudes[9] = 359.99; // Pluto in the 72nd segment: (13, 6, 13) through Malkuth
  TSephiroth sephiroth;
  FillSephiraConstants(sephiroth);
  FillReportModel(sephiroth, longitudes, {});
  const int shift = 9; // sephira 10 adds (10 - 1)
  auto shifted = [&](int a) { return ((a - 1) * 10 + shift) % 22 + 1; };
  EXPECT_EQ(sephiroth[10].Letters, (std::array<int, 3>{shifted(13), shifted(6), shifted(13)}));
  EXPECT_EQ(sephiroth[6].Letters, (std::array<int, 3>{12, 2, 12}));
}

TEST(TreeReport, ConstantPartMatchesTheTree) {
  TSephiroth sephiroth;
  FillSephiraConstants(sephiroth);
  EXPECT_EQ(sephiroth[1].Name, "Кетер");
  EXPECT_EQ(sephiroth[1].Order, "Хайот - Хакодеш");
  EXPECT_EQ(sephiroth[8].Order, "Бене Элохим");
  EXPECT_EQ(sephiroth[6].Body, 1);
  EXPECT_EQ(sephiroth[6].PathCount, 3);
  EXPECT_EQ(sephiroth[6].Paths[0].PathNumber, 14);
  EXPECT_EQ(sephiroth[6].Paths[2].PathNumber, 16);
  EXPECT_EQ(sephiroth[9].Paths[0].PathName, "Корона магов");
  EXPECT_EQ(sephiroth[10].PathCount, 0);
  int total = 0;
  for (int s = 1; s <= 10; ++s) {
    total += sephiroth[s].PathCount;
    EXPECT_EQ(sephiroth[s].Number, s);
  }
  EXPECT_EQ(total, 22);
}

TEST(TreeReport, CentringPutsTheMiddleOnColumnForty) {
  EXPECT_EQ(CentredLine("***"), QString(39, ' ') + "***");
  EXPECT_EQ(CentredLine("ab"), QString(39, ' ') + "ab");
  const QString eighty(80, 'x');
  EXPECT_EQ(CentredLine(eighty), eighty);
  EXPECT_EQ(CentredLine(QString(79, 'x')), " " + QString(79, 'x'));
}
