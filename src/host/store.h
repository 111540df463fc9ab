#pragma once
// The host master-data store: articles with their side rows, D records and Z
// blobs, long texts, the graphics index, discount and product groups,
// services, bills of material and the content list.
//
// Keys: at most 18 characters; trailing blanks do not count, leading blanks
// do. Every key handed in is right-trimmed (storeKey) before it is used, so
// "47  " finds "47". Writing a key longer than 18 characters raises
// DatabaseError; looking one up finds nothing.
//
// Transactions: StartTransaction/Commit/Rollback, the RAII StoreTransaction
// and nestable StoreSavepoint (store_transaction.h). Many small units in one
// large transaction: UnitBatch (common/unit_batch.h).
//
// Host operation → method:
//   artikel_vorhandenff → articleExists; Lies_artikel/lies_artikelff → readArticle;
//   schreib_artikel/schreib_artikelff → writeArticle (+ writeArticleSide,
//   writeDRecords, writeZBlob); loesch_artikelff/loeschMaterialRef → deleteArticle;
//   schreib_dsaetze → writeDRecords; schreib_zsaetze_blob → writeZBlob;
//   Langtext_vorhandenff → longTextExists; schreib_Langtextff → writeLongText;
//   loesch_Langtextff → deleteLongText; LoescheArtikelGrafikLieferant →
//   deleteGraphicsIndexOfPrefix; SchreibArtikelGrafik → addGraphicsIndexEntry;
//   rabatt_vorhandenff/lies_rabattff/schreib_rabattff/loesch_rabattff →
//   discountGroupExists/readDiscountGroup/writeDiscountGroup/deleteDiscountGroup;
//   waren_* → productGroup*; lies_leistung/schreib_leistung → readService/
//   writeService; StueckSpeichern → writeBom; schreib_inhalt → writeContent.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/store_records.h"

namespace dn {

inline constexpr std::size_t kMaxKeyLength = 18;

// The key as the store compares it: trailing blanks removed.
std::string storeKey(std::string_view key);
// The key as a write would store it; DatabaseError ("<purpose>: ...") when
// it is empty or longer than kMaxKeyLength, as the write itself would raise.
std::string keyForWrite(std::string_view key, std::string_view purpose);

// A range of keys: all, those beginning with a prefix, or those between two
// bounds (both included, bounds right-trimmed like keys).
struct KeyRange {
    std::string from;
    std::string to;  // exclusive upper bound when byPrefix, inclusive otherwise
    bool bounded = false;
    bool byPrefix = false;

    static KeyRange all() { return {}; }
    static KeyRange prefix(std::string_view p);
    static KeyRange between(std::string_view from, std::string_view to);
    bool contains(std::string_view key) const;
};

// Visitors return true to go on, false to stop. A visitor may write and
// delete rows of the store, also the one it was handed.
template <typename T>
using Visitor = std::function<bool(const T&)>;

struct StoreOptions {
    // Create the optional "_" article columns when the store file is new.
    bool optionalColumns = false;
    // Called once when a statement begins to wait for another writer (a
    // status line); from the thread that runs the statement.
    std::function<void()> waiting;
};

// A claim of the store for one writing command; released when destroyed.
class StoreWriteClaim {
  public:
    virtual ~StoreWriteClaim() = default;
};

class HostStore {
  public:
    virtual ~HostStore() = default;

    // --- schema
    virtual bool hasColumn(std::string_view articleColumn) const = 0;
    // Names of the article's optional columns present, as stored ("_richtpreis").
    virtual std::vector<std::string> optionalColumns() const = 0;

    // --- articles
    virtual bool articleExists(std::string_view key) = 0;
    virtual std::optional<ArticleRecord> readArticle(std::string_view key) = 0;
    // Insert or replace the whole row; amounts are rounded with rund.
    virtual void writeArticle(const ArticleRecord& article) = 0;
    // Deletes the article with its side row, D records and Z blob.
    virtual bool deleteArticle(std::string_view key) = 0;
    // Moves article, side row, D records and Z blob to the new key. False
    // when the old key is missing or the new one exists (nothing changes).
    virtual bool renameArticle(std::string_view oldKey, std::string_view newKey) = 0;
    virtual std::size_t deleteArticles(const KeyRange& range) = 0;
    virtual std::size_t countArticles(const KeyRange& range) = 0;
    // In key order.
    virtual void forEachArticle(const KeyRange& range, const Visitor<ArticleRecord>& visit) = 0;

    virtual std::optional<ArticleSideRecord> readArticleSide(std::string_view key) = 0;
    virtual void writeArticleSide(const ArticleSideRecord& side) = 0;
    virtual bool deleteArticleSide(std::string_view key) = 0;

    // D records of an article, replaced as a whole (an empty list removes them).
    virtual void writeDRecords(std::string_view key, const std::vector<DRecord>& records) = 0;
    virtual std::vector<DRecord> readDRecords(std::string_view key) = 0;
    // Z lines of an article, replaced as a whole (an empty list removes them).
    virtual void writeZBlob(std::string_view key, const std::vector<std::string>& lines) = 0;
    virtual std::vector<std::string> readZBlob(std::string_view key) = 0;

    // --- long texts, by key and kind
    virtual bool longTextExists(std::string_view key, std::string_view kind) = 0;
    virtual std::optional<LongText> readLongText(std::string_view key, std::string_view kind) = 0;
    // Replaces the text of that key and kind.
    virtual void writeLongText(const LongText& text) = 0;
    virtual bool deleteLongText(std::string_view key, std::string_view kind) = 0;
    // All kinds of the keys in the range, in key and kind order.
    virtual void forEachLongText(const KeyRange& range, const Visitor<LongText>& visit) = 0;

    // --- graphics index
    virtual std::size_t deleteGraphicsIndexOfPrefix(std::string_view prefix) = 0;
    virtual void addGraphicsIndexEntry(const GraphicsIndexEntry& entry) = 0;
    // Entries whose article key begins with the prefix, by article key, then
    // in the order they were added.
    virtual std::vector<GraphicsIndexEntry> readGraphicsIndex(std::string_view prefix) = 0;

    // --- discount groups
    virtual bool discountGroupExists(std::string_view key) = 0;
    virtual std::optional<DiscountGroupRecord> readDiscountGroup(std::string_view key) = 0;
    virtual void writeDiscountGroup(const DiscountGroupRecord& group) = 0;
    virtual bool deleteDiscountGroup(std::string_view key) = 0;
    virtual std::vector<DiscountGroupRecord> listDiscountGroups(const KeyRange& range) = 0;
    // False when the group does not exist.
    virtual bool setDiscountGroupMark(std::string_view key, bool marked) = 0;
    virtual std::size_t deleteDiscountGroups(const KeyRange& range) = 0;
    virtual std::size_t deleteMarkedDiscountGroups(const KeyRange& range) = 0;

    // --- product groups
    virtual bool productGroupExists(std::string_view key) = 0;
    virtual std::optional<ProductGroupRecord> readProductGroup(std::string_view key) = 0;
    virtual void writeProductGroup(const ProductGroupRecord& group) = 0;
    virtual bool deleteProductGroup(std::string_view key) = 0;
    virtual std::vector<ProductGroupRecord> listProductGroups(const KeyRange& range) = 0;
    virtual bool setProductGroupMark(std::string_view key, bool marked) = 0;
    virtual std::size_t deleteProductGroups(const KeyRange& range) = 0;
    virtual std::size_t deleteMarkedProductGroups(const KeyRange& range) = 0;

    // --- services and bills of material
    virtual std::optional<ServiceRecord> readService(std::string_view key) = 0;
    // Insert or replace with all rows; more than kServiceRows rows raise DatabaseError.
    virtual void writeService(const ServiceRecord& service) = 0;
    virtual bool deleteService(std::string_view key) = 0;
    virtual void forEachService(const KeyRange& range, const Visitor<ServiceRecord>& visit) = 0;

    virtual std::optional<BomRecord> readBom(std::string_view key) = 0;
    // More than kBomRows rows raise DatabaseError.
    virtual void writeBom(const BomRecord& bom) = 0;
    virtual bool deleteBom(std::string_view key) = 0;
    virtual void forEachBom(const KeyRange& range, const Visitor<BomRecord>& visit) = 0;

    // --- content list, one entry per key and kind
    virtual void writeContent(const ContentRecord& entry) = 0;
    virtual std::optional<ContentRecord> readContent(std::string_view key, int kind) = 0;
    virtual std::vector<ContentRecord> listContent(const KeyRange& range) = 0;

    // --- one writer at a time
    // Claims the store for a command that writes (articles, prices, groups)
    // for as long as the claim lives. Each store decides what the claim
    // covers. StoreBusyError, naming the holder, when another command holds
    // it; waiting for another connection's transaction is not part of it.
    virtual std::unique_ptr<StoreWriteClaim> claimWriting(const std::string& command) = 0;

    // --- transactions
    // A statement that waits longer than the store's busy wait for another
    // writer raises StoreBusyError, saying how far this connection got.
    virtual void StartTransaction() = 0;  // DatabaseError when one is open
    virtual void Commit() = 0;            // DatabaseError when none is open
    virtual void Rollback() = 0;          // nothing when none is open
    virtual bool inTransaction() const = 0;

    // Savepoints (use StoreSavepoint). Begin returns the savepoint's name.
    virtual std::string beginSavepoint() = 0;
    virtual void releaseSavepoint(const std::string& name) = 0;
    virtual void rollbackToSavepoint(const std::string& name) = 0;
};

// Opens the store file, creating it (and its tables) when it is missing.
// The options only matter when the file is created.
std::unique_ptr<HostStore> openSqliteStore(const std::filesystem::path& file,
                                           const StoreOptions& options = {});

}  // namespace dn
