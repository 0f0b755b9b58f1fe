// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot view: the sheet of 22 card places in a scrollable panel, on which every aspect
// along a path of the Tree lays that path's arcanum upright (harmonious), reversed (tense) or
// by a random draw (neutral); places no aspect selects show the card back. Hints name the laid
// cards; the save and print commands; the text report is the reading of the spread. Picture
// coordinates are pixels.
#pragma once

#include "Clock.h"
#include "PlanetPosition.h"
#include "SpreadRandom.h"
#include "TaroBase.h"
#include "ViewFrame.h"

#include <QPointer>
#include <array>
#include <memory>

// The tarot view's hint window, or none. There is at most one tarot frame.
extern QPointer<THWindow> TaroHint;

class TTaroFrame : public TViewFrame {
  Q_OBJECT
public:
  explicit TTaroFrame(QWidget* Owner, QWidget* Parent = nullptr);
  ~TTaroFrame() override;

  // Reads "TaroSection": the sheet ("TaroImage"), the text base ("TaroText", created empty
  // when missing) and the card strip ("TaroKart"). A missing picture is reported and the later
  // steps still run; a picture that cannot be decoded is thrown as TJpegError once every step
  // ran; a text base that cannot be opened or created is thrown at once.
  void LoadFiles(const QString& IniFileName);

  // No visible effect in this view.
  void SetLongitudes(const astro::TLongitudes&) {}
  void SetMoment(astro::TDateTime) {}
  // Stores the list and lays the cards; nothing is laid while the sheet or the strip is missing.
  void SetAspects(astro::TAspectList List);

  // Form event handlers.
  void FrameResize() override;
  void FrameExit() override;
  void Image1MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;

  // TViewCommandTarget: the report is the reading of the laid cards. The text base, dropped
  // when the frame loses focus, is read again for it.
  void BuildReportModel() override;
  void BuildReport() override;
  const QStringList* ReportLines() const override { return Report.get(); }
  void ReleaseReport() override { Report.reset(); }

  // Fields of the view.
  astro::TAspectList Aspects{};
  QString MaskFileName;
  QString CardsFileName;
  QString TextFileName;
  TCardStates CardStates{};
  std::unique_ptr<TTaroBase> TextBase;
  std::unique_ptr<QStringList> Report;
  TSpreadRandom Random;

  // Hidden component: the strip of 22 faces and the back.
  TPictureBox* Image2 = nullptr;

private:
  void LayCard(int Arcanum, int State);
};

// Creates the tarot frame owned by Owner, parented to Parent, and loads its files.
TTaroFrame* CreateTaroFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName);

// "I Маг": the numeral and name of an arcanum (1..22).
QString ArcanumCaption(int Arcanum);

// The reading of a spread: for every laid arcanum in order 1..22 its caption and
// "прямо"/"перевёрнуто", then its text (upright text n, reversed 22 + n) indented by two
// spaces; one line saying so when no card is laid.
QStringList SpreadReading(const TCardStates& States, const TTaroBase* Base);

// The tarot's file named by the configuration file under Key ("TaroImage", "TaroText",
// "TaroKart").
QString TaroFileName(const QString& IniFileName, const char* Key);
