// The protocol style: grey water, black mountains, few features and no symbols on the map.
#include "render/GFRenderer.h"

namespace {

constexpr TRGB Black{0, 0, 0};
constexpr TRGB LightGrey{0.9, 0.9, 0.9};

}  // namespace

// --- KF renderer ---

TProtocolKFRenderer::TProtocolKFRenderer() {
  FColourTable[KFColourMountain] = Black;
  FColourTable[KFColourStream] = LightGrey;
  FColourTable[KFColourWater] = LightGrey;
}

void TProtocolKFRenderer::DrawVoid(cairo_t* cr) { DrawMountain(cr); }
void TProtocolKFRenderer::DrawImpassable(cairo_t* cr) { DrawMountain(cr); }
void TProtocolKFRenderer::DrawUnknown(cairo_t*) {}
void TProtocolKFRenderer::DrawUnknownLand(cairo_t*) {}

void TProtocolKFRenderer::DrawMist(cairo_t* cr, const TKf& kf) {
  DrawWater(cr);
  FlowArrow(cr, kf, false);
}

void TProtocolKFRenderer::DrawWater(cairo_t* cr) { GreyHex(cr, LightGrey); }
void TProtocolKFRenderer::DrawStream(cairo_t* cr, const TKf&) { DrawWater(cr); }
void TProtocolKFRenderer::DrawWhirlpool(cairo_t* cr) { DrawWater(cr); }
void TProtocolKFRenderer::DrawIceSea(cairo_t* cr) { DrawWater(cr); }

void TProtocolKFRenderer::DrawSurf(cairo_t* cr) {
  DrawWater(cr);
  SurfZigzags(cr, Black);
}

void TProtocolKFRenderer::DrawRapids(cairo_t* cr) {
  DrawWater(cr);
  RapidsCurves(cr, Black);
}

void TProtocolKFRenderer::DrawPlain(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainWoods(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainSwamp(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainJungle(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainGlacier(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainTundra(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainOasis(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainDesert(cairo_t*) {}
void TProtocolKFRenderer::DrawPlainCrater(cairo_t*) {}
void TProtocolKFRenderer::DrawHighland(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandWoods(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandSwamp(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandJungle(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandGlacier(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandTundra(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandOasis(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandDesert(cairo_t*) {}
void TProtocolKFRenderer::DrawHighlandCrater(cairo_t*) {}
void TProtocolKFRenderer::DrawRocky(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyWoods(cairo_t*) {}
void TProtocolKFRenderer::DrawRockySwamp(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyJungle(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyGlacier(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyTundra(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyOasis(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyDesert(cairo_t*) {}
void TProtocolKFRenderer::DrawRockyCrater(cairo_t*) {}

void TProtocolKFRenderer::DrawMountain(cairo_t* cr) { GreyHex(cr, Colour(KFColourMountain)); }
void TProtocolKFRenderer::DrawCaldera(cairo_t* cr) { DrawMountain(cr); }
void TProtocolKFRenderer::DrawVulcano(cairo_t* cr) { DrawMountain(cr); }
void TProtocolKFRenderer::DrawMountainGlacier(cairo_t* cr) { DrawMountain(cr); }

// --- Symbol renderer ---

void TProtocolSymbolRenderer::DrawFortressSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawMarketSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawCitySymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawProvincialCapitalSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawCapitalSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawRuinedCitySymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawFoundationSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawTowerSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawDonjonSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawThreeStoryDonjonSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawTempleTowerSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawGnippahellirSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawRuinSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawUnderworldEntranceSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawMirageFortressSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawPortalSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawObeliskSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawTombSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawPyramidTowerSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawPyramidDonjonSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawRiverBridgeSymbol(cairo_t*, double, double, double) {}
void TProtocolSymbolRenderer::DrawStreamBridgeSymbol(cairo_t*, double, double, double, double) {}

// --- GF renderer ---

TProtocolGFRenderer::TProtocolGFRenderer()
    : TGFRenderer(std::make_unique<TProtocolKFRenderer>(), std::make_unique<TProtocolSymbolRenderer>()) {
  FColourTable[GFColourPass] = {1, 1, 1};
  FColourTable[GFColourRiver] = Black;
  FColourTable[GFColourRapids] = KFRenderer().Colour(KFColourWater);
}

TProtocolGFRenderer::~TProtocolGFRenderer() = default;

void TProtocolGFRenderer::DrawRiverFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawWadiFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawWallFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawSlopeFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawGateFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawBridgeFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawPassageFeature(cairo_t*, const TGF&, double, double, double) {}
void TProtocolGFRenderer::DrawTrenchFeature(cairo_t*, const TGF&, double, double, double) {}
