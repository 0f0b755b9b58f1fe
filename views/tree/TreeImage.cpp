// SPDX-License-Identifier: GPL-3.0-or-later
#include "TreeImage.h"

#include "IniFile.h"
#include "Jpeg.h"
#include "PictureFile.h"
#include "Prompts.h"
#include "TreeDrawing.h"
#include "TreeTables.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <exception>

QPointer<THWindow> TreeHint;

namespace {

constexpr int ScrollBarThickness = 13;
// Place of the frame in its owner's client area: left, top, and what width and height leave.
constexpr int Left = 2, Top = 6, WidthMargin = 330, HeightMargin = 10;

QString MissingMaskMessage(const QString& fileName) {
  return QStringLiteral("Отсутствует файл маски ") + fileName +
         QStringLiteral(". В связи с чем отображение информации невозможно.");
}

QString MissingStripMessage(const QString& fileName) {
  return QStringLiteral("Отсутствует файл букв ") + fileName + QStringLiteral(".");
}

int ClampedCount(const astro::TAspectList& list) {
  return std::clamp<int>(list.Count, 0, astro::kMaxAspects);
}

} // namespace

TImageFrame::TImageFrame(QWidget* Owner, QWidget* Parent) : QFrame(Parent ? Parent : Owner) {
  setObjectName(QStringLiteral("ImageFrame"));
  CreateComponents();
  HintsEnabled = true;
  if (Owner) {
    const QSize client = Owner->size();
    setGeometry(Left, Top, std::max(0, client.width() - WidthMargin),
                std::max(0, client.height() - HeightMargin));
  } else {
    resize(599, 397);
  }
  ScrollBar1->resize(ScrollBar1->width(), std::max(0, height() - 20));
  AspectBase.reset();
  Report.reset();
  Aspects = astro::TAspectList{};
  Longitudes.fill(0);
  Moment = 0;
  EnsureHintWindow();
  FillSephiraConstants(Sephiroth);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    if (inside(old) && !inside(now)) {
      FrameExit();
    }
  });
  LayoutComponents();
  FrameResize();
  AnchorToParent();
}

void TImageFrame::AnchorToParent() {
  if (AnchoredTo_) {
    AnchoredTo_->removeEventFilter(this);
  }
  AnchoredTo_ = parentWidget();
  if (AnchoredTo_) {
    AnchoredTo_->installEventFilter(this);
  }
}

TImageFrame::~TImageFrame() {
  if (TreeHint && (TreeHint->parent() == this)) {
    delete TreeHint.data();
  }
}

void TImageFrame::CreateComponents() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setGeometry(1, 1, 595, 394);

  ScrollBar1 = new QScrollBar(Qt::Vertical, Panel1);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setRange(0, 0);
  ScrollBar2 = new QScrollBar(Qt::Horizontal, Panel1);
  ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
  ScrollBar2->setRange(0, 0);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
  connect(ScrollBar2, &QScrollBar::valueChanged, this, [this] { ScrollBar2Change(); });

  Panel2 = new QWidget(Panel1);
  Panel2->setObjectName(QStringLiteral("Panel2"));

  Image1 = new TPictureBox(Panel2);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, tree::PictureWidth, tree::PictureHeight);
  Image1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image1, &TPictureBox::MouseMoved, this,
          [this](Qt::KeyboardModifiers shift, int x, int y) { Image1MouseMove(shift, x, y); });
  connect(Image1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });

  Image2 = new TPictureBox(this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->hide();

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [this](const char* name, const QString& caption, void (TImageFrame::*handler)()) {
    QAction* action = PopupMenu1->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  SaveAsImage = item("SaveAsImage", QStringLiteral("Сохранить как изображение"),
                     &TImageFrame::SaveAsImageClick);
  SaveAsText =
      item("SaveAsText", QStringLiteral("Сохранить как текст"), &TImageFrame::SaveAsTextClick);
  PrintAsImage =
      item("PrintAsImage", QStringLiteral("Печатать изображение"), &TImageFrame::PrintAsImageClick);
  PrintAsText =
      item("PrintAsText", QStringLiteral("Печатать отчет"), &TImageFrame::PrintAsTextClick);
}

// Panel1 fills the frame less its design margins; the scroll bars run along its right and
// bottom edges inside the bevel and Panel2 takes the rest.
void TImageFrame::LayoutComponents() {
  Panel1->setGeometry(1, 1, std::max(0, width() - 4), std::max(0, height() - 3));
  const QRect inner = Panel1->contentsRect();
  const int t = ScrollBarThickness;
  ScrollBar1->setGeometry(inner.right() + 1 - t, inner.top(), t, std::max(0, inner.height() - t));
  ScrollBar2->setGeometry(inner.left(), inner.bottom() + 1 - t, std::max(0, inner.width() - t), t);
  Panel2->setGeometry(inner.left(), inner.top(), std::max(0, inner.width() - t),
                      std::max(0, inner.height() - t));
}

void TImageFrame::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutComponents();
  FrameResize();
}

// Keeps the frame anchored to all four sides of its owner.
bool TImageFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == AnchoredTo_) {
    const QSize client = static_cast<QWidget*>(watched)->size();
    setGeometry(Left, Top, std::max(0, client.width() - WidthMargin),
                std::max(0, client.height() - HeightMargin));
  }
  return QFrame::eventFilter(watched, event);
}

void TImageFrame::FrameResize() {
  ScrollBar1->setMaximum(std::max(0, Image1->height() - ScrollBar1->height()));
  const int horizontal = Image1->width() - ScrollBar2->width() + 61;
  ScrollBar2->setMaximum(horizontal > 0 ? horizontal : 0);
  ScrollBar1->setValue(0);
  ScrollBar2->setValue(0);
  Image1->move(0, 0);
}

void TImageFrame::ScrollBar1Change() {
  Image1->move(Image1->x(), -ScrollBar1->value());
}

void TImageFrame::ScrollBar2Change() {
  Image1->move(-ScrollBar2->value(), Image1->y());
}

void TImageFrame::leaveEvent(QEvent* event) {
  HideHint();
  QFrame::leaveEvent(event);
}

void TImageFrame::FrameExit() {
  HideHint();
}

void TImageFrame::LoadFiles(const QString& IniFileName) {
  const config::TIniFile ini(IniFileName.toStdString());
  const QString folder = QString::fromStdString(config::DirectoryOf(IniFileName.toStdString()));
  MaskFileName = folder + QString::fromStdString(ini.ReadString("TreeSection", "TreeImage", ""));

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

  const QString stripFile = folder + QString::fromLatin1(LetterStripFileName);
  const QImage strip = QFileInfo(stripFile).isFile() ? LoadPicture(stripFile) : QImage();
  if (!strip.isNull()) {
    Image2->SetPicture(strip.convertToFormat(QImage::Format_RGB32));
  } else {
    Prompts().Information(MissingStripMessage(QString::fromLatin1(LetterStripFileName)));
  }

  const QString baseFile =
      folder + QString::fromStdString(ini.ReadString("TreeSection", "AspectText", ""));
  AspectBase.reset();
  AspectBase = std::make_unique<TAspectBase>(baseFile);
  FrameResize();
  if (maskError) {
    std::rethrow_exception(maskError);
  }
}

const QImage& TImageFrame::Picture() const {
  return Image1->Picture();
}

void TImageFrame::Redraw() {
  Image1->update();
}

// Without a mask nothing is drawn, but the chart is still kept so that hints and reports
// describe the moment shown in the main window.
void TImageFrame::ShowPlanets(const astro::TLongitudes& NewLongitudes) {
  QImage& picture = Image1->Picture();
  if (!picture.isNull() && Aspects.Count != 0) {
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

void TImageFrame::ShowAspects(astro::TAspectList NewList) {
  if (NewList.Count <= 0) {
    return;
  }
  QImage& picture = Image1->Picture();
  if (picture.isNull()) {
    Aspects = NewList;
    return;
  }
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
      EnsureHintWindow();
      TreeHint->Paint(LetterText(letters));
      return;
    }
  }
  HideHint();
}

void TImageFrame::EnsureHintWindow() {
  if (TreeHint) {
    return;
  }
  TreeHint = new THWindow(this);
  TreeHint->setObjectName(QStringLiteral("TreeHint"));
  // The platform's inactive-caption-text colour: here the inactive window colour of the style.
  TreeHint->SetColor(QApplication::palette().color(QPalette::Inactive, QPalette::Window));
  TreeHint->SetTextStyle(QColor(255, 0, 0), 10, THintStyle::None);
}

void TImageFrame::HideHint() {
  delete TreeHint.data();
  TreeHint = nullptr;
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

// A menu command's file or printer error is shown in an error box; the frame stays usable.
void TImageFrame::RunCommand(void (*command)(TViewCommandTarget&)) {
  try {
    command(*this);
  } catch (const std::exception& error) {
    Prompts().Error(QString::fromStdString(error.what()));
  }
}

void TImageFrame::SaveAsImageClick() {
  RunCommand(&SaveImage);
}
void TImageFrame::SaveAsTextClick() {
  RunCommand(&SaveReport);
}
void TImageFrame::PrintAsImageClick() {
  RunCommand(&PrintImage);
}
void TImageFrame::PrintAsTextClick() {
  RunCommand(&PrintReport);
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
