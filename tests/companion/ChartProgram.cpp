// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace companion_test {

TRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                const std::string& workDir) {
  QProcess process;
  QStringList list;
  for (const std::string& arg : args)
    list << QString::fromStdString(arg);
  process.setWorkingDirectory(workDir.empty() ? QString(ASTRAVIA_RUN_DIR)
                                              : QString::fromStdString(workDir));
  process.start(QString::fromStdString(program), list);
  TRun run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
    return run;
  run.Status = process.exitCode();
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

TRun RunChart(const std::vector<std::string>& args) {
  return RunProgram(ASTRAVIA_CHART_PROGRAM, args);
}

TTestFolder::TTestFolder(const std::string& name)
    : Folder(std::string(ASTRAVIA_TEST_OUTPUT_DIR) + "/companion/" + name) {
  QDir(QString::fromStdString(Folder)).removeRecursively();
  QDir().mkpath(QString::fromStdString(Folder));
}

std::string TTestFolder::Path(const std::string& name) const {
  return Folder + "/" + name;
}

std::string TTestFolder::Ini(const std::string& name,
                             const std::map<std::string, std::string>& replaced) const {
  QFile shipped(ASTRAVIA_SOURCE_DIR "/data/quellantree.ini");
  if (!shipped.open(QIODevice::ReadOnly))
    return {};
  const QString toRun = QDir(QString::fromStdString(Folder)).relativeFilePath(ASTRAVIA_RUN_DIR);
  QStringList lines = QString::fromUtf8(shipped.readAll()).split('\n');
  static const QRegularExpression fileKey("^(CityBase|TreeImage|AspectText|TaroImage|TaroText|"
                                          "TaroKart)=(.*)$");
  for (QString& line : lines) {
    const QRegularExpressionMatch match = fileKey.match(line.trimmed());
    if (!match.hasMatch())
      continue;
    const std::string key = match.captured(1).toStdString();
    const auto other = replaced.find(key);
    const QString value =
        other != replaced.end() ? QString::fromStdString(other->second) : match.captured(2);
    line = match.captured(1) + "=" + (value.startsWith("./") ? value.mid(2) : toRun + "/" + value);
  }
  const std::string path = Path(name);
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly))
    return {};
  file.write(lines.join('\n').toUtf8()); // the shipped file is plain ASCII
  return path;
}

} // namespace companion_test
