// The map exports: page sizes and counts, sweep ranges and origins, PNG size and
// transparency, SVG size, the exchange file, the protocol header, the marked-GF
// picture, progress and stopping, and every failure report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/AtomicFile.h"
#include "files/KUVFile.h"
#include "model/Map.h"
#include "support/CairoStaticsAtExit.h"
#include "support/ExportProbe.h"
#include "support/RecordingGFRenderer.h"
#include "support/TestDialogs.h"
#include "views/GFMap.h"

namespace {

namespace fs = std::filesystem;
using namespace exportprobe;

constexpr double R = TGFMapEditor::ExportRadius;
const double E = R * std::sqrt(3.0) / 2;

const std::string PDFFailure = "Ups, irgendwas ist schiefgelaufen. Kann die PDF-Datei nicht erzeugen. Status: ";
const std::string GeneralFailure = "Ups, irgendwas ist schiefgelaufen. Status: ";

using TExport = bool (TGFMapEditor::*)(const std::string&, const TExportProgress&);

struct TExportKind {
  const char* Name;
  TExport Export;
  const char* Extension;
  const std::string* Failure;  // the message a failing file reports
};

const TExportKind ExportKinds[] = {
    {"ExportRegionAsPDF", &TGFMapEditor::ExportRegionAsPDF, ".pdf", &PDFFailure},
    {"ExportRegionAsProtocolPDF", &TGFMapEditor::ExportRegionAsProtocolPDF, ".pdf", &PDFFailure},
    {"ExportRegionAsMultiPagePDF", &TGFMapEditor::ExportRegionAsMultiPagePDF, ".pdf", &GeneralFailure},
    {"ExportRegionAsMultiPageProtocolPDF", &TGFMapEditor::ExportRegionAsMultiPageProtocolPDF, ".pdf", &GeneralFailure},
    {"ExportRegionAsSVG", &TGFMapEditor::ExportRegionAsSVG, ".svg", &GeneralFailure},
    {"ExportRegionAsPNG", &TGFMapEditor::ExportRegionAsPNG, ".png", &GeneralFailure},
    {"ExportMarkedAsPDF", &TGFMapEditor::ExportMarkedAsPDF, ".pdf", &PDFFailure},
    {"ExportMarkedAsMultiPagePDF", &TGFMapEditor::ExportMarkedAsMultiPagePDF, ".pdf", &GeneralFailure},
};

// The centre of KF 26 (row 5) of a GF at `origin`: a point no outline touches.
TDoublePoint Kf26Centre(TDoublePoint origin, double radius) {
  const double a = radius * 0.125;
  const double k = a * 2 / std::sqrt(3.0);
  return {origin.X + 7 * a, origin.Y + 6.5 * k};
}

std::unique_ptr<TGF> WaterGF() {
  auto gf = std::make_unique<TGF>();
  for (int n = 1; n <= KFCount; ++n) gf->Kf(n).SetTerrain(TWater());
  return gf;
}

class GFMapExport : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() /
             ("kuv-gfmap-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    View.GFMap = &Map;
    View.Dialogs = &Dialogs;
  }
  void TearDown() override {
    SetAtomicFileFault(nullptr);
    fs::remove_all(Folder);
  }

  std::string File(const std::string& name) const { return (Folder / name).string(); }

  TRecordingGFRenderer& UseRecorder(bool draw = false) {
    auto renderer = std::make_unique<TRecordingGFRenderer>(draw);
    Recorder = renderer.get();
    View.SetGFRenderer(std::move(renderer));
    return *Recorder;
  }

  void SetRegion(TIntegerPoint ul, TIntegerPoint lr) {
    View.SetExportRegionUpperLeft(ul);
    View.SetExportRegionLowerRight(lr);
  }

  void FillWithWater() {
    for (int x = 0; x < TGFMap::Columns; ++x)
      for (int y = 0; y < TGFMap::Rows; ++y) {
        auto gf = WaterGF();
        gf->Coord = Map.CoordFactory().CreateCoordFromIndex(x, y);
        Map.setElement(x, y, std::move(gf));
      }
  }

  // Grid positions drawn by DrawKFs, in call order.
  std::vector<TIntegerPoint> DrawnCells() const {
    std::vector<TIntegerPoint> cells;
    for (const auto& call : Recorder->CallsOf(TRecordingGFRenderer::CallKFs))
      cells.push_back(Map.CoordSystem().CoordToIndex(call.Coord));
    return cells;
  }

  fs::path Folder;
  TGFMap Map{1};
  TGFMapEditor View;
  TTestDialogs Dialogs;
  TRecordingGFRenderer* Recorder = nullptr;
};

TEST_F(GFMapExport, SinglePagesHaveTheRegionsSize) {
  struct TCase {
    const char* Name;
    TExport Export;
    TIntegerPoint UL, LR;
    double Width, Height;
  };
  const TCase cases[] = {
      {"default region", &TGFMapEditor::ExportRegionAsPDF, {50, 26}, {50, 26}, 85.03936, 73.646},
      {"default region, protocol", &TGFMapEditor::ExportRegionAsProtocolPDF, {50, 26}, {50, 26}, 85.03936, 73.646},
      {"5 x 5", &TGFMapEditor::ExportRegionAsPDF, {40, 20}, {45, 25}, 5 * 1.5 * R + 2 * R, 6 * 2 * E - 5 * E},
      {"a column", &TGFMapEditor::ExportRegionAsPDF, {0, 0}, {0, 77}, 2 * R, 78 * 2 * E},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetRegion(c.UL, c.LR);
    const std::string file = File("region.pdf");
    ASSERT_TRUE((View.*c.Export)(file, {}));
    const std::vector<TPageSize> pages = PdfPageSizes(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(PdfPageCount(file), 1);
    EXPECT_NEAR(pages[0].Width, c.Width, 1e-3);
    EXPECT_NEAR(pages[0].Height, c.Height, 1e-3);
  }
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(GFMapExport, SVGHasTheRegionsSize) {
  SetRegion({40, 20}, {45, 25});
  const std::string file = File("region.svg");
  ASSERT_TRUE(View.ExportRegionAsSVG(file));
  const auto size = SvgSize(file);
  ASSERT_TRUE(size);
  EXPECT_NEAR(size->Width, 5 * 1.5 * R + 2 * R, 1e-3);
  EXPECT_NEAR(size->Height, 6 * 2 * E - 5 * E, 1e-3);
}

TEST_F(GFMapExport, PageCountsStepByTheOverlap) {
  EXPECT_EQ(TGFMapEditor::PageCount(595.3, 595.3, 538.607086614), 2);
  EXPECT_EQ(TGFMapEditor::PageCount(595.29, 595.3, 538.607086614), 1);
  EXPECT_EQ(TGFMapEditor::PageCount(1077.2, 595.3, 538.607086614), 2);
  EXPECT_EQ(TGFMapEditor::PageCount(1077.3, 595.3, 538.607086614), 3);
  EXPECT_EQ(TGFMapEditor::PageCount(841.9, 841.9, 785.207086614), 2);
  EXPECT_EQ(TGFMapEditor::PageCount(841.8, 841.9, 785.207086614), 1);

  struct TCase {
    TIntegerPoint UL, LR;
    int Pages;
  };
  const TCase cases[] = {
      {{50, 26}, {50, 26}, 1},
      {{40, 20}, {48, 30}, 1},  // 595.276 wide: just below a page
      {{40, 20}, {49, 30}, 2},  // 659.055 wide
      {{40, 20}, {40, 30}, 1},  // 810.1 high
      {{40, 20}, {40, 31}, 2},  // 883.75 high
      {{10, 10}, {30, 40}, 6},  // 3 columns of 2 pages
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.UL.X << "," << c.UL.Y << " .. " << c.LR.X << "," << c.LR.Y);
    SetRegion(c.UL, c.LR);
    const std::string file = File("pages.pdf");
    ASSERT_TRUE(View.ExportRegionAsMultiPagePDF(file));
    EXPECT_EQ(PdfPageCount(file), c.Pages);
    const std::vector<TPageSize> pages = PdfPageSizes(file);
    EXPECT_EQ(pages.size(), static_cast<size_t>(c.Pages));
    for (const TPageSize& page : pages) {
      EXPECT_NEAR(page.Width, 595.3, 1e-3);
      EXPECT_NEAR(page.Height, 841.9, 1e-3);
    }
  }
}

TEST_F(GFMapExport, SweepsCoverTheMarginsRowsFirstAtRegionOrigins) {
  struct TCase {
    const char* Name;
    TExport Export;
    int FirstRow, LastRow, FirstColumn, LastColumn;
    double Radius;
    bool Marked, Paged;
  };
  // Region (40, 20) .. (42, 23); the mark (41, 21) gives the box (40, 19) .. (42, 23).
  const TCase cases[] = {
      {"single-page PDF", &TGFMapEditor::ExportRegionAsPDF, 18, 23, 38, 44, R, false, false},
      {"protocol PDF", &TGFMapEditor::ExportRegionAsProtocolPDF, 18, 23, 38, 44, R, false, false},
      {"multi-page PDF", &TGFMapEditor::ExportRegionAsMultiPagePDF, 18, 25, 38, 44, R, false, true},
      {"SVG", &TGFMapEditor::ExportRegionAsSVG, 19, 23, 39, 43, R, false, false},
      {"PNG", &TGFMapEditor::ExportRegionAsPNG, 19, 23, 39, 43, TGFMapEditor::PNGExportRadius, false, false},
      {"marked PDF", &TGFMapEditor::ExportMarkedAsPDF, 18, 24, 39, 43, R, true, false},
      {"marked multi-page PDF", &TGFMapEditor::ExportMarkedAsMultiPagePDF, 18, 24, 39, 43, R, true, true},
  };
  SetRegion({40, 20}, {42, 23});
  View.Mark({41, 21});
  UseRecorder();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Recorder->Calls.clear();
    ASSERT_TRUE((View.*c.Export)(File("sweeps"), {}));
    const TIntegerPoint ul = c.Marked ? TIntegerPoint{40, 19} : TIntegerPoint{40, 20};
    const double e = c.Radius * std::sqrt(3.0) / 2;
    const auto origin = [&](TIntegerPoint p) {
      return TDoublePoint{(p.X - ul.X) * 1.5 * c.Radius, (p.Y - ul.Y) * 2 * e - (p.X - ul.X) * e};
    };
    std::vector<TIntegerPoint> expected;
    for (int y = c.FirstRow; y <= c.LastRow; ++y)
      for (int x = c.FirstColumn; x <= c.LastColumn; ++x) {
        // A page draws the GFs whose origin lies within 2R and 2e of it.
        const TDoublePoint o = origin({x, y});
        if (c.Paged && !(-2 * c.Radius < o.X && o.X < 595.3 + 2 * c.Radius && -2 * e < o.Y && o.Y < 841.9 + 2 * e))
          continue;
        expected.push_back({x, y});
      }
    EXPECT_EQ(DrawnCells(), expected);

    // Terrain and features of all, then labels of all, then outlines of all.
    const auto& calls = Recorder->Calls;
    const size_t n = expected.size();
    ASSERT_EQ(calls.size(), 4 * n);
    for (size_t i = 0; i < n; ++i) {
      EXPECT_EQ(calls[2 * i].Kind, TRecordingGFRenderer::CallKFs);
      EXPECT_EQ(calls[2 * i + 1].Kind, TRecordingGFRenderer::CallGF);
      EXPECT_EQ(calls[2 * n + i].Kind, TRecordingGFRenderer::CallLabels);
      EXPECT_EQ(calls[3 * n + i].Kind, TRecordingGFRenderer::CallOutline);
    }
    // Origins relative to the upper-left GF of the frame.
    for (size_t i = 0; i < n; ++i) {
      EXPECT_NEAR(calls[2 * i].X, origin(expected[i]).X, 1e-9);
      EXPECT_NEAR(calls[2 * i].Y, origin(expected[i]).Y, 1e-9);
      EXPECT_EQ(calls[2 * i].R, c.Radius);
    }
  }
}

TEST_F(GFMapExport, RegionsAtTheGridsEdgeExportWholeWithoutGoingOutside) {
  struct TCase {
    const char* Name;
    TExport Export;
    TIntegerPoint UL, LR;
    size_t Cells;
  };
  const TCase cases[] = {
      {"PDF at the top-left corner", &TGFMapEditor::ExportRegionAsPDF, {0, 0}, {1, 1}, 2 * 4},
      {"PDF at the bottom-right corner", &TGFMapEditor::ExportRegionAsPDF, {99, 76}, {100, 77}, 4 * 4},
      {"multi-page PDF at the bottom-right corner", &TGFMapEditor::ExportRegionAsMultiPagePDF, {99, 76}, {100, 77}, 0},
      {"SVG at the top-left corner", &TGFMapEditor::ExportRegionAsSVG, {0, 0}, {0, 0}, 1 * 2},
      {"PNG at the bottom-right corner", &TGFMapEditor::ExportRegionAsPNG, {100, 77}, {100, 77}, 2 * 2},
  };
  UseRecorder();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Recorder->Calls.clear();
    SetRegion(c.UL, c.LR);
    EXPECT_TRUE((View.*c.Export)(File("edge"), {}));
    const std::vector<TIntegerPoint> cells = DrawnCells();
    if (c.Cells != 0) {
      EXPECT_EQ(cells.size(), c.Cells);
    }
    EXPECT_FALSE(cells.empty());
    for (const TIntegerPoint& p : cells) EXPECT_TRUE(TGFMap::InGrid(p.X, p.Y));
  }
  EXPECT_TRUE(Dialogs.Messages.empty());

  // A mark in the corner: its widened box reaches far outside the grid.
  Recorder->Calls.clear();
  View.Mark({0, 0});
  EXPECT_TRUE(View.ExportMarkedAsPDF(File("corner.pdf")));
  EXPECT_EQ(DrawnCells().size(), 4u * 3u);  // rows 0..3 of columns 0..2
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(GFMapExport, PNGIsTheRoundedRegionSizeAtRadius177OnATransparentGround) {
  const double r = TGFMapEditor::PNGExportRadius;
  auto gf = WaterGF();
  gf->Coord = Map.CoordFactory().CreateCoordFromIndex(0, 0);
  Map.setElement(0, 0, std::move(gf));
  SetRegion({0, 0}, {0, 0});
  const std::string file = File("corner.png");
  ASSERT_TRUE(View.ExportRegionAsPNG(file));
  const TImage image = LoadPng(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(cairo_image_surface_get_width(image.get()), 354);
  EXPECT_EQ(cairo_image_surface_get_height(image.get()), 307);  // 306.55 rounded
  EXPECT_EQ(PixelAt(image.get(), 1, 1).A, 0);                   // beside the hexagon: nothing drawn
  const TDoublePoint kf26 = Kf26Centre({0, 0}, r);
  EXPECT_TRUE(Near(PixelAt(image.get(), static_cast<int>(kf26.X), static_cast<int>(kf26.Y)), 0.5, 0.898, 1));

  SetRegion({40, 20}, {45, 25});
  ASSERT_TRUE(View.ExportRegionAsPNG(file));
  const TImage larger = LoadPng(file);
  ASSERT_TRUE(larger);
  EXPECT_EQ(cairo_image_surface_get_width(larger.get()), 1682);   // 5 * 265.5 + 354 = 1681.5, to even
  EXPECT_EQ(cairo_image_surface_get_height(larger.get()), 1073);  // 6 * 306.55 - 5 * 153.28
}

TEST_F(GFMapExport, ExchangeFileHoldsTheMarkedGFsInMarkingOrder) {
  const auto noted = [&](int x, int y, const std::string& note) {
    auto gf = WaterGF();
    gf->Coord = Map.CoordFactory().CreateCoordFromIndex(x, y);
    gf->Notes.push_back(note);
    Map.setElement(x, y, std::move(gf));
  };
  noted(7, 8, "first");
  noted(3, 4, "second");
  View.Mark({7, 8});
  View.Mark({3, 4});
  View.Mark({60, 60});  // empty cell: an empty record, and the cell gets a GF
  const std::string file = File("marked.kvx");
  ASSERT_TRUE(View.ExportMarkedAsExchangeFile(file));

  TMemorySink expected;
  const std::vector<const TGF*> gfs = {Map.Peek(7, 8), Map.Peek(3, 4), Map.Peek(60, 60)};
  ASSERT_NE(gfs[2], nullptr);
  TKUVMapExporter().ExportTo(expected, gfs);
  EXPECT_EQ(ReadBytes(file), expected.Bytes);
  EXPECT_TRUE(Dialogs.Messages.empty());

  View.ClearMarks();
  ASSERT_TRUE(View.ExportMarkedAsExchangeFile(file));
  EXPECT_EQ(ReadBytes(file), (std::vector<uint8_t>{6, 4, 'K', 'U', 'V', 'E', 2, 1}));
}

TEST_F(GFMapExport, ExchangeFileErrorsReachTheCaller) {
  View.Mark({1, 1});
  EXPECT_THROW(View.ExportMarkedAsExchangeFile(File("missing/marked.kvx")), EFileCreateError);
}

TEST_F(GFMapExport, MarkedExportsWithoutMarksSayWhy) {
  for (TExport e : {&TGFMapEditor::ExportMarkedAsPDF, &TGFMapEditor::ExportMarkedAsMultiPagePDF}) {
    EXPECT_FALSE((View.*e)(File("none.pdf"), {}));
    EXPECT_FALSE(fs::exists(File("none.pdf")));
  }
  EXPECT_EQ(Dialogs.Messages, (std::vector<std::string>(2, "Es sind keine GF markiert.")));
}

TEST_F(GFMapExport, MarkedPDFIsTheWidenedBoxAroundTheMarks) {
  struct TCase {
    std::vector<TIntegerPoint> Marks;
    TIntegerPoint UL, LR;
  };
  const TCase cases[] = {
      {{{50, 26}}, {49, 24}, {51, 28}},
      // minX 40 maxX 44 minY 20 maxY 22; first mark of row 20 is (42, 20), of row 22 (40, 22).
      {{{44, 21}, {42, 20}, {40, 22}, {41, 22}}, {39, 16}, {45, 28}},
  };
  for (const TCase& c : cases) {
    View.ClearMarks();
    for (const TIntegerPoint& p : c.Marks) View.Mark(p);
    const std::string file = File("marked.pdf");
    ASSERT_TRUE(View.ExportMarkedAsPDF(file));
    const std::vector<TPageSize> pages = PdfPageSizes(file);
    ASSERT_EQ(pages.size(), 1u);
    const TDoublePoint size = TGFMapEditor::RegionSize(c.UL, c.LR, R);
    EXPECT_NEAR(pages[0].Width, size.X, 1e-3);
    EXPECT_NEAR(pages[0].Height, size.Y, 1e-3);
  }
  // One mark: 5R by 8e.
  EXPECT_NEAR(TGFMapEditor::RegionSize({49, 24}, {51, 28}, R).X, 5 * R, 1e-9);
  EXPECT_NEAR(TGFMapEditor::RegionSize({49, 24}, {51, 28}, R).Y, 8 * E, 1e-9);
}

TEST_F(GFMapExport, MarkedMultiPagePDFLaysTheMarkedPictureOverA4Pages) {
  View.Mark({10, 10});
  View.Mark({30, 40});
  // Box (9, 8) .. (31, 42): 1488.2 by 1767.5 points, 3 by 3 pages.
  const std::string file = File("marked.pdf");
  ASSERT_TRUE(View.ExportMarkedAsMultiPagePDF(file));
  EXPECT_EQ(PdfPageCount(file), 9);
  for (const TPageSize& page : PdfPageSizes(file)) {
    EXPECT_NEAR(page.Width, 595.3, 1e-3);
    EXPECT_NEAR(page.Height, 841.9, 1e-3);
  }
}

// The pictures themselves, through pdftoppm at 72 dpi (one pixel per point).
class GFMapExportPicture : public GFMapExport {
 protected:
  void SetUp() override {
    GFMapExport::SetUp();
    if (!HasPdftoppm()) GTEST_SKIP() << "pdftoppm is not installed";
    FillWithWater();
  }
};

TEST_F(GFMapExportPicture, MarkedPDFShowsOnlyTheMarkedGFWithLabelsAlongTheEdges) {
  View.Mark({50, 26});
  // Box (49, 24) .. (51, 28): GF (x, y) at ((x - 49) * 1.5R, (y - 24) * 2e - (x - 49) * e).
  const auto origin = [](int x, int y) { return TDoublePoint{(x - 49) * 1.5 * R, (y - 24) * 2 * E - (x - 49) * E}; };
  const std::string file = File("marked.pdf");
  ASSERT_TRUE(View.ExportMarkedAsPDF(file));
  const TImage page = RasterisePdfPage(file, 1);
  ASSERT_TRUE(page);
  const auto isWater = [&](int x, int y) {
    const TDoublePoint p = Kf26Centre(origin(x, y), R);
    return Near(PixelAt(page.get(), static_cast<int>(p.X), static_cast<int>(p.Y)), 0.5, 0.898, 1);
  };
  EXPECT_TRUE(isWater(50, 26));
  for (const auto& [x, y] : {std::pair{49, 25}, std::pair{51, 27}, std::pair{50, 27}, std::pair{50, 25}})
    EXPECT_FALSE(isWater(x, y)) << "unmarked " << x << ", " << y;

  // Without the map's drawing only the labels are left: row labels down the left
  // column (below its top), number labels along the top diagonal.
  UseRecorder();
  ASSERT_TRUE(View.ExportMarkedAsPDF(file));
  const TImage labels = RasterisePdfPage(file, 1);
  ASSERT_TRUE(labels);
  const auto inked = [&](int x, int y) {
    const TDoublePoint o = origin(x, y);
    const int cx = static_cast<int>(o.X + R);
    const int cy = static_cast<int>(o.Y + E);
    return CountDark(labels.get(), cx - 14, cy - 10, cx + 14, cy + 10);
  };
  for (const auto& [x, y] : {std::pair{49, 25}, std::pair{49, 26}, std::pair{49, 27}, std::pair{49, 24},
                             std::pair{50, 25}, std::pair{51, 26}})
    EXPECT_GT(inked(x, y), 8) << "label of " << x << ", " << y;
  for (const auto& [x, y] : {std::pair{50, 26}, std::pair{51, 27}, std::pair{50, 24}, std::pair{51, 25}})
    EXPECT_EQ(inked(x, y), 0) << "no label at " << x << ", " << y;
}

TEST_F(GFMapExportPicture, ProtocolHeaderCoversTheTopBandAndFollowsTheZoom) {
  View.SetGFRenderer(CreateGFRenderer(RenderStyleProtocol));
  SetRegion({40, 20}, {49, 30});
  const std::string file = File("protocol.pdf");
  ASSERT_TRUE(View.ExportRegionAsProtocolPDF(file));
  const TImage page = RasterisePdfPage(file, 1);
  ASSERT_TRUE(page);
  // The band is white apart from the header; below it the grey map shows.
  EXPECT_TRUE(Near(PixelAt(page.get(), 300, 8), 1, 1, 1));
  EXPECT_TRUE(Near(PixelAt(page.get(), 620, 20), 1, 1, 1));
  EXPECT_GT(CountDark(page.get(), 20, 18, 120, 31), 40);  // "Protokoll zu GR:"
  int line = 0;  // the second blank line
  for (int x = 400; x < 570; ++x)
    if (!Near(PixelAt(page.get(), x, 29), 1, 1, 1) || !Near(PixelAt(page.get(), x, 30), 1, 1, 1)) ++line;
  EXPECT_GT(line, 160);
  EXPECT_EQ(CountDark(page.get(), 20, 10, 120, 17), 0);   // 12 points high at 100 %

  View.SetCellRadius(128);  // 200 %: 24 points
  ASSERT_TRUE(View.ExportRegionAsProtocolPDF(file));
  const TImage zoomed = RasterisePdfPage(file, 1);
  ASSERT_TRUE(zoomed);
  EXPECT_GT(CountDark(zoomed.get(), 20, 10, 120, 17), 20);
}

TEST_F(GFMapExportPicture, MultiPageProtocolBandOnTheFirstRowHeaderOnTheFirstPage) {
  View.SetGFRenderer(CreateGFRenderer(RenderStyleProtocol));
  SetRegion({10, 10}, {30, 40});  // 3 columns, 2 rows
  const std::string file = File("pages.pdf");
  ASSERT_TRUE(View.ExportRegionAsMultiPageProtocolPDF(file));
  ASSERT_EQ(PdfPageCount(file), 6);
  struct TCase {
    int Page;
    bool Band, Header;
  };
  for (const TCase& c : {TCase{1, true, true}, TCase{2, true, false}, TCase{3, true, false}, TCase{4, false, false},
                         TCase{5, false, false}}) {
    SCOPED_TRACE(testing::Message() << "page " << c.Page);
    const TImage page = RasterisePdfPage(file, c.Page);
    ASSERT_TRUE(page);
    int coloured = 0;
    for (int y = 2; y < 18; y += 3)  // above the header's text
      for (int x = 150; x < 450; x += 3)
        if (!Near(PixelAt(page.get(), x, y), 1, 1, 1)) ++coloured;
    if (c.Band) {
      EXPECT_EQ(coloured, 0);
    } else {
      EXPECT_GT(coloured, 300);
    }
    if (c.Band) {
      EXPECT_EQ(CountDark(page.get(), 20, 18, 120, 31) > 40, c.Header);
    }
  }
}

TEST_F(GFMapExportPicture, NeighbouringPagesOverlapByTwentyMillimetres) {
  SetRegion({10, 10}, {30, 40});
  const std::string file = File("pages.pdf");
  ASSERT_TRUE(View.ExportRegionAsMultiPagePDF(file));
  // At 127 dpi the page steps of 538.607 and 785.207 points are 950 and 1385 pixels
  // (to a twentieth of a pixel), so the overlaps line up; edges may differ by a shade.
  const TImage first = RasterisePdfPage(file, 1, 127);
  const TImage right = RasterisePdfPage(file, 2, 127);
  const TImage below = RasterisePdfPage(file, 4, 127);
  ASSERT_TRUE(first && right && below);
  int compared = 0;
  int differing = 0;
  const auto same = [&](cairo_surface_t* a, int ax, int ay, cairo_surface_t* b, int bx, int by) {
    const TRgba p = PixelAt(a, ax, ay);
    const TRgba q = PixelAt(b, bx, by);
    ++compared;
    if (std::abs(p.R - q.R) + std::abs(p.G - q.G) + std::abs(p.B - q.B) > 0.3) ++differing;
  };
  for (int y = 0; y < 1385; y += 7)
    for (int x = 2; x < 98; x += 3) same(first.get(), 950 + x, y, right.get(), x, y);
  for (int y = 2; y < 98; y += 3)
    for (int x = 0; x < 950; x += 7) same(first.get(), x, 1385 + y, below.get(), x, y);
  EXPECT_LT(differing, compared / 200);
  // The overlap is not blank: the map runs through it.
  EXPECT_GT(CountDark(right.get(), 0, 0, 100, 1385), 1000);
}

// Failures: the folder is missing, writing fails, the sync before the rename fails.
TEST_F(GFMapExport, FailuresAreReportedWithTheirStatusAndLeaveNoFile) {
  View.Mark({50, 26});
  struct TFault {
    const char* Name;
    TAtomicFileFault Fault;
    bool MissingFolder;
  };
  const TFault faults[] = {
      {"missing folder", nullptr, true},
      {"write error", [](EAtomicFileStep step) { return step == EAtomicFileStep::Write ? EIO : 0; }, false},
      {"sync error", [](EAtomicFileStep step) { return step == EAtomicFileStep::Sync ? ENOSPC : 0; }, false},
  };
  for (const TFault& fault : faults)
    for (const TExportKind& kind : ExportKinds) {
      SCOPED_TRACE(testing::Message() << fault.Name << ", " << kind.Name);
      Dialogs.Messages.clear();
      const std::string file = fault.MissingFolder ? File(std::string("missing/out") + kind.Extension)
                                                   : File(std::string("out") + kind.Extension);
      if (!fault.MissingFolder) {
        std::ofstream(file) << "old";
      }
      SetAtomicFileFault(fault.Fault);
      EXPECT_FALSE((View.*kind.Export)(file, {}));
      SetAtomicFileFault(nullptr);
      EXPECT_EQ(Dialogs.Messages, std::vector<std::string>{*kind.Failure + "11"});
      if (fault.MissingFolder) {
        EXPECT_FALSE(fs::exists(file));
      } else {
        EXPECT_EQ(ReadText(file), "old");
      }
      std::vector<std::string> left;
      for (const auto& entry : fs::directory_iterator(Folder))
        if (entry.path().filename().string()[0] == '.') left.push_back(entry.path().filename().string());
      EXPECT_TRUE(left.empty()) << left.front();
    }
}

TEST_F(GFMapExport, RegionsWithoutAPictureAreRefused) {
  // Lower-right five columns right of the upper-left in the same row: the frame's
  // bottom lies above its top.
  View.ExportRegionUpperLeft() = {50, 26};
  View.ExportRegionLowerRight() = {55, 26};
  UseRecorder();
  for (const TExportKind& kind : ExportKinds) {
    if (std::string(kind.Name).find("Marked") != std::string::npos) continue;
    SCOPED_TRACE(kind.Name);
    Dialogs.Messages.clear();
    const std::string file = File(std::string("none") + kind.Extension);
    EXPECT_FALSE((View.*kind.Export)(file, {}));
    EXPECT_EQ(Dialogs.Messages, std::vector<std::string>{*kind.Failure + "32"});
    EXPECT_FALSE(fs::exists(file));
  }
  EXPECT_TRUE(Recorder->Calls.empty());
}

TEST_F(GFMapExport, HugePNGsAreRefusedBeforeAnythingIsDrawn) {
  UseRecorder();
  struct TCase {
    const char* Name;
    TIntegerPoint UL, LR;
    const char* Status;
  };
  // Corners as the settings may store them.
  const TCase cases[] = {
      {"wider than 32767 pixels", {-50, 0}, {100, 77}, "32"},
      {"more than 1 GB", {0, 0}, {100, 90}, "1"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Dialogs.Messages.clear();
    View.ExportRegionUpperLeft() = c.UL;
    View.ExportRegionLowerRight() = c.LR;
    EXPECT_FALSE(View.ExportRegionAsPNG(File("huge.png")));
    EXPECT_EQ(Dialogs.Messages, std::vector<std::string>{GeneralFailure + c.Status});
    EXPECT_FALSE(fs::exists(File("huge.png")));
  }
  EXPECT_TRUE(Recorder->Calls.empty());
}

TEST_F(GFMapExport, ProgressCountsUpAndAStopLeavesTheOldFile) {
  SetRegion({40, 20}, {44, 26});
  View.Mark({41, 21});
  View.Mark({43, 24});
  for (const TExportKind& kind : ExportKinds) {
    SCOPED_TRACE(kind.Name);
    const std::string file = File(std::string("progress") + kind.Extension);
    std::vector<std::pair<int64_t, int64_t>> reports;
    ASSERT_TRUE((View.*kind.Export)(file, [&](int64_t done, int64_t total) {
      reports.emplace_back(done, total);
      return true;
    }));
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.front().first, 0);
    EXPECT_EQ(reports.back().first, reports.back().second);
    for (size_t i = 1; i < reports.size(); ++i) {
      EXPECT_GE(reports[i].first, reports[i - 1].first);
      EXPECT_EQ(reports[i].second, reports[0].second);
    }

    std::ofstream(file) << "old";
    int calls = 0;
    EXPECT_FALSE((View.*kind.Export)(file, [&](int64_t done, int64_t total) {
      ++calls;
      return done < total / 2;
    }));
    EXPECT_GT(calls, 1);
    EXPECT_EQ(ReadText(file), "old");
  }
  EXPECT_TRUE(Dialogs.Messages.empty());

  // The exchange file stops before it writes anything.
  EXPECT_FALSE(View.ExportMarkedAsExchangeFile(File("stopped.kvx"), [](int64_t, int64_t) { return false; }));
  EXPECT_FALSE(fs::exists(File("stopped.kvx")));
}

TEST_F(GFMapExport, ExportsUseTheViewsStyleAndGrowTheMapOnlyInsideTheGrid) {
  SetRegion({40, 20}, {42, 23});
  EXPECT_EQ(Map.StoredCount(), 0);
  ASSERT_TRUE(View.ExportRegionAsPDF(File("styled.pdf")));
  EXPECT_EQ(Map.StoredCount(), 6 * 7);  // every cell of the sweep range was asked for

  UseRecorder();
  ASSERT_TRUE(View.ExportRegionAsSVG(File("styled.svg")));
  EXPECT_FALSE(Recorder->Calls.empty());
}

}  // namespace
