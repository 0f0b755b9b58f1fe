// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeReport.h"

#include "TreeTables.h"

#include <algorithm>

namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsBody(int b) {
  return b >= 1 && b <= astro::kBodyCount;
}
bool IsAspect(int a) {
  return a >= 1 && a <= astro::kAspectCount;
}

QString AspectPhrase(int planet1, int aspect, int planet2, const QString& connective) {
  return Text(astro::PlanetNames[planet1]) + " в " + Text(astro::AspectNamesIn[aspect]) +
         connective + Text(astro::PlanetNamesWith[planet2]);
}

void AppendTexts(QStringList& lines, const TAspectTextSource& texts, int planet1, int aspect,
                 int planet2) {
  if (texts) {
    lines += texts(planet1, aspect, planet2);
  }
}

} // namespace

astro::TArcanaTriple BodyLetters(double Longitude, int Body) {
  astro::TArcanaTriple letters = astro::QuinaryArcana(Longitude);
  astro::ShiftArcana(letters, Body);
  return letters;
}

QString LetterText(const astro::TArcanaTriple& Letters) {
  auto name = [](int letter) {
    return letter >= 1 && letter <= astro::kArcanaCount ? Text(astro::LetterNames[letter])
                                                        : QString();
  };
  return name(Letters[2]) + "-" + name(Letters[1]) + "-" + name(Letters[0]);
}

void FillSephiraConstants(TSephiroth& Sephiroth) {
  for (int s = 1; s <= astro::kSephiraCount; ++s) {
    TSephiraRecord& record = Sephiroth[s];
    record.Number = s;
    record.Name = Text(tree::SephiraNames[s]);
    record.Order = Text(tree::SephiraOrders[s]);
    record.Body = tree::BodyOfSephira[s];
    record.PathCount = 0;
    for (int p = 1; p <= 22; ++p) {
      if (tree::TreePaths[p].Owner == s) {
        TPathSlot& slot = record.Paths[record.PathCount++];
        slot.PathNumber = p;
        slot.PathName = Text(astro::ArcanaNames[p]);
      }
    }
  }
}

void FillReportModel(TSephiroth& Sephiroth, const astro::TLongitudes& Longitudes,
                     const astro::TAspectList& Aspects) {
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const astro::TArcanaTriple letters = BodyLetters(Longitudes[b - 1], b);
    Sephiroth[astro::SephiraOfBody[b]].Letters = {letters[0], letters[1], letters[2]};
  }
  for (int s = 1; s <= astro::kSephiraCount; ++s) {
    TSephiraRecord& record = Sephiroth[s];
    for (int g = 0; g < record.PathCount; ++g) {
      record.Paths[g].Planet1 = record.Paths[g].Aspect = record.Paths[g].Planet2 = 0;
    }
    record.ExtraCount = 0;
    record.Extras.fill(astro::TAspectItem{});
  }
  const int count = std::clamp<int>(Aspects.Count, 0, astro::kMaxAspects);
  for (int i = 0; i < count; ++i) {
    const astro::TAspectItem& item = Aspects.Items[i];
    if (!IsBody(item.Planet1) || !IsBody(item.Planet2) || !IsAspect(item.Aspect) ||
        item.Planet1 == item.Planet2) {
      continue; // a damaged item names no sephira; it is left out of the report
    }
    const int sA = astro::SephiraOfBody[item.Planet1];
    const int sB = astro::SephiraOfBody[item.Planet2];
    const int path = tree::PathBetween(sA, sB);
    if (path != 0) {
      TSephiraRecord& owner = Sephiroth[tree::TreePaths[path].Owner];
      for (int g = 0; g < owner.PathCount; ++g) {
        TPathSlot& slot = owner.Paths[g];
        if (slot.PathNumber == path) {
          slot.Planet1 = item.Planet1;
          slot.Aspect = item.Aspect;
          slot.Planet2 = item.Planet2;
        }
      }
      continue;
    }
    for (int s : {sA, sB}) {
      TSephiraRecord& record = Sephiroth[s];
      if (record.ExtraCount < static_cast<int>(record.Extras.size())) {
        record.Extras[record.ExtraCount++] = item;
      }
    }
  }
}

QString CentredLine(const QString& Line) {
  const int spaces = 40 - static_cast<int>(Line.size() / 2);
  return spaces > 0 ? QString(spaces, QLatin1Char(' ')) + Line : Line;
}

QStringList ComposeReport(const TSephiroth& Sephiroth, const TAspectTextSource& Texts) {
  QStringList lines;
  for (int i = 1; i <= astro::kSephiraCount; ++i) {
    const TSephiraRecord& record = Sephiroth[i];
    const QString body = IsBody(record.Body) ? Text(astro::PlanetNames[record.Body]) : QString();
    lines << CentredLine(QString::number(i) + " " + record.Name + " (" + body + ")");
    lines << CentredLine(record.Order + " (" +
                         LetterText({record.Letters[0], record.Letters[1], record.Letters[2]}) +
                         ")");
    for (int g = 0; g < record.PathCount; ++g) {
      const TPathSlot& slot = record.Paths[g];
      const QString prefix =
          Text(astro::ArcanaNumerals[slot.PathNumber]) + " цинарот (" + slot.PathName + "): ";
      if (slot.Planet1 == 0) {
        lines << prefix + "-";
        continue;
      }
      // The path lines join with a Latin "c", the extras below with a Cyrillic "с".
      lines << prefix + AspectPhrase(slot.Planet1, slot.Aspect, slot.Planet2, " c ");
      AppendTexts(lines, Texts, slot.Planet1, slot.Aspect, slot.Planet2);
    }
    lines << QStringLiteral("Дополнительно:");
    for (int k = 0; k < record.ExtraCount; ++k) {
      const astro::TAspectItem& extra = record.Extras[k];
      lines << AspectPhrase(extra.Planet1, extra.Aspect, extra.Planet2, " с ");
      AppendTexts(lines, Texts, extra.Planet1, extra.Aspect, extra.Planet2);
    }
    if (i < astro::kSephiraCount) {
      lines << CentredLine(QStringLiteral("***"));
    }
  }
  return lines;
}
