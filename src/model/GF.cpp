// Small and large fields.
#include "GF.h"

#include <algorithm>
#include <bit>

const std::array<std::array<uint8_t, 6>, KFCount + 1> KFNeighbour = {{
    {0, 0, 0, 0, 0, 0},
    // NE, E, SE, SW, W, NW
    {0, 2, 6, 5, 0, 0},       {0, 3, 7, 6, 1, 0},       {0, 4, 8, 7, 2, 0},       {0, 0, 9, 8, 3, 0},
    {1, 6, 11, 10, 0, 0},     {2, 7, 12, 11, 5, 1},     {3, 8, 13, 12, 6, 2},     {4, 9, 14, 13, 7, 3},
    {0, 0, 15, 14, 8, 4},     {5, 11, 17, 16, 0, 0},    {6, 12, 18, 17, 10, 5},   {7, 13, 19, 18, 11, 6},
    {8, 14, 20, 19, 12, 7},   {9, 15, 21, 20, 13, 8},   {0, 0, 22, 21, 14, 9},    {10, 17, 24, 23, 0, 0},
    {11, 18, 25, 24, 16, 10}, {12, 19, 26, 25, 17, 11}, {13, 20, 27, 26, 18, 12}, {14, 21, 28, 27, 19, 13},
    {15, 22, 29, 28, 20, 14}, {0, 0, 30, 29, 21, 15},   {16, 24, 31, 0, 0, 0},    {17, 25, 32, 31, 23, 16},
    {18, 26, 33, 32, 24, 17}, {19, 27, 34, 33, 25, 18}, {20, 28, 35, 34, 26, 19}, {21, 29, 36, 35, 27, 20},
    {22, 30, 37, 36, 28, 21}, {0, 0, 0, 37, 29, 22},    {24, 32, 38, 0, 0, 23},   {25, 33, 39, 38, 31, 24},
    {26, 34, 40, 39, 32, 25}, {27, 35, 41, 40, 33, 26}, {28, 36, 42, 41, 34, 27}, {29, 37, 43, 42, 35, 28},
    {30, 0, 0, 43, 36, 29},   {32, 39, 44, 0, 0, 31},   {33, 40, 45, 44, 38, 32}, {34, 41, 46, 45, 39, 33},
    {35, 42, 47, 46, 40, 34}, {36, 43, 48, 47, 41, 35}, {37, 0, 0, 48, 42, 36},   {39, 45, 0, 0, 0, 38},
    {40, 46, 0, 0, 44, 39},   {41, 47, 0, 0, 45, 40},   {42, 48, 0, 0, 46, 41},   {43, 0, 0, 0, 47, 42},
}};

const std::array<TEdgeFeatureInfo, EdgeFeatureCount> EdgeFeatures = {{
    {EdgeSlope, "Slope", "Aufgang", true, 0x3F},
    {EdgeRiver, "River", "Fluss", true, 0x3F},
    {EdgeRapids, "Rapids", "Stromschnelle", true, 0x3F},
    {EdgeWall, "Wall", "Mauer", false, 0x3F},
    {EdgePass, "Pass", "Pass", true, 0x3F},
    {EdgeRoad, "Road", "Drachenstrasse", true, 0xFFF},
    {EdgeGate, "Gate", "Tor", true, 0x3F},
    {EdgeCliff, "Cliff", "Klippe", false, 0x3F},
    {EdgePassage, "Passage", "Durchgang", false, 0x3F},
    {EdgeBridge, "Bridge", "Brücke", true, 0x3F},
    {EdgeLanding, "Landing", "Landestelle", true, 0x3F},
    {EdgeTrench, "Trench", "Graben", true, 0x3F},
    {EdgeWadi, "Wadi", "Wadi", true, 0x3F},
    {EdgeChannel, "Channel", "Kanal", false, 0x3F},
}};

TKf::TKf(const TKf& other)
    : Slope(other.Slope),
      River(other.River),
      Rapids(other.Rapids),
      Wall(other.Wall),
      Pass(other.Pass),
      Road(other.Road),
      Gate(other.Gate),
      Cliff(other.Cliff),
      Passage(other.Passage),
      Bridge(other.Bridge),
      Landing(other.Landing),
      Trench(other.Trench),
      Wadi(other.Wadi),
      Channel(other.Channel),
      FTerrain(other.FTerrain),
      FTradeCenter(other.FTradeCenter),
      FBuilding(other.FBuilding),
      FSpecialBuilding(other.FSpecialBuilding),
      Number(other.Number) {}

void TKf::SetTradeCenter(const TTradeCenter& tradeCenter) {
  const ETradeCenterType previous = FTradeCenter.TradeCenterType();
  FTradeCenter = tradeCenter;
  if (tradeCenter.TradeCenterType() != previous && OnTradeCenterChange)
    OnTradeCenterChange(*this, KFNumber(), tradeCenter.TradeCenterType());
}

uint16_t TKf::Edge(EEdgeFeature feature) const {
  switch (feature) {
    case EdgeSlope: return Slope;
    case EdgeRiver: return River;
    case EdgeRapids: return Rapids;
    case EdgeWall: return Wall;
    case EdgePass: return Pass;
    case EdgeRoad: return Road;
    case EdgeGate: return Gate;
    case EdgeCliff: return Cliff;
    case EdgePassage: return Passage;
    case EdgeBridge: return Bridge;
    case EdgeLanding: return Landing;
    case EdgeTrench: return Trench;
    case EdgeWadi: return Wadi;
    case EdgeChannel: return Channel;
  }
  return 0;
}

void TKf::SetEdge(EEdgeFeature feature, uint16_t bits) {
  const auto side = static_cast<uint8_t>(bits & 0x3F);
  switch (feature) {
    case EdgeSlope: Slope = side; break;
    case EdgeRiver: River = side; break;
    case EdgeRapids: Rapids = side; break;
    case EdgeWall: Wall = side; break;
    case EdgePass: Pass = side; break;
    case EdgeRoad: Road = static_cast<uint16_t>(bits & 0xFFF); break;
    case EdgeGate: Gate = side; break;
    case EdgeCliff: Cliff = side; break;
    case EdgePassage: Passage = side; break;
    case EdgeBridge: Bridge = side; break;
    case EdgeLanding: Landing = side; break;
    case EdgeTrench: Trench = side; break;
    case EdgeWadi: Wadi = side; break;
    case EdgeChannel: Channel = side; break;
  }
}

void TKf::Clear() {
  FTerrain = TUnknown();
  FBuilding = TNoBuilding();
  FSpecialBuilding = TNoBuilding();
  SetTradeCenter(TNoTradeCenter());
  for (const TEdgeFeatureInfo& info : EdgeFeatures) SetEdge(info.Feature, 0);
}

int32_t TKf::LandREH() const {
  switch (FBuilding.BuildingType()) {
    case BuildingFoundation: return 4;
    case BuildingTower: return 8;
    case BuildingDonjon: return 12;
    case BuildingThreeStoryDonjon: return 16;
    case BuildingTempleTower: return 4;
    case BuildingGnippahellir:
    case BuildingRuin:
    case BuildingUnderworldEntrance: return 4;
    default: return FTradeCenter.TradeCenterType() != TradeCenterNone ? 4 : FTerrain.LandREH();
  }
}

int TGFOwnerList::AddUnique(std::shared_ptr<TGFOwner> owner) {
  for (size_t i = 0; i < size(); ++i)
    if ((*this)[i]->Name == owner->Name) return static_cast<int>(i);
  push_back(std::move(owner));
  return static_cast<int>(size()) - 1;
}

TGF::TGF() {
  Owners.push_back(std::make_shared<TGFOwner>());
  for (int n = 1; n <= KFCount; ++n) FKf[n - 1].SetKFNumber(n);
  BindKf();
}

TGF::TGF(const TGF& other)
    : Coord(other.Coord), Notes(other.Notes), TradeCenters(other.TradeCenters), FKf(other.FKf) {
  for (const auto& owner : other.Owners) Owners.AddUnique(std::make_shared<TGFOwner>(*owner));
  BindKf();
}

void TGF::BindKf() {
  for (TKf& kf : FKf) kf.OnTradeCenterChange = TOnTradeCenterChange::Of<TGF, &TGF::TradeCenterChanged>(*this);
}

void TGF::AddFeature(EEdgeFeature feature, int kf, int d) {
  TKf& field = Kf(kf);
  field.SetEdge(feature, static_cast<uint16_t>(field.Edge(feature) | (1u << d)));
  if (!EdgeFeatures[feature].Mirrored || d > 5) return;
  if (const int m = KFNeighbour[kf][d]; m > 0) {
    TKf& neighbour = Kf(m);
    neighbour.SetEdge(feature, static_cast<uint16_t>(neighbour.Edge(feature) | (1u << OppositeDirection(d))));
  }
}

void TGF::RemoveFeature(EEdgeFeature feature, int kf, int d) {
  TKf& field = Kf(kf);
  field.SetEdge(feature, static_cast<uint16_t>(field.Edge(feature) & ~(1u << d)));
  if (!EdgeFeatures[feature].Mirrored || d > 5) return;
  if (const int m = KFNeighbour[kf][d]; m > 0) {
    TKf& neighbour = Kf(m);
    neighbour.SetEdge(feature, static_cast<uint16_t>(neighbour.Edge(feature) & ~(1u << OppositeDirection(d))));
  }
}

void TGF::Clear() {
  for (TKf& kf : FKf) kf.Clear();
  Notes.clear();
}

int32_t TGF::LandKFCount() const {
  return static_cast<int32_t>(std::count_if(FKf.begin(), FKf.end(), [](const TKf& kf) { return kf.Terrain().IsLand(); }));
}

int32_t TGF::WaterKFCount() const {
  return static_cast<int32_t>(std::count_if(FKf.begin(), FKf.end(), [](const TKf& kf) { return kf.Terrain().IsWater(); }));
}

int32_t TGF::LandREHSum() const {
  int32_t sum = 0;
  for (const TKf& kf : FKf) sum += kf.LandREH();
  return sum;
}

int32_t TGF::WaterREHSum() const {
  int32_t sum = 0;
  for (const TKf& kf : FKf) sum += kf.WaterREH();
  return sum;
}

bool TGF::IsInhospitable() const {
  return std::count_if(FKf.begin(), FKf.end(), [](const TKf& kf) { return kf.IsInhospitable(); }) >= 24;
}

int32_t TGF::TrenchSegmentCount() const {
  int32_t stored = 0;
  int32_t outline = 0;
  for (const TKf& kf : FKf)
    for (int d = 0; d < 6; ++d)
      if (kf.Trench & (1u << d)) {
        ++stored;
        if (KFNeighbour[kf.KFNumber()][d] == 0) ++outline;
      }
  return outline + (stored - outline) / 2;
}

int32_t TGF::WallSideCount() const {
  int32_t count = 0;
  for (const TKf& kf : FKf) count += std::popcount(static_cast<unsigned>(kf.Wall & 0x3F));
  return count;
}

bool TGF::IsEmpty() const {
  return Notes.empty() &&
         std::all_of(FKf.begin(), FKf.end(), [](const TKf& kf) { return kf.Terrain().TerrainType() == TUnknown::Code; });
}

void TGF::TradeCenterChanged(TKf&, int32_t kfNumber, ETradeCenterType type) {
  const auto entry = std::find_if(TradeCenters.begin(), TradeCenters.end(),
                                  [kfNumber](const TGFTradeCenterInfo& info) { return info.KF == kfNumber; });
  if (entry != TradeCenters.end())
    entry->PotentialTradeCenter = type == TradeCenterNone;
  else if (type != TradeCenterNone)
    TradeCenters.push_back({type, kfNumber, false});
}
