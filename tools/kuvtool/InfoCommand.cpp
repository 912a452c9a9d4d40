// kuvtool info MAPFILE: the file's version and how much it holds.
#include "KuvTool.h"

namespace {

int RunInfo(TArguments& args, std::ostream& out) {
  const std::string mapFile = args.Take("MAPFILE");
  args.Done();
  const std::unique_ptr<TLoadedMapFile> maps = LoadMapFile(mapFile);
  out << "version: " << maps->Version << "\n"
      << "Stygien: " << maps->Stygien.StoredCount() << " GF\n"
      << "Eldrien: " << maps->Eldrien.StoredCount() << " GF\n"
      << "owners: " << maps->Owners.size() << "\n";
  return 0;
}

const TToolCommandRegistration Info({"info", "MAPFILE", "version, GFs per world and owners of a map file", &RunInfo});

}  // namespace
