// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionFrame.h"

#include "CityBase.h"
#include "Cp1251.h"
#include "DateTime.h"
#include "ScriptedPrompts.h"
#include "TypedDateTimeEdit.h"

#include "IniFile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStringListModel>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

using astro::EncodeDate;
using astro::EncodeTime;

namespace {

QString OutputPath(const QString& name) {
  return QString(ASTRAVIA_TEST_OUTPUT_DIR) + "/" + name;
}

void WriteFile(const QString& path, const std::string& utf8) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(QByteArray::fromStdString(astro::Utf8ToCp1251(utf8)));
}

void PinToday(astro::TDateTime local) {
  astro::SetClock([local] { return astro::TClockReading{local, local - 7.0 / 24}; });
}

const std::string kBase = "Омск;Россия;;54°59’;73°22’;6\r\n"
                          "Новосибирск;Россия;;55°02’;82°56’;7\r\n"
                          "Безвременск;Россия;;10°00’;20°00’;\r\n"
                          "Кривой;Россия;;55’;1°;x\r\n"
                          "Москва;Россия;;55°45’;37°37’;3\r\n"
                          "Аккра;Гана;;5°36’;-0°10’;0\r\n";

class PositionFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    PinToday(EncodeDate(2026, 12, 7) + EncodeTime(15, 20, 0));
    for (auto signal : {&TPositionFrame::OnDateTimeChange, &TPositionFrame::OnTimeZoneChange,
                        &TPositionFrame::OnPositionChange})
      QObject::connect(&Frame, signal, [this, signal](QObject* sender) {
        EXPECT_EQ(sender, &Frame);
        Events.append(signal == &TPositionFrame::OnDateTimeChange   ? "DateTime"
                      : signal == &TPositionFrame::OnTimeZoneChange ? "TimeZone"
                                                                    : "Position");
      });
    Frame.show();
  }
  void TearDown() override { astro::SetClock({}); }

  template <class T> T* Control(const char* name) {
    T* control = Frame.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Text(const char* name) { return Control<QLineEdit>(name)->text(); }
  void OpenBase() {
    WriteFile(OutputPath("frame-cities.txt"), kBase);
    Frame.OpenCityBase(OutputPath("frame-cities.txt"));
    Events.clear();
  }
  // The 1900-01-01 .. 2050-12-31 23:59:59 range with the frame at the given moment.
  void RangeAt(astro::TDateTime moment) {
    Frame.SetDateRange(EncodeDate(2050, 12, 31) + EncodeTime(23, 59, 59), EncodeDate(1900, 1, 1));
    Frame.DateTime = moment;
    Frame.SetDateTime(moment); // also shows it in the pickers
    Events.clear();
  }

  TScriptedPrompts Prompts;
  TPositionFrame Frame;
  QStringList Events;
};

} // namespace

TEST_F(PositionFrameTest, ControlsHaveTheirNamesPlacesAndRanges) {
  EXPECT_EQ(Control<QGroupBox>("GroupBox1")->title(), "Время и координаты");
  EXPECT_EQ(Control<QTimeEdit>("Time")->geometry(), QRect(48, 19, 73, 21));
  EXPECT_EQ(Control<QDateEdit>("Date")->geometry(), QRect(161, 19, 81, 21));
  EXPECT_FALSE(Control<QDateEdit>("Date")->calendarPopup());
  auto* zone = Control<QSpinBox>("TimeZone");
  EXPECT_EQ(zone->minimum(), -12);
  EXPECT_EQ(zone->maximum(), 12);
  EXPECT_EQ(zone->value(), Frame.CityTimeZone);
  EXPECT_EQ(Control<QComboBox>("City")->geometry(), QRect(46, 96, 219, 21));
  EXPECT_TRUE(Control<QLineEdit>("DlgGrade")->isReadOnly());
  EXPECT_EQ(Control<QLineEdit>("DlgGrade")->maxLength(), 4);
  EXPECT_EQ(Control<QLineEdit>("ShirGrade")->maxLength(), 3);
  EXPECT_EQ(Text("ShirMin"), "0");
  EXPECT_EQ(Control<QLabel>("DlgGradeText")->text(), "°");
  EXPECT_EQ(Control<QLabel>("ShirMinText")->text(), "’");
  // Tab order: Time, Date, TimeZone, Country, City, then the four read-only edits.
  const QStringList named = {"Time",     "Date",   "TimeZone",  "Country", "City",
                             "DlgGrade", "DlgMin", "ShirGrade", "ShirMin"};
  QStringList order;
  QWidget* w = Control<QTimeEdit>("Time");
  for (int i = 0; i < 100 && order.size() < named.size(); ++i, w = w->nextInFocusChain()) {
    QWidget* owner = w;
    while (owner && !named.contains(owner->objectName()))
      owner = owner->parentWidget();
    if (owner && !order.contains(owner->objectName()))
      order.append(owner->objectName());
  }
  EXPECT_EQ(order, named);
}

TEST_F(PositionFrameTest, StartsTodayInsideTheRangeAndAtItsStartOtherwise) {
  Frame.SetDateRange(EncodeDate(2050, 12, 31) + EncodeTime(23, 59, 59), EncodeDate(1900, 1, 1));
  EXPECT_EQ(Events, QStringList({"DateTime"}));
  EXPECT_EQ(Frame.MinDate, EncodeDate(1900, 1, 1));
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 7) + EncodeTime(15, 20, 0));
  EXPECT_EQ(Control<QDateEdit>("Date")->date(), QDate(2026, 12, 7));
  EXPECT_EQ(Control<QTimeEdit>("Time")->time(), QTime(15, 20));
  EXPECT_FALSE(Frame.IsInRange(EncodeDate(1900, 1, 1) + 0.99));
  EXPECT_TRUE(Frame.IsInRange(EncodeDate(1900, 1, 2)));
  EXPECT_FALSE(Frame.IsInRange(EncodeDate(2050, 12, 31)));
  EXPECT_TRUE(Frame.IsInRange(EncodeDate(2050, 12, 30) + 0.99));

  for (int year : {2060, 1850}) {
    PinToday(EncodeDate(year, 6, 1) + 0.5);
    Events.clear();
    Frame.SetDateRange(EncodeDate(1900, 1, 1) + EncodeTime(6, 0, 0), EncodeDate(2050, 12, 31));
    EXPECT_EQ(Events, QStringList({"DateTime"})) << year;
    EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(1900, 1, 1) + EncodeTime(6, 0, 0)) << year;
  }

  // A one-day range on today runs both fallback steps: two events.
  PinToday(EncodeDate(2026, 12, 7) + 0.5);
  Events.clear();
  Frame.SetDateRange(EncodeDate(2026, 12, 7) + 0.1, EncodeDate(2026, 12, 7) + 0.9);
  EXPECT_EQ(Events, QStringList({"DateTime", "DateTime"}));
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 7) + 0.1);
}

TEST_F(PositionFrameTest, RangeBeforeTheEpochComparesWholeDays) {
  // 1899-12-29 18:00 is -0.25: a day earlier than 1899-12-30, not the same day.
  Frame.SetDateRange(EncodeDate(1899, 12, 30), EncodeDate(1950, 1, 1));
  EXPECT_FALSE(Frame.IsInRange(-0.25));
  EXPECT_TRUE(Frame.IsInRange(1.25));
  Events.clear();
  Frame.SetDateTime(-0.25);
  EXPECT_TRUE(Events.isEmpty());
  Frame.SetDateTime(EncodeDate(1900, 3, 1));
  EXPECT_EQ(Events, QStringList({"DateTime"}));
  EXPECT_EQ(Control<QDateEdit>("Date")->date(), QDate(1900, 3, 1));
}

TEST_F(PositionFrameTest, HourArrowRollsTheDateOverBothWays) {
  RangeAt(EncodeDate(2026, 12, 7) + EncodeTime(23, 30, 0));
  auto* time = Control<QTimeEdit>("Time");
  time->setFocus();
  time->setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(time, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 8) + EncodeTime(0, 30, 0));
  EXPECT_EQ(Control<QDateEdit>("Date")->date(), QDate(2026, 12, 8));
  EXPECT_EQ(Events, QStringList({"DateTime", "TimeZone"}));

  QTest::keyClick(time, Qt::Key_Down);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 7) + EncodeTime(23, 30, 0));
  EXPECT_EQ(Control<QDateEdit>("Date")->date(), QDate(2026, 12, 7));
  EXPECT_EQ(Events.size(), 4);
}

TEST_F(PositionFrameTest, TimeEditsReachTheLastDayButDateEditsDoNot) {
  RangeAt(EncodeDate(2050, 12, 30) + EncodeTime(12, 0, 0));
  // Frame.SetDateTime refuses the last day, so put the moment there by the time picker.
  auto* time = Control<QTimeEdit>("Time");
  time->setFocus();
  time->setCurrentSection(QDateTimeEdit::HourSection);
  for (int i = 0; i < 12; ++i)
    QTest::keyClick(time, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2050, 12, 31) + EncodeTime(0, 0, 0));
  for (int i = 0; i < 13; ++i)
    QTest::keyClick(time, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2050, 12, 31) + EncodeTime(13, 0, 0));
  EXPECT_EQ(Events.size(), 2 * 25);
  // 23 -> 0 on the last day would leave the range: undone, no event.
  for (int i = 0; i < 10; ++i)
    QTest::keyClick(time, Qt::Key_Up);
  Events.clear();
  QTest::keyClick(time, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2050, 12, 31) + EncodeTime(23, 0, 0));
  EXPECT_EQ(time->time(), QTime(23, 0));
  EXPECT_TRUE(Events.isEmpty());

  // From 2050-12-29 the date picker may go to the 30th but not to the 31st.
  RangeAt(EncodeDate(2050, 12, 29) + EncodeTime(12, 0, 0));
  auto* date = Control<QDateEdit>("Date");
  date->setFocus();
  date->setCurrentSection(QDateTimeEdit::DaySection);
  QTest::keyClick(date, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2050, 12, 30) + EncodeTime(12, 0, 0));
  EXPECT_EQ(Events, QStringList({"DateTime", "TimeZone"}));
  QTest::keyClick(date, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2050, 12, 30) + EncodeTime(12, 0, 0));
  EXPECT_EQ(date->date(), QDate(2050, 12, 30));
  EXPECT_EQ(Events.size(), 2);
}

TEST_F(PositionFrameTest, OpeningTheBaseSelectsTheFirstCountryAndCity) {
  WriteFile(OutputPath("frame-cities.txt"), kBase);
  Frame.OpenCityBase(OutputPath("frame-cities.txt"));
  EXPECT_EQ(Events, QStringList({"Position", "TimeZone"})); // 7 hours became Accra's 0
  EXPECT_EQ(Control<QComboBox>("Country")->currentText(), "Гана");
  EXPECT_EQ(Control<QComboBox>("City")->currentText(), "Аккра");
  EXPECT_EQ(Text("DlgGrade"), "-0");
  EXPECT_EQ(Text("DlgMin"), "10");
  EXPECT_EQ(Frame.LongitudeDeg, 0);
  EXPECT_EQ(Frame.LatitudeDeg, 5);
  EXPECT_EQ(Frame.CityTimeZone, 0);
  EXPECT_EQ(Control<QSpinBox>("TimeZone")->value(), 0);
  // West of Greenwich although the degrees are 0: the sign comes from the degrees text.
  EXPECT_TRUE(Frame.HasPlace());
  EXPECT_DOUBLE_EQ(Frame.LongitudeDegrees(), -10 / 60.0);
  EXPECT_DOUBLE_EQ(Frame.LatitudeDegrees(), 5 + 36 / 60.0);
}

TEST_F(PositionFrameTest, ChoosingCitiesWithTheKeyboardFollowsTheTable) {
  OpenBase();
  auto* country = Control<QComboBox>("Country");
  auto* city = Control<QComboBox>("City");
  country->setFocus();
  QTest::keyClick(country, Qt::Key_Down);
  EXPECT_EQ(country->currentText(), "Россия");
  EXPECT_EQ(Events, QStringList({"Position"}));
  EXPECT_EQ(city->count(), 5);
  EXPECT_EQ(city->currentText(), "Безвременск");

  city->setFocus();
  QTest::keyClick(city, Qt::Key_Down); // Кривой
  QTest::keyClick(city, Qt::Key_Down); // Москва
  QTest::keyClick(city, Qt::Key_Down); // Новосибирск
  EXPECT_EQ(city->currentText(), "Новосибирск");
  // A zone event wherever the city's hours change what UT the chart is for (0, 0, 3, 7).
  EXPECT_EQ(Events,
            QStringList({"Position", "Position", "Position", "TimeZone", "Position", "TimeZone"}));
  EXPECT_EQ(Text("ShirGrade"), "55");
  EXPECT_EQ(Text("ShirMin"), "02");
  EXPECT_EQ(Text("DlgGrade"), "82");
  EXPECT_EQ(Text("DlgMin"), "56");
  EXPECT_EQ(Frame.LatitudeDeg, 55);
  EXPECT_EQ(Frame.LatitudeMin, 2);
  EXPECT_EQ(Frame.LongitudeDeg, 82);
  EXPECT_EQ(Frame.LongitudeMin, 56);
  EXPECT_EQ(Frame.CityTimeZone, 7);
  EXPECT_EQ(Control<QSpinBox>("TimeZone")->value(), 7);

  // A city with an empty zone keeps the previous one.
  Events.clear();
  city->setCurrentIndex(0);
  Frame.CitySelect();
  EXPECT_EQ(Frame.LatitudeDeg, 10);
  EXPECT_EQ(Frame.CityTimeZone, 7);
  EXPECT_FALSE(Events.contains("TimeZone"));
}

TEST_F(PositionFrameTest, MalformedCoordinatesReadAsIntegersWithoutComplaint) {
  OpenBase();
  auto* country = Control<QComboBox>("Country");
  country->setCurrentIndex(country->findText("Россия"));
  Frame.CountrySelect();
  auto* city = Control<QComboBox>("City");
  city->setCurrentIndex(city->findText("Кривой"));
  Frame.CitySelect();
  // "55’" has no "°": degrees empty, minutes the text less its last character.
  EXPECT_EQ(Text("ShirGrade"), "");
  EXPECT_EQ(Text("ShirMin"), "55");
  EXPECT_EQ(Frame.LatitudeDeg, 0);
  EXPECT_EQ(Frame.LatitudeMin, 55);
  // "1°" has empty minutes.
  EXPECT_EQ(Frame.LongitudeDeg, 1);
  EXPECT_EQ(Frame.LongitudeMin, 0);
  EXPECT_EQ(Frame.CityTimeZone, 0); // "x" reads as 0
  EXPECT_TRUE(Prompts.Informations.isEmpty());

  EXPECT_EQ(ReadDecimalInteger("  -12abc"), -12);
  EXPECT_EQ(ReadDecimalInteger("+7"), 7);
  EXPECT_EQ(ReadDecimalInteger("- 7"), 0);
  EXPECT_EQ(ReadDecimalInteger(""), 0);
  EXPECT_EQ(ReadDecimalInteger("99999999999999999999"), INT_MAX);
  EXPECT_EQ(ReadDecimalInteger("-99999999999999999999"), INT_MIN);
}

TEST_F(PositionFrameTest, TypedTextThatNamesNoEntryIsNoSelection) {
  OpenBase();
  auto* city = Control<QComboBox>("City");
  city->setFocus();
  city->lineEdit()->selectAll();
  QTest::keyClicks(city, "Nowhere");
  QTest::keyClick(city, Qt::Key_Return);
  Frame.CitySelect();
  EXPECT_TRUE(Events.isEmpty());
  EXPECT_EQ(Frame.LatitudeDeg, 5); // still Аккра
  EXPECT_EQ(city->count(), 1);     // nothing added to the list
}

TEST_F(PositionFrameTest, ZoneSpinEditFeedsTheZoneUsed) {
  OpenBase();
  auto* zone = Control<QSpinBox>("TimeZone");
  zone->setFocus();
  QTest::keyClick(zone, Qt::Key_Up);
  EXPECT_EQ(Frame.CityTimeZone, 1);
  EXPECT_EQ(Events, QStringList({"TimeZone"}));
  zone->setValue(12);
  QTest::keyClick(zone, Qt::Key_Up); // at the top of the range: no change, no event
  EXPECT_EQ(Frame.CityTimeZone, 12);
  EXPECT_EQ(Events.size(), 2);
}

TEST_F(PositionFrameTest, LoadCityBaseResolvesTheKeyBesideTheConfiguration) {
  const QString dir = OutputPath("frame-config/");
  QDir().mkpath(dir);
  WriteFile(dir + "cities.txt", kBase);
  WriteFile(dir + "quellantree.ini", "[PositionFrame]\r\nCityBase=cities.txt\r\n");
  Frame.LoadCityBase((dir + "quellantree.ini").toStdString());
  EXPECT_TRUE(Prompts.Informations.isEmpty());
  ASSERT_NE(Frame.Cities(), nullptr);
  EXPECT_EQ(Events, QStringList({"Position", "TimeZone"}));
}

TEST_F(PositionFrameTest, MissingBaseIsReportedOnceAndTheListsStayEmpty) {
  const QString dir = OutputPath("frame-missing/");
  QDir().mkpath(dir);
  WriteFile(dir + "quellantree.ini", "[PositionFrame]\r\nCityBase=nowhere/towns.txt\r\n");
  Frame.LoadCityBase((dir + "quellantree.ini").toStdString());
  EXPECT_EQ(Prompts.Informations, QStringList({"Отсутствует файл базы данных городов towns.txt."}));
  EXPECT_EQ(Frame.Cities(), nullptr);
  EXPECT_EQ(Control<QComboBox>("Country")->count(), 0);
  Frame.CountrySelect();
  Frame.CitySelect();
  Frame.UpdatePosition();
  EXPECT_TRUE(Events.isEmpty());
  EXPECT_EQ(Frame.LatitudeDeg, 0);

  // No configuration file at all: the key is empty and the name in the message too.
  TPositionFrame other;
  other.LoadCityBase((dir + "absent.ini").toStdString());
  EXPECT_EQ(Prompts.Informations.last(), "Отсутствует файл базы данных городов .");
}

namespace {

const std::string kAtlas = "Москва;Россия;;55°45’;37°37’;Europe/Moscow;3\r\n"
                           "Тольятти;Россия;Самарская область;53°32’;49°21’;Europe/Samara;4\r\n"
                           "Толбазы;Россия;;54°01’;55°53’;;5\r\n"
                           "Колката;Индия;Западная Бенгалия;22°34’;88°22’;Asia/Kolkata;6\r\n";

class ZonesByDateTest : public PositionFrameTest {
protected:
  void OpenAtlas(astro::TDateTime moment, bool historic) {
    WriteFile(OutputPath("frame-atlas.txt"), kAtlas);
    Frame.SetHistoricZones(historic);
    Frame.OpenCityBase(OutputPath("frame-atlas.txt")); // Индия/Колката
    RangeAt(moment);
  }
  void Choose(const char* country, const char* city) {
    auto* countries = Control<QComboBox>("Country");
    countries->setCurrentIndex(countries->findText(country));
    Frame.CountrySelect();
    auto* cities = Control<QComboBox>("City");
    cities->setCurrentIndex(cities->findText(city));
    Frame.CitySelect();
  }
  QString Shown() { return Control<QLabel>("ZoneOffsetText")->text(); }
};

} // namespace

TEST_F(ZonesByDateTest, OffsetFollowsTheMomentAndTheCity) {
  OpenAtlas(EncodeDate(1995, 7, 1) + 0.5, true);
  EXPECT_EQ(Shown(), "UTC+05:30");
  EXPECT_EQ(Frame.CityTimeZone, 5);
  Choose("Россия", "Москва");
  EXPECT_EQ(Events, QStringList({"Position", "TimeZone", "Position"})); // the zone event once
  EXPECT_EQ(Shown(), "UTC+04:00");
  EXPECT_EQ(Control<QSpinBox>("TimeZone")->value(), 4);
  EXPECT_NEAR(Frame.UniversalTime(), EncodeDate(1995, 7, 1) + EncodeTime(8, 0, 0), 1e-9);

  Events.clear();
  Control<QDateEdit>("Date")->setDate(QDate(1995, 1, 1));
  EXPECT_EQ(Events, QStringList({"DateTime", "TimeZone"}));
  EXPECT_EQ(Shown(), "UTC+03:00");
  // Before Samara's first standard time (1919): the mean time of 49°21’ E, 3:17:24.
  Choose("Россия", "Тольятти;Самарская область");
  Frame.SetDateTime(EncodeDate(1905, 1, 1) + 0.5);
  EXPECT_EQ(Shown(), "UTC+03:17:24");
  EXPECT_EQ(Frame.CityTimeZone, 3);
  EXPECT_NEAR(Frame.UniversalTime(), EncodeDate(1905, 1, 1) + EncodeTime(8, 42, 36), 1e-9);

  // A place without a zone name keeps its whole hours.
  Frame.SetDateTime(EncodeDate(1995, 7, 1) + 0.5);
  Choose("Россия", "Толбазы");
  EXPECT_EQ(Shown(), "UTC+05:00");
  EXPECT_EQ(Frame.ZoneOffset.Source, TZoneSource::WholeHours);
}

TEST_F(ZonesByDateTest, SpinEditByHandSwitchesZonesByDateOff) {
  OpenAtlas(EncodeDate(1995, 7, 1) + 0.5, true);
  auto* zone = Control<QSpinBox>("TimeZone");
  zone->setFocus();
  QTest::keyClick(zone, Qt::Key_Up);
  EXPECT_FALSE(Control<QCheckBox>("HistoricZones")->isChecked());
  EXPECT_EQ(Events, QStringList({"TimeZone"}));
  EXPECT_EQ(Frame.CityTimeZone, 6);
  EXPECT_EQ(Shown(), "UTC+06:00");
  EXPECT_EQ(Frame.UniversalTime(), astro::ToUniversalTime(6, Frame.DateTime));

  // Switching on again takes the zone by date; switching off gives the city's hours back.
  Events.clear();
  Control<QCheckBox>("HistoricZones")->click();
  EXPECT_EQ(Shown(), "UTC+05:30");
  Control<QCheckBox>("HistoricZones")->click();
  EXPECT_EQ(Shown(), "UTC+06:00");
  EXPECT_EQ(Events, QStringList({"TimeZone", "TimeZone"}));
}

TEST_F(ZonesByDateTest, SwitchedOffTheZoneIsTheCitysWholeHoursAsBefore) {
  OpenAtlas(EncodeDate(1995, 7, 1) + 0.5, false);
  Choose("Россия", "Москва");
  // Kolkata's 6 hours become Moscow's 3: the zone event recomputes the chart.
  EXPECT_EQ(Events, QStringList({"Position", "TimeZone", "Position"}));
  EXPECT_EQ(Frame.CityTimeZone, 3);
  EXPECT_EQ(Shown(), "UTC+03:00");
  EXPECT_EQ(Frame.UniversalTime(), astro::ToUniversalTime(3, Frame.DateTime));
}

TEST_F(ZonesByDateTest, OptionIsReadAndWrittenInTheConfigurationFile) {
  const QString dir = OutputPath("frame-options/");
  QDir().mkpath(dir);
  const std::string ini = (dir + "quellantree.ini").toStdString();
  WriteFile(dir + "quellantree.ini", "[PositionFrame]\r\nCityBase=cities.txt\r\n");
  Frame.SetHistoricZones(false);
  Frame.ReadOptions(ini);
  EXPECT_TRUE(Frame.HistoricZones()); // absent (a file older than the option) means on
  WriteFile(dir + "quellantree.ini", "[Options]\r\nHistoricZones=0\r\n");
  Frame.ReadOptions(ini);
  EXPECT_FALSE(Frame.HistoricZones());
  WriteFile(dir + "quellantree.ini", "[Options]\r\nHistoricZones=1\r\n");
  Frame.ReadOptions(ini);
  EXPECT_TRUE(Frame.HistoricZones());
  Frame.SetHistoricZones(false);
  Frame.WriteOptions(ini);
  EXPECT_EQ(config::TIniFile(ini).ReadString("Options", "HistoricZones", "?"), "0");
}

TEST_F(ZonesByDateTest, TypingPartOfANameOffersTheEntriesThatContainIt) {
  OpenAtlas(EncodeDate(2020, 7, 1) + 0.5, true);
  Choose("Россия", "Москва");
  Events.clear();
  auto* city = Control<QComboBox>("City");
  city->setFocus();
  city->lineEdit()->selectAll();
  for (const QChar letter : QStringLiteral("тол")) // Cyrillic: no key codes, only the text
    QTest::sendKeyEvent(QTest::Click, city, Qt::Key_unknown, QString(letter), Qt::NoModifier);
  QCompleter* completer = city->completer();
  ASSERT_EQ(completer->completionCount(), 2); // Толбазы, Тольятти;Самарская область
  QAbstractItemView* popup = completer->popup();
  ASSERT_TRUE(popup->isVisible());
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(city->currentText(), "Тольятти;Самарская область");
  EXPECT_EQ(Frame.LatitudeDeg, 53);
  EXPECT_EQ(Shown(), "UTC+04:00");
  EXPECT_EQ(Events, QStringList({"Position", "TimeZone"}));
}

TEST(TypedMomentTest, ReadsTheUsualWaysOfWritingADateAndATime) {
  for (const char* text : {"14.03.1985", "14031985", "14.3.1985", " 14/3/1985 "})
    EXPECT_EQ(ParseTypedDate(text), QDate(1985, 3, 14)) << text;
  for (const char* text : {"", "14", "1985", "31.02.1985", "14.03.85", "14.03.1985x", "1403198"})
    EXPECT_FALSE(ParseTypedDate(text)) << text;
  EXPECT_EQ(ParseTypedTime("08:30"), QTime(8, 30));
  EXPECT_EQ(ParseTypedTime("0830"), QTime(8, 30));
  EXPECT_EQ(ParseTypedTime("6:15"), QTime(6, 15));
  EXPECT_EQ(ParseTypedTime("08:30:15"), QTime(8, 30, 15));
  EXPECT_EQ(ParseTypedTime("8"), QTime(8, 0));
  for (const char* text : {"24:00", "08:60", "8:3", "12345", "ab"})
    EXPECT_FALSE(ParseTypedTime(text)) << text;
}

TEST_F(PositionFrameTest, TypedDateReplacesTheShownOneWhenCommitted) {
  RangeAt(EncodeDate(2026, 12, 7) + EncodeTime(15, 20, 0));
  auto* date = Control<QDateEdit>("Date");
  auto* line = date->findChild<QLineEdit*>();
  QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(5, 5)); // the cursor in the day
  QTest::keyClicks(date, "14.03.1985");
  EXPECT_TRUE(Events.isEmpty()); // nothing counts before the commit
  QTest::keyClick(date, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(1985, 3, 14) + EncodeTime(15, 20, 0));
  EXPECT_EQ(line->text(), "14.03.1985");
  EXPECT_EQ(Events, QStringList({"DateTime", "TimeZone"}));

  QTest::keyClicks(date, "2061990"); // not a date: refused, the old one shown again
  QTest::keyClick(date, Qt::Key_Tab);
  QTest::keyClicks(date, "01011800"); // outside the range: refused as the arrows' edits are
  QTest::keyClick(date, Qt::Key_Return);
  EXPECT_EQ(Events.size(), 2);
  EXPECT_EQ(date->date(), QDate(1985, 3, 14));
  EXPECT_EQ(line->text(), "14.03.1985");
  ASSERT_EQ(Prompts.Informations.size(), 2);
  EXPECT_TRUE(Prompts.Informations[0].contains("не дата"));
  EXPECT_EQ(Prompts.Informations[1],
            "Дата 01.01.1800 вне диапазона эфемерид: 02.01.1900 – 30.12.2050.");

  date->setCurrentSection(QDateTimeEdit::YearSection); // the arrows still step at once
  QTest::keyClick(date, Qt::Key_Up);
  EXPECT_EQ(date->date(), QDate(1986, 3, 14));
  EXPECT_EQ(Events.size(), 4);
}

TEST_F(PositionFrameTest, TypedTimeNeverMovesTheDate) {
  RangeAt(EncodeDate(2026, 12, 7) + EncodeTime(23, 50, 0));
  auto* time = Control<QTimeEdit>("Time");
  QTest::keyClicks(time, "0010");
  QTest::keyClick(time, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 7) + EncodeTime(0, 10, 0));
  EXPECT_EQ(Control<QDateEdit>("Date")->date(), QDate(2026, 12, 7));
  EXPECT_EQ(Events, QStringList({"DateTime", "TimeZone"}));
  QTest::keyClicks(time, "08:30:15");
  QTest::keyClick(time, Qt::Key_Tab); // leaving the field commits
  EXPECT_DOUBLE_EQ(Frame.DateTime, EncodeDate(2026, 12, 7) + EncodeTime(8, 30, 15));
}

TEST_F(PositionFrameTest, APlaceOutsideTheListsKeepsTheSignOfASmallCoordinate) {
  OpenBase();
  Frame.SetPlace("Эквадор", "Кито", -14 / 60.0, -(78 + 31 / 60.0));
  EXPECT_EQ(Text("ShirGrade"), "-0");
  EXPECT_EQ(Text("ShirMin"), "14");
  EXPECT_EQ(Text("DlgGrade"), "-78");
  EXPECT_EQ(Frame.LatitudeDeg, 0);
  EXPECT_EQ(Frame.LongitudeMin, 31);
  EXPECT_DOUBLE_EQ(Frame.LatitudeDegrees(), -14 / 60.0);
  EXPECT_EQ(Events, QStringList({"Position"}));
}

TEST_F(ZonesByDateTest, ANameTypedWithNoCountryFindsPlacesInEveryCountry) {
  OpenAtlas(EncodeDate(2010, 7, 1) + 0.5, true);
  EXPECT_EQ(PlaceHitText(Frame.Cities()->SearchPlaces("т", 10).back()),
            "Колката — Индия, Западная Бенгалия"); // names beginning with it first
  QTest::keyClick(Control<QComboBox>("Country")->lineEdit(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Control<QComboBox>("Country")->lineEdit(), Qt::Key_Backspace);
  QLineEdit* city = Control<QComboBox>("City")->lineEdit();
  city->setText("Тол"); // as typed: QTest types only Latin letters
  emit city->textEdited(city->text());
  auto* offered = Frame.findChild<QStringListModel*>();
  ASSERT_NE(offered, nullptr);
  EXPECT_EQ(offered->stringList(),
            QStringList({"Толбазы — Россия", "Тольятти — Россия, Самарская область"}));
  Events.clear();
  emit Frame.findChild<QCompleter*>(QString(), Qt::FindDirectChildrenOnly)
      ->activated(offered->index(1));
  EXPECT_EQ(Frame.CountryText(), "Россия");
  EXPECT_EQ(Frame.CityText(), "Тольятти;Самарская область");
  EXPECT_EQ(Frame.CityZoneName(), "Europe/Samara");
  EXPECT_EQ(Events.first(), "Position");
}

TEST_F(ZonesByDateTest, OwnCoordinatesAndZoneAreTypedAndAWrongValueLeavesTheChart) {
  OpenAtlas(EncodeDate(2010, 7, 1) + 0.5, false);
  Control<QCheckBox>("OwnPlace")->click();
  ASSERT_TRUE(Frame.OwnPlace());
  const auto type = [this](const char* edit, const char* text) {
    auto* line = Control<QLineEdit>(edit);
    line->setText(QString::fromUtf8(text)); // QTest types only Latin letters
    QTest::keyClick(line, Qt::Key_Return);
  };
  type("DlgGrade", "49З");
  type("DlgMin", "25");
  type("ShirGrade", "53");
  type("ShirMin", "30");
  EXPECT_DOUBLE_EQ(Frame.LongitudeDegrees(), -(49 + 25 / 60.0));
  EXPECT_DOUBLE_EQ(Frame.LatitudeDegrees(), 53.5);
  EXPECT_EQ(Text("DlgGrade"), "-49");
  Events.clear();
  type("ShirGrade", "95"); // refused: the place and the chart stay
  EXPECT_TRUE(Events.isEmpty());
  EXPECT_DOUBLE_EQ(Frame.LatitudeDegrees(), 53.5);
  EXPECT_EQ(Text("ShirGrade"), "53");
  ASSERT_FALSE(Prompts.Informations.isEmpty());
  EXPECT_TRUE(Prompts.Informations.last().startsWith("Неверная широта"))
      << Prompts.Informations.last().toStdString();

  auto* zone = Control<QComboBox>("OwnZone")->lineEdit();
  zone->selectAll();
  QTest::keyClicks(zone, "+5:30");
  QTest::keyClick(zone, Qt::Key_Return);
  EXPECT_EQ(Frame.ZoneOffset, FixedOffset(5 * 3600 + 1800));
  EXPECT_DOUBLE_EQ(Frame.UniversalTime(), Frame.DateTime - 5.5 / 24);
  EXPECT_TRUE(Frame.SetOwnPlace(53.5, 49 + 25 / 60.0, "Europe/Samara"));
  EXPECT_EQ(Frame.ZoneOffset, (TZoneOffset{4 * 3600, TZoneSource::Daylight})); // Samara, July 2010
  EXPECT_FALSE(Frame.SetOwnPlace(53.5, 49, "Europe/Nowhere"));
  Control<QCheckBox>("OwnPlace")->click(); // back to the atlas city
  EXPECT_FALSE(Frame.OwnPlace());
  EXPECT_EQ(Frame.CityZoneName(), "Asia/Kolkata");
}

TEST_F(ZonesByDateTest, OldStyleDatesAndHoursTheClocksSkippedOrRepeated) {
  OpenAtlas(EncodeDate(2010, 7, 1) + 0.5, true);
  Choose("Россия", "Москва");
  Control<QCheckBox>("JulianDates")->click();
  auto* date = Control<QDateEdit>("Date");
  QTest::keyClicks(date, "01.02.1918");
  QTest::keyClick(date, Qt::Key_Return);
  EXPECT_DOUBLE_EQ(astro::DateOf(Frame.DateTime), EncodeDate(1918, 2, 14));
  EXPECT_EQ(date->date(), QDate(1918, 2, 1));
  EXPECT_TRUE(Control<QLabel>("NoteText")->text().contains("н. ст. 14.02.1918"));
  Control<QCheckBox>("JulianDates")->click();
  EXPECT_EQ(date->date(), QDate(1918, 2, 14));

  // Moscow, 31 October 2010: 02:30 happened at +4, then again at +3; the earlier by default.
  auto* occurrence = Control<QComboBox>("Occurrence");
  ASSERT_TRUE(Frame.EditDateTime(EncodeDate(2010, 10, 31) + EncodeTime(2, 30, 0)));
  EXPECT_TRUE(occurrence->isVisible());
  EXPECT_EQ(Frame.ZoneOffset.Seconds, 4 * 3600);
  Events.clear();
  occurrence->setCurrentIndex(1);
  emit occurrence->activated(1);
  EXPECT_TRUE(Frame.LaterOccurrence());
  EXPECT_EQ(Frame.ZoneOffset.Seconds, 3 * 3600);
  EXPECT_EQ(Events, QStringList({"TimeZone"}));
  ASSERT_TRUE(Frame.EditDateTime(EncodeDate(2010, 3, 28) + EncodeTime(2, 30, 0)));
  EXPECT_FALSE(occurrence->isVisible());
  EXPECT_FALSE(Frame.LaterOccurrence());
  EXPECT_TRUE(Control<QLabel>("NoteText")->text().contains("не было"));
}
