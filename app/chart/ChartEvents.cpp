// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartEvents.h"

#include "EventText.h"
#include "SweBodies.h"

#include <cmath>

namespace chart {
namespace {

using namespace astro::search;

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string Moment(const std::optional<astro::TDateTime>& ut, int offsetSeconds) {
  return ut ? Quoted(IsoMoment(*ut + offsetSeconds / 86400.0)) : "null";
}

std::string NumberOrNull(int value) {
  return value ? std::to_string(value) : "null";
}

// A natal body by its number, any other point by its key.
std::string NatalJson(const std::string& key) {
  if (key.empty())
    return "null";
  return key.find_first_not_of("0123456789") == std::string::npos ? key : Quoted(key);
}

std::string DirectionJson(int direction) {
  return direction > 0 ? "\"direct\"" : direction < 0 ? "\"retrograde\"" : "null";
}

// The offset (seconds east) in force at a universal moment: the session's offsets are asked by
// local moment, so the answer at ut + offset is checked once more.
int OffsetAtUniversal(const TChartSession& session, astro::TDateTime ut) {
  auto local = [](astro::TDateTime t) { return TSeconds(std::llround(t * SecondsPerDay)); };
  const int first = session.OffsetAt(local(ut)).Seconds;
  return session.OffsetAt(local(ut + first / 86400.0)).Seconds;
}

double Signed(int degrees, int minutes) {
  return degrees + (degrees < 0 ? -minutes : minutes) / 60.0;
}

} // namespace

TSearchRequest EventRequest(const TChartOptions& options, const TChartSession& session) {
  const auto universal = [&](TSeconds local) {
    return ToUniversalTime(session.OffsetAt(local), ToDateTime(local));
  };
  TSearchRequest request =
      DefaultRequest(universal(options.Events->From), universal(options.Events->To));
  for (int a = 1; a <= astro::kAspectCount; ++a) {
    request.AspectOn[a] = session.Model().GetAspectEnabled(a);
    request.Orbs[a] = session.Model().GetOrb(a);
  }
  request.Transits = !options.Events->Sky;
  if (request.Transits) {
    // The angles need the place; a chart given by zone alone has none.
    const auto& place = session.Place();
    const double birth = JulianDayOf(universal(options.Start));
    request.Natal = ComputeNatalPoints(
        birth, place ? Signed(place->LatitudeDeg, place->LatitudeMin) : 0.0,
        place ? Signed(place->LongitudeDeg, place->LongitudeMin) : 0.0, {place.has_value()});
  }
  return request;
}

std::string EventJson(const TSkyEvent& event, int offsetSeconds) {
  return "{\"event\": " + Quoted(EventKindKey(event.Kind)) +
         ", \"ut\": " + Quoted(IsoMoment(event.Universal)) +
         ", \"local\": " + Moment(event.Universal, offsetSeconds) +
         ", \"body\": " + std::to_string(event.Body) +
         ", \"aspect\": " + NumberOrNull(event.Aspect) + ", \"natal\": " + NatalJson(event.Natal) +
         ", \"other\": " + NumberOrNull(event.Other) + ", \"sign\": " + NumberOrNull(event.Sign) +
         ", \"direction\": " +
         DirectionJson(event.Kind == TEventKind::Aspect ? 0 : event.Direction) +
         ", \"orb_enter\": " + Moment(event.OrbEnter, offsetSeconds) +
         ", \"orb_leave\": " + Moment(event.OrbLeave, offsetSeconds) + "}";
}

std::string EventText(const TSkyEvent& event, int offsetSeconds) {
  const auto shown = [&](astro::TDateTime ut) {
    std::string text = IsoMoment(ut + offsetSeconds / 86400.0);
    text[10] = ' ';
    return text;
  };
  std::string line = shown(event.Universal) + "  (" +
                     IsoMoment(event.Universal).replace(10, 1, " ") + " UT)  " +
                     EventDescription(event);
  if (event.Kind == TEventKind::Transit)
    line += "; орбис " + (event.OrbEnter ? shown(*event.OrbEnter) : std::string("—")) + " — " +
            (event.OrbLeave ? shown(*event.OrbLeave) : std::string("—"));
  return line;
}

int PrintEvents(const TChartOptions& options, const TChartSession& session, std::FILE* out) {
  const TSearchResult result = FindEvents(EventRequest(options, session));
  for (const TSkyEvent& event : result.Events) {
    const int offset = OffsetAtUniversal(session, event.Universal);
    const std::string line = options.Json ? EventJson(event, offset) : EventText(event, offset);
    std::fputs((line + "\n").c_str(), out);
  }
  std::fflush(out);
  return 0;
}

} // namespace chart
