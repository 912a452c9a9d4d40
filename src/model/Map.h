// The GF grid of one world, with its coordinate system and factories.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "Coord.h"
#include "Exception.h"
#include "GF.h"

// Creates GFs that carry the coordinate of their cell.
class TGFFactory {
 public:
  explicit TGFFactory(const TKUVCoordinateFactory& factory) : Factory(&factory) {}
  const TKUVCoordinateFactory& CoordinateFactory() const { return *Factory; }
  std::unique_ptr<TGF> CreateGF(int32_t x, int32_t y) const;

 private:
  const TKUVCoordinateFactory* Factory;
};

class TGFMap {
 public:
  static constexpr int32_t Columns = 101;
  static constexpr int32_t Rows = 78;

  // Plane 1 is Stygien; any other value gives Eldrien (plane 2).
  explicit TGFMap(int32_t plane);
  TGFMap(const TGFMap&) = delete;
  TGFMap& operator=(const TGFMap&) = delete;

  uint8_t plane() const { return Plane; }
  const TKUVCoordinateSystem& CoordSystem() const { return *System; }
  const TKUVCoordinateFactory& CoordFactory() const { return *CoordinateFactory; }
  const TGFFactory& GFFactory() const { return *Factory; }

  static bool InGrid(int32_t x, int32_t y) { return x >= 0 && x < Columns && y >= 0 && y < Rows; }

  // The cell's GF, created on first access. Raises EIllegalCoordException outside the grid.
  TGF& getElement(int32_t x, int32_t y);
  // Stores gf into the cell; an empty gf unsets the cell; null changes nothing.
  void setElement(int32_t x, int32_t y, std::unique_ptr<TGF> gf);
  // The GF one step in GF direction d (0 Nor .. 5 Ydd); the cell itself at the grid's edge.
  TGF& getNeighbour(int32_t x, int32_t y, int d);

  // True when no GF object is stored; x and y must lie inside the grid.
  bool IsUnset(int32_t x, int32_t y) const { return !Cells[Index(x, y)]; }
  // The stored GF or null, without creating one; x and y must lie inside the grid.
  const TGF* Peek(int32_t x, int32_t y) const { return Cells[Index(x, y)].get(); }
  int32_t StoredCount() const { return Stored; }
  std::string RowLabel(int32_t y) const { return System->RowLabel(y); }

 private:
  static size_t Index(int32_t x, int32_t y) { return static_cast<size_t>(x) * Rows + static_cast<size_t>(y); }
  static void CheckRange(int32_t x, int32_t y);

  uint8_t Plane;
  std::unique_ptr<TKUVCoordinateSystem> System;
  std::unique_ptr<TKUVCoordinateFactory> CoordinateFactory;
  std::unique_ptr<TGFFactory> Factory;
  std::array<std::unique_ptr<TGF>, static_cast<size_t>(Columns) * Rows> Cells;
  int32_t Stored = 0;
};
