#include "gateway/LiveStore.h"

#include <cstdio>
#include <filesystem>

Status LiveStore::Open(const std::string& stateDir) {
  m_path = (std::filesystem::path(stateDir) / "live.db").string();
  if (Status opened = m_db.Open(m_path); !opened.ok()) return opened;
  // Commits are synced by the flusher, checkpoints by its own connection.
  if (Status s = m_db.Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=OFF; PRAGMA wal_autocheckpoint=0;"); !s.ok())
    return s;
  if (Status s = m_db.Exec("CREATE TABLE IF NOT EXISTS documents (name TEXT PRIMARY KEY, json TEXT NOT NULL);"
                           "CREATE TABLE IF NOT EXISTS command_ids (id TEXT PRIMARY KEY, json TEXT NOT NULL,"
                           " time INTEGER NOT NULL)");
      !s.ok()) {
    return s;
  }
  SqliteStatement prune = m_db.Prepare("DELETE FROM command_ids WHERE time < strftime('%s', 'now') - ?1");
  if (Status s = prune.Bind(1, int64_t(kCommandIdDays) * 86400).Run(); !s.ok()) return s;
  m_flusher = std::make_unique<WalFlusher>([](uint64_t, const Status& flushed) {
    if (!flushed.ok()) std::fprintf(stderr, "marquee-gateway: %s\n", flushed.message().c_str());
  });
  return m_flusher->Start(m_path);
}

LiveStore::~LiveStore() {
  m_flusher.reset();
  // The last connection checkpoints as it closes; with its own syncs, never unsynced.
  if (m_db.isOpen()) m_db.Exec("PRAGMA synchronous=FULL");
}

Status LiveStore::Written(Status status) {
  if (!status.ok()) return Status::OsFailure(m_path + ": " + status.message());
  if (m_flusher) m_flusher->Request();
  return status;
}

std::optional<std::string> LiveStore::FindCommand(const std::string& id) {
  SqliteStatement select = m_db.Prepare("SELECT json FROM command_ids WHERE id = ?1");
  select.Bind(1, id);
  if (!select.Step()) return std::nullopt;
  return select.Text(0);
}

Status LiveStore::PutCommand(const std::string& id, const std::string& json) {
  SqliteStatement insert =
      m_db.Prepare("INSERT OR REPLACE INTO command_ids (id, json, time) VALUES (?1, ?2, strftime('%s', 'now'))");
  return Written(insert.Bind(1, id).Bind(2, json).Run());
}

std::map<std::string, std::string> LiveStore::LoadAll(Status& status) {
  std::map<std::string, std::string> documents;
  SqliteStatement select = m_db.Prepare("SELECT name, json FROM documents");
  while (select.Step()) documents[select.Text(0)] = select.Text(1);
  status = select.status();
  return documents;
}

Status LiveStore::Put(const std::string& name, const std::string& json) {
  SqliteStatement upsert = m_db.Prepare(
      "INSERT INTO documents (name, json) VALUES (?1, ?2) ON CONFLICT(name) DO UPDATE SET json = excluded.json");
  return Written(upsert.Bind(1, name).Bind(2, json).Run());
}
