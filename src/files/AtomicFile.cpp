// Whole-file reading and atomic file writing on POSIX.
#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

std::atomic<TAtomicFileFault> Fault{nullptr};

int Injected(EAtomicFileStep step) {
  const TAtomicFileFault fault = Fault.load();
  return fault ? fault(step) : 0;
}

std::string Reason(int error) { return std::strerror(error); }

class TFd {
 public:
  explicit TFd(int fd) : Fd(fd) {}
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd() {
    if (Fd >= 0) ::close(Fd);
  }
  int Get() const { return Fd; }

 private:
  int Fd;
};

// A symlinked target keeps its link: the file it names is the one replaced.
std::string ResolvedPath(const std::string& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(fileName, ec)) return fileName;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(fileName, ec);
  return ec ? fileName : resolved.string();
}

}  // namespace

void SetAtomicFileFault(TAtomicFileFault fault) { Fault.store(fault); }

std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
  const auto openError = [&](int error) {
    return EFileOpenError("Unable to open file \"" + fileName + "\": " + Reason(error));
  };
  TFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) throw openError(errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) throw openError(errno);
  if (S_ISDIR(st.st_mode)) throw openError(EISDIR);

  std::vector<uint8_t> bytes;
  // A regular file is read in one go to its known size; pipes and the like in chunks.
  const bool regular = S_ISREG(st.st_mode);
  size_t wanted = regular ? static_cast<size_t>(st.st_size) : size_t{1} << 16;
  bytes.resize(wanted);
  size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      if (regular) break;
      bytes.resize(bytes.size() * 2);
    }
    const ssize_t n = ::read(fd.Get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EReadError("Unable to read file \"" + fileName + "\": " + Reason(errno));
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

TAtomicFile::TAtomicFile(const std::string& fileName) : Target(fileName), Path(ResolvedPath(fileName)) {
  const std::filesystem::path path(Path);
  const std::string folder = path.has_parent_path() ? path.parent_path().string() + "/" : std::string();
  const std::string stem = folder + "." + path.filename().string() + ".tmp";

  // An existing target passes its permissions on; a new file gets the usual ones.
  struct stat st {};
  const bool keepMode = ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  // Renaming would replace a file we may not write; truncating it would have failed.
  if (keepMode && ::access(Path.c_str(), W_OK) != 0) Fail(true, errno);

  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    TempPath = stem + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (const int error = Injected(EAtomicFileStep::Create)) Fail(true, error);
    Fd = ::open(TempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0) {
      TempCreated = true;
      break;
    }
    if (errno != EEXIST) Fail(true, errno);
  }
  if (Fd < 0) Fail(true, EEXIST);
  if (keepMode) (void)::fchmod(Fd, st.st_mode & 07777);
}

TAtomicFile::~TAtomicFile() { Discard(); }

void TAtomicFile::Discard() noexcept {
  if (Fd >= 0) {
    ::close(Fd);
    Fd = -1;
  }
  if (TempCreated) {
    ::unlink(TempPath.c_str());
    TempCreated = false;
  }
}

void TAtomicFile::Fail(bool create, int error) {
  Discard();
  const std::string what = create ? "Unable to create file \"" : "Unable to write file \"";
  const std::string message = what + Target + "\": " + Reason(error);
  if (create) throw EFileCreateError(message);
  throw EFileWriteError(message);
}

void TAtomicFile::Write(const uint8_t* data, size_t size) {
  if (Fd < 0) Fail(false, EBADF);
  if (const int error = Injected(EAtomicFileStep::Write)) Fail(false, error);
  while (size > 0) {
    const ssize_t n = ::write(Fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(false, errno);
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void TAtomicFile::Commit() {
  if (Fd < 0) Fail(false, EBADF);
  if (const int error = Injected(EAtomicFileStep::Sync)) Fail(false, error);
  if (::fsync(Fd) != 0) Fail(false, errno);
  const int fd = Fd;
  Fd = -1;
  if (::close(fd) != 0) Fail(false, errno);
  if (const int error = Injected(EAtomicFileStep::Rename)) Fail(true, error);
  if (::rename(TempPath.c_str(), Path.c_str()) != 0) Fail(true, errno);
  TempCreated = false;

  // Make the new name durable too. The target is replaced already, so a folder
  // that cannot be synced is no failure of the write.
  const std::filesystem::path folder = std::filesystem::path(Path).parent_path();
  TFd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) (void)::fsync(dir.Get());
}
