// Blocks in large transactions: a failed block is missing, the others of
// its batch are written again and kept.

#include <gtest/gtest.h>

#include "common/unit_batch.h"
#include "features/articles/block_sink.h"
#include "host/errors.h"
#include "host/store.h"
#include "support/temp_dir.h"

namespace dn::dn5 {
namespace {

dn5::ArticleBlock block(const std::string& number,
                        dn5::ArticleBlock::Kind kind = dn5::ArticleBlock::Kind::Text) {
    dn5::ArticleBlock b;
    b.kind = kind;
    b.number = number;
    return b;
}

TEST(ArticleBlockBatch, FailedBlockIsAbsentAndTheRestOfTheBatchStays) {
    test::TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    std::vector<std::string> written;
    std::vector<std::string> errors;
    auto write = [&](dn5::ArticleBlock& b, Replay replay) {
        written.push_back(b.number + (replay == Replay::Yes ? " again" : ""));
        store->writeLongText(LongText{"1-" + b.number, "1", {"a"}});
        store->writeLongText(LongText{"1-" + b.number, "2", {"b"}});
        if (b.number == "bad" && replay == Replay::No)
            throw DatabaseError("Langtext schreiben: disk I/O error");
    };
    {
        UnitBatch<dn5::ArticleBlock> batch(
            *store, ArticleBlockLimits(3), write,
            [&](const DatabaseError& e) { errors.push_back(e.what()); });
        auto add = [&](dn5::ArticleBlock b) {
            const UnitStart start = StartOf(b);
            return batch.add(std::move(b), start);
        };
        EXPECT_TRUE(add(block("1")));
        EXPECT_FALSE(add(block("bad")));
        EXPECT_TRUE(add(block("2")));
        EXPECT_EQ(batch.pending(), 2u);
        EXPECT_TRUE(add(block("3")));  // third kept block: committed
        EXPECT_EQ(batch.pending(), 0u);
        EXPECT_TRUE(add(block("4")));  // never committed: rolled back at the end
    }
    EXPECT_EQ(written, (std::vector<std::string>{"1", "bad", "1 again", "2", "3", "4"}));
    EXPECT_EQ(errors, (std::vector<std::string>{"Langtext schreiben: disk I/O error"}));
    for (const char* key : {"1-1", "1-2", "1-3"}) {
        EXPECT_TRUE(store->longTextExists(key, "1")) << key;
        EXPECT_TRUE(store->longTextExists(key, "2")) << key;
    }
    EXPECT_FALSE(store->longTextExists("1-bad", "1"));
    EXPECT_FALSE(store->longTextExists("1-bad", "2"));
    EXPECT_FALSE(store->longTextExists("1-4", "1"));
}

// A full batch waits for the next block that is no text: an article and
// the texts after it are committed together. A run of texts as long as a
// batch is committed on its own.
TEST(ArticleBlockBatch, EndsOnlyBeforeAnArticleOrAfterALongRunOfTexts) {
    test::TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    auto write = [&](dn5::ArticleBlock& b, Replay) {
        store->writeLongText(LongText{"1-" + b.number, "1", {"a"}});
    };
    constexpr auto kArticle = dn5::ArticleBlock::Kind::Article;
    {
        UnitBatch<dn5::ArticleBlock> batch(*store, ArticleBlockLimits(3), write,
                                           [](const DatabaseError&) {});
        auto add = [&](dn5::ArticleBlock b) {
            const UnitStart start = StartOf(b);
            return batch.add(std::move(b), start);
        };
        add(block("a1", kArticle));
        add(block("t1"));
        add(block("g1", dn5::ArticleBlock::Kind::Graphics));  // full, yet no commit
        EXPECT_EQ(batch.pending(), 3u);
        add(block("a2", kArticle));  // the batch before it committed
        EXPECT_EQ(batch.pending(), 1u);
        for (const char* n : {"t3", "t4"}) add(block(n));
        EXPECT_EQ(batch.pending(), 3u);
        add(block("t5"));  // three texts in a row: committed
        EXPECT_EQ(batch.pending(), 0u);
        add(block("t6"));  // never committed
    }
    for (const char* key : {"1-a1", "1-t1", "1-g1", "1-a2", "1-t3", "1-t4", "1-t5"})
        EXPECT_TRUE(store->longTextExists(key, "1")) << key;
    EXPECT_FALSE(store->longTextExists("1-t6", "1"));
}

}  // namespace
}  // namespace dn::dn5
