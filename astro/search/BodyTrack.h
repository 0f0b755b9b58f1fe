// SPDX-License-Identifier: GPL-3.0-or-later
// A body's longitude over a span of time as a chain of Chebyshev polynomials fitted to Swiss
// Ephemeris positions: cheap to evaluate anywhere, with its rate, to 1e-7 degree or better
// (mostly 1e-9) except near the Sun (see LayoutOf).
// Time is Julian day UT; longitudes are degrees of date, unwrapped (continuous across 360, so
// a body that made a full turn reads 360 more), rates degrees per day.
#pragma once

#include <array>
#include <vector>

namespace astro::search {

// Span (days) and polynomial degree of each body's pieces. Spans are powers of two, so a longer
// piece always holds whole shorter ones.
struct TTrackLayout {
  double SpanDays = 0;
  int Degree = 0;
};
TTrackLayout LayoutOf(int Body);
// The nutation in longitude's own track: its terms of five to fourteen days need a finer fit than
// the planets' smooth motion, and it is the same for every body.
TTrackLayout NutationLayout();
// How far a planet's fit may be off in a piece where it passes within kNearSunDegrees of the Sun:
// the library's light deflection bends its place sharply there.
inline constexpr double kNearSunDegrees = 2.0;
inline constexpr double kNearSunError = 2e-3;

class TBodyTrack {
public:
  static constexpr int kMaxDegree = 16;
  struct TPiece {
    double Start = 0; // Julian day UT
    double End = 0;
    int Degree = 0;
    std::array<double, kMaxDegree + 1> Value{}; // Chebyshev coefficients, unwrapped degrees
    std::array<double, kMaxDegree + 1> Rate{};  // of the derivative, degrees per day
    // The fit's error, estimated from its two last coefficients (what a smooth curve leaves
    // there, and where the aliased ripples of a rough one show), degrees.
    double Error = 0;
    // The least the body's |latitude| can be in the piece, degrees, judged from its samples.
    double LeastLatitude = 0;
  };

  // Base, when given, is a track added to this one: the samples are fitted less its value there
  // (a planet's longitude less the nutation); it must cover every piece appended here.
  TBodyTrack(int Body, TTrackLayout Layout, const TBodyTrack* Base = nullptr)
      : Body_(Body), Layout_(Layout), Base_(Base) {}

  // The moments (Julian day UT) at which a piece starting at Start is sampled, in time order:
  // the Chebyshev extrema, both ends included, so that neighbouring pieces meet exactly.
  std::vector<double> NodeTimes(double Start) const;
  // Appends the piece starting where the last one ended (at Start for the first), from the
  // longitudes (0..360) and, when known, latitudes at NodeTimes(Start).
  void AppendPiece(double Start, const std::vector<double>& Longitudes,
                   const std::vector<double>& Latitudes = {});

  int Body() const { return Body_; }
  const TTrackLayout& Layout() const { return Layout_; }
  const std::vector<TPiece>& Pieces() const { return Pieces_; }
  // Index of the piece holding t (clamped to the first or last).
  std::size_t PieceIndexAt(double T) const;
  double ValueAt(double T) const;
  double RateAt(double T) const;
  double ErrorAt(double T) const;
  // The fitted part alone, without the base's: what two tracks on one base differ by.
  const TBodyTrack* Base() const { return Base_; }
  double OwnValueAt(double T) const;
  double OwnRateAt(double T) const;
  // Marks piece Index as fitted no better than Error degrees.
  void RaiseError(std::size_t Index, double Error);

private:
  int Body_ = 0;
  TTrackLayout Layout_;
  const TBodyTrack* Base_ = nullptr;
  std::vector<TPiece> Pieces_;
};

} // namespace astro::search
