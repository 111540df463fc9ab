// Opening the SQLite store, its schema, keys, transactions and savepoints.

#include "host/sqlite_store.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/amounts.h"
#include "host/codepage.h"
#include "host/errors.h"
#include "host/store_article_columns.h"
#include "host/store_write_lock.h"

namespace dn {

namespace {

const char* sqlType(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Amount:
        case ColumnKind::Real:
            return "REAL NOT NULL DEFAULT 0";
        case ColumnKind::Integer:
        case ColumnKind::Day:
            return "INTEGER NOT NULL DEFAULT 0";
        case ColumnKind::Text:
        case ColumnKind::Lines:
            break;
    }
    return "TEXT NOT NULL DEFAULT ''";
}

std::string articleTableSql(bool withOptional) {
    std::string sql = "CREATE TABLE article (";
    for (const auto& c : articleColumns()) {
        if (c.optional && !withOptional) continue;
        sql += c.name;
        sql += ' ';
        sql += std::string_view(c.name) == "key" ? "TEXT NOT NULL PRIMARY KEY" : sqlType(c.kind);
        sql += ", ";
    }
    sql.resize(sql.size() - 2);
    sql += ") WITHOUT ROWID;";
    return sql;
}

constexpr const char* kOtherTables = R"sql(
CREATE TABLE article_side (
  key TEXT NOT NULL PRIMARY KEY, recordtype INTEGER NOT NULL DEFAULT 0,
  altarticleno TEXT NOT NULL DEFAULT '', catalog TEXT NOT NULL DEFAULT '',
  metalunitcode TEXT NOT NULL DEFAULT '', metalnumber TEXT NOT NULL DEFAULT '',
  metalweight REAL NOT NULL DEFAULT 0, ean TEXT NOT NULL DEFAULT '',
  articlekind INTEGER NOT NULL DEFAULT 0, supplement1 TEXT NOT NULL DEFAULT '',
  supplement2 TEXT NOT NULL DEFAULT '', supplement3 TEXT NOT NULL DEFAULT '',
  supplement4 TEXT NOT NULL DEFAULT '') WITHOUT ROWID;
CREATE TABLE article_dline (
  key TEXT NOT NULL, seq INTEGER NOT NULL, linenumber TEXT NOT NULL DEFAULT '',
  flag TEXT NOT NULL DEFAULT '', text TEXT NOT NULL DEFAULT '', textkey TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (key, seq)) WITHOUT ROWID;
CREATE TABLE article_zblob (
  key TEXT NOT NULL PRIMARY KEY, lines TEXT NOT NULL DEFAULT '') WITHOUT ROWID;
CREATE TABLE longtext (
  key TEXT NOT NULL, kind TEXT NOT NULL, lines TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (key, kind)) WITHOUT ROWID;
CREATE TABLE graphics_index (
  id INTEGER PRIMARY KEY, articlekey TEXT NOT NULL, picturekind TEXT NOT NULL DEFAULT '',
  filename TEXT NOT NULL DEFAULT '', text TEXT NOT NULL DEFAULT '');
CREATE INDEX graphics_index_article ON graphics_index(articlekey, id);
CREATE TABLE discount_group (
  key TEXT NOT NULL PRIMARY KEY, number INTEGER NOT NULL DEFAULT 0,
  selektiert INTEGER NOT NULL DEFAULT 0, salessurcharge REAL NOT NULL DEFAULT 0,
  secondmark TEXT NOT NULL DEFAULT '#', kennung TEXT NOT NULL DEFAULT '1',
  wert REAL NOT NULL DEFAULT 0, bezeichnung TEXT NOT NULL DEFAULT '') WITHOUT ROWID;
CREATE TABLE product_group (
  key TEXT NOT NULL PRIMARY KEY, number INTEGER NOT NULL DEFAULT 0,
  bezeichnung TEXT NOT NULL DEFAULT '', costtype INTEGER NOT NULL DEFAULT 0,
  issubgroup INTEGER NOT NULL DEFAULT 0, selektiert INTEGER NOT NULL DEFAULT 0,
  furtherdata BLOB NOT NULL DEFAULT x'') WITHOUT ROWID;
CREATE TABLE service (
  key TEXT NOT NULL PRIMARY KEY, typechar TEXT NOT NULL DEFAULT '',
  text1 TEXT NOT NULL DEFAULT '', text2 TEXT NOT NULL DEFAULT '',
  unit TEXT NOT NULL DEFAULT '', matchcode TEXT NOT NULL DEFAULT '',
  minutes REAL NOT NULL DEFAULT 0, wage1 REAL NOT NULL DEFAULT 0,
  wage2 REAL NOT NULL DEFAULT 0) WITHOUT ROWID;
CREATE TABLE service_row (
  key TEXT NOT NULL, rowno INTEGER NOT NULL, articlekey TEXT NOT NULL DEFAULT '',
  quantity REAL NOT NULL DEFAULT 0, PRIMARY KEY (key, rowno)) WITHOUT ROWID;
CREATE TABLE bom (
  key TEXT NOT NULL PRIMARY KEY, text TEXT NOT NULL DEFAULT '',
  quantity REAL NOT NULL DEFAULT 0) WITHOUT ROWID;
CREATE TABLE bom_row (
  key TEXT NOT NULL, rowno INTEGER NOT NULL, articlekey TEXT NOT NULL DEFAULT '',
  quantity REAL NOT NULL DEFAULT 0, marker TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (key, rowno)) WITHOUT ROWID;
CREATE TABLE content (
  key TEXT NOT NULL, kind INTEGER NOT NULL, key1 TEXT NOT NULL DEFAULT '',
  key2 TEXT NOT NULL DEFAULT '', key3 TEXT NOT NULL DEFAULT '',
  text TEXT NOT NULL DEFAULT '', PRIMARY KEY (key, kind)) WITHOUT ROWID;
)sql";

// Transaction statements, prepared once: an import begins and commits tens
// of thousands of transactions.
const std::string kBegin = "BEGIN IMMEDIATE";
const std::string kCommit = "COMMIT";
const std::string kRollback = "ROLLBACK";

const std::string kArticleTableExists =
    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'article'";
const std::string kArticleColumnNames = "SELECT name FROM pragma_table_info('article')";

}  // namespace

double storedAmount(double amount) {
    // An amount that is the double nearest to a whole number of cents is
    // what rund returns for it.
    if (std::fabs(amount) < 1e12) {
        const double cents = std::nearbyint(amount * 100.0);
        if (cents / 100.0 == amount) return amount;
    }
    return rund(amount);
}

std::string keyForWrite(std::string_view key, std::string_view purpose) {
    std::string k = storeKey(key);
    if (k.empty()) throw DatabaseError(std::string(purpose) + ": Schlüssel ist leer");
    if (utf8Length(k) > kMaxKeyLength) {
        throw DatabaseError(std::string(purpose) + ": Schlüssel länger als 18 Zeichen: " + k);
    }
    return k;
}

std::optional<std::string> keyForLookup(std::string_view key) {
    std::string k = storeKey(key);
    if (k.empty() || utf8Length(k) > kMaxKeyLength) return std::nullopt;
    return k;
}

SqliteStore::SqliteStore(const std::filesystem::path& file, const StoreOptions& options)
    : file_(file), db_(file) {
    db_.setBusyWait(std::chrono::seconds(8), options.waiting);
    // A checkpoint for every 16 MB of log; at 256 MB a commit waits for one,
    // so that the log can begin anew. Each wait costs the writer a
    // checkpoint, so the limit is generous. The log file keeps its size when
    // it begins anew (no more than the limit): cutting it back made every
    // round of a large import allocate its blocks afresh, a tenth of the
    // DATANORM 4 import's time. It is removed when the store is closed.
    constexpr int kPageSize = 4096;
    constexpr int kCheckpointStep = 4096;
    constexpr int kLogLimit = 65536;
    constexpr long long kLogFileLimit = 32 + static_cast<long long>(kLogLimit) * (kPageSize + 24);
    db_.execWaiting("PRAGMA page_size = " + std::to_string(kPageSize) +
                        "; PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; "
                        "PRAGMA cache_size = -65536; PRAGMA temp_store = MEMORY; "
                        "PRAGMA journal_size_limit = " +
                        std::to_string(kLogFileLimit) + ";",
                    "Datenbank einstellen");
    try {
        checkpointer_ =
            std::make_unique<WalCheckpointer>(db_.handle(), file, kCheckpointStep, kLogLimit);
    } catch (const DatabaseError&) {
        // No second connection: the writer checkpoints itself.
        db_.exec("PRAGMA wal_autocheckpoint = 8192", "Datenbank einstellen");
    }
    createSchemaOnce(options);
    noteProgress();
    {
        auto q = db_.query(kArticleColumnNames, "Spalten lesen");
        while (q.step()) {
            std::string name = q.text(0);
            if (!name.empty() && name[0] == '_') presentOptional_.push_back(std::move(name));
        }
    }
    for (const auto& c : articleColumns()) {
        if (!c.optional || std::find(presentOptional_.begin(), presentOptional_.end(), c.name) !=
                               presentOptional_.end()) {
            articleCols_.push_back(&c);
        }
    }
    prepareArticleSql();
}

bool SqliteStore::hasColumn(std::string_view articleColumn) const {
    const auto cols = articleColumns();
    const auto it = std::find_if(cols.begin(), cols.end(),
                                 [&](const ArticleColumn& c) { return c.name == articleColumn; });
    if (it == cols.end()) return false;
    if (!it->optional) return true;
    return std::find(presentOptional_.begin(), presentOptional_.end(), articleColumn) !=
           presentOptional_.end();
}

std::vector<std::string> SqliteStore::optionalColumns() const {
    return presentOptional_;
}

SqliteStore::RangeSql SqliteStore::rangeSql(const std::string& head, const std::string& tail,
                                            const std::string& column) {
    return RangeSql{head + " 1 " + tail,
                    head + " " + column + " >= ?1 AND " + column + " < ?2 " + tail,
                    head + " " + column + " >= ?1 AND " + column + " <= ?2 " + tail};
}

void SqliteStore::bindRange(SqlQuery& q, const KeyRange& range) {
    if (!range.bounded) return;
    q.bind(1, range.from);
    q.bind(2, range.to);
}

void SqliteStore::createSchemaOnce(const StoreOptions& options) {
    const auto exists = [this] {
        auto q = db_.query(kArticleTableExists, "Tabellen prüfen");
        return q.step() && q.integer(0) > 0;
    };
    if (exists()) return;
    // Another program may be creating the tables at this moment: the
    // question is asked again under the write lock.
    db_.exec("BEGIN IMMEDIATE", "Tabellen anlegen");
    try {
        if (!exists())
            db_.exec(articleTableSql(options.optionalColumns) + kOtherTables, "Tabellen anlegen");
        db_.exec("COMMIT", "Tabellen anlegen");
    } catch (...) {
        db_.exec("ROLLBACK", "Tabellen anlegen");
        throw;
    }
}

void SqliteStore::noteProgress() {
    std::string note = "Bis dahin gespeichert: " + std::to_string(committedArticles_) +
                       " Artikel in " + std::to_string(commits_) + " Transaktionen";
    if (!committedLastKey_.empty()) note += ", zuletzt Artikel " + committedLastKey_;
    db_.setProgressNote(note + ".");
}

std::unique_ptr<StoreWriteClaim> SqliteStore::claimWriting(const std::string& command) {
    return lockStoreForWriting(file_, command);
}

void SqliteStore::StartTransaction() {
    if (!db_.autocommit()) {
        throw DatabaseError("Transaktion beginnen: es läuft bereits eine Transaktion");
    }
    db_.query(kBegin, "Transaktion beginnen").run();
}

void SqliteStore::Commit() {
    if (db_.autocommit()) throw DatabaseError("Commit: es läuft keine Transaktion");
    db_.query(kCommit, "Commit").run();
    ++commits_;
    committedArticles_ += pendingArticles_;
    if (!pendingLastKey_.empty()) committedLastKey_ = pendingLastKey_;
    pendingArticles_ = 0;
    pendingLastKey_.clear();
    noteProgress();
}

void SqliteStore::Rollback() {
    pendingArticles_ = 0;
    pendingLastKey_.clear();
    if (!db_.autocommit()) db_.query(kRollback, "Rollback").run();
}

bool SqliteStore::inTransaction() const {
    return !db_.autocommit();
}

std::string SqliteStore::beginSavepoint() {
    std::string name = "sp" + std::to_string(++savepointCount_);
    db_.exec("SAVEPOINT " + name, "Sicherungspunkt setzen");
    return name;
}

void SqliteStore::releaseSavepoint(const std::string& name) {
    db_.exec("RELEASE " + name, "Sicherungspunkt freigeben");
}

void SqliteStore::rollbackToSavepoint(const std::string& name) {
    db_.exec("ROLLBACK TO " + name + "; RELEASE " + name, "Sicherungspunkt zurücksetzen");
}

std::unique_ptr<HostStore> openSqliteStore(const std::filesystem::path& file,
                                           const StoreOptions& options) {
    return std::make_unique<SqliteStore>(file, options);
}

}  // namespace dn
