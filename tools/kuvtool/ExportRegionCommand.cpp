// kuvtool export-region: the export region of a world as PDF, multi-page PDF, SVG
// or PNG, written by the world map view's own exports.
#include "ExportRegionCommand.h"

#include <charconv>

#include "model/Exception.h"
#include "render/Renderer.h"

namespace {

// The map page's zoom in percent.
int ParseZoom(const std::string& text) {
  int percent = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), percent);
  if (ec != std::errc() || end != text.data() + text.size() || percent < 1 || percent > 1000)
    throw EUsageError("bad zoom " + text + " (percent, 1..1000)");
  return percent;
}

int RunExportRegion(TArguments& args, std::ostream&) {
  const int32_t plane = TakeWorld(args);
  const std::optional<std::string> from = args.TakeOption("from");
  const std::optional<std::string> to = args.TakeOption("to");
  const std::optional<std::string> format = args.TakeOption("format");
  const ERenderStyle style = ParseExportStyle(args.TakeOption("style").value_or("classic"));
  const int zoom = ParseZoom(args.TakeOption("zoom").value_or("100"));
  if (!from) throw EUsageError("--from is missing");
  if (!to) throw EUsageError("--to is missing");
  if (!format) throw EUsageError("--format is missing");
  if (*format != "pdf" && *format != "multipage-pdf" && *format != "svg" && *format != "png")
    throw EUsageError("unknown format " + *format + " (pdf, multipage-pdf, svg or png)");
  const std::string mapFile = args.Take("MAPFILE");
  const std::string outFile = args.Take("OUTFILE");
  args.Done();

  TExportSession session(mapFile, plane, style);
  TGFMapEditor& view = session.View;
  const TIntegerPoint upperLeft = ParseGridPosition(*from, session.Map());
  const TIntegerPoint lowerRight = ParseGridPosition(*to, session.Map());
  // The header's font follows the zoom on screen.
  view.SetCellRadius(zoom / 100.0 * 64);
  // As the popup menu sets them: upper-left first.
  view.SetExportRegionUpperLeft(upperLeft);
  view.SetExportRegionLowerRight(lowerRight);

  const bool protocol = style == RenderStyleProtocol;
  bool written = false;
  if (*format == "pdf")
    written = protocol ? view.ExportRegionAsProtocolPDF(outFile) : view.ExportRegionAsPDF(outFile);
  else if (*format == "multipage-pdf")
    written = protocol ? view.ExportRegionAsMultiPageProtocolPDF(outFile) : view.ExportRegionAsMultiPagePDF(outFile);
  else if (*format == "svg")
    written = view.ExportRegionAsSVG(outFile);
  else
    written = view.ExportRegionAsPNG(outFile);
  session.Check(written);
  return 0;
}

const TToolCommandRegistration ExportRegion({"export-region",
                                             "MAPFILE --world stygien|eldrien --from POS --to POS "
                                             "--format pdf|multipage-pdf|svg|png "
                                             "[--style classic|simplified|protocol] [--zoom PERCENT] OUTFILE",
                                             "a region of a world as PDF, SVG or PNG", &RunExportRegion});

}  // namespace

ERenderStyle ParseExportStyle(const std::string& text) {
  if (text == "classic") return RenderStyleClassic;
  if (text == "simplified") return RenderStyleSimplified;
  if (text == "protocol") return RenderStyleProtocol;
  throw EUsageError("unknown style " + text + " (classic, simplified or protocol)");
}

TExportSession::TExportSession(const std::string& mapFile, int32_t plane, ERenderStyle style)
    : Maps(LoadMapFile(mapFile)) {
  View.GFMap = &Maps->World(plane);
  View.Dialogs = &Dialogs;
  View.PlaneName = plane == 1 ? "Stygien" : "Eldrien";
  View.SetGFRenderer(CreateGFRenderer(style));
}

void TExportSession::Check(bool written) const {
  if (written) return;
  std::string text;
  for (const std::string& message : Dialogs.Messages) text += (text.empty() ? "" : "\n") + message;
  throw EKUVException(text.empty() ? std::string("export stopped") : text);
}
