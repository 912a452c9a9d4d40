// kuvtool's table of commands and what its commands share: arguments, grid
// positions, worlds, loading and saving map data files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/Map.h"

// Bad arguments: exit status 2, with the usage text.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The arguments after the command name.
class TArguments {
 public:
  explicit TArguments(std::vector<std::string> args) : Args(std::move(args)) {}

  // Takes "--name VALUE" or "--name=VALUE" out of the arguments; nullopt when absent.
  std::optional<std::string> TakeOption(std::string_view name);
  // The next positional argument; EUsageError naming `what` when none is left.
  std::string Take(std::string_view what);
  std::optional<std::string> TakeOptional();
  // EUsageError when anything is left over.
  void Done() const;

 private:
  std::vector<std::string> Args;
};

struct TToolCommand {
  std::string_view Name;
  std::string_view Synopsis;  // its arguments, as the usage text shows them
  std::string_view Summary;
  // Returns the exit status; failures of the work are exceptions (EKUVException),
  // bad arguments EUsageError.
  int (*Run)(TArguments& args, std::ostream& out);
};

// One static instance per command file puts the command into the table, so that a
// new command is a new file and nothing else changes.
struct TToolCommandRegistration {
  explicit TToolCommandRegistration(const TToolCommand& command);
};

// The commands, sorted by name.
const std::vector<TToolCommand>& ToolCommands();
std::string UsageText();

// Runs one command line (without the program name). 0 success, 1 failure of the
// work with its message on `err`, 2 bad arguments with the usage text.
int RunKuvTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "stygien" is plane 1, "eldrien" plane 2.
int32_t ParseWorld(std::string_view text);
// The value of "--world", plane 1 when it is absent.
int32_t TakeWorld(TArguments& args);

// "X,Y" (column 0..100, row 0..77) or coordinate text of the map's world, such as
// 1A+0 or 2K'-13. EUsageError for anything else.
TIntegerPoint ParseGridPosition(std::string_view text, const TGFMap& map);

// Both worlds and the owner list of one map data file.
struct TLoadedMapFile {
  TGFOwnerList Owners;
  TGFMap Stygien{1};
  TGFMap Eldrien{2};
  int32_t Version = 0;

  TGFMap& World(int32_t plane) { return plane == 1 ? Stygien : Eldrien; }
};

std::unique_ptr<TLoadedMapFile> LoadMapFile(const std::string& fileName);
// Version 7, replacing the file only once the new one is complete.
void SaveMapFile(TLoadedMapFile& maps, const std::string& fileName);
