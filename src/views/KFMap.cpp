// The KF map and the KF map editor: centred drawing, selection, key tables, exports.
#include "views/KFMap.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>

#include "render/Renderer.h"

namespace {

// The variants of a land family, the last digit of its codes.
enum EVariant : int8_t {
  Base = 0,
  Woods = 1,
  Swamp = 2,
  Jungle = 3,
  Glacier = 4,
  Tundra = 5,
  Oasis = 6,
  Desert = 7,
  Crater = 8,
  Same = -1,  // leave the KF as it is
};

constexpr uint16_t PlainBase = 200;
constexpr uint16_t HighlandBase = 300;
constexpr uint16_t RockyBase = 400;

// The base code of the land family holding `code`, or 0 outside the three families.
uint16_t FamilyOf(uint16_t code) {
  for (uint16_t base : {PlainBase, HighlandBase, RockyBase})
    if (code >= base && code <= base + Crater) return base;
  return 0;
}

struct TCodeStep {
  uint16_t From;
  uint16_t To;
};

// A variant key: the new variant for each variant of a family (highland may differ),
// and what happens to codes outside the families.
struct TVariantKey {
  std::array<EVariant, 9> PlainAndRocky;
  std::array<EVariant, 9> Highland;
  std::span<const TCodeStep> OtherCodes;
};

// Mountain 500 -> Caldera 501 -> Vulcano 502 -> Mountain 500.
constexpr std::array<TCodeStep, 3> VolcanoRing{{{500, 501}, {501, 502}, {502, 500}}};
// Water freezes to IceSea, the three mountains to MountainGlacier.
constexpr std::array<TCodeStep, 4> Icing{{{100, 103}, {500, 503}, {501, 503}, {502, 503}}};

// Each key lists the new variant for base, Woods, Swamp, Jungle, Glacier, Tundra,
// Oasis, Desert and Crater: first in the plain and rocky families, then in highland.
constexpr TVariantKey WoodKey{
    {Woods, Base, Jungle, Swamp, Tundra, Glacier, Same, Crater, Desert},
    {Woods, Base, Jungle, Swamp, Tundra, Glacier, Same, Crater, Desert},
    VolcanoRing};
constexpr TVariantKey SwampKey{
    {Swamp, Jungle, Base, Woods, Swamp, Jungle, Swamp, Swamp, Swamp},
    {Swamp, Jungle, Base, Woods, Swamp, Jungle, Swamp, Swamp, Swamp},
    {}};
constexpr TVariantKey GlacierKey{
    {Glacier, Tundra, Glacier, Tundra, Base, Woods, Glacier, Glacier, Glacier},
    {Glacier, Tundra, Glacier, Tundra, Base, Woods, Glacier, Glacier, Glacier},
    Icing};
constexpr TVariantKey DesertKey{
    {Desert, Desert, Desert, Desert, Desert, Desert, Desert, Base, Desert},
    {Desert, Desert, Desert, Desert, Desert, Desert, Desert, Base, Desert},
    {}};
constexpr TVariantKey CraterKey{
    {Crater, Crater, Crater, Crater, Crater, Crater, Crater, Crater, Base},
    {Crater, Crater, Crater, Crater, Crater, Crater, Crater, Crater, Base},
    {}};
constexpr TVariantKey OasisKey{
    {Oasis, Oasis, Oasis, Oasis, Oasis, Oasis, Base, Oasis, Oasis},
    {Oasis, Oasis, Oasis, Oasis, Oasis, Oasis, Base, Oasis, Oasis},
    {}};
// Plain and rocky run base, Swamp, Glacier, Desert, Oasis, Crater; highland turns
// back to base after Glacier and ends its second ring Desert, Oasis, Crater.
constexpr TVariantKey TerrainClassToggleKey{
    {Swamp, Jungle, Glacier, Tundra, Desert, Woods, Crater, Oasis, Base},
    {Swamp, Jungle, Glacier, Tundra, Base, Woods, Crater, Oasis, Desert},
    {}};

// The new code for `code`, or `code` itself when the key leaves it.
uint16_t ApplyVariantKey(const TVariantKey& key, uint16_t code) {
  if (const uint16_t family = FamilyOf(code)) {
    const auto& row = family == HighlandBase ? key.Highland : key.PlainAndRocky;
    const EVariant to = row[code - family];
    return to == Same ? code : static_cast<uint16_t>(family + to);
  }
  for (const TCodeStep& step : key.OtherCodes)
    if (step.From == code) return step.To;
  return code;
}

// A level key keeps the variant and changes the family; the base of another family
// and every code outside the families give the new family's base.
uint16_t ApplyLevelKey(uint16_t targetFamily, uint16_t code) {
  const uint16_t family = FamilyOf(code);
  if (family == targetFamily) return code;
  if (family != 0 && code != family) return static_cast<uint16_t>(targetFamily + (code - family));
  return targetFamily;
}

// Unknown -> UnknownLand -> Impassable -> Void -> Unknown; anything else -> Unknown.
constexpr std::array<TCodeStep, 4> UnknownCycle{{{2, 3}, {3, 1}, {1, 0}, {0, 2}}};

// The next code of a cycle; codes outside it stay.
template <size_t N>
int NextInCycle(const std::array<uint8_t, N>& cycle, int code) {
  const auto it = std::find(cycle.begin(), cycle.end(), code);
  if (it == cycle.end()) return code;
  return std::next(it) == cycle.end() ? cycle.front() : *std::next(it);
}

// The class toggles; each code goes to the next, the last back to the first.
constexpr std::array<uint8_t, 7> TradeCenterCycle{TradeCenterNone,    TradeCenterFortress,
                                                  TradeCenterMarket,  TradeCenterCity,
                                                  TradeCenterProvincialCapital, TradeCenterCapital,
                                                  TradeCenterRuinedCity};
constexpr std::array<uint8_t, 7> BuildingCycle{BuildingNone,   BuildingFoundation,       BuildingTower,
                                               BuildingDonjon, BuildingThreeStoryDonjon, BuildingTempleTower,
                                               BuildingStreamBridge};
constexpr std::array<uint8_t, 5> SpecialBuildingCycle{BuildingNone, BuildingGnippahellir, BuildingUnderworldEntrance,
                                                      BuildingRuin, BuildingMirageFortress};

// The KF that Up and Down move to; 0 means no move. Index 0 is unused.
constexpr std::array<uint8_t, KFCount + 1> UpTable{
    0,                                                                      //
    0,  0,  0,  0,  1,  2,  3,  4,  4,  5,  5,  6,  7,  8,  9,  10, 11, 12,  //  1..18
    13, 14, 15, 15, 16, 16, 17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29,  // 19..36
    30, 31, 32, 33, 34, 35, 36, 39, 40, 41, 42, 43};                         // 37..48
constexpr std::array<uint8_t, KFCount + 1> DownTable{
    0,                                                                      //
    5,  6,  7,  8,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 26,  //  1..18
    27, 28, 29, 30, 31, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,  // 19..36
    43, 44, 44, 45, 46, 47, 48, 0,  0,  0,  0,  0};                          // 37..48

constexpr double ExportSVGWidth = 77.39;
constexpr double ExportSVGHeight = 67.0217;
constexpr double ExportSVGRadius = 38.695;
constexpr int ExportPNGWidth = 955;
constexpr int ExportPNGHeight = 860;
constexpr double ExportPNGX = 5;
constexpr double ExportPNGY = 36;
constexpr double ExportPNGRadius = 472.5;

void AddHexagonPath(cairo_t* cr, const THexagon& points) {
  cairo_move_to(cr, points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].X, points[i].Y);
  cairo_close_path(cr);
}

[[noreturn]] void ThrowExportFailure(const std::string& fileName, cairo_status_t status) {
  throw EKFMapExportException("Die Datei \"" + fileName +
                              "\" konnte nicht geschrieben werden: " + cairo_status_to_string(status));
}

}  // namespace

TKFMapPlacement CentredPlacement(int width, int height) {
  const double r = std::min(width, height) / 2.0;
  const double e = r * std::sqrt(3.0) / 2.0;
  return {width / 2.0 - r, height / 2.0 - e, r};
}

// --- TKFMap ---

TKFMap::TKFMap()
    : PlaceholderGF(std::make_unique<TGF>()),
      FGF(PlaceholderGF.get()),
      FGFRenderer(std::make_unique<TClassicGFRenderer>()) {}

TKFMap::~TKFMap() = default;

void TKFMap::DoDraw(cairo_t* cr) {
  const TKFMapPlacement at = CentredPlacement(Width(), Height());
  FGFRenderer->Paint(cr, *FGF, at.X, at.Y, at.R);
}

// --- TKFMapEditor ---

TKFMapEditor::TKFMapEditor()
    : FGFRenderer(std::make_unique<TClassicGFRenderer>()),
      PlaceholderGF(std::make_unique<TGF>()),
      FGF(PlaceholderGF.get()),
      HitSurface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)),
      HitContext(cairo_create(HitSurface.get())) {}

TKFMapEditor::~TKFMapEditor() = default;

void TKFMapEditor::SelectionChanged() {
  // A headless editor may run without listeners.
  if (OnSelectionChanged) OnSelectionChanged(*this);
}

void TKFMapEditor::SetSelectedCell(int cell) {
  if (cell < 1 || cell > KFCount) return;
  FSelectedCell = cell;
  SelectionChanged();
  Invalidate();
}

void TKFMapEditor::SetGF(TGF& gf) {
  FGF = &gf;
  SelectionChanged();
  if (OnGFChanged) OnGFChanged(*this);
  Invalidate();
}

void TKFMapEditor::Fill(uint16_t terrainCode) {
  const TTerrainFactory factory;
  for (int n = 1; n <= KFCount; ++n) FGF->Kf(n).SetTerrain(factory.CreateTerrain(terrainCode));
  Invalidate();
  SelectionChanged();
}

void TKFMapEditor::DeleteGF() {
  if (!Dialogs || !Dialogs->WarningYesNo("Sind Sie sicher, dass Sie dieses GF loeschen wollen ?")) return;
  FGF->Clear();
  SelectionChanged();
  Invalidate();
}

void TKFMapEditor::Repaint() {
  Redraw();
  if (HostUpdate) HostUpdate();
}

int TKFMapEditor::KFAt(double px, double py) {
  const TKFMapPlacement at = CentredPlacement(Width(), Height());
  cairo_t* cr = HitContext.get();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (int n = 1; n <= KFCount; ++n) {
    cairo_new_path(cr);
    AddHexagonPath(cr, FGFRenderer->KFHexagon(n, at.X, at.Y, at.R));
    if (cairo_in_fill(cr, px, py)) {
      cairo_new_path(cr);
      return n;
    }
  }
  cairo_new_path(cr);
  return 0;
}

void TKFMapEditor::DoDraw(cairo_t* cr) {
  const TKFMapPlacement at = CentredPlacement(Width(), Height());
  FGFRenderer->Paint(cr, *FGF, at.X, at.Y, at.R);
  cairo_new_path(cr);
  AddHexagonPath(cr, FGFRenderer->KFHexagon(FSelectedCell, at.X, at.Y, at.R));
  cairo_set_source_rgb(cr, 1, 0, 1);
  cairo_set_line_width(cr, at.R * 0.125 * 0.1);
  cairo_stroke(cr);
}

// --- exports ---

void TKFMapEditor::ExportAsSVG(const std::string& fileName) { ExportAsSVG(fileName, *FGFRenderer); }

void TKFMapEditor::ExportAsSVG(const std::string& fileName, TGFRenderer& renderer) {
  TCairoSurfacePtr surface(cairo_svg_surface_create(fileName.c_str(), ExportSVGWidth, ExportSVGHeight));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    ThrowExportFailure(fileName, cairo_surface_status(surface.get()));
  {
    TCairoContextPtr cr(cairo_create(surface.get()));
    renderer.Paint(cr.get(), *FGF, 0, 0, ExportSVGRadius);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) ThrowExportFailure(fileName, cairo_status(cr.get()));
  }
  // The file is complete only once the surface is finished; write errors show here.
  cairo_surface_finish(surface.get());
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    ThrowExportFailure(fileName, cairo_surface_status(surface.get()));
}

void TKFMapEditor::ExportAsPNG(const std::string& fileName) { ExportAsPNG(fileName, *FGFRenderer); }

void TKFMapEditor::ExportAsPNG(const std::string& fileName, TGFRenderer& renderer) {
  // A new image surface is fully transparent.
  TCairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, ExportPNGWidth, ExportPNGHeight));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    ThrowExportFailure(fileName, cairo_surface_status(surface.get()));
  {
    TCairoContextPtr cr(cairo_create(surface.get()));
    renderer.Paint(cr.get(), *FGF, ExportPNGX, ExportPNGY, ExportPNGRadius);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) ThrowExportFailure(fileName, cairo_status(cr.get()));
  }
  const cairo_status_t written = cairo_surface_write_to_png(surface.get(), fileName.c_str());
  if (written != CAIRO_STATUS_SUCCESS) ThrowExportFailure(fileName, written);
}

// --- mouse and keys ---

void TKFMapEditor::MouseDown(EMouseButton button, TShiftState shift, int x, int y) {
  TCairoPaintBox::MouseDown(button, shift, x, y);
  if (button != EMouseButton::Left) return;
  SetSelectedCell(KFAt(x, y));
  SetFocus();
  Invalidate();
}

namespace {

struct TKeyAction {
  int Key;
  void (TKFMapEditor::*Action)();
  bool Consumed;
};

}  // namespace

void TKFMapEditor::KeyDown(int& key, TShiftState shift) {
  static const std::array<TKeyAction, 20> KeyTable{{
      {Key::Backspace, &TKFMapEditor::DeleteGF, true},
      {Key::Left, &TKFMapEditor::KeyLeftDown, true},
      {Key::Right, &TKFMapEditor::KeyRightDown, true},
      {Key::Up, &TKFMapEditor::KeyUpDown, true},
      {Key::Down, &TKFMapEditor::KeyDownDown, true},
      {Key::Digit(0), &TKFMapEditor::KeyTerrainDown<TWater>, true},
      {Key::Digit(1), &TKFMapEditor::KeyPlainDown, true},
      {Key::Digit(2), &TKFMapEditor::KeyHighlandDown, true},
      {Key::Digit(3), &TKFMapEditor::KeyRockyDown, true},
      {Key::Digit(4), &TKFMapEditor::KeyTerrainDown<TMountain>, true},
      {Key::Digit(5), &TKFMapEditor::KeyUnknownDown, true},
      // The one terrain key that is passed on.
      {Key::Digit(6), &TKFMapEditor::KeyTerrainDown<TUnknownLand>, false},
      {Key::Letter('S'), &TKFMapEditor::KeyTerrainDown<TStream>, true},
      {Key::Letter('W'), &TKFMapEditor::KeyDesertDown, true},
      {Key::Letter('K'), &TKFMapEditor::KeyCraterDown, true},
      {Key::Letter('O'), &TKFMapEditor::KeyOasisDown, true},
      {Key::Period, &TKFMapEditor::KeyWoodDown, true},
      {Key::Comma, &TKFMapEditor::KeyTerrainClassToggleDown, true},
      {Key::Letter('H'), &TKFMapEditor::KeyTradeCenterClassToggleDown, true},
      {Key::Letter('B'), &TKFMapEditor::KeyBuildingClassToggleDown, true},
  }};
  TCairoPaintBox::KeyDown(key, shift);
  if (shift == 0) {
    const auto row = std::find_if(KeyTable.begin(), KeyTable.end(), [&](const TKeyAction& a) { return a.Key == key; });
    if (row != KeyTable.end()) {
      const bool consumed = row->Consumed;
      (this->*(row->Action))();
      if (consumed) key = 0;
    }
  } else if ((shift & ssShift) && key == Key::Letter('B')) {
    KeySpecialBuildingClassToggleDown();
    key = 0;
  }
  Invalidate();
}

void TKFMapEditor::KeyPress(char32_t& key) {
  TCairoPaintBox::KeyPress(key);
  if (key == U'#')
    KeySwampDown();
  else if (key == U'*')
    KeyGlacierDown();
  Invalidate();
}

template <class TNewTerrain>
void TKFMapEditor::KeyTerrainDown() {
  SelectedKf().SetTerrain(TNewTerrain());
  SelectionChanged();
}

void TKFMapEditor::KeyLeftDown() { SetSelectedCell(FSelectedCell - 1); }
void TKFMapEditor::KeyRightDown() { SetSelectedCell(FSelectedCell + 1); }
void TKFMapEditor::KeyUpDown() { SetSelectedCell(UpTable[FSelectedCell]); }
void TKFMapEditor::KeyDownDown() { SetSelectedCell(DownTable[FSelectedCell]); }

// Only a new code replaces the terrain, so an unchanged KF keeps its flow direction.
void TKFMapEditor::SetSelectedTerrain(uint16_t code) {
  if (code != SelectedKf().Terrain().TerrainType()) SelectedKf().SetTerrain(TTerrainFactory().CreateTerrain(code));
  SelectionChanged();
}

void TKFMapEditor::KeyPlainDown() { SetSelectedTerrain(ApplyLevelKey(PlainBase, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeyHighlandDown() {
  SetSelectedTerrain(ApplyLevelKey(HighlandBase, SelectedKf().Terrain().TerrainType()));
}
void TKFMapEditor::KeyRockyDown() { SetSelectedTerrain(ApplyLevelKey(RockyBase, SelectedKf().Terrain().TerrainType())); }

void TKFMapEditor::KeyUnknownDown() {
  const uint16_t code = SelectedKf().Terrain().TerrainType();
  const auto step = std::find_if(UnknownCycle.begin(), UnknownCycle.end(), [&](const TCodeStep& s) { return s.From == code; });
  SetSelectedTerrain(step != UnknownCycle.end() ? step->To : TUnknown::Code);
}

void TKFMapEditor::KeyWoodDown() { SetSelectedTerrain(ApplyVariantKey(WoodKey, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeySwampDown() { SetSelectedTerrain(ApplyVariantKey(SwampKey, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeyGlacierDown() {
  SetSelectedTerrain(ApplyVariantKey(GlacierKey, SelectedKf().Terrain().TerrainType()));
}
void TKFMapEditor::KeyDesertDown() { SetSelectedTerrain(ApplyVariantKey(DesertKey, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeyCraterDown() { SetSelectedTerrain(ApplyVariantKey(CraterKey, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeyOasisDown() { SetSelectedTerrain(ApplyVariantKey(OasisKey, SelectedKf().Terrain().TerrainType())); }
void TKFMapEditor::KeyTerrainClassToggleDown() {
  SetSelectedTerrain(ApplyVariantKey(TerrainClassToggleKey, SelectedKf().Terrain().TerrainType()));
}

void TKFMapEditor::KeyTradeCenterClassToggleDown() {
  TKf& kf = SelectedKf();
  const int code = kf.TradeCenter().TradeCenterType();
  const int next = NextInCycle(TradeCenterCycle, code);
  if (next != code) kf.SetTradeCenter(TTradeCenterFactory().CreateTradeCenter(static_cast<uint8_t>(next)));
  SelectionChanged();
}

void TKFMapEditor::KeyBuildingClassToggleDown() {
  TKf& kf = SelectedKf();
  const int code = kf.Building().BuildingType();
  const int next = NextInCycle(BuildingCycle, code);
  if (next != code) kf.SetBuilding(TBuildingFactory().CreateBuilding(static_cast<uint8_t>(next)));
  SelectionChanged();
}

void TKFMapEditor::KeySpecialBuildingClassToggleDown() {
  TKf& kf = SelectedKf();
  const int code = kf.SpecialBuilding().BuildingType();
  const int next = NextInCycle(SpecialBuildingCycle, code);
  if (next != code) kf.SetSpecialBuilding(TBuildingFactory().CreateBuilding(static_cast<uint8_t>(next)));
  SelectionChanged();
}
