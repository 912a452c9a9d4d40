// The fourteen edge features of the classic GF renderer: where each one shows, which
// KF draws an inner edge, and the pen each leaves on the context.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RenderTestSupport.h"
#include "render/Renderer.h"
#include "support/GFFixtures.h"

namespace {

using namespace rendertest;

constexpr TRGB Blue{0, 0, 1};
constexpr TRGB Red{1, 0, 0};
constexpr TRGB Grey{0.5, 0.5, 0.5};
constexpr TRGB Olive{0.5, 0.5, 0};
constexpr TRGB PassageGrey{0.7, 0.7, 0.7};

constexpr double R = 240;
constexpr double OriginX = 60;
constexpr double OriginY = 60;

using TFeatureOp = void (TGFRenderer::*)(cairo_t*, const TGF&, double, double, double);

// A classic renderer with the sizes of R and a transparent surface around one GF;
// the tests draw single feature operations onto it.
class EdgeFeatures : public ::testing::Test {
 protected:
  EdgeFeatures() : Probe(620, 540) { Renderer.SetGFRadius(R); }

  void Fresh() { Probe = TPixelProbe(620, 540); }
  void Draw(TFeatureOp op, const TGF& gf) { (Renderer.*op)(Probe.Cr(), gf, OriginX, OriginY, R); }
  // Drawing twice on the same spot with XOR clears it again: a stroke that is drawn
  // once stays opaque, one drawn twice vanishes.
  void UseXor() { cairo_set_operator(Probe.Cr(), CAIRO_OPERATOR_XOR); }

  TDoublePoint Centre(int n) const {
    const TDoublePoint offset = Renderer.KFCentreOffset(n);
    return {OriginX + offset.X, OriginY + offset.Y};
  }
  double a() const { return Renderer.KFApothem(); }
  double k() const { return Renderer.KFRadius(); }
  TSegment Side(int n, int d) { return Renderer.KFSide(n, d, OriginX, OriginY, R); }
  // Along from the centre of KF n towards the middle of side d, across to the right.
  TDoublePoint At(int n, int d, double along, double across = 0) const { return SidePoint(Centre(n), d, along, across); }

  ::testing::AssertionResult Shows(TDoublePoint p, const std::optional<TRGB>& colour) const {
    if (colour) return Is(Probe, p, *colour);
    return Probe.IsTransparent(p.X, p.Y);
  }
  int InkedPixels() const { return Probe.CountInked(0, 0, Probe.Width(), Probe.Height()); }

  TClassicGFRenderer Renderer;
  TPixelProbe Probe;
};

// A point given along the side's direction and across it, in units of k.
struct TSideProbe {
  double Along;
  double Across;
  std::optional<TRGB> Colour;
};

struct TFeatureCase {
  std::string Name;
  EEdgeFeature Feature;
  TFeatureOp Op;
  std::vector<TSideProbe> Probes;
};

constexpr double A = 0.8660254;  // the apothem in units of k
const std::nullopt_t None = std::nullopt;

// The point of the bridge frame (fx, fy in units of a) of side d around centre c.
TDoublePoint BridgeFramePoint(TDoublePoint c, int d, double a, double fx, double fy) {
  static constexpr double Degrees[6] = {-60, 0, 60, -60, 0, 60};
  const double t = Degrees[d] * 3.14159265358979 / 180;
  const double x = (d <= 2 ? a : -a) + fx * a;
  const double y = fy * a;
  return {c.X + x * std::cos(t) - y * std::sin(t), c.Y + x * std::sin(t) + y * std::cos(t)};
}

const std::vector<TFeatureCase>& StrokeCases() {
  static const std::vector<TFeatureCase> cases = {
      {"River", EdgeRiver, &TGFRenderer::DrawRiverFeature,
       {{A, 0, Blue}, {0.9 * A, 0, Blue}, {A, 0.4, Blue}, {0.75 * A, 0, None}}},
      {"Pass", EdgePass, &TGFRenderer::DrawPassFeature, {{A, 0, Red}, {0.7 * A, 0, Red}, {0.55 * A, 0, None}}},
      {"Trench", EdgeTrench, &TGFRenderer::DrawTrenchFeature, {{A, 0, Olive}, {0.75 * A, 0, None}}},
      // Three ticks across the side, from 1.2 k to 0.6 k from the centre.
      {"Slope", EdgeSlope, &TGFRenderer::DrawSlopeFeature,
       {{A, 0, Black}, {A, 0.3 * A, Black}, {A, -0.3 * A, Black}, {1.15, 0, Black}, {A, 0.15 * A, None}, {0.45, 0, None}}},
      // One long tick from 1.3 k to 0.4 k.
      {"Gate", EdgeGate, &TGFRenderer::DrawGateFeature,
       {{A, 0, Black}, {0.5, 0, Black}, {1.25, 0, Black}, {0.2, 0, None}, {A, 0.2, None}}},
  };
  return cases;
}

TEST_F(EdgeFeatures, StrokesLieOnTheirSideForEverySide) {
  for (const TFeatureCase& c : StrokeCases())
    for (int d = 0; d < 6; ++d) {
      SCOPED_TRACE(::testing::Message() << c.Name << " side " << d);
      Fresh();
      TGF gf;
      // KF 1 owns all six of its sides.
      gf.Kf(1).SetEdge(c.Feature, uint16_t(1u << d));
      Draw(c.Op, gf);
      for (const TSideProbe& p : c.Probes)
        EXPECT_TRUE(Shows(At(1, d, p.Along * k(), p.Across * k()), p.Colour)) << p.Along << ", " << p.Across;
    }
}

TEST_F(EdgeFeatures, BridgeArchAndLandingCrossSitOnTheSideMiddle) {
  struct TFrameProbe {
    double X, Y;
    bool Ink;
  };
  const struct {
    EEdgeFeature Feature;
    TFeatureOp Op;
    std::vector<TFrameProbe> Probes;
  } cases[] = {
      {EdgeBridge, &TGFRenderer::DrawBridgeFeature,
       {{0, -0.2, true}, {-0.5, 0.3, true}, {0.5, 0.3, true}, {0, 0, false}, {0, 0.25, false}}},
      {EdgeLanding, &TGFRenderer::DrawLandingFeature,
       {{0, 0, true}, {0.2, 0.2, true}, {-0.2, 0.2, true}, {0.3, 0, false}, {0, 0.3, false}}},
  };
  for (const auto& c : cases)
    for (int d = 0; d < 6; ++d) {
      SCOPED_TRACE(::testing::Message() << "feature " << int(c.Feature) << " side " << d);
      Fresh();
      TGF gf;
      gf.Kf(1).SetEdge(c.Feature, uint16_t(1u << d));
      Draw(c.Op, gf);
      for (const TFrameProbe& p : c.Probes)
        EXPECT_TRUE(Shows(BridgeFramePoint(Centre(1), d, a(), p.X, p.Y), p.Ink ? std::optional(Black) : None))
            << p.X << ", " << p.Y;
    }
}

TEST_F(EdgeFeatures, InnerEdgesAreDrawnOnceByTheLowerKF) {
  const struct {
    EEdgeFeature Feature;
    TFeatureOp Op;
    TRGB Colour;
  } cases[] = {
      {EdgeRiver, &TGFRenderer::DrawRiverFeature, Blue},   {EdgePass, &TGFRenderer::DrawPassFeature, Red},
      {EdgeTrench, &TGFRenderer::DrawTrenchFeature, Olive}, {EdgeSlope, &TGFRenderer::DrawSlopeFeature, Black},
      {EdgeGate, &TGFRenderer::DrawGateFeature, Black},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.Feature));
    {
      // Mirrored onto KF 18's W side; drawn twice, XOR would clear it.
      Fresh();
      UseXor();
      TGF gf;
      gf.AddFeature(c.Feature, 17, 1);
      ASSERT_TRUE(gf.Kf(18).Edge(c.Feature) & (1u << 4));
      Draw(c.Op, gf);
      EXPECT_TRUE(Shows(At(17, 1, a()), c.Colour));
    }
    {
      // Only the higher-numbered KF holds the bit: nobody draws it.
      Fresh();
      TGF gf;
      gf.Kf(18).SetEdge(c.Feature, 1u << 4);
      Draw(c.Op, gf);
      EXPECT_EQ(InkedPixels(), 0);
    }
  }
}

TEST_F(EdgeFeatures, ABorderSideIsDrawnByItsOwnKF) {
  TGF gf;
  gf.Kf(4).River = 1u << 1;  // KF 4's E side lies on the outline
  gf.Kf(48).River = 1u << 2;
  Draw(&TGFRenderer::DrawRiverFeature, gf);
  EXPECT_TRUE(Shows(At(4, 1, a()), Blue));
  EXPECT_TRUE(Shows(At(48, 2, a()), Blue));
}

TEST_F(EdgeFeatures, WadiIsADottedLineWhoseDashesScaleWithR) {
  TGF gf;
  gf.Kf(1).Wadi = 1u << 1;
  Draw(&TGFRenderer::DrawWadiFeature, gf);
  const TSegment side = Side(1, 1);
  const double length = std::hypot(side.B.X - side.A.X, side.B.Y - side.A.Y);
  const auto along = [&](double t) {
    return TDoublePoint{side.A.X + (side.B.X - side.A.X) * t / length, side.A.Y + (side.B.Y - side.A.Y) * t / length};
  };
  // On R/160, off R/20: with R = 240 dots at 0 and 13.5, each with round caps of 0.15 a.
  EXPECT_TRUE(Shows(along(R / 320), Black));
  EXPECT_TRUE(Shows(along(R / 160 + R / 20 + R / 320), Black));
  EXPECT_TRUE(Shows(along(R / 160 + R / 40), None));
  EXPECT_EQ(cairo_get_dash_count(Probe.Cr()), 0);
}

TEST_F(EdgeFeatures, WallsLieInsideEachKFThatHoldsThem) {
  UseXor();
  TGF gf;
  gf.AddWall(17, 1);
  gf.AddWall(18, 4);
  Draw(&TGFRenderer::DrawWallFeature, gf);
  EXPECT_TRUE(Shows(At(17, 1, 0.85 * a()), Black));
  EXPECT_TRUE(Shows(At(18, 4, 0.85 * a()), Black));
  EXPECT_TRUE(Shows(At(17, 1, a()), None));
  // 85 % of the side: towards corner A the wall ends before the corner.
  const TSegment side = Side(17, 1);
  const TDoublePoint c = Centre(17);
  const auto towardsA = [&](double t) { return TDoublePoint{c.X + t * (side.A.X - c.X), c.Y + t * (side.A.Y - c.Y)}; };
  EXPECT_TRUE(Shows(towardsA(0.8), Black));
  EXPECT_TRUE(Shows(towardsA(0.97), None));
}

TEST_F(EdgeFeatures, RoadSidesAreDrawnByEveryKFThatHoldsThem) {
  {
    TGF gf;
    gf.Kf(17).Road = 1u << 1;
    Draw(&TGFRenderer::DrawRoadFeature, gf);
    EXPECT_TRUE(Shows(At(17, 1, a()), Grey));
  }
  {
    Fresh();
    UseXor();
    TGF gf;
    gf.AddRoad(17, 1);  // KF 18 holds the W side as well and draws it again
    Draw(&TGFRenderer::DrawRoadFeature, gf);
    EXPECT_TRUE(Shows(At(17, 1, a()), None));
  }
}

TEST_F(EdgeFeatures, RoadFlagsDrawCornerToCornerLinesThroughTheCentre) {
  // Bits 6/9 top-bottom, 7/10 upper right-lower left, 8/11 lower right-upper left;
  // the lines run through corners, at 0, 60 and 120 degrees from straight up.
  for (int bit = 6; bit < 12; ++bit) {
    SCOPED_TRACE(bit);
    Fresh();
    TGF gf;
    gf.Kf(17).Road = uint16_t(1u << bit);
    Draw(&TGFRenderer::DrawRoadFeature, gf);
    for (int line = 0; line < 3; ++line) {
      const std::optional<TRGB> expected = line == (bit - 6) % 3 ? std::optional(Grey) : None;
      EXPECT_TRUE(Shows(Towards(Centre(17), 60.0 * line, 0.6 * k()), expected)) << "line " << line;
      EXPECT_TRUE(Shows(Towards(Centre(17), 60.0 * line + 180, 0.6 * k()), expected)) << "line " << line;
    }
  }
  Fresh();
  UseXor();
  TGF gf;
  gf.Kf(17).Road = (1u << 6) | (1u << 9);
  Draw(&TGFRenderer::DrawRoadFeature, gf);
  EXPECT_TRUE(Shows(Towards(Centre(17), 0, 0.6 * k()), None));
}

TEST_F(EdgeFeatures, CliffAndPassageFillTheHalfTowardsTheirSide) {
  const struct {
    EEdgeFeature Feature;
    TFeatureOp Op;
    TRGB Colour;
  } cases[] = {{EdgeCliff, &TGFRenderer::DrawCliffFeature, Water},
               {EdgePassage, &TGFRenderer::DrawPassageFeature, PassageGrey}};
  for (const auto& c : cases)
    for (int d = 0; d < 6; ++d) {
      SCOPED_TRACE(::testing::Message() << "feature " << int(c.Feature) << " side " << d);
      Fresh();
      TGF gf;
      gf.Kf(17).SetEdge(c.Feature, uint16_t(1u << d));
      Draw(c.Op, gf);
      // The half between side d and the diagonal from corner d - 1 to corner d + 2
      // holds the middles of sides d - 1, d and d + 1.
      for (int e = -1; e <= 4; ++e)
        EXPECT_TRUE(Shows(At(17, (d + e + 6) % 6, 0.5 * a()), e <= 1 ? std::optional(c.Colour) : None)) << "side " << e;
    }
}

TEST_F(EdgeFeatures, ChannelsAreSpokesFromARoundJunction) {
  for (int d = 0; d < 6; ++d) {
    SCOPED_TRACE(d);
    Fresh();
    TGF gf;
    gf.Kf(17).Channel = uint8_t(1u << d);
    Draw(&TGFRenderer::DrawChannelFeature, gf);
    const int back = (d + 3) % 6;
    EXPECT_TRUE(Shows(At(17, back, 0.15 * a()), White));
    EXPECT_TRUE(Shows(At(17, d, 0.7 * a()), White));
    EXPECT_TRUE(Shows(At(17, d, 0.7 * a(), 0.38 * a()), Olive));
    EXPECT_TRUE(Shows(At(17, d, 0.7 * a(), 0.6 * a()), None));
    // The junction is round (0.45 a), the spoke ends at the side with a butt end.
    EXPECT_TRUE(Shows(At(17, back, 0.38 * a()), Olive));
    EXPECT_TRUE(Shows(At(17, back, 0.6 * a()), None));
    EXPECT_TRUE(Shows(At(17, d, 1.1 * a()), None));
  }
}

TEST_F(EdgeFeatures, AGFWithoutChannelsDrawsNoneButLeavesButtCaps) {
  cairo_set_line_cap(Probe.Cr(), CAIRO_LINE_CAP_ROUND);
  TGF gf;
  Draw(&TGFRenderer::DrawChannelFeature, gf);
  EXPECT_EQ(InkedPixels(), 0);
  EXPECT_EQ(cairo_get_line_cap(Probe.Cr()), CAIRO_LINE_CAP_BUTT);
}

TEST_F(EdgeFeatures, RapidsFillTheirHalfAndWaveAlongTheSide) {
  for (int d = 0; d < 6; ++d) {
    SCOPED_TRACE(d);
    Fresh();
    TGF gf;
    gf.Kf(1).Rapids = uint8_t(1u << d);
    Draw(&TGFRenderer::DrawRapidsFeature, gf);
    // Three waves half a side length apart: on the side and on both sides of it.
    EXPECT_TRUE(Shows(At(1, d, a()), Blue));
    EXPECT_TRUE(Shows(At(1, d, a() - 0.5 * k()), Blue));
    EXPECT_TRUE(Shows(At(1, d, a() + 0.5 * k()), Blue));
    EXPECT_TRUE(Shows(At(1, d, a() - 0.25 * k()), Water));
    EXPECT_TRUE(Shows(At(1, (d + 3) % 6, 0.5 * a()), None));
  }
}

TEST_F(EdgeFeatures, RapidsWavesBelongToTheLowerKFTheFillToEvery) {
  TGF gf;
  gf.Kf(18).Rapids = 1u << 4;
  Draw(&TGFRenderer::DrawRapidsFeature, gf);
  EXPECT_TRUE(Shows(At(18, 4, 0.5 * a()), Water));
  EXPECT_TRUE(Shows(At(18, 4, a() - 0.5 * k()), Water));  // no inner wave
  EXPECT_TRUE(Shows(At(18, 4, a() + 0.5 * k()), None));   // no outer wave
}

// Each operation sets its own colour, width and caps and leaves them set.
TEST_F(EdgeFeatures, EachOperationLeavesItsPenOnTheContext) {
  const struct {
    std::string Name;
    TFeatureOp Op;
    double Width;  // in units of a
    cairo_line_cap_t Cap;
    TRGB Colour;
  } cases[] = {
      {"River", &TGFRenderer::DrawRiverFeature, 0.3, CAIRO_LINE_CAP_ROUND, Blue},
      {"Wadi", &TGFRenderer::DrawWadiFeature, 0.3, CAIRO_LINE_CAP_ROUND, Black},
      {"Wall", &TGFRenderer::DrawWallFeature, 0.25, CAIRO_LINE_CAP_ROUND, Black},
      {"Pass", &TGFRenderer::DrawPassFeature, 0.7, CAIRO_LINE_CAP_ROUND, Red},
      {"Slope", &TGFRenderer::DrawSlopeFeature, 0.1, CAIRO_LINE_CAP_ROUND, Black},
      {"Road", &TGFRenderer::DrawRoadFeature, 0.2, CAIRO_LINE_CAP_ROUND, Grey},
      {"Gate", &TGFRenderer::DrawGateFeature, 0.2, CAIRO_LINE_CAP_ROUND, Black},
      {"Bridge", &TGFRenderer::DrawBridgeFeature, 0.15, CAIRO_LINE_CAP_ROUND, Black},
      {"Landing", &TGFRenderer::DrawLandingFeature, 0.1, CAIRO_LINE_CAP_ROUND, Black},
      {"Cliff", &TGFRenderer::DrawCliffFeature, 0.2, CAIRO_LINE_CAP_ROUND, Water},
      {"Passage", &TGFRenderer::DrawPassageFeature, 0.2, CAIRO_LINE_CAP_ROUND, PassageGrey},
      {"Trench", &TGFRenderer::DrawTrenchFeature, 0.3, CAIRO_LINE_CAP_ROUND, Olive},
      {"Channel", &TGFRenderer::DrawChannelFeature, 0.6, CAIRO_LINE_CAP_BUTT, White},
      {"Rapids", &TGFRenderer::DrawRapidsFeature, 0.1, CAIRO_LINE_CAP_ROUND, Blue},
  };
  const auto gf = fixtures::GFWithEveryFeature();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    cairo_t* cr = Probe.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_width(cr, 99);
    cairo_set_source_rgb(cr, 1, 0, 1);
    Draw(c.Op, *gf);
    EXPECT_EQ(cairo_get_line_cap(cr), c.Cap);
    EXPECT_NEAR(cairo_get_line_width(cr), c.Width * a(), 1e-9);
    double r, g, b, alpha;
    ASSERT_EQ(cairo_pattern_get_rgba(cairo_get_source(cr), &r, &g, &b, &alpha), CAIRO_STATUS_SUCCESS);
    EXPECT_NEAR(r, c.Colour.R, 1e-9);
    EXPECT_NEAR(g, c.Colour.G, 1e-9);
    EXPECT_NEAR(b, c.Colour.B, 1e-9);
    EXPECT_EQ(cairo_get_dash_count(cr), 0);
  }
  EXPECT_EQ(cairo_get_line_join(Probe.Cr()), CAIRO_LINE_JOIN_ROUND);  // set by the bridges
}

}  // namespace
