// The terrain, trade-center and building catalogue and its factories.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "model/Buildings.h"
#include "model/Terrain.h"

namespace {

struct TerrainRow {
  uint16_t Code;
  const char* Class;
  TTerrain Named;  // the kind built through its named class
  int32_t Level;
  int32_t LandREH;
  int32_t WaterREH;
  bool IsLand;
  bool IsWater;
  bool IsInhospitable;
  const char* Caption;
};

const TerrainRow TerrainRows[] = {
    {0, "TVoid", TVoid(), -1, 0, 0, false, false, false, "Nichts"},
    {1, "TImpassable", TImpassable(), -1, 0, 0, false, false, false, "Unbetretbar"},
    {2, "TUnknown", TUnknown(), 0, 0, 0, false, false, false, "Unbekannt"},
    {3, "TUnknownLand", TUnknownLand(), 1, 0, 0, true, false, false, "Unbekannt/Land"},
    {4, "TMist", TMist(), -1, 0, 0, false, false, false, "Nebel"},
    {100, "TWater", TWater(), 0, 0, 4, false, true, true, "Wasser"},
    {101, "TStream", TStream(), 0, 0, 4, false, true, true, "Strom"},
    {102, "TWhirlpool", TWhirlpool(), 0, 0, 4, false, true, true, "Strudel"},
    {103, "TIceSea", TIceSea(), 0, 0, 4, false, true, true, "Eissee"},
    {104, "TSurf", TSurf(), 0, 0, 4, false, true, true, "Brandung"},
    {105, "TRapids", TRapids(), 0, 0, 4, false, true, true, "Stromschnellen"},
    {200, "TPlain", TPlain(), 1, 4, 0, true, false, false, "Ebene"},
    {201, "TPlainWoods", TPlainWoods(), 1, 3, 0, true, false, true, "Ebene/Wald"},
    {202, "TPlainSwamp", TPlainSwamp(), 1, 2, 0, true, false, true, "Ebene/Sumpf"},
    {203, "TPlainJungle", TPlainJungle(), 1, 2, 0, true, false, true, "Ebene/Dschungel"},
    {204, "TPlainGlacier", TPlainGlacier(), 1, 4, 0, true, false, false, "Ebene/Eiswüste"},
    {205, "TPlainTundra", TPlainTundra(), 1, 3, 0, true, false, true, "Ebene/Tundra"},
    {206, "TPlainOasis", TPlainOasis(), 1, 0, 4, false, true, true, "Ebene/Oase"},
    {207, "TPlainDesert", TPlainDesert(), 1, 4, 0, true, false, true, "Ebene/Wüste"},
    {208, "TPlainCrater", TPlainCrater(), 1, 4, 0, true, false, true, "Ebene/Krater"},
    {300, "THighland", THighland(), 2, 4, 0, true, false, false, "Hochland"},
    {301, "THighlandWoods", THighlandWoods(), 2, 3, 0, true, false, true, "Hochland/Wald"},
    {302, "THighlandSwamp", THighlandSwamp(), 2, 2, 0, true, false, true, "Hochland/Sumpf"},
    {303, "THighlandJungle", THighlandJungle(), 2, 2, 0, true, false, true, "Hochland/Dschungel"},
    {304, "THighlandGlacier", THighlandGlacier(), 2, 4, 0, true, false, false, "Hochland/Eiswüste"},
    {305, "THighlandTundra", THighlandTundra(), 2, 3, 0, true, false, true, "Hochland/Tundra"},
    {306, "THighlandOasis", THighlandOasis(), 2, 0, 4, false, true, true, "Hochland/Oase"},
    {307, "THighlandDesert", THighlandDesert(), 2, 4, 0, true, false, true, "Hochland/Wüste"},
    {308, "THighlandCrater", THighlandCrater(), 2, 4, 0, true, false, true, "Hochland/Krater"},
    {400, "TRocky", TRocky(), 3, 3, 0, true, false, true, "Bergland"},
    {401, "TRockyWoods", TRockyWoods(), 3, 2, 0, true, false, true, "Bergland/Wald"},
    {402, "TRockySwamp", TRockySwamp(), 3, 1, 0, true, false, true, "Bergland/Sumpf"},
    {403, "TRockyJungle", TRockyJungle(), 3, 1, 0, true, false, true, "Bergland/Dschungel"},
    {404, "TRockyGlacier", TRockyGlacier(), 3, 3, 0, true, false, true, "Bergland/Eiswüste"},
    {405, "TRockyTundra", TRockyTundra(), 3, 2, 0, true, false, true, "Bergland/Tundra"},
    {406, "TRockyOasis", TRockyOasis(), 3, 0, 4, false, true, true, "Bergland/Oase"},
    {407, "TRockyDesert", TRockyDesert(), 3, 3, 0, true, false, true, "Bergland/Wüste"},
    {408, "TRockyCrater", TRockyCrater(), 3, 3, 0, true, false, true, "Bergland/Krater"},
    {500, "TMountain", TMountain(), 4, 0, 0, true, false, true, "Gebirge"},
    {501, "TCaldera", TCaldera(), 4, 0, 0, true, false, true, "Vulkan/erloschen"},
    {502, "TVulcano", TVulcano(), 4, 0, 0, true, false, true, "Vulkan/aktiv"},
    {503, "TMountainGlacier", TMountainGlacier(), 4, 0, 0, true, false, true, "Gletscher"},
};

class TerrainKindTest : public testing::TestWithParam<TerrainRow> {};

TEST_P(TerrainKindTest, FactoryAndNamedClassCarryTheRowsValues) {
  const TerrainRow& row = GetParam();
  const TTerrain made = TTerrainFactory().CreateTerrain(row.Code);
  for (const TTerrain* terrain : {&made, &row.Named}) {
    SCOPED_TRACE(terrain == &made ? "factory" : "named class");
    EXPECT_EQ(terrain->TerrainType(), row.Code);
    EXPECT_EQ(terrain->Level(), row.Level);
    EXPECT_EQ(terrain->LandREH(), row.LandREH);
    EXPECT_EQ(terrain->WaterREH(), row.WaterREH);
    EXPECT_EQ(terrain->IsLand(), row.IsLand);
    EXPECT_EQ(terrain->IsWater(), row.IsWater);
    EXPECT_EQ(terrain->IsInhospitable(), row.IsInhospitable);
    EXPECT_STREQ(terrain->Caption(), row.Caption);
    EXPECT_STREQ(terrain->Kind().ClassName, row.Class);
    EXPECT_EQ(terrain->StreamDirection(), StreamDirectionDontCare);
  }
  EXPECT_EQ(made, row.Named);
  EXPECT_EQ(made.HasStreamDirection(), row.Code == 4 || row.Code == 101);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, TerrainKindTest, testing::ValuesIn(TerrainRows),
                         [](const testing::TestParamInfo<TerrainRow>& info) { return std::string(info.param.Class); });

TEST(TerrainCatalogueTest, TableHoldsEveryKindOnceInCodeOrder) {
  ASSERT_EQ(TerrainKinds.size(), std::size(TerrainRows));
  for (size_t i = 0; i < TerrainKinds.size(); ++i) {
    SCOPED_TRACE(TerrainRows[i].Class);
    EXPECT_EQ(TerrainKinds[i].TerrainType, TerrainRows[i].Code);
    EXPECT_STREQ(TerrainKinds[i].ClassName, TerrainRows[i].Class);
  }
}

TEST(TerrainCatalogueTest, EveryCodeOutsideTheTableGivesUnknown) {
  std::set<uint16_t> known;
  for (const TerrainRow& row : TerrainRows) known.insert(row.Code);
  const TTerrainFactory factory;
  for (uint32_t code = 0; code <= 0xFFFF; ++code) {
    const TTerrain terrain = factory.CreateTerrain(static_cast<uint16_t>(code));
    const uint16_t expected = known.count(static_cast<uint16_t>(code)) ? static_cast<uint16_t>(code) : uint16_t{2};
    if (terrain.TerrainType() != expected) ADD_FAILURE() << "code " << code << " gave " << terrain.TerrainType();
  }
  // The result reports 2, not the requested code.
  for (uint16_t code : {6, 99, 106, 209, 504, 65535}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(factory.CreateTerrain(code), TUnknown());
    EXPECT_EQ(factory.CreateTerrain(code).Level(), 0);
  }
}

TEST(TerrainCatalogueTest, BaseTerrainIsUnknown) {
  const TTerrain base;
  EXPECT_EQ(base.TerrainType(), 2);
  EXPECT_EQ(base.Level(), 0);
  EXPECT_EQ(base.LandREH(), 0);
  EXPECT_FALSE(base.IsLand() || base.IsWater() || base.IsInhospitable());
}

TEST(TerrainCatalogueTest, OnlyMistAndStreamKeepAFlowDirection) {
  for (const TerrainRow& row : TerrainRows) {
    SCOPED_TRACE(row.Class);
    TTerrain terrain = row.Named;
    terrain.SetStreamDirection(StreamDirectionSW);
    const bool carries = row.Code == 4 || row.Code == 101;
    EXPECT_EQ(terrain.StreamDirection(), carries ? StreamDirectionSW : StreamDirectionDontCare);
    EXPECT_EQ(terrain.TerrainType(), row.Code);
    if (carries) { EXPECT_NE(terrain, row.Named); }  // the direction is part of the value
  }
}

TEST(TerrainCatalogueTest, FactoryNeverCarriesADirectionOver) {
  TStream stream;
  stream.SetStreamDirection(StreamDirectionNW);
  const TTerrain fresh = TTerrainFactory().CreateTerrain(stream.TerrainType());
  EXPECT_EQ(fresh.StreamDirection(), StreamDirectionDontCare);
  EXPECT_EQ(TTerrainFactory().CreateTerrain(4).StreamDirection(), StreamDirectionDontCare);
}

TEST(TerrainCatalogueTest, StreamDirectionsAreTheKfSidesShiftedByOne) {
  const EStreamDirection directions[] = {StreamDirectionNE, StreamDirectionE, StreamDirectionSE,
                                         StreamDirectionSW, StreamDirectionW, StreamDirectionNW};
  EXPECT_EQ(StreamDirectionDontCare, 0);
  for (int side = 0; side < 6; ++side) EXPECT_EQ(directions[side], side + 1);
}

struct TradeCenterRow {
  uint8_t Code;
  ETradeCenterType Member;
  const char* Class;
  TTradeCenter Named;
  double CityUnits;
  int32_t BuildUnits;
  const char* Caption;
};

const TradeCenterRow TradeCenterRows[] = {
    {0, TradeCenterNone, "TNoTradeCenter", TNoTradeCenter(), 0.0, 0, "kein Handelszentrum"},
    {1, TradeCenterFortress, "TFortress", TFortress(), 0.0, 0, "Festung"},
    {2, TradeCenterMarket, "TMarket", TMarket(), 0.5, 2, "Markt"},
    {3, TradeCenterCity, "TCity", TCity(), 1.0, 4, "Stadt"},
    {4, TradeCenterProvincialCapital, "TProvincialCapital", TProvincialCapital(), 2.0, 8, "Provinzhauptstadt"},
    {5, TradeCenterCapital, "TCapital", TCapital(), 4.0, 16, "Hauptstadt"},
    {100, TradeCenterRuinedCity, "TRuinedCity", TRuinedCity(), 0.0, 0, "Ruinenstadt"},
};

TEST(TradeCenterCatalogueTest, EveryRow) {
  ASSERT_EQ(TradeCenterKinds.size(), std::size(TradeCenterRows));
  for (size_t i = 0; i < std::size(TradeCenterRows); ++i) {
    const TradeCenterRow& row = TradeCenterRows[i];
    SCOPED_TRACE(row.Class);
    EXPECT_EQ(static_cast<int>(row.Member), row.Code);
    EXPECT_EQ(TradeCenterKinds[i].TradeCenterType, row.Member);
    const TTradeCenter made = TTradeCenterFactory().CreateTradeCenter(row.Code);
    for (const TTradeCenter* center : {&made, &row.Named}) {
      EXPECT_EQ(center->TradeCenterType(), row.Member);
      EXPECT_EQ(center->CityUnits(), row.CityUnits);
      EXPECT_EQ(center->BuildUnits(), row.BuildUnits);
      EXPECT_STREQ(center->Caption(), row.Caption);
      EXPECT_STREQ(center->Kind().ClassName, row.Class);
    }
    EXPECT_EQ(made, row.Named);
  }
  EXPECT_EQ(TTradeCenter().TradeCenterType(), TradeCenterNone);
}

TEST(TradeCenterCatalogueTest, EveryCodeOutsideTheTableGivesNone) {
  const TTradeCenterFactory factory;
  for (int code = 0; code <= 255; ++code) {
    const bool known = code <= 5 || code == 100;
    const TTradeCenter center = factory.CreateTradeCenter(static_cast<uint8_t>(code));
    EXPECT_EQ(center.TradeCenterType(), known ? code : 0) << "code " << code;
  }
}

struct BuildingRow {
  uint8_t Code;
  EBuildingType Member;
  const char* Class;
  TBuilding Named;
  bool Special;
  int32_t Cost;
  const char* Caption;
};

const BuildingRow BuildingRows[] = {
    {0, BuildingNone, "TNoBuilding", TNoBuilding(), false, 0, "kein Gebäude"},
    {10, BuildingFoundation, "TFoundation", TFoundation(), false, 2, "Fundament"},
    {20, BuildingTower, "TTower", TTower(), false, 10, "Turm"},
    {21, BuildingDonjon, "TDonjon", TDonjon(), false, 10, "Bergfried"},
    {22, BuildingThreeStoryDonjon, "TThreeStoryDonjon", TThreeStoryDonjon(), false, 10, "Dreistöckiger Bergfried"},
    {30, BuildingTempleTower, "TTempleTower", TTempleTower(), false, 30, "Tempelturm"},
    {40, BuildingGnippahellir, "TGnippahellir", TGnippahellir(), true, 0, "Gnippahellir"},
    {41, BuildingRuin, "TRuin", TRuin(), true, 0, "Ruine"},
    {42, BuildingUnderworldEntrance, "TUnderworldEntrance", TUnderworldEntrance(), true, 0, "Unterwelteingang"},
    {43, BuildingMirageFortress, "TMirageFortress", TMirageFortress(), true, 0, "Spiegelfestung"},
    {44, BuildingPortal, "TPortal", TPortal(), true, 0, "Portal"},
    {45, BuildingObelisk, "TObelisk", TObelisk(), true, 0, "Obelisk"},
    {46, BuildingTomb, "TTomb", TTomb(), true, 0, "Grabmal"},
    {47, BuildingGHZ, "TGHZ", TGHZ(), true, 10, "GHZ"},
    {50, BuildingRiverBridge, "TRiverBridge", TRiverBridge(), false, 4, ""},
    {51, BuildingStreamBridge, "TStreamBridge", TStreamBridge(), false, 10, "Strombrücke"},
    {60, BuildingPyramidTower, "TPyramidTower", TPyramidTower(), false, 10, "Pyramidenturm"},
    {61, BuildingPyramidDonjon, "TPyramidDonjon", TPyramidDonjon(), false, 10, "Pyramidenbergfried"},
};

class BuildingKindTest : public testing::TestWithParam<BuildingRow> {};

TEST_P(BuildingKindTest, FactoryAndNamedClassCarryTheRowsValues) {
  const BuildingRow& row = GetParam();
  EXPECT_EQ(static_cast<int>(row.Member), row.Code);
  const TBuilding made = TBuildingFactory().CreateBuilding(row.Code);
  for (const TBuilding* building : {&made, &row.Named}) {
    SCOPED_TRACE(building == &made ? "factory" : "named class");
    EXPECT_EQ(building->BuildingType(), row.Member);
    EXPECT_EQ(building->Cost(), row.Cost);
    EXPECT_EQ(building->IsSpecialBuilding(), row.Special);
    EXPECT_STREQ(building->Caption(), row.Caption);
    EXPECT_STREQ(building->Kind().ClassName, row.Class);
    EXPECT_EQ(building->IsStreamBridge(), row.Code == 51);
  }
  EXPECT_EQ(made, row.Named);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, BuildingKindTest, testing::ValuesIn(BuildingRows),
                         [](const testing::TestParamInfo<BuildingRow>& info) { return std::string(info.param.Class); });

TEST(BuildingCatalogueTest, TableHoldsEveryKindOnceInCodeOrder) {
  ASSERT_EQ(BuildingKinds.size(), std::size(BuildingRows));
  for (size_t i = 0; i < BuildingKinds.size(); ++i) EXPECT_EQ(BuildingKinds[i].BuildingType, BuildingRows[i].Member);
  EXPECT_EQ(TBuilding().BuildingType(), BuildingNone);
  EXPECT_EQ(TBuilding().Cost(), 0);
}

TEST(BuildingCatalogueTest, EveryCodeOutsideTheTableGivesNoBuilding) {
  std::set<int> known;
  for (const BuildingRow& row : BuildingRows) known.insert(row.Code);
  const TBuildingFactory factory;
  for (int code = 0; code <= 255; ++code) {
    const TBuilding building = factory.CreateBuilding(static_cast<uint8_t>(code));
    EXPECT_EQ(building.BuildingType(), known.count(code) ? code : 0) << "code " << code;
  }
  for (uint8_t code : {5, 23, 62}) {
    EXPECT_EQ(factory.CreateBuilding(code), TNoBuilding());
    EXPECT_EQ(factory.CreateBuilding(code).Cost(), 0);
  }
}

TEST(BuildingCatalogueTest, IsSpecialBuildingCodeCountsThePyramidsButNotTheirClasses) {
  const std::set<int> special = {40, 41, 42, 43, 44, 45, 46, 47, 60, 61};
  for (int code = 0; code <= 255; ++code)
    EXPECT_EQ(TBuildingFactory::IsSpecialBuildingCode(static_cast<uint8_t>(code)), special.count(code) == 1)
        << "code " << code;
  EXPECT_FALSE(TPyramidTower().IsSpecialBuilding());
  EXPECT_FALSE(TBuildingFactory::IsSpecialBuildingCode(51));
}

TEST(BuildingCatalogueTest, StreamBridgeFacesEastAndKeepsAChangedDirection) {
  const TBuilding made = TBuildingFactory().CreateBuilding(51);
  EXPECT_EQ(made.Direction(), SBDirectionE);
  EXPECT_EQ(static_cast<int>(SBDirectionE), 1);
  TStreamBridge bridge;
  EXPECT_EQ(bridge.Direction(), SBDirectionE);
  bridge.SetDirection(SBDirectionNW);
  EXPECT_EQ(bridge.Direction(), SBDirectionNW);
  EXPECT_NE(bridge, made);
  // The factory makes a fresh bridge from the code alone.
  EXPECT_EQ(TBuildingFactory().CreateBuilding(bridge.BuildingType()).Direction(), SBDirectionE);

  TTower tower;
  tower.SetDirection(SBDirectionNW);
  EXPECT_EQ(tower, TTower());
}

}  // namespace
