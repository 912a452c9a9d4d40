// The world map view: one world's GF grid as a scrollable, zoomable hex map with
// selection, marks and export region, and every export of a map region or of the
// marked GFs.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/CairoPtr.h"
#include "controls/Dialogs.h"
#include "controls/PaintBox.h"
#include "controls/ScrollBar.h"
#include "model/Map.h"
#include "render/GFRenderer.h"

// Called while an export runs with the work done and the work in all; returning
// false stops the export, which then leaves no file behind.
using TExportProgress = std::function<bool(int64_t done, int64_t total)>;

class TGFMapEditor : public TCairoPaintBox {
 public:
  // 15 mm in points: the GF radius of the PDF and SVG exports.
  static constexpr double ExportRadius = 42.51968;
  static constexpr double PNGExportRadius = 177.0;
  static constexpr double A4Width = 595.3;
  static constexpr double A4Height = 841.9;
  // Neighbouring pages of a multi-page export overlap by 20 mm.
  static constexpr double PageStepX = 538.607086614;
  static constexpr double PageStepY = 785.207086614;
  // cairo's limit for either side of an image surface, and the most memory a PNG
  // export may ask for.
  static constexpr int MaxImageSide = 32767;
  static constexpr int64_t MaxImageBytes = int64_t{1} << 30;

  TGFMapEditor();
  ~TGFMapEditor() override;

  // The map shown; not owned. Nothing is drawn or exported without one.
  TGFMap* GFMap = nullptr;
  // Where export failures are reported; not owned. Without it they go unreported
  // (the export still returns false).
  TDialogs* Dialogs = nullptr;
  // "Stygien" or "Eldrien": the base of proposed export file names.
  std::string PlaneName;

  // Position = world x (y) of the view centre.
  TScrollBarState HorzScrollBar;
  TScrollBarState VertScrollBar;

  std::function<void(TGFMapEditor& sender)> OnMarkedCellsChanged;

  bool NeedsRebuild() const { return FNeedsRebuild; }
  // The map may have changed behind the view's back (an edit in the GF editor):
  // the back buffer is rebuilt on the next draw.
  void InvalidateMap();

  TGFRenderer& GFRenderer() const { return *FGFRenderer; }
  // Takes the new renderer (a null one changes nothing) and redraws the map in its style.
  void SetGFRenderer(std::unique_ptr<TGFRenderer> renderer);

  double CellRadius() const { return FCellRadius; }
  double CellHalfHeight() const { return FCellHalfHeight; }
  // The zoom: new ranges and steps, then the selected GF comes to the centre.
  void SetCellRadius(double radius);

  TIntegerPoint SelectedCell() const { return FSelectedCell; }
  // Column kept in 0..100, row in 0..77. Neither repaints nor scrolls.
  void SelectCell(int32_t x, int32_t y);
  // The selected cell's GF, created when the cell is empty.
  TGF& SelectedGF();
  // Stores gf into the selected cell (an empty GF clears it) and redraws.
  void SetSelectedGF(std::unique_ptr<TGF> gf);

  // Scrolls so that the centre of GF (x, y) comes to the view centre, as far as
  // the ranges allow.
  void CenterOn(int32_t x, int32_t y);

  // The corners of the export region. The setters keep upper-left <= lower-right;
  // the references let the settings store values as they are.
  const TIntegerPoint& ExportRegionUpperLeft() const { return FExportRegionUpperLeft; }
  TIntegerPoint& ExportRegionUpperLeft() { return FExportRegionUpperLeft; }
  const TIntegerPoint& ExportRegionLowerRight() const { return FExportRegionLowerRight; }
  TIntegerPoint& ExportRegionLowerRight() { return FExportRegionLowerRight; }
  void SetExportRegionUpperLeft(TIntegerPoint p);
  void SetExportRegionLowerRight(TIntegerPoint p);

  // Marks, in marking order; a position may appear more than once.
  const std::vector<TIntegerPoint>& MarkedCells() const { return FMarkedCells; }
  bool IsMarked(int32_t x, int32_t y) const;
  void Mark(TIntegerPoint p);
  void Unmark(TIntegerPoint p);
  void ToggleMark(TIntegerPoint p);
  void ClearMarks();

  // The grid position under a point of the view; (0, 0) when no GF lies there.
  TIntegerPoint CellAt(double px, double py);

  // The draw handler: the back buffer (rebuilt when needed) and the overlays.
  void DrawMap(cairo_t* cr);
  // Back buffer rebuilds so far.
  int64_t RebuildCount() const { return FRebuildCount; }

  void MouseDown(EMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(int& key, TShiftState shift) override;

  // Exports; each returns true when the file was written. Failures are reported
  // through Dialogs; a stopped export writes nothing.
  bool ExportRegionAsPDF(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportRegionAsProtocolPDF(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportRegionAsMultiPagePDF(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportRegionAsMultiPageProtocolPDF(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportRegionAsSVG(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportRegionAsPNG(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportMarkedAsPDF(const std::string& fileName, const TExportProgress& progress = {});
  bool ExportMarkedAsMultiPagePDF(const std::string& fileName, const TExportProgress& progress = {});
  // Errors of the exchange-file writer are raised, as the writer raises them.
  bool ExportMarkedAsExchangeFile(const std::string& fileName, const TExportProgress& progress = {});

  // Size of the drawing of a region at radius R: from the top-left of the upper-left
  // GF's bounding box to the bottom-right of the lower-right one's.
  static TDoublePoint RegionSize(TIntegerPoint upperLeft, TIntegerPoint lowerRight, double R);
  // Pages along one side of a multi-page export: one while the drawing is smaller
  // than the page, else as many overlapping steps as it takes.
  static int PageCount(double size, double pageSize, double step);

 protected:
  void DoDraw(cairo_t* cr) override { DrawMap(cr); }
  void ContextCreated() override;
  void Resized() override;

 private:
  struct TWindow {
    double Left, Top, Right, Bottom;
  };
  // Rows and columns an export sweeps over; empty when a last is below its first.
  struct TCellRange {
    int32_t FirstRow, LastRow, FirstColumn, LastColumn;
    int64_t Count() const;
  };
  // What an export draws: the frame of a region and the cells swept around it.
  struct TExportPicture {
    TIntegerPoint UpperLeft;
    TIntegerPoint LowerRight;
    TCellRange Range;
    double R;
    // Only marked cells show their GF; row and number labels along the edges.
    bool Marked = false;
    // The part of Range inside the grid: the cells that are drawn.
    TCellRange InGrid() const;
  };
  class TProgressCounter;

  // Halves go to the even neighbour.
  static int Rnd(double v);
  // e: half the height of a GF of radius R.
  static double HalfHeight(double R);

  // Bounding-box origin of the GF dx columns right of and dy rows below a GF whose
  // origin is (0, 0); each column sits e higher than the one on its left.
  static TDoublePoint GridOffset(int32_t dx, int32_t dy, double R);
  // Bounding-box origin of GF (x, y) in the world at radius R.
  static TDoublePoint WorldOrigin(int32_t x, int32_t y, double R) { return GridOffset(x, y + 50, R); }
  // The view's window into the world, centred on the two scroll positions.
  TWindow Window() const;
  bool IsVisible(const TWindow& window, TDoublePoint origin) const;
  std::optional<TIntegerPoint> HitCell(double px, double py);

  void ScrollBarChange(TScrollBarState& sender);
  void RecreateBackBuffer();
  void RebuildBackBuffer(const TWindow& window);
  void HexagonPath(cairo_t* cr, TDoublePoint origin);
  void MarksChanged();

  TExportPicture RegionPicture(int32_t rowsBefore, int32_t rowsAfter, int32_t columnsAround, double R) const;
  std::optional<TExportPicture> MarkedPicture();
  bool ExportSinglePage(const std::string& fileName, bool svg, bool protocol, const TExportPicture& picture,
                        const TExportProgress& progress);
  bool ExportMultiPage(const std::string& fileName, bool protocol, const TExportPicture& picture,
                       const TExportProgress& progress);
  // The three sweeps, each GF at its picture origin minus shift; with a page, only
  // the GFs whose shifted origin lies near the page. False when stopped.
  bool DrawSweeps(cairo_t* cr, const TExportPicture& picture, TDoublePoint shift, bool pageOnly,
                  TProgressCounter& progress);
  void DrawMarkedLabels(cairo_t* cr, const TExportPicture& picture, int32_t x, int32_t y, TDoublePoint origin);
  void DrawProtocolHeader(cairo_t* cr, double pageWidth, bool text);
  void Report(const std::string& text) const;

  bool FNeedsRebuild = false;
  std::unique_ptr<TGFRenderer> FGFRenderer;
  TIntegerPoint FSelectedCell{50, 26};
  std::vector<TIntegerPoint> FMarkedCells;
  double FCellRadius = 64.0;
  double FCellHalfHeight;
  TIntegerPoint FExportRegionUpperLeft{50, 26};
  TIntegerPoint FExportRegionLowerRight{50, 26};
  TCairoSurfacePtr BackBufferSurface;

  bool HandlesResize = false;
  // While set, scroll changes do not repaint (zooming and centring repaint once at the end).
  bool HoldRepaint = false;
  bool MovedWhileHeld = false;
  int64_t FRebuildCount = 0;
  // Stands in for the unmarked cells of the marked-GF exports.
  std::unique_ptr<TGF> EmptyGF;
};
