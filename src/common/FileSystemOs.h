#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The system's side of FileIO.cpp: one file per system (FileSystemOs_posix.cpp,
// FileSystemOs_win.cpp). Errors are errno values, 0 for success.
namespace file_os {

// What a path names, following symbolic links.
enum class Kind { Missing, Regular, Other };

struct FileFacts {
  int error = 0;  // why nothing could be learnt (a missing file is Kind::Missing, not an error)
  Kind kind = Kind::Missing;
  uint64_t size = 0;  // bytes, for a regular file
  unsigned mode = 0;  // permission bits, for a regular file
};

// Looks at path without opening it, so nothing (a FIFO, a device) can block or notice.
FileFacts Inspect(const std::string& path);

struct ReadResult {
  int error = 0;      // ENOENT when missing; EINVAL when not a regular file
  uint64_t size = 0;  // the size the open file has, read before its bytes
  std::string bytes;  // at most limit bytes from the start
};

// Reads at most limit bytes from the start of the regular file at path. Opens without
// blocking and refuses anything but a regular file (checked before and after opening).
// With stopAbove set, reads nothing when the file holds more than that many bytes.
ReadResult ReadRegular(const std::string& path, size_t limit, uint64_t stopAbove);

// The file that writing path replaces: path itself, or the end of the chain of symbolic
// links it names (relative links taken from their own folder). ELOOP for a loop.
int ResolveLinks(const std::string& path, std::string& target);

// Takes the exclusive advisory lock of the file at lockPath (created when missing, never
// through a link), waiting up to wait while another process holds it: EWOULDBLOCK after
// that. handle is what Unlock takes.
int Lock(const std::string& lockPath, std::chrono::milliseconds wait, intptr_t& handle);
void Unlock(intptr_t handle);

// Creates path for writing, failing with EEXIST when anything (a file, a link) is already
// there. keepMode gives it exactly the permission bits mode; otherwise a new file's
// default ones.
int CreateExclusive(const std::string& path, unsigned mode, bool keepMode, std::FILE*& file);
// Flushes, syncs to disk and closes file (closed even on failure).
int SyncAndClose(std::FILE* file);
// Renames from over to in one step.
int Replace(const std::string& from, const std::string& to);
// Syncs the folder's entries, so a rename in it survives a power cut.
int SyncFolder(const std::string& folder);

}  // namespace file_os
