#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Status.h"

struct sqlite3;
struct sqlite3_stmt;

// A small RAII layer over the SQLite C API: one connection, prepared statements, and a
// transaction guard. Errors come back as OsFailure with SQLite's own text; nothing throws.
// A connection and its statements belong to one thread.

class SqliteStatement {
 public:
  SqliteStatement() = default;
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters count from 1, as in SQL's ?1. Text and blobs are copied.
  SqliteStatement& Bind(int index, int64_t value);
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& BindBlob(int index, std::string_view bytes);
  SqliteStatement& BindNull(int index);
  SqliteStatement& Bind(int index, const std::optional<int64_t>& value);

  // Runs one step: true while a row is there to read, false when done or on an error
  // (see status()).
  bool Step();
  // Runs a statement that returns no rows and resets it; OsFailure on an error.
  Status Run();
  // Makes the statement ready to run again and clears its bindings.
  void Reset();
  Status status() const { return m_status; }

  // Columns count from 0. A NULL reads as 0 or as empty text; IsNull tells them apart.
  int64_t Int(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;

 private:
  friend class SqliteDb;
  SqliteStatement(sqlite3* db, sqlite3_stmt* statement) : m_db(db), m_statement(statement) {}

  sqlite3* m_db = nullptr;
  sqlite3_stmt* m_statement = nullptr;
  Status m_status;
};

class SqliteDb {
 public:
  SqliteDb() = default;
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Opens or creates the file, closing any connection held before.
  Status Open(const std::string& path);
  void Close();
  bool isOpen() const { return m_db != nullptr; }

  // Runs one or more statements without results.
  Status Exec(const std::string& sql);
  // Compiles one statement; on failure the statement's status() holds the error and every
  // use of it fails.
  SqliteStatement Prepare(std::string_view sql);
  int64_t LastInsertId() const;
  // SQLite's text for the last error of this connection.
  std::string ErrorText() const;

 private:
  sqlite3* m_db = nullptr;
  std::string m_path;
};

// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless Commit() succeeded.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDb& db);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;

  Status began() const { return m_began; }
  Status Commit();

 private:
  SqliteDb& m_db;
  Status m_began;
  bool m_open = false;
};
