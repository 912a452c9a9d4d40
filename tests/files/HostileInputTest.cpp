// Lengths and counts in a file are not trusted beyond the bytes that remain: such a
// file fails at once, before any large allocation. This binary watches the largest
// allocation through its own operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>

#include "files/KUVFile.h"
#include "support/MapFileWriter.h"

namespace {

std::atomic<size_t> LargestAllocation{0};

void* Allocate(size_t size) {
  size_t largest = LargestAllocation.load(std::memory_order_relaxed);
  while (size > largest && !LargestAllocation.compare_exchange_weak(largest, size, std::memory_order_relaxed)) {
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

using kuvtest::TBytes;
using kuvtest::TByteWriter;

// The start of a version 7 file up to the first GF record's x and y.
TByteWriter FirstRecord(int32_t count = 1) {
  TByteWriter w;
  w.Str("KUVM").Int(7).Int(count).Int(3).Int(4);
  return w;
}

// A whole, valid GF record of version 7 with one plain.
TBytes ValidRecord() {
  kuvtest::TTestGf gf;
  gf.K(1).Terrain = 200;
  gf.Owners = {"Kara"};
  TByteWriter w;
  kuvtest::WriteTestGf(w, gf, 7);
  return w.Bytes;
}

struct THostileCase {
  const char* Name;
  std::function<TBytes()> Bytes;
};

class HostileInputTest : public testing::TestWithParam<THostileCase> {};

TEST_P(HostileInputTest, FailsAtOnceWithoutLargeAllocation) {
  const TBytes bytes = GetParam().Bytes();
  TGFOwnerList owners;
  auto stygien = std::make_unique<TGFMap>(1);
  auto eldrien = std::make_unique<TGFMap>(2);
  TKUVMapDataFile file(*stygien, *eldrien);
  file.GFOwnerList = &owners;
  LargestAllocation = 0;
  try {
    file.ReadFromBytes(bytes, "hostile.map");
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  EXPECT_LT(LargestAllocation.load(), size_t{1} << 20);
  // Nothing after the hostile value was taken: no GF stored, no owner listed.
  EXPECT_EQ(stygien->StoredCount(), 0);
  EXPECT_TRUE(owners.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileInputTest,
    testing::Values(
        THostileCase{"NoteOfFourGigabytes",
                     [] {
                       return FirstRecord().Int(0).Int(0).Int(1).Raw({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}).Bytes;
                     }},
        THostileCase{"MagicOfFourGigabytes", [] { return TByteWriter().Raw({12, 0xFF, 0xFF, 0xFF, 0xFF, 'K'}).Bytes; }},
        THostileCase{"GFCountNearTwoToThe31",
                     [] { return TByteWriter().Str("KUVM").Int(7).Int(INT32_MAX).Raw(ValidRecord()).Bytes; }},
        THostileCase{"GFCountTwoToThe31",
                     [] { return TByteWriter().Str("KUVM").Int(7).Raw({4, 0, 0, 0, 0x80}).Raw(ValidRecord()).Bytes; }},
        THostileCase{"GFCountOneMoreThanThere",
                     [] {
                       return TByteWriter().Str("KUVM").Int(7).Int(2).Raw(ValidRecord()).Int(0).Bytes;
                     }},
        THostileCase{"NoteCountOfABillion",
                     [] { return FirstRecord().Int(0).Int(0).Int(1000000000).Str("a").Str("b").Bytes; }},
        THostileCase{"NegativeNoteCount", [] { return FirstRecord().Int(0).Int(0).Int(-5).Bytes; }},
        THostileCase{"EntryCountOfABillion", [] { return FirstRecord().Int(1000000000).Int(3).Int(12).Bool(true).Bytes; }},
        THostileCase{"OwnerCountOfABillion", [] { return FirstRecord().Int(0).Int(1000000000).Str("Kara").Bytes; }}),
    [](const testing::TestParamInfo<THostileCase>& info) { return std::string(info.param.Name); });

}  // namespace
