// The exchange file of marked GFs: notes and KF records, in the order given.
#include <gtest/gtest.h>

#include "files/KUVFile.h"
#include "support/MapFileWriter.h"

namespace {

using kuvtest::TBytes;
using kuvtest::TTestGf;

TBytes Exported(std::vector<const TGF*> gfs) {
  TMemorySink sink;
  TKUVMapExporter().ExportTo(sink, gfs);
  return sink.Bytes;
}

const TBytes Header{6, 4, 'K', 'U', 'V', 'E', 2, 1};

TBytes After(const TBytes& bytes, size_t offset) {
  return offset <= bytes.size() ? TBytes(bytes.begin() + static_cast<ptrdiff_t>(offset), bytes.end()) : TBytes{};
}

// The bytes of an Unknown KF with nothing else.
TBytes EmptyKf() {
  TBytes kf{2, 2, 2, 0, 2, 0, 2, 0};
  for (int i = 0; i < 13; ++i) kf.insert(kf.end(), {2, 0});
  return kf;
}

TEST(ExchangeFileTest, EmptyListIsTheHeaderAlone) { EXPECT_EQ(Exported({}), Header); }

TEST(ExchangeFileTest, EmptyGFIs1634BytesAfterTheHeader) {
  const TGF gf;
  const TBytes bytes = Exported({&gf});
  TBytes expected{2, 0};
  for (int n = 1; n <= KFCount; ++n) {
    const TBytes kf = EmptyKf();
    expected.insert(expected.end(), kf.begin(), kf.end());
  }
  ASSERT_EQ(bytes.size(), Header.size() + 1634);
  EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + 8), Header);
  EXPECT_EQ(After(bytes, 8), expected);
}

struct TKfCase {
  const char* Name;
  std::function<void(TKf&)> Fill;
  TBytes Bytes;  // of KF 1
};

class ExchangeKfTest : public testing::TestWithParam<TKfCase> {};

TEST_P(ExchangeKfTest, WritesTheKfRecord) {
  TGF gf;
  GetParam().Fill(gf.Kf(1));
  const TBytes bytes = Exported({&gf});
  const TBytes& expected = GetParam().Bytes;
  ASSERT_GE(bytes.size(), 10 + expected.size());
  EXPECT_EQ(TBytes(bytes.begin() + 10, bytes.begin() + 10 + static_cast<ptrdiff_t>(expected.size())), expected);
  // KF 2 follows right after.
  EXPECT_EQ(TBytes(bytes.begin() + 10 + static_cast<ptrdiff_t>(expected.size()),
                   bytes.begin() + 10 + static_cast<ptrdiff_t>(expected.size()) + 34),
            EmptyKf());
}

TBytes Kf(std::initializer_list<uint8_t> head, std::initializer_list<uint8_t> edges = {}) {
  TBytes bytes(head);
  bytes.insert(bytes.end(), edges);
  while (bytes.size() < head.size() + 26) bytes.insert(bytes.end(), {2, 0});
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeKfTest,
    testing::Values(
        TKfCase{"StreamFlowingE",
                [](TKf& kf) {
                  TStream stream;
                  stream.SetStreamDirection(StreamDirectionE);
                  kf.SetTerrain(stream);
                },
                Kf({2, 101, 2, 2, 2, 0, 2, 0, 2, 0})},
        TKfCase{"MistHasNoDirection",
                [](TKf& kf) {
                  TMist mist;
                  mist.SetStreamDirection(StreamDirectionNW);
                  kf.SetTerrain(mist);
                },
                Kf({2, 4, 2, 0, 2, 0, 2, 0})},
        TKfCase{"StreamBridgeFacingNW",
                [](TKf& kf) {
                  TStreamBridge bridge;
                  bridge.SetDirection(SBDirectionNW);
                  kf.SetBuilding(bridge);
                },
                Kf({2, 2, 2, 0, 2, 51, 2, 5, 2, 0})},
        TKfCase{"RapidsAreLeftOut", [](TKf& kf) { kf.Rapids = 0x3F; }, Kf({2, 2, 2, 0, 2, 0, 2, 0})},
        TKfCase{"ContentAndMaskedEdges",
                [](TKf& kf) {
                  kf.SetTerrain(TPlain());
                  kf.SetTradeCenter(TRuinedCity());
                  kf.SetBuilding(TTower());
                  kf.SetSpecialBuilding(TObelisk());
                  kf.Slope = 1;
                  kf.River = 0xFF;
                  kf.Road = 0xFFFF;
                  kf.Channel = 33;
                },
                Kf({3, 200, 0, 2, 100, 2, 20, 2, 45},
                   {2, 1, 2, 63, 2, 0, 2, 0, 3, 0xFF, 0x0F, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 33})}),
    [](const testing::TestParamInfo<TKfCase>& info) { return std::string(info.param.Name); });

TEST(ExchangeFileTest, GFsFollowInTheOrderGivenWithTheirNotes) {
  TGF first;
  first.Notes = {"eins", std::string(256, 'z')};
  first.Kf(48).SetTerrain(TWater());
  TGF second;
  second.Notes = {"zwei"};
  TTestGf a;
  a.Notes = first.Notes;
  a.K(48).Terrain = 100;
  TTestGf b;
  b.Notes = second.Notes;
  EXPECT_EQ(Exported({&second, &first, &second}), kuvtest::ExchangeFileBytes({b, a, b}));
}

TEST(ExchangeFileTest, ExportWritesTheFile) {
  kuvtest::TTempDir dir;
  TGFMap map(1);
  TGF& gf = map.getElement(3, 3);
  gf.Kf(2).SetTerrain(TMountain());
  const std::vector<const TGF*> gfs{&gf};
  TKUVMapExporter().Export(dir / "marked.kvx", gfs, map.CoordSystem());
  EXPECT_EQ(kuvtest::LoadBytes(dir / "marked.kvx"), Exported(gfs));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"marked.kvx"});
}

}  // namespace
