// The world map view: a full back-buffer rebuild of a 1920 x 1080 view in each style
// and zoom, over a fully populated and over an empty world, and the whole-world
// multi-page protocol PDF export.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "../tests/support/GFFixtures.h"
#include "render/Renderer.h"
#include "views/GFMap.h"

namespace {

// Every cell a random GF with everything in it: the worst case.
std::unique_ptr<TGFMap> PopulatedWorld() {
  auto map = std::make_unique<TGFMap>(1);
  uint32_t seed = 1;
  for (int32_t x = 0; x < TGFMap::Columns; ++x)
    for (int32_t y = 0; y < TGFMap::Rows; ++y) {
      std::unique_ptr<TGF> gf = fixtures::RandomGF(seed++);
      gf->Coord = map->CoordFactory().CreateCoordFromIndex(x, y);
      map->setElement(x, y, std::move(gf));
    }
  return map;
}

TGFMap& Populated() {
  static const std::unique_ptr<TGFMap> map = PopulatedWorld();
  return *map;
}

const char* StyleName(ERenderStyle style) {
  return style == RenderStyleClassic ? "classic" : style == RenderStyleSimplified ? "simplified" : "protocol";
}

// A shown 1920 x 1080 view centred on (50, 26); each iteration rebuilds the back
// buffer and draws the overlays, as after a scroll.
void Rebuild(benchmark::State& state, TGFMap& map) {
  const auto style = static_cast<ERenderStyle>(state.range(0));
  const double radius = static_cast<double>(state.range(1));
  TGFMapEditor view;
  view.GFMap = &map;
  view.SetSize(1920, 1080);
  view.SetGFRenderer(CreateGFRenderer(style));
  view.Show();
  view.SetCellRadius(radius);
  view.Mark({50, 26});
  view.Mark({51, 26});
  const int64_t before = view.RebuildCount();
  for (auto _ : state) view.InvalidateMap();
  if (view.RebuildCount() - before != static_cast<int64_t>(state.iterations())) state.SkipWithError("no rebuild");
  state.SetLabel(std::string(StyleName(style)) + " R=" + std::to_string(state.range(1)));
}

void BM_RebuildPopulatedWorld(benchmark::State& state) { Rebuild(state, Populated()); }
BENCHMARK(BM_RebuildPopulatedWorld)
    ->ArgsProduct({{RenderStyleClassic, RenderStyleSimplified, RenderStyleProtocol}, {16, 64, 128}})
    ->Unit(benchmark::kMillisecond);

void BM_RebuildEmptyWorld(benchmark::State& state) {
  TGFMap map(1);
  Rebuild(state, map);
}
BENCHMARK(BM_RebuildEmptyWorld)->Args({RenderStyleClassic, 64})->Unit(benchmark::kMillisecond);

// Region (0, 0) .. (100, 77): 12 by 3 A4 pages.
void BM_WholeWorldMultiPageProtocolPDF(benchmark::State& state) {
  TGFMapEditor view;
  view.GFMap = &Populated();
  view.SetGFRenderer(CreateGFRenderer(RenderStyleProtocol));
  view.SetExportRegionUpperLeft({0, 0});
  view.SetExportRegionLowerRight({100, 77});
  const std::string file =
      (std::filesystem::temp_directory_path() / ("bench-views-" + std::to_string(::getpid()) + ".pdf")).string();
  for (auto _ : state)
    if (!view.ExportRegionAsMultiPageProtocolPDF(file)) state.SkipWithError("export failed");
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
  std::filesystem::remove(file);
}
BENCHMARK(BM_WholeWorldMultiPageProtocolPDF)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
