// The KF map and KF map editor: placement, hit test, selection, mouse, events, fill,
// drawing of the selection.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "support/KFMapEditorDriver.h"
#include "views/KFMap.h"

namespace {

const double Sqrt3 = std::sqrt(3.0);

// Centre of KF n relative to the GF origin, from the row layout: first centre of each
// row in units of the apothem a, centres 2a apart, rows 1.5k apart.
std::pair<double, double> KFCentre(int n, double R) {
  const int rowLength[] = {4, 5, 6, 7, 8, 7, 6, 5};
  const int firstX[] = {5, 4, 3, 2, 1, 2, 3, 4};
  const double a = R / 8;
  const double k = 2 * a / Sqrt3;
  int row = 0;
  while (n > rowLength[row]) n -= rowLength[row++];
  return {(firstX[row] + 2 * (n - 1)) * a, (0.5 + 1.5 * row) * k};
}

uint32_t Pixel(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  uint32_t value = 0;
  std::memcpy(&value, data + y * cairo_image_surface_get_stride(surface) + x * 4, 4);
  return value;
}

constexpr uint32_t Magenta = 0xFFFF00FFu;

// Pixels of pure magenta in the row through the middle of KF n's east side.
int MagentaAcrossEastSide(TKFMapEditor& editor, int n) {
  const TKFMapPlacement at = CentredPlacement(editor.Width(), editor.Height());
  const auto [dx, dy] = KFCentre(n, at.R);
  const double side = at.X + dx + at.R / 8;
  const int y = int(at.Y + dy);
  int count = 0;
  for (int x = int(side) - 10; x <= int(side) + 10; ++x) count += Pixel(editor.Surface(), x, y) == Magenta;
  return count;
}

}  // namespace

TEST(KFMapPlacement, CentresTheGFInTheControl) {
  struct TCase {
    int W, H;
    double X, Y, R;
  };
  const TCase cases[] = {
      {400, 400, 0, 200 - 100 * Sqrt3, 200},
      {300, 200, 50, 100 - 50 * Sqrt3, 100},
      {200, 300, 0, 150 - 50 * Sqrt3, 100},
      {0, 0, 0, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
    const TKFMapPlacement at = CentredPlacement(c.W, c.H);
    EXPECT_DOUBLE_EQ(at.X, c.X);
    EXPECT_NEAR(at.Y, c.Y, 1e-12);
    EXPECT_DOUBLE_EQ(at.R, c.R);
  }
}

TEST(KFMapEditor, StartsOnKF1WithAnEmptyPlaceholderGF) {
  TKFMapEditor editor;
  EXPECT_EQ(editor.selectedCell(), 1);
  EXPECT_TRUE(editor.GF().IsEmpty());
  EXPECT_TRUE(editor.CanFocus());
  TKFMap map;
  EXPECT_TRUE(map.GF().IsEmpty());
}

TEST(KFMapEditor, KFAtFindsEveryKFAtItsCentreAndNoneOutsideTheHexagon) {
  for (const auto& [w, h] : {std::pair{300, 200}, std::pair{200, 300}, std::pair{97, 97}}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    TKFMapEditor editor;
    editor.SetSize(w, h);
    const TKFMapPlacement at = CentredPlacement(w, h);
    const double a = at.R / 8;
    const double k = 2 * a / Sqrt3;
    for (int n = 1; n <= KFCount; ++n) {
      const auto [dx, dy] = KFCentre(n, at.R);
      EXPECT_EQ(editor.KFAt(at.X + dx, at.Y + dy), n);
      // Near a corner, still inside.
      EXPECT_EQ(editor.KFAt(at.X + dx, at.Y + dy - 0.9 * k), n);
    }
    const std::pair<double, double> outside[] = {
        {-1, -1},
        {at.X - 1, at.Y + 6 * k},      // left of the left corner
        {at.X + 16 * a + 1, at.Y + 6 * k},  // right of the right corner
        {at.X + 6 * a, at.Y - 0.25 * k},    // the notch above the join of KF 1 and 2
        {at.X + a, at.Y + 2 * k},           // the notch left of KF 5
        {at.X + 8 * a, at.Y + 12 * k + 1},  // below row 8
        {double(w), double(h)},
    };
    for (const auto& [x, y] : outside) EXPECT_EQ(editor.KFAt(x, y), 0) << x << ", " << y;
  }
}

TEST(KFMapEditor, SelectedCellIgnoresValuesOutside1To48) {
  TKFMapEditorDriver d;
  for (int bad : {0, -1, 49, 1000}) d.Editor.SetSelectedCell(bad);
  EXPECT_EQ(d.Editor.selectedCell(), 1);
  EXPECT_EQ(d.SelectionEvents, 0);
  d.Editor.SetSelectedCell(48);
  d.Editor.SetSelectedCell(48);  // the same again still reports
  EXPECT_EQ(d.Editor.selectedCell(), 48);
  EXPECT_EQ(d.SelectionEvents, 2);
  EXPECT_EQ(d.GFEvents, 0);
}

TEST(KFMapEditor, ANewGFKeepsTheSelectionAndRaisesSelectionThenGF) {
  TKFMapEditorDriver d;
  TGF other;
  std::vector<std::string> order;
  // Both events see the new GF already stored.
  d.Editor.OnSelectionChanged = [&](TKFMapEditor& sender) {
    order.push_back(&sender.GF() == &other ? "selection" : "selection before the GF was stored");
  };
  d.Editor.OnGFChanged = [&](TKFMapEditor& sender) {
    order.push_back(&sender.GF() == &other ? "gf" : "gf before the GF was stored");
  };
  d.Editor.SetSelectedCell(33);
  order.clear();
  other.Kf(33).SetTerrain(TWater());
  d.Editor.SetGF(other);
  EXPECT_EQ(&d.Editor.GF(), &other);
  EXPECT_EQ(d.Editor.selectedCell(), 33);
  EXPECT_EQ(order, (std::vector<std::string>{"selection", "gf"}));
  // Key actions edit the given GF.
  d.Press(Key::Digit(1));
  EXPECT_EQ(other.Kf(33).Terrain().TerrainType(), TPlain::Code);
  EXPECT_EQ(order.back(), "selection");
}

TEST(KFMapEditor, EventsAreOptional) {
  TKFMapEditor editor;
  TGF gf;
  editor.SetGF(gf);
  int key = Key::Digit(2);
  editor.KeyDown(key, 0);
  editor.SetSelectedCell(3);
  editor.Fill(TWater::Code);
  EXPECT_EQ(gf.Kf(1).Terrain().TerrainType(), TWater::Code);
}

TEST(KFMapEditor, LeftClickSelectsTheKFUnderThePointerAndTakesTheFocus) {
  TKFMapEditorDriver d;
  d.Editor.SetSize(400, 300);
  int focusRequests = 0;
  d.Editor.HostSetFocus = [&] { ++focusRequests; };
  const TKFMapPlacement at = CentredPlacement(400, 300);
  const auto [x30, y30] = KFCentre(30, at.R);
  const auto [x10, y10] = KFCentre(10, at.R);

  d.Editor.MouseDown(EMouseButton::Right, 0, int(at.X + x10), int(at.Y + y10));
  EXPECT_EQ(d.Editor.selectedCell(), 1);
  EXPECT_EQ(focusRequests, 0);

  d.Editor.MouseDown(EMouseButton::Left, 0, int(at.X + x30), int(at.Y + y30));
  EXPECT_EQ(d.Editor.selectedCell(), 30);
  EXPECT_EQ(d.SelectionEvents, 1);
  EXPECT_EQ(focusRequests, 1);
  EXPECT_TRUE(d.Editor.Focused());

  // Beside the hexagon: the selection stays, the focus is taken all the same.
  d.Editor.MouseDown(EMouseButton::Left, 0, 2, 2);
  EXPECT_EQ(d.Editor.selectedCell(), 30);
  EXPECT_EQ(d.SelectionEvents, 1);
  EXPECT_EQ(focusRequests, 2);
}

TEST(KFMapEditor, FillChangesOnlyTheTerrainOfEveryKF) {
  TKFMapEditorDriver d;
  TGF& gf = d.Editor.GF();
  gf.Kf(7).SetTradeCenter(TCapital());
  gf.Kf(8).SetBuilding(TTower());
  gf.Kf(9).SetSpecialBuilding(TPortal());
  gf.AddWall(20, 2);
  gf.AddRoad(40, 5);
  d.Editor.Fill(TRocky::Code);
  for (int n = 1; n <= KFCount; ++n) EXPECT_EQ(gf.Kf(n).Terrain().TerrainType(), TRocky::Code) << n;
  EXPECT_EQ(d.SelectionEvents, 1);
  EXPECT_EQ(gf.Kf(7).TradeCenter().TradeCenterType(), TradeCenterCapital);
  EXPECT_EQ(gf.TradeCenters.size(), 1u);
  EXPECT_EQ(gf.Kf(8).Building().BuildingType(), BuildingTower);
  EXPECT_EQ(gf.Kf(9).SpecialBuilding().BuildingType(), BuildingPortal);
  EXPECT_EQ(gf.Kf(20).Wall, 4);
  EXPECT_EQ(gf.Kf(40).Road & 0x3F, 32);
}

TEST(KFMapEditor, DeleteWithoutDialogsKeepsTheGF) {
  TKFMapEditor editor;
  editor.GF().Kf(1).SetTerrain(TWater());
  editor.DeleteGF();
  EXPECT_EQ(editor.GF().Kf(1).Terrain().TerrainType(), TWater::Code);
}

TEST(KFMapEditorDrawing, OutlinesTheSelectedKFInMagenta) {
  TKFMapEditorDriver d;
  d.Editor.SetSize(800, 800);  // R 400: a line of 5 pixels
  d.Editor.Show();
  d.Editor.Repaint();
  EXPECT_GE(MagentaAcrossEastSide(d.Editor, 1), 4);
  EXPECT_LE(MagentaAcrossEastSide(d.Editor, 1), 5);
  EXPECT_EQ(MagentaAcrossEastSide(d.Editor, 30), 0);

  d.Press(Key::Down);  // 1 -> 5, redrawn at once
  EXPECT_EQ(MagentaAcrossEastSide(d.Editor, 1), 0);
  EXPECT_GE(MagentaAcrossEastSide(d.Editor, 5), 4);

  // Inside the KF, away from its sides, no magenta.
  const TKFMapPlacement at = CentredPlacement(800, 800);
  const auto [dx, dy] = KFCentre(5, at.R);
  EXPECT_NE(Pixel(d.Editor.Surface(), int(at.X + dx + at.R / 8) - 6, int(at.Y + dy)), Magenta);
  // No background of its own: the corners stay as the paint box cleared them.
  EXPECT_EQ(Pixel(d.Editor.Surface(), 0, 0), 0u);
}

TEST(KFMapEditorDrawing, RedrawsOnASizeChangeEvenWhenItsOwnerListensToIt) {
  TKFMapEditorDriver d;
  int ownerHeard = 0;
  d.Editor.OnResize = [&](TCairoPaintBox&) { ++ownerHeard; };
  d.Editor.SetSize(200, 200);
  d.Editor.Show();
  d.Editor.SetSelectedCell(24);
  d.Editor.SetSize(800, 800);
  EXPECT_GE(MagentaAcrossEastSide(d.Editor, 24), 4);
  EXPECT_EQ(ownerHeard, 2);
}

TEST(KFMapDrawing, ShowsTheGFCentredWithoutSelectionAndRedrawsOnlyWhenAsked) {
  TKFMap map;
  map.SetSize(400, 300);
  map.Show();
  map.Invalidate();
  const TKFMapPlacement at = CentredPlacement(400, 300);
  const auto [dx, dy] = KFCentre(23, at.R);
  const int x = int(at.X + dx), y = int(at.Y + dy);
  const uint32_t unknown = Pixel(map.Surface(), x, y);
  EXPECT_EQ(Pixel(map.Surface(), 0, 0), 0u);

  TGF water;
  for (int n = 1; n <= KFCount; ++n) water.Kf(n).SetTerrain(TWater());
  map.SetGF(water);
  EXPECT_EQ(&map.GF(), &water);
  EXPECT_EQ(Pixel(map.Surface(), x, y), unknown);  // only stored
  map.Invalidate();
  EXPECT_NE(Pixel(map.Surface(), x, y), unknown);
  for (int px = 0; px < 400; px += 3)
    for (int py = 0; py < 300; py += 3) ASSERT_NE(Pixel(map.Surface(), px, py), Magenta) << px << ", " << py;
}
