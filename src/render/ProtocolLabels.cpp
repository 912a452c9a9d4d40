// The protocol label: a white box in the upper part of a GF listing its coordinate,
// trade centers, buildings, walls and trenches.
#include "render/ProtocolLabels.h"

#include <cmath>
#include <memory>

#include "render/GFRenderer.h"
#include "render/SymbolRenderer.h"

namespace {

// Label sizes are given in 64ths of the GF radius.
constexpr double Unit = 0.015625;
constexpr int MaxItems = 10;

bool HasLabelBuildingSymbol(int code) {
  switch (code) {
    case BuildingFoundation:
    case BuildingTower:
    case BuildingDonjon:
    case BuildingThreeStoryDonjon:
    case BuildingTempleTower:
    case BuildingStreamBridge:
    case BuildingPyramidTower:
    case BuildingPyramidDonjon: return true;
    default: return false;
  }
}

bool HasLabelSpecialSymbol(int code) { return code >= BuildingGnippahellir && code <= BuildingTomb; }

bool HasTradeCenterSymbol(int code) {
  return (code >= TradeCenterFortress && code <= TradeCenterCapital) || code == TradeCenterRuinedCity;
}

// The pen of the label: where the next text or symbol goes, and the extents of the
// text measured last.
class TLabelWriter {
 public:
  TLabelWriter(cairo_t* cr, std::vector<TLabelStep>& steps) : Cr(cr), Steps(steps) {}

  double X = 0;
  double Y = 0;
  double W = 0;  // horizontal advance of the last text
  double H = 0;  // height of the last text

  void Text(std::string text) {
    cairo_text_extents_t extents;
    cairo_text_extents(Cr, text.c_str(), &extents);
    W = extents.x_advance;
    H = extents.height;
    Steps.push_back({LabelStepText, std::move(text), 0, X, Y, 0});
  }

  void Symbol(ELabelStepKind kind, int code, double size) { Steps.push_back({kind, {}, code, X, Y, size}); }

 private:
  cairo_t* Cr;
  std::vector<TLabelStep>& Steps;
};

}  // namespace

int ProtocolLabelItemCount(const TGF& gf, bool* ghz) {
  int count = 0;
  bool hasGHZ = false;
  for (int n = 1; n <= KFCount; ++n) {
    const TKf& kf = gf.Kf(n);
    const int special = kf.SpecialBuilding().BuildingType();
    if (kf.TradeCenter().TradeCenterType() != TradeCenterNone) {
      ++count;
    } else {
      if (kf.Building().BuildingType() != BuildingNone || special != BuildingNone) ++count;
      if (special == BuildingGHZ) hasGHZ = true;
    }
  }
  if (gf.WallSideCount() > 0) ++count;
  if (gf.TrenchSegmentCount() > 0) ++count;
  for (const TGFTradeCenterInfo& entry : gf.TradeCenters)
    if (entry.PotentialTradeCenter) ++count;
  if (ghz) *ghz = hasGHZ;
  return count;
}

double ProtocolLabelBoxDepth(int itemCount) {
  // The first row holds one item, every further row three.
  const double rows = std::ceil((itemCount - 1) / 3.0);
  if (rows <= 0) return 0.25;
  if (rows <= 1) return 0.5;
  if (rows <= 2) return 0.75;
  return 1.0;
}

TProtocolLabel LayoutProtocolLabel(cairo_t* cr, const TGF& gf, const THexagon& outline, double R) {
  TProtocolLabel label;
  label.ItemCount = ProtocolLabelItemCount(gf, &label.GHZ);
  label.BoxDepth = ProtocolLabelBoxDepth(label.ItemCount);

  cairo_select_font_face(cr, "Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, R * 10 * Unit);

  const TDoublePoint& upperLeft = outline[5];
  TLabelWriter pen(cr, label.Steps);
  pen.X = upperLeft.X;
  pen.Y = upperLeft.Y + R * 12 * Unit;
  pen.Text(gf.Coord.ShortText());
  pen.X += 1.3 * pen.W;
  pen.Y -= 0.5 * pen.H;
  const double s = R * 8 * Unit;

  int items = 0;
  bool full = false;
  // Rows start further left each time, following the slanted upper-left edge.
  const auto nextItem = [&] {
    ++items;
    if (items % 3 != 1) return;
    if (items >= MaxItems) {
      full = true;
      return;
    }
    const int row = items / 3 + 1;
    pen.X = upperLeft.X - row * 5 * R * Unit;
    pen.Y = upperLeft.Y + row * 12 * R * Unit + 8 * R * Unit;
  };
  // Text whose baseline sits half a text height below the symbols' centre line.
  const auto number = [&](std::string text, double advance) {
    pen.Y += 0.5 * pen.H;
    pen.Text(std::move(text));
    pen.X += advance * pen.W;
    pen.Y -= 0.5 * pen.H;
  };
  const auto buildingSymbols = [&](const TKf& kf) {
    const int building = kf.Building().BuildingType();
    if (building != BuildingNone) {
      pen.X += 0.6 * s;
      if (HasLabelBuildingSymbol(building)) pen.Symbol(LabelStepBuilding, building, 0.8 * s);
      pen.X += 0.8 * s;
    }
    const int special = kf.SpecialBuilding().BuildingType();
    if (special != BuildingNone && special != BuildingGHZ) {
      pen.X += 0.6 * s;
      if (HasLabelSpecialSymbol(special)) pen.Symbol(LabelStepSpecialBuilding, special, 0.8 * s);
      pen.X += 0.8 * s;
    }
  };

  for (const TGFTradeCenterInfo& entry : gf.TradeCenters) {
    if (full) break;
    if (!entry.PotentialTradeCenter) continue;
    if (entry.KF > 0) {
      pen.Y += 0.5 * pen.H;
      pen.Text("(");
      pen.X += 2.5 * pen.W;
      pen.Y -= 0.5 * pen.H;
    }
    if (HasTradeCenterSymbol(entry.TradeCenterType)) pen.Symbol(LabelStepTradeCenter, entry.TradeCenterType, s);
    pen.X += 0.6 * s;
    number(entry.KF < 1 ? " mgl" : std::to_string(entry.KF) + ")", 1.2);
    nextItem();
  }

  for (int n = 1; n <= KFCount && !full; ++n) {
    const TKf& kf = gf.Kf(n);
    const int type = kf.TradeCenter().TradeCenterType();
    if (type == TradeCenterNone) continue;
    if (HasTradeCenterSymbol(type)) pen.Symbol(LabelStepTradeCenter, type, s);
    pen.X += 0.6 * s;
    buildingSymbols(kf);
    number(std::to_string(n), 1.2);
    nextItem();
  }

  for (int n = 1; n <= KFCount && !full; ++n) {
    const TKf& kf = gf.Kf(n);
    if (kf.TradeCenter().TradeCenterType() != TradeCenterNone) continue;
    buildingSymbols(kf);
    if (kf.Building().BuildingType() == BuildingNone && kf.SpecialBuilding().BuildingType() == BuildingNone) continue;
    number(std::to_string(n), 1.1);
    nextItem();
  }

  if (!full && gf.WallSideCount() > 0) {
    number("Ma(" + std::to_string(gf.WallSideCount()) + ")", 1.1);
    nextItem();
  }
  if (!full && gf.TrenchSegmentCount() > 0) number("Gr(" + std::to_string(gf.TrenchSegmentCount()) + ")", 1.2);
  // Continues the last item.
  if (!full && label.GHZ) {
    pen.Y += 0.5 * pen.H;
    pen.Text(",GHZ");
  }
  return label;
}

void TProtocolGFRenderer::DrawLabels(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  const THexagon V = GFHexagon(x, y, GFRadius());
  const TProtocolLabel label = LayoutProtocolLabel(cr, gf, V, R);
  const double f = label.BoxDepth;

  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, V[4].X, V[4].Y);
  cairo_line_to(cr, V[5].X, V[5].Y);
  cairo_line_to(cr, V[5].X + f * (V[0].X - V[5].X), V[5].Y + f * (V[0].Y - V[5].Y));
  cairo_line_to(cr, V[4].X + f * (V[3].X - V[4].X), V[4].Y + f * (V[3].Y - V[4].Y));
  cairo_line_to(cr, V[4].X, V[4].Y);
  cairo_close_path(cr);
  // The outline's width, so the box looks the same whatever was drawn before it.
  cairo_set_line_width(cr, 0.15 * KFRadius());
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);

  cairo_set_source_rgb(cr, 0, 0, 0);
  const auto symbols = std::make_unique<TClassicSymbolRenderer>();
  for (const TLabelStep& step : label.Steps) {
    switch (step.Kind) {
      case LabelStepText:
        cairo_move_to(cr, step.X, step.Y);
        cairo_text_path(cr, step.Text.c_str());
        cairo_fill(cr);
        break;
      case LabelStepTradeCenter: DrawTradeCenterSymbol(*symbols, cr, step.Code, step.X, step.Y, step.Size); break;
      // In the label a stream bridge is never rotated.
      case LabelStepBuilding: DrawBuildingSymbol(*symbols, cr, step.Code, SBDirectionE, step.X, step.Y, step.Size); break;
      case LabelStepSpecialBuilding: DrawSpecialBuildingSymbol(*symbols, cr, step.Code, step.X, step.Y, step.Size); break;
    }
  }
}
