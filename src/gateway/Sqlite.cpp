#include "gateway/Sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace {

Status Failure(sqlite3* db, std::string_view what) {
  return Status::OsFailure(std::string(what) + ": " + (db != nullptr ? sqlite3_errmsg(db) : "no database"));
}

}  // namespace

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)),
      m_statement(std::exchange(other.m_statement, nullptr)),
      m_status(std::move(other.m_status)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(m_statement);
    m_db = std::exchange(other.m_db, nullptr);
    m_statement = std::exchange(other.m_statement, nullptr);
    m_status = std::move(other.m_status);
  }
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
  if (m_statement != nullptr) sqlite3_bind_int64(m_statement, index, value);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  if (m_statement != nullptr)
    sqlite3_bind_text64(m_statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes) {
  if (m_statement != nullptr) sqlite3_bind_blob64(m_statement, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
  if (m_statement != nullptr) sqlite3_bind_null(m_statement, index);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const std::optional<int64_t>& value) {
  return value ? Bind(index, *value) : BindNull(index);
}

bool SqliteStatement::Step() {
  if (m_statement == nullptr) {
    if (m_status.ok()) m_status = Status::OsFailure("statement not prepared");
    return false;
  }
  const int rc = sqlite3_step(m_statement);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) m_status = Failure(m_db, "step");
  return false;
}

Status SqliteStatement::Run() {
  m_status = {};
  Step();
  Status result = m_status;
  Reset();
  return result;
}

void SqliteStatement::Reset() {
  if (m_statement == nullptr) return;
  sqlite3_reset(m_statement);
  sqlite3_clear_bindings(m_statement);
}

int64_t SqliteStatement::Int(int column) const {
  return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::Text(int column) const {
  // Blobs and text alike: the bytes as stored, embedded zero bytes included.
  const void* data = sqlite3_column_blob(m_statement, column);
  const int size = sqlite3_column_bytes(m_statement, column);
  if (data == nullptr || size <= 0) return {};
  return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

bool SqliteStatement::IsNull(int column) const {
  return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

SqliteDb::~SqliteDb() {
  Close();
}

Status SqliteDb::Open(const std::string& path) {
  Close();
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    Status failure = Failure(db, path);
    sqlite3_close(db);
    return failure;
  }
  m_db = db;
  m_path = path;
  // A second process holding the file (a gateway still stopping) gets a moment to let go.
  sqlite3_busy_timeout(m_db, 2000);
  return {};
}

void SqliteDb::Close() {
  if (m_db == nullptr) return;
  sqlite3_close_v2(m_db);
  m_db = nullptr;
}

Status SqliteDb::Exec(const std::string& sql) {
  if (m_db == nullptr) return Status::OsFailure("database not open");
  char* message = nullptr;
  if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) return {};
  Status failure = Status::OsFailure(m_path + ": " + (message != nullptr ? message : "error"));
  sqlite3_free(message);
  return failure;
}

SqliteStatement SqliteDb::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (m_db == nullptr ||
      sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
    SqliteStatement failed(m_db, nullptr);
    failed.m_status = Failure(m_db, "prepare");
    return failed;
  }
  return SqliteStatement(m_db, statement);
}

int64_t SqliteDb::LastInsertId() const {
  return m_db != nullptr ? sqlite3_last_insert_rowid(m_db) : 0;
}

std::string SqliteDb::ErrorText() const {
  return m_db != nullptr ? sqlite3_errmsg(m_db) : "no database";
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : m_db(db), m_began(db.Exec("BEGIN IMMEDIATE")) {
  m_open = m_began.ok();
}

SqliteTransaction::~SqliteTransaction() {
  if (m_open) m_db.Exec("ROLLBACK");
}

Status SqliteTransaction::Commit() {
  if (!m_open) return m_began.ok() ? Status::OsFailure("transaction already ended") : m_began;
  Status committed = m_db.Exec("COMMIT");
  if (committed.ok()) m_open = false;
  return committed;
}
