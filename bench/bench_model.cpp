// Memory and copy cost of the game model: both worlds fully populated with random GFs.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/Map.h"

namespace {

constexpr int64_t GFsPerWorld = int64_t{TGFMap::Columns} * TGFMap::Rows;

// Resident set size in bytes, from /proc/self/statm.
int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0;
  int64_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<int64_t>(sysconf(_SC_PAGESIZE));
}

// Owners the application knows; GFs refer to them as the map file reader links them.
std::vector<std::shared_ptr<TGFOwner>> OwnerPool() {
  std::vector<std::shared_ptr<TGFOwner>> pool;
  for (int i = 0; i < 40; ++i) pool.push_back(std::make_shared<TGFOwner>(TGFOwner{"Spieler " + std::to_string(i)}));
  return pool;
}

// Every KF random over the whole catalogue, every edge set random, a few notes and owners.
void FillRandom(TGF& gf, std::mt19937& random, const std::vector<std::shared_ptr<TGFOwner>>& owners) {
  std::uniform_int_distribution<size_t> terrain(0, TerrainKinds.size() - 1);
  std::uniform_int_distribution<size_t> tradeCenter(0, TradeCenterKinds.size() - 1);
  std::uniform_int_distribution<size_t> building(0, BuildingKinds.size() - 1);
  std::uniform_int_distribution<int> direction(0, 6);
  std::uniform_int_distribution<int> bits(0, 0xFFF);
  std::uniform_int_distribution<int> few(0, 3);
  std::uniform_int_distribution<size_t> owner(0, owners.size() - 1);
  for (int n = 1; n <= KFCount; ++n) {
    TKf& kf = gf.Kf(n);
    kf.SetTerrain(TTerrain(TerrainKinds[terrain(random)].TerrainType));
    kf.Terrain().SetStreamDirection(static_cast<EStreamDirection>(direction(random)));
    kf.SetTradeCenter(TTradeCenter(TradeCenterKinds[tradeCenter(random)].TradeCenterType));
    kf.SetBuilding(TBuilding(BuildingKinds[building(random)].BuildingType));
    kf.Building().SetDirection(static_cast<EStreamBridgeDirection>(direction(random) % 6));
    kf.SetSpecialBuilding(TBuilding(BuildingKinds[building(random)].BuildingType));
    for (const TEdgeFeatureInfo& info : EdgeFeatures) kf.SetEdge(info.Feature, static_cast<uint16_t>(bits(random)));
  }
  for (int i = few(random); i > 0; --i) gf.Notes.push_back("Aufklärung Runde " + std::to_string(random() % 1000) + ": Heer gesichtet");
  for (int i = few(random); i > 0; --i) gf.Owners.AddUnique(owners[owner(random)]);
}

struct TWorlds {
  TGFMap Stygien{1};
  TGFMap Eldrien{2};

  void Populate(uint32_t seed, const std::vector<std::shared_ptr<TGFOwner>>& owners) {
    std::mt19937 random(seed);
    for (TGFMap* map : {&Stygien, &Eldrien})
      for (int32_t x = 0; x < TGFMap::Columns; ++x)
        for (int32_t y = 0; y < TGFMap::Rows; ++y) FillRandom(map->getElement(x, y), random, owners);
  }
};

// Resident memory of both fully populated worlds (one iteration: it measures, not times).
void BM_BothWorldsResident(benchmark::State& state) {
  const auto owners = OwnerPool();
  for (auto _ : state) {
    const int64_t before = ResidentBytes();
    auto worlds = std::make_unique<TWorlds>();
    worlds->Populate(1, owners);
    const int64_t after = ResidentBytes();
    benchmark::DoNotOptimize(worlds.get());
    const int64_t gfs = worlds->Stygien.StoredCount() + worlds->Eldrien.StoredCount();
    state.counters["GFs"] = static_cast<double>(gfs);
    state.counters["resident_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
    state.counters["bytes_per_GF"] = static_cast<double>(after - before) / static_cast<double>(gfs);
    state.counters["process_MB"] = static_cast<double>(after) / (1024.0 * 1024.0);
  }
  state.counters["sizeof_TKf"] = sizeof(TKf);
  state.counters["sizeof_TGF"] = sizeof(TGF);
}
BENCHMARK(BM_BothWorldsResident)->Iterations(1)->Unit(benchmark::kMillisecond);

// Copying every GF of both worlds through the TGF copy constructor.
void BM_CopyAllGFs(benchmark::State& state) {
  const auto owners = OwnerPool();
  auto worlds = std::make_unique<TWorlds>();
  worlds->Populate(2, owners);
  std::vector<std::unique_ptr<TGF>> copies;
  copies.reserve(2 * GFsPerWorld);
  for (auto _ : state) {
    for (const TGFMap* map : {&worlds->Stygien, &worlds->Eldrien})
      for (int32_t x = 0; x < TGFMap::Columns; ++x)
        for (int32_t y = 0; y < TGFMap::Rows; ++y) copies.push_back(std::make_unique<TGF>(*map->Peek(x, y)));
    benchmark::DoNotOptimize(copies.data());
    state.PauseTiming();
    copies.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 2 * GFsPerWorld);
}
BENCHMARK(BM_CopyAllGFs)->Unit(benchmark::kMillisecond);

}  // namespace
