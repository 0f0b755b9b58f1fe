// SPDX-License-Identifier: GPL-3.0-or-later
// Access to one key of one section of an INI file, with private-profile semantics:
// - section and key names compare case-insensitively (Latin and Cyrillic letters);
// - a value read has blanks around it dropped and one pair of enclosing quotes (" or ') removed,
//   and is cut to its first 2047 characters;
// - a write replaces the key's line in place, or appends the key at the end of its section, or
//   appends the section at the end of the file, keeping every other line and comment as it was;
// - nothing is cached: every call reads (and a write rewrites) the file by its path (the lines
//   of the last bytes read are kept, and split again only when the bytes differ), unless the
//   process holds its files as first read (HoldFilesAsFirstRead);
// - a write replaces the whole file at once (temporary file, flush, rename), so a failed write
//   leaves the old file byte for byte.
// The file is Windows-1251; texts given and returned here are UTF-8. Numbers are written with
// "." and read with "." or ",", so a file written under a comma locale reads back the same.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// A write the file system refused; the message is "Unable to write to <path>".
class EIniWriteError : public std::runtime_error {
public:
  explicit EIniWriteError(const std::string& path);
};

// One key to write (UTF-8 texts).
struct TIniEntry {
  std::string Section;
  std::string Key;
  std::string Value;
};

// The longest value a read returns, in characters.
inline constexpr std::size_t kMaxIniValueLength = 2047;

class TIniFile {
public:
  // Path of the file (UTF-8); it need not exist.
  explicit TIniFile(std::string path);

  const std::string& FileName() const { return Path; }

  // The value of Key in Section, or Default when the file, section or key is absent.
  std::string ReadString(std::string_view Section, std::string_view Key,
                         std::string_view Default) const;
  // A decimal number ("." or "," as the point, the whole value must be the number);
  // Default when absent, empty, not a number or not finite.
  double ReadFloat(std::string_view Section, std::string_view Key, double Default) const;
  // A decimal integer (or $hex / 0x hex); Default when absent or not an integer.
  int ReadInteger(std::string_view Section, std::string_view Key, int Default) const;
  // An integer, non-zero meaning true; Default when absent or not an integer.
  bool ReadBool(std::string_view Section, std::string_view Key, bool Default) const;

  // Each write throws EIniWriteError when the file cannot be written.
  void WriteString(std::string_view Section, std::string_view Key, std::string_view Value) const;
  // Writes every entry, in order, as WriteString would, in one replacement of the file: all of
  // them are stored or, on error, none.
  void WriteEntries(const std::vector<TIniEntry>& Entries) const;
  // General format, up to 15 significant digits, "." as the point, no trailing zeros (2.5, 5).
  void WriteFloat(std::string_view Section, std::string_view Key, double Value) const;
  void WriteInteger(std::string_view Section, std::string_view Key, int Value) const;
  // "1" or "0".
  void WriteBool(std::string_view Section, std::string_view Key, bool Value) const;

private:
  std::string Path;
};

// From now on each file is read once and held as read: a run that only reads its configuration
// (the companion) sees one state of it throughout. A write through this class drops what is held
// of its file; false reads every time again.
void HoldFilesAsFirstRead(bool Hold = true);

// The text a WriteFloat stores for Value.
std::string FormatIniFloat(double Value);
// The text a WriteBool stores for Value.
inline std::string FormatIniBool(bool Value) {
  return Value ? "1" : "0";
}
// The number ReadFloat sees in a stored text; false when it is none.
bool ParseIniFloat(std::string_view Text, double& Value);
// The integer ReadInteger sees in a stored text; false when it is none.
bool ParseIniInteger(std::string_view Text, int& Value);

// The folder part of a path, cut after its last "/" (kept); empty when there is none.
std::string DirectoryOf(std::string_view Path);

} // namespace config
