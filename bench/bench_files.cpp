// Reading and writing a fully populated map data file: both worlds, every cell a
// random GF (the worst case of the file's size).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "files/KUVFile.h"

namespace {

struct TWorlds {
  TGFOwnerList Owners;
  TGFMap Stygien{1};
  TGFMap Eldrien{2};
};

void Populate(TGFMap& map, std::mt19937& random) {
  std::uniform_int_distribution<int> percent(0, 99), sides(0, 63), road(0, 4095), direction(0, 6);
  const std::string names[] = {"Kara", "Bors", "Dana", "Eik", "Falk", "Gesa", "Hark", "Ilse"};
  for (int32_t x = 0; x < TGFMap::Columns; ++x) {
    for (int32_t y = 0; y < TGFMap::Rows; ++y) {
      TGF& gf = map.getElement(x, y);
      for (int n = 1; n <= KFCount; ++n) {
        TKf& kf = gf.Kf(n);
        TTerrain terrain(TerrainKinds[static_cast<size_t>(percent(random)) % TerrainKinds.size()].TerrainType);
        terrain.SetStreamDirection(static_cast<EStreamDirection>(direction(random)));
        kf.SetTerrain(terrain);
        if (percent(random) < 3) kf.SetTradeCenter(TTradeCenter(static_cast<uint8_t>(1 + percent(random) % 5)));
        if (percent(random) < 10)
          kf.SetBuilding(TBuilding(BuildingKinds[static_cast<size_t>(percent(random)) % BuildingKinds.size()].BuildingType));
        if (percent(random) < 2) kf.SetSpecialBuilding(TBuilding(static_cast<uint8_t>(40 + percent(random) % 8)));
        for (const TEdgeFeatureInfo& info : EdgeFeatures)
          kf.SetEdge(info.Feature, static_cast<uint16_t>(info.Feature == EdgeRoad ? road(random) : sides(random)));
      }
      if (percent(random) < 20) gf.Notes.push_back("Notiz zu " + gf.Coord.EditorText());
      if (percent(random) < 30) gf.Owners.AddUnique(std::make_shared<TGFOwner>(TGFOwner{names[percent(random) % 8]}));
    }
  }
}

// The file is made once for the whole run.
const std::string& SampleFile() {
  static const std::string name = [] {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("bench_files-" + std::to_string(::getpid()) + ".map")).string();
    auto worlds = std::make_unique<TWorlds>();
    std::mt19937 random(42);
    Populate(worlds->Stygien, random);
    Populate(worlds->Eldrien, random);
    TKUVMapDataFile(worlds->Stygien, worlds->Eldrien).Write(path);
    std::atexit([] { std::remove(SampleFile().c_str()); });
    return path;
  }();
  return name;
}

std::unique_ptr<TWorlds> ReadSample() {
  auto worlds = std::make_unique<TWorlds>();
  TKUVMapDataFile file(worlds->Stygien, worlds->Eldrien);
  file.GFOwnerList = &worlds->Owners;
  file.Read(SampleFile());
  return worlds;
}

void SetFileBytes(benchmark::State& state) {
  const auto size = static_cast<int64_t>(std::filesystem::file_size(SampleFile()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

// Read into fresh maps; creating and freeing the maps is not counted.
void BM_ReadMapFile(benchmark::State& state) {
  SampleFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto worlds = std::make_unique<TWorlds>();
    TKUVMapDataFile file(worlds->Stygien, worlds->Eldrien);
    file.GFOwnerList = &worlds->Owners;
    state.ResumeTiming();
    file.Read(SampleFile());
    state.PauseTiming();
    worlds.reset();
    state.ResumeTiming();
  }
  SetFileBytes(state);
}
BENCHMARK(BM_ReadMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Write to disk: temporary file, sync, rename.
void BM_WriteMapFile(benchmark::State& state) {
  const std::unique_ptr<TWorlds> worlds = ReadSample();
  const std::string target = SampleFile() + ".out";
  for (auto _ : state) TKUVMapDataFile(worlds->Stygien, worlds->Eldrien).Write(target);
  std::remove(target.c_str());
  SetFileBytes(state);
}
BENCHMARK(BM_WriteMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes into memory: the encoding alone, without the disk.
void BM_WriteMapFileToMemory(benchmark::State& state) {
  const std::unique_ptr<TWorlds> worlds = ReadSample();
  TMemorySink sink;
  for (auto _ : state) {
    sink.Bytes.clear();  // keeps its memory, so only the encoding is measured
    TKUVMapDataFile(worlds->Stygien, worlds->Eldrien).WriteTo(sink);
    benchmark::DoNotOptimize(sink.Bytes.data());
  }
  SetFileBytes(state);
}
BENCHMARK(BM_WriteMapFileToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
