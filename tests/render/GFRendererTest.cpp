// The GF renderer frame and its styles: the classes each style creates, their colour
// tables, the drawing order of Paint and DrawGF, and what each style leaves out.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <typeinfo>
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
constexpr TRGB PaleGreen{0.8, 1, 0.8};

const char* StyleName(ERenderStyle style) {
  return style == RenderStyleClassic ? "classic" : style == RenderStyleSimplified ? "simplified" : "protocol";
}

TEST(RenderStyles, EachStyleCreatesItsOwnKFAndSymbolRenderer) {
  const auto classic = CreateGFRenderer(RenderStyleClassic);
  const auto simplified = CreateGFRenderer(RenderStyleSimplified);
  const auto protocol = CreateGFRenderer(RenderStyleProtocol);
  EXPECT_NE(dynamic_cast<TClassicGFRenderer*>(classic.get()), nullptr);
  EXPECT_NE(dynamic_cast<TSimplifiedGFRenderer*>(simplified.get()), nullptr);
  EXPECT_NE(dynamic_cast<TProtocolGFRenderer*>(protocol.get()), nullptr);
  // The protocol KF renderer is a classic one; the classic symbol renderer's only
  // kin is the simplified one.
  EXPECT_EQ(typeid(classic->KFRenderer()), typeid(TClassicKFRenderer));
  EXPECT_EQ(typeid(simplified->KFRenderer()), typeid(TSimplifiedKfRenderer));
  EXPECT_EQ(typeid(protocol->KFRenderer()), typeid(TProtocolKFRenderer));
  EXPECT_NE(dynamic_cast<const TClassicKFRenderer*>(&protocol->KFRenderer()), nullptr);
  EXPECT_EQ(typeid(classic->SymbolRenderer()), typeid(TClassicSymbolRenderer));
  EXPECT_EQ(typeid(simplified->SymbolRenderer()), typeid(TSimplifiedSymbolRenderer));
  EXPECT_EQ(typeid(protocol->SymbolRenderer()), typeid(TProtocolSymbolRenderer));
  for (const ERenderStyle style : {RenderStyleClassic, RenderStyleSimplified, RenderStyleProtocol})
    EXPECT_EQ(RenderStyleOf(*CreateGFRenderer(style)), style) << StyleName(style);
}

TEST(RenderStyles, ColourTablesDifferFromClassicOnlyWhereTheStyleSaysSo) {
  const TClassicGFRenderer classic;
  const TSimplifiedGFRenderer simplified;
  const TProtocolGFRenderer protocol;
  for (int i = 0; i < TGFRenderer::ColourCount; ++i) {
    SCOPED_TRACE(i);
    const TRGB& c = classic.ColourTable()[i];
    EXPECT_EQ(simplified.ColourTable()[i], i == GFColourPass ? PaleGreen : c);
    const TRGB expected = i == GFColourRiver    ? Black
                          : i == GFColourPass   ? White
                          : i == GFColourRapids ? LightGrey
                                                : c;
    EXPECT_EQ(protocol.ColourTable()[i], expected);
  }
  for (int i = 0; i < TKFRenderer::ColourCount; ++i) {
    SCOPED_TRACE(i);
    const TRGB& c = classic.KFRenderer().ColourTable()[i];
    EXPECT_EQ(simplified.KFRenderer().ColourTable()[i], c);
    const TRGB expected = i == KFColourMountain ? Black : i == KFColourStream || i == KFColourWater ? LightGrey : c;
    EXPECT_EQ(protocol.KFRenderer().ColourTable()[i], expected);
  }
  EXPECT_EQ(classic.Colour(GFColourRapids), Water);
  EXPECT_EQ(classic.KFRenderer().Colour(KFColourWater), Water);
}

constexpr double R = 240;
constexpr double OX = 60;
constexpr double OY = 60;

// One GF of one style at R on a background.
class GFScene {
 public:
  explicit GFScene(ERenderStyle style, double radius = R)
      : Renderer(CreateGFRenderer(style)), Probe(int(2 * (radius + OX)), int(1.8 * radius + 2 * OY)) {
    FillBackground(Probe);
    Renderer->SetGFRadius(radius);
  }
  cairo_t* Cr() const { return Probe.Cr(); }
  TDoublePoint Centre(int n) const {
    const TDoublePoint offset = Renderer->KFCentreOffset(n);
    return {OX + offset.X, OY + offset.Y};
  }
  TDoublePoint At(int n, int d, double along, double across = 0) const { return SidePoint(Centre(n), d, along, across); }
  double a() const { return Renderer->KFApothem(); }
  double k() const { return Renderer->KFRadius(); }
  // Pixels differing from the background within a square around the centre of KF n.
  int InkAround(int n, double half) const {
    const TDoublePoint c = Centre(n);
    return Probe.CountDifferent(c.X - half, c.Y - half, c.X + half, c.Y + half, Background.R, Background.G,
                                Background.B);
  }

  std::unique_ptr<TGFRenderer> Renderer;
  TPixelProbe Probe;
};

TEST(Paint, StrokesTheOutlineTwiceExceptInTheSimplifiedStyle) {
  // With XOR a second stroke clears the first. Void and Unknown draw nothing near the
  // outline in these styles.
  const struct {
    ERenderStyle Style;
    uint16_t Terrain;
    bool Twice;
  } cases[] = {{RenderStyleClassic, TVoid::Code, true},
               {RenderStyleSimplified, TVoid::Code, false},
               {RenderStyleProtocol, TUnknown::Code, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(StyleName(c.Style));
    GFScene scene(c.Style);
    scene.Probe = TPixelProbe(620, 540);
    cairo_set_operator(scene.Cr(), CAIRO_OPERATOR_XOR);
    const auto gf = fixtures::UniformGF(c.Terrain);
    scene.Renderer->Paint(scene.Cr(), *gf, OX, OY, R);
    const THexagon outline = scene.Renderer->GFHexagon(OX, OY, R);
    const TDoublePoint edge = Mid(outline[3], outline[4]);
    if (c.Twice)
      EXPECT_TRUE(scene.Probe.IsTransparent(edge.X, edge.Y));
    else
      EXPECT_TRUE(Is(scene.Probe, edge, Black));
  }
}

TEST(Paint, NeverDrawsLabels) {
  GFScene scene(RenderStyleProtocol);
  TGF gf;
  scene.Renderer->Paint(scene.Cr(), gf, OX, OY, R);
  // The label box would be white in the upper part of the GF.
  EXPECT_TRUE(Is(scene.Probe, {OX + R, OY + 0.3 * scene.Renderer->GFHalfHeight()}, Background));
}

TEST(DrawLabels, DrawsNothingOutsideTheProtocolStyle) {
  for (const ERenderStyle style : {RenderStyleClassic, RenderStyleSimplified}) {
    GFScene scene(style);
    const auto gf = fixtures::BusyProtocolGF();
    scene.Renderer->DrawLabels(scene.Cr(), *gf, OX, OY, R);
    EXPECT_EQ(scene.Probe.CountDifferent(0, 0, 620, 540, Background.R, Background.G, Background.B), 0)
        << StyleName(style);
  }
}

TEST(DrawOutline, FollowsTheCurrentRadiusNotItsArgument) {
  GFScene scene(RenderStyleClassic);
  TGF gf;
  scene.Renderer->SetGFRadius(200);
  scene.Renderer->DrawOutline(scene.Cr(), gf, OX, OY, 100);
  const THexagon big = TClassicGFRenderer().GFHexagon(OX, OY, 200);
  const THexagon small = TClassicGFRenderer().GFHexagon(OX, OY, 100);
  EXPECT_TRUE(Is(scene.Probe, Mid(big[3], big[4]), Black));
  EXPECT_TRUE(Is(scene.Probe, Mid(small[3], small[4]), Background));
  EXPECT_DOUBLE_EQ(cairo_get_line_width(scene.Cr()), 0.15 * scene.Renderer->KFRadius());
}

TEST(DrawGF, LaterPassesCoverEarlierOnes) {
  {
    SCOPED_TRACE("passage over cliff");
    GFScene scene(RenderStyleClassic);
    TGF gf;
    gf.AddCliff(17, 1);
    gf.AddPassage(17, 1);
    scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
    EXPECT_TRUE(Is(scene.Probe, scene.At(17, 1, 0.5 * scene.a()), PassageGrey));
  }
  {
    SCOPED_TRACE("trade center over rapids, rapids over tower and wall");
    GFScene scene(RenderStyleClassic);
    TGF gf;
    gf.Kf(17).SetTradeCenter(TCity());
    gf.Kf(18).SetBuilding(TTower());
    gf.Kf(17).Rapids = 1u << 1;
    gf.Kf(18).Rapids = 1u << 4;
    gf.Kf(18).Wall = 1u << 4;
    scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
    EXPECT_TRUE(Is(scene.Probe, scene.At(17, 1, 0.2 * scene.k()), Black));
    EXPECT_TRUE(Is(scene.Probe, scene.At(18, 4, 0.6 * scene.k()), Water));
    EXPECT_TRUE(Is(scene.Probe, scene.At(18, 4, 0.85 * scene.a()), Water));
  }
}

TEST(DrawGF, SymbolsInheritTheCapsEarlierFeaturesLeave) {
  GFScene scene(RenderStyleClassic, 2 * R);
  TGF gf;
  gf.Kf(17).SetTradeCenter(TFortress());
  gf.Kf(20).SetSpecialBuilding(TPortal());
  scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, 2 * R);
  const double k = scene.k();
  // Trade centers come after the rapids' round caps: the X's ends are rounded.
  const TDoublePoint c17 = scene.Centre(17);
  EXPECT_TRUE(Is(scene.Probe, {c17.X + 0.43 * k, c17.Y + 0.43 * k}, Black));
  // Special buildings come after the channels' butt caps: the portal's legs end flat.
  const TDoublePoint c20 = scene.Centre(20);
  EXPECT_TRUE(Is(scene.Probe, {c20.X + 0.35 * k, c20.Y + 0.37 * k}, Black));
  EXPECT_TRUE(Is(scene.Probe, {c20.X + 0.35 * k, c20.Y + 0.44 * k}, Background));
}

TEST(SimplifiedPaint, LeavesOutChannelsAndDrawsWallsOverRapids) {
  TGF gf;
  gf.AddChannel(17, 1);
  gf.Kf(18).Rapids = 1u << 4;
  gf.Kf(18).Wall = 1u << 4;
  {
    GFScene scene(RenderStyleSimplified);
    scene.Renderer->Paint(scene.Cr(), gf, OX, OY, R);
    EXPECT_EQ(scene.InkAround(17, 0.5 * scene.a()), 0);
    EXPECT_TRUE(Is(scene.Probe, scene.At(18, 4, 0.85 * scene.a()), Black));
  }
  {
    // The map views call DrawGF, which keeps the channels.
    GFScene scene(RenderStyleSimplified);
    scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
    EXPECT_TRUE(Is(scene.Probe, scene.Centre(17), White));
  }
}

// Each feature alone on KF 17's E side (and KF 18's W side where it is mirrored),
// drawn by DrawGF of each style.
TEST(DrawGF, EachStyleDrawsItsFeaturesInItsColours) {
  struct TStyleResult {
    bool Drawn;
    std::optional<TRGB> Colour;  // at the probe, when drawn
  };
  const struct {
    std::string Name;
    EEdgeFeature Feature;
    double Along;  // probe, in units of a from KF 17's centre towards its E side
    TStyleResult Classic, Simplified, Protocol;
  } cases[] = {
      {"River", EdgeRiver, 1, {true, Blue}, {false, {}}, {false, {}}},
      {"Wadi", EdgeWadi, 1, {true, {}}, {false, {}}, {false, {}}},
      {"Wall", EdgeWall, 0.85, {true, Black}, {true, Black}, {false, {}}},
      {"Pass", EdgePass, 1, {true, Red}, {true, PaleGreen}, {true, White}},
      {"Slope", EdgeSlope, 1, {true, Black}, {false, {}}, {false, {}}},
      {"Road", EdgeRoad, 1, {true, Grey}, {true, Grey}, {true, Grey}},
      {"Gate", EdgeGate, 1, {true, Black}, {false, {}}, {false, {}}},
      {"Bridge", EdgeBridge, 1, {true, {}}, {false, {}}, {false, {}}},
      {"Landing", EdgeLanding, 1, {true, Black}, {true, Black}, {true, Black}},
      {"Cliff", EdgeCliff, 0.5, {true, Water}, {true, Water}, {true, LightGrey}},
      {"Passage", EdgePassage, 0.5, {true, PassageGrey}, {true, Black}, {false, {}}},
      {"Trench", EdgeTrench, 1, {true, Olive}, {false, {}}, {false, {}}},
      {"Channel", EdgeChannel, 0.7, {true, White}, {true, White}, {true, White}},
      {"Rapids waves", EdgeRapids, 1, {true, Blue}, {true, Black}, {true, Black}},
      {"Rapids fill", EdgeRapids, 0.25, {true, Water}, {true, Water}, {true, LightGrey}},
  };
  for (const auto& c : cases)
    for (const ERenderStyle style : {RenderStyleClassic, RenderStyleSimplified, RenderStyleProtocol}) {
      SCOPED_TRACE(::testing::Message() << c.Name << ", " << StyleName(style));
      const TStyleResult& expected =
          style == RenderStyleClassic ? c.Classic : style == RenderStyleSimplified ? c.Simplified : c.Protocol;
      GFScene scene(style);
      TGF gf;
      gf.AddFeature(c.Feature, 17, 1);
      scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
      const int ink = scene.InkAround(17, 2 * scene.k());
      EXPECT_EQ(ink > 0, expected.Drawn) << ink << " pixels";
      if (expected.Colour) {
        EXPECT_TRUE(Is(scene.Probe, scene.At(17, 1, c.Along * scene.a()), *expected.Colour));
      }
    }
}

TEST(SymbolPasses, DispatchEachSlotByItsOwnTable) {
  const struct {
    std::string Name;
    int Slot;  // 0 trade center, 1 building, 2 special building
    uint8_t Code;
    bool Drawn;
  } cases[] = {
      {"fortress", 0, TradeCenterFortress, true},     {"ruined city", 0, TradeCenterRuinedCity, true},
      {"no trade center", 0, TradeCenterNone, false}, {"foundation", 1, BuildingFoundation, true},
      {"river bridge", 1, BuildingRiverBridge, true}, {"pyramid donjon", 1, BuildingPyramidDonjon, true},
      {"special kind as building", 1, BuildingObelisk, false},
      {"GHZ as building", 1, BuildingGHZ, false},     {"tomb", 2, BuildingTomb, true},
      {"pyramid tower as special", 2, BuildingPyramidTower, true},
      {"pyramid donjon as special", 2, BuildingPyramidDonjon, false},
      {"GHZ", 2, BuildingGHZ, false},                 {"tower as special", 2, BuildingTower, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    GFScene scene(RenderStyleClassic);
    TGF gf;
    TKf& kf = gf.Kf(17);
    if (c.Slot == 0) kf.SetTradeCenter(TTradeCenter(c.Code));
    if (c.Slot == 1) kf.SetBuilding(TBuilding(c.Code));
    if (c.Slot == 2) kf.SetSpecialBuilding(TBuilding(c.Code));
    scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
    EXPECT_EQ(scene.InkAround(17, scene.k()) > 0, c.Drawn);
  }
}

TEST(SymbolPasses, StreamBridgeRunsTowardsTheSideItFaces) {
  for (int d = 0; d < 6; ++d) {
    SCOPED_TRACE(d);
    GFScene scene(RenderStyleClassic);
    TGF gf;
    TStreamBridge bridge;
    bridge.SetDirection(static_cast<EStreamBridgeDirection>(d));
    gf.Kf(17).SetBuilding(bridge);
    scene.Renderer->DrawGF(scene.Cr(), gf, OX, OY, R);
    // The railings lie 0.3 r either side of the line towards the middle of side d.
    const double k = scene.k();
    EXPECT_TRUE(Is(scene.Probe, scene.At(17, d, 0.4 * k, 0.3 * k), Black));
    EXPECT_TRUE(Is(scene.Probe, scene.At(17, d, -0.4 * k, -0.3 * k), Black));
    EXPECT_TRUE(Is(scene.Probe, scene.At(17, d, 0.4 * k), Background));
  }
}

TEST(DrawKFs, DrawsEachKFAtItsCentreWithTheKFRadius) {
  GFScene scene(RenderStyleClassic);
  const auto gf = fixtures::GFWithEveryTerrain();
  scene.Renderer->DrawKFs(scene.Cr(), *gf, OX, OY, R);
  // KF 12 is plain, KF 21 highland, KF 41 vulcano.
  EXPECT_TRUE(Is(scene.Probe, scene.Centre(12), {0, 1, 0}));
  EXPECT_TRUE(Is(scene.Probe, scene.At(21, 0, 0.5 * scene.a()), {1, 0.7, 0.1}));
  EXPECT_TRUE(Is(scene.Probe, scene.Centre(41), Red));
  EXPECT_DOUBLE_EQ(scene.Renderer->KFRenderer().Radius(), scene.k());
}

}  // namespace
