// Coordinates: the two worlds' systems, the text forms, the row labels, the factory
// and the parser of typed coordinates.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/Coord.h"
#include "model/Exception.h"

namespace {

TKUVCoord MakeCoord(uint8_t plane, char letter, uint8_t mark, int number) {
  TKUVCoord coord;
  coord.Plane = plane;
  coord.Letter = letter;
  coord.Mark = mark;
  coord.Number = static_cast<int8_t>(number);
  return coord;
}

std::string Describe(const TKUVCoord& c) {
  return std::to_string(c.Plane) + " " + c.Letter + " mark " + std::to_string(c.Mark) + " number " +
         std::to_string(c.Number);
}

const char EldrienLetters[] = "ABCDEFGHIKLMNOPQRSTUVWXYZ";  // no J

TEST(CoordTest, NewCoordinateIsPlaneOneRowANumberZero) {
  const TKUVCoord coord;
  EXPECT_EQ(coord.Plane, 1);
  EXPECT_EQ(coord.Letter, 'A');
  EXPECT_EQ(coord.Mark, 0);
  EXPECT_EQ(coord.Number, 0);
  const TKUVCoord copy(MakeCoord(2, 'K', 1, -13));
  EXPECT_EQ(copy, MakeCoord(2, 'K', 1, -13));
}

// Every cell of the Stygien grid, against the row rule computed here.
TEST(StygienCoordinateSystemTest, EveryCellRoundTrips) {
  const TStygienCoordinateSystem system;
  EXPECT_EQ(system.PlaneNumber(), 1);
  for (int32_t x = 0; x <= 100; ++x)
    for (int32_t y = 0; y <= 77; ++y) {
      TKUVCoord coord = MakeCoord(2, 'Q', 2, 17);  // filled over completely
      system.IndexToCoord(x, y, coord);
      const TKUVCoord expected = MakeCoord(1, static_cast<char>('A' + y % 26), y < 26 ? 1 : y < 52 ? 0 : 2, 50 - x);
      if (coord != expected) ADD_FAILURE() << "(" << x << ", " << y << ") gave " << Describe(coord);
      if (system.CoordToIndex(coord) != TIntegerPoint{x, y}) ADD_FAILURE() << "(" << x << ", " << y << ") lost";
    }
}

TEST(EldrienCoordinateSystemTest, EveryNamedCellRoundTrips) {
  const TEldrienPostCollapseCoordinateSystem system;
  EXPECT_EQ(system.PlaneNumber(), 2);
  for (int32_t x = 0; x <= 100; ++x)
    for (int32_t y = 0; y <= 74; ++y) {
      TKUVCoord coord = MakeCoord(1, 'Q', 2, 17);
      system.IndexToCoord(x, y, coord);
      const TKUVCoord expected = MakeCoord(2, EldrienLetters[y % 25], y < 25 ? 1 : y < 50 ? 0 : 2, x - 50);
      if (coord != expected) ADD_FAILURE() << "(" << x << ", " << y << ") gave " << Describe(coord);
      if (system.CoordToIndex(coord) != TIntegerPoint{x, y}) ADD_FAILURE() << "(" << x << ", " << y << ") lost";
    }
}

// Rows 75..77 exist only in the grid: they repeat A, B, C with double mark.
TEST(EldrienCoordinateSystemTest, GridRowsBeyondTheNotationRepeatTheFirstDoubleMarkedRows) {
  const TEldrienPostCollapseCoordinateSystem system;
  const char letters[] = {'A', 'B', 'C'};
  for (int32_t y = 75; y <= 77; ++y)
    for (int32_t x : {0, 10, 50, 100}) {
      SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
      TKUVCoord coord;
      system.IndexToCoord(x, y, coord);
      EXPECT_EQ(coord, MakeCoord(2, letters[y - 75], 2, x - 50));
      EXPECT_EQ(system.CoordToIndex(coord), (TIntegerPoint{x, y - 25}));
    }
}

struct WorkedRow {
  uint8_t Plane;
  int32_t Y;
  char Letter;
  uint8_t Mark;
};

TEST(CoordinateSystemTest, WorkedRows) {
  const TStygienCoordinateSystem stygien;
  const TEldrienPostCollapseCoordinateSystem eldrien;
  const WorkedRow rows[] = {
      {1, 0, 'A', 1},  {1, 25, 'Z', 1}, {1, 26, 'A', 0}, {1, 51, 'Z', 0}, {1, 52, 'A', 2}, {1, 77, 'Z', 2},
      {2, 0, 'A', 1},  {2, 8, 'I', 1},  {2, 9, 'K', 1},  {2, 24, 'Z', 1}, {2, 25, 'A', 0}, {2, 33, 'I', 0},
      {2, 34, 'K', 0}, {2, 49, 'Z', 0}, {2, 50, 'A', 2}, {2, 74, 'Z', 2},
  };
  for (const WorkedRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "plane " << int(row.Plane) << " y " << row.Y);
    const TKUVCoordinateSystem& system =
        row.Plane == 1 ? static_cast<const TKUVCoordinateSystem&>(stygien) : eldrien;
    TKUVCoord coord;
    system.IndexToCoord(50, row.Y, coord);
    EXPECT_EQ(coord, MakeCoord(row.Plane, row.Letter, row.Mark, 0));
  }
}

struct IndexCase {
  uint8_t Plane;
  TKUVCoord Coord;
  TIntegerPoint Index;
};

TEST(CoordinateSystemTest, CoordToIndexOfTheCornersAndCentres) {
  const TStygienCoordinateSystem stygien;
  const TEldrienPostCollapseCoordinateSystem eldrien;
  const IndexCase cases[] = {
      {1, MakeCoord(1, 'A', 1, 50), {0, 0}},    {1, MakeCoord(1, 'Z', 2, -50), {100, 77}},
      {1, MakeCoord(1, 'A', 0, 0), {50, 26}},   {2, MakeCoord(2, 'A', 1, -50), {0, 0}},
      {2, MakeCoord(2, 'K', 1, 50), {100, 9}},  {2, MakeCoord(2, 'Z', 2, 0), {50, 74}},
      {2, MakeCoord(2, 'I', 0, 0), {50, 33}},   {2, MakeCoord(2, 'K', 0, 0), {50, 34}},
  };
  for (const IndexCase& c : cases) {
    SCOPED_TRACE(Describe(c.Coord));
    const TKUVCoordinateSystem& system = c.Plane == 1 ? static_cast<const TKUVCoordinateSystem&>(stygien) : eldrien;
    EXPECT_EQ(system.CoordToIndex(c.Coord), c.Index);
  }
  TKUVCoord coord;
  stygien.IndexToCoord(50, 26, coord);
  EXPECT_EQ(coord, MakeCoord(1, 'A', 0, 0));
  eldrien.IndexToCoord(50, 25, coord);
  EXPECT_EQ(coord, MakeCoord(2, 'A', 0, 0));
  eldrien.IndexToCoord(10, 76, coord);
  EXPECT_EQ(coord, MakeCoord(2, 'B', 2, -40));
}

TEST(CoordinateSystemTest, NumbersRunInOppositeDirections) {
  TKUVCoord coord;
  TStygienCoordinateSystem().IndexToCoord(0, 30, coord);
  EXPECT_EQ(coord.Number, 50);
  TStygienCoordinateSystem().IndexToCoord(100, 30, coord);
  EXPECT_EQ(coord.Number, -50);
  TEldrienPostCollapseCoordinateSystem().IndexToCoord(0, 30, coord);
  EXPECT_EQ(coord.Number, -50);
  TEldrienPostCollapseCoordinateSystem().IndexToCoord(100, 30, coord);
  EXPECT_EQ(coord.Number, 50);
}

struct TextCase {
  TKUVCoord Coord;
  const char* Editor;
  const char* FileName;
  const char* Row;
  const char* Number;
  const char* Short;
};

TEST(CoordTextTest, FiveForms) {
  const TextCase cases[] = {
      {MakeCoord(1, 'B', 1, -7), "1B'7", "1B'7", "B'", "-7", "B'-7"},
      {MakeCoord(1, 'B', 1, 7), "1B'7", "1B'7", "B'", "+7", "B'7"},
      {MakeCoord(2, 'K', 1, -13), "2K'13", "2K'13", "K'", "-13", "K'-13"},
      {MakeCoord(1, 'C', 2, 4), "1C\"4", "1C''4", "C\"", "+4", "C\"4"},
      {MakeCoord(1, 'A', 0, 0), "1A0", "1A0", "A", "+0", "A0"},
      {MakeCoord(2, 'Z', 2, -50), "2Z\"50", "2Z''50", "Z\"", "-50", "Z\"-50"},
      {MakeCoord(1, 'Q', 0, 50), "1Q50", "1Q50", "Q", "+50", "Q50"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(Describe(c.Coord));
    EXPECT_EQ(c.Coord.EditorText(), c.Editor);
    EXPECT_EQ(c.Coord.FileNameText(), c.FileName);
    EXPECT_EQ(c.Coord.RowText(), c.Row);
    EXPECT_EQ(c.Coord.NumberText(), c.Number);
    EXPECT_EQ(c.Coord.ShortText(), c.Short);
  }
}

TEST(RowLabelTest, StygienLabelsEveryRow) {
  const TStygienCoordinateSystem system;
  for (int32_t y = 0; y <= 77; ++y) {
    const std::string expected = std::string(1, static_cast<char>('A' + y % 26)) + (y < 26 ? "'" : y < 52 ? "" : "\"");
    EXPECT_EQ(system.RowLabel(y), expected) << "row " << y;
  }
  EXPECT_EQ(system.RowLabel(77), "Z\"");
  for (int32_t y : {-1, 78, 255, 100000}) EXPECT_EQ(system.RowLabel(y), "") << "row " << y;
}

TEST(RowLabelTest, EldrienLabelsOnlyTheRowsOfItsNotation) {
  const TEldrienPostCollapseCoordinateSystem system;
  for (int32_t y = 0; y <= 74; ++y) {
    const std::string expected = std::string(1, EldrienLetters[y % 25]) + (y < 25 ? "'" : y < 50 ? "" : "\"");
    EXPECT_EQ(system.RowLabel(y), expected) << "row " << y;
  }
  for (int32_t y : {-1, 75, 76, 77, 78}) EXPECT_EQ(system.RowLabel(y), "") << "row " << y;
}

TEST(CoordinateFactoryTest, CreatesFromIndexThroughItsSystemAndFromTextThroughTheParser) {
  const TEldrienPostCollapseCoordinateSystem eldrien;
  const TKUVCoordinateFactory factory(eldrien);
  EXPECT_EQ(&factory.CoordinateSystem(), &eldrien);
  EXPECT_EQ(factory.CreateCoordFromIndex(100, 9), MakeCoord(2, 'K', 1, 50));
  EXPECT_EQ(factory.CreateCoordFromIndex(10, 76), MakeCoord(2, 'B', 2, -40));
  // The plane comes from the text, not from the factory's system.
  EXPECT_EQ(factory.CreateCoord("1J+3"), MakeCoord(1, 'J', 0, 3));
  EXPECT_THROW(factory.CreateCoord("2J+3"), EIllegalCoordException);
}

// ---- Parser ----

// The parser's message for `text`, or "accepted".
std::string ParseMessage(std::string_view text) {
  try {
    TKUVCoordinateParser().Parse(text);
    return "accepted";
  } catch (const EIllegalCoordException& e) {
    return e.what();
  }
}

struct AcceptedCase {
  const char* Text;
  TKUVCoord Coord;
};

TEST(CoordinateParserTest, Accepts) {
  const AcceptedCase cases[] = {
      {"1A+0", MakeCoord(1, 'A', 0, 0)},     {"2K'-13", MakeCoord(2, 'K', 1, -13)},
      {"1Z'+50", MakeCoord(1, 'Z', 1, 50)},  {"1A+05", MakeCoord(1, 'A', 0, 5)},
      {"1J+0", MakeCoord(1, 'J', 0, 0)},     {"1A'-x5", MakeCoord(1, 'A', 1, -5)},
      {"1A+$32", MakeCoord(1, 'A', 0, 50)},  {"1A+x32", MakeCoord(1, 'A', 0, 50)},
      {"1A+X32", MakeCoord(1, 'A', 0, 50)},  {"1A+0x32", MakeCoord(1, 'A', 0, 50)},
      {"1A+0X32", MakeCoord(1, 'A', 0, 50)}, {"1A+%11", MakeCoord(1, 'A', 0, 3)},
      {"1A+&62", MakeCoord(1, 'A', 0, 50)},  {"1A-$2f", MakeCoord(1, 'A', 0, -47)},
      {"1A-$2F", MakeCoord(1, 'A', 0, -47)}, {"2Z\"-50", MakeCoord(2, 'Z', 2, -50)},
      {"1A\"+50", MakeCoord(1, 'A', 2, 50)}, {"1A-0", MakeCoord(1, 'A', 0, 0)},
      {"2I+1", MakeCoord(2, 'I', 0, 1)},     {"1A+000000000000000050", MakeCoord(1, 'A', 0, 50)},
  };
  for (const AcceptedCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TKUVCoord coord;
    ASSERT_NO_THROW(coord = TKUVCoordinateParser().Parse(c.Text));
    EXPECT_EQ(coord, c.Coord) << Describe(coord);
  }
}

struct RejectedCase {
  std::string Text;
  std::string Message;
};

const std::string PlaneNotDigit = " ist keine Zahl\rDas erste Zeichen muss '1' oder '2' sein";
const std::string PlaneNotOneOrTwo =
    " ist keine korrekte Ebenenbezeichnung\rDas erste Zeichen muss entweder '1' oder '2' sein.";
const std::string ThirdCharacter = " ist kein ', \", + oder -";
const std::string OutOfRange = "Die Zahl muss zwischen -50 und +50 liegen";

// In the order of the checks; a text with several faults gets the first one's message.
TEST(CoordinateParserTest, RejectsWithTheMessageOfTheFirstFailingCheck) {
  const RejectedCase cases[] = {
      {"", "Die Koordinate ist zu kurz"},
      {"1A+", "Die Koordinate ist zu kurz"},
      {"XA", "Die Koordinate ist zu kurz"},
      {"1\xC3\x84+", "Die Koordinate ist zu kurz"},  // four bytes, three characters
      {"XA+0", "X" + PlaneNotDigit},
      {" A+0", " " + PlaneNotDigit},
      {"-1A+0", "-" + PlaneNotDigit},
      {"\xC3\x84" "A+0", "\xC3\x84" + PlaneNotDigit},
      {"3A+0", "3" + PlaneNotOneOrTwo},
      {"0A+0", "0" + PlaneNotOneOrTwo},
      {"9a5x", "9" + PlaneNotOneOrTwo},
      {"1a+0", "a ist kein Großbuchstabe"},
      {"2a+0", "a ist kein Großbuchstabe"},
      {"1[+0", "[ ist kein Großbuchstabe"},
      {"1\xC3\x84+0", "\xC3\x84 ist kein Großbuchstabe"},
      {"2J+0", "Auf Eldrien gibt es keine J-Koordinatenreihe"},
      {"2J55", "Auf Eldrien gibt es keine J-Koordinatenreihe"},
      {"2j+0", "j ist kein Großbuchstabe"},
      {"1A50", "5" + ThirdCharacter},
      {"1A5+", "5" + ThirdCharacter},
      {"1A`+0", "`" + ThirdCharacter},
      {"1A\xC3\xA4+0", "\xC3\xA4" + ThirdCharacter},
      {"1A'5", "5 ist kein + oder -"},
      {"1A\"x5", "x ist kein + oder -"},
      {"1A''+5", "' ist kein + oder -"},
      {"1A'\xE2\x80\x93" "5", "\xE2\x80\x93 ist kein + oder -"},  // an en dash is no minus
      {"1A'+", " ist keine Zahl"},
      {"1A+x", "x ist keine Zahl"},
      {"1A+$", "$ ist keine Zahl"},
      {"1A+0x", "0x ist keine Zahl"},
      {"1A+y", "y ist keine Zahl"},
      {"1A+ 5", " 5 ist keine Zahl"},
      {"1A+5 ", "5  ist keine Zahl"},
      {"1A++5", "+5 ist keine Zahl"},
      {"1A'--5", "-5 ist keine Zahl"},
      {"1A+%12", "%12 ist keine Zahl"},
      {"1A+&8", "&8 ist keine Zahl"},
      {"1A+$g", "$g ist keine Zahl"},
      {"1A+x-5", "x-5 ist keine Zahl"},
      {"1A+5\xC3\xA4", "5\xC3\xA4 ist keine Zahl"},
      {"1A+12345678901", "12345678901 ist keine Zahl"},
      {"1A'-12345678901", "12345678901 ist keine Zahl"},
      {"1A+2147483648", "2147483648 ist keine Zahl"},
      {"1A-2147483649", "2147483649 ist keine Zahl"},
      {"1A+$80000000", "$80000000 ist keine Zahl"},
      {"1A+51", OutOfRange},
      {"1A'-51", OutOfRange},
      {"1A+$33", OutOfRange},
      {"1A+2147483647", OutOfRange},
      {"1A-2147483648", OutOfRange},
  };
  for (const RejectedCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ParseMessage(c.Text), c.Message);
  }
}

TEST(CoordinateParserTest, PlaneMessagesBreakWithASingleCarriageReturn) {
  for (const char* text : {"XA+0", "3A+0"}) {
    SCOPED_TRACE(text);
    const std::string message = ParseMessage(text);
    ASSERT_EQ(message.find('\n'), std::string::npos);
    const size_t cr = message.find('\r');
    ASSERT_NE(cr, std::string::npos);
    EXPECT_EQ(static_cast<int>(message[cr]), 13);
    EXPECT_EQ(message.find('\r', cr + 1), std::string::npos);
  }
  // The two second lines differ: only the second has "entweder" and a full stop.
  EXPECT_EQ(ParseMessage("XA+0").substr(ParseMessage("XA+0").find('\r') + 1),
            "Das erste Zeichen muss '1' oder '2' sein");
  EXPECT_EQ(ParseMessage("3A+0").substr(ParseMessage("3A+0").find('\r') + 1),
            "Das erste Zeichen muss entweder '1' oder '2' sein.");
}

TEST(CoordinateParserTest, RaisesTheSharedExceptionType) {
  try {
    TKUVCoordinateParser().Parse("1A+51");
    FAIL() << "accepted";
  } catch (const EKUVException& e) {
    EXPECT_NE(dynamic_cast<const EIllegalCoordException*>(&e), nullptr);
  }
  // No state carries over from a rejected text.
  EXPECT_EQ(TKUVCoordinateParser().Parse("2K'-13"), MakeCoord(2, 'K', 1, -13));
}

// Every coordinate's editor text, with its sign put back, parses to the coordinate.
TEST(CoordinateParserTest, ParsesEveryCoordinateOfBothWorlds) {
  const TStygienCoordinateSystem stygien;
  const TEldrienPostCollapseCoordinateSystem eldrien;
  const TKUVCoordinateParser parser;
  for (const TKUVCoordinateSystem* system : {static_cast<const TKUVCoordinateSystem*>(&stygien),
                                             static_cast<const TKUVCoordinateSystem*>(&eldrien)})
    for (int32_t y = 0; y < (system == &stygien ? 78 : 75); ++y)
      for (int32_t x = 0; x <= 100; ++x) {
        TKUVCoord coord;
        system->IndexToCoord(x, y, coord);
        const std::string text = std::to_string(coord.Plane) + coord.RowText() + coord.NumberText();
        if (parser.Parse(text) != coord) ADD_FAILURE() << text;
      }
}

struct IntegerCase {
  const char* Text;
  bool Ok;
  int32_t Value;
};

TEST(TryStrToIntTest, SignPrefixDigitsAndRange) {
  const IntegerCase cases[] = {
      {"5", true, 5},          {"+5", true, 5},
      {"-5", true, -5},        {"00012", true, 12},
      {"-0x10", true, -16},    {"$ff", true, 255},
      {"X1A", true, 26},       {"%101", true, 5},
      {"&17", true, 15},       {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN}, {"$7FFFFFFF", true, 2147483647},
      {"", false, 0},          {"+", false, 0},
      {"-", false, 0},         {"0x", false, 0},
      {"$", false, 0},         {"%", false, 0},
      {"%102", false, 0},      {"&9", false, 0},
      {"12a", false, 0},       {"1 ", false, 0},
      {" 1", false, 0},        {"2147483648", false, 0},
      {"-2147483649", false, 0}, {"99999999999999999999", false, 0},
      {"$FFFFFFFF", false, 0}, {"0x-1", false, 0},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(c.Text);
    int32_t value = 0;
    EXPECT_EQ(TryStrToInt(c.Text, value), c.Ok);
    if (c.Ok) { EXPECT_EQ(value, c.Value); }
  }
}

}  // namespace
