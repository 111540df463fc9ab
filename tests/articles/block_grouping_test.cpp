// The lines of an article file reaching their article: C, D and Z lines in
// any order around the A line and the T and G blocks of its number, lines
// without article or without key, A lines that delete, and the surcharge
// amounts of a DM delivery.

#include <gtest/gtest.h>

#include "support/import_fixture5.h"

namespace dn {
namespace {

using test::ImportFixture5;

const std::string kA = "A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;";
const std::string kC = "C;N;ARBA;4711;;2;150;;";
const std::string kD = "D;N;4711;01;1;Beschreibung;;";
const std::string kZ = "Z;N;4711;01;1;Staffel;Staffel;1;+;2;1;626;;1;45;899;";
const std::string kT = "T;N;4711;1;01;Langtext;";
const std::string kG = "G;N;4711;01;BI;BILD;JPG;Foto;";

struct OrderCase {
    const char* name;
    std::vector<std::string> lines;
};

class LineOrderTest : public ImportFixture5, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(LineOrderTest, EveryLineReachesItsArticle) {
    ASSERT_EQ(import(GetParam().lines, {{105, "1"}}), CommandOutcome::Done);
    EXPECT_EQ(article("1-4711").shorttext1, "Rohr");
    EXPECT_DOUBLE_EQ(article("1-4711").assemblyminutes, 15.0);
    EXPECT_EQ(store().readDRecords("1-4711").size(), 1u);
    EXPECT_EQ(store().readZBlob("1-4711").size(), 1u);
    EXPECT_TRUE(store().longTextExists("1-4711", "1"));
    EXPECT_TRUE(store().longTextExists("1-4711", "3"));
    EXPECT_TRUE(store().articleExists("1-4712"));
    EXPECT_FALSE(host.printedSomething("ohne Artikel"));
    EXPECT_EQ(lastMessage(),
              "2 Artikel und 1 Langtexte nach TORVALO übernommen!\n\n0 Artikel gelöscht!\n\n0 "
              "Artikel umbenannt!");
}

const std::string kA2 = "A;N;4712;Muffe;;;2;1;100;;;;;;;;;;;;;;;;;;;;";

INSTANTIATE_TEST_SUITE_P(
    Orders, LineOrderTest,
    ::testing::Values(OrderCase{"ACDZ", {kA, kC, kD, kZ, kT, kG, kA2}},
                      OrderCase{"CZDBeforeA", {kC, kZ, kD, kA, kG, kT, kA2}},
                      OrderCase{"AcrossTheTextBlocks", {kA, kT, kD, kG, kZ, kC, kA2}},
                      OrderCase{"TextsFirst", {kT, kG, kZ, kA, kD, kC, kA2}},
                      OrderCase{"CalculationAndTextsAtTheEnd", {kA, kZ, kD, kA2, kC, kT, kG}}),
    [](const auto& info) { return std::string(info.param.name); });

// A D or Z line after its article's block has ended has no article: it is
// reported with its line (the header is line 1).
TEST_F(ImportFixture5, DAndZLinesWithoutArticleAreReported) {
    ASSERT_EQ(import({kA, kA2, "D;N;4711;01;1;Text;;", "Z;N;4711;01;1;S;S;1;+;2;1;626;;1;45;899;",
                      "T;N;4713;1;01;Text;", "D;N;4713;01;1;Text;;"},
                     {{105, "1"}}),
              CommandOutcome::Done);
    EXPECT_TRUE(store().readDRecords("1-4711").empty());
    EXPECT_TRUE(store().readZBlob("1-4711").empty());
    EXPECT_TRUE(store().readDRecords("1-4713").empty());
    EXPECT_TRUE(store().longTextExists("1-4713", "1"));
    EXPECT_TRUE(
        host.printedSomething("Fehler: D-Satz ohne Artikel in Zeile 4 übergangen: \"1-4711\""));
    EXPECT_TRUE(
        host.printedSomething("Fehler: Z-Satz ohne Artikel in Zeile 5 übergangen: \"1-4711\""));
    EXPECT_TRUE(
        host.printedSomething("Fehler: D-Satz ohne Artikel in Zeile 7 übergangen: \"1-4713\""));
}

TEST_F(ImportFixture5, CalculationLineOutsideItsBlockActsOnTheStoredArticle) {
    ASSERT_EQ(import({kA}), CommandOutcome::Done);
    ASSERT_EQ(import({kA2, "C;N;ARBA;4711;;2;300;;", "C;N;ARBS;4711;;2;100;Montage;"}),
              CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(article("1-4711").assemblyminutes, 30.0);
    EXPECT_EQ(article("1-4711").extralines, (std::vector<std::string>{"C50 10.000Montage"}));
}

struct BlankKeyCase {
    const char* name;
    std::string line;
    std::string protocol;
};

class BlankKeyTest : public ImportFixture5, public ::testing::WithParamInterface<BlankKeyCase> {};

// A record whose key is blank would name the article or text "1-": it is
// reported with its line and left out.
TEST_P(BlankKeyTest, LeavesThePrefixAloneUntouched) {
    ASSERT_EQ(import({kA, GetParam().line, kA2}, {{105, "1"}}), CommandOutcome::Done);
    EXPECT_FALSE(store().articleExists("1-"));
    EXPECT_FALSE(store().longTextExists("1-", "1"));
    EXPECT_FALSE(store().longTextExists("1-", "3"));
    EXPECT_TRUE(host.printedSomething(GetParam().protocol)) << GetParam().protocol;
    EXPECT_TRUE(store().articleExists("1-4711"));
    EXPECT_TRUE(store().articleExists("1-4712"));
}

INSTANTIATE_TEST_SUITE_P(
    Records, BlankKeyTest,
    ::testing::Values(BlankKeyCase{"A", "A;N;;Leer;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
                                   "Fehler: A-Satz ohne Artikelnummer in Zeile 3 übergangen!"},
                      BlankKeyCase{"ABlanks", "A;A;   ;Leer;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
                                   "Fehler: A-Satz ohne Artikelnummer in Zeile 3"},
                      BlankKeyCase{"ADelete", "A;L;;;;;;;;;;;;;;;;;;;;;;;;;;;;",
                                   "Fehler: A-Satz ohne Artikelnummer in Zeile 3"},
                      BlankKeyCase{"B", "B;A;;4800;;",
                                   "Fehler: B-Satz ohne Artikelnummer in Zeile 3 übergangen!"},
                      BlankKeyCase{"C", "C;N;ARBA;;;2;150;;",
                                   "Fehler: C-Satz ohne Artikelnummer in Zeile 3 übergangen!"},
                      BlankKeyCase{"D", "D;N;;01;1;Text;;",
                                   "Fehler: D-Satz ohne Artikelnummer in Zeile 3 übergangen!"},
                      BlankKeyCase{"Z", "Z;N; ;01;1;S;S;1;+;2;1;626;;1;45;899;",
                                   "Fehler: Z-Satz ohne Artikelnummer in Zeile 3"},
                      BlankKeyCase{"T", "T;N;;1;01;Text;",
                                   "Fehler: T-Satz ohne Textnummer in Zeile 3 übergangen!"},
                      BlankKeyCase{"G", "G;N;  ;01;BI;BILD;JPG;Foto;",
                                   "Fehler: G-Satz ohne Grafiknummer in Zeile 3 übergangen!"}),
    [](const auto& info) { return std::string(info.param.name); });

// A blank B "L" must not delete an article that another program left
// under the prefix alone.
TEST_F(ImportFixture5, BlankDeletionLeavesThePrefixArticle) {
    ArticleRecord phantom;
    phantom.key = "1-";
    phantom.shorttext1 = "Bestand";
    store().writeArticle(phantom);
    ASSERT_EQ(import({"B;L;;;;", "A;L;;;;;;;;;;;;;;;;;;;;;;;;;;;;", "C;N;ARBA;;;2;150;;"}),
              CommandOutcome::Done);
    EXPECT_EQ(article("1-").shorttext1, "Bestand");
    EXPECT_DOUBLE_EQ(article("1-").assemblyminutes, 0.0);
    EXPECT_NE(lastMessage().find("0 Artikel gelöscht!"), std::string::npos);
}

struct ArticleDeletionCase {
    int mode;
    bool exists;
};

class ArticleDeletionTest : public ImportFixture5,
                            public ::testing::WithParamInterface<ArticleDeletionCase> {};

TEST_P(ArticleDeletionTest, ALineWithFlagLDeletes) {
    ASSERT_EQ(import({kA, kD}), CommandOutcome::Done);
    session->settings.DeletedArticleMode = GetParam().mode;
    ASSERT_EQ(
        import({"A;L;4711;Rohr neu;Zweite;;2;1;999;;;;;;;;;;;;;;;;;;;;", kD, kA2}, {{105, "1"}}),
        CommandOutcome::Done);
    EXPECT_EQ(store().articleExists("1-4711"), GetParam().exists);
    if (GetParam().exists) {
        EXPECT_EQ(article("1-4711").shorttext1, "Rohr");  // not changed by the A line
        EXPECT_EQ(article("1-4711").shorttext2, "*** Artikel gelöscht ***");
    }
    EXPECT_TRUE(host.printedSomething("A-Satz Löschung:"));
    EXPECT_TRUE(host.printedSomething("Artikel \"1-4711\" gelöscht!"));
    EXPECT_TRUE(
        host.printedSomething("Fehler: D-Satz ohne Artikel in Zeile 3 übergangen: \"1-4711\""));
    EXPECT_EQ(lastMessage(),
              "1 Artikel und 0 Langtexte nach TORVALO übernommen!\n\n1 Artikel gelöscht!\n\n0 "
              "Artikel umbenannt!");
}

INSTANTIATE_TEST_SUITE_P(Modes, ArticleDeletionTest,
                         ::testing::Values(ArticleDeletionCase{0, false},
                                           ArticleDeletionCase{1, true}));

// A DM delivery: the surcharge amounts are turned into euro like the price
// (195583 DM cents are 1000.00 euro); the other numbers stay as they are.
TEST_F(ImportFixture5, SurchargeAmountsOfADmDeliveryInEuro) {
    ASSERT_EQ(import({"V;050;A;20010131;DEM;Test;Test GmbH;TST;;;;;;;;",
                      "A;N;4711;Kabel;;;1;1;195583;;;;;;;;;;;;;;;;;;;;",
                      "Z;N;4711;01;1;Staffel;Staffel;1;+;2;1;195583;;1;45;899;",
                      "Z;N;4711;02;1;Staffel;Staffel;3;+;2;1;195583;;1;45;899;",
                      "Z;N;4711;03;2;AB;2;+;2;1;195583;45;899;;;;"},
                     {}, false),
              CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(article("1-4711").salesprice, 1000.0);
    const auto z = store().readZBlob("1-4711");
    ASSERT_EQ(z.size(), 3u);
    // "50", fields 4 to 11 of subtype 1 (2+1+40+40+1+1+1+6), then field 12.
    EXPECT_EQ(z[0].substr(2 + 92, 10), "    100000");
    EXPECT_EQ(z[1].substr(2 + 92, 10), "195583    ");  // field 8 "3": no amount
    // Subtype 2: fields 4 to 10 (2+1+2+1+1+1+6), then field 11.
    EXPECT_EQ(z[2].substr(2 + 14, 10), "    100000");
    EXPECT_EQ(z[2].substr(2 + 24, 16), "      45     899");  // fields 12, 13
}

}  // namespace
}  // namespace dn
