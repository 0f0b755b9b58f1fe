// SPDX-License-Identifier: GPL-3.0-or-later
#include "HintWindow.h"

#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

THWindow::THWindow(QWidget* Owner)
    : QWidget(Owner), Color_(255, 255, 128), TextColor_(Qt::black), Font_(font()) {
  setObjectName(QStringLiteral("HintWindow"));
  setVisible(false);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Pointer events pass to the picture below, so the frame keeps tracking the pointer.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  Font_.setPointSize(Size_);
}

THWindow::~THWindow() {
  Erase();
}

void THWindow::SetColor(const QColor& Color) {
  Color_ = Color;
  update();
}

void THWindow::SetTextStyle(const QColor& Color, int Size, THintStyle Style) {
  TextColor_ = Color;
  Size_ = std::max(1, Size);
  Font_.setPointSize(Size_);
  Font_.setBold(HasStyle(Style, THintStyle::Bold));
  Font_.setItalic(HasStyle(Style, THintStyle::Italic));
  Font_.setUnderline(HasStyle(Style, THintStyle::Underline));
  Font_.setStrikeOut(HasStyle(Style, THintStyle::StrikeOut));
  update();
}

void THWindow::Paint(const QString& Text) {
  PaintAt(Text, QCursor::pos());
}

void THWindow::PaintAt(const QString& Text, const QPoint& GlobalPointer) {
  Caption_ = Text;
  QString s = Text;
  if (s.endsWith(QChar('\r')))
    s.chop(1);
  if (s.isEmpty()) {
    // Nothing to say: an empty box beside the pointer would only be noise.
    Lines_.clear();
    Erase();
    return;
  }
  Lines_ = s.split(QChar('\r'));
  const QFontMetrics metrics(Font_);
  int widest = 0;
  for (const QString& line : Lines_)
    widest = std::max(widest, metrics.horizontalAdvance(line));
  const int width = widest + 6;
  const int height = int(Lines_.size()) * LineHeight() + 4;
  QWidget* parent = parentWidget();
  const QPoint local = parent ? parent->mapFromGlobal(GlobalPointer) : GlobalPointer;
  setGeometry(local.x() + 1, local.y() + 1, width, height);
  raise();
  show();
  update();
}

void THWindow::Erase() {
  hide();
}

void THWindow::DrawRaisedEdge(QPainter& painter) const {
  const int right = width() - 1, bottom = height() - 1;
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawLine(0, bottom, right, bottom);
  painter.drawLine(right, 0, right, bottom);
}

void THWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Color_);
  DrawRaisedEdge(painter);
  painter.setFont(Font_);
  painter.setPen(TextColor_);
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
  for (int i = 0; i < Lines_.size(); ++i) {
    QRect band = rect();
    band.setTop(i * LineHeight());
    painter.drawText(band, flags, Lines_[i]);
  }
}
