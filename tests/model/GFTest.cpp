// Small and large fields: neighbours, edge mirroring, trade-center bookkeeping,
// copies, clearing, emptiness and statistics.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/GF.h"

namespace {

// ---- Neighbours ----

// The table as the row layout defines it.
std::array<std::array<int, 6>, 49> NeighboursFromRowLayout() {
  const int length[9] = {0, 4, 5, 6, 7, 8, 7, 6, 5};
  int first[10] = {0, 1};
  for (int r = 1; r <= 8; ++r) first[r + 1] = first[r] + length[r];
  std::array<std::array<int, 6>, 49> table{};
  for (int r = 1; r <= 8; ++r)
    for (int c = 0; c < length[r]; ++c) {
      std::array<int, 6>& n = table[static_cast<size_t>(first[r] + c)];
      const int L = length[r];
      if (c < L - 1) n[1] = first[r] + c + 1;
      if (c > 0) n[4] = first[r] + c - 1;
      if (r <= 4) {
        n[3] = first[r + 1] + c;
        n[2] = first[r + 1] + c + 1;
      } else if (r <= 7) {
        if (c >= 1) n[3] = first[r + 1] + c - 1;
        if (c <= L - 2) n[2] = first[r + 1] + c;
      }
      if (r >= 2 && r <= 5) {
        if (c >= 1) n[5] = first[r - 1] + c - 1;
        if (c <= L - 2) n[0] = first[r - 1] + c;
      } else if (r >= 6) {
        n[5] = first[r - 1] + c;
        n[0] = first[r - 1] + c + 1;
      }
    }
  return table;
}

TEST(KFNeighbourTest, FollowsTheRowLayout) {
  const auto expected = NeighboursFromRowLayout();
  for (int n = 0; n <= KFCount; ++n)
    for (int d = 0; d < 6; ++d)
      EXPECT_EQ(KFNeighbour[n][d], expected[n][d]) << "KF " << n << " side " << d;
}

TEST(KFNeighbourTest, EverySharedSideIsSharedBothWays) {
  int inner = 0;
  for (int n = 1; n <= KFCount; ++n)
    for (int d = 0; d < 6; ++d)
      if (const int m = KFNeighbour[n][d]; m > 0) {
        ++inner;
        EXPECT_EQ(KFNeighbour[m][OppositeDirection(d)], n) << "KF " << n << " side " << d;
      }
  // 40 edges within the rows, 44 between rows 1 to 5, 36 between rows 5 to 8.
  EXPECT_EQ(inner, 2 * 120);
}

TEST(OppositeDirectionTest, PairsTheSides) {
  const int opposite[6] = {3, 4, 5, 0, 1, 2};
  for (int d = 0; d < 6; ++d) EXPECT_EQ(OppositeDirection(d), opposite[d]) << d;
}

// ---- Edge features ----

struct FeatureRow {
  EEdgeFeature Feature;
  const char* Name;
  const char* Caption;
  bool Mirrored;
  int Bits;  // 6, or 12 for Road
  uint16_t (*Field)(const TKf&);
  void (TGF::*Add)(int, int);
  void (TGF::*Remove)(int, int);
};

#define KUV_FEATURE(name, caption, mirrored, bits)                                                    \
  FeatureRow {                                                                                        \
    Edge##name, #name, caption, mirrored, bits, [](const TKf& k) -> uint16_t { return k.name; },     \
        &TGF::Add##name, &TGF::Remove##name                                                           \
  }

const FeatureRow Features[] = {
    KUV_FEATURE(Slope, "Aufgang", true, 6),        KUV_FEATURE(River, "Fluss", true, 6),
    KUV_FEATURE(Rapids, "Stromschnelle", true, 6), KUV_FEATURE(Wall, "Mauer", false, 6),
    KUV_FEATURE(Pass, "Pass", true, 6),            KUV_FEATURE(Road, "Drachenstrasse", true, 12),
    KUV_FEATURE(Gate, "Tor", true, 6),             KUV_FEATURE(Cliff, "Klippe", false, 6),
    KUV_FEATURE(Passage, "Durchgang", false, 6),   KUV_FEATURE(Bridge, "Brücke", true, 6),
    KUV_FEATURE(Landing, "Landestelle", true, 6),  KUV_FEATURE(Trench, "Graben", true, 6),
    KUV_FEATURE(Wadi, "Wadi", true, 6),            KUV_FEATURE(Channel, "Kanal", false, 6),
};
#undef KUV_FEATURE

// Every set of every KF: [kf - 1][feature].
using Snapshot = std::array<std::array<uint16_t, EdgeFeatureCount>, KFCount>;

Snapshot Sets(const TGF& gf) {
  Snapshot s{};
  for (int n = 1; n <= KFCount; ++n)
    for (const FeatureRow& f : Features) s[n - 1][f.Feature] = f.Field(gf.Kf(n));
  return s;
}

TEST(EdgeFeatureTest, TableNamesCaptionsAndMirroring) {
  ASSERT_EQ(std::size(Features), static_cast<size_t>(EdgeFeatureCount));
  for (size_t i = 0; i < std::size(Features); ++i) {
    const FeatureRow& f = Features[i];
    SCOPED_TRACE(f.Name);
    EXPECT_EQ(static_cast<size_t>(f.Feature), i);
    const TEdgeFeatureInfo& info = EdgeFeatures[i];
    EXPECT_EQ(info.Feature, f.Feature);
    EXPECT_STREQ(info.Name, f.Name);
    EXPECT_STREQ(info.Caption, f.Caption);
    EXPECT_EQ(info.Mirrored, f.Mirrored);
    EXPECT_EQ(info.Mask, (1u << f.Bits) - 1);
  }
}

TEST(EdgeFeatureTest, EdgeAndSetEdgeReachTheNamedFieldAndKeepOnlyValidBits) {
  for (const FeatureRow& f : Features) {
    SCOPED_TRACE(f.Name);
    TKf kf(1);
    kf.SetEdge(f.Feature, 0xFFFF);
    const uint16_t valid = static_cast<uint16_t>((1u << f.Bits) - 1);
    EXPECT_EQ(kf.Edge(f.Feature), valid);
    EXPECT_EQ(f.Field(kf), valid);
    for (const FeatureRow& other : Features)
      if (other.Feature != f.Feature) { EXPECT_EQ(other.Field(kf), 0) << other.Name; }
  }
}

// Every KF, every side, every feature: the add sets the KF's bit and, for a mirrored
// feature on an inner side, the neighbour's opposite bit; nothing else changes.
TEST(EdgeFeatureTest, AddAndRemoveMirrorExactlyTheMirroredFeaturesOnInnerSides) {
  for (const FeatureRow& f : Features) {
    SCOPED_TRACE(f.Name);
    TGF gf;
    const Snapshot empty = Sets(gf);
    for (int kf = 1; kf <= KFCount; ++kf)
      for (int d = 0; d < f.Bits; ++d) {
        Snapshot expected = empty;
        expected[kf - 1][f.Feature] = static_cast<uint16_t>(1u << d);
        const int m = d < 6 ? KFNeighbour[kf][d] : 0;
        if (f.Mirrored && m > 0) expected[m - 1][f.Feature] = static_cast<uint16_t>(1u << OppositeDirection(d));
        (gf.*f.Add)(kf, d);
        if (Sets(gf) != expected) ADD_FAILURE() << "add KF " << kf << " side " << d;
        // Removing from the neighbour's side clears both halves of a mirrored edge.
        if (m > 0 && f.Mirrored)
          (gf.*f.Remove)(m, OppositeDirection(d));
        else
          (gf.*f.Remove)(kf, d);
        if (Sets(gf) != empty) ADD_FAILURE() << "remove KF " << kf << " side " << d;
      }
  }
}

TEST(EdgeFeatureTest, OneSidedFeaturesKeepTheNeighboursOwnSide) {
  for (const FeatureRow& f : Features) {
    if (f.Mirrored) continue;
    SCOPED_TRACE(f.Name);
    TGF gf;
    (gf.*f.Add)(12, 4);
    (gf.*f.Add)(11, 1);
    (gf.*f.Remove)(12, 4);
    EXPECT_EQ(f.Field(gf.Kf(12)), 0);
    EXPECT_EQ(f.Field(gf.Kf(11)), 1u << 1);
  }
}

TEST(EdgeFeatureTest, SettersLeaveTheOtherSidesAlone) {
  TGF gf;
  gf.AddRiver(6, 0);
  gf.AddRiver(6, 1);
  gf.AddRiver(6, 2);
  gf.RemoveRiver(6, 1);
  EXPECT_EQ(gf.Kf(6).River, 0b101);
  EXPECT_EQ(gf.Kf(2).River, 1 << 3);
  EXPECT_EQ(gf.Kf(7).River, 0);
  EXPECT_EQ(gf.Kf(12).River, 1 << 5);
  gf.AddRoad(23, 1);
  gf.AddRoad(23, 7);
  gf.AddRoad(23, 11);
  gf.RemoveRoad(23, 7);
  EXPECT_EQ(gf.Kf(23).Road, (1 << 1) | (1 << 11));
  EXPECT_EQ(gf.Kf(24).Road, 1 << 4);
}

TEST(EdgeFeatureTest, WorkedExamples) {
  TGF gf;
  gf.AddRiver(1, 2);
  EXPECT_EQ(gf.Kf(1).River, 1 << 2);
  EXPECT_EQ(gf.Kf(6).River, 1 << 5);
  gf.AddRiver(1, 0);
  EXPECT_EQ(gf.Kf(1).River, (1 << 2) | 1);
  gf.AddWall(1, 2);
  EXPECT_EQ(gf.Kf(1).Wall, 1 << 2);
  EXPECT_EQ(gf.Kf(6).Wall, 0);
  gf.AddRoad(23, 7);
  EXPECT_EQ(gf.Kf(23).Road, 1 << 7);
  EXPECT_EQ(gf.Kf(24).Road, 0);
  gf.AddRoad(23, 1);
  EXPECT_EQ(gf.Kf(24).Road, 1 << 4);
  gf.AddPass(11, 1);
  EXPECT_EQ(gf.Kf(12).Pass, 1 << 4);
  gf.RemovePass(12, 4);
  EXPECT_EQ(gf.Kf(12).Pass, 0);
  EXPECT_EQ(gf.Kf(11).Pass, 0);
}

// ---- KF ----

// Records every call of a KF's trade-center event.
struct EventLog {
  struct Call {
    const TKf* Sender;
    int32_t KFNumber;
    ETradeCenterType Type;
  };
  std::vector<Call> Calls;

  TOnTradeCenterChange Handler() {
    return TOnTradeCenterChange(this, [](void* target, TKf& sender, int32_t number, ETradeCenterType type) {
      static_cast<EventLog*>(target)->Calls.push_back({&sender, number, type});
    });
  }
};

TEST(KfTest, NewKfHoldsUnknownAndNothingElse) {
  const TKf kf(17);
  EXPECT_EQ(kf.KFNumber(), 17);
  EXPECT_EQ(kf.Terrain(), TUnknown());
  EXPECT_EQ(kf.TradeCenter(), TNoTradeCenter());
  EXPECT_EQ(kf.Building(), TNoBuilding());
  EXPECT_EQ(kf.SpecialBuilding(), TNoBuilding());
  for (const FeatureRow& f : Features) EXPECT_EQ(f.Field(kf), 0) << f.Name;
  EXPECT_FALSE(kf.OnTradeCenterChange);
}

TEST(KfTest, TradeCenterEventFiresOnlyWhenTheTypeChanges) {
  EventLog log;
  TKf kf(9);
  kf.OnTradeCenterChange = log.Handler();
  kf.SetTradeCenter(TCity());
  kf.SetTradeCenter(TCity());
  kf.SetTradeCenter(TMarket());
  kf.SetTradeCenter(TNoTradeCenter());
  kf.SetTradeCenter(TNoTradeCenter());
  ASSERT_EQ(log.Calls.size(), 3u);
  const ETradeCenterType types[] = {TradeCenterCity, TradeCenterMarket, TradeCenterNone};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(log.Calls[i].Sender, &kf);
    EXPECT_EQ(log.Calls[i].KFNumber, 9);
    EXPECT_EQ(log.Calls[i].Type, types[i]);
  }
  // Without a handler the assignment still happens.
  TKf quiet(3);
  quiet.SetTradeCenter(TCapital());
  EXPECT_EQ(quiet.TradeCenter(), TCapital());
}

TEST(KfTest, ClearRestoresANewKfAndReportsTheRemovedTradeCenter) {
  EventLog log;
  TKf kf(30);
  kf.SetTerrain(TStream());
  kf.Terrain().SetStreamDirection(StreamDirectionW);
  kf.SetBuilding(TStreamBridge());
  kf.SetSpecialBuilding(TGHZ());
  kf.SetTradeCenter(TCity());
  for (const FeatureRow& f : Features) kf.SetEdge(f.Feature, 0xFFFF);
  kf.OnTradeCenterChange = log.Handler();

  kf.Clear();
  EXPECT_EQ(kf.Terrain(), TUnknown());
  EXPECT_EQ(kf.TradeCenter(), TNoTradeCenter());
  EXPECT_EQ(kf.Building(), TNoBuilding());
  EXPECT_EQ(kf.SpecialBuilding(), TNoBuilding());
  for (const FeatureRow& f : Features) EXPECT_EQ(f.Field(kf), 0) << f.Name;
  EXPECT_EQ(kf.KFNumber(), 30);
  ASSERT_EQ(log.Calls.size(), 1u);
  EXPECT_EQ(log.Calls[0].Type, TradeCenterNone);
  EXPECT_EQ(log.Calls[0].KFNumber, 30);

  kf.Clear();  // no trade center to remove: nothing reported
  EXPECT_EQ(log.Calls.size(), 1u);
}

TEST(KfTest, CopyKeepsContentsAndDirectionsButNotTheEvent) {
  EventLog log;
  TKf source(21);
  source.SetTerrain(TStream());
  source.Terrain().SetStreamDirection(StreamDirectionSW);
  source.SetBuilding(TStreamBridge());
  source.Building().SetDirection(SBDirectionNW);
  source.SetSpecialBuilding(TObelisk());
  source.SetTradeCenter(TProvincialCapital());
  uint16_t value = 1;
  for (const FeatureRow& f : Features) source.SetEdge(f.Feature, value++);
  source.Road = 0xFC1;  // flags and a side
  source.OnTradeCenterChange = log.Handler();

  const TKf copy(source);
  EXPECT_EQ(copy.KFNumber(), 21);
  EXPECT_EQ(copy.Terrain().TerrainType(), 101);
  EXPECT_EQ(copy.Terrain().StreamDirection(), StreamDirectionSW);
  EXPECT_EQ(copy.Building().BuildingType(), BuildingStreamBridge);
  EXPECT_EQ(copy.Building().Direction(), SBDirectionNW);
  EXPECT_EQ(copy.SpecialBuilding(), TObelisk());
  EXPECT_EQ(copy.TradeCenter(), TProvincialCapital());
  for (const FeatureRow& f : Features) EXPECT_EQ(f.Field(copy), f.Field(source)) << f.Name;
  EXPECT_EQ(copy.Road, 0xFC1);
  EXPECT_FALSE(copy.OnTradeCenterChange);
  EXPECT_TRUE(log.Calls.empty());

  TKf mist(4);
  mist.SetTerrain(TMist());
  mist.Terrain().SetStreamDirection(StreamDirectionNE);
  EXPECT_EQ(TKf(mist).Terrain().StreamDirection(), StreamDirectionNE);
}

struct LandREHCase {
  TBuilding Building;
  int32_t WithoutTradeCenter;
  int32_t WithTradeCenter;
};

// Rocky swamp yields 1 REH on its own, so a building's or trade center's 4 shows.
TEST(KfTest, LandREHComesFromTheBuildingThenTheTradeCenterThenTheTerrain) {
  const LandREHCase cases[] = {
      {TFoundation(), 4, 4},       {TTower(), 8, 8},           {TDonjon(), 12, 12},
      {TThreeStoryDonjon(), 16, 16}, {TTempleTower(), 4, 4},   {TGnippahellir(), 4, 4},
      {TRuin(), 4, 4},             {TUnderworldEntrance(), 4, 4}, {TNoBuilding(), 1, 4},
      {TMirageFortress(), 1, 4},   {TPortal(), 1, 4},          {TObelisk(), 1, 4},
      {TTomb(), 1, 4},             {TGHZ(), 1, 4},             {TRiverBridge(), 1, 4},
      {TStreamBridge(), 1, 4},     {TPyramidTower(), 1, 4},    {TPyramidDonjon(), 1, 4},
  };
  for (const LandREHCase& c : cases) {
    SCOPED_TRACE(c.Building.Kind().ClassName);
    TKf kf(1);
    kf.SetTerrain(TRockySwamp());
    kf.SetBuilding(c.Building);
    EXPECT_EQ(kf.LandREH(), c.WithoutTradeCenter);
    kf.SetTradeCenter(TRuinedCity());
    EXPECT_EQ(kf.LandREH(), c.WithTradeCenter);
  }
  // Only the building slot counts.
  TKf kf(1);
  kf.SetTerrain(TRockySwamp());
  kf.SetSpecialBuilding(TThreeStoryDonjon());
  EXPECT_EQ(kf.LandREH(), 1);
  kf.SetTerrain(TWater());
  EXPECT_EQ(kf.LandREH(), 0);
  EXPECT_EQ(kf.WaterREH(), 4);
  EXPECT_TRUE(kf.IsInhospitable());
}

// ---- Owners and trade-center entries ----

TEST(OwnerTest, NewOwnerIsNobodyAndNewEntryAPotentialFortress) {
  EXPECT_EQ(TGFOwner().Name, "Niemand");
  const TGFTradeCenterInfo info;
  EXPECT_EQ(info.TradeCenterType, TradeCenterFortress);
  EXPECT_EQ(info.KF, -1);
  EXPECT_TRUE(info.PotentialTradeCenter);
  const TGFTradeCenterInfo copy(TGFTradeCenterInfo{TradeCenterCapital, 12, false});
  EXPECT_EQ(copy, (TGFTradeCenterInfo{TradeCenterCapital, 12, false}));
}

TEST(OwnerTest, AddUniqueFindsTheFirstExactNameOrAppends) {
  TGFOwnerList list;
  auto alice = std::make_shared<TGFOwner>(TGFOwner{"Alice"});
  auto bob = std::make_shared<TGFOwner>(TGFOwner{"Bob"});
  EXPECT_EQ(list.AddUnique(alice), 0);
  EXPECT_EQ(list.AddUnique(bob), 1);
  auto otherAlice = std::make_shared<TGFOwner>(TGFOwner{"Alice"});
  EXPECT_EQ(list.AddUnique(otherAlice), 0);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], alice);  // the given object is not taken; the caller keeps it
  EXPECT_EQ(otherAlice.use_count(), 1);
  EXPECT_EQ(list.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"alice"})), 2);  // case-sensitive
  EXPECT_EQ(list.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"Alice "})), 3);
}

TEST(OwnerTest, ListsShareOwnersWithoutOwningThemAlone) {
  auto shared = std::make_shared<TGFOwner>(TGFOwner{"Kaiser"});
  TGFOwnerList application;
  application.AddUnique(shared);
  {
    TGF gf;
    gf.Owners.AddUnique(shared);
    EXPECT_EQ(gf.Owners[1].get(), application[0].get());
  }
  EXPECT_EQ(application[0]->Name, "Kaiser");
  EXPECT_EQ(shared.use_count(), 2);
}

// ---- GF ----

TEST(GFTest, NewGF) {
  const TGF gf;
  for (int n = 1; n <= KFCount; ++n) {
    EXPECT_EQ(gf.Kf(n).KFNumber(), n);
    EXPECT_EQ(gf.Kf(n).Terrain(), TUnknown());
    EXPECT_TRUE(gf.Kf(n).OnTradeCenterChange) << n;
  }
  EXPECT_EQ(gf.Coord, TKUVCoord());
  EXPECT_TRUE(gf.Notes.empty());
  EXPECT_TRUE(gf.TradeCenters.empty());
  ASSERT_EQ(gf.Owners.size(), 1u);
  EXPECT_EQ(gf.Owners[0]->Name, "Niemand");
  EXPECT_TRUE(gf.IsEmpty());
}

TEST(GFTest, NewGFsHaveTheirOwnNobody) {
  const TGF a;
  const TGF b;
  EXPECT_NE(a.Owners[0].get(), b.Owners[0].get());
}

class TradeCenterBookkeepingTest : public testing::Test {
 protected:
  TGF Gf;
  using Entries = std::vector<TGFTradeCenterInfo>;
};

TEST_F(TradeCenterBookkeepingTest, EntryIsAddedThenFollowsTheKfWithoutChangingType) {
  Gf.Kf(7).SetTradeCenter(TCity());
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, false}}));
  Gf.Kf(7).SetTradeCenter(TNoTradeCenter());
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, true}}));
  Gf.Kf(7).SetTradeCenter(TMarket());
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, false}}));
  Gf.Kf(7).SetTradeCenter(TCapital());
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, false}}));
}

TEST_F(TradeCenterBookkeepingTest, NoDuplicatesAndNothingForAKfThatNeverHadOne) {
  Gf.Kf(7).SetTradeCenter(TCity());
  Gf.Kf(7).SetTradeCenter(TCity());
  Gf.Kf(7).SetTradeCenter(TNoTradeCenter());
  Gf.Kf(7).SetTradeCenter(TFortress());
  Gf.Kf(20).SetTradeCenter(TNoTradeCenter());
  Gf.Kf(48).SetTradeCenter(TRuinedCity());
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, false}, {TradeCenterRuinedCity, 48, false}}));
}

TEST_F(TradeCenterBookkeepingTest, AnExistingEntryIsUpdatedInsteadOfAppended) {
  Gf.TradeCenters = {{TradeCenterFortress, 9, true}, {TradeCenterMarket, 5, true}, {TradeCenterCapital, 9, true}};
  Gf.Kf(9).SetTradeCenter(TCity());
  // Only the first entry of KF 9 follows.
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterFortress, 9, false},
                                      {TradeCenterMarket, 5, true},
                                      {TradeCenterCapital, 9, true}}));
}

TEST_F(TradeCenterBookkeepingTest, ACopiedGFReportsToItsOwnEntries) {
  Gf.Kf(7).SetTradeCenter(TCity());
  auto copy = std::make_unique<TGF>(Gf);
  copy->Kf(7).SetTradeCenter(TNoTradeCenter());
  copy->Kf(8).SetTradeCenter(TMarket());
  EXPECT_EQ(copy->TradeCenters, (Entries{{TradeCenterCity, 7, true}, {TradeCenterMarket, 8, false}}));
  EXPECT_EQ(Gf.TradeCenters, (Entries{{TradeCenterCity, 7, false}}));

  // A copy of the copy outlives its source and still reports to itself.
  auto second = std::make_unique<TGF>(*copy);
  copy.reset();
  second->Kf(9).SetTradeCenter(TFortress());
  EXPECT_EQ(second->TradeCenters.size(), 3u);
  Gf.Kf(9).SetTradeCenter(TFortress());
  EXPECT_EQ(second->TradeCenters.size(), 3u);
  EXPECT_EQ(Gf.TradeCenters.size(), 2u);
}

TEST(GFTest, IsEmptyLooksOnlyAtTerrainAndNotes) {
  TGF gf;
  gf.AddRiver(1, 2);
  gf.AddRoad(40, 9);
  gf.Kf(3).SetBuilding(TTower());
  gf.Kf(4).SetSpecialBuilding(TPortal());
  gf.Kf(5).SetTradeCenter(TCapital());
  gf.Owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"Fürst"}));
  gf.TradeCenters.push_back({});
  gf.Coord.Number = 12;
  EXPECT_TRUE(gf.IsEmpty());

  gf.Notes.push_back("");  // an empty line is a line
  EXPECT_FALSE(gf.IsEmpty());
  gf.Notes.clear();

  for (const TTerrainKind& kind : TerrainKinds) {
    SCOPED_TRACE(kind.ClassName);
    gf.Kf(48).SetTerrain(TTerrain(kind.TerrainType));
    EXPECT_EQ(gf.IsEmpty(), kind.TerrainType == 2);
  }
}

// A GF with something in every part.
std::unique_ptr<TGF> FullGF() {
  auto gf = std::make_unique<TGF>();
  for (int n = 1; n <= KFCount; ++n) {
    TKf& kf = gf->Kf(n);
    kf.SetTerrain(TTerrain(TerrainKinds[static_cast<size_t>(n) % TerrainKinds.size()].TerrainType));
    kf.SetBuilding(TBuilding(BuildingKinds[static_cast<size_t>(n) % BuildingKinds.size()].BuildingType));
    kf.SetSpecialBuilding(TGnippahellir());
    for (const FeatureRow& f : Features) kf.SetEdge(f.Feature, static_cast<uint16_t>(n * 37 + f.Feature));
  }
  gf->Kf(6).SetTerrain(TStream());
  gf->Kf(6).Terrain().SetStreamDirection(StreamDirectionSW);
  gf->Kf(16).SetBuilding(TStreamBridge());
  gf->Kf(16).Building().SetDirection(SBDirectionNW);
  gf->Kf(7).SetTradeCenter(TCity());
  gf->Kf(30).SetTradeCenter(TMarket());
  gf->TradeCenters.push_back({TradeCenterCapital, 44, true});
  gf->Notes = {"erste Zeile", "", "dritte Zeile"};
  gf->Owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"Fürst"}));
  gf->Coord = TKUVCoord{2, 'K', 1, -13};
  return gf;
}

TEST(GFTest, ClearEmptiesTheKfAndNotesButKeepsOwnersEntriesAndCoordinate) {
  auto gf = FullGF();
  const std::vector<TGFOwner*> owners = {gf->Owners[0].get(), gf->Owners[1].get()};
  gf->Clear();
  for (int n = 1; n <= KFCount; ++n) {
    SCOPED_TRACE(n);
    const TKf& kf = gf->Kf(n);
    EXPECT_EQ(kf.KFNumber(), n);
    EXPECT_EQ(kf.Terrain(), TUnknown());
    EXPECT_EQ(kf.TradeCenter(), TNoTradeCenter());
    EXPECT_EQ(kf.Building(), TNoBuilding());
    EXPECT_EQ(kf.SpecialBuilding(), TNoBuilding());
    for (const FeatureRow& f : Features) EXPECT_EQ(f.Field(kf), 0) << f.Name;
  }
  EXPECT_TRUE(gf->Notes.empty());
  EXPECT_TRUE(gf->IsEmpty());
  ASSERT_EQ(gf->Owners.size(), 2u);
  EXPECT_EQ(gf->Owners[0].get(), owners[0]);
  EXPECT_EQ(gf->Owners[1].get(), owners[1]);
  EXPECT_EQ(gf->Coord, (TKUVCoord{2, 'K', 1, -13}));
  using Entries = std::vector<TGFTradeCenterInfo>;
  EXPECT_EQ(gf->TradeCenters, (Entries{{TradeCenterCity, 7, true},
                                       {TradeCenterMarket, 30, true},
                                       {TradeCenterCapital, 44, true}}));
  // Still bound after clearing.
  gf->Kf(44).SetTradeCenter(TCapital());
  EXPECT_FALSE(gf->TradeCenters[2].PotentialTradeCenter);
}

TEST(GFTest, CopyCopiesEverythingAndOwnersAsNewObjects) {
  const auto source = FullGF();
  const TGF copy(*source);
  for (int n = 1; n <= KFCount; ++n) {
    SCOPED_TRACE(n);
    const TKf& a = source->Kf(n);
    const TKf& b = copy.Kf(n);
    EXPECT_EQ(b.KFNumber(), n);
    EXPECT_EQ(b.Terrain(), a.Terrain());
    EXPECT_EQ(b.TradeCenter(), a.TradeCenter());
    EXPECT_EQ(b.Building(), a.Building());
    EXPECT_EQ(b.SpecialBuilding(), a.SpecialBuilding());
    for (const FeatureRow& f : Features) EXPECT_EQ(f.Field(b), f.Field(a)) << f.Name;
  }
  EXPECT_EQ(copy.Kf(6).Terrain().StreamDirection(), StreamDirectionSW);
  EXPECT_EQ(copy.Kf(16).Building().Direction(), SBDirectionNW);
  EXPECT_EQ(copy.Coord, source->Coord);
  EXPECT_EQ(copy.Notes, source->Notes);
  EXPECT_EQ(copy.TradeCenters, source->TradeCenters);
  ASSERT_EQ(copy.Owners.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(copy.Owners[i]->Name, source->Owners[i]->Name);
    EXPECT_NE(copy.Owners[i].get(), source->Owners[i].get());
  }
}

TEST(GFTest, CopyIsIndependentOfItsSource) {
  auto source = FullGF();
  const uint16_t river1 = source->Kf(1).River;
  const uint16_t river2 = source->Kf(2).River;
  ASSERT_TRUE(river1 & (1u << 1));
  TGF copy(*source);
  copy.Owners[1]->Name = "Graf";
  copy.Notes.push_back("neu");
  copy.RemoveRiver(1, 1);
  copy.TradeCenters[0].KF = 8;
  EXPECT_EQ(source->Owners[1]->Name, "Fürst");
  EXPECT_EQ(source->Notes.size(), 3u);
  EXPECT_EQ(source->TradeCenters[0].KF, 7);
  EXPECT_EQ(source->Kf(1).River, river1);
  EXPECT_EQ(source->Kf(2).River, river2);
  source.reset();
  EXPECT_EQ(copy.Kf(1).River, river1 & ~(1u << 1));
  EXPECT_EQ(copy.Kf(2).River, river2 & ~(1u << 4));
}

TEST(GFTest, CopyAddsOwnersThroughAddUnique) {
  TGF source;
  source.Owners.push_back(std::make_shared<TGFOwner>(TGFOwner{"Niemand"}));  // bypassing AddUnique
  source.Owners.push_back(std::make_shared<TGFOwner>(TGFOwner{"Zar"}));
  const TGF copy(source);
  ASSERT_EQ(copy.Owners.size(), 2u);
  EXPECT_EQ(copy.Owners[0]->Name, "Niemand");
  EXPECT_EQ(copy.Owners[1]->Name, "Zar");
}

// ---- Statistics ----

TEST(GFStatisticsTest, LandAndWaterCountsRatiosAndREH) {
  TGF gf;
  for (int n = 1; n <= 10; ++n) gf.Kf(n).SetTerrain(TPlain());          // land, 4 REH
  for (int n = 11; n <= 15; ++n) gf.Kf(n).SetTerrain(TWater());         // water, 4 REH
  for (int n = 16; n <= 18; ++n) gf.Kf(n).SetTerrain(THighlandOasis()); // water in a land level
  gf.Kf(19).SetTerrain(TUnknownLand());                                 // land, 0 REH
  gf.Kf(20).SetTerrain(TMountain());                                    // land, 0 REH
  gf.Kf(21).SetTerrain(TRockySwamp());                                  // land, 1 REH
  gf.Kf(21).SetBuilding(TDonjon());                                     // ... but 12 with a donjon
  EXPECT_EQ(gf.LandKFCount(), 13);
  EXPECT_DOUBLE_EQ(gf.LandKFRatio(), 13 / 48.0);
  EXPECT_EQ(gf.WaterKFCount(), 8);
  EXPECT_DOUBLE_EQ(gf.WaterKFRatio(), 8 / 48.0);
  EXPECT_EQ(gf.LandREHSum(), 10 * 4 + 12);
  EXPECT_EQ(gf.WaterREHSum(), 8 * 4);
  // A trade center gives 4 even on water and on unknown terrain.
  gf.Kf(11).SetTradeCenter(TMarket());
  gf.Kf(40).SetTradeCenter(TMarket());
  EXPECT_EQ(gf.LandREHSum(), 10 * 4 + 12 + 8);
}

TEST(GFStatisticsTest, InhospitableFromTwentyFourKf) {
  for (int count : {0, 23, 24, 25, 48}) {
    SCOPED_TRACE(count);
    TGF gf;
    for (int n = 1; n <= count; ++n) gf.Kf(n).SetTerrain(n % 2 ? TTerrain(TPlainWoods()) : TTerrain(TWater()));
    for (int n = count + 1; n <= KFCount; ++n) gf.Kf(n).SetTerrain(TPlainGlacier());  // not inhospitable
    EXPECT_EQ(gf.IsInhospitable(), count >= 24);
  }
}

struct TrenchCase {
  const char* Name;
  std::vector<std::pair<int, int>> Added;     // through AddTrench
  std::vector<std::pair<int, int>> OneSided;  // written straight into one KF
  int32_t Segments;
};

TEST(GFStatisticsTest, TrenchSegmentsCountInnerSidesOnceAndOutlineSidesOnce) {
  const TrenchCase cases[] = {
      {"none", {}, {}, 0},
      {"inner plus outline", {{1, 1}, {1, 0}}, {}, 2},
      {"one inner", {{24, 2}}, {}, 1},
      {"all sides of an inner KF", {{26, 0}, {26, 1}, {26, 2}, {26, 3}, {26, 4}, {26, 5}}, {}, 6},
      {"all sides of the corner KF 1", {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}}, {}, 6},
      {"a lone half of an inner side", {}, {{24, 2}}, 0},
      {"two lone halves", {}, {{24, 2}, {30, 3}}, 1},
      {"outline written straight", {}, {{48, 1}, {48, 2}}, 2},
  };
  for (const TrenchCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGF gf;
    for (const auto& [kf, d] : c.Added) gf.AddTrench(kf, d);
    for (const auto& [kf, d] : c.OneSided) gf.Kf(kf).Trench |= static_cast<uint8_t>(1u << d);
    EXPECT_EQ(gf.TrenchSegmentCount(), c.Segments);
  }
  TGF all;
  for (int n = 1; n <= KFCount; ++n)
    for (int d = 0; d < 6; ++d) all.AddTrench(n, d);
  const int outline = 48 * 6 - 2 * 120;
  EXPECT_EQ(all.TrenchSegmentCount(), outline + 120);
}

TEST(GFStatisticsTest, WallSidesCountEveryStoredBit) {
  TGF gf;
  EXPECT_EQ(gf.WallSideCount(), 0);
  gf.AddWall(1, 1);
  gf.AddWall(2, 4);  // the same edge from the other side: walls are not mirrored
  gf.AddWall(48, 0);
  gf.Kf(20).Wall = 0x3F;
  EXPECT_EQ(gf.WallSideCount(), 9);
}

}  // namespace
