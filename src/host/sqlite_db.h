#pragma once
// Thin RAII layer over the SQLite3 C API: the connection, prepared
// statements kept for the connection's life, and a scoped query handle that
// binds, steps and resets. Every SQLite failure raises DatabaseError with
// the statement's purpose and SQLite's message.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace dn {

class SqliteDb;

// One bound, running use of a cached statement; reset on destruction.
class SqlQuery {
  public:
    SqlQuery(SqliteDb& db, sqlite3_stmt* stmt, std::string_view purpose);
    ~SqlQuery();
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;

    SqlQuery& bind(int index, std::string_view text);
    SqlQuery& bind(int index, double value);
    SqlQuery& bind(int index, std::int64_t value);
    SqlQuery& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    // The text must stay unchanged until the query is reset.
    SqlQuery& bindStatic(int index, std::string_view text);
    SqlQuery& bindBlob(int index, std::string_view bytes);
    SqlQuery& bindNull(int index);

    // True while a row is there.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    int changes() const;

    std::string text(int column) const;
    double real(int column) const;
    std::int64_t integer(int column) const;
    bool isNull(int column) const;
    int columnCount() const;
    sqlite3_stmt* raw() const { return stmt_; }

  private:
    SqliteDb& db_;
    sqlite3_stmt* stmt_;
    std::string_view purpose_;
};

class SqliteDb {
  public:
    explicit SqliteDb(const std::filesystem::path& file);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Runs one or more statements without results.
    void exec(const std::string& sql, std::string_view purpose);
    // Like exec, for statements SQLite may answer "busy" at once without
    // asking the busy handler (the journal mode of a new file that another
    // connection is setting up too): tried again within the same limit.
    // The statements must be safe to run again.
    void execWaiting(const std::string& sql, std::string_view purpose);
    // A query over the statement of this SQL text, prepared on first use and
    // kept. The SQL text must outlive the connection (a literal or a member).
    SqlQuery query(const std::string& sql, std::string_view purpose);
    bool autocommit() const;
    int changes() const;
    sqlite3* handle() const { return db_; }

    // How long a statement waits for another connection's write lock, and
    // what it calls when it begins to wait. A statement still refused then
    // raises StoreBusyError with the note of how far this connection got.
    void setBusyWait(std::chrono::milliseconds limit, std::function<void()> waiting);
    void setProgressNote(std::string note) { progressNote_ = std::move(note); }

    [[noreturn]] void fail(std::string_view purpose) const;
    [[noreturn]] void fail(int code, std::string_view purpose) const;

  private:
    struct StmtDeleter {
        void operator()(sqlite3_stmt* s) const;
    };
    static int onBusy(void* self, int count);
    [[noreturn]] void failWith(int code, const std::string& message,
                               std::string_view purpose) const;

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    std::chrono::milliseconds busyLimit_{8000};
    std::function<void()> waiting_;
    std::chrono::steady_clock::time_point waitBegan_;
    std::string progressNote_;
    std::unordered_map<const std::string*, std::unique_ptr<sqlite3_stmt, StmtDeleter>> cache_;
};

// Text columns are written as they are; these helpers keep the line lists
// of a text column: each line ends with "\n" (an empty list is "").
std::string joinLines(const std::vector<std::string>& lines);
std::vector<std::string> splitLines(std::string_view text);

}  // namespace dn
