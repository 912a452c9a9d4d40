// kuvtool export-marked: GFs marked in the order given, as PDF, multi-page PDF or
// exchange file, written by the world map view's own exports.
#include <string>
#include <string_view>

#include "ExportRegionCommand.h"

namespace {

int RunExportMarked(TArguments& args, std::ostream&) {
  const int32_t plane = TakeWorld(args);
  const std::optional<std::string> marks = args.TakeOption("marks");
  const std::optional<std::string> format = args.TakeOption("format");
  const ERenderStyle style = ParseExportStyle(args.TakeOption("style").value_or("classic"));
  if (!marks) throw EUsageError("--marks is missing");
  if (!format) throw EUsageError("--format is missing");
  if (*format != "pdf" && *format != "multipage-pdf" && *format != "kvx")
    throw EUsageError("unknown format " + *format + " (pdf, multipage-pdf or kvx)");
  const std::string mapFile = args.Take("MAPFILE");
  const std::string outFile = args.Take("OUTFILE");
  args.Done();

  TExportSession session(mapFile, plane, style);
  TGFMapEditor& view = session.View;
  std::string_view rest = *marks;
  for (;;) {
    const size_t semicolon = rest.find(';');
    view.Mark(ParseGridPosition(rest.substr(0, semicolon), session.Map()));
    if (semicolon == std::string_view::npos) break;
    rest.remove_prefix(semicolon + 1);
  }

  bool written = false;
  if (*format == "pdf")
    written = view.ExportMarkedAsPDF(outFile);
  else if (*format == "multipage-pdf")
    written = view.ExportMarkedAsMultiPagePDF(outFile);
  else
    written = view.ExportMarkedAsExchangeFile(outFile);
  session.Check(written);
  return 0;
}

const TToolCommandRegistration ExportMarked({"export-marked",
                                             "MAPFILE --world stygien|eldrien --marks POS[;POS...] "
                                             "--format pdf|multipage-pdf|kvx "
                                             "[--style classic|simplified|protocol] OUTFILE",
                                             "marked GFs as PDF or exchange file", &RunExportMarked});

}  // namespace
