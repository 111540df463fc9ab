// The A record through the field mapping of the article import.

#include <gtest/gtest.h>

#include "features/articles/article_block5.h"
#include "support/import_fixture5.h"

namespace dn {
namespace {

using test::ImportFixture5;

struct MappingCase {
    const char* name;
    std::vector<std::string> before;  // lines imported first (may be empty)
    std::string line;                 // the A record under test
    bool replaceUnits;
    ArticleRecord expected;  // the columns checked below
};

ArticleRecord expect(std::string st1, std::string st2, std::string unit, std::string match,
                     int unitQty, double ek, double vk, std::string group, std::string gkey,
                     int a21, std::string a23) {
    ArticleRecord r;
    r.shorttext1 = std::move(st1);
    r.shorttext2 = std::move(st2);
    r.unit = std::move(unit);
    r.matchcode = std::move(match);
    r.priceunit = unitQty;
    r.purchaseprice = ek;
    r.salesprice = vk;
    r.discountgroup = std::move(group);
    r.graphickey = std::move(gkey);
    r.attr21 = a21;
    r.attr23 = std::move(a23);
    return r;
}

class ArticleMappingTest : public ImportFixture5,
                           public ::testing::WithParamInterface<MappingCase> {};

TEST_P(ArticleMappingTest, ColumnsFollowTheMapping) {
    const MappingCase& c = GetParam();
    session->settings.ReplaceUnits = c.replaceUnits;
    if (!c.before.empty()) ASSERT_EQ(import(c.before), CommandOutcome::Done);
    ASSERT_EQ(import({c.line}), CommandOutcome::Done);
    const ArticleRecord a = article("1-4711");
    const ArticleRecord& e = c.expected;
    EXPECT_EQ(a.shorttext1, e.shorttext1);
    EXPECT_EQ(a.shorttext2, e.shorttext2);
    EXPECT_EQ(a.unit, e.unit);
    EXPECT_EQ(a.matchcode, e.matchcode);
    EXPECT_EQ(a.priceunit, e.priceunit);
    EXPECT_DOUBLE_EQ(a.purchaseprice, e.purchaseprice);
    EXPECT_DOUBLE_EQ(a.salesprice, e.salesprice);
    EXPECT_EQ(a.discountgroup, e.discountgroup);
    EXPECT_EQ(a.graphickey, e.graphickey);
    EXPECT_EQ(a.attr21, e.attr21);
    EXPECT_EQ(a.attr23, e.attr23);
    EXPECT_EQ(a.attrzero, "0");
    EXPECT_EQ(a.priceflagsource, "1");
}

const std::string kFull =
    "A;N;4711;Kupferrohr 15 mm;Stange 5 m;MTR;2;1;1250;R1;W01;U1;KUPFER;;;;;;;BILD1;3;;7;;;;;;";

INSTANTIATE_TEST_SUITE_P(
    Cases, ArticleMappingTest,
    ::testing::Values(MappingCase{"NewFull",
                                  {},
                                  kFull,
                                  true,
                                  expect("Kupferrohr 15 mm", "Stange 5 m", "m   ", "KUPFER", 1,
                                         12.50, 0, "R1", "1-BILD1", 3, "7")},
                      MappingCase{"NewEmptyFieldsGetDefaults",
                                  {},
                                  "A;N;4711;Muffe Messing;;PCE;2;0;99;;;;;;;;;;;;;;;;;;;;",
                                  true,
                                  expect("Muffe Messing", "", "Stck", "muffe messing", 1, 0.99, 0,
                                         "", "", 1, "0")},
                      MappingCase{"UnitsKeptWithoutReplace",
                                  {},
                                  "A;N;4711;Muffe;;pce;2;1;99;;;;;;;;;;;;;;;;;;;;",
                                  false,
                                  expect("Muffe", "", "pce", "muffe", 1, 0.99, 0, "", "", 1, "0")},
                      MappingCase{"LowerCaseCodeReplaced",
                                  {},
                                  "A;N;4711;Muffe;;pce;2;1;99;;;;;;;;;;;;;;;;;;;;",
                                  true,
                                  expect("Muffe", "", "Stck", "muffe", 1, 0.99, 0, "", "", 1, "0")},
                      MappingCase{"UnknownCodeUpperCasedAndPadded",
                                  {},
                                  "A;N;4711;Muffe;;set;2;1;99;;;;;;;;;;;;;;;;;;;;",
                                  true,
                                  expect("Muffe", "", "SET ", "muffe", 1, 0.99, 0, "", "", 1, "0")},
                      MappingCase{"ChangeKeepsWhatIsEmpty",
                                  {kFull},
                                  "A;A;4711;;;;;;;;;;;;;;;;;;;;;;;;;;",
                                  true,
                                  expect(std::string(40, ' '), std::string(40, ' '), "m   ",
                                         "KUPFER", 1, 12.50, 0, "R1", "1-BILD1", 3, "7")},
                      MappingCase{"ChangeOfMissingKeyCreates",
                                  {},
                                  "A;A;4711;Neu;;STK;2;10;1000;;;;;;;;;;;;;;;;;;;;",
                                  true,
                                  expect("Neu", "", "STK ", "neu", 10, 1.00, 0, "", "", 1, "0")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportFixture5, NewRecordForExistingKeyOverwritesWithNote) {
    ASSERT_EQ(import({kFull}), CommandOutcome::Done);
    ASSERT_EQ(import({"A;N;4711;Anders;;;2;1;500;;;;;;;;;;;;;;;;;;;;"}, {{105, "1"}}),
              CommandOutcome::Done);
    EXPECT_TRUE(host.printedSomething("Hinweis: Artikel \"1-4711\" wird überschrieben"));
    EXPECT_EQ(article("1-4711").shorttext1, "Anders");
    EXPECT_DOUBLE_EQ(article("1-4711").purchaseprice, 5.00);
    EXPECT_EQ(lastMessage(),
              "1 Artikel und 0 Langtexte nach TORVALO übernommen!\n\n0 Artikel gelöscht!\n\n0 "
              "Artikel umbenannt!");
}

TEST_F(ImportFixture5, ChangeWithoutPriceFieldsKeepsPricesAndDate) {
    ASSERT_EQ(import({"A;N;4711;Rohr;;;2;1;1250;;;;;;;;;;;;;;;;;;;;"}), CommandOutcome::Done);
    ArticleRecord a = article("1-4711");
    a.changedate = 100;
    store().writeArticle(a);
    ASSERT_EQ(import({"A;A;4711;Rohr neu;;;2;;;;;;;;;;;;;;;;;;;;;"}), CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(article("1-4711").purchaseprice, 12.50);
    EXPECT_EQ(article("1-4711").changedate, 100);
    EXPECT_EQ(article("1-4711").shorttext1, "Rohr neu");
}

struct PriceCase {
    const char* name;
    std::string line;
    double ek;
    double vk;
};

class ArticlePriceImportTest : public ImportFixture5,
                               public ::testing::WithParamInterface<PriceCase> {};

TEST_P(ArticlePriceImportTest, PricesFromTheRecordAndItsGroup) {
    DiscountGroupRecord g;
    g.key = "1-R30";
    g.kennung = "1";
    g.wert = 30;
    store().writeDiscountGroup(g);
    g.key = "1-S10";
    g.wert = 0;
    g.salesSurcharge = 10;
    store().writeDiscountGroup(g);
    g.key = "1-K9";
    g.kennung = "9";
    g.salesSurcharge = 0;
    store().writeDiscountGroup(g);
    ASSERT_EQ(import({GetParam().line}), CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(article("1-4711").purchaseprice, GetParam().ek);
    EXPECT_DOUBLE_EQ(article("1-4711").salesprice, GetParam().vk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArticlePriceImportTest,
    ::testing::Values(PriceCase{"ListPriceUnit100Discount30",
                                "A;N;4711;R;;;1;100;123450;R30;;;;;;;;;;;;;;;;;;;", 8.65, 12.35},
                      PriceCase{"SurchargeOnGroup", "A;N;4711;R;;;1;1;10000;S10;;;;;;;;;;;;;;;;;;;",
                                100.00, 110.00},
                      PriceCase{"NetPriceUnitZeroCountsAsOne",
                                "A;N;4711;R;;;2;0;894;;;;;;;;;;;;;;;;;;;;", 8.94, 0},
                      PriceCase{"UnknownGroupKindGivesListPrice",
                                "A;N;4711;R;;;1;1;5000;K9;;;;;;;;;;;;;;;;;;;", 50.00, 50.00}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArticleTextRules5, Units) {
    struct Case {
        std::string in;
        bool replace;
        std::string out;
    };
    for (const Case& c : std::vector<Case>{{"MTK", true, "qm  "},
                                           {" pce ", true, "Stck"},
                                           {"KGM", true, "kg  "},
                                           {"XYZ", true, "XYZ "},
                                           {"pce", false, "pce"},
                                           {"", true, "    "}})
        EXPECT_EQ(dn5::ReplaceUnit5(c.in, c.replace), c.out) << c.in;
}

}  // namespace
}  // namespace dn
