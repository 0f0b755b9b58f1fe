// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's pictures: the main window's Tree of Life, tarot and cosmogram frames, created
// without a window under a stand-in owner and fed as the window feeds them; their save commands
// write the report and the pictures, and the sheet writes the PDF.
#pragma once

#include "ChartSession.h"
#include "ChartViews.h"
#include "ConsolePrompts.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

class QWidget;
class TImageFrame;
class TKosmoFrame;
class TStartupPrefetch;
class TTaroFrame;
class TViewFrame;

namespace chart {

class TChartPictures : public TChartViews {
public:
  TChartPictures(const TChartSetup& setup, const QString& iniPath, TConsoleMessages& messages);
  ~TChartPictures() override;

  void Open() override;
  void SetChart(const astro::TChart& chart) override;
  void Push(const astro::TPlanetPosition& model, astro::TDateTime local) override;
  bool HasTarot() const override { return TaroFrame_ != nullptr; }
  TCardStates CardStates() const override;
  std::vector<std::string> CardText(int number) const override;
  void ShowSecond(const TChartFacts& natal) override;
  void Write(const TChartFacts& facts, const TChartOptions& options, std::int64_t number,
             std::int64_t count) override;

  // The tree frame's "Сохранить как отчет", answered with the given file name; a failed write
  // throws.
  void SaveReport(const QString& fileName);
  // Each view's "Сохранить как изображение" to its file: the pictures encoded side by side on
  // worker threads, the files written in the given order. A failed write throws; a picture that
  // cannot be saved (no mask) only warns.
  void SaveImages(const std::vector<std::pair<TView, QString>>& files);
  // The view's own pixels as a PNG file (written whole or not at all); false without a picture.
  bool SavePng(TView view, const QString& fileName);

  TImageFrame* TreeFrame() const { return TreeFrame_; }
  TViewFrame* View(TView view) const;

private:
  TChartSetup Setup;
  QString IniPath;
  TConsoleMessages& Messages;
  TConsolePrompts Prompts;
  std::unique_ptr<TStartupPrefetch> Prefetch_;
  std::unique_ptr<QWidget> Host; // stands in for the main window as the frames' owner, if any
  TImageFrame* TreeFrame_ = nullptr;
  TTaroFrame* TaroFrame_ = nullptr;
  TKosmoFrame* KosmoFrame_ = nullptr;
  struct TFontHold { // frees the shared symbol font it loaded
    bool Loaded = false;
    ~TFontHold();
  } Font;
};

// The maker of TChartSetup::Views.
std::unique_ptr<TChartViews> MakeChartPictures(const TChartSetup& setup, const QString& iniPath,
                                               TConsoleMessages& messages);

} // namespace chart
