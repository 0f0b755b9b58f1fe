// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dignities.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>

namespace astro {
namespace {

constexpr std::size_t kLargestFile = 64 * 1024;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The pieces of text between separators, each trimmed.
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (std::size_t from = 0;;) {
    const std::size_t at = text.find(separator, from);
    pieces.push_back(Trimmed(text.substr(from, at == std::string_view::npos ? at : at - from)));
    if (at == std::string_view::npos) {
      return pieces;
    }
    from = at + 1;
  }
}

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& names, std::string_view name, int first) {
  for (std::size_t i = first; i < N; ++i) {
    if (names[i] == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<int> ReadPoints(std::string_view text) {
  bool negative = false;
  if (text.starts_with("+")) {
    text.remove_prefix(1);
  } else if (text.starts_with("-")) {
    negative = true;
    text.remove_prefix(1);
  } else if (text.starts_with("−")) { // the typographic minus
    negative = true;
    text.remove_prefix(std::string_view("−").size());
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

class TParser {
public:
  TParser(const std::string& fileName) : FileName(fileName) {}

  TDignityTable Parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
      text.remove_prefix(3);
    }
    for (std::string_view line : Split(text, '\n')) {
      ++LineNumber;
      if (!line.empty() && !line.starts_with("#")) {
        ReadLine(line);
      }
    }
    LineNumber = 0;
    if (Table.Tradition.empty()) {
      Fail("нет строки «традиция»");
    }
    if (!HavePoints) {
      Fail("нет строки «баллы»");
    }
    for (int b = 1; b <= kBodyCount; ++b) {
      if (!BodySeen[b]) {
        Fail("нет строки планеты «" + std::string(PlanetNames[b]) + "»");
      }
    }
    CheckMinor();
    return Table;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EDignityTableError(
        FileName + (LineNumber > 0 ? ", строка " + std::to_string(LineNumber) : "") + ": " + what);
  }

  void ReadLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      Fail("нет двоеточия после ключа");
    }
    const std::string_view key = Trimmed(line.substr(0, colon));
    const std::string_view value = Trimmed(line.substr(colon + 1));
    if (key == "традиция") {
      Table.Tradition = value;
    } else if (key == "баллы") {
      ReadPointsLine(value);
    } else if (const int body = IndexOf(PlanetNames, key, 1); body > 0) {
      ReadBodyLine(body, value);
    } else if (!ReadMinorLine(key, value)) {
      Fail("неизвестный ключ «" + std::string(key) + "»");
    }
  }

  TMinorDignities& Minor() {
    if (!Table.Minor) {
      Table.Minor.emplace();
    }
    return *Table.Minor;
  }

  // The lines of triplicities, terms, faces and houses; false for a key of none of them.
  bool ReadMinorLine(std::string_view key, std::string_view value) {
    const std::size_t space = key.find(' ');
    const std::string_view head = key.substr(0, space);
    const std::string_view what =
        space == std::string_view::npos ? std::string_view() : Trimmed(key.substr(space + 1));
    std::string* source = head == "тройственности" ? &Minor().TriplicitySource
                          : head == "термы"        ? &Minor().TermSource
                          : head == "фасы"         ? &Minor().FaceSource
                          : head == "дома"         ? &Minor().HouseSource
                                                   : nullptr;
    if (source && what.empty()) {
      *source = value;
    } else if (head == "тройственность") {
      ReadTriplicity(what, value);
    } else if (head == "термы") {
      ReadTerms(SignNamed(what), value);
    } else if (head == "фасы") {
      ReadFaces(SignNamed(what), value);
    } else if (key == "баллы домов") {
      ReadHousePoints(value);
    } else {
      return false;
    }
    return true;
  }

  int SignNamed(std::string_view name) const {
    const int sign = IndexOf(SignNames, name, 1);
    if (sign < 0) {
      Fail("неизвестный знак «" + std::string(name) + "»");
    }
    return sign;
  }

  int BodyNamed(std::string_view name) const {
    const int body = IndexOf(PlanetNames, name, 1);
    if (body < 0) {
      Fail("неизвестная планета «" + std::string(name) + "»");
    }
    return body;
  }

  // Marks a line of a table read, refusing it the second time.
  void Once(unsigned& seen, int index, std::string_view key) {
    if (seen & (1u << index)) {
      Fail("строка «" + std::string(key) + "» второй раз");
    }
    seen |= 1u << index;
  }

  void ReadTriplicity(std::string_view element, std::string_view value) {
    const int e = IndexOf(ElementNames, element, 0);
    if (e < 0) {
      Fail("неизвестная стихия «" + std::string(element) + "»");
    }
    Once(TriplicitiesSeen, e, "тройственность " + std::string(element));
    const std::vector<std::string_view> rulers = Split(value, ',');
    if (rulers.size() != 2) {
      Fail("у тройственности нужны два управителя: дневной и ночной");
    }
    Minor().Triplicity[e] = {BodyNamed(rulers[0]), BodyNamed(rulers[1])};
  }

  void ReadTerms(int sign, std::string_view value) {
    Once(TermsSeen, sign, "термы " + std::string(SignNames[sign]));
    const std::vector<std::string_view> terms = Split(value, ',');
    if (terms.size() != kTermsPerSign) {
      Fail("у знака нужно пять термов");
    }
    int previous = 0;
    for (int t = 0; t < kTermsPerSign; ++t) {
      const std::size_t space = terms[t].find(' ');
      const std::optional<int> end = space == std::string_view::npos
                                         ? std::nullopt
                                         : ReadPoints(Trimmed(terms[t].substr(space)));
      if (!end || *end <= previous || *end > 30 || (t == kTermsPerSign - 1 && *end != 30)) {
        Fail("границы термов должны расти до 30°: «" + std::string(terms[t]) + "»");
      }
      Minor().Terms[sign][t] = {BodyNamed(terms[t].substr(0, space)), *end};
      previous = *end;
    }
  }

  void ReadFaces(int sign, std::string_view value) {
    Once(FacesSeen, sign, "фасы " + std::string(SignNames[sign]));
    const std::vector<std::string_view> faces = Split(value, ',');
    if (faces.size() != kFacesPerSign) {
      Fail("у знака нужно три фаса");
    }
    for (int f = 0; f < kFacesPerSign; ++f) {
      Minor().Faces[sign][f] = BodyNamed(faces[f]);
    }
  }

  void ReadHousePoints(std::string_view value) {
    const std::vector<std::string_view> points = Split(value, ',');
    if (points.size() != 12) {
      Fail("нужны баллы двенадцати домов");
    }
    for (int h = 1; h <= 12; ++h) {
      const std::optional<int> p = ReadPoints(points[h - 1]);
      if (!p) {
        Fail("баллы дома " + std::to_string(h) + " не число");
      }
      Minor().HousePoints[h] = *p;
    }
    HousePointsSeen = true;
  }

  // A table with any of the minor parts must have all of them.
  void CheckMinor() const {
    if (!Table.Minor) {
      return;
    }
    const TMinorDignities& minor = *Table.Minor;
    const std::pair<const std::string*, const char*> sources[] = {
        {&minor.TriplicitySource, "тройственности"},
        {&minor.TermSource, "термы"},
        {&minor.FaceSource, "фасы"},
        {&minor.HouseSource, "дома"}};
    for (const auto& [source, key] : sources) {
      if (source->empty()) {
        Fail(std::string("нет строки «") + key + "» с источником таблицы");
      }
    }
    for (int e = 0; e < 4; ++e) {
      if (!(TriplicitiesSeen & (1u << e))) {
        Fail("нет строки «тройственность " + std::string(ElementNames[e]) + "»");
      }
    }
    for (int s = 1; s <= kSignCount; ++s) {
      if (!(TermsSeen & (1u << s))) {
        Fail("нет строки «термы " + std::string(SignNames[s]) + "»");
      }
      if (!(FacesSeen & (1u << s))) {
        Fail("нет строки «фасы " + std::string(SignNames[s]) + "»");
      }
    }
    if (!HousePointsSeen) {
      Fail("нет строки «баллы домов»");
    }
    for (int k = kDignityKinds; k < kEssentialKinds; ++k) {
      if (!(PointsGiven & (1u << k))) {
        Fail("не даны баллы положения «" + std::string(DignityNames[k]) + "»");
      }
    }
  }

  TDignity DignityNamed(std::string_view name) const {
    const int kind = IndexOf(DignityNames, name, 0);
    if (kind < 0) {
      Fail("неизвестное положение «" + std::string(name) + "»");
    }
    return static_cast<TDignity>(kind);
  }

  void ReadPointsLine(std::string_view value) {
    std::array<bool, kEssentialKinds> given{};
    for (std::string_view item : Split(value, ',')) {
      const std::size_t space = item.find(' ');
      const TDignity kind = DignityNamed(item.substr(0, space));
      const std::optional<int> points =
          space == std::string_view::npos ? std::nullopt : ReadPoints(Trimmed(item.substr(space)));
      if (!points) {
        Fail("баллы положения «" + std::string(item) + "» не число");
      }
      Table.Points[static_cast<int>(kind)] = *points;
      given[static_cast<int>(kind)] = true;
      PointsGiven |= 1u << static_cast<int>(kind);
    }
    for (int k = 0; k < kDignityKinds; ++k) {
      if (!given[k]) {
        Fail("не даны баллы положения «" + std::string(DignityNames[k]) + "»");
      }
    }
    HavePoints = true;
  }

  void ReadBodyLine(int body, std::string_view value) {
    if (BodySeen[body]) {
      Fail("планета «" + std::string(PlanetNames[body]) + "» описана второй раз");
    }
    BodySeen[body] = true;
    for (std::string_view part : Split(value, ';')) {
      if (part.empty()) {
        continue;
      }
      const std::size_t space = part.find(' ');
      const TDignity kind = DignityNamed(part.substr(0, space));
      if (static_cast<int>(kind) >= kDignityKinds) {
        Fail("положение «" + std::string(part.substr(0, space)) + "» не даётся знаком");
      }
      if (space == std::string_view::npos) {
        Fail("у положения «" + std::string(part) + "» нет знаков");
      }
      for (std::string_view sign : Split(part.substr(space + 1), ',')) {
        const int s = IndexOf(SignNames, sign, 1);
        if (s < 0) {
          Fail("неизвестный знак «" + std::string(sign) + "»");
        }
        Table.Held[body][s] |= 1u << static_cast<int>(kind);
      }
    }
    for (int s = 1; s <= kSignCount; ++s) {
      const unsigned held = Table.Held[body][s];
      const bool strong = held & (1u << int(TDignity::Domicile) | 1u << int(TDignity::Exaltation));
      const bool weak = held & (1u << int(TDignity::Detriment) | 1u << int(TDignity::Fall));
      if (strong && weak) {
        Fail("планета «" + std::string(PlanetNames[body]) + "» и сильна, и слаба в знаке «" +
             std::string(SignNames[s]) + "»");
      }
    }
  }

  std::string FileName;
  int LineNumber = 0;
  TDignityTable Table;
  bool HavePoints = false;
  std::array<bool, kBodyCount + 1> BodySeen{};
  unsigned PointsGiven = 0, TriplicitiesSeen = 0, TermsSeen = 0, FacesSeen = 0;
  bool HousePointsSeen = false;
};

} // namespace

TDignityTable ParseDignityTable(std::string_view Text, const std::string& FileName) {
  return TParser(FileName).Parse(Text);
}

TDignityTable ReadDignityTable(const std::string& FileName) {
  std::ifstream file(FileName, std::ios::binary);
  if (!file) {
    throw EDignityTableError("Cannot open file " + FileName);
  }
  std::string text;
  text.resize(kLargestFile + 1);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (file.bad()) {
    throw EDignityTableError("Cannot open file " + FileName);
  }
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (text.size() > kLargestFile) {
    throw EDignityTableError(FileName + ": файл больше 64 КБ");
  }
  return ParseDignityTable(text, FileName);
}

TBodyDignity DignityOf(const TDignityTable& Table, int Body, int Sign) {
  TBodyDignity result;
  result.Body = Body;
  result.Sign = Sign;
  if (Body < 1 || Body > kBodyCount || Sign < 1 || Sign > kSignCount) {
    return result;
  }
  for (int k = 0; k < kDignityKinds; ++k) {
    if (Table.Held[Body][Sign] & (1u << k)) {
      result.Dignities.push_back(static_cast<TDignity>(k));
      result.Points += Table.Points[k];
    }
  }
  return result;
}

namespace {

constexpr int kClassicalBodies = 7; // Sun to Saturn

int Sum(const TChartDignities& Dignities, int TBodyDignity::*Points) {
  int total = 0;
  for (const TBodyDignity& dignity : Dignities) {
    total += dignity.*Points;
  }
  return total;
}

// "обитель, терм", or "—" for none.
std::string JoinedNames(const std::vector<TDignity>& Kinds) {
  std::string text;
  for (TDignity kind : Kinds) {
    text += (text.empty() ? "" : ", ") + std::string(DignityNames[static_cast<int>(kind)]);
  }
  return text.empty() ? "—" : text;
}

bool Holds(const TBodyDignity& Dignity, TDignity Kind) {
  return std::find(Dignity.Essential.begin(), Dignity.Essential.end(), Kind) !=
         Dignity.Essential.end();
}

// The scores that need the degree, the sect or the house.
void AddMinorDignities(const TMinorDignities& Minor, const std::array<int, kEssentialKinds>& Points,
                       double DegreeInSign, TSect Sect, TBodyDignity& Result) {
  const int sign = Result.Sign;
  Result.TriplicityRuler = Minor.Triplicity[ElementOf(sign)][Sect.Day ? 0 : 1];
  for (const TTerm& term : Minor.Terms[sign]) {
    if (DegreeInSign < term.End) {
      Result.TermRuler = term.Body;
      break;
    }
  }
  Result.FaceRuler = Minor.Faces[sign][std::min(kFacesPerSign - 1, int(DegreeInSign / 10))];
  const std::pair<int, TDignity> rulers[] = {{Result.TriplicityRuler, TDignity::Triplicity},
                                             {Result.TermRuler, TDignity::Term},
                                             {Result.FaceRuler, TDignity::Face}};
  for (const auto& [ruler, kind] : rulers) {
    if (ruler == Result.Body) {
      Result.Essential.push_back(kind);
    }
  }
  const bool dignified = Holds(Result, TDignity::Domicile) || Holds(Result, TDignity::Exaltation) ||
                         Holds(Result, TDignity::Triplicity) || Holds(Result, TDignity::Term) ||
                         Holds(Result, TDignity::Face);
  if (Result.Body <= kClassicalBodies && !dignified) {
    Result.Essential.push_back(TDignity::Peregrine);
  }
  Result.EssentialPoints = 0;
  for (TDignity kind : Result.Essential) {
    Result.EssentialPoints += Points[static_cast<int>(kind)];
  }
  if (Result.House > 0) {
    Result.AccidentalPoints = Minor.HousePoints[Result.House];
  }
}

} // namespace

TBodyDignity FullDignityOf(const TDignityTable& Table, int Body, double Longitude, int House,
                           TSect Sect) {
  double longitude = std::fmod(Longitude, 360.0);
  if (!(longitude >= 0)) { // negative, or NaN: the latter lands in Aries rather than nowhere
    longitude = std::isnan(longitude) ? 0 : longitude + 360.0;
  }
  const int sign = std::min(kSignCount, static_cast<int>(longitude / 30) + 1);
  TBodyDignity result = DignityOf(Table, Body, sign);
  result.Essential = result.Dignities;
  result.EssentialPoints = result.Points;
  result.House = House >= 1 && House <= 12 ? House : 0;
  if (Table.Minor && Body >= 1 && Body <= kBodyCount) {
    AddMinorDignities(*Table.Minor, Table.Points, longitude - 30.0 * (sign - 1), Sect, result);
  }
  return result;
}

TSect SectOf(double SunLongitude, std::optional<double> Ascendant, double LocalHours) {
  if (!Ascendant) {
    return {LocalHours >= 6 && LocalHours < 18, false};
  }
  const double fromAscendant =
      std::fmod(std::fmod(SunLongitude - *Ascendant, 360.0) + 360.0, 360.0);
  return {fromAscendant >= 180, true};
}

std::string SectText(TSect Sect) {
  return std::string(Sect.Day ? "дневная карта" : "ночная карта") +
         (Sect.FromHorizon ? (Sect.Day ? " (Солнце над горизонтом)" : " (Солнце под горизонтом)")
                           : " (по часам, место не задано: день с 6 до 18)");
}

TChartDignities FullChartDignities(const TDignityTable& Table, const TDignityPlaces& Places) {
  TChartDignities result;
  for (int b = 1; b <= kBodyCount; ++b) {
    result[b - 1] =
        FullDignityOf(Table, b, Places.Longitudes[b - 1], Places.Houses[b - 1], Places.Sect);
  }
  return result;
}

int TotalEssentialPoints(const TChartDignities& Dignities) {
  return Sum(Dignities, &TBodyDignity::EssentialPoints);
}

int TotalAccidentalPoints(const TChartDignities& Dignities) {
  return Sum(Dignities, &TBodyDignity::AccidentalPoints);
}

std::string EssentialText(const TBodyDignity& Dignity) {
  return JoinedNames(Dignity.Essential);
}

std::string_view HouseKindName(int House) {
  if (House < 1 || House > 12) {
    return {};
  }
  constexpr std::array<std::string_view, 3> kinds = {"угловой", "последующий", "падающий"};
  return kinds[(House - 1) % 3];
}

TChartDignities ChartDignities(const TDignityTable& Table,
                               const std::array<int, kBodyCount>& Signs) {
  TChartDignities result;
  for (int b = 1; b <= kBodyCount; ++b) {
    result[b - 1] = DignityOf(Table, b, Signs[b - 1]);
  }
  return result;
}

TChartDignities ChartDignities(const TDignityTable& Table, const TPlanetPosition& Model) {
  std::array<int, kBodyCount> signs{};
  for (int b = 1; b <= kBodyCount; ++b) {
    signs[b - 1] = Model.GetSign(b);
  }
  return ChartDignities(Table, signs);
}

int TotalPoints(const TChartDignities& Dignities) {
  return Sum(Dignities, &TBodyDignity::Points);
}

std::string DignityText(const TBodyDignity& Dignity) {
  return JoinedNames(Dignity.Dignities);
}

} // namespace astro
