// The 22 symbols: ink where each shape is, nothing where it is not, what the
// simplified and protocol renderers leave out, and the pen they leave behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RenderTestSupport.h"
#include "render/Renderer.h"

namespace {

using namespace rendertest;

using TSymbolCall = std::function<void(TSymbolRenderer&, cairo_t*, double, double, double)>;

template <void (TSymbolRenderer::*Op)(cairo_t*, double, double, double)>
TSymbolCall Call() {
  return [](TSymbolRenderer& s, cairo_t* cr, double x, double y, double r) { (s.*Op)(cr, x, y, r); };
}

// Points in units of r around the symbol's centre.
struct TPoint {
  double X, Y;
};

struct TSymbolCase {
  std::string Name;
  TSymbolCall Draw;
  std::vector<TPoint> Ink;
  std::vector<TPoint> Empty;
  bool Simplified;  // also drawn by the simplified renderer
};

const std::vector<TSymbolCase>& Cases() {
  using S = TSymbolRenderer;
  static const std::vector<TSymbolCase> cases = {
      {"Fortress", Call<&S::DrawFortressSymbol>(), {{0.2, 0.2}, {0.2, -0.2}, {-0.35, 0.35}}, {{0.3, 0}, {0, 0.3}}, false},
      {"Market", Call<&S::DrawMarketSymbol>(), {{0.4, 0}, {0, -0.4}}, {{0, 0}, {0.6, 0}}, false},
      {"City", Call<&S::DrawCitySymbol>(), {{0, 0}, {0.3, 0}, {0, 0.44}}, {{0.6, 0}}, false},
      {"ProvincialCapital", Call<&S::DrawProvincialCapitalSymbol>(), {{0, -0.1}, {0.3, 0.5}, {-0.3, 0.5}},
       {{0, 0.37}, {0.6, -0.1}}, false},
      {"Capital", Call<&S::DrawCapitalSymbol>(), {{0, 0}, {0.4, 0}}, {{0.25, 0}, {0.6, 0}}, false},
      {"RuinedCity", Call<&S::DrawRuinedCitySymbol>(), {{0.4, 0}, {0.2, 0.2}, {0, 0}}, {{0, 0.25}, {0.6, 0}}, false},
      {"Foundation", Call<&S::DrawFoundationSymbol>(), {{0, 0.4}, {0.28, 0.28}, {0.4, 0}}, {{0.37, 0.153}, {0, 0.6}},
       false},
      {"Tower", Call<&S::DrawTowerSymbol>(), {{0.6, 0}, {0, -0.75}, {0, 0.75}}, {{0, 0}, {0.8, 0}}, true},
      {"Donjon", Call<&S::DrawDonjonSymbol>(), {{0, 0}, {0.6, 0.5}}, {{0, -0.4}, {0, 0.4}}, true},
      {"ThreeStoryDonjon", Call<&S::DrawThreeStoryDonjonSymbol>(), {{0, -0.25}, {0, 0.25}, {-0.6, 0}},
       {{0, 0}, {0, 0.5}}, true},
      {"TempleTower", Call<&S::DrawTempleTowerSymbol>(), {{0, 0.6}, {0.4, -0.1}, {-0.4, -0.1}}, {{0, 0}, {0, -1.0}},
       true},
      {"Gnippahellir", Call<&S::DrawGnippahellirSymbol>(), {{0, -0.4}, {0.4, 0.3}, {-0.4, 0.3}}, {{0, 0}, {0, 0.3}},
       true},
      {"Ruin", Call<&S::DrawRuinSymbol>(), {{-0.3, 0.3}, {0.3, -0.2}, {-0.2, 0.1}}, {{-0.3, -0.2}, {0, -0.5}}, true},
      {"UnderworldEntrance", Call<&S::DrawUnderworldEntranceSymbol>(), {{-0.4, 0.4}, {0, -0.5}, {0.5, 0}, {0.4, 0.4}},
       {{0, 0}, {0, 0.4}}, true},
      {"MirageFortress", Call<&S::DrawMirageFortressSymbol>(), {{0, 0}, {0.6, 0}, {0.3, 0.375}}, {{0.3, 0}, {0, 0.5}},
       true},
      {"Portal", Call<&S::DrawPortalSymbol>(), {{-0.35, 0}, {0.35, 0}, {0, -0.4}}, {{0, 0}, {0, 0.4}}, true},
      {"Obelisk", Call<&S::DrawObeliskSymbol>(), {{0, 0}, {0, 0.45}, {0, -0.45}}, {{0.3, 0}, {0, 0.65}}, true},
      {"Tomb", Call<&S::DrawTombSymbol>(), {{0, 0.3}, {0.2, -0.2}, {0, -0.45}}, {{0.2, 0.2}, {0.4, -0.2}}, true},
      {"PyramidTower", Call<&S::DrawPyramidTowerSymbol>(), {{0, 0.26}, {0.55, 0.37}}, {{0, 0}, {0, -0.26}}, true},
      {"PyramidDonjon", Call<&S::DrawPyramidDonjonSymbol>(), {{0, 0.26}, {0, -0.26}}, {{0, 0}, {0.45, -0.26}}, true},
      {"RiverBridge", Call<&S::DrawRiverBridgeSymbol>(), {{0, -0.2}, {-0.5, 0.2}, {0.5, 0.2}}, {{0, 0.2}, {0, 0}}, true},
      {"StreamBridge",
       [](S& s, cairo_t* cr, double x, double y, double r) { s.DrawStreamBridgeSymbol(cr, x, y, r, 0); },
       {{0, -0.3}, {0, 0.3}, {-0.6, 0.4}, {0.6, -0.4}},
       {{0, 0}, {-0.7, 0}},
       true},
  };
  return cases;
}

constexpr double Radius = 100;
constexpr double CX = 120;
constexpr double CY = 120;

TEST(ClassicSymbols, EachLeavesInkWhereItsShapeIs) {
  ASSERT_EQ(Cases().size(), 22u);
  for (const TSymbolCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    TPixelProbe probe(240, 240);
    TClassicSymbolRenderer symbols;
    c.Draw(symbols, probe.Cr(), CX, CY, Radius);
    for (const TPoint& p : c.Ink) EXPECT_TRUE(probe.Is(CX + p.X * Radius, CY + p.Y * Radius, 0, 0, 0));
    for (const TPoint& p : c.Empty) EXPECT_TRUE(probe.IsTransparent(CX + p.X * Radius, CY + p.Y * Radius));
  }
}

TEST(SimplifiedSymbols, LeaveOutTradeCentersAndTheFoundation) {
  for (const TSymbolCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    TPixelProbe probe(240, 240);
    TSimplifiedSymbolRenderer symbols;
    c.Draw(symbols, probe.Cr(), CX, CY, Radius);
    if (c.Simplified)
      for (const TPoint& p : c.Ink) EXPECT_TRUE(probe.Is(CX + p.X * Radius, CY + p.Y * Radius, 0, 0, 0));
    else
      EXPECT_EQ(probe.CountInked(0, 0, 240, 240), 0);
  }
}

TEST(ProtocolSymbols, DrawNothing) {
  TPixelProbe probe(240, 240);
  TProtocolSymbolRenderer symbols;
  for (const TSymbolCase& c : Cases()) c.Draw(symbols, probe.Cr(), CX, CY, Radius);
  EXPECT_EQ(probe.CountInked(0, 0, 240, 240), 0);
}

TEST(ClassicSymbols, StreamBridgeTurnsClockwiseByItsAngle) {
  for (const double angle : {-60.0, 0.0, 60.0, 120.0}) {
    SCOPED_TRACE(angle);
    TPixelProbe probe(240, 240);
    TClassicSymbolRenderer symbols;
    symbols.DrawStreamBridgeSymbol(probe.Cr(), CX, CY, Radius, angle);
    // The railing at y = -0.3 r, rotated clockwise on the screen.
    const double t = angle * 3.14159265358979 / 180;
    const auto rotated = [&](double x, double y) {
      return TDoublePoint{CX + (x * std::cos(t) - y * std::sin(t)) * Radius, CY + (x * std::sin(t) + y * std::cos(t)) * Radius};
    };
    EXPECT_TRUE(Is(probe, rotated(0.4, -0.3), Black));
    EXPECT_TRUE(Is(probe, rotated(-0.4, 0.3), Black));
    const TDoublePoint empty = rotated(0.4, 0);
    EXPECT_TRUE(probe.IsTransparent(empty.X, empty.Y));
  }
}

// Symbols set no cap of their own: the ends of the fortress X show the cap in force.
TEST(ClassicSymbols, DrawWithTheCapLeftOnTheContext) {
  const TPoint beyondEnd{0.44, 0.44};
  for (const cairo_line_cap_t cap : {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE}) {
    SCOPED_TRACE(int(cap));
    TPixelProbe probe(240, 240);
    cairo_set_line_cap(probe.Cr(), cap);
    TClassicSymbolRenderer symbols;
    symbols.DrawFortressSymbol(probe.Cr(), CX, CY, Radius);
    EXPECT_EQ(cairo_get_line_cap(probe.Cr()), cap);
    const TPixel p = probe.At(CX + beyondEnd.X * Radius, CY + beyondEnd.Y * Radius);
    EXPECT_EQ(p.A > 0.5, cap != CAIRO_LINE_CAP_BUTT) << p;
  }
}

TEST(ClassicSymbols, LeaveTheJoinsAndCapsTheySet) {
  const struct {
    std::string Name;
    TSymbolCall Draw;
    cairo_line_join_t Join;
    cairo_line_cap_t Cap;
  } cases[] = {
      {"UnderworldEntrance", Call<&TSymbolRenderer::DrawUnderworldEntranceSymbol>(), CAIRO_LINE_JOIN_ROUND,
       CAIRO_LINE_CAP_SQUARE},
      {"RiverBridge", Call<&TSymbolRenderer::DrawRiverBridgeSymbol>(), CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_CAP_SQUARE},
      {"PyramidTower", Call<&TSymbolRenderer::DrawPyramidTowerSymbol>(), CAIRO_LINE_JOIN_MITER, CAIRO_LINE_CAP_SQUARE},
      {"MirageFortress", Call<&TSymbolRenderer::DrawMirageFortressSymbol>(), CAIRO_LINE_JOIN_BEVEL, CAIRO_LINE_CAP_BUTT},
      {"Tower", Call<&TSymbolRenderer::DrawTowerSymbol>(), CAIRO_LINE_JOIN_BEVEL, CAIRO_LINE_CAP_SQUARE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TPixelProbe probe(10, 10);
    cairo_set_line_join(probe.Cr(), CAIRO_LINE_JOIN_BEVEL);
    cairo_set_line_cap(probe.Cr(), CAIRO_LINE_CAP_SQUARE);
    TClassicSymbolRenderer symbols;
    c.Draw(symbols, probe.Cr(), 5, 5, 4);
    EXPECT_EQ(cairo_get_line_join(probe.Cr()), c.Join);
    EXPECT_EQ(cairo_get_line_cap(probe.Cr()), c.Cap);
  }
}

TEST(ClassicSymbols, PyramidScaleWidensItsRim) {
  // 1.3 x 0.15 r: the rim of the lower edge reaches 0.0975 r below it, not 0.075 r.
  TPixelProbe probe(240, 240);
  TClassicSymbolRenderer symbols;
  symbols.DrawPyramidTowerSymbol(probe.Cr(), CX, CY, Radius);
  const double bottom = 0.28867403 * 1.3;
  EXPECT_TRUE(probe.Is(CX, CY + (bottom + 0.087) * Radius, 0, 0, 0));
  EXPECT_TRUE(probe.IsTransparent(CX, CY + (bottom + 0.11) * Radius));
}

}  // namespace
