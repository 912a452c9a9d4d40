// The map data file: the bytes written, every version read back, errors, truncation.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>
#include <typeinfo>

#include "files/KUVFile.h"
#include "support/MapFileWriter.h"

namespace {

using kuvtest::LoadedMapAs7;
using kuvtest::MapFileBytes;
using kuvtest::TBytes;
using kuvtest::TByteWriter;
using kuvtest::TTestGf;
using kuvtest::TTestKf;
using kuvtest::TTestMapFile;
using kuvtest::ToTestGf;
using kuvtest::ToTestGfs;

// A GF that uses every part of a record; versions that lack a part just leave it out.
TTestGf SampleGf(int32_t x, int32_t y) {
  TTestGf gf;
  gf.X = x;
  gf.Y = y;
  gf.TradeCenters = {{3, 12, true}, {1, 30, false}, {2, 40, true}};
  gf.Owners = {"Kara", "Bors", "Kara"};
  gf.Notes = {"erste Zeile", std::string(300, 'n'), "Brücke über den Fluß"};
  for (int n = 1; n <= KFCount; ++n) {
    TTestKf& k = gf.K(n);
    k.Terrain = n % 7 == 0 ? 2 : 200 + (n % 9);
    k.Slope = n % 64;
    k.River = (n * 5) % 64;
    k.Wall = (n * 7) % 64;
    k.Pass = (n * 11) % 64;
    k.Road = (n * 83) % 4096;
    k.Gate = (n * 13) % 64;
    k.Cliff = (n * 17) % 64;
    k.Wadi = (n * 19) % 64;
    k.Trench = (n * 23) % 64;
    k.Landing = (n * 29) % 64;
    k.Passage = (n * 31) % 64;
    k.Bridge = (n * 37) % 64;
    k.Channel = (n * 41) % 64;
    k.Rapids = (n * 43) % 64;
  }
  gf.K(2).Terrain = 101;
  gf.K(2).StreamDirection = 2;
  gf.K(3).Terrain = 4;
  gf.K(3).StreamDirection = 6;
  gf.K(4).Terrain = 101;
  gf.K(4).StreamDirection = 5;
  gf.K(12).TradeCenter = 3;
  gf.K(20).TradeCenter = 2;
  gf.K(21).TradeCenter = 100;
  gf.K(5).Building = 20;
  gf.K(6).Building = 41;
  gf.K(7).Building = 51;
  gf.K(7).BridgeDirection = 5;
  gf.K(8).Building = 60;
  gf.K(9).SpecialBuilding = 44;
  gf.K(10).Building = 21;
  gf.K(10).SpecialBuilding = 47;
  return gf;
}

TTestMapFile SampleFile(int version) {
  TTestMapFile file;
  file.Version = version;
  file.Stygien = {SampleGf(0, 0), SampleGf(50, 26), SampleGf(100, 77)};
  TTestGf other = SampleGf(7, 76);
  other.Owners = {"Bors", "Dana"};
  other.Notes.clear();
  file.Eldrien = {other, SampleGf(60, 3)};
  return file;
}

class MapDataFileTest : public testing::Test {
 protected:
  // Reads bytes saved as a file into the fixture's maps and owner list.
  void Read(const TBytes& bytes) {
    kuvtest::SaveBytes(Path, bytes);
    File.Read(Path);
  }
  TBytes Written() {
    TMemorySink sink;
    TKUVMapDataFile(Stygien, Eldrien).WriteTo(sink);
    return sink.Bytes;
  }
  std::vector<std::string> OwnerNames() const {
    std::vector<std::string> names;
    for (const auto& owner : Owners) names.push_back(owner->Name);
    return names;
  }

  kuvtest::TTempDir Dir;
  std::string Path = Dir / "Quolmira.map";
  TGFOwnerList Owners;
  TGFMap Stygien{1};
  TGFMap Eldrien{2};
  TKUVMapDataFile File = [this] {
    TKUVMapDataFile file(Stygien, Eldrien);
    file.GFOwnerList = &Owners;
    return file;
  }();
};

TEST_F(MapDataFileTest, TwoEmptyMapsGiveTwelveBytes) {
  EXPECT_EQ(Written(), (TBytes{6, 4, 'K', 'U', 'V', 'M', 2, 7, 2, 0, 2, 0}));
}

TEST_F(MapDataFileTest, RecordLayoutOfVersion7) {
  TGF& gf = Stygien.getElement(3, 4);
  gf.Kf(1).SetTerrain(TPlain());
  gf.Owners.clear();
  gf.Owners.push_back(std::make_shared<TGFOwner>(TGFOwner{"Ab"}));
  gf.TradeCenters.push_back({TradeCenterCity, 300, true});
  gf.Notes.push_back("x");
  TBytes expected{6, 4, 'K', 'U', 'V', 'M', 2, 7, 2, 1,  // Stygien: one GF
                  2, 3, 2, 4,                            // x, y
                  2, 1, 2, 3, 3, 44, 1, 9,               // one entry: City, KF 300, potential
                  2, 1, 6, 2, 'A', 'b',                  // one owner
                  2, 1, 6, 1, 'x',                       // one note line
                  3, 200, 0, 2, 0, 2, 0, 2, 0};          // KF 1: Plain, no trade center, no buildings
  for (int i = 0; i < 14; ++i) expected.insert(expected.end(), {2, 0});
  for (int n = 2; n <= KFCount; ++n) {
    expected.insert(expected.end(), {2, 2, 2, 0, 2, 0, 2, 0});
    for (int i = 0; i < 14; ++i) expected.insert(expected.end(), {2, 0});
  }
  expected.insert(expected.end(), {2, 0});  // Eldrien: none
  EXPECT_EQ(Written(), expected);
}

// Builds in the model what SampleGf describes, through the model's own operations.
void StoreSample(TGFMap& map, const TTestGf& sample) {
  TGF& gf = map.getElement(sample.X, sample.Y);
  gf.Owners.clear();
  for (const std::string& name : sample.Owners) gf.Owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{name}));
  for (const auto& e : sample.TradeCenters)
    gf.TradeCenters.push_back({static_cast<ETradeCenterType>(e.Type), e.KF, e.Potential});
  gf.Notes = sample.Notes;
  for (int n = 1; n <= KFCount; ++n) {
    const TTestKf& k = sample.K(n);
    TKf& kf = gf.Kf(n);
    TTerrain terrain(static_cast<uint16_t>(k.Terrain));
    terrain.SetStreamDirection(static_cast<EStreamDirection>(k.StreamDirection));
    kf.SetTerrain(terrain);
    kf.SetTradeCenter(TTradeCenter(static_cast<uint8_t>(k.TradeCenter)));
    TBuilding building(static_cast<uint8_t>(k.Building));
    building.SetDirection(static_cast<EStreamBridgeDirection>(k.BridgeDirection));
    kf.SetBuilding(building);
    kf.SetSpecialBuilding(TBuilding(static_cast<uint8_t>(k.SpecialBuilding)));
    kf.Slope = static_cast<uint8_t>(k.Slope);
    kf.River = static_cast<uint8_t>(k.River);
    kf.Wall = static_cast<uint8_t>(k.Wall);
    kf.Pass = static_cast<uint8_t>(k.Pass);
    kf.Road = static_cast<uint16_t>(k.Road);
    kf.Gate = static_cast<uint8_t>(k.Gate);
    kf.Cliff = static_cast<uint8_t>(k.Cliff);
    kf.Wadi = static_cast<uint8_t>(k.Wadi);
    kf.Trench = static_cast<uint8_t>(k.Trench);
    kf.Landing = static_cast<uint8_t>(k.Landing);
    kf.Passage = static_cast<uint8_t>(k.Passage);
    kf.Bridge = static_cast<uint8_t>(k.Bridge);
    kf.Channel = static_cast<uint8_t>(k.Channel);
    kf.Rapids = static_cast<uint8_t>(k.Rapids);
  }
}

TEST_F(MapDataFileTest, WritesEveryPartOfTheModel) {
  TTestMapFile expected = kuvtest::LoadedFileAs7(SampleFile(7));
  for (const TTestGf& gf : expected.Stygien) StoreSample(Stygien, gf);
  for (const TTestGf& gf : expected.Eldrien) StoreSample(Eldrien, gf);
  EXPECT_EQ(Written(), MapFileBytes(expected));
}

TEST_F(MapDataFileTest, WriterMasksEdgeSets) {
  TKf& kf = Stygien.getElement(0, 0).Kf(1);
  kf.SetTerrain(TPlain());
  kf.River = 0xFF;
  kf.Channel = 0xC1;
  kf.Road = 0xFFFF;
  const TBytes bytes = Written();
  TValueReader reader(bytes);
  reader.ReadString();
  for (int i = 0; i < 6; ++i) reader.ReadInteger();  // version, count, x, y, entries, owners
  EXPECT_EQ(reader.ReadString(), "Niemand");
  EXPECT_EQ(reader.ReadInteger(), 0);  // notes
  EXPECT_EQ(reader.ReadInteger(), 200);
  EXPECT_EQ(reader.ReadInteger(), 0);
  EXPECT_EQ(reader.ReadInteger(), 0);
  EXPECT_EQ(reader.ReadInteger(), 0);
  const int32_t expectedEdges[] = {0, 0x3F, 0, 0, 0xFFF, 0, 0, 0, 0, 0, 0, 0, 1, 0};
  for (int32_t e : expectedEdges) EXPECT_EQ(reader.ReadInteger(), e);
}

class MapDataFileVersionTest : public MapDataFileTest, public testing::WithParamInterface<int> {};

TEST_P(MapDataFileVersionTest, LoadsWhatItsVersionHolds) {
  const int version = GetParam();
  const TTestMapFile file = SampleFile(version);
  Read(MapFileBytes(file));
  EXPECT_EQ(File.Version(), version);
  EXPECT_EQ(ToTestGfs(Stygien), LoadedMapAs7(file.Stygien, version));
  EXPECT_EQ(ToTestGfs(Eldrien), LoadedMapAs7(file.Eldrien, version));
  const std::vector<std::string> owners =
      version < 7 ? std::vector<std::string>{"Niemand"} : std::vector<std::string>{"Kara", "Bors", "Dana"};
  EXPECT_EQ(OwnerNames(), owners);
}

TEST_P(MapDataFileVersionTest, ResavingGivesTheVersion7File) {
  const TTestMapFile file = SampleFile(GetParam());
  Read(MapFileBytes(file));
  EXPECT_EQ(Written(), MapFileBytes(kuvtest::LoadedFileAs7(file)));
}

INSTANTIATE_TEST_SUITE_P(Versions, MapDataFileVersionTest, testing::Range(1, 8));

// One KF with the given content at KF 1 of a GF at (1, 1), then KF 2 with a plain.
TBytes OneKfFile(int version, const TTestKf& kf) {
  TTestMapFile file;
  file.Version = version;
  TTestGf gf;
  gf.X = 1;
  gf.Y = 1;
  gf.K(1) = kf;
  gf.K(2).Terrain = 200;
  gf.K(2).Slope = 9;
  file.Stygien.push_back(gf);
  return MapFileBytes(file);
}

TEST_F(MapDataFileTest, OneBuildingCodeOfVersions1To3IsSplit) {
  struct TCase {
    int32_t Code;
    EBuildingType Building;
    EBuildingType Special;
  };
  const TCase cases[] = {
      {41, BuildingNone, BuildingRuin},
      {40, BuildingNone, BuildingGnippahellir},
      {47, BuildingNone, BuildingGHZ},
      {60, BuildingNone, BuildingPyramidTower},
      {61, BuildingNone, BuildingPyramidDonjon},
      {20, BuildingTower, BuildingNone},
      {50, BuildingRiverBridge, BuildingNone},
      {51, BuildingStreamBridge, BuildingNone},
      {99, BuildingNone, BuildingNone},
  };
  for (int version = 1; version <= 3; ++version) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << "version " << version << ", code " << c.Code);
      TTestKf kf;
      kf.Terrain = 300;
      kf.Building = c.Code;
      kf.BridgeDirection = SBDirectionSW;
      TGFOwnerList owners;
      TGFMap stygien(1), eldrien(2);
      TKUVMapDataFile file(stygien, eldrien);
      file.GFOwnerList = &owners;
      file.ReadFromBytes(OneKfFile(version, kf), "x");
      const TGF* gf = stygien.Peek(1, 1);
      ASSERT_NE(gf, nullptr);
      EXPECT_EQ(gf->Kf(1).Building().BuildingType(), c.Building);
      EXPECT_EQ(gf->Kf(1).SpecialBuilding().BuildingType(), c.Special);
      if (c.Building == BuildingStreamBridge) {  // the direction follows from version 3 on
        EXPECT_EQ(gf->Kf(1).Building().Direction(), version == 3 ? SBDirectionSW : SBDirectionE);
      }
      EXPECT_EQ(gf->Kf(2).Slope, 9);
    }
  }
}

TEST_F(MapDataFileTest, StreamDirectionFollowsTheRulesOfEachVersion) {
  struct TCase {
    int Version;
    int32_t Terrain;
    EStreamDirection Direction;  // after reading; DontCare where the file has none
  };
  const TCase cases[] = {
      {1, 101, StreamDirectionDontCare}, {2, 101, StreamDirectionDontCare}, {3, 101, StreamDirectionSW},
      {6, 101, StreamDirectionSW},       {7, 101, StreamDirectionSW},       {3, 4, StreamDirectionDontCare},
      {6, 4, StreamDirectionDontCare},   {7, 4, StreamDirectionSW},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.Version << ", terrain " << c.Terrain);
    TTestKf kf;
    kf.Terrain = c.Terrain;
    kf.StreamDirection = StreamDirectionSW;
    kf.TradeCenter = 1;
    TGFOwnerList owners;
    TGFMap stygien(1), eldrien(2);
    TKUVMapDataFile file(stygien, eldrien);
    file.GFOwnerList = &owners;
    file.ReadFromBytes(OneKfFile(c.Version, kf), "x");
    const TGF* gf = stygien.Peek(1, 1);
    ASSERT_NE(gf, nullptr);
    EXPECT_EQ(gf->Kf(1).Terrain().TerrainType(), c.Terrain);
    EXPECT_EQ(gf->Kf(1).Terrain().StreamDirection(), c.Direction);
    EXPECT_EQ(gf->Kf(1).TradeCenter().TradeCenterType(), TradeCenterFortress);
    EXPECT_EQ(gf->Kf(2).Slope, 9);
  }
}

TEST_F(MapDataFileTest, CodesAreCutToTheirBitsAndUnknownCodesLoadAsNone) {
  TTestKf kf;
  kf.Terrain = 65536 + 300;  // Highland
  kf.TradeCenter = 256 + 3;  // City
  kf.Building = 99;          // not in the catalogue
  kf.SpecialBuilding = 512 + 44;
  kf.River = 0x7FFF;
  kf.Road = -1;
  TTestKf stream;
  stream.Terrain = 101;
  stream.StreamDirection = 300;  // stored unchecked, low 8 bits
  stream.TradeCenter = 7;
  stream.Building = 51;
  stream.BridgeDirection = 9;
  TTestKf unknown;
  unknown.Terrain = 999;
  TTestMapFile file;
  TTestGf gf;
  gf.X = 2;
  gf.Y = 3;
  gf.K(1) = kf;
  gf.K(2) = stream;
  gf.K(3) = unknown;
  file.Stygien.push_back(gf);
  Read(MapFileBytes(file));
  const TGF* loaded = Stygien.Peek(2, 3);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Kf(1).Terrain().TerrainType(), THighland::Code);
  EXPECT_EQ(loaded->Kf(1).TradeCenter().TradeCenterType(), TradeCenterCity);
  EXPECT_EQ(loaded->Kf(1).Building().BuildingType(), BuildingNone);
  EXPECT_EQ(loaded->Kf(1).SpecialBuilding().BuildingType(), BuildingPortal);
  EXPECT_EQ(loaded->Kf(1).River, 0x3F);
  EXPECT_EQ(loaded->Kf(1).Road, 0xFFF);
  EXPECT_EQ(loaded->Kf(2).Terrain().StreamDirection(), 300 & 0xFF);
  EXPECT_EQ(loaded->Kf(2).TradeCenter().TradeCenterType(), TradeCenterNone);
  EXPECT_EQ(loaded->Kf(2).Building().Direction(), 9);
  EXPECT_EQ(loaded->Kf(3).Terrain().TerrainType(), TUnknown::Code);
}

TEST_F(MapDataFileTest, EdgesAreStoredAsReadWithoutMirroring) {
  TTestMapFile file;
  TTestGf gf;
  gf.K(1).Terrain = 200;
  gf.K(1).River = 1 << 2;  // SE of KF 1 is NW of KF 6
  gf.K(1).Pass = 1 << 1;
  file.Stygien.push_back(gf);
  Read(MapFileBytes(file));
  const TGF* loaded = Stygien.Peek(0, 0);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Kf(1).River, 1 << 2);
  EXPECT_EQ(loaded->Kf(6).River, 0);
  EXPECT_EQ(loaded->Kf(2).Pass, 0);
}

TEST_F(MapDataFileTest, GFsCarryTheCoordinateOfTheirCell) {
  TTestMapFile file = SampleFile(7);
  Read(MapFileBytes(file));
  const std::tuple<TGFMap*, int, int> cells[] = {
      {&Stygien, 50, 26}, {&Stygien, 100, 77}, {&Eldrien, 7, 76}, {&Eldrien, 60, 3}};
  for (const auto& [map, x, y] : cells) {
    SCOPED_TRACE(testing::Message() << int(map->plane()) << ": " << x << "," << y);
    ASSERT_NE(map->Peek(x, y), nullptr);
    EXPECT_EQ(map->Peek(x, y)->Coord, map->CoordFactory().CreateCoordFromIndex(x, y));
  }
  EXPECT_EQ(Stygien.Peek(50, 26)->Coord.EditorText(), "1A0");
}

TEST_F(MapDataFileTest, KfTradeCentersMarkOrAppendEntries) {
  TTestMapFile file;
  TTestGf gf;
  gf.K(1).Terrain = 200;
  gf.TradeCenters = {{TradeCenterCity, 12, true}, {TradeCenterFortress, 5, true}, {TradeCenterMarket, 6, false},
                     {TradeCenterFortress, 8, true}};
  gf.K(12).TradeCenter = TradeCenterCity;
  gf.K(8).TradeCenter = TradeCenterCapital;  // another type: the entry keeps its own
  gf.K(30).TradeCenter = TradeCenterMarket;  // no entry: one is appended
  file.Stygien.push_back(gf);
  Read(MapFileBytes(file));
  const TGF* loaded = Stygien.Peek(0, 0);
  ASSERT_NE(loaded, nullptr);
  const std::vector<TGFTradeCenterInfo> expected{{TradeCenterCity, 12, false},
                                                 {TradeCenterFortress, 5, true},
                                                 {TradeCenterMarket, 6, false},
                                                 {TradeCenterFortress, 8, false},
                                                 {TradeCenterMarket, 30, false}};
  EXPECT_EQ(loaded->TradeCenters, expected);
}

TEST_F(MapDataFileTest, OlderVersionsTakeEntriesFromTheKfAndShareOneNiemand) {
  TTestMapFile file = SampleFile(6);
  file.Stygien[0].K(3).TradeCenter = TradeCenterMarket;
  Read(MapFileBytes(file));
  const TGF* first = Stygien.Peek(0, 0);
  const TGF* second = Stygien.Peek(50, 26);
  ASSERT_TRUE(first && second);
  const std::vector<TGFTradeCenterInfo> expected{
      {TradeCenterMarket, 3, false}, {TradeCenterCity, 12, false}, {TradeCenterMarket, 20, false},
      {TradeCenterRuinedCity, 21, false}};
  EXPECT_EQ(first->TradeCenters, expected);
  ASSERT_EQ(Owners.size(), 1u);
  ASSERT_EQ(first->Owners.size(), 1u);
  ASSERT_EQ(second->Owners.size(), 1u);
  EXPECT_EQ(second->Owners[0]->Name, "Niemand");
  // The list took the first GF's own "Niemand"; the others keep theirs.
  EXPECT_EQ(Owners[0], first->Owners[0]);
  EXPECT_NE(Owners[0], second->Owners[0]);
}

TEST_F(MapDataFileTest, Version7OwnersAreExactlyTheListedOnesAndShared) {
  Owners.push_back(std::make_shared<TGFOwner>(TGFOwner{"Alt"}));
  const std::shared_ptr<TGFOwner> old = Owners[0];
  TTestMapFile file;
  TTestGf a;
  a.K(1).Terrain = 200;
  a.Owners = {"Kara", "Alt", "Kara", "Niemand"};
  TTestGf b = a;
  b.Y = 1;
  b.Owners = {"Niemand", "Kara"};
  TTestGf none = a;
  none.Y = 2;
  none.Owners = {};
  file.Stygien = {a, b, none};
  Read(MapFileBytes(file));
  const TGF* ga = Stygien.Peek(0, 0);
  const TGF* gb = Stygien.Peek(0, 1);
  const TGF* gnone = Stygien.Peek(0, 2);
  ASSERT_TRUE(ga && gb && gnone);
  EXPECT_EQ(OwnerNames(), (std::vector<std::string>{"Alt", "Kara", "Niemand"}));
  EXPECT_EQ(ToTestGf(*ga, 0, 0).Owners, (std::vector<std::string>{"Kara", "Alt", "Niemand"}));
  EXPECT_EQ(ToTestGf(*gb, 0, 1).Owners, (std::vector<std::string>{"Niemand", "Kara"}));
  EXPECT_EQ(ga->Owners[0], Owners[1]);
  EXPECT_EQ(ga->Owners[1], old);
  EXPECT_EQ(ga->Owners[2], Owners[2]);
  EXPECT_EQ(gb->Owners[0], Owners[2]);
  EXPECT_EQ(gb->Owners[1], Owners[1]);
  // A record without owners keeps the GF's own "Niemand", shared with nobody.
  ASSERT_EQ(gnone->Owners.size(), 1u);
  EXPECT_EQ(gnone->Owners[0]->Name, "Niemand");
  EXPECT_NE(gnone->Owners[0], Owners[2]);
}

TEST_F(MapDataFileTest, EmptyGFsAreDroppedButTheirOwnersKept) {
  TTestMapFile file;
  TTestGf empty;
  empty.X = 5;
  empty.Owners = {"Carl"};
  empty.K(4).River = 3;
  empty.K(4).Building = 20;
  empty.K(4).TradeCenter = 3;
  TTestGf full = empty;
  full.X = 6;
  full.Owners = {"Dora"};
  full.Notes = {"nur eine Notiz"};
  file.Stygien = {full, empty};
  TTestGf emptyOverFull = empty;
  emptyOverFull.X = 6;  // an empty record leaves the cell's GF alone
  file.Stygien.push_back(emptyOverFull);
  Read(MapFileBytes(file));
  EXPECT_TRUE(Stygien.IsUnset(5, 0));
  ASSERT_FALSE(Stygien.IsUnset(6, 0));
  EXPECT_EQ(Stygien.Peek(6, 0)->Notes, std::vector<std::string>{"nur eine Notiz"});
  EXPECT_EQ(Stygien.StoredCount(), 1);
  EXPECT_EQ(OwnerNames(), (std::vector<std::string>{"Dora", "Carl"}));
}

TEST_F(MapDataFileTest, AnEmptyGFTheGridHoldsIsWrittenButNotLoadedAgain) {
  Stygien.getElement(9, 9);
  const TBytes bytes = Written();
  EXPECT_EQ(bytes.size(), 12u + 1634u + 48u * 2u + 2u * 4u + 9u);  // x, y, entries, owner "Niemand"
  TGFOwnerList owners;
  TGFMap stygien(1), eldrien(2);
  TKUVMapDataFile file(stygien, eldrien);
  file.GFOwnerList = &owners;
  file.ReadFromBytes(bytes, "x");
  EXPECT_EQ(stygien.StoredCount(), 0);
  EXPECT_EQ(owners.size(), 1u);
}

TEST_F(MapDataFileTest, ALaterRecordReplacesTheCell) {
  TTestMapFile file;
  TTestGf first;
  first.X = 256 + 4;  // cells are addressed by the low 8 bits
  first.K(1).Terrain = 200;
  TTestGf second = first;
  second.X = 4;
  second.K(1).Terrain = 500;
  file.Stygien = {first, second};
  Read(MapFileBytes(file));
  ASSERT_NE(Stygien.Peek(4, 0), nullptr);
  EXPECT_EQ(Stygien.Peek(4, 0)->Kf(1).Terrain().TerrainType(), TMountain::Code);
  EXPECT_EQ(Stygien.StoredCount(), 1);
}

TEST_F(MapDataFileTest, LongNoteLinesComeBackUnchanged) {
  std::string line(70000, 'a');
  line += "ö";
  TGF& gf = Eldrien.getElement(1, 2);
  gf.Notes = {line, "", std::string(255, 'b'), std::string(256, 'c')};
  const TBytes bytes = Written();
  TGFOwnerList owners;
  TGFMap stygien(1), eldrien(2);
  TKUVMapDataFile file(stygien, eldrien);
  file.GFOwnerList = &owners;
  file.ReadFromBytes(bytes, "x");
  ASSERT_NE(eldrien.Peek(1, 2), nullptr);
  EXPECT_EQ(eldrien.Peek(1, 2)->Notes, gf.Notes);
}

// Random, fully consistent content: what the program itself could have written.
void FillRandomly(TGFMap& map, std::mt19937& random, int cells) {
  std::uniform_int_distribution<int> x(0, 100), y(0, 77), pick(0, 99), bits(0, 63), road(0, 4095);
  const std::string names[] = {"Kara", "Bors", "Dana", "Niemand"};
  for (int i = 0; i < cells; ++i) {
    TGF& gf = map.getElement(x(random), y(random));
    for (int n = 1; n <= KFCount; ++n) {
      TKf& kf = gf.Kf(n);
      TTerrain terrain(TerrainKinds[static_cast<size_t>(pick(random) % TerrainKinds.size())].TerrainType);
      terrain.SetStreamDirection(static_cast<EStreamDirection>(pick(random) % 7));
      kf.SetTerrain(terrain);
      if (pick(random) < 10) kf.SetTradeCenter(TTradeCenter(static_cast<uint8_t>(1 + pick(random) % 5)));
      TBuilding building(BuildingKinds[static_cast<size_t>(pick(random) % BuildingKinds.size())].BuildingType);
      building.SetDirection(static_cast<EStreamBridgeDirection>(pick(random) % 6));
      kf.SetBuilding(building);
      if (pick(random) < 5) kf.SetSpecialBuilding(TBuilding(static_cast<uint8_t>(40 + pick(random) % 8)));
      for (const TEdgeFeatureInfo& info : EdgeFeatures)
        kf.SetEdge(info.Feature, static_cast<uint16_t>(info.Feature == EdgeRoad ? road(random) : bits(random)));
    }
    if (pick(random) < 30) gf.Notes.push_back("Notiz " + std::to_string(i));
    if (pick(random) < 50) gf.Owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{names[pick(random) % 4]}));
    if (pick(random) < 20 && gf.Kf(48).TradeCenter().TradeCenterType() == TradeCenterNone)
      gf.TradeCenters.push_back({TradeCenterFortress, 48, true});
  }
}

TEST_F(MapDataFileTest, WriteReadWriteGivesTheSameBytes) {
  std::mt19937 random(7);
  FillRandomly(Stygien, random, 300);
  FillRandomly(Eldrien, random, 300);
  const TBytes first = Written();
  File.Write(Path);
  EXPECT_EQ(kuvtest::LoadBytes(Path), first);

  TGFOwnerList owners;
  TGFMap stygien(1), eldrien(2);
  TKUVMapDataFile file(stygien, eldrien);
  file.GFOwnerList = &owners;
  file.Read(Path);
  EXPECT_EQ(ToTestGfs(stygien).size(), ToTestGfs(Stygien).size());
  TMemorySink again;
  file.WriteTo(again);
  EXPECT_EQ(again.Bytes, first);
}

struct TErrorCase {
  const char* Name;
  std::function<TBytes()> Bytes;
  const std::type_info* Type;
  std::string Message;  // "%s" stands for the file name
};

std::string WithName(std::string message, const std::string& name) {
  if (const size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, name);
  return message;
}

TBytes Header(std::string_view magic, int32_t version) {
  TByteWriter w;
  w.Str(magic).Int(version);
  return w.Bytes;
}

// A file whose one Stygien GF sits at (x, y).
TBytes GfAt(int32_t x, int32_t y, bool empty = false) {
  TTestMapFile file;
  TTestGf gf;
  gf.X = x;
  gf.Y = y;
  if (!empty) gf.K(1).Terrain = 200;
  file.Stygien.push_back(gf);
  return MapFileBytes(file);
}

class MapDataFileErrorTest : public MapDataFileTest, public testing::WithParamInterface<TErrorCase> {};

TEST_P(MapDataFileErrorTest, FailsWithItsMessage) {
  const TErrorCase& c = GetParam();
  try {
    Read(c.Bytes());
    FAIL() << "no error";
  } catch (const EKUVException& e) {
    EXPECT_TRUE(typeid(e) == *c.Type) << typeid(e).name();
    EXPECT_EQ(e.what(), WithName(c.Message, Path));
  }
}

const char* const Invalid = "Invalid value for property";
const char* const Short = "Stream read error";
const char* const NotAMapFile = "Die Datei %s ist kein KuvManager-Datenfile";
const char* const UnknownVersion = "Die Datei %s hat eine unbekannte Versionsnummer";

INSTANTIATE_TEST_SUITE_P(
    Cases, MapDataFileErrorTest,
    testing::Values(
        TErrorCase{"EmptyFile", [] { return TBytes{}; }, &typeid(EReadError), Short},
        TErrorCase{"FirstValueAnInteger", [] { return TByteWriter().Int(4).Bytes; }, &typeid(EReadError), Invalid},
        TErrorCase{"OtherMagic", [] { return Header("KUVE", 7); }, &typeid(EKUVException), NotAMapFile},
        TErrorCase{"MagicInLowerCase", [] { return Header("kuvm", 7); }, &typeid(EKUVException), NotAMapFile},
        TErrorCase{"MagicOnly", [] { return TByteWriter().Str("KUVM").Bytes; }, &typeid(EReadError), Short},
        TErrorCase{"VersionAString", [] { return TByteWriter().Str("KUVM").Str("7").Bytes; }, &typeid(EReadError),
                   Invalid},
        TErrorCase{"Version0", [] { return Header("KUVM", 0); }, &typeid(EKUVException), UnknownVersion},
        TErrorCase{"Version8", [] { return Header("KUVM", 8); }, &typeid(EKUVException), UnknownVersion},
        TErrorCase{"VersionMinus1", [] { return Header("KUVM", -1); }, &typeid(EKUVException), UnknownVersion},
        TErrorCase{"Version263", [] { return Header("KUVM", 256 + 7); }, &typeid(EKUVException), UnknownVersion},
        TErrorCase{"NoMaps", [] { return Header("KUVM", 7); }, &typeid(EReadError), Short},
        TErrorCase{"CountABoolean", [] { return TByteWriter().Raw(Header("KUVM", 7)).Bool(true).Bytes; },
                   &typeid(EReadError), Invalid},
        TErrorCase{"ColumnOutsideTheGrid", [] { return GfAt(101, 0); }, &typeid(EIllegalCoordException),
                   "Illegal Coordinate in TGFMap.getElement: x is 101"},
        TErrorCase{"RowOutsideTheGrid", [] { return GfAt(0, 78); }, &typeid(EIllegalCoordException),
                   "Illegal Coordinate in TGFMap.getElement: y is 78"},
        TErrorCase{"BothOutsideReportX", [] { return GfAt(200, 80); }, &typeid(EIllegalCoordException),
                   "Illegal Coordinate in TGFMap.getElement: x is 200"},
        TErrorCase{"ColumnLow8BitsOutside", [] { return GfAt(256 + 101, 0); }, &typeid(EIllegalCoordException),
                   "Illegal Coordinate in TGFMap.getElement: x is 101"}),
    [](const testing::TestParamInfo<TErrorCase>& info) { return std::string(info.param.Name); });

TEST_F(MapDataFileTest, EmptyGFOutsideTheGridIsJustDropped) {
  EXPECT_NO_THROW(Read(GfAt(150, 0, true)));
  EXPECT_EQ(Stygien.StoredCount(), 0);
}

TEST_F(MapDataFileTest, MissingFileOrFolderIsAnOpenError) {
  for (const std::string& name : {Dir / "nicht-da.map", Dir.Path.string()}) {
    SCOPED_TRACE(name);
    try {
      File.Read(name);
      FAIL() << "no error";
    } catch (const EFileOpenError& e) {
      EXPECT_NE(std::string(e.what()).find("\"" + name + "\""), std::string::npos) << e.what();
    }
  }
}

TEST_F(MapDataFileTest, CutFilesFailCleanlyAndKeepWhatWasRead) {
  for (int version = 1; version <= 7; ++version) {
    const TTestMapFile sample = SampleFile(version);
    const TBytes bytes = MapFileBytes(sample);
    const std::vector<TTestGf> stygien = LoadedMapAs7(sample.Stygien, version);
    const std::vector<TTestGf> eldrien = LoadedMapAs7(sample.Eldrien, version);
    // Every cut point of the header and the first values, then a sample that meets
    // every position within the values; fewer for the older versions.
    const size_t step = version == 7 ? 7 : 23;
    for (size_t cut = 0; cut < bytes.size(); cut += cut < 300 ? 1 : step) {
      SCOPED_TRACE(testing::Message() << "version " << version << ", cut at " << cut);
      TGFOwnerList owners;
      TGFMap s(1), e(2);
      TKUVMapDataFile file(s, e);
      file.GFOwnerList = &owners;
      try {
        file.ReadFromBytes(std::span(bytes).first(cut), "x");
        ADD_FAILURE() << "no error";
      } catch (const EReadError& error) {
        EXPECT_STREQ(error.what(), Short);
      }
      // The maps hold a prefix of the records, in record order.
      const std::vector<TTestGf> readS = ToTestGfs(s);
      const std::vector<TTestGf> readE = ToTestGfs(e);
      ASSERT_LE(readS.size(), stygien.size());
      EXPECT_TRUE(std::equal(readS.begin(), readS.end(), stygien.begin()));
      ASSERT_LE(readE.size(), eldrien.size());
      EXPECT_TRUE(std::equal(readE.begin(), readE.end(), eldrien.begin()));
      if (!readE.empty()) {
        EXPECT_EQ(readS.size(), stygien.size());
      }
      if (HasFailure()) return;
    }
  }
}

}  // namespace
