// The showcase map: both worlds with a GF of every terrain kind, one of every edge
// feature and symbol, a busy protocol GF, and a small landscape around them for the
// map exports. tests/support/fixtures/showcase.map holds it as written by the program.
#pragma once

#include <memory>
#include <random>

#include "model/Map.h"
#include "support/GFFixtures.h"

namespace fixtures {

inline void StoreAt(TGFMap& map, int x, int y, std::unique_ptr<TGF> gf) {
  gf->Coord = map.CoordFactory().CreateCoordFromIndex(x, y);
  map.setElement(x, y, std::move(gf));
}

// A GF of one land level with some variants sprinkled in, a river across it, a road
// and, now and then, a walled town.
inline std::unique_ptr<TGF> LandscapeGF(std::mt19937& random) {
  static constexpr uint16_t Bases[] = {200, 200, 200, 300, 300, 400, 100};
  const auto pick = [&random](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
  const uint16_t base = Bases[pick(7)];
  auto gf = UniformGF(base);
  for (int n = 1; n <= KFCount; ++n) {
    if (pick(4) != 0) continue;
    if (base == 100)
      gf->Kf(n).SetTerrain(TTerrain(static_cast<uint16_t>(100 + pick(6))));
    else
      gf->Kf(n).SetTerrain(TTerrain(static_cast<uint16_t>(base + pick(9))));
  }
  if (base == 100) {
    gf->Kf(23).SetTerrain(TMountain());
    gf->Kf(24).SetTerrain(TVulcano());
    return gf;
  }
  // A river along the row of KF 23..30 and a road through the middle column.
  for (int n = 23; n < 30; ++n) gf->AddRiver(n, 2);
  for (const int n : {4, 9, 15, 22, 30}) gf->AddRoad(n, 3);
  gf->AddBridge(26, 2);
  if (pick(3) == 0) {
    gf->Kf(19).SetTradeCenter(TCity());
    gf->Kf(19).SetBuilding(TTower());
    for (int d = 0; d < 6; ++d) gf->AddWall(19, d);
    gf->Kf(40).SetSpecialBuilding(TRuin());
    gf->Notes.push_back("Stadt im Tal");
  }
  return gf;
}

// Stygien: every terrain at (50, 26), every feature at (51, 26), the busy protocol
// GF at (50, 27), landscape in columns 45..56 and rows 22..31 around them. Eldrien:
// every feature on water at (50, 25). Two owners share GFs.
inline void BuildShowcase(TGFMap& stygien, TGFMap& eldrien, TGFOwnerList& owners) {
  std::mt19937 random(20261211);
  owners.AddUnique(std::make_shared<TGFOwner>());
  const int rulerA = owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"Haus Quolm"}));
  const int rulerB = owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{"Bund von Mira"}));
  for (int x = 45; x <= 56; ++x)
    for (int y = 22; y <= 31; ++y) {
      auto gf = LandscapeGF(random);
      gf->Owners.clear();
      gf->Owners.push_back(owners[static_cast<size_t>((x + y) % 2 == 0 ? rulerA : rulerB)]);
      StoreAt(stygien, x, y, std::move(gf));
    }
  auto everyTerrain = GFWithEveryTerrain();
  everyTerrain->Notes = {"Alle Geländearten", "Zeile 2"};
  StoreAt(stygien, 50, 26, std::move(everyTerrain));
  StoreAt(stygien, 51, 26, GFWithEveryFeature());
  StoreAt(stygien, 50, 27, BusyProtocolGF());
  StoreAt(eldrien, 50, 25, GFWithEveryFeature(TWater::Code));
}

}  // namespace fixtures
