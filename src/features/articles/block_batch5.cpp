#include "features/articles/block_batch5.h"

#include <algorithm>
#include <utility>

#include "host/errors.h"
#include "host/store.h"

namespace dn {

BlockBatch5::BlockBatch5(HostStore& store, Writer write, Reporter report, std::size_t maxBlocks,
                         std::size_t maxBytes)
    : store_(store),
      write_(std::move(write)),
      report_(std::move(report)),
      maxBlocks_(maxBlocks),
      maxBytes_(maxBytes) {
    kept_.reserve(std::min<std::size_t>(maxBlocks_, 4096));
}

BlockBatch5::~BlockBatch5() {
    try {
        store_.Rollback();
    } catch (...) {
    }
}

std::size_t BlockBatch5::sizeOf(const ArticleBlock5& block) {
    std::size_t n = sizeof block;
    for (const auto& step : block.steps) {
        n += sizeof step;
        if (const auto* a = std::get_if<ArticleLine5>(&step))
            for (const auto& f : a->f) n += f.capacity();
    }
    for (const auto& d : block.dRecords) n += sizeof d + d.text.size() + d.textKey.size();
    for (const auto& l : block.surchargeLines) n += sizeof l + l.size();
    for (const auto& l : block.textLines) n += sizeof l + l.size();
    return n;
}

bool BlockBatch5::add(ArticleBlock5&& block) {
    const bool text =
        block.kind == ArticleBlock5::Kind::Text || block.kind == ArticleBlock5::Kind::Graphics;
    if (!text && full()) commit();  // a failed commit is reported; this block begins the next batch
    const std::size_t size = sizeOf(block);
    try {
        if (!store_.inTransaction()) store_.StartTransaction();
        write_(block, false);
    } catch (const DatabaseError& e) {
        store_.Rollback();
        report_(e);
        replayKept();
        return false;
    }
    keptBytes_ += size;
    kept_.push_back(std::move(block));
    textRun_ = text ? textRun_ + 1 : 0;
    textRunBytes_ = text ? textRunBytes_ + size : 0;
    if (textRun_ >= maxBlocks_ || textRunBytes_ >= maxBytes_) return commit();
    return true;
}

// The batch without the failed block, written again. A kept block that now
// fails (it never should: the store is back where it was) is dropped too.
void BlockBatch5::replayKept() {
    while (!kept_.empty()) {
        std::size_t i = 0;
        try {
            store_.StartTransaction();
            for (; i < kept_.size(); ++i) write_(kept_[i], true);
            return;
        } catch (const DatabaseError& e) {
            store_.Rollback();
            report_(e);
            kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(std::min(i, kept_.size() - 1)));
        }
    }
}

bool BlockBatch5::commit() {
    bool ok = true;
    if (store_.inTransaction()) {
        try {
            store_.Commit();
        } catch (const DatabaseError& e) {
            store_.Rollback();
            report_(e);
            ok = false;
        }
    }
    if (dispose_) {
        dispose_(std::move(kept_));
        kept_ = {};
        kept_.reserve(std::min<std::size_t>(maxBlocks_, 4096));  // grown once, not block by block
    } else {
        kept_.clear();
    }
    keptBytes_ = 0;
    textRun_ = 0;
    textRunBytes_ = 0;
    return ok;
}

}  // namespace dn
