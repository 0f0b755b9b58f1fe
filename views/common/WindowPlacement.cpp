// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "IniFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect FittedInside(QRect Frame, const QRect& Available) {
  Frame.setWidth(std::min(Frame.width(), Available.width()));
  Frame.setHeight(std::min(Frame.height(), Available.height()));
  Frame.moveLeft(std::clamp(Frame.left(), Available.left(), Available.right() - Frame.width() + 1));
  Frame.moveTop(std::clamp(Frame.top(), Available.top(), Available.bottom() - Frame.height() + 1));
  return Frame;
}

namespace {

QRect AvailableAround(const QRect& Frame) {
  QScreen* best = QGuiApplication::primaryScreen();
  long long bestArea = 0;
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect common = screen->availableGeometry().intersected(Frame);
    const long long area = common.isEmpty() ? 0 : 1LL * common.width() * common.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best ? best->availableGeometry() : Frame;
}

} // namespace

void PlaceWindow(QWidget& Window, QPoint Preferred, const QString& IniPath, const char* Key) {
  QPoint at = Preferred;
  if (!IniPath.isEmpty()) {
    const QStringList kept =
        QString::fromStdString(
            config::TIniFile(IniPath.toStdString()).ReadString("Windows", Key, ""))
            .split(u',');
    bool x = false, y = false;
    if (kept.size() == 2) {
      const QPoint remembered(kept[0].toInt(&x), kept[1].toInt(&y));
      if (x && y)
        at = remembered;
    }
  }
  // The frame (title bar and borders) is what must be seen; before the first show it is
  // taken as the client size.
  const QSize frameSize = Window.frameGeometry().size().expandedTo(Window.size());
  const QRect fitted = FittedInside(QRect(at, frameSize), AvailableAround(QRect(at, frameSize)));
  Window.move(fitted.topLeft());
}

void RememberWindowPlace(const QWidget& Window, const QString& IniPath, const char* Key) {
  if (IniPath.isEmpty())
    return;
  const QPoint at = Window.frameGeometry().topLeft();
  try {
    config::TIniFile(IniPath.toStdString())
        .WriteString("Windows", Key, QStringLiteral("%1,%2").arg(at.x()).arg(at.y()).toStdString());
  } catch (const config::EIniWriteError&) {
    // Only the remembered place is lost.
  }
}
