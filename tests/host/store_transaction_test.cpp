#include "host/store_transaction.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/errors.h"
#include "store_fixture.h"

namespace dn::test {
namespace {

using StoreTransactionTest = StoreTest;

TEST_F(StoreTransactionTest, CommitKeepsAndRollbackDrops) {
    EXPECT_FALSE(store_->inTransaction());
    store_->StartTransaction();
    EXPECT_TRUE(store_->inTransaction());
    EXPECT_THROW(store_->StartTransaction(), DatabaseError);
    store_->writeArticle(article("1-1"));
    store_->Commit();
    EXPECT_FALSE(store_->inTransaction());
    EXPECT_THROW(store_->Commit(), DatabaseError);

    store_->StartTransaction();
    store_->writeArticle(article("1-2"));
    store_->writeLongText({"1-2", "1", {"x"}});
    store_->Rollback();
    store_->Rollback();  // nothing open: nothing happens
    EXPECT_TRUE(store_->articleExists("1-1"));
    EXPECT_FALSE(store_->articleExists("1-2"));
    EXPECT_FALSE(store_->longTextExists("1-2", "1"));

    // What was committed survives closing and reopening the file.
    store_.reset();
    store_ = open();
    EXPECT_TRUE(store_->articleExists("1-1"));
}

TEST_F(StoreTransactionTest, RaiiTransactionRollsBackUnlessCommitted) {
    try {
        StoreTransaction t(*store_);
        store_->writeArticle(article("1-1"));
        throw std::runtime_error("Abbruch");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(store_->inTransaction());
    EXPECT_FALSE(store_->articleExists("1-1"));
    {
        StoreTransaction t(*store_);
        store_->writeArticle(article("1-2"));
        t.commit();
    }
    EXPECT_TRUE(store_->articleExists("1-2"));
}

TEST_F(StoreTransactionTest, SavepointRollbackLeavesNothingBehind) {
    StoreTransaction t(*store_);
    store_->writeArticle(article("1-1", "vorher"));
    {
        StoreSavepoint outer(*store_);
        store_->writeArticle(article("1-2"));
        {
            StoreSavepoint inner(*store_);
            store_->writeArticle(article("1-1", "nachher"));
            store_->writeDRecords("1-1", {{"01", "A", "D", ""}});
            store_->writeLongText({"1-1", "1", {"Langtext"}});
            store_->writeService({"1-S", "1", "", "", "", "", 0, 0, 0, {{"1-1", 1}}});
        }  // rolled back
        outer.release();
    }
    t.commit();
    EXPECT_EQ(store_->readArticle("1-1")->shorttext1, "vorher");
    EXPECT_TRUE(store_->articleExists("1-2"));
    EXPECT_TRUE(store_->readDRecords("1-1").empty());
    EXPECT_FALSE(store_->longTextExists("1-1", "1"));
    EXPECT_FALSE(store_->readService("1-S"));
}

}  // namespace
}  // namespace dn::test
