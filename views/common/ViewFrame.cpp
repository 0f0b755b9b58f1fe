// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewFrame.h"

#include "Prompts.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <exception>

namespace {

constexpr int ScrollBarThickness = 13;
// Place of a frame in its owner's client area: left, top, and what width and height leave.
constexpr int Left = 2, Top = 6, WidthMargin = 330, HeightMargin = 10;

} // namespace

TViewFrame::TViewFrame(QWidget* Owner, QWidget* Parent, QSize DesignSize,
                       QPointer<THWindow>& HintWindow, const QString& HintName)
    : QFrame(Parent ? Parent : Owner), HintWindow_(HintWindow), HintName_(HintName) {
  CreateComponents();
  if (Owner) {
    PlaceInClientArea(Owner->size());
  } else {
    resize(DesignSize);
  }
  ScrollBar1->resize(ScrollBar1->width(), std::max(0, height() - 20));
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    if (inside(old) && !inside(now)) {
      FrameExit();
    }
  });
  LayoutComponents();
  AnchorToParent();
  EnsureHintWindow();
}

TViewFrame::~TViewFrame() {
  if (HintWindow_ && HintWindow_->parent() == this) {
    delete HintWindow_.data();
  }
}

void TViewFrame::CreateComponents() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

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
  Image1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image1, &TPictureBox::MouseMoved, this,
          [this](Qt::KeyboardModifiers shift, int x, int y) { Image1MouseMove(shift, x, y); });
  connect(Image1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  auto item = [this](const char* name, const QString& caption, void (TViewFrame::*handler)()) {
    QAction* action = PopupMenu1->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
  };
  SaveAsImage = item("SaveAsImage", QStringLiteral("Сохранить как изображение"),
                     &TViewFrame::SaveAsImageClick);
  SaveAsText =
      item("SaveAsText", QStringLiteral("Сохранить как текст"), &TViewFrame::SaveAsTextClick);
  PrintAsImage =
      item("PrintAsImage", QStringLiteral("Печатать изображение"), &TViewFrame::PrintAsImageClick);
  PrintAsText =
      item("PrintAsText", QStringLiteral("Печатать отчет"), &TViewFrame::PrintAsTextClick);
}

// Panel1 fills the frame less its design margins; the scroll bars run along its right and
// bottom edges inside the bevel and Panel2 takes the rest.
void TViewFrame::LayoutComponents() {
  Panel1->setGeometry(1, 1, std::max(0, width() - 4), std::max(0, height() - 3));
  const QRect inner = Panel1->contentsRect();
  const int t = ScrollBarThickness;
  ScrollBar1->setGeometry(inner.right() + 1 - t, inner.top(), t, std::max(0, inner.height() - t));
  ScrollBar2->setGeometry(inner.left(), inner.bottom() + 1 - t, std::max(0, inner.width() - t), t);
  Panel2->setGeometry(inner.left(), inner.top(), std::max(0, inner.width() - t),
                      std::max(0, inner.height() - t));
}

void TViewFrame::PlaceInClientArea(QSize client) {
  setGeometry(Left, Top, std::max(0, client.width() - WidthMargin),
              std::max(0, client.height() - HeightMargin));
}

void TViewFrame::AnchorToParent() {
  if (AnchoredTo_) {
    AnchoredTo_->removeEventFilter(this);
  }
  AnchoredTo_ = parentWidget();
  if (AnchoredTo_) {
    AnchoredTo_->installEventFilter(this);
  }
}

void TViewFrame::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutComponents();
  FrameResize();
}

// Keeps the frame anchored to all four sides of its owner.
bool TViewFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == AnchoredTo_) {
    PlaceInClientArea(static_cast<QWidget*>(watched)->size());
  }
  return QFrame::eventFilter(watched, event);
}

void TViewFrame::leaveEvent(QEvent* event) {
  HideHint();
  QFrame::leaveEvent(event);
}

void TViewFrame::SetScrollMaxima(int HorizontalMaximum) {
  ScrollBar1->setMaximum(std::max(0, Image1->height() - ScrollBar1->height()));
  ScrollBar2->setMaximum(std::max(0, HorizontalMaximum));
}

int TViewFrame::WidthExcess() const {
  return Image1->width() - ScrollBar2->width();
}

void TViewFrame::ScrollBar1Change() {
  Image1->move(Image1->x(), -ScrollBar1->value());
}

void TViewFrame::ScrollBar2Change() {
  Image1->move(-ScrollBar2->value(), Image1->y());
}

void TViewFrame::FrameExit() {
  HideHint();
}

void TViewFrame::EnsureHintWindow() {
  if (HintWindow_) {
    return;
  }
  HintWindow_ = new THWindow(this);
  HintWindow_->setObjectName(HintName_);
  // The platform's inactive-caption-text colour: here the inactive window colour of the style.
  HintWindow_->SetColor(QApplication::palette().color(QPalette::Inactive, QPalette::Window));
  HintWindow_->SetTextStyle(QColor(255, 0, 0), 10, THintStyle::None);
}

void TViewFrame::HideHint() {
  delete HintWindow_.data();
  HintWindow_ = nullptr;
}

void TViewFrame::ShowHint(const QString& Text) {
  EnsureHintWindow();
  HintWindow_->Paint(Text);
}

TPictureBox* TViewFrame::AddHiddenPicture(const QString& Name) {
  auto* picture = new TPictureBox(Panel2);
  picture->setObjectName(Name);
  picture->hide();
  return picture;
}

const QImage& TViewFrame::Picture() const {
  return Image1->Picture();
}

void TViewFrame::RunCommand(void (*Command)(TViewCommandTarget&)) {
  try {
    Command(*this);
  } catch (const std::exception& error) {
    Prompts().Error(QString::fromStdString(error.what()));
  }
}

void TViewFrame::SaveAsImageClick() {
  RunCommand(&SaveImage);
}
void TViewFrame::SaveAsTextClick() {
  RunCommand(&SaveReport);
}
void TViewFrame::PrintAsImageClick() {
  RunCommand(&PrintImage);
}
void TViewFrame::PrintAsTextClick() {
  RunCommand(&PrintReport);
}
