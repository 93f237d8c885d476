#pragma once

#include <map>
#include <optional>
#include <string>

#include "common/Status.h"
#include "gateway/Sqlite.h"

// live.db in the gateway's state folder: named JSON documents (variables, schedules set
// over the API, each sign's interrupts and base message), so they outlive a restart.
// Every Put is in the write-ahead log before it returns, so it outlives a crash of the
// gateway; only a crash of the system may take the last ones back (no sync per Put: a
// command's own copy is synced in the queue's database before the broker's is acknowledged,
// so a lost command id costs at most a second send, never a command).
class LiveStore {
 public:
  Status Open(const std::string& stateDir);
  // Every document, by name.
  std::map<std::string, std::string> LoadAll(Status& status);
  Status Put(const std::string& name, const std::string& json);

  // What a command with a publisher's id was stored as (JSON), so a redelivery of it is
  // answered alike; entries older than kCommandIdDays go at Open.
  static constexpr int kCommandIdDays = 7;
  std::optional<std::string> FindCommand(const std::string& id);
  Status PutCommand(const std::string& id, const std::string& json);

 private:
  SqliteDb m_db;
  std::string m_path;
};
