#include "gateway/StateStore.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kSchemaVersion = 1;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS messages(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  sign TEXT NOT NULL,
  source TEXT NOT NULL,
  command BLOB NOT NULL,
  state TEXT NOT NULL,
  attempts INTEGER NOT NULL DEFAULT 0,
  error TEXT NOT NULL DEFAULT '',
  created INTEGER NOT NULL,
  updated INTEGER NOT NULL,
  expires INTEGER);
CREATE INDEX IF NOT EXISTS messages_pending ON messages(id) WHERE state IN ('queued', 'sending');
CREATE INDEX IF NOT EXISTS messages_updated ON messages(updated);
CREATE TABLE IF NOT EXISTS send_log(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  time INTEGER NOT NULL,
  message_id INTEGER NOT NULL,
  source TEXT NOT NULL,
  sign TEXT NOT NULL,
  command BLOB NOT NULL,
  result TEXT NOT NULL,
  error TEXT NOT NULL,
  duration_ms INTEGER NOT NULL,
  attempt INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS send_log_sign ON send_log(sign, id);
CREATE INDEX IF NOT EXISTS send_log_time ON send_log(time);
CREATE TABLE IF NOT EXISTS sign_state(
  sign TEXT PRIMARY KEY,
  message_id TEXT NOT NULL,
  command BLOB NOT NULL,
  last_result TEXT NOT NULL,
  last_error TEXT NOT NULL,
  last_success INTEGER);
)sql";

constexpr const char* kMessageColumns = "id, sign, source, command, state, attempts, error, created, updated, expires";

MessageInfo ReadMessage(const SqliteStatement& row) {
  MessageInfo info;
  info.id = std::to_string(row.Int(0));
  info.sign = row.Text(1);
  info.source = row.Text(2);
  info.command = row.Text(3);
  info.state = MessageStateFromName(row.Text(4));
  info.attempts = static_cast<int>(row.Int(5));
  info.error = row.Text(6);
  info.created = row.Int(7);
  info.updated = row.Int(8);
  if (!row.IsNull(9)) info.expires = row.Int(9);
  return info;
}

std::optional<int64_t> ParseId(std::string_view id) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), value);
  if (error != std::errc() || end != id.data() + id.size() || value <= 0) return std::nullopt;
  return value;
}

}  // namespace

MessageState MessageStateFromName(std::string_view name) {
  for (MessageState state : {MessageState::kQueued, MessageState::kSending, MessageState::kSent, MessageState::kFailed,
                             MessageState::kSuperseded, MessageState::kExpired})
    if (MessageStateName(state) == name) return state;
  return MessageState::kQueued;
}

Status StateStore::Open(const std::string& stateDir, WalFlusher::Flushed flushed) {
  std::error_code error;
  std::filesystem::create_directories(stateDir, error);
  if (error) return Status::OsFailure(stateDir + ": " + error.message());
  m_path = (std::filesystem::path(stateDir) / "gateway.db").string();
  if (Status opened = m_db.Open(m_path); !opened.ok()) return opened;

  int64_t found = -1;
  {
    SqliteStatement version = m_db.Prepare("PRAGMA user_version");
    if (version.Step()) found = version.Int(0);
    if (!version.status().ok())
      return Status::OsFailure(m_path + ": not a database (" + version.status().message() + ")");
  }
  if (found > kSchemaVersion)
    return Status::OsFailure(m_path + ": written by a newer gateway (schema " + std::to_string(found) + ")");

  // WAL: readers never wait for the writer, and a commit is one append.
  if (Status wal = m_db.Exec("PRAGMA journal_mode=WAL"); !wal.ok()) return wal;
  if (Status schema = m_db.Exec(kSchema); !schema.ok()) return schema;
  if (Status version = m_db.Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion)); !version.ok())
    return version;
  // Commits are synced by the flusher, checkpoints by its own connection.
  if (Status unsynced = m_db.Exec("PRAGMA synchronous=OFF; PRAGMA wal_autocheckpoint=0"); !unsynced.ok())
    return unsynced;
  m_flusher = std::make_unique<WalFlusher>(std::move(flushed));
  return m_flusher->Start(m_path);
}

void StateStore::Close() {
  m_flusher.reset();
  if (!m_db.isOpen()) return;
  // The last connection checkpoints as it closes; with its own syncs, never unsynced.
  m_db.Exec("PRAGMA synchronous=FULL");
  m_db.Close();
}

uint64_t StateStore::Flush() {
  return m_flusher ? m_flusher->Request() : 0;
}

Status StateStore::WriteUpdates(const std::vector<MessageUpdate>& updates) {
  SqliteStatement update = m_db.Prepare("UPDATE messages SET state=?1, attempts=?2, error=?3, updated=?4 WHERE id=?5");
  SqliteStatement log = m_db.Prepare(
      "INSERT INTO send_log(time, message_id, source, sign, command, result, error, duration_ms, attempt) "
      "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
  for (const MessageUpdate& u : updates) {
    const std::optional<int64_t> id = ParseId(u.info.id);
    if (!id) return Status::BadInput("message id \"" + u.info.id + "\" is not a stored message");
    update.Bind(1, MessageStateName(u.info.state))
        .Bind(2, int64_t{u.info.attempts})
        .Bind(3, u.info.error)
        .Bind(4, u.info.updated)
        .Bind(5, *id);
    if (Status s = update.Run(); !s.ok()) return s;
    if (!u.log) continue;
    const LogRow& row = *u.log;
    log.Bind(1, row.time)
        .Bind(2, *id)
        .Bind(3, row.source)
        .Bind(4, row.sign)
        .BindBlob(5, row.command)
        .Bind(6, row.result)
        .Bind(7, row.error)
        .Bind(8, row.durationMs)
        .Bind(9, int64_t{row.attempt});
    if (Status s = log.Run(); !s.ok()) return s;
  }
  return {};
}

Status StateStore::Insert(std::vector<MessageInfo>& fresh, const std::vector<MessageUpdate>& updates) {
  std::vector<int64_t> ids;
  {
    SqliteTransaction transaction(m_db);
    if (!transaction.began().ok()) return transaction.began();
    SqliteStatement insert = m_db.Prepare(
        "INSERT INTO messages(sign, source, command, state, attempts, error, created, updated, expires) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (const MessageInfo& m : fresh) {
      insert.Bind(1, m.sign)
          .Bind(2, m.source)
          .BindBlob(3, m.command)
          .Bind(4, MessageStateName(m.state))
          .Bind(5, int64_t{m.attempts})
          .Bind(6, m.error)
          .Bind(7, m.created)
          .Bind(8, m.updated)
          .Bind(9, m.expires);
      if (Status s = insert.Run(); !s.ok()) return s;
      ids.push_back(m_db.LastInsertId());
    }
    if (Status s = WriteUpdates(updates); !s.ok()) return s;
    if (Status s = transaction.Commit(); !s.ok()) return s;
  }
  for (size_t i = 0; i < fresh.size(); ++i) fresh[i].id = std::to_string(ids[i]);
  return {};
}

Status StateStore::Apply(const std::vector<MessageUpdate>& updates, const std::vector<SignRecord>& signs) {
  SqliteTransaction transaction(m_db);
  if (!transaction.began().ok()) return transaction.began();
  if (Status s = WriteUpdates(updates); !s.ok()) return s;
  SqliteStatement upsert = m_db.Prepare(
      "INSERT INTO sign_state(sign, message_id, command, last_result, last_error, last_success) "
      "VALUES(?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(sign) DO UPDATE SET message_id=excluded.message_id, "
      "command=excluded.command, last_result=excluded.last_result, last_error=excluded.last_error, "
      "last_success=excluded.last_success");
  for (const SignRecord& r : signs) {
    upsert.Bind(1, r.sign).Bind(2, r.messageId).BindBlob(3, r.command).Bind(4, r.lastResult).Bind(5, r.lastError);
    upsert.Bind(6, r.lastSuccess);
    if (Status s = upsert.Run(); !s.ok()) return s;
  }
  return transaction.Commit();
}

std::vector<MessageInfo> StateStore::LoadPending(Status& status) {
  SqliteStatement query = m_db.Prepare(std::string("SELECT ") + kMessageColumns +
                                       " FROM messages WHERE state IN ('queued', 'sending') ORDER BY id");
  std::vector<MessageInfo> pending;
  while (query.Step()) {
    pending.push_back(ReadMessage(query));
    pending.back().state = MessageState::kQueued;
  }
  status = query.status();
  return pending;
}

std::vector<SignRecord> StateStore::LoadSignRecords(Status& status) {
  SqliteStatement query =
      m_db.Prepare("SELECT sign, message_id, command, last_result, last_error, last_success FROM sign_state");
  std::vector<SignRecord> records;
  while (query.Step()) {
    SignRecord r{query.Text(0), query.Text(1), query.Text(2), query.Text(3), query.Text(4), std::nullopt};
    if (!query.IsNull(5)) r.lastSuccess = query.Int(5);
    records.push_back(std::move(r));
  }
  status = query.status();
  return records;
}

std::optional<MessageInfo> StateStore::FindMessage(std::string_view id) {
  const std::optional<int64_t> number = ParseId(id);
  if (!number) return std::nullopt;
  SqliteStatement query = m_db.Prepare(std::string("SELECT ") + kMessageColumns + " FROM messages WHERE id=?1");
  query.Bind(1, *number);
  if (!query.Step()) return std::nullopt;
  return ReadMessage(query);
}

std::vector<LogRow> StateStore::QueryLog(const LogQuery& query) {
  SqliteStatement select = m_db.Prepare(
      "SELECT id, time, message_id, source, sign, command, result, error, duration_ms, attempt FROM send_log "
      "WHERE (?1 = '' OR sign = ?1) AND (?2 IS NULL OR time >= ?2) ORDER BY id DESC LIMIT ?3");
  select.Bind(1, query.sign).Bind(2, query.since).Bind(3, int64_t{std::clamp(query.limit, 0, kMaxLogLimit)});
  std::vector<LogRow> rows;
  while (select.Step()) {
    rows.push_back(LogRow{select.Int(0), select.Int(1), std::to_string(select.Int(2)), select.Text(3), select.Text(4),
                          select.Text(5), select.Text(6), select.Text(7), select.Int(8),
                          static_cast<int>(select.Int(9))});
  }
  return rows;
}

Status StateStore::Prune(const LogConfig& log, GatewayTime now) {
  const int64_t cutoff = now - int64_t{log.retentionDays} * 24 * 3600 * 1000;
  SqliteTransaction transaction(m_db);
  if (!transaction.began().ok()) return transaction.began();
  SqliteStatement oldLog = m_db.Prepare("DELETE FROM send_log WHERE time < ?1");
  if (Status s = oldLog.Bind(1, cutoff).Run(); !s.ok()) return s;
  SqliteStatement extraLog =
      m_db.Prepare("DELETE FROM send_log WHERE id <= (SELECT id FROM send_log ORDER BY id DESC LIMIT 1 OFFSET ?1)");
  if (Status s = extraLog.Bind(1, log.maxRows).Run(); !s.ok()) return s;
  SqliteStatement oldMessages =
      m_db.Prepare("DELETE FROM messages WHERE updated < ?1 AND state NOT IN ('queued', 'sending')");
  if (Status s = oldMessages.Bind(1, cutoff).Run(); !s.ok()) return s;
  SqliteStatement extraMessages = m_db.Prepare(
      "DELETE FROM messages WHERE state NOT IN ('queued', 'sending') AND "
      "id <= (SELECT id FROM messages ORDER BY id DESC LIMIT 1 OFFSET ?1)");
  if (Status s = extraMessages.Bind(1, log.maxRows).Run(); !s.ok()) return s;
  return transaction.Commit();
}
