#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "common/Status.h"
#include "gateway/Sqlite.h"
#include "gateway/WalFlusher.h"

// live.db in the gateway's state folder: named JSON documents (variables, schedules set
// over the API, each sign's interrupts and base message), so they outlive a restart.
// Every Put is written before it returns (a killed process keeps it) and reaches the disk
// a moment later, off this thread, in one flush shared with the Puts around it (a lost
// command id after a power cut costs at most a second send, never a command).
class LiveStore {
 public:
  LiveStore() = default;
  ~LiveStore();
  LiveStore(const LiveStore&) = delete;
  LiveStore& operator=(const LiveStore&) = delete;

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
  Status Written(Status status);

  SqliteDb m_db;
  std::string m_path;
  std::unique_ptr<WalFlusher> m_flusher;
};
