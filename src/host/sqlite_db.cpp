#include "host/sqlite_db.h"

#include <sqlite3.h>

#include <string>
#include <thread>

#include "host/errors.h"

namespace dn {

SqlQuery::SqlQuery(SqliteDb& db, sqlite3_stmt* stmt, std::string_view purpose)
    : db_(db), stmt_(stmt), purpose_(purpose) {}

SqlQuery::~SqlQuery() {
    sqlite3_reset(stmt_);
}

SqlQuery& SqlQuery::bind(int index, std::string_view text) {
    const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

SqlQuery& SqlQuery::bindStatic(int index, std::string_view text) {
    const int rc =
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

SqlQuery& SqlQuery::bind(int index, double value) {
    const int rc = sqlite3_bind_double(stmt_, index, value);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

SqlQuery& SqlQuery::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

SqlQuery& SqlQuery::bindBlob(int index, std::string_view bytes) {
    const int rc = sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

SqlQuery& SqlQuery::bindNull(int index) {
    const int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) db_.fail(rc, purpose_);
    return *this;
}

bool SqlQuery::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    db_.fail(purpose_);
}

void SqlQuery::run() {
    while (step()) {
    }
}

int SqlQuery::changes() const {
    return db_.changes();
}

std::string SqlQuery::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (p == nullptr) return {};
    return std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

double SqlQuery::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::int64_t SqlQuery::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool SqlQuery::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int SqlQuery::columnCount() const {
    return sqlite3_column_count(stmt_);
}

void SqliteDb::StmtDeleter::operator()(sqlite3_stmt* s) const {
    sqlite3_finalize(s);
}

namespace {

// SQLite's memory statistics take a mutex around every allocation; nothing
// here reads them. Only possible before SQLite's first use in the process,
// so a later call is refused (SQLITE_MISUSE) and changes nothing.
void configureLibrary() {
    static const int once = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return 0;
    }();
    (void)once;
}

}  // namespace

SqliteDb::SqliteDb(const std::filesystem::path& file) : file_(file) {
    configureLibrary();
    const int rc =
        sqlite3_open_v2(file.string().c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("Datenbank öffnen (" + file.string() + "): " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, &SqliteDb::onBusy, this);
}

void SqliteDb::setBusyWait(std::chrono::milliseconds limit, std::function<void()> waiting) {
    busyLimit_ = limit;
    waiting_ = std::move(waiting);
}

int SqliteDb::onBusy(void* self, int count) {
    auto& db = *static_cast<SqliteDb*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0) {
        db.waitBegan_ = now;
        if (db.waiting_) db.waiting_();
    }
    if (now - db.waitBegan_ >= db.busyLimit_) return 0;
    // Short sleeps first: most waits are for a commit of a few milliseconds.
    const int pause = count < 10 ? 1 + count : 50;
    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    return 1;
}

SqliteDb::~SqliteDb() {
    cache_.clear();
    if (db_ != nullptr && sqlite3_get_autocommit(db_) == 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db_);
}

void SqliteDb::exec(const std::string& sql, std::string_view purpose) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        failWith(rc, message, purpose);
    }
}

void SqliteDb::execWaiting(const std::string& sql, std::string_view purpose) {
    const auto began = std::chrono::steady_clock::now();
    for (int attempt = 0;; ++attempt) {
        char* error = nullptr;
        const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
        if (rc == SQLITE_OK) return;
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        const int primary = rc & 0xff;
        const bool busy = primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
        if (!busy || std::chrono::steady_clock::now() - began >= busyLimit_)
            failWith(rc, message, purpose);
        std::this_thread::sleep_for(std::chrono::milliseconds(attempt < 10 ? 1 + attempt : 50));
    }
}

SqlQuery SqliteDb::query(const std::string& sql, std::string_view purpose) {
    auto& slot = cache_[&sql];
    if (!slot) {
        sqlite3_stmt* stmt = nullptr;
        const int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
        if (rc != SQLITE_OK) {
            cache_.erase(&sql);
            fail(rc, purpose);
        }
        slot.reset(stmt);
    }
    return SqlQuery(*this, slot.get(), purpose);
}

bool SqliteDb::autocommit() const {
    return sqlite3_get_autocommit(db_) != 0;
}

int SqliteDb::changes() const {
    return sqlite3_changes(db_);
}

void SqliteDb::fail(std::string_view purpose) const {
    failWith(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_), purpose);
}

void SqliteDb::fail(int code, std::string_view purpose) const {
    const char* message = sqlite3_errcode(db_) == code ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    failWith(code, message, purpose);
}

void SqliteDb::failWith(int code, const std::string& message, std::string_view purpose) const {
    const int primary = code & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(busyLimit_).count();
        std::string text = "Die Datenbank " + file_.string() +
                           " ist von einem anderen Programm belegt (" + std::string(purpose) +
                           ": " + message + "); nach " + std::to_string(seconds) +
                           " Sekunden Warten abgebrochen.";
        if (!progressNote_.empty()) text += " " + progressNote_;
        throw StoreBusyError(text);
    }
    throw DatabaseError(std::string(purpose) + ": " + message);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace dn
