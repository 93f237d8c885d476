#pragma once

#include <map>
#include <optional>
#include <string>

#include "common/Status.h"
#include "gateway/Sqlite.h"

// live.db in the gateway's state folder: named JSON documents (variables, schedules set
// over the API, each sign's interrupts and base message), so they outlive a restart.
// Every Put reaches the disk before it returns.
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
