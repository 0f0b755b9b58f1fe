// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureBox::SetPicture(const QImage& picture) {
  Picture_ = picture;
  if (!Picture_.isNull()) {
    resize(Picture_.size());
  }
  update();
}

void TPictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  if (!Picture_.isNull()) {
    painter.drawImage(event->rect().topLeft(), Picture_, event->rect());
  }
}

void TPictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit MouseMoved(event->modifiers(), at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}
