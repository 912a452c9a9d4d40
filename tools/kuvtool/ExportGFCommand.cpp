// kuvtool export-gf: one GF as SVG or PNG, through the KF map editor's own exports,
// so the file is the one the menu item "Kf exportieren als" writes.
#include <memory>
#include <string>

#include "KuvTool.h"
#include "render/Renderer.h"
#include "views/KFMap.h"

namespace {

enum class EGFFormat { SVG, PNG };

EGFFormat ParseFormat(const std::string& text) {
  if (text == "svg") return EGFFormat::SVG;
  if (text == "png") return EGFFormat::PNG;
  throw EUsageError("unknown format " + text + " (svg or png)");
}

ERenderStyle ParseStyle(const std::string& text) {
  if (text == "classic") return RenderStyleClassic;
  if (text == "simplified") return RenderStyleSimplified;
  if (text == "protocol") return RenderStyleProtocol;
  throw EUsageError("unknown style " + text + " (classic, simplified or protocol)");
}

int RunExportGF(TArguments& args, std::ostream&) {
  const int32_t plane = TakeWorld(args);
  const std::optional<std::string> at = args.TakeOption("at");
  const std::optional<std::string> format = args.TakeOption("format");
  const ERenderStyle style = ParseStyle(args.TakeOption("style").value_or("classic"));
  if (!at) throw EUsageError("--at is missing");
  if (!format) throw EUsageError("--format is missing");
  const EGFFormat fileFormat = ParseFormat(*format);
  const std::string mapFile = args.Take("MAPFILE");
  const std::string outFile = args.Take("OUTFILE");
  args.Done();

  const std::unique_ptr<TLoadedMapFile> maps = LoadMapFile(mapFile);
  TGFMap& map = maps->World(plane);
  const TIntegerPoint cell = ParseGridPosition(*at, map);
  // An unset cell gets a new empty GF here; the map is never written back.
  TKFMapEditor editor;
  editor.SetGF(map.getElement(cell.X, cell.Y));

  // The editor's own renderer is the classic one; the other styles are handed in.
  const std::unique_ptr<TGFRenderer> renderer = style == RenderStyleClassic ? nullptr : CreateGFRenderer(style);
  TGFRenderer& drawWith = renderer ? *renderer : editor.GFRenderer();
  if (fileFormat == EGFFormat::SVG)
    editor.ExportAsSVG(outFile, drawWith);
  else
    editor.ExportAsPNG(outFile, drawWith);
  return 0;
}

const TToolCommandRegistration ExportGF({"export-gf",
                                         "MAPFILE --world stygien|eldrien --at POS --format svg|png "
                                         "[--style classic|simplified|protocol] OUTFILE",
                                         "one GF as SVG or PNG", &RunExportGF});

}  // namespace
