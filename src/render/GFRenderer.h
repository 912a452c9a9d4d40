// The GF renderers: hex geometry of a GF, edge features, symbol passes, outline and
// labels, in the classic, simplified and protocol styles.
#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <memory>

#include "model/GF.h"
#include "render/Geometry.h"
#include "render/KFRenderer.h"
#include "render/SymbolRenderer.h"

// Entries of the GF colour table, one per edge feature (two for channels and rapids).
enum EGFColour : int {
  GFColourUnused = 0,
  GFColourRiver = 1,  // also the rapids waves
  GFColourWadi = 2,
  GFColourWall = 3,
  GFColourPass = 4,
  GFColourSlope = 5,
  GFColourRoad = 6,
  GFColourGate = 7,
  GFColourBridge = 8,
  GFColourLanding = 9,
  GFColourCliff = 10,
  GFColourPassage = 11,
  GFColourTrench = 12,
  GFColourChannelOuter = 13,
  GFColourChannelInner = 14,
  GFColourRapids = 15,
};

class TGFRenderer {
 public:
  static constexpr int ColourCount = 16;
  using TColourTable = std::array<TRGB, ColourCount>;

  virtual ~TGFRenderer();
  TGFRenderer(const TGFRenderer&) = delete;
  TGFRenderer& operator=(const TGFRenderer&) = delete;

  // Edge features; each walks KF 1..48 and sides 0..5 of a GF at origin (x, y).
  virtual void DrawRiverFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawWadiFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawWallFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawPassFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawSlopeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawRoadFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawGateFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawBridgeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawLandingFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawCliffFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawPassageFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawTrenchFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawChannelFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);
  virtual void DrawRapidsFeature(cairo_t* cr, const TGF& gf, double x, double y, double R);

  // The whole GF for the single-GF views: terrain, features and symbols, outline.
  // Never draws labels.
  virtual void Paint(cairo_t* cr, const TGF& gf, double x, double y, double R);
  // The terrain of the 48 KF; sets GFRadius := R.
  virtual void DrawKFs(cairo_t* cr, const TGF& gf, double x, double y, double R);
  // Edge features and symbols, with the sizes of the current GFRadius.
  virtual void DrawGF(cairo_t* cr, const TGF& gf, double x, double y, double R);
  // Only the protocol style draws anything here.
  virtual void DrawLabels(cairo_t* cr, const TGF& gf, double x, double y, double R);
  // Ignores R: the outline follows the current GFRadius.
  virtual void DrawOutline(cairo_t* cr, const TGF& gf, double x, double y, double R);

  // The symbol passes of DrawGF.
  void DrawTradeCenters(cairo_t* cr, const TGF& gf, double x, double y, double R);
  void DrawBuildings(cairo_t* cr, const TGF& gf, double x, double y, double R);
  void DrawSpecialBuildings(cairo_t* cr, const TGF& gf, double x, double y, double R);

  double GFRadius() const { return FGFRadius; }
  void SetGFRadius(double R);
  double GFHalfHeight() const { return FGFHalfHeight; }
  double KFApothem() const { return FKFApothem; }
  double KFRadius() const { return FKFRadius; }

  TKFRenderer& KFRenderer() { return *FKFRenderer; }
  const TKFRenderer& KFRenderer() const { return *FKFRenderer; }
  TSymbolRenderer& SymbolRenderer() { return *FSymbolRenderer; }
  const TSymbolRenderer& SymbolRenderer() const { return *FSymbolRenderer; }

  const TColourTable& ColourTable() const { return FColourTable; }
  const TRGB& Colour(EGFColour index) const { return FColourTable[index]; }
  // The corners computed by the last GFHexagon.
  const THexagon& OutlinePoints() const { return FOutlinePoints; }

  // Geometry; n is a KF number 1..48, d a side 0..5. The operations with an R set
  // GFRadius := R first, so they change the sizes of later drawing.
  static int KFRow(int n);
  // The KF centre relative to the GF origin, for the current GFRadius.
  TDoublePoint KFCentreOffset(int n) const;
  THexagon KFHexagon(int n, double x, double y, double R);
  TSegment KFSide(int n, int d, double x, double y, double R);
  // The flat-topped outline: left corner first, then counter-clockwise on the screen.
  THexagon GFHexagon(double x, double y, double R);

  // Inner edges belong to their lower-numbered KF, border sides to their own.
  static bool SideOwner(int n, int d) { return KFNeighbour[n][d] == 0 || KFNeighbour[n][d] > n; }

 protected:
  // Fills the classic colour table and takes the style's two renderers.
  TGFRenderer(std::unique_ptr<TKFRenderer> kfRenderer, std::unique_ptr<TSymbolRenderer> symbolRenderer);

  // The half of KF n between side d and the diagonal from corner d - 1 to corner d + 2.
  void HalfHexagonPath(cairo_t* cr, int n, int d, double x, double y, double R);
  // Three wavy lines along every rapids side, once per edge; the caller sets the pen.
  void RapidsWaves(cairo_t* cr, const TGF& gf, double x, double y, double R);
  void OutlinePath(cairo_t* cr, double x, double y);

  // Calls draw(n, d) for every side d of every KF n whose bit is set in `set`;
  // `once` leaves out the inner edges that the neighbour draws.
  template <class TDraw>
  static void ForEachSide(const TGF& gf, uint8_t TKf::*set, bool once, TDraw&& draw) {
    for (int n = 1; n <= KFCount; ++n) {
      const unsigned bits = gf.Kf(n).*set;
      for (int d = 0; d < 6; ++d)
        if (((bits >> d) & 1u) && (!once || SideOwner(n, d))) draw(n, d);
    }
  }

  TColourTable FColourTable;

 private:
  double FGFRadius = 0;
  double FGFHalfHeight = 0;
  double FKFApothem = 0;
  double FKFRadius = 0;
  std::unique_ptr<TKFRenderer> FKFRenderer;
  std::unique_ptr<TSymbolRenderer> FSymbolRenderer;
  THexagon FOutlinePoints{};
};

class TClassicGFRenderer : public TGFRenderer {
 public:
  TClassicGFRenderer();
  ~TClassicGFRenderer() override;
};

// Fewer features and flat colours, no trade-center symbols.
class TSimplifiedGFRenderer : public TGFRenderer {
 public:
  TSimplifiedGFRenderer();
  ~TSimplifiedGFRenderer() override;

  void DrawRiverFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawWadiFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawSlopeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawGateFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawBridgeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawCliffFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawPassageFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawTrenchFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawRapidsFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  // No channels, rapids before walls, one outline.
  void Paint(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
};

// Black, white and grey, with a label listing the GF's contents.
class TProtocolGFRenderer : public TGFRenderer {
 public:
  TProtocolGFRenderer();
  ~TProtocolGFRenderer() override;

  void DrawRiverFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawWadiFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawWallFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawSlopeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawGateFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawBridgeFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawPassageFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  void DrawTrenchFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
  // The box with the coordinate, trade centers, buildings, walls and trenches.
  void DrawLabels(cairo_t* cr, const TGF& gf, double x, double y, double R) override;
};

enum ERenderStyle : uint8_t {
  RenderStyleClassic,
  RenderStyleSimplified,
  RenderStyleProtocol,
};

// A new GF renderer of that style, with its own KF and symbol renderer.
std::unique_ptr<TGFRenderer> CreateGFRenderer(ERenderStyle style);
// The style of a renderer made by CreateGFRenderer or one of the three constructors.
ERenderStyle RenderStyleOf(const TGFRenderer& renderer);
