// SPDX-License-Identifier: GPL-3.0-or-later
#include "KosmoImage.h"

#include "BodyPictures.h"
#include "IniFile.h"
#include "LetterStrip.h"
#include "Prompts.h"

#include <QScrollBar>

QPointer<THWindow> KosmoHint;
kosmo::THintRegions KosmoHintRegions;

namespace {

bool Hit(const kosmo::THintRegion& region, int x, int y) {
  return astro::PointInRect(x, y, region.Rect);
}

} // namespace

TKosmoFrame::TKosmoFrame(QWidget* Owner, QWidget* Parent)
    : TViewFrame(Owner, Parent, QSize(599, 397), KosmoHint, QStringLiteral("KosmoHint")) {
  setObjectName(QStringLiteral("KosmoFrame"));
  QImage white(kosmo::PictureWidth, kosmo::PictureHeight, QImage::Format_RGB32);
  white.fill(Qt::white);
  Image1->SetPicture(white);
  for (int body = 1; body <= astro::kBodyCount; ++body) {
    BodyImages[body] = AddHiddenPicture(QStringLiteral("Image%1").arg(body + 1));
    BodyImages[body]->SetPicture(BodyPicture(body));
  }
  Image12 = AddHiddenPicture(QStringLiteral("Image12"));
}

TKosmoFrame::~TKosmoFrame() = default;

void TKosmoFrame::LoadLetterStrip(const QString& IniFileName) {
  const QImage strip = ::LoadLetterStrip(IniFileName.toStdString());
  if (!strip.isNull()) {
    Image12->SetPicture(strip);
  }
}

kosmo::TArt TKosmoFrame::Art() const {
  kosmo::TArt art;
  for (int body = 1; body <= astro::kBodyCount; ++body) {
    art.Bodies[body] = BodyImages[body]->Picture();
  }
  art.Letters = Image12->Picture();
  return art;
}

void TKosmoFrame::DrawChart() {
  kosmo::DrawChart(Image1->Picture(),
                   {Longitudes, Moment, Aspects, HousesShown ? &HouseLayer : nullptr,
                    Second_ ? &*Second_ : nullptr},
                   Art(), KosmoHintRegions);
  Image1->update();
}

void TKosmoFrame::SetHouses(const std::optional<astro::THouses>& Houses,
                            const astro::TPoints& Points) {
  HouseLayer = kosmo::HouseLayerOf(Houses, Points);
}

void TKosmoFrame::SetHousesShown(bool Shown) {
  HousesShown = Shown;
  DrawChart();
}

void TKosmoFrame::SetSecond(std::optional<kosmo::TSecondWheel> Wheel, bool Redraw) {
  Second_ = std::move(Wheel);
  if (Redraw)
    DrawChart();
}

void TKosmoFrame::SetLongitudes(const astro::TLongitudes& Values) {
  Longitudes = Values;
  DrawChart();
}

void TKosmoFrame::SetAspects(astro::TAspectList List) {
  Aspects = List;
  DrawChart();
}

void TKosmoFrame::SetMoment(astro::TDateTime Value) {
  Moment = Value;
  DrawChart();
}

void TKosmoFrame::ShowChart(const astro::TLongitudes& Values, const astro::TAspectList& List,
                            astro::TDateTime Value) {
  Longitudes = Values;
  Aspects = List;
  Moment = Value;
  DrawChart();
}

void TKosmoFrame::SetPlace(double LongitudeDegrees, double LatitudeDegrees) {
  Place = {LongitudeDegrees, LatitudeDegrees};
  DrawChart();
}

void TKosmoFrame::FrameResize() {
  const int excess = WidthExcess();
  SetScrollMaxima(excess < 0 ? 0 : excess + 13);
  DrawChart();
}

// Bodies, then signs, then segment numbers; each group shows at most its first hit and the
// last group that hit keeps the window.
void TKosmoFrame::Image1MouseMove(Qt::KeyboardModifiers, int X, int Y) {
  if (!HintsEnabled) {
    return;
  }
  bool anyHit = false;
  // Bodies are searched from the last drawn, so a glyph drawn over another names itself.
  auto showFirstHit = [&](const auto& regions, int first, int last) {
    const int step = first <= last ? 1 : -1;
    for (int i = first; i != last + step; i += step) {
      if (Hit(regions[i], X, Y)) {
        ShowHint(regions[i].Text);
        anyHit = true;
        return;
      }
    }
  };
  // The second chart's band lies outside the natal bodies; its glyphs never overlap theirs.
  if (KosmoHintRegions.HasSecond)
    showFirstHit(KosmoHintRegions.SecondBodies, astro::kBodyCount, 1);
  if (!anyHit)
    showFirstHit(KosmoHintRegions.Bodies, astro::kBodyCount, 1);
  const std::vector<kosmo::THintRegion>& houses = KosmoHintRegions.Houses;
  if (!houses.empty()) {
    showFirstHit(houses, 0, static_cast<int>(houses.size()) - 1);
  }
  showFirstHit(KosmoHintRegions.Signs, 1, astro::kSignCount);
  showFirstHit(KosmoHintRegions.Segments, 1, astro::kSegmentCount);
  if (!anyHit) {
    HideHint();
  }
}

void TKosmoFrame::SaveAsTextClick() {}

void TKosmoFrame::PrintAsTextClick() {
  if (Picture().isNull()) {
    Prompts().Information(PrintRefusal);
  }
}

TKosmoFrame* CreateKosmoFrame(QWidget* Owner, QWidget* Parent, const QString& IniFileName) {
  auto* frame = new TKosmoFrame(Owner, Parent);
  { const config::TIniFile ini(IniFileName.toStdString()); } // the cosmogram has no settings
  frame->LoadLetterStrip(IniFileName);
  return frame;
}
