// The map exports: the export region as PDF (single or multi-page, plain or with
// the protocol header), SVG or PNG, and the marked GFs as PDF or exchange file.
#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "files/KUVFile.h"
#include "views/GFMap.h"

namespace {

const std::string PDFFailureMessage = "Ups, irgendwas ist schiefgelaufen. Kann die PDF-Datei nicht erzeugen. Status: ";
const std::string GeneralFailureMessage = "Ups, irgendwas ist schiefgelaufen. Status: ";
const std::string NoMarksMessage = "Es sind keine GF markiert.";

std::string StatusText(cairo_status_t status) { return std::to_string(static_cast<int>(status)); }

// Where cairo writes an export: a temporary file that takes the target's place only
// when the export is complete, so a failed or stopped export leaves nothing behind.
class TExportFile {
 public:
  explicit TExportFile(const std::string& fileName) : File(fileName) {}
  TExportFile(const TExportFile&) = delete;
  TExportFile& operator=(const TExportFile&) = delete;

  // Null when the file cannot be created.
  static std::unique_ptr<TExportFile> Create(const std::string& fileName) {
    try {
      return std::make_unique<TExportFile>(fileName);
    } catch (const EKUVException&) {
      return nullptr;
    }
  }

  // cairo's write function; the closure is the TExportFile.
  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
    auto& self = *static_cast<TExportFile*>(closure);
    if (self.Failed) return CAIRO_STATUS_WRITE_ERROR;
    self.Buffer.insert(self.Buffer.end(), data, data + length);
    if (self.Buffer.size() >= BufferSize && !self.Flush()) return CAIRO_STATUS_WRITE_ERROR;
    return CAIRO_STATUS_SUCCESS;
  }

  bool Commit() {
    if (!Flush()) return false;
    try {
      File.Commit();
      return true;
    } catch (const EKUVException&) {
      return false;
    }
  }

 private:
  static constexpr size_t BufferSize = size_t{1} << 16;

  bool Flush() {
    if (Failed) return false;
    try {
      File.Write(Buffer.data(), Buffer.size());
      Buffer.clear();
    } catch (const EKUVException&) {
      Failed = true;
    }
    return !Failed;
  }

  TAtomicFile File;
  std::vector<uint8_t> Buffer;
  bool Failed = false;
};

// Creates the file of a PDF or SVG export and the surface of the given page size
// that writes it. A drawing without area (a region whose lower-right corner lies
// above its upper-left one) has no picture. The failing status, or success.
cairo_status_t OpenVectorFile(const std::string& fileName, bool svg, TDoublePoint drawing, TDoublePoint page,
                              std::unique_ptr<TExportFile>& file, TCairoSurfacePtr& surface) {
  if (drawing.X <= 0 || drawing.Y <= 0) return CAIRO_STATUS_INVALID_SIZE;
  file = TExportFile::Create(fileName);
  if (!file) return CAIRO_STATUS_WRITE_ERROR;
  surface.reset(svg ? cairo_svg_surface_create_for_stream(TExportFile::Write, file.get(), page.X, page.Y)
                    : cairo_pdf_surface_create_for_stream(TExportFile::Write, file.get(), page.X, page.Y));
  return cairo_surface_status(surface.get());
}

// Releases the context and finishes the surface, which writes the rest of a PDF or
// SVG; a completed file then takes its target's place. The first failure's status.
cairo_status_t FinishVectorFile(TCairoContextPtr context, cairo_surface_t* surface, TExportFile& file, bool completed) {
  cairo_status_t status = cairo_status(context.get());
  context.reset();
  cairo_surface_finish(surface);
  if (!completed) return status;
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS && !file.Commit()) status = CAIRO_STATUS_WRITE_ERROR;
  return status;
}

}  // namespace

class TGFMapEditor::TProgressCounter {
 public:
  TProgressCounter(const TExportProgress& callback, int64_t total) : Callback(callback), Total(total) {}
  // False when the callback asks to stop.
  bool Advance(int64_t work) {
    Done += work;
    return !Callback || Callback(Done, Total);
  }

 private:
  const TExportProgress& Callback;
  int64_t Total;
  int64_t Done = 0;
};

int64_t TGFMapEditor::TCellRange::Count() const {
  if (LastRow < FirstRow || LastColumn < FirstColumn) return 0;
  return int64_t{LastRow - FirstRow + 1} * (LastColumn - FirstColumn + 1);
}

TGFMapEditor::TCellRange TGFMapEditor::TExportPicture::InGrid() const {
  return {std::max(Range.FirstRow, 0), std::min(Range.LastRow, TGFMap::Rows - 1), std::max(Range.FirstColumn, 0),
          std::min(Range.LastColumn, TGFMap::Columns - 1)};
}

TGFMapEditor::TExportPicture TGFMapEditor::RegionPicture(int32_t rowsBefore, int32_t rowsAfter, int32_t columnsAround,
                                                          double R) const {
  const TIntegerPoint ul = FExportRegionUpperLeft;
  const TIntegerPoint lr = FExportRegionLowerRight;
  return {ul, lr, {ul.Y - rowsBefore, lr.Y + rowsAfter, ul.X - columnsAround, lr.X + columnsAround}, R};
}

std::optional<TGFMapEditor::TExportPicture> TGFMapEditor::MarkedPicture() {
  if (FMarkedCells.empty()) return std::nullopt;
  int32_t minX = FMarkedCells.front().X;
  int32_t maxX = minX;
  int32_t minY = FMarkedCells.front().Y;
  int32_t maxY = minY;
  for (const TIntegerPoint& p : FMarkedCells) {
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  const auto firstInRow = [&](int32_t y) {
    return *std::find_if(FMarkedCells.begin(), FMarkedCells.end(), [&](const TIntegerPoint& p) { return p.Y == y; });
  };
  const TIntegerPoint top = firstInRow(minY);
  const TIntegerPoint bottom = firstInRow(maxY);
  // Widened so that every column's top and bottom edges lie inside.
  const TIntegerPoint ul{minX - 1, minY - (top.X - minX + 1) - 1};
  const TIntegerPoint lr{maxX + 1, maxY + (maxX - bottom.X + 1) + 1};
  TExportPicture picture{ul, lr, {ul.Y - 1, lr.Y + 1, ul.X - 1, lr.X + 1}, ExportRadius};
  picture.Marked = true;
  return picture;
}

void TGFMapEditor::Report(const std::string& text) const {
  if (Dialogs) Dialogs->ShowMessage(text);
}

bool TGFMapEditor::DrawSweeps(cairo_t* cr, const TExportPicture& picture, TDoublePoint shift, bool pageOnly,
                              TProgressCounter& progress) {
  const double R = picture.R;
  const double e = HalfHeight(R);
  const TCellRange range = picture.InGrid();

  // Only marked cells show their GF; the rest are empty GFs that know their place.
  std::vector<bool> marked;
  if (picture.Marked) {
    marked.assign(static_cast<size_t>(TGFMap::Columns) * TGFMap::Rows, false);
    for (const TIntegerPoint& p : FMarkedCells)
      if (TGFMap::InGrid(p.X, p.Y)) marked[static_cast<size_t>(p.X) * TGFMap::Rows + p.Y] = true;
    if (!EmptyGF) EmptyGF = std::make_unique<TGF>();
  }
  const auto gfAt = [&](int32_t x, int32_t y) -> const TGF& {
    if (!picture.Marked || marked[static_cast<size_t>(x) * TGFMap::Rows + y]) return GFMap->getElement(x, y);
    EmptyGF->Coord = GFMap->CoordFactory().CreateCoordFromIndex(x, y);
    return *EmptyGF;
  };

  TGFRenderer& renderer = *FGFRenderer;
  const int64_t rowWork = std::max(range.LastColumn - range.FirstColumn + 1, 0);
  for (int sweep = 0; sweep < 3; ++sweep)
    for (int32_t y = range.FirstRow; y <= range.LastRow; ++y) {
      for (int32_t x = range.FirstColumn; x <= range.LastColumn; ++x) {
        const TDoublePoint offset = GridOffset(x - picture.UpperLeft.X, y - picture.UpperLeft.Y, R);
        const TDoublePoint origin{offset.X - shift.X, offset.Y - shift.Y};
        if (pageOnly && !(-2 * R < origin.X && origin.X < A4Width + 2 * R && -2 * e < origin.Y &&
                          origin.Y < A4Height + 2 * e))
          continue;
        const TGF& gf = gfAt(x, y);
        if (sweep == 0) {
          renderer.DrawKFs(cr, gf, origin.X, origin.Y, R);
          renderer.DrawGF(cr, gf, origin.X, origin.Y, R);
        } else if (sweep == 1) {
          renderer.DrawLabels(cr, gf, origin.X, origin.Y, R);
        } else {
          renderer.DrawOutline(cr, gf, origin.X, origin.Y, R);
          if (picture.Marked) DrawMarkedLabels(cr, picture, x, y, origin);
        }
      }
      if (!progress.Advance(rowWork)) return false;
    }
  return true;
}

void TGFMapEditor::DrawMarkedLabels(cairo_t* cr, const TExportPicture& picture, int32_t x, int32_t y,
                                    TDoublePoint origin) {
  const int32_t left = picture.UpperLeft.X;
  const int32_t top = picture.UpperLeft.Y;
  const bool rowLabel = x == left && y != top;
  const bool numberLabel = y == top + Rnd((x - left) / 2.0 + 0.5);
  if (!rowLabel && !numberLabel) return;

  const double R = picture.R;
  const double e = HalfHeight(R);
  const TKUVCoord coord = GFMap->getElement(x, y).Coord;
  // The protocol labels leave their own font selected; these labels keep theirs.
  cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 24 * R / 64);
  cairo_set_source_rgb(cr, 0, 0, 0);
  const auto centred = [&](const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, origin.X + R - extents.width / 2, origin.Y + e + extents.height / 2);
    cairo_show_text(cr, text.c_str());
  };
  if (rowLabel) centred(coord.RowText());
  if (numberLabel) centred(coord.NumberText());
}

void TGFMapEditor::DrawProtocolHeader(cairo_t* cr, double pageWidth, bool text) {
  cairo_rectangle(cr, 0, 0, pageWidth, 37);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  if (!text) return;

  // No face is chosen: the text keeps the one the last labels left selected.
  cairo_set_font_size(cr, 12 * FCellRadius / 64);
  cairo_set_source_rgb(cr, 0, 0, 0);
  const auto filledText = [&](double x, const char* s) {
    cairo_move_to(cr, x, 30);
    cairo_text_path(cr, s);
    cairo_fill(cr);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s, &extents);
    return extents.width;
  };
  // Blank lines for handwriting, with the line width the last outline left.
  const auto blankLine = [&](double from, double to) {
    cairo_move_to(cr, from, 30);
    cairo_line_to(cr, to, 30);
    cairo_stroke(cr);
  };
  const double w1 = filledText(20, "Protokoll zu GR:");
  blankLine(w1 + 30, w1 + 70);
  const double w2 = filledText(w1 + 80, "Herrscher:");
  blankLine(w1 + 90 + w2, 575.3);
}

bool TGFMapEditor::ExportSinglePage(const std::string& fileName, bool svg, bool protocol,
                                    const TExportPicture& picture, const TExportProgress& callback) {
  if (!GFMap) return false;
  const std::string& failure = svg ? GeneralFailureMessage : PDFFailureMessage;
  const TDoublePoint size = RegionSize(picture.UpperLeft, picture.LowerRight, picture.R);
  std::unique_ptr<TExportFile> file;
  TCairoSurfacePtr surface;
  cairo_status_t status = OpenVectorFile(fileName, svg, size, size, file, surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    Report(failure + StatusText(status));
    return false;
  }

  TCairoContextPtr context(cairo_create(surface.get()));
  cairo_t* cr = context.get();
  cairo_rectangle(cr, 0, 0, size.X, size.Y);
  cairo_clip(cr);
  const TCellRange range = picture.InGrid();
  TProgressCounter progress(callback, 3 * range.Count());
  const bool completed = progress.Advance(0) && DrawSweeps(cr, picture, {0, 0}, false, progress);
  if (completed && protocol) DrawProtocolHeader(cr, size.X, true);
  status = FinishVectorFile(std::move(context), surface.get(), *file, completed);
  if (!completed) return false;
  if (status != CAIRO_STATUS_SUCCESS) {
    Report(failure + StatusText(status));
    return false;
  }
  return true;
}

bool TGFMapEditor::ExportMultiPage(const std::string& fileName, bool protocol, const TExportPicture& picture,
                                   const TExportProgress& callback) {
  if (!GFMap) return false;
  const TDoublePoint size = RegionSize(picture.UpperLeft, picture.LowerRight, picture.R);
  std::unique_ptr<TExportFile> file;
  TCairoSurfacePtr surface;
  cairo_status_t status = OpenVectorFile(fileName, false, size, {A4Width, A4Height}, file, surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    Report(GeneralFailureMessage + StatusText(status));
    return false;
  }

  const bool wide = size.X >= A4Width;
  const bool tall = size.Y >= A4Height;
  const int columns = PageCount(size.X, A4Width, PageStepX);
  const int rows = PageCount(size.Y, A4Height, PageStepY);
  const TCellRange range = picture.InGrid();
  TProgressCounter progress(callback, 3 * range.Count() * columns * rows);

  TCairoContextPtr context(cairo_create(surface.get()));
  cairo_t* cr = context.get();
  bool completed = progress.Advance(0);
  for (int r = 0; completed && r < rows; ++r)
    for (int c = 0; completed && c < columns; ++c) {
      // The part of the region that remains from this page's origin.
      const double pw = wide ? size.X - c * PageStepX : size.X;
      const double ph = tall ? size.Y - r * PageStepY : size.Y;
      cairo_reset_clip(cr);
      cairo_rectangle(cr, 0, 0, pw, ph);
      cairo_clip(cr);
      completed = DrawSweeps(cr, picture, {c * PageStepX, r * PageStepY}, true, progress);
      if (completed && protocol && r == 0) DrawProtocolHeader(cr, A4Width, c == 0);
      cairo_show_page(cr);
    }
  status = FinishVectorFile(std::move(context), surface.get(), *file, completed);
  if (!completed) return false;
  if (status != CAIRO_STATUS_SUCCESS) {
    Report(GeneralFailureMessage + StatusText(status));
    return false;
  }
  return true;
}

int TGFMapEditor::PageCount(double size, double pageSize, double step) {
  return size < pageSize ? 1 : static_cast<int>(std::ceil(size / step));
}

bool TGFMapEditor::ExportRegionAsPDF(const std::string& fileName, const TExportProgress& progress) {
  return ExportSinglePage(fileName, false, false, RegionPicture(2, 0, 2, ExportRadius), progress);
}

bool TGFMapEditor::ExportRegionAsProtocolPDF(const std::string& fileName, const TExportProgress& progress) {
  return ExportSinglePage(fileName, false, true, RegionPicture(2, 0, 2, ExportRadius), progress);
}

bool TGFMapEditor::ExportRegionAsMultiPagePDF(const std::string& fileName, const TExportProgress& progress) {
  return ExportMultiPage(fileName, false, RegionPicture(2, 2, 2, ExportRadius), progress);
}

bool TGFMapEditor::ExportRegionAsMultiPageProtocolPDF(const std::string& fileName, const TExportProgress& progress) {
  return ExportMultiPage(fileName, true, RegionPicture(2, 2, 2, ExportRadius), progress);
}

bool TGFMapEditor::ExportRegionAsSVG(const std::string& fileName, const TExportProgress& progress) {
  return ExportSinglePage(fileName, true, false, RegionPicture(1, 0, 1, ExportRadius), progress);
}

bool TGFMapEditor::ExportMarkedAsPDF(const std::string& fileName, const TExportProgress& progress) {
  if (!GFMap) return false;
  const std::optional<TExportPicture> picture = MarkedPicture();
  if (!picture) {
    Report(NoMarksMessage);
    return false;
  }
  return ExportSinglePage(fileName, false, false, *picture, progress);
}

bool TGFMapEditor::ExportMarkedAsMultiPagePDF(const std::string& fileName, const TExportProgress& progress) {
  if (!GFMap) return false;
  const std::optional<TExportPicture> picture = MarkedPicture();
  if (!picture) {
    Report(NoMarksMessage);
    return false;
  }
  return ExportMultiPage(fileName, false, *picture, progress);
}

bool TGFMapEditor::ExportRegionAsPNG(const std::string& fileName, const TExportProgress& callback) {
  if (!GFMap) return false;
  const TExportPicture picture = RegionPicture(1, 0, 1, PNGExportRadius);
  const TDoublePoint size = RegionSize(picture.UpperLeft, picture.LowerRight, picture.R);
  const auto fail = [&](cairo_status_t status) {
    Report(GeneralFailureMessage + StatusText(status));
    return false;
  };
  // Refused before anything is drawn: cairo's side limit, and the memory the image needs.
  if (!(size.X < MaxImageSide + 1 && size.Y < MaxImageSide + 1)) return fail(CAIRO_STATUS_INVALID_SIZE);
  const int width = Rnd(size.X);
  const int height = Rnd(size.Y);
  if (width <= 0 || height <= 0 || width > MaxImageSide || height > MaxImageSide)
    return fail(CAIRO_STATUS_INVALID_SIZE);
  if (int64_t{cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width)} * height > MaxImageBytes)
    return fail(CAIRO_STATUS_NO_MEMORY);

  const std::unique_ptr<TExportFile> file = TExportFile::Create(fileName);
  if (!file) return fail(CAIRO_STATUS_WRITE_ERROR);
  const TCairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  cairo_status_t status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS) return fail(status);

  TCairoContextPtr context(cairo_create(surface.get()));
  cairo_t* cr = context.get();
  cairo_rectangle(cr, 0, 0, size.X, size.Y);
  cairo_clip(cr);
  const TCellRange range = picture.InGrid();
  TProgressCounter progress(callback, 3 * range.Count());
  const bool completed = progress.Advance(0) && DrawSweeps(cr, picture, {0, 0}, false, progress);
  status = cairo_status(cr);
  context.reset();
  if (!completed) return false;
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_write_to_png_stream(surface.get(), TExportFile::Write, file.get());
  if (status == CAIRO_STATUS_SUCCESS && !file->Commit()) status = CAIRO_STATUS_WRITE_ERROR;
  if (status != CAIRO_STATUS_SUCCESS) return fail(status);
  return true;
}

bool TGFMapEditor::ExportMarkedAsExchangeFile(const std::string& fileName, const TExportProgress& callback) {
  if (!GFMap) return false;
  const auto total = static_cast<int64_t>(FMarkedCells.size());
  TProgressCounter progress(callback, total);
  if (!progress.Advance(0)) return false;
  std::vector<const TGF*> gfs;
  gfs.reserve(FMarkedCells.size());
  for (const TIntegerPoint& p : FMarkedCells) gfs.push_back(&GFMap->getElement(p.X, p.Y));
  TKUVMapExporter().Export(fileName, gfs, GFMap->CoordSystem());
  progress.Advance(total);
  return true;
}
