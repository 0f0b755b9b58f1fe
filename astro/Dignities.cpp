// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dignities.h"

#include <charconv>
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
    } else {
      Fail("неизвестный ключ «" + std::string(key) + "»");
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
    std::array<bool, kDignityKinds> given{};
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
  TBodyDignity result{Body, Sign, {}, 0};
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
  int total = 0;
  for (const TBodyDignity& dignity : Dignities) {
    total += dignity.Points;
  }
  return total;
}

std::string DignityText(const TBodyDignity& Dignity) {
  std::string text;
  for (TDignity kind : Dignity.Dignities) {
    text += (text.empty() ? "" : ", ") + std::string(DignityNames[static_cast<int>(kind)]);
  }
  return text.empty() ? "—" : text;
}

} // namespace astro
