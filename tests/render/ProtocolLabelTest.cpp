// The protocol label: its item count and box, the text in its first row, and the
// layout of coordinate, trade centers, buildings, walls and trenches.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RenderTestSupport.h"
#include "render/Renderer.h"
#include "support/GFFixtures.h"

namespace {

using namespace rendertest;

// A GF with `n` KF that hold only a tower, from KF 1 on.
std::unique_ptr<TGF> GFWithTowers(int n) {
  auto gf = std::make_unique<TGF>();
  for (int i = 1; i <= n; ++i) gf->Kf(i).SetBuilding(TTower());
  return gf;
}

TEST(ProtocolLabel, CountsEveryKindOfItem) {
  const struct {
    std::string Name;
    std::function<void(TGF&)> Build;
    int Count;
    bool GHZ;
  } cases[] = {
      {"nothing", [](TGF&) {}, 0, false},
      {"trade center with building and special building", [](TGF& gf) {
         gf.Kf(3).SetTradeCenter(TCity());
         gf.Kf(3).SetBuilding(TTower());
         gf.Kf(3).SetSpecialBuilding(TRuin());
       }, 1, false},
      {"building and special building", [](TGF& gf) {
         gf.Kf(3).SetBuilding(TTower());
         gf.Kf(3).SetSpecialBuilding(TRuin());
       }, 1, false},
      {"GHZ alone", [](TGF& gf) { gf.Kf(20).SetSpecialBuilding(TGHZ()); }, 1, true},
      {"GHZ beside a trade center", [](TGF& gf) {
         gf.Kf(20).SetTradeCenter(TMarket());
         gf.Kf(20).SetSpecialBuilding(TGHZ());
       }, 1, false},
      {"three wall sides", [](TGF& gf) {
         gf.AddWall(1, 0);
         gf.AddWall(1, 1);
         gf.AddWall(2, 4);
       }, 1, false},
      {"two trench segments", [](TGF& gf) {
         gf.AddTrench(1, 1);
         gf.AddTrench(2, 2);
       }, 1, false},
      {"potential entries", [](TGF& gf) {
         gf.TradeCenters.push_back({TradeCenterMarket, -1, true});
         gf.TradeCenters.push_back({TradeCenterCity, 17, true});
         gf.TradeCenters.push_back({TradeCenterCity, 18, false});
       }, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TGF gf;
    c.Build(gf);
    bool ghz = !c.GHZ;
    EXPECT_EQ(ProtocolLabelItemCount(gf, &ghz), c.Count);
    EXPECT_EQ(ghz, c.GHZ);
  }
  EXPECT_EQ(ProtocolLabelItemCount(*fixtures::BusyProtocolGF()), 9);
}

TEST(ProtocolLabel, BoxDepthGrowsWithTheRowsTheItemsNeed) {
  const struct {
    int Items;
    double Depth;
  } cases[] = {{0, 0.25}, {1, 0.25}, {2, 0.5}, {4, 0.5}, {5, 0.75}, {7, 0.75}, {8, 1}, {11, 1}, {48, 1}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ProtocolLabelBoxDepth(c.Items), c.Depth) << c.Items << " items";
}

constexpr double OX = 10;
constexpr double OY = 10;

// The protocol renderer's label pass over an empty map background.
struct TLabelScene {
  explicit TLabelScene(double R) : Probe(int(2 * R + 2 * OX), int(1.8 * R + 2 * OY)), Radius(R) {
    FillBackground(Probe);
    Renderer.SetGFRadius(R);
  }
  void Draw(const TGF& gf) { Renderer.DrawLabels(Probe.Cr(), gf, OX, OY, Radius); }
  THexagon Outline() { return Renderer.GFHexagon(OX, OY, Radius); }

  TPixelProbe Probe;
  double Radius;
  TProtocolGFRenderer Renderer;
};

TEST(ProtocolLabel, BoxReachesItsDepthDownTheUpperEdges) {
  for (const int items : {0, 1, 3, 6, 9, 11}) {
    SCOPED_TRACE(::testing::Message() << items << " items");
    TLabelScene scene(256);
    const auto gf = GFWithTowers(items);
    scene.Draw(*gf);
    const THexagon V = scene.Outline();
    const double bottom = V[5].Y + ProtocolLabelBoxDepth(items) * (V[0].Y - V[5].Y);
    // Near the right end of the box, away from the items. The white fill covers the
    // inner half of the box's line.
    EXPECT_TRUE(Is(scene.Probe, {V[4].X, bottom - 6}, White));
    EXPECT_TRUE(Is(scene.Probe, {V[4].X, bottom + 1.4}, Black));
    EXPECT_TRUE(Is(scene.Probe, {V[4].X, bottom + 6}, Background));
  }
}

TEST(ProtocolLabel, BoxIsStrokedWithTheOutlineWidthWhateverCameBefore) {
  TLabelScene scene(128);
  cairo_set_line_width(scene.Probe.Cr(), 30);
  TGF gf;
  scene.Draw(gf);
  const THexagon V = scene.Outline();
  const double bottom = V[5].Y + 0.25 * (V[0].Y - V[5].Y);
  EXPECT_TRUE(Is(scene.Probe, {V[4].X, bottom + 4}, Background));
  EXPECT_DOUBLE_EQ(cairo_get_line_width(scene.Probe.Cr()), 0.15 * scene.Renderer.KFRadius());
}

TEST(ProtocolLabel, FirstRowShowsTheCoordinateAtR64) {
  TLabelScene scene(64);
  TGF gf;
  gf.Coord = TKUVCoord{2, 'K', 1, -13};
  scene.Draw(gf);
  const THexagon V = scene.Outline();
  cairo_text_extents_t e;
  cairo_text_extents(scene.Probe.Cr(), "K'-13", &e);
  cairo_matrix_t font;
  cairo_get_font_matrix(scene.Probe.Cr(), &font);
  EXPECT_DOUBLE_EQ(font.xx, 10);
  EXPECT_STREQ(cairo_toy_font_face_get_family(cairo_get_font_face(scene.Probe.Cr())), "Serif");
  // Black text on the white box, its baseline 12 units below the top edge.
  const double baseline = V[5].Y + 12;
  const int ink = scene.Probe.CountDifferent(V[5].X, baseline - e.height, V[5].X + e.x_advance, baseline + 1, 1, 1, 1, 0.5);
  EXPECT_GT(ink, 20);
}

// The layout of the items, read from the label's steps.
class ProtocolLabelLayout : public ::testing::Test {
 protected:
  ProtocolLabelLayout() : Probe(10, 10) { Outline = Renderer.GFHexagon(0, 0, 64); }

  TProtocolLabel Layout(const TGF& gf) { return LayoutProtocolLabel(Probe.Cr(), gf, Outline, 64); }
  std::vector<std::string> Texts(const TProtocolLabel& label) const {
    std::vector<std::string> texts;
    for (const TLabelStep& step : label.Steps)
      if (step.Kind == LabelStepText) texts.push_back(step.Text);
    return texts;
  }
  double Advance(const std::string& text) const {
    cairo_text_extents_t e;
    cairo_text_extents(Probe.Cr(), text.c_str(), &e);
    return e.x_advance;
  }
  double Height(const std::string& text) const {
    cairo_text_extents_t e;
    cairo_text_extents(Probe.Cr(), text.c_str(), &e);
    return e.height;
  }

  TPixelProbe Probe;
  TProtocolGFRenderer Renderer;
  THexagon Outline;
};

TEST_F(ProtocolLabelLayout, CoordinateComesFirstAtTheUpperLeftCorner) {
  TGF gf;
  gf.Coord = TKUVCoord{1, 'B', 1, -7};
  const TProtocolLabel label = Layout(gf);
  ASSERT_EQ(label.Steps.size(), 1u);
  EXPECT_EQ(label.Steps[0].Text, "B'-7");
  EXPECT_DOUBLE_EQ(label.Steps[0].X, Outline[5].X);
  EXPECT_DOUBLE_EQ(label.Steps[0].Y, Outline[5].Y + 12);
}

TEST_F(ProtocolLabelLayout, PotentialTradeCenterWithoutKFReadsSymbolThenMgl) {
  TGF gf;
  gf.TradeCenters.push_back({TradeCenterMarket, -1, true});
  const TProtocolLabel label = Layout(gf);
  ASSERT_EQ(label.Steps.size(), 3u);
  const std::string coord = label.Steps[0].Text;
  const TLabelStep& symbol = label.Steps[1];
  EXPECT_EQ(symbol.Kind, LabelStepTradeCenter);
  EXPECT_EQ(symbol.Code, TradeCenterMarket);
  EXPECT_DOUBLE_EQ(symbol.Size, 8);
  EXPECT_NEAR(symbol.X, Outline[5].X + 1.3 * Advance(coord), 1e-9);
  EXPECT_NEAR(symbol.Y, Outline[5].Y + 12 - 0.5 * Height(coord), 1e-9);
  EXPECT_EQ(label.Steps[2].Text, " mgl");
  EXPECT_NEAR(label.Steps[2].X, symbol.X + 0.6 * 8, 1e-9);
  EXPECT_NEAR(label.Steps[2].Y, symbol.Y + 0.5 * Height(coord), 1e-9);
}

TEST_F(ProtocolLabelLayout, PotentialTradeCenterWithKFIsBracketed) {
  TGF gf;
  gf.TradeCenters.push_back({TradeCenterCity, 17, true});
  const TProtocolLabel label = Layout(gf);
  ASSERT_EQ(label.Steps.size(), 4u);
  EXPECT_EQ(label.Steps[1].Text, "(");
  EXPECT_EQ(label.Steps[2].Kind, LabelStepTradeCenter);
  EXPECT_EQ(label.Steps[2].Code, TradeCenterCity);
  EXPECT_NEAR(label.Steps[2].X, label.Steps[1].X + 2.5 * Advance("("), 1e-9);
  EXPECT_EQ(label.Steps[3].Text, "17)");
}

TEST_F(ProtocolLabelLayout, TradeCenterKFListsItsSymbolsThenItsNumber) {
  TGF gf;
  gf.Kf(9).SetTradeCenter(TCapital());
  gf.Kf(9).SetBuilding(TDonjon());
  gf.Kf(9).SetSpecialBuilding(TTomb());
  const TProtocolLabel label = Layout(gf);
  ASSERT_EQ(label.Steps.size(), 5u);
  const double s = 8;
  EXPECT_EQ(label.Steps[1].Kind, LabelStepTradeCenter);
  EXPECT_EQ(label.Steps[2].Kind, LabelStepBuilding);
  EXPECT_EQ(label.Steps[2].Code, BuildingDonjon);
  EXPECT_DOUBLE_EQ(label.Steps[2].Size, 0.8 * s);
  EXPECT_NEAR(label.Steps[2].X, label.Steps[1].X + 1.2 * s, 1e-9);
  EXPECT_EQ(label.Steps[3].Kind, LabelStepSpecialBuilding);
  EXPECT_NEAR(label.Steps[3].X, label.Steps[2].X + 1.4 * s, 1e-9);
  EXPECT_EQ(label.Steps[4].Text, "9");
  EXPECT_NEAR(label.Steps[4].X, label.Steps[3].X + 0.8 * s, 1e-9);
}

TEST_F(ProtocolLabelLayout, SymbolsWithoutALabelPictureStillTakeTheirPlace) {
  // A river bridge and a pyramid tower in the special slot have no label symbol.
  TGF gf;
  gf.Kf(5).SetBuilding(TRiverBridge());
  gf.Kf(5).SetSpecialBuilding(TPyramidTower());
  const TProtocolLabel label = Layout(gf);
  ASSERT_EQ(label.Steps.size(), 2u);
  const double start = Outline[5].X + 1.3 * Advance(label.Steps[0].Text);
  EXPECT_NEAR(label.Steps[1].X, start + 2.8 * 8, 1e-9);
  EXPECT_EQ(label.Steps[1].Text, "5");
}

TEST_F(ProtocolLabelLayout, GHZOnlyKFShowsItsNumberAndGHZEndsTheLabel) {
  TGF gf;
  gf.Kf(20).SetSpecialBuilding(TGHZ());
  gf.Kf(30).SetBuilding(TTower());
  const TProtocolLabel label = Layout(gf);
  EXPECT_EQ(Texts(label), (std::vector<std::string>{"A0", "20", "30", ",GHZ"}));
  for (const TLabelStep& step : label.Steps) EXPECT_NE(step.Kind, LabelStepSpecialBuilding);
}

TEST_F(ProtocolLabelLayout, WallsAndTrenchesComeLast) {
  const auto gf = fixtures::BusyProtocolGF();
  const TProtocolLabel label = Layout(*gf);
  const std::vector<std::string> texts = Texts(label);
  EXPECT_EQ(texts, (std::vector<std::string>{"K'-13", " mgl", "(", "17)", "3", "9", "12", "20", "25", "Ma(3)", "Gr(2)",
                                             ",GHZ"}));
}

TEST_F(ProtocolLabelLayout, RowsOfThreeStartFurtherLeftAndTheEleventhItemIsLeftOut) {
  const auto gf = GFWithTowers(11);
  gf->Kf(40).SetSpecialBuilding(TGHZ());  // a twelfth item, and the GHZ flag
  const TProtocolLabel label = Layout(*gf);
  EXPECT_EQ(label.ItemCount, 12);
  EXPECT_DOUBLE_EQ(label.BoxDepth, 1);
  EXPECT_EQ(Texts(label), (std::vector<std::string>{"A0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  // The towers of items 2, 5 and 8 start the rows 1 to 3.
  std::vector<const TLabelStep*> towers;
  for (const TLabelStep& step : label.Steps)
    if (step.Kind == LabelStepBuilding) towers.push_back(&step);
  ASSERT_EQ(towers.size(), 10u);
  for (int row = 1; row <= 3; ++row) {
    SCOPED_TRACE(row);
    const TLabelStep& first = *towers[size_t(3 * row - 2)];
    EXPECT_NEAR(first.X, Outline[5].X - row * 5 + 0.6 * 8, 1e-9);
    EXPECT_NEAR(first.Y, Outline[5].Y + row * 12 + 8, 1e-9);
  }
}

TEST(ProtocolLabel, DrawsItsSymbolsAndTextsInBlack) {
  TLabelScene scene(256);
  TGF gf;
  gf.TradeCenters.push_back({TradeCenterFortress, -1, true});
  scene.Draw(gf);
  TPixelProbe measure(10, 10);
  const TProtocolLabel label = LayoutProtocolLabel(measure.Cr(), gf, scene.Outline(), 256);
  ASSERT_EQ(label.Steps.size(), 3u);
  // The fortress X crosses at its centre; " mgl" leaves ink after it.
  EXPECT_TRUE(Is(scene.Probe, {label.Steps[1].X, label.Steps[1].Y}, Black));
  const TLabelStep& mgl = label.Steps[2];
  EXPECT_GT(scene.Probe.CountDifferent(mgl.X, mgl.Y - 30, mgl.X + 100, mgl.Y + 10, 1, 1, 1, 0.5), 100);
}

}  // namespace
