// The terrain and trade-center catalogue.
#include "Terrain.h"

const std::array<TTerrainKind, 42> TerrainKinds = {{
    // code, class, Level, LandREH, WaterREH, IsLand, IsWater, IsInhospitable, caption
    {0, "TVoid", -1, 0, 0, false, false, false, "Nichts"},
    {1, "TImpassable", -1, 0, 0, false, false, false, "Unbetretbar"},
    {2, "TUnknown", 0, 0, 0, false, false, false, "Unbekannt"},
    {3, "TUnknownLand", 1, 0, 0, true, false, false, "Unbekannt/Land"},
    {4, "TMist", -1, 0, 0, false, false, false, "Nebel"},
    {100, "TWater", 0, 0, 4, false, true, true, "Wasser"},
    {101, "TStream", 0, 0, 4, false, true, true, "Strom"},
    {102, "TWhirlpool", 0, 0, 4, false, true, true, "Strudel"},
    {103, "TIceSea", 0, 0, 4, false, true, true, "Eissee"},
    {104, "TSurf", 0, 0, 4, false, true, true, "Brandung"},
    {105, "TRapids", 0, 0, 4, false, true, true, "Stromschnellen"},
    {200, "TPlain", 1, 4, 0, true, false, false, "Ebene"},
    {201, "TPlainWoods", 1, 3, 0, true, false, true, "Ebene/Wald"},
    {202, "TPlainSwamp", 1, 2, 0, true, false, true, "Ebene/Sumpf"},
    {203, "TPlainJungle", 1, 2, 0, true, false, true, "Ebene/Dschungel"},
    {204, "TPlainGlacier", 1, 4, 0, true, false, false, "Ebene/Eiswüste"},
    {205, "TPlainTundra", 1, 3, 0, true, false, true, "Ebene/Tundra"},
    {206, "TPlainOasis", 1, 0, 4, false, true, true, "Ebene/Oase"},
    {207, "TPlainDesert", 1, 4, 0, true, false, true, "Ebene/Wüste"},
    {208, "TPlainCrater", 1, 4, 0, true, false, true, "Ebene/Krater"},
    {300, "THighland", 2, 4, 0, true, false, false, "Hochland"},
    {301, "THighlandWoods", 2, 3, 0, true, false, true, "Hochland/Wald"},
    {302, "THighlandSwamp", 2, 2, 0, true, false, true, "Hochland/Sumpf"},
    {303, "THighlandJungle", 2, 2, 0, true, false, true, "Hochland/Dschungel"},
    {304, "THighlandGlacier", 2, 4, 0, true, false, false, "Hochland/Eiswüste"},
    {305, "THighlandTundra", 2, 3, 0, true, false, true, "Hochland/Tundra"},
    {306, "THighlandOasis", 2, 0, 4, false, true, true, "Hochland/Oase"},
    {307, "THighlandDesert", 2, 4, 0, true, false, true, "Hochland/Wüste"},
    {308, "THighlandCrater", 2, 4, 0, true, false, true, "Hochland/Krater"},
    {400, "TRocky", 3, 3, 0, true, false, true, "Bergland"},
    {401, "TRockyWoods", 3, 2, 0, true, false, true, "Bergland/Wald"},
    {402, "TRockySwamp", 3, 1, 0, true, false, true, "Bergland/Sumpf"},
    {403, "TRockyJungle", 3, 1, 0, true, false, true, "Bergland/Dschungel"},
    {404, "TRockyGlacier", 3, 3, 0, true, false, true, "Bergland/Eiswüste"},
    {405, "TRockyTundra", 3, 2, 0, true, false, true, "Bergland/Tundra"},
    {406, "TRockyOasis", 3, 0, 4, false, true, true, "Bergland/Oase"},
    {407, "TRockyDesert", 3, 3, 0, true, false, true, "Bergland/Wüste"},
    {408, "TRockyCrater", 3, 3, 0, true, false, true, "Bergland/Krater"},
    {500, "TMountain", 4, 0, 0, true, false, true, "Gebirge"},
    {501, "TCaldera", 4, 0, 0, true, false, true, "Vulkan/erloschen"},
    {502, "TVulcano", 4, 0, 0, true, false, true, "Vulkan/aktiv"},
    {503, "TMountainGlacier", 4, 0, 0, true, false, true, "Gletscher"},
}};

namespace {

// Index into TerrainKinds, or -1 for codes outside the catalogue.
int TerrainIndex(uint16_t code) {
  if (code <= 4) return code;
  if (code >= 100 && code <= 105) return 5 + (code - 100);
  if (code >= 200 && code <= 208) return 11 + (code - 200);
  if (code >= 300 && code <= 308) return 20 + (code - 300);
  if (code >= 400 && code <= 408) return 29 + (code - 400);
  if (code >= 500 && code <= 503) return 38 + (code - 500);
  return -1;
}

}  // namespace

TTerrain::TTerrain(uint16_t code) noexcept : Code(TerrainIndex(code) < 0 ? uint16_t{2} : code) {}

const TTerrainKind& TTerrain::Kind() const noexcept { return TerrainKinds[static_cast<size_t>(TerrainIndex(Code))]; }

void TTerrain::SetStreamDirection(EStreamDirection direction) noexcept {
  if (HasStreamDirection()) Direction = direction;
}

const std::array<TTradeCenterKind, 7> TradeCenterKinds = {{
    {TradeCenterNone, "TNoTradeCenter", 0.0, 0, "kein Handelszentrum"},
    {TradeCenterFortress, "TFortress", 0.0, 0, "Festung"},
    {TradeCenterMarket, "TMarket", 0.5, 2, "Markt"},
    {TradeCenterCity, "TCity", 1.0, 4, "Stadt"},
    {TradeCenterProvincialCapital, "TProvincialCapital", 2.0, 8, "Provinzhauptstadt"},
    {TradeCenterCapital, "TCapital", 4.0, 16, "Hauptstadt"},
    {TradeCenterRuinedCity, "TRuinedCity", 0.0, 0, "Ruinenstadt"},
}};

namespace {

int TradeCenterIndex(uint8_t code) {
  if (code <= 5) return code;
  if (code == TradeCenterRuinedCity) return 6;
  return -1;
}

}  // namespace

TTradeCenter::TTradeCenter(uint8_t code) noexcept
    : Type(TradeCenterIndex(code) < 0 ? TradeCenterNone : static_cast<ETradeCenterType>(code)) {}

const TTradeCenterKind& TTradeCenter::Kind() const noexcept {
  return TradeCenterKinds[static_cast<size_t>(TradeCenterIndex(Type))];
}
