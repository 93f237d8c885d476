#include "common/FileIO.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#define MARQUEE_FSYNC(fd) _commit(fd)
#define MARQUEE_FILENO(f) _fileno(f)
#else
#include <unistd.h>
#define MARQUEE_FSYNC(fd) fsync(fd)
#define MARQUEE_FILENO(f) fileno(f)
#endif

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

FileContents ReadWholeFile(const std::string& path, size_t maxBytes) {
  FileContents result;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    if (errno == ENOENT)
      result.missing = true;
    else
      result.status = Status::OsFailure(path + ": " + SystemErrorText(errno));
    return result;
  }
  char chunk[65536];
  for (;;) {
    size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (result.bytes.size() + got > maxBytes) {
      result.status = Status::BadInput(path + ": file too large");
      break;
    }
    result.bytes.append(chunk, got);
    if (got < sizeof chunk) {
      if (std::ferror(file)) result.status = Status::OsFailure(path + ": " + SystemErrorText(errno));
      break;
    }
  }
  std::fclose(file);
  return result;
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

Status AtomicFileWriter::Open(const std::string& path) {
  Discard();
  m_path = path;
  m_tempPath = path + ".new";
  m_failed = false;
  m_file = std::fopen(m_tempPath.c_str(), "wb");
  if (!m_file) return Status::OsFailure(m_tempPath + ": " + SystemErrorText(errno));
  std::setvbuf(m_file, nullptr, _IOFBF, 65536);
  return {};
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (!m_file || m_failed) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
    m_failed = true;
    m_errno = errno;
  }
  return !m_failed;
}

Status AtomicFileWriter::Commit() {
  if (!m_file) return Status::OsFailure(m_path + ": not open");
  if (!m_failed && (std::fflush(m_file) != 0 || MARQUEE_FSYNC(MARQUEE_FILENO(m_file)) != 0)) {
    m_failed = true;
    m_errno = errno;
  }
  int closeResult = std::fclose(m_file);
  m_file = nullptr;
  if (!m_failed && closeResult != 0) {
    m_failed = true;
    m_errno = errno;
  }
  if (m_failed) {
    Status error = Status::OsFailure(m_path + ": " + SystemErrorText(m_errno));
    Discard();
    return error;
  }
  std::error_code ec;
  std::filesystem::rename(m_tempPath, m_path, ec);
  if (ec) {
    Discard();
    return Status::OsFailure(m_path + ": " + ec.message());
  }
  m_tempPath.clear();
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
}
