// Long texts by key and kind, and the graphics index.

#include "host/sqlite_store.h"

namespace dn {

namespace {

const std::string kTextExists = "SELECT 1 FROM longtext WHERE key = ?1 AND kind = ?2";
const std::string kTextRead = "SELECT lines FROM longtext WHERE key = ?1 AND kind = ?2";
const std::string kTextWrite =
    "INSERT OR REPLACE INTO longtext (key, kind, lines) VALUES (?1, ?2, ?3)";
const std::string kTextDelete = "DELETE FROM longtext WHERE key = ?1 AND kind = ?2";
const std::string kGraphicsAdd =
    "INSERT INTO graphics_index (articlekey, picturekind, filename, text) VALUES (?1, ?2, ?3, ?4)";
const std::string kGraphicsDelete =
    "DELETE FROM graphics_index WHERE articlekey >= ?1 AND articlekey < ?2";
const std::string kGraphicsDeleteAll = "DELETE FROM graphics_index";
const std::string kGraphicsRead =
    "SELECT articlekey, picturekind, filename, text FROM graphics_index "
    "WHERE articlekey >= ?1 AND articlekey < ?2 ORDER BY articlekey, id";
const std::string kGraphicsReadAll =
    "SELECT articlekey, picturekind, filename, text FROM graphics_index ORDER BY articlekey, id";
constexpr int kBatch = 256;
const std::string kTextBatchAll =
    "SELECT key, kind, lines FROM longtext WHERE (key, kind) > (?3, ?4) "
    "ORDER BY key, kind LIMIT 256";
const std::string kTextBatchPrefix =
    "SELECT key, kind, lines FROM longtext WHERE key >= ?1 AND key < ?2 AND (key, kind) > (?3, ?4) "
    "ORDER BY key, kind LIMIT 256";
const std::string kTextBatchBetween =
    "SELECT key, kind, lines FROM longtext WHERE key >= ?1 AND key <= ?2 AND (key, kind) > (?3, "
    "?4) "
    "ORDER BY key, kind LIMIT 256";

}  // namespace

bool SqliteStore::longTextExists(std::string_view key, std::string_view kind) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kTextExists, "Langtext suchen");
    q.bind(1, *k).bind(2, kind);
    return q.step();
}

std::optional<LongText> SqliteStore::readLongText(std::string_view key, std::string_view kind) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(kTextRead, "Langtext lesen");
    q.bind(1, *k).bind(2, kind);
    if (!q.step()) return std::nullopt;
    return LongText{*k, std::string(kind), splitLines(q.text(0))};
}

void SqliteStore::writeLongText(const LongText& text) {
    const std::string k = keyForWrite(text.key, "Langtext schreiben");
    const std::string joined = joinLines(text.lines);
    auto q = db_.query(kTextWrite, "Langtext schreiben");
    q.bindStatic(1, k).bindStatic(2, text.kind).bindStatic(3, joined);
    q.run();
}

bool SqliteStore::deleteLongText(std::string_view key, std::string_view kind) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kTextDelete, "Langtext löschen");
    q.bind(1, *k).bind(2, kind);
    q.run();
    return q.changes() > 0;
}

void SqliteStore::forEachLongText(const KeyRange& range, const Visitor<LongText>& visit) {
    const std::string& sql = !range.bounded   ? kTextBatchAll
                             : range.byPrefix ? kTextBatchPrefix
                                              : kTextBatchBetween;
    std::string afterKey;
    std::string afterKind;
    for (;;) {
        std::vector<LongText> batch;
        {
            auto q = db_.query(sql, "Langtexte lesen");
            bindRange(q, range);
            q.bind(3, afterKey).bind(4, afterKind);
            while (q.step()) batch.push_back(LongText{q.text(0), q.text(1), splitLines(q.text(2))});
        }
        for (const auto& t : batch) {
            if (!visit(t)) return;
        }
        if (batch.size() < static_cast<std::size_t>(kBatch)) return;
        afterKey = batch.back().key;
        afterKind = batch.back().kind;
    }
}

std::size_t SqliteStore::deleteGraphicsIndexOfPrefix(std::string_view prefix) {
    const KeyRange range = KeyRange::prefix(prefix);
    auto q = db_.query(range.bounded ? kGraphicsDelete : kGraphicsDeleteAll, "Grafikindex löschen");
    bindRange(q, range);
    q.run();
    return static_cast<std::size_t>(q.changes());
}

void SqliteStore::addGraphicsIndexEntry(const GraphicsIndexEntry& entry) {
    const std::string k = keyForWrite(entry.articleKey, "Grafikindex schreiben");
    auto q = db_.query(kGraphicsAdd, "Grafikindex schreiben");
    q.bind(1, k).bind(2, entry.pictureKind).bind(3, entry.fileName).bind(4, entry.text);
    q.run();
}

std::vector<GraphicsIndexEntry> SqliteStore::readGraphicsIndex(std::string_view prefix) {
    const KeyRange range = KeyRange::prefix(prefix);
    auto q = db_.query(range.bounded ? kGraphicsRead : kGraphicsReadAll, "Grafikindex lesen");
    bindRange(q, range);
    std::vector<GraphicsIndexEntry> out;
    while (q.step()) out.push_back({q.text(0), q.text(1), q.text(2), q.text(3)});
    return out;
}

}  // namespace dn
