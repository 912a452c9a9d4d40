// Whole-file reading, and writing through a temporary file in the target's folder
// that takes the target's place only when it is complete and synced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/ValueStream.h"

// The file's bytes. EFileOpenError when it cannot be opened (or is a folder),
// EReadError when reading fails. The size is known before anything is allocated.
std::vector<uint8_t> ReadWholeFile(const std::string& fileName);

enum class EAtomicFileStep { Create, Write, Sync, Rename };

// Test seam: called before each step; a non-zero result is taken as the errno of
// that step's system call, as if the system had refused it. Null (the default)
// injects nothing.
using TAtomicFileFault = int (*)(EAtomicFileStep step);
void SetAtomicFileFault(TAtomicFileFault fault);

// A file under construction. Until Commit the target is untouched; a file that is
// destroyed uncommitted removes its temporary file. Every error names the target.
class TAtomicFile final : public TByteSink {
 public:
  // Creates the temporary file; EFileCreateError when that fails.
  explicit TAtomicFile(const std::string& fileName);
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;
  ~TAtomicFile() override;

  // EFileWriteError on failure.
  void Write(const uint8_t* data, size_t size) override;
  // Syncs the bytes (EFileWriteError) and renames the file over the target
  // (EFileCreateError).
  void Commit();

 private:
  [[noreturn]] void Fail(bool create, int error);
  void Discard() noexcept;

  std::string Target;    // the name the caller gave, for messages
  std::string Path;      // where the file goes: the target, or what its symlink names
  std::string TempPath;
  bool TempCreated = false;
  int Fd = -1;
};
