// SPDX-License-Identifier: GPL-3.0-or-later
// The small pop-up text box a view frame shows beside the mouse pointer over a hot area of its
// picture. A child widget of the frame (so the frame clips it), sized to its text, placed one
// pixel right of and below the pointer, never taking the keyboard focus. Sizes are pixels; the
// font size is in points and, as pixels, also sets the line height (size + 5).
#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

enum class THintStyle : unsigned {
  None = 0,
  Bold = 1,
  Italic = 2,
  Underline = 4,
  StrikeOut = 8,
};
inline THintStyle operator|(THintStyle a, THintStyle b) {
  return THintStyle(unsigned(a) | unsigned(b));
}
inline bool HasStyle(THintStyle set, THintStyle one) {
  return (unsigned(set) & unsigned(one)) != 0;
}

class THWindow : public QWidget {
  Q_OBJECT
public:
  // Invisible, light yellow (255, 255, 128), black text of size 9, parented to Owner.
  explicit THWindow(QWidget* Owner);
  ~THWindow() override;

  // Background colour of the box.
  void SetColor(const QColor& Color);
  // Text colour, size in points and style.
  void SetTextStyle(const QColor& Color, int Size, THintStyle Style);
  // Shows Text (lines separated by carriage returns, one trailing carriage return ignored) at the
  // current pointer position. An empty text hides the box instead.
  void Paint(const QString& Text);
  // As Paint, for a pointer at GlobalPointer (screen coordinates).
  void PaintAt(const QString& Text, const QPoint& GlobalPointer);
  // Hides the box; the next Paint shows it again.
  void Erase();

  const QString& Caption() const { return Caption_; }
  const QStringList& Lines() const { return Lines_; }
  int LineHeight() const { return Size_ + 5; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void DrawRaisedEdge(class QPainter& painter) const;

  QColor Color_;
  QColor TextColor_;
  int Size_ = 9;
  QFont Font_;
  QString Caption_;
  QStringList Lines_;
};
