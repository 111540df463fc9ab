#pragma once
// A store that hands every call to a real one and fails the commits it is
// told to fail (with the message a full disk gives), for the tests of what
// the importers do when a commit fails.

#include <string>

#include "host/errors.h"
#include "host/store.h"

namespace dn::test {

class CommitFailingStore final : public HostStore {
  public:
    explicit CommitFailingStore(HostStore& inner) : inner_(inner) {}

    // The next `n` commits fail; the transaction stays open, as SQLite
    // leaves it after a failed COMMIT.
    void failCommits(int n) { failing_ = n; }
    int commits() const { return commits_; }

    void Commit() override {
        if (failing_ > 0) {
            --failing_;
            throw DatabaseError("Commit: database or disk is full");
        }
        inner_.Commit();
        ++commits_;
    }
    bool hasColumn(std::string_view articleColumn) const override {
        return inner_.hasColumn(articleColumn);
    }
    std::vector<std::string> optionalColumns() const override { return inner_.optionalColumns(); }
    bool articleExists(std::string_view key) override { return inner_.articleExists(key); }
    std::optional<ArticleRecord> readArticle(std::string_view key) override {
        return inner_.readArticle(key);
    }
    void writeArticle(const ArticleRecord& article) override { inner_.writeArticle(article); }
    bool deleteArticle(std::string_view key) override { return inner_.deleteArticle(key); }
    bool renameArticle(std::string_view oldKey, std::string_view newKey) override {
        return inner_.renameArticle(oldKey, newKey);
    }
    std::size_t deleteArticles(const KeyRange& range) override {
        return inner_.deleteArticles(range);
    }
    std::size_t countArticles(const KeyRange& range) override {
        return inner_.countArticles(range);
    }
    void forEachArticle(const KeyRange& range, const Visitor<ArticleRecord>& visit) override {
        inner_.forEachArticle(range, visit);
    }
    std::optional<ArticleSideRecord> readArticleSide(std::string_view key) override {
        return inner_.readArticleSide(key);
    }
    void writeArticleSide(const ArticleSideRecord& side) override { inner_.writeArticleSide(side); }
    bool deleteArticleSide(std::string_view key) override { return inner_.deleteArticleSide(key); }
    void writeDRecords(std::string_view key, const std::vector<DRecord>& records) override {
        inner_.writeDRecords(key, records);
    }
    std::vector<DRecord> readDRecords(std::string_view key) override {
        return inner_.readDRecords(key);
    }
    void writeZBlob(std::string_view key, const std::vector<std::string>& lines) override {
        inner_.writeZBlob(key, lines);
    }
    std::vector<std::string> readZBlob(std::string_view key) override {
        return inner_.readZBlob(key);
    }
    bool longTextExists(std::string_view key, std::string_view kind) override {
        return inner_.longTextExists(key, kind);
    }
    std::optional<LongText> readLongText(std::string_view key, std::string_view kind) override {
        return inner_.readLongText(key, kind);
    }
    void writeLongText(const LongText& text) override { inner_.writeLongText(text); }
    bool deleteLongText(std::string_view key, std::string_view kind) override {
        return inner_.deleteLongText(key, kind);
    }
    void forEachLongText(const KeyRange& range, const Visitor<LongText>& visit) override {
        inner_.forEachLongText(range, visit);
    }
    std::size_t deleteGraphicsIndexOfPrefix(std::string_view prefix) override {
        return inner_.deleteGraphicsIndexOfPrefix(prefix);
    }
    void addGraphicsIndexEntry(const GraphicsIndexEntry& entry) override {
        inner_.addGraphicsIndexEntry(entry);
    }
    std::vector<GraphicsIndexEntry> readGraphicsIndex(std::string_view prefix) override {
        return inner_.readGraphicsIndex(prefix);
    }
    bool discountGroupExists(std::string_view key) override {
        return inner_.discountGroupExists(key);
    }
    std::optional<DiscountGroupRecord> readDiscountGroup(std::string_view key) override {
        return inner_.readDiscountGroup(key);
    }
    void writeDiscountGroup(const DiscountGroupRecord& group) override {
        inner_.writeDiscountGroup(group);
    }
    bool deleteDiscountGroup(std::string_view key) override {
        return inner_.deleteDiscountGroup(key);
    }
    std::vector<DiscountGroupRecord> listDiscountGroups(const KeyRange& range) override {
        return inner_.listDiscountGroups(range);
    }
    bool setDiscountGroupMark(std::string_view key, bool marked) override {
        return inner_.setDiscountGroupMark(key, marked);
    }
    std::size_t deleteDiscountGroups(const KeyRange& range) override {
        return inner_.deleteDiscountGroups(range);
    }
    std::size_t deleteMarkedDiscountGroups(const KeyRange& range) override {
        return inner_.deleteMarkedDiscountGroups(range);
    }
    bool productGroupExists(std::string_view key) override {
        return inner_.productGroupExists(key);
    }
    std::optional<ProductGroupRecord> readProductGroup(std::string_view key) override {
        return inner_.readProductGroup(key);
    }
    void writeProductGroup(const ProductGroupRecord& group) override {
        inner_.writeProductGroup(group);
    }
    bool deleteProductGroup(std::string_view key) override {
        return inner_.deleteProductGroup(key);
    }
    std::vector<ProductGroupRecord> listProductGroups(const KeyRange& range) override {
        return inner_.listProductGroups(range);
    }
    bool setProductGroupMark(std::string_view key, bool marked) override {
        return inner_.setProductGroupMark(key, marked);
    }
    std::size_t deleteProductGroups(const KeyRange& range) override {
        return inner_.deleteProductGroups(range);
    }
    std::size_t deleteMarkedProductGroups(const KeyRange& range) override {
        return inner_.deleteMarkedProductGroups(range);
    }
    std::optional<ServiceRecord> readService(std::string_view key) override {
        return inner_.readService(key);
    }
    void writeService(const ServiceRecord& service) override { inner_.writeService(service); }
    bool deleteService(std::string_view key) override { return inner_.deleteService(key); }
    void forEachService(const KeyRange& range, const Visitor<ServiceRecord>& visit) override {
        inner_.forEachService(range, visit);
    }
    std::optional<BomRecord> readBom(std::string_view key) override { return inner_.readBom(key); }
    void writeBom(const BomRecord& bom) override { inner_.writeBom(bom); }
    bool deleteBom(std::string_view key) override { return inner_.deleteBom(key); }
    void forEachBom(const KeyRange& range, const Visitor<BomRecord>& visit) override {
        inner_.forEachBom(range, visit);
    }
    void writeContent(const ContentRecord& entry) override { inner_.writeContent(entry); }
    std::optional<ContentRecord> readContent(std::string_view key, int kind) override {
        return inner_.readContent(key, kind);
    }
    std::vector<ContentRecord> listContent(const KeyRange& range) override {
        return inner_.listContent(range);
    }
    std::unique_ptr<StoreWriteClaim> claimWriting(const std::string& command) override {
        return inner_.claimWriting(command);
    }
    void StartTransaction() override { inner_.StartTransaction(); }
    void Rollback() override { inner_.Rollback(); }
    bool inTransaction() const override { return inner_.inTransaction(); }
    std::string beginSavepoint() override { return inner_.beginSavepoint(); }
    void releaseSavepoint(const std::string& name) override { inner_.releaseSavepoint(name); }
    void rollbackToSavepoint(const std::string& name) override { inner_.rollbackToSavepoint(name); }

  private:
    HostStore& inner_;
    int failing_ = 0;
    int commits_ = 0;
};

}  // namespace dn::test
