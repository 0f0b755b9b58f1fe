// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its data and its configuration file: a portable folder, a read-only
// folder, an installed layout, and a user's own copy of one data file.
#include "ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kShippedIni = "[PositionFrame]\nCityBase=cities.txt\n[IncludeOrbs]\nCon=8\n";

struct ProgramFiles : ::testing::Test {
  QTemporaryDir root;
  QString Path(const QString& relative) const { return root.filePath(relative); }
};

TEST_F(ProgramFiles, DataFolderIsTheProgramsOwnOrTheInstalledShareFolder) {
  WriteFile(Path("run/quellantree.ini"), kShippedIni);
  WriteFile(Path("portable/base/efemerid.efm"), "x");
  QDir().mkpath(Path("usr/bin"));
  QDir().mkpath(Path("usr/share/astravia"));
  QDir().mkpath(Path("bare"));

  EXPECT_EQ(files::FindDataFolder(Path("run")).Dir, Path("run"));
  EXPECT_FALSE(files::FindDataFolder(Path("run")).Installed);
  EXPECT_EQ(files::FindDataFolder(Path("portable")).Dir, Path("portable"));
  const files::TDataFolder installed = files::FindDataFolder(Path("usr/bin"));
  EXPECT_EQ(installed.Dir, Path("usr/share/astravia"));
  EXPECT_TRUE(installed.Installed);
  // Data beside the program win over an installed folder.
  WriteFile(Path("usr/bin/quellantree.ini"), kShippedIni);
  EXPECT_EQ(files::FindDataFolder(Path("usr/bin")).Dir, Path("usr/bin"));
  EXPECT_EQ(files::FindDataFolder(Path("bare")).Dir, Path("bare"));
}

TEST_F(ProgramFiles, UserFolderFollowsXdgConfigHome) {
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", Path("conf").toUtf8());
  EXPECT_EQ(files::UserConfigDir(), Path("conf/astravia"));
  qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(ProgramFiles, WritableProgramFolderKeepsItsOwnFile) {
  WriteFile(Path("run/quellantree.ini"), kShippedIni);
  const files::TDataFolder data{Path("run"), false, true};
  EXPECT_EQ(files::ConfigurationDir(data, Path("user"), files::TFirstStart::CopyShippedFile),
            Path("run"));
  EXPECT_FALSE(QFileInfo::exists(Path("user")));
}

TEST_F(ProgramFiles, ReadOnlyOrInstalledFolderGivesTheUserAWritableCopyOnce) {
  WriteFile(Path("share/quellantree.ini"), kShippedIni);
  QFile::setPermissions(Path("share/quellantree.ini"), QFile::ReadOwner | QFile::ReadOther);
  const QString user = Path("conf/astravia");
  for (const files::TDataFolder& data : {files::TDataFolder{Path("share"), false, false},
                                         files::TDataFolder{Path("share"), true, true}}) {
    QDir(Path("conf")).removeRecursively();
    // The companion reads the shipped file until the window has made the user's.
    EXPECT_EQ(files::ConfigurationDir(data, user, files::TFirstStart::ReadShippedFile),
              Path("share"));
    EXPECT_FALSE(QFileInfo::exists(user));
    EXPECT_EQ(files::ConfigurationDir(data, user, files::TFirstStart::CopyShippedFile), user);
    EXPECT_EQ(ReadFile(user + "/quellantree.ini"), kShippedIni);
    EXPECT_TRUE(QFileInfo(user + "/quellantree.ini").permissions() & QFile::WriteOwner);
  }
  // Once made, the user's file is kept as the user left it, and read by the companion too.
  WriteFile(user + "/quellantree.ini", "[IncludeOrbs]\nCon=3\n");
  const files::TDataFolder installed{Path("share"), true, true};
  EXPECT_EQ(files::ConfigurationDir(installed, user, files::TFirstStart::CopyShippedFile), user);
  EXPECT_EQ(files::ConfigurationDir(installed, user, files::TFirstStart::ReadShippedFile), user);
  EXPECT_EQ(ReadFile(user + "/quellantree.ini"), "[IncludeOrbs]\nCon=3\n");
}

TEST_F(ProgramFiles, MissingShippedFileStartsAnEmptyUserFolderAndAnUnwritableHomeKeepsTheShipped) {
  QDir().mkpath(Path("share"));
  const files::TDataFolder data{Path("share"), true, false};
  EXPECT_EQ(
      files::ConfigurationDir(data, Path("conf/astravia"), files::TFirstStart::CopyShippedFile),
      Path("conf/astravia"));
  EXPECT_TRUE(QFileInfo(Path("conf/astravia")).isDir());

  WriteFile(Path("share/quellantree.ini"), kShippedIni);
  WriteFile(Path("home-is-a-file"), "");
  EXPECT_EQ(files::ConfigurationDir(data, Path("home-is-a-file/astravia"),
                                    files::TFirstStart::CopyShippedFile),
            Path("share"));
}

TEST_F(ProgramFiles, FindDataFolderSeesAReadOnlyFolder) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "every folder is writable for root";
  }
  WriteFile(Path("run/quellantree.ini"), kShippedIni);
  QFile::setPermissions(Path("run"), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_FALSE(files::FindDataFolder(Path("run")).Writable);
  QFile::setPermissions(Path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(files::FindDataFolder(Path("run")).Writable);
}

TEST_F(ProgramFiles, DataNamesAreLookedForBesideTheFileThenInTheShippedFolder) {
  WriteFile(Path("share/cities.txt"), "shipped");
  WriteFile(Path("share/tree.jpg"), "shipped");
  WriteFile(Path("user/cities.txt"), "user's own");
  const std::string ini = Path("user/quellantree.ini").toStdString();

  files::SetShippedDataDir(Path("share"));
  EXPECT_EQ(files::DataFilePath(ini, "cities.txt"), Path("user/cities.txt"));
  EXPECT_EQ(files::DataFilePath(ini, "tree.jpg"), Path("share/tree.jpg"));
  // Missing everywhere (or empty): the name beside the file, for the missing-file message.
  EXPECT_EQ(files::DataFilePath(ini, "taro.jpg"), Path("user/taro.jpg"));
  EXPECT_EQ(files::DataFilePath(ini, ""), Path("user/"));
  // Names are appended as stored, sub-folders included.
  WriteFile(Path("share/base/cards.jpg"), "shipped");
  EXPECT_EQ(files::DataFilePath(ini, "base/cards.jpg"), Path("share/base/cards.jpg"));

  files::SetShippedDataDir(QString());
  EXPECT_EQ(files::DataFilePath(ini, "tree.jpg"), Path("user/tree.jpg"));
}

} // namespace
