#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/Status.h"

// Whole-file reading and atomic whole-file writing for the data files. Readers parse
// from memory (the files are small: a 100,000-message database is a few megabytes),
// writers go through a ByteSink so tests can make a write fail halfway.

struct FileContents {
  Status status;         // OsFailure when the file exists but cannot be read whole
  bool missing = false;  // the file does not exist (not an error for the data files)
  std::string bytes;
};

// Files above maxBytes are refused rather than loaded, so a huge or wrong file cannot
// exhaust memory; the writers refuse to make a file the readers would refuse.
constexpr size_t kMaxDataFileBytes = 256u * 1024u * 1024u;

// Reads the regular file at path. Anything else there (a FIFO, a device, a folder) is an
// OsFailure found before opening it, so reading never blocks. A file larger than maxBytes
// is a BadInput found from its size, before any of it is read. Errors name path.
FileContents ReadWholeFile(const std::string& path, size_t maxBytes = kMaxDataFileBytes);
// The first count bytes (fewer when the file is shorter), under the same rules but for
// any file size.
FileContents ReadFileStart(const std::string& path, size_t count);

// How reading a data file went. The loaders of both data files report it.
enum class DataFileLoadOutcome {
  Missing,     // no file (the first run): not an error; what is in memory stays
  Complete,    // every record was read
  Damaged,     // truncated or corrupt: what was read before the damage is kept; back the
               // file up before overwriting it, or the rest is lost for good
  Unreadable,  // the file exists but could not be read: nothing was read
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends bytes; false once any write has failed.
  virtual bool Write(std::string_view bytes) = 0;
};

class StringSink : public ByteSink {
 public:
  bool Write(std::string_view bytes) override {
    m_data.append(bytes);
    return true;
  }
  const std::string& data() const { return m_data; }

 private:
  std::string m_data;
};

// How long a writer waits for another writer of the same file before it gives up.
constexpr std::chrono::milliseconds kDataFileLockWait{5000};

// The advisory lock that serialises the writers of one data file, across processes: an
// exclusive lock on "<file>.lock" beside the file that path leads to (after symbolic
// links). Hold it across reading and writing the file back, so no other writer's change
// is lost in between. Released on destruction.
class DataFileLock {
 public:
  DataFileLock() = default;
  DataFileLock(const DataFileLock&) = delete;
  DataFileLock& operator=(const DataFileLock&) = delete;
  ~DataFileLock() { Release(); }

  // Waits up to wait while another process holds the lock; then an OsFailure that names
  // path and says another program is saving it.
  Status Acquire(const std::string& path, std::chrono::milliseconds wait = kDataFileLockWait);
  void Release();
  // The file the lock guards (links followed); empty when none is held.
  const std::string& target() const { return m_target; }

 private:
  std::string m_target;
  intptr_t m_handle = -1;
};

struct AtomicWriteOptions {
  size_t maxBytes = kMaxDataFileBytes;  // more makes Commit fail: the readers would refuse the file
  std::chrono::milliseconds lockWait = kDataFileLockWait;
  const DataFileLock* heldLock = nullptr;  // the caller already holds path's lock
};

// Replaces the file at path as a whole, or not at all. Open takes path's lock (unless the
// caller holds it), removes temporaries that an earlier crash left, and writes into a new
// temporary file of its own beside the file, created exclusively (never through a link).
// Commit syncs it, gives it the old file's permission bits and renames it over the file
// that path leads to (a symbolic link stays and names the new file), then syncs the
// folder. A crash, a full disk or a write error never leaves a truncated file and never
// loses the previous one; an uncommitted writer removes its temporary when destroyed.
// A path that names something other than a regular file is refused. Errors name path,
// never the temporary. Writes are buffered.
class AtomicFileWriter : public ByteSink {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter() override;

  Status Open(const std::string& path, const AtomicWriteOptions& options = {});
  bool Write(std::string_view bytes) override;
  Status Commit();

 private:
  void Discard();
  Status Failure(int errorNumber) const;

  std::string m_path;    // as the caller named it, for messages
  std::string m_target;  // the file replaced
  std::string m_tempPath;
  std::FILE* m_file = nullptr;
  DataFileLock m_ownLock;
  size_t m_maxBytes = 0;
  size_t m_written = 0;
  bool m_failed = false;
  bool m_tooLarge = false;
  int m_errno = 0;
};

// The temporary names AtomicFileWriter uses for fileName: "<fileName>.new-" and six
// letters or digits. The bare "<fileName>.new" of older versions counts as one too.
bool IsTemporaryOf(std::string_view candidate, std::string_view fileName);

// The system's text for an errno value.
std::string SystemErrorText(int errorNumber);
