// The hex geometry of the GF renderers: sizes from R, KF positions, corners and sides.
#include <gtest/gtest.h>

#include <cmath>

#include "RenderTestSupport.h"
#include "render/Renderer.h"

namespace {

constexpr double Eps = 1e-3;

void ExpectNear(TDoublePoint actual, TDoublePoint expected, double eps = Eps) {
  EXPECT_NEAR(actual.X, expected.X, eps);
  EXPECT_NEAR(actual.Y, expected.Y, eps);
}

TEST(Geometry, SizesFollowTheRadius) {
  TClassicGFRenderer renderer;
  renderer.SetGFRadius(80);
  EXPECT_DOUBLE_EQ(renderer.GFRadius(), 80);
  EXPECT_NEAR(renderer.GFHalfHeight(), 69.282, Eps);
  EXPECT_DOUBLE_EQ(renderer.KFApothem(), 10);
  EXPECT_NEAR(renderer.KFRadius(), 11.547, Eps);
  // The derived sizes use the precise root, not the corner tables' literal.
  EXPECT_DOUBLE_EQ(renderer.GFHalfHeight(), 80 * std::sqrt(3.0) / 2);
  EXPECT_DOUBLE_EQ(renderer.KFRadius(), 20 / std::sqrt(3.0));
}

TEST(Geometry, OutlineCorners) {
  TClassicGFRenderer renderer;
  const THexagon outline = renderer.GFHexagon(0, 0, 80);
  const double h = 0.8660254 * 80;
  const TDoublePoint expected[6] = {{0, 69.282}, {40, 69.282 + h}, {120, 69.282 + h},
                                    {160, 69.282}, {120, 69.282 - h}, {40, 69.282 - h}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(outline[i], expected[i]);
    ExpectNear(renderer.OutlinePoints()[i], expected[i]);
  }
  // The outline's own corners use the literal factor.
  EXPECT_DOUBLE_EQ(outline[1].Y - outline[0].Y, 0.8660254 * 80);
}

TEST(Geometry, KFRows) {
  const int lastOfRow[8] = {4, 9, 15, 22, 30, 37, 43, 48};
  int first = 1;
  for (int row = 1; row <= 8; ++row) {
    for (int n = first; n <= lastOfRow[row - 1]; ++n) {
      SCOPED_TRACE(n);
      EXPECT_EQ(TGFRenderer::KFRow(n), row);
    }
    first = lastOfRow[row - 1] + 1;
  }
}

TEST(Geometry, KFCentresInUnitsOfApothemAndRadius) {
  // First KF of each row: centre x in units of a, y in units of k; rows step 2 a.
  struct TRow {
    int First, Last;
    double X, Y;
  };
  const TRow rows[8] = {{1, 4, 5, 0.5},   {5, 9, 4, 2},   {10, 15, 3, 3.5}, {16, 22, 2, 5},
                        {23, 30, 1, 6.5}, {31, 37, 2, 8}, {38, 43, 3, 9.5}, {44, 48, 4, 11}};
  TClassicGFRenderer renderer;
  renderer.SetGFRadius(80);
  const double a = renderer.KFApothem();
  const double k = renderer.KFRadius();
  for (const TRow& row : rows)
    for (int n = row.First; n <= row.Last; ++n) {
      SCOPED_TRACE(n);
      ExpectNear(renderer.KFCentreOffset(n), {(row.X + 2 * (n - row.First)) * a, row.Y * k});
    }
  const struct {
    int N;
    TDoublePoint Centre;
  } named[] = {{1, {50, 5.774}},   {4, {110, 5.774}},  {5, {40, 23.094}},
               {23, {10, 75.056}}, {30, {150, 75.056}}, {48, {120, 127.017}}};
  for (const auto& c : named) {
    SCOPED_TRACE(c.N);
    ExpectNear(renderer.KFCentreOffset(c.N), c.Centre);
  }
}

TEST(Geometry, HexagonPointsAreAPointyTopHexagon) {
  const THexagon corners = TKFRenderer::HexagonPoints(100, 50, 10);
  const TDoublePoint expected[6] = {{100, 40},       {108.660254, 45}, {108.660254, 55},
                                    {100, 60},       {91.339746, 55},  {91.339746, 45}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(corners[i], expected[i], 1e-9);
  }
}

TEST(Geometry, SideMiddlesLieAtTheApothemInTheirDirection) {
  TClassicGFRenderer renderer;
  for (int d = 0; d < 6; ++d) {
    SCOPED_TRACE(d);
    const TSegment side = renderer.KFSide(17, d, 3, 7, 80);
    const TDoublePoint offset = renderer.KFCentreOffset(17);
    const TDoublePoint centre{3 + offset.X, 7 + offset.Y};
    ExpectNear(rendertest::Mid(side.A, side.B), rendertest::Towards(centre, 30 + 60.0 * d, renderer.KFApothem()));
    ExpectNear(side.A, renderer.KFHexagon(17, 3, 7, 80)[d], 1e-9);
  }
}

// Every inner edge is the same segment seen from both KF (the KF tile without gaps),
// and no border side is shared.
TEST(Geometry, NeighbouringKFShareTheirSides) {
  TClassicGFRenderer renderer;
  for (int n = 1; n <= 48; ++n)
    for (int d = 0; d < 6; ++d) {
      SCOPED_TRACE(::testing::Message() << "KF " << n << " side " << d);
      const TSegment side = renderer.KFSide(n, d, 0, 0, 80);
      const int m = KFNeighbour[n][d];
      if (m > 0) {
        const TSegment other = renderer.KFSide(m, OppositeDirection(d), 0, 0, 80);
        ExpectNear(side.A, other.B);
        ExpectNear(side.B, other.A);
        continue;
      }
      for (int other = 1; other <= 48; ++other)
        for (int e = 0; e < 6; ++e) {
          if (other == n) continue;
          const TSegment s = renderer.KFSide(other, e, 0, 0, 80);
          const bool same = std::hypot(s.A.X - side.B.X, s.A.Y - side.B.Y) < Eps &&
                            std::hypot(s.B.X - side.A.X, s.B.Y - side.A.Y) < Eps;
          EXPECT_FALSE(same) << "shared with KF " << other;
        }
    }
}

TEST(Geometry, RowFiveSpansTheFullWidthAndRowOneReachesAboveTheOutline) {
  TClassicGFRenderer renderer;
  EXPECT_NEAR(renderer.KFHexagon(23, 0, 0, 80)[4].X, 0, Eps);
  EXPECT_NEAR(renderer.KFHexagon(30, 0, 0, 80)[1].X, 160, Eps);
  EXPECT_NEAR(renderer.KFHexagon(1, 0, 0, 80)[0].Y, -0.5 * renderer.KFRadius(), Eps);
  EXPECT_NEAR(renderer.KFHexagon(48, 0, 0, 80)[3].Y, 2 * renderer.GFHalfHeight(), Eps);
}

TEST(Geometry, GeometryCallsWithAnRSetTheRadius) {
  TClassicGFRenderer renderer;
  renderer.SetGFRadius(80);
  renderer.KFHexagon(1, 0, 0, 40);
  EXPECT_DOUBLE_EQ(renderer.GFRadius(), 40);
  renderer.KFSide(1, 0, 0, 0, 20);
  EXPECT_DOUBLE_EQ(renderer.KFApothem(), 2.5);
  renderer.GFHexagon(0, 0, 160);
  EXPECT_DOUBLE_EQ(renderer.GFRadius(), 160);
  // KFCentreOffset itself reads the current sizes only.
  renderer.KFCentreOffset(5);
  EXPECT_DOUBLE_EQ(renderer.GFRadius(), 160);
}

TEST(Geometry, DegreesUseTheRoundedPi) {
  EXPECT_DOUBLE_EQ(DegToRad(30), 0.5235987833333333);
  EXPECT_DOUBLE_EQ(DegToRad(90), 1.57079635);
}

}  // namespace
