// The GF grid of one world: range checks, lazy creation, storing and the neighbour step.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/Map.h"

namespace {

std::string ElementMessage(TGFMap& map, int32_t x, int32_t y, bool set) {
  try {
    if (set) {
      auto gf = std::make_unique<TGF>();
      gf->Notes.push_back("nicht leer");
      map.setElement(x, y, std::move(gf));
    } else {
      map.getElement(x, y);
    }
    return "accepted";
  } catch (const EIllegalCoordException& e) {
    return e.what();
  }
}

// A GF that is not empty, and a way to see when it is destroyed: it alone holds its owner.
std::unique_ptr<TGF> NoteGF(std::weak_ptr<TGFOwner>& alive, const std::string& note = "Notiz") {
  auto gf = std::make_unique<TGF>();
  gf->Notes.push_back(note);
  alive = gf->Owners[0];
  return gf;
}

TEST(GFMapTest, PlaneDecidesTheCoordinateSystem) {
  for (int32_t plane : {1, 2, 0, 7, 255, -1}) {
    SCOPED_TRACE(plane);
    const TGFMap map(plane);
    const uint8_t expected = plane == 1 ? 1 : 2;
    EXPECT_EQ(map.plane(), expected);
    EXPECT_EQ(map.CoordSystem().PlaneNumber(), expected);
    if (expected == 1)
      EXPECT_NE(dynamic_cast<const TStygienCoordinateSystem*>(&map.CoordSystem()), nullptr);
    else
      EXPECT_NE(dynamic_cast<const TEldrienPostCollapseCoordinateSystem*>(&map.CoordSystem()), nullptr);
    EXPECT_EQ(&map.CoordFactory().CoordinateSystem(), &map.CoordSystem());
    EXPECT_EQ(&map.GFFactory().CoordinateFactory(), &map.CoordFactory());
    EXPECT_EQ(map.StoredCount(), 0);
  }
  EXPECT_EQ(TGFMap(7).CoordFactory().CreateCoordFromIndex(0, 0), (TKUVCoord{2, 'A', 1, -50}));
}

struct RangeCase {
  int32_t X;
  int32_t Y;
  const char* Message;
};

// x is tested before y; setElement names getElement too.
TEST(GFMapTest, IndicesOutsideTheGridRaiseAndChangeNothing) {
  const RangeCase cases[] = {
      {101, 0, "Illegal Coordinate in TGFMap.getElement: x is 101"},
      {0, 78, "Illegal Coordinate in TGFMap.getElement: y is 78"},
      {101, 80, "Illegal Coordinate in TGFMap.getElement: x is 101"},
      {255, 255, "Illegal Coordinate in TGFMap.getElement: x is 255"},
      {100, 200, "Illegal Coordinate in TGFMap.getElement: y is 200"},
      {-1, 0, "Illegal Coordinate in TGFMap.getElement: x is -1"},
      {0, -1, "Illegal Coordinate in TGFMap.getElement: y is -1"},
      {100, 77, "accepted"},
      {0, 0, "accepted"},
  };
  for (int32_t plane : {1, 2}) {
    TGFMap map(plane);
    for (const RangeCase& c : cases)
      for (bool set : {false, true}) {
        SCOPED_TRACE(testing::Message() << "plane " << plane << (set ? " set" : " get") << " (" << c.X << ", " << c.Y
                                        << ")");
        const int32_t before = map.StoredCount();
        EXPECT_EQ(ElementMessage(map, c.X, c.Y, set), c.Message);
        if (std::string(c.Message) != "accepted") { EXPECT_EQ(map.StoredCount(), before); }
      }
    EXPECT_EQ(map.StoredCount(), 2);
  }
}

TEST(GFMapTest, RaisesTheSharedExceptionType) {
  TGFMap map(1);
  EXPECT_THROW(map.getElement(101, 0), EKUVException);
  EXPECT_THROW(map.setElement(0, 78, nullptr), EIllegalCoordException);
}

TEST(GFMapTest, GetElementCreatesOnceWithTheCellsCoordinate) {
  TGFMap map(1);
  EXPECT_TRUE(map.IsUnset(100, 77));
  EXPECT_EQ(map.Peek(100, 77), nullptr);
  TGF& first = map.getElement(100, 77);
  EXPECT_EQ(map.StoredCount(), 1);
  EXPECT_EQ(&map.getElement(100, 77), &first);
  EXPECT_EQ(map.StoredCount(), 1);
  EXPECT_FALSE(map.IsUnset(100, 77));
  EXPECT_EQ(map.Peek(100, 77), &first);
  EXPECT_EQ(first.Coord, (TKUVCoord{1, 'Z', 2, -50}));
  // Created empty and kept although empty.
  EXPECT_TRUE(first.IsEmpty());
  EXPECT_EQ(first.Owners.size(), 1u);
  EXPECT_TRUE(map.IsUnset(99, 77));
  EXPECT_TRUE(map.IsUnset(100, 76));
}

// Both grids filled completely: every GF carries its cell's coordinate.
TEST(GFMapTest, EveryCellOfBothWorldsGetsItsCoordinate) {
  for (int32_t plane : {1, 2}) {
    SCOPED_TRACE(plane);
    TGFMap map(plane);
    for (int32_t x = 0; x < TGFMap::Columns; ++x)
      for (int32_t y = 0; y < TGFMap::Rows; ++y)
        if (map.getElement(x, y).Coord != map.CoordFactory().CreateCoordFromIndex(x, y))
          ADD_FAILURE() << "(" << x << ", " << y << ")";
    EXPECT_EQ(map.StoredCount(), 101 * 78);
  }
  TGFMap eldrien(2);
  EXPECT_EQ(eldrien.getElement(0, 76).Coord, (TKUVCoord{2, 'B', 2, -50}));
  EXPECT_EQ(eldrien.getElement(10, 76).Coord, (TKUVCoord{2, 'B', 2, -40}));
}

TEST(GFFactoryTest, GivesTheNewGFTheCoordinateOfItsCell) {
  const TStygienCoordinateSystem system;
  const TKUVCoordinateFactory coords(system);
  const TGFFactory factory(coords);
  EXPECT_EQ(&factory.CoordinateFactory(), &coords);
  const auto gf = factory.CreateGF(50, 26);
  EXPECT_EQ(gf->Coord, (TKUVCoord{1, 'A', 0, 0}));
  EXPECT_TRUE(gf->IsEmpty());
  EXPECT_EQ(gf->Owners.size(), 1u);
}

class SetElementTest : public testing::Test {
 protected:
  TGFMap Map{1};
  std::weak_ptr<TGFOwner> Previous;
  std::weak_ptr<TGFOwner> Given;

  void SetUp() override {
    Map.setElement(5, 6, NoteGF(Previous, "alt"));
    ASSERT_EQ(Map.StoredCount(), 1);
  }
};

TEST_F(SetElementTest, NothingChangesNothing) {
  Map.setElement(5, 6, nullptr);
  Map.setElement(7, 7, nullptr);
  EXPECT_EQ(Map.StoredCount(), 1);
  EXPECT_FALSE(Previous.expired());
  EXPECT_TRUE(Map.IsUnset(7, 7));
}

TEST_F(SetElementTest, ANonEmptyGFReplacesAndDestroysThePrevious) {
  auto gf = NoteGF(Given, "neu");
  const TGF* raw = gf.get();
  Map.setElement(5, 6, std::move(gf));
  EXPECT_EQ(Map.Peek(5, 6), raw);
  EXPECT_TRUE(Previous.expired());
  EXPECT_EQ(Map.StoredCount(), 1);
  // The coordinate is the caller's business.
  EXPECT_EQ(Map.Peek(5, 6)->Coord, TKUVCoord());

  Map.setElement(8, 9, NoteGF(Given));
  EXPECT_EQ(Map.StoredCount(), 2);
}

TEST_F(SetElementTest, AnEmptyGFUnsetsTheCellAndIsDestroyedWithThePrevious) {
  auto empty = std::make_unique<TGF>();
  empty->AddRiver(1, 2);  // edges, buildings and owners do not count
  empty->Kf(3).SetBuilding(TTower());
  Given = empty->Owners[0];
  Map.setElement(5, 6, std::move(empty));
  EXPECT_TRUE(Map.IsUnset(5, 6));
  EXPECT_EQ(Map.StoredCount(), 0);
  EXPECT_TRUE(Previous.expired());
  EXPECT_TRUE(Given.expired());

  Map.setElement(5, 6, std::make_unique<TGF>());  // into an unset cell
  EXPECT_TRUE(Map.IsUnset(5, 6));
  EXPECT_EQ(Map.StoredCount(), 0);
}

// The cell's own GF handed back (as a caller holding it might) is neither lost nor
// destroyed twice.
TEST_F(SetElementTest, StoringTheGFTheCellHoldsChangesNothing) {
  TGF* held = &Map.getElement(5, 6);
  Map.setElement(5, 6, std::unique_ptr<TGF>(held));
  EXPECT_EQ(Map.Peek(5, 6), held);
  EXPECT_EQ(Map.StoredCount(), 1);
  EXPECT_FALSE(Previous.expired());
  EXPECT_EQ(held->Notes.front(), "alt");

  held->Notes.clear();  // now empty: storing it unsets the cell and destroys it once
  Map.setElement(5, 6, std::unique_ptr<TGF>(held));
  EXPECT_TRUE(Map.IsUnset(5, 6));
  EXPECT_EQ(Map.StoredCount(), 0);
  EXPECT_TRUE(Previous.expired());
}

struct Step {
  int Dx;
  int Dy;
};
const Step Steps[6] = {{0, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 0}, {-1, -1}};  // Nor .. Ydd

TEST(GFMapNeighbourTest, StepsAndStaysPutAtTheEdges) {
  TGFMap map(1);
  const TIntegerPoint from[] = {{10, 10}, {0, 0}, {100, 77}, {100, 10}, {0, 5},
                                {50, 0}, {50, 77}, {100, 0}, {0, 77}};
  for (const TIntegerPoint& p : from)
    for (int d = 0; d < 6; ++d) {
      SCOPED_TRACE(testing::Message() << "(" << p.X << ", " << p.Y << ") direction " << d);
      int32_t tx = p.X + Steps[d].Dx;
      int32_t ty = p.Y + Steps[d].Dy;
      if (!TGFMap::InGrid(tx, ty)) {
        tx = p.X;
        ty = p.Y;
      }
      EXPECT_EQ(&map.getNeighbour(p.X, p.Y, d), &map.getElement(tx, ty));
    }
  EXPECT_EQ(&map.getNeighbour(10, 10, 2), &map.getElement(11, 11));
}

TEST(GFMapNeighbourTest, CreatesTheNeighbourAndMovesInCoordinates) {
  TGFMap stygien(1);
  EXPECT_EQ(stygien.getNeighbour(50, 25, 3).Coord, (TKUVCoord{1, 'A', 0, 0}));   // Sued from Z'
  EXPECT_EQ(stygien.getNeighbour(50, 51, 3).Coord, (TKUVCoord{1, 'A', 2, 0}));   // Sued from Z
  EXPECT_EQ(stygien.StoredCount(), 2);
  EXPECT_TRUE(stygien.IsUnset(50, 25));
  EXPECT_EQ(stygien.getNeighbour(50, 30, 1).Coord.Number, -1);  // Est
  EXPECT_EQ(stygien.getNeighbour(50, 30, 4).Coord.Number, 1);   // Wes
  TGFMap eldrien(2);
  EXPECT_EQ(eldrien.getNeighbour(50, 30, 1).Coord.Number, 1);
  EXPECT_EQ(eldrien.getNeighbour(50, 30, 5).Coord.Number, -1);  // Ydd
  EXPECT_EQ(eldrien.getNeighbour(50, 30, 5).Coord.Letter, 'E');
}

TEST(GFMapTest, RowLabelOfThePlane) {
  const TGFMap stygien(1);
  const TGFMap eldrien(2);
  EXPECT_EQ(stygien.RowLabel(0), "A'");
  EXPECT_EQ(stygien.RowLabel(77), "Z\"");
  EXPECT_EQ(eldrien.RowLabel(9), "K'");
  EXPECT_EQ(eldrien.RowLabel(74), "Z\"");
  EXPECT_EQ(eldrien.RowLabel(75), "");
  EXPECT_EQ(stygien.RowLabel(78), "");
}

}  // namespace
