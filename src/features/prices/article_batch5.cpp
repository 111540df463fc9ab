#include "features/prices/article_batch5.h"

#include "host/errors.h"
#include "host/store.h"

namespace dn {

ArticleBatch5::ArticleBatch5(HostStore& store, std::size_t batchSize, ErrorReport report)
    : store_(store), batchSize_(batchSize == 0 ? 1 : batchSize), report_(std::move(report)) {}

ArticleBatch5::~ArticleBatch5() {
    try {
        if (store_.inTransaction()) store_.Rollback();
    } catch (...) {
    }
}

void ArticleBatch5::begin() {
    if (!store_.inTransaction()) store_.StartTransaction();
}

void ArticleBatch5::replayAfterRollback() {
    store_.Rollback();
    store_.StartTransaction();
    // A store that refuses what it took a moment ago is broken: that
    // error leaves the command.
    for (const ArticleRecord& a : pending_) store_.writeArticle(a);
}

bool ArticleBatch5::write(ArticleRecord article) {
    begin();
    try {
        store_.writeArticle(article);
    } catch (const DatabaseError& e) {
        replayAfterRollback();
        report_(e.what());
        return false;
    }
    pending_.push_back(std::move(article));
    if (pending_.size() >= batchSize_) commit();
    return true;
}

void ArticleBatch5::commit() {
    if (!store_.inTransaction()) {
        pending_.clear();
        return;
    }
    try {
        store_.Commit();
        pending_.clear();
        return;
    } catch (const DatabaseError& e) {
        store_.Rollback();
        report_(e.what());
    }
    // One transaction per record, as far as the store lets us.
    std::vector<ArticleRecord> again;
    again.swap(pending_);
    for (const ArticleRecord& a : again) {
        try {
            store_.StartTransaction();
            store_.writeArticle(a);
            store_.Commit();
        } catch (const DatabaseError& e) {
            store_.Rollback();
            report_(e.what());
        }
    }
}

}  // namespace dn
