// Blocks in large transactions: a failed block is missing, the others of
// its batch are written again and kept.

#include <gtest/gtest.h>

#include "features/articles/block_batch5.h"
#include "host/errors.h"
#include "host/store.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

ArticleBlock5 block(const std::string& number,
                    ArticleBlock5::Kind kind = ArticleBlock5::Kind::Text) {
    ArticleBlock5 b;
    b.kind = kind;
    b.number = number;
    return b;
}

TEST(BlockBatch5, FailedBlockIsAbsentAndTheRestOfTheBatchStays) {
    test::TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    std::vector<std::string> written;
    std::vector<std::string> errors;
    auto write = [&](ArticleBlock5& b, bool replay) {
        written.push_back(b.number + (replay ? " again" : ""));
        store->writeLongText(LongText{"1-" + b.number, "1", {"a"}});
        store->writeLongText(LongText{"1-" + b.number, "2", {"b"}});
        if (b.number == "bad" && !replay) throw DatabaseError("Langtext schreiben: disk I/O error");
    };
    {
        BlockBatch5 batch(
            *store, write, [&](const DatabaseError& e) { errors.push_back(e.what()); }, 3);
        EXPECT_TRUE(batch.add(block("1")));
        EXPECT_FALSE(batch.add(block("bad")));
        EXPECT_TRUE(batch.add(block("2")));
        EXPECT_EQ(batch.pending(), 2u);
        EXPECT_TRUE(batch.add(block("3")));  // third kept block: committed
        EXPECT_EQ(batch.pending(), 0u);
        EXPECT_TRUE(batch.add(block("4")));  // never committed: rolled back at the end
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
TEST(BlockBatch5, EndsOnlyBeforeAnArticleOrAfterALongRunOfTexts) {
    test::TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    auto write = [&](ArticleBlock5& b, bool) {
        store->writeLongText(LongText{"1-" + b.number, "1", {"a"}});
    };
    constexpr auto kArticle = ArticleBlock5::Kind::Article;
    {
        BlockBatch5 batch(
            *store, write, [](const DatabaseError&) {}, 3);
        batch.add(block("a1", kArticle));
        batch.add(block("t1"));
        batch.add(block("g1", ArticleBlock5::Kind::Graphics));  // full, yet no commit
        EXPECT_EQ(batch.pending(), 3u);
        batch.add(block("a2", kArticle));  // the batch before it committed
        EXPECT_EQ(batch.pending(), 1u);
        for (const char* n : {"t3", "t4"}) batch.add(block(n));
        EXPECT_EQ(batch.pending(), 3u);
        batch.add(block("t5"));  // three texts in a row: committed
        EXPECT_EQ(batch.pending(), 0u);
        batch.add(block("t6"));  // never committed
    }
    for (const char* key : {"1-a1", "1-t1", "1-g1", "1-a2", "1-t3", "1-t4", "1-t5"})
        EXPECT_TRUE(store->longTextExists(key, "1")) << key;
    EXPECT_FALSE(store->longTextExists("1-t6", "1"));
}

}  // namespace
}  // namespace dn
