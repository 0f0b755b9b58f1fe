// SPDX-License-Identifier: GPL-3.0-or-later
// The four commands every view offers on its picture's pop-up menu and in the main window's
// "Файл" menu: save the picture as JPEG, save the text report, print the picture, build (and
// print) the report. Every dialog and message goes through the prompts seam (Prompts.h).
// File and printer errors are thrown as std::runtime_error with the file's or device's name.
#pragma once

#include <QImage>
#include <QStringList>

class QPrinter;

// What a view frame gives the commands.
class TViewCommandTarget {
public:
  virtual ~TViewCommandTarget() = default;
  // The picture; null when no mask picture was loaded.
  virtual const QImage& Picture() const = 0;
  // Refreshes the report model from the view's current chart.
  virtual void BuildReportModel() = 0;
  // Replaces the report lines by new ones built from the model.
  virtual void BuildReport() = 0;
  // The last built report lines; nullptr when none.
  virtual const QStringList* ReportLines() const = 0;
  // Drops the report lines.
  virtual void ReleaseReport() = 0;
  // True when the picture is printed in landscape: set after the print dialog is confirmed,
  // and kept by the shared printer for later prints.
  virtual bool PrintsInLandscape() const { return false; }
};

inline const QString SaveImageRefusal =
    QStringLiteral("Не могу сохранить рисунок, так как изображение маска не было загружено.");
inline const QString PrintRefusal =
    QStringLiteral("Не могу произвести печать, так как изображение маска не было загружено.");

// The message of a missing mask picture, naming the file (name and extension, no folder).
inline QString MissingMaskMessage(const QString& FileName) {
  return QStringLiteral("Отсутствует файл маски ") + FileName +
         QStringLiteral(". В связи с чем отображение информации невозможно.");
}

// Picture -> JPEG file chosen in the save dialog (library default encoder settings).
void SaveImage(TViewCommandTarget& View);
// Report -> Windows-1251 text file, CR LF after every line; the report is released afterwards.
void SaveReport(TViewCommandTarget& View);
// The one printer every print of the program goes through, so that what the print dialog or a
// landscape print set stays for the next print.
QPrinter& SharedPrinter();

// Picture -> printer chosen in the print dialog, one page.
void PrintImage(TViewCommandTarget& View);
// Builds the report (kept in the view) and prints it in a fixed-width font, 80 columns, as
// many pages as it needs, when the print dialog is confirmed.
void PrintReport(TViewCommandTarget& View);

// The device rectangle a picture of Width x Height pixels is printed into at the given printer
// resolution (dots per inch), the picture's pixels counted as points: from (100, 100) to
// (W' - 200, H' - 200), W' = trunc(Width * DpiX / 72), H' = trunc(Height * DpiY / 72).
QRect PrintedPictureRect(int Width, int Height, int DpiX, int DpiY);

// The bytes of a saved report: each line in Windows-1251 followed by CR LF.
QByteArray ReportFileBytes(const QStringList& Lines);

// Prints report lines on an already set-up printer; throws when printing cannot start.
void PrintReportLines(const QStringList& Lines, QPrinter& Printer);
