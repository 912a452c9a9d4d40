// The KF renderers: the terrain of one KF in the classic, simplified and protocol styles.
#pragma once

#include <cairo.h>

#include <array>

#include "model/GF.h"
#include "render/Geometry.h"

// Entries of the KF colour table.
enum EKFColour : int {
  KFColourCalderaStar = 0,
  KFColourCraterHex = 1,
  KFColourDesert = 2,
  KFColourUnused = 3,
  KFColourHighland = 4,
  KFColourImpassable = 5,
  KFColourOutline = 6,
  KFColourMountain = 7,
  KFColourPlain = 8,
  KFColourRocky = 9,
  KFColourStream = 10,
  KFColourSwampGround = 11,
  KFColourSimplifiedUnknownLand = 12,
  KFColourUnknownLand = 13,
  KFColourVoidCross = 14,
  KFColourVulcanoStar = 15,
  KFColourWater = 16,
  KFColourDot = 17,
};

class TKFRenderer {
 public:
  static constexpr int ColourCount = 18;
  using TColourTable = std::array<TRGB, ColourCount>;

  virtual ~TKFRenderer() = default;
  TKFRenderer(const TKFRenderer&) = delete;
  TKFRenderer& operator=(const TKFRenderer&) = delete;

  // One operation per terrain kind, called by Draw with Radius, Vertices and the
  // centre already set.
  virtual void DrawVoid(cairo_t* cr) = 0;
  virtual void DrawImpassable(cairo_t* cr) = 0;
  virtual void DrawUnknown(cairo_t* cr) = 0;
  virtual void DrawUnknownLand(cairo_t* cr) = 0;
  virtual void DrawMist(cairo_t* cr, const TKf& kf) = 0;
  virtual void DrawWater(cairo_t* cr) = 0;
  virtual void DrawWhirlpool(cairo_t* cr) = 0;
  virtual void DrawIceSea(cairo_t* cr) = 0;
  virtual void DrawSurf(cairo_t* cr) = 0;
  virtual void DrawRapids(cairo_t* cr) = 0;
  virtual void DrawStream(cairo_t* cr, const TKf& kf) = 0;
  virtual void DrawPlain(cairo_t* cr) = 0;
  virtual void DrawPlainWoods(cairo_t* cr) = 0;
  virtual void DrawPlainSwamp(cairo_t* cr) = 0;
  virtual void DrawPlainJungle(cairo_t* cr) = 0;
  virtual void DrawPlainGlacier(cairo_t* cr) = 0;
  virtual void DrawPlainTundra(cairo_t* cr) = 0;
  virtual void DrawPlainOasis(cairo_t* cr) = 0;
  virtual void DrawPlainDesert(cairo_t* cr) = 0;
  virtual void DrawPlainCrater(cairo_t* cr) = 0;
  virtual void DrawHighland(cairo_t* cr) = 0;
  virtual void DrawHighlandWoods(cairo_t* cr) = 0;
  virtual void DrawHighlandSwamp(cairo_t* cr) = 0;
  virtual void DrawHighlandJungle(cairo_t* cr) = 0;
  virtual void DrawHighlandGlacier(cairo_t* cr) = 0;
  virtual void DrawHighlandTundra(cairo_t* cr) = 0;
  virtual void DrawHighlandOasis(cairo_t* cr) = 0;
  virtual void DrawHighlandDesert(cairo_t* cr) = 0;
  virtual void DrawHighlandCrater(cairo_t* cr) = 0;
  virtual void DrawRocky(cairo_t* cr) = 0;
  virtual void DrawRockyWoods(cairo_t* cr) = 0;
  virtual void DrawRockySwamp(cairo_t* cr) = 0;
  virtual void DrawRockyJungle(cairo_t* cr) = 0;
  virtual void DrawRockyGlacier(cairo_t* cr) = 0;
  virtual void DrawRockyTundra(cairo_t* cr) = 0;
  virtual void DrawRockyOasis(cairo_t* cr) = 0;
  virtual void DrawRockyDesert(cairo_t* cr) = 0;
  virtual void DrawRockyCrater(cairo_t* cr) = 0;
  virtual void DrawMountain(cairo_t* cr) = 0;
  virtual void DrawCaldera(cairo_t* cr) = 0;
  virtual void DrawVulcano(cairo_t* cr) = 0;
  virtual void DrawMountainGlacier(cairo_t* cr) = 0;

  // One KF with centre (x, y) and circumradius r; a terrain code without an
  // operation draws nothing.
  virtual void Draw(cairo_t* cr, const TKf& kf, double x, double y, double r);

  // The pointy-topped hexagon: top corner first, then clockwise.
  static THexagon HexagonPoints(double x, double y, double r);

  const TColourTable& ColourTable() const { return FColourTable; }
  const TRGB& Colour(EKFColour index) const { return FColourTable[index]; }
  double Radius() const { return FRadius; }
  const THexagon& Vertices() const { return FVertices; }
  double CentreX() const { return FCentreX; }
  double CentreY() const { return FCentreY; }

 protected:
  TKFRenderer();

  // Building blocks of the terrain pictures; all read the KF that Draw set.
  void HexPath(cairo_t* cr) const;
  void HexBase(cairo_t* cr, const TRGB& fill) const;
  void OutlineOnly(cairo_t* cr) const;
  void Dot(cairo_t* cr, const TRGB& colour) const;
  void Hash(cairo_t* cr, const TRGB& colour) const;
  void Star4(cairo_t* cr, const TRGB& colour) const;
  void InnerHex(cairo_t* cr, const TRGB& fill) const;
  // Nothing for StreamDirectionDontCare. Only the classic style closes the head.
  void FlowArrow(cairo_t* cr, const TKf& kf, bool closeHead) const;
  void FivePointStar(cairo_t* cr, const TRGB& colour) const;
  // Strokes with the width left on the context, inside the spiral's own scale.
  void WhirlSpiral(cairo_t* cr) const;
  void SurfZigzags(cairo_t* cr, const TRGB& colour) const;
  void RapidsCurves(cairo_t* cr, const TRGB& colour) const;
  // The simplified style's rimless hexagon: the stroke in the fill colour closes the seams.
  void FlatHexPath(cairo_t* cr) const;
  void FlatHex(cairo_t* cr, const TRGB& colour) const;
  void GreyHex(cairo_t* cr, const TRGB& colour) const;

  TColourTable FColourTable;

 private:
  double FRadius = 0;
  THexagon FVertices{};
  double FCentreX = 0;
  double FCentreY = 0;
};

class TClassicKFRenderer : public TKFRenderer {
 public:
  TClassicKFRenderer() = default;

  void DrawVoid(cairo_t* cr) override;
  void DrawImpassable(cairo_t* cr) override;
  void DrawUnknown(cairo_t* cr) override;
  void DrawUnknownLand(cairo_t* cr) override;
  void DrawMist(cairo_t* cr, const TKf& kf) override;
  void DrawWater(cairo_t* cr) override;
  void DrawWhirlpool(cairo_t* cr) override;
  void DrawIceSea(cairo_t* cr) override;
  void DrawSurf(cairo_t* cr) override;
  void DrawRapids(cairo_t* cr) override;
  void DrawStream(cairo_t* cr, const TKf& kf) override;
  void DrawPlain(cairo_t* cr) override;
  void DrawPlainWoods(cairo_t* cr) override;
  void DrawPlainSwamp(cairo_t* cr) override;
  void DrawPlainJungle(cairo_t* cr) override;
  void DrawPlainGlacier(cairo_t* cr) override;
  void DrawPlainTundra(cairo_t* cr) override;
  void DrawPlainOasis(cairo_t* cr) override;
  void DrawPlainDesert(cairo_t* cr) override;
  void DrawPlainCrater(cairo_t* cr) override;
  void DrawHighland(cairo_t* cr) override;
  void DrawHighlandWoods(cairo_t* cr) override;
  void DrawHighlandSwamp(cairo_t* cr) override;
  void DrawHighlandJungle(cairo_t* cr) override;
  void DrawHighlandGlacier(cairo_t* cr) override;
  void DrawHighlandTundra(cairo_t* cr) override;
  void DrawHighlandOasis(cairo_t* cr) override;
  void DrawHighlandDesert(cairo_t* cr) override;
  void DrawHighlandCrater(cairo_t* cr) override;
  void DrawRocky(cairo_t* cr) override;
  void DrawRockyWoods(cairo_t* cr) override;
  void DrawRockySwamp(cairo_t* cr) override;
  void DrawRockyJungle(cairo_t* cr) override;
  void DrawRockyGlacier(cairo_t* cr) override;
  void DrawRockyTundra(cairo_t* cr) override;
  void DrawRockyOasis(cairo_t* cr) override;
  void DrawRockyDesert(cairo_t* cr) override;
  void DrawRockyCrater(cairo_t* cr) override;
  void DrawMountain(cairo_t* cr) override;
  void DrawCaldera(cairo_t* cr) override;
  void DrawVulcano(cairo_t* cr) override;
  void DrawMountainGlacier(cairo_t* cr) override;
};

// Flat colours without rims; all land of levels 1 to 3 looks alike.
class TSimplifiedKfRenderer : public TKFRenderer {
 public:
  TSimplifiedKfRenderer() = default;

  void DrawVoid(cairo_t* cr) override;
  void DrawImpassable(cairo_t* cr) override;
  void DrawUnknown(cairo_t* cr) override;
  void DrawUnknownLand(cairo_t* cr) override;
  void DrawMist(cairo_t* cr, const TKf& kf) override;
  void DrawWater(cairo_t* cr) override;
  void DrawWhirlpool(cairo_t* cr) override;
  void DrawIceSea(cairo_t* cr) override;
  void DrawSurf(cairo_t* cr) override;
  void DrawRapids(cairo_t* cr) override;
  void DrawStream(cairo_t* cr, const TKf& kf) override;
  void DrawPlain(cairo_t* cr) override;
  void DrawPlainWoods(cairo_t* cr) override;
  void DrawPlainSwamp(cairo_t* cr) override;
  void DrawPlainJungle(cairo_t* cr) override;
  void DrawPlainGlacier(cairo_t* cr) override;
  void DrawPlainTundra(cairo_t* cr) override;
  void DrawPlainOasis(cairo_t* cr) override;
  void DrawPlainDesert(cairo_t* cr) override;
  void DrawPlainCrater(cairo_t* cr) override;
  void DrawHighland(cairo_t* cr) override;
  void DrawHighlandWoods(cairo_t* cr) override;
  void DrawHighlandSwamp(cairo_t* cr) override;
  void DrawHighlandJungle(cairo_t* cr) override;
  void DrawHighlandGlacier(cairo_t* cr) override;
  void DrawHighlandTundra(cairo_t* cr) override;
  void DrawHighlandOasis(cairo_t* cr) override;
  void DrawHighlandDesert(cairo_t* cr) override;
  void DrawHighlandCrater(cairo_t* cr) override;
  void DrawRocky(cairo_t* cr) override;
  void DrawRockyWoods(cairo_t* cr) override;
  void DrawRockySwamp(cairo_t* cr) override;
  void DrawRockyJungle(cairo_t* cr) override;
  void DrawRockyGlacier(cairo_t* cr) override;
  void DrawRockyTundra(cairo_t* cr) override;
  void DrawRockyOasis(cairo_t* cr) override;
  void DrawRockyDesert(cairo_t* cr) override;
  void DrawRockyCrater(cairo_t* cr) override;
  void DrawMountain(cairo_t* cr) override;
  void DrawCaldera(cairo_t* cr) override;
  void DrawVulcano(cairo_t* cr) override;
  void DrawMountainGlacier(cairo_t* cr) override;
};

// Black, white and light grey for printed protocols: only water and mountains show.
class TProtocolKFRenderer : public TClassicKFRenderer {
 public:
  TProtocolKFRenderer();

  void DrawVoid(cairo_t* cr) override;
  void DrawImpassable(cairo_t* cr) override;
  void DrawUnknown(cairo_t* cr) override;
  void DrawUnknownLand(cairo_t* cr) override;
  void DrawMist(cairo_t* cr, const TKf& kf) override;
  void DrawWater(cairo_t* cr) override;
  void DrawWhirlpool(cairo_t* cr) override;
  void DrawIceSea(cairo_t* cr) override;
  void DrawSurf(cairo_t* cr) override;
  void DrawRapids(cairo_t* cr) override;
  void DrawStream(cairo_t* cr, const TKf& kf) override;
  void DrawPlain(cairo_t* cr) override;
  void DrawPlainWoods(cairo_t* cr) override;
  void DrawPlainSwamp(cairo_t* cr) override;
  void DrawPlainJungle(cairo_t* cr) override;
  void DrawPlainGlacier(cairo_t* cr) override;
  void DrawPlainTundra(cairo_t* cr) override;
  void DrawPlainOasis(cairo_t* cr) override;
  void DrawPlainDesert(cairo_t* cr) override;
  void DrawPlainCrater(cairo_t* cr) override;
  void DrawHighland(cairo_t* cr) override;
  void DrawHighlandWoods(cairo_t* cr) override;
  void DrawHighlandSwamp(cairo_t* cr) override;
  void DrawHighlandJungle(cairo_t* cr) override;
  void DrawHighlandGlacier(cairo_t* cr) override;
  void DrawHighlandTundra(cairo_t* cr) override;
  void DrawHighlandOasis(cairo_t* cr) override;
  void DrawHighlandDesert(cairo_t* cr) override;
  void DrawHighlandCrater(cairo_t* cr) override;
  void DrawRocky(cairo_t* cr) override;
  void DrawRockyWoods(cairo_t* cr) override;
  void DrawRockySwamp(cairo_t* cr) override;
  void DrawRockyJungle(cairo_t* cr) override;
  void DrawRockyGlacier(cairo_t* cr) override;
  void DrawRockyTundra(cairo_t* cr) override;
  void DrawRockyOasis(cairo_t* cr) override;
  void DrawRockyDesert(cairo_t* cr) override;
  void DrawRockyCrater(cairo_t* cr) override;
  void DrawMountain(cairo_t* cr) override;
  void DrawCaldera(cairo_t* cr) override;
  void DrawVulcano(cairo_t* cr) override;
  void DrawMountainGlacier(cairo_t* cr) override;
};
