// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransitSearch.h"

#include "Angles.h"
#include "BodyTrack.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace astro::search {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
// A root is polished until the last correction is below this (days): the next one, from a rate
// good to a few per cent, would then be well under a second.
constexpr double kPolishTolerance = 5.0 * kSecond;
// A root of the fit is taken as it stands when the fit's estimated error is the motion of this
// long (days): the Moon's fine track, mostly.
constexpr double kFitTrusted = 0.02 * kSecond;
// How far beyond the followed span an orb's edge is looked for (days).
constexpr double kOrbHorizonDays = 10 * 365.25;
// The fastest geocentric motion of each body 1..10, degrees a day: in a step of an orb at this
// speed a body cannot cross the whole orb, so it is seen leaving it (unless it turns back
// within the step).
constexpr std::array<double, kBodyCount + 1> kFastestMotion = {0,    1.02, 15.4, 2.2,  1.26, 0.8,
                                                               0.25, 0.13, 0.07, 0.04, 0.04};
// The fastest a planet's elongation from the Sun changes, degrees a day (Mercury retrograde).
constexpr double kFastestElongation = 3.0;
// The track that holds the nutation in longitude, in place of a body's number.
constexpr int kNutation = 0;
// A station's polish stops at this correction: the library's rate is noisy at 1e-8 degree a day,
// which blurs a slow planet's turn by a second or two.
constexpr double kTurnTolerance = 1.0 * kSecond;
// How far beyond the period each body is followed, so that orb times near the ends are found.
double MarginDays(int Body) {
  return 2.0 * LayoutOf(Body).SpanDays;
}

// A stretch on which the curve moves one way only: From at Start, To at End (unwrapped).
struct TRun {
  double Start = 0, End = 0;
  double From = 0, To = 0;
};

// A longitude (or a difference of two) as the search sees it: the fit, its rate, and the
// library's own value (any turn; it is brought next to the fit).
struct TCurve {
  std::function<double(double)> Value;
  std::function<double(double)> Rate;
  std::function<double(double)> Exact;
  std::function<double(double)> Error; // the fit's estimated error, degrees
  // Polishes a moment where the rate vanishes; the fit's estimate when absent.
  std::function<double(double, double, double)> PolishTurn;

  double ExactNear(double T, double Near) const {
    return Near + std::remainder(Exact(T) - Near, 360.0);
  }
};

// The moment in [Low, High] where the monotone function F (rising when Rising) reaches zero.
template <class F> double Bisect(const F& f, double Low, double High, bool Rising) {
  for (int i = 0; i < 60 && High - Low > 1e-3 * kSecond; ++i) {
    const double mid = 0.5 * (Low + High);
    if ((f(mid) < 0) == Rising)
      Low = mid;
    else
      High = mid;
  }
  return 0.5 * (Low + High);
}

// Sorted marks on the circle (degrees 0..360) with what each one stands for.
struct TMark {
  double Longitude = 0;
  int Tag = 0;
  bool operator<(const TMark& Other) const { return Longitude < Other.Longitude; }
};

// Whether any of Marks lies within Tolerance of Value (degrees, any turn).
bool NearMark(const std::vector<TMark>& Marks, double Value, double Tolerance) {
  if (Marks.empty())
    return false;
  const double value = NormalizeDegrees(Value);
  const auto next = std::lower_bound(Marks.begin(), Marks.end(), TMark{value - Tolerance});
  return (next != Marks.end() && next->Longitude <= value + Tolerance) ||
         Marks.front().Longitude <= value + Tolerance - 360.0 ||
         Marks.back().Longitude >= value - Tolerance + 360.0;
}

// Cuts [Breaks.front(), Breaks.back()] into runs at the curve's turning points, found from the
// fitted rate sampled Steps times between neighbouring breaks. Marks are the values whose
// crossings will be looked for.
std::vector<TRun> BuildRuns(const TCurve& Curve, const std::vector<double>& Breaks, int Steps,
                            const std::vector<TMark>& Marks) {
  std::vector<double> cuts;
  std::vector<bool> turn;
  for (std::size_t i = 0; i + 1 < Breaks.size(); ++i) {
    cuts.push_back(Breaks[i]);
    turn.push_back(false);
    const double h = (Breaks[i + 1] - Breaks[i]) / Steps;
    double t0 = Breaks[i];
    double r0 = Curve.Rate(t0);
    for (int s = 1; s <= Steps; ++s) {
      const double t1 = s == Steps ? Breaks[i + 1] : Breaks[i] + s * h;
      const double r1 = Curve.Rate(t1);
      if ((r0 < 0) != (r1 < 0) && s < Steps + 1) {
        double t = Bisect(Curve.Rate, t0, t1, r1 > r0);
        if (Curve.PolishTurn)
          t = Curve.PolishTurn(t, t0, t1);
        if (t > cuts.back() && t < Breaks[i + 1]) {
          cuts.push_back(t);
          turn.push_back(true);
        }
      }
      t0 = t1;
      r0 = r1;
    }
  }
  cuts.push_back(Breaks.back());
  turn.push_back(false);
  std::vector<double> values(cuts.size());
  for (std::size_t i = 0; i < cuts.size(); ++i) {
    const double fitted = Curve.Value(cuts[i]);
    // A turn's extreme decides whether a mark near it is reached: there, take the library's.
    const bool doubtful = turn[i] && NearMark(Marks, fitted, 10 * Curve.Error(cuts[i]) + 1e-9);
    values[i] = doubtful ? Curve.ExactNear(cuts[i], fitted) : fitted;
  }
  std::vector<TRun> runs;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
    runs.push_back({cuts[i], cuts[i + 1], values[i], values[i + 1]});
  return runs;
}

// The moment in Run where the fitted curve equals Target (between the run's ends): Newton's steps
// from the straight line's guess, each kept inside a bracket that narrows, halving instead where a
// step would leave it or gains too little.
double FitRoot(const TCurve& Curve, const TRun& Run, double Target) {
  const bool rising = Run.To > Run.From;
  double low = Run.Start, high = Run.End;
  const double share = Run.To != Run.From ? (Target - Run.From) / (Run.To - Run.From) : 0.5;
  double t = low + (high - low) * std::clamp(share, 0.0, 1.0);
  double step = high - low, lastStep = step;
  for (int i = 0; i < 100; ++i) {
    const double offset = Curve.Value(t) - Target;
    if (offset == 0)
      break;
    if ((offset < 0) == rising)
      low = t;
    else
      high = t;
    const double rate = Curve.Rate(t);
    const bool outside = ((t - high) * rate - offset) * ((t - low) * rate - offset) > 0;
    lastStep = step;
    if (outside || std::fabs(2 * offset) > std::fabs(lastStep * rate)) {
      step = 0.5 * (high - low);
      t = low + step;
    } else {
      step = offset / rate;
      t -= step;
    }
    if (std::fabs(step) < 1e-3 * kSecond)
      break;
  }
  return t;
}

// The moment in Run where the curve equals Target (unwrapped, between the run's ends): a root of
// the fit, then up to Steps Newton steps on the library's value kept inside the run.
double SolveOnRun(const TCurve& Curve, const TRun& Run, double Target, int Steps = 8) {
  double t = FitRoot(Curve, Run, Target);
  // A fit whose error is worth far less than a second of the curve's motion needs no polish.
  if (Curve.Error && Curve.Error(t) < kFitTrusted * std::fabs(Curve.Rate(t)))
    return t;
  for (int i = 0; i < Steps; ++i) {
    const double rate = Curve.Rate(t);
    if (std::fabs(rate) < 1e-9)
      break;
    const double step = (Curve.ExactNear(t, Target) - Target) / rate;
    const double next = std::clamp(t - step, Run.Start, Run.End);
    const bool done = std::fabs(next - t) < kPolishTolerance;
    t = next;
    if (done)
      break;
  }
  return t;
}

// Calls Hit(mark, unwrapped value) for every mark the run passes: its start value excluded, its
// end value included, so a value on a boundary counts once.
template <class F>
void ForEachCrossing(const std::vector<TMark>& Marks, const TRun& Run, const F& Hit) {
  if (Marks.empty() || Run.From == Run.To)
    return;
  const bool rising = Run.To > Run.From;
  const double low = std::min(Run.From, Run.To), high = std::max(Run.From, Run.To);
  for (double turn = std::floor(low / 360.0); turn * 360.0 <= high; turn += 1.0) {
    const double base = turn * 360.0;
    auto first = rising ? std::upper_bound(Marks.begin(), Marks.end(), TMark{low - base})
                        : std::lower_bound(Marks.begin(), Marks.end(), TMark{low - base});
    for (auto it = first; it != Marks.end(); ++it) {
      const double value = base + it->Longitude;
      if (rising ? value > high : value >= high)
        break;
      Hit(*it, value);
    }
  }
}

std::vector<TMark> AspectMarks(double Base, const TSearchRequest& Request, int TagBase) {
  std::vector<TMark> marks;
  for (int a = 1; a <= kAspectCount; ++a) {
    if (!Request.AspectOn[a])
      continue;
    const double angle = AspectAngles[a];
    marks.push_back({NormalizeDegrees(Base + angle), TagBase + a});
    if (angle != 0.0 && angle != 180.0)
      marks.push_back({NormalizeDegrees(Base - angle), TagBase + a});
  }
  std::sort(marks.begin(), marks.end());
  return marks;
}

TSkyEvent MakeEvent(TEventKind Kind, double JulianDayUT, int Body) {
  TSkyEvent event;
  event.Kind = Kind;
  event.Universal = DateTimeOfJulianDay(JulianDayUT);
  event.Body = Body;
  return event;
}

class TSearch {
public:
  TSearch(const TSearchRequest& Request, const TProgress& Progress)
      : Request_(Request), Progress_(Progress), From_(JulianDayOf(Request.From)),
        To_(JulianDayOf(Request.To)) {
    if (Request_.Transits)
      for (std::size_t n = 0; n < Request_.Natal.size(); ++n) {
        const auto marks = AspectMarks(Request_.Natal[n].Longitude, Request_, int(n) * 32);
        Targets_.insert(Targets_.end(), marks.begin(), marks.end());
      }
    std::sort(Targets_.begin(), Targets_.end());
    for (int sign = 0; sign < kSignCount; ++sign)
      Cusps_.push_back({30.0 * sign, sign});
    BodyMarks_ = Targets_;
    if (Request_.Ingresses)
      BodyMarks_.insert(BodyMarks_.end(), Cusps_.begin(), Cusps_.end());
    std::sort(BodyMarks_.begin(), BodyMarks_.end());
  }

  TSearchResult Run() {
    TSearchResult result;
    if (!(To_ > From_) || !BuildTracks()) {
      result.Cancelled = !(To_ > From_) ? false : true;
      return result;
    }
    for (int body = 1; body <= kBodyCount; ++body)
      if (Tracks_[body] && Request_.Moving[body])
        FindBodyEvents(body);
    if (Request_.SkyAspects)
      for (int a = 1; a <= kBodyCount; ++a)
        for (int b = a + 1; b <= kBodyCount; ++b)
          if (TakesPartInSky(a) && TakesPartInSky(b))
            FindSkyAspects(a, b);
    std::stable_sort(Events_.begin(), Events_.end(), [](const TSkyEvent& x, const TSkyEvent& y) {
      return x.Universal < y.Universal;
    });
    result.Events = std::move(Events_);
    return result;
  }

private:
  const TSearchRequest& Request_;
  const TProgress& Progress_;
  double From_, To_;
  std::unique_ptr<TBodyTrack> Nutation_; // under every planet's track
  std::array<std::unique_ptr<TBodyTrack>, kBodyCount + 1> Tracks_;
  std::array<std::vector<TRun>, kBodyCount + 1> Runs_;
  std::vector<TSkyEvent> Events_;
  std::vector<TMark> Targets_;   // the natal points' aspect longitudes, tagged 32 n + aspect
  std::vector<TMark> Cusps_;     // the signs' first degrees, tagged 0..11
  std::vector<TMark> BodyMarks_; // both, as far as they are searched

  bool TakesPartInSky(int Body) const {
    return Request_.Moving[Body] && (Body != 2 || Request_.MoonSkyEvents);
  }

  bool BuildTracks() {
    std::vector<int> planets, moon;
    for (int body = 1; body <= kBodyCount; ++body)
      if (Request_.Moving[body])
        (body == 2 ? moon : planets).push_back(body);
    // The Sun is followed whenever a planet is: where a planet passes it, its fit is not trusted.
    if (!planets.empty() && planets.front() != 1)
      planets.insert(planets.begin(), 1);
    const TRange planetRange = PieceRange(LayoutOf(1), MarginDays(1));
    // The nutation's pieces may be longer: they reach one planet piece further, to cover them all.
    const TRange nutationRange = PieceRange(NutationLayout(), MarginDays(1) + LayoutOf(1).SpanDays);
    const double total = (planets.empty() ? 0 : planetRange.Count + nutationRange.Count) +
                         (moon.empty() ? 0 : PieceRange(LayoutOf(2), MarginDays(2)).Count);
    double done = 0;
    const auto keepGoing = [&] {
      done += 1;
      return !Progress_ || Progress_(0.9 * std::min(1.0, done / total));
    };
    if (!planets.empty()) {
      Nutation_ = std::make_unique<TBodyTrack>(kNutation, NutationLayout());
      if (!SampleTogether({Nutation_.get()}, nutationRange, keepGoing))
        return false;
    }
    for (const auto& group : {planets, moon}) {
      if (group.empty())
        continue;
      std::vector<TBodyTrack*> tracks;
      for (int body : group) {
        // A planet's longitude rides on the nutation; the Moon's fit takes it in its stride.
        Tracks_[body] = std::make_unique<TBodyTrack>(body, LayoutOf(body),
                                                     body == 2 ? nullptr : Nutation_.get());
        tracks.push_back(Tracks_[body].get());
      }
      if (!SampleTogether(tracks, PieceRange(LayoutOf(group.front()), MarginDays(group.front())),
                          keepGoing))
        return false;
      for (int body : group) {
        if (body > 2)
          MarkNearSun(*Tracks_[body]);
        std::vector<double> breaks;
        for (const auto& piece : Tracks_[body]->Pieces())
          breaks.push_back(piece.Start);
        breaks.push_back(Tracks_[body]->Pieces().back().End);
        Runs_[body] = BuildRuns(BodyCurve(body), breaks, 8, BodyMarks_);
      }
    }
    return true;
  }

  // Pieces of every track align on one origin, a whole number of the longest spans, so that a
  // long piece holds whole short ones.
  double Origin() const {
    const double longest = std::max(LayoutOf(1).SpanDays, NutationLayout().SpanDays);
    return std::floor(From_ / longest) * longest;
  }

  // The first piece's start and the number of pieces that cover the period with Margin days at
  // both ends.
  struct TRange {
    double First = 0;
    int Count = 0;
  };
  TRange PieceRange(TTrackLayout Layout, double Margin) const {
    const double first =
        Origin() + std::floor((From_ - Margin - Origin()) / Layout.SpanDays) * Layout.SpanDays;
    const double last = To_ + Margin;
    return {first, std::max(1, int(std::ceil((last - first) / Layout.SpanDays)))};
  }

  // Fits Tracks (of one layout) piece by piece over Range, each moment sampled for all of them at
  // once (the library reuses what the bodies share); the end of one piece is the start of the
  // next.
  static bool SampleTogether(const std::vector<TBodyTrack*>& Tracks, TRange Range,
                             const std::function<bool()>& KeepGoing) {
    const TTrackLayout layout = Tracks.front()->Layout();
    std::vector<std::vector<TEclipticPlace>> samples(
        Tracks.size(), std::vector<TEclipticPlace>(layout.Degree + 1));
    std::vector<double> longitudes(layout.Degree + 1), latitudes(layout.Degree + 1);
    for (int p = 0; p < Range.Count; ++p) {
      const double start = Range.First + p * layout.SpanDays;
      const std::vector<double> times = Tracks.front()->NodeTimes(start);
      for (std::size_t i = 0; i < times.size(); ++i)
        for (std::size_t g = 0; g < Tracks.size(); ++g)
          samples[g][i] = (i == 0 && p > 0) ? samples[g].back() : Sample(*Tracks[g], times[i]);
      for (std::size_t g = 0; g < Tracks.size(); ++g) {
        for (std::size_t i = 0; i < times.size(); ++i) {
          longitudes[i] = samples[g][i].Longitude;
          latitudes[i] = samples[g][i].Latitude;
        }
        Tracks[g]->AppendPiece(start, longitudes, latitudes);
      }
      if (!KeepGoing())
        return false;
    }
    return true;
  }

  static TEclipticPlace Sample(const TBodyTrack& Track, double T) {
    return Track.Body() == kNutation ? TEclipticPlace{NutationInLongitude(T), 0.0}
                                     : BodyPlace(Track.Body(), T);
  }

  // Marks the pieces of a planet's track in which it comes within kNearSunDegrees of the Sun
  // (whose latitude is nil), stepping by what the elongation can change at most in the room left.
  void MarkNearSun(TBodyTrack& Track) const {
    const TBodyTrack& sun = *Tracks_[1];
    for (std::size_t p = 0; p < Track.Pieces().size(); ++p) {
      const auto& piece = Track.Pieces()[p];
      if (piece.LeastLatitude >= kNearSunDegrees)
        continue;
      // Within this much longitude of the Sun the body may be that near (its latitude's cosine
      // shrinks a longitude difference by at most 1 per cent).
      const double reach =
          std::sqrt(kNearSunDegrees * kNearSunDegrees - piece.LeastLatitude * piece.LeastLatitude) /
          0.99;
      for (double t = piece.Start; t <= piece.End;) {
        const double elongation = std::remainder(Track.ValueAt(t) - sun.ValueAt(t), 360.0);
        const double room = std::fabs(elongation) - reach;
        if (room < 0) {
          Track.RaiseError(p, kNearSunError);
          break;
        }
        t += std::max(room / kFastestElongation, 0.01);
      }
    }
  }

  TCurve BodyCurve(int Body) const {
    const TBodyTrack* track = Tracks_[Body].get();
    TCurve curve;
    curve.Value = [track](double t) { return track->ValueAt(t); };
    curve.Rate = [track](double t) { return track->RateAt(t); };
    curve.Exact = [Body](double t) { return BodyLongitude(Body, t); };
    curve.Error = [track](double t) { return track->ErrorAt(t); };
    // A station: the zero of the library's own rate, by Newton's steps along the fit's
    // acceleration (smooth where the library's rate near zero is not).
    curve.PolishTurn = [Body, track](double t, double low, double high) {
      const double h = 0.01;
      const double acceleration = (track->RateAt(t + h) - track->RateAt(t - h)) / (2 * h);
      for (int i = 0; i < 4 && acceleration != 0; ++i) {
        const double step = BodyLongitudeRate(Body, t).Rate / acceleration;
        t = std::clamp(t - step, low, high);
        if (std::fabs(step) < kTurnTolerance)
          break;
      }
      return t;
    };
    return curve;
  }

  bool InPeriod(double T) const { return T >= From_ && T < To_; }

  void FindBodyEvents(int Body) {
    const TCurve curve = BodyCurve(Body);
    const std::vector<TRun>& runs = Runs_[Body];
    const bool moonQuiet = Body == 2 && !Request_.MoonSkyEvents;
    const std::vector<TMark>& targets = Targets_;
    const std::vector<TMark> noCusps;
    const std::vector<TMark>& cusps = Request_.Ingresses && !moonQuiet ? Cusps_ : noCusps;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      const TRun& run = runs[r];
      const int direction = run.To > run.From ? +1 : -1;
      if (Request_.Stations && Body != 1 && Body != 2 && r > 0 && InPeriod(run.Start) &&
          (runs[r - 1].To > runs[r - 1].From) != (direction > 0))
        Events_.push_back(Station(Body, run.Start, direction));
      ForEachCrossing(cusps, run, [&](const TMark& mark, double value) {
        const double t = SolveOnRun(curve, run, value);
        if (!InPeriod(t))
          return;
        TSkyEvent event = MakeEvent(TEventKind::Ingress, t, Body);
        event.Sign = direction > 0 ? mark.Tag + 1 : (mark.Tag + 11) % 12 + 1;
        event.Direction = direction;
        Events_.push_back(event);
      });
      ForEachCrossing(targets, run, [&](const TMark& mark, double value) {
        const double t = SolveOnRun(curve, run, value);
        if (!InPeriod(t))
          return;
        TSkyEvent event = MakeEvent(TEventKind::Transit, t, Body);
        event.Aspect = mark.Tag % 32;
        event.Natal = Request_.Natal[mark.Tag / 32].Key;
        event.Direction = direction;
        const double orb = Request_.Orbs[event.Aspect];
        const double step = std::clamp(orb / kFastestMotion[Body], 0.25, 16.0);
        event.OrbEnter = OrbEdge(curve, runs, r, t, value, orb, -1, step);
        event.OrbLeave = OrbEdge(curve, runs, r, t, value, orb, +1, step);
        Events_.push_back(event);
      });
    }
    if (Progress_)
      Progress_(0.9 + 0.1 * Body / kBodyCount);
  }

  static TSkyEvent Station(int Body, double T, int Direction) {
    TSkyEvent event = MakeEvent(TEventKind::Station, T, Body);
    event.Direction = Direction;
    return event;
  }

  // Walking from the exact moment T (in run R) back (Way -1) or on (+1): the moment the curve
  // is Orb away from Target. Past the followed span the library is stepped by Step days (a
  // slow planet's orb, with its loops, can last far longer than the span); empty when the orb
  // lasts beyond kOrbHorizonDays.
  static std::optional<TDateTime> OrbEdge(const TCurve& Curve, const std::vector<TRun>& Runs,
                                          std::size_t R, double T, double Target, double Orb,
                                          int Way, double Step) {
    for (std::size_t r = R; r < Runs.size(); r += Way) {
      const TRun& run = Runs[r];
      const double far = Way < 0 ? run.From : run.To;
      if (std::fabs(far - Target) > Orb) {
        const double edge = Target + (far > Target ? Orb : -Orb);
        const TRun part = Way < 0 ? TRun{run.Start, std::min(T, run.End), run.From, edge}
                                  : TRun{std::max(T, run.Start), run.End, edge, run.To};
        // From the fit alone: an orb's edge is a convention, shown to the minute, and polishing it
        // would double the search's cost. The fit is off by its error over the rate: well under a
        // second mostly, up to half an hour while a slow planet passes behind the Sun.
        return DateTimeOfJulianDay(SolveOnRun(Curve, part, edge, 0));
      }
      if (r == 0 && Way < 0)
        break;
    }
    const TRun& last = Way < 0 ? Runs.front() : Runs.back();
    return EdgeBeyondTrack(Curve, Way < 0 ? last.Start : last.End, Way < 0 ? last.From : last.To,
                           Target, Orb, Way, Step);
  }

  static std::optional<TDateTime> EdgeBeyondTrack(const TCurve& Curve, double Start, double Value,
                                                  double Target, double Orb, int Way, double Step) {
    double t0 = Start, v0 = Value;
    for (double gone = 0; gone < kOrbHorizonDays; gone += Step) {
      const double t1 = t0 + Way * Step;
      const double v1 = Curve.ExactNear(t1, v0);
      if (std::fabs(v1 - Target) > Orb) {
        const double edge = Target + (v1 > Target ? Orb : -Orb);
        return DateTimeOfJulianDay(CrossingBetween(Curve, t0, v0, t1, v1, edge));
      }
      t0 = t1;
      v0 = v1;
    }
    return std::nullopt;
  }

  // The moment between T0 and T1 (values V0 and V1 on either side of Edge) where the library's
  // curve reaches Edge, to a minute: regula falsi with the Illinois halving.
  static double CrossingBetween(const TCurve& Curve, double T0, double V0, double T1, double V1,
                                double Edge) {
    double f0 = V0 - Edge, f1 = V1 - Edge;
    int kept = 0; // which end stayed last time: 0 none, -1 the first, +1 the second
    for (int i = 0; i < 30 && std::fabs(T1 - T0) > 60 * kSecond; ++i) {
      const double t = T1 - f1 * (T1 - T0) / (f1 - f0);
      const double f = Curve.ExactNear(t, Edge) - Edge;
      if ((f < 0) == (f1 < 0)) {
        T1 = t, f1 = f;
        if (kept == -1)
          f0 *= 0.5;
        kept = -1;
      } else {
        T0 = t, f0 = f;
        if (kept == +1)
          f1 *= 0.5;
        kept = +1;
      }
      if (f == 0)
        return t;
    }
    return 0.5 * (T0 + T1);
  }

  void FindSkyAspects(int A, int B) {
    const TBodyTrack& a = *Tracks_[A];
    const TBodyTrack& b = *Tracks_[B];
    const TBodyTrack& fine = LayoutOf(A).SpanDays <= LayoutOf(B).SpanDays ? a : b;
    TCurve curve;
    if (a.Base() && a.Base() == b.Base()) { // the nutation cancels
      curve.Value = [&](double t) { return a.OwnValueAt(t) - b.OwnValueAt(t); };
      curve.Rate = [&](double t) { return a.OwnRateAt(t) - b.OwnRateAt(t); };
    } else {
      curve.Value = [&](double t) { return a.ValueAt(t) - b.ValueAt(t); };
      curve.Rate = [&](double t) { return a.RateAt(t) - b.RateAt(t); };
    }
    // The library's place of each body whose fit falls short here; mostly one passing the Sun.
    curve.Exact = [&, A, B](double t) {
      const double enough = 0.5 * kFitTrusted * std::fabs(curve.Rate(t));
      const double placeA = a.ErrorAt(t) < enough ? a.ValueAt(t) : BodyLongitude(A, t);
      const double placeB = b.ErrorAt(t) < enough ? b.ValueAt(t) : BodyLongitude(B, t);
      return placeA - placeB;
    };
    curve.Error = [&](double t) { return a.ErrorAt(t) + b.ErrorAt(t); };
    const std::vector<TMark> marks = AspectMarks(0.0, Request_, 0);
    std::vector<double> breaks{From_};
    for (const auto& piece : fine.Pieces())
      if (piece.Start > From_ && piece.Start < To_)
        breaks.push_back(piece.Start);
    breaks.push_back(To_);
    // Turns of the difference looked for every 4 days, or twice a piece of the Moon's.
    const int steps = std::max(2, int(fine.Layout().SpanDays / 4));
    for (const TRun& run : BuildRuns(curve, breaks, steps, marks))
      ForEachCrossing(marks, run, [&](const TMark& mark, double value) {
        const double t = SolveOnRun(curve, run, value);
        if (!InPeriod(t))
          return;
        TSkyEvent event = MakeEvent(TEventKind::Aspect, t, A);
        event.Aspect = mark.Tag;
        event.Other = B;
        Events_.push_back(event);
      });
  }
};

} // namespace

TSearchRequest DefaultRequest(TDateTime From, TDateTime To) {
  TSearchRequest request;
  request.From = From;
  request.To = To;
  request.Moving.fill(true);
  request.Moving[0] = false;
  request.Moving[2] = false;
  request.AspectOn.fill(true);
  request.AspectOn[0] = false;
  return request;
}

TSearchResult FindEvents(const TSearchRequest& Request, const TProgress& Progress) {
  return TSearch(Request, Progress).Run();
}

} // namespace astro::search
