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

// Fills the store with what a first import block leaves.
void firstBlock(HostStore& s) {
    StoreBlock block(s);
    auto a = article("5-1", "erster Block");
    a.salesprice = 10;
    s.writeArticle(a);
    s.writeArticleSide({"5-1", 3, "ALT", "", "", "", 0, "", 0, "", "", "", ""});
    s.writeDRecords("5-1", {{"01", "A", "D eins", ""}});
    s.writeZBlob("5-1", {"501"});
    s.writeLongText({"5-1", "1", {"Text eins"}});
    s.writeArticle(article("5-3", "bleibt"));
    DiscountGroupRecord g;
    g.key = "5-0047";
    s.writeDiscountGroup(g);
    s.addGraphicsIndexEntry({"5-1", "01", "a.jpg", ""});
    block.keep();
}

TEST_F(StoreTransactionTest, UndoneBlockLeavesNothingAndEarlierBlocksStay) {
    store_->StartTransaction();
    firstBlock(*store_);
    {
        StoreBlock block(*store_);
        auto a = article("5-1", "zweiter Block");
        a.salesprice = 20;
        store_->writeArticle(a);
        store_->writeArticle(a);  // the same row twice
        store_->writeDRecords("5-1", {});
        store_->writeZBlob("5-1", {"502", "503"});
        store_->writeLongText({"5-1", "1", {"Text zwei"}});
        store_->deleteLongText("5-1", "1");
        store_->writeArticle(article("5-2", "neu"));
        store_->deleteArticle("5-3");
        EXPECT_TRUE(store_->renameArticle("5-2", "5-4"));
        store_->setDiscountGroupMark("5-0047", true);
        store_->deleteDiscountGroups(KeyRange::prefix("5-"));
        store_->addGraphicsIndexEntry({"5-1", "02", "b.jpg", ""});
        store_->deleteGraphicsIndexOfPrefix("5-");
        store_->writeBom({"5-9", "Set", 1, {{"5-1", 1, "L"}}});
        // leaving the scope without keep() undoes the block
    }
    EXPECT_FALSE(store_->inBlock());
    EXPECT_TRUE(store_->inTransaction());
    store_->Commit();

    const auto a = store_->readArticle("5-1");
    EXPECT_EQ(a->shorttext1, "erster Block");
    EXPECT_EQ(a->salesprice, 10);
    EXPECT_EQ(store_->readArticleSide("5-1")->altarticleno, "ALT");
    EXPECT_EQ(store_->readDRecords("5-1").size(), 1u);
    EXPECT_EQ(store_->readZBlob("5-1"), std::vector<std::string>{"501"});
    EXPECT_EQ(store_->readLongText("5-1", "1")->lines, std::vector<std::string>{"Text eins"});
    EXPECT_FALSE(store_->articleExists("5-2"));
    EXPECT_FALSE(store_->articleExists("5-4"));
    EXPECT_EQ(store_->readArticle("5-3")->shorttext1, "bleibt");
    ASSERT_TRUE(store_->readDiscountGroup("5-0047"));
    EXPECT_FALSE(store_->readDiscountGroup("5-0047")->selektiert);
    const auto index = store_->readGraphicsIndex("5-");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].fileName, "a.jpg");
    EXPECT_FALSE(store_->readBom("5-9"));
    EXPECT_EQ(store_->countArticles(KeyRange::all()), 2u);
}

TEST_F(StoreTransactionTest, BlockRulesAndTheirEnd) {
    store_->StartTransaction();
    store_->beginBlock();
    EXPECT_THROW(store_->beginBlock(), DatabaseError);
    store_->writeArticle(article("1-1"));
    store_->endBlock();   // kept
    store_->undoBlock();  // no block open: nothing happens
    EXPECT_TRUE(store_->articleExists("1-1"));

    // A rollback ends the block; the journal is not replayed afterwards.
    store_->beginBlock();
    store_->writeArticle(article("1-2"));
    store_->Rollback();
    EXPECT_FALSE(store_->inBlock());
    EXPECT_FALSE(store_->articleExists("1-1"));

    // Outside a transaction the block still undoes its writes.
    store_->writeArticle(article("1-3", "alt"));
    {
        StoreBlock block(*store_);
        store_->writeArticle(article("1-3", "neu"));
        block.undo();
    }
    EXPECT_EQ(store_->readArticle("1-3")->shorttext1, "alt");
}

TEST_F(StoreTransactionTest, FailedWriteInsideABlockIsUndoneWithTheBlock) {
    store_->StartTransaction();
    try {
        StoreBlock block(*store_);
        store_->writeArticle(article("1-1"));
        store_->writeLongText({"1-1", "1", {"Text"}});
        ServiceRecord tooMany{"1-S", "", "", "", "", "", 0, 0, 0, {}};
        tooMany.rows.resize(kServiceRows + 1);
        store_->writeService(tooMany);
        block.keep();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Leistung schreiben: mehr als 213 Kalkulationszeilen (1-S)");
    }
    store_->Commit();
    EXPECT_FALSE(store_->articleExists("1-1"));
    EXPECT_FALSE(store_->longTextExists("1-1", "1"));
}

}  // namespace
}  // namespace dn::test
