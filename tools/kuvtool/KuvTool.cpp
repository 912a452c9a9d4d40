// kuvtool's command table and shared helpers.
#include "KuvTool.h"

#include <algorithm>
#include <charconv>

#include "files/KUVFile.h"
#include "model/Exception.h"

namespace {

std::vector<TToolCommand>& Table() {
  static std::vector<TToolCommand> table;
  return table;
}

bool IsOption(const std::string& arg) { return arg.size() > 2 && arg.starts_with("--"); }

bool ParseIndex(std::string_view text, int32_t limit, int32_t& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty() && value >= 0 && value <= limit;
}

const char* WorldName(int32_t plane) { return plane == 1 ? "Stygien" : "Eldrien"; }

}  // namespace

std::optional<std::string> TArguments::TakeOption(std::string_view name) {
  const std::string flag = "--" + std::string(name);
  for (auto it = Args.begin(); it != Args.end(); ++it) {
    if (*it == flag) {
      if (it + 1 == Args.end()) throw EUsageError(flag + " needs a value");
      std::string value = *(it + 1);
      Args.erase(it, it + 2);
      return value;
    }
    if (it->starts_with(flag + "=")) {
      std::string value = it->substr(flag.size() + 1);
      Args.erase(it);
      return value;
    }
  }
  return std::nullopt;
}

std::string TArguments::Take(std::string_view what) {
  std::optional<std::string> arg = TakeOptional();
  if (!arg) throw EUsageError(std::string(what) + " is missing");
  return *arg;
}

std::optional<std::string> TArguments::TakeOptional() {
  if (Args.empty()) return std::nullopt;
  if (IsOption(Args.front())) throw EUsageError("unknown option " + Args.front());
  std::string arg = Args.front();
  Args.erase(Args.begin());
  return arg;
}

void TArguments::Done() const {
  if (Args.empty()) return;
  if (IsOption(Args.front())) throw EUsageError("unknown option " + Args.front());
  throw EUsageError("too many arguments: " + Args.front());
}

TToolCommandRegistration::TToolCommandRegistration(const TToolCommand& command) {
  std::vector<TToolCommand>& table = Table();
  table.insert(std::upper_bound(table.begin(), table.end(), command,
                                [](const TToolCommand& a, const TToolCommand& b) { return a.Name < b.Name; }),
               command);
}

const std::vector<TToolCommand>& ToolCommands() { return Table(); }

std::string UsageText() {
  std::string text = "usage: kuvtool COMMAND [ARGUMENTS]\n";
  for (const TToolCommand& command : ToolCommands()) {
    std::string line = "  " + std::string(command.Name) + " " + std::string(command.Synopsis);
    if (line.size() < 40) line.resize(40, ' ');
    text += line + " " + std::string(command.Summary) + "\n";
  }
  return text;
}

int RunKuvTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << UsageText();
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << UsageText();
    return 0;
  }
  const auto& commands = ToolCommands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const TToolCommand& c) { return c.Name == args[0]; });
  if (command == commands.end()) {
    err << "kuvtool: unknown command " << args[0] << "\n" << UsageText();
    return 2;
  }
  try {
    TArguments rest(std::vector<std::string>(args.begin() + 1, args.end()));
    return command->Run(rest, out);
  } catch (const EUsageError& e) {
    err << "kuvtool " << command->Name << ": " << e.what() << "\n" << UsageText();
    return 2;
  } catch (const std::exception& e) {
    out.flush();
    err << e.what() << "\n";
    return 1;
  }
}

int32_t ParseWorld(std::string_view text) {
  if (text == "stygien") return 1;
  if (text == "eldrien") return 2;
  throw EUsageError("unknown world " + std::string(text) + " (stygien or eldrien)");
}

int32_t TakeWorld(TArguments& args) {
  const std::optional<std::string> world = args.TakeOption("world");
  return world ? ParseWorld(*world) : 1;
}

TIntegerPoint ParseGridPosition(std::string_view text, const TGFMap& map) {
  if (const size_t comma = text.find(','); comma != std::string_view::npos) {
    TIntegerPoint point;
    if (!ParseIndex(text.substr(0, comma), TGFMap::Columns - 1, point.X) ||
        !ParseIndex(text.substr(comma + 1), TGFMap::Rows - 1, point.Y))
      throw EUsageError("bad grid position " + std::string(text) + " (X,Y with X 0..100 and Y 0..77)");
    return point;
  }
  TKUVCoord coord;
  try {
    coord = map.CoordFactory().CreateCoord(text);
  } catch (const EIllegalCoordException& e) {
    throw EUsageError("bad coordinate " + std::string(text) + ": " + e.what());
  }
  if (coord.Plane != map.plane())
    throw EUsageError("coordinate " + std::string(text) + " is not on " + WorldName(map.plane()));
  return map.CoordSystem().CoordToIndex(coord);
}

std::unique_ptr<TLoadedMapFile> LoadMapFile(const std::string& fileName) {
  auto maps = std::make_unique<TLoadedMapFile>();
  TKUVMapDataFile file(maps->Stygien, maps->Eldrien);
  file.GFOwnerList = &maps->Owners;
  file.Read(fileName);
  maps->Version = file.Version();
  return maps;
}

void SaveMapFile(TLoadedMapFile& maps, const std::string& fileName) {
  TKUVMapDataFile(maps.Stygien, maps.Eldrien).Write(fileName);
}
