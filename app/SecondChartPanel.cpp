// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondChartPanel.h"

#include "DateTime.h"
#include "Formatting.h"
#include "Vocabulary.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

using astro::TSecondKind;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// TDateTime and QDateTime, both as the local wall clock.
QDateTime ToQDateTime(astro::TDateTime moment) {
  const astro::TCalendarDate d = astro::DecodeDate(moment);
  const astro::TTimeOfDay t = astro::DecodeTime(moment);
  return QDateTime(QDate(d.Year, d.Month, d.Day), QTime(t.Hour, t.Minute, t.Second));
}

astro::TDateTime FromQDateTime(const QDateTime& moment) {
  const QDate d = moment.date();
  const QTime t = moment.time();
  return astro::EncodeDateTime({d.year(), d.month(), d.day()},
                               {t.hour(), t.minute(), t.second(), 0});
}

QLabel* RowLabel(const QString& text, QWidget* sheet, int y) {
  auto* label = new QLabel(text, sheet);
  label->setGeometry(8, y, 60, 20);
  return label;
}

QString MomentLine(astro::TDateTime moment) {
  return Text(astro::DateToText(moment)) + ' ' + Text(astro::TimeToText(moment));
}

} // namespace

TSecondChartPanel::TSecondChartPanel(QWidget* Sheet) : QObject(Sheet) {
  auto* box = new QGroupBox(QStringLiteral("Вторая карта"), Sheet);
  box->setObjectName(QStringLiteral("SecondChartBox"));
  box->setGeometry(8, 8, 297, 82);
  Modes = new QButtonGroup(this);
  const std::array<const char*, 6> names = {"SecondNone",  "SecondTransit", "SecondSynastry",
                                            "SecondSolar", "SecondLunar",   "SecondProgressed"};
  for (int k = 0; k < 6; ++k) {
    auto* button = new QRadioButton(Text(astro::SecondKindName(TSecondKind(k))), box);
    button->setObjectName(names[k]);
    button->setGeometry(k < 3 ? 10 : 150, 18 + 20 * (k % 3), 135, 20);
    Modes->addButton(button, k);
  }
  Modes->button(0)->setChecked(true);

  MomentRow[0] = RowLabel(QStringLiteral("Момент:"), Sheet, 96);
  MomentEdit = new QDateTimeEdit(Sheet);
  MomentEdit->setObjectName(QStringLiteral("SecondMoment"));
  MomentEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
  MomentEdit->setDateRange(QDate(1800, 1, 2), QDate(2200, 12, 30));
  MomentEdit->setGeometry(70, 96, 150, 22);
  auto* now = new QPushButton(QStringLiteral("Сейчас"), Sheet);
  now->setObjectName(QStringLiteral("SecondNow"));
  now->setGeometry(226, 96, 79, 22);
  MomentRow[1] = MomentEdit;
  MomentRow[2] = now;

  YearRow[0] = RowLabel(QStringLiteral("Год:"), Sheet, 122);
  YearEdit = new QSpinBox(Sheet);
  YearEdit->setObjectName(QStringLiteral("SecondYear"));
  YearEdit->setRange(1801, 2199);
  YearEdit->setGeometry(70, 122, 80, 22);
  YearRow[1] = YearEdit;

  ChartRow[0] = RowLabel(QStringLiteral("Карта:"), Sheet, 148);
  ChartBox = new QComboBox(Sheet);
  ChartBox->setObjectName(QStringLiteral("SecondChart"));
  ChartBox->setGeometry(70, 148, 235, 22);
  ChartRow[1] = ChartBox;

  OtherPlaceBox = new QCheckBox(QStringLiteral("Другое место"), Sheet);
  OtherPlaceBox->setObjectName(QStringLiteral("SecondOtherPlace"));
  OtherPlaceBox->setGeometry(8, 174, 100, 22);
  auto degrees = [Sheet](const char* name, double limit, int x, const QString& prefix) {
    auto* edit = new QDoubleSpinBox(Sheet);
    edit->setObjectName(name);
    edit->setRange(-limit, limit);
    edit->setDecimals(4);
    edit->setPrefix(prefix);
    edit->setSuffix(QStringLiteral("°"));
    edit->setGeometry(x, 174, 96, 22);
    return edit;
  };
  LatitudeEdit = degrees("SecondLatitude", 90, 110, QStringLiteral("ш "));
  LongitudeEdit = degrees("SecondLongitude", 180, 209, QStringLiteral("д "));
  PlaceRow = {OtherPlaceBox, LatitudeEdit, LongitudeEdit, nullptr};

  Note = new QLabel(Sheet);
  Note->setObjectName(QStringLiteral("SecondNote"));
  Note->setGeometry(8, 198, 297, 44);
  Note->setWordWrap(true);
  Found = new QLabel(Sheet);
  Found->setObjectName(QStringLiteral("SecondFound"));
  Found->setGeometry(8, 244, 297, 32);
  Found->setWordWrap(true);
  Found->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* head = new QLabel(QStringLiteral("Вторая карта — аспект — натал, по орбу:"), Sheet);
  head->setGeometry(8, 278, 297, 18);
  List = new QPlainTextEdit(Sheet);
  List->setObjectName(QStringLiteral("CrossAspects"));
  List->setReadOnly(true);
  List->setGeometry(8, 296, 297, 142);
  List->setLineWrapMode(QPlainTextEdit::NoWrap);

  connect(Modes, &QButtonGroup::idClicked, this, [this](int) {
    if (Kind() == TSecondKind::Transit && OnNow)
      SetMoment(OnNow());
    Changed();
  });
  connect(now, &QPushButton::clicked, this, [this] {
    if (OnNow)
      SetMoment(OnNow());
    Changed();
  });
  connect(MomentEdit, &QDateTimeEdit::editingFinished, this, &TSecondChartPanel::Changed);
  connect(YearEdit, &QSpinBox::editingFinished, this, &TSecondChartPanel::Changed);
  connect(ChartBox, &QComboBox::activated, this, &TSecondChartPanel::Changed);
  connect(OtherPlaceBox, &QCheckBox::toggled, this, &TSecondChartPanel::Changed);
  connect(LatitudeEdit, &QDoubleSpinBox::editingFinished, this, &TSecondChartPanel::Changed);
  connect(LongitudeEdit, &QDoubleSpinBox::editingFinished, this, &TSecondChartPanel::Changed);
  ShowControls();
}

TSecondKind TSecondChartPanel::Kind() const {
  return TSecondKind(std::max(0, Modes->checkedId()));
}

void TSecondChartPanel::SetKind(TSecondKind Kind) {
  Modes->button(int(Kind))->setChecked(true);
  ShowControls();
}

astro::TDateTime TSecondChartPanel::Moment() const {
  return FromQDateTime(MomentEdit->dateTime());
}

void TSecondChartPanel::SetMoment(astro::TDateTime Local) {
  MomentEdit->setDateTime(ToQDateTime(Local));
}

int TSecondChartPanel::Year() const {
  return YearEdit->value();
}

void TSecondChartPanel::SetYear(int Year) {
  YearEdit->setValue(Year);
}

QString TSecondChartPanel::ChartName() const {
  return ChartBox->currentText();
}

void TSecondChartPanel::SetChartNames(const QStringList& Names, const QString& Chosen) {
  ChartBox->clear();
  ChartBox->addItems(Names);
  ChartBox->setCurrentIndex(std::max<qsizetype>(0, Names.indexOf(Chosen)));
}

std::optional<std::pair<double, double>> TSecondChartPanel::OtherPlace() const {
  if (!OtherPlaceBox->isChecked() || !OtherPlaceBox->isEnabled())
    return std::nullopt;
  return std::pair{LatitudeEdit->value(), LongitudeEdit->value()};
}

void TSecondChartPanel::Changed() {
  ShowControls();
  if (OnChange)
    OnChange();
}

// Only the values of the chosen kind can be edited; the note tells how a progression is made.
void TSecondChartPanel::ShowControls() {
  const TSecondKind kind = Kind();
  const bool moment = kind == TSecondKind::Transit || kind == TSecondKind::LunarReturn ||
                      kind == TSecondKind::Progressed;
  const bool place = kind == TSecondKind::Transit || kind == TSecondKind::SolarReturn ||
                     kind == TSecondKind::LunarReturn;
  for (QWidget* w : MomentRow)
    if (w)
      w->setEnabled(moment);
  for (QWidget* w : YearRow)
    if (w)
      w->setEnabled(kind == TSecondKind::SolarReturn);
  for (QWidget* w : ChartRow)
    if (w)
      w->setEnabled(kind == TSecondKind::Synastry);
  OtherPlaceBox->setEnabled(place);
  LatitudeEdit->setEnabled(place && OtherPlaceBox->isChecked());
  LongitudeEdit->setEnabled(place && OtherPlaceBox->isChecked());
  switch (kind) {
  case TSecondKind::Progressed:
    Note->setText(QStringLiteral("Вторичные прогрессии: день после рождения за год жизни. Углы "
                                 "и куспиды прогрессируют солярной дугой по долготе."));
    break;
  case TSecondKind::LunarReturn:
    Note->setText(QStringLiteral("Первое возвращение Луны после выбранного момента."));
    break;
  case TSecondKind::SolarReturn:
    Note->setText(QStringLiteral("Возвращение Солнца к натальной долготе в выбранном году."));
    break;
  default:
    Note->clear();
  }
}

void TSecondChartPanel::ShowChart(const astro::TChart& Second,
                                  const std::vector<astro::TCrossAspect>& Cross) {
  Found->setText(QStringLiteral("Момент: ") + MomentLine(Second.Moment.Local) +
                 QStringLiteral(" местное,\n") + MomentLine(Second.Moment.Universal) +
                 QStringLiteral(" UT"));
  QString text;
  for (const astro::TCrossAspect& item : Cross)
    text += Text(astro::CrossPointName(item.Second)) + QStringLiteral(" — ") +
            Text(astro::AspectNames[item.Aspect]) + QStringLiteral(" — ") +
            Text(astro::CrossPointName(item.Natal)) + QStringLiteral(", ") +
            QString::number(item.Orb, 'f', 2) + QStringLiteral("°, ") +
            (item.Applying ? QStringLiteral("сходится") : QStringLiteral("расходится")) + '\n';
  if (Cross.empty())
    text = QStringLiteral("Аспектов между картами нет.");
  List->setPlainText(text);
}

void TSecondChartPanel::ShowFailure(const QString& Text) {
  Found->setText(Text);
  List->clear();
}

void TSecondChartPanel::Clear() {
  Found->clear();
  List->clear();
}

QString TSecondChartPanel::ListText() const {
  return List->toPlainText();
}

QString TSecondChartPanel::MomentText() const {
  return Found->text();
}
