// The classic symbols of trade centers, buildings and special buildings, and the
// dispatch from their codes.
#include "model/Buildings.h"
#include "model/Terrain.h"
#include "render/Geometry.h"
#include "render/SymbolRenderer.h"

namespace {

void Pen(cairo_t* cr, double width) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, width);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void Circle(cairo_t* cr, double x, double y, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, radius, 0, FullCircle);
}

// A solid shape with a rim of half the line width.
void Keep(cairo_t* cr) {
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
}

void Polygon(cairo_t* cr, std::initializer_list<TDoublePoint> points, double r) {
  bool first = true;
  for (const TDoublePoint& p : points) {
    if (first)
      cairo_move_to(cr, p.X * r, p.Y * r);
    else
      cairo_line_to(cr, p.X * r, p.Y * r);
    first = false;
  }
  cairo_close_path(cr);
}

}  // namespace

void TClassicSymbolRenderer::DrawFortressSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  Line(cr, -0.4 * r, -0.4 * r, 0.4 * r, 0.4 * r);
  Line(cr, -0.4 * r, 0.4 * r, 0.4 * r, -0.4 * r);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawMarketSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Circle(cr, x, y, 0.4 * r);
  cairo_stroke(cr);
}

void TClassicSymbolRenderer::DrawCitySymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Circle(cr, x, y, 0.4 * r);
  Keep(cr);
}

void TClassicSymbolRenderer::DrawProvincialCapitalSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Circle(cr, x, y - 0.1 * r, 0.35 * r);
  Keep(cr);
  Line(cr, x - 0.4 * r, y + 0.5 * r, x + 0.4 * r, y + 0.5 * r);
}

void TClassicSymbolRenderer::DrawCapitalSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Circle(cr, x, y, 0.4 * r);
  cairo_stroke(cr);
  Circle(cr, x, y, 0.1 * r);
  Keep(cr);
}

void TClassicSymbolRenderer::DrawRuinedCitySymbol(cairo_t* cr, double x, double y, double r) {
  DrawMarketSymbol(cr, x, y, r);
  DrawFortressSymbol(cr, x, y, r);
}

void TClassicSymbolRenderer::DrawFoundationSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, i * 0.785398175);
    Line(cr, 0, -0.5 * r, 0, 0.5 * r);
    cairo_restore(cr);
  }
}

void TClassicSymbolRenderer::DrawTowerSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  Polygon(cr, {{-0.6, -0.75}, {0.6, -0.75}, {0.6, 0.75}, {-0.6, 0.75}}, r);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawDonjonSymbol(cairo_t* cr, double x, double y, double r) {
  DrawTowerSymbol(cr, x, y, r);
  Pen(cr, 0.15 * r);
  Line(cr, x - 0.6 * r, y, x + 0.6 * r, y);
}

void TClassicSymbolRenderer::DrawThreeStoryDonjonSymbol(cairo_t* cr, double x, double y, double r) {
  DrawTowerSymbol(cr, x, y, r);
  Pen(cr, 0.15 * r);
  Line(cr, x - 0.6 * r, y - 0.25 * r, x + 0.6 * r, y - 0.25 * r);
  Line(cr, x - 0.6 * r, y + 0.25 * r, x + 0.6 * r, y + 0.25 * r);
}

void TClassicSymbolRenderer::DrawTempleTowerSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  Polygon(cr, {{0, -0.8}, {0.8, 0.6}, {-0.8, 0.6}}, r);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawGnippahellirSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.1 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  for (const TDoublePoint p : {TDoublePoint{0, -0.4}, TDoublePoint{0.4, 0.3}, TDoublePoint{-0.4, 0.3}}) {
    Circle(cr, p.X * r, p.Y * r, 0.1 * r);
    Keep(cr);
  }
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawRuinSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.1 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rectangle(cr, -0.5 * r, 0.1 * r, 1 * r, 0.4 * r);
  Keep(cr);
  cairo_rectangle(cr, 0.1 * r, -0.3 * r, 0.4 * r, 0.8 * r);
  Keep(cr);
  Circle(cr, -0.2 * r, 0.1 * r, 0.1 * r);
  Keep(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawUnderworldEntranceSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_move_to(cr, -0.6 * r, 0.4 * r);
  cairo_line_to(cr, -0.2 * r, 0.4 * r);
  cairo_curve_to(cr, -0.2 * r, 0.4 * r, -0.5 * r, 0.3 * r, -0.5 * r, 0);
  cairo_curve_to(cr, -0.5 * r, -0.3 * r, -0.3 * r, -0.5 * r, 0, -0.5 * r);
  cairo_curve_to(cr, 0.3 * r, -0.5 * r, 0.5 * r, -0.3 * r, 0.5 * r, 0);
  cairo_curve_to(cr, 0.5 * r, 0.3 * r, 0.2 * r, 0.4 * r, 0.2 * r, 0.4 * r);
  cairo_line_to(cr, 0.6 * r, 0.4 * r);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawMirageFortressSymbol(cairo_t* cr, double x, double y, double r) {
  DrawTowerSymbol(cr, x, y, r);
  Pen(cr, 0.15 * r);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Line(cr, x - 0.6 * r, y - 0.75 * r, x + 0.6 * r, y + 0.75 * r);
  Line(cr, x + 0.6 * r, y - 0.75 * r, x - 0.6 * r, y + 0.75 * r);
}

void TClassicSymbolRenderer::DrawPortalSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Line(cr, x - 0.35 * r, y - 0.4 * r, x - 0.35 * r, y + 0.4 * r);
  Line(cr, x + 0.35 * r, y - 0.4 * r, x + 0.35 * r, y + 0.4 * r);
  Line(cr, x - 0.5 * r, y - 0.4 * r, x + 0.5 * r, y - 0.4 * r);
}

void TClassicSymbolRenderer::DrawObeliskSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  Polygon(cr, {{0, -0.5}, {-0.1, -0.4}, {-0.2, 0.5}, {0.2, 0.5}, {0.1, -0.4}, {0, -0.5}}, r);
  Keep(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawTombSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  Line(cr, x, y - 0.5 * r, x, y + 0.5 * r);
  Line(cr, x - 0.3 * r, y - 0.2 * r, x + 0.3 * r, y - 0.2 * r);
}

namespace {

void PyramidPart(cairo_t* cr, std::initializer_list<TDoublePoint> points, double r) {
  Polygon(cr, points, r);
  Keep(cr);
}

void PyramidBase(cairo_t* cr, double r) {
  PyramidPart(cr, {{-0.35635359, 0.11740331}, {-0.4558011, 0.28867403}, {0.4558011, 0.28867403}, {0.35635359, 0.11740331}},
              r);
}

}  // namespace

void TClassicSymbolRenderer::DrawPyramidTowerSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  // The scale widens the rim too.
  cairo_scale(cr, 1.3, 1.3);
  PyramidBase(cr, r);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawPyramidDonjonSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1.3, 1.3);
  PyramidPart(cr,
              {{-0.11878453, -0.28867403}, {-0.22099448, -0.11464088}, {0.22099447, -0.11464088}, {0.11878453, -0.28867403}},
              r);
  PyramidBase(cr, r);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawRiverBridgeSymbol(cairo_t* cr, double x, double y, double r) {
  Pen(cr, 0.15 * r);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_move_to(cr, -0.5 * r, 0.3 * r);
  cairo_curve_to(cr, -0.5 * r, 0.3 * r, -0.5 * r, -0.2 * r, 0, -0.2 * r);
  cairo_curve_to(cr, 0.5 * r, -0.2 * r, 0.5 * r, 0.3 * r, 0.5 * r, 0.3 * r);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TClassicSymbolRenderer::DrawStreamBridgeSymbol(cairo_t* cr, double x, double y, double r, double angle) {
  Pen(cr, 0.15 * r);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle * RenderPi / 180);
  for (const double side : {-1.0, 1.0}) {
    cairo_move_to(cr, -0.7 * r, side * 0.5 * r);
    cairo_line_to(cr, -0.5 * r, side * 0.3 * r);
    cairo_line_to(cr, 0.5 * r, side * 0.3 * r);
    cairo_line_to(cr, 0.7 * r, side * 0.5 * r);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

bool DrawTradeCenterSymbol(TSymbolRenderer& symbols, cairo_t* cr, int tradeCenterType, double x, double y, double r) {
  switch (tradeCenterType) {
    case TradeCenterFortress: symbols.DrawFortressSymbol(cr, x, y, r); return true;
    case TradeCenterMarket: symbols.DrawMarketSymbol(cr, x, y, r); return true;
    case TradeCenterCity: symbols.DrawCitySymbol(cr, x, y, r); return true;
    case TradeCenterProvincialCapital: symbols.DrawProvincialCapitalSymbol(cr, x, y, r); return true;
    case TradeCenterCapital: symbols.DrawCapitalSymbol(cr, x, y, r); return true;
    case TradeCenterRuinedCity: symbols.DrawRuinedCitySymbol(cr, x, y, r); return true;
    default: return false;
  }
}

bool DrawBuildingSymbol(TSymbolRenderer& symbols, cairo_t* cr, int buildingType, int direction, double x, double y,
                        double r) {
  switch (buildingType) {
    case BuildingFoundation: symbols.DrawFoundationSymbol(cr, x, y, r); return true;
    case BuildingTower: symbols.DrawTowerSymbol(cr, x, y, r); return true;
    case BuildingDonjon: symbols.DrawDonjonSymbol(cr, x, y, r); return true;
    case BuildingThreeStoryDonjon: symbols.DrawThreeStoryDonjonSymbol(cr, x, y, r); return true;
    case BuildingTempleTower: symbols.DrawTempleTowerSymbol(cr, x, y, r); return true;
    case BuildingRiverBridge: symbols.DrawRiverBridgeSymbol(cr, x, y, r); return true;
    // The railings run towards the side the bridge faces: E is unrotated.
    case BuildingStreamBridge: symbols.DrawStreamBridgeSymbol(cr, x, y, r, (direction - 1) * 60.0); return true;
    case BuildingPyramidTower: symbols.DrawPyramidTowerSymbol(cr, x, y, r); return true;
    case BuildingPyramidDonjon: symbols.DrawPyramidDonjonSymbol(cr, x, y, r); return true;
    default: return false;
  }
}

bool DrawSpecialBuildingSymbol(TSymbolRenderer& symbols, cairo_t* cr, int buildingType, double x, double y, double r) {
  switch (buildingType) {
    case BuildingGnippahellir: symbols.DrawGnippahellirSymbol(cr, x, y, r); return true;
    case BuildingRuin: symbols.DrawRuinSymbol(cr, x, y, r); return true;
    case BuildingUnderworldEntrance: symbols.DrawUnderworldEntranceSymbol(cr, x, y, r); return true;
    case BuildingMirageFortress: symbols.DrawMirageFortressSymbol(cr, x, y, r); return true;
    case BuildingPortal: symbols.DrawPortalSymbol(cr, x, y, r); return true;
    case BuildingObelisk: symbols.DrawObeliskSymbol(cr, x, y, r); return true;
    case BuildingTomb: symbols.DrawTombSymbol(cr, x, y, r); return true;
    case BuildingPyramidTower: symbols.DrawPyramidTowerSymbol(cr, x, y, r); return true;
    default: return false;  // the GHZ has no symbol
  }
}
