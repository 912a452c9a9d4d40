// Values every renderer shares: points, colours, hexagon corners and the angle constants.
#pragma once

#include <array>
#include <numbers>

struct TDoublePoint {
  double X = 0;
  double Y = 0;
};

// Six corners of a hexagon, in the renderers' vertex order.
using THexagon = std::array<TDoublePoint, 6>;

// The two end points of one KF side: A is corner d, B corner d + 1.
struct TSegment {
  TDoublePoint A;
  TDoublePoint B;
};

// Red, green and blue in 0..1.
struct TRGB {
  double R = 0;
  double G = 0;
  double B = 0;
  bool operator==(const TRGB&) const = default;
};

// The pictures are defined with this rounded pi, not the precise one.
inline constexpr double RenderPi = 3.1415927;
inline constexpr double FullCircle = 6.2831854;
// The hexagon corner tables use this literal; the derived sizes use the precise root.
inline constexpr double HexCornerFactor = 0.8660254;
inline constexpr double Sqrt3 = std::numbers::sqrt3;

constexpr double DegToRad(double degrees) { return degrees * RenderPi / 180; }
