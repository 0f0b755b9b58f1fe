// SPDX-License-Identifier: GPL-3.0-or-later
// A widget that shows a QImage one to one at its top-left corner (the frames' "image"
// component). The picture is drawn on directly; call update() after changing it.
#pragma once

#include <QImage>
#include <QWidget>

class TPictureBox : public QWidget {
  Q_OBJECT
public:
  explicit TPictureBox(QWidget* parent);

  QImage& Picture() { return Picture_; }
  const QImage& Picture() const { return Picture_; }
  // Replaces the picture; the widget takes the picture's size (or keeps its own for a null one).
  void SetPicture(const QImage& picture);

signals:
  // Pointer moved over the widget, X and Y in picture pixels.
  void MouseMoved(Qt::KeyboardModifiers Shift, int X, int Y);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  QImage Picture_;
};
