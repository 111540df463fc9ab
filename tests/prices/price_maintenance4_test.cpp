// The DATANORM 4 price maintenance: discount factors, the per-article rule
// over price flags and modes, the dialog's refusals and a whole run.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

#include "common/change_log.h"
#include "features/prices/maintain_price4.h"
#include "features/prices/price_form4.h"
#include "support/import4_fixture.h"

namespace dn::test {
namespace {

// The repriced article straight into the store, as the command's batch writes it.
PricedArticleSink writeTo(HostStore& st) {
    return [&st](ArticleRecord&& a) { st.writeArticle(a); };
}

DiscountPair4 pair(char flag, const char* value) {
    return DiscountPair4{flag, value};
}

TEST(DiscountFactor4, ByFlag) {
    const struct {
        int index;
        DiscountPair4 p;
        std::optional<double> factor;
    } cases[] = {
        {0, pair('1', "2500"), 0.75}, {0, pair('2', "0850"), 0.85},
        {0, pair('3', "0500"), 1.05}, {1, pair('\0', ""), 1.0},
        {2, pair(' ', "    "), 1.0},  {0, pair('0', "RG1 "), 0.6},
        {1, pair('0', "RG1 "), 1.0},  {0, pair('9', "0100"), std::nullopt},
    };
    auto group = [](const std::string&) { return 0.6; };
    for (const auto& c : cases) {
        auto f = DiscountFactor(c.index, c.p, group);
        ASSERT_EQ(f.has_value(), c.factor.has_value()) << c.p.flag;
        if (f) EXPECT_NEAR(*f, *c.factor, 1e-12) << c.p.flag << c.p.value;
    }
}

TEST(PriceBlock4, BlocksOfARecord) {
    std::string rec = "PA";
    rec += std::string("ART1           ") + "1" + "00012345" + "1" + "2500" + "2" + "0850" + "3" +
           "0500";
    rec.resize(128, '\0');
    const PriceBlock4 b = priceBlockOf(rec, 1);
    EXPECT_EQ(b.articleNumber, "ART1           ");
    EXPECT_EQ(b.priceFlag, '1');
    EXPECT_EQ(b.price, "00012345");
    EXPECT_EQ(b.pairs[2].flag, '3');
    EXPECT_EQ(b.pairs[2].value, "0500");
    EXPECT_FALSE(priceBlockOf(rec, 2).hasArticle());
}

// The flag/mode matrix on one stored article: EK 50, VK 100, list 120,
// price unit 1; the block brings 80.00 with a 10 % discount (factor 0.9).
struct MatrixCase {
    const char* name;
    char flag;
    int purchaseMode;
    int salesMode;
    const char* price;
    bool netZeroUsesList;
    bool takeFactory;
    double ek;
    double vk;
    const char* storedFlag;
};

class PriceMatrix : public Import4Test, public ::testing::WithParamInterface<MatrixCase> {};

TEST_P(PriceMatrix, NewPrices) {
    const MatrixCase& c = GetParam();
    ArticleRecord a;
    a.key = "1-ART";
    a.priceflag = "1";
    a.purchaseprice = 50;
    a.salesprice = 100;
    a.listprice = 120;
    a.discountgroup = "RG1";
    store().writeArticle(a);
    addGroup("RG1", "1", 25);
    session->settings.NetZeroUsesListPrice = c.netZeroUsesList;
    session->settings.TakeFactoryPrices = c.takeFactory;
    PriceBlock4 block;
    block.articleNumber = "ART";
    block.priceFlag = c.flag;
    block.price = c.price;
    block.pairs[0] = pair('1', "1000");
    MaintainArticlePrice(*session, PriceModes{c.purchaseMode, c.salesMode}, block, true,
                         writeTo(store()));
    auto after = store().readArticle("1-ART");
    ASSERT_TRUE(after);
    EXPECT_DOUBLE_EQ(after->purchaseprice, c.ek) << c.name;
    EXPECT_DOUBLE_EQ(after->salesprice, c.vk) << c.name;
    EXPECT_EQ(after->priceflag, c.storedFlag) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Maintain4, PriceMatrix,
    ::testing::Values(
        MatrixCase{"gross_take_both", '1', 0, 0, "00008000", false, true, 72, 80, "1"},
        MatrixCase{"gross_keep_vk", '1', 0, 2, "00008000", false, true, 90, 100, "1"},
        MatrixCase{"gross_keep_ek", '1', 1, 0, "00008000", false, true, 50, 80, "1"},
        MatrixCase{"gross_old_surcharge", '1', 0, 1, "00008000", false, true, 72, 144, "4"},
        MatrixCase{"net_take", '2', 0, 0, "00008000", false, true, 72, 100, "2"},
        MatrixCase{"net_keep", '2', 1, 0, "00008000", false, true, 50, 100, "2"},
        MatrixCase{"net_zero", '2', 0, 0, "00000000", false, true, 0, 100, "2"},
        MatrixCase{"net_zero_list", '2', 0, 0, "00000000", true, true, 90, 100, "2"},
        MatrixCase{"net_old_surcharge", '2', 0, 1, "00008000", false, true, 72, 144, "4"},
        MatrixCase{"net_zero_list_old_surcharge", '2', 0, 1, "00000000", true, true, 90, 180, "4"},
        MatrixCase{"factory_take", '3', 0, 0, "00008000", false, true, 72, 100, "3"},
        MatrixCase{"factory_old_surcharge", '3', 0, 1, "00008000", false, true, 72, 144, "3"},
        MatrixCase{"factory_off_old_surcharge", '3', 0, 1, "00008000", false, false, 50, 100, "3"},
        MatrixCase{"factory_off", '3', 0, 0, "00008000", false, false, 50, 100, "3"},
        MatrixCase{"unknown_flag", '7', 0, 0, "00008000", false, true, 50, 100, "7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Import4Test, OldSurchargeOfZeroEkGivesVkEqualToEk) {
    ArticleRecord a;
    a.key = "1-ART";
    a.salesprice = 100;
    store().writeArticle(a);
    PriceBlock4 block{"ART", '1', "00002000", {}};
    MaintainArticlePrice(*session, PriceModes{0, 1}, block, true, writeTo(store()));
    EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->purchaseprice, 20);
    EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->salesprice, 20);
}

// Sales mode 1 keeps the old markup: the group's sales surcharge does not
// replace it, and a block without a price changes nothing.
TEST_F(Import4Test, OldSurchargeHoldsOverTheGroupSurcharge) {
    ArticleRecord a;
    a.key = "1-ART";
    a.purchaseprice = 50;
    a.salesprice = 100;
    a.discountgroup = "RG1";
    store().writeArticle(a);
    addGroup("RG1", "1", 25, 10);
    PriceBlock4 block{"ART", '1', "00008000", {}};
    block.pairs[0] = pair('1', "1000");
    MaintainArticlePrice(*session, PriceModes{0, 1}, block, true, writeTo(store()));
    EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->purchaseprice, 72);
    EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->salesprice, 144);
    MaintainArticlePrice(*session, PriceModes{0, 0}, block, true, writeTo(store()));
    EXPECT_NEAR(store().readArticle("1-ART")->salesprice, 79.2, 1e-9);  // mode 0: EK + 10 %

    session->PrintProtocol = true;
    for (const char* price : {"", "        "}) {
        block.price = price;
        MaintainArticlePrice(*session, PriceModes{0, 1}, block, true, writeTo(store()));
        EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->purchaseprice, 72);
        EXPECT_NEAR(store().readArticle("1-ART")->salesprice, 79.2, 1e-9);
    }
    EXPECT_TRUE(printed("  Kein Preis angegeben, Preise unverändert"));
}

TEST_F(Import4Test, InvalidDiscountFlagSkipsTheArticle) {
    ArticleRecord a;
    a.key = "1-ART";
    a.purchaseprice = 5;
    store().writeArticle(a);
    session->PrintProtocol = true;
    PriceBlock4 block{"ART", '1', "00002000", {}};
    block.pairs[1] = pair('8', "0100");
    MaintainArticlePrice(*session, PriceModes{}, block, true, writeTo(store()));
    EXPECT_TRUE(host.printedSomething("  Ungültiges Rabattkennzeichen:8"));
    EXPECT_DOUBLE_EQ(store().readArticle("1-ART")->purchaseprice, 5);
}

TEST_F(Import4Test, DialogRefusesSenselessModes) {
    const struct {
        const char* ek;
        const char* vk;
        const char* message;
    } cases[] = {{"1", "2", kMsgNoPriceTakeOver}, {"1", "1", kMsgNoPurchaseTakeOver}};
    for (const auto& c : cases) {
        host.messages.clear();
        host.forms.push_back(FormScript{"TPFLEGEDISKETTE", {{102, c.ek}, {103, c.vk}}, {}});
        PriceModes modes;
        EXPECT_FALSE(AskPriceModes(*session, modes, 1));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], c.message);
    }
}

TEST_F(Import4Test, PriceMaintenanceRun) {
    ArticleRecord a;
    a.key = "1-ART1";
    a.salesprice = 10;
    store().writeArticle(a);
    const std::string file = writeDelivery(
        "datpreis.001", {dn4Header(), "K;;0815;", "C;;TERMIN-1;01082025;",
                         "P;A;ART1;1;00008000;1;2500;;;;;MISSING;1;100;;;;;;;;;;;;;;;;",
                         "P;X;ART1;1;1;;;;;;;", "Q;A;;"});
    host.forms.push_back(FormScript{"TPFLEGEDISKETTE", {{104, "1"}}, {}});
    session->PriceFilePath = file;
    session->OnlineImportStatus = "0";
    ASSERT_EQ(PriceMaintenance4(*session, 1), CommandOutcome::Done);
    auto art = store().readArticle("1-ART1");
    EXPECT_DOUBLE_EQ(art->salesprice, 80);
    EXPECT_DOUBLE_EQ(art->purchaseprice, 60);
    EXPECT_EQ(art->changedate, toDayNumber(Date{2025, 8, 1}));
    EXPECT_EQ(session->TodayDate, session->host.today);
    for (const char* line :
         {"Einstellungen für Preisbildung EK und VK:", "Kundennummer: 0815      ",
          "Erstellungsdatum : 16.10.25", "C-Termin-1: 01082025", "Artikel: ART1",
          "  Faktor1 =  0.75  Faktor2 =  1.00  Faktor3 =  1.00  Gesamtfaktor =  0.75",
          "  Nicht gefunden ", "Ungültiges Verarbeitungskennzeichen:X",
          "Ungültiges Satzkennzeichen: Q"})
        EXPECT_TRUE(printed(line)) << line;
    EXPECT_EQ(session->OnlineImportStatus, "1");
    EXPECT_NE(ReadChangeLog(*session)->find("4 Preispflege"), std::string::npos);
}

// A price write the store refuses is reported and only that article keeps
// its old prices; the articles of the same batch before and after it and
// those of the next record get theirs, whatever the batch size.
TEST_F(Import4Test, RefusedPriceWriteLeavesOnlyThatArticleOut) {
    for (const char* size : {"1", "2", "100"}) {
        SCOPED_TRACE(size);
        writeFile(session->dir(kSystemDir) / "flag.dat", std::string("/tp=") + size + "\r\n");
        for (const char* n : {"1-A1", "1-A2", "1-A3", "1-A4"}) {
            ArticleRecord a;
            a.key = n;
            a.salesprice = 10;
            store().writeArticle(a);
        }
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(session->storeFile().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TRIGGER IF NOT EXISTS sperre BEFORE INSERT ON article WHEN "
                               "NEW.key = '1-A3' AND NEW.salesprice = 80 BEGIN SELECT "
                               "RAISE(ABORT, 'Artikel gesperrt'); END;",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        auto block = [](const std::string& n) { return n + ";1;00008000;;;;;;;"; };
        const std::string file = writeDelivery(
            "datpreis.001",
            {dn4Header(), "P;A;" + block("A1") + block("A2") + block("A3"), "P;A;" + block("A4")});
        host.forms.push_back(FormScript{"TPFLEGEDISKETTE", {{104, "1"}}, {}});
        host.messages.clear();
        session->PriceFilePath = file;
        EXPECT_EQ(PriceMaintenance4(*session, 1), CommandOutcome::DatabaseFailure);
        for (const char* n : {"1-A1", "1-A2", "1-A4"})
            EXPECT_DOUBLE_EQ(store().readArticle(n)->salesprice, 80) << n;
        EXPECT_DOUBLE_EQ(store().readArticle("1-A3")->salesprice, 10);
        EXPECT_EQ(std::count_if(host.messages.begin(), host.messages.end(),
                                [](const std::string& m) {
                                    return m.find("Artikel gesperrt") != std::string::npos;
                                }),
                  1);
        EXPECT_FALSE(ReadChangeLog(*session));
    }
}

}  // namespace
}  // namespace dn::test
