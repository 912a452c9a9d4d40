// kuvtool export-gf end to end: the built program on a map file, compared with the KF
// map editor's exports of the same GF in this process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "controls/CairoPtr.h"
#include "files/KUVFile.h"
#include "render/Renderer.h"
#include "support/TestFiles.h"
#include "views/KFMap.h"

namespace fs = std::filesystem;

namespace {

using kuvtest::ReadText;

// cairo numbers its SVG surfaces per process.
std::string WithoutSurfaceIds(const std::string& text) {
  return std::regex_replace(text, std::regex("id=\"surface[0-9]+\""), "id=\"surface\"");
}

// Terrain, features and symbols enough to tell the styles apart.
void MakeBusy(TGF& gf) {
  for (int n = 1; n <= KFCount; ++n) gf.Kf(n).SetTerrain(TTerrain(TerrainKinds[size_t(n - 1) % TerrainKinds.size()].TerrainType));
  gf.AddRiver(10, 1);
  gf.AddWall(12, 2);
  gf.AddRoad(20, 1);
  gf.AddCliff(26, 4);
  gf.AddChannel(33, 0);
  gf.AddRapids(39, 1);
  gf.Kf(44).SetTradeCenter(TCity());
  gf.Kf(45).SetBuilding(TTower());
  gf.Kf(46).SetSpecialBuilding(TObelisk());
  gf.Kf(47).SetBuilding(TStreamBridge());
}

using kuvtest::TRun;

class ExportGF : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kuvtool-export-gf-" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    TGFMap stygien(1), eldrien(2);
    MakeBusy(stygien.getElement(50, 26));
    // The same cell of the other world holds something else.
    eldrien.getElement(50, 26).Kf(1).SetTerrain(TWater());
    TKUVMapDataFile(stygien, eldrien).Write(MapFile());
    MapBytes = ReadText(MapFile());
    BusyGF = std::make_unique<TGF>(stygien.getElement(50, 26));
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string MapFile() const { return (Dir / "Quolmira.map").string(); }
  std::string Path(const std::string& name) const { return (Dir / name).string(); }

  TRun Run(const std::vector<std::string>& args) { return kuvtest::RunProgram(KUVTOOL_PATH, args, Dir); }

  // What the editor writes in this process for the GF in the given style.
  std::string InProcess(TGF& gf, ERenderStyle style, bool png) {
    TKFMapEditor editor;
    editor.SetGF(gf);
    const std::unique_ptr<TGFRenderer> renderer = CreateGFRenderer(style);
    const std::string file = Path(png ? "expected.png" : "expected.svg");
    if (png)
      editor.ExportAsPNG(file, *renderer);
    else
      editor.ExportAsSVG(file, *renderer);
    std::string bytes = ReadText(file);
    fs::remove(file);
    return bytes;
  }

  fs::path Dir;
  std::string MapBytes;
  std::unique_ptr<TGF> BusyGF;
};

}  // namespace

TEST_F(ExportGF, WritesWhatTheEditorWritesInEveryStyleAndFormat) {
  struct TCase {
    const char* Style;  // nullptr: the default
    ERenderStyle Expected;
  };
  const TCase styles[] = {{nullptr, RenderStyleClassic},
                          {"classic", RenderStyleClassic},
                          {"simplified", RenderStyleSimplified},
                          {"protocol", RenderStyleProtocol}};
  std::vector<std::string> pngs;
  for (const TCase& c : styles) {
    for (const bool png : {true, false}) {
      SCOPED_TRACE(std::string(c.Style ? c.Style : "default") + (png ? " png" : " svg"));
      const std::string out = Path(png ? "gf.png" : "gf.svg");
      std::vector<std::string> args{"export-gf", MapFile(), "--world", "stygien", "--at", "50,26", "--format",
                                    png ? "png" : "svg"};
      if (c.Style) args.insert(args.end(), {"--style", c.Style});
      args.push_back(out);
      const TRun run = Run(args);
      EXPECT_EQ(run.Status, 0);
      EXPECT_EQ(run.Out, "");
      EXPECT_EQ(run.Err, "");
      const std::string written = ReadText(out);
      // Whole files, unprinted: they are long.
      EXPECT_TRUE(WithoutSurfaceIds(written) == WithoutSurfaceIds(InProcess(*BusyGF, c.Expected, png)));
      if (png && c.Style) pngs.push_back(written);
      fs::remove(out);
    }
  }
  // The three styles give three pictures.
  ASSERT_EQ(pngs.size(), 3u);
  EXPECT_NE(pngs[0], pngs[1]);
  EXPECT_NE(pngs[0], pngs[2]);
  EXPECT_NE(pngs[1], pngs[2]);
  // The map file is only read.
  EXPECT_EQ(ReadText(MapFile()), MapBytes);
}

TEST_F(ExportGF, PNGIsTheSizeOfTheMenuExport) {
  const std::string out = Path("gf.png");
  ASSERT_EQ(Run({"export-gf", MapFile(), "--at", "50,26", "--format", "png", out}).Status, 0);
  TCairoSurfacePtr png(cairo_image_surface_create_from_png(out.c_str()));
  ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_width(png.get()), 955);
  EXPECT_EQ(cairo_image_surface_get_height(png.get()), 860);
}

TEST_F(ExportGF, FindsTheCellByWorldAndCoordinateAndDrawsUnsetCellsEmpty) {
  TGFMap stygien(1);
  const TKUVCoord coord = stygien.CoordFactory().CreateCoordFromIndex(50, 26);
  TGF empty;
  TGF eldrienGF;
  eldrienGF.Kf(1).SetTerrain(TWater());
  struct TCase {
    const char* Name;
    std::vector<std::string> Where;
    TGF* Expected;
  };
  const std::vector<TCase> cases{
      {"coordinate text", {"--at", "1" + coord.RowText() + coord.NumberText()}, BusyGF.get()},
      {"other world", {"--world", "eldrien", "--at", "50,26"}, &eldrienGF},
      {"unset cell", {"--at", "0,0"}, &empty},
      {"unset cell of the other world", {"--world=eldrien", "--at", "100,77"}, &empty},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string out = Path("gf.png");
    std::vector<std::string> args{"export-gf", MapFile(), "--format", "png"};
    args.insert(args.end(), c.Where.begin(), c.Where.end());
    args.push_back(out);
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(ReadText(out) == InProcess(*c.Expected, RenderStyleClassic, true));
    fs::remove(out);
  }
  EXPECT_EQ(ReadText(MapFile()), MapBytes);
}

TEST_F(ExportGF, BadArgumentsExitWith2AndTheUsage) {
  const std::string out = Path("gf.png");
  const std::vector<std::vector<std::string>> cases{
      {"export-gf", MapFile(), "--format", "png", out},                                  // no --at
      {"export-gf", MapFile(), "--at", "50,26", out},                                    // no --format
      {"export-gf", MapFile(), "--at", "50,26", "--format", "gif", out},                 // unknown format
      {"export-gf", MapFile(), "--at", "50,26", "--format", "png", "--style", "x", out},  // unknown style
      {"export-gf", MapFile(), "--world", "erde", "--at", "50,26", "--format", "png", out},
      {"export-gf", MapFile(), "--at", "101,0", "--format", "png", out},
      {"export-gf", MapFile(), "--at", "50,26", "--format", "png"},  // no OUTFILE
      {"export-gf", MapFile(), "--at", "50,26", "--format", "png", out, "more"},
      {"export-gf", MapFile(), "--at", "50,26", "--format", "png", "--size", "3", out},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.size() > 4 ? args[3] + " " + args[4] : args.back());
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("usage: kuvtool"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("export-gf MAPFILE --world stygien|eldrien --at POS --format svg|png"), std::string::npos)
        << run.Err;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(ExportGF, FailuresOfTheWorkExitWith1AndNameTheFile) {
  struct TCase {
    const char* Name;
    std::string Map;
    std::string Out;
    std::string Named;  // the file the message names
  };
  const std::string missingFolder = Path("missing/gf.svg");
  const TCase cases[] = {
      {"missing map file", Path("none.map"), Path("gf.svg"), Path("none.map")},
      {"output into a missing folder", MapFile(), missingFolder, missingFolder},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRun run = Run({"export-gf", c.Map, "--at", "50,26", "--format", "svg", c.Out});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find(c.Named), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(c.Out));
  }
  EXPECT_EQ(ReadText(MapFile()), MapBytes);
}
