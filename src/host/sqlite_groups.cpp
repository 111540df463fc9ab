// Discount groups and product groups with their selection marks.

#include "host/sqlite_store.h"

namespace dn {

namespace {

const std::string kDiscountColumns =
    "key, number, selektiert, salessurcharge, secondmark, kennung, wert, bezeichnung";
const std::string kDiscountExists = "SELECT 1 FROM discount_group WHERE key = ?1";
const std::string kDiscountRead =
    "SELECT " + kDiscountColumns + " FROM discount_group WHERE key = ?1";
const std::string kDiscountWrite = "INSERT OR REPLACE INTO discount_group (" + kDiscountColumns +
                                   ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";
const std::string kDiscountDelete = "DELETE FROM discount_group WHERE key = ?1";
const std::string kDiscountMark = "UPDATE discount_group SET selektiert = ?2 WHERE key = ?1";

const std::string kProductColumns =
    "key, number, bezeichnung, costtype, issubgroup, selektiert, furtherdata";
const std::string kProductExists = "SELECT 1 FROM product_group WHERE key = ?1";
const std::string kProductRead = "SELECT " + kProductColumns + " FROM product_group WHERE key = ?1";
const std::string kProductWrite = "INSERT OR REPLACE INTO product_group (" + kProductColumns +
                                  ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)";
const std::string kProductDelete = "DELETE FROM product_group WHERE key = ?1";
const std::string kProductMark = "UPDATE product_group SET selektiert = ?2 WHERE key = ?1";

DiscountGroupRecord discountFromRow(SqlQuery& q) {
    DiscountGroupRecord g;
    g.key = q.text(0);
    g.number = static_cast<int>(q.integer(1));
    g.selektiert = q.integer(2) != 0;
    g.salesSurcharge = q.real(3);
    g.secondmark = q.text(4);
    g.kennung = q.text(5);
    g.wert = q.real(6);
    g.bezeichnung = q.text(7);
    return g;
}

ProductGroupRecord productFromRow(SqlQuery& q) {
    ProductGroupRecord g;
    g.key = q.text(0);
    g.number = static_cast<int>(q.integer(1));
    g.bezeichnung = q.text(2);
    g.costType = static_cast<int>(q.integer(3));
    g.isSubGroup = q.integer(4) != 0;
    g.selektiert = q.integer(5) != 0;
    g.furtherData = q.text(6);
    return g;
}

}  // namespace

namespace {

bool rowExists(SqliteDb& db, const std::string& sql, std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db.query(sql, "Gruppe suchen");
    q.bind(1, *k);
    return q.step();
}

}  // namespace

bool SqliteStore::discountGroupExists(std::string_view key) {
    return rowExists(db_, kDiscountExists, key);
}

std::optional<DiscountGroupRecord> SqliteStore::readDiscountGroup(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(kDiscountRead, "Rabattgruppe lesen");
    q.bind(1, *k);
    if (!q.step()) return std::nullopt;
    return discountFromRow(q);
}

void SqliteStore::writeDiscountGroup(const DiscountGroupRecord& g) {
    const std::string k = keyForWrite(g.key, "Rabattgruppe schreiben");
    auto q = db_.query(kDiscountWrite, "Rabattgruppe schreiben");
    q.bind(1, k).bind(2, g.number).bind(3, g.selektiert ? 1 : 0).bind(4, g.salesSurcharge);
    q.bind(5, g.secondmark).bind(6, g.kennung).bind(7, g.wert).bind(8, g.bezeichnung);
    q.run();
}

bool SqliteStore::deleteDiscountGroup(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kDiscountDelete, "Rabattgruppe löschen");
    q.bind(1, *k);
    q.run();
    return q.changes() > 0;
}

std::vector<DiscountGroupRecord> SqliteStore::listDiscountGroups(const KeyRange& range) {
    static const RangeSql sql =
        rangeSql("SELECT " + kDiscountColumns + " FROM discount_group WHERE", "ORDER BY key");
    auto q = db_.query(sql.pick(range), "Rabattgruppen lesen");
    bindRange(q, range);
    std::vector<DiscountGroupRecord> out;
    while (q.step()) out.push_back(discountFromRow(q));
    return out;
}

bool SqliteStore::setDiscountGroupMark(std::string_view key, bool marked) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kDiscountMark, "Rabattgruppe markieren");
    q.bind(1, *k).bind(2, marked ? 1 : 0);
    q.run();
    return q.changes() > 0;
}

std::size_t SqliteStore::deleteDiscountGroups(const KeyRange& range) {
    static const RangeSql sql = rangeSql("DELETE FROM discount_group WHERE", "");
    auto q = db_.query(sql.pick(range), "Rabattgruppen löschen");
    bindRange(q, range);
    q.run();
    return static_cast<std::size_t>(q.changes());
}

std::size_t SqliteStore::deleteMarkedDiscountGroups(const KeyRange& range) {
    static const RangeSql sql =
        rangeSql("DELETE FROM discount_group WHERE selektiert <> 0 AND", "");
    auto q = db_.query(sql.pick(range), "Rabattgruppen löschen");
    bindRange(q, range);
    q.run();
    return static_cast<std::size_t>(q.changes());
}

bool SqliteStore::productGroupExists(std::string_view key) {
    return rowExists(db_, kProductExists, key);
}

std::optional<ProductGroupRecord> SqliteStore::readProductGroup(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(kProductRead, "Warengruppe lesen");
    q.bind(1, *k);
    if (!q.step()) return std::nullopt;
    return productFromRow(q);
}

void SqliteStore::writeProductGroup(const ProductGroupRecord& g) {
    const std::string k = keyForWrite(g.key, "Warengruppe schreiben");
    auto q = db_.query(kProductWrite, "Warengruppe schreiben");
    q.bind(1, k).bind(2, g.number).bind(3, g.bezeichnung).bind(4, g.costType);
    q.bind(5, g.isSubGroup ? 1 : 0).bind(6, g.selektiert ? 1 : 0).bindBlob(7, g.furtherData);
    q.run();
}

bool SqliteStore::deleteProductGroup(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kProductDelete, "Warengruppe löschen");
    q.bind(1, *k);
    q.run();
    return q.changes() > 0;
}

std::vector<ProductGroupRecord> SqliteStore::listProductGroups(const KeyRange& range) {
    static const RangeSql sql =
        rangeSql("SELECT " + kProductColumns + " FROM product_group WHERE", "ORDER BY key");
    auto q = db_.query(sql.pick(range), "Warengruppen lesen");
    bindRange(q, range);
    std::vector<ProductGroupRecord> out;
    while (q.step()) out.push_back(productFromRow(q));
    return out;
}

bool SqliteStore::setProductGroupMark(std::string_view key, bool marked) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kProductMark, "Warengruppe markieren");
    q.bind(1, *k).bind(2, marked ? 1 : 0);
    q.run();
    return q.changes() > 0;
}

std::size_t SqliteStore::deleteProductGroups(const KeyRange& range) {
    static const RangeSql sql = rangeSql("DELETE FROM product_group WHERE", "");
    auto q = db_.query(sql.pick(range), "Warengruppen löschen");
    bindRange(q, range);
    q.run();
    return static_cast<std::size_t>(q.changes());
}

std::size_t SqliteStore::deleteMarkedProductGroups(const KeyRange& range) {
    static const RangeSql sql = rangeSql("DELETE FROM product_group WHERE selektiert <> 0 AND", "");
    auto q = db_.query(sql.pick(range), "Warengruppen löschen");
    bindRange(q, range);
    q.run();
    return static_cast<std::size_t>(q.changes());
}

}  // namespace dn
