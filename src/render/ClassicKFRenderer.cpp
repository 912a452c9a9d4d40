// The classic terrain pictures: level colours with the patterns of vegetation and features.
#include "render/KFRenderer.h"

namespace {

constexpr TRGB White{1, 1, 1};
constexpr TRGB Pink{1, 0.75, 0.75};
constexpr TRGB RapidsBlue{0, 0, 1};

}  // namespace

void TClassicKFRenderer::DrawVoid(cairo_t* cr) {
  const TRGB& c = Colour(KFColourVoidCross);
  cairo_set_source_rgb(cr, c.R, c.G, c.B);
  cairo_set_line_width(cr, 0.2 * Radius());
  for (const double degrees : {-30.0, 30.0}) {
    cairo_save(cr);
    cairo_translate(cr, CentreX(), CentreY());
    cairo_rotate(cr, DegToRad(degrees));
    cairo_move_to(cr, 0, -0.7 * Radius());
    cairo_line_to(cr, 0, 0.7 * Radius());
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void TClassicKFRenderer::DrawImpassable(cairo_t* cr) { HexBase(cr, Colour(KFColourImpassable)); }
void TClassicKFRenderer::DrawUnknown(cairo_t* cr) { OutlineOnly(cr); }
void TClassicKFRenderer::DrawUnknownLand(cairo_t* cr) { HexBase(cr, Colour(KFColourUnknownLand)); }

void TClassicKFRenderer::DrawMist(cairo_t* cr, const TKf& kf) {
  HexBase(cr, Pink);
  FlowArrow(cr, kf, true);
}

void TClassicKFRenderer::DrawWater(cairo_t* cr) { HexBase(cr, Colour(KFColourWater)); }

void TClassicKFRenderer::DrawStream(cairo_t* cr, const TKf& kf) {
  HexBase(cr, Colour(KFColourStream));
  FlowArrow(cr, kf, true);
}

void TClassicKFRenderer::DrawWhirlpool(cairo_t* cr) {
  DrawWater(cr);
  WhirlSpiral(cr);
}

void TClassicKFRenderer::DrawIceSea(cairo_t* cr) {
  OutlineOnly(cr);
  Star4(cr, Colour(KFColourWater));
}

void TClassicKFRenderer::DrawSurf(cairo_t* cr) {
  HexBase(cr, Colour(KFColourWater));
  SurfZigzags(cr, White);
}

void TClassicKFRenderer::DrawRapids(cairo_t* cr) {
  HexBase(cr, Colour(KFColourWater));
  RapidsCurves(cr, RapidsBlue);
}

void TClassicKFRenderer::DrawPlain(cairo_t* cr) { HexBase(cr, Colour(KFColourPlain)); }
void TClassicKFRenderer::DrawPlainWoods(cairo_t* cr) {
  DrawPlain(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawPlainSwamp(cairo_t* cr) {
  HexBase(cr, Colour(KFColourSwampGround));
  Hash(cr, Colour(KFColourPlain));
}
void TClassicKFRenderer::DrawPlainJungle(cairo_t* cr) {
  DrawPlainSwamp(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawPlainGlacier(cairo_t* cr) {
  OutlineOnly(cr);
  Star4(cr, Colour(KFColourPlain));
}
void TClassicKFRenderer::DrawPlainTundra(cairo_t* cr) {
  DrawPlainGlacier(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawPlainOasis(cairo_t* cr) {
  DrawPlain(cr);
  InnerHex(cr, Colour(KFColourWater));
}
void TClassicKFRenderer::DrawPlainDesert(cairo_t* cr) {
  HexBase(cr, Colour(KFColourDesert));
  Dot(cr, Colour(KFColourPlain));
}
void TClassicKFRenderer::DrawPlainCrater(cairo_t* cr) {
  DrawPlain(cr);
  InnerHex(cr, Colour(KFColourCraterHex));
}

void TClassicKFRenderer::DrawHighland(cairo_t* cr) { HexBase(cr, Colour(KFColourHighland)); }
void TClassicKFRenderer::DrawHighlandWoods(cairo_t* cr) {
  DrawHighland(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawHighlandSwamp(cairo_t* cr) {
  HexBase(cr, Colour(KFColourSwampGround));
  Hash(cr, Colour(KFColourHighland));
}
void TClassicKFRenderer::DrawHighlandJungle(cairo_t* cr) {
  DrawHighlandSwamp(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawHighlandGlacier(cairo_t* cr) {
  OutlineOnly(cr);
  Star4(cr, Colour(KFColourHighland));
}
void TClassicKFRenderer::DrawHighlandTundra(cairo_t* cr) {
  DrawHighlandGlacier(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawHighlandOasis(cairo_t* cr) {
  DrawHighland(cr);
  InnerHex(cr, Colour(KFColourWater));
}
void TClassicKFRenderer::DrawHighlandDesert(cairo_t* cr) {
  HexBase(cr, Colour(KFColourDesert));
  Dot(cr, Colour(KFColourHighland));
}
void TClassicKFRenderer::DrawHighlandCrater(cairo_t* cr) {
  DrawHighland(cr);
  InnerHex(cr, Colour(KFColourCraterHex));
}

void TClassicKFRenderer::DrawRocky(cairo_t* cr) { HexBase(cr, Colour(KFColourRocky)); }
void TClassicKFRenderer::DrawRockyWoods(cairo_t* cr) {
  DrawRocky(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawRockySwamp(cairo_t* cr) {
  HexBase(cr, Colour(KFColourSwampGround));
  Hash(cr, Colour(KFColourRocky));
}
void TClassicKFRenderer::DrawRockyJungle(cairo_t* cr) {
  DrawRockySwamp(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawRockyGlacier(cairo_t* cr) {
  OutlineOnly(cr);
  Star4(cr, Colour(KFColourRocky));
}
void TClassicKFRenderer::DrawRockyTundra(cairo_t* cr) {
  DrawRockyGlacier(cr);
  Dot(cr, Colour(KFColourDot));
}
void TClassicKFRenderer::DrawRockyOasis(cairo_t* cr) {
  DrawRocky(cr);
  InnerHex(cr, Colour(KFColourWater));
}
void TClassicKFRenderer::DrawRockyDesert(cairo_t* cr) {
  HexBase(cr, Colour(KFColourDesert));
  Dot(cr, Colour(KFColourRocky));
}
void TClassicKFRenderer::DrawRockyCrater(cairo_t* cr) {
  DrawRocky(cr);
  InnerHex(cr, Colour(KFColourCraterHex));
}

void TClassicKFRenderer::DrawMountain(cairo_t* cr) { HexBase(cr, Colour(KFColourMountain)); }
void TClassicKFRenderer::DrawCaldera(cairo_t* cr) {
  DrawMountain(cr);
  FivePointStar(cr, Colour(KFColourCalderaStar));
}
void TClassicKFRenderer::DrawVulcano(cairo_t* cr) {
  DrawMountain(cr);
  FivePointStar(cr, Colour(KFColourVulcanoStar));
}
void TClassicKFRenderer::DrawMountainGlacier(cairo_t* cr) {
  OutlineOnly(cr);
  Star4(cr, Colour(KFColourMountain));
}
