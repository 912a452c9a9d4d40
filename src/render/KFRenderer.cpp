// The KF renderer frame: colour table, hexagon corners, terrain dispatch and the
// building blocks the terrain pictures are made of.
#include "render/KFRenderer.h"

namespace {

constexpr TRGB Black{0, 0, 0};
constexpr TRGB White{1, 1, 1};

void SetColour(cairo_t* cr, const TRGB& c) { cairo_set_source_rgb(cr, c.R, c.G, c.B); }

using TTerrainOperation = void (TKFRenderer::*)(cairo_t*);

// The nine kinds of one land level, in code order (x00 .. x08).
constexpr TTerrainOperation LevelOperations[3][9] = {
    {&TKFRenderer::DrawPlain, &TKFRenderer::DrawPlainWoods, &TKFRenderer::DrawPlainSwamp,
     &TKFRenderer::DrawPlainJungle, &TKFRenderer::DrawPlainGlacier, &TKFRenderer::DrawPlainTundra,
     &TKFRenderer::DrawPlainOasis, &TKFRenderer::DrawPlainDesert, &TKFRenderer::DrawPlainCrater},
    {&TKFRenderer::DrawHighland, &TKFRenderer::DrawHighlandWoods, &TKFRenderer::DrawHighlandSwamp,
     &TKFRenderer::DrawHighlandJungle, &TKFRenderer::DrawHighlandGlacier, &TKFRenderer::DrawHighlandTundra,
     &TKFRenderer::DrawHighlandOasis, &TKFRenderer::DrawHighlandDesert, &TKFRenderer::DrawHighlandCrater},
    {&TKFRenderer::DrawRocky, &TKFRenderer::DrawRockyWoods, &TKFRenderer::DrawRockySwamp,
     &TKFRenderer::DrawRockyJungle, &TKFRenderer::DrawRockyGlacier, &TKFRenderer::DrawRockyTundra,
     &TKFRenderer::DrawRockyOasis, &TKFRenderer::DrawRockyDesert, &TKFRenderer::DrawRockyCrater},
};

// Codes 0..4, 100..105 and 500..503 outside the level table; null for gaps.
constexpr TTerrainOperation SpecialOperations[5] = {
    &TKFRenderer::DrawVoid, &TKFRenderer::DrawImpassable, &TKFRenderer::DrawUnknown,
    &TKFRenderer::DrawUnknownLand, nullptr /* Mist takes the KF */};
constexpr TTerrainOperation WaterOperations[6] = {
    &TKFRenderer::DrawWater, nullptr /* Stream takes the KF */, &TKFRenderer::DrawWhirlpool,
    &TKFRenderer::DrawIceSea, &TKFRenderer::DrawSurf,        &TKFRenderer::DrawRapids};
constexpr TTerrainOperation MountainOperations[4] = {&TKFRenderer::DrawMountain, &TKFRenderer::DrawCaldera,
                                                     &TKFRenderer::DrawVulcano, &TKFRenderer::DrawMountainGlacier};

}  // namespace

TKFRenderer::TKFRenderer()
    : FColourTable{{
          {1, 1, 0},          // caldera star
          {1, 1, 0},          // crater inner hexagon
          {1, 1, 0},          // desert
          {0, 0, 0},          // unused
          {1, 0.7, 0.1},      // highland
          {0, 0, 0},          // impassable
          {0, 0, 0},          // hexagon outline
          {0.3, 0.3, 0.3},    // mountain
          {0, 1, 0},          // plain
          {1, 0, 0},          // rocky
          {1, 1, 1},          // stream
          {1, 1, 1},          // swamp ground
          {0.7, 0.7, 0.7},    // unknown land, simplified
          {0.8, 1, 0.8},      // unknown land; plain, simplified
          {0, 0, 0},          // void cross
          {1, 0, 0},          // vulcano star
          {0.5, 0.898, 1},    // water
          {0, 0, 1},          // dot of woods, jungle, tundra
      }} {}

THexagon TKFRenderer::HexagonPoints(double x, double y, double r) {
  const double w = HexCornerFactor * r;
  return {{{x, y - r}, {x + w, y - 0.5 * r}, {x + w, y + 0.5 * r}, {x, y + r}, {x - w, y + 0.5 * r}, {x - w, y - 0.5 * r}}};
}

void TKFRenderer::Draw(cairo_t* cr, const TKf& kf, double x, double y, double r) {
  FRadius = r;
  FCentreX = x;
  FCentreY = y;
  FVertices = HexagonPoints(x, y, r);
  const uint16_t code = kf.Terrain().TerrainType();
  TTerrainOperation operation = nullptr;
  if (code == TMist::Code) {
    DrawMist(cr, kf);
  } else if (code == TStream::Code) {
    DrawStream(cr, kf);
  } else if (code < 5) {
    operation = SpecialOperations[code];
  } else if (code >= 100 && code <= 105) {
    operation = WaterOperations[code - 100];
  } else if (code >= 200 && code < 500 && code % 100 <= 8) {
    operation = LevelOperations[code / 100 - 2][code % 100];
  } else if (code >= 500 && code <= 503) {
    operation = MountainOperations[code - 500];
  }
  if (operation) (this->*operation)(cr);
}

void TKFRenderer::HexPath(cairo_t* cr) const {
  cairo_move_to(cr, FVertices[0].X, FVertices[0].Y);
  for (int i = 1; i < 6; ++i) cairo_line_to(cr, FVertices[i].X, FVertices[i].Y);
  cairo_close_path(cr);
}

void TKFRenderer::HexBase(cairo_t* cr, const TRGB& fill) const {
  HexPath(cr);
  SetColour(cr, FColourTable[KFColourOutline]);
  cairo_set_line_width(cr, 0.025 * FRadius);
  cairo_stroke_preserve(cr);
  SetColour(cr, fill);
  cairo_fill(cr);
}

void TKFRenderer::OutlineOnly(cairo_t* cr) const {
  HexPath(cr);
  SetColour(cr, FColourTable[KFColourOutline]);
  cairo_set_line_width(cr, 0.025 * FRadius);
  cairo_stroke(cr);
}

void TKFRenderer::Dot(cairo_t* cr, const TRGB& colour) const {
  cairo_new_sub_path(cr);
  cairo_arc(cr, FCentreX, FCentreY, 0.15 * FRadius, 0, FullCircle);
  SetColour(cr, colour);
  cairo_fill(cr);
}

void TKFRenderer::Hash(cairo_t* cr, const TRGB& colour) const {
  const double r = FRadius;
  SetColour(cr, colour);
  cairo_set_line_width(cr, 0.2 * r);
  for (const double dx : {-0.25 * r, 0.25 * r}) {
    cairo_move_to(cr, FCentreX + dx, FCentreY - 0.65 * r);
    cairo_line_to(cr, FCentreX + dx, FCentreY + 0.65 * r);
    cairo_stroke(cr);
  }
  for (const double dy : {-0.25 * r, 0.25 * r}) {
    cairo_move_to(cr, FCentreX - 0.65 * r, FCentreY + dy);
    cairo_line_to(cr, FCentreX + 0.65 * r, FCentreY + dy);
    cairo_stroke(cr);
  }
}

void TKFRenderer::Star4(cairo_t* cr, const TRGB& colour) const {
  SetColour(cr, colour);
  cairo_set_line_width(cr, 0.2 * FRadius);
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, FCentreX, FCentreY);
    cairo_rotate(cr, i * 0.785398175);
    cairo_move_to(cr, 0, -0.7 * FRadius);
    cairo_line_to(cr, 0, 0.7 * FRadius);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void TKFRenderer::InnerHex(cairo_t* cr, const TRGB& fill) const {
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY);
  cairo_scale(cr, 0.8, 0.8);
  cairo_translate(cr, -FCentreX, -FCentreY);
  HexPath(cr);
  SetColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void TKFRenderer::FlowArrow(cairo_t* cr, const TKf& kf, bool closeHead) const {
  const int s = kf.Terrain().StreamDirection();
  if (s == StreamDirectionDontCare) return;
  const double r = FRadius;
  SetColour(cr, Black);
  cairo_set_line_width(cr, 0.1 * r);
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY);
  // Direction E (2) is unrotated; each step turns 60 degrees clockwise.
  cairo_rotate(cr, (s * 60 - 120) * RenderPi / 180);
  cairo_move_to(cr, -0.5 * r, 0);
  cairo_line_to(cr, 0.5 * r, 0);
  cairo_stroke(cr);
  cairo_move_to(cr, 0.2 * r, 0.2 * r);
  cairo_line_to(cr, 0.5 * r, 0);
  cairo_line_to(cr, 0.2 * r, -0.2 * r);
  cairo_line_to(cr, 0.2 * r, 0.2 * r);
  if (closeHead) cairo_close_path(cr);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void TKFRenderer::FivePointStar(cairo_t* cr, const TRGB& colour) const {
  static constexpr TDoublePoint Star[10] = {
      {0.50000001, 0},          {0.64694631, 0.29774575}, {0.97552826, 0.34549152}, {0.73776413, 0.57725425},
      {0.79389262, 0.90450851}, {0.5, 0.75},              {0.20610736, 0.90450849}, {0.26223587, 0.57725425},
      {0.024471746, 0.34549149}, {0.35305369, 0.29774575}};
  SetColour(cr, colour);
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY);
  cairo_scale(cr, 1.2 * FRadius, 1.2 * FRadius);
  cairo_translate(cr, -0.5, -0.5);
  cairo_move_to(cr, Star[0].X, Star[0].Y);
  for (int i = 1; i < 10; ++i) cairo_line_to(cr, Star[i].X, Star[i].Y);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void TKFRenderer::WhirlSpiral(cairo_t* cr) const {
  struct TCurve {
    TDoublePoint C1, C2, End;
  };
  static constexpr TCurve Spiral[12] = {
      {{1.2015542, 10.027933}, {0.74492209, 11.448422}, {8.3591119e-08, 11.780385}},
      {{-1.2705631, 12.346591}, {-2.5766089, 11.240846}, {-2.8468664, 10.027933}},
      {{-3.2569594, 8.1874407}, {-1.7724349, 6.5100073}, {-1.8036197e-07, 6.2467216}},
      {{2.3242185, 5.9014714}, {4.3730872, 7.7690309}, {4.6247481, 10.027933}},
      {{4.9327971, 12.792973}, {2.7031136, 15.193624}, {2.5789271e-07, 15.434544}},
      {{-3.1766763, 15.717671}, {-5.9110341, 13.145675}, {-6.1425961, 10.027933}},
      {{-6.40747, 6.4616823}, {-3.5098602, 3.4088793}, {-3.2638391e-07, 3.1854346}},
      {{3.9382045, 2.9347205}, {7.296571, 6.14395}, {7.5129254, 10.027933}},
      {{7.7522075, 14.323512}, {4.2432273, 17.976434}, {3.8916159e-07, 18.186537}},
      {{-4.6405831, 18.416315}, {-8.5785247, 14.617796}, {-8.7830648, 10.027934}},
      {{-9.004763, 5.0530416}, {-4.9256109, 0.83844538}, {-4.4785269e-07, 0.63889799}},
      {{5.2998126, 0.42419083}, {9.7836444, 4.7761188}, {9.9786768, 10.027933}},
  };
  SetColour(cr, White);
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY - 0.5 * FRadius);
  cairo_scale(cr, 0.05 * FRadius, 0.05 * FRadius);
  cairo_move_to(cr, 0, 10.027933);
  for (const TCurve& c : Spiral) cairo_curve_to(cr, c.C1.X, c.C1.Y, c.C2.X, c.C2.Y, c.End.X, c.End.Y);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TKFRenderer::SurfZigzags(cairo_t* cr, const TRGB& colour) const {
  static constexpr TDoublePoint Upper[7] = {{-0.45, -0.1}, {-0.25, -0.4}, {-0.15, -0.1}, {0.05, -0.4},
                                            {0.15, -0.1},  {0.35, -0.4},  {0.45, -0.1}};
  static constexpr TDoublePoint Lower[7] = {{-0.45, 0.4}, {-0.25, 0.1}, {-0.15, 0.4}, {0.05, 0.1},
                                            {0.15, 0.4},  {0.35, 0.1},  {0.45, 0.4}};
  const double r = FRadius;
  SetColour(cr, colour);
  cairo_set_line_width(cr, 0.1 * r);
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY);
  for (const auto* zigzag : {Upper, Lower}) {
    cairo_move_to(cr, zigzag[0].X * r, zigzag[0].Y * r);
    for (int i = 1; i < 7; ++i) cairo_line_to(cr, zigzag[i].X * r, zigzag[i].Y * r);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void TKFRenderer::RapidsCurves(cairo_t* cr, const TRGB& colour) const {
  const double r = FRadius;
  cairo_set_line_width(cr, 0.1 * r);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, colour);
  cairo_save(cr);
  cairo_translate(cr, FCentreX, FCentreY);
  // The path takes each point through the transformation in force when it is added.
  const auto curve = [cr, r] {
    cairo_move_to(cr, -0.5 * r, 0);
    cairo_curve_to(cr, 0, -0.5 * r, 0, 0.5 * r, 0.5 * r, 0);
  };
  curve();
  cairo_translate(cr, 0, -0.5 * r);
  curve();
  cairo_translate(cr, 0, r);
  curve();
  cairo_stroke(cr);
  cairo_restore(cr);
}

void TKFRenderer::FlatHexPath(cairo_t* cr) const {
  cairo_move_to(cr, FVertices[0].X, FVertices[0].Y);
  for (int i = 1; i < 6; ++i) cairo_line_to(cr, FVertices[i].X, FVertices[i].Y);
  cairo_line_to(cr, FVertices[0].X, FVertices[0].Y);
  cairo_close_path(cr);
}

void TKFRenderer::FlatHex(cairo_t* cr, const TRGB& colour) const {
  FlatHexPath(cr);
  SetColour(cr, colour);
  cairo_set_line_width(cr, 0.125 * FRadius);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
}

void TKFRenderer::GreyHex(cairo_t* cr, const TRGB& colour) const {
  HexPath(cr);
  SetColour(cr, colour);
  cairo_set_line_width(cr, 0.01 * FRadius);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
}
