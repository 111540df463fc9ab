// Blocks in large transactions: a failed block is missing, the others of
// its batch are written again and kept.

#include <gtest/gtest.h>

#include "dn5/block_batch5.h"
#include "host/errors.h"
#include "host/store.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

ArticleBlock5 block(const std::string& number) {
    ArticleBlock5 b;
    b.kind = ArticleBlock5::Kind::Text;
    b.number = number;
    return b;
}

TEST(BlockBatch5, FailedBlockIsAbsentAndTheRestOfTheBatchStays) {
    test::TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    std::vector<std::string> written;
    std::vector<std::string> errors;
    auto write = [&](ArticleBlock5& b, bool replay, const ArticleBlock5*) {
        written.push_back(b.number + (replay ? " again" : ""));
        store->writeLongText(LongText{"1-" + b.number, "1", {"a"}});
        store->writeLongText(LongText{"1-" + b.number, "2", {"b"}});
        if (b.number == "bad" && !replay) throw DatabaseError("Langtext schreiben: disk I/O error");
    };
    {
        BlockBatch5 batch(*store, write, [&](const DatabaseError& e) { errors.push_back(e.what()); }, 3);
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

}  // namespace
}  // namespace dn
