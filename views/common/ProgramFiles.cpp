// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFiles.h"

#include "AtomicFile.h"
#include "EfemerisClass.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace files {
namespace {

QString ShippedDir;

QString IniIn(const QString& dir) {
  return QDir(dir).filePath(QString::fromLatin1(kIniName));
}

// The user's copy of the shipped file, writable by the user whatever the shipped file's mode.
bool CopyShippedFile(const QString& shipped, const QString& userDir) {
  const QString copy = IniIn(userDir);
  QFile source(shipped);
  if (!QDir().mkpath(userDir) || !source.open(QIODevice::ReadOnly)) {
    return false;
  }
  // Written whole through a temporary file: an interrupted first start leaves no half copy.
  const QByteArray bytes = source.readAll();
  if (source.error() != QFileDevice::NoError ||
      astro::ReplaceFile(copy.toStdString(), std::string_view(bytes.constData(), bytes.size())) !=
          astro::TReplaceResult::Done) {
    return false;
  }
  return QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                         QFile::ReadOther);
}

} // namespace

TDataFolder FindDataFolder(const QString& ProgramDir) {
  const QDir program(ProgramDir);
  TDataFolder data{ProgramDir, false};
  if (!program.exists(QString::fromLatin1(kIniName)) &&
      !program.exists(QStringLiteral("base/efemerid.efm"))) {
    const QString shared = QDir::cleanPath(program.filePath(QStringLiteral("../share/astravia")));
    if (QFileInfo(shared).isDir()) {
      data = {shared, true};
    }
  }
  data.Writable = QFileInfo(data.Dir).isWritable();
  return data;
}

QString UserConfigDir() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("astravia"));
}

// An installed share folder is never written, even by a user allowed to (root): the package
// would overwrite the file and every user would share one set of orbs.
QString ConfigurationDir(const TDataFolder& Data, const QString& UserDir, TFirstStart FirstStart) {
  if (!Data.Installed && Data.Writable) {
    return Data.Dir;
  }
  if (QFileInfo(IniIn(UserDir)).exists()) {
    return UserDir;
  }
  if (FirstStart == TFirstStart::ReadShippedFile) {
    return Data.Dir;
  }
  const QString shipped = IniIn(Data.Dir);
  if (!QFileInfo(shipped).isFile()) {
    // Nothing to copy: the user's file is created at exit, as a missing file is beside the program.
    return QDir().mkpath(UserDir) ? UserDir : Data.Dir;
  }
  return CopyShippedFile(shipped, UserDir) ? UserDir : Data.Dir;
}

void SetShippedDataDir(const QString& Dir) {
  ShippedDir = Dir;
}

QString ShippedDataDir() {
  return ShippedDir;
}

QString DataFilePath(const std::string& IniFileName, const std::string& Name) {
  const QString beside = QString::fromStdString(config::DirectoryOf(IniFileName) + Name);
  if (QFileInfo(beside).isFile() || ShippedDir.isEmpty()) {
    return beside;
  }
  const QString shipped = ShippedDir + u'/' + QString::fromStdString(Name);
  return QFileInfo(shipped).isFile() ? shipped : beside;
}

std::string DefaultEphemerisFile(const QString& DataDir) {
  const std::string relative = astro::TEfemerisClass::kDefaultFileName;
  if (!QFileInfo::exists(QString::fromStdString(relative))) {
    const QString shipped = QDir(DataDir).filePath(QString::fromStdString(relative));
    if (QFileInfo::exists(shipped))
      return shipped.toStdString();
  }
  return relative;
}

} // namespace files
