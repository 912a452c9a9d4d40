// The committed showcase map: it is what the program writes for the showcase worlds,
// and kuvtool reads and draws it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/KUVFile.h"
#include "render/Renderer.h"
#include "support/ExportProbe.h"
#include "support/MapFileWriter.h"
#include "support/ShowcaseMap.h"
#include "support/TestFiles.h"

namespace {

const std::string FixturePath = KUV_FIXTURES_DIR "/showcase.map";

class Showcase : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return Dir / name; }
  kuvtest::TTempDir Dir;
};

TEST_F(Showcase, FixtureHoldsTheShowcaseWorldsAsTheProgramWritesThem) {
  TGFOwnerList owners;
  TGFMap stygien(1), eldrien(2);
  fixtures::BuildShowcase(stygien, eldrien, owners);
  // KUV_WRITE_FIXTURES=1 rewrites the fixture after a deliberate change.
  if (std::getenv("KUV_WRITE_FIXTURES")) TKUVMapDataFile(stygien, eldrien).Write(FixturePath);
  TKUVMapDataFile(stygien, eldrien).Write(Path("fresh.map"));
  EXPECT_TRUE(kuvtest::ReadText(Path("fresh.map")) == kuvtest::ReadText(FixturePath))
      << "the showcase changed; rerun with KUV_WRITE_FIXTURES=1 once the change is meant";
}

TEST_F(Showcase, InfoCountsBothWorldsAndTheSharedOwners) {
  const kuvtest::TRun run = kuvtest::RunProgram(KUVTOOL_PATH, {"info", FixturePath}, Dir.Path);
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "version: 7\nStygien: 120 GF\nEldrien: 1 GF\nowners: 3\n");
}

TEST_F(Showcase, ExportedGFShowsEachKindAtItsKF) {
  const kuvtest::TRun run = kuvtest::RunProgram(
      KUVTOOL_PATH, {"export-gf", FixturePath, "--world", "stygien", "--at", "50,26", "--format", "png", Path("gf.png")},
      Dir.Path);
  ASSERT_EQ(run.Status, 0) << run.Err;
  const exportprobe::TImage image = exportprobe::LoadPng(Path("gf.png"));
  const std::unique_ptr<TGFRenderer> geometry = CreateGFRenderer(RenderStyleClassic);
  geometry->SetGFRadius(472.5);
  struct TCase {
    int Kf;
    double R, G, B;
  };
  // KF n holds the n-th kind of the catalogue: water 6, plain 12, highland 21, rocky 30, mountain 39.
  for (const TCase& c : {TCase{6, 0.5, 0.898, 1}, TCase{12, 0, 1, 0}, TCase{21, 1, 0.7, 0.1}, TCase{30, 1, 0, 0},
                         TCase{39, 0.3, 0.3, 0.3}, TCase{2, 0, 0, 0}}) {
    SCOPED_TRACE(c.Kf);
    const TDoublePoint centre = geometry->KFCentreOffset(c.Kf);
    // Off the centre, clear of dots and arrows.
    const exportprobe::TRgba pixel =
        exportprobe::PixelAt(image.get(), static_cast<int>(5 + centre.X - 20), static_cast<int>(36 + centre.Y + 20));
    EXPECT_TRUE(exportprobe::Near(pixel, c.R, c.G, c.B));
  }
}

}  // namespace
