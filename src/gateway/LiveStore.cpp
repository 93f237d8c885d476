#include "gateway/LiveStore.h"

#include <filesystem>

Status LiveStore::Open(const std::string& stateDir) {
  m_path = (std::filesystem::path(stateDir) / "live.db").string();
  if (Status opened = m_db.Open(m_path); !opened.ok()) return opened;
  if (Status s = m_db.Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"); !s.ok()) return s;
  return m_db.Exec("CREATE TABLE IF NOT EXISTS documents (name TEXT PRIMARY KEY, json TEXT NOT NULL)");
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
  Status status = upsert.Bind(1, name).Bind(2, json).Run();
  return status.ok() ? status : Status::OsFailure(m_path + ": " + status.message());
}
