// The GF grid of one world.
#include "Map.h"

std::unique_ptr<TGF> TGFFactory::CreateGF(int32_t x, int32_t y) const {
  auto gf = std::make_unique<TGF>();
  gf->Coord = Factory->CreateCoordFromIndex(x, y);
  return gf;
}

TGFMap::TGFMap(int32_t plane) : Plane(plane == 1 ? 1 : 2) {
  if (Plane == 1)
    System = std::make_unique<TStygienCoordinateSystem>();
  else
    System = std::make_unique<TEldrienPostCollapseCoordinateSystem>();
  CoordinateFactory = std::make_unique<TKUVCoordinateFactory>(*System);
  Factory = std::make_unique<TGFFactory>(*CoordinateFactory);
}

void TGFMap::CheckRange(int32_t x, int32_t y) {
  if (x < 0 || x >= Columns)
    throw EIllegalCoordException("Illegal Coordinate in TGFMap.getElement: x is " + std::to_string(x));
  if (y < 0 || y >= Rows)
    throw EIllegalCoordException("Illegal Coordinate in TGFMap.getElement: y is " + std::to_string(y));
}

TGF& TGFMap::getElement(int32_t x, int32_t y) {
  CheckRange(x, y);
  std::unique_ptr<TGF>& cell = Cells[Index(x, y)];
  if (!cell) {
    cell = Factory->CreateGF(x, y);
    ++Stored;
  }
  return *cell;
}

void TGFMap::setElement(int32_t x, int32_t y, std::unique_ptr<TGF> gf) {
  CheckRange(x, y);
  if (!gf) return;
  std::unique_ptr<TGF>& cell = Cells[Index(x, y)];
  if (gf.get() == cell.get()) {
    // The cell's own GF handed back: it keeps a single owner.
    (void)gf.release();
    if (cell->IsEmpty()) {
      cell.reset();
      --Stored;
    }
    return;
  }
  if (cell) --Stored;
  if (gf->IsEmpty()) {
    cell.reset();
    return;  // gf goes with its unique_ptr
  }
  cell = std::move(gf);
  ++Stored;
}

TGF& TGFMap::getNeighbour(int32_t x, int32_t y, int d) {
  int32_t tx = x;
  int32_t ty = y;
  switch (d) {
    case 0: if (y > 0) ty = y - 1; break;
    case 1: if (x < Columns - 1) tx = x + 1; break;
    case 2: if (x < Columns - 1 && y < Rows - 1) { tx = x + 1; ty = y + 1; } break;
    case 3: if (y < Rows - 1) ty = y + 1; break;
    case 4: if (x > 0) tx = x - 1; break;
    case 5: if (x > 0 && y > 0) { tx = x - 1; ty = y - 1; } break;
    default: break;
  }
  return getElement(tx, ty);
}
