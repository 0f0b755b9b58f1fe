// SPDX-License-Identifier: GPL-3.0-or-later
// The flat owner-drawn main menu: a button-face bar, white drop-down items with a
// button-face picture strip, a navy-framed lavender selection bar and greyed pictures
// for disabled items. Painting is done by a proxy style installed on the bar and on
// every drop-down reachable from it; the hooks are renewed whenever actions change.
#pragma once

#include <QImage>
#include <QList>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <memory>

class QMenu;

// Turns every pixel into a light grey of its brightness: v = (R + G + B) / 3 + 70, at most
// 230. Alpha is kept. Consecutive pixels of one colour reuse the previous result.
void GrayBitmap(QImage& bitmap);

// Paints menu-bar and drop-down items of the flat menu (all sizes in device pixels).
class TMainMenuXPStyle : public QProxyStyle {
public:
  TMainMenuXPStyle();

  // Bits per pixel taken as the screen colour depth; 0 asks the primary screen.
  void SetScreenDepth(int bits) { ForcedDepth = bits; }
  int ScreenDepth() const;

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;

  // Colours of the menu (button face, disabled text, selection).
  static QColor ButtonFace();
  static QColor DisabledText();
  static QColor SelectionFrame() { return QColor(0, 0, 128); }
  static QColor SelectionFill() { return QColor(176, 172, 216); }
  static QColor ActiveCaption();

private:
  void DrawBarItem(const QStyleOption* option, QPainter* painter) const;
  void DrawPopupItem(const QStyleOption* option, QPainter* painter) const;
  // Frames and fills a selected item; returns the text colour to use.
  QColor DrawHighlight(QPainter* painter, const QRect& rect, const QColor& textColor) const;
  void DrawItemText(const QStyleOption* option, QPainter* painter, QRect rect,
                    const QColor& textColor, bool popup) const;
  void DrawItemGlyph(const QStyleOption* option, QPainter* painter, const QRect& rect) const;

  int ForcedDepth = 0;
};

// The main menu component: installs TMainMenuXPStyle on itself and on every drop-down.
class TMainMenuXP : public QMenuBar {
  Q_OBJECT
public:
  explicit TMainMenuXP(QWidget* parent = nullptr);
  ~TMainMenuXP() override;

  TMainMenuXPStyle& MenuStyle() { return *Style; }
  // Hooks every top-level item's descendants, then the bar itself.
  void RehookItems();

protected:
  void actionEvent(QActionEvent* event) override;

private:
  void HookSubItem(QMenu* menu);

  std::unique_ptr<TMainMenuXPStyle> Style;
  QList<QPointer<QMenu>> Hooked;
};
