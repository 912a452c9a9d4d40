// libFuzzer target: the map data file reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "files/KUVFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGFOwnerList owners;
  auto stygien = std::make_unique<TGFMap>(1);
  auto eldrien = std::make_unique<TGFMap>(2);
  TKUVMapDataFile file(*stygien, *eldrien);
  file.GFOwnerList = &owners;
  try {
    file.ReadFromBytes(std::span(data, size), "fuzz.map");
  } catch (const EKUVException&) {
    // Refusing the bytes is the expected outcome; crashing is not.
  }
  // Whatever was read must be writable again.
  TMemorySink sink;
  file.WriteTo(sink);
  return 0;
}
