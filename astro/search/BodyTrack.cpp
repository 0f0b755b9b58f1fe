// SPDX-License-Identifier: GPL-3.0-or-later
#include "BodyTrack.h"

#include "Angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace astro::search {
namespace {

// Coefficients of the polynomial through the values at the Chebyshev extrema
// x_k = cos(pi k / N), k = 0..N (both ends included, so neighbouring pieces meet exactly).
void FitLobatto(const double* Values, int N, double* Coefficients) {
  // cos(pi m / N) for m = 0 .. 2N-1: every j k of the sum below falls on one of them, mod 2N.
  double cosines[2 * TBodyTrack::kMaxDegree];
  for (int m = 0; m < 2 * N; ++m)
    cosines[m] = std::cos(std::numbers::pi * m / N);
  for (int j = 0; j <= N; ++j) {
    double sum = 0;
    for (int k = 0; k <= N; ++k) {
      const double weight = (k == 0 || k == N) ? 0.5 : 1.0;
      sum += weight * Values[k] * cosines[(j * k) % (2 * N)];
    }
    Coefficients[j] = sum * 2.0 / N;
  }
  Coefficients[0] *= 0.5;
  Coefficients[N] *= 0.5;
}

// Coefficients of d/dt of the series on a piece SpanDays long.
void Differentiate(const double* C, int N, double SpanDays, double* D) {
  std::fill(D, D + N + 1, 0.0);
  if (N == 0)
    return;
  D[N - 1] = 2.0 * N * C[N];
  for (int k = N - 1; k >= 1; --k)
    D[k - 1] = (k + 1 < N ? D[k + 1] : 0.0) + 2.0 * k * C[k];
  D[0] *= 0.5;
  for (int k = 0; k < N; ++k)
    D[k] *= 2.0 / SpanDays;
}

double Evaluate(const TBodyTrack::TPiece& Piece,
                const std::array<double, TBodyTrack::kMaxDegree + 1>& C, double T) {
  // Clenshaw's recurrence on x in [-1, 1].
  const double x = (2.0 * T - Piece.Start - Piece.End) / (Piece.End - Piece.Start);
  double b1 = 0, b2 = 0;
  for (int k = Piece.Degree; k >= 1; --k) {
    const double b0 = 2.0 * x * b1 - b2 + C[k];
    b2 = b1;
    b1 = b0;
  }
  return x * b1 - b2 + C[0];
}

// The least |latitude| between the samples: the smallest one less the largest step between two.
double LeastLatitude(const std::vector<double>& Latitudes) {
  double least = 90, step = 0;
  for (std::size_t i = 0; i < Latitudes.size(); ++i) {
    least = std::min(least, std::fabs(Latitudes[i]));
    if (i > 0)
      step = std::max(step, std::fabs(Latitudes[i] - Latitudes[i - 1]));
  }
  return Latitudes.empty() ? 0.0 : std::max(0.0, least - step);
}

} // namespace

TTrackLayout LayoutOf(int Body) {
  // With the nutation taken out, a planet's longitude is fitted to about 1e-9 degree, except
  // while it passes behind or beside the Sun: the library's light deflection then puts a kink of
  // up to 1.5e-3 degree into it, over hours, that no smooth fit follows (see kNearSunError).
  // The planets share one layout, so that they are sampled at the same moments: the library
  // then reuses the Earth's position and the nutation, which makes each sample far cheaper.
  return Body == 2 ? TTrackLayout{8.0, 14} : TTrackLayout{16.0, 12};
}

TTrackLayout NutationLayout() {
  return {16.0, 16};
}

std::vector<double> TBodyTrack::NodeTimes(double Start) const {
  const int n = Layout_.Degree;
  const double half = 0.5 * Layout_.SpanDays;
  std::vector<double> times(n + 1);
  for (int i = 0; i <= n; ++i) // node k = n - i, at x = cos(pi k / n)
    times[i] = Start + half + half * std::cos(std::numbers::pi * (n - i) / n);
  times.front() = Start;
  times.back() = Start + Layout_.SpanDays;
  return times;
}

void TBodyTrack::AppendPiece(double Start, const std::vector<double>& Longitudes,
                             const std::vector<double>& Latitudes) {
  const int n = Layout_.Degree;
  double values[kMaxDegree + 1];
  std::vector<double> base(n + 1, 0.0);
  if (Base_) {
    const std::vector<double> times = NodeTimes(Start);
    for (int i = 0; i <= n; ++i)
      base[i] = Base_->ValueAt(times[i]);
  }
  // Unwrapped: continuous with the last piece's end; no body moves 15 degrees between nodes.
  double previous = Pieces_.empty()
                        ? Longitudes[0] - base[0]
                        : Evaluate(Pieces_.back(), Pieces_.back().Value, Pieces_.back().End);
  for (int i = 0; i <= n; ++i) {
    previous += LongitudeDelta(Longitudes[i] - base[i], NormalizeDegrees(previous));
    values[n - i] = previous;
  }
  TPiece piece;
  piece.Start = Start;
  piece.End = Start + Layout_.SpanDays;
  piece.Degree = n;
  FitLobatto(values, n, piece.Value.data());
  Differentiate(piece.Value.data(), n, Layout_.SpanDays, piece.Rate.data());
  piece.Error = 2 * (std::fabs(piece.Value[n]) + std::fabs(piece.Value[n - 1]));
  piece.LeastLatitude = LeastLatitude(Latitudes);
  Pieces_.push_back(piece);
}

std::size_t TBodyTrack::PieceIndexAt(double T) const {
  const double index = std::floor((T - Pieces_.front().Start) / Layout_.SpanDays);
  return static_cast<std::size_t>(std::clamp(index, 0.0, double(Pieces_.size() - 1)));
}

double TBodyTrack::OwnValueAt(double T) const {
  const TPiece& piece = Pieces_[PieceIndexAt(T)];
  return Evaluate(piece, piece.Value, T);
}

double TBodyTrack::OwnRateAt(double T) const {
  const TPiece& piece = Pieces_[PieceIndexAt(T)];
  return Evaluate(piece, piece.Rate, T);
}

double TBodyTrack::ValueAt(double T) const {
  return OwnValueAt(T) + (Base_ ? Base_->ValueAt(T) : 0.0);
}

double TBodyTrack::RateAt(double T) const {
  return OwnRateAt(T) + (Base_ ? Base_->RateAt(T) : 0.0);
}

double TBodyTrack::ErrorAt(double T) const {
  return Pieces_[PieceIndexAt(T)].Error + (Base_ ? Base_->ErrorAt(T) : 0.0);
}

void TBodyTrack::RaiseError(std::size_t Index, double Error) {
  Pieces_.at(Index).Error = std::max(Pieces_.at(Index).Error, Error);
}

} // namespace astro::search
