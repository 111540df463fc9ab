#pragma once
// Import blocks written in large store transactions, each block whole or
// absent. A block is written at once inside the open transaction and kept
// until the commit; when a block fails with a database error, the
// transaction is rolled back, the error reported, and the kept blocks of
// the batch are written again (without protocol or counting) — so exactly
// the failed block is missing. A kill loses at most the uncommitted batch,
// never part of a block.
//
// A batch ends only before a block that is no text or graphics block, so
// that an article and the T and G blocks after it are committed together;
// only a run of text and graphics blocks as long as a batch is split.

#include <cstddef>
#include <functional>
#include <vector>

#include "features/articles/article_block5.h"

namespace dn {

class HostStore;
class DatabaseError;

class BlockBatch5 {
  public:
    using Writer = std::function<void(ArticleBlock5&, bool replay)>;
    using Reporter = std::function<void(const DatabaseError&)>;
    // Takes the kept blocks after a commit (to free them elsewhere).
    using Disposer = std::function<void(std::vector<ArticleBlock5>&& blocks)>;

    // A batch is full at `maxBlocks` blocks or `maxBytes` of kept block
    // text; it is committed before the next block that may begin one.
    BlockBatch5(HostStore& store, Writer write, Reporter report, std::size_t maxBlocks = 4000,
                std::size_t maxBytes = 16u << 20);

    void setDisposer(Disposer dispose) { dispose_ = std::move(dispose); }
    // Rolls back what was not committed (never throws).
    ~BlockBatch5();
    BlockBatch5(const BlockBatch5&) = delete;
    BlockBatch5& operator=(const BlockBatch5&) = delete;

    // Writes the block; false when it failed and was rolled back.
    bool add(ArticleBlock5&& block);
    // Commits the open transaction. A failed commit rolls the batch back and
    // is reported; false then.
    bool commit();

    std::size_t pending() const { return kept_.size(); }

  private:
    void replayKept();
    bool full() const { return kept_.size() >= maxBlocks_ || keptBytes_ >= maxBytes_; }
    static std::size_t sizeOf(const ArticleBlock5& block);

    HostStore& store_;
    Writer write_;
    Reporter report_;
    Disposer dispose_;
    std::size_t maxBlocks_;
    std::size_t maxBytes_;
    std::vector<ArticleBlock5> kept_;
    std::size_t keptBytes_ = 0;
    // The text and graphics blocks kept since the last other block.
    std::size_t textRun_ = 0;
    std::size_t textRunBytes_ = 0;
};

}  // namespace dn
