// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's chart sheet commands: the shown chart as one A4 page, previewed and printed
// or saved as PDF.
#include "MainForm.h"

#include "ChartSheet.h"
#include "HousesPanel.h"
#include "PositionFrame.h"
#include "Prompts.h"
#include "SaveFolders.h"
#include "ViewCommands.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

TSheetFacts TForm1::CurrentSheet() {
  const TPositionFrame& frame = *PositionFrame1_;
  TSheetFacts sheet;
  if (frame.HasPlace()) {
    sheet.PlaceName = frame.CountryText() + ", " + QString(frame.CityText()).replace(';', ", ");
    sheet.Almanac = astro::ComputeAlmanacDay(frame.DateTime, frame.ZoneOffset.Seconds / 60.0,
                                             {frame.LatitudeDegrees(), frame.LongitudeDegrees()});
  }
  if (!OpenChart_.Name.isEmpty())
    sheet.Name = OpenChart_.Name;          // the chart the caption names
  sheet.Chart = PlanetPosition1_->Chart(); // with the planet tab's house system
  if (!SheetDignitiesRead) {
    SheetDignitiesRead = true;
    try {
      SheetDignities =
          astro::ReadDignityTable((Paths_.ProgramDir + "/dignities.txt").toStdString());
    } catch (const astro::EDignityTableError&) {
      // Without a readable table the sheet leaves the dignities out.
    }
  }
  if (SheetDignities)
    sheet.Dignities = astro::ChartDignities(*SheetDignities, *PlanetPosition1_);
  if (SecondChart_)
    sheet.Second = TSheetSecond{SecondTitle(), *SecondChart_, Cross_};
  return sheet;
}

void TForm1::PrintSheetClick() {
  if (!Efemeris_)
    return;
  const TSheetFacts sheet = CurrentSheet();
  QPrinter& printer = SharedPrinter();
  printer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName("SheetPreview");
  preview.setWindowTitle("Лист карты");
  preview.resize(900, 1000);
  connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&sheet](QPrinter* device) {
    try {
      PaintSheets(*device, {sheet});
    } catch (const std::exception& error) {
      Prompts().Error(QString::fromUtf8(error.what()));
    }
  });
  Prompts().Execute(preview);
}

void TForm1::SaveSheetPdfClick() {
  if (!Efemeris_)
    return;
  TSaveRequest request;
  request.Title = "Сохранить лист карты как PDF";
  request.Filter = "Документы PDF (*.pdf *.PDF)";
  request.DefaultExt = "pdf";
  request.StartDir = savefolders::StartFolder(savefolders::TKind::Report);
  request.FileName = "Лист карты.pdf";
  const std::optional<QString> fileName = Prompts().SaveFileName(request);
  if (!fileName)
    return;
  if (savefolders::IsProgramFile(*fileName)) {
    Prompts().Error(savefolders::ProgramFileRefusal(*fileName));
    return;
  }
  try {
    SaveSheetPdf(*fileName, {CurrentSheet()});
    savefolders::Remember(savefolders::TKind::Report, *fileName);
  } catch (const std::exception& error) {
    Prompts().Error(QString::fromUtf8(error.what()));
  }
}
