#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Status.h"
#include "gateway/Gateway.h"
#include "gateway/Sqlite.h"
#include "gateway/WalFlusher.h"

// The gateway's database, gateway.db in the state folder (WAL): every message with its
// state, the send log, and what each sign was last sent. Only the thread that opened it
// uses it. Message ids are the rows' numbers, never reused.
//
// Commits do not wait for the disk: each is written at once (a killed process cannot lose
// it) and Flush() asks for the disk, off this thread, shared by every commit made since the
// last flush began (WalFlusher.h).

// A message changing state, with the send log row that records why (when there is one).
struct MessageUpdate {
  MessageInfo info;           // id, state, attempts, error and updated are written
  std::optional<LogRow> log;  // appended to the send log
};

// What a sign was last sent and how its last attempt went.
struct SignRecord {
  std::string sign;
  std::string messageId;
  std::string command;
  std::string lastResult;
  std::string lastError;
  std::optional<GatewayTime> lastSuccess;
};

class StateStore {
 public:
  StateStore() = default;
  ~StateStore() { Close(); }
  StateStore(const StateStore&) = delete;
  StateStore& operator=(const StateStore&) = delete;

  // Creates the folder when missing and opens or creates its gateway.db; flushed is called
  // on the flusher's thread as WalFlusher::Flushed. OsFailure naming the file when that
  // fails or the file is not a gateway database.
  Status Open(const std::string& stateDir, WalFlusher::Flushed flushed);
  // Waits for the flush in progress, stops the flusher (flushed is not called after this
  // returns) and closes the database with a synced checkpoint.
  void Close();

  // Stores new messages and the updates that go with them (the messages they supersede)
  // in one transaction, written before this returns; assigns fresh[i].id. On failure
  // nothing is stored and no id is assigned.
  Status Insert(std::vector<MessageInfo>& fresh, const std::vector<MessageUpdate>& updates);

  // Asks for every commit so far to reach the disk; returns the ticket that flushed reports.
  uint64_t Flush();

  // Writes updates and sign records in one transaction. Flushed with the next Flush(): a
  // result lost to a power cut means the message is sent once more, never lost.
  Status Apply(const std::vector<MessageUpdate>& updates, const std::vector<SignRecord>& signs);

  // Messages queued or in flight when the last run ended, oldest first; those in flight
  // come back as queued.
  std::vector<MessageInfo> LoadPending(Status& status);
  std::vector<SignRecord> LoadSignRecords(Status& status);

  std::optional<MessageInfo> FindMessage(std::string_view id);
  std::vector<LogRow> QueryLog(const LogQuery& query);

  // Deletes send log rows and finished messages older than the retention, then the oldest
  // rows beyond maxRows.
  Status Prune(const LogConfig& log, GatewayTime now);

 private:
  Status WriteUpdates(const std::vector<MessageUpdate>& updates);

  SqliteDb m_db;
  std::string m_path;
  std::unique_ptr<WalFlusher> m_flusher;
};

// The state of its database name; kQueued for any unknown name.
MessageState MessageStateFromName(std::string_view name);
