// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniFile.h"
#include "FileText.h"

#include "BoundedRun.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

using config::TIniFile;
namespace fs = std::filesystem;

namespace {

fs::path OutputDir() {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "config_ini";
  fs::create_directories(dir);
  return dir;
}

std::string Write(const std::string& name, const std::string& bytes) {
  const fs::path path = OutputDir() / name;
  if (fs::exists(path))
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  return path.string();
}

const std::string kSample = "; Astravia settings\r\n"
                            "\r\n"
                            "[PositionFrame]\r\n"
                            "CityBase=cities.txt\r\n"
                            "\r\n"
                            "; orbs in degrees\r\n"
                            "[IncludeOrbs]\r\n"
                            "Con=8\r\n"
                            ";Opp=1\r\n"
                            "SSx = 1,5\r\n"
                            "\r\n"
                            "[IncludeAspects]\r\n"
                            "Con=1\r\n";

} // namespace

TEST(IniRead, MissingFileSectionOrKeyGivesTheDefault) {
  const TIniFile missing((OutputDir() / "absent.ini").string());
  EXPECT_EQ(missing.ReadString("PositionFrame", "CityBase", "dflt"), "dflt");
  EXPECT_EQ(missing.ReadFloat("IncludeOrbs", "Con", 4.5), 4.5);
  EXPECT_TRUE(missing.ReadBool("IncludeAspects", "Con", true));
  const TIniFile ini(Write("sample.ini", kSample));
  EXPECT_EQ(ini.ReadString("TreeSection", "TreeImage", ""), "");
  EXPECT_EQ(ini.ReadString("IncludeOrbs", "CityBase", "none"), "none"); // other section's key
  EXPECT_EQ(ini.ReadFloat("IncludeOrbs", "Opp", -1), -1);               // a comment, not a key
}

TEST(IniRead, NamesCompareWithoutCaseIncludingCyrillic) {
  const TIniFile ini(Write("case.ini", "[includeORBS]\ncON=3\n[\xD0\xE0\xE7\xE4\xE5\xEB]\n"
                                       "\xCA\xEB\xFE\xF7=\xB8\xEB\xEA\xE0\n"));
  EXPECT_EQ(ini.ReadFloat("IncludeOrbs", "Con", 0), 3.0);
  EXPECT_EQ(ini.ReadString("раздел", "КЛЮЧ", ""), "ёлка"); // Windows-1251 in the file
  EXPECT_EQ(ini.ReadString("РАЗДЕЛ", "ключ", ""), "ёлка");
}

TEST(IniRead, ValuesLoseBlanksAndOnePairOfQuotes) {
  const TIniFile ini(Write("quotes.ini", "[S]\n"
                                         "a =  \"two words\"  \n"
                                         "b='single'\n"
                                         "c=\"unmatched\n"
                                         "d=\"\"inner\"\"\n"
                                         "e=\t\n"
                                         "f=x=y\n"
                                         "a=second\n"));
  EXPECT_EQ(ini.ReadString("S", "a", "?"), "two words"); // and the first of two keys wins
  EXPECT_EQ(ini.ReadString("S", "b", "?"), "single");
  EXPECT_EQ(ini.ReadString("S", "c", "?"), "\"unmatched");
  EXPECT_EQ(ini.ReadString("S", "d", "?"), "\"inner\"");
  EXPECT_EQ(ini.ReadString("S", "e", "?"), "");
  EXPECT_EQ(ini.ReadString("S", "f", "?"), "x=y");
}

TEST(IniRead, ValuesAreCutTo2047Characters) {
  const std::string longValue(3000, 'x');
  const std::string exact(2047, 'y');
  const TIniFile ini(Write("long.ini", "[S]\nlong=" + longValue + "\nexact=" + exact +
                                           "\nquoted=\"" + longValue + "\"\n"));
  EXPECT_EQ(ini.ReadString("S", "long", ""), std::string(2047, 'x'));
  EXPECT_EQ(ini.ReadString("S", "exact", ""), exact);
  EXPECT_EQ(ini.ReadString("S", "quoted", ""), std::string(2047, 'x'));
}

TEST(IniRead, NumbersAndSwitches) {
  const TIniFile ini(Write("numbers.ini", "[N]\ncomma=2,5\npoint= 2.5 \nbad=abc\nempty=\n"
                                          "tail=2.5x\nhuge=1e999\none=1\nzero=0\nminus=-2\n"
                                          "hex=$1F\nword=yes\n"));
  EXPECT_EQ(ini.ReadFloat("N", "comma", 0), 2.5);
  EXPECT_EQ(ini.ReadFloat("N", "point", 0), 2.5);
  EXPECT_EQ(ini.ReadFloat("N", "bad", 7), 7);
  EXPECT_EQ(ini.ReadFloat("N", "empty", 7), 7);
  EXPECT_EQ(ini.ReadFloat("N", "tail", 7), 7);
  EXPECT_EQ(ini.ReadFloat("N", "huge", 7), 7);
  EXPECT_TRUE(ini.ReadBool("N", "one", false));
  EXPECT_FALSE(ini.ReadBool("N", "zero", true));
  EXPECT_TRUE(ini.ReadBool("N", "minus", false));
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
  EXPECT_TRUE(ini.ReadBool("N", "word", true));
  EXPECT_FALSE(ini.ReadBool("N", "word", false));
  EXPECT_EQ(ini.ReadInteger("N", "point", -1), -1);
}

TEST(IniFormat, FloatsUseThePointAndNoTrailingZeros) {
  EXPECT_EQ(config::FormatIniFloat(2.5), "2.5");
  EXPECT_EQ(config::FormatIniFloat(5), "5");
  EXPECT_EQ(config::FormatIniFloat(0), "0");
  EXPECT_EQ(config::FormatIniFloat(0.1), "0.1");
  EXPECT_EQ(config::FormatIniFloat(1.0 / 3.0), "0.333333333333333");
  double value = 0;
  EXPECT_TRUE(config::ParseIniFloat(config::FormatIniFloat(9.99), value));
  EXPECT_EQ(value, 9.99);
  EXPECT_EQ(config::DirectoryOf("/opt/prog/quellantree.ini"), "/opt/prog/");
  EXPECT_EQ(config::DirectoryOf("/opt/prog//quellantree.ini"), "/opt/prog//");
  EXPECT_EQ(config::DirectoryOf("quellantree.ini"), "");
}

TEST(IniWrite, ReplacesTheKeyLineInPlaceAndKeepsEverythingElse) {
  const std::string path = Write("inplace.ini", kSample);
  const TIniFile ini(path);
  ini.WriteFloat("includeorbs", "con", 6.5);
  std::string expected = kSample;
  expected.replace(expected.find("Con=8"), 5, "con=6.5");
  EXPECT_EQ(ReadFileText(path), expected);
  ini.WriteFloat("IncludeOrbs", "SSx", 2);
  expected.replace(expected.find("SSx = 1,5"), 9, "SSx=2");
  EXPECT_EQ(ReadFileText(path), expected);
}

TEST(IniWrite, AppendsKeysToTheirSectionAndSectionsAtTheEnd) {
  const std::string path = Write("append.ini", kSample);
  const TIniFile ini(path);
  ini.WriteBool("IncludeOrbs", "Sex", false);                // after the section's last entry
  ini.WriteBool("IncludeAspects", "Sep", true);              // last section, end of file
  ini.WriteString("TreeSection", "TreeImage", "дерево.jpg"); // new section
  std::string expected = kSample;
  expected.insert(expected.find("SSx = 1,5\r\n") + 11, "Sex=0\r\n");
  expected += "Sep=1\r\n[TreeSection]\r\nTreeImage=\xE4\xE5\xF0\xE5\xE2\xEE.jpg\r\n";
  EXPECT_EQ(ReadFileText(path), expected);
  EXPECT_EQ(ini.ReadString("TreeSection", "TreeImage", ""), "дерево.jpg");
}

TEST(IniWrite, KeepsTheFilesLineBreaksAndEndsAnUnfinishedLastLine) {
  const std::string lf = Write("lf.ini", "[A]\nx=1\n[B]\ny=2");
  TIniFile(lf).WriteInteger("B", "z", 3);
  TIniFile(lf).WriteInteger("A", "x", 4);
  EXPECT_EQ(ReadFileText(lf), "[A]\nx=4\n[B]\ny=2\nz=3\n");

  const fs::path fresh = OutputDir() / "fresh.ini";
  fs::remove(fresh);
  TIniFile(fresh.string()).WriteFloat("IncludeOrbs", "Con", 2.5);
  EXPECT_EQ(ReadFileText(fresh.string()), "[IncludeOrbs]\r\nCon=2.5\r\n");
}

TEST(IniWrite, NeverCachesTheFile) {
  const std::string path = Write("nocache.ini", "[S]\nk=1\n");
  const TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
  Write("nocache.ini", "[S]\nk=2\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "2");
  ini.WriteString("S", "other", "x");
  EXPECT_EQ(ReadFileText(path), "[S]\nk=2\nother=x\n");
}

TEST(IniRead, HeldFilesKeepTheirFirstReadUntilWrittenThroughTheClass) {
  const std::string path = Write("held.ini", "[S]\nk=1\n");
  const TIniFile ini(path);
  config::HoldFilesAsFirstRead();
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
  Write("held.ini", "[S]\nk=2\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
  ini.WriteString("S", "other", "x");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "2");
  EXPECT_EQ(ini.ReadString("S", "other", ""), "x");
  config::HoldFilesAsFirstRead(false);
  Write("held.ini", "[S]\nk=3\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "3");
}

TEST(IniWrite, ARefusedWriteRaisesAndLeavesTheFileAlone) {
  const std::string path = Write("readonly.ini", kSample);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  try {
    TIniFile(path).WriteBool("IncludeAspects", "Con", false);
    ADD_FAILURE() << "write to a read-only file reported success";
  } catch (const config::EIniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
  EXPECT_EQ(ReadFileText(path), kSample);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);

  const std::string noFolder = (OutputDir() / "no-such-folder" / "x.ini").string();
  EXPECT_THROW(TIniFile(noFolder).WriteBool("S", "k", true), config::EIniWriteError);
}

TEST(IniWrite, OneBatchEqualsTheSameWritesOneByOneAndKeepsLinksAndPermissions) {
  const std::vector<config::TIniEntry> entries = {{"IncludeOrbs", "Con", "6.5"},
                                                  {"IncludeAspects", "Sep", "1"},
                                                  {"Options", "HistoricZones", "1"},
                                                  {"includeorbs", "Opp", "9"}};
  const std::string single = Write("single.ini", kSample);
  for (const auto& entry : entries)
    TIniFile(single).WriteString(entry.Section, entry.Key, entry.Value);
  // The batch goes through a symbolic link to a file with its own permission bits.
  const std::string target = Write("batch-target.ini", kSample);
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = OutputDir() / "batch-link.ini";
  fs::remove(link);
  fs::create_symlink(target, link);
  TIniFile(link.string()).WriteEntries(entries);
  EXPECT_EQ(ReadFileText(target), ReadFileText(single));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniHostile, ATenMegabyteValueIsCutOnReadAndKeptWholeByAWrite) {
  const std::string huge(10 << 20, 'x');
  const std::string text = "[TreeSection]\r\nTreeImage=" + huge + "\r\n";
  const std::string path = Write("huge.ini", text);
  EXPECT_TRUE(bounded::Run(256, [&] {
    const TIniFile ini(path);
    if (ini.ReadString("TreeSection", "TreeImage", "") != huge.substr(0, 2047))
      return false;
    ini.WriteEntries({{"IncludeOrbs", "Con", "8"}});
    return ReadFileText(path) == text + "[IncludeOrbs]\r\nCon=8\r\n";
  }));
}
