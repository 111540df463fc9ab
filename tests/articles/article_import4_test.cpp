#include <algorithm>
// The DATANORM 4 article import: prices, pending-article grouping,
// deletions, number changes, text blocks, batches and faults.

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "common/input_file.h"
#include "common/line_rules.h"
#include "features/articles/import_options4.h"
#include "support/import4_fixture.h"

namespace dn::test {
namespace {

struct PriceCase {
    const char* name;
    const char* priceFlag;
    const char* unitCode;
    const char* price;
    const char* kind;  // group "G1": nullptr = no group
    double value;
    double surcharge;
    double ek;
    double vk;
};

class PriceCases : public Import4Test, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(PriceCases, PricesOfANewArticle) {
    const PriceCase& c = GetParam();
    if (c.kind) addGroup("G1", c.kind, c.value, c.surcharge);
    ALine a{.number = "4711",
            .priceFlag = c.priceFlag,
            .unitCode = c.unitCode,
            .price = c.price,
            .group = "G1"};
    ASSERT_EQ(import({dn4Header(), a.str()}), CommandOutcome::Done);
    auto art = store().readArticle("1-4711");
    ASSERT_TRUE(art);
    EXPECT_DOUBLE_EQ(art->purchaseprice, c.ek) << c.name;
    EXPECT_DOUBLE_EQ(art->salesprice, c.vk) << c.name;
}

// The rule itself runs through the table of common/article_price_test.cpp;
// these cases follow the price fields from the line to the stored article.
INSTANTIATE_TEST_SUITE_P(
    Article4, PriceCases,
    ::testing::Values(
        // 00012345 cents with price-unit code "2": 123.45 / 100 = 1.2345, stored rounded.
        PriceCase{"list_code2", "1", "2", "00012345", nullptr, 0, 0, 1.23, 1.23},
        PriceCase{"surcharge_10", "1", "0", "00010000", "1", 20, 10, 80, 88},
        PriceCase{"net_code1", "2", "1", "00005000", nullptr, 0, 0, 5, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// "EGEMA": the price unit and its hundredths come from characters 34-40 of
// short text 1; a list price taken over is divided by that unit, a unit of 0
// (a fraction only) counting as 1.
TEST_F(Import4Test, EgemaPriceUnitFromShortText1) {
    session->ParamEgema = true;
    session->settings.TakeListPrice = true;
    const struct {
        const char* number;
        const char* digits;
        int unit;
        int fraction;
        double list;
    } cases[] = {{"1", "010.250", 10, 25, 10.0}, {"2", "000.500", 0, 50, 100.0}};
    for (const auto& c : cases) {
        ALine a{.number = c.number, .text1 = std::string(33, 'R') + c.digits};
        ASSERT_EQ(import({dn4Header(), a.str()}), CommandOutcome::Done);
        auto art = store().readArticle(std::string("1-") + c.number);
        ASSERT_TRUE(art);
        EXPECT_EQ(art->priceunit, c.unit) << c.digits;
        EXPECT_EQ(art->priceunitfraction, c.fraction) << c.digits;
        EXPECT_DOUBLE_EQ(art->listprice, c.list) << c.digits;
        EXPECT_DOUBLE_EQ(art->salesprice, 100) << c.digits;  // by the price unit code
    }
}

TEST_F(Import4Test, ChangeRecordWithoutGroupPricesWithTheStoredGroup) {
    addGroup("G20", "1", 20);
    ASSERT_EQ(
        import({dn4Header(), ALine{.number = "1", .text2 = "Zweiter Text", .group = "G20"}.str()}),
        CommandOutcome::Done);
    ASSERT_EQ(import({dn4Header(), "A;A;1;;;;;;;00020000;;;;"}), CommandOutcome::Done);
    auto art = store().readArticle("1-1");
    ASSERT_TRUE(art);
    EXPECT_DOUBLE_EQ(art->salesprice, 200);
    EXPECT_DOUBLE_EQ(art->purchaseprice, 160);
    EXPECT_EQ(art->shorttext2, padTo("Zweiter Text", 40));
    EXPECT_TRUE(host.printedSomething("geändert"));
}

// With the local copy on, the copy is imported and removed afterwards.
TEST_F(Import4Test, LocalCopyIsImportedAndRemoved) {
    session->settings.CopyToLocalDisk = true;
    ASSERT_EQ(import({dn4Header(), ALine{.number = "1"}.str()}), CommandOutcome::Done);
    EXPECT_TRUE(store().readArticle("1-1"));
    EXPECT_FALSE(std::filesystem::exists(LocalCopyPath(*session)));
    EXPECT_EQ(host.messages.back(), "1 Artikel von der Datei nach TORVALO übernommen!");
}

TEST_F(Import4Test, ChangeOfAMissingArticleIsNewAndEmptyShortText2IsBlank) {
    ASSERT_EQ(import({dn4Header(), ALine{.flag = "A", .number = "77", .text1 = "Neu"}.str()}),
              CommandOutcome::Done);
    auto art = store().readArticle("1-77");
    ASSERT_TRUE(art);
    EXPECT_EQ(art->shorttext2, std::string(40, ' '));
    EXPECT_EQ(art->matchcode, padTo("neu", 15));
    EXPECT_EQ(host.messages.back(), "1 Artikel von der Datei nach TORVALO übernommen!");
}

TEST_F(Import4Test, RecordsOfAnotherArticleAreRefused) {
    ASSERT_EQ(import({dn4Header(), ALine{.number = "1"}.str(), "B;N;1;match1;;;;;;;;;;;;;",
                      ALine{.number = "2"}.str(), "D;N;1;1;;;Text zu 1;2;;;;",
                      "Z;N;1;1;4;CU;000100;000050;000200;000300;"}),
              CommandOutcome::Done);
    EXPECT_TRUE(printed("Fehler Dsatz passt nicht zu Asatz!"));
    EXPECT_TRUE(printed("Fehler Zsatz passt nicht zu Asatz!"));
    EXPECT_TRUE(store().readDRecords("1-1").empty());
    EXPECT_TRUE(store().readDRecords("1-2").empty());
    EXPECT_EQ(store().readArticle("1-1")->matchcode, "match1");
}

TEST_F(Import4Test, PendingArticleCollectsBDAndZRecords) {
    ASSERT_EQ(
        import({dn4Header(), ALine{.number = "1"}.str(), "B;N;1;m1;ALT-1;;;;;4000000000001;;;;;;;",
                "D;N;1;1;;;Erste Zeile;2;;;Zweite Zeile;", "D;N;1;3;;;Dritte Zeile;4;;;;",
                "Z;N;1;1;4;CU;000100;000050;000200;000300;", ALine{.number = "2"}.str()}),
        CommandOutcome::Done);
    const auto d = store().readDRecords("1-1");
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].text, padTo("Erste Zeile", 40));
    EXPECT_EQ(d[2].text, padTo("Dritte Zeile", 40));
    EXPECT_EQ(store().readZBlob("1-1").size(), 1u);
    auto side = store().readArticleSide("1-1");
    ASSERT_TRUE(side);
    EXPECT_EQ(side->recordtype, 3);
    EXPECT_EQ(side->ean, "4000000000001");
    // Copper rule: 100 x 50 / 10 = 500; 200 / 100 x 300 / 1000 = 0.6.
    EXPECT_EQ(side->metalnumber, "500");
    EXPECT_DOUBLE_EQ(side->metalweight, 0.6);
    EXPECT_TRUE(store().readArticle("1-2"));
}

struct DeleteCase {
    const char* name;
    int mode;
    bool exists;
    bool kept;
    const char* line;
};

class DeleteCases : public Import4Test, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteCases, DeletionByMode) {
    const DeleteCase& c = GetParam();
    session->settings.DeletedArticleMode = c.mode;
    if (c.exists)
        ASSERT_EQ(import({dn4Header(), ALine{.number = "9"}.str()}), CommandOutcome::Done);
    host.printed.clear();
    // A deletion delivery pairs each A "L" with its B "L"; only a B record of
    // another article is an error.
    ASSERT_EQ(
        import({dn4Header(), "A;L;9;;;;;;;;;;;", "B;L;9;;;;;;;;;;;;;;", "B;L;8;;;;;;;;;;;;;;"}),
        CommandOutcome::Done);
    auto art = store().readArticle("1-9");
    EXPECT_EQ(art.has_value(), c.kept);
    if (art) EXPECT_EQ(art->shorttext2, padTo("*** Artikel gelöscht ***", 40));
    EXPECT_TRUE(printed(c.line)) << c.name;
    EXPECT_EQ(
        std::count(host.printed.begin(), host.printed.end(), "Fehler Bsatz passt nicht zu Asatz!"),
        1)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Article4, DeleteCases,
    ::testing::Values(DeleteCase{"delete", 0, true, false, "Artikelnummer : 1-9 geloescht!"},
                      DeleteCase{"keep_with_note", 1, true, true, "Artikelnummer : 1-9 geloescht!"},
                      DeleteCase{"missing", 0, false, false,
                                 "Artikelnummer : 1-9 nicht geloescht (existiert nicht) !"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Import4Test, NumberChangeToAnExistingNumberChangesNothing) {
    ASSERT_EQ(import({dn4Header(), ALine{.number = "OLD", .text1 = "Alt"}.str(),
                      ALine{.number = "NEW", .text1 = "Neu"}.str()}),
              CommandOutcome::Done);
    host.printed.clear();
    ASSERT_EQ(import({dn4Header(), "A;X;OLD;;NEW;;;;;;;;;"}), CommandOutcome::Done);
    EXPECT_TRUE(printed("Fehler: Neue Artikelnummer existiert bereits!"));
    EXPECT_TRUE(printed("        Artikelnummer nicht geändert!"));
    EXPECT_EQ(store().readArticle("1-OLD")->shorttext1, padTo("Alt", 40));
    EXPECT_EQ(store().readArticle("1-NEW")->shorttext1, padTo("Neu", 40));
}

TEST_F(Import4Test, NumberChangeMovesTheArticle) {
    ASSERT_EQ(import({dn4Header(), ALine{.number = "OLD"}.str(), "B;N;OLD;m;;;;;;;;;;;;;"}),
              CommandOutcome::Done);
    ASSERT_EQ(import({dn4Header(), "A;X;OLD;;NEW;;;;;;;;;"}), CommandOutcome::Done);
    EXPECT_TRUE(printed("Nummernänderung: 1-OLD --> 1-NEW"));
    EXPECT_FALSE(store().readArticle("1-OLD"));
    EXPECT_TRUE(store().readArticle("1-NEW"));
    EXPECT_TRUE(store().readArticleSide("1-NEW"));
}

std::vector<std::string> textBlock(const std::string& number, int records) {
    std::vector<std::string> lines;
    for (int i = 0; i < records; ++i)
        lines.push_back("T;N;" + number + ";;" + std::to_string((2 * i + 1) % 100) + ";;Zeile " +
                        std::to_string(2 * i + 1) + ";" + std::to_string((2 * i + 2) % 100) +
                        ";;Zeile " + std::to_string(2 * i + 2) + ";");
    return lines;
}

TEST_F(Import4Test, TextBlocksKeep500RecordsAndWarnOncePerRun) {
    std::vector<std::string> lines{dn4Header()};
    for (auto& l : textBlock("T1", 501)) lines.push_back(l);
    const std::string first = writeDelivery("DATANORM.001", lines);
    const std::string second = writeDelivery("DATANORM.002", lines);
    ASSERT_EQ(importFiles({first, second}), CommandOutcome::Done);
    auto text = store().readLongText("1-T1", "1");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->lines.size(), 1000u);
    EXPECT_EQ(text->lines.back(), padTo("Zeile 1000", 40));
    int warnings = 0;
    for (const auto& m : host.messages)
        if (m ==
            "Anzahl Zeilen für mindestens einen Langtext größer 500\nLangtextnummer : 1-T1\n"
            "Alle Zeilen größer 500 werden verworfen.")
            ++warnings;
    EXPECT_EQ(warnings, 1);
}

TEST_F(Import4Test, TextLinesFollowTheLineNumbers) {
    ASSERT_EQ(import({dn4Header(), "T;N;T2;;1;;Eins;2;;;", "T;N;T2;;3;;;4;;;",
                      "E;N;E1;;1;;Erst;2;;Zweit;"}),
              CommandOutcome::Done);
    auto t = store().readLongText("1-T2", "1");
    ASSERT_TRUE(t);
    // Record 1: "Eins", an empty line for line 2; the last record: an empty
    // line for line 3 and nothing for its blank second line.
    EXPECT_EQ(t->lines, (std::vector<std::string>{padTo("Eins", 40), "", ""}));
    auto e = store().readLongText("1-E1", "2");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->lines, (std::vector<std::string>{padTo("Erst", 40), padTo("Zweit", 40)}));
}

// Files as they arrive: other line ends, a delivery cut off or with data
// after the end-of-file byte, another code page.
TEST_F(Import4Test, DamagedAndUnusualFiles) {
    const std::string a1 = ALine{.number = "1", .text1 = "Eins"}.str();
    const std::string a2 = ALine{.number = "2", .text1 = "Zwei"}.str();
    const struct {
        const char* name;
        std::string bytes;    // after the header and its CR LF
        bool second;          // article 2 stored
        std::string message;  // shown besides the count; empty: none
        std::string note;     // protocol line of the code page
        CommandOutcome outcome;
    } cases[] = {
        {"CR only", a1 + "\r" + a2 + "\r", true, "", "Zeichensatz der Datei: ASCII",
         CommandOutcome::Done},
        {"cut off in the last record", a1 + "\r\nA;N;2;00;Zw", false, CutOffMessage(3),
         "Zeichensatz der Datei: ASCII", CommandOutcome::Failed},
        {"data after the end-of-file byte", a1 + "\r\n\x1A" + a2 + "\r\n", false, EndMarkMessage(3),
         "Zeichensatz der Datei: ASCII", CommandOutcome::Failed},
        {"Windows-1252", a1 + "\r\nA;N;2;00;Geh\xE4use f\xFCr \xD6l;;1;0;St;00010000;;;;\r\n", true,
         "", "Zeichensatz der Datei: Windows-1252 (ANSI)", CommandOutcome::Done},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store().deleteArticle("1-1");
        store().deleteArticle("1-2");
        host.messages.clear();
        host.printed.clear();
        const auto path = home / "DATANORM.001";
        writeFile(path, dn4Header() + "\r\n" + c.bytes);
        ASSERT_EQ(importFiles({path.string()}), c.outcome);
        EXPECT_TRUE(store().articleExists("1-1"));
        EXPECT_EQ(store().articleExists("1-2"), c.second);
        const bool shown =
            std::find(host.messages.begin(), host.messages.end(), c.message) != host.messages.end();
        EXPECT_EQ(shown, !c.message.empty());
        EXPECT_TRUE(printed(c.note));
    }
    EXPECT_EQ(store().readArticle("1-2")->shorttext1, padTo("Gehäuse für Öl", 40));
}

TEST_F(Import4Test, EmptyLinesInsideATextSequenceDoNotEndIt) {
    ASSERT_EQ(import({dn4Header(), "T;N;T3;;1;;Eins;2;;Zwei;", "", "T;N;T3;;3;;Drei;4;;Vier;",
                      "   ", "E;N;E3;;1;;Erst;2;;Zweit;", "", "E;N;E3;;3;;Dritt;4;;Viert;", "",
                      ALine{.number = "7"}.str(), "D;N;7;01; ;;Langtext eins;02; ;;Langtext zwei;",
                      "", "D;N;7;03; ;;Langtext drei;04; ;;Langtext vier;"}),
              CommandOutcome::Done);
    auto t = store().readLongText("1-T3", "1");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->lines, (std::vector<std::string>{padTo("Eins", 40), padTo("Zwei", 40),
                                                  padTo("Drei", 40), padTo("Vier", 40)}));
    auto e = store().readLongText("1-E3", "2");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->lines.size(), 4u);
    EXPECT_EQ(store().readDRecords("1-7").size(), 4u);
    EXPECT_FALSE(printed("Fehler Dsatz passt nicht zu Asatz!"));
}

TEST_F(Import4Test, SampleTextWithEmptyLinesKeepsAllItsLines) {
    const auto sample = samplesDir() / "v4-halo/v4_with_empty_lines_and_invalid_tags.001";
    if (samplesDir().empty() || !std::filesystem::exists(sample))
        GTEST_SKIP() << "no sample deliveries";
    ASSERT_EQ(importFiles({sample.string()}), CommandOutcome::Done);
    auto t = store().readLongText("1-TZ-0159", "1");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->lines.size(), 6u);
    EXPECT_EQ(t->lines[0], padTo("Aufbewahrungspult", 40));
    EXPECT_EQ(t->lines[1], padTo("Pultgehäuse mit Klappdeckel aus", 40));
    EXPECT_EQ(t->lines[5], padTo("lieferbar. Lieferung inkl.", 40));
}

TEST_F(Import4Test, LongPrefixNeedsALetterOncePerFile) {
    useSupplier(12, ' ');
    std::vector<std::string> lines{dn4Header(), "T;N;ABCDEFGH;;1;;Text;2;;;",
                                   "T;N;ABCDEFGX;;1;;Text;2;;;"};
    const std::string first = writeDelivery("DATANORM.001", lines);
    const std::string second = writeDelivery("DATANORM.002", lines);
    ASSERT_EQ(importFiles({first, second}), CommandOutcome::Done);
    int warnings = 0;
    for (const auto& m : host.messages)
        if (m == "Für diesen Lieferanten ist ein Kennbuchstabe erforderlich!") ++warnings;
    EXPECT_EQ(warnings, 2);
    EXPECT_FALSE(store().readLongText("12-ABCDEFGH", "1"));
}

TEST_F(Import4Test, FaultKeepsThePendingArticleAndTheNextFileIsRead) {
    writeFile(session->dir(kSystemDir) / "flag.dat", "/tp=2\r\n");
    const std::string faulty =
        writeDelivery("DATANORM.001",
                      {dn4Header(), ALine{.number = "1"}.str(), ALine{.number = "2"}.str(),
                       ALine{.number = "3"}.str(), "D;N;3;1;;;Zeile;2;;;;",
                       ALine{.number = "4", .unit = "TOOLONG"}.str(), ALine{.number = "5"}.str()});
    const std::string good =
        writeDelivery("DATANORM.002", {dn4Header(), ALine{.number = "6"}.str()});
    // The fault of the first file decides the outcome of the run.
    ASSERT_EQ(importFiles({faulty, good}), CommandOutcome::Failed);
    for (const char* key : {"1-1", "1-2", "1-3", "1-6"})
        EXPECT_TRUE(store().readArticle(key)) << key;
    EXPECT_EQ(store().readDRecords("1-3").size(), 2u);
    EXPECT_FALSE(store().readArticle("1-4"));
    EXPECT_FALSE(store().readArticle("1-5"));
    EXPECT_FALSE(store().inTransaction());
    EXPECT_EQ(session->OnlineImportStatus, "01");
    const auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_EQ(log->find("DATANORM.001"), std::string::npos);
    EXPECT_NE(log->find("4 Artikelübernahme"), std::string::npos);
    EXPECT_NE(log->find("DATANORM.002"), std::string::npos);
}

// "Nein" to "Import abbrechen ?" clears Escape and the file reads on; the
// next Escape asks again, and "ja" ends the file as cancelled.
TEST_F(Import4Test, NoGoesOnThenYesStops) {
    host.escapeAfterSteps = 2;         // Escape before the line of article 2
    host.escapeAgainAfterSteps = {1};  // and again before article 4
    host.answers = {false, true};
    ASSERT_EQ(import({dn4Header(), ALine{.number = "1"}.str(), ALine{.number = "2"}.str(),
                      ALine{.number = "3"}.str(), ALine{.number = "4"}.str()}),
              CommandOutcome::Cancelled);
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{"Import abbrechen ?", "Import abbrechen ?"}));
    for (const char* key : {"1-1", "1-2", "1-3"}) EXPECT_TRUE(store().readArticle(key)) << key;
    EXPECT_FALSE(store().readArticle("1-4"));
    EXPECT_FALSE(ReadChangeLog(*session));  // written only for a file read to its end
}

TEST_F(Import4Test, FiltersAndNumberRange) {
    ASSERT_EQ(import({dn4Header(), ALine{.number = "A1"}.str(), ALine{.number = "B1"}.str(),
                      ALine{.number = "C1"}.str()},
                     {{105, "1"}, {101, "1"}, {102, "B"}, {103, "B9"}}),
              CommandOutcome::Done);
    EXPECT_FALSE(store().readArticle("1-A1"));
    EXPECT_TRUE(store().readArticle("1-B1"));
    EXPECT_FALSE(store().readArticle("1-C1"));

    DiscountGroupRecord g;
    g.key = "1-RG1";
    g.selektiert = true;
    store().writeDiscountGroup(g);
    ASSERT_EQ(import({dn4Header(), ALine{.number = "D1", .group = "RG1"}.str(),
                      ALine{.number = "D2", .group = "RG2"}.str()},
                     {{105, "1"}, {106, "1"}}),
              CommandOutcome::Done);
    EXPECT_TRUE(store().readArticle("1-D1"));
    EXPECT_FALSE(store().readArticle("1-D2"));
    EXPECT_TRUE(printed("Rabattgruppe: 1-RG2  nicht ausgewählt!"));
}

TEST_F(Import4Test, HeaderDateBecomesTheSupplierMaintenanceDate) {
    ASSERT_EQ(import({dn4Header(), ALine{.number = "1"}.str()}), CommandOutcome::Done);
    EXPECT_EQ(session->suppliers.readRecord(1).maintenanceDate(0), "161025");
}

TEST(CommitBatchSize4, LastTpLineWins) {
    const struct {
        const char* text;
        int size;
    } cases[] = {{"", 100},          {"/tp=50\r\n", 50}, {"/TP=20\n/tp=300\n", 300},
                 {"/tp=abc\n", 100}, {"/tp=0\n", 0},     {"x\n/tp=7\n", 7}};
    for (const auto& c : cases) EXPECT_EQ(CommitBatchSizeOf(c.text), c.size) << c.text;
}

// A B record's quantity per price sets the price unit; 0 or a blank field
// names none, and the article keeps the unit of its A record.
TEST_F(Import4Test, BQuantityZeroOrBlankKeepsThePriceUnit) {
    const struct {
        const char* quantity;
        int priceunit;
    } cases[] = {{"0", 100}, {"00000", 100}, {"     ", 100}, {"", 100}, {"25", 25}, {"  1", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.quantity + "\"");
        ASSERT_EQ(import({dn4Header(), ALine{.number = "1", .unitCode = "2"}.str(),
                          "B;N;1; ; ; ;0;0;0; ; ; ;0;" + std::string(c.quantity) + "; ; ;"}),
                  CommandOutcome::Done);
        EXPECT_EQ(store().readArticle("1-1")->priceunit, c.priceunit);
    }
}

// A faulty Z record among an article's surcharges is left out alone: the
// article and the other records of its group are taken over.
TEST_F(Import4Test, FaultyZRecordLeavesTheRestOfTheGroup) {
    ASSERT_EQ(
        import({dn4Header(), ALine{.number = "1"}.str(), "Z;N;1;1;1;AB;Staffel 1;1;00001000;;;",
                "Z;N;1;2;1;AB;Staffel 2;1;0000X000;;;", "Z;N;1;3;1;AB;Staffel 3;1;00000800;;;",
                ALine{.number = "2"}.str()}),
        CommandOutcome::Failed);
    EXPECT_EQ(store().readZBlob("1-1").size(), 2u);
    EXPECT_TRUE(store().readArticle("1-2"));
    EXPECT_TRUE(
        printed("Zeile 4: Z-Satz, Feld 9 ist keine Zahl: \"0000X000\" - Satz übersprungen!"));
    EXPECT_EQ(host.messages.back(),
              "2 Artikel von der Datei nach TORVALO übernommen!\n\n1 Satz wegen fehlerhafter "
              "Felder übersprungen!");
}

TEST_F(Import4Test, DemoSampleKeepsThePriceUnits) {
    const auto sample = samplesDir() / "v4-demo" / "DATANORM.001";
    if (samplesDir().empty() || !std::filesystem::exists(sample))
        GTEST_SKIP() << "no sample deliveries";
    ASSERT_EQ(importFiles({sample.string()}), CommandOutcome::Done);
    int articles = 0;
    store().forEachArticle(KeyRange::prefix("1-"), [&](const ArticleRecord& a) {
        EXPECT_EQ(a.priceunit, 1) << a.key;
        ++articles;
        return true;
    });
    EXPECT_EQ(articles, 19);
}

}  // namespace
}  // namespace dn::test
