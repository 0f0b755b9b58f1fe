// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSession.h"

#include "ChartOptions.h"
#include "CityBase.h"
#include "CityNames.h"
#include "CityPlace.h"
#include "Coordinates.h"
#include "DateTime.h"
#include "IniFile.h"
#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

namespace chart {
namespace {

// The position frame's zone before a city gives one (its spin edit's design value).
constexpr int kFrameZone = 7;

std::string Quoted(const QString& path) {
  return "\"" + path.toStdString() + "\"";
}

std::string RangeText(astro::TDateTime first, astro::TDateTime last) {
  return astro::DateToText(first) + " " + astro::TimeToText(first) + " - " +
         astro::DateToText(last) + " " + astro::TimeToText(last) + " UT";
}

void RequireReadable(const QString& path, const std::string& what) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
    throw TChartError("cannot read " + what + " " + Quoted(path));
}

std::string JoinedLines(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names)
    text += "\n  " + name;
  return text;
}

// The place a name gives (TCityNames over the entries in the order the lists show them). A name
// with one "/" can only be found, or be ambiguous, among the countries its part before the "/"
// names, ignoring case; those are listed first, so a chart does not sort the whole atlas. Only
// the closest spellings of a name that is not found need every entry. Lists are first taken
// unsorted, where their order cannot change a place found: a collator is costly to start.
TCityMatch MatchCity(const TCityBase& cities, const std::string& name) {
  auto entriesOf = [&cities](const QString& country, std::vector<TCityEntry>& entries,
                             bool sorted = true) {
    for (const QString& entry :
         sorted ? cities.GetCityList(country) : cities.UnsortedCityList(country))
      entries.push_back({country.toStdString(), entry.toStdString()});
  };
  const std::size_t slash = name.find('/');
  if (slash == std::string::npos) {
    // Found only by its one fitting entry, which no order changes.
    std::vector<TCityEntry> entries;
    for (const QString& country : cities.UnsortedCountryList())
      entriesOf(country, entries, false);
    TCityMatch match = TCityNames(std::move(entries)).Match(name);
    if (match.Found)
      return match;
  } else if (name.find('/', slash + 1) == std::string::npos) {
    const QString folded = QString::fromStdString(name.substr(0, slash)).toCaseFolded();
    const auto named = [&folded](const QStringList& all) {
      QStringList countries;
      for (const QString& country : all)
        if (country.toCaseFolded() == folded)
          countries << country;
      return countries;
    };
    // The entries of one country are in file order whatever the order of the countries.
    QStringList countries = named(cities.UnsortedCountryList());
    if (countries.size() > 1)
      countries = named(cities.GetCountryList());
    // A place found needs no order; a duplicate entry seems ambiguous here and is settled by
    // the sorted, de-duplicated lists, which also order what an ambiguous name lists.
    for (bool sorted : {false, true}) {
      std::vector<TCityEntry> entries;
      for (const QString& country : countries)
        entriesOf(country, entries, sorted);
      TCityMatch match = TCityNames(std::move(entries)).Match(name);
      if (match.Found || (sorted && match.Ambiguous))
        return match;
    }
  }
  std::vector<TCityEntry> entries;
  for (const QString& country : cities.GetCountryList())
    entriesOf(country, entries);
  return TCityNames(std::move(entries)).Match(name);
}

// The city's name in a name given as "Country/City[;Region]" or "City[;Region]": every entry
// the name can find begins with it. Empty (no narrowing) for other names.
QString CityNamePrefix(const std::string& name) {
  const std::size_t slash = name.find('/');
  if (slash != std::string::npos && name.find('/', slash + 1) != std::string::npos)
    return {};
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return QString::fromStdString(name.substr(start, name.find(';', start) - start));
}

QString& ProgramDirGiven() {
  static QString dir;
  return dir;
}
} // namespace

void SetProgramDir(const QString& dir) {
  ProgramDirGiven() = dir;
}

QString ProgramDir() {
  return ProgramDirGiven().isEmpty() ? QCoreApplication::applicationDirPath() : ProgramDirGiven();
}

QString DefaultDataDir() {
  return files::FindDataFolder(ProgramDir()).Dir;
}

// The window's file; before the window's first start that is still the shipped one.
QString DefaultIniPath() {
  const QString folder =
      files::ConfigurationDir(files::FindDataFolder(ProgramDir()), files::UserConfigDir(),
                              files::TFirstStart::ReadShippedFile);
  return QDir(folder).filePath(QString::fromLatin1(files::kIniName));
}

QString DefaultFontFile() {
  return QDir(DefaultDataDir()).filePath(QStringLiteral("font.fnt"));
}

QString DefaultDignityFile() {
  return QDir(DefaultDataDir()).filePath(QStringLiteral("dignities.txt"));
}

TChartSession::TChartSession(const TChartSetup& setup, TConsoleMessages& messages)
    : Prompts(messages), IniPath(QFileInfo(setup.IniPath).absoluteFilePath()),
      PlanetPosition1(new astro::TPlanetPosition) {
  RequireReadable(IniPath, "configuration file");
  files::SetShippedDataDir(setup.DataDir);
  if (setup.TreeFrame || setup.TaroFrame || setup.Pictures) {
    if (!setup.Views)
      throw TChartError("this program draws no pictures; astravia-chart-pictures draws them");
    // Made early: the views read their pictures while the store and the city are read here.
    Views_ = setup.Views(setup, IniPath, Prompts);
  }
  const QString ephemeris = QString::fromStdString(setup.EphemerisFile);
  RequireReadable(ephemeris, "ephemeris file");
  // A run asks for a few days: their records are read, not the whole store.
  Efemeris_ = std::make_unique<astro::TEfemerisClass>(setup.EphemerisFile,
                                                      astro::TEfemerisClass::TReading::OnDemand);
  if (!Efemeris_->HasData())
    throw TChartError("ephemeris file " + Quoted(ephemeris) + " holds fewer than two days");

  Zone_ = setup.Zone;
  ZoneGiven = !setup.City && !setup.OwnPlace;
  Fixed_ = setup.FixedSeconds;
  const config::TIniFile ini(IniPath.toStdString());
  Historic = setup.HistoricZones.value_or(ini.ReadBool("Options", "HistoricZones", true));
  HouseSystem_ = setup.HouseSystem.value_or(
      astro::ParseHouseSystem(ini.ReadString("Options", "HouseSystem", "P"))
          .value_or(astro::kDefaultHouseSystem));
  if (setup.City && !OpenCity(ini, *setup.City, setup.StoredPlace.has_value())) {
    Prompts.Information(QString::fromStdString("city \"" + *setup.City +
                                               "\" is no longer in the city base; the stored "
                                               "coordinates and zone are used"));
    Place_ = setup.StoredPlace;
    // Without the city there is no zone history: the stored zone is the offset.
    Historic = false;
    Coordinates = astro::TGeoPlace{Place_->Latitude, Place_->Longitude};
  }
  if (setup.StoredPlace)
    Zone_ = setup.Zone; // the stored zone, also where the city's own differs
  if (setup.OwnPlace)
    TakeOwnPlace(*setup.OwnPlace);

  // The main window's start-up order: city, symbol font, the model's orbs and switches, frames.
  PlanetPosition1->OnChange = [this](astro::TPlanetPosition&) { PlanetPosition1Change(); };
  PlanetPosition1->SetIniFileName(IniPath.toStdString());
  if (Views_)
    Views_->Open();
  if (setup.Spread && !(Views_ && Views_->HasTarot()))
    FindSpreadPictures(ini);
  ReadDignityTable(setup.DignityFile);
}

// The window lays the spread only with both tarot pictures: so does a run without its frame,
// which looks for the files without decoding them.
void TChartSession::FindSpreadPictures(const config::TIniFile& ini) {
  Spread_ = true;
  SpreadPictures_ = true;
  for (const char* key : {"TaroImage", "TaroKart"}) {
    const QString file =
        files::DataFilePath(IniPath.toStdString(), ini.ReadString("TaroSection", key, ""));
    if (!QFileInfo(file).isFile()) {
      Prompts.Information("tarot picture " + file + " is missing; no spread is laid");
      SpreadPictures_ = false;
    }
  }
}

// A missing table is a warning (the chart goes on without dignities); a malformed one stops.
void TChartSession::ReadDignityTable(const QString& fileName) {
  if (fileName.isEmpty())
    return;
  if (!QFileInfo(fileName).isFile()) {
    Prompts.Information("table of dignities " + fileName + " is missing; no dignities");
    return;
  }
  try {
    Dignities = astro::ReadDignityTable(fileName.toStdString());
  } catch (const astro::EDignityTableError& error) {
    throw TChartError(error.what());
  }
}

const char* ViewFileStem(TView view) {
  switch (view) {
  case TView::Tree:
    return "tree";
  case TView::Tarot:
    return "tarot";
  case TView::Cosmogram:
    return "cosmogram";
  }
  return "";
}

void TChartSession::TReadOnlyModel::operator()(astro::TPlanetPosition* model) const {
  model->OnChange = nullptr;
  model->SetIniFileName("");
  delete model;
}

TChartSession::~TChartSession() = default;

bool TChartSession::OpenCity(const config::TIniFile& ini, const std::string& name,
                             bool mayBeMissing) {
  const std::string value = ini.ReadString("PositionFrame", "CityBase", "");
  const QString basePath = files::DataFilePath(IniPath.toStdString(), value);
  if (value.empty() || !QFileInfo(basePath).isFile())
    throw TChartError("city base " + Quoted(basePath) + " (key CityBase of [PositionFrame] in " +
                      Quoted(IniPath) + ") is missing");
  RequireReadable(basePath, "city base");

  // The places the name can find are read alone; the whole atlas only for the closest
  // spellings of a name not found.
  std::optional<TCityBase> cities;
  TCityMatch match;
  try {
    cities = TCityBase::Narrowed(basePath, CityNamePrefix(name));
    match = MatchCity(*cities, name);
    if (!match.Found && !match.Ambiguous) {
      cities.emplace(basePath);
      match = MatchCity(*cities, name);
    }
  } catch (const std::runtime_error&) {
    throw TChartError("cannot read city base " + Quoted(basePath));
  }
  if (!match.Found && mayBeMissing && !match.Ambiguous)
    return false;
  if (!match.Found) {
    if (match.Ambiguous)
      throw TChartError("city \"" + name +
                        "\" is ambiguous; give one of:" + JoinedLines(match.Suggestions));
    throw TChartError("unknown city \"" + name + "\"" +
                      (match.Suggestions.empty()
                           ? std::string(" (the city base is empty)")
                           : "; closest entries:" + JoinedLines(match.Suggestions)));
  }

  if (match.Guessed)
    Prompts.Information(QString::fromStdString("city \"" + name + "\" taken as \"" +
                                               CityFullName(match.City) + "\""));
  // The place as the position frame reads it when the user chooses the city.
  const std::optional<TCityPlace> place = cities->FindPlace(
      QString::fromStdString(match.City.Country), QString::fromStdString(match.City.Entry));
  if (!place)
    throw TChartError("cannot select city \"" + CityFullName(match.City) + "\"");
  const TCityCoordinates c = ReadCityCoordinates(*place);
  Zone_ = place->Zone.isEmpty() ? kFrameZone : ReadDecimalInteger(place->Zone);
  ZoneName_ = place->ZoneName;
  CityLongitude_ = c.Longitude;
  Coordinates = astro::TGeoPlace{c.Latitude, c.Longitude};
  Place_ = TPlaceFacts{
      CityFullName(match.City), match.City.Country, match.City.Entry, c.LatitudeDeg, c.LatitudeMin,
      c.LongitudeDeg,           c.LongitudeMin,     c.Latitude,       c.Longitude};
  return true;
}

void TChartSession::TakeOwnPlace(const TOwnPlace& place) {
  if (!place.ZoneName.empty()) {
    OwnZone_ = QString::fromStdString(place.ZoneName);
    if (!QTimeZone::isTimeZoneIdAvailable(OwnZone_.toLatin1()))
      throw TChartError("--tz: unknown time zone \"" + place.ZoneName +
                        "\" (expected an IANA name such as Europe/Samara)");
    Zone_ = WholeHoursOf(
        QTimeZone(OwnZone_.toLatin1()).standardTimeOffset(QDateTime::currentDateTimeUtc()));
  }
  Coordinates = astro::TGeoPlace{place.Latitude, place.Longitude};
  const astro::TDegMin latitude = astro::SplitDegMin(place.Latitude);
  const astro::TDegMin longitude = astro::SplitDegMin(place.Longitude);
  const auto sign = [](const astro::TDegMin& split) {
    return split.Negative ? -split.Degrees : split.Degrees;
  };
  Place_ = TPlaceFacts{"свои координаты",
                       "",
                       "",
                       sign(latitude),
                       latitude.Minutes,
                       sign(longitude),
                       longitude.Minutes,
                       place.Latitude,
                       place.Longitude,
                       true};
}

QString TChartSession::ZoneName() const {
  if (!OwnZone_.isEmpty())
    return OwnZone_;
  return ZoneName_;
}

TZoneOffset TChartSession::OffsetBy(TZoneLookup lookup, TSeconds moment) const {
  if (Fixed_)
    return FixedOffset(*Fixed_);
  std::optional<TZoneOffset> offset;
  if (!OwnZone_.isEmpty())
    offset = lookup(OwnZone_.toLatin1(), Coordinates->LongitudeDeg, ToDateTime(moment));
  else if (Historic && Place_ && !Place_->Own)
    offset = lookup(ZoneName_.toLatin1(), CityLongitude_, ToDateTime(moment));
  return offset.value_or(WholeHoursOffset(Zone_));
}

TZoneOffset TChartSession::OffsetAt(TSeconds local) const {
  return OffsetBy(HistoricOffset, local);
}

TZoneOffset TChartSession::OffsetAtUniversal(TSeconds ut) const {
  return OffsetBy(HistoricOffsetAt, ut);
}

void TChartSession::CheckInRange(TSeconds local) const {
  const astro::TDateTime ut = ToUniversalTime(OffsetAt(local), ToDateTime(local));
  const astro::TDateTime first = Efemeris_->FirstDate(), last = Efemeris_->LastDate();
  // Compared by whole seconds: the range ends at 23:59:59 of its last day.
  const auto seconds = [](astro::TDateTime t) {
    return CalendarDay(t) * SecondsPerDay + astro::SecondsOfDay(t);
  };
  if (seconds(ut) < seconds(first) || seconds(ut) > seconds(last))
    throw TChartError("moment " + MomentText(local) + " (" +
                      OffsetText(OffsetAt(local).Seconds).toStdString() + ", " +
                      astro::DateToText(ut) + " " + astro::TimeToText(ut) +
                      " UT) is outside the ephemeris range " + RangeText(first, last));
}

astro::TChart TChartSession::ComputeValue(const TZoneOffset& offset, astro::TDateTime ut) const {
  const astro::TChartMoment moment = ChartMomentOf(offset, Moment, ut, ZoneName());
  std::optional<astro::TChartPlace> place;
  if (Coordinates)
    place = astro::TChartPlace{Coordinates->LatitudeDeg, Coordinates->LongitudeDeg,
                               ZoneName().toStdString()};
  return astro::ComputeChart(*Efemeris_, PlanetPosition1->AspectSearch(), moment, place,
                             HouseSystem_, AsteroidFolder_);
}

TChartFacts TChartSession::Compute(TSeconds local, std::optional<TZoneOffset> given) {
  CheckInRange(local);
  Moment = ToDateTime(local);
  const TZoneOffset offset = given ? *given : OffsetAt(local);
  const astro::TDateTime ut = ToUniversalTime(offset, Moment);
  if (!Efemeris_->HasData())
    throw TChartError("the ephemeris has no record for " + MomentText(local));
  TChartFacts facts;
  facts.Value = ComputeValue(offset, ut);
  if (Views_)
    Views_->SetChart(facts.Value);
  // CreateTree: the model takes the chart, and its search ends in PlanetPosition1Change.
  PlanetPosition1->SetChart(facts.Value);

  facts.Local = Moment;
  facts.Universal = ut;
  facts.Zone = WholeHoursOf(offset.Seconds);
  facts.OffsetSeconds = offset.Seconds;
  QString label = OffsetText(offset.Seconds) + QStringLiteral(", ");
  if (offset.Source != TZoneSource::WholeHours && offset.Source != TZoneSource::Fixed) {
    facts.ZoneName = ZoneName().toStdString();
    label += ZoneName() + QStringLiteral(", ");
  }
  label += ZoneGiven ? QStringLiteral("--zone") : SourceText(offset.Source);
  facts.OffsetLabel = label.toStdString();
  facts.Place = Place_;
  for (int b = 1; b <= astro::kBodyCount; ++b)
    facts.Bodies[b - 1] = {PlanetPosition1->GetLongitude(b), PlanetPosition1->GetSign(b),
                           PlanetPosition1->GetDegreeInSign(b)};
  const astro::TAspectList& aspects = PlanetPosition1->Aspects();
  for (int i = 0; i < aspects.Count; ++i)
    facts.Aspects.push_back(
        {aspects.Items[i].Planet1, aspects.Items[i].Aspect, aspects.Items[i].Planet2});
  facts.AspectsOmitted = PlanetPosition1->AspectsOmitted();
  if ((Views_ && Views_->HasTarot()) || Spread_)
    facts.Tarot = Spread();
  // On this thread: a thread of its own measured slower than the work it would move.
  if (Coordinates)
    facts.Almanac = Almanac.Day(Moment, offset.Seconds / 60.0, *Coordinates);
  if (Dignities)
    facts.Dignities = DignityFactsOf(*Dignities, facts.Value);
  return facts;
}

// The laid cards with their texts: text n of the base for arcanum n upright, 22 + n reversed.
std::array<TCardFacts, 22> TChartSession::Spread() {
  std::array<TCardFacts, 22> cards;
  TCardStates states{};
  const bool frame = Views_ && Views_->HasTarot();
  if (frame)
    states = Views_->CardStates();
  else if (SpreadPictures_)
    states = LaySpread(PlanetPosition1->Aspects(), SpreadRandom_);
  for (int n = 1; n <= astro::kArcanaCount; ++n) {
    TCardFacts& card = cards[n - 1];
    card.Arcanum = n;
    card.State = states[n];
    if (card.State != 0 && frame)
      card.Text = Views_->CardText(card.State > 0 ? n : 22 + n);
  }
  return cards;
}

void TChartSession::PlanetPosition1Change() {
  // The same values and the same order as the main window's PlanetPosition1Change: longitudes,
  // aspects, then the local moment, into the tree, tarot and cosmogram frames.
  if (Views_)
    Views_->Push(*PlanetPosition1, Moment);
}

} // namespace chart
