// kuvtool end to end: the built program run on files, its output and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/MapFileWriter.h"
#include "support/TestFiles.h"

namespace {

using kuvtest::MapFileBytes;
using kuvtest::TBytes;
using kuvtest::TTestGf;
using kuvtest::TTestMapFile;

using kuvtest::ReadText;
using kuvtest::TRun;

class KuvToolTest : public testing::Test {
 protected:
  // Runs kuvtool with the arguments (each quoted for the shell).
  TRun Run(const std::vector<std::string>& args) { return kuvtest::RunProgram(KUVTOOL_PATH, args, Dir.Path); }

  kuvtest::TTempDir Dir;
};

TTestGf Gf(int32_t x, int32_t y, std::vector<std::string> owners) {
  TTestGf gf;
  gf.X = x;
  gf.Y = y;
  gf.Owners = std::move(owners);
  gf.Notes = {"Notiz"};
  gf.K(1).Terrain = 101;
  gf.K(1).StreamDirection = 3;
  gf.K(2).Terrain = 4;
  gf.K(2).StreamDirection = 5;
  gf.K(3).Building = 41;
  gf.K(4).Building = 51;
  gf.K(4).BridgeDirection = 2;
  gf.K(5).TradeCenter = 3;
  gf.K(6).Rapids = 7;
  gf.K(7).Channel = 9;
  gf.K(8).Wadi = 1;
  gf.K(9).Gate = 2;
  gf.TradeCenters = {{2, 5, true}};
  return gf;
}

TTestMapFile Sample(int version) {
  TTestMapFile file;
  file.Version = version;
  file.Stygien = {Gf(1, 2, {"Kara"}), Gf(3, 4, {"Bors", "Kara"}), Gf(5, 6, {})};
  TTestGf empty;
  empty.X = 9;
  empty.Owners = {"Dana"};
  file.Eldrien = {Gf(100, 77, {}), empty};
  return file;
}

TEST_F(KuvToolTest, InfoPrintsFourLines) {
  struct TCase {
    int Version;
    int Owners;  // versions before 7 know only "Niemand"
  };
  for (const TCase& c : {TCase{1, 1}, TCase{2, 1}, TCase{3, 1}, TCase{4, 1}, TCase{5, 1}, TCase{6, 1}, TCase{7, 3}}) {
    SCOPED_TRACE(c.Version);
    const std::string map = Dir / "Quolmira.map";
    const TBytes bytes = MapFileBytes(Sample(c.Version));
    kuvtest::SaveBytes(map, bytes);
    const TRun run = Run({"info", map});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "version: " + std::to_string(c.Version) + "\nStygien: 3 GF\nEldrien: 1 GF\nowners: " +
                           std::to_string(c.Owners) + "\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(kuvtest::LoadBytes(map), bytes);  // info writes nothing
    EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
  }
}

TEST_F(KuvToolTest, ReadErrorsExitWithTheMessage) {
  const std::string bad = Dir / "bad.map";
  kuvtest::SaveBytes(bad, kuvtest::TByteWriter().Str("KUVX").Int(7).Bytes);
  const std::string cut = Dir / "cut.map";
  TBytes bytes = MapFileBytes(Sample(7));
  bytes.resize(bytes.size() / 2);
  kuvtest::SaveBytes(cut, bytes);
  struct TCase {
    std::string File;
    std::string Message;
  };
  const TCase cases[] = {
      {bad, "Die Datei " + bad + " ist kein KuvManager-Datenfile\n"},
      {cut, "Stream read error\n"},
      {Dir / "fehlt.map", "Unable to open file \"" + (Dir / "fehlt.map") + "\": No such file or directory\n"},
  };
  for (const TCase& c : cases) {
    for (const char* command : {"info", "resave"}) {
      SCOPED_TRACE(c.File + " " + command);
      const TRun run = Run({command, c.File});
      EXPECT_EQ(run.Status, 1);
      EXPECT_EQ(run.Out, "");
      EXPECT_EQ(run.Err, c.Message);
    }
  }
  EXPECT_EQ(kuvtest::LoadBytes(cut), bytes);
}

TEST_F(KuvToolTest, BadArgumentsExitWithUsage) {
  const std::string map = Dir / "Quolmira.map";
  kuvtest::SaveBytes(map, MapFileBytes(Sample(7)));
  const std::vector<std::vector<std::string>> cases = {
      {}, {"unbekannt"}, {"info"}, {"info", map, "mehr"}, {"info", "--world", "stygien", map},
      {"resave"}, {"resave", map, map, map}, {"resave", "--force", map},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("usage: kuvtool COMMAND [ARGUMENTS]\n"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("  info MAPFILE"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("  resave MAPFILE [OUTFILE]"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

TEST_F(KuvToolTest, HelpGoesToStandardOutput) {
  const TRun run = Run({"--help"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_TRUE(run.Out.starts_with("usage: kuvtool")) << run.Out;
  EXPECT_EQ(run.Err, "");
}

TEST_F(KuvToolTest, ResaveOfEveryVersionGivesTheVersion7Bytes) {
  for (int version = 1; version <= 7; ++version) {
    SCOPED_TRACE(version);
    const TTestMapFile sample = Sample(version);
    const std::string in = Dir / "alt.map";
    const std::string out = Dir / "neu.map";
    kuvtest::SaveBytes(in, MapFileBytes(sample));
    const TRun run = Run({"resave", in, out});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(kuvtest::LoadBytes(out), MapFileBytes(kuvtest::LoadedFileAs7(sample)));
    EXPECT_EQ(kuvtest::LoadBytes(in), MapFileBytes(sample));
  }
}

TEST_F(KuvToolTest, ResaveWithoutOutfileRewritesTheMapFile) {
  const std::string map = Dir / "Quolmira.map";
  const TTestMapFile sample = Sample(3);
  kuvtest::SaveBytes(map, MapFileBytes(sample));
  const TRun run = Run({"resave", map});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(kuvtest::LoadBytes(map), MapFileBytes(kuvtest::LoadedFileAs7(sample)));
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

TEST_F(KuvToolTest, FailedResaveLeavesOutfileUntouched) {
  const std::string bad = Dir / "bad.map";
  TBytes cut = MapFileBytes(Sample(7));
  cut.resize(100);
  kuvtest::SaveBytes(bad, cut);
  const std::string out = Dir / "out.map";
  const TBytes old{1, 2, 3};
  kuvtest::SaveBytes(out, old);

  TRun run = Run({"resave", bad, out});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "Stream read error\n");
  EXPECT_EQ(kuvtest::LoadBytes(out), old);

  // A write that fails: the target is a folder that holds a file.
  const std::string good = Dir / "good.map";
  kuvtest::SaveBytes(good, MapFileBytes(Sample(7)));
  const std::string folder = Dir / "folder.map";
  std::filesystem::create_directory(folder);
  kuvtest::SaveBytes(folder + "/inside", old);
  run = Run({"resave", good, folder});
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(run.Err.starts_with("Unable to create file \"" + folder + "\": ")) << run.Err;
  EXPECT_EQ(kuvtest::LoadBytes(folder + "/inside"), old);
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"bad.map", "folder.map", "good.map", "out.map"}));
}

}  // namespace
