// SPDX-License-Identifier: GPL-3.0-or-later
#include "TaroImage.h"

#include "IniFile.h"
#include "Jpeg.h"
#include "ProgramFiles.h"
#include "Prompts.h"
#include "TaroTables.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QScrollBar>
#include <algorithm>
#include <exception>
#include <stdexcept>

QPointer<THWindow> TaroHint;

namespace {

const QString MissingCardsMessage = QStringLiteral("Отсутствует файл изображений Таро.");

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The decoded JPEG at FileName, or a message naming the file's name when there is none. A
// decoding error is kept in Error, so that the later loading steps still run.
QImage LoadPicture(const QString& FileName, const QString& MissingMessage,
                   std::exception_ptr& Error) {
  if (!QFileInfo(FileName).isFile()) {
    Prompts().Information(MissingMessage);
    return QImage();
  }
  try {
    return LoadJpeg(FileName).convertToFormat(QImage::Format_RGB32);
  } catch (const TJpegError&) {
    if (!Error) {
      Error = std::current_exception();
    }
    return QImage();
  }
}

} // namespace

QString ArcanumCaption(int Arcanum) {
  if (Arcanum < 1 || Arcanum > astro::kArcanaCount) {
    return QString();
  }
  return Text(astro::ArcanaNumerals[Arcanum]) + ' ' + Text(astro::ArcanaNames[Arcanum]);
}

TTaroFrame::TTaroFrame(QWidget* Owner, QWidget* Parent)
    : TViewFrame(Owner, Parent, QSize(565, 363), TaroHint, QStringLiteral("TaroHint")) {
  setObjectName(QStringLiteral("TaroFrame"));
  Image1->setGeometry(0, 0, taro::SheetWidth, taro::SheetHeight);
  Image2 = AddHiddenPicture(QStringLiteral("Image2"));
}

TTaroFrame::~TTaroFrame() = default;

QString TaroFileName(const QString& IniFileName, const char* Key) {
  const std::string iniPath = IniFileName.toStdString();
  return files::DataFilePath(iniPath, config::TIniFile(iniPath).ReadString("TaroSection", Key, ""));
}

void TTaroFrame::LoadFiles(const QString& IniFileName) {
  auto fileOf = [&](const char* key) { return TaroFileName(IniFileName, key); };
  std::exception_ptr pictureError;
  MaskFileName = fileOf("TaroImage");
  Image1->SetPicture(LoadPicture(
      MaskFileName, MissingMaskMessage(QFileInfo(MaskFileName).fileName()), pictureError));
  TextBase.reset();
  TextFileName = fileOf("TaroText");
  TextBase = std::make_unique<TTaroBase>(TextFileName);
  CardsFileName = fileOf("TaroKart");
  Image2->SetPicture(LoadPicture(CardsFileName, MissingCardsMessage, pictureError));
  FrameResize();
  if (pictureError) {
    std::rethrow_exception(pictureError);
  }
}

void TTaroFrame::SetAspects(astro::TAspectList List) {
  Aspects = List;
  if (Image1->Picture().isNull() || Image2->Picture().isNull()) {
    return;
  }
  const TCardStates states = LaySpread(Aspects, Random);
  for (int arcanum = 1; arcanum <= astro::kArcanaCount; ++arcanum) {
    LayCard(arcanum, states[arcanum]);
  }
  CardStates = states;
  Image1->update();
}

// Copies the back, the face, or the face mirrored top to bottom into the arcanum's place, row
// by row; parts of the place or the cell outside the pictures are skipped.
void TTaroFrame::LayCard(int Arcanum, int State) {
  QImage& sheet = Image1->Picture();
  const QImage& strip = Image2->Picture();
  const taro::TCardPlace place = taro::CardPositions[Arcanum];
  const int cell = State == 0 ? taro::BackCell : Arcanum;
  const int left = taro::CardWidth * (cell - 1);
  const int first = std::max(0, -place.X);
  const int last = std::min({taro::CardWidth, sheet.width() - place.X, strip.width() - left});
  if (first >= last) {
    return;
  }
  const int rows = std::min(taro::CardHeight, strip.height());
  for (int r = 0; r < rows; ++r) {
    const int y = State == -1 ? place.Y + taro::CardHeight - 1 - r : place.Y + r;
    if (y < 0 || y >= sheet.height()) {
      continue;
    }
    const auto* from = reinterpret_cast<const QRgb*>(strip.constScanLine(r)) + left;
    auto* to = reinterpret_cast<QRgb*>(sheet.scanLine(y)) + place.X;
    std::copy(from + first, from + last, to + first);
  }
}

void TTaroFrame::FrameResize() {
  const int excess = WidthExcess();
  SetScrollMaxima(excess < 0 ? 0 : excess + 13);
}

void TTaroFrame::FrameExit() {
  HideHint();
  TextBase.reset();
  Report.reset();
}

void TTaroFrame::Image1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
  if (!HintsEnabled) {
    return;
  }
  for (int arcanum = 1; arcanum <= astro::kArcanaCount; ++arcanum) {
    const taro::TCardPlace place = taro::CardPositions[arcanum];
    const bool inside = place.X < X && X < place.X + taro::CardWidth && place.Y < Y &&
                        Y < place.Y + taro::CardHeight;
    if (inside && CardStates[arcanum] != 0) {
      ShowHint(ArcanumCaption(arcanum));
      return;
    }
  }
  HideHint();
}

void TTaroFrame::BuildReportModel() {
  if (!TextBase) {
    TextBase = std::make_unique<TTaroBase>(TextFileName);
  }
}

void TTaroFrame::BuildReport() {
  Report = std::make_unique<QStringList>(SpreadReading(CardStates, TextBase.get()));
}

QStringList SpreadReading(const TCardStates& States, const TTaroBase* Base) {
  QStringList lines;
  for (int n = 1; n <= astro::kArcanaCount; ++n) {
    if (States[n] == 0) {
      continue;
    }
    lines << ArcanumCaption(n) +
                 (States[n] > 0 ? QStringLiteral(": прямо") : QStringLiteral(": перевёрнуто"));
    if (Base) {
      for (const QString& line : Base->Texts(States[n] > 0 ? n : 22 + n)) {
        lines << QStringLiteral("  ") + line;
      }
    }
  }
  if (lines.isEmpty()) {
    lines << QStringLiteral("Ни одна карта не выложена.");
  }
  return lines;
}

TTaroFrame* CreateTaroFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName) {
  auto* frame = new TTaroFrame(Owner, Parent);
  try {
    frame->LoadFiles(IniFileName);
  } catch (const TJpegError& error) {
    // A damaged picture leaves the view empty; a text base error goes on to the caller.
    Prompts().Error(QString::fromStdString(error.what()));
  } catch (...) {
    delete frame; // a half-built frame would cover the views that did load
    throw;
  }
  return frame;
}
