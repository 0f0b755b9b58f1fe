// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveFolders.h"

#include "IniFile.h"
#include "ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace savefolders {
namespace {

QString IniPath;
QStringList ExtraFiles;

// Data files the configuration file names, by section and key.
constexpr const char* DataKeys[][2] = {{"PositionFrame", "CityBase"}, {"TreeSection", "TreeImage"},
                                       {"TreeSection", "AspectText"}, {"TaroSection", "TaroImage"},
                                       {"TaroSection", "TaroText"},   {"TaroSection", "TaroKart"}};

const char* KeyOf(TKind Kind) {
  return Kind == TKind::Picture ? "Pictures" : "Reports";
}

// The same file however the path is written: symbolic links and ".." resolved when it exists.
QString SamePath(const QString& Path) {
  const QFileInfo info(Path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QStringList ProgramFiles() {
  QStringList files = ExtraFiles;
  if (IniPath.isEmpty())
    return files;
  files << IniPath;
  const std::string ini = IniPath.toStdString();
  const config::TIniFile file(ini);
  for (const auto& [section, key] : DataKeys) {
    const std::string name = file.ReadString(section, key, "");
    if (!name.empty())
      files << files::DataFilePath(ini, name);
  }
  return files;
}

} // namespace

void SetContext(const QString& Ini, const QStringList& Files) {
  IniPath = Ini;
  ExtraFiles = Files;
}

QString StartFolder(TKind Kind) {
  if (!IniPath.isEmpty()) {
    const QString kept = QString::fromStdString(
        config::TIniFile(IniPath.toStdString()).ReadString("Folders", KeyOf(Kind), ""));
    if (!kept.isEmpty() && QFileInfo(kept).isDir())
      return kept;
  }
  const QString xdg =
      QStandardPaths::writableLocation(Kind == TKind::Picture ? QStandardPaths::PicturesLocation
                                                              : QStandardPaths::DocumentsLocation);
  return !xdg.isEmpty() && QFileInfo(xdg).isDir() ? xdg : QDir::homePath();
}

void Remember(TKind Kind, const QString& FileName) {
  if (IniPath.isEmpty())
    return;
  try {
    config::TIniFile(IniPath.toStdString())
        .WriteString("Folders", KeyOf(Kind), QFileInfo(FileName).absolutePath().toStdString());
  } catch (const config::EIniWriteError&) {
    // Only the convenience is lost; the file itself was saved.
  }
}

bool IsProgramFile(const QString& FileName) {
  const QString target = SamePath(FileName);
  for (const QString& file : ProgramFiles())
    if (SamePath(file) == target)
      return true;
  return false;
}

QString ProgramFileRefusal(const QString& FileName) {
  return QStringLiteral("Файл ") + QDir::toNativeSeparators(FileName) +
         QStringLiteral(" нужен самой программе и не может быть заменен. "
                        "Выберите другое имя или другую папку.");
}

} // namespace savefolders
