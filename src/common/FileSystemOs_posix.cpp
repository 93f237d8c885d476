#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <utility>
#include <vector>

#include "common/FileSystemOs.h"

namespace file_os {

namespace {

constexpr int kMaxLinks = 40;
constexpr std::chrono::milliseconds kLockRetry{20};

FileFacts FactsOf(const struct stat& info) {
  FileFacts facts;
  facts.kind = S_ISREG(info.st_mode) ? Kind::Regular : Kind::Other;
  facts.size = static_cast<uint64_t>(info.st_size);
  facts.mode = static_cast<unsigned>(info.st_mode & 07777);
  return facts;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

}  // namespace

FileFacts Inspect(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return FactsOf(info);
  FileFacts facts;
  if (errno != ENOENT) facts.error = errno;
  return facts;
}

ReadResult ReadRegular(const std::string& path, size_t limit, uint64_t stopAbove) {
  ReadResult result;
  const FileFacts before = Inspect(path);
  if (before.error != 0 || before.kind != Kind::Regular) {
    result.error = before.error != 0 ? before.error : before.kind == Kind::Missing ? ENOENT : EINVAL;
    return result;
  }
  // Non-blocking, in case a FIFO or a device took the file's place since the look above.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  if (!known || !S_ISREG(info.st_mode)) {
    result.error = known ? EINVAL : errno;
    ::close(fd);
    return result;
  }
  result.size = static_cast<uint64_t>(info.st_size);
  if (result.size > stopAbove) {
    ::close(fd);
    return result;
  }
  std::vector<char> chunk(65536);
  while (result.bytes.size() < limit) {
    const size_t want = std::min(chunk.size(), limit - result.bytes.size());
    const ssize_t got = ::read(fd, chunk.data(), want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = errno;
      break;
    }
    if (got == 0) break;
    result.bytes.append(chunk.data(), static_cast<size_t>(got));
  }
  ::close(fd);
  return result;
}

int ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(info.st_mode)) return 0;
    std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
    if (length < 0) return errno;
    if (static_cast<size_t>(length) >= buffer.size()) return ENAMETOOLONG;
    std::string link(buffer.data(), static_cast<size_t>(length));
    if (link.empty() || link.front() != '/') link.insert(0, FolderOf(target));
    target = std::move(link);
  }
  return ELOOP;
}

int Lock(const std::string& lockPath, std::chrono::milliseconds wait, intptr_t& handle) {
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return errno;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle = fd;
      return 0;
    }
    const int error = errno;
    if ((error != EWOULDBLOCK && error != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      return error;
    }
    std::this_thread::sleep_for(kLockRetry);
  }
}

void Unlock(intptr_t handle) {
  // Closing the descriptor drops the lock; the lock file stays for the next writer.
  ::close(static_cast<int>(handle));
}

int CreateExclusive(const std::string& path, unsigned mode, bool keepMode, std::FILE*& file) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, keepMode ? 0600 : 0666);
  if (fd < 0) return errno;
  // The umask must not narrow the old file's bits.
  if (keepMode && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    return error;
  }
  file = ::fdopen(fd, "wb");
  if (!file) {
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    return error;
  }
  return 0;
}

int SyncAndClose(std::FILE* file) {
  int error = 0;
  if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) error = errno;
  if (std::fclose(file) != 0 && error == 0) error = errno;
  return error;
}

int Replace(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot sync a folder; the rename has happened all the same.
  return error == EINVAL ? 0 : error;
}

}  // namespace file_os
