// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSheet.h"

#include "AlmanacText.h"
#include "AtomicFile.h"
#include "DateTime.h"
#include "RingSpread.h"
#include "ViewColors.h"
#include "Vocabulary.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

// Drawing units per millimetre: fine enough that whole-unit font sizes keep their proportions.
constexpr double kUnit = 100;
constexpr double kPageWidth = 210, kPageHeight = 297, kMargin = 12;

const QString kFamily = QStringLiteral("DejaVu Sans");
const QColor kInk(0x20, 0x20, 0x20), kMuted(0x70, 0x70, 0x70), kRule(0xB0, 0xB0, 0xB0),
    kTint(0xF2, 0xF0, 0xEA);
// The second chart's ink and ring, told apart from the natal chart's at a glance.
const QColor kSecondInk(0x8A, 0x3A, 0x10), kSecondTint(0xF7, 0xEC, 0xDD);

constexpr std::array<char16_t, 11> kBodyGlyphs = {0,    u'☉', u'☽', u'☿', u'♀', u'♂',
                                                  u'♃', u'♄', u'♅', u'♆', u'♇'};
// Aspect signs in shapes the embedded font has (it lacks ⚹ ⚺ ⚻ ⚼); the minor kinds without a
// common sign carry short letters.
const std::array<QString, astro::kAspectCount + 1> kAspectGlyphs = {
    "",  "☌",  "⊻", "sQ", "N",  "∠", "S",  "✶",  "Q", "bN",
    "□", "bS", "△", "□∠", "bQ", "⊼", "tS", "qN", "☍"};
const std::array<QString, astro::kPointKinds> kPointGlyphs = {"☊", "☊", "⚸", "⚷", "⊗"};

QString SignGlyph(int Sign) {
  return QString(QChar(char16_t(0x2647 + Sign)));
}
QString BodyGlyph(int Body) {
  return QString(QChar(kBodyGlyphs[Body]));
}
int SignOf(double Longitude) {
  return std::clamp(int(Longitude / 30) + 1, 1, 12);
}
QString FromUtf8(std::string_view Text) {
  return QString::fromUtf8(Text.data(), qsizetype(Text.size()));
}

double Normalized(double Degrees) {
  const double x = std::fmod(Degrees, 360.0);
  return x < 0 ? x + 360 : x;
}

// The shortest arc between two longitudes, 0..180.
double Separation(double A, double B) {
  const double d = Normalized(A - B);
  return d > 180 ? 360 - d : d;
}

QString OrbText(double Orb) {
  const int minutes = int(std::lround(Orb * 60));
  return QStringLiteral("%1°%2′").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

QString MomentText(astro::TDateTime Moment) {
  return QString::fromStdString(astro::DateToText(Moment) + " " + astro::TimeToText(Moment));
}

QString OffsetText(int Seconds) {
  const int a = std::abs(Seconds);
  QString text = QStringLiteral("UTC%1%2:%3")
                     .arg(Seconds < 0 ? QChar('-') : QChar('+'))
                     .arg(a / 3600, 2, 10, QChar('0'))
                     .arg(a / 60 % 60, 2, 10, QChar('0'));
  if (a % 60 != 0)
    text += QStringLiteral(":%1").arg(a % 60, 2, 10, QChar('0'));
  return text;
}

struct TType {
  double Points = 8;
  bool Bold = false;
};
constexpr TType kTitle{17, true}, kLine{8.5}, kCaption{8.5, true}, kCell{7.4}, kCellBold{7.4, true},
    kSmall{5.6}, kWheelGlyph{11}, kSignGlyph{10.5}, kFooter{6.4};

// The page in millimetres on top of the device's own units; records every text it draws.
class TSheetCanvas {
public:
  TSheetCanvas(QPainter& Painter, const QRectF& Page) : P(Painter) {
    P.save();
    P.translate(Page.topLeft());
    const double scale = Page.width() / (kPageWidth * kUnit);
    P.scale(scale, scale);
    P.setRenderHint(QPainter::Antialiasing);
    P.setRenderHint(QPainter::TextAntialiasing);
  }
  ~TSheetCanvas() { P.restore(); }
  TSheetCanvas(const TSheetCanvas&) = delete;
  TSheetCanvas& operator=(const TSheetCanvas&) = delete;

  static QPointF At(double X, double Y) { return {X * kUnit, Y * kUnit}; }

  // Text with its box's top at Y; X is the left edge, the centre or the right edge by Align.
  QRectF Text(double X, double Y, const QString& Text, TType Type,
              Qt::Alignment Align = Qt::AlignLeft, const QColor& Colour = kInk) {
    if (Text.isEmpty())
      return {};
    const QFont font = Font(Type);
    const QFontMetricsF metrics(font, P.device());
    const double width = metrics.horizontalAdvance(Text) / kUnit;
    const double height = (metrics.ascent() + metrics.descent()) / kUnit;
    double left = X;
    if (Align & Qt::AlignHCenter)
      left = X - width / 2;
    else if (Align & Qt::AlignRight)
      left = X - width;
    double top = Y;
    if (Align & Qt::AlignVCenter)
      top = Y - height / 2;
    P.setFont(font);
    P.setPen(Colour);
    P.drawText(QPointF(left * kUnit, top * kUnit + metrics.ascent()), Text);
    const QRectF box(left, top, width, height);
    Texts.push_back({box, Text});
    return box;
  }

  double LineHeight(TType Type) const {
    const QFontMetricsF metrics(Font(Type), P.device());
    return metrics.height() / kUnit;
  }

  void Line(QPointF A, QPointF B, const QColor& Colour, double WidthMm,
            Qt::PenStyle Style = Qt::SolidLine) {
    P.setPen(QPen(Colour, WidthMm * kUnit, Style, Qt::FlatCap));
    P.drawLine(At(A.x(), A.y()), At(B.x(), B.y()));
  }
  void Circle(QPointF Centre, double Radius, const QColor& Colour, double WidthMm,
              const QBrush& Fill = Qt::NoBrush) {
    P.setPen(QPen(Colour, WidthMm * kUnit));
    P.setBrush(Fill);
    P.drawEllipse(At(Centre.x(), Centre.y()), Radius * kUnit, Radius * kUnit);
    P.setBrush(Qt::NoBrush);
  }
  void Box(const QRectF& Mm, const QColor& Stroke, const QBrush& Fill = Qt::NoBrush) {
    P.setPen(Stroke == Qt::transparent ? QPen(Qt::NoPen) : QPen(Stroke, 0.15 * kUnit));
    P.setBrush(Fill);
    P.drawRect(QRectF(At(Mm.left(), Mm.top()), At(Mm.right(), Mm.bottom())));
    P.setBrush(Qt::NoBrush);
  }
  // A ring between two radii.
  void Ring(QPointF Centre, double Inner, double Outer, const QBrush& Fill) {
    QPainterPath path;
    path.addEllipse(At(Centre.x(), Centre.y()), Outer * kUnit, Outer * kUnit);
    path.addEllipse(At(Centre.x(), Centre.y()), Inner * kUnit, Inner * kUnit);
    P.fillPath(path, Fill);
  }

  std::vector<TSheetText> Texts;

private:
  static QFont Font(TType Type) {
    QFont font(kFamily);
    font.setPixelSize(int(std::lround(Type.Points * 25.4 / 72 * kUnit)));
    font.setBold(Type.Bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
  }

  QPainter& P;
};

// Something placed on the wheel: a body or a point.
struct TWheelItem {
  QString Glyph;
  double Longitude = 0;
  double Shown = 0; // the longitude its glyph is drawn at, spread from its neighbours
  QColor Colour = kInk;
  TType Type = kWheelGlyph;
};

// Moves glyphs apart until neighbours stand at least Gap degrees from each other, keeping each
// as near its true longitude as the crowd allows.
void SpreadApart(std::vector<TWheelItem>& Items, double Gap) {
  std::sort(Items.begin(), Items.end(),
            [](const TWheelItem& a, const TWheelItem& b) { return a.Longitude < b.Longitude; });
  std::vector<TRingMark> marks;
  for (const TWheelItem& item : Items)
    marks.push_back({item.Longitude, Gap / 2});
  const std::vector<double> shown = SpreadAlongRing(marks);
  for (std::size_t i = 0; i < Items.size(); ++i)
    Items[i].Shown = shown[i];
}

class TSheetDrawer {
public:
  TSheetDrawer(QPainter& Painter, const QRectF& Page, const TSheetFacts& Facts)
      : C(Painter, Page), F(Facts), Chart(Facts.Chart) {}

  std::vector<TSheetText> Draw() {
    Header();
    Wheel({kMargin + 57, 104}, 55);
    Positions(134, 47);
    if (Chart.Houses)
      Cusps(134, 125);
    if (F.Second)
      CrossGrid(kMargin, 168, *F.Second);
    else
      AspectGrid(kMargin, 168);
    ElementsAndModes(122, 168);
    Almanac(122, 214);
    Footer();
    return std::move(C.Texts);
  }

private:
  // Screen angle (radians, counter-clockwise from the right) of a longitude: the ascendant on
  // the left, or 0° Aries there without houses.
  double AngleOf(double Longitude) const {
    const double left = Chart.Houses ? Chart.Houses->Asc : 0;
    return (180 + Longitude - left) * std::numbers::pi / 180;
  }
  QPointF Polar(QPointF Centre, double Radius, double Longitude) const {
    const double a = AngleOf(Longitude);
    return {Centre.x() + Radius * std::cos(a), Centre.y() - Radius * std::sin(a)};
  }

  void Header() {
    C.Text(kMargin, kMargin - 1, F.Name, kTitle);
    double y = kMargin + 8;
    const double step = C.LineHeight(kLine) + 0.4;
    const astro::TChartMoment& m = Chart.Moment;
    QString offset = OffsetText(m.OffsetSeconds) + ", " + OffsetSourceText(m.Source);
    if (!m.ZoneName.empty())
      offset += ", " + QString::fromStdString(m.ZoneName);
    Labelled(y, "Местное время", MomentText(m.Local) + "  (" + offset + ")");
    Labelled(y += step, "Всемирное время", MomentText(m.Universal) + " UT");
    QString place = F.PlaceName;
    if (Chart.Place) {
      const QString where = CoordinatesText(Chart.Place->Latitude, Chart.Place->Longitude);
      place = place.isEmpty() ? where : place + "  ·  " + where;
      if (!Chart.Place->Zone.empty())
        place += "  ·  " + QString::fromStdString(Chart.Place->Zone);
    }
    Labelled(y += step, "Место",
             place.isEmpty() ? QStringLiteral("не задано (только пояс)") : place);
    QString houses = QStringLiteral("без места домов нет");
    if (Chart.Houses) {
      houses = FromUtf8(astro::HouseSystemName(Chart.Houses->Used));
      if (Chart.Houses->Fallback())
        houses += "  (" + QString::fromStdString(astro::FallbackText(*Chart.Houses)) + ")";
    }
    Labelled(y += step, "Дома", houses);
    if (F.Second) {
      const astro::TChartMoment& s = F.Second->Chart.Moment;
      Labelled(y += step, "Вторая карта",
               F.Second->Title + ":  " + MomentText(s.Local) + "  ·  " + MomentText(s.Universal) +
                   " UT");
    }
    const double rule = y + step + 0.8;
    C.Line({kMargin, rule}, {kPageWidth - kMargin, rule}, kRule, 0.25);
  }

  void Labelled(double Y, const QString& Label, const QString& Value) {
    C.Text(kMargin, Y, Label, kLine, Qt::AlignLeft, kMuted);
    C.Text(kMargin + 31, Y, Value, kLine);
  }

  void Wheel(QPointF Centre, double Outer) {
    // A second chart takes a band inside the signs; the natal chart moves in.
    const double band = F.Second ? 11 : 0;
    const double signInner = Outer - 8, natalOuter = signInner - band,
                 bodyRadius = natalOuter - 6.2, degreeRadius = bodyRadius - 5,
                 houseOuter = degreeRadius - 3.2, houseInner = houseOuter - 4.2;
    // Sign band: alternate tints, glyphs coloured by element.
    C.Ring(Centre, signInner, Outer, QBrush(kTint));
    static const std::array<QColor, 4> elementColours = {
        QColor(0xB0, 0x30, 0x20), QColor(0x4A, 0x6B, 0x1E), QColor(0x2B, 0x5C, 0x9E),
        QColor(0x1E, 0x7A, 0x80)};
    for (int s = 1; s <= 12; ++s) {
      const double start = 30.0 * (s - 1);
      C.Line(Polar(Centre, signInner, start), Polar(Centre, Outer, start), kRule, 0.2);
      C.Text(Polar(Centre, (Outer + signInner) / 2, start + 15).x(),
             Polar(Centre, (Outer + signInner) / 2, start + 15).y(), SignGlyph(s), kSignGlyph,
             Qt::AlignHCenter | Qt::AlignVCenter, elementColours[(s - 1) % 4]);
    }
    for (int d = 0; d < 360; ++d) {
      const double length = d % 10 == 0 ? 1.6 : d % 5 == 0 ? 1.1 : 0.6;
      C.Line(Polar(Centre, signInner - length, d), Polar(Centre, signInner, d), kMuted, 0.12);
    }
    C.Circle(Centre, Outer, kInk, 0.3);
    C.Circle(Centre, signInner, kInk, 0.25);
    C.Circle(Centre, houseOuter, kRule, 0.2);
    C.Circle(Centre, houseInner, kInk, 0.25);
    if (F.Second) {
      C.Ring(Centre, natalOuter, signInner, QBrush(kSecondTint));
      C.Circle(Centre, natalOuter, kRule, 0.2);
    }
    if (Chart.Houses)
      WheelHouses(Centre, Outer, natalOuter, houseOuter, houseInner);
    Chords(Centre, houseInner);
    if (F.Second)
      WheelItems(SecondItems(F.Second->Chart), Centre, signInner, signInner - 3.8, signInner - 8.4);
    WheelItems(NatalItems(), Centre, natalOuter, bodyRadius, degreeRadius);
  }

  // Cusps run out to NatalOuter: a second chart's band stays free of them.
  void WheelHouses(QPointF Centre, double Outer, double NatalOuter, double HouseOuter,
                   double HouseInner) {
    const astro::THouses& h = *Chart.Houses;
    for (int i = 0; i < 12; ++i) {
      const bool axis = i % 3 == 0;
      const double cusp = h.Cusps[i];
      C.Line(Polar(Centre, HouseInner, cusp), Polar(Centre, NatalOuter, cusp), axis ? kInk : kRule,
             axis ? 0.45 : 0.2, axis ? Qt::SolidLine : Qt::DashLine);
      const double next = h.Cusps[(i + 1) % 12];
      const double middle = cusp + Normalized(next - cusp) / 2;
      const QPointF at = Polar(Centre, (HouseOuter + HouseInner) / 2, middle);
      C.Text(at.x(), at.y(), QString::number(i + 1), kSmall, Qt::AlignHCenter | Qt::AlignVCenter,
             kMuted);
    }
    const std::array<std::pair<double, const char*>, 4> axes = {
        {{h.Asc, "ASC"}, {h.Dsc, "DSC"}, {h.Mc, "MC"}, {h.Ic, "IC"}}};
    for (const auto& [longitude, name] : axes) {
      C.Line(Polar(Centre, Outer, longitude), Polar(Centre, Outer + 1.8, longitude), kInk, 0.45);
      const QPointF at = Polar(Centre, Outer + 4.2, longitude);
      C.Text(at.x(), at.y(), name, kCellBold, Qt::AlignHCenter | Qt::AlignVCenter);
    }
  }

  void Chords(QPointF Centre, double Radius) {
    const astro::TLongitudes& lon = Chart.Longitudes;
    for (int i = 0; i < Chart.Aspects.Count; ++i) {
      const astro::TAspectItem& a = Chart.Aspects.Items[i];
      if (a.Aspect == 1)
        continue; // a conjunction has no chord
      const bool major = a.Aspect == 7 || a.Aspect == 10 || a.Aspect == 12 || a.Aspect == 18;
      C.Line(Polar(Centre, Radius, lon[a.Planet1 - 1]), Polar(Centre, Radius, lon[a.Planet2 - 1]),
             AspectColor(a.Aspect), major ? 0.3 : 0.2, major ? Qt::SolidLine : Qt::DashLine);
    }
    for (double longitude : lon)
      C.Circle(Polar(Centre, Radius, longitude), 0.35, kInk, 0.1, QBrush(kInk));
  }

  std::vector<TWheelItem> NatalItems() const {
    std::vector<TWheelItem> items;
    for (int b = 1; b <= astro::kBodyCount; ++b)
      items.push_back({BodyGlyph(b), Chart.Longitudes[b - 1], 0, kInk});
    for (const astro::TPoint& point : Chart.Points.Items)
      if (point.Kind != astro::TPointKind::MeanNode)
        items.push_back({kPointGlyphs[int(point.Kind)], point.Longitude, 0, kMuted});
    return items;
  }

  // The second chart's bodies and, with its houses, its ascendant and midheaven.
  static std::vector<TWheelItem> SecondItems(const astro::TChart& Second) {
    std::vector<TWheelItem> items;
    for (int b = 1; b <= astro::kBodyCount; ++b)
      items.push_back({BodyGlyph(b), Second.Longitudes[b - 1], 0, kSecondInk});
    if (Second.Houses) {
      items.push_back({"Asc", Second.Houses->Asc, 0, kSecondInk, kCellBold});
      items.push_back({"MC", Second.Houses->Mc, 0, kSecondInk, kCellBold});
    }
    return items;
  }

  // Glyphs on a ring whose outer edge is Edge: a tick at each true degree, a line to the glyph
  // where the crowd moved it, and the degree within the sign under it.
  void WheelItems(std::vector<TWheelItem> Items, QPointF Centre, double Edge, double BodyRadius,
                  double DegreeRadius) {
    // Neighbours keep the same arc apart on any ring: 8° on the single wheel's, at 40.8 mm.
    SpreadApart(Items, 8 * 40.8 / BodyRadius);
    for (const TWheelItem& item : Items) {
      C.Line(Polar(Centre, Edge, item.Longitude), Polar(Centre, Edge - 2, item.Longitude),
             item.Colour, 0.3);
      C.Line(Polar(Centre, Edge - 2, item.Longitude), Polar(Centre, BodyRadius + 2.4, item.Shown),
             kRule, 0.15);
      const QPointF glyph = Polar(Centre, BodyRadius, item.Shown);
      C.Text(glyph.x(), glyph.y(), item.Glyph, item.Type, Qt::AlignHCenter | Qt::AlignVCenter,
             item.Colour);
      const QPointF degree = Polar(Centre, DegreeRadius, item.Shown);
      C.Text(degree.x(), degree.y(), QString::number(int(std::fmod(item.Longitude, 30.0))) + "°",
             kSmall, Qt::AlignHCenter | Qt::AlignVCenter, kMuted);
    }
  }

  // Body, sign, degree, house, motion and dignity of the ten bodies, then the points and angles.
  void Positions(double X, double Y) {
    C.Text(X, Y, "Положения", kCaption);
    const double row = 4.05;
    const std::array<double, 6> col = {X, X + 4.6, X + 26.6, X + 30.6, X + 46.6, X + 51.2};
    double y = Y + 5.2;
    C.Line({X, y - 0.6}, {kPageWidth - kMargin, y - 0.6}, kRule, 0.2);
    for (int b = 1; b <= astro::kBodyCount; ++b, y += row) {
      const double lon = Chart.Longitudes[b - 1];
      if (b % 2 == 0)
        C.Box(QRectF(X, y - 0.3, kPageWidth - kMargin - X, row), Qt::transparent, QBrush(kTint));
      C.Text(col[0], y, BodyGlyph(b), kCell);
      C.Text(col[1], y, FromUtf8(astro::PlanetNames[b]), kCell);
      PositionCells(col, y, lon, Chart.BodyHouses[b - 1]);
      const astro::TMotion motion = Chart.Motions[b - 1].Motion;
      if (motion != astro::TMotion::Direct)
        C.Text(col[4] + 1.5, y, motion == astro::TMotion::Retrograde ? "℞" : "ст", kCell,
               Qt::AlignHCenter, QColor(0xB0, 0x30, 0x20));
      if (F.Dignities) {
        const astro::TBodyDignity& d = (*F.Dignities)[b - 1];
        if (!d.Dignities.empty())
          C.Text(col[5], y, QString::fromStdString(astro::DignityText(d)), kSmall);
      }
    }
    y += 0.8;
    C.Line({X, y - 0.6}, {kPageWidth - kMargin, y - 0.6}, kRule, 0.2);
    for (const astro::TPoint& point : Chart.Points.Items) {
      C.Text(col[0], y, kPointGlyphs[int(point.Kind)], kCell, Qt::AlignLeft, kMuted);
      C.Text(col[1], y, FromUtf8(astro::PointNames[int(point.Kind)]), kCell);
      PositionCells(col, y, point.Longitude,
                    Chart.Houses ? astro::HouseOf(*Chart.Houses, point.Longitude) : 0);
      y += row;
    }
    if (Chart.Houses) {
      for (const auto& [name, longitude] :
           {std::pair{"Асцендент", Chart.Houses->Asc}, std::pair{"MC", Chart.Houses->Mc}}) {
        C.Text(col[1], y, name, kCellBold);
        PositionCells(col, y, longitude, 0);
        y += row;
      }
    }
    if (!Chart.Points.Note.empty()) // under the last table, above the footer
      C.Text(kMargin, kPageHeight - kMargin - 4, QString::fromStdString(Chart.Points.Note), kSmall,
             Qt::AlignLeft, kMuted);
  }

  void PositionCells(const std::array<double, 6>& Col, double Y, double Longitude, int House) {
    C.Text(Col[2], Y, SignGlyph(SignOf(Longitude)), kCell);
    C.Text(Col[3] + 11, Y, DegreeInSignText(Longitude), kCell, Qt::AlignRight);
    if (House > 0)
      C.Text(Col[4] - 1.2, Y, QString::number(House), kCell, Qt::AlignRight, kMuted);
  }

  void Cusps(double X, double Y) {
    C.Text(X, Y, "Куспиды домов", kCaption);
    const double row = 4.05, column = 31;
    for (int i = 0; i < 12; ++i) {
      const double x = X + column * (i / 6), y = Y + 5.2 + row * (i % 6);
      const double cusp = Chart.Houses->Cusps[i];
      C.Text(x + 5, y, QString::number(i + 1), kCellBold, Qt::AlignRight);
      C.Text(x + 7.5, y, SignGlyph(SignOf(cusp)), kCell);
      C.Text(x + 24, y, DegreeInSignText(cusp), kCell, Qt::AlignRight);
    }
  }

  // Row r, column c < r: the aspect between item r and item c; the diagonal names the item.
  void AspectGrid(double X, double Y) {
    C.Text(X, Y, "Аспекты", kCaption);
    struct TGridItem {
      QString Glyph;
      double Longitude;
      std::optional<astro::TChartPointKey> Angle;
    };
    std::vector<TGridItem> items;
    for (int b = 1; b <= astro::kBodyCount; ++b)
      items.push_back({BodyGlyph(b), Chart.Longitudes[b - 1], std::nullopt});
    if (Chart.Houses) {
      items.push_back({"Asc", Chart.Houses->Asc, astro::TChartPointKey::Asc});
      items.push_back({"MC", Chart.Houses->Mc, astro::TChartPointKey::Mc});
    }
    const double cell = 8, top = Y + 5;
    for (std::size_t r = 0; r < items.size(); ++r) {
      const double y = top + cell * double(r);
      const QRectF diagonal(X + cell * double(r), y, cell, cell);
      C.Box(diagonal, kInk, QBrush(kTint));
      C.Text(diagonal.center().x(), diagonal.center().y(), items[r].Glyph,
             items[r].Angle ? kCellBold : TType{9.5}, Qt::AlignHCenter | Qt::AlignVCenter);
      for (std::size_t c = 0; c < r; ++c) {
        const QRectF box(X + cell * double(c), y, cell, cell);
        C.Box(box, kRule);
        const auto [aspect, orb] =
            AspectBetween(items[c].Angle ? -1 : int(c) + 1, items[r].Angle, int(r) + 1);
        if (aspect == 0)
          continue;
        C.Text(box.center().x(), box.top() + 0.5, kAspectGlyphs[aspect], TType{8.2},
               Qt::AlignHCenter, AspectColor(aspect).darker(130));
        C.Text(box.center().x(), box.bottom() - 2.6, OrbText(orb), kSmall, Qt::AlignHCenter,
               kMuted);
      }
    }
  }

  // Rows: the second chart's bodies and angles; columns: the natal ones; each cell the aspect
  // between them with its orb.
  void CrossGrid(double X, double Y, const TSheetSecond& Second) {
    C.Text(X, Y, "Аспекты между картами: " + Second.Title + " × натал", kCaption);
    struct TGridItem {
      QString Glyph;
      astro::TCrossPoint Point;
    };
    const auto itemsOf = [](const astro::TChart& chart) {
      std::vector<TGridItem> items;
      for (int b = 1; b <= astro::kBodyCount; ++b)
        items.push_back({BodyGlyph(b), {b}});
      if (chart.Houses) {
        items.push_back({"Asc", {0, astro::TChartPointKey::Asc}});
        items.push_back({"MC", {0, astro::TChartPointKey::Mc}});
      }
      return items;
    };
    const std::vector<TGridItem> rows = itemsOf(Second.Chart), columns = itemsOf(Chart);
    const double cell = 7.5, top = Y + 5;
    const auto head = [&](const QRectF& box, const TGridItem& item, const QColor& ink) {
      C.Box(box, kInk, QBrush(kTint));
      C.Text(box.center().x(), box.center().y(), item.Glyph,
             item.Point.Body ? TType{9.5} : kCellBold, Qt::AlignHCenter | Qt::AlignVCenter, ink);
    };
    for (std::size_t c = 0; c < columns.size(); ++c)
      head(QRectF(X + cell * double(c + 1), top, cell, cell), columns[c], kInk);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const double y = top + cell * double(r + 1);
      head(QRectF(X, y, cell, cell), rows[r], kSecondInk);
      for (std::size_t c = 0; c < columns.size(); ++c) {
        const QRectF box(X + cell * double(c + 1), y, cell, cell);
        C.Box(box, kRule);
        for (const astro::TCrossAspect& a : Second.Cross)
          if (a.Second == rows[r].Point && a.Natal == columns[c].Point) {
            C.Text(box.center().x(), box.top() + 0.4, kAspectGlyphs[a.Aspect], TType{7.8},
                   Qt::AlignHCenter, AspectColor(a.Aspect).darker(130));
            C.Text(box.center().x(), box.bottom() - 2.5, OrbText(a.Orb), kSmall, Qt::AlignHCenter,
                   kMuted);
          }
      }
    }
  }

  // The aspect (0 for none) and its orb between body Low (1..10) and the item of row High: a
  // body (1..10) or, with Angle, the ascendant or the midheaven.
  std::pair<int, double> AspectBetween(int Low, std::optional<astro::TChartPointKey> Angle,
                                       int High) const {
    if (Low < 0)
      return {0, 0}; // angle to angle
    if (Angle) {
      for (const astro::TPointAspect& a : Chart.PointAspects)
        if (a.Body == Low && a.Point == *Angle)
          return {a.Aspect, a.Orb};
      return {0, 0};
    }
    for (int i = 0; i < Chart.Aspects.Count; ++i) {
      const astro::TAspectItem& a = Chart.Aspects.Items[i];
      if (a.Planet1 == Low && a.Planet2 == High) {
        const double separation = Separation(Chart.Longitudes[Low - 1], Chart.Longitudes[High - 1]);
        return {a.Aspect, std::abs(separation - astro::AspectAngles[a.Aspect])};
      }
    }
    return {0, 0};
  }

  void ElementsAndModes(double X, double Y) {
    C.Text(X, Y, "Стихии и кресты", kCaption);
    static const std::array<QString, 4> elements = {"Огонь", "Земля", "Воздух", "Вода"};
    static const std::array<QString, 3> modes = {"Кардин.", "Фикс.", "Мутаб."};
    std::array<std::array<QString, 4>, 3> cells;
    std::array<int, 4> byElement{};
    std::array<int, 3> byMode{};
    for (int b = 1; b <= astro::kBodyCount; ++b) {
      const int s = SignOf(Chart.Longitudes[b - 1]) - 1;
      cells[s % 3][s % 4] += BodyGlyph(b);
      ++byElement[s % 4];
      ++byMode[s % 3];
    }
    const double left = X + 14, width = 13.5, row = 5.2, top = Y + 5;
    for (int e = 0; e < 4; ++e)
      C.Text(left + width * (e + 0.5), top, elements[e], kSmall, Qt::AlignHCenter, kMuted);
    for (int m = 0; m <= 3; ++m) {
      const double y = top + 3.6 + row * m;
      C.Line({X, y - 0.4}, {left + width * 4 + 8, y - 0.4}, kRule, 0.15);
      C.Text(X, y + 0.6, m < 3 ? modes[m] : QStringLiteral("Всего"), kSmall, Qt::AlignLeft, kMuted);
      for (int e = 0; e < 4; ++e)
        C.Text(left + width * (e + 0.5), y + 0.3,
               m < 3 ? cells[m][e] : QString::number(byElement[e]), m < 3 ? kCell : kCellBold,
               Qt::AlignHCenter);
      if (m < 3)
        C.Text(left + width * 4 + 8, y + 0.3, QString::number(byMode[m]), kCellBold,
               Qt::AlignRight);
    }
  }

  void Almanac(double X, double Y) {
    C.Text(X, Y, "Солнце и Луна в этот день", kCaption);
    if (!F.Almanac) {
      C.Text(X, Y + 5.2, "без места не вычисляются", kCell, Qt::AlignLeft, kMuted);
      return;
    }
    const astro::TAlmanacDay& d = *F.Almanac;
    const auto time = [](const astro::TDayEvent& e) {
      return QString::fromStdString(astro::EventTimeText(e));
    };
    const std::array<std::pair<QString, QString>, 6> lines = {{
        {"☉ восход", time(d.SunRise)},
        {"☉ кульминация", time(d.SunCulmination)},
        {"☉ заход", time(d.SunSet)},
        {"☽ восход", time(d.MoonRise)},
        {"☽ заход", time(d.MoonSet)},
        {"☽ освещена", QString::fromStdString(astro::PhaseText(d.Moon))},
    }};
    const double row = 4.05;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const double x = X + 38 * double(i / 3), y = Y + 5.2 + row * double(i % 3);
      C.Text(x, y, lines[i].first, kCell, Qt::AlignLeft, kMuted);
      C.Text(x + 34, y, lines[i].second, kCell, Qt::AlignRight);
    }
    const QString phase = FromUtf8(astro::LunarPhaseNames[int(d.Moon.Name)]);
    C.Text(X, Y + 5.4 + row * 3, "Фаза Луны: " + phase, kCell);
  }

  void Footer() {
    const double y = kPageHeight - kMargin + 2;
    C.Line({kMargin, y - 1.2}, {kPageWidth - kMargin, y - 1.2}, kRule, 0.2);
    C.Text(kMargin, y, ProgramTitle(), kFooter, Qt::AlignLeft, kMuted);
    C.Text(kPageWidth - kMargin, y, "Лист карты: " + F.Name, kFooter, Qt::AlignRight, kMuted);
  }

  TSheetCanvas C;
  const TSheetFacts& F;
  const astro::TChart& Chart;
};

void PreparePdf(QPdfWriter& Writer) {
  Writer.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  Writer.setResolution(1200);
  Writer.setCreator(QStringLiteral("Astravia"));
  Writer.setTitle(QStringLiteral("Лист карты"));
}

} // namespace

QString ProgramTitle() {
  return QStringLiteral("Astravia v " ASTRAVIA_VERSION);
}

QString CoordinatesText(double Latitude, double Longitude) {
  const auto part = [](double value, const char* positive, const char* negative) {
    const int minutes = int(std::lround(std::abs(value) * 60));
    return QStringLiteral("%1°%2′ %3")
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QChar('0'))
        .arg(QString::fromUtf8(value < 0 ? negative : positive));
  };
  return part(Latitude, "с.ш.", "ю.ш.") + " " + part(Longitude, "в.д.", "з.д.");
}

QString DegreeInSignText(double Longitude) {
  // Whole minutes, truncated, so a body never shows 30° of its sign.
  const int minutes = int(std::floor(Normalized(Longitude) * 60)) % (30 * 60);
  return QStringLiteral("%1°%2′").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0'));
}

QString OffsetSourceText(astro::TOffsetSource Source) {
  const std::string_view name = astro::OffsetSourceName(Source);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::vector<TSheetText> DrawChartSheet(QPainter& Painter, const QRectF& Page,
                                       const TSheetFacts& Facts) {
  return TSheetDrawer(Painter, Page, Facts).Draw();
}

void PaintSheets(QPagedPaintDevice& Device, const std::vector<TSheetFacts>& Sheets) {
  QPainter painter;
  if (!painter.begin(&Device))
    throw std::runtime_error("cannot start painting the chart sheet");
  const QRectF page(0, 0, Device.width(), Device.height());
  for (std::size_t i = 0; i < Sheets.size(); ++i) {
    if (i > 0)
      Device.newPage();
    DrawChartSheet(painter, page, Sheets[i]);
  }
  painter.end();
}

void WriteSheetPdf(QIODevice& Device, const std::vector<TSheetFacts>& Sheets) {
  QPdfWriter writer(&Device);
  PreparePdf(writer);
  PaintSheets(writer, Sheets);
}

void SaveSheetPdf(const QString& FileName, const std::vector<TSheetFacts>& Sheets) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  WriteSheetPdf(buffer, Sheets);
  const QByteArray& bytes = buffer.data();
  if (astro::ReplaceFile(FileName.toStdString(),
                         std::string_view(bytes.constData(), std::size_t(bytes.size()))) !=
      astro::TReplaceResult::Done)
    throw std::runtime_error("Cannot write file " + FileName.toStdString());
}
