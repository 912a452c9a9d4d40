// The KF map editor's keyboard: terrain keys, class toggles, arrows, what is consumed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/KFMapEditorDriver.h"

namespace {

// The terrain keys whose result depends on the current terrain, in the column
// order of the table below.
struct TTerrainKey {
  const char* Name;
  std::function<bool(TKFMapEditorDriver&)> Press;  // true when consumed
};

const std::array<TTerrainKey, 11> TerrainKeys{{
    {"1", [](TKFMapEditorDriver& d) { return d.Press(Key::Digit(1)); }},
    {"2", [](TKFMapEditorDriver& d) { return d.Press(Key::Digit(2)); }},
    {"3", [](TKFMapEditorDriver& d) { return d.Press(Key::Digit(3)); }},
    {"5", [](TKFMapEditorDriver& d) { return d.Press(Key::Digit(5)); }},
    {".", [](TKFMapEditorDriver& d) { return d.Press(Key::Period); }},
    {"#", [](TKFMapEditorDriver& d) { return d.Type(U'#'); }},
    {"*", [](TKFMapEditorDriver& d) { return d.Type(U'*'); }},
    {"W", [](TKFMapEditorDriver& d) { return d.Press(Key::Letter('W')); }},
    {"K", [](TKFMapEditorDriver& d) { return d.Press(Key::Letter('K')); }},
    {"O", [](TKFMapEditorDriver& d) { return d.Press(Key::Letter('O')); }},
    {",", [](TKFMapEditorDriver& d) { return d.Press(Key::Comma); }},
}};

struct TTerrainRow {
  uint16_t Code;
  std::array<uint16_t, 11> After;  // the code after each key of TerrainKeys
};

// clang-format off
const std::vector<TTerrainRow> TerrainRows{
    //     1    2    3    5    .    #    *    W    K    O    ,
    {0,   {200, 300, 400, 2,   0,   0,   0,   0,   0,   0,   0}},
    {1,   {200, 300, 400, 0,   1,   1,   1,   1,   1,   1,   1}},
    {2,   {200, 300, 400, 3,   2,   2,   2,   2,   2,   2,   2}},
    {3,   {200, 300, 400, 1,   3,   3,   3,   3,   3,   3,   3}},
    {4,   {200, 300, 400, 2,   4,   4,   4,   4,   4,   4,   4}},
    {100, {200, 300, 400, 2,   100, 100, 103, 100, 100, 100, 100}},
    {101, {200, 300, 400, 2,   101, 101, 101, 101, 101, 101, 101}},
    {102, {200, 300, 400, 2,   102, 102, 102, 102, 102, 102, 102}},
    {103, {200, 300, 400, 2,   103, 103, 103, 103, 103, 103, 103}},
    {104, {200, 300, 400, 2,   104, 104, 104, 104, 104, 104, 104}},
    {105, {200, 300, 400, 2,   105, 105, 105, 105, 105, 105, 105}},
    {200, {200, 300, 400, 2,   201, 202, 204, 207, 208, 206, 202}},
    {201, {201, 301, 401, 2,   200, 203, 205, 207, 208, 206, 203}},
    {202, {202, 302, 402, 2,   203, 200, 204, 207, 208, 206, 204}},
    {203, {203, 303, 403, 2,   202, 201, 205, 207, 208, 206, 205}},
    {204, {204, 304, 404, 2,   205, 202, 200, 207, 208, 206, 207}},
    {205, {205, 305, 405, 2,   204, 203, 201, 207, 208, 206, 201}},
    {206, {206, 306, 406, 2,   206, 202, 204, 207, 208, 200, 208}},
    {207, {207, 307, 407, 2,   208, 202, 204, 200, 208, 206, 206}},
    {208, {208, 308, 408, 2,   207, 202, 204, 207, 200, 206, 200}},
    {300, {200, 300, 400, 2,   301, 302, 304, 307, 308, 306, 302}},
    {301, {201, 301, 401, 2,   300, 303, 305, 307, 308, 306, 303}},
    {302, {202, 302, 402, 2,   303, 300, 304, 307, 308, 306, 304}},
    {303, {203, 303, 403, 2,   302, 301, 305, 307, 308, 306, 305}},
    {304, {204, 304, 404, 2,   305, 302, 300, 307, 308, 306, 300}},
    {305, {205, 305, 405, 2,   304, 303, 301, 307, 308, 306, 301}},
    {306, {206, 306, 406, 2,   306, 302, 304, 307, 308, 300, 308}},
    {307, {207, 307, 407, 2,   308, 302, 304, 300, 308, 306, 306}},
    {308, {208, 308, 408, 2,   307, 302, 304, 307, 300, 306, 307}},
    {400, {200, 300, 400, 2,   401, 402, 404, 407, 408, 406, 402}},
    {401, {201, 301, 401, 2,   400, 403, 405, 407, 408, 406, 403}},
    {402, {202, 302, 402, 2,   403, 400, 404, 407, 408, 406, 404}},
    {403, {203, 303, 403, 2,   402, 401, 405, 407, 408, 406, 405}},
    {404, {204, 304, 404, 2,   405, 402, 400, 407, 408, 406, 407}},
    {405, {205, 305, 405, 2,   404, 403, 401, 407, 408, 406, 401}},
    {406, {206, 306, 406, 2,   406, 402, 404, 407, 408, 400, 408}},
    {407, {207, 307, 407, 2,   408, 402, 404, 400, 408, 406, 406}},
    {408, {208, 308, 408, 2,   407, 402, 404, 407, 400, 406, 400}},
    {500, {200, 300, 400, 2,   501, 500, 503, 500, 500, 500, 500}},
    {501, {200, 300, 400, 2,   502, 501, 503, 501, 501, 501, 501}},
    {502, {200, 300, 400, 2,   500, 502, 503, 502, 502, 502, 502}},
    {503, {200, 300, 400, 2,   503, 503, 503, 503, 503, 503, 503}},
};
// clang-format on

constexpr int Selected = 17;

// The selected KF is changed; a neighbour of it is not.
void ExpectOnlySelectedChanged(TKFMapEditorDriver& d, uint16_t neighbourCode) {
  EXPECT_EQ(d.Editor.GF().Kf(Selected - 1).Terrain().TerrainType(), neighbourCode);
  EXPECT_EQ(d.Editor.GF().Kf(Selected + 1).Terrain().TerrainType(), neighbourCode);
}

}  // namespace

TEST(KFMapEditorKeys, TerrainTableCoversEveryCodeForEveryKey) {
  ASSERT_EQ(TerrainRows.size(), TerrainKinds.size());
  for (const TTerrainRow& row : TerrainRows) {
    for (size_t k = 0; k < TerrainKeys.size(); ++k) {
      SCOPED_TRACE("code " + std::to_string(row.Code) + ", key " + TerrainKeys[k].Name);
      TKFMapEditorDriver d;
      d.Editor.SetSelectedCell(Selected);
      d.Selected().SetTerrain(TTerrain(row.Code));
      d.SelectionEvents = 0;
      const bool consumed = TerrainKeys[k].Press(d);
      EXPECT_EQ(d.Selected().Terrain().TerrainType(), row.After[k]);
      // Raised also when the KF stays as it was.
      EXPECT_EQ(d.SelectionEvents, 1);
      // Key presses of typed characters go on; key downs of the table are consumed.
      EXPECT_EQ(consumed, TerrainKeys[k].Name[0] != '#' && TerrainKeys[k].Name[0] != '*');
      ExpectOnlySelectedChanged(d, TUnknown::Code);
    }
  }
}

TEST(KFMapEditorKeys, FixedTerrainKeysGiveTheirTerrainWhateverWasThere) {
  struct TCase {
    int Key;
    uint16_t Code;
    bool Consumed;
  };
  const TCase cases[] = {
      {Key::Digit(0), TWater::Code, true},
      {Key::Digit(4), TMountain::Code, true},
      {Key::Digit(6), TUnknownLand::Code, false},
      {Key::Letter('S'), TStream::Code, true},
  };
  for (const TCase& c : cases) {
    for (const TTerrainKind& kind : TerrainKinds) {
      SCOPED_TRACE("key " + std::to_string(c.Key) + ", code " + std::to_string(kind.TerrainType));
      TKFMapEditorDriver d;
      d.Editor.SetSelectedCell(Selected);
      d.Selected().SetTerrain(TTerrain(kind.TerrainType));
      d.SelectionEvents = 0;
      EXPECT_EQ(d.Press(c.Key), c.Consumed);
      EXPECT_EQ(d.Selected().Terrain().TerrainType(), c.Code);
      EXPECT_EQ(d.SelectionEvents, 1);
    }
  }
}

TEST(KFMapEditorKeys, UnchangedTerrainKeepsItsFlowDirection) {
  TKFMapEditorDriver d;
  TTerrain stream = TStream();
  stream.SetStreamDirection(StreamDirectionSW);
  d.Selected().SetTerrain(stream);
  d.Press(Key::Period);
  d.Press(Key::Letter('W'));
  d.Type(U'*');
  EXPECT_EQ(d.Selected().Terrain().StreamDirection(), StreamDirectionSW);
  // S puts a new stream, which starts without a direction.
  d.Press(Key::Letter('S'));
  EXPECT_EQ(d.Selected().Terrain().StreamDirection(), StreamDirectionDontCare);
}

TEST(KFMapEditorKeys, TerrainClassToggleRingsCloseAfterTheirLength) {
  struct TCase {
    uint16_t Start;
    int Presses;
  };
  const TCase cases[] = {
      {TPlain::Code, 6},      {TRocky::Code, 6},        {TPlainWoods::Code, 3},
      {TRockyTundra::Code, 3}, {THighland::Code, 3},    {THighlandWoods::Code, 3},
      {THighlandDesert::Code, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("start " + std::to_string(c.Start));
    TKFMapEditorDriver d;
    d.Selected().SetTerrain(TTerrain(c.Start));
    for (int i = 1; i < c.Presses; ++i) {
      d.Press(Key::Comma);
      EXPECT_NE(d.Selected().Terrain().TerrainType(), c.Start) << "after " << i;
    }
    d.Press(Key::Comma);
    EXPECT_EQ(d.Selected().Terrain().TerrainType(), c.Start);
    EXPECT_EQ(d.SelectionEvents, c.Presses);
  }
}

TEST(KFMapEditorKeys, ClassTogglesRunRoundTheirCycles) {
  struct TCase {
    const char* Name;
    int Key;
    TShiftState Shift;
    std::vector<int> Cycle;
    std::function<int(const TKf&)> Read;
  };
  const std::vector<TCase> cases{
      {"H", Key::Letter('H'), 0, {0, 1, 2, 3, 4, 5, 100, 0},
       [](const TKf& kf) { return int(kf.TradeCenter().TradeCenterType()); }},
      {"B", Key::Letter('B'), 0, {0, 10, 20, 21, 22, 30, 51, 0},
       [](const TKf& kf) { return int(kf.Building().BuildingType()); }},
      {"Shift+B", Key::Letter('B'), ssShift, {0, 40, 42, 41, 43, 0},
       [](const TKf& kf) { return int(kf.SpecialBuilding().BuildingType()); }},
      {"Shift+Ctrl+B", Key::Letter('B'), ssShift | ssCtrl, {0, 40, 42, 41, 43, 0},
       [](const TKf& kf) { return int(kf.SpecialBuilding().BuildingType()); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TKFMapEditorDriver d;
    d.Editor.SetSelectedCell(Selected);
    d.SelectionEvents = 0;
    std::vector<int> seen{c.Read(d.Selected())};
    for (size_t i = 1; i < c.Cycle.size(); ++i) {
      EXPECT_TRUE(d.Press(c.Key, c.Shift));
      seen.push_back(c.Read(d.Selected()));
    }
    EXPECT_EQ(seen, c.Cycle);
    EXPECT_EQ(d.SelectionEvents, int(c.Cycle.size()) - 1);
  }
}

TEST(KFMapEditorKeys, ClassTogglesLeaveCodesOutsideTheirCycles) {
  struct TCase {
    const char* Name;
    TShiftState Shift;
    std::vector<uint8_t> Codes;
    bool Special;
  };
  const std::vector<TCase> cases{
      // The special kinds cannot be reached by B, nor the plain buildings by Shift+B.
      {"B", 0, {50, 60, 61, 40, 44, 47}, false},
      {"Shift+B", ssShift, {44, 45, 46, 47, 10, 51, 60, 61}, true},
  };
  for (const TCase& c : cases) {
    for (uint8_t code : c.Codes) {
      SCOPED_TRACE(std::string(c.Name) + " on " + std::to_string(code));
      TKFMapEditorDriver d;
      TBuilding& slot = c.Special ? d.Selected().SpecialBuilding() : d.Selected().Building();
      slot = TBuilding(code);
      EXPECT_TRUE(d.Press(Key::Letter('B'), c.Shift));
      EXPECT_EQ(slot.BuildingType(), code);
      EXPECT_EQ(d.SelectionEvents, 1);
    }
  }
}

TEST(KFMapEditorKeys, TradeCenterToggleKeepsTheGFEntriesUpToDate) {
  TKFMapEditorDriver d;
  d.Editor.SetSelectedCell(Selected);
  d.Press(Key::Letter('H'));
  ASSERT_EQ(d.Editor.GF().TradeCenters.size(), 1u);
  EXPECT_EQ(d.Editor.GF().TradeCenters[0].KF, Selected);
  EXPECT_FALSE(d.Editor.GF().TradeCenters[0].PotentialTradeCenter);
  // Round to none again: the entry stays as a potential site.
  for (int i = 0; i < 6; ++i) d.Press(Key::Letter('H'));
  EXPECT_EQ(d.Selected().TradeCenter().TradeCenterType(), TradeCenterNone);
  ASSERT_EQ(d.Editor.GF().TradeCenters.size(), 1u);
  EXPECT_TRUE(d.Editor.GF().TradeCenters[0].PotentialTradeCenter);
}

TEST(KFMapEditorKeys, BuildingToggleGivesAStreamBridgeFacingEast) {
  TKFMapEditorDriver d;
  d.Selected().SetBuilding(TTempleTower());
  d.Press(Key::Letter('B'));
  ASSERT_EQ(d.Selected().Building().BuildingType(), BuildingStreamBridge);
  EXPECT_EQ(d.Selected().Building().Direction(), SBDirectionE);
}

TEST(KFMapEditorKeys, UpAndDownFollowTheirTablesForEveryKF) {
  // 0: no move.
  // clang-format off
  const std::array<int, 49> up{0,
      0,  0,  0,  0,  1,  2,  3,  4,  4,  5,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 15, 16, 16,
      17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 39, 40, 41, 42, 43};
  const std::array<int, 49> down{0,
      5,  6,  7,  8,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 24, 25, 26, 27, 28, 29, 30, 31, 31,
      32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 43, 44, 44, 45, 46, 47, 48, 0,  0,  0,  0,  0};
  // clang-format on
  for (int n = 1; n <= KFCount; ++n) {
    for (const auto& [key, table] : {std::pair{Key::Up, up}, std::pair{Key::Down, down}}) {
      SCOPED_TRACE("KF " + std::to_string(n) + (key == Key::Up ? " Up" : " Down"));
      TKFMapEditorDriver d;
      d.Editor.SetSelectedCell(n);
      d.SelectionEvents = 0;
      EXPECT_TRUE(d.Press(key));
      const int target = table[n];
      EXPECT_EQ(d.Editor.selectedCell(), target ? target : n);
      EXPECT_EQ(d.SelectionEvents, target ? 1 : 0);
      // Every move goes to a KF sharing a side.
      if (target) {
        const auto& sides = KFNeighbour[n];
        EXPECT_NE(std::find(sides.begin(), sides.end(), target), sides.end());
      }
    }
  }
}

TEST(KFMapEditorKeys, LeftAndRightStepThroughTheNumbersAndStopAtTheEnds) {
  TKFMapEditorDriver d;
  EXPECT_TRUE(d.Press(Key::Left));
  EXPECT_EQ(d.Editor.selectedCell(), 1);
  EXPECT_EQ(d.SelectionEvents, 0);
  // Right runs across row ends: 4 -> 5.
  for (int n = 2; n <= KFCount; ++n) {
    d.Press(Key::Right);
    ASSERT_EQ(d.Editor.selectedCell(), n);
  }
  EXPECT_EQ(d.SelectionEvents, KFCount - 1);
  EXPECT_TRUE(d.Press(Key::Right));
  EXPECT_EQ(d.Editor.selectedCell(), KFCount);
  EXPECT_EQ(d.SelectionEvents, KFCount - 1);
  d.Press(Key::Left);
  EXPECT_EQ(d.Editor.selectedCell(), KFCount - 1);
}

TEST(KFMapEditorKeys, ModifiersStopEveryKeyButShiftB) {
  const int keys[] = {Key::Backspace, Key::Left, Key::Right, Key::Up, Key::Down, Key::Digit(0), Key::Digit(1),
                      Key::Digit(5),  Key::Letter('S'), Key::Letter('H'), Key::Period, Key::Comma};
  for (TShiftState shift : {TShiftState(ssShift), TShiftState(ssCtrl), TShiftState(ssAlt), TShiftState(ssMeta)}) {
    for (int key : keys) {
      SCOPED_TRACE("key " + std::to_string(key) + " shift " + std::to_string(shift));
      TKFMapEditorDriver d;
      d.Dialogs.YesNoAnswers = {true};
      d.Editor.SetSelectedCell(Selected);
      d.Selected().SetTerrain(TPlain());
      d.SelectionEvents = 0;
      EXPECT_FALSE(d.Press(key, shift));
      EXPECT_EQ(d.Editor.selectedCell(), Selected);
      EXPECT_EQ(d.Selected().Terrain().TerrainType(), TPlain::Code);
      EXPECT_EQ(d.Selected().TradeCenter().TradeCenterType(), TradeCenterNone);
      EXPECT_EQ(d.SelectionEvents, 0);
      EXPECT_TRUE(d.Dialogs.Questions.empty());
    }
  }
  // Ctrl+B without Shift is no key of the editor.
  TKFMapEditorDriver d;
  EXPECT_FALSE(d.Press(Key::Letter('B'), ssCtrl));
  EXPECT_EQ(d.Selected().Building().BuildingType(), BuildingNone);
  EXPECT_EQ(d.Selected().SpecialBuilding().BuildingType(), BuildingNone);
}

TEST(KFMapEditorKeys, KeysOutsideTheTableAreNotConsumedAndChangeNothing) {
  const int keys[] = {Key::Letter('A'), Key::Letter('Z'), Key::Digit(7), Key::Digit(9),
                      Key::Return,      Key::Delete,      Key::Tab,      Key::Space};
  for (int key : keys) {
    SCOPED_TRACE("key " + std::to_string(key));
    TKFMapEditorDriver d;
    d.Selected().SetTerrain(TPlain());
    EXPECT_FALSE(d.Press(key));
    EXPECT_EQ(d.Selected().Terrain().TerrainType(), TPlain::Code);
    EXPECT_EQ(d.SelectionEvents, 0);
  }
  TKFMapEditorDriver d;
  d.Selected().SetTerrain(TPlain());
  EXPECT_FALSE(d.Type(U'a'));
  EXPECT_FALSE(d.Type(U'1'));
  EXPECT_EQ(d.Selected().Terrain().TerrainType(), TPlain::Code);
  EXPECT_EQ(d.SelectionEvents, 0);
}

TEST(KFMapEditorKeys, AKeyHandlerOfTheOwnerRunsFirst) {
  TKFMapEditorDriver d;
  std::vector<int> seen;
  d.Editor.OnKeyDown = [&](TCairoPaintBox&, int& key, TShiftState) {
    seen.push_back(key);
    if (key == Key::Digit(1)) key = 0;  // the owner takes it
  };
  d.Press(Key::Digit(1));
  d.Press(Key::Digit(0));
  EXPECT_EQ(seen, (std::vector<int>{Key::Digit(1), Key::Digit(0)}));
  EXPECT_EQ(d.Selected().Terrain().TerrainType(), TWater::Code);
  EXPECT_EQ(d.SelectionEvents, 1);
}

TEST(KFMapEditorKeys, BackspaceAsksBeforeClearingTheGF) {
  for (bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    TKFMapEditorDriver d;
    TGF& gf = d.Editor.GF();
    gf.Kf(5).SetTerrain(TWater());
    gf.Kf(5).SetTradeCenter(TCity());
    gf.AddRiver(5, 1);
    gf.Notes = {"Handel mit Norden"};
    gf.Owners[0]->Name = "Orkland";
    d.Dialogs.YesNoAnswers = {yes};
    EXPECT_TRUE(d.Press(Key::Backspace));
    EXPECT_EQ(d.Dialogs.Questions, (std::vector<std::string>{"Sind Sie sicher, dass Sie dieses GF loeschen wollen ?"}));
    EXPECT_EQ(d.SelectionEvents, yes ? 1 : 0);
    EXPECT_EQ(gf.Kf(5).Terrain().TerrainType(), yes ? TUnknown::Code : TWater::Code);
    EXPECT_EQ(gf.Kf(5).River, yes ? 0 : 2);
    EXPECT_EQ(gf.Kf(6).River, yes ? 0 : 16);
    EXPECT_EQ(gf.Notes.empty(), yes);
    // Owners stay either way.
    ASSERT_EQ(gf.Owners.size(), 1u);
    EXPECT_EQ(gf.Owners[0]->Name, "Orkland");
  }
}
