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

#include <QAbstractItemView>
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
#include <QStringListModel>
#include <QTimeEdit>
#include <QTimeZone>
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

} // namespace

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
  setFixedSize(298, 198);
  // The controls have the fixed places of the design: a compact 8-point font keeps captions and
  // values inside them.
  QFont compact = font();
  compact.setPointSize(8);
  compact.setStretch(QFont::SemiCondensed);
  setFont(compact);
  GroupBox1 = new QGroupBox(QStringLiteral("Время и координаты"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(0, -1, 297, 199);
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
  JulianBox = new QCheckBox(QStringLiteral("ст. ст."), g);
  JulianBox->setObjectName(QStringLiteral("JulianDates"));
  JulianBox->setToolTip(QStringLiteral("Дата по старому стилю (юлианский календарь)"));
  JulianBox->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
  JulianBox->adjustSize();
  JulianBox->move(245, 21);

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

  OwnPlaceBox = new QCheckBox(QStringLiteral("Свои координаты"), g);
  OwnPlaceBox->setObjectName(QStringLiteral("OwnPlace"));
  OwnPlaceBox->adjustSize();
  OwnPlaceBox->move(162, 125);
  MakeLabel(g, QStringLiteral("Пояс:"), 162, 151);
  OwnZone = MakeCombo(g, "OwnZone", 193, 147, 96);
  OwnZone->setToolTip(QStringLiteral("Часовой пояс места: зона из списка (Europe/Samara) "
                                     "или смещение от UT, например +5:30"));
  OwnZone->setEnabled(false);
  NoteText = MakeLabel(g, QString(), 6, 177, "NoteText");
  OccurrenceBox = new QComboBox(g);
  OccurrenceBox->setObjectName(QStringLiteral("Occurrence"));
  OccurrenceBox->setGeometry(134, 173, 155, 21);
  OccurrenceBox->hide();

  PlaceSearchModel = new QStringListModel(this);
  PlaceSearch = new QCompleter(PlaceSearchModel, this);
  PlaceSearch->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  PlaceSearch->setWidget(City->lineEdit());
  PlaceSearch->setMaxVisibleItems(12);
  PlaceSearch->popup()->setMinimumWidth(330); // "Тольятти — Россия, Самарская область" whole

  QWidget::setTabOrder(Time, Date);
  QWidget::setTabOrder(Date, TimeZone);
  QWidget::setTabOrder(TimeZone, HistoricZonesBox);
  QWidget::setTabOrder(HistoricZonesBox, Country);
  QWidget::setTabOrder(Country, City);
  QWidget::setTabOrder(City, DlgGrade);
  QWidget::setTabOrder(DlgGrade, DlgMin);
  QWidget::setTabOrder(DlgMin, ShirGrade);
  QWidget::setTabOrder(ShirGrade, ShirMin);
  QWidget::setTabOrder(ShirMin, OwnPlaceBox);
  QWidget::setTabOrder(OwnPlaceBox, OwnZone);

  connect(Time, &QTimeEdit::timeChanged, this, &TPositionFrame::TimeChange);
  connect(Date, &QDateEdit::dateChanged, this, &TPositionFrame::DateChange);
  connect(TimeZone, &QSpinBox::valueChanged, this, &TPositionFrame::TimeZoneChange);
  connect(HistoricZonesBox, &QCheckBox::toggled, this, &TPositionFrame::HistoricZonesClick);
  connect(Country, &QComboBox::activated, this, &TPositionFrame::CountrySelect);
  connect(City, &QComboBox::activated, this, &TPositionFrame::CitySelect);
  connect(JulianBox, &QCheckBox::toggled, this, &TPositionFrame::JulianClick);
  connect(OwnPlaceBox, &QCheckBox::toggled, this, &TPositionFrame::OwnPlaceClick);
  for (QLineEdit* edit : {DlgGrade, DlgMin, ShirGrade, ShirMin})
    connect(edit, &QLineEdit::editingFinished, this, &TPositionFrame::CoordinatesEdited);
  connect(OwnZone, &QComboBox::activated, this, &TPositionFrame::OwnZoneEdited);
  connect(OwnZone->lineEdit(), &QLineEdit::editingFinished, this, &TPositionFrame::OwnZoneEdited);
  connect(OccurrenceBox, &QComboBox::activated, this, &TPositionFrame::OccurrenceSelect);
  connect(City->lineEdit(), &QLineEdit::textEdited, this, &TPositionFrame::SearchPlaces);
  connect(Country->lineEdit(), &QLineEdit::textEdited, this, &TPositionFrame::CountryEdited);
  connect(PlaceSearch, qOverload<const QModelIndex&>(&QCompleter::activated), this,
          [this](const QModelIndex& index) { PlaceChosen(index.row()); });
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
  Date->setDate(ShownDate(X));
  Time->setTime(ToQTime(X));
  ShowNote();
}

QDate TPositionFrame::ShownDate(astro::TDateTime X) const {
  if (!Julian)
    return ToQDate(X);
  // Julian 29 February of 1800 and 1900 has no Gregorian writing: the note gives it instead.
  const astro::TCalendarDate old = astro::DecodeJulianDate(X);
  const QDate shown(old.Year, old.Month, old.Day);
  return shown.isValid() ? shown : ToQDate(X);
}

astro::TDateTime TPositionFrame::DayOfShownDate(const QDate& Shown) const {
  if (Julian && astro::IsValidJulianDate(Shown.year(), Shown.month(), Shown.day()))
    return astro::JulianDateToDate({Shown.year(), Shown.month(), Shown.day()});
  return astro::EncodeDate(Shown.year(), Shown.month(), Shown.day());
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
  Later = false;
  MoveTo(X);
  ShowInPickers(X);
  emit OnDateTimeChange(this);
}

bool TPositionFrame::SetUniversalTime(astro::TDateTime Ut) {
  const bool laterBefore = Later;
  Later = false; // the instant decides the occurrence below
  std::optional<TZoneOffset> atInstant;
  if (ZonesByDate())
    atInstant = HistoricOffsetAt(ZoneName.toLatin1(), Longitude, Ut);
  if (!atInstant)
    atInstant = OffsetAt(DateTime);
  // Whole milliseconds, so the local reading stays on the second the universal one is on.
  const auto localAt = [Ut](const TZoneOffset& offset) {
    constexpr double msPerDay = 86400000.0;
    return std::llround(Ut * msPerDay + offset.Seconds * 1000.0) / msPerDay;
  };
  const astro::TDateTime first = localAt(*atInstant);
  if (!IsInRange(first)) {
    Later = laterBefore;
    return false;
  }
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
  const TLocalReading reading = Reading();
  Later = reading.Kind == TReadingKind::Twice && ZoneOffset == reading.Later;
  ShowInPickers(DateTime);
  emit OnDateTimeChange(this);
  return true;
}

void TPositionFrame::DateChange() {
  const QDate shown = Date->date();
  const astro::TTimeOfDay time = FromQTime(Time->time());
  const astro::TDateTime X =
      DayOfShownDate(shown) +
      astro::EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond);
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
  Later = false; // a typed or stepped reading means its first occurrence
  MoveTo(X);
  {
    const QSignalBlocker blocker(Date);
    Date->setDate(ShownDate(X));
  }
  ShowNote();
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
  FixedSeconds.reset();
  if (Own) {
    Own = false;
    ShowOwnPlaceMode();
  }
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
  ShowOwnZone();
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
  FixedSeconds.reset();
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

bool TPositionFrame::ZonesByDate() const {
  // An own place's zone chosen by name always has its offsets by date.
  return !FixedSeconds && (HistoricZones() || (Own && !ZoneName.isEmpty()));
}

TZoneOffset TPositionFrame::OffsetAt(astro::TDateTime Local) const {
  if (FixedSeconds)
    return FixedOffset(*FixedSeconds);
  std::optional<TZoneOffset> historic;
  if (ZonesByDate())
    historic = HistoricOffset(ZoneName.toLatin1(), Longitude, Local);
  if (historic && Later) {
    const TLocalReading reading = ClassifyLocal(ZoneName.toLatin1(), Longitude, Local);
    if (reading.Kind == TReadingKind::Twice)
      historic = reading.Later;
  }
  return historic ? *historic : WholeHoursOffset(StandardZone);
}

TLocalReading TPositionFrame::Reading() const {
  if (!ZonesByDate())
    return {};
  return ClassifyLocal(ZoneName.toLatin1(), Longitude, DateTime);
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
  ShowNote();
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
  FixedSeconds.reset();
  if (Own) {
    Own = false;
    ShowOwnPlaceMode();
  }
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
  if (!Own)
    FixedSeconds.reset();
  UpdateZoneOffset();
  emit OnTimeZoneChange(this);
}

bool TPositionFrame::EditDateTime(astro::TDateTime X) {
  if (!IsInRange(X))
    return false;
  Later = false;
  MoveTo(X);
  ShowInPickers(X);
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

void TPositionFrame::SetFixedOffset(int Seconds) {
  FixedSeconds = Seconds;
  if (UpdateZoneOffset())
    emit OnTimeZoneChange(this);
  ShowOwnZone();
}

bool TPositionFrame::SetOwnPlace(double LatitudeValue, double LongitudeValue,
                                 const QString& ZoneText) {
  if (!(std::abs(LatitudeValue) <= 90) || !(std::abs(LongitudeValue) <= 180))
    return false;
  const QString zone = ZoneText.trimmed();
  std::optional<int> fixed;
  if (!QTimeZone::isTimeZoneIdAvailable(zone.toLatin1())) {
    fixed = ParseFixedOffset(zone);
    if (!fixed)
      return false;
  }
  Own = true;
  ShowOwnPlaceMode();
  Latitude = LatitudeValue;
  Longitude = LongitudeValue;
  ZoneName = fixed ? QString() : zone;
  FixedSeconds = fixed;
  PlaceTaken = true;
  ShowCoordinates();
  ShowOwnZone();
  const bool offsetChanged = UpdateZoneOffset();
  emit OnPositionChange(this);
  if (offsetChanged)
    emit OnTimeZoneChange(this);
  return true;
}

void TPositionFrame::LeaveOwnPlace() {
  Own = false;
  FixedSeconds.reset();
  ShowOwnPlaceMode();
  const int atlasCity = City->findText(AtlasCity, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (SelectedText(City).isEmpty() && atlasCity >= 0) {
    const QSignalBlocker blocker(City);
    City->setCurrentIndex(atlasCity);
  }
  if (!SelectedText(Country).isEmpty() && !SelectedText(City).isEmpty()) {
    UpdatePosition();
    return;
  }
  if (UpdateZoneOffset())
    emit OnTimeZoneChange(this);
}

void TPositionFrame::OwnPlaceClick() {
  if (OwnPlaceBox->isChecked() == Own)
    return;
  if (!OwnPlaceBox->isChecked()) {
    LeaveOwnPlace();
    return;
  }
  // The place shown so far is the own place's start; its zone (or offset) stays in use. The
  // city box is emptied for the name of the place (the atlas city comes back with the box).
  const QString zone = !ZoneName.isEmpty() ? ZoneName : OffsetText(ZoneOffset.Seconds).mid(3);
  AtlasCity = SelectedText(City);
  if (!SetOwnPlace(Latitude, Longitude, zone))
    SetOwnPlace(Latitude, Longitude, QStringLiteral("+0"));
  const QSignalBlocker blocker(City);
  City->setCurrentIndex(-1);
  City->setEditText(QString());
}

void TPositionFrame::ShowOwnPlaceMode() {
  {
    const QSignalBlocker blocker(OwnPlaceBox);
    OwnPlaceBox->setChecked(Own);
  }
  const QString hint = QStringLiteral("Градусы со знаком или буквой полушария (%1), минуты 0–59");
  for (QLineEdit* edit : {DlgGrade, DlgMin, ShirGrade, ShirMin}) {
    edit->setReadOnly(!Own);
    const bool longitude = edit == DlgGrade || edit == DlgMin;
    edit->setToolTip(Own ? hint.arg(longitude ? QStringLiteral("49В, 49З или -49")
                                              : QStringLiteral("53С, 53Ю или -53"))
                         : QString());
  }
  if (Own)
    FillZoneList();
  OwnZone->setEnabled(Own);
  TimeZone->setEnabled(!Own);
  HistoricZonesBox->setEnabled(!Own);
  ShowOwnZone();
}

void TPositionFrame::FillZoneList() {
  if (OwnZone->count() > 0)
    return;
  const QSignalBlocker blocker(OwnZone);
  QStringList zones;
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
    if (id.contains('/') && !id.startsWith("Etc/"))
      zones.append(QString::fromLatin1(id));
  OwnZone->addItems(zones);
  OwnZone->setCurrentIndex(-1);
}

void TPositionFrame::ShowOwnZone() {
  const QSignalBlocker blocker(OwnZone);
  const QString text = FixedSeconds         ? OffsetText(*FixedSeconds).mid(3)
                       : ZoneName.isEmpty() ? QString()
                                            : ZoneName;
  OwnZone->setCurrentIndex(OwnZone->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  OwnZone->setEditText(text);
  OwnZone->lineEdit()->setCursorPosition(0); // the region's name first
}

void TPositionFrame::ShowCoordinates() {
  ShowCoordinate(Latitude, LatitudeDeg, LatitudeMin, ShirGrade, ShirMin);
  ShowCoordinate(Longitude, LongitudeDeg, LongitudeMin, DlgGrade, DlgMin);
}

std::optional<std::pair<double, double>> TPositionFrame::TypedCoordinates(QString& Refusal) const {
  const auto read = [&Refusal](QLineEdit* degrees, QLineEdit* minutes, astro::TAxis axis,
                               const QString& name) -> std::optional<double> {
    const QString text =
        degrees->text().trimmed() + u' ' +
        (minutes->text().trimmed().isEmpty() ? QStringLiteral("0") : minutes->text().trimmed());
    const std::optional<double> value = astro::ParseCoordinate(text.toStdString(), axis);
    if (!value)
      Refusal = QStringLiteral("Неверная %1 «%2° %3’»: %4.")
                    .arg(name, degrees->text().trimmed(), minutes->text().trimmed(),
                         axis == astro::TAxis::Latitude
                             ? QStringLiteral("градусы от 0 до 90 с буквой С или Ю (или знаком "
                                              "минус для южной широты), минуты от 0 до 59")
                             : QStringLiteral("градусы от 0 до 180 с буквой В или З (или знаком "
                                              "минус для западной долготы), минуты от 0 до 59"));
    return value;
  };
  const std::optional<double> latitude =
      read(ShirGrade, ShirMin, astro::TAxis::Latitude, QStringLiteral("широта"));
  if (!latitude)
    return std::nullopt;
  const std::optional<double> longitude =
      read(DlgGrade, DlgMin, astro::TAxis::Longitude, QStringLiteral("долгота"));
  if (!longitude)
    return std::nullopt;
  return std::pair{*latitude, *longitude};
}

void TPositionFrame::CoordinatesEdited() {
  if (!Own)
    return;
  QString refusal;
  const std::optional<std::pair<double, double>> typed = TypedCoordinates(refusal);
  if (!typed) {
    ShowCoordinates(); // the chart stays as it was
    Prompts().Information(refusal);
    return;
  }
  if (typed->first == Latitude && typed->second == Longitude) {
    ShowCoordinates();
    return;
  }
  Latitude = typed->first;
  Longitude = typed->second;
  ShowCoordinates();
  const bool offsetChanged = UpdateZoneOffset(); // local mean time follows the longitude
  emit OnPositionChange(this);
  if (offsetChanged)
    emit OnTimeZoneChange(this);
}

void TPositionFrame::OwnZoneEdited() {
  // While the list of zones is open the text is not yet the chosen one.
  if (!Own || OwnZone->completer()->popup()->isVisible())
    return;
  const QString text = OwnZone->currentText().trimmed();
  const QString before = FixedSeconds ? OffsetText(*FixedSeconds).mid(3) : ZoneName;
  if (text == before)
    return;
  if (QTimeZone::isTimeZoneIdAvailable(text.toLatin1()) && text.contains(u'/')) {
    ZoneName = text;
    FixedSeconds.reset();
  } else if (const std::optional<int> fixed = ParseFixedOffset(text)) {
    ZoneName.clear();
    FixedSeconds = fixed;
  } else {
    ShowOwnZone();
    Prompts().Information(QStringLiteral("Неизвестный часовой пояс «%1». Выберите зону из списка "
                                         "(например, Europe/Samara) или введите смещение от UT "
                                         "от -12:00 до +14:00, например +5:30.")
                              .arg(text));
    return;
  }
  ShowOwnZone();
  if (UpdateZoneOffset())
    emit OnTimeZoneChange(this);
}

void TPositionFrame::SetJulianDates(bool On) {
  JulianBox->setChecked(On); // runs JulianClick when it changes
}

void TPositionFrame::JulianClick() {
  Julian = JulianBox->isChecked();
  ShowInPickers(DateTime); // the same moment in the other calendar's writing
}

void TPositionFrame::SetLaterOccurrence(bool On) {
  if (Later == On)
    return;
  Later = On;
  if (UpdateZoneOffset())
    emit OnTimeZoneChange(this);
}

void TPositionFrame::OccurrenceSelect() {
  SetLaterOccurrence(OccurrenceBox->currentIndex() == 1);
}

void TPositionFrame::ShowNote() {
  if (!NoteText)
    return; // controls still being built
  QStringList notes;
  if (Julian) {
    const astro::TCalendarDate old = astro::DecodeJulianDate(DateTime);
    notes << QStringLiteral("ст. ст. %1.%2.%3 = н. ст. %4")
                 .arg(old.Day, 2, 10, QChar(u'0'))
                 .arg(old.Month, 2, 10, QChar(u'0'))
                 .arg(old.Year, 4, 10, QChar(u'0'))
                 .arg(ToQDate(DateTime).toString(QStringLiteral("dd.MM.yyyy")));
  }
  const TLocalReading reading = Reading();
  if (reading.Kind == TReadingKind::Skipped)
    notes << QStringLiteral("такого времени не было: часы переводили вперёд");
  const bool twice = reading.Kind == TReadingKind::Twice;
  if (twice) {
    notes << QStringLiteral("время было дважды:");
    const QSignalBlocker blocker(OccurrenceBox);
    OccurrenceBox->clear();
    OccurrenceBox->addItem(QStringLiteral("первое (%1)").arg(OffsetText(reading.Earlier.Seconds)));
    OccurrenceBox->addItem(QStringLiteral("второе (%1)").arg(OffsetText(reading.Later.Seconds)));
    OccurrenceBox->setCurrentIndex(Later ? 1 : 0);
  }
  OccurrenceBox->setVisible(twice);
  NoteText->setText(notes.join(QStringLiteral("; ")));
  NoteText->adjustSize();
  ZoneOffsetText->setStyleSheet(reading.Kind == TReadingKind::Once
                                    ? QString()
                                    : QStringLiteral("QLabel { color: #b03000; }"));
}

void TPositionFrame::CountryEdited(const QString& Text) {
  // With no country chosen the city box searches every country.
  if (Text.trimmed().isEmpty())
    FillCities(QString());
}

void TPositionFrame::SearchPlaces(const QString& Typed) {
  if (!CityBase || !SelectedText(Country).isEmpty() || !Country->currentText().trimmed().isEmpty())
    return;
  constexpr int kShownPlaces = 50;
  PlaceHits = CityBase->SearchPlaces(Typed, kShownPlaces);
  QStringList texts;
  for (const TPlaceHit& hit : PlaceHits)
    texts << PlaceHitText(hit);
  PlaceSearchModel->setStringList(texts);
  if (texts.isEmpty())
    PlaceSearch->popup()->hide();
  else
    PlaceSearch->complete();
}

void TPositionFrame::PlaceChosen(int Row) {
  if (Row < 0 || Row >= static_cast<int>(PlaceHits.size()))
    return;
  const TPlaceHit hit = PlaceHits[Row];
  SelectPlace(hit.Country, hit.Entry);
}
