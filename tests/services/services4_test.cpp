// Command 34 for DATANORM 4 and 3: sets as services and bills of material.

#include "features/services/services4.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "features/services/record_file130.h"
#include "features/services/set_rows.h"
#include "support/service_fixture.h"

namespace dn {
namespace {

using test::jLine4;

class Sets4Test : public test::ServiceTest {
  protected:
    // Runs command 34 (DATANORM 4) on the lines with the dialog values.
    CommandOutcome run(const std::vector<std::string>& lines,
                       std::vector<std::pair<int, std::string>> sets = {}) {
        std::vector<std::string> all = {test::dn4Header()};
        all.insert(all.end(), lines.begin(), lines.end());
        host.forms.push_back({"TUEBLEISTUNG", std::move(sets), {}});
        host.files.push_back({file("datasets.001", all)});
        return ImportSets4(*session);
    }
};

TEST_F(Sets4Test, ConsecutiveSetsAreFinishedWhenTheNextBegins) {
    article("1-100");
    article("1-200");
    article("1-A", 0, 30);
    ASSERT_EQ(run({jLine4("100", "1", "A", "2"), jLine4("100", "1", "B", "1,5"),
                   jLine4("200", "1", "A", "3")},
                  {{103, "1"}}),
              CommandOutcome::Done);
    EXPECT_EQ(rowKeys("1-100"), (std::vector<std::string>{"1-100", "1-A", "1-B"}));
    EXPECT_EQ(rowKeys("1-200"), (std::vector<std::string>{"1-200", "1-A"}));
    const auto s100 = store().readService("1-100");
    ASSERT_TRUE(s100);
    EXPECT_DOUBLE_EQ(s100->rows[2].quantity, 1.5);
    EXPECT_EQ(s100->text1, "Text 1-100");
    EXPECT_EQ(s100->text2, "Zeile 2");
    EXPECT_EQ(s100->unit, "St   ");
    EXPECT_EQ(s100->typechar, "1");
    // Set minutes 30 from the position article: half an hour of each rate.
    EXPECT_DOUBLE_EQ(s100->minutes, 30);
    EXPECT_DOUBLE_EQ(s100->wage1, session->host.wageRate1 / 2);
    EXPECT_DOUBLE_EQ(s100->wage2, session->host.wageRate2 / 2);
    EXPECT_EQ(host.printed,
              (std::vector<std::string>{"J-Satz:", "Leistung Nummer \"1-100\" übernommen", "",
                                        "J-Satz:", "Leistung Nummer \"1-200\" übernommen", ""}));
    const auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_NE(log->find("4 Leistungübernahme"), std::string::npos);
}

TEST_F(Sets4Test, PositionKindsPrefixTheRowKey) {
    const struct {
        const char* kind;
        const char* key;
    } cases[] = {{"1", "1-4711"}, {"2", "*1-4711"}, {"3", "s-1-4711"}, {"4", "*s-1-4711"}};
    article("1-100");
    for (const auto& c : cases) {
        host.forms.clear();
        ASSERT_EQ(run({jLine4("100", c.kind, "4711", "1")}, {{104, "1"}}), CommandOutcome::Done);
        EXPECT_EQ(rowKeys("1-100"), std::vector<std::string>{c.key}) << c.kind;
    }
}

TEST_F(Sets4Test, ListChoiceDecidesTheMainArticleRow) {
    const struct {
        int choice;
        double price;
        bool mainRow;
    } cases[] = {{0, 0, true}, {1, 5, false}, {2, 0, false}, {2, 5, true}};
    for (const auto& c : cases) {
        article("1-100", c.price);
        ASSERT_EQ(run({jLine4("100", "1", "A", "1")}, {{104, std::to_string(c.choice)}}),
                  CommandOutcome::Done);
        const auto keys = rowKeys("1-100");
        EXPECT_EQ(keys.front() == "1-100", c.mainRow) << c.choice << " " << c.price;
        EXPECT_EQ(keys.back(), "1-A");
    }
}

TEST_F(Sets4Test, MissingMainArticleIsReportedAndNotWritten) {
    ASSERT_EQ(run({jLine4("300", "1", "A", "1")}, {{103, "1"}}), CommandOutcome::Done);
    EXPECT_FALSE(store().readService("1-300"));
    EXPECT_EQ(host.printed, (std::vector<std::string>{
                                "J-Satz:", "Artikel Nummer \"1-300\" nicht vorhanden", ""}));
}

TEST_F(Sets4Test, RowsAreRekeyedByArticleKind) {
    article("1-100");
    const struct {
        const char* number;
        int kind;
        const char* key;
    } cases[] = {{"L", 93, "l-L"}, {"G", 98, "g-G"}, {"F", 96, "f-F"}, {"X", 91, "1-X"}};
    std::vector<std::string> lines;
    for (const auto& c : cases) {
        article(std::string("1-") + c.number);
        articleKind(std::string("1-") + c.number, c.kind);
        lines.push_back(jLine4("100", "1", c.number, "1"));
    }
    ASSERT_EQ(run(lines, {{104, "1"}}), CommandOutcome::Done);
    const auto keys = rowKeys("1-100");
    ASSERT_EQ(keys.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(keys[i], cases[i].key);
        EXPECT_TRUE(store().articleExists(cases[i].key)) << cases[i].key;
    }
}

TEST_F(Sets4Test, LinesWithoutArticleAddNothingAndRowsStopAt213) {
    article("1-100");
    std::vector<std::string> lines = {jLine4("100", "1", "", "1")};
    for (int i = 0; i < 220; ++i) lines.push_back(jLine4("100", "1", std::to_string(i), "1"));
    ASSERT_EQ(run(lines, {{104, "1"}}), CommandOutcome::Done);
    const auto keys = rowKeys("1-100");
    ASSERT_EQ(keys.size(), kServiceRows);
    EXPECT_EQ(keys.front(), "1-0");
    EXPECT_EQ(keys.back(), "1-212");
}

TEST_F(Sets4Test, BillOfMaterialCreatesTheSMainArticle) {
    ASSERT_EQ(run({jLine4("100", "3", "A", "2", "Heizungsset"), jLine4("100", "1", "B", "1")},
                  {{102, "1"}, {103, "1"}}),
              CommandOutcome::Done);
    const auto bom = store().readBom("1-100");
    ASSERT_TRUE(bom);
    EXPECT_EQ(bom->text, "Heizungsset");
    EXPECT_DOUBLE_EQ(bom->quantity, 1);
    ASSERT_EQ(bom->rows.size(), 3u);  // choice 0: the main article first
    EXPECT_EQ(bom->rows[0], (BomRow{"1-100", 1, ""}));
    EXPECT_EQ(bom->rows[1], (BomRow{"s-1-A", 2, "3"}));
    EXPECT_EQ(bom->rows[2], (BomRow{"1-B", 1, "1"}));
    const auto main = store().readArticle("s-1-100");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->shorttext1, "Heizungsset");
    EXPECT_EQ(main->newflag, 1);
    EXPECT_FALSE(store().readService("1-100"));
    EXPECT_EQ(host.printed.front(), "J-Satz:");
    EXPECT_EQ(host.printed[1], "Hauptartikel \"s-1-100\" angelegt");
    EXPECT_EQ(host.printed[2], "Stückliste Nummer \"1-100\" erzeugt");
}

// DATANORM 3: typed records of 130 bytes with four positions each; C "BAUJ"
// records star the positions their flags name.
class Sets3Test : public test::ServiceTest {
  protected:
    static std::string record(std::string body) {
        body.resize(128, ' ');
        return body + "\r\n";
    }
    static std::string jRecord(const std::string& set,
                               const std::vector<std::pair<std::string, std::string>>& pos) {
        std::string r = "JN" + test::pad(set, 15) + std::string(15, ' ');
        for (const auto& [number, qty] : pos) r += test::pad(number, 15) + test::pad(qty, 7);
        return record(r);
    }
    static std::string baujRecord(const std::string& set, const std::string& flags) {
        std::string r = "C BAUJ" + std::string(11, ' ') + test::pad(set, 15);
        r.resize(109, ' ');
        return record(r + flags);
    }
};

TEST_F(Sets3Test, PositionsAndBaujFlags) {
    session->settings.SourcePath = home.path().string() + "/";
    article("1-100");
    test::writeFile(home / "datasets",
                    jRecord("100", {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"", ""}}) +
                        baujRecord("100", "0 2 1 ") + jRecord("100", {{"D", "4"}}) +
                        "JN100   short");
    host.forms.push_back({"TUEBLEISTUNG", {{104, "0"}}, {}});
    host.defaultAnswer = true;
    ASSERT_EQ(ImportSets3(*session), CommandOutcome::Done);
    // No main-article row for DATANORM 3; flag "2" stars the second row.
    EXPECT_EQ(rowKeys("1-100"), (std::vector<std::string>{"1-A", "*1-B", "1-C", "1-D"}));
}

// A record of the wrong length is left out and the file read on; the run
// then ends with an error and says how many records were left out.
TEST_F(Sets3Test, WrongLengthRecordIsSkippedAndCounted) {
    session->settings.SourcePath = home.path().string() + "/";
    article("1-100");
    std::string broken = jRecord("100", {{"X", "1"}});
    broken.replace(128, 2, "XX");
    test::writeFile(home / "datasets",
                    jRecord("100", {{"A", "1"}}) + broken + jRecord("100", {{"B", "2"}}));
    host.forms.push_back({"TUEBLEISTUNG", {{104, "0"}}, {}});
    host.defaultAnswer = true;
    EXPECT_EQ(ImportSets3(*session), CommandOutcome::Failed);
    EXPECT_EQ(rowKeys("1-100"), (std::vector<std::string>{"1-A", "1-B"}));
    EXPECT_TRUE(host.saidSomething("Fehler: Falsche Satzlänge!!"));
    EXPECT_EQ(host.messages.back(), "1 Satz wegen fehlerhafter Felder übersprungen!");
}

TEST_F(Sets3Test, BillsOfMaterialAreRefused) {
    session->settings.SourcePath = home.path().string() + "/";
    test::writeFile(home / "datasets", jRecord("100", {{"A", "1"}}));
    host.forms.push_back({"TUEBLEISTUNG", {{102, "1"}}, {}});
    EXPECT_EQ(ImportSets3(*session), CommandOutcome::Cancelled);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Übernahme in Stücklisten nur in DATANORM 4.0"});
}

}  // namespace
}  // namespace dn
