#pragma once
// Article writes of the price maintenance, many records to one store
// transaction, yet each record on its own: a record whose write fails is
// left out and the records before it in the batch are kept.
//
// The batch remembers every article it wrote since the last commit. On a
// database error it rolls back, writes the remembered articles again and
// reports the error; the failed record changes nothing. When a commit
// fails, the batch is written once more, one record per transaction, so
// that only the records that fail on their own are lost.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "host/store_records.h"

namespace dn {

class HostStore;

class ArticleBatch5 {
  public:
    using ErrorReport = std::function<void(const std::string& message)>;

    ArticleBatch5(HostStore& store, std::size_t batchSize, ErrorReport report);
    // Rolls back what was not committed; never throws.
    ~ArticleBatch5();
    ArticleBatch5(const ArticleBatch5&) = delete;
    ArticleBatch5& operator=(const ArticleBatch5&) = delete;

    // Writes one record's article. False when the store refused it; the
    // error has been reported and the store is as before the record.
    bool write(ArticleRecord article);
    // Commits the open batch (nothing when none is open).
    void commit();

    std::size_t pending() const { return pending_.size(); }

  private:
    void begin();
    void replayAfterRollback();

    HostStore& store_;
    std::size_t batchSize_;
    ErrorReport report_;
    std::vector<ArticleRecord> pending_;
};

}  // namespace dn
