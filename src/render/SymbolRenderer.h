// The symbol renderers: trade centers, buildings and special buildings of one KF.
#pragma once

#include <cairo.h>

// Every operation draws around the KF centre (x, y) with the KF radius r.
class TSymbolRenderer {
 public:
  virtual ~TSymbolRenderer() = default;
  TSymbolRenderer(const TSymbolRenderer&) = delete;
  TSymbolRenderer& operator=(const TSymbolRenderer&) = delete;

  virtual void DrawFortressSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawMarketSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawCitySymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawProvincialCapitalSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawCapitalSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawRuinedCitySymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawFoundationSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawTowerSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawDonjonSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawThreeStoryDonjonSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawTempleTowerSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawGnippahellirSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawRuinSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawUnderworldEntranceSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawMirageFortressSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawPortalSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawObeliskSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawTombSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawPyramidTowerSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawPyramidDonjonSymbol(cairo_t* cr, double x, double y, double r) = 0;
  virtual void DrawRiverBridgeSymbol(cairo_t* cr, double x, double y, double r) = 0;
  // angle in degrees, clockwise on the screen.
  virtual void DrawStreamBridgeSymbol(cairo_t* cr, double x, double y, double r, double angle) = 0;

 protected:
  TSymbolRenderer() = default;
};

// Black symbols; none sets a line cap, so each draws with the cap left on the context.
class TClassicSymbolRenderer : public TSymbolRenderer {
 public:
  TClassicSymbolRenderer() = default;

  void DrawFortressSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawMarketSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawProvincialCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRuinedCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawFoundationSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawThreeStoryDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTempleTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawGnippahellirSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRuinSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawUnderworldEntranceSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawMirageFortressSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPortalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawObeliskSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTombSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPyramidTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPyramidDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRiverBridgeSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawStreamBridgeSymbol(cairo_t* cr, double x, double y, double r, double angle) override;
};

// No trade-center symbols and no foundation; everything else as classic.
class TSimplifiedSymbolRenderer : public TClassicSymbolRenderer {
 public:
  TSimplifiedSymbolRenderer() = default;

  void DrawFortressSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawMarketSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawProvincialCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRuinedCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawFoundationSymbol(cairo_t* cr, double x, double y, double r) override;
};

// Draws no symbol at all: the protocol labels list them instead.
class TProtocolSymbolRenderer : public TSymbolRenderer {
 public:
  TProtocolSymbolRenderer() = default;

  void DrawFortressSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawMarketSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawProvincialCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawCapitalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRuinedCitySymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawFoundationSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawThreeStoryDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTempleTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawGnippahellirSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRuinSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawUnderworldEntranceSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawMirageFortressSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPortalSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawObeliskSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawTombSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPyramidTowerSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawPyramidDonjonSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawRiverBridgeSymbol(cairo_t* cr, double x, double y, double r) override;
  void DrawStreamBridgeSymbol(cairo_t* cr, double x, double y, double r, double angle) override;
};

// Draws the symbol of a trade-center, building or special-building code, as the
// GF renderer's passes dispatch them; false when the code has no symbol there.
bool DrawTradeCenterSymbol(TSymbolRenderer& symbols, cairo_t* cr, int tradeCenterType, double x, double y, double r);
bool DrawBuildingSymbol(TSymbolRenderer& symbols, cairo_t* cr, int buildingType, int direction, double x, double y,
                        double r);
bool DrawSpecialBuildingSymbol(TSymbolRenderer& symbols, cairo_t* cr, int buildingType, double x, double y, double r);
