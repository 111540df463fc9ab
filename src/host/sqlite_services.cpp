// Services with their calculation rows, bills of material with their rows,
// and the content list.

#include "host/errors.h"
#include "host/sqlite_store.h"
#include "host/store_transaction.h"

namespace dn {

namespace {

constexpr int kBatch = 64;

const std::string kServiceColumns =
    "key, typechar, text1, text2, unit, matchcode, minutes, wage1, wage2";
const std::string kServiceRead = "SELECT " + kServiceColumns + " FROM service WHERE key = ?1";
const std::string kServiceWrite = "INSERT OR REPLACE INTO service (" + kServiceColumns +
                                  ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)";
const std::string kServiceDelete = "DELETE FROM service WHERE key = ?1";
const std::string kServiceRowsRead =
    "SELECT articlekey, quantity FROM service_row WHERE key = ?1 ORDER BY rowno";
const std::string kServiceRowsDelete = "DELETE FROM service_row WHERE key = ?1";
const std::string kServiceRowInsert =
    "INSERT INTO service_row (key, rowno, articlekey, quantity) VALUES (?1, ?2, ?3, ?4)";

const std::string kBomRead = "SELECT key, text, quantity FROM bom WHERE key = ?1";
const std::string kBomWrite =
    "INSERT OR REPLACE INTO bom (key, text, quantity) VALUES (?1, ?2, ?3)";
const std::string kBomDelete = "DELETE FROM bom WHERE key = ?1";
const std::string kBomRowsRead =
    "SELECT articlekey, quantity, marker FROM bom_row WHERE key = ?1 ORDER BY rowno";
const std::string kBomRowsDelete = "DELETE FROM bom_row WHERE key = ?1";
const std::string kBomRowInsert =
    "INSERT INTO bom_row (key, rowno, articlekey, quantity, marker) VALUES (?1, ?2, ?3, ?4, ?5)";

const std::string kContentColumns = "key, kind, key1, key2, key3, text";
const std::string kContentWrite =
    "INSERT OR REPLACE INTO content (" + kContentColumns + ") VALUES (?1, ?2, ?3, ?4, ?5, ?6)";
const std::string kContentRead =
    "SELECT " + kContentColumns + " FROM content WHERE key = ?1 AND kind = ?2";

void deleteByKey(SqliteDb& db, const std::string& sql, const std::string& key,
                 std::string_view purpose) {
    auto q = db.query(sql, purpose);
    q.bind(1, key);
    q.run();
}

// Keys of a table in a range, a batch after the given key.
std::vector<std::string> keyBatch(SqliteDb& db, const std::string& sql, const KeyRange& range,
                                  const std::string& after) {
    auto q = db.query(sql, "Schlüssel lesen");
    if (range.bounded) q.bind(1, range.from).bind(2, range.to);
    q.bind(3, after);
    std::vector<std::string> keys;
    while (q.step()) keys.push_back(q.text(0));
    return keys;
}

ContentRecord contentFromRow(SqlQuery& q) {
    return ContentRecord{q.text(0), static_cast<int>(q.integer(1)), q.text(2), q.text(3), q.text(4),
                         q.text(5)};
}

}  // namespace

std::optional<ServiceRecord> SqliteStore::readService(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    ServiceRecord s;
    {
        auto q = db_.query(kServiceRead, "Leistung lesen");
        q.bind(1, *k);
        if (!q.step()) return std::nullopt;
        s.key = q.text(0);
        s.typechar = q.text(1);
        s.text1 = q.text(2);
        s.text2 = q.text(3);
        s.unit = q.text(4);
        s.matchcode = q.text(5);
        s.minutes = q.real(6);
        s.wage1 = q.real(7);
        s.wage2 = q.real(8);
    }
    auto q = db_.query(kServiceRowsRead, "Leistung lesen");
    q.bind(1, *k);
    while (q.step()) s.rows.push_back(ServiceRow{q.text(0), q.real(1)});
    return s;
}

void SqliteStore::writeService(const ServiceRecord& s) {
    const std::string k = keyForWrite(s.key, "Leistung schreiben");
    if (s.rows.size() > kServiceRows) {
        throw DatabaseError("Leistung schreiben: mehr als 213 Kalkulationszeilen (" + k + ")");
    }
    StoreSavepoint atomic(*this);
    {
        auto q = db_.query(kServiceWrite, "Leistung schreiben");
        q.bind(1, k).bind(2, s.typechar).bind(3, s.text1).bind(4, s.text2).bind(5, s.unit);
        q.bind(6, s.matchcode)
            .bind(7, s.minutes)
            .bind(8, storedAmount(s.wage1))
            .bind(9, storedAmount(s.wage2));
        q.run();
    }
    deleteByKey(db_, kServiceRowsDelete, k, "Leistung schreiben");
    int rowno = 0;
    for (const auto& row : s.rows) {
        auto q = db_.query(kServiceRowInsert, "Leistung schreiben");
        q.bind(1, k).bind(2, ++rowno).bind(3, storeKey(row.articleKey)).bind(4, row.quantity);
        q.run();
    }
    atomic.release();
}

bool SqliteStore::deleteService(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    deleteByKey(db_, kServiceDelete, *k, "Leistung löschen");
    const bool found = db_.changes() > 0;
    deleteByKey(db_, kServiceRowsDelete, *k, "Leistung löschen");
    return found;
}

void SqliteStore::forEachService(const KeyRange& range, const Visitor<ServiceRecord>& visit) {
    static const RangeSql sql = rangeSql("SELECT key FROM service WHERE key > ?3 AND",
                                         "ORDER BY key LIMIT " + std::to_string(kBatch));
    std::string after;
    for (;;) {
        const auto keys = keyBatch(db_, sql.pick(range), range, after);
        for (const auto& key : keys) {
            if (auto s = readService(key); s && !visit(*s)) return;
        }
        if (keys.size() < static_cast<std::size_t>(kBatch)) return;
        after = keys.back();
    }
}

std::optional<BomRecord> SqliteStore::readBom(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    BomRecord b;
    {
        auto q = db_.query(kBomRead, "Stückliste lesen");
        q.bind(1, *k);
        if (!q.step()) return std::nullopt;
        b.key = q.text(0);
        b.text = q.text(1);
        b.quantity = q.real(2);
    }
    auto q = db_.query(kBomRowsRead, "Stückliste lesen");
    q.bind(1, *k);
    while (q.step()) b.rows.push_back(BomRow{q.text(0), q.real(1), q.text(2)});
    return b;
}

void SqliteStore::writeBom(const BomRecord& b) {
    const std::string k = keyForWrite(b.key, "Stückliste schreiben");
    if (b.rows.size() > kBomRows) {
        throw DatabaseError("Stückliste schreiben: mehr als 50 Zeilen (" + k + ")");
    }
    StoreSavepoint atomic(*this);
    {
        auto q = db_.query(kBomWrite, "Stückliste schreiben");
        q.bind(1, k).bind(2, b.text).bind(3, b.quantity);
        q.run();
    }
    deleteByKey(db_, kBomRowsDelete, k, "Stückliste schreiben");
    int rowno = 0;
    for (const auto& row : b.rows) {
        auto q = db_.query(kBomRowInsert, "Stückliste schreiben");
        q.bind(1, k).bind(2, ++rowno).bind(3, storeKey(row.articleKey)).bind(4, row.quantity);
        q.bind(5, row.marker);
        q.run();
    }
    atomic.release();
}

bool SqliteStore::deleteBom(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    deleteByKey(db_, kBomDelete, *k, "Stückliste löschen");
    const bool found = db_.changes() > 0;
    deleteByKey(db_, kBomRowsDelete, *k, "Stückliste löschen");
    return found;
}

void SqliteStore::forEachBom(const KeyRange& range, const Visitor<BomRecord>& visit) {
    static const RangeSql sql = rangeSql("SELECT key FROM bom WHERE key > ?3 AND",
                                         "ORDER BY key LIMIT " + std::to_string(kBatch));
    std::string after;
    for (;;) {
        const auto keys = keyBatch(db_, sql.pick(range), range, after);
        for (const auto& key : keys) {
            if (auto b = readBom(key); b && !visit(*b)) return;
        }
        if (keys.size() < static_cast<std::size_t>(kBatch)) return;
        after = keys.back();
    }
}

void SqliteStore::writeContent(const ContentRecord& e) {
    const std::string k = keyForWrite(e.key, "Inhaltsverzeichnis schreiben");
    auto q = db_.query(kContentWrite, "Inhaltsverzeichnis schreiben");
    q.bind(1, k).bind(2, e.kind).bind(3, e.key1).bind(4, e.key2).bind(5, e.key3).bind(6, e.text);
    q.run();
}

std::optional<ContentRecord> SqliteStore::readContent(std::string_view key, int kind) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(kContentRead, "Inhaltsverzeichnis lesen");
    q.bind(1, *k).bind(2, kind);
    if (!q.step()) return std::nullopt;
    return contentFromRow(q);
}

std::vector<ContentRecord> SqliteStore::listContent(const KeyRange& range) {
    static const RangeSql sql =
        rangeSql("SELECT " + kContentColumns + " FROM content WHERE", "ORDER BY key, kind");
    auto q = db_.query(sql.pick(range), "Inhaltsverzeichnis lesen");
    bindRange(q, range);
    std::vector<ContentRecord> out;
    while (q.step()) out.push_back(contentFromRow(q));
    return out;
}

}  // namespace dn
