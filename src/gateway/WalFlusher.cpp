#include "gateway/WalFlusher.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "gateway/Sqlite.h"

namespace {

constexpr std::chrono::milliseconds kCheckpointInterval{1000};

}  // namespace

WalFlusher::WalFlusher(Flushed flushed) : m_flushed(std::move(flushed)) {}

WalFlusher::~WalFlusher() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  m_stopWake.notify_all();
  if (m_flusher.joinable()) m_flusher.join();
  if (m_checkpointer.joinable()) m_checkpointer.join();
  if (m_walFd >= 0) ::close(m_walFd);
}

Status WalFlusher::Start(const std::string& dbPath) {
  m_dbPath = dbPath;
  const std::string walPath = dbPath + "-wal";
  m_walFd = ::open(walPath.c_str(), O_RDWR | O_CLOEXEC);
  if (m_walFd < 0) return Status::OsFailure(walPath + ": " + std::strerror(errno));
  m_flusher = std::thread([this] { FlushLoop(); });
  m_checkpointer = std::thread([this] { CheckpointLoop(); });
  return {};
}

uint64_t WalFlusher::Request() {
  uint64_t ticket = 0;
  {
    std::lock_guard lock(m_mutex);
    ticket = ++m_requested;
  }
  m_wake.notify_one();
  return ticket;
}

void WalFlusher::FlushLoop() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return m_stopping || m_requested > m_flushedTicket; });
    if (m_requested == m_flushedTicket) return;  // stopping with nothing asked
    // Every ticket up to here was handed out after its commit, so before this sync begins.
    const uint64_t target = m_requested;
    lock.unlock();
    const Status status =
        ::fdatasync(m_walFd) == 0 ? Status() : Status::OsFailure(m_dbPath + "-wal: " + std::strerror(errno));
    m_flushed(target, status);
    lock.lock();
    m_flushedTicket = target;
    if (m_stopping && m_requested == m_flushedTicket) return;
  }
}

void WalFlusher::CheckpointLoop() {
  SqliteDb db;
  // FULL: the WAL is synced before its pages are copied and the database file after.
  const bool usable = db.Open(m_dbPath).ok() && db.Exec("PRAGMA synchronous=FULL").ok();
  std::unique_lock lock(m_mutex);
  while (!m_stopping) {
    m_stopWake.wait_for(lock, kCheckpointInterval, [this] { return m_stopping; });
    if (m_stopping || !usable || m_requested == m_checkpointedAt) continue;
    m_checkpointedAt = m_requested;
    lock.unlock();
    // PASSIVE never blocks the writer; what it cannot copy now, the next round copies.
    db.Exec("PRAGMA wal_checkpoint(PASSIVE)");
    lock.lock();
  }
}
