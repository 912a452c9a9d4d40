// The simplified style: flat rimless terrain, fewer edge features, no trade-center symbols.
#include "render/GFRenderer.h"

namespace {

constexpr TRGB Black{0, 0, 0};
// A fixed water colour, not the KF renderer's entry.
constexpr TRGB FloodColour{0.5, 0.898, 1};
constexpr TRGB PaleGreen{0.8, 1, 0.8};

void SetColour(cairo_t* cr, const TRGB& c) { cairo_set_source_rgb(cr, c.R, c.G, c.B); }

}  // namespace

// --- KF renderer ---

void TSimplifiedKfRenderer::DrawVoid(cairo_t*) {}
void TSimplifiedKfRenderer::DrawImpassable(cairo_t* cr) { FlatHex(cr, Colour(KFColourImpassable)); }
void TSimplifiedKfRenderer::DrawUnknown(cairo_t*) {}
void TSimplifiedKfRenderer::DrawUnknownLand(cairo_t* cr) { FlatHex(cr, Colour(KFColourSimplifiedUnknownLand)); }

void TSimplifiedKfRenderer::DrawMist(cairo_t* cr, const TKf& kf) {
  DrawUnknown(cr);
  FlowArrow(cr, kf, false);
}

void TSimplifiedKfRenderer::DrawWater(cairo_t* cr) { FlatHex(cr, Colour(KFColourWater)); }

void TSimplifiedKfRenderer::DrawStream(cairo_t* cr, const TKf& kf) {
  FlatHex(cr, Colour(KFColourWater));
  FlowArrow(cr, kf, false);
}

void TSimplifiedKfRenderer::DrawWhirlpool(cairo_t* cr) {
  DrawWater(cr);
  WhirlSpiral(cr);
}

void TSimplifiedKfRenderer::DrawIceSea(cairo_t* cr) {
  FlatHexPath(cr);
  SetColour(cr, Colour(KFColourWater));
  cairo_set_line_width(cr, 0.125 * Radius());
  cairo_stroke(cr);
  Star4(cr, Colour(KFColourWater));
}

void TSimplifiedKfRenderer::DrawSurf(cairo_t* cr) {
  DrawWater(cr);
  SurfZigzags(cr, Black);
}

void TSimplifiedKfRenderer::DrawRapids(cairo_t* cr) {
  DrawWater(cr);
  RapidsCurves(cr, Black);
}

void TSimplifiedKfRenderer::DrawPlain(cairo_t* cr) { FlatHex(cr, Colour(KFColourUnknownLand)); }
void TSimplifiedKfRenderer::DrawPlainWoods(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainSwamp(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainJungle(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainGlacier(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainTundra(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainOasis(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainDesert(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawPlainCrater(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighland(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandWoods(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandSwamp(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandJungle(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandGlacier(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandTundra(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandOasis(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandDesert(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawHighlandCrater(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRocky(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyWoods(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockySwamp(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyJungle(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyGlacier(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyTundra(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyOasis(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyDesert(cairo_t* cr) { DrawPlain(cr); }
void TSimplifiedKfRenderer::DrawRockyCrater(cairo_t* cr) { DrawPlain(cr); }

void TSimplifiedKfRenderer::DrawMountain(cairo_t* cr) { FlatHex(cr, Colour(KFColourMountain)); }

void TSimplifiedKfRenderer::DrawCaldera(cairo_t* cr) {
  DrawMountain(cr);
  FivePointStar(cr, Colour(KFColourCalderaStar));
}

void TSimplifiedKfRenderer::DrawVulcano(cairo_t* cr) {
  DrawMountain(cr);
  FivePointStar(cr, Colour(KFColourVulcanoStar));
}

// Has no picture of its own in this style: the KF stays blank.
void TSimplifiedKfRenderer::DrawMountainGlacier(cairo_t*) {}

// --- Symbol renderer ---

void TSimplifiedSymbolRenderer::DrawFortressSymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawMarketSymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawCitySymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawProvincialCapitalSymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawCapitalSymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawRuinedCitySymbol(cairo_t*, double, double, double) {}
void TSimplifiedSymbolRenderer::DrawFoundationSymbol(cairo_t*, double, double, double) {}

// --- GF renderer ---

TSimplifiedGFRenderer::TSimplifiedGFRenderer()
    : TGFRenderer(std::make_unique<TSimplifiedKfRenderer>(), std::make_unique<TSimplifiedSymbolRenderer>()) {
  FColourTable[GFColourPass] = PaleGreen;
}

TSimplifiedGFRenderer::~TSimplifiedGFRenderer() = default;

void TSimplifiedGFRenderer::DrawRiverFeature(cairo_t*, const TGF&, double, double, double) {}
void TSimplifiedGFRenderer::DrawWadiFeature(cairo_t*, const TGF&, double, double, double) {}
void TSimplifiedGFRenderer::DrawSlopeFeature(cairo_t*, const TGF&, double, double, double) {}
void TSimplifiedGFRenderer::DrawGateFeature(cairo_t*, const TGF&, double, double, double) {}
void TSimplifiedGFRenderer::DrawBridgeFeature(cairo_t*, const TGF&, double, double, double) {}
void TSimplifiedGFRenderer::DrawTrenchFeature(cairo_t*, const TGF&, double, double, double) {}

void TSimplifiedGFRenderer::DrawCliffFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetColour(cr, PaleGreen);  // replaced before anything is drawn
  cairo_set_line_width(cr, 0.2 * KFApothem());
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  // The stroke in the fill colour widens the flooded half a little on each edge.
  ForEachSide(gf, &TKf::Cliff, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    SetColour(cr, FloodColour);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  });
}

void TSimplifiedGFRenderer::DrawPassageFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetColour(cr, Black);
  cairo_set_line_width(cr, 0.15 * KFApothem());
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  ForEachSide(gf, &TKf::Passage, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    SetColour(cr, Black);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  });
}

void TSimplifiedGFRenderer::DrawRapidsFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  cairo_set_line_width(cr, 0.2 * KFApothem());
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Rapids, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    SetColour(cr, FloodColour);
    cairo_fill(cr);
  });
  SetColour(cr, Black);
  cairo_set_line_width(cr, 0.1 * KFApothem());
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  RapidsWaves(cr, gf, x, y, R);
}

void TSimplifiedGFRenderer::Paint(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetGFRadius(R);
  TKFRenderer& kfRenderer = KFRenderer();
  for (int n = 1; n <= KFCount; ++n) {
    const TDoublePoint offset = KFCentreOffset(n);
    kfRenderer.Draw(cr, gf.Kf(n), x + offset.X, y + offset.Y, KFRadius());
  }
  DrawCliffFeature(cr, gf, x, y, R);
  DrawPassageFeature(cr, gf, x, y, R);
  DrawPassFeature(cr, gf, x, y, R);
  DrawSlopeFeature(cr, gf, x, y, R);
  DrawRiverFeature(cr, gf, x, y, R);
  DrawWadiFeature(cr, gf, x, y, R);
  DrawTrenchFeature(cr, gf, x, y, R);
  DrawRapidsFeature(cr, gf, x, y, R);
  DrawWallFeature(cr, gf, x, y, R);
  DrawRoadFeature(cr, gf, x, y, R);
  DrawBuildings(cr, gf, x, y, R);
  DrawSpecialBuildings(cr, gf, x, y, R);
  DrawGateFeature(cr, gf, x, y, R);
  DrawBridgeFeature(cr, gf, x, y, R);
  DrawLandingFeature(cr, gf, x, y, R);
  DrawTradeCenters(cr, gf, x, y, R);
  DrawOutline(cr, gf, x, y, R);
}
