// SPDX-License-Identifier: GPL-3.0-or-later
// The Tree of Life view: the mask picture in a scrollable panel, drawn on with the date box,
// the three letters of every body at its sephira, the aspect routes and their legend; pointer
// hints over the letter boxes; the text report; the save and print commands.
// Longitudes are ecliptic degrees of date (0 <= L < 360); moments are TDateTime values (days
// since 1899-12-30) in local time; picture coordinates are pixels from the top-left corner.
#pragma once

#include "AspectBase.h"
#include "Clock.h"
#include "LetterStrip.h"
#include "PlanetPosition.h"
#include "TreeReport.h"
#include "ViewFrame.h"

#include <QPointer>
#include <memory>
#include <string>

// The tree view's hint window, or none. There is at most one tree frame.
extern QPointer<THWindow> TreeHint;

class TImageFrame : public TViewFrame {
  Q_OBJECT
public:
  // Placed from the owner's client size (left 2, top 6, owner width - 330, owner height - 10);
  // from then on the same rule follows every resize of its parent (Parent, or Owner when none),
  // whose area is the client area the frame lives in.
  explicit TImageFrame(QWidget* Owner, QWidget* Parent = nullptr);
  ~TImageFrame() override;

  // Reads "TreeSection"/"TreeImage" and "AspectText" of the configuration file and loads the
  // mask picture (a missing one is reported and leaves the picture empty), the letter strip
  // "letters.png" beside the configuration file, and the aspect text base (created empty when
  // missing). A mask that cannot be decoded is thrown as TJpegError after the text base loaded.
  void LoadFiles(const QString& IniFileName);

  // Draws the ten letter boxes; Longitudes[0] is the Sun.
  void ShowPlanets(const astro::TLongitudes& NewLongitudes);
  // Replaces the routes, the legend and the report's aspects by those of the list, an empty
  // list included.
  void ShowAspects(astro::TAspectList NewList);
  // Rewrites the date box.
  void ShowMoment(astro::TDateTime NewMoment);

  // Form event handlers.
  void FrameResize() override;
  void Image1MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

  // TViewCommandTarget
  void BuildReportModel() override;
  void BuildReport() override;
  const QStringList* ReportLines() const override { return Report.get(); }
  void ReleaseReport() override { Report.reset(); }

  // Fields of the view.
  astro::TLongitudes Longitudes{}; // last handed to ShowPlanets
  astro::TDateTime Moment = 0;     // last shown in the date box
  astro::TAspectList Aspects{};    // the list whose routes and legend are on the picture
  bool ListShown = false;          // from the first list on, ShowPlanets refills the boxes
  QString MaskFileName;
  TSephiroth Sephiroth;
  std::unique_ptr<TAspectBase> AspectBase;
  std::unique_ptr<QStringList> Report;

  // Components beside the shared ones.
  TPictureBox* Image2 = nullptr; // hidden: the letter strip

private:
  void Redraw();
};

// Creates the tree frame owned by Owner, parented to Parent, and loads its files. A mask that
// cannot be read is shown in an error box and the frame goes on without a picture.
// The tree's picture file named by the configuration file.
QString TreeMaskFileName(const QString& IniFileName);

TImageFrame* CreateTreeFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName);
TImageFrame* CreateTreeFrame(QWidget* Owner, QWidget* Parent, const std::string& IniFileName);
