#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "common/Status.h"

// Makes the commits of a WAL database reach the disk in groups, off the thread that writes
// them. The writer commits without syncing (synchronous=OFF: a commit is then in the
// system's page cache, which a killed process cannot lose) and asks for a flush; one
// fdatasync of the WAL file covers every commit made before it began, however many
// arrived meanwhile, so requests that come together share one wait for the disk.
//
// The writer's connection must not checkpoint itself (wal_autocheckpoint=0): unsynced, a
// checkpoint could let the WAL be reused before the database file holds its pages on disk.
// Checkpoints run here instead, on a connection of their own with full syncs, about once
// a second while there are commits, so they never hold up a flush.
class WalFlusher {
 public:
  // Called on the flusher's thread: every ticket up to `ticket` is on the disk, or the
  // flush that was to put it there failed (status).
  using Flushed = std::function<void(uint64_t ticket, const Status& status)>;

  explicit WalFlusher(Flushed flushed);
  // Ends the flush in progress (its callback still comes) and stops; later requests are
  // never flushed.
  ~WalFlusher();
  WalFlusher(const WalFlusher&) = delete;
  WalFlusher& operator=(const WalFlusher&) = delete;

  // Opens the WAL file of the database at dbPath (already in WAL mode) and starts the
  // threads. OsFailure naming the file when it cannot be opened.
  Status Start(const std::string& dbPath);

  // Asks for everything committed so far to reach the disk. Returns the request's ticket
  // (increasing from 1); flushed(t) with t >= it follows.
  uint64_t Request();

 private:
  void FlushLoop();
  void CheckpointLoop();

  Flushed m_flushed;
  std::string m_dbPath;
  int m_walFd = -1;

  std::mutex m_mutex;
  std::condition_variable m_wake;      // the flusher: a request, or stop
  std::condition_variable m_stopWake;  // the checkpointer: stop
  uint64_t m_requested = 0;            // guarded by m_mutex
  uint64_t m_flushedTicket = 0;        // guarded by m_mutex
  uint64_t m_checkpointedAt = 0;       // guarded by m_mutex: the ticket the last checkpoint saw
  bool m_stopping = false;             // guarded by m_mutex
  std::thread m_flusher;
  std::thread m_checkpointer;
};
