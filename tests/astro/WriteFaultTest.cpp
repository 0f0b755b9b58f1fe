// SPDX-License-Identifier: GPL-3.0-or-later
// Files written under injected I/O faults: whatever step fails, the configuration file (saved at
// exit) or an ephemeris extract is the complete old text or the complete new one, and the
// failure is reported with the file's name.
#include "AtomicFile.h"
#include "DateTime.h"
#include "EfemerisClass.h"
#include "FileText.h"
#include "IniFile.h"
#include "PlanetPosition.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

enum class TStep { None, Write, Flush, Rename };

TStep FailingStep = TStep::None;
int FailingErrno = 0;

// A failing write first stores part of the bytes, as a disk filling up does.
ssize_t FaultyWrite(int fd, const void* data, std::size_t size) {
  if (FailingStep != TStep::Write)
    return ::write(fd, data, size);
  static bool partialDone = false;
  partialDone = !partialDone;
  if (partialDone && size > 1)
    return ::write(fd, data, size / 2);
  errno = FailingErrno;
  return -1;
}

int FaultyFsync(int fd) {
  if (FailingStep != TStep::Flush)
    return ::fsync(fd);
  errno = FailingErrno;
  return -1;
}

int FaultyRename(const char* from, const char* to) {
  if (FailingStep != TStep::Rename)
    return ::rename(from, to);
  errno = FailingErrno;
  return -1;
}

struct TFaultyCalls {
  astro::TFileSystemCalls Saved = astro::FileSystemCalls();
  TFaultyCalls() { astro::FileSystemCalls() = {FaultyWrite, FaultyFsync, FaultyRename}; }
  ~TFaultyCalls() {
    astro::FileSystemCalls() = Saved;
    FailingStep = TStep::None;
  }
};

const std::string kOldText = "; settings kept by hand\r\n"
                             "[PositionFrame]\r\nCityBase=cities.txt\r\n\r\n"
                             "[IncludeOrbs]\r\nCon=8\r\nSSx=1.5\r\n\r\n"
                             "[IncludeAspects]\r\nSep=0\r\n";

// Saves orbs 1..18 = 10 + aspect and an option through the model's destruction; returns what it
// reported.
std::vector<std::string> SaveThroughExit(const std::string& path) {
  std::vector<std::string> reported;
  {
    astro::TPlanetPosition model;
    model.SetIniFileName(path);
    for (int a = 1; a <= astro::kAspectCount; ++a)
      model.SetOrbText(a, std::to_string(10 + a));
    model.SetExtraSettings({{"Options", "HistoricZones", "1"}});
    model.OnSaveError = [&](const std::string& message) { reported.push_back(message); };
  }
  return reported;
}

} // namespace

TEST(WriteFaults, EveryFailedStepLeavesTheOldFileWholeAndIsReported) {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "save_faults";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string path = (dir / "quellantree.ini").string();
  TFaultyCalls faults;
  for (const TStep step : {TStep::Write, TStep::Flush, TStep::Rename}) {
    for (const int error : {ENOSPC, EIO}) {
      std::ofstream(path, std::ios::binary | std::ios::trunc) << kOldText;
      FailingStep = step;
      FailingErrno = error;
      EXPECT_EQ(SaveThroughExit(path), std::vector<std::string>{"Unable to write to " + path});
      EXPECT_EQ(ReadFileText(path), kOldText) << int(step) << " " << error;
      EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "a temporary file was left";
    }
  }
  // The same save without a fault stores the complete new text: the old lines and all 36 keys.
  FailingStep = TStep::None;
  EXPECT_TRUE(SaveThroughExit(path).empty());
  const std::string saved = ReadFileText(path);
  EXPECT_EQ(saved.rfind("; settings kept by hand\r\n[PositionFrame]\r\nCityBase=cities.txt\r\n", 0),
            0u);
  astro::TPlanetPosition reloaded;
  reloaded.SetIniFileName(path);
  for (int a = 1; a <= astro::kAspectCount; ++a)
    EXPECT_EQ(reloaded.GetOrb(a), 10 + a) << a;
  EXPECT_FALSE(reloaded.GetAspectEnabled(6)); // kept as it was
  EXPECT_TRUE(config::TIniFile(path).ReadBool("Options", "HistoricZones", false));
}

TEST(WriteFaults, AFolderWithoutRoomForATemporaryFileIsAWriteError) {
  const std::string path = std::string(ASTRAVIA_TEST_OUTPUT_DIR) + "/no-such-folder/q.ini";
  EXPECT_EQ(SaveThroughExit(path), std::vector<std::string>{"Unable to write to " + path});
  EXPECT_FALSE(fs::exists(path));
}

TEST(WriteFaults, AnExtractThatCannotBeWrittenLeavesTheOldOne) {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "extract_faults";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string records;
  for (const char* day : {"01.01.2005", "02.01.2005", "03.01.2005"}) {
    const astro::TPackedDate date = astro::TEfemerisClass::PackDate(day);
    records.append(reinterpret_cast<const char*>(date.data()), date.size());
    records.append(20, '\x01');
  }
  std::ofstream(dir / "days.efm", std::ios::binary) << records;
  const astro::TEfemerisClass store((dir / "days.efm").string());
  const fs::path extract = dir / "01.01.2005-01.01.2005.eft";
  std::ofstream(extract, std::ios::binary) << "old extract";
  const astro::TDateTime day = astro::EncodeDate(2005, 1, 1);
  TFaultyCalls faults;
  FailingStep = TStep::Rename;
  FailingErrno = ENOSPC;
  try {
    store.ExportRange(day, day, dir.string());
    ADD_FAILURE() << "a failed rename was reported as written";
  } catch (const astro::EFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + extract.string());
  }
  EXPECT_EQ(ReadFileText(extract), "old extract");
  FailingStep = TStep::None;
  store.ExportRange(day, day, dir.string());
  EXPECT_EQ(ReadFileText(extract), records.substr(0, 46));
}
