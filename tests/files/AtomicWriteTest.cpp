// Writing replaces a file only when the new one is complete: a failure at any step
// leaves the old file as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "files/AtomicFile.h"
#include "files/KUVFile.h"
#include "support/MapFileWriter.h"

namespace {

using kuvtest::TBytes;

// Injects errno `Error` at the `Count`-th call of step `Step` (1 is the first).
struct TFault {
  static inline EAtomicFileStep Step = EAtomicFileStep::Create;
  static inline int Count = 1;
  static inline int Error = 0;
  static inline int Calls = 0;
  static int Hook(EAtomicFileStep step) { return step == Step && ++Calls == Count ? Error : 0; }
};

class AtomicWriteTest : public testing::Test {
 protected:
  void TearDown() override { SetAtomicFileFault(nullptr); }
  void Inject(EAtomicFileStep step, int error, int count = 1) {
    TFault::Step = step;
    TFault::Error = error;
    TFault::Count = count;
    TFault::Calls = 0;
    SetAtomicFileFault(&TFault::Hook);
  }

  kuvtest::TTempDir Dir;
  TGFMap Stygien{1};
  TGFMap Eldrien{2};
};

enum class EFile { Map, Exchange };

struct TFaultCase {
  const char* Name;
  EFile File;
  EAtomicFileStep Step;
  int Count;
  bool Create;  // EFileCreateError rather than EFileWriteError
};

class AtomicWriteFaultTest : public AtomicWriteTest, public testing::WithParamInterface<TFaultCase> {};

TEST_P(AtomicWriteFaultTest, OldFileStaysAndNothingIsLeftBehind) {
  const TFaultCase& c = GetParam();
  // Large enough for several buffers, so a failing later write has written before.
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 40; ++y) Stygien.getElement(x, y).Notes.push_back("Notiz");
  const std::string target = Dir / "Quolmira.map";
  const TBytes old{1, 2, 3};
  kuvtest::SaveBytes(target, old);
  Inject(c.Step, ENOSPC, c.Count);

  const auto write = [&] {
    if (c.File == EFile::Map) {
      TKUVMapDataFile(Stygien, Eldrien).Write(target);
    } else {
      std::vector<const TGF*> gfs;
      for (int y = 0; y < 40; ++y) gfs.push_back(Stygien.Peek(0, y));
      for (int i = 0; i < 20; ++i) gfs.insert(gfs.end(), gfs.begin(), gfs.begin() + 40);
      TKUVMapExporter().Export(target, gfs, Stygien.CoordSystem());
    }
  };
  try {
    write();
    FAIL() << "no error";
  } catch (const EKUVException& e) {
    EXPECT_EQ(c.Create, dynamic_cast<const EFileCreateError*>(&e) != nullptr) << e.what();
    EXPECT_EQ(!c.Create, dynamic_cast<const EFileWriteError*>(&e) != nullptr) << e.what();
    EXPECT_EQ(dynamic_cast<const EFileOpenError*>(&e), nullptr);
    const std::string message = e.what();
    EXPECT_NE(message.find("\"" + target + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(std::strerror(ENOSPC)), std::string::npos) << message;
  }
  EXPECT_GE(TFault::Calls, c.Count);
  EXPECT_EQ(kuvtest::LoadBytes(target), old);
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AtomicWriteFaultTest,
    testing::Values(TFaultCase{"MapCreate", EFile::Map, EAtomicFileStep::Create, 1, true},
                    TFaultCase{"MapFirstWrite", EFile::Map, EAtomicFileStep::Write, 1, false},
                    TFaultCase{"MapLaterWrite", EFile::Map, EAtomicFileStep::Write, 2, false},
                    TFaultCase{"MapSync", EFile::Map, EAtomicFileStep::Sync, 1, false},
                    TFaultCase{"MapRename", EFile::Map, EAtomicFileStep::Rename, 1, true},
                    TFaultCase{"ExchangeCreate", EFile::Exchange, EAtomicFileStep::Create, 1, true},
                    TFaultCase{"ExchangeLaterWrite", EFile::Exchange, EAtomicFileStep::Write, 2, false},
                    TFaultCase{"ExchangeSync", EFile::Exchange, EAtomicFileStep::Sync, 1, false},
                    TFaultCase{"ExchangeRename", EFile::Exchange, EAtomicFileStep::Rename, 1, true}),
    [](const testing::TestParamInfo<TFaultCase>& info) { return std::string(info.param.Name); });

TEST_F(AtomicWriteTest, TargetThatIsAFolderWithFilesIsNotReplaced) {
  const std::string target = Dir / "Quolmira.map";
  std::filesystem::create_directory(target);
  kuvtest::SaveBytes(target + "/inside", {7});
  try {
    TKUVMapDataFile(Stygien, Eldrien).Write(target);
    FAIL() << "no error";
  } catch (const EFileCreateError& e) {
    EXPECT_NE(std::string(e.what()).find("\"" + target + "\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(kuvtest::LoadBytes(target + "/inside"), TBytes{7});
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

TEST_F(AtomicWriteTest, MissingFolderIsACreateError) {
  const std::string target = Dir / "nicht-da/Quolmira.map";
  for (const std::function<void()>& write : std::initializer_list<std::function<void()>>{
           [&] { TKUVMapDataFile(Stygien, Eldrien).Write(target); },
           [&] { TKUVMapExporter().Export(target, {}, Stygien.CoordSystem()); }}) {
    try {
      write();
      ADD_FAILURE() << "no error";
    } catch (const EFileCreateError& e) {
      EXPECT_NE(std::string(e.what()).find("\"" + target + "\""), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(Dir.Entries().empty());
}

TEST_F(AtomicWriteTest, ReplacesALongerFileCompletelyAndKeepsItsPermissions) {
  const std::string target = Dir / "Quolmira.map";
  kuvtest::SaveBytes(target, TBytes(5000, 0xAA));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  TKUVMapDataFile(Stygien, Eldrien).Write(target);
  EXPECT_EQ(kuvtest::LoadBytes(target), (TBytes{6, 4, 'K', 'U', 'V', 'M', 2, 7, 2, 0, 2, 0}));
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

TEST_F(AtomicWriteTest, ReadOnlyTargetIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  const std::string target = Dir / "Quolmira.map";
  kuvtest::SaveBytes(target, {1, 2, 3});
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  EXPECT_THROW(TKUVMapDataFile(Stygien, Eldrien).Write(target), EFileCreateError);
  EXPECT_EQ(kuvtest::LoadBytes(target), (TBytes{1, 2, 3}));
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
}

TEST_F(AtomicWriteTest, NewFileGetsTheUsualPermissions) {
  const mode_t mask = ::umask(022);
  const std::string target = Dir / "neu.kvx";
  TKUVMapExporter().Export(target, {}, Stygien.CoordSystem());
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(AtomicWriteTest, SymlinkedTargetKeepsItsLink) {
  const std::string real = Dir / "real.map";
  const std::string link = Dir / "Quolmira.map";
  kuvtest::SaveBytes(real, {1});
  std::filesystem::create_symlink("real.map", link);
  TKUVMapDataFile(Stygien, Eldrien).Write(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(kuvtest::LoadBytes(real).size(), 12u);
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"Quolmira.map", "real.map"}));
}

TEST_F(AtomicWriteTest, RelativeNameWritesIntoTheWorkingFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(Dir.Path);
  TKUVMapDataFile(Stygien, Eldrien).Write("Quolmira.map");
  std::filesystem::current_path(before);
  EXPECT_EQ(Dir.Entries(), std::vector<std::string>{"Quolmira.map"});
  EXPECT_EQ(kuvtest::LoadBytes(Dir / "Quolmira.map").size(), 12u);
}

TEST_F(AtomicWriteTest, ReadWholeFileGivesEveryByte) {
  TBytes bytes(3 << 20);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  kuvtest::SaveBytes(Dir / "big", bytes);
  EXPECT_EQ(ReadWholeFile(Dir / "big"), bytes);
  kuvtest::SaveBytes(Dir / "empty", {});
  EXPECT_TRUE(ReadWholeFile(Dir / "empty").empty());
}

}  // namespace
