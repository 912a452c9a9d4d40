// libFuzzer target: the coordinate parser and the integer conversion it uses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/Coord.h"
#include "model/Exception.h"
#include "model/Map.h"

namespace {
const TStygienCoordinateSystem Stygien;
const TEldrienPostCollapseCoordinateSystem Eldrien;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t value = 0;
  (void)TryStrToInt(text, value);
  try {
    const TKUVCoord coord = TKUVCoordinateParser().Parse(text);
    // An accepted coordinate names a cell of its world.
    if (coord.Plane != 1 && coord.Plane != 2) std::abort();
    if (coord.Number < -50 || coord.Number > 50) std::abort();
    const TKUVCoordinateSystem& system = coord.Plane == 1 ? static_cast<const TKUVCoordinateSystem&>(Stygien) : Eldrien;
    const TIntegerPoint point = system.CoordToIndex(coord);
    if (!TGFMap::InGrid(point.X, point.Y)) std::abort();
  } catch (const EIllegalCoordException&) {
  }
  return 0;
}
