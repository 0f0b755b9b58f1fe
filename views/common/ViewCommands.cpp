// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewCommands.h"

#include "Cp1251.h"
#include "Jpeg.h"
#include "Prompts.h"
#include "SaveFolders.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <stdexcept>

namespace {

// The file chosen in the save dialog, asked again while it is one the program reads; the
// chosen folder is remembered for the next save of that kind.
std::optional<QString> ChooseSaveFile(savefolders::TKind Kind, TSaveRequest Request) {
  Request.StartDir = savefolders::StartFolder(Kind);
  for (;;) {
    std::optional<QString> fileName = Prompts().SaveFileName(Request);
    if (!fileName) {
      return std::nullopt;
    }
    if (!savefolders::IsProgramFile(*fileName)) {
      savefolders::Remember(Kind, *fileName);
      return fileName;
    }
    Prompts().Information(savefolders::ProgramFileRefusal(*fileName));
  }
}

[[noreturn]] void ThrowPrinterError(const QPrinter& printer) {
  const QString name =
      printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  throw std::runtime_error(
      QStringLiteral("Printer error: cannot print to %1").arg(name).toStdString());
}

} // namespace

QPrinter& SharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

QRect PrintedPictureRect(int Width, int Height, int DpiX, int DpiY) {
  const int w = static_cast<int>(static_cast<long long>(Width) * DpiX / 72);
  const int h = static_cast<int>(static_cast<long long>(Height) * DpiY / 72);
  return QRect(QPoint(100, 100), QPoint(w - 200 - 1, h - 200 - 1)); // right, bottom exclusive
}

QByteArray ReportFileBytes(const QStringList& Lines) {
  QByteArray bytes;
  for (const QString& line : Lines) {
    bytes += QByteArray::fromStdString(astro::Utf8ToCp1251(line.toStdString()));
    bytes += "\r\n";
  }
  return bytes;
}

void SaveImage(TViewCommandTarget& View) {
  if (View.Picture().isNull()) {
    Prompts().Information(SaveImageRefusal);
    return;
  }
  TSaveRequest request;
  request.Filter = QStringLiteral("Графические рисунки (JPG) (*.JPG *.JPEG *.jpg *.jpeg)");
  request.DefaultExt = QStringLiteral("jpg");
  const std::optional<QString> fileName = ChooseSaveFile(savefolders::TKind::Picture, request);
  if (fileName) {
    SaveJpeg(View.Picture(), *fileName);
  }
}

void SaveReport(TViewCommandTarget& View) {
  View.BuildReportModel();
  TSaveRequest request;
  request.Filter = QStringLiteral("Текстовые файлы (TXT) (*.TXT *.txt)");
  request.DefaultExt = QStringLiteral("txt");
  const std::optional<QString> fileName = ChooseSaveFile(savefolders::TKind::Report, request);
  if (!fileName) {
    return;
  }
  View.BuildReport();
  const QByteArray bytes = View.ReportLines() ? ReportFileBytes(*View.ReportLines()) : QByteArray();
  View.ReleaseReport();
  QSaveFile file(*fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    throw std::runtime_error(QStringLiteral("Cannot create file %1").arg(*fileName).toStdString());
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    throw std::runtime_error(QStringLiteral("Unable to write to %1").arg(*fileName).toStdString());
  }
}

void PrintImage(TViewCommandTarget& View) {
  if (View.Picture().isNull()) {
    Prompts().Information(PrintRefusal);
    return;
  }
  QPrinter& printer = SharedPrinter();
  printer.setFullPage(true); // device coordinates count from the paper's corner
  if (!Prompts().SetupPrinter(printer)) {
    return;
  }
  if (View.PrintsInLandscape()) {
    printer.setPageOrientation(QPageLayout::Landscape);
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    ThrowPrinterError(printer);
  }
  const QImage& picture = View.Picture();
  const QRect target = PrintedPictureRect(picture.width(), picture.height(), printer.resolution(),
                                          printer.resolution());
  painter.drawImage(target, picture);
  painter.end();
}

void PrintReportLines(const QStringList& Lines, QPrinter& Printer) {
  QPainter painter;
  if (!painter.begin(&Printer)) {
    ThrowPrinterError(Printer);
  }
  // A fixed-width face sized so that 80 columns fill the printable width.
  const QRectF page = Printer.pageLayout().paintRectPixels(Printer.resolution());
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(100);
  const double scale = page.width() / (80.0 * QFontMetricsF(font, &Printer).horizontalAdvance('M'));
  font.setPixelSize(std::max(1, static_cast<int>(100 * scale)));
  painter.setFont(font);
  const QFontMetricsF metrics(font, &Printer);
  const double lineHeight = metrics.lineSpacing();
  const int linesPerPage = std::max(1, static_cast<int>(page.height() / lineHeight));
  for (int i = 0; i < Lines.size(); ++i) {
    if (i > 0 && i % linesPerPage == 0 && !Printer.newPage()) {
      ThrowPrinterError(Printer);
    }
    const double y = (i % linesPerPage) * lineHeight + metrics.ascent();
    painter.drawText(QPointF(0, y), Lines[i]);
  }
  painter.end();
}

void PrintReport(TViewCommandTarget& View) {
  if (View.Picture().isNull()) {
    Prompts().Information(PrintRefusal);
    return;
  }
  View.BuildReportModel();
  View.BuildReport();
  if (!View.ReportLines() || View.ReportLines()->isEmpty()) {
    return;
  }
  QPrinter& printer = SharedPrinter();
  printer.setFullPage(false);
  if (!Prompts().SetupPrinter(printer)) {
    return;
  }
  PrintReportLines(*View.ReportLines(), printer);
}
