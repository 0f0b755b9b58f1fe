// SPDX-License-Identifier: GPL-3.0-or-later
// The cosmogram view: the chart wheel of the current moment in a scrollable panel, with hints
// over bodies, sign glyphs and segment numbers, and the save and print commands (landscape
// print, no text report). Every push of longitudes, aspects, moment or place redraws the whole
// picture. Longitudes are ecliptic degrees of date; the moment is a local TDateTime.
#pragma once

#include "KosmoDrawing.h"
#include "KosmoHouses.h"
#include "KosmoSecond.h"
#include "ViewFrame.h"

#include <QPointer>
#include <array>
#include <optional>
#include <string>

// The cosmogram's hint window, or none. There is at most one cosmogram frame.
extern QPointer<THWindow> KosmoHint;
// The hint regions of the last redraw.
extern kosmo::THintRegions KosmoHintRegions;

class TKosmoFrame : public TViewFrame {
  Q_OBJECT
public:
  explicit TKosmoFrame(QWidget* Owner, QWidget* Parent = nullptr);
  ~TKosmoFrame() override;

  // Longitudes[0] is the Sun. Each of the four pushes stores its value and redraws.
  void SetLongitudes(const astro::TLongitudes& Values);
  void SetAspects(astro::TAspectList List);
  void SetMoment(astro::TDateTime Value);
  // The place in signed decimal degrees, east and north positive (kept with its sign also
  // between 0 and -1 degrees); stored, not drawn.
  void SetPlace(double LongitudeDegrees, double LatitudeDegrees);
  // SetLongitudes, SetAspects and SetMoment in one: the same picture and hints, drawn once.
  void ShowChart(const astro::TLongitudes& Values, const astro::TAspectList& List,
                 astro::TDateTime Value);
  void DrawChart();
  // The houses and points of the chart shown, kept for the house display; no redraw.
  void SetHouses(const std::optional<astro::THouses>& Houses, const astro::TPoints& Points);
  // The house display on or off ("Дома и оси"), then a redraw. Off, the wheel is drawn as it
  // always was.
  void SetHousesShown(bool Shown);
  // The second chart of a bi-wheel, or none for the single wheel; redraws unless told not to
  // (when the chart's own push follows).
  void SetSecond(std::optional<kosmo::TSecondWheel> Wheel, bool Redraw = true);
  const std::optional<kosmo::TSecondWheel>& Second() const { return Second_; }

  // Form event handlers.
  void FrameResize() override;
  void Image1MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
  void SaveAsTextClick() override;
  void PrintAsTextClick() override;

  // TViewCommandTarget: no text report.
  void BuildReportModel() override {}
  void BuildReport() override {}
  const QStringList* ReportLines() const override { return nullptr; }
  void ReleaseReport() override {}
  bool PrintsInLandscape() const override { return true; }

  // Fields of the view.
  astro::TLongitudes Longitudes{};
  astro::TDateTime Moment = 0; // 0: no moment, no date drawn
  astro::TAspectList Aspects{};
  std::array<double, 2> Place{}; // longitude and latitude, signed decimal degrees
  bool HousesShown = false;
  kosmo::THouseLayer HouseLayer;

  // Hidden components: the body pictures Image2..Image11 and the letter strip Image12.
  std::array<TPictureBox*, astro::kBodyCount + 1> BodyImages{};
  TPictureBox* Image12 = nullptr;

  // Loads the letter strip beside the configuration file (no message: the tree reports it).
  void LoadLetterStrip(const QString& IniFileName);

private:
  kosmo::TArt Art() const;
  std::optional<kosmo::TSecondWheel> Second_;
};

// Creates the cosmogram owned by Owner, parented to Parent. The frame reads no setting; it
// takes the letter strip from the configuration file's folder.
TKosmoFrame* CreateKosmoFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName);
