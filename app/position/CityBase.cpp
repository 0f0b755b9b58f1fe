// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityBase.h"

#include "Cp1251.h"

#include <QCollator>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kSeparatorsOfPlace = 5;

// Splits at CR LF, LF or CR; a last line without an end is kept.
QStringList SplitLines(const QString& Text) {
  QStringList result;
  qsizetype start = 0;
  const qsizetype size = Text.size();
  for (qsizetype i = 0; i < size; ++i) {
    const QChar c = Text.at(i);
    if (c != u'\r' && c != u'\n')
      continue;
    result.append(Text.mid(start, i - start));
    if (c == u'\r' && i + 1 < size && Text.at(i + 1) == u'\n')
      ++i;
    start = i + 1;
  }
  if (start < size)
    result.append(Text.mid(start));
  return result;
}

} // namespace

TCityBase::TCityBase(const QString& FileName) : Name(FileName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  const QByteArray bytes = file.readAll();
  const std::string text = astro::Cp1251ToUtf8(std::string_view(bytes.constData(), bytes.size()));
  for (QString& line : SplitLines(QString::fromUtf8(text.data(), text.size()))) {
    if (line.count(u';') >= kSeparatorsOfPlace)
      Lines.append(std::move(line));
    else
      ++Skipped;
  }
}

QString TCityBase::ExtractField(int N, const QString& Line) {
  if (N == 6) {
    const qsizetype last = Line.lastIndexOf(u';');
    return last < 0 ? QString() : Line.mid(last + 1);
  }
  if (N < 1 || N > 5)
    return {};
  qsizetype start = 0;
  for (int count = 1;; ++count) {
    const qsizetype separator = Line.indexOf(u';', start);
    if (separator < 0)
      return {};
    if (count == N)
      return Line.mid(start, separator - start);
    start = separator + 1;
  }
}

QString TCityBase::CityEntry(const QString& Line) {
  const QString city = ExtractField(1, Line);
  const QString region = ExtractField(3, Line);
  return region.isEmpty() ? city : city + u';' + region;
}

QStringList TCityBase::GetCountryList() const {
  QStringList result;
  result.reserve(Lines.size());
  for (const QString& line : Lines)
    result.append(ExtractField(2, line));
  SortUnique(result);
  return result;
}

QStringList TCityBase::GetCityList(const QString& Country) const {
  QStringList result;
  for (const QString& line : Lines)
    if (ExtractField(2, line) == Country)
      result.append(CityEntry(line));
  SortUnique(result);
  return result;
}

QString TCityBase::ExtractZoneName(const QString& Line) {
  qsizetype fifth = -1;
  for (int count = 0; count < kSeparatorsOfPlace; ++count) {
    fifth = Line.indexOf(u';', fifth + 1);
    if (fifth < 0)
      return {};
  }
  const qsizetype last = Line.lastIndexOf(u';');
  return last > fifth ? Line.mid(fifth + 1, last - fifth - 1).trimmed() : QString();
}

std::optional<TCityPlace> TCityBase::FindPlace(const QString& Country,
                                               const QString& CityEntryText) const {
  for (const QString& line : Lines) {
    if (ExtractField(2, line) != Country || CityEntry(line) != CityEntryText)
      continue;
    return TCityPlace{ExtractField(4, line), ExtractField(5, line), ExtractZoneName(line),
                      ExtractField(6, line)};
  }
  return std::nullopt;
}

bool TCityBase::FindCity(const QString& Country, const QString& CityEntryText, QString& Latitude,
                         QString& Longitude, QString& Zone) const {
  const std::optional<TCityPlace> place = FindPlace(Country, CityEntryText);
  if (!place)
    return false;
  Latitude = place->Latitude;
  Longitude = place->Longitude;
  Zone = place->Zone;
  return true;
}

void SortUnique(QStringList& List) {
  // Exact duplicates go first, so the collator sorts each text once (the atlas repeats each
  // country thousands of times).
  List.removeDuplicates();
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseSensitive);
  // Ties of the collator fall back to code units, so exact duplicates end up side by side.
  std::sort(List.begin(), List.end(), [&collator](const QString& a, const QString& b) {
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
  });
  List.erase(std::unique(List.begin(), List.end()), List.end());
}
