// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiArt.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <QtMath>
#include <array>

namespace uiart {
namespace {

// Sephiroth places on a unit square (x, y in 0..1), Kether at the top, Malkuth at the bottom.
constexpr std::array<QPointF, 10> kSephiroth = {
    QPointF(0.50, 0.07), QPointF(0.85, 0.22), QPointF(0.15, 0.22), QPointF(0.85, 0.47),
    QPointF(0.15, 0.47), QPointF(0.50, 0.58), QPointF(0.85, 0.72), QPointF(0.15, 0.72),
    QPointF(0.50, 0.80), QPointF(0.50, 0.95)};

// The 22 paths as pairs of sephiroth (1-based).
constexpr std::array<std::pair<int, int>, 22> kPaths = {
    {{1, 2}, {1, 3}, {1, 6}, {2, 3}, {2, 6}, {2, 4}, {3, 6}, {3, 5},  {4, 5}, {4, 6},  {4, 7},
     {5, 6}, {5, 8}, {6, 7}, {6, 9}, {6, 8}, {7, 8}, {7, 9}, {7, 10}, {8, 9}, {8, 10}, {9, 10}}};

// Traditional colours of the ten sephiroth.
constexpr std::array<QRgb, 10> kSephiraColours = {0xFFFFFFFF, 0xFF9FA8B8, 0xFF3A3A3A, 0xFF2F5FD0,
                                                  0xFFD02F2F, 0xFFF2C230, 0xFF2FA04A, 0xFFE07A20,
                                                  0xFF7A3FB0, 0xFF8A6A3A};

// The emblem's proportions, as fractions of its side, and its colours.
constexpr QPointF kSealGlow(0.45, 0.4);
constexpr qreal kSealGlowRadius = 0.6;
constexpr qreal kSealRimWidth = 1.0 / 32;
constexpr QRectF kEmblemTree(0.27, 0.12, 0.46, 0.76);
constexpr qreal kEmblemSephiraRadius = 0.055;
constexpr qreal kEmblemPathWidth = 1.0 / 48;
const QColor kSealLight(60, 50, 140);
const QColor kSealDark(16, 16, 60);
const QColor kSealRim(220, 190, 100);
const QColor kEmblemPathInk(240, 225, 170);
const QColor kSephiraRim(40, 30, 20);

QImage Blank(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

void Antialias(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPointF At(const QRectF& box, const QPointF& unit) {
  return QPointF(box.left() + unit.x() * box.width(), box.top() + unit.y() * box.height());
}

void DrawTree(QPainter& p, const QRectF& box, qreal radius, const QColor& pathColour,
              qreal pathWidth) {
  p.setPen(QPen(pathColour, pathWidth, Qt::SolidLine, Qt::RoundCap));
  for (const auto& [a, b] : kPaths) {
    p.drawLine(At(box, kSephiroth[a - 1]), At(box, kSephiroth[b - 1]));
  }
  p.setPen(QPen(kSephiraRim, std::max<qreal>(0.6, radius / 5)));
  for (int s = 0; s < 10; ++s) {
    p.setBrush(QColor::fromRgba(kSephiraColours[s]));
    p.drawEllipse(At(box, kSephiroth[s]), radius, radius);
  }
}

void DrawWheel(QPainter& p, const QPointF& c, qreal r, const QColor& ink, qreal width) {
  static const std::array<QColor, 4> elements = {QColor(220, 60, 40), QColor(70, 150, 60),
                                                 QColor(230, 190, 40), QColor(50, 100, 210)};
  for (int s = 0; s < 12; ++s) {
    QPainterPath sector;
    sector.moveTo(c);
    sector.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), s * 30.0, 30.0);
    sector.closeSubpath();
    p.fillPath(sector, elements[s % 4]);
  }
  p.setBrush(Qt::white);
  p.setPen(QPen(ink, width));
  p.drawEllipse(c, r * 0.62, r * 0.62);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r, r);
  // Two aspect chords inside.
  auto onInner = [&](double deg) {
    const double a = qDegreesToRadians(deg);
    return QPointF(c.x() + r * 0.62 * std::cos(a), c.y() - r * 0.62 * std::sin(a));
  };
  p.setPen(QPen(QColor(40, 80, 220), width));
  p.drawLine(onInner(20), onInner(140));
  p.setPen(QPen(QColor(220, 40, 40), width));
  p.drawLine(onInner(200), onInner(20));
}

void DrawCard(QPainter& p, const QRectF& card, const QColor& face) {
  p.setPen(QPen(QColor(60, 40, 20), 1));
  p.setBrush(face);
  p.drawRoundedRect(card, card.width() * 0.15, card.width() * 0.15);
  p.setPen(QPen(QColor(150, 110, 30), 1));
  p.setBrush(QColor(240, 200, 80));
  const QPointF c = card.center();
  const qreal s = card.width() * 0.28;
  QPolygonF star;
  for (int k = 0; k < 10; ++k) {
    const double a = qDegreesToRadians(-90.0 + 36.0 * k);
    const qreal rr = (k % 2 == 0) ? s : s * 0.45;
    star << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
  }
  p.drawPolygon(star);
}

// A small floppy disk at the lower right of a 16 x 16 picture: "save".
void DrawFloppy(QPainter& p) {
  p.setPen(QPen(QColor(20, 30, 90), 1));
  p.setBrush(QColor(50, 80, 180));
  p.drawRect(QRectF(7.5, 7.5, 8, 8));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9.5, 7.5, 4, 3));
}

// An open manila folder over the lower part of a 16 x 16 picture.
void DrawOpenFolder(QPainter& p) {
  p.setPen(QPen(QColor(140, 100, 20), 1));
  p.setBrush(QColor(230, 185, 70));
  p.drawPolygon(QPolygonF({QPointF(0.5, 4.5), QPointF(5, 4.5), QPointF(6.5, 6), QPointF(13.5, 6),
                           QPointF(13.5, 14.5), QPointF(0.5, 14.5)}));
  p.setBrush(QColor(250, 215, 110));
  p.drawPolygon(
      QPolygonF({QPointF(2.5, 8.5), QPointF(15.5, 8.5), QPointF(13.5, 14.5), QPointF(0.5, 14.5)}));
}

void DrawSheet(QPainter& p, const QRectF& r) {
  QPolygonF sheet;
  sheet << r.topLeft() << QPointF(r.right() - 3, r.top()) << QPointF(r.right(), r.top() + 3)
        << r.bottomRight() << r.bottomLeft();
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(sheet);
}

void DrawTextLines(QPainter& p, const QRectF& r, int lines) {
  p.setPen(QPen(QColor(40, 60, 140), 1));
  for (int k = 0; k < lines; ++k) {
    const qreal y = r.top() + 3.5 + 2.5 * k;
    p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2 - (k % 2), y));
  }
}

void DrawLandscape(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(50, 50, 50), 1));
  p.setBrush(QColor(170, 210, 250));
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 150, 60));
  QPolygonF hills;
  hills << QPointF(r.left() + 0.5, r.bottom())
        << QPointF(r.left() + r.width() * 0.35, r.top() + r.height() * 0.45)
        << QPointF(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7)
        << QPointF(r.right() - 1, r.top() + r.height() * 0.4)
        << QPointF(r.right() - 0.5, r.bottom());
  p.drawPolygon(hills);
  p.setBrush(QColor(250, 200, 40));
  p.drawEllipse(QPointF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.3), 1.5, 1.5);
}

void DrawPrinter(QPainter& p) {
  p.setPen(QPen(QColor(50, 50, 50), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 1.5, 7, 5)); // paper in
  p.setBrush(QColor(170, 170, 175));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 5.5), 1, 1);
  p.setBrush(QColor(110, 110, 115));
  p.drawRect(QRectF(3.5, 10.5, 9, 1.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 200, 60));
  p.drawRect(QRectF(12, 8, 1.5, 1.5));
}

} // namespace

QImage AboutBackground() {
  QImage image(299, 200, QImage::Format_RGB32);
  QPainter p(&image);
  Antialias(p);
  QLinearGradient sky(0, 0, 0, 200);
  sky.setColorAt(0.0, QColor(10, 16, 48));
  sky.setColorAt(0.6, QColor(36, 26, 84));
  sky.setColorAt(1.0, QColor(70, 40, 96));
  p.fillRect(image.rect(), sky);
  // Stars from a small linear congruential sequence, so the picture is the same every build.
  quint32 seed = 20261209u;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int k = 0; k < 140; ++k) {
    const qreal x = next() % 299;
    const qreal y = next() % 200;
    const int bright = 120 + next() % 136;
    const qreal r = (next() % 10 == 0) ? 1.1 : 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(bright, bright, std::min(255, bright + 30)));
    p.drawEllipse(QPointF(x, y), r, r);
  }
  // A faint zodiac ring with the twelve sign symbols at the lower right.
  const QPointF c(236, 142);
  const qreal r = 78;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(200, 180, 255, 90), 1.2));
  p.drawEllipse(c, r, r);
  p.drawEllipse(c, r - 18, r - 18);
  for (int s = 0; s < 12; ++s) {
    const double a = qDegreesToRadians(30.0 * s);
    p.drawLine(QPointF(c.x() + (r - 18) * std::cos(a), c.y() - (r - 18) * std::sin(a)),
               QPointF(c.x() + r * std::cos(a), c.y() - r * std::sin(a)));
  }
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(QColor(230, 215, 255, 130));
  for (int s = 0; s < 12; ++s) {
    const double a = qDegreesToRadians(30.0 * s + 15.0);
    const QPointF at(c.x() + (r - 9) * std::cos(a), c.y() - (r - 9) * std::sin(a));
    p.drawText(QRectF(at.x() - 7, at.y() - 7, 14, 14), Qt::AlignCenter, QString(QChar(0x2648 + s)));
  }
  // The tree inside the ring, in soft gold.
  p.setOpacity(0.55);
  DrawTree(p, QRectF(c.x() - 24, c.y() - 44, 48, 88), 4.2, QColor(240, 220, 150), 1.0);
  p.setOpacity(1.0);
  // A thin gold rule under the title area.
  p.setPen(QPen(QColor(220, 190, 110, 170), 1));
  p.drawLine(QPointF(12, 44), QPointF(200, 44));
  return image;
}

QImage WindowIcon(int size) {
  QImage image = Blank(size, size);
  QPainter p(&image);
  Antialias(p);
  const qreal s = size;
  QRadialGradient seal(QPointF(s * kSealGlow.x(), s * kSealGlow.y()), s * kSealGlowRadius);
  seal.setColorAt(0, kSealLight);
  seal.setColorAt(1, kSealDark);
  p.setPen(QPen(kSealRim, std::max<qreal>(1.0, s * kSealRimWidth)));
  p.setBrush(seal);
  p.drawEllipse(QRectF(0.5, 0.5, s - 1, s - 1));
  const QRectF tree(s * kEmblemTree.x(), s * kEmblemTree.y(), s * kEmblemTree.width(),
                    s * kEmblemTree.height());
  DrawTree(p, tree, std::max<qreal>(1.2, s * kEmblemSephiraRadius), kEmblemPathInk,
           std::max<qreal>(0.6, s * kEmblemPathWidth));
  return image;
}

QByteArray WindowIconSvg() {
  const qreal s = 256;
  auto n = [](qreal v) { return QString::number(v, 'g', 6); };
  auto hex = [](const QColor& c) { return c.name(QColor::HexRgb); };
  QString svg;
  QTextStream out(&svg);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
         "viewBox=\"0 0 256 256\">\n"
      << " <defs>\n  <radialGradient id=\"seal\" gradientUnits=\"userSpaceOnUse\" cx=\""
      << n(s * kSealGlow.x()) << "\" cy=\"" << n(s * kSealGlow.y()) << "\" r=\""
      << n(s * kSealGlowRadius) << "\">\n   <stop offset=\"0\" stop-color=\"" << hex(kSealLight)
      << "\"/>\n   <stop offset=\"1\" stop-color=\"" << hex(kSealDark)
      << "\"/>\n  </radialGradient>\n </defs>\n"
      << " <circle cx=\"" << n(s / 2) << "\" cy=\"" << n(s / 2) << "\" r=\"" << n((s - 1) / 2)
      << "\" fill=\"url(#seal)\" stroke=\"" << hex(kSealRim) << "\" stroke-width=\""
      << n(s * kSealRimWidth) << "\"/>\n";
  const QRectF box(s * kEmblemTree.x(), s * kEmblemTree.y(), s * kEmblemTree.width(),
                   s * kEmblemTree.height());
  out << " <g stroke=\"" << hex(kEmblemPathInk) << "\" stroke-width=\"" << n(s * kEmblemPathWidth)
      << "\" stroke-linecap=\"round\">\n";
  for (const auto& [a, b] : kPaths) {
    const QPointF from = At(box, kSephiroth[a - 1]);
    const QPointF to = At(box, kSephiroth[b - 1]);
    out << "  <line x1=\"" << n(from.x()) << "\" y1=\"" << n(from.y()) << "\" x2=\"" << n(to.x())
        << "\" y2=\"" << n(to.y()) << "\"/>\n";
  }
  const qreal radius = s * kEmblemSephiraRadius;
  out << " </g>\n <g stroke=\"" << hex(kSephiraRim) << "\" stroke-width=\"" << n(radius / 5)
      << "\">\n";
  for (int i = 0; i < 10; ++i) {
    const QPointF c = At(box, kSephiroth[i]);
    out << "  <circle cx=\"" << n(c.x()) << "\" cy=\"" << n(c.y()) << "\" r=\"" << n(radius)
        << "\" fill=\"" << hex(QColor::fromRgba(kSephiraColours[i])) << "\"/>\n";
  }
  out << " </g>\n</svg>\n";
  out.flush();
  return svg.toUtf8();
}

std::vector<TThemeIcon> ThemeIcons() {
  std::vector<TThemeIcon> icons;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    WindowIcon(size).save(&buffer, "PNG");
    icons.push_back({QString("hicolor/%1x%1/apps/astravia.png").arg(size), png});
  }
  icons.push_back({"hicolor/scalable/apps/astravia.svg", WindowIconSvg()});
  return icons;
}

QImage SunPicture() {
  QImage image = Blank(32, 32);
  QPainter p(&image);
  Antialias(p);
  const QPointF c(16, 16);
  p.setPen(QPen(QColor(230, 140, 20), 2, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 12; ++k) {
    const double a = qDegreesToRadians(30.0 * k);
    const qreal inner = 10.5, outer = (k % 2 == 0) ? 15.0 : 13.0;
    p.drawLine(QPointF(c.x() + inner * std::cos(a), c.y() + inner * std::sin(a)),
               QPointF(c.x() + outer * std::cos(a), c.y() + outer * std::sin(a)));
  }
  QRadialGradient disc(QPointF(14, 13), 10);
  disc.setColorAt(0, QColor(255, 250, 170));
  disc.setColorAt(1, QColor(245, 170, 20));
  p.setPen(QPen(QColor(200, 110, 10), 1));
  p.setBrush(disc);
  p.drawEllipse(c, 8.5, 8.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(180, 90, 10));
  p.drawEllipse(c, 1.6, 1.6); // the Sun's symbol: a disc with a point
  return image;
}

QImage MoonPicture() {
  QImage image = Blank(32, 32);
  QPainter p(&image);
  Antialias(p);
  QPainterPath full;
  full.addEllipse(QPointF(16, 16), 13, 13);
  QPainterPath bite;
  bite.addEllipse(QPointF(22, 12), 11.5, 11.5);
  const QPainterPath crescent = full.subtracted(bite);
  QLinearGradient light(4, 4, 20, 28);
  light.setColorAt(0, QColor(250, 250, 235));
  light.setColorAt(1, QColor(190, 195, 215));
  p.setPen(QPen(QColor(110, 115, 140), 1));
  p.setBrush(light);
  p.drawPath(crescent);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 155, 180));
  p.drawEllipse(QPointF(8, 17), 1.4, 1.4);
  p.drawEllipse(QPointF(11, 23), 1.0, 1.0);
  return image;
}

std::vector<QString> MenuPictureNames() {
  return {"OpenChart",   "SaveChart",  "ImportCharts", "ExportCharts",
          "SaveAsImage", "SaveAsText", "PrintAsImage", "PrintAsText",
          "ExitItem",    "Tree",       "Natal",        "Taro",
          "Transits",    "N3",         "N4",           "HelpAbout"};
}

QImage MenuPicture(const QString& item) {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  Antialias(p);
  if (item == "OpenChart") {
    // A chart wheel taken out of its folder.
    DrawWheel(p, QPointF(9.5, 5.5), 5, QColor(40, 40, 40), 0.7);
    DrawOpenFolder(p);
  } else if (item == "SaveChart") {
    DrawWheel(p, QPointF(6.5, 6.5), 6, QColor(40, 40, 40), 0.7);
    DrawFloppy(p);
  } else if (item == "ImportCharts" || item == "ExportCharts") {
    // A list of charts and a wheel, the arrow toward where the charts go.
    DrawSheet(p, QRectF(0.5, 0.5, 8, 11));
    DrawTextLines(p, QRectF(0.5, 0.5, 8, 11), 4);
    DrawWheel(p, QPointF(11.5, 11.5), 4, QColor(40, 40, 40), 0.7);
    const bool in = item == "ImportCharts";
    const QPointF from = in ? QPointF(7, 7) : QPointF(12, 5);
    const QPointF to = in ? QPointF(12, 5) : QPointF(7, 7);
    p.setPen(QPen(QColor(30, 120, 40), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    p.drawEllipse(to, 0.9, 0.9);
  } else if (item == "SaveAsImage") {
    DrawLandscape(p, QRectF(0.5, 0.5, 12, 10));
    // A small floppy disk at the lower right.
    DrawFloppy(p);
  } else if (item == "SaveAsText") {
    DrawSheet(p, QRectF(1.5, 0.5, 10, 13));
    DrawTextLines(p, QRectF(1.5, 0.5, 10, 13), 4);
    DrawFloppy(p);
  } else if (item == "PrintAsImage") {
    DrawPrinter(p);
    DrawLandscape(p, QRectF(5, 2, 6, 4));
  } else if (item == "PrintAsText") {
    DrawPrinter(p);
    p.setPen(QPen(QColor(40, 60, 140), 1));
    p.drawLine(QPointF(6, 3), QPointF(10, 3));
    p.drawLine(QPointF(6, 5), QPointF(9, 5));
  } else if (item == "ExitItem") {
    p.setPen(QPen(QColor(90, 60, 30), 1));
    p.setBrush(QColor(170, 120, 60));
    p.drawRect(QRectF(2.5, 1.5, 7, 13)); // door
    p.setBrush(QColor(240, 210, 80));
    p.drawEllipse(QPointF(8, 8.5), 0.8, 0.8);
    p.setPen(QPen(QColor(200, 30, 30), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(9, 8), QPointF(15, 8));
    p.drawPolyline(QPolygonF({QPointF(12.5, 5.5), QPointF(15, 8), QPointF(12.5, 10.5)}));
  } else if (item == "Tree") {
    DrawTree(p, QRectF(3.5, 1.2, 9, 13.6), 1.5, QColor(120, 100, 70), 0.7);
  } else if (item == "Natal") {
    DrawWheel(p, QPointF(8, 8), 7, QColor(40, 40, 40), 0.8);
  } else if (item == "Taro") {
    p.save();
    p.translate(8, 8);
    p.rotate(-12);
    DrawCard(p, QRectF(-6.5, -6.5, 8, 12), QColor(140, 40, 50));
    p.restore();
    DrawCard(p, QRectF(6.5, 2.5, 8, 12), QColor(40, 60, 150));
  } else if (item == "Transits") {
    // A wheel whose rim a moving body (red) crosses: the moments of a period.
    DrawWheel(p, QPointF(8, 8), 7, QColor(40, 40, 40), 0.7);
    p.setPen(QPen(QColor(200, 30, 30), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(1, 1, 14, 14), 20 * 16, 80 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QPointF(8 + 7 * 0.1736, 8 - 7 * 0.9848), 1.8, 1.8);
  } else if (item == "N3") {
    // Aspect and orb settings: three sliders.
    for (int k = 0; k < 3; ++k) {
      const qreal y = 3.5 + 4.5 * k;
      p.setPen(QPen(QColor(90, 90, 90), 1));
      p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
      p.setPen(QPen(QColor(20, 30, 90), 1));
      p.setBrush(k == 1 ? QColor(220, 60, 40) : QColor(60, 110, 210));
      p.drawRect(QRectF(3.5 + 4 * k, y - 2, 3, 4));
    }
  } else if (item == "N4") {
    // A score table.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(190, 200, 230));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
    p.drawLine(QPointF(1.5, 8.5), QPointF(14.5, 8.5));
    p.drawLine(QPointF(1.5, 11), QPointF(14.5, 11));
  } else if (item == "HelpAbout") {
    QRadialGradient ball(QPointF(6, 5), 9);
    ball.setColorAt(0, QColor(120, 170, 255));
    ball.setColorAt(1, QColor(20, 60, 170));
    p.setPen(QPen(QColor(10, 30, 110), 1));
    p.setBrush(ball);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "i");
  } else {
    return QImage();
  }
  return image;
}

std::vector<TArtPiece> AllPieces() {
  std::vector<TArtPiece> pieces;
  pieces.push_back({"about.png", AboutBackground()});
  for (int size : {16, 32, 48, 64}) {
    pieces.push_back({QString("icon%1.png").arg(size), WindowIcon(size)});
  }
  pieces.push_back({"emblem.png", WindowIcon(32)});
  pieces.push_back({"sun.png", SunPicture()});
  pieces.push_back({"moon.png", MoonPicture()});
  for (const QString& name : MenuPictureNames()) {
    pieces.push_back({"menu_" + name + ".png", MenuPicture(name)});
  }
  return pieces;
}

} // namespace uiart
