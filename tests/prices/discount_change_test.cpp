// Command 42: prices of the supplier's articles after a discount change.

#include "features/prices/discount_change.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/import4_fixture.h"

namespace dn::test {
namespace {

struct ChangeCase {
    const char* name;
    const char* purchase;
    const char* sales;
    double ek;
    double vk;
};

// Article: EK 60, VK 100 (old surcharge 66.67 %), list price 200; group
// RG1: 30 % discount, 10 % sales surcharge.
class DiscountChange : public Import4Test, public ::testing::WithParamInterface<ChangeCase> {
  protected:
    void writeArticle(const std::string& key, double ek, double vk) {
        ArticleRecord a;
        a.key = key;
        a.purchaseprice = ek;
        a.salesprice = vk;
        a.listprice = 200;
        a.discountgroup = "RG1";
        store().writeArticle(a);
    }
};

TEST_P(DiscountChange, Reprices) {
    const ChangeCase& c = GetParam();
    session->settings.TakeListPrice = true;
    addGroup("RG1", "1", 30, 10);
    writeArticle("1-A", 60, 100);
    writeArticle("10-A", 60, 100);
    host.forms.push_back(FormScript{"TRABATTAENDERN", {{102, c.purchase}, {103, c.sales}}, {}});
    ASSERT_EQ(PricesAfterDiscountChange(*session), CommandOutcome::Done);
    auto a = store().readArticle("1-A");
    EXPECT_DOUBLE_EQ(a->purchaseprice, c.ek) << c.name;
    EXPECT_DOUBLE_EQ(a->salesprice, c.vk) << c.name;
    // Another supplier's keys sort right after the prefix and stay as they are.
    EXPECT_DOUBLE_EQ(store().readArticle("10-A")->purchaseprice, 60);
}

INSTANTIATE_TEST_SUITE_P(
    Change, DiscountChange,
    ::testing::Values(ChangeCase{"nothing", "0", "0", 60, 100},
                      ChangeCase{"ek_from_vk", "1", "0", 70, 100},
                      ChangeCase{"ek_from_list", "2", "0", 140, 100},
                      ChangeCase{"ek_from_vk_old_surcharge", "1", "1", 70, 116.67},
                      ChangeCase{"ek_from_list_group_surcharge", "2", "2", 140, 154},
                      ChangeCase{"keep_ek_group_surcharge", "0", "2", 60, 66}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Import4Test, ZeroEkKeepsOldSurchargeZero) {
    ArticleRecord a;
    a.key = "1-Z";
    a.salesprice = 100;
    a.discountgroup = "RG1";
    store().writeArticle(a);
    addGroup("RG1", "1", 30);
    session->settings.TakeListPrice = true;
    host.forms.push_back(FormScript{"TRABATTAENDERN", {{102, "1"}, {103, "1"}}, {}});
    ASSERT_EQ(PricesAfterDiscountChange(*session), CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(store().readArticle("1-Z")->purchaseprice, 70);
    EXPECT_DOUBLE_EQ(store().readArticle("1-Z")->salesprice, 70);
}

// A write the store refuses is reported and only that article keeps its
// old prices; the run goes on and ends as one the store failed under.
TEST_F(Import4Test, RefusedWriteLeavesOnlyThatArticleOut) {
    for (const char* size : {"1", "2", "100"}) {
        SCOPED_TRACE(size);
        writeFile(session->dir(kSystemDir) / "flag.dat", std::string("/tp=") + size + "\r\n");
        session->settings.TakeListPrice = true;
        addGroup("RG1", "1", 30, 10);
        for (const char* n : {"1-A", "1-B", "1-C"}) {
            ArticleRecord a;
            a.key = n;
            a.purchaseprice = 60;
            a.salesprice = 100;
            a.discountgroup = "RG1";
            store().writeArticle(a);
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(session->storeFile().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TRIGGER IF NOT EXISTS sperre BEFORE INSERT ON article WHEN "
                               "NEW.key = '1-B' AND NEW.purchaseprice = 70 BEGIN SELECT "
                               "RAISE(ABORT, 'Artikel gesperrt'); END;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        host.messages.clear();
        host.forms.push_back(FormScript{"TRABATTAENDERN", {{102, "1"}, {103, "0"}}, {}});
        EXPECT_EQ(PricesAfterDiscountChange(*session), CommandOutcome::DatabaseFailure);
        EXPECT_DOUBLE_EQ(store().readArticle("1-A")->purchaseprice, 70);
        EXPECT_DOUBLE_EQ(store().readArticle("1-B")->purchaseprice, 60);
        EXPECT_DOUBLE_EQ(store().readArticle("1-C")->purchaseprice, 70);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].find("Artikel gesperrt"), std::string::npos) << host.messages[0];
    }
}

TEST_F(Import4Test, ListPriceQuestionReturnsToTheDialog) {
    session->settings.TakeListPrice = false;
    host.answers = {false};
    host.forms.push_back(FormScript{"TRABATTAENDERN", {{103, "1"}}, {}});
    EXPECT_EQ(PricesAfterDiscountChange(*session), CommandOutcome::Cancelled);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], kMsgListPriceQuestion);
}

}  // namespace
}  // namespace dn::test
