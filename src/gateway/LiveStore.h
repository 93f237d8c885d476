#pragma once

#include <map>
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

 private:
  SqliteDb m_db;
  std::string m_path;
};
