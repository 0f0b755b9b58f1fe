// SPDX-License-Identifier: GPL-3.0-or-later
#include "CityBase.h"

#include "FilePrefetch.h"

#include "Cp1251.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <QCollator>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kSeparatorsOfPlace = 5;

// Field N (1..5) of a line as a span: the text before the N-th ";" after the previous one.
QStringView FieldView(int N, QStringView Line) {
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

// Whether the entry of a line (field 1, or field 1 ";" field 3) is Entry, without building it.
bool EntryIs(QStringView Line, QStringView Entry) {
  const QStringView city = FieldView(1, Line);
  const QStringView region = FieldView(3, Line);
  if (region.isEmpty())
    return Entry == city;
  return Entry.size() == city.size() + 1 + region.size() && Entry.startsWith(city) &&
         Entry.at(city.size()) == u';' && Entry.endsWith(region);
}

QString Decoded(std::string_view Bytes) {
  QString text(static_cast<qsizetype>(Bytes.size()), Qt::Uninitialized);
  astro::Cp1251ToUtf16(Bytes, reinterpret_cast<char16_t*>(text.data()));
  return text;
}

// Country in Windows-1251, whose bytes decode to Country again; nothing when a character has no
// byte there.
std::optional<std::string> Encoded(const QString& Country) {
  const QByteArray utf8 = Country.toUtf8();
  const std::string_view text(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (!astro::IsCp1251Representable(text))
    return std::nullopt;
  return astro::Utf8ToCp1251(text);
}

// Lines end at CR LF, LF or CR; a last line without an end is kept. These characters and ";"
// are the same bytes in Windows-1251 as in Unicode, so the bytes are searched as they are.
template <typename TLine> void ForEachLine(std::string_view Bytes, TLine Line) {
  const char* data = Bytes.data();
  const auto size = static_cast<std::uint32_t>(Bytes.size());
  auto next = [data, size](char c, std::uint32_t from) -> std::uint32_t {
    const void* hit = std::memchr(data + from, c, size - from);
    return hit ? static_cast<std::uint32_t>(static_cast<const char*>(hit) - data) : size;
  };
  std::uint32_t nextCr = next('\r', 0);
  std::uint32_t nextLf = next('\n', 0);
  for (std::uint32_t start = 0; start < size;) {
    if (nextCr < start)
      nextCr = next('\r', start);
    if (nextLf < start)
      nextLf = next('\n', start);
    const std::uint32_t end = std::min(nextCr, nextLf); // size: a last line without an end
    Line(start, end);
    if (end == size)
      break;
    start = end + (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 2 : 1);
  }
}

// The lines of Bytes (ended as ForEachLine ends them) whose first byte is marked in First, which
// marks no CR or LF: the ends of lines are found sixteen bytes at a time and only the lines that
// begin with a marked byte are looked at.
template <typename TLine>
void ForEachLineStartingWith(std::string_view Bytes, const std::array<bool, 256>& First,
                             TLine Line) {
  const char* data = Bytes.data();
  const std::size_t size = Bytes.size();
  const auto visit = [&](std::size_t start) {
    if (start >= size || !First[static_cast<unsigned char>(data[start])])
      return;
    std::size_t end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n')
      ++end;
    Line(std::string_view(data + start, end - start));
  };
  visit(0);
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    auto ends = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
    for (; ends != 0; ends &= ends - 1)
      visit(i + static_cast<std::size_t>(__builtin_ctz(ends)) + 1);
  }
#endif
  for (; i < size; ++i)
    if (data[i] == '\r' || data[i] == '\n')
      visit(i + 1);
}

QByteArray ReadBase(const QString& FileName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  QByteArray bytes = file.readAll();
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  return bytes;
}

// Each Windows-1251 byte folded as QString::toCaseFolded folds its character (one character for
// one), or 0 where the folded character has no byte there.
const std::array<unsigned char, 256>& FoldedBytes() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> folded{};
    for (int b = 1; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString text = Decoded(std::string_view(&byte, 1)).toCaseFolded();
      const std::optional<std::string> back = Encoded(text);
      if (back && back->size() == 1)
        folded[static_cast<std::size_t>(b)] = static_cast<unsigned char>((*back)[0]);
    }
    return folded;
  }();
  return table;
}

} // namespace

TCityBase::TCityBase(const QString& FileName) : TCityBase(FileName, ReadBase(FileName)) {}

TCityBase::TCityBase(const QString& FileName, QByteArray Lines)
    : Name(FileName), Bytes(std::move(Lines)) {
  ForEachLine(Span(0, static_cast<std::uint32_t>(Bytes.size())),
              [this](std::uint32_t start, std::uint32_t end) { AddLine(start, end); });
}

TCityBase TCityBase::Narrowed(const QString& FileName, const QString& Prefix) {
  const std::optional<std::string> prefix = Encoded(Prefix.toCaseFolded());
  if (Prefix.isEmpty() || !prefix || prefix->find_first_of("\r\n") != std::string::npos)
    return TCityBase(FileName);
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  const std::array<unsigned char, 256>& folded = FoldedBytes();
  std::array<bool, 256> first{};
  for (std::size_t b = 0; b < first.size(); ++b)
    first[b] = folded[b] == static_cast<unsigned char>(prefix->front());
  const auto fits = [&](std::string_view line) {
    if (line.size() < prefix->size())
      return false;
    for (std::size_t i = 0; i < prefix->size(); ++i)
      if (line[i] == ';' ||
          folded[static_cast<unsigned char>(line[i])] != static_cast<unsigned char>((*prefix)[i]))
        return false;
    return true;
  };
  // Read piece by piece, so only the lines kept are held; the unended line at a piece's end is
  // carried into the next (a CR LF cut in two makes an empty line, which is no place).
  QByteArray kept;
  std::vector<char> piece(std::size_t{1} << 16);
  std::size_t carried = 0;
  for (bool last = false; !last;) {
    if (piece.size() - carried < piece.size() / 2) // a line longer than half a piece
      piece.resize(piece.size() * 2);
    const qint64 got =
        file.read(piece.data() + carried, static_cast<qint64>(piece.size() - carried));
    if (got < 0)
      throw std::runtime_error("Cannot open file " + FileName.toStdString());
    last = got == 0;
    const std::size_t size = carried + static_cast<std::size_t>(got);
    std::size_t end = size;
    if (!last) {
      const void* lf = ::memrchr(piece.data(), '\n', size);
      const void* cr = ::memrchr(piece.data(), '\r', size);
      const char* edge = std::max(static_cast<const char*>(lf), static_cast<const char*>(cr));
      end = edge ? static_cast<std::size_t>(edge - piece.data()) + 1 : 0;
    }
    ForEachLineStartingWith(std::string_view(piece.data(), end), first, [&](std::string_view line) {
      if (fits(line))
        kept.append(line.data(), static_cast<qsizetype>(line.size())).append('\n');
    });
    carried = size - end;
    std::memmove(piece.data(), piece.data() + end, carried);
  }
  if (kept.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::runtime_error("Cannot open file " + FileName.toStdString());
  return TCityBase(FileName, std::move(kept));
}

void TCityBase::AddLine(std::uint32_t Start, std::uint32_t End) {
  const char* data = Bytes.constData();
  TPlace place{Start, End - Start, 0, 0};
  int separators = 0;
  for (std::uint32_t from = Start; separators < kSeparatorsOfPlace; ++separators) {
    const void* hit = std::memchr(data + from, ';', End - from);
    if (!hit)
      break;
    const auto at = static_cast<std::uint32_t>(static_cast<const char*>(hit) - data);
    if (separators == 0)
      place.CountryStart = at + 1;
    else if (separators == 1)
      place.CountryLength = at - place.CountryStart;
    from = at + 1;
  }
  if (separators >= kSeparatorsOfPlace)
    Places.push_back(place);
  else
    ++Skipped;
}

QString TCityBase::LineOf(const TPlace& Place) const {
  return Decoded(Span(Place.Start, Place.Length));
}

bool TCityBase::CountryIs(const TPlace& Place, const QString& Country,
                          const std::optional<std::string>& Encoded) const {
  const std::string_view country = Span(Place.CountryStart, Place.CountryLength);
  if (Encoded)
    return country == *Encoded;
  return Decoded(country) == Country;
}

QString PlaceHitText(const TPlaceHit& Hit) {
  const qsizetype semicolon = Hit.Entry.indexOf(u';');
  if (semicolon < 0)
    return Hit.Entry + QStringLiteral(" — ") + Hit.Country;
  return Hit.Entry.left(semicolon) + QStringLiteral(" — ") + Hit.Country + QStringLiteral(", ") +
         Hit.Entry.mid(semicolon + 1);
}

std::vector<TPlaceHit> TCityBase::SearchPlaces(const QString& Typed, int Limit) const {
  const QString typed = Typed.trimmed().toCaseFolded();
  std::vector<TPlaceHit> starting, containing;
  QSet<QString> seen; // "country\nentry" of the hits kept
  if (typed.isEmpty() || Limit <= 0)
    return {};
  for (const TPlace& place : Places) {
    const QString line = LineOf(place);
    const QString name = ExtractField(1, line).toCaseFolded();
    const qsizetype at = name.indexOf(typed);
    if (at < 0)
      continue;
    TPlaceHit hit{ExtractField(2, line), CityEntry(line)};
    if (!seen.contains(hit.Country + u'\n' + hit.Entry)) {
      seen.insert(hit.Country + u'\n' + hit.Entry);
      (at == 0 ? starting : containing).push_back(std::move(hit));
    }
  }
  QCollator collator(QLocale(QLocale::Russian, QLocale::Russia));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const auto byName = [&collator](const TPlaceHit& a, const TPlaceHit& b) {
    const int order = collator.compare(a.Entry, b.Entry);
    return order != 0 ? order < 0 : collator.compare(a.Country, b.Country) < 0;
  };
  std::sort(starting.begin(), starting.end(), byName);
  std::sort(containing.begin(), containing.end(), byName);
  starting.insert(starting.end(), containing.begin(), containing.end());
  if (starting.size() > static_cast<std::size_t>(Limit))
    starting.resize(Limit);
  return starting;
}

QString TCityBase::ExtractField(int N, const QString& Line) {
  if (N == 6) {
    const qsizetype last = Line.lastIndexOf(u';');
    return last < 0 ? QString() : Line.mid(last + 1);
  }
  if (N < 1 || N > 5)
    return {};
  return FieldView(N, Line).toString();
}

QString TCityBase::CityEntry(const QString& Line) {
  const QString city = ExtractField(1, Line);
  const QString region = ExtractField(3, Line);
  return region.isEmpty() ? city : city + u';' + region;
}

QStringList TCityBase::UnsortedCountryList() const {
  // Exact duplicates are dropped before anything is decoded: the atlas repeats each country
  // thousands of times.
  std::unordered_set<std::string_view> seen;
  QStringList result;
  for (const TPlace& place : Places) {
    const std::string_view country = Span(place.CountryStart, place.CountryLength);
    if (seen.insert(country).second)
      result.append(Decoded(country));
  }
  return result;
}

QStringList TCityBase::GetCountryList() const {
  if (Countries)
    return *Countries;
  QStringList result = UnsortedCountryList();
  SortUnique(result);
  Countries = result;
  return result;
}

QStringList TCityBase::GetCityList(const QString& Country) const {
  if (const auto kept = CityLists.find(Country); kept != CityLists.end())
    return kept->second;
  QStringList result = UnsortedCityList(Country);
  SortUnique(result);
  if (CityLists.size() >= kKeptCityLists)
    CityLists.clear();
  CityLists.emplace(Country, result);
  return result;
}

QStringList TCityBase::UnsortedCityList(const QString& Country) const {
  const std::optional<std::string> encoded = Encoded(Country);
  QStringList result;
  for (const TPlace& place : Places)
    if (CountryIs(place, Country, encoded))
      result.append(CityEntry(LineOf(place)));
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

const TCityBase::TPlace* TCityBase::FindEntry(const QString& Country,
                                              const QString& CityEntryText) const {
  const std::optional<std::string> encoded = Encoded(Country);
  for (const TPlace& place : Places)
    if (CountryIs(place, Country, encoded) && EntryIs(LineOf(place), CityEntryText))
      return &place;
  return nullptr;
}

std::optional<TCityPlace> TCityBase::FindPlace(const QString& Country,
                                               const QString& CityEntryText) const {
  const TPlace* place = FindEntry(Country, CityEntryText);
  if (!place)
    return std::nullopt;
  const QString line = LineOf(*place);
  return TCityPlace{ExtractField(4, line), ExtractField(5, line), ExtractZoneName(line),
                    ExtractField(6, line)};
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
  // Exact duplicates go first, so the collator sees each text once.
  List.removeDuplicates();
  QCollator collator{QLocale(QLocale::Russian, QLocale::Russia)};
  collator.setCaseSensitivity(Qt::CaseSensitive);
  // Each text's collation key is made once; comparing keys orders as comparing the texts does.
  // Ties of the collator fall back to code units.
  std::vector<std::pair<QCollatorSortKey, QString>> keyed;
  keyed.reserve(static_cast<std::size_t>(List.size()));
  for (QString& text : List)
    keyed.emplace_back(collator.sortKey(text), std::move(text));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    const int order = a.first.compare(b.first);
    return order != 0 ? order < 0 : a.second < b.second;
  });
  for (qsizetype i = 0; i < List.size(); ++i)
    List[i] = std::move(keyed[static_cast<std::size_t>(i)].second);
}

namespace {

astro::TFilePrefetch<std::unique_ptr<TCityBase>>& CityBasePrefetches() {
  static astro::TFilePrefetch<std::unique_ptr<TCityBase>> prefetches;
  return prefetches;
}

} // namespace

void PrefetchCityBase(const QString& FileName, const QStringList& Countries) {
  CityBasePrefetches().Start(FileName.toStdString(), [FileName, Countries] {
    auto base = std::make_unique<TCityBase>(FileName);
    const QStringList countries = base->GetCountryList();
    for (const QString& country : Countries)
      if (!country.isEmpty())
        base->GetCityList(country);
      else if (!countries.isEmpty())
        base->GetCityList(countries.first());
    return base;
  });
}

std::unique_ptr<TCityBase> TakePrefetchedCityBase(const QString& FileName) {
  try {
    std::optional<std::unique_ptr<TCityBase>> base =
        CityBasePrefetches().Take(FileName.toStdString());
    return base ? std::move(*base) : nullptr;
  } catch (const std::exception&) {
    return nullptr;
  }
}

void DropPrefetchedCityBases() {
  CityBasePrefetches().DropAll();
}
