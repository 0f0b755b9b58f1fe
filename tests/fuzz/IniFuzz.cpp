// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration file as the program uses it: every key kind read, then the exit's write of
// the aspect settings, which must read back as written.
#include "FuzzFiles.h"
#include "IniFile.h"
#include "Vocabulary.h"

#include <cstdlib>

namespace {

const char* const kFileKeys[][2] = {{"PositionFrame", "CityBase"}, {"TreeSection", "TreeImage"},
                                    {"TreeSection", "AspectText"}, {"TaroSection", "TaroImage"},
                                    {"TaroSection", "TaroText"},   {"TaroSection", "TaroKart"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const config::TIniFile ini(fuzz::WriteInput(data, size, "quellantree.ini"));
  for (const auto& key : kFileKeys)
    if (ini.ReadString(key[0], key[1], "").size() > 4 * config::kMaxIniValueLength)
      std::abort(); // a value is cut to 2047 characters (at most 4 bytes of UTF-8 each)
  std::vector<config::TIniEntry> entries;
  for (int k = 1; k <= astro::kAspectCount; ++k) {
    const std::string key(astro::AspectKeys[k]);
    const double orb = ini.ReadFloat("IncludeOrbs", key, 0.0);
    const bool on = ini.ReadBool("IncludeAspects", key, true);
    ini.ReadInteger("Options", key, 0);
    entries.push_back({"IncludeOrbs", key, config::FormatIniFloat(orb + k)});
    entries.push_back({"IncludeAspects", key, config::FormatIniBool(!on)});
  }
  try {
    ini.WriteEntries(entries);
  } catch (const config::EIniWriteError&) {
    return 0;
  }
  for (const config::TIniEntry& entry : entries)
    if (ini.ReadString(entry.Section, entry.Key, "?") != entry.Value)
      std::abort(); // a written key must read back
  return 0;
}
