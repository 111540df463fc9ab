#pragma once
// The host store on SQLite. One class, its methods split over
// sqlite_store.cpp (opening, transactions), sqlite_articles.cpp,
// sqlite_texts.cpp, sqlite_groups.cpp and sqlite_services.cpp.

#include <memory>
#include <string>
#include <vector>

#include "host/sqlite_db.h"
#include "host/store.h"
#include "host/store_article_columns.h"
#include "host/wal_checkpointer.h"

namespace dn {

// An amount as stored: rounded with rund (which an already rounded amount
// passes unchanged without the cost of rounding it again).
double storedAmount(double amount);

// For look-ups: nothing when the key cannot be stored.
std::optional<std::string> keyForLookup(std::string_view key);

class SqliteStore final : public HostStore {
  public:
    SqliteStore(const std::filesystem::path& file, const StoreOptions& options);

    bool hasColumn(std::string_view articleColumn) const override;
    std::vector<std::string> optionalColumns() const override;

    bool articleExists(std::string_view key) override;
    std::optional<ArticleRecord> readArticle(std::string_view key) override;
    void writeArticle(const ArticleRecord& article) override;
    bool deleteArticle(std::string_view key) override;
    bool renameArticle(std::string_view oldKey, std::string_view newKey) override;
    std::size_t deleteArticles(const KeyRange& range) override;
    std::size_t countArticles(const KeyRange& range) override;
    void forEachArticle(const KeyRange& range, const Visitor<ArticleRecord>& visit) override;
    std::optional<ArticleSideRecord> readArticleSide(std::string_view key) override;
    void writeArticleSide(const ArticleSideRecord& side) override;
    bool deleteArticleSide(std::string_view key) override;
    void writeDRecords(std::string_view key, const std::vector<DRecord>& records) override;
    std::vector<DRecord> readDRecords(std::string_view key) override;
    void writeZBlob(std::string_view key, const std::vector<std::string>& lines) override;
    std::vector<std::string> readZBlob(std::string_view key) override;

    bool longTextExists(std::string_view key, std::string_view kind) override;
    std::optional<LongText> readLongText(std::string_view key, std::string_view kind) override;
    void writeLongText(const LongText& text) override;
    bool deleteLongText(std::string_view key, std::string_view kind) override;
    void forEachLongText(const KeyRange& range, const Visitor<LongText>& visit) override;
    std::size_t deleteGraphicsIndexOfPrefix(std::string_view prefix) override;
    void addGraphicsIndexEntry(const GraphicsIndexEntry& entry) override;
    std::vector<GraphicsIndexEntry> readGraphicsIndex(std::string_view prefix) override;

    bool discountGroupExists(std::string_view key) override;
    std::optional<DiscountGroupRecord> readDiscountGroup(std::string_view key) override;
    void writeDiscountGroup(const DiscountGroupRecord& group) override;
    bool deleteDiscountGroup(std::string_view key) override;
    std::vector<DiscountGroupRecord> listDiscountGroups(const KeyRange& range) override;
    bool setDiscountGroupMark(std::string_view key, bool marked) override;
    std::size_t deleteDiscountGroups(const KeyRange& range) override;
    std::size_t deleteMarkedDiscountGroups(const KeyRange& range) override;
    bool productGroupExists(std::string_view key) override;
    std::optional<ProductGroupRecord> readProductGroup(std::string_view key) override;
    void writeProductGroup(const ProductGroupRecord& group) override;
    bool deleteProductGroup(std::string_view key) override;
    std::vector<ProductGroupRecord> listProductGroups(const KeyRange& range) override;
    bool setProductGroupMark(std::string_view key, bool marked) override;
    std::size_t deleteProductGroups(const KeyRange& range) override;
    std::size_t deleteMarkedProductGroups(const KeyRange& range) override;

    std::optional<ServiceRecord> readService(std::string_view key) override;
    void writeService(const ServiceRecord& service) override;
    bool deleteService(std::string_view key) override;
    void forEachService(const KeyRange& range, const Visitor<ServiceRecord>& visit) override;
    std::optional<BomRecord> readBom(std::string_view key) override;
    void writeBom(const BomRecord& bom) override;
    bool deleteBom(std::string_view key) override;
    void forEachBom(const KeyRange& range, const Visitor<BomRecord>& visit) override;
    void writeContent(const ContentRecord& entry) override;
    std::optional<ContentRecord> readContent(std::string_view key, int kind) override;
    std::vector<ContentRecord> listContent(const KeyRange& range) override;

    std::unique_ptr<StoreWriteClaim> claimWriting(const std::string& command) override;

    void StartTransaction() override;
    void Commit() override;
    void Rollback() override;
    bool inTransaction() const override;
    std::string beginSavepoint() override;
    void releaseSavepoint(const std::string& name) override;
    void rollbackToSavepoint(const std::string& name) override;

  private:
    void prepareArticleSql();
    void createSchemaOnce(const StoreOptions& options);
    // The note a busy store's message ends with.
    void noteProgress();
    // Range condition on column "key" with parameters ?1 and ?2.
    struct RangeSql {
        std::string all, prefix, between;
        const std::string& pick(const KeyRange& r) const {
            return !r.bounded ? all : r.byPrefix ? prefix : between;
        }
    };
    static RangeSql rangeSql(const std::string& head, const std::string& tail,
                             const std::string& column = "key");
    static void bindRange(SqlQuery& q, const KeyRange& range);
    ArticleRecord articleFromRow(SqlQuery& q) const;

    std::filesystem::path file_;
    SqliteDb db_;
    std::unique_ptr<WalCheckpointer> checkpointer_;
    // Articles written in the open transaction and in committed ones.
    long pendingArticles_ = 0;
    long committedArticles_ = 0;
    long commits_ = 0;
    std::string pendingLastKey_;
    std::string committedLastKey_;
    std::vector<std::string> presentOptional_;
    std::vector<const ArticleColumn*> articleCols_;  // the columns this file has
    int savepointCount_ = 0;

    // Article statements built from the column table.
    std::string articleWriteSql_;
    std::string articleReadSql_;
    RangeSql articleBatchSql_;
    RangeSql articleCountSql_;
    std::vector<RangeSql> articleDeleteSql_;  // article, side, D records, Z blob
};

}  // namespace dn
