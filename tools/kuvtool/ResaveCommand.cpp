// kuvtool resave MAPFILE [OUTFILE]: reads a map file of any version and writes it as
// version 7, by default over itself.
#include "KuvTool.h"

namespace {

int RunResave(TArguments& args, std::ostream&) {
  const std::string mapFile = args.Take("MAPFILE");
  const std::string outFile = args.TakeOptional().value_or(mapFile);
  args.Done();
  const std::unique_ptr<TLoadedMapFile> maps = LoadMapFile(mapFile);
  SaveMapFile(*maps, outFile);
  return 0;
}

const TToolCommandRegistration Resave({"resave", "MAPFILE [OUTFILE]", "write a map file again as version 7",
                                       &RunResave});

}  // namespace
