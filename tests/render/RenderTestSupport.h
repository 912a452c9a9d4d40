// Colours and small helpers shared by the render tests.
#pragma once

#include <cmath>

#include "render/Geometry.h"
#include "support/CairoStaticsAtExit.h"
#include "support/PixelProbe.h"

namespace rendertest {

inline constexpr TRGB Black{0, 0, 0};
inline constexpr TRGB White{1, 1, 1};
// A background no renderer uses, so "nothing painted here" is easy to see.
inline constexpr TRGB Background{1, 0, 1};
inline constexpr TRGB Water{0.5, 0.898, 1};
inline constexpr TRGB LightGrey{0.9, 0.9, 0.9};

inline ::testing::AssertionResult Is(const TPixelProbe& probe, TDoublePoint p, const TRGB& c) {
  return probe.Is(p.X, p.Y, c.R, c.G, c.B);
}

inline void FillBackground(TPixelProbe& probe) { probe.Fill(Background.R, Background.G, Background.B); }

// The point at distance `along` from `from` in the direction turned `degrees`
// clockwise from straight up (screen coordinates).
inline TDoublePoint Towards(TDoublePoint from, double degrees, double along) {
  const double radians = degrees * 3.14159265358979 / 180;
  return {from.X + along * std::sin(radians), from.Y - along * std::cos(radians)};
}

// Local frame of a KF side: `along` runs from the centre towards the middle of side
// d, `across` is perpendicular to it (positive = clockwise).
inline TDoublePoint SidePoint(TDoublePoint centre, int d, double along, double across) {
  const TDoublePoint mid = Towards(centre, 30 + 60.0 * d, along);
  return Towards(mid, 30 + 60.0 * d + 90, across);
}

inline TDoublePoint Mid(TDoublePoint a, TDoublePoint b) { return {(a.X + b.X) / 2, (a.Y + b.Y) / 2}; }

}  // namespace rendertest
