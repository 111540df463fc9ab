// Blocks of the article file, texts and graphics bindings, B records, and
// the file errors that end an import.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>

#include "features/articles/article_run_state.h"
#include "features/articles/article_writer5.h"
#include "support/import_fixture5.h"

namespace dn {
namespace {

using test::ImportFixture5;

TEST_F(ImportFixture5, DAndTLinesJoinTheirBlocks) {
    ASSERT_EQ(
        import({"A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
                "D;N;4711;01;1;Beschreibung Zeile 1;TX1;", "T;N;4711;1;01;Langtext Zeile 1;",
                "T;N;4711;1;02;Langtext Zeile 2;", "A;N;4712;Muffe;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
                "G;N;4712;01;BI;BILD;JPG;Foto;"}),
        CommandOutcome::Done);
    const auto d = store().readDRecords("1-4711");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0], (DRecord{"01", "1", "Beschreibung Zeile 1", "1-TX1"}));
    EXPECT_EQ(store().readLongText("1-4711", "1")->lines,
              (std::vector<std::string>{"Langtext Zeile 1", "Langtext Zeile 2"}));
    EXPECT_TRUE(store().articleExists("1-4712"));
    // Five-letter name, three-letter extension: padded to 12.
    EXPECT_EQ(store().readLongText("1-4712", "3")->lines,
              (std::vector<std::string>{"01BIBILD.JPG    Foto"}));
    EXPECT_EQ(lastMessage(),
              "2 Artikel und 1 Langtexte nach TORVALO übernommen!\n\n0 Artikel gelöscht!\n\n0 "
              "Artikel umbenannt!");
}

// D records left under a key without an article (another program deleted
// it) are replaced, not joined, by those of a new article with that key.
TEST_F(ImportFixture5, NewArticleReplacesLeftOverDRecords) {
    store().writeDRecords("1-4711",
                          {DRecord{"01", "1", "alt 1", ""}, DRecord{"02", "1", "alt 2", ""},
                           DRecord{"03", "1", "alt 3", ""}});
    ASSERT_FALSE(store().articleExists("1-4711"));
    ASSERT_EQ(import({"A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;", "D;N;4711;01;1;neu;;",
                      "A;N;4712;Muffe;;;2;1;100;;;;;;;;;;;;;;;;;;;;", "D;N;4712;01;1;neu;;"}),
              CommandOutcome::Done);
    const auto d = store().readDRecords("1-4711");
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].text, "neu");
    EXPECT_EQ(store().readDRecords("1-4712").size(), 1u);
}

TEST_F(ImportFixture5, ZLinesAndCopperValuesGoWithTheArticle) {
    session->CopperSurcharge = true;
    ASSERT_EQ(import({"A;N;4711;Kabel;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
                      "Z;N;4711;01;3;CU;1;1;5000;20;30000;2000;",
                      "Z;N;4711;02;1;Staffel;Staffel;1;+;2;1;626;;1;45;899;"}),
              CommandOutcome::Done);
    const ArticleRecord a = article("1-4711");
    EXPECT_DOUBLE_EQ(a.metalweight, 100.0);  // 20 * 5000 / 100 / 10
    EXPECT_DOUBLE_EQ(a.metalbase, 600.0);    // 30000 / 100 * 2000 / 1000 / 1
    EXPECT_EQ(a.metalkind, "c");
    const auto z = store().readZBlob("1-4711");
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(z[1].substr(0, 2 + 2 + 1 + 40),
              "5002"
              "1" +
                  std::string("Staffel") + std::string(33, ' '));
}

TEST_F(ImportFixture5, TextBlockDeletedByTheFlagOfItsLastLine) {
    ASSERT_EQ(import({"T;N;TX;1;01;Alt;"}), CommandOutcome::Done);
    ASSERT_TRUE(store().longTextExists("1-TX", "1"));
    ASSERT_EQ(import({"T;N;TX;1;01;Neu;", "T;L;TX;1;02;;"}), CommandOutcome::Done);
    EXPECT_FALSE(store().longTextExists("1-TX", "1"));
}

TEST_F(ImportFixture5, WithoutLongTextsOnlyGraphicsAreStored) {
    session->settings.TakeLongTexts = false;
    ASSERT_EQ(import({"A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;", "D;N;4711;01;1;Text;;",
                      "T;N;4711;1;01;Text;", "G;N;4711;01;BI;BILD;JPG;Foto;"}),
              CommandOutcome::Done);
    EXPECT_TRUE(store().readDRecords("1-4711").empty());
    EXPECT_FALSE(store().longTextExists("1-4711", "1"));
    EXPECT_TRUE(store().longTextExists("1-4711", "3"));
}

TEST_F(ImportFixture5, CalculationLines) {
    ASSERT_EQ(import({"A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;", "C;N;ARBA;4711;;2;150;;",
                      "C;N;ARBS;4711;;3;500;Montage;", "C;N;WST1;4711;;2500;;1800;"}),
              CommandOutcome::Done);
    const ArticleRecord a = article("1-4711");
    EXPECT_DOUBLE_EQ(a.assemblyminutes, 15.0);
    EXPECT_EQ(a.extralines, (std::vector<std::string>{"C50 30.000Montage"}));
    EXPECT_DOUBLE_EQ(a.metalbase, 2.5);
    EXPECT_DOUBLE_EQ(a.metalsurcharge, 1.8);
    // Kept minutes: option 107.
    ASSERT_EQ(import({"C;N;ARBA;4711;;2;900;;"}, {{107, "1"}}), CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(article("1-4711").assemblyminutes, 15.0);
}

struct DeletionCase {
    const char* name;
    int mode;
    std::string line;
    bool exists;             // article still there afterwards
    std::string shorttext2;  // when it is
};

class DeletionTest : public ImportFixture5, public ::testing::WithParamInterface<DeletionCase> {};

TEST_P(DeletionTest, DeletedArticleMode) {
    ASSERT_EQ(import({"A;N;4711;Rohr;Zweite;;2;1;100;;;;;;;;;;;;;;;;;;;;"}), CommandOutcome::Done);
    session->settings.DeletedArticleMode = GetParam().mode;
    ASSERT_EQ(import({GetParam().line}), CommandOutcome::Done);
    EXPECT_EQ(store().articleExists("1-4711"), GetParam().exists);
    if (GetParam().exists) EXPECT_EQ(article("1-4711").shorttext2, GetParam().shorttext2);
    EXPECT_NE(lastMessage().find("1 Artikel gelöscht!"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeletionTest,
    ::testing::Values(
        DeletionCase{"Delete", 0, "B;L;4711;;;", false, ""},
        DeletionCase{"NoteOnly", 1, "B;L;4711;;;", true, "*** Artikel gelöscht ***"},
        DeletionCase{"Replacement", 1, "B;L;4711;4800;;", true, "*** gelöscht, Ersatz: 4800"},
        DeletionCase{"Date", 1, "B;L;4711;;20250301;", true, "*** Artikel ab 01.03.2025 gelöscht"},
        DeletionCase{"Both", 1, "B;L;4711;4800;20250301;", true, "*** Ersatz: 4800  01.03.2025"},
        DeletionCase{"MissingStillCounts", 0, "B;L;9999;;;", true, "Zweite"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportFixture5, NumberChanges) {
    ASSERT_EQ(import({"A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;", "D;N;4711;01;1;Text;;",
                      "A;N;4712;Muffe;;;2;1;100;;;;;;;;;;;;;;;;;;;;"}),
              CommandOutcome::Done);
    ArticleSideRecord side;
    side.key = "1-4711";
    side.ean = "4012345678901";
    store().writeArticleSide(side);
    ASSERT_EQ(import({"B;A;4711;4800;;", "B;A;4800;4712;;", "B;A;9999;5000;;"}, {{105, "1"}}),
              CommandOutcome::Done);
    EXPECT_FALSE(store().articleExists("1-4711"));
    EXPECT_EQ(article("1-4800").shorttext1, "Rohr");
    EXPECT_EQ(store().readArticleSide("1-4800")->ean, "4012345678901");
    EXPECT_EQ(store().readDRecords("1-4800").size(), 1u);
    EXPECT_EQ(article("1-4712").shorttext1, "Muffe");  // the existing new number is left alone
    EXPECT_TRUE(host.printedSomething("Nummernänderung: 1-4711 --> 1-4800"));
    EXPECT_TRUE(host.printedSomething("Fehler: Neue Artikelnummer \"1-4712\" existiert bereits!"));
    EXPECT_TRUE(host.printedSomething("Hinweis: Artikel \"1-9999\" nicht vorhanden!"));
    EXPECT_NE(lastMessage().find("3 Artikel umbenannt!"), std::string::npos);
}

// A block the store refuses is reported and missing; the blocks around it
// are written, whether the store is written on a second thread (no
// protocol) or on the reading one.
class StoreErrorTest : public ImportFixture5, public ::testing::WithParamInterface<bool> {
  protected:
    // The store, created, refuses the articles the condition picks.
    void refuseArticlesWhen(const std::string& condition) {
        store();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((masterDir() / "stamm.db").c_str(), &db), SQLITE_OK);
        const std::string sql = "CREATE TRIGGER refuse BEFORE INSERT ON article WHEN " + condition +
                                " BEGIN SELECT RAISE(ABORT, 'abgelehnt'); END;";
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
};

TEST_P(StoreErrorTest, RefusedBlockIsMissingAndTheOthersStay) {
    refuseArticlesWhen("NEW.key = '1-10000150'");
    std::vector<std::string> lines;
    for (int n = 0; n < 300; ++n) {
        const std::string number = std::to_string(10000000 + n);
        lines.push_back("A;N;" + number + ";Rohr " + std::to_string(n) +
                        ";;;2;1;100;;;;;;;;;;;;;;;;;;;;");
        lines.push_back("D;N;" + number + ";01;1;Zeile;;");
    }
    // A store error ends the command as one.
    ASSERT_EQ(import(lines, {{105, GetParam() ? "1" : "0"}}), CommandOutcome::DatabaseFailure);
    EXPECT_EQ(store().countArticles(KeyRange::prefix("1-")), 299u);
    EXPECT_TRUE(store().readDRecords("1-10000150").empty());  // the whole block is missing
    EXPECT_EQ(store().readDRecords("1-10000299").size(), 1u);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].find("abgelehnt"), std::string::npos) << host.messages[0];
    EXPECT_EQ(lastMessage(),
              "299 Artikel und 0 Langtexte nach TORVALO übernommen!\n\n0 Artikel gelöscht!\n\n0 "
              "Artikel umbenannt!");
    // The blocks of the batch written again after the refusal print nothing
    // a second time.
    if (GetParam())
        EXPECT_EQ(std::count(host.printed.begin(), host.printed.end(), "A-Satz Neuanlage:"), 300);
    else
        EXPECT_TRUE(host.printed.empty());
}

// A C line belongs to its article's block; when the store refuses the
// article as the C line changed it, the whole block is missing.
TEST_P(StoreErrorTest, RefusedCalculationLineTakesItsArticleAlong) {
    refuseArticlesWhen("NEW.key = '1-10000050' AND NEW.assemblyminutes > 0");
    std::vector<std::string> lines;
    for (int n = 0; n < 100; ++n) {
        const std::string number = std::to_string(10000000 + n);
        lines.push_back("A;N;" + number + ";Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;");
        lines.push_back("C;N;ARBA;" + number + ";;2;50;;");
    }
    // A store error ends the command as one.
    ASSERT_EQ(import(lines, {{105, GetParam() ? "1" : "0"}}), CommandOutcome::DatabaseFailure);
    EXPECT_EQ(store().countArticles(KeyRange::prefix("1-")), 99u);
    EXPECT_FALSE(store().articleExists("1-10000050"));
    EXPECT_DOUBLE_EQ(article("1-10000049").assemblyminutes, 5.0);
    EXPECT_DOUBLE_EQ(article("1-10000099").assemblyminutes, 5.0);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].find("abgelehnt"), std::string::npos) << host.messages[0];
}

INSTANTIATE_TEST_SUITE_P(Protocol, StoreErrorTest, ::testing::Bool());

TEST_F(ImportFixture5, LongTextKeyRuleOncePerRun) {
    HostStore& st = store();
    session->ArticlePrefix = "LIEFERANT-";
    dn5::ArticleRunState run;
    dn5::ArticleWriter writer(*session, run, st);
    dn5::ArticleBlock text;
    text.kind = dn5::ArticleBlock::Kind::Text;
    text.number = "123456789";
    text.lastFlag = "N";
    text.textKind = "1";
    text.textLines = {"Zeile"};
    writer.write(text);
    writer.write(text);
    EXPECT_EQ(
        host.messages,
        (std::vector<std::string>{
            "Der Langtextschlüssel ist zu lang!\n\nBitte fragen Sie bei dem ZEKO-Support nach."}));
    EXPECT_FALSE(st.longTextExists("LIEFERANT-123456789", "1"));
    text.number = "12345678";  // 18 characters: stored
    writer.write(text);
    EXPECT_TRUE(st.longTextExists("LIEFERANT-12345678", "1"));
}

// Escape answered with yes: the blocks read before it are written whole,
// the open one is dropped, and the final message counts what is stored.
TEST_F(ImportFixture5, EscapeKeepsTheBlocksReadBefore) {
    std::vector<std::string> lines;
    for (int n = 0; n < 400; ++n) {
        const std::string number = std::to_string(10000000 + n);
        lines.push_back("A;N;" + number + ";Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;");
        lines.push_back("D;N;" + number + ";01;1;Zeile 1;;");
        lines.push_back("D;N;" + number + ";02;1;Zeile 2;;");
    }
    host.escapeAfterSteps = 600;
    ASSERT_EQ(import(lines), CommandOutcome::Cancelled);
    const std::size_t stored = store().countArticles(KeyRange::all());
    EXPECT_GT(stored, 100u);
    EXPECT_LT(stored, 400u);
    for (std::size_t n = 0; n < stored; ++n)
        ASSERT_EQ(store().readDRecords("1-" + std::to_string(10000000 + n)).size(), 2u) << n;
    EXPECT_EQ(lastMessage(), std::to_string(stored) +
                                 " Artikel und 0 Langtexte nach TORVALO übernommen!\n\n0 Artikel "
                                 "gelöscht!\n\n0 Artikel umbenannt!");
}

// "Nein" clears Escape: the import reads on to the end of the file.
TEST_F(ImportFixture5, EscapeAnsweredNoReadsOn) {
    std::vector<std::string> lines;
    for (int n = 0; n < 300; ++n)
        lines.push_back("A;N;" + std::to_string(10000000 + n) +
                        ";Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;");
    host.escapeAfterSteps = 100;
    host.answers = {false};
    ASSERT_EQ(import(lines), CommandOutcome::Done);
    EXPECT_EQ(host.questions, std::vector<std::string>{"Import abbrechen ?"});
    EXPECT_EQ(store().countArticles(KeyRange::all()), 300u);
}

struct FileErrorCase {
    const char* name;
    std::vector<std::string> lines;
    bool header;
    std::string message;
    std::vector<std::string> stored;  // article keys present afterwards
};

class FileErrorTest : public ImportFixture5, public ::testing::WithParamInterface<FileErrorCase> {};

TEST_P(FileErrorTest, EndsTheFileKeepingWhatWasWritten) {
    const FileErrorCase& c = GetParam();
    import(c.lines, {}, c.header);
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[host.messages.size() - 2].substr(0, c.message.size()), c.message);
    EXPECT_EQ(store().countArticles(KeyRange::all()), c.stored.size());
    for (const auto& key : c.stored) EXPECT_TRUE(store().articleExists(key)) << key;
}

const std::string kLong41(41, 'X');

INSTANTIATE_TEST_SUITE_P(
    Cases, FileErrorTest,
    ::testing::Values(
        FileErrorCase{"WrongKind",
                      {"V;050;P;20250415;EUR;;;;", "A;N;1;R;;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
                      false,
                      "Keine Datanorm 5 - Artikeldatei!",
                      {}},
        FileErrorCase{
            "OtherVersion", {"V;040;A;20250415;EUR;;;;"}, false, "Keine DATANORM 5.0 Datei!", {}},
        FileErrorCase{"HeaderMissing",
                      {"A;N;1;R;;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
                      false,
                      "Vorlaufsatz fehlt!",
                      {}},
        FileErrorCase{"OverlongFieldDropsItsBlock",
                      {"A;N;1;Gut;;;2;1;1;;;;;;;;;;;;;;;;;;;;",
                       "A;N;2;" + kLong41 + ";;;2;1;1;;;;;;;;;;;;;;;;;;;;",
                       "A;N;3;Gut;;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
                      true,
                      "FEHLER in DATANORM-Datei !!!",
                      {"1-1"}},
        FileErrorCase{"OverlongFieldAtTheEnd",
                      {"A;N;1;Gut;;;2;1;1;;;;;;;;;;;;;;;;;;;;",
                       "A;N;2;" + kLong41 + ";;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
                      true,
                      "FEHLER in DATANORM-Datei !!!",
                      {"1-1"}},
        FileErrorCase{"LineOf100KB",
                      {"A;N;1;" + std::string(100000, 'X') + ";;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
                      true,
                      "FEHLER in DATANORM-Datei !!!",
                      {}},
        FileErrorCase{
            "BinaryJunk",
            {std::string("\x01\x02\xff\xfe;;;\x7f", 8), "A;N;1;R;;;2;1;1;;;;;;;;;;;;;;;;;;;;"},
            true,
            "FEHLER in DATANORM-Datei !!!",
            {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dn
