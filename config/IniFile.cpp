// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"

#include "AtomicFile.h"
#include "Cp1251.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace config {
namespace {

// One line of the file: its text without the line break, and the break it had ("" on a last
// line without one).
struct TLine {
  std::string Text;
  std::string Break;
};

struct TFileText {
  std::vector<TLine> Lines;
  std::string NewLine = "\r\n"; // the break used for appended lines
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Case folding of a Windows-1251 byte: Latin, Cyrillic and Ё/ё.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'a' && c <= 'z')
    return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0)
    return static_cast<unsigned char>(c - 0x20);
  if (c == 0xB8)
    return 0xA8;
  return c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0) {
      ::close(fd);
      return got == 0 ? std::optional(std::move(bytes)) : std::nullopt;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

TFileText SplitLines(const std::string& bytes) {
  TFileText file;
  bool breakSeen = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    TLine line;
    if (end == std::string::npos) {
      line.Text = bytes.substr(start);
      start = bytes.size();
    } else {
      std::size_t textEnd = end;
      if (textEnd > start && bytes[textEnd - 1] == '\r')
        --textEnd;
      line.Text = bytes.substr(start, textEnd - start);
      line.Break = bytes.substr(textEnd, end + 1 - textEnd);
      if (!breakSeen) {
        file.NewLine = line.Break;
        breakSeen = true;
      }
      start = end + 1;
    }
    file.Lines.push_back(std::move(line));
  }
  return file;
}

// The lines of the file at Path; null when it cannot be read. The file is read at every call
// and split again only when its bytes changed since the last read; while files are held (see
// HoldFilesAsFirstRead), a file read once is not read again.
struct TReadLines {
  std::mutex Lock;
  std::string LastBytes;
  std::shared_ptr<const TFileText> Last;
  bool Holding = false;
  std::map<std::string, std::shared_ptr<const TFileText>> Held;
};

TReadLines& ReadLines() {
  static TReadLines lines;
  return lines;
}

std::shared_ptr<const TFileText> LinesOf(const std::string& path) {
  TReadLines& lines = ReadLines();
  const std::lock_guard<std::mutex> hold(lines.Lock);
  if (const auto held = lines.Held.find(path); held != lines.Held.end())
    return held->second;
  std::shared_ptr<const TFileText> read;
  if (auto bytes = ReadWholeFile(path)) {
    if (!lines.Last || *bytes != lines.LastBytes) {
      lines.Last = std::make_shared<const TFileText>(SplitLines(*bytes));
      lines.LastBytes = std::move(*bytes);
    }
    read = lines.Last;
  }
  if (lines.Holding)
    lines.Held.emplace(path, read);
  return read;
}

void ForgetHeld(const std::string& path) {
  TReadLines& lines = ReadLines();
  const std::lock_guard<std::mutex> hold(lines.Lock);
  lines.Held.erase(path);
}

// The text of a line as the parser sees it: a byte-order mark on the first line is skipped.
std::string_view ParsedText(const TFileText& file, std::size_t index) {
  std::string_view text = file.Lines[index].Text;
  if (index == 0 && text.substr(0, 3) == "\xEF\xBB\xBF")
    text.remove_prefix(3);
  return text;
}

// The section name of a header line "[name]", if the line is one.
std::optional<std::string_view> SectionOf(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.front() != '[')
    return std::nullopt;
  text.remove_prefix(1);
  const std::size_t close = text.find(']');
  return Trim(close == std::string_view::npos ? text : text.substr(0, close));
}

// The key of a "key=value" line, if the line is one (comments starting with ";" are not).
std::optional<std::string_view> KeyOf(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
    return std::nullopt;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos)
    return std::nullopt;
  return Trim(text.substr(0, equals));
}

struct TKeyPlace {
  std::optional<std::size_t> Section; // header line of the first section of that name
  std::optional<std::size_t> Key;     // line of the first such key within it
  std::size_t LastEntry = 0;          // last non-blank line of the section
};

TKeyPlace Locate(const TFileText& file, std::string_view section, std::string_view key) {
  TKeyPlace place;
  for (std::size_t i = 0; i < file.Lines.size(); ++i) {
    const std::string_view text = ParsedText(file, i);
    if (const auto name = SectionOf(text)) {
      if (place.Section)
        break; // the section ended
      if (SameName(*name, section)) {
        place.Section = i;
        place.LastEntry = i;
      }
      continue;
    }
    if (!place.Section)
      continue;
    if (!Trim(text).empty())
      place.LastEntry = i;
    if (const auto name = KeyOf(text); name && SameName(*name, key)) {
      place.Key = i;
      break;
    }
  }
  return place;
}

std::string CleanValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  if (value.size() > kMaxIniValueLength)
    value = value.substr(0, kMaxIniValueLength);
  return std::string(value);
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0)
    return false;
  return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

void WriteWholeFile(const std::string& path, const TFileText& file) {
  // A file without any write permission is refused even for a superuser, as a read-only
  // attribute would be.
  if (IsReadOnlyFile(path))
    throw EIniWriteError(path);
  std::string bytes;
  for (const TLine& line : file.Lines) {
    bytes += line.Text;
    bytes += line.Break;
  }
  if (astro::ReplaceFile(path, bytes) != astro::TReplaceResult::Done)
    throw EIniWriteError(path);
}

// Sets one key in the lines: replaced in place, or appended to its section, or appended with a
// new section at the end.
void SetEntry(TFileText& file, const TIniEntry& entry) {
  const std::string section = astro::Utf8ToCp1251(entry.Section);
  const std::string key = astro::Utf8ToCp1251(entry.Key);
  const std::string line = key + "=" + astro::Utf8ToCp1251(entry.Value);
  const TKeyPlace place = Locate(file, section, key);
  if (place.Key) {
    file.Lines[*place.Key].Text = line;
    return;
  }
  // A last line without a break gets one before anything is appended after it.
  auto insertAt = place.Section ? place.LastEntry + 1 : file.Lines.size();
  if (insertAt == file.Lines.size() && !file.Lines.empty() && file.Lines.back().Break.empty())
    file.Lines.back().Break = file.NewLine;
  std::vector<TLine> added;
  if (!place.Section)
    added.push_back({"[" + section + "]", file.NewLine});
  added.push_back({line, file.NewLine});
  file.Lines.insert(file.Lines.begin() + static_cast<std::ptrdiff_t>(insertAt), added.begin(),
                    added.end());
}

} // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

TIniFile::TIniFile(std::string path) : Path(std::move(path)) {}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Key,
                                 std::string_view Default) const {
  const std::shared_ptr<const TFileText> lines = LinesOf(Path);
  if (!lines)
    return std::string(Default);
  const TFileText& file = *lines;
  const TKeyPlace place = Locate(file, astro::Utf8ToCp1251(Section), astro::Utf8ToCp1251(Key));
  if (!place.Key)
    return std::string(Default);
  const std::string_view text = ParsedText(file, *place.Key);
  return astro::Cp1251ToUtf8(CleanValue(text.substr(text.find('=') + 1)));
}

double TIniFile::ReadFloat(std::string_view Section, std::string_view Key, double Default) const {
  double value = 0;
  return ParseIniFloat(ReadString(Section, Key, ""), value) ? value : Default;
}

int TIniFile::ReadInteger(std::string_view Section, std::string_view Key, int Default) const {
  int value = 0;
  return ParseIniInteger(ReadString(Section, Key, ""), value) ? value : Default;
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Key, bool Default) const {
  int value = 0;
  return ParseIniInteger(ReadString(Section, Key, ""), value) ? value != 0 : Default;
}

void TIniFile::WriteString(std::string_view Section, std::string_view Key,
                           std::string_view Value) const {
  WriteEntries({{std::string(Section), std::string(Key), std::string(Value)}});
}

void TIniFile::WriteEntries(const std::vector<TIniEntry>& Entries) const {
  TFileText file;
  if (const auto bytes = ReadWholeFile(Path))
    file = SplitLines(*bytes);
  for (const TIniEntry& entry : Entries)
    SetEntry(file, entry);
  WriteWholeFile(Path, file);
  ForgetHeld(Path);
}

void HoldFilesAsFirstRead(bool Hold) {
  TReadLines& lines = ReadLines();
  const std::lock_guard<std::mutex> hold(lines.Lock);
  lines.Holding = Hold;
  lines.Held.clear();
}

void TIniFile::WriteFloat(std::string_view Section, std::string_view Key, double Value) const {
  WriteString(Section, Key, FormatIniFloat(Value));
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Key, int Value) const {
  WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(std::string_view Section, std::string_view Key, bool Value) const {
  WriteString(Section, Key, FormatIniBool(Value));
}

std::string FormatIniFloat(double Value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, Value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
}

bool ParseIniFloat(std::string_view Text, double& Value) {
  std::string text(Trim(Text));
  for (char& c : text)
    if (c == ',')
      c = '.';
  std::string_view digits = text;
  if (digits.size() >= 2 && digits.front() == '+' && digits[1] != '-')
    digits.remove_prefix(1);
  if (digits.empty())
    return false;
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() ||
      !std::isfinite(value))
    return false;
  Value = value;
  return true;
}

bool ParseIniInteger(std::string_view Text, int& Value) {
  std::string_view text = Trim(Text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.front() == '-' || text.front() == '+')
    return false;
  long long magnitude = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size())
    return false;
  const long long value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX)
    return false;
  Value = static_cast<int>(value);
  return true;
}

std::string DirectoryOf(std::string_view Path) {
  const std::size_t slash = Path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(Path.substr(0, slash + 1));
}

} // namespace config
