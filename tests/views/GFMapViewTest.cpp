// The world map view headless: geometry and scroll bars, zoom, culling, hit tests,
// mouse and keys, marks, export region, back-buffer rebuilds and drawn pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "controls/CairoPtr.h"
#include "model/Map.h"
#include "support/CairoStaticsAtExit.h"
#include "support/ExportProbe.h"
#include "support/RecordingGFRenderer.h"
#include "views/GFMap.h"

namespace {

using exportprobe::Near;
using exportprobe::PixelAt;
using exportprobe::TRgba;

using TCellSet = std::set<std::pair<int, int>>;

class GFMapView : public ::testing::Test {
 protected:
  static constexpr int W = 640;
  static constexpr int H = 480;

  void SetUp() override {
    View.GFMap = &Map;
    View.SetSize(W, H);
    View.HostUpdate = [this] { ++HostUpdates; };
    View.OnMarkedCellsChanged = [this](TGFMapEditor& sender) {
      EXPECT_EQ(&sender, &View);
      ++MarkEvents;
    };
  }

  // A renderer that records its calls and, unless `draw`, paints nothing.
  TRecordingGFRenderer& UseRecorder(bool draw = false) {
    auto renderer = std::make_unique<TRecordingGFRenderer>(draw);
    Recorder = renderer.get();
    View.SetGFRenderer(std::move(renderer));
    return *Recorder;
  }

  // Grid positions of the GFs whose terrain was drawn.
  TCellSet DrawnCells() const {
    TCellSet cells;
    for (const auto& call : Recorder->CallsOf(TRecordingGFRenderer::CallKFs)) {
      const TIntegerPoint p = Map.CoordSystem().CoordToIndex(call.Coord);
      cells.insert({p.X, p.Y});
    }
    return cells;
  }

  // Screen point of GF (x, y)'s centre at the view's current scroll positions.
  TDoublePoint ScreenCentre(int x, int y) const {
    const double R = View.CellRadius();
    const double e = View.CellHalfHeight();
    const double left = View.HorzScrollBar.Position() - W / 2.0;
    const double top = View.VertScrollBar.Position() - H / 2.0;
    return {1.5 * R * x + R - left, e * (2 * y + 100 - x) + e - top};
  }

  TRgba Pixel(double x, double y) const {
    return PixelAt(View.Surface(), static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  TGFMap Map{1};
  TGFMapEditor View;
  TRecordingGFRenderer* Recorder = nullptr;
  int HostUpdates = 0;
  int MarkEvents = 0;
};

TEST_F(GFMapView, NewViewStandsWhereItsNumbersSay) {
  EXPECT_EQ(View.CellRadius(), 64.0);
  EXPECT_DOUBLE_EQ(View.CellHalfHeight(), 55.42562584220407);
  EXPECT_EQ(View.HorzScrollBar.Min(), 0);
  EXPECT_EQ(View.HorzScrollBar.Max(), 9600);
  EXPECT_EQ(View.VertScrollBar.Min(), 0);
  EXPECT_EQ(View.VertScrollBar.Max(), 14189);
  EXPECT_EQ(View.HorzScrollBar.Position(), 4864);
  EXPECT_EQ(View.VertScrollBar.Position(), 5764);
  EXPECT_EQ(View.HorzScrollBar.SmallChange(), 96);
  EXPECT_EQ(View.VertScrollBar.SmallChange(), 111);
  EXPECT_EQ(View.HorzScrollBar.LargeChange(), 960);
  EXPECT_EQ(View.VertScrollBar.LargeChange(), 660);
  EXPECT_EQ(View.SelectedCell(), (TIntegerPoint{50, 26}));
  EXPECT_EQ(View.ExportRegionUpperLeft(), (TIntegerPoint{50, 26}));
  EXPECT_EQ(View.ExportRegionLowerRight(), (TIntegerPoint{50, 26}));
  EXPECT_TRUE(View.MarkedCells().empty());
  EXPECT_FALSE(View.NeedsRebuild());
  EXPECT_EQ(RenderStyleOf(View.GFRenderer()), RenderStyleClassic);

  View.CenterOn(50, 26);
  EXPECT_EQ(View.HorzScrollBar.Position(), 4864);
  EXPECT_EQ(View.VertScrollBar.Position(), 5709);
}

TEST_F(GFMapView, FirstShowTakesFocusAndAsksForARebuild) {
  View.Show();
  EXPECT_TRUE(View.Focused());
  EXPECT_TRUE(View.NeedsRebuild());
  View.Invalidate();
  EXPECT_FALSE(View.NeedsRebuild());
  EXPECT_EQ(View.RebuildCount(), 1);
}

TEST_F(GFMapView, CenterOnBringsTheGFCentreToTheMiddleWithinTheRanges) {
  struct TCase {
    int X, Y;
    int H, V;
  };
  const TCase cases[] = {
      {50, 26, 4864, 5709},
      {0, 0, 64, 5598},        // e * 101
      {100, 77, 9600, 8591},  // 9664 clamped to the horizontal maximum
      {0, 77, 64, 14134},
      {100, 0, 9600, 55},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "CenterOn(" << c.X << ", " << c.Y << ")");
    View.CenterOn(c.X, c.Y);
    EXPECT_EQ(View.HorzScrollBar.Position(), c.H);
    EXPECT_EQ(View.VertScrollBar.Position(), c.V);
  }
}

struct TZoomCase {
  int Tag;
  double R;
  int HorzMax, VertMax, HorzSmall, VertSmall, HorzPos, VertPos;
};

void PrintTo(const TZoomCase& c, std::ostream* out) { *out << c.Tag << " %"; }

class GFMapViewZoom : public GFMapView, public ::testing::WithParamInterface<TZoomCase> {};

TEST_P(GFMapViewZoom, RangesStepsAndCentringFollowTheRadius) {
  const TZoomCase& c = GetParam();
  View.Show();
  View.Invalidate();
  const int64_t rebuilds = View.RebuildCount();
  View.SetCellRadius(c.Tag / 100.0 * 64);
  EXPECT_EQ(View.CellRadius(), c.R);
  EXPECT_DOUBLE_EQ(View.CellHalfHeight(), c.R * std::sqrt(3.0) / 2);
  EXPECT_EQ(View.HorzScrollBar.Max(), c.HorzMax);
  EXPECT_EQ(View.VertScrollBar.Max(), c.VertMax);
  EXPECT_EQ(View.HorzScrollBar.SmallChange(), c.HorzSmall);
  EXPECT_EQ(View.VertScrollBar.SmallChange(), c.VertSmall);
  EXPECT_EQ(View.HorzScrollBar.LargeChange(), W);
  EXPECT_EQ(View.VertScrollBar.LargeChange(), H);
  // The selected GF (50, 26) is centred.
  EXPECT_EQ(View.HorzScrollBar.Position(), c.HorzPos);
  EXPECT_EQ(View.VertScrollBar.Position(), c.VertPos);
  // One rebuild per zoom, however many scroll positions moved.
  EXPECT_EQ(View.RebuildCount(), rebuilds + 1);
  EXPECT_FALSE(View.NeedsRebuild());
}

INSTANTIATE_TEST_SUITE_P(Tags, GFMapViewZoom,
                         ::testing::Values(TZoomCase{25, 16, 2400, 3547, 24, 28, 1216, 1427},
                                           TZoomCase{50, 32, 4800, 7094, 48, 55, 2432, 2854},
                                           TZoomCase{75, 48, 7200, 10642, 72, 83, 3648, 4282},
                                           TZoomCase{100, 64, 9600, 14189, 96, 111, 4864, 5709},
                                           TZoomCase{125, 80, 12000, 17736, 120, 139, 6080, 7136},
                                           TZoomCase{150, 96, 14400, 21283, 144, 166, 7296, 8563},
                                           TZoomCase{200, 128, 19200, 28378, 192, 222, 9728, 11418}),
                         [](const auto& info) { return "Zoom" + std::to_string(info.param.Tag); });

TEST_F(GFMapView, ZoomCentresTheSelectedGFEvenAfterTheKeysMovedIt) {
  View.SelectCell(10, 70);
  View.SetCellRadius(32);
  const TDoublePoint centre = ScreenCentre(10, 70);
  EXPECT_NEAR(centre.X, W / 2.0, 0.5);
  EXPECT_NEAR(centre.Y, H / 2.0, 0.5);
}

TEST_F(GFMapView, OnlyGFsInsideTheWidenedWindowAreDrawn) {
  View.Show();
  UseRecorder();
  // Column 10's origin lies at world x 960; it is drawn while left - 2R < 960, i.e.
  // while the horizontal position is below 960 + 128 + 320 = 1408.
  struct TCase {
    int HorzPos;
    int FirstColumn, LastColumn;
  };
  const TCase cases[] = {{1407, 10, 19}, {1408, 11, 19}, {1472, 11, 19}, {1473, 11, 20}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "horizontal position " << c.HorzPos);
    Recorder->Calls.clear();
    View.HorzScrollBar.UserScroll(c.HorzPos);
    std::set<int> columns;
    for (const auto& [x, y] : DrawnCells()) columns.insert(x);
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(*columns.begin(), c.FirstColumn);
    EXPECT_EQ(*columns.rbegin(), c.LastColumn);
  }

  // Vertically: GF (10, y) has its origin at e * (2y + 90); at position p it is drawn
  // while p - 240 - 2e < that < p + 240 + 2e.
  const double e = View.CellHalfHeight();
  const int position = static_cast<int>(std::ceil(e * (2 * 30 + 90) + 240 + 2 * e));  // row 30 just hidden
  View.HorzScrollBar.UserScroll(1407);
  Recorder->Calls.clear();
  View.VertScrollBar.UserScroll(position);
  int firstRow = 1000;
  for (const auto& [x, y] : DrawnCells())
    if (x == 10) firstRow = std::min(firstRow, y);
  EXPECT_EQ(firstRow, 31);

  // Every sweep visits the same cells, each once per rebuild.
  const auto count = [&](TRecordingGFRenderer::ECall kind) { return Recorder->CallsOf(kind).size(); };
  EXPECT_EQ(count(TRecordingGFRenderer::CallKFs), DrawnCells().size());
  EXPECT_EQ(count(TRecordingGFRenderer::CallGF), DrawnCells().size());
  EXPECT_EQ(count(TRecordingGFRenderer::CallLabels), DrawnCells().size());
  EXPECT_EQ(count(TRecordingGFRenderer::CallOutline), DrawnCells().size());
}

TEST_F(GFMapView, SweepsDrawTerrainThenLabelsThenOutlinesAtScreenOrigins) {
  View.Show();
  UseRecorder();
  const auto& calls = Recorder->Calls;
  ASSERT_FALSE(calls.empty());
  // All terrain and features first, then all labels, then all outlines.
  size_t i = 0;
  while (i < calls.size() && (calls[i].Kind == TRecordingGFRenderer::CallKFs || calls[i].Kind == TRecordingGFRenderer::CallGF)) ++i;
  while (i < calls.size() && calls[i].Kind == TRecordingGFRenderer::CallLabels) ++i;
  while (i < calls.size() && calls[i].Kind == TRecordingGFRenderer::CallOutline) ++i;
  EXPECT_EQ(i, calls.size());
  // The selected GF (50, 26) sits at its screen origin: its centre less (R, e).
  for (const auto& call : Recorder->CallsOf(TRecordingGFRenderer::CallKFs)) {
    if (Map.CoordSystem().CoordToIndex(call.Coord) != TIntegerPoint{50, 26}) continue;
    const TDoublePoint centre = ScreenCentre(50, 26);
    EXPECT_DOUBLE_EQ(call.X, centre.X - 64);
    EXPECT_NEAR(call.Y, centre.Y - View.CellHalfHeight(), 1e-9);
    EXPECT_EQ(call.R, 64.0);
  }
}

TEST_F(GFMapView, CellAtFindsTheHexagonUnderThePoint) {
  View.Show();
  struct TCase {
    int X, Y;
  };
  for (const TCase& c : {TCase{50, 26}, TCase{0, 0}, TCase{100, 0}, TCase{100, 77}, TCase{0, 77}, TCase{37, 5}}) {
    SCOPED_TRACE(testing::Message() << "GF (" << c.X << ", " << c.Y << ")");
    View.CenterOn(c.X, c.Y);
    const TDoublePoint centre = ScreenCentre(c.X, c.Y);
    EXPECT_EQ(View.CellAt(centre.X, centre.Y), (TIntegerPoint{c.X, c.Y}));
    // Just inside the left and right corners.
    EXPECT_EQ(View.CellAt(centre.X - 62, centre.Y), (TIntegerPoint{c.X, c.Y}));
    EXPECT_EQ(View.CellAt(centre.X + 62, centre.Y), (TIntegerPoint{c.X, c.Y}));
  }
  // The corner of the bounding box beside the upper-left edge belongs to Ydd (x-1, y-1).
  View.CenterOn(50, 26);
  const TDoublePoint centre = ScreenCentre(50, 26);
  EXPECT_EQ(View.CellAt(centre.X - 63, centre.Y - View.CellHalfHeight() + 1), (TIntegerPoint{49, 25}));
  // Above the top edge lies Nor (x, y-1), to the lower right Mir (x+1, y+1).
  EXPECT_EQ(View.CellAt(centre.X, centre.Y - 60), (TIntegerPoint{50, 25}));
  EXPECT_EQ(View.CellAt(centre.X + 60, centre.Y + 40), (TIntegerPoint{51, 27}));
}

TEST_F(GFMapView, CellAtBesideTheGridAnswersZeroZero) {
  View.Show();
  View.HorzScrollBar.UserScroll(0);  // the world's left edge is at the middle of the view
  EXPECT_EQ(View.CellAt(10, H / 2.0), (TIntegerPoint{0, 0}));
}

TEST_F(GFMapView, LeftClickSelectsWithoutRebuildingAndShiftClickTogglesTheMark) {
  View.Show();
  View.Invalidate();
  const int64_t rebuilds = View.RebuildCount();
  View.CenterOn(40, 30);
  const int64_t afterCentring = View.RebuildCount();
  EXPECT_EQ(afterCentring, rebuilds + 1);

  const TDoublePoint target = ScreenCentre(41, 30);
  View.MouseDown(EMouseButton::Left, 0, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_EQ(View.SelectedCell(), (TIntegerPoint{41, 30}));
  EXPECT_TRUE(View.MarkedCells().empty());

  View.MouseDown(EMouseButton::Left, ssShift, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{41, 30}}));
  View.MouseDown(EMouseButton::Left, ssShift, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_TRUE(View.MarkedCells().empty());
  View.MouseDown(EMouseButton::Left, ssShift, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_EQ(View.MarkedCells().size(), 1u);
  EXPECT_EQ(MarkEvents, 3);
  EXPECT_EQ(View.RebuildCount(), afterCentring);
}

TEST_F(GFMapView, OtherButtonsOnlyTakeTheFocusAndReachTheHost) {
  View.Show();
  View.SetFocused(false);
  std::vector<EMouseButton> seen;
  View.OnMouseDown = [&](TCairoPaintBox&, EMouseButton button, TShiftState, int, int) { seen.push_back(button); };
  const TDoublePoint target = ScreenCentre(51, 27);
  View.MouseDown(EMouseButton::Right, ssShift, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_TRUE(View.Focused());
  EXPECT_EQ(View.SelectedCell(), (TIntegerPoint{50, 26}));
  EXPECT_TRUE(View.MarkedCells().empty());
  EXPECT_EQ(seen, std::vector<EMouseButton>{EMouseButton::Right});
}

TEST_F(GFMapView, AClickBesideTheGridKeepsSelectionAndMarks) {
  View.Show();
  View.Mark({3, 3});
  View.HorzScrollBar.UserScroll(0);
  View.MouseDown(EMouseButton::Left, 0, 10, H / 2);
  View.MouseDown(EMouseButton::Left, ssShift, 10, H / 2);
  EXPECT_EQ(View.SelectedCell(), (TIntegerPoint{50, 26}));
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{3, 3}}));
}

TEST_F(GFMapView, ClickOnColumn100SelectsIt) {
  View.Show();
  View.CenterOn(100, 40);
  const TDoublePoint target = ScreenCentre(100, 40);
  View.MouseDown(EMouseButton::Left, 0, static_cast<int>(target.X), static_cast<int>(target.Y));
  EXPECT_EQ(View.SelectedCell(), (TIntegerPoint{100, 40}));
}

TEST_F(GFMapView, KeysMoveTheSelectionWithinTheGridAndEveryKeyRedraws) {
  View.Show();
  struct TCase {
    const char* Name;
    TIntegerPoint From;
    int Key;
    TShiftState Shift;
    TIntegerPoint To;
  };
  const TCase cases[] = {
      {"Left", {10, 10}, Key::Left, 0, {9, 10}},
      {"Right", {10, 10}, Key::Right, 0, {11, 10}},
      {"Up", {10, 10}, Key::Up, 0, {10, 9}},
      {"Down", {10, 10}, Key::Down, 0, {10, 11}},
      {"Left at column 0", {0, 5}, Key::Left, 0, {0, 5}},
      {"Up at row 0", {5, 0}, Key::Up, 0, {5, 0}},
      {"Right at column 100", {100, 5}, Key::Right, 0, {100, 5}},
      {"Down at the last row", {5, 77}, Key::Down, 0, {5, 77}},
      {"Right to column 100", {99, 5}, Key::Right, 0, {100, 5}},
      {"Shift+Left", {10, 10}, Key::Left, ssShift, {10, 10}},
      {"Ctrl+Down", {10, 10}, Key::Down, ssCtrl, {10, 10}},
      {"another key", {10, 10}, Key::Letter('X'), 0, {10, 10}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    View.SelectCell(c.From.X, c.From.Y);
    const int horz = View.HorzScrollBar.Position();
    const int vert = View.VertScrollBar.Position();
    const int updates = HostUpdates;
    int key = c.Key;
    View.KeyDown(key, c.Shift);
    EXPECT_EQ(View.SelectedCell(), c.To);
    EXPECT_EQ(HostUpdates, updates + 1);
    // The view does not follow the selection.
    EXPECT_EQ(View.HorzScrollBar.Position(), horz);
    EXPECT_EQ(View.VertScrollBar.Position(), vert);
  }
}

TEST_F(GFMapView, SelectedGFStaysReadableWhereverTheKeysGo) {
  View.SelectCell(20, 77);
  int key = Key::Down;
  View.KeyDown(key, 0);
  EXPECT_NO_THROW(View.SelectedGF());
  EXPECT_EQ(View.SelectedGF().Coord, Map.CoordFactory().CreateCoordFromIndex(20, 77));
}

TEST_F(GFMapView, SelectCellClampsBothCoordinates) {
  struct TCase {
    int X, Y;
    TIntegerPoint Stored;
  };
  for (const TCase& c : {TCase{-3, -1, {0, 0}}, TCase{120, 90, {100, 77}}, TCase{100, 78, {100, 77}},
                         TCase{7, 8, {7, 8}}}) {
    View.SelectCell(c.X, c.Y);
    EXPECT_EQ(View.SelectedCell(), c.Stored) << c.X << ", " << c.Y;
  }
}

TEST_F(GFMapView, KeysMAndCToggleAndClearMarks) {
  View.Show();
  View.SelectCell(12, 13);
  int key = Key::Letter('M');
  View.KeyDown(key, 0);
  EXPECT_EQ(key, 0);  // consumed
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{12, 13}}));
  key = Key::Letter('M');
  View.KeyDown(key, 0);
  EXPECT_TRUE(View.MarkedCells().empty());
  key = Key::Letter('M');
  View.KeyDown(key, ssCtrl);  // with a modifier: nothing
  EXPECT_TRUE(View.MarkedCells().empty());
  EXPECT_EQ(MarkEvents, 2);

  View.Mark({1, 1});
  key = Key::Letter('C');
  View.KeyDown(key, 0);
  EXPECT_TRUE(View.MarkedCells().empty());
  key = Key::Letter('C');
  View.KeyDown(key, 0);  // nothing to clear: still reported
  EXPECT_EQ(MarkEvents, 5);
}

TEST_F(GFMapView, MarksKeepTheirOrderAndDuplicates) {
  View.Mark({5, 5});
  View.Mark({2, 3});
  View.Mark({5, 5});
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{5, 5}, {2, 3}, {5, 5}}));
  EXPECT_TRUE(View.IsMarked(2, 3));
  EXPECT_FALSE(View.IsMarked(3, 2));
  View.Unmark({5, 5});  // the first entry only
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{2, 3}, {5, 5}}));
  View.Unmark({9, 9});  // not marked: nothing removed, still reported
  EXPECT_EQ(View.MarkedCells().size(), 2u);
  View.ToggleMark({2, 3});
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{5, 5}}));
  View.ToggleMark({2, 3});
  EXPECT_EQ(View.MarkedCells(), (std::vector<TIntegerPoint>{{5, 5}, {2, 3}}));
  EXPECT_EQ(MarkEvents, 7);
}

TEST_F(GFMapView, ExportRegionSettersKeepUpperLeftAboveAndLeftOfLowerRight) {
  struct TStep {
    bool UpperLeft;
    TIntegerPoint P;
    TIntegerPoint UL, LR;
  };
  const TStep steps[] = {
      {false, {60, 30}, {50, 26}, {60, 30}},
      {true, {55, 28}, {55, 28}, {60, 30}},
      {true, {61, 28}, {61, 28}, {61, 28}},  // right of the lower-right corner: collapses onto it
      {false, {70, 40}, {61, 28}, {70, 40}},
      {true, {65, 41}, {65, 41}, {65, 41}},  // below
      {false, {64, 50}, {64, 50}, {64, 50}},  // left of the upper-left corner
      {false, {80, 45}, {80, 45}, {80, 45}},  // above
  };
  View.Show();
  View.Invalidate();
  const int64_t rebuilds = View.RebuildCount();
  for (const TStep& s : steps) {
    SCOPED_TRACE(testing::Message() << (s.UpperLeft ? "upper-left " : "lower-right ") << s.P.X << ", " << s.P.Y);
    const int updates = HostUpdates;
    if (s.UpperLeft)
      View.SetExportRegionUpperLeft(s.P);
    else
      View.SetExportRegionLowerRight(s.P);
    EXPECT_EQ(View.ExportRegionUpperLeft(), s.UL);
    EXPECT_EQ(View.ExportRegionLowerRight(), s.LR);
    EXPECT_EQ(HostUpdates, updates + 1);
  }
  EXPECT_EQ(View.RebuildCount(), rebuilds);

  // The settings store values as they are.
  View.ExportRegionUpperLeft().X = 90;
  EXPECT_EQ(View.ExportRegionUpperLeft(), (TIntegerPoint{90, 45}));
  EXPECT_EQ(View.ExportRegionLowerRight(), (TIntegerPoint{80, 45}));
}

TEST_F(GFMapView, BackBufferIsRebuiltOnlyWhenThePictureMayHaveChanged) {
  View.Show();
  View.Invalidate();
  ASSERT_EQ(View.RebuildCount(), 1);
  struct TCase {
    const char* Name;
    std::function<void()> Act;
    int Rebuilds;
  };
  const TCase cases[] = {
      {"Invalidate", [&] { View.Invalidate(); }, 0},
      {"selection by key", [&] { int key = Key::Right; View.KeyDown(key, 0); }, 0},
      {"mark", [&] { View.Mark({50, 26}); }, 0},
      {"clear marks", [&] { View.ClearMarks(); }, 0},
      {"export region", [&] { View.SetExportRegionLowerRight({55, 30}); }, 0},
      {"horizontal scroll", [&] { View.HorzScrollBar.UserScroll(View.HorzScrollBar.Position() + 96); }, 1},
      {"vertical scroll", [&] { View.VertScrollBar.SetPosition(View.VertScrollBar.Position() - 111); }, 1},
      {"centring on the same place", [&] { View.CenterOn(10, 10); View.CenterOn(10, 10); }, 1},
      {"centring where only the horizontal position moves", [&] { View.CenterOn(12, 11); }, 1},
      {"zoom", [&] { View.SetCellRadius(48); }, 1},
      {"zoom to the same radius", [&] { View.SetCellRadius(48); }, 1},
      {"renderer", [&] { View.SetGFRenderer(CreateGFRenderer(RenderStyleSimplified)); }, 1},
      {"no renderer", [&] { View.SetGFRenderer(nullptr); }, 0},
      {"changed GF", [&] { View.SetSelectedGF(std::make_unique<TGF>(View.SelectedGF())); }, 1},
      {"map changed elsewhere", [&] { View.InvalidateMap(); }, 1},
      {"resize", [&] { View.SetSize(500, 400); View.Invalidate(); }, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const int64_t before = View.RebuildCount();
    c.Act();
    EXPECT_EQ(View.RebuildCount(), before + c.Rebuilds);
    EXPECT_FALSE(View.NeedsRebuild());
  }
  EXPECT_EQ(RenderStyleOf(View.GFRenderer()), RenderStyleSimplified);
}

TEST_F(GFMapView, AHiddenViewDefersItsRebuildAndOverlaysDoNotDropIt) {
  View.Show();
  View.Invalidate();
  View.SetVisible(false);
  View.HorzScrollBar.UserScroll(3000);
  EXPECT_TRUE(View.NeedsRebuild());
  EXPECT_EQ(View.RebuildCount(), 1);
  View.SetVisible(true);
  View.SetExportRegionUpperLeft({30, 20});  // a redraw for the overlays still rebuilds the map first
  EXPECT_EQ(View.RebuildCount(), 2);
  EXPECT_FALSE(View.NeedsRebuild());
}

TEST_F(GFMapView, ResizeSetsTheLargeStepsToTheViewSize) {
  View.Show();
  View.SetSize(800, 300);
  EXPECT_EQ(View.HorzScrollBar.LargeChange(), 800);
  EXPECT_EQ(View.VertScrollBar.LargeChange(), 300);
  EXPECT_TRUE(View.NeedsRebuild());
  View.Invalidate();
  EXPECT_EQ(cairo_image_surface_get_width(View.Surface()), 800);
}

TEST_F(GFMapView, SelectedGFReadsAndWritesTheSelectedCell) {
  View.SelectCell(4, 5);
  EXPECT_TRUE(Map.IsUnset(4, 5));
  TGF& gf = View.SelectedGF();
  EXPECT_FALSE(Map.IsUnset(4, 5));
  EXPECT_EQ(gf.Coord, Map.CoordFactory().CreateCoordFromIndex(4, 5));

  auto water = std::make_unique<TGF>(gf);
  water->Kf(1).SetTerrain(TWater());
  View.SetSelectedGF(std::move(water));
  EXPECT_EQ(Map.Peek(4, 5)->Kf(1).Terrain().TerrainType(), TWater::Code);
  View.SetSelectedGF(std::make_unique<TGF>());  // an empty GF clears the cell
  EXPECT_TRUE(Map.IsUnset(4, 5));
}

TEST_F(GFMapView, OverlaysShowSelectionMarksAndTheRegionFrame) {
  View.Show();
  View.SelectCell(52, 26);
  View.CenterOn(50, 26);
  const TDoublePoint centre = ScreenCentre(50, 26);
  const double R = 64;
  // Selection: the outline stroked magenta, 5 wide.
  const TDoublePoint selected = ScreenCentre(52, 26);
  const double top = selected.Y - 0.8660254 * R;  // the outline's top edge
  EXPECT_TRUE(Near(Pixel(selected.X, top), 1, 0, 1));
  EXPECT_FALSE(Near(Pixel(selected.X, top + 6), 1, 0, 1));

  // The region frame: dark blue over the top-left of the region's bounding box.
  const TDoublePoint frame{centre.X - R, centre.Y - View.CellHalfHeight()};
  EXPECT_TRUE(Near(Pixel(frame.X + 10, frame.Y), 0, 0, 0.5));
  EXPECT_TRUE(Near(Pixel(frame.X, frame.Y + 20), 0, 0, 0.5));
  EXPECT_FALSE(Near(Pixel(frame.X + 10, frame.Y + 3), 0, 0, 0.5));

  // A mark darkens its GF to 70 %; moving the selection away leaves no magenta behind.
  const TDoublePoint probe{centre.X + 10, centre.Y + 15};
  const TRgba before = Pixel(probe.X, probe.Y);
  View.SelectCell(10, 10);
  View.Mark({50, 26});
  const TRgba after = Pixel(probe.X, probe.Y);
  EXPECT_NEAR(after.R, before.R * 0.7, 0.02);
  EXPECT_NEAR(after.G, before.G * 0.7, 0.02);
  EXPECT_NEAR(after.B, before.B * 0.7, 0.02);
  EXPECT_FALSE(Near(Pixel(selected.X, top), 1, 0, 1));
}

TEST_F(GFMapView, ZeroHeightFrameIsALine) {
  View.Show();
  View.SetExportRegionLowerRight({60, 30});
  View.CenterOn(50, 26);
  const TDoublePoint centre = ScreenCentre(50, 26);
  const TDoublePoint frame{centre.X - 64, centre.Y - View.CellHalfHeight()};
  const TDoublePoint size = TGFMapEditor::RegionSize({50, 26}, {60, 30}, 64);
  EXPECT_DOUBLE_EQ(size.Y, 0);
  EXPECT_DOUBLE_EQ(size.X, 10 * 96 + 128);
  EXPECT_TRUE(Near(Pixel(frame.X + 200, frame.Y), 0, 0, 0.5));
  EXPECT_FALSE(Near(Pixel(frame.X + 200, frame.Y + 4), 0, 0, 0.5));
  EXPECT_FALSE(Near(Pixel(frame.X + 200, frame.Y - 4), 0, 0, 0.5));
}

TEST_F(GFMapView, ColumnAndRowLabelsAreDrawnOverTheMap) {
  View.Show();
  View.SelectCell(0, 0);  // selection and region frame out of sight
  View.SetExportRegionUpperLeft({0, 0});
  View.SetExportRegionLowerRight({0, 0});
  UseRecorder();  // the renderer paints nothing: only the labels show on white
  View.CenterOn(50, 26);
  cairo_surface_t* surface = View.Surface();
  // Column labels along the top, one centred on each column.
  for (int x = 47; x <= 53; ++x) {
    const int cx = static_cast<int>(ScreenCentre(x, 26).X);
    EXPECT_GT(exportprobe::CountDark(surface, cx - 20, 2, cx + 20, 22), 10) << "column " << x;
  }
  EXPECT_EQ(exportprobe::CountDark(surface, 100, 30, 600, 60), 0);
  // Row labels along the left edge, centred on the rows of the leftmost column.
  EXPECT_GT(exportprobe::CountDark(surface, 18, 100, 60, 400), 50);
  EXPECT_EQ(exportprobe::CountDark(surface, 100, 100, 600, 400), 0);
}

TEST(GFMapViewLabels, ColumnLabelsNumberTheColumnsInTheWorldsCoordinates) {
  struct TCase {
    int Plane, Column;
    const char* Text;
  };
  for (const TCase& c : {TCase{1, 48, "2"}, TCase{1, 52, "-2"}, TCase{1, 50, "0"}, TCase{2, 48, "-2"}, TCase{2, 52, "2"}}) {
    SCOPED_TRACE(testing::Message() << "plane " << c.Plane << ", column " << c.Column);
    TGFMap map(c.Plane);
    TGFMapEditor view;
    view.GFMap = &map;
    view.SetSize(640, 480);
    view.SetGFRenderer(std::make_unique<TRecordingGFRenderer>(false));  // only the labels show
    view.SelectCell(0, 0);
    view.SetExportRegionUpperLeft({0, 0});
    view.SetExportRegionLowerRight({0, 0});
    view.Show();
    view.CenterOn(50, 26);

    // The same text drawn where the label belongs: centred on the column, baseline 20.
    const double left = view.HorzScrollBar.Position() - 320.0;
    const double centre = 1.5 * 64 * c.Column - left + 64;
    TCairoSurfacePtr expected(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480));
    const TCairoContextPtr cr(cairo_create(expected.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    cairo_select_font_face(cr.get(), "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr.get(), 24);
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_text_extents_t extents;
    cairo_text_extents(cr.get(), c.Text, &extents);
    cairo_move_to(cr.get(), centre - extents.width / 2, 20);
    cairo_show_text(cr.get(), c.Text);

    int differing = 0;
    int inked = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = static_cast<int>(centre) - 40; x < static_cast<int>(centre) + 40; ++x) {
        const TRgba a = PixelAt(view.Surface(), x, y);
        const TRgba b = PixelAt(expected.get(), x, y);
        if (std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B) > 0.05) ++differing;
        if (b.R < 0.5) ++inked;
      }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
