// GF coordinates: the value, its text forms, the two worlds' coordinate systems,
// the coordinate factory and the parser of typed coordinates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A grid position: column X (0..100), row Y (0..77).
struct TIntegerPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TIntegerPoint&) const = default;
};

struct TKUVCoord {
  uint8_t Plane = 1;   // 1 Stygien, 2 Eldrien
  char Letter = 'A';   // row letter 'A'..'Z'
  uint8_t Mark = 0;    // 0 none, 1 single ('), 2 double (")
  int8_t Number = 0;   // -50..+50

  // "1B'7": plane, letter, mark, magnitude.
  std::string EditorText() const;
  // As EditorText, but a double mark is written as two apostrophes.
  std::string FileNameText() const;
  // "B'": letter and mark.
  std::string RowText() const;
  // "+7" / "-7": sign ("+" also for 0) and magnitude.
  std::string NumberText() const;
  // "B'-7": letter, mark, number with a minus sign only when negative.
  std::string ShortText() const;

  bool operator==(const TKUVCoord&) const = default;
};

// Maps coordinates to grid indices and back for one world.
class TKUVCoordinateSystem {
 public:
  explicit TKUVCoordinateSystem(uint8_t plane) : Plane(plane) {}
  virtual ~TKUVCoordinateSystem() = default;

  virtual TIntegerPoint CoordToIndex(const TKUVCoord& coord) const = 0;
  virtual void IndexToCoord(int32_t x, int32_t y, TKUVCoord& coord) const = 0;
  // The row's text ("A'", "Z", "C\""); empty for rows the world's notation lacks.
  virtual std::string RowLabel(int32_t y) const = 0;

  uint8_t PlaneNumber() const { return Plane; }

 private:
  uint8_t Plane;
};

class TStygienCoordinateSystem final : public TKUVCoordinateSystem {
 public:
  TStygienCoordinateSystem() : TKUVCoordinateSystem(1) {}
  TIntegerPoint CoordToIndex(const TKUVCoord& coord) const override;
  void IndexToCoord(int32_t x, int32_t y, TKUVCoord& coord) const override;
  std::string RowLabel(int32_t y) const override;
};

// Eldrien has no row J: 25 letters per block, 75 rows in its notation.
class TEldrienPostCollapseCoordinateSystem final : public TKUVCoordinateSystem {
 public:
  TEldrienPostCollapseCoordinateSystem() : TKUVCoordinateSystem(2) {}
  TIntegerPoint CoordToIndex(const TKUVCoord& coord) const override;
  void IndexToCoord(int32_t x, int32_t y, TKUVCoord& coord) const override;
  std::string RowLabel(int32_t y) const override;
};

// The general integer conversion of typed numbers: optional sign, optional base
// prefix ("$", "x", "X", "0x", "0X" hexadecimal, "%" binary, "&" octal), one or more
// digits, nothing else; the value must fit in 32 signed bits.
bool TryStrToInt(std::string_view text, int32_t& value);

// Parses typed coordinates such as 1A+0, 2K'-13; rejects others with
// EIllegalCoordException and a German message naming the fault.
class TKUVCoordinateParser {
 public:
  TKUVCoord Parse(std::string_view text) const;
};

class TKUVCoordinateFactory {
 public:
  explicit TKUVCoordinateFactory(const TKUVCoordinateSystem& system) : System(&system) {}

  const TKUVCoordinateSystem& CoordinateSystem() const { return *System; }
  // Raises EIllegalCoordException for text the parser rejects.
  TKUVCoord CreateCoord(std::string_view text) const { return Parser.Parse(text); }
  TKUVCoord CreateCoordFromIndex(int32_t x, int32_t y) const;

 private:
  const TKUVCoordinateSystem* System;
  TKUVCoordinateParser Parser;
};
