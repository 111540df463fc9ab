// Articles, their side rows, D records and Z blobs.

#include <algorithm>
#include <optional>

#include "host/sqlite_store.h"
#include "host/store_article_columns.h"
#include "host/store_transaction.h"

namespace dn {

namespace {

constexpr int kBatch = 256;

const std::string kArticleExists = "SELECT 1 FROM article WHERE key = ?1";
const std::string kArticleDelete = "DELETE FROM article WHERE key = ?1";
const std::string kSideDelete = "DELETE FROM article_side WHERE key = ?1";
const std::string kDlineDelete = "DELETE FROM article_dline WHERE key = ?1";
const std::string kZblobDelete = "DELETE FROM article_zblob WHERE key = ?1";
const std::string kArticleRename = "UPDATE article SET key = ?2 WHERE key = ?1";
const std::string kSideRename = "UPDATE article_side SET key = ?2 WHERE key = ?1";
const std::string kDlineRename = "UPDATE article_dline SET key = ?2 WHERE key = ?1";
const std::string kZblobRename = "UPDATE article_zblob SET key = ?2 WHERE key = ?1";
const std::string kSideWrite =
    "INSERT OR REPLACE INTO article_side (key, recordtype, altarticleno, catalog, metalunitcode, "
    "metalnumber, metalweight, ean, articlekind, supplement1, supplement2, supplement3, "
    "supplement4) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)";
const std::string kSideRead =
    "SELECT key, recordtype, altarticleno, catalog, metalunitcode, metalnumber, metalweight, ean, "
    "articlekind, supplement1, supplement2, supplement3, supplement4 FROM article_side "
    "WHERE key = ?1";
// D records go in up to kDlineRowsPerInsert rows per statement; the
// statement for n rows is dlineInserts()[n - 1].
constexpr std::size_t kDlineRowsPerInsert = 8;

const std::vector<std::string>& dlineInserts() {
    static const std::vector<std::string> sql = [] {
        std::vector<std::string> out;
        std::string text =
            "INSERT INTO article_dline (key, seq, linenumber, flag, text, textkey) VALUES ";
        for (std::size_t n = 1; n <= kDlineRowsPerInsert; ++n) {
            text += n == 1 ? "(?, ?, ?, ?, ?, ?)" : ", (?, ?, ?, ?, ?, ?)";
            out.push_back(text);
        }
        return out;
    }();
    return sql;
}
const std::string kDlineRead =
    "SELECT linenumber, flag, text, textkey FROM article_dline WHERE key = ?1 ORDER BY seq";
const std::string kZblobWrite = "INSERT OR REPLACE INTO article_zblob (key, lines) VALUES (?1, ?2)";
const std::string kZblobRead = "SELECT lines FROM article_zblob WHERE key = ?1";

const char* const kArticleTables[] = {"article", "article_side", "article_dline", "article_zblob"};

}  // namespace

void SqliteStore::prepareArticleSql() {
    std::string names;
    std::string params;
    int index = 0;
    for (const auto* c : articleCols_) {
        names += index == 0 ? "" : ", ";
        names += c->name;
        params += index == 0 ? "?" : ", ?";
        ++index;
    }
    articleWriteSql_ = "INSERT OR REPLACE INTO article (" + names + ") VALUES (" + params + ")";
    articleReadSql_ = "SELECT " + names + " FROM article WHERE key = ?1";
    articleBatchSql_ = rangeSql("SELECT " + names + " FROM article WHERE key > ?3 AND",
                                "ORDER BY key LIMIT " + std::to_string(kBatch));
    articleCountSql_ = rangeSql("SELECT count(*) FROM article WHERE", "");
    for (const auto* t : kArticleTables) {
        articleDeleteSql_.push_back(rangeSql("DELETE FROM " + std::string(t) + " WHERE", ""));
    }
}

ArticleRecord SqliteStore::articleFromRow(SqlQuery& q) const {
    ArticleRecord a;
    int index = 0;
    for (const auto* c : articleCols_) {
        const int col = index++;
        std::visit(
            [&](auto member) {
                auto& value = a.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    value = q.text(col);
                else if constexpr (std::is_same_v<T, double>)
                    value = q.real(col);
                else if constexpr (std::is_same_v<T, std::vector<std::string>>)
                    value = splitLines(q.text(col));
                else
                    value = static_cast<T>(q.integer(col));
            },
            c->member);
    }
    return a;
}

bool SqliteStore::articleExists(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kArticleExists, "Artikel suchen");
    q.bind(1, *k);
    return q.step();
}

std::optional<ArticleRecord> SqliteStore::readArticle(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(articleReadSql_, "Artikel lesen");
    q.bindStatic(1, *k);
    if (!q.step()) return std::nullopt;
    return articleFromRow(q);
}

void SqliteStore::writeArticle(const ArticleRecord& article) {
    const std::string key = keyForWrite(article.key, "Artikel schreiben");
    const std::string extralines = joinLines(article.extralines);
    auto q = db_.query(articleWriteSql_, "Artikel schreiben");
    int index = 0;
    for (const auto* c : articleCols_) {
        const int param = ++index;
        if (param == 1) {
            q.bindStatic(1, key);
            continue;
        }
        std::visit(
            [&](auto member) {
                const auto& value = article.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    q.bindStatic(param, value);
                else if constexpr (std::is_same_v<T, double>)
                    q.bind(param, c->kind == ColumnKind::Amount ? storedAmount(value) : value);
                else if constexpr (std::is_same_v<T, std::vector<std::string>>)
                    q.bindStatic(param, extralines);
                else
                    q.bind(param, static_cast<std::int64_t>(value));
            },
            c->member);
    }
    q.run();
    if (db_.autocommit()) {
        // Written in a transaction of its own.
        ++commits_;
        ++committedArticles_;
        committedLastKey_ = key;
        noteProgress();
    } else {
        ++pendingArticles_;
        pendingLastKey_ = key;
    }
}

bool SqliteStore::deleteArticle(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    bool found = false;
    for (const auto* sql : {&kArticleDelete, &kSideDelete, &kDlineDelete, &kZblobDelete}) {
        auto q = db_.query(*sql, "Artikel löschen");
        q.bind(1, *k);
        q.run();
        if (sql == &kArticleDelete) found = q.changes() > 0;
    }
    return found;
}

bool SqliteStore::renameArticle(std::string_view oldKey, std::string_view newKey) {
    const auto from = keyForLookup(oldKey);
    const std::string to = keyForWrite(newKey, "Artikelnummer ändern");
    if (!from || *from == to || !articleExists(*from) || articleExists(to)) return false;
    StoreSavepoint atomic(*this);
    // Side rows, D records or Z lines left under the new key without an
    // article belong to nobody; the moved article's rows replace them.
    for (const auto* sql : {&kSideDelete, &kDlineDelete, &kZblobDelete}) {
        auto q = db_.query(*sql, "Artikelnummer ändern");
        q.bind(1, to);
        q.run();
    }
    for (const auto* sql : {&kArticleRename, &kSideRename, &kDlineRename, &kZblobRename}) {
        auto q = db_.query(*sql, "Artikelnummer ändern");
        q.bind(1, *from).bind(2, to);
        q.run();
    }
    atomic.release();
    return true;
}

std::size_t SqliteStore::deleteArticles(const KeyRange& range) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::size(kArticleTables); ++i) {
        auto q = db_.query(articleDeleteSql_[i].pick(range), "Artikel löschen");
        bindRange(q, range);
        q.run();
        if (i == 0) count = static_cast<std::size_t>(q.changes());
    }
    return count;
}

std::size_t SqliteStore::countArticles(const KeyRange& range) {
    auto q = db_.query(articleCountSql_.pick(range), "Artikel zählen");
    bindRange(q, range);
    return q.step() ? static_cast<std::size_t>(q.integer(0)) : 0;
}

void SqliteStore::forEachArticle(const KeyRange& range, const Visitor<ArticleRecord>& visit) {
    std::string after;
    for (;;) {
        std::vector<ArticleRecord> batch;
        {
            auto q = db_.query(articleBatchSql_.pick(range), "Artikel lesen");
            bindRange(q, range);
            q.bind(3, after);
            while (q.step()) batch.push_back(articleFromRow(q));
        }
        for (const auto& a : batch) {
            if (!visit(a)) return;
        }
        if (batch.size() < static_cast<std::size_t>(kBatch)) return;
        after = batch.back().key;
    }
}

std::optional<ArticleSideRecord> SqliteStore::readArticleSide(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return std::nullopt;
    auto q = db_.query(kSideRead, "Artikel-Zusatz lesen");
    q.bind(1, *k);
    if (!q.step()) return std::nullopt;
    ArticleSideRecord s;
    s.key = q.text(0);
    s.recordtype = static_cast<int>(q.integer(1));
    s.altarticleno = q.text(2);
    s.catalog = q.text(3);
    s.metalunitcode = q.text(4);
    s.metalnumber = q.text(5);
    s.metalweight = q.real(6);
    s.ean = q.text(7);
    s.articlekind = static_cast<int>(q.integer(8));
    s.supplement1 = q.text(9);
    s.supplement2 = q.text(10);
    s.supplement3 = q.text(11);
    s.supplement4 = q.text(12);
    return s;
}

void SqliteStore::writeArticleSide(const ArticleSideRecord& s) {
    const std::string key = keyForWrite(s.key, "Artikel-Zusatz schreiben");
    auto q = db_.query(kSideWrite, "Artikel-Zusatz schreiben");
    q.bindStatic(1, key)
        .bind(2, s.recordtype)
        .bindStatic(3, s.altarticleno)
        .bindStatic(4, s.catalog);
    q.bindStatic(5, s.metalunitcode)
        .bindStatic(6, s.metalnumber)
        .bind(7, s.metalweight)
        .bindStatic(8, s.ean);
    q.bind(9, s.articlekind).bindStatic(10, s.supplement1).bindStatic(11, s.supplement2);
    q.bindStatic(12, s.supplement3).bindStatic(13, s.supplement4);
    q.run();
}

bool SqliteStore::deleteArticleSide(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return false;
    auto q = db_.query(kSideDelete, "Artikel-Zusatz löschen");
    q.bind(1, *k);
    q.run();
    return q.changes() > 0;
}

void SqliteStore::writeDRecords(std::string_view key, const std::vector<DRecord>& records) {
    const std::string k = keyForWrite(key, "D-Sätze schreiben");
    {
        auto q = db_.query(kDlineDelete, "D-Sätze schreiben");
        q.bindStatic(1, k);
        q.run();
    }
    int seq = 0;
    for (std::size_t first = 0; first < records.size(); first += kDlineRowsPerInsert) {
        const std::size_t n = std::min(kDlineRowsPerInsert, records.size() - first);
        auto q = db_.query(dlineInserts()[n - 1], "D-Sätze schreiben");
        for (std::size_t i = 0; i < n; ++i) {
            const DRecord& d = records[first + i];
            const int p = static_cast<int>(i) * 6;
            q.bindStatic(p + 1, k).bind(p + 2, ++seq).bindStatic(p + 3, d.lineNumber);
            q.bindStatic(p + 4, d.flag).bindStatic(p + 5, d.text).bindStatic(p + 6, d.textKey);
        }
        q.run();
    }
}

std::vector<DRecord> SqliteStore::readDRecords(std::string_view key) {
    std::vector<DRecord> out;
    const auto k = keyForLookup(key);
    if (!k) return out;
    auto q = db_.query(kDlineRead, "D-Sätze lesen");
    q.bind(1, *k);
    while (q.step()) out.push_back(DRecord{q.text(0), q.text(1), q.text(2), q.text(3)});
    return out;
}

void SqliteStore::writeZBlob(std::string_view key, const std::vector<std::string>& lines) {
    const std::string k = keyForWrite(key, "Z-Sätze schreiben");
    if (lines.empty()) {
        auto q = db_.query(kZblobDelete, "Z-Sätze schreiben");
        q.bind(1, k);
        q.run();
        return;
    }
    const std::string joined = joinLines(lines);
    auto q = db_.query(kZblobWrite, "Z-Sätze schreiben");
    q.bindStatic(1, k).bindStatic(2, joined);
    q.run();
}

std::vector<std::string> SqliteStore::readZBlob(std::string_view key) {
    const auto k = keyForLookup(key);
    if (!k) return {};
    auto q = db_.query(kZblobRead, "Z-Sätze lesen");
    q.bind(1, *k);
    return q.step() ? splitLines(q.text(0)) : std::vector<std::string>{};
}

}  // namespace dn
