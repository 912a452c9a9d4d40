// kuvtool's shared helpers: arguments, worlds and grid positions.
#include <gtest/gtest.h>

#include "KuvTool.h"

namespace {

TEST(ArgumentsTest, OptionsArePickedOutWhereverTheyStand) {
  TArguments args({"a.map", "--world", "eldrien", "b", "--at=3,4"});
  EXPECT_EQ(args.TakeOption("at"), "3,4");
  EXPECT_EQ(args.TakeOption("world"), "eldrien");
  EXPECT_EQ(args.TakeOption("world"), std::nullopt);
  EXPECT_EQ(args.Take("MAPFILE"), "a.map");
  EXPECT_EQ(args.TakeOptional(), "b");
  EXPECT_EQ(args.TakeOptional(), std::nullopt);
  EXPECT_NO_THROW(args.Done());
}

TEST(ArgumentsTest, MissingLeftOverAndUnknownAreUsageErrors) {
  EXPECT_THROW(TArguments({}).Take("MAPFILE"), EUsageError);
  EXPECT_THROW(TArguments({"x"}).Done(), EUsageError);
  EXPECT_THROW(TArguments({"--world"}).TakeOption("world"), EUsageError);
  EXPECT_THROW(TArguments({"--force", "x"}).Take("MAPFILE"), EUsageError);
  TArguments args({"x", "--force"});
  args.Take("MAPFILE");
  EXPECT_THROW(args.Done(), EUsageError);
}

TEST(ArgumentsTest, Worlds) {
  EXPECT_EQ(ParseWorld("stygien"), 1);
  EXPECT_EQ(ParseWorld("eldrien"), 2);
  EXPECT_THROW(ParseWorld("Stygien"), EUsageError);
  TArguments none({});
  EXPECT_EQ(TakeWorld(none), 1);
  TArguments eldrien({"--world=eldrien"});
  EXPECT_EQ(TakeWorld(eldrien), 2);
}

struct TPositionCase {
  int32_t Plane;
  const char* Text;
  TIntegerPoint Point;
};

TEST(ArgumentsTest, GridPositionsAsIndicesOrCoordinates) {
  const TGFMap stygien(1), eldrien(2);
  const TPositionCase cases[] = {
      {1, "0,0", {0, 0}},      {1, "100,77", {100, 77}}, {2, "7,76", {7, 76}},  {1, "1A+0", {50, 26}},
      {1, "1A'+50", {0, 0}},   {1, "1Z\"-50", {100, 77}}, {2, "2A+0", {50, 25}}, {2, "2K'-13", {37, 9}},
  };
  for (const TPositionCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TGFMap& map = c.Plane == 1 ? stygien : eldrien;
    EXPECT_EQ(ParseGridPosition(c.Text, map), c.Point);
    // What the map's own coordinate system says about the cell.
    if (std::string(c.Text).find(',') == std::string::npos) {
      EXPECT_EQ(map.CoordSystem().CoordToIndex(map.CoordFactory().CreateCoord(c.Text)), c.Point);
    }
  }
}

TEST(ArgumentsTest, BadGridPositionsAreUsageErrors) {
  const TGFMap stygien(1);
  for (const char* text : {"101,0", "0,78", "-1,0", "1,", ",1", "1,2,3", " 1,2", "1A+51", "1a+0", "2A+0", "", "x"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseGridPosition(text, stygien), EUsageError);
  }
}

}  // namespace
