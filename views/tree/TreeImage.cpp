// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeImage.h"

#include "IniFile.h"
#include "Jpeg.h"
#include "ProgramFiles.h"
#include "Prompts.h"
#include "TreeDrawing.h"
#include "TreeTables.h"

#include <QFileInfo>
#include <QScrollBar>
#include <algorithm>
#include <exception>

QPointer<THWindow> TreeHint;

namespace {

QString MissingStripMessage(const QString& fileName) {
  return QStringLiteral("Отсутствует файл букв ") + fileName + QStringLiteral(".");
}

int ClampedCount(const astro::TAspectList& list) {
  return std::clamp<int>(list.Count, 0, astro::kMaxAspects);
}

} // namespace

TImageFrame::TImageFrame(QWidget* Owner, QWidget* Parent)
    : TViewFrame(Owner, Parent, QSize(599, 397), TreeHint, QStringLiteral("TreeHint")) {
  setObjectName(QStringLiteral("ImageFrame"));
  Image1->setGeometry(0, 0, tree::PictureWidth, tree::PictureHeight);
  Image2 = AddHiddenPicture(QStringLiteral("Image2"));
  FillSephiraConstants(Sephiroth);
  FrameResize();
}

TImageFrame::~TImageFrame() = default;

void TImageFrame::FrameResize() {
  SetScrollMaxima(WidthExcess() + 61);
  ScrollBar1->setValue(0);
  ScrollBar2->setValue(0);
  Image1->move(0, 0);
}

QString TreeMaskFileName(const QString& IniFileName) {
  const std::string iniPath = IniFileName.toStdString();
  return files::DataFilePath(iniPath,
                             config::TIniFile(iniPath).ReadString("TreeSection", "TreeImage", ""));
}

void TImageFrame::LoadFiles(const QString& IniFileName) {
  const config::TIniFile ini(IniFileName.toStdString());
  const std::string iniPath = IniFileName.toStdString();
  MaskFileName = TreeMaskFileName(IniFileName);

  std::exception_ptr maskError;
  if (QFileInfo(MaskFileName).isFile()) {
    try {
      Image1->SetPicture(LoadJpeg(MaskFileName));
    } catch (...) {
      Image1->SetPicture(QImage());
      maskError = std::current_exception();
    }
  } else {
    Prompts().Information(MissingMaskMessage(QFileInfo(MaskFileName).fileName()));
  }

  const QImage strip = LoadLetterStrip(iniPath);
  if (!strip.isNull()) {
    Image2->SetPicture(strip);
  } else {
    Prompts().Information(MissingStripMessage(QString::fromLatin1(LetterStripFileName)));
  }

  const QString baseFile =
      files::DataFilePath(iniPath, ini.ReadString("TreeSection", "AspectText", ""));
  AspectBase.reset();
  AspectBase = std::make_unique<TAspectBase>(baseFile);
  FrameResize();
  if (maskError) {
    std::rethrow_exception(maskError);
  }
}

void TImageFrame::Redraw() {
  Image1->update();
}

// Without a mask nothing is drawn, but the chart is still kept so that hints and reports
// describe the moment shown in the main window.
void TImageFrame::ShowPlanets(const astro::TLongitudes& NewLongitudes) {
  QImage& picture = Image1->Picture();
  if (!picture.isNull() && ListShown) {
    for (int b = 1; b <= astro::kBodyCount; ++b) {
      RefillLetterBox(picture, b);
    }
  }
  Longitudes = NewLongitudes;
  if (picture.isNull()) {
    return;
  }
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    DrawLetters(picture, Image2->Picture(), b, BodyLetters(Longitudes[b - 1], b));
  }
  Redraw();
}

// An empty list replaces the old one like any other: a chart without aspects shows none.
void TImageFrame::ShowAspects(astro::TAspectList NewList) {
  QImage& picture = Image1->Picture();
  if (picture.isNull()) {
    Aspects = NewList;
    return;
  }
  ListShown = true;
  ClearLegend(picture);
  for (int i = 0; i < ClampedCount(Aspects); ++i) {
    DrawRoute(picture, Aspects.Items[i].Planet1, Aspects.Items[i].Planet2, Qt::white);
  }
  Aspects = NewList;
  for (int i = 0; i < ClampedCount(Aspects); ++i) {
    const astro::TAspectItem& item = Aspects.Items[i];
    DrawLegendEntry(picture, i + 1, item);
    DrawRoute(picture, item.Planet1, item.Planet2, AspectColor(item.Aspect));
  }
  Redraw();
}

void TImageFrame::ShowMoment(astro::TDateTime NewMoment) {
  QImage& picture = Image1->Picture();
  if (picture.isNull()) {
    return;
  }
  Moment = NewMoment;
  DrawMomentBox(picture, Moment);
  Redraw();
}

void TImageFrame::Image1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
  if (!HintsEnabled) {
    return;
  }
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const tree::TBodyBox& box = tree::BodyBoxes[b];
    if (box.X < X && X < box.X + tree::BoxWidth && box.Y < Y && Y < box.Y + tree::BoxHeight) {
      const astro::TArcanaTriple letters = BodyLetters(Longitudes[b - 1], b);
      ShowHint(LetterText(letters));
      return;
    }
  }
  HideHint();
}

void TImageFrame::BuildReportModel() {
  FillReportModel(Sephiroth, Longitudes, Aspects);
}

void TImageFrame::BuildReport() {
  Report.reset();
  TAspectTextSource texts;
  if (AspectBase) {
    const TAspectBase* base = AspectBase.get();
    texts = [base](int planet1, int aspect, int planet2) {
      QStringList lines;
      base->GetAspectText(planet1, aspect, planet2, &lines);
      return lines;
    };
  }
  Report = std::make_unique<QStringList>(ComposeReport(Sephiroth, texts));
}

TImageFrame* CreateTreeFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName) {
  auto* frame = new TImageFrame(Owner, Parent);
  frame->show(); // the tree is the view shown at start
  try {
    frame->LoadFiles(IniFileName);
  } catch (const std::exception& error) {
    Prompts().Error(QString::fromStdString(error.what()));
  }
  return frame;
}

TImageFrame* CreateTreeFrame(QWidget* Owner, QWidget* Parent, const std::string& IniFileName) {
  return CreateTreeFrame(Owner, Parent, QString::fromStdString(IniFileName));
}
