// The world map view: geometry, scrolling, back buffer, overlays, mouse and keys.
#include "views/GFMap.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/Exception.h"

namespace {

// Inside or on the border of a convex hexagon.
bool HexagonContains(const THexagon& corners, double px, double py) {
  bool left = false;
  bool right = false;
  for (size_t i = 0; i < corners.size(); ++i) {
    const TDoublePoint& a = corners[i];
    const TDoublePoint& b = corners[(i + 1) % corners.size()];
    const double cross = (b.X - a.X) * (py - a.Y) - (b.Y - a.Y) * (px - a.X);
    if (cross > 0) left = true;
    if (cross < 0) right = true;
  }
  return !(left && right);
}

void SelectLabelFont(cairo_t* cr, double R) {
  cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 24 * R / 64);
}

}  // namespace

TGFMapEditor::TGFMapEditor()
    : FGFRenderer(std::make_unique<TClassicGFRenderer>()), FCellHalfHeight(HalfHeight(FCellRadius)) {
  const double R = FCellRadius;
  const double e = FCellHalfHeight;
  HorzScrollBar.SetRange(0, Rnd(150 * R));
  HorzScrollBar.SetPosition(Rnd(HorzScrollBar.Max() / 2.0 + R));
  HorzScrollBar.SetLargeChange(Rnd(15 * R));
  HorzScrollBar.SetSmallChange(Rnd(1.5 * R));
  VertScrollBar.SetRange(0, Rnd(128 * e * 2));
  VertScrollBar.SetPosition(Rnd(VertScrollBar.Max() / 2.0 - 24 * e));
  VertScrollBar.SetLargeChange(660);
  VertScrollBar.SetSmallChange(Rnd(2 * e));
  RecreateBackBuffer();
}

TGFMapEditor::~TGFMapEditor() = default;

int TGFMapEditor::Rnd(double v) { return static_cast<int>(std::lrint(v)); }

double TGFMapEditor::HalfHeight(double R) { return R * std::sqrt(3.0) / 2; }

TDoublePoint TGFMapEditor::GridOffset(int32_t dx, int32_t dy, double R) {
  return {1.5 * R * dx, HalfHeight(R) * (2 * dy - dx)};
}

TDoublePoint TGFMapEditor::RegionSize(TIntegerPoint upperLeft, TIntegerPoint lowerRight, double R) {
  const double e = HalfHeight(R);
  const int32_t columns = lowerRight.X - upperLeft.X;
  return {columns * 1.5 * R + 2 * R, (lowerRight.Y - upperLeft.Y + 1) * 2 * e - columns * e};
}

TGFMapEditor::TWindow TGFMapEditor::Window() const {
  const double h = HorzScrollBar.Position();
  const double v = VertScrollBar.Position();
  return {h - Width() / 2.0, v - Height() / 2.0, h + Width() / 2.0, v + Height() / 2.0};
}

bool TGFMapEditor::IsVisible(const TWindow& window, TDoublePoint origin) const {
  const double R = FCellRadius;
  const double e = FCellHalfHeight;
  return window.Left - 2 * R < origin.X && origin.X < window.Right + 2 * R && window.Top - 2 * e < origin.Y &&
         origin.Y < window.Bottom + 2 * e;
}

void TGFMapEditor::InvalidateMap() {
  FNeedsRebuild = true;
  Invalidate();
}

void TGFMapEditor::SetGFRenderer(std::unique_ptr<TGFRenderer> renderer) {
  if (!renderer) return;
  FGFRenderer = std::move(renderer);
  InvalidateMap();
}

void TGFMapEditor::SetCellRadius(double radius) {
  FCellRadius = radius;
  FCellHalfHeight = HalfHeight(radius);
  const double R = FCellRadius;
  const double e = FCellHalfHeight;
  HoldRepaint = true;
  HorzScrollBar.SetMax(Rnd(150 * R));
  VertScrollBar.SetMax(Rnd(128 * e * 2));
  HorzScrollBar.SetLargeChange(Width());
  HorzScrollBar.SetSmallChange(Rnd(1.5 * R));
  VertScrollBar.SetLargeChange(Height());
  VertScrollBar.SetSmallChange(Rnd(2 * e));
  CenterOn(FSelectedCell.X, FSelectedCell.Y);
  HoldRepaint = false;
  // The picture changed with R even where both positions stayed.
  InvalidateMap();
}

void TGFMapEditor::SelectCell(int32_t x, int32_t y) {
  FSelectedCell = {std::clamp(x, 0, TGFMap::Columns - 1), std::clamp(y, 0, TGFMap::Rows - 1)};
}

TGF& TGFMapEditor::SelectedGF() {
  if (!GFMap) throw EKUVException("TGFMapEditor.SelectedGF: no map");
  return GFMap->getElement(FSelectedCell.X, FSelectedCell.Y);
}

void TGFMapEditor::SetSelectedGF(std::unique_ptr<TGF> gf) {
  if (!GFMap) throw EKUVException("TGFMapEditor.SelectedGF: no map");
  GFMap->setElement(FSelectedCell.X, FSelectedCell.Y, std::move(gf));
  InvalidateMap();
}

void TGFMapEditor::CenterOn(int32_t x, int32_t y) {
  const bool outermost = !HoldRepaint;
  if (outermost) {
    HoldRepaint = true;
    MovedWhileHeld = false;
  }
  const TDoublePoint origin = WorldOrigin(x, y, FCellRadius);
  HorzScrollBar.SetPosition(Rnd(origin.X + FCellRadius));
  VertScrollBar.SetPosition(Rnd(origin.Y + FCellHalfHeight));
  if (outermost) {
    HoldRepaint = false;
    if (MovedWhileHeld) Invalidate();
  }
}

void TGFMapEditor::SetExportRegionUpperLeft(TIntegerPoint p) {
  FExportRegionUpperLeft = p;
  if (FExportRegionLowerRight.X < p.X || FExportRegionLowerRight.Y < p.Y) FExportRegionLowerRight = p;
  Invalidate();
}

void TGFMapEditor::SetExportRegionLowerRight(TIntegerPoint p) {
  FExportRegionLowerRight = p;
  if (FExportRegionUpperLeft.X > p.X || FExportRegionUpperLeft.Y > p.Y) FExportRegionUpperLeft = p;
  Invalidate();
}

bool TGFMapEditor::IsMarked(int32_t x, int32_t y) const {
  return std::any_of(FMarkedCells.begin(), FMarkedCells.end(),
                     [&](const TIntegerPoint& p) { return p.X == x && p.Y == y; });
}

void TGFMapEditor::Mark(TIntegerPoint p) {
  FMarkedCells.push_back(p);
  MarksChanged();
}

void TGFMapEditor::Unmark(TIntegerPoint p) {
  const auto it = std::find(FMarkedCells.begin(), FMarkedCells.end(), p);
  if (it != FMarkedCells.end()) FMarkedCells.erase(it);
  MarksChanged();
}

void TGFMapEditor::ToggleMark(TIntegerPoint p) {
  if (IsMarked(p.X, p.Y))
    Unmark(p);
  else
    Mark(p);
}

void TGFMapEditor::ClearMarks() {
  FMarkedCells.clear();
  MarksChanged();
}

void TGFMapEditor::MarksChanged() {
  if (OnMarkedCellsChanged) OnMarkedCellsChanged(*this);
  Invalidate();
}

std::optional<TIntegerPoint> TGFMapEditor::HitCell(double px, double py) {
  const TWindow window = Window();
  for (int32_t x = 0; x < TGFMap::Columns; ++x)
    for (int32_t y = 0; y < TGFMap::Rows; ++y) {
      const TDoublePoint origin = WorldOrigin(x, y, FCellRadius);
      if (!IsVisible(window, origin)) continue;
      const THexagon corners = FGFRenderer->GFHexagon(origin.X - window.Left, origin.Y - window.Top, FCellRadius);
      if (HexagonContains(corners, px, py)) return TIntegerPoint{x, y};
    }
  return std::nullopt;
}

TIntegerPoint TGFMapEditor::CellAt(double px, double py) { return HitCell(px, py).value_or(TIntegerPoint{0, 0}); }

void TGFMapEditor::MouseDown(EMouseButton button, TShiftState shift, int x, int y) {
  SetFocus();
  if (button == EMouseButton::Left) {
    // A click beside the grid keeps selection and marks.
    if (const std::optional<TIntegerPoint> hit = HitCell(x, y)) {
      FSelectedCell = *hit;
      if (shift & ssShift) ToggleMark(*hit);
    }
    Invalidate();
  }
  TCairoPaintBox::MouseDown(button, shift, x, y);
}

void TGFMapEditor::KeyDown(int& key, TShiftState shift) {
  TCairoPaintBox::KeyDown(key, shift);
  if (shift == 0) {
    const TIntegerPoint p = FSelectedCell;
    switch (key) {
      case Key::Left: SelectCell(p.X - 1, p.Y); break;
      case Key::Up: SelectCell(p.X, p.Y - 1); break;
      case Key::Right: SelectCell(p.X + 1, p.Y); break;
      case Key::Down: SelectCell(p.X, p.Y + 1); break;
      case Key::Letter('C'): ClearMarks(); break;
      case Key::Letter('M'):
        ToggleMark(p);
        key = 0;
        break;
      default: break;
    }
  }
  Invalidate();
}

void TGFMapEditor::ContextCreated() {
  HorzScrollBar.OnChange = [this](TScrollBarState& sender, bool) { ScrollBarChange(sender); };
  VertScrollBar.OnChange = [this](TScrollBarState& sender, bool) { ScrollBarChange(sender); };
  if (CanFocus()) SetFocus();
  RecreateBackBuffer();
  FNeedsRebuild = true;
  HandlesResize = true;
  TCairoPaintBox::ContextCreated();
}

void TGFMapEditor::Resized() {
  TCairoPaintBox::Resized();
  if (!HandlesResize) return;
  HorzScrollBar.SetLargeChange(Width());
  VertScrollBar.SetLargeChange(Height());
  RecreateBackBuffer();
  FNeedsRebuild = true;
}

void TGFMapEditor::ScrollBarChange(TScrollBarState&) {
  FNeedsRebuild = true;
  if (HoldRepaint)
    MovedWhileHeld = true;
  else
    Invalidate();
}

void TGFMapEditor::RecreateBackBuffer() {
  // The map is opaque: a surface without alpha blits as a copy.
  BackBufferSurface.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(Width(), 1), std::max(Height(), 1)));
}

void TGFMapEditor::HexagonPath(cairo_t* cr, TDoublePoint origin) {
  const THexagon corners = FGFRenderer->GFHexagon(origin.X, origin.Y, FCellRadius);
  cairo_move_to(cr, corners[0].X, corners[0].Y);
  for (size_t i = 1; i < corners.size(); ++i) cairo_line_to(cr, corners[i].X, corners[i].Y);
  cairo_close_path(cr);
}

void TGFMapEditor::RebuildBackBuffer(const TWindow& window) {
  const TCairoContextPtr context(cairo_create(BackBufferSurface.get()));
  cairo_t* cr = context.get();
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  if (GFMap) {
    const double R = FCellRadius;
    const double e = FCellHalfHeight;
    TGFRenderer& renderer = *FGFRenderer;
    for (int sweep = 0; sweep < 3; ++sweep)
      for (int32_t x = 0; x < TGFMap::Columns; ++x) {
        for (int32_t y = 0; y < TGFMap::Rows; ++y) {
          const TDoublePoint world = WorldOrigin(x, y, R);
          if (!IsVisible(window, world)) continue;
          const double sx = world.X - window.Left;
          const double sy = world.Y - window.Top;
          const TGF& gf = GFMap->getElement(x, y);
          if (sweep == 0) {
            renderer.DrawKFs(cr, gf, sx, sy, R);
            renderer.DrawGF(cr, gf, sx, sy, R);
          } else if (sweep == 1) {
            renderer.DrawLabels(cr, gf, sx, sy, R);
          } else {
            renderer.DrawOutline(cr, gf, sx, sy, R);
          }
        }
        if (sweep == 2) {
          const std::string text = std::to_string(GFMap->plane() == 2 ? x - 50 : 50 - x);
          SelectLabelFont(cr, R);
          cairo_set_source_rgb(cr, 0, 0, 0);
          cairo_text_extents_t extents;
          cairo_text_extents(cr, text.c_str(), &extents);
          cairo_move_to(cr, WorldOrigin(x, 0, R).X - window.Left + R - extents.width / 2, 20);
          cairo_show_text(cr, text.c_str());
        }
      }

    SelectLabelFont(cr, R);
    cairo_set_source_rgb(cr, 0, 0, 0);
    const int32_t c = Rnd(window.Left / (1.5 * R));
    const int32_t first = Rnd((window.Top - 100 * e + c * e) / (2 * e));
    const int32_t last = Rnd((window.Bottom - 100 * e + c * e) / (2 * e));
    for (int32_t j = first; j <= last; ++j) {
      const std::string text = GFMap->RowLabel(j);
      if (text.empty()) continue;
      cairo_text_extents_t extents;
      cairo_text_extents(cr, text.c_str(), &extents);
      cairo_move_to(cr, 20, WorldOrigin(c, j, R).Y - window.Top + e + extents.height / 2);
      cairo_show_text(cr, text.c_str());
    }
  }
  cairo_surface_flush(BackBufferSurface.get());
  FNeedsRebuild = false;
  ++FRebuildCount;
}

void TGFMapEditor::DrawMap(cairo_t* cr) {
  const TWindow window = Window();
  if (FNeedsRebuild) RebuildBackBuffer(window);

  cairo_set_source_surface(cr, BackBufferSurface.get(), 0, 0);
  cairo_paint(cr);

  const double R = FCellRadius;
  const auto screen = [&](TDoublePoint world) { return TDoublePoint{world.X - window.Left, world.Y - window.Top}; };

  const TDoublePoint selected = WorldOrigin(FSelectedCell.X, FSelectedCell.Y, R);
  if (IsVisible(window, selected)) {
    HexagonPath(cr, screen(selected));
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke(cr);
  }

  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  for (const TIntegerPoint& p : FMarkedCells) {
    const TDoublePoint origin = WorldOrigin(p.X, p.Y, R);
    if (!IsVisible(window, origin)) continue;
    HexagonPath(cr, screen(origin));
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
  }

  const TDoublePoint frame = screen(WorldOrigin(FExportRegionUpperLeft.X, FExportRegionUpperLeft.Y, R));
  const TDoublePoint size = RegionSize(FExportRegionUpperLeft, FExportRegionLowerRight, R);
  cairo_rectangle(cr, frame.X, frame.Y, size.X, size.Y);
  cairo_set_source_rgb(cr, 0, 0, 0.5);
  cairo_set_line_width(cr, 3.0);
  cairo_stroke(cr);
}
