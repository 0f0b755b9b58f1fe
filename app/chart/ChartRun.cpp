// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartRun.h"

#include "ChartArchive.h"
#include "ChartCollection.h"
#include "ChartEvents.h"
#include "ChartSecond.h"
#include "ChartSession.h"
#include "CityBase.h"
#include "DateTime.h"
#include "Formatting.h"
#include "IniFile.h"
#include "ProgramFiles.h"
#include "SaveFolders.h"
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

QString ArchivePathOf(const TChartOptions& options) {
  return options.ArchivePath.empty() ? archive::DefaultArchivePath()
                                     : QString::fromStdString(options.ArchivePath);
}

// The city base the configuration file names, for records that give a city only; null (with a
// warning) when it cannot be read.
std::unique_ptr<TCityBase> ImportAtlas(const TChartOptions& options, std::FILE* errors) {
  const QString ini =
      options.IniPath.empty() ? DefaultIniPath() : QString::fromStdString(options.IniPath);
  const QString path = files::DataFilePath(
      ini.toStdString(),
      config::TIniFile(ini.toStdString()).ReadString("PositionFrame", "CityBase", ""));
  try {
    return std::make_unique<TCityBase>(path);
  } catch (const std::exception&) {
    std::fprintf(errors,
                 "warning: city base \"%s\" cannot be read; places given by city only "
                 "are refused\n",
                 path.toUtf8().constData());
    return nullptr;
  }
}

int ImportCharts(const TChartOptions& options, const QString& archivePath, std::FILE* out,
                 std::FILE* errors) {
  const std::unique_ptr<TCityBase> atlas = ImportAtlas(options, errors);
  archive::TChartArchive store(archivePath);
  const archive::TImportSummary summary =
      archive::ImportCollection(QString::fromStdString(*options.ImportFile), store, atlas.get());
  std::fprintf(out, "%s\n", archive::SummaryText(summary).toUtf8().constData());
  std::fflush(out);
  return archive::ImportExitStatus(summary);
}

int ExportCharts(const TChartOptions& options, const QString& archivePath, std::FILE* out,
                 std::FILE* errors) {
  if (!QFileInfo::exists(archivePath))
    throw TChartError("no archive \"" + archivePath.toStdString() + "\"");
  archive::TChartArchive store(archivePath);
  std::vector<archive::TStoredChart> charts;
  if (options.ExportCharts.empty()) {
    charts = store.List();
    archive::SortByName(charts);
  }
  for (const std::string& name : options.ExportCharts) {
    archive::TStoredChart chart;
    if (!store.Find(QString::fromStdString(name), chart))
      throw TChartError("no chart \"" + name + "\" in the archive \"" + archivePath.toStdString() +
                        "\"");
    charts.push_back(chart);
  }
  const std::unique_ptr<TCityBase> atlas = ImportAtlas(options, errors);
  const QString file = QString::fromStdString(*options.ExportFile);
  archive::ExportCollection(file,
                            options.ExportFormat == "csv" ? archive::TCollectionFormat::Csv
                                                          : archive::TCollectionFormat::Aaf,
                            charts, atlas.get());
  std::fprintf(out, "%zu charts written to \"%s\"\n", charts.size(), file.toUtf8().constData());
  std::fflush(out);
  return 0;
}

// Name, date, time and place of every stored chart, tab-separated, sorted by name.
int ListCharts(const QString& path, std::FILE* out, std::FILE* errors) {
  if (!QFileInfo::exists(path))
    throw TChartError("no archive \"" + path.toStdString() + "\"");
  archive::TChartArchive store(path);
  std::vector<archive::TStoredChart> charts = store.List();
  archive::SortByName(charts);
  for (const archive::TStoredChart& chart : charts)
    std::fprintf(out, "%s\t%s\t%s\t%s\n", chart.Name.toUtf8().constData(),
                 astro::DateToText(chart.Local).c_str(), astro::TimeToText(chart.Local).c_str(),
                 archive::PlaceText(chart).toUtf8().constData());
  if (store.SkippedRows() > 0)
    std::fprintf(errors, "astravia-chart: warning: %d damaged entries of %s skipped\n",
                 store.SkippedRows(), path.toUtf8().constData());
  std::fflush(out);
  return 0;
}

// The options with a stored chart's moment, place and zone in place of the given ones.
TChartOptions WithStoredChart(TChartOptions options, const archive::TStoredChart& chart) {
  const astro::TCalendarDate date = astro::DecodeDate(chart.Local);
  const astro::TTimeOfDay time = astro::DecodeTime(chart.Local);
  options.Start =
      ToSeconds({date.Year, date.Month, date.Day}, {time.Hour, time.Minute, time.Second});
  options.City.reset();
  if (!chart.OwnPlace && !chart.Country.isEmpty() && !chart.City.isEmpty())
    options.City = (chart.Country + "/" + chart.City).toStdString();
  options.Zone = chart.Zone;
  if (chart.OwnPlace) {
    options.Latitude = archive::LatitudeOf(chart);
    options.Longitude = archive::LongitudeOf(chart);
    if (!chart.FixedOffset && !chart.ZoneName.isEmpty())
      options.TimeZoneName = chart.ZoneName.toStdString();
  }
  // An offset the zone does not give (an imported +5:30) is kept exactly.
  if (chart.OffsetSeconds && (chart.FixedOffset || *chart.OffsetSeconds % 3600 != 0))
    options.ZoneSeconds = *chart.OffsetSeconds;
  if (options.Until && *options.Until < options.Start)
    throw TChartError("--until: " + MomentText(*options.Until) + " is before the chart's moment " +
                      MomentText(options.Start));
  return options;
}

archive::TStoredChart LoadChart(const QString& path, const std::string& name) {
  archive::TStoredChart chart;
  if (!archive::TChartArchive(path).Find(QString::fromStdString(name), chart))
    throw TChartError("no chart \"" + name + "\" in the archive \"" + path.toStdString() + "\"");
  return chart;
}

// The session's chart of a local moment as the archive keeps it.
archive::TStoredChart ChartToStore(const TChartOptions& options, TSeconds local,
                                   const TChartSession& session) {
  archive::TStoredChart chart;
  chart.Name = QString::fromStdString(*options.SaveChart).trimmed();
  chart.Local = ToDateTime(local);
  chart.Zone = session.Zone();
  chart.HistoricZones = session.HistoricZones();
  const TZoneOffset offset = session.OffsetAt(local);
  chart.OffsetSeconds = offset.Seconds;
  chart.FixedOffset = offset.Source == TZoneSource::Fixed;
  chart.ZoneName = session.ZoneName();
  chart.Julian = options.Julian;
  if (const auto& place = session.Place()) {
    chart.Country = QString::fromStdString(place->Country);
    chart.City = QString::fromStdString(place->City);
    chart.LatitudeDeg = place->LatitudeDeg;
    chart.LatitudeMin = place->LatitudeMin;
    chart.LongitudeDeg = place->LongitudeDeg;
    chart.LongitudeMin = place->LongitudeMin;
    chart.Latitude = place->Latitude;
    chart.Longitude = place->Longitude;
    chart.OwnPlace = place->Own;
    if (place->Own)
      chart.Country = chart.City = QString();
  }
  return chart;
}

void RefuseLongSeries(std::int64_t count, const TChartOptions& options) {
  if (count > options.MaxSteps)
    throw TChartError("a series of " + std::to_string(count) + " charts would write " +
                      std::to_string(count * 4) + " files to \"" + options.OutDir +
                      "\"; give --max-steps " + std::to_string(count) + " to allow it");
}

// A series steps universal time from the start's, each chart shown at the local time that
// universal time gives: across a summer-time change no hour is shown twice or skipped.
struct TUniversalSeries {
  TUniversalSeries(const TChartSession& session, const TChartOptions& options)
      : Session(session), Step(StepSeconds(options.Step)),
        Start(options.Start - session.OffsetAt(options.Start).Seconds) {
    Count = 1;
    if (options.Until && Step > 0) {
      const TSeconds until = *options.Until - session.OffsetAt(*options.Until).Seconds;
      Count = until < Start ? 1 : (until - Start) / Step + 1;
    }
  }
  // Chart i's offset: the session's own one of the local reading where that gives back the
  // same reading, else (the second occurrence of a repeated hour) the one at the instant.
  TZoneOffset Offset(std::int64_t i) const {
    const TSeconds ut = Start + i * Step;
    const TZoneOffset atInstant = Session.OffsetAtUniversal(ut);
    const TZoneOffset own = Session.OffsetAt(ut + atInstant.Seconds);
    return Session.OffsetAt(ut + own.Seconds) == own ? own : atInstant;
  }
  TSeconds Local(std::int64_t i) const { return Start + i * Step + Offset(i).Seconds; }

  const TChartSession& Session;
  TSeconds Step;
  TSeconds Start;
  std::int64_t Count;
};

// An output folder holding the program's own data (tree.jpg is the Tree's mask) is refused
// before anything is written.
void RefuseProgramFiles(const QString& folder, std::int64_t count, bool png) {
  const QDir out(folder);
  QStringList names = {ReportFileName(1, count)};
  for (TView view : {TView::Tree, TView::Tarot, TView::Cosmogram})
    names << PictureFileName(ViewFileStem(view), png, 1, count);
  for (const QString& name : names)
    if (savefolders::IsProgramFile(out.filePath(name)))
      throw TChartError("\"" + out.filePath(name).toStdString() +
                        "\" is a file the program reads; choose another --out folder");
}

// The session's files and place for the options (and the stored chart they were taken from).
TChartSetup SessionSetup(const TChartOptions& options,
                         const std::optional<archive::TStoredChart>& stored) {
  TChartSetup setup;
  setup.IniPath =
      options.IniPath.empty() ? DefaultIniPath() : QString::fromStdString(options.IniPath);
  setup.DataDir = DefaultDataDir();
  setup.EphemerisFile = files::DefaultEphemerisFile(DefaultDataDir());
  setup.FontFile = DefaultFontFile();
  setup.DignityFile = DefaultDignityFile();
  setup.City = options.City;
  setup.Zone = options.Zone.value_or(0);
  setup.HistoricZones = options.HistoricZones;
  if (stored && !options.HistoricZones)
    setup.HistoricZones = stored->HistoricZones; // the chart's own choice
  setup.HouseSystem = options.HouseSystem;
  setup.FixedSeconds = options.ZoneSeconds;
  if (options.Latitude && options.Longitude) {
    setup.OwnPlace =
        TOwnPlace{*options.Latitude, *options.Longitude, options.TimeZoneName.value_or("")};
    // An own place's --zone is its fixed offset, whole hours too.
    if (!options.TimeZoneName && !setup.FixedSeconds)
      setup.FixedSeconds = options.Zone.value_or(0) * 3600;
  }
  if (stored)
    setup.StoredPlace = TPlaceFacts{(stored->Country + "/" + stored->City).toStdString(),
                                    stored->Country.toStdString(),
                                    stored->City.toStdString(),
                                    stored->LatitudeDeg,
                                    stored->LatitudeMin,
                                    stored->LongitudeDeg,
                                    stored->LongitudeMin,
                                    archive::LatitudeOf(*stored),
                                    archive::LongitudeOf(*stored)};
  return setup;
}

} // namespace

QString ReportFileName(std::int64_t number, std::int64_t count) {
  return Numbered("report", "txt", number, count);
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

QString SheetFileName(const TChartOptions& options, std::int64_t number, std::int64_t count) {
  const QString given = QString::fromStdString(options.PdfFile);
  const QFileInfo info(given);
  QDir folder = info.dir();
  if (!options.OutDir.empty() && !given.contains('/'))
    folder = QDir(QString::fromStdString(options.OutDir));
  const QString suffix = info.suffix().isEmpty() ? QStringLiteral("pdf") : info.suffix();
  const QByteArray stem =
      (info.suffix().isEmpty() ? info.fileName() : info.completeBaseName()).toUtf8();
  return folder.filePath(Numbered(stem.constData(), suffix.toUtf8().constData(), number, count));
}

bool WritesPictures(const TChartOptions& options) {
  return !options.OutDir.empty() || !options.PdfFile.empty();
}

int RunChart(const TChartOptions& given, std::FILE* out, std::FILE* errors,
             TChartViewsMaker views) {
  const QString archivePath = ArchivePathOf(given);
  if (given.ListCharts)
    return ListCharts(archivePath, out, errors);
  if (given.ImportFile)
    return ImportCharts(given, archivePath, out, errors);
  if (given.ExportFile)
    return ExportCharts(given, archivePath, out, errors);
  std::optional<archive::TStoredChart> stored;
  if (given.ChartName)
    stored = LoadChart(archivePath, *given.ChartName);
  const TChartOptions options = stored ? WithStoredChart(given, *stored) : given;

  const bool files = !options.OutDir.empty();
  const QString folder = QString::fromStdString(options.OutDir);

  TConsoleMessages prompts(errors);
  TChartSetup setup = SessionSetup(options, stored);
  setup.TreeFrame = files;
  // The spread's picture only with files; JSON lays the spread without the frame.
  setup.TaroFrame = files && !options.Events;
  setup.Spread = options.Json && !options.Events;
  setup.Pictures = WritesPictures(options);
  setup.WheelHouses = options.WheelHouses;
  setup.Views = views;
  PinSpreadSeed(options.Seed);
  TChartSession session(setup, prompts);
  // A synastry's partner is computed by a session of its own (its place, zone and history),
  // without views.
  std::unique_ptr<TChartSession> partner;
  std::optional<TChartFacts> partnerFacts;
  if (options.Second && options.Second->Kind == astro::TSecondKind::Synastry) {
    const archive::TStoredChart other = LoadChart(archivePath, options.Second->ChartName);
    TChartOptions otherOptions = given;
    otherOptions.Until.reset();
    otherOptions = WithStoredChart(otherOptions, other);
    TChartSetup partnerSetup = SessionSetup(otherOptions, other);
    partnerSetup.TreeFrame = partnerSetup.TaroFrame = false;
    partnerSetup.DignityFile.clear();
    partnerSetup.Pictures = false; // the pictures are the session's, drawn with its font
    partner = std::make_unique<TChartSession>(partnerSetup, prompts);
    partner->CheckInRange(otherOptions.Start);
    partnerFacts = partner->Compute(otherOptions.Start);
  }
  const TUniversalSeries series(session, options);
  const std::int64_t count = series.Count;
  if (files)
    RefuseLongSeries(count, options);

  if (options.Events)
    return PrintEvents(options, session, out);
  // Both ends are checked first, so a series fails before it writes anything.
  session.CheckInRange(series.Local(0));
  session.CheckInRange(series.Local(count - 1));
  savefolders::SetContext(setup.IniPath, {QString::fromStdString(setup.EphemerisFile), archivePath,
                                          setup.FontFile, setup.DignityFile});
  if (files) {
    RefuseProgramFiles(folder, count, options.Png);
    PrepareOutputFolder(folder);
  }
  if (options.SaveChart)
    archive::TChartArchive(archivePath).Save(ChartToStore(options, options.Start, session));

  for (std::int64_t i = 0; i < count; ++i) {
    TChartFacts facts = session.Compute(series.Local(i), series.Offset(i));
    if (options.Second) {
      facts.Second = partnerFacts
                         ? SynastryOf(options.Second->ChartName, *partnerFacts, facts, session)
                         : ComputeSecond(*options.Second, facts, session);
      if (session.Views())
        session.Views()->ShowSecond(facts);
    }
    if (options.Json) {
      std::fputs((ChartJson(facts) + "\n").c_str(), out);
    } else {
      if (i > 0)
        std::fputs("\n", out);
      const std::string text =
          ChartText(facts, count > 1 ? static_cast<int>(i + 1) : 0, NumberWidth(count));
      std::fputs(text.c_str(), out);
    }
    if (session.Views())
      session.Views()->Write(facts, options, i + 1, count);
  }
  std::fflush(out);
  return 0;
}

} // namespace chart
