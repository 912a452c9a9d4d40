// The terrain of one KF in each style, probed at its centre and at stated points off
// the pattern, and the flow arrows of mist and stream.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "RenderTestSupport.h"
#include "render/Renderer.h"
#include "support/GFFixtures.h"

namespace {

using namespace rendertest;

constexpr TRGB Green{0, 1, 0};
constexpr TRGB Orange{1, 0.7, 0.1};
constexpr TRGB Red{1, 0, 0};
constexpr TRGB Yellow{1, 1, 0};
constexpr TRGB Blue{0, 0, 1};
constexpr TRGB DarkGrey{0.3, 0.3, 0.3};
constexpr TRGB Grey{0.7, 0.7, 0.7};
constexpr TRGB PaleGreen{0.8, 1, 0.8};
constexpr TRGB Pink{1, 0.75, 0.75};

// A point in units of r relative to the KF centre; no colour means the background
// shows (nothing was painted there).
struct TProbe {
  double X;
  double Y;
  std::optional<TRGB> Colour;
};

struct TTerrainCase {
  uint16_t Code;
  std::vector<TProbe> Probes;
};

const std::nullopt_t Nothing = std::nullopt;

// Rows for the nine kinds of one land level with level colour L.
void AddClassicLevel(std::vector<TTerrainCase>& cases, uint16_t base, TRGB L) {
  cases.push_back({base, {{0, 0, L}}});
  cases.push_back({uint16_t(base + 1), {{0, 0, Blue}, {0.5, 0, L}}});                     // woods
  cases.push_back({uint16_t(base + 2), {{0, 0, White}, {0.25, 0, L}, {0, 0.25, L}}});     // swamp
  cases.push_back({uint16_t(base + 3), {{0, 0, Blue}, {0.25, 0.5, L}, {0.5, 0.5, White}}});  // jungle
  cases.push_back({uint16_t(base + 4), {{0, 0, L}, {0.5, 0.25, Nothing}}});  // glacier
  cases.push_back({uint16_t(base + 5), {{0, 0, Blue}, {0.4, 0, L}, {0.5, 0.25, Nothing}}});    // tundra
  // Oasis and crater: the inner hexagon has no rim, the band is 0.2 r at the corners.
  cases.push_back({uint16_t(base + 6), {{0, 0, Water}, {0, -0.79, Water}, {0, -0.9, L}}});
  cases.push_back({uint16_t(base + 7), {{0, 0, L}, {0.5, 0, Yellow}}});  // desert
  cases.push_back({uint16_t(base + 8), {{0, 0, Yellow}, {0, -0.79, Yellow}, {0, -0.9, L}}});
}

std::vector<TTerrainCase> ClassicCases() {
  std::vector<TTerrainCase> cases = {
      {TVoid::Code, {{0, 0, Black}, {0.5, 0, Nothing}, {0.86, 0, Nothing}, {0, -0.95, Nothing}}},
      {TImpassable::Code, {{0, 0, Black}, {0.5, 0.3, Black}}},
      {TUnknown::Code, {{0, 0, Nothing}, {0.5, 0.25, Nothing}}},
      {TUnknownLand::Code, {{0, 0, PaleGreen}}},
      {TMist::Code, {{0, 0, Pink}}},
      {TWater::Code, {{0, 0, Water}}},
      {TStream::Code, {{0, 0, White}}},
      {TWhirlpool::Code, {{0, 0.01, White}, {0.49, -0.05, White}, {0, -0.9, Water}}},
      {TIceSea::Code, {{0, 0, Water}, {0.5, 0.25, Nothing}}},
      {TSurf::Code, {{-0.2, -0.25, White}, {0, 0.7, Water}}},
      {TRapids::Code, {{0, 0, Blue}, {0, -0.25, Water}, {0, 0.25, Water}}},
      {TMountain::Code, {{0, 0, DarkGrey}}},
      {TCaldera::Code, {{0, 0, Yellow}, {0.5, 0.5, DarkGrey}}},
      {TVulcano::Code, {{0, 0, Red}, {0.5, 0.5, DarkGrey}}},
      {TMountainGlacier::Code, {{0, 0, DarkGrey}, {0.5, 0.25, Nothing}}},
  };
  AddClassicLevel(cases, TPlain::Code, Green);
  AddClassicLevel(cases, THighland::Code, Orange);
  AddClassicLevel(cases, TRocky::Code, Red);
  return cases;
}

std::vector<TTerrainCase> SimplifiedCases() {
  std::vector<TTerrainCase> cases = {
      {TVoid::Code, {{0, 0, Nothing}, {0.5, 0.25, Nothing}}},
      // Flat hexagons reach past their sides, so neighbours show no seam.
      {TImpassable::Code, {{0, 0, Black}, {0.9, 0, Black}}},
      {TUnknown::Code, {{0, 0, Nothing}, {0.86, 0, Nothing}}},
      {TUnknownLand::Code, {{0, 0, Grey}, {0.9, 0, Grey}}},
      {TMist::Code, {{0, 0, Nothing}, {0.86, 0, Nothing}}},
      {TWater::Code, {{0, 0, Water}, {0.9, 0, Water}}},
      {TStream::Code, {{0, 0, Water}}},
      {TWhirlpool::Code, {{0, 0.01, White}, {0.9, 0, Water}}},
      {TIceSea::Code, {{0, 0, Water}, {0.5, 0.25, Nothing}, {0.866, 0, Water}}},
      {TSurf::Code, {{-0.2, -0.25, Black}, {0, 0.7, Water}}},
      {TRapids::Code, {{0, 0, Black}, {0, -0.25, Water}}},
      {TMountain::Code, {{0, 0, DarkGrey}, {0.9, 0, DarkGrey}}},
      {TCaldera::Code, {{0, 0, Yellow}, {0.5, 0.5, DarkGrey}}},
      {TVulcano::Code, {{0, 0, Red}, {0.5, 0.5, DarkGrey}}},
      {TMountainGlacier::Code, {{0, 0, Nothing}, {0.5, 0.25, Nothing}}},
  };
  // Every land kind of levels 1 to 3 is the same pale green without rim or pattern.
  for (const uint16_t base : {TPlain::Code, THighland::Code, TRocky::Code})
    for (uint16_t i = 0; i < 9; ++i)
      cases.push_back({uint16_t(base + i), {{0, 0, PaleGreen}, {0.25, 0, PaleGreen}, {0.5, 0.25, PaleGreen},
                                            {0.866, 0, PaleGreen}}});
  return cases;
}

std::vector<TTerrainCase> ProtocolCases() {
  std::vector<TTerrainCase> cases = {
      {TVoid::Code, {{0, 0, Black}, {0.5, 0.3, Black}}},
      {TImpassable::Code, {{0, 0, Black}, {0.5, 0.3, Black}}},
      {TUnknown::Code, {{0, 0, Nothing}, {0.86, 0, Nothing}}},
      {TUnknownLand::Code, {{0, 0, Nothing}}},
      {TMist::Code, {{0, 0, LightGrey}, {0.85, 0, LightGrey}}},
      {TWater::Code, {{0, 0, LightGrey}, {0.85, 0, LightGrey}}},
      {TStream::Code, {{0, 0, LightGrey}}},
      {TWhirlpool::Code, {{0, 0.01, LightGrey}, {0.2, 0.1, LightGrey}}},
      {TIceSea::Code, {{0, 0, LightGrey}, {0.5, 0.25, LightGrey}}},
      {TSurf::Code, {{-0.2, -0.25, Black}, {0, 0.7, LightGrey}}},
      {TRapids::Code, {{0, 0, Black}, {0, -0.25, LightGrey}}},
      {TMountain::Code, {{0, 0, Black}, {0.5, 0.3, Black}}},
      {TCaldera::Code, {{0, 0, Black}, {0.5, 0.5, Black}}},
      {TVulcano::Code, {{0, 0, Black}, {0.5, 0.5, Black}}},
      {TMountainGlacier::Code, {{0, 0, Black}, {0.5, 0.25, Black}}},
  };
  for (const uint16_t base : {TPlain::Code, THighland::Code, TRocky::Code})
    for (uint16_t i = 0; i < 9; ++i)
      cases.push_back({uint16_t(base + i), {{0, 0, Nothing}, {0.25, 0, Nothing}, {0.5, 0.5, Nothing}}});
  return cases;
}

constexpr double Radius = 100;
constexpr TDoublePoint Centre{120, 120};

// One KF drawn by the style's own KF renderer onto the background.
struct TKFPicture {
  explicit TKFPicture(ERenderStyle style, const TTerrain& terrain) : Probe(240, 240) {
    FillBackground(Probe);
    const auto renderer = CreateGFRenderer(style);
    TKf kf;
    kf.SetTerrain(terrain);
    renderer->KFRenderer().Draw(Probe.Cr(), kf, Centre.X, Centre.Y, Radius);
  }
  ::testing::AssertionResult Shows(double x, double y, const std::optional<TRGB>& colour) const {
    return Is(Probe, {Centre.X + x * Radius, Centre.Y + y * Radius}, colour.value_or(Background));
  }
  TPixelProbe Probe;
};

class TerrainPictures : public ::testing::TestWithParam<ERenderStyle> {
 protected:
  std::vector<TTerrainCase> Cases() const {
    switch (GetParam()) {
      case RenderStyleSimplified: return SimplifiedCases();
      case RenderStyleProtocol: return ProtocolCases();
      default: return ClassicCases();
    }
  }
};

TEST_P(TerrainPictures, EveryKindShowsItsColoursAtItsProbes) {
  const std::vector<TTerrainCase> cases = Cases();
  std::set<uint16_t> covered;
  for (const TTerrainCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "terrain " << c.Code);
    covered.insert(c.Code);
    const TKFPicture picture(GetParam(), TTerrain(c.Code));
    for (const TProbe& p : c.Probes) EXPECT_TRUE(picture.Shows(p.X, p.Y, p.Colour)) << "probe " << p.X << ", " << p.Y;
  }
  const std::vector<uint16_t> all = fixtures::AllTerrainCodes();
  EXPECT_EQ(covered, std::set<uint16_t>(all.begin(), all.end()));
}

INSTANTIATE_TEST_SUITE_P(Styles, TerrainPictures,
                         ::testing::Values(RenderStyleClassic, RenderStyleSimplified, RenderStyleProtocol),
                         [](const auto& info) {
                           return std::string(info.param == RenderStyleClassic      ? "Classic"
                                              : info.param == RenderStyleSimplified ? "Simplified"
                                                                                    : "Protocol");
                         });

// The arrow's head lies towards the middle of side s - 1; the same spot mirrored
// behind the centre holds only the thin shaft's surroundings.
TEST(FlowArrow, PointsTowardsTheSideOfItsDirectionInEveryStyle) {
  struct TCase {
    ERenderStyle Style;
    uint16_t Code;
    bool Arrow;
    TRGB Ground;
  };
  const TCase cases[] = {
      {RenderStyleClassic, TMist::Code, true, Pink},       {RenderStyleClassic, TStream::Code, true, White},
      {RenderStyleSimplified, TMist::Code, true, Background}, {RenderStyleSimplified, TStream::Code, true, Water},
      {RenderStyleProtocol, TMist::Code, true, LightGrey},  {RenderStyleProtocol, TStream::Code, false, LightGrey},
  };
  for (const TCase& c : cases)
    for (int s = 0; s <= 6; ++s) {
      SCOPED_TRACE(::testing::Message() << "style " << int(c.Style) << " terrain " << c.Code << " direction " << s);
      const TKFPicture picture(c.Style, fixtures::TerrainWithDirection(c.Code, static_cast<EStreamDirection>(s)));
      const int side = s == 0 ? 1 : s - 1;
      const TDoublePoint head = SidePoint(Centre, side, 0.3 * Radius, 0.1 * Radius);
      const TDoublePoint tail = SidePoint(Centre, side, -0.3 * Radius, 0.1 * Radius);
      const bool drawn = c.Arrow && s != 0;
      EXPECT_TRUE(Is(picture.Probe, head, drawn ? Black : c.Ground));
      EXPECT_TRUE(Is(picture.Probe, tail, c.Ground));
      EXPECT_TRUE(Is(picture.Probe, Centre, drawn ? Black : c.Ground));
    }
}

TEST(FlowArrow, OnlyTheClassicHeadIsClosed) {
  // The open head's stroke ends at its first corner with a butt cap; closing it
  // joins the corner with a mitre that reaches a little beyond.
  for (const ERenderStyle style : {RenderStyleClassic, RenderStyleSimplified}) {
    SCOPED_TRACE(int(style));
    const TKFPicture picture(style, fixtures::TerrainWithDirection(TStream::Code, StreamDirectionE));
    const TDoublePoint beyondCorner{Centre.X + 0.17 * Radius, Centre.Y + 0.25 * Radius};
    const TPixel p = picture.Probe.At(beyondCorner.X, beyondCorner.Y);
    if (style == RenderStyleClassic)
      EXPECT_LT(p.R + p.G + p.B, 0.5) << p;
    else
      EXPECT_GT(p.R + p.G + p.B, 2) << p;
  }
}

// The rim is stroked before the fill, so only its outer half shows, 0.0125 r wide.
TEST(ClassicTerrain, EveryKindButVoidHasAThinBlackRim) {
  for (const uint16_t code : fixtures::AllTerrainCodes()) {
    SCOPED_TRACE(code);
    TPixelProbe probe(500, 500);
    FillBackground(probe);
    TClassicKFRenderer renderer;
    TKf kf;
    kf.SetTerrain(TTerrain(code));
    renderer.Draw(probe.Cr(), kf, 250, 250, 200);
    EXPECT_TRUE(Is(probe, {250 + 0.8722 * 200, 250}, code == TVoid::Code ? Background : Black));
    EXPECT_TRUE(Is(probe, {250 + 0.886 * 200, 250}, Background));
  }
}

TEST(ClassicTerrain, VoidKFSideBySideShowNoBorder) {
  TClassicGFRenderer renderer;
  TPixelProbe probe(400, 360);
  FillBackground(probe);
  const auto gf = fixtures::UniformGF(TVoid::Code);
  renderer.DrawKFs(probe.Cr(), *gf, 20, 20, 160);
  const TSegment shared = renderer.KFSide(1, 1, 20, 20, 160);
  EXPECT_TRUE(Is(probe, Mid(shared.A, shared.B), Background));
  EXPECT_TRUE(Is(probe, shared.A, Background));
}

TEST(ClassicTerrain, RapidsLeaveRoundCapsAndTheirWidth) {
  TClassicKFRenderer renderer;
  TPixelProbe probe(10, 10);
  TKf kf;
  kf.SetTerrain(TRapids());
  cairo_set_line_cap(probe.Cr(), CAIRO_LINE_CAP_SQUARE);
  renderer.Draw(probe.Cr(), kf, 5, 5, 4);
  EXPECT_EQ(cairo_get_line_cap(probe.Cr()), CAIRO_LINE_CAP_ROUND);
  EXPECT_DOUBLE_EQ(cairo_get_line_width(probe.Cr()), 0.4);
}

}  // namespace
