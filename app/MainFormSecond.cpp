// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1's second chart: the "Вторая карта" tab and its "Вид" items, the chart computed around
// the natal value on every refresh, the cosmogram's bi-wheel, the animation of its moment and
// the choice kept in the configuration file.
#include "MainForm.h"

#include "ChartArchive.h"
#include "Clock.h"
#include "DateTime.h"
#include "HousesPanel.h"
#include "IniFile.h"
#include "KosmoImage.h"
#include "PlaceAtlas.h"
#include "PositionFrame.h"
#include "Prompts.h"
#include "SecondChartPanel.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <stdexcept>

namespace {

using astro::TSecondKind;

constexpr double kSecondsPerDay = 86400.0;
constexpr const char* kSection = "SecondChart";

QString KindTitle(TSecondKind kind) {
  const std::string_view name = astro::SecondKindName(kind);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

// The archive's charts in the synastry's list, Chosen selected (the first when it is gone).
void TForm1::FillSecondChartNames(const QString& Chosen) {
  QStringList names;
  try {
    if (QFileInfo::exists(Paths_.ArchiveFile)) {
      std::vector<archive::TStoredChart> charts = archive::TChartArchive(Paths_.ArchiveFile).List();
      archive::SortByName(charts);
      for (const archive::TStoredChart& chart : charts)
        names << chart.Name;
    }
  } catch (const archive::TArchiveError& error) {
    Prompts().Error(error.Text());
  }
  SecondPanel_->SetChartNames(names, Chosen);
}

void TForm1::BuildSecondTab() {
  auto* sheet = new QWidget;
  sheet->setObjectName("TabSheet4");
  PageControl1_->addTab(sheet, "Вторая карта");
  SecondPanel_ = new TSecondChartPanel(sheet);
  SecondPanel_->OnChange = [this] {
    if (SecondPanel_->Kind() == TSecondKind::Synastry)
      FillSecondChartNames(SecondPanel_->ChartName());
    CreateTree();
  };
  SecondPanel_->OnNow = [this] {
    const astro::TDateTime ut = astro::Now().Universal;
    return ut + NatalOffsetAtUniversal()(ut) / kSecondsPerDay;
  };
}

void TForm1::SecondKindClick(TSecondKind Kind) {
  if (Kind == TSecondKind::Transit && SecondPanel_->Kind() != Kind)
    SecondPanel_->SetMoment(SecondPanel_->OnNow());
  SecondPanel_->SetKind(Kind);
  if (Kind == TSecondKind::Synastry)
    FillSecondChartNames(SecondPanel_->ChartName());
  if (Kind != TSecondKind::None)
    PageControl1_->setCurrentWidget(PageControl1_->widget(2));
  CreateTree();
}

std::function<int(astro::TDateTime)> TForm1::NatalOffsetAtUniversal() const {
  const int wholeSeconds = WholeHoursOffset(PositionFrame1_->CityTimeZone).Seconds;
  const bool historic = PositionFrame1_->HistoricZones();
  const QByteArray zone = PositionFrame1_->CityZoneName().toLatin1();
  const double longitude = PositionFrame1_->LongitudeDegrees();
  return [=](astro::TDateTime ut) {
    if (!historic)
      return wholeSeconds;
    const auto offset = HistoricOffsetAt(zone, longitude, ut);
    return offset ? offset->Seconds : wholeSeconds;
  };
}

astro::TChart TForm1::PartnerChart(const QString& Name) {
  archive::TStoredChart stored;
  if (Name.isEmpty() || !QFileInfo::exists(Paths_.ArchiveFile) ||
      !archive::TChartArchive(Paths_.ArchiveFile).Find(Name, stored))
    throw std::runtime_error("В архиве нет карты «" + Name.toStdString() + "».");
  const double latitude = archive::LatitudeOf(stored), longitude = archive::LongitudeOf(stored);
  TZoneOffset offset = WholeHoursOffset(stored.Zone);
  QString zoneName;
  QString reason;
  if (stored.HistoricZones && !stored.City.isEmpty())
    if (const auto place = archive::TPlaceAtlas(PositionFrame1_->Cities())
                               .Find(stored.City, stored.Country, reason))
      if (const auto historic =
              HistoricOffset(place->ZoneName.toLatin1(), longitude, stored.Local)) {
        offset = *historic;
        zoneName = place->ZoneName;
      }
  const astro::TDateTime ut = ToUniversalTime(offset, stored.Local);
  if (ut < Efemeris_->FirstDate() || ut > Efemeris_->LastDate())
    throw std::out_of_range("Момент карты «" + Name.toStdString() +
                            "» лежит вне диапазона эфемерид.");
  std::optional<astro::TChartPlace> place;
  if (!stored.Country.isEmpty() || stored.Latitude)
    place = astro::TChartPlace{latitude, longitude, zoneName.toStdString()};
  return astro::ComputeChart(*Efemeris_, PlanetPosition1_->AspectSettings(),
                             ChartMomentOf(offset, stored.Local, ut, zoneName), place,
                             Houses_->System(), AsteroidFolder_);
}

astro::TChart TForm1::ComputeSecond() {
  const TSecondKind kind = SecondPanel_->Kind();
  astro::TSecondRequest request;
  request.Kind = kind;
  request.Year = SecondPanel_->Year();
  const auto offsetAt = NatalOffsetAtUniversal();
  // The moment typed is read on the natal clock: its offset is the one in force an offset
  // earlier, which differs only within the hour of a change.
  const astro::TDateTime local = SecondPanel_->Moment();
  request.Universal = local - offsetAt(local - offsetAt(local) / kSecondsPerDay) / kSecondsPerDay;
  const bool historic = PositionFrame1_->HistoricZones();
  const std::string zone = PositionFrame1_->CityZoneName().toStdString();
  request.Reader = [offsetAt, historic, zone](astro::TDateTime ut) {
    const int seconds = offsetAt(ut);
    return astro::TChartMoment{ut + seconds / kSecondsPerDay, ut, seconds,
                               historic ? astro::TOffsetSource::Standard
                                        : astro::TOffsetSource::WholeHours,
                               historic ? zone : std::string()};
  };
  if (const auto other = SecondPanel_->OtherPlace())
    request.Place = astro::TChartPlace{other->first, other->second, {}};
  if (kind == TSecondKind::Synastry)
    request.Other = PartnerChart(SecondPanel_->ChartName());
  return astro::ComputeSecondChart(*Efemeris_, PlanetPosition1_->AspectSettings(),
                                   PlanetPosition1_->Chart(), request, Houses_->System(),
                                   AsteroidFolder_);
}

void TForm1::RefreshSecond() {
  const TSecondKind kind = SecondPanel_->Kind();
  if (SecondItems[int(kind)])
    SecondItems[int(kind)]->setChecked(true);
  SecondChart_.reset();
  Cross_.clear();
  if (kind != TSecondKind::None && Efemeris_ && Efemeris_->HasData()) {
    try {
      SecondChart_ = ComputeSecond();
      Cross_ = astro::FindCrossAspects(*SecondChart_, PlanetPosition1_->Chart(),
                                       PlanetPosition1_->AspectSettings());
      SecondPanel_->ShowChart(*SecondChart_, Cross_);
    } catch (const std::exception& error) {
      SecondPanel_->ShowFailure(QString::fromUtf8(error.what()));
    }
  } else {
    SecondPanel_->Clear();
  }
  ShowSecondOnWheel();
}

void TForm1::ShowSecondOnWheel() {
  if (!KosmoFrame_)
    return;
  if (!SecondChart_) {
    KosmoFrame_->SetSecond(std::nullopt, false);
    return;
  }
  // The second chart's angles go with the natal houses: only while "Дома и оси" is on.
  const bool angles =
      HousesOnWheel_ && HousesOnWheel_->isChecked() && PlanetPosition1_->Chart().Houses.has_value();
  KosmoFrame_->SetSecond(
      kosmo::SecondWheelOf(SecondTitle(), *SecondChart_, PlanetPosition1_->Chart(), Cross_, angles),
      false);
}

QString TForm1::SecondTitle() const {
  const TSecondKind kind = SecondPanel_->Kind();
  QString title = KindTitle(kind);
  if (kind == TSecondKind::Synastry)
    title += ": " + SecondPanel_->ChartName();
  return title;
}

bool TForm1::AnimateSecond() {
  const TSecondKind kind = SecondPanel_->Kind();
  if (kind != TSecondKind::Transit && kind != TSecondKind::LunarReturn &&
      kind != TSecondKind::Progressed)
    return false;
  const std::array<double, 3> steps = {1.0 / 1440, 1.0 / 24, 1.0};
  const astro::TDateTime next = SecondPanel_->Moment() + steps[StepIndex()];
  if (!PositionFrame1_->IsInRange(next)) {
    Timer1_->stop();
    CheckBox1->setChecked(false);
    return true;
  }
  SecondPanel_->SetMoment(next);
  CreateTree();
  return true;
}

void TForm1::ReadSecondChoice() {
  const config::TIniFile ini(IniPath().toStdString());
  const auto kind = astro::SecondKindOfKey(ini.ReadString(kSection, "Mode", ""));
  const QString chart = QString::fromStdString(ini.ReadString(kSection, "Chart", ""));
  SecondPanel_->SetMoment(SecondPanel_->OnNow());
  SecondPanel_->SetYear(astro::DecodeDate(PositionFrame1_->DateTime).Year);
  if (kind == TSecondKind::Synastry)
    FillSecondChartNames(chart);
  SecondPanel_->SetKind(kind.value_or(TSecondKind::None));
}
