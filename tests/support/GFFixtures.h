// Builders of test GFs: every terrain kind, every edge feature on known sides, a busy
// GF for the protocol labels and random fully populated GFs.
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

#include "model/Buildings.h"
#include "model/GF.h"
#include "model/Terrain.h"

namespace fixtures {

// The 42 terrain codes in catalogue order.
inline std::vector<uint16_t> AllTerrainCodes() {
  std::vector<uint16_t> codes;
  for (const TTerrainKind& kind : TerrainKinds) codes.push_back(kind.TerrainType);
  return codes;
}

inline TTerrain TerrainWithDirection(uint16_t code, EStreamDirection direction) {
  TTerrain terrain(code);
  terrain.SetStreamDirection(direction);
  return terrain;
}

// Every KF set to the same terrain.
inline std::unique_ptr<TGF> UniformGF(uint16_t code) {
  auto gf = std::make_unique<TGF>();
  for (int n = 1; n <= KFCount; ++n) gf->Kf(n).SetTerrain(TTerrain(code));
  return gf;
}

// KF 1..42 hold the 42 kinds in catalogue order (Mist flows SE, Stream E); KF 43..48
// are streams flowing NE, SE, SW, W, NW and one without direction.
inline std::unique_ptr<TGF> GFWithEveryTerrain() {
  auto gf = std::make_unique<TGF>();
  const std::vector<uint16_t> codes = AllTerrainCodes();
  for (int n = 1; n <= 42; ++n) {
    const uint16_t code = codes[static_cast<size_t>(n - 1)];
    EStreamDirection direction = StreamDirectionDontCare;
    if (code == TMist::Code) direction = StreamDirectionSE;
    if (code == TStream::Code) direction = StreamDirectionE;
    gf->Kf(n).SetTerrain(TerrainWithDirection(code, direction));
  }
  const EStreamDirection more[6] = {StreamDirectionNE, StreamDirectionSE, StreamDirectionSW,
                                    StreamDirectionW,  StreamDirectionNW, StreamDirectionDontCare};
  for (int i = 0; i < 6; ++i) gf->Kf(43 + i).SetTerrain(TerrainWithDirection(TStream::Code, more[i]));
  return gf;
}

// Where GFWithEveryFeature puts each feature: KF and side (mirrored features also
// reach the neighbour's opposite side).
struct TFeatureSite {
  EEdgeFeature Feature;
  int Kf;
  int Side;
};

inline const std::vector<TFeatureSite>& EveryFeatureSites() {
  static const std::vector<TFeatureSite> sites = {
      {EdgeRiver, 1, 1},   {EdgeRiver, 1, 0},  {EdgeWadi, 3, 2},    {EdgeWall, 5, 1},    {EdgeWall, 6, 4},
      {EdgePass, 10, 1},   {EdgeSlope, 12, 2}, {EdgeRoad, 16, 1},   {EdgeRoad, 17, 6},   {EdgeRoad, 17, 7},
      {EdgeGate, 19, 1},   {EdgeBridge, 24, 2}, {EdgeLanding, 26, 1}, {EdgeCliff, 28, 1}, {EdgePassage, 31, 2},
      {EdgeTrench, 33, 1}, {EdgeChannel, 35, 0}, {EdgeChannel, 35, 3}, {EdgeRapids, 39, 1},
  };
  return sites;
}

// Plain terrain with every edge feature at EveryFeatureSites, and symbols on KF 44..48:
// a city, a tower, an obelisk, a stream bridge facing NE, and a ruined city with a
// donjon and a portal.
inline std::unique_ptr<TGF> GFWithEveryFeature(uint16_t terrain = TPlain::Code) {
  auto gf = UniformGF(terrain);
  for (const TFeatureSite& site : EveryFeatureSites()) gf->AddFeature(site.Feature, site.Kf, site.Side);
  gf->Kf(44).SetTradeCenter(TCity());
  gf->Kf(45).SetBuilding(TTower());
  gf->Kf(46).SetSpecialBuilding(TObelisk());
  TStreamBridge bridge;
  bridge.SetDirection(SBDirectionNE);
  gf->Kf(47).SetBuilding(bridge);
  gf->Kf(48).SetTradeCenter(TRuinedCity());
  gf->Kf(48).SetBuilding(TDonjon());
  gf->Kf(48).SetSpecialBuilding(TPortal());
  return gf;
}

// A GF whose protocol label is full: potential trade centers with and without KF,
// trade-center KF with buildings, buildings alone, a GHZ, walls and trenches.
inline std::unique_ptr<TGF> BusyProtocolGF() {
  auto gf = GFWithEveryTerrain();
  gf->Coord = TKUVCoord{1, 'K', 1, -13};
  gf->TradeCenters.push_back({TradeCenterMarket, -1, true});
  gf->TradeCenters.push_back({TradeCenterCity, 17, true});
  gf->Kf(3).SetTradeCenter(TFortress());
  gf->Kf(3).SetBuilding(TTower());
  gf->Kf(9).SetTradeCenter(TCapital());
  gf->Kf(9).SetSpecialBuilding(TRuin());
  gf->Kf(12).SetBuilding(TThreeStoryDonjon());
  gf->Kf(20).SetSpecialBuilding(TGHZ());
  gf->Kf(25).SetBuilding(TPyramidDonjon());
  gf->AddWall(30, 0);
  gf->AddWall(30, 1);
  gf->AddWall(31, 2);
  gf->AddTrench(33, 1);
  gf->AddTrench(34, 2);
  return gf;
}

// A GF with everything: random terrain and directions, trade centers, buildings,
// special buildings, each edge feature on about a fifth of the sides, owners'
// trade-center entries. The same seed gives the same GF.
inline std::unique_ptr<TGF> RandomGF(uint32_t seed) {
  std::mt19937 random(seed);
  const auto pick = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
  const auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };
  const std::vector<uint16_t> codes = AllTerrainCodes();
  static constexpr uint8_t TradeCenters[] = {1, 2, 3, 4, 5, 100};
  static constexpr uint8_t Buildings[] = {10, 20, 21, 22, 30, 50, 51, 60, 61};
  static constexpr uint8_t Specials[] = {40, 41, 42, 43, 44, 45, 46, 47, 60};

  auto gf = std::make_unique<TGF>();
  gf->Coord = TKUVCoord{1, static_cast<char>('A' + pick(26)), static_cast<uint8_t>(pick(3)),
                        static_cast<int8_t>(static_cast<int>(pick(101)) - 50)};
  for (int n = 1; n <= KFCount; ++n) {
    TKf& kf = gf->Kf(n);
    kf.SetTerrain(TerrainWithDirection(codes[pick(codes.size())], static_cast<EStreamDirection>(pick(7))));
    if (chance(0.2)) kf.SetTradeCenter(TTradeCenter(TradeCenters[pick(std::size(TradeCenters))]));
    if (chance(0.3)) {
      TBuilding building(Buildings[pick(std::size(Buildings))]);
      building.SetDirection(static_cast<EStreamBridgeDirection>(pick(6)));
      kf.SetBuilding(building);
    }
    if (chance(0.2)) kf.SetSpecialBuilding(TBuilding(Specials[pick(std::size(Specials))]));
    for (const TEdgeFeatureInfo& info : EdgeFeatures) {
      const int bits = info.Feature == EdgeRoad ? 12 : 6;
      for (int d = 0; d < bits; ++d)
        if (chance(0.2)) gf->AddFeature(info.Feature, n, d);
    }
  }
  gf->TradeCenters.push_back({TradeCenterMarket, -1, true});
  gf->TradeCenters.push_back({TradeCenterFortress, static_cast<int32_t>(1 + pick(48)), true});
  return gf;
}

}  // namespace fixtures
