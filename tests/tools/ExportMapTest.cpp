// kuvtool export-region and export-marked end to end: the built program on a map
// file, compared with the world map view's exports of the same world in this process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "files/KUVFile.h"
#include "render/Renderer.h"
#include "support/CairoStaticsAtExit.h"
#include "support/ExportProbe.h"
#include "support/TestDialogs.h"
#include "views/GFMap.h"

namespace fs = std::filesystem;
using namespace exportprobe;

namespace {

// cairo stamps PDFs with the time and numbers its SVG surfaces per process.
std::string Comparable(const std::string& text) {
  static const std::regex stamp(R"(/CreationDate \(D:[0-9Z+\-']*\))");
  static const std::regex surface("id=\"surface[0-9]+\"");
  return std::regex_replace(std::regex_replace(text, stamp, "/CreationDate ()"), surface, "id=\"surface\"");
}

std::unique_ptr<TGF> GFOf(uint16_t terrain, const TKUVCoord& coord, const std::string& note) {
  auto gf = std::make_unique<TGF>();
  for (int n = 1; n <= KFCount; ++n) gf->Kf(n).SetTerrain(TTerrain(n % 5 == 0 ? TMountain::Code : terrain));
  gf->AddRiver(10, 1);
  gf->AddRoad(20, 1);
  gf->Kf(24).SetTradeCenter(TCity());
  gf->Kf(30).SetBuilding(TTower());
  gf->Coord = coord;
  gf->Notes.push_back(note);
  return gf;
}

using kuvtest::TRun;

class ExportMap : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kuvtool-export-map-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    // A busy corner of each world; the worlds differ.
    const uint16_t terrains[] = {TPlain::Code, THighland::Code, TWater::Code, TPlainWoods::Code, TRocky::Code};
    int i = 0;
    for (int x = 45; x <= 55; ++x)
      for (int y = 22; y <= 32; ++y, ++i) {
        Stygien.setElement(x, y, GFOf(terrains[i % 5], Stygien.CoordFactory().CreateCoordFromIndex(x, y), "S" + std::to_string(i)));
        Eldrien.setElement(x, y, GFOf(terrains[(i + 2) % 5], Eldrien.CoordFactory().CreateCoordFromIndex(x, y), "E" + std::to_string(i)));
      }
    TKUVMapDataFile(Stygien, Eldrien).Write(MapFile());
    MapBytes = ReadText(MapFile());
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string MapFile() const { return (Dir / "Quolmira.map").string(); }
  std::string Path(const std::string& name) const { return (Dir / name).string(); }

  TRun Run(const std::vector<std::string>& args) { return kuvtest::RunProgram(KUVTOOL_PATH, args, Dir); }

  // What a view on the same world writes in this process.
  std::string InProcess(TGFMap& map, ERenderStyle style, double radius,
                        const std::function<bool(TGFMapEditor&, const std::string&)>& exportTo) {
    TGFMapEditor view;
    view.GFMap = &map;
    view.Dialogs = &Dialogs;
    view.SetGFRenderer(CreateGFRenderer(style));
    view.SetCellRadius(radius);
    const std::string file = Path("expected");
    EXPECT_TRUE(exportTo(view, file));
    std::string bytes = ReadText(file);
    fs::remove(file);
    return bytes;
  }

  fs::path Dir;
  TGFMap Stygien{1};
  TGFMap Eldrien{2};
  std::string MapBytes;
  TTestDialogs Dialogs;
};

TEST_F(ExportMap, RegionWritesWhatTheViewWritesForEveryFormatStyleAndZoom) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Options;
    ERenderStyle Style;
    double Radius;
    bool (TGFMapEditor::*Export)(const std::string&, const TExportProgress&);
  };
  const TCase cases[] = {
      {"pdf", {"--format", "pdf"}, RenderStyleClassic, 64, &TGFMapEditor::ExportRegionAsPDF},
      {"simplified pdf", {"--format", "pdf", "--style", "simplified"}, RenderStyleSimplified, 64,
       &TGFMapEditor::ExportRegionAsPDF},
      {"protocol pdf", {"--format", "pdf", "--style", "protocol"}, RenderStyleProtocol, 64,
       &TGFMapEditor::ExportRegionAsProtocolPDF},
      {"protocol pdf at 200 %", {"--format", "pdf", "--style", "protocol", "--zoom", "200"}, RenderStyleProtocol, 128,
       &TGFMapEditor::ExportRegionAsProtocolPDF},
      {"multi-page pdf", {"--format", "multipage-pdf"}, RenderStyleClassic, 64, &TGFMapEditor::ExportRegionAsMultiPagePDF},
      {"multi-page protocol pdf at 75 %", {"--format", "multipage-pdf", "--style", "protocol", "--zoom=75"},
       RenderStyleProtocol, 48, &TGFMapEditor::ExportRegionAsMultiPageProtocolPDF},
      {"svg", {"--format", "svg", "--style", "protocol"}, RenderStyleProtocol, 64, &TGFMapEditor::ExportRegionAsSVG},
      {"png", {"--format", "png", "--style", "simplified"}, RenderStyleSimplified, 64, &TGFMapEditor::ExportRegionAsPNG},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string out = Path("region.out");
    std::vector<std::string> args{"export-region", MapFile(), "--world", "stygien", "--from", "47,24", "--to", "53,30"};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    args.push_back(out);
    const TRun run = Run(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    const std::string expected = InProcess(Stygien, c.Style, c.Radius, [&](TGFMapEditor& view, const std::string& file) {
      view.SetExportRegionUpperLeft({47, 24});
      view.SetExportRegionLowerRight({53, 30});
      return (view.*c.Export)(file, {});
    });
    // Whole files, unprinted: they are long.
    EXPECT_TRUE(Comparable(ReadText(out)) == Comparable(expected));
    fs::remove(out);
  }
  EXPECT_TRUE(Dialogs.Messages.empty());
  EXPECT_EQ(ReadText(MapFile()), MapBytes);  // only read
}

TEST_F(ExportMap, RegionCornersGoThroughTheSettersUpperLeftFirst) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Where;
    TIntegerPoint UL, LR;
  };
  const TCase cases[] = {
      {"grid positions", {"--from", "48,25", "--to", "50,28"}, {48, 25}, {50, 28}},
      {"coordinate text", {"--from", "1A+0", "--to", "1B-2"}, {50, 26}, {52, 27}},
      // The upper-left corner right of and below the lower-right one: setting the
      // lower-right corner second collapses the region onto it.
      {"swapped corners", {"--from", "52,29", "--to", "48,25"}, {48, 25}, {48, 25}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string out = Path("region.pdf");
    std::vector<std::string> args{"export-region", MapFile(), "--format", "pdf"};
    args.insert(args.end(), c.Where.begin(), c.Where.end());
    args.push_back(out);
    const TRun run = Run(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::vector<TPageSize> pages = PdfPageSizes(out);
    ASSERT_EQ(pages.size(), 1u);
    const TDoublePoint size = TGFMapEditor::RegionSize(c.UL, c.LR, TGFMapEditor::ExportRadius);
    EXPECT_NEAR(pages[0].Width, size.X, 1e-3);
    EXPECT_NEAR(pages[0].Height, size.Y, 1e-3);
  }
}

TEST_F(ExportMap, MarkedWritesTheMarksInTheOrderGiven) {
  const std::string kvx = Path("marked.kvx");
  const TRun run = Run({"export-marked", MapFile(), "--world", "eldrien", "--marks", "50,26;46,23;2A+3", "--format",
                        "kvx", kvx});
  ASSERT_EQ(run.Status, 0) << run.Err;
  TMemorySink expected;
  const TIntegerPoint third = Eldrien.CoordSystem().CoordToIndex(Eldrien.CoordFactory().CreateCoord("2A+3"));
  const std::vector<const TGF*> gfs{Eldrien.Peek(50, 26), Eldrien.Peek(46, 23), Eldrien.Peek(third.X, third.Y)};
  ASSERT_TRUE(gfs[0] && gfs[1] && gfs[2]);
  TKUVMapExporter().ExportTo(expected, gfs);
  EXPECT_EQ(ReadBytes(kvx), expected.Bytes);

  struct TCase {
    const char* Format;
    const char* Style;
    ERenderStyle Expected;
    bool (TGFMapEditor::*Export)(const std::string&, const TExportProgress&);
  };
  for (const TCase& c : {TCase{"pdf", "classic", RenderStyleClassic, &TGFMapEditor::ExportMarkedAsPDF},
                         TCase{"pdf", "protocol", RenderStyleProtocol, &TGFMapEditor::ExportMarkedAsPDF},
                         TCase{"multipage-pdf", "simplified", RenderStyleSimplified, &TGFMapEditor::ExportMarkedAsMultiPagePDF}}) {
    SCOPED_TRACE(std::string(c.Format) + " " + c.Style);
    const std::string out = Path("marked.pdf");
    ASSERT_EQ(Run({"export-marked", MapFile(), "--world", "eldrien", "--marks", "50,26;46,23;60,40", "--format",
                   c.Format, "--style", c.Style, out})
                  .Status,
              0);
    const std::string written = InProcess(Eldrien, c.Expected, 64, [&](TGFMapEditor& view, const std::string& file) {
      for (const TIntegerPoint p : {TIntegerPoint{50, 26}, TIntegerPoint{46, 23}, TIntegerPoint{60, 40}}) view.Mark(p);
      return (view.*c.Export)(file, {});
    });
    EXPECT_TRUE(Comparable(ReadText(out)) == Comparable(written));
  }
  EXPECT_EQ(ReadText(MapFile()), MapBytes);
}

TEST_F(ExportMap, FailuresOfTheWorkExitWith1AndTheViewsMessage) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Message;
  };
  const std::string missing = Path("missing/out");
  const TCase cases[] = {
      {"pdf into a missing folder",
       {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "pdf", missing + ".pdf"},
       "Ups, irgendwas ist schiefgelaufen. Kann die PDF-Datei nicht erzeugen. Status: 11\n"},
      {"png into a missing folder",
       {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "png", missing + ".png"},
       "Ups, irgendwas ist schiefgelaufen. Status: 11\n"},
      {"a region without a picture",
       {"export-region", MapFile(), "--from", "50,26", "--to", "56,26", "--format", "svg", Path("none.svg")},
       "Ups, irgendwas ist schiefgelaufen. Status: 32\n"},
      {"marked pdf into a missing folder",
       {"export-marked", MapFile(), "--marks", "50,26", "--format", "multipage-pdf", missing + ".pdf"},
       "Ups, irgendwas ist schiefgelaufen. Status: 11\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRun run = Run(c.Args);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, c.Message);
    EXPECT_FALSE(fs::exists(c.Args.back()));
  }
  // The exchange file's own error, and a map file that is not there.
  TRun run = Run({"export-marked", MapFile(), "--marks", "50,26", "--format", "kvx", missing + ".kvx"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find(missing + ".kvx"), std::string::npos) << run.Err;
  run = Run({"export-region", Path("nothing.map"), "--from", "50,26", "--to", "50,26", "--format", "pdf", Path("x.pdf")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("nothing.map"), std::string::npos) << run.Err;
  EXPECT_EQ(ReadText(MapFile()), MapBytes);
}

TEST_F(ExportMap, BadArgumentsExitWith2AndTheUsage) {
  const std::string out = Path("out.pdf");
  const std::vector<std::vector<std::string>> cases{
      {"export-region", MapFile(), "--to", "50,26", "--format", "pdf", out},                    // no --from
      {"export-region", MapFile(), "--from", "50,26", "--format", "pdf", out},                  // no --to
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", out},                    // no --format
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "kvx", out},  // not a region format
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "pdf", "--zoom", "0", out},
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "pdf", "--zoom", "1x", out},
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,78", "--format", "pdf", out},  // row beyond the grid
      {"export-region", MapFile(), "--from", "50,26", "--to", "2A+0", "--format", "pdf", out},  // other world
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "pdf", "--style", "bunt", out},
      {"export-region", MapFile(), "--from", "50,26", "--to", "50,26", "--format", "pdf"},     // no OUTFILE
      {"export-marked", MapFile(), "--format", "pdf", out},                                     // no --marks
      {"export-marked", MapFile(), "--marks", "50,26;", "--format", "pdf", out},                // empty position
      {"export-marked", MapFile(), "--marks", "50,26", "--format", "png", out},                 // not a marked format
      {"export-marked", MapFile(), "--marks", "50,26", out},                                    // no --format
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("usage: kuvtool"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(out));
  }
}

}  // namespace
