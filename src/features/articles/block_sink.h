#pragma once
// Where the DATANORM 5 article import puts the blocks it has read: each
// block is written whole or not at all, many blocks to one store
// transaction (see UnitBatch). Two sinks: one writes on a second thread
// while the file is read on, one writes on the reading thread. Which one
// a run gets is decided in `OpenBlockSink` alone.

#include <memory>

#include "features/articles/article_block5.h"
#include "features/articles/article_writer5.h"

namespace dn {

struct Session;

namespace dn5 {

class BlockSink {
  public:
    virtual ~BlockSink() = default;

    virtual void put(dn5::ArticleBlock block) = 0;
    // Every block put so far written and committed, what the writer had
    // to say shown: the counts of the blocks since the last call.
    virtual WriteCounts finish() = 0;
    // Called before every line: shows now and then what a writing thread
    // has to say.
    virtual void deliver() {}
};

// Without a protocol the store is written on a second thread while the
// file is read on. With it everything stays on the reading thread, so that
// protocol lines and messages keep their order.
std::unique_ptr<BlockSink> OpenBlockSink(Session& s, ArticleRunState& run);

// The batch limits of the article blocks: a batch is full at `blocks`
// blocks or 16 MiB of block text.
BatchLimits ArticleBlockLimits(std::size_t blocks = 4000);

// Text and graphics blocks follow their article: no batch ends before them.
UnitStart StartOf(const dn5::ArticleBlock& block);

// The memory a block holds, for the batch's byte limit.
std::size_t BlockBytes(const dn5::ArticleBlock& block);

}  // namespace dn5
}  // namespace dn
