// SPDX-License-Identifier: GPL-3.0-or-later
// Where the save dialogs open and what they may not replace. Pictures start in the user's
// pictures folder, reports in the documents folder, each then in the folder last saved to (kept
// in the configuration file's [Folders] section). A file the program itself reads (its
// configuration file, the data files that file names, the ephemeris, the archive) is never
// replaced by a save: one saved picture over tree.jpg would spoil every later start.
#pragma once

#include <QString>
#include <QStringList>

namespace savefolders {

enum class TKind { Picture, Report };

// The configuration file the last folders are kept in (none: nothing is remembered) and the
// files no save may replace besides the configuration file and the data files it names.
void SetContext(const QString& IniPath, const QStringList& ProgramFiles);

// The remembered folder of that kind when it still exists, else the XDG pictures or documents
// folder, else the home folder.
QString StartFolder(TKind Kind);
// Keeps FileName's folder as the next start folder of that kind; a configuration file that
// cannot be written only loses the remembered folder.
void Remember(TKind Kind, const QString& FileName);

// True when FileName is one of the files the program reads.
bool IsProgramFile(const QString& FileName);
// The refusal shown for such a file.
QString ProgramFileRefusal(const QString& FileName);

} // namespace savefolders
