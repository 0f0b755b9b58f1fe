// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartPictures.h"

#include "ChartRun.h"
#include "ChartSheet.h"
#include "FontStream.h"
#include "IniFile.h"
#include "Jpeg.h"
#include "MainForm.h"
#include "SaveFolders.h"
#include "StartupPrefetch.h"

#include "KosmoImage.h"
#include "TaroImage.h"
#include "TreeImage.h"
#include "ViewCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QWidget>

#include <future>

namespace chart {
namespace {

// The main window's client area; the frames size themselves from their owner's.
constexpr int kClientWidth = 865;
constexpr int kClientHeight = 471;

std::string Quoted(const QString& path) {
  return "\"" + path.toStdString() + "\"";
}

TSheetFacts SheetOf(const TChartFacts& facts, const TChartOptions& options) {
  TSheetFacts sheet;
  sheet.Chart = facts.Value;
  if (options.ChartName)
    sheet.Name = QString::fromStdString(*options.ChartName);
  else if (options.SaveChart)
    sheet.Name = QString::fromStdString(*options.SaveChart).trimmed();
  if (facts.Place)
    sheet.PlaceName = QString::fromStdString(facts.Place->Country + ", " + facts.Place->City)
                          .replace(';', QStringLiteral(", "));
  sheet.Almanac = facts.Almanac;
  if (facts.Dignities)
    sheet.Dignities = facts.Dignities->Bodies;
  if (facts.Second) {
    const std::string_view kind = astro::SecondKindName(facts.Second->Kind);
    QString title = QString::fromUtf8(kind.data(), qsizetype(kind.size()));
    if (!facts.Second->Name.empty())
      title += ": " + QString::fromStdString(facts.Second->Name);
    sheet.Second = TSheetSecond{title, facts.Second->Chart.Value, facts.Second->Cross};
  }
  return sheet;
}

} // namespace

std::unique_ptr<TChartViews> MakeChartPictures(const TChartSetup& setup, const QString& iniPath,
                                               TConsoleMessages& messages) {
  return std::make_unique<TChartPictures>(setup, iniPath, messages);
}

TChartPictures::TChartPictures(const TChartSetup& setup, const QString& iniPath,
                               TConsoleMessages& messages)
    : Setup(setup), IniPath(iniPath), Messages(messages), Prompts(messages) {
  // The city is looked up by the session itself; only the pictures are read ahead.
  Prefetch_ = std::make_unique<TStartupPrefetch>(
      IniPath, TStartupPrefetch::TFiles{setup.TreeFrame, setup.TaroFrame, false, {}});
  if (setup.TreeFrame || setup.TaroFrame) {
    Host = std::make_unique<QWidget>();
    Host->setObjectName(QStringLiteral("Form1"));
    Host->resize(kClientWidth, kClientHeight);
  }
}

TChartPictures::~TChartPictures() = default;

TChartPictures::TFontHold::~TFontHold() {
  if (Loaded)
    FreeSymbolFont();
}

// The main window's InitTree: tree, tarot, cosmogram. A frame reports an unreadable picture in
// an error box and goes on without it; the companion has been asked for that picture, so it
// stops (the box was printed already).
void TChartPictures::Open() {
  Font.Loaded = Setup.Pictures && LoadSymbolFont(Setup.FontFile);
  if (!Font.Loaded && Setup.TreeFrame)
    Messages.Information("symbol font " + Setup.FontFile + " is missing; glyphs are not drawn");
  const qsizetype errorsBefore = Messages.Errors.size();
  if (Setup.TreeFrame)
    TreeFrame_ = CreateTreeFrame(Host.get(), Host.get(), IniPath);
  if (Setup.TaroFrame) {
    try {
      TaroFrame_ = CreateTaroFrame(Host.get(), Host.get(), IniPath);
    } catch (const std::runtime_error& error) {
      throw TChartError(std::string("tarot text base: ") + error.what());
    }
  }
  if (Setup.TreeFrame) {
    KosmoFrame_ = CreateKosmoFrame(Host.get(), Host.get(), IniPath);
    KosmoFrame_->HousesShown = Setup.WheelHouses.value_or(
        config::TIniFile(IniPath.toStdString()).ReadBool("Options", "CosmogramHouses", false));
  }
  Prefetch_.reset();
  if (Messages.Errors.size() > errorsBefore)
    throw TChartError("cannot read a data file of the views (see the message above)");
}

void TChartPictures::SetChart(const astro::TChart& chart) {
  if (KosmoFrame_)
    KosmoFrame_->SetHouses(chart.Houses, chart.Points);
}

void TChartPictures::Push(const astro::TPlanetPosition& model, astro::TDateTime local) {
  PushChartIntoViews(TreeFrame_, TaroFrame_, KosmoFrame_, model.LongitudeArray(), model.Aspects(),
                     local);
}

TCardStates TChartPictures::CardStates() const {
  return TaroFrame_ ? TaroFrame_->CardStates : TCardStates{};
}

std::vector<std::string> TChartPictures::CardText(int number) const {
  std::vector<std::string> lines;
  if (TaroFrame_ && TaroFrame_->TextBase)
    for (const QString& line : TaroFrame_->TextBase->Texts(number))
      lines.push_back(line.toStdString());
  return lines;
}

void TChartPictures::ShowSecond(const TChartFacts& natal) {
  if (!KosmoFrame_ || !natal.Second)
    return;
  const TSecondFacts& second = *natal.Second;
  QString title = QString::fromUtf8(astro::SecondKindName(second.Kind).data());
  if (!second.Name.empty())
    title += QStringLiteral(": ") + QString::fromStdString(second.Name);
  KosmoFrame_->SetSecond(
      kosmo::SecondWheelOf(title, second.Chart.Value, natal.Value, second.Cross,
                           KosmoFrame_->HousesShown && natal.Value.Houses.has_value()));
}

void TChartPictures::Write(const TChartFacts& facts, const TChartOptions& options,
                           std::int64_t number, std::int64_t count) {
  if (!options.PdfFile.empty()) {
    const QString sheet = SheetFileName(options, number, count);
    if (savefolders::IsProgramFile(sheet))
      throw TChartError("\"" + sheet.toStdString() +
                        "\" is a file the program reads; choose another --pdf file");
    SaveSheetPdf(sheet, {SheetOf(facts, options)});
  }
  if (options.OutDir.empty())
    return;
  const QDir folder(QString::fromStdString(options.OutDir));
  SaveReport(folder.filePath(ReportFileName(number, count)));
  std::vector<std::pair<TView, QString>> pictures;
  for (TView view : {TView::Tree, TView::Tarot, TView::Cosmogram})
    pictures.emplace_back(
        view, folder.filePath(PictureFileName(ViewFileStem(view), options.Png, number, count)));
  if (options.Png) {
    for (const auto& [view, name] : pictures)
      SavePng(view, name);
  } else {
    SaveImages(pictures);
  }
}

TViewFrame* TChartPictures::View(TView view) const {
  switch (view) {
  case TView::Tree:
    return TreeFrame_;
  case TView::Tarot:
    return TaroFrame_;
  case TView::Cosmogram:
    return KosmoFrame_;
  }
  return nullptr;
}

void TChartPictures::SaveReport(const QString& fileName) {
  if (!TreeFrame_)
    throw TChartError("no Tree of Life frame to write a report from");
  Prompts.AnswerNextSave(fileName);
  ::SaveReport(*TreeFrame_);
  if (!QFileInfo(fileName).isFile())
    throw TChartError("report " + Quoted(fileName) + " was not written");
}

void TChartPictures::SaveImages(const std::vector<std::pair<TView, QString>>& files) {
  std::vector<std::future<QByteArray>> encodings;
  for (const auto& file : files) {
    const TViewFrame* frame = View(file.first);
    const QImage picture = frame ? frame->Picture() : QImage();
    encodings.push_back(picture.isNull() ? std::future<QByteArray>()
                                         : std::async(std::launch::async,
                                                      [picture] { return EncodeJpeg(picture); }));
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!View(files[i].first))
      continue;
    if (!encodings[i].valid()) {
      Messages.Information(SaveImageRefusal);
      continue;
    }
    WriteJpegFile(encodings[i].get(), files[i].second);
  }
}

bool TChartPictures::SavePng(TView view, const QString& fileName) {
  TViewFrame* frame = View(view);
  if (!frame || frame->Picture().isNull()) {
    Messages.Information(QStringLiteral("no %1 picture to save as %2")
                             .arg(QString::fromLatin1(ViewFileStem(view)), fileName));
    return false;
  }
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || !frame->Picture().save(&file, "PNG") || !file.commit())
    throw TChartError("cannot write " + Quoted(fileName));
  return true;
}

} // namespace chart
