// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainMenuXP.h"

#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {

constexpr int kStripWidth = 20;   // picture strip of a drop-down item
constexpr int kTextIndent = 25;   // caption offset of a drop-down item
constexpr int kPictureWidth = 16; // item pictures are drawn this wide
constexpr int kExtraWidth = 40;   // drop-down items are this much wider than measured

QString CaptionOf(const QStyleOptionMenuItem& item) {
  return item.text.section('\t', 0, 0);
}

QString ShortcutOf(const QStyleOptionMenuItem& item) {
  return item.text.contains('\t') ? item.text.section('\t', 1) : QString();
}

bool IsSelected(const QStyleOption& option) {
  return option.state & (QStyle::State_Selected | QStyle::State_Sunken);
}

bool IsEnabled(const QStyleOption& option) {
  return option.state & QStyle::State_Enabled;
}

} // namespace

void GrayBitmap(QImage& bitmap) {
  if (bitmap.isNull()) {
    return;
  }
  if (bitmap.format() != QImage::Format_ARGB32 && bitmap.format() != QImage::Format_RGB32) {
    bitmap = bitmap.convertToFormat(bitmap.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
  }
  bool haveLast = false;
  QRgb lastIn = 0;
  QRgb lastOut = 0;
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x) {
      const QRgb in = line[x];
      if (!haveLast || in != lastIn) {
        const int v = std::min((qRed(in) + qGreen(in) + qBlue(in)) / 3 + 70, 230);
        lastIn = in;
        lastOut = qRgba(v, v, v, qAlpha(in));
        haveLast = true;
      }
      line[x] = lastOut;
    }
  }
}

TMainMenuXPStyle::TMainMenuXPStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

int TMainMenuXPStyle::ScreenDepth() const {
  if (ForcedDepth > 0) {
    return ForcedDepth;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 32;
}

QColor TMainMenuXPStyle::ButtonFace() {
  return QApplication::palette().color(QPalette::Button);
}

QColor TMainMenuXPStyle::DisabledText() {
  return QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
}

QColor TMainMenuXPStyle::ActiveCaption() {
  return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

void TMainMenuXPStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  switch (element) {
  case CE_MenuBarItem:
    DrawBarItem(option, painter);
    return;
  case CE_MenuBarEmptyArea:
    painter->fillRect(option->rect, ButtonFace());
    return;
  case CE_MenuItem:
    DrawPopupItem(option, painter);
    return;
  case CE_MenuEmptyArea:
    painter->fillRect(option->rect, Qt::white);
    return;
  default:
    QProxyStyle::drawControl(element, option, painter, widget);
  }
}

void TMainMenuXPStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
  switch (element) {
  case PE_PanelMenuBar:
    painter->fillRect(option->rect, ButtonFace());
    return;
  case PE_PanelMenu:
    painter->fillRect(option->rect, Qt::white);
    return;
  case PE_FrameMenu:
    painter->save();
    painter->setPen(QColor(128, 128, 128));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
    return;
  default:
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

QSize TMainMenuXPStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
  QSize measured = QProxyStyle::sizeFromContents(type, option, size, widget);
  if (type == CT_MenuItem) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    // Windows-like heights: a 16 px picture fills its cell almost unstretched, and a
    // separator leaves room for its etched line 4 px below the top.
    if (item && item->menuItemType == QStyleOptionMenuItem::Separator) {
      measured.setHeight(9);
    } else if (item) {
      measured.setHeight(std::max(19, option->fontMetrics.height() + 3));
    }
    measured.setWidth(measured.width() + kExtraWidth);
  }
  return measured;
}

int TMainMenuXPStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const {
  switch (metric) {
  case PM_MenuPanelWidth:
    return 1;
  case PM_MenuHMargin:
  case PM_MenuVMargin:
    return 1;
  case PM_MenuBarPanelWidth:
  case PM_MenuBarVMargin:
    return 0;
  default:
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

void TMainMenuXPStyle::DrawBarItem(const QStyleOption* option, QPainter* painter) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (!item) {
    return;
  }
  QColor textColor = IsEnabled(*option) ? QColor(Qt::black) : DisabledText();
  if (IsSelected(*option)) {
    textColor = DrawHighlight(painter, option->rect, textColor);
  } else {
    painter->fillRect(option->rect, ButtonFace());
  }
  QRect rect = option->rect;
  rect.setLeft(rect.left() + 2);
  DrawItemText(option, painter, rect, textColor, false);
}

void TMainMenuXPStyle::DrawPopupItem(const QStyleOption* option, QPainter* painter) const {
  QColor textColor = IsEnabled(*option) ? QColor(Qt::black) : DisabledText();
  const QRect& r = option->rect;
  if (IsSelected(*option) && IsEnabled(*option)) {
    textColor = DrawHighlight(painter, r, textColor);
  } else {
    painter->fillRect(QRect(r.left(), r.top(), kStripWidth, r.height()), ButtonFace());
    painter->fillRect(QRect(r.left() + kStripWidth, r.top(), r.width() - kStripWidth, r.height()),
                      Qt::white);
  }
  QRect rect = r;
  rect.setLeft(rect.left() + kTextIndent);
  DrawItemText(option, painter, rect, textColor, true);
}

QColor TMainMenuXPStyle::DrawHighlight(QPainter* painter, const QRect& rect,
                                       const QColor& textColor) const {
  painter->save();
  painter->setPen(SelectionFrame());
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(rect.adjusted(0, 0, -1, -1));
  painter->restore();
  QColor fill = SelectionFill();
  QColor text = textColor;
  if (ScreenDepth() <= 8) {
    fill = ActiveCaption();
    text = Qt::white;
  }
  painter->fillRect(rect.adjusted(1, 1, -1, -1), fill);
  return text;
}

void TMainMenuXPStyle::DrawItemText(const QStyleOption* option, QPainter* painter, QRect rect,
                                    const QColor& textColor, bool popup) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (!item) {
    return;
  }
  QRect text = rect.adjusted(0, 1, 0, 0);
  painter->save();
  if (item->menuItemType == QStyleOptionMenuItem::Separator) {
    text.setLeft(text.left() - 5);
    text.setTop(text.top() + 3);
    // Etched edge, top side only: a shadow line over a highlight line.
    painter->setPen(QColor(128, 128, 128));
    painter->drawLine(text.left(), text.top(), text.right(), text.top());
    painter->setPen(Qt::white);
    painter->drawLine(text.left(), text.top() + 1, text.right(), text.top() + 1);
  } else {
    painter->setFont(item->font);
    painter->setPen(textColor);
    // Captions sit on the item's middle line; a Qt item is taller than its text.
    const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    painter->drawText(text, flags | (popup ? Qt::AlignLeft : Qt::AlignHCenter), CaptionOf(*item));
    const QString shortcut = ShortcutOf(*item);
    if (!shortcut.isEmpty()) {
      QRect shortcutRect = text;
      shortcutRect.setRight(shortcutRect.right() - 10);
      painter->drawText(shortcutRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                        shortcut);
    }
  }
  painter->restore();
  if (popup) {
    rect.setLeft(rect.left() - kTextIndent);
    DrawItemGlyph(option, painter, rect);
  }
}

void TMainMenuXPStyle::DrawItemGlyph(const QStyleOption* option, QPainter* painter,
                                     const QRect& r) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (!item || item->menuItemType == QStyleOptionMenuItem::Separator) {
    return;
  }
  const bool selected = IsSelected(*option) && IsEnabled(*option);
  // Windows-style rectangle: right and bottom are exclusive.
  const int left = r.left() + (selected ? 1 : 2);
  const int top = r.top() + (selected ? 1 : 2);
  const int bottom = r.top() + r.height() - (selected ? 1 : 0);
  const int height = std::max(0, bottom - top);
  if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
    painter->save();
    painter->setPen(QPen(Qt::black, 2));
    painter->drawPolyline(QPolygon(
        {QPoint(left + 3, top + 7), QPoint(left + 6, top + 10), QPoint(left + 12, top + 3)}));
    painter->restore();
  }
  if (item->icon.isNull()) {
    return;
  }
  QImage scratch = item->icon.pixmap(QSize(kPictureWidth, kPictureWidth)).toImage();
  if (!IsEnabled(*option)) {
    GrayBitmap(scratch);
  }
  painter->drawImage(QRect(left, top, kPictureWidth, height), scratch);
}

TMainMenuXP::TMainMenuXP(QWidget* parent)
    : QMenuBar(parent), Style(std::make_unique<TMainMenuXPStyle>()) {
  setObjectName("MainMenuXP1");
  setNativeMenuBar(false);
  RehookItems();
}

TMainMenuXP::~TMainMenuXP() {
  // The drop-downs outlive this destructor's body; give them back the application style
  // before the proxy goes.
  for (const QPointer<QMenu>& menu : Hooked) {
    if (menu) {
      menu->setStyle(nullptr);
    }
  }
  setStyle(nullptr);
}

void TMainMenuXP::RehookItems() {
  for (QAction* action : actions()) {
    if (QMenu* menu = action->menu()) {
      HookSubItem(menu);
    }
  }
  if (style() != Style.get()) {
    setStyle(Style.get());
  }
}

void TMainMenuXP::HookSubItem(QMenu* menu) {
  if (menu->style() != Style.get()) {
    menu->setStyle(Style.get());
    Hooked << menu;
  }
  for (QAction* action : menu->actions()) {
    if (QMenu* child = action->menu()) {
      HookSubItem(child);
    }
  }
}

void TMainMenuXP::actionEvent(QActionEvent* event) {
  QMenuBar::actionEvent(event);
  if (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionChanged) {
    RehookItems();
  }
}
