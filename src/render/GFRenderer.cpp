// The GF renderer frame: sizes from the radius, KF positions, the drawing order of a
// GF, the symbol passes, the outline and the choice of style.
#include "render/GFRenderer.h"


namespace {

// KF numbers before each of the eight rows.
constexpr int KFBeforeRow[8] = {0, 4, 9, 15, 22, 30, 37, 43};

}  // namespace

TGFRenderer::TGFRenderer(std::unique_ptr<TKFRenderer> kfRenderer, std::unique_ptr<TSymbolRenderer> symbolRenderer)
    : FColourTable{{
          {0, 0, 0},         // unused
          {0, 0, 1},         // rivers, rapids waves
          {0, 0, 0},         // wadis
          {0, 0, 0},         // walls
          {1, 0, 0},         // passes
          {0, 0, 0},         // slopes
          {0.5, 0.5, 0.5},   // roads
          {0, 0, 0},         // gates
          {0, 0, 0},         // bridges
          {0, 0, 0},         // landings
          {0, 0, 0},         // cliffs
          {0, 0, 0},         // passages
          {0.5, 0.5, 0},     // trenches
          {0.5, 0.5, 0},     // channels, outer band
          {1, 1, 1},         // channels, inner band
          {0.5, 0.898, 1},   // rapids fill
      }},
      FKFRenderer(std::move(kfRenderer)),
      FSymbolRenderer(std::move(symbolRenderer)) {}

TGFRenderer::~TGFRenderer() = default;

void TGFRenderer::SetGFRadius(double R) {
  FGFRadius = R;
  FGFHalfHeight = R * Sqrt3 * 0.5;
  FKFApothem = R * 0.125;
  FKFRadius = FKFApothem * 2 / Sqrt3;
}

int TGFRenderer::KFRow(int n) {
  int row = 1;
  while (row < 8 && n > KFBeforeRow[row]) ++row;
  return row;
}

TDoublePoint TGFRenderer::KFCentreOffset(int n) const {
  const int row = KFRow(n);
  const int col = n - KFBeforeRow[row - 1] - 1;
  const int rr = row - 1;
  // Rows 1 to 5 start further left each; rows 6 to 8 move back in.
  const int ind = rr <= 4 ? rr : 8 - rr;
  const double a = FKFApothem;
  return {2 * a * col + FGFRadius / 2 + a - a * ind, 1.5 * FKFRadius * rr + 0.5 * FKFRadius};
}

THexagon TGFRenderer::KFHexagon(int n, double x, double y, double R) {
  SetGFRadius(R);
  const TDoublePoint offset = KFCentreOffset(n);
  return TKFRenderer::HexagonPoints(x + offset.X, y + offset.Y, FKFRadius);
}

TSegment TGFRenderer::KFSide(int n, int d, double x, double y, double R) {
  const THexagon corners = KFHexagon(n, x, y, R);
  return {corners[d], corners[(d + 1) % 6]};
}

THexagon TGFRenderer::GFHexagon(double x, double y, double R) {
  SetGFRadius(R);
  const double cx = x + R;
  const double cy = y + FGFHalfHeight;
  const double h = HexCornerFactor * R;
  FOutlinePoints = {{{cx - R, cy}, {cx - 0.5 * R, cy + h}, {cx + 0.5 * R, cy + h}, {cx + R, cy}, {cx + 0.5 * R, cy - h},
                     {cx - 0.5 * R, cy - h}}};
  return FOutlinePoints;
}

void TGFRenderer::Paint(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetGFRadius(R);
  DrawKFs(cr, gf, x, y, R);
  DrawGF(cr, gf, x, y, R);
  DrawOutline(cr, gf, x, y, R);
  DrawOutline(cr, gf, x, y, R);
}

void TGFRenderer::DrawKFs(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetGFRadius(R);
  for (int n = 1; n <= KFCount; ++n) {
    const TDoublePoint offset = KFCentreOffset(n);
    FKFRenderer->Draw(cr, gf.Kf(n), x + offset.X, y + offset.Y, FKFRadius);
  }
}

void TGFRenderer::DrawGF(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  DrawCliffFeature(cr, gf, x, y, R);
  DrawPassageFeature(cr, gf, x, y, R);
  DrawPassFeature(cr, gf, x, y, R);
  DrawSlopeFeature(cr, gf, x, y, R);
  DrawRiverFeature(cr, gf, x, y, R);
  DrawWadiFeature(cr, gf, x, y, R);
  DrawTrenchFeature(cr, gf, x, y, R);
  DrawWallFeature(cr, gf, x, y, R);
  DrawRoadFeature(cr, gf, x, y, R);
  DrawChannelFeature(cr, gf, x, y, R);
  DrawBuildings(cr, gf, x, y, R);
  DrawSpecialBuildings(cr, gf, x, y, R);
  DrawGateFeature(cr, gf, x, y, R);
  DrawBridgeFeature(cr, gf, x, y, R);
  DrawLandingFeature(cr, gf, x, y, R);
  DrawRapidsFeature(cr, gf, x, y, R);
  DrawTradeCenters(cr, gf, x, y, R);
}

void TGFRenderer::DrawLabels(cairo_t*, const TGF&, double, double, double) {}

void TGFRenderer::OutlinePath(cairo_t* cr, double x, double y) {
  const THexagon corners = GFHexagon(x, y, FGFRadius);
  cairo_move_to(cr, corners[0].X, corners[0].Y);
  for (int i = 1; i < 6; ++i) cairo_line_to(cr, corners[i].X, corners[i].Y);
  cairo_close_path(cr);
}

void TGFRenderer::DrawOutline(cairo_t* cr, const TGF&, double x, double y, double) {
  OutlinePath(cr, x, y);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 0.15 * FKFRadius);
  cairo_stroke(cr);
}

void TGFRenderer::DrawTradeCenters(cairo_t* cr, const TGF& gf, double x, double y, double) {
  for (int n = 1; n <= KFCount; ++n) {
    const TDoublePoint offset = KFCentreOffset(n);
    DrawTradeCenterSymbol(*FSymbolRenderer, cr, gf.Kf(n).TradeCenter().TradeCenterType(), x + offset.X, y + offset.Y,
                          FKFRadius);
  }
}

void TGFRenderer::DrawBuildings(cairo_t* cr, const TGF& gf, double x, double y, double) {
  for (int n = 1; n <= KFCount; ++n) {
    const TDoublePoint offset = KFCentreOffset(n);
    const TBuilding& building = gf.Kf(n).Building();
    DrawBuildingSymbol(*FSymbolRenderer, cr, building.BuildingType(), building.Direction(), x + offset.X, y + offset.Y,
                       FKFRadius);
  }
}

void TGFRenderer::DrawSpecialBuildings(cairo_t* cr, const TGF& gf, double x, double y, double) {
  for (int n = 1; n <= KFCount; ++n) {
    const TDoublePoint offset = KFCentreOffset(n);
    DrawSpecialBuildingSymbol(*FSymbolRenderer, cr, gf.Kf(n).SpecialBuilding().BuildingType(), x + offset.X,
                              y + offset.Y, FKFRadius);
  }
}

TClassicGFRenderer::TClassicGFRenderer()
    : TGFRenderer(std::make_unique<TClassicKFRenderer>(), std::make_unique<TClassicSymbolRenderer>()) {}

TClassicGFRenderer::~TClassicGFRenderer() = default;

std::unique_ptr<TGFRenderer> CreateGFRenderer(ERenderStyle style) {
  switch (style) {
    case RenderStyleSimplified: return std::make_unique<TSimplifiedGFRenderer>();
    case RenderStyleProtocol: return std::make_unique<TProtocolGFRenderer>();
    case RenderStyleClassic: break;
  }
  return std::make_unique<TClassicGFRenderer>();
}

ERenderStyle RenderStyleOf(const TGFRenderer& renderer) {
  if (dynamic_cast<const TSimplifiedGFRenderer*>(&renderer)) return RenderStyleSimplified;
  if (dynamic_cast<const TProtocolGFRenderer*>(&renderer)) return RenderStyleProtocol;
  return RenderStyleClassic;
}
