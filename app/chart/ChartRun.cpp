// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartRun.h"

#include "ChartSession.h"
#include "Formatting.h"
#include "SpreadRandom.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace chart {
namespace {

int NumberWidth(std::int64_t count) {
  int width = 1;
  for (std::int64_t n = count; n >= 10; n /= 10)
    ++width;
  return std::max(width, 4);
}

QString Numbered(const char* stem, const char* extension, std::int64_t number, std::int64_t count) {
  if (count <= 1)
    return QString("%1.%2").arg(stem, extension);
  return QString("%1-%2.%3")
      .arg(stem, QString::fromStdString(astro::ZeroPad(number, NumberWidth(count))), extension);
}

} // namespace

QString ReportFileName(std::int64_t number, std::int64_t count) {
  return Numbered("report", "txt", number, count);
}

QString TreeFileName(std::int64_t number, std::int64_t count) {
  return PictureFileName("tree", false, number, count);
}

QString PictureFileName(const char* stem, bool png, std::int64_t number, std::int64_t count) {
  return Numbered(stem, png ? "png" : "jpg", number, count);
}

void PrepareOutputFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir())
    throw TChartError("output folder \"" + folder.toStdString() + "\" is not a folder");
  if (!QDir().mkpath(folder))
    throw TChartError("cannot create output folder \"" + folder.toStdString() + "\"");
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".astravia-chart-XXXXXX")));
  if (!probe.open())
    throw TChartError("output folder \"" + folder.toStdString() + "\" cannot be written");
}

int RunChart(const TChartOptions& options, std::FILE* out, std::FILE* errors) {
  const std::int64_t count = SeriesLength(options);
  const bool files = !options.OutDir.empty();
  const QString folder = QString::fromStdString(options.OutDir);

  TConsolePrompts prompts(errors);
  TChartSetup setup;
  setup.IniPath =
      options.IniPath.empty() ? DefaultIniPath() : QString::fromStdString(options.IniPath);
  setup.EphemerisFile = DefaultEphemerisFile();
  setup.FontFile = DefaultFontFile();
  setup.DignityFile = DefaultDignityFile();
  setup.City = options.City;
  setup.Zone = options.Zone.value_or(0);
  setup.TreeFrame = files;
  setup.HistoricZones = options.HistoricZones;
  setup.TaroFrame = files || options.Json;
  PinSpreadSeed(options.Seed);
  TChartSession session(setup, prompts);

  // Both ends are checked first, so a series fails before it writes anything.
  session.CheckInRange(SeriesMoment(options, 0));
  session.CheckInRange(SeriesMoment(options, count - 1));
  if (files)
    PrepareOutputFolder(folder);

  for (std::int64_t i = 0; i < count; ++i) {
    const TChartFacts facts = session.Compute(SeriesMoment(options, i));
    if (options.Json) {
      std::fputs((ChartJson(facts) + "\n").c_str(), out);
    } else {
      if (i > 0)
        std::fputs("\n", out);
      const std::string text =
          ChartText(facts, count > 1 ? static_cast<int>(i + 1) : 0, NumberWidth(count));
      std::fputs(text.c_str(), out);
    }
    if (files) {
      session.SaveReport(QDir(folder).filePath(ReportFileName(i + 1, count)));
      for (TView view : {TView::Tree, TView::Tarot, TView::Cosmogram}) {
        const QString name =
            QDir(folder).filePath(PictureFileName(ViewFileStem(view), options.Png, i + 1, count));
        options.Png ? session.SavePng(view, name) : session.SaveImage(view, name);
      }
    }
  }
  std::fflush(out);
  return 0;
}

} // namespace chart
