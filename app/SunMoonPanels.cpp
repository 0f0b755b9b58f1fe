// SPDX-License-Identifier: GPL-3.0-or-later
#include "SunMoonPanels.h"

#include "AlmanacText.h"

#include <QLabel>
#include <stdexcept>

namespace {

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

} // namespace

TSunMoonPanels::TSunMoonPanels(const std::array<QLabel*, 6>& panels) : Panels(panels) {}

void TSunMoonPanels::Show(astro::TDateTime LocalMoment, double OffsetMinutes,
                          const astro::TGeoPlace& Place) {
  if (Filled && Cache.Holds(LocalMoment, OffsetMinutes, Place)) {
    return;
  }
  try {
    Fill(Cache.Day(LocalMoment, OffsetMinutes, Place));
    Filled = true;
  } catch (const std::runtime_error& error) {
    for (int i = 0; i < 6; ++i) {
      Set(i, QString(), Text(error.what()));
    }
  }
}

void TSunMoonPanels::Clear() {
  Filled = false;
  for (int i = 0; i < 6; ++i) {
    Set(i, QString(), QString());
  }
}

void TSunMoonPanels::Fill(const astro::TAlmanacDay& day) {
  using astro::TAlmanacEvent;
  const std::array<std::pair<TAlmanacEvent, const astro::TDayEvent*>, 5> events = {{
      {TAlmanacEvent::SunRise, &day.SunRise},
      {TAlmanacEvent::SunSet, &day.SunSet},
      {TAlmanacEvent::SunCulmination, &day.SunCulmination},
      {TAlmanacEvent::MoonRise, &day.MoonRise},
      {TAlmanacEvent::MoonSet, &day.MoonSet},
  }};
  for (int i = 0; i < 5; ++i) {
    const auto& [kind, event] = events[i];
    Set(i, Text(astro::EventTimeText(*event)), Text(astro::EventHint(kind, *event)));
  }
  Set(5, Text(astro::PhaseText(day.Moon)), Text(astro::PhaseHint(day.Moon)));
}

void TSunMoonPanels::Set(int index, const QString& text, const QString& hint) {
  Panels[index]->setText(text);
  Panels[index]->setToolTip(hint);
}
