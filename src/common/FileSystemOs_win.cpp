#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "common/FileSystemOs.h"

namespace file_os {

namespace {

constexpr DWORD kLockRetryMs = 20;

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace

FileFacts Inspect(const std::string& path) {
  FileFacts facts;
  struct _stat64 info {};
  if (::_stat64(path.c_str(), &info) != 0) {
    if (errno != ENOENT) facts.error = errno;
    return facts;
  }
  facts.kind = (info.st_mode & _S_IFMT) == _S_IFREG ? Kind::Regular : Kind::Other;
  facts.size = static_cast<uint64_t>(info.st_size);
  facts.mode = static_cast<unsigned>(info.st_mode & 0777);
  return facts;
}

ReadResult ReadRegular(const std::string& path, size_t limit, uint64_t stopAbove) {
  ReadResult result;
  const FileFacts facts = Inspect(path);
  if (facts.error != 0 || facts.kind != Kind::Regular) {
    result.error = facts.error != 0 ? facts.error : facts.kind == Kind::Missing ? ENOENT : EINVAL;
    return result;
  }
  result.size = facts.size;
  if (result.size > stopAbove) return result;
  const int fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  std::vector<char> chunk(65536);
  while (result.bytes.size() < limit) {
    const size_t want = std::min(chunk.size(), limit - result.bytes.size());
    const int got = ::_read(fd, chunk.data(), static_cast<unsigned>(want));
    if (got < 0) {
      result.error = errno;
      break;
    }
    if (got == 0) break;
    result.bytes.append(chunk.data(), static_cast<size_t>(got));
  }
  ::_close(fd);
  return result;
}

int ResolveLinks(const std::string& path, std::string& target) {
  // Links are rare on this system, and replacing one replaces the file it names there too.
  target = path;
  return 0;
}

int Lock(const std::string& lockPath, std::chrono::milliseconds wait, intptr_t& handle) {
  HANDLE file = ::CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ErrnoOf(::GetLastError());
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(wait.count());
  for (;;) {
    OVERLAPPED whole{};
    if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      handle = reinterpret_cast<intptr_t>(file);
      return 0;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_LOCK_VIOLATION || ::GetTickCount64() >= deadline) {
      ::CloseHandle(file);
      return error == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : ErrnoOf(error);
    }
    ::Sleep(kLockRetryMs);
  }
}

void Unlock(intptr_t handle) {
  ::CloseHandle(reinterpret_cast<HANDLE>(handle));
}

int CreateExclusive(const std::string& path, unsigned mode, bool keepMode, std::FILE*& file) {
  const int fd = ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return errno;
  // Only the read-only bit exists here.
  if (keepMode && (mode & 0200) == 0) ::_chmod(path.c_str(), _S_IREAD);
  file = ::_fdopen(fd, "wb");
  if (!file) {
    const int error = errno;
    ::_close(fd);
    ::_unlink(path.c_str());
    return error;
  }
  return 0;
}

int SyncAndClose(std::FILE* file) {
  int error = 0;
  if (std::fflush(file) != 0 || ::_commit(::_fileno(file)) != 0) error = errno;
  if (std::fclose(file) != 0 && error == 0) error = errno;
  return error;
}

int Replace(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return ErrnoOf(::GetLastError());
}

int SyncFolder(const std::string&) {
  // MOVEFILE_WRITE_THROUGH has already made the rename durable.
  return 0;
}

}  // namespace file_os
