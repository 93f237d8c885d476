#pragma once

#include <cstddef>
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
// exhaust memory.
constexpr size_t kMaxDataFileBytes = 256u * 1024u * 1024u;
FileContents ReadWholeFile(const std::string& path, size_t maxBytes = kMaxDataFileBytes);

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

// Writes path by way of a temporary file beside it ("<path>.new") that replaces the
// old file only when Commit succeeds, so a crash, a full disk or a write error never
// leaves a truncated file and never loses the previous one. Writes are buffered.
// An uncommitted writer removes its temporary file when destroyed.
class AtomicFileWriter : public ByteSink {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter() override;

  Status Open(const std::string& path);
  bool Write(std::string_view bytes) override;
  // Flushes, syncs to disk, closes and renames over the target.
  Status Commit();

 private:
  void Discard();

  std::string m_path;
  std::string m_tempPath;
  std::FILE* m_file = nullptr;
  bool m_failed = false;
  int m_errno = 0;
};

// The system's text for an errno value.
std::string SystemErrorText(int errorNumber);
