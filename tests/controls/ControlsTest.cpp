// The paint box and scroll bar stand-ins.
#include <gtest/gtest.h>

#include <vector>

#include "controls/PaintBox.h"
#include "controls/ScrollBar.h"

namespace {

uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
}

}  // namespace

TEST(ScrollBarState, ClampsToRangeAndReportsWhoMovedIt) {
  TScrollBarState bar;
  std::vector<std::pair<int, bool>> changes;
  bar.OnChange = [&](TScrollBarState& sender, bool byUser) { changes.emplace_back(sender.Position(), byUser); };
  bar.SetRange(0, 9600);
  bar.SetPosition(4864);
  bar.UserScroll(20000);
  bar.SetPosition(-5);
  bar.SetPosition(0);  // unchanged: no event
  EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{4864, false}, {9600, true}, {0, false}}));
}

TEST(ScrollBarState, ShrinkingTheRangeMovesThePosition) {
  TScrollBarState bar;
  bar.SetRange(0, 1000);
  bar.SetPosition(900);
  int events = 0;
  bar.OnChange = [&](TScrollBarState&, bool) { ++events; };
  bar.SetMax(500);
  EXPECT_EQ(bar.Position(), 500);
  EXPECT_EQ(events, 1);
}

TEST(CairoPaintBox, CreatesItsContextOnFirstShowAndFollowsSizeChanges) {
  TCairoPaintBox box;
  int created = 0;
  int resized = 0;
  box.OnContextCreated = [&](TCairoPaintBox&) { ++created; };
  box.OnResize = [&](TCairoPaintBox&) { ++resized; };
  box.SetSize(40, 30);
  EXPECT_FALSE(box.HasContext());
  box.Show();
  box.Show();
  EXPECT_EQ(created, 1);
  box.SetSize(80, 20);
  EXPECT_EQ(resized, 2);
  EXPECT_EQ(cairo_image_surface_get_width(box.Surface()), 80);
  EXPECT_EQ(cairo_image_surface_get_height(box.Surface()), 20);
}

TEST(CairoPaintBox, InvalidateRedrawsOnlyWhileVisibleAndStartsFromTheBackground) {
  TCairoPaintBox box;
  int draws = 0;
  int hostUpdates = 0;
  box.HostUpdate = [&] { ++hostUpdates; };
  box.OnDraw = [&](TCairoPaintBox&, cairo_t* cr) {
    ++draws;
    if (draws == 1) {
      cairo_set_source_rgb(cr, 1, 0, 0);
      cairo_paint(cr);
    }
  };
  box.SetSize(10, 10);
  box.Invalidate();  // no context yet
  EXPECT_EQ(draws, 0);
  box.Show();
  box.SetBackground(0, 0, 1, 1);
  box.Invalidate();
  EXPECT_EQ(PixelAt(box.Surface(), 5, 5), 0xFFFF0000u);
  box.Invalidate();  // the second draw paints nothing: the background shows
  EXPECT_EQ(PixelAt(box.Surface(), 5, 5), 0xFF0000FFu);
  box.SetVisible(false);
  box.Invalidate();
  EXPECT_EQ(draws, 2);
  EXPECT_EQ(hostUpdates, 4);
}
