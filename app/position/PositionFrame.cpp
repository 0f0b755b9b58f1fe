// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionFrame.h"

#include "CityBase.h"
#include "Coordinates.h"
#include "DateTime.h"
#include "Formatting.h"
#include "IniFile.h"
#include "ProgramFiles.h"
#include "Prompts.h"
#include "TypedDateTimeEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <climits>
#include <cmath>

namespace {

constexpr QChar kDegreeSign = u'\u00b0';
constexpr QChar kMinuteSign = u'\u2019';

QDate ToQDate(astro::TDateTime X) {
  const astro::TCalendarDate d = astro::DecodeDate(X);
  return QDate(d.Year, d.Month, d.Day);
}

QTime ToQTime(astro::TDateTime X) {
  const astro::TTimeOfDay t = astro::DecodeTime(X);
  return QTime(t.Hour, t.Minute, t.Second, t.Millisecond);
}

astro::TTimeOfDay FromQTime(const QTime& t) {
  return {t.hour(), t.minute(), t.second(), t.msec()};
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name)
    label->setObjectName(name);
  label->adjustSize();
  label->move(x, y);
  return label;
}

QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name, int x, int y, int maxLength) {
  auto* edit = new QLineEdit(QStringLiteral("0"), parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setMaxLength(maxLength);
  edit->setGeometry(x, y, 33, 21);
  return edit;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, int x, int y, int width) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert); // typed text never becomes a place
  // While the user types, a list offers every entry that contains the text, in any letter case.
  box->completer()->setCompletionMode(QCompleter::PopupCompletion);
  box->completer()->setFilterMode(Qt::MatchContains);
  box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
  box->setGeometry(x, y, width, 21);
  return box;
}

double SignedDegrees(const QString& degreesText, int degrees, int minutes) {
  const double size = std::abs(degrees) + std::abs(minutes) / 60.0;
  return degreesText.trimmed().startsWith(u'-') ? -size : size;
}

} // namespace

long long CalendarDay(astro::TDateTime Moment) {
  return static_cast<long long>(std::floor(Moment));
}

int ReadDecimalInteger(const QString& Text) {
  qsizetype i = 0;
  while (i < Text.size() && Text.at(i) == u' ')
    ++i;
  bool negative = false;
  if (i < Text.size() && (Text.at(i) == u'-' || Text.at(i) == u'+')) {
    negative = Text.at(i) == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < Text.size() && Text.at(i) >= u'0' && Text.at(i) <= u'9'; ++i)
    value = std::min<long long>(value * 10 + (Text.at(i).unicode() - u'0'), 1LL + INT_MAX);
  if (negative)
    value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

TCityCoordinates ReadCityCoordinates(const TCityPlace& Place) {
  // Degrees before the first "°", minutes after it without the closing minute sign.
  const auto split = [](const QString& text, QString& degrees, QString& minutes) {
    const qsizetype sign = text.indexOf(kDegreeSign);
    degrees = sign < 0 ? QString() : text.left(sign);
    const QString rest = sign < 0 ? text : text.mid(sign + 1);
    minutes = rest.left(std::max<qsizetype>(0, rest.size() - 1));
  };
  TCityCoordinates c;
  split(Place.Latitude, c.LatitudeDegrees, c.LatitudeMinutes);
  split(Place.Longitude, c.LongitudeDegrees, c.LongitudeMinutes);
  c.LatitudeDeg = ReadDecimalInteger(c.LatitudeDegrees);
  c.LatitudeMin = ReadDecimalInteger(c.LatitudeMinutes);
  c.LongitudeDeg = ReadDecimalInteger(c.LongitudeDegrees);
  c.LongitudeMin = ReadDecimalInteger(c.LongitudeMinutes);
  c.Latitude = SignedDegrees(c.LatitudeDegrees, c.LatitudeDeg, c.LatitudeMin);
  c.Longitude = SignedDegrees(c.LongitudeDegrees, c.LongitudeDeg, c.LongitudeMin);
  return c;
}

TPositionFrame::TPositionFrame(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("PositionFrame"));
  BuildControls();
  DlgGradeText->setText(QString(kDegreeSign));
  DlgMinText->setText(QString(kMinuteSign));
  ShirGradeText->setText(QString(kDegreeSign));
  ShirMinText->setText(QString(kMinuteSign));
}

TPositionFrame::~TPositionFrame() = default;

void TPositionFrame::BuildControls() {
  setFixedSize(298, 176);
  // The controls have the fixed places of the design: a compact 8-point font keeps captions and
  // values inside them.
  QFont compact = font();
  compact.setPointSize(8);
  compact.setStretch(QFont::SemiCondensed);
  setFont(compact);
  GroupBox1 = new QGroupBox(QStringLiteral("Время и координаты"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(0, -1, 297, 177);
  QWidget* g = GroupBox1;

  MakeLabel(g, QStringLiteral("Время:"), 6, 21);
  Time = new TTypedTimeEdit(g);
  Time->setObjectName(QStringLiteral("Time"));
  Time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  Time->setWrapping(true); // the up-down arrows roll 23 over to 0 and back
  Time->setGeometry(48, 19, 73, 21);

  MakeLabel(g, QStringLiteral("Дата:"), 125, 21);
  Date = new TTypedDateEdit(g);
  Date->setObjectName(QStringLiteral("Date"));
  Date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  Date->setCalendarPopup(false);
  Date->setMinimumDate(QDate(100, 1, 1));
  Date->setGeometry(161, 19, 81, 21);

  MakeLabel(g, QStringLiteral("Временная зона:"), 6, 48);
  TimeZone = new QSpinBox(g);
  TimeZone->setObjectName(QStringLiteral("TimeZone"));
  TimeZone->setRange(-12, 12);
  TimeZone->setValue(CityTimeZone);
  TimeZone->setGeometry(102, 43, 41, 22);
  HistoricZonesBox = new QCheckBox(QStringLiteral("Пояс по дате"), g);
  HistoricZonesBox->setObjectName(QStringLiteral("HistoricZones"));
  HistoricZonesBox->adjustSize();
  HistoricZonesBox->move(146, 45);
  ZoneOffsetText =
      MakeLabel(g, QString(), HistoricZonesBox->geometry().right() + 3, 48, "ZoneOffsetText");
  ShowOffset();

  MakeLabel(g, QStringLiteral("Государство:"), 6, 73);
  Country = MakeCombo(g, "Country", 80, 72, 209);
  MakeLabel(g, QStringLiteral("Город:"), 6, 97);
  City = MakeCombo(g, "City", 46, 96, 219);

  MakeLabel(g, QStringLiteral("Долгота:"), 6, 125);
  DlgGrade = MakeReadOnlyEdit(g, "DlgGrade", 61, 123, 4);
  DlgMin = MakeReadOnlyEdit(g, "DlgMin", 109, 123, 2);
  DlgGradeText = MakeLabel(g, QString(), 100, 125, "DlgGradeText");
  DlgMinText = MakeLabel(g, QString(), 146, 125, "DlgMinText");
  MakeLabel(g, QStringLiteral("Широта:"), 6, 153);
  ShirGrade = MakeReadOnlyEdit(g, "ShirGrade", 61, 147, 3);
  ShirMin = MakeReadOnlyEdit(g, "ShirMin", 109, 147, 2);
  ShirGradeText = MakeLabel(g, QString(), 100, 153, "ShirGradeText");
  ShirMinText = MakeLabel(g, QString(), 146, 153, "ShirMinText");

  QWidget::setTabOrder(Time, Date);
  QWidget::setTabOrder(Date, TimeZone);
  QWidget::setTabOrder(TimeZone, HistoricZonesBox);
  QWidget::setTabOrder(HistoricZonesBox, Country);
  QWidget::setTabOrder(Country, City);
  QWidget::setTabOrder(City, DlgGrade);
  QWidget::setTabOrder(DlgGrade, DlgMin);
  QWidget::setTabOrder(DlgMin, ShirGrade);
  QWidget::setTabOrder(ShirGrade, ShirMin);

  connect(Time, &QTimeEdit::timeChanged, this, &TPositionFrame::TimeChange);
  connect(Date, &QDateEdit::dateChanged, this, &TPositionFrame::DateChange);
  connect(TimeZone, &QSpinBox::valueChanged, this, &TPositionFrame::TimeZoneChange);
  connect(HistoricZonesBox, &QCheckBox::toggled, this, &TPositionFrame::HistoricZonesClick);
  connect(Country, &QComboBox::activated, this, &TPositionFrame::CountrySelect);
  connect(City, &QComboBox::activated, this, &TPositionFrame::CitySelect);
}

QString TPositionFrame::CityBaseFileName(const std::string& ConfigFileName) {
  const config::TIniFile ini(ConfigFileName);
  return files::DataFilePath(ConfigFileName, ini.ReadString("PositionFrame", "CityBase", ""));
}

void TPositionFrame::LoadCityBase(const std::string& ConfigFileName) {
  const QString path = CityBaseFileName(ConfigFileName);
  if (QFileInfo(path).isFile()) {
    OpenCityBase(path);
    return;
  }
  Prompts().Information(QStringLiteral("Отсутствует файл базы данных городов ") +
                        QFileInfo(path).fileName() + u'.');
}

void TPositionFrame::OpenCityBase(const QString& FileName) {
  CityBase = TakePrefetchedCityBase(FileName);
  if (!CityBase)
    CityBase = std::make_unique<TCityBase>(FileName);
  {
    const QSignalBlocker blocker(Country);
    Country->clear();
    Country->addItems(CityBase->GetCountryList());
  }
  if (Country->count() == 0)
    return;
  {
    const QSignalBlocker blocker(Country);
    Country->setCurrentIndex(0);
  }
  FillCities(SelectedText(Country));
  UpdatePosition();
}

void TPositionFrame::FillCities(const QString& CountryText) {
  const QSignalBlocker blocker(City);
  City->clear();
  if (CityBase)
    City->addItems(CityBase->GetCityList(CountryText));
  if (City->count() > 0)
    City->setCurrentIndex(0);
}

QString TPositionFrame::SelectedText(const QComboBox* Box) const {
  // An editable box may hold typed text that names no entry: that is no selection.
  const int index = Box->currentIndex();
  if (index < 0 || Box->currentText() != Box->itemText(index))
    return {};
  return Box->itemText(index);
}

void TPositionFrame::ShowInPickers(astro::TDateTime X) {
  const QSignalBlocker dateBlocker(Date);
  const QSignalBlocker timeBlocker(Time);
  Date->setDate(ToQDate(X));
  Time->setTime(ToQTime(X));
}

void TPositionFrame::ShowZone(int Hours) {
  const QSignalBlocker blocker(TimeZone);
  TimeZone->setValue(Hours);
}

void TPositionFrame::SetDateRange(astro::TDateTime A, astro::TDateTime B) {
  if (CalendarDay(A) > CalendarDay(B)) {
    MinDate = B;
    MaxDate = A;
  } else {
    MinDate = A;
    MaxDate = B;
  }
  // "Now" is the current universal time as the local time of the selected place.
  const auto now = [this] { return LocalFromUniversal(astro::Now().Universal); };
  const auto today = [&now] { return CalendarDay(now()); };
  const long long minDay = CalendarDay(MinDate);
  const long long maxDay = CalendarDay(MaxDate);
  if (today() < maxDay && today() > minDay) {
    const astro::TDateTime start = now();
    ShowInPickers(start);
    MoveTo(start);
    emit OnDateTimeChange(this);
  }
  if (today() <= maxDay && today() <= minDay) {
    ShowInPickers(MinDate);
    MoveTo(MinDate);
    emit OnDateTimeChange(this);
  }
  if (today() >= maxDay && today() >= minDay) {
    ShowInPickers(MinDate);
    MoveTo(MinDate);
    emit OnDateTimeChange(this);
  }
}

bool TPositionFrame::IsInRange(astro::TDateTime X) const {
  const long long day = CalendarDay(X);
  return day > CalendarDay(MinDate) && day < CalendarDay(MaxDate);
}

void TPositionFrame::SetDateTime(astro::TDateTime X) {
  if (!IsInRange(X))
    return;
  ShowInPickers(X);
  MoveTo(X);
  emit OnDateTimeChange(this);
}

bool TPositionFrame::SetUniversalTime(astro::TDateTime Ut) {
  std::optional<TZoneOffset> atInstant;
  if (HistoricZones())
    atInstant = HistoricOffsetAt(ZoneName.toLatin1(), Longitude, Ut);
  if (!atInstant)
    atInstant = WholeHoursOffset(StandardZone);
  // Whole milliseconds, so the local reading stays on the second the universal one is on.
  const auto localAt = [Ut](const TZoneOffset& offset) {
    constexpr double msPerDay = 86400000.0;
    return std::llround(Ut * msPerDay + offset.Seconds * 1000.0) / msPerDay;
  };
  const astro::TDateTime first = localAt(*atInstant);
  if (!IsInRange(first))
    return false;
  MoveTo(first);
  // The frame's own offset of a local reading wins where it gives back the same reading (its
  // rules for places, its choice in a gap); where it does not, the reading is the second
  // occurrence of a repeated hour, which only the offset at the instant tells apart.
  if (!(ZoneOffset == *atInstant)) {
    const TZoneOffset own = ZoneOffset;
    const astro::TDateTime second = localAt(own);
    if (IsInRange(second))
      MoveTo(second);
    if (!IsInRange(second) || !(ZoneOffset == own)) {
      MoveTo(first);
      ZoneOffset = *atInstant;
      CityTimeZone = WholeHoursOf(atInstant->Seconds);
      ShowZone(CityTimeZone);
      ShowOffset();
    }
  }
  ShowInPickers(DateTime);
  emit OnDateTimeChange(this);
  return true;
}

void TPositionFrame::DateChange() {
  const QDate shown = Date->date();
  const astro::TDateTime X =
      astro::EncodeDateTime({shown.year(), shown.month(), shown.day()}, FromQTime(Time->time()));
  if (EditDateTime(X))
    return;
  ShowInPickers(DateTime); // the edit is undone, no event
  if (Date->Committing())
    Prompts().Information(QStringLiteral("Дата %1 вне диапазона эфемерид: %2 – %3.")
                              .arg(shown.toString(QStringLiteral("dd.MM.yyyy")),
                                   ToQDate(MinDate + 1).toString(QStringLiteral("dd.MM.yyyy")),
                                   ToQDate(MaxDate - 1).toString(QStringLiteral("dd.MM.yyyy"))));
}

void TPositionFrame::TimeChange() {
  const astro::TTimeOfDay shown = FromQTime(Time->time());
  const int oldHour = astro::DecodeTime(DateTime).Hour;
  astro::TDateTime day = astro::DateOf(DateTime);
  // The arrows roll over midnight; a typed time stays on its day.
  const bool stepped = !Time->Committing();
  if (stepped && oldHour == 23 && shown.Hour == 0)
    day += 1;
  else if (stepped && oldHour == 0 && shown.Hour == 23)
    day -= 1;
  const astro::TDateTime X = astro::EncodeDateTime(astro::DecodeDate(day), shown);
  const long long xDay = CalendarDay(X);
  if (xDay < CalendarDay(MinDate) || xDay > CalendarDay(MaxDate)) {
    ShowInPickers(DateTime);
    return;
  }
  MoveTo(X);
  {
    const QSignalBlocker blocker(Date);
    Date->setDate(ToQDate(X));
  }
  emit OnDateTimeChange(this);
  emit OnTimeZoneChange(this);
}

void TPositionFrame::CountrySelect() {
  const QString country = SelectedText(Country);
  if (country.isEmpty() || !CityBase)
    return;
  FillCities(country);
  UpdatePosition();
}

void TPositionFrame::CitySelect() {
  if (SelectedText(Country).isEmpty() || SelectedText(City).isEmpty())
    return;
  UpdatePosition();
}

void TPositionFrame::UpdatePosition() {
  const QString country = SelectedText(Country);
  if (country.isEmpty() || !CityBase)
    return;
  const std::optional<TCityPlace> place = CityBase->FindPlace(country, SelectedText(City));
  if (!place)
    return;
  const TCityCoordinates c = ReadCityCoordinates(*place);
  LatitudeDeg = c.LatitudeDeg;
  LatitudeMin = c.LatitudeMin;
  LongitudeDeg = c.LongitudeDeg;
  LongitudeMin = c.LongitudeMin;
  if (!place->Zone.isEmpty())
    StandardZone = ReadDecimalInteger(place->Zone);
  ZoneName = place->ZoneName;
  Latitude = c.Latitude;
  Longitude = c.Longitude;
  const bool offsetChanged = UpdateZoneOffset();
  DlgGrade->setText(c.LongitudeDegrees);
  DlgMin->setText(c.LongitudeMinutes);
  ShirGrade->setText(c.LatitudeDegrees);
  ShirMin->setText(c.LatitudeMinutes);
  PlaceTaken = true;
  emit OnPositionChange(this);
  if (offsetChanged) // the chart's universal time moved with the zone
    emit OnTimeZoneChange(this);
}

void TPositionFrame::TimeZoneChange() {
  // A zone set by hand is the zone again: zones by date step aside.
  if (HistoricZonesBox->isChecked()) {
    const QSignalBlocker blocker(HistoricZonesBox);
    HistoricZonesBox->setChecked(false);
  }
  StandardZone = TimeZone->value();
  UpdateZoneOffset();
  emit OnTimeZoneChange(this);
}

void TPositionFrame::HistoricZonesClick() {
  if (UpdateZoneOffset())
    emit OnTimeZoneChange(this);
}

bool TPositionFrame::HistoricZones() const {
  return HistoricZonesBox->isChecked();
}

void TPositionFrame::SetHistoricZones(bool On) {
  HistoricZonesBox->setChecked(On); // runs HistoricZonesClick when it changes
}

bool TPositionFrame::HistoricZonesOption(const std::string& ConfigFileName) {
  return config::TIniFile(ConfigFileName).ReadBool("Options", "HistoricZones", true);
}

bool TPositionFrame::SelectHomePlace(const std::string& ConfigFileName) {
  const config::TIniFile ini(ConfigFileName);
  const QString country =
      QString::fromStdString(ini.ReadString("PositionFrame", "HomeCountry", ""));
  const QString city = QString::fromStdString(ini.ReadString("PositionFrame", "HomeCity", ""));
  return !country.isEmpty() && !city.isEmpty() && SelectPlace(country, city);
}

bool TPositionFrame::WriteHomePlace(const std::string& ConfigFileName) const {
  const QString country = SelectedText(Country), city = SelectedText(City);
  if (country.isEmpty() || city.isEmpty() || !CityBase)
    return false;
  config::TIniFile(ConfigFileName)
      .WriteEntries({{"PositionFrame", "HomeCountry", country.toStdString()},
                     {"PositionFrame", "HomeCity", city.toStdString()}});
  return true;
}

void TPositionFrame::ReadOptions(const std::string& ConfigFileName) {
  const bool on = HistoricZonesOption(ConfigFileName);
  const QSignalBlocker blocker(HistoricZonesBox);
  HistoricZonesBox->setChecked(on);
  UpdateZoneOffset();
}

void TPositionFrame::WriteOptions(const std::string& ConfigFileName) const {
  config::TIniFile(ConfigFileName).WriteEntries({OptionsEntry()});
}

config::TIniEntry TPositionFrame::OptionsEntry() const {
  return {"Options", "HistoricZones", config::FormatIniBool(HistoricZones())};
}

void TPositionFrame::MoveTo(astro::TDateTime X) {
  DateTime = X;
  UpdateZoneOffset();
}

TZoneOffset TPositionFrame::OffsetAt(astro::TDateTime Local) const {
  std::optional<TZoneOffset> historic;
  if (HistoricZones())
    historic = HistoricOffset(ZoneName.toLatin1(), Longitude, Local);
  return historic ? *historic : WholeHoursOffset(StandardZone);
}

astro::TDateTime TPositionFrame::LocalFromUniversal(astro::TDateTime Universal) const {
  // The offset depends on the local moment it gives: settle it by repeating (two rounds suffice
  // except inside a clock change, where the third keeps the later side).
  astro::TDateTime local = Universal + StandardZone / 24.0;
  for (int round = 0; round < 3; ++round)
    local = Universal + OffsetAt(local).Seconds / 86400.0;
  return local;
}

bool TPositionFrame::UpdateZoneOffset() {
  const int before = ZoneOffset.Seconds;
  ZoneOffset = OffsetAt(DateTime);
  CityTimeZone = ZoneOffset.Source == TZoneSource::WholeHours ? StandardZone
                                                              : WholeHoursOf(ZoneOffset.Seconds);
  ShowZone(CityTimeZone);
  ShowOffset();
  return ZoneOffset.Seconds != before;
}

void TPositionFrame::ShowOffset() {
  const QString text = OffsetText(ZoneOffset.Seconds);
  ZoneOffsetText->setText(text);
  ZoneOffsetText->setToolTip(ZoneOffset.Source == TZoneSource::WholeHours
                                 ? SourceText(ZoneOffset.Source)
                                 : ZoneName + QStringLiteral(", ") + SourceText(ZoneOffset.Source));
  // A mean-time offset carries seconds: a smaller face keeps it inside the group box.
  QFont face = font();
  const int room = GroupBox1->width() - 3 - ZoneOffsetText->x();
  while (QFontMetrics(face).horizontalAdvance(text) > room && face.pointSizeF() > 5)
    face.setPointSizeF(face.pointSizeF() - 0.5);
  ZoneOffsetText->setFont(face);
  ZoneOffsetText->adjustSize();
}

astro::TDateTime TPositionFrame::UniversalTime() const {
  if (ZoneOffset.Source == TZoneSource::WholeHours)
    return astro::ToUniversalTime(CityTimeZone, DateTime);
  return ToUniversalTime(ZoneOffset, DateTime);
}

bool TPositionFrame::SelectPlace(const QString& CountryText, const QString& CityEntry) {
  const int countryIndex =
      Country->findText(CountryText, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (countryIndex < 0 || !CityBase || !CityBase->GetCityList(CountryText).contains(CityEntry))
    return false;
  {
    const QSignalBlocker blocker(Country);
    Country->setCurrentIndex(countryIndex);
  }
  FillCities(CountryText);
  {
    const QSignalBlocker blocker(City);
    City->setCurrentIndex(City->findText(CityEntry, Qt::MatchExactly | Qt::MatchCaseSensitive));
  }
  UpdatePosition();
  return true;
}

void TPositionFrame::SetPlace(const QString& CountryText, const QString& CityEntry,
                              double LatitudeValue, double LongitudeValue) {
  {
    const QSignalBlocker blocker(Country);
    const int index = Country->findText(CountryText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    Country->setCurrentIndex(index);
    if (index < 0)
      Country->setEditText(CountryText);
  }
  FillCities(SelectedText(Country));
  {
    const QSignalBlocker blocker(City);
    City->setCurrentIndex(City->findText(CityEntry, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (City->currentText() != CityEntry) {
      City->setCurrentIndex(-1);
      City->setEditText(CityEntry);
    }
  }
  // A place the atlas no longer holds has no zone history: its zone is the stored one.
  ZoneName.clear();
  Latitude = LatitudeValue;
  Longitude = LongitudeValue;
  PlaceTaken = true;
  UpdateZoneOffset();
  ShowCoordinate(Latitude, LatitudeDeg, LatitudeMin, ShirGrade, ShirMin);
  ShowCoordinate(Longitude, LongitudeDeg, LongitudeMin, DlgGrade, DlgMin);
  emit OnPositionChange(this);
}

void TPositionFrame::ShowCoordinate(double Value, int& Degrees, int& Minutes,
                                    QLineEdit* DegreesEdit, QLineEdit* MinutesEdit) {
  const astro::TDegMin split = astro::SplitDegMin(Value);
  Degrees = split.Negative ? -split.Degrees : split.Degrees;
  Minutes = split.Minutes;
  DegreesEdit->setText((split.Negative ? QStringLiteral("-") : QString()) +
                       QString::number(split.Degrees));
  MinutesEdit->setText(QStringLiteral("%1").arg(split.Minutes, 2, 10, QChar(u'0')));
}

void TPositionFrame::SetTimeZone(int Hours) {
  StandardZone = Hours; // kept as given also where the spin edit's range ends
  UpdateZoneOffset();
  emit OnTimeZoneChange(this);
}

bool TPositionFrame::EditDateTime(astro::TDateTime X) {
  if (!IsInRange(X))
    return false;
  ShowInPickers(X);
  MoveTo(X);
  emit OnDateTimeChange(this);
  emit OnTimeZoneChange(this);
  return true;
}

QString TPositionFrame::CountryText() const {
  return Country->currentText();
}

QString TPositionFrame::CityText() const {
  return City->currentText();
}
