// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's files are found. A folder beside the executable that holds the data (a
// portable or build folder) is used as it stands; an installed program finds its data in
// ../share/astravia and keeps the user's quellantree.ini in the user's configuration folder.
// Data names read from a configuration file are looked for beside that file first, then in the
// shipped data folder, so a user's copy of the file still finds the shipped pictures and bases.
// Folders are given and returned without a trailing separator.
#pragma once

#include <QString>
#include <string>

namespace files {

inline constexpr const char* kIniName = "quellantree.ini";

struct TDataFolder {
  QString Dir;            // where the shipped data are
  bool Installed = false; // Dir is an installed share folder, not the program's own folder
  bool Writable = false;  // the user may write Dir
};

// The data of an executable in ProgramDir: ProgramDir itself when it holds quellantree.ini or
// base/efemerid.efm, else ProgramDir/../share/astravia when that is a folder, else ProgramDir.
TDataFolder FindDataFolder(const QString& ProgramDir);

// $XDG_CONFIG_HOME/astravia, ~/.config/astravia by default.
QString UserConfigDir();

enum class TFirstStart {
  CopyShippedFile, // the window: the user's file is made from the shipped one
  ReadShippedFile  // a reader such as the companion: reads the shipped file until then
};

// The folder whose quellantree.ini is read and written: the program's own folder when the user
// can write it (everything beside the program, as a portable folder works); otherwise (an
// installed folder, even one the user may write, or a read-only program folder) UserDir,
// where the shipped file is copied (CopyShippedFile) when the user has none. When that copy
// cannot be made, or is not wanted yet, the shipped file's folder.
QString ConfigurationDir(const TDataFolder& Data, const QString& UserDir, TFirstStart FirstStart);

// The shipped data folder that data names fall back to; empty (the start value): none.
void SetShippedDataDir(const QString& Dir);
QString ShippedDataDir();

// The file for data name Name of configuration file IniFileName: the configuration file's folder
// part followed by Name when that file exists, else the shipped data folder's file of that name
// when it exists, else the first (so a missing-file message names what the user expects).
QString DataFilePath(const std::string& IniFileName, const std::string& Name);

// "base/efemerid.efm" when the working folder holds it, else the copy in DataDir if any (a
// program started from a desktop menu or another folder reads the shipped store).
std::string DefaultEphemerisFile(const QString& DataDir);

} // namespace files
