// SPDX-License-Identifier: GPL-3.0-or-later
#include "HousesPanel.h"

#include "Formatting.h"
#include "Vocabulary.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int SignOf(double longitude) {
  return static_cast<int>(longitude / 30.0) % 12 + 1;
}

QString SignSymbol(int sign) {
  return QString(QChar(0x2648 + sign - 1));
}

QString MotionText(const astro::TBodyMotion& motion) {
  switch (motion.Motion) {
  case astro::TMotion::Stationary:
    return QStringLiteral("стационарен");
  case astro::TMotion::Retrograde:
    return QStringLiteral("℞");
  case astro::TMotion::Direct:
    break;
  }
  return QString();
}

QString AnglesText(const astro::THouses& houses) {
  QString text;
  if (houses.Fallback())
    text += Text(astro::FallbackText(houses)) + "\n";
  text += "ASC " + SignDegreeText(houses.Asc) + "   MC " + SignDegreeText(houses.Mc) + "\n";
  text += "DSC " + SignDegreeText(houses.Dsc) + "   IC " + SignDegreeText(houses.Ic) + "\n";
  text += "Вертекс " + SignDegreeText(houses.Vertex) + "\n";
  return text;
}

QString BodiesText(const astro::TChart& chart) {
  QString text = QStringLiteral("Планеты:\n");
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    QString line = Text(astro::PlanetNames[b]);
    if (chart.Houses)
      line += QStringLiteral(" — %1 дом").arg(chart.BodyHouses[b - 1]);
    const QString motion = MotionText(chart.Motions[b - 1]);
    if (!motion.isEmpty())
      line += ", " + motion;
    text += line + "\n";
  }
  return text;
}

QString PointsText(const astro::TChart& chart) {
  QString text = QStringLiteral("Точки:\n");
  for (const astro::TPoint& point : chart.Points.Items) {
    text += Text(astro::PointNames[int(point.Kind)]) + " " + SignDegreeText(point.Longitude);
    if (chart.Houses)
      text += QStringLiteral(" (%1 дом)").arg(astro::HouseOf(*chart.Houses, point.Longitude));
    text += "\n";
    if (point.Kind == astro::TPointKind::MeanNode || point.Kind == astro::TPointKind::TrueNode)
      text += QStringLiteral("  южный ") + SignDegreeText(point.Longitude + 180.0) + "\n";
  }
  if (!chart.Points.Note.empty())
    text += Text(chart.Points.Note) + "\n";
  return text;
}

QString PointAspectsText(const astro::TChart& chart) {
  QString text = QStringLiteral("Аспекты к углам и точкам:\n");
  for (const astro::TPointAspect& item : chart.PointAspects)
    text += Text(astro::PlanetNames[item.Body]) + " — " + Text(astro::ChartPointName(item.Point)) +
            ": " + Text(astro::AspectNames[item.Aspect]) + " (" +
            Text(astro::FormatFixed(2, 0, item.Orb)) + "°)\n";
  if (chart.PointAspects.empty())
    text += QStringLiteral("нет\n");
  return text;
}

} // namespace

QString SignDegreeText(double Longitude) {
  const double L = Longitude >= 360.0 ? Longitude - 360.0 : Longitude;
  const int sign = SignOf(L);
  return SignSymbol(sign) + " " + Text(astro::FormatDegMin(L - 30.0 * (sign - 1)));
}

THousesPanel::THousesPanel(QWidget* sheet) : QObject(sheet) {
  Box = new QGroupBox(QStringLiteral("Дома"), sheet);
  Box->setObjectName(QStringLiteral("HousesBox"));
  Box->setGeometry(175, 8, 134, 232);
  SystemBox = new QComboBox(Box);
  SystemBox->setObjectName(QStringLiteral("HouseSystem"));
  SystemBox->setGeometry(6, 16, 122, 20);
  for (char letter : astro::kHouseSystems)
    SystemBox->addItem(Text(astro::HouseSystemName(letter)), QChar(letter));
  connect(SystemBox, &QComboBox::activated, this, [this] {
    if (OnSystemChange)
      OnSystemChange();
  });
  Note = new QLabel(Box);
  Note->setObjectName(QStringLiteral("HousesNote"));
  Note->setGeometry(6, 40, 122, 180);
  Note->setWordWrap(true);
  Note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  for (int h = 0; h < 12; ++h) {
    const int y = 40 + 15 * h;
    auto* number = new QLabel(QString::number(h + 1), Box);
    number->setGeometry(8, y, 18, 15);
    CuspGlyph[h] = new QLabel(Box);
    CuspGlyph[h]->setObjectName(QStringLiteral("CuspSign%1").arg(h + 1));
    CuspGlyph[h]->setGeometry(30, y, 18, 15);
    CuspDegree[h] = new QLabel(Box);
    CuspDegree[h]->setObjectName(QStringLiteral("Cusp%1").arg(h + 1));
    CuspDegree[h]->setGeometry(52, y, 70, 15);
  }
  List = new QPlainTextEdit(sheet);
  List->setObjectName(QStringLiteral("HousesList"));
  List->setGeometry(145, 248, 164, 170);
  List->setReadOnly(true);
  List->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QFont small = List->font();
  small.setPixelSize(10);
  List->setFont(small);
}

char THousesPanel::System() const {
  const QVariant letter = SystemBox->currentData();
  return letter.isValid() ? letter.toChar().toLatin1() : astro::kDefaultHouseSystem;
}

void THousesPanel::SetSystem(char System) {
  const int index = std::max(SystemBox->findData(QChar(System)), 0);
  if (index == SystemBox->currentIndex())
    return;
  SystemBox->setCurrentIndex(index);
  if (OnSystemChange)
    OnSystemChange();
}

void THousesPanel::Show(const astro::TChart& Chart) {
  const bool houses = Chart.Houses.has_value();
  Note->setVisible(!houses);
  Note->setText(houses ? QString() : QStringLiteral("Место не задано: дома не вычисляются"));
  for (int h = 0; h < 12; ++h) {
    CuspGlyph[h]->setVisible(houses);
    CuspDegree[h]->setVisible(houses);
    if (!houses)
      continue;
    const double cusp = Chart.Houses->Cusps[h];
    const int sign = SignOf(cusp);
    CuspGlyph[h]->setText(SignSymbol(sign));
    CuspGlyph[h]->setToolTip(Text(astro::SignNames[sign]));
    CuspDegree[h]->setText(Text(astro::FormatDegMin(cusp - 30.0 * (sign - 1))));
  }
  QString title = QStringLiteral("Дома");
  if (houses)
    title += " (" + Text(astro::HouseSystemName(Chart.Houses->Used)) + ")";
  Box->setTitle(title);
  Box->setToolTip(houses ? Text(astro::FallbackText(*Chart.Houses)) : QString());
  QString text;
  if (houses)
    text += AnglesText(*Chart.Houses);
  text += BodiesText(Chart) + PointsText(Chart) + PointAspectsText(Chart);
  List->setPlainText(text);
}

QString THousesPanel::ListText() const {
  return List->toPlainText();
}
