// Speed of the classic GF renderer: one fully populated GF at three zoom levels, a
// block of GFs as the map view draws them, and a plain cairo hexagon loop as the
// reference.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cmath>
#include <memory>
#include <vector>

#include "../tests/support/GFFixtures.h"
#include "render/Renderer.h"

namespace {

struct TSurface {
  TSurface(int width, int height)
      : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy),
        Context(cairo_create(Surface.get()), cairo_destroy) {}
  cairo_t* Cr() const { return Context.get(); }
  void Clear() {
    cairo_save(Cr());
    cairo_set_source_rgb(Cr(), 1, 1, 1);
    cairo_paint(Cr());
    cairo_restore(Cr());
  }
  void Flush() { cairo_surface_flush(Surface.get()); }

  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> Surface;
  std::unique_ptr<cairo_t, decltype(&cairo_destroy)> Context;
};

// DrawKFs + DrawGF of one random fully populated GF at R = range(0).
void BM_ClassicGF(benchmark::State& state) {
  const double R = static_cast<double>(state.range(0));
  const auto gf = fixtures::RandomGF(1);
  TClassicGFRenderer renderer;
  TSurface surface(int(2 * R + 10), int(2 * R + 10));
  for (auto _ : state) {
    renderer.DrawKFs(surface.Cr(), *gf, 5, 5, R);
    renderer.DrawGF(surface.Cr(), *gf, 5, 5, R);
    surface.Flush();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ClassicGF)->Arg(16)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

// The terrain alone, to set against the plain hexagon loop below (48 KF per GF).
void BM_ClassicDrawKFs(benchmark::State& state) {
  const double R = static_cast<double>(state.range(0));
  const auto gf = fixtures::RandomGF(1);
  TClassicGFRenderer renderer;
  TSurface surface(int(2 * R + 10), int(2 * R + 10));
  for (auto _ : state) {
    renderer.DrawKFs(surface.Cr(), *gf, 5, 5, R);
    surface.Flush();
  }
  state.SetItemsProcessed(state.iterations() * KFCount);
}
BENCHMARK(BM_ClassicDrawKFs)->Arg(16)->Unit(benchmark::kMicrosecond);

// 20 columns by 12 rows of different random GFs at R = 64, laid out as the map view
// lays out its grid.
void BM_ClassicBlock20x12(benchmark::State& state) {
  constexpr int Columns = 20;
  constexpr int Rows = 12;
  const double R = 64;
  const double e = R * std::sqrt(3.0) / 2;
  std::vector<std::unique_ptr<TGF>> gfs;
  for (int i = 0; i < Columns * Rows; ++i) gfs.push_back(fixtures::RandomGF(uint32_t(100 + i)));
  TClassicGFRenderer renderer;
  TSurface surface(int(1.5 * R * (Columns - 1) + 2 * R), int(e * (2 * Rows + Columns + 1)));
  for (auto _ : state) {
    for (int x = 0; x < Columns; ++x)
      for (int y = 0; y < Rows; ++y) {
        const TGF& gf = *gfs[size_t(x * Rows + y)];
        const double wx = 1.5 * R * x;
        const double wy = e * (2 * y + Columns - 1 - x);
        renderer.DrawKFs(surface.Cr(), gf, wx, wy, R);
        renderer.DrawGF(surface.Cr(), gf, wx, wy, R);
      }
    surface.Flush();
  }
  state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_ClassicBlock20x12)->Unit(benchmark::kMillisecond);

// Paint of the same GF in each style at R = 64 (the protocol label is drawn by the
// label pass, added here for its text cost).
void BM_PaintStyle(benchmark::State& state) {
  const auto style = static_cast<ERenderStyle>(state.range(0));
  const auto gf = fixtures::BusyProtocolGF();
  const auto renderer = CreateGFRenderer(style);
  TSurface surface(140, 130);
  for (auto _ : state) {
    renderer->Paint(surface.Cr(), *gf, 5, 5, 64);
    renderer->DrawLabels(surface.Cr(), *gf, 5, 5, 64);
    surface.Flush();
  }
}
BENCHMARK(BM_PaintStyle)
    ->Arg(RenderStyleClassic)
    ->Arg(RenderStyleSimplified)
    ->Arg(RenderStyleProtocol)
    ->Unit(benchmark::kMicrosecond);

// The reference: 150,000 KF-sized hexagons at R = 16, each filled and stroked.
void BM_PlainHexagons150k(benchmark::State& state) {
  constexpr int Count = 150000;
  constexpr int PerRow = 600;
  const double a = 16 * 0.125;
  const double k = a * 2 / std::sqrt(3.0);
  TSurface surface(int(2 * a * PerRow + 4 * a), int(1.5 * k * (Count / PerRow) + 2 * k));
  cairo_t* cr = surface.Cr();
  for (auto _ : state) {
    for (int i = 0; i < Count; ++i) {
      const int row = i / PerRow;
      const double cx = 2 * a * (i % PerRow) + (row % 2 ? 2 * a : a);
      const double cy = 1.5 * k * row + k;
      const THexagon corners = TKFRenderer::HexagonPoints(cx, cy, k);
      cairo_move_to(cr, corners[0].X, corners[0].Y);
      for (int j = 1; j < 6; ++j) cairo_line_to(cr, corners[j].X, corners[j].Y);
      cairo_close_path(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_set_line_width(cr, 0.025 * k);
      cairo_stroke_preserve(cr);
      cairo_set_source_rgb(cr, 0, 1, 0);
      cairo_fill(cr);
    }
    surface.Flush();
  }
  state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(BM_PlainHexagons150k)->Unit(benchmark::kMillisecond);

}  // namespace
