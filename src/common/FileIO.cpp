#include "common/FileIO.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "common/FileSystemOs.h"
#include "common/Text.h"

namespace {

constexpr std::string_view kTemporaryMark = ".new";
constexpr size_t kTemporarySuffixLength = 6;
constexpr int kTemporaryNameTries = 100;
constexpr std::string_view kSuffixLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::string RandomSuffix() {
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, kSuffixLetters.size() - 1);
  std::string suffix;
  for (size_t i = 0; i < kTemporarySuffixLength; ++i) suffix += kSuffixLetters[pick(generator)];
  return suffix;
}

Status OsError(const std::string& path, int errorNumber) {
  return Status::OsFailure(path + ": " + SystemErrorText(errorNumber));
}

FileContents Read(const std::string& path, size_t limit, uint64_t stopAbove) {
  FileContents result;
  file_os::ReadResult read = file_os::ReadRegular(path, limit, stopAbove);
  if (read.error == ENOENT) {
    result.missing = true;
  } else if (read.error == EINVAL) {
    result.status = Status::OsFailure(path + ": not a regular file");
  } else if (read.error != 0) {
    result.status = OsError(path, read.error);
  } else if (read.size > stopAbove || read.bytes.size() > stopAbove) {
    result.status =
        Status::BadInput(Format("%s: file too large (%llu bytes; at most %llu are read)", path.c_str(),
                                static_cast<unsigned long long>(std::max<uint64_t>(read.size, read.bytes.size())),
                                static_cast<unsigned long long>(stopAbove)));
  } else {
    result.bytes = std::move(read.bytes);
  }
  return result;
}

// Under the lock no other writer of this file is at work, so every temporary of it is
// left over from one that crashed.
void RemoveStaleTemporaries(const std::string& target) {
  namespace fs = std::filesystem;
  const std::string folder = FolderOf(target);
  const std::string name = FileNameOf(target);
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end; it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (!IsTemporaryOf(candidate, name)) continue;
    std::error_code ignored;
    const fs::file_type type = it->symlink_status(ignored).type();
    if (type == fs::file_type::regular || type == fs::file_type::symlink) fs::remove(it->path(), ignored);
  }
}

}  // namespace

std::string SystemErrorText(int errorNumber) {
  return std::strerror(errorNumber);
}

FileContents ReadWholeFile(const std::string& path, size_t maxBytes) {
  // One byte more than allowed shows a file that grew past the cap while being read.
  return Read(path, maxBytes + 1, maxBytes);
}

FileContents ReadFileStart(const std::string& path, size_t count) {
  return Read(path, count, UINT64_MAX);
}

bool IsTemporaryOf(std::string_view candidate, std::string_view fileName) {
  if (candidate.size() < fileName.size() + kTemporaryMark.size() || candidate.substr(0, fileName.size()) != fileName)
    return false;
  std::string_view rest = candidate.substr(fileName.size());
  if (rest.substr(0, kTemporaryMark.size()) != kTemporaryMark) return false;
  rest.remove_prefix(kTemporaryMark.size());
  if (rest.empty()) return true;
  if (rest.size() != kTemporarySuffixLength + 1 || rest.front() != '-') return false;
  return rest.substr(1).find_first_not_of(kSuffixLetters) == std::string_view::npos;
}

Status DataFileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
  Release();
  std::string target;
  if (int error = file_os::ResolveLinks(path, target); error != 0) return OsError(path, error);
  intptr_t handle = -1;
  const int error = file_os::Lock(target + ".lock", wait, handle);
  if (error == EWOULDBLOCK)
    return Status::OsFailure(Format("%s: another program is saving this file; gave up after waiting %lld ms",
                                    path.c_str(), static_cast<long long>(wait.count())));
  if (error != 0) return OsError(path, error);
  m_handle = handle;
  m_target = std::move(target);
  return {};
}

void DataFileLock::Release() {
  if (m_handle < 0) return;
  file_os::Unlock(m_handle);
  m_handle = -1;
  m_target.clear();
}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

Status AtomicFileWriter::Failure(int errorNumber) const {
  return OsError(m_path, errorNumber);
}

Status AtomicFileWriter::Open(const std::string& path, const AtomicWriteOptions& options) {
  Discard();
  m_path = path;
  m_maxBytes = options.maxBytes;
  m_written = 0;
  m_failed = false;
  m_tooLarge = false;
  if (int error = file_os::ResolveLinks(path, m_target); error != 0) return Failure(error);
  if (options.heldLock) {
    if (options.heldLock->target() != m_target) return Status::Unsupported(path + ": the lock held is another file's");
  } else if (Status locked = m_ownLock.Acquire(path, options.lockWait); !locked.ok()) {
    return locked;
  }
  const file_os::FileFacts old = file_os::Inspect(m_target);
  if (old.error != 0) return Failure(old.error);
  if (old.kind == file_os::Kind::Other) return Status::OsFailure(path + ": not a regular file; left as it is");
  RemoveStaleTemporaries(m_target);
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    const std::string candidate = m_target + std::string(kTemporaryMark) + "-" + RandomSuffix();
    const int error = file_os::CreateExclusive(candidate, old.mode, old.kind == file_os::Kind::Regular, m_file);
    if (error == EEXIST) continue;
    if (error != 0) return Failure(error);
    m_tempPath = candidate;
    std::setvbuf(m_file, nullptr, _IOFBF, 65536);
    return {};
  }
  return Failure(EEXIST);
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (!m_file || m_failed) return false;
  if (bytes.size() > m_maxBytes - m_written) {
    m_failed = m_tooLarge = true;
    return false;
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
    m_failed = true;
    m_errno = errno;
  }
  m_written += bytes.size();
  return !m_failed;
}

Status AtomicFileWriter::Commit() {
  if (!m_file) return Status::Unsupported(m_path + ": not open");
  std::FILE* file = m_file;
  m_file = nullptr;
  const int syncError = file_os::SyncAndClose(file);
  if (!m_failed && syncError != 0) {
    m_failed = true;
    m_errno = syncError;
  }
  Status result;
  if (m_tooLarge)
    result = Status::BadInput(Format("%s: would be larger than the %zu bytes a data file may have; left as it was",
                                     m_path.c_str(), m_maxBytes));
  else if (m_failed)
    result = Failure(m_errno);
  else if (int error = file_os::Replace(m_tempPath, m_target); error != 0)
    result = Failure(error);
  if (!result.ok()) {
    Discard();
    return result;
  }
  m_tempPath.clear();
  // The new file is in place and whole whatever happens to this sync, which only makes the
  // rename itself survive a power cut: reporting the save as failed would be wrong.
  file_os::SyncFolder(FolderOf(m_target));
  m_ownLock.Release();
  return {};
}

void AtomicFileWriter::Discard() {
  if (m_file) {
    std::fclose(m_file);
    m_file = nullptr;
  }
  if (!m_tempPath.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_tempPath, ignored);
    m_tempPath.clear();
  }
  m_ownLock.Release();
}
