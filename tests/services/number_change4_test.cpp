// Command 62 for DATANORM 4 and 3: the old-to-new index and its use in
// service rows and documents.

#include "features/services/number_change4.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "features/services/documents.h"
#include "support/service_fixture.h"

namespace dn {
namespace {

TEST(NumberTable, MapNumberKeepsTheStar) {
    NumberChangeTable t;
    EXPECT_TRUE(addNumberChange(t, "A-1", "A-2"));
    EXPECT_FALSE(addNumberChange(t, "A-1", "A-3"));  // the first pair stays
    const struct {
        const char* key;
        const char* mapped;
    } cases[] = {{"A-1", "A-2"}, {"*A-1", "*A-2"}, {"A-2", ""}, {"", ""}, {"**A-1", ""}};
    for (const auto& c : cases) EXPECT_EQ(mapNumber(t, c.key), c.mapped) << c.key;
}

// A DATANORM 4 article line: flag, number and short text 1.
std::string aLine(const std::string& flag, const std::string& number, const std::string& text) {
    return "A;" + flag + ";" + number + ";00;" + text + ";;1;0;St;100;;;;";
}

class Change4Test : public test::ServiceTest {
  protected:
    void SetUp() override {
        ServiceTest::SetUp();
        ServiceRecord s;
        s.key = "1-900";
        s.rows = {{"*1-1", 1}, {"1-1", 2}, {"1-3", 3}};
        store().writeService(s);
        test::writeFile(session->dir(kOfferDir) / "p.ang", offer("1-1"));
    }
    static std::string offer(const std::string& key) {
        std::string r(1, '\xFF');
        r += static_cast<char>(key.size());
        r += key + std::string(18 - key.size(), '\0');
        r.resize(kDocumentRecordSize, ' ');
        return r;
    }
    CommandOutcome run(const std::vector<std::string>& lines) {
        std::vector<std::string> all = {test::dn4Header()};
        all.insert(all.end(), lines.begin(), lines.end());
        host.forms.push_back({"TAXLEISTUNG4", {}, {}});
        host.files.push_back({file("datanorm.001", all)});
        return ChangeNumbersInServices4(*session);
    }
};

TEST_F(Change4Test, XRecordsChangeServiceRowsAndDocuments) {
    ASSERT_EQ(run({aLine("X", "1", "2"), aLine("X", "3", "3")}), CommandOutcome::Done);
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-2", "1-2", "1-3"}));
    EXPECT_EQ(test::readFile(session->dir(kOfferDir) / "p.ang"), offer("1-2"));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_NE(ReadChangeLog(*session)->find("4 Artikelnummeränderung"), std::string::npos);
    EXPECT_EQ(host.panelInfo.front(), "Indexdatei erzeugen");
    EXPECT_EQ(host.panelInfo[1], "1-1 --> 1-2");
}

// After a message that says the take-over stops, the pairs read before it
// change nothing: no service, no document, no change-log line.
TEST_F(Change4Test, AFileThatStopsChangesNothing) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        bool header;
        const char* message;
    } cases[] = {
        {"overlong",
         {aLine("X", "1", "2"), aLine("X", "3456789012345678", "4")},
         true,
         "Die Übernahme wird abgebrochen!"},
        {"no_header",
         {aLine("X", "1", "2")},
         false,
         "Der Vorlaufsatz fehlt! Die Übernahme wird abgebrochen."},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        std::vector<std::string> all = c.lines;
        if (c.header) all.insert(all.begin(), test::dn4Header());
        host.forms.push_back({"TAXLEISTUNG4", {}, {}});
        host.files.push_back({file("datanorm.001", all)});
        EXPECT_EQ(ChangeNumbersInServices4(*session), CommandOutcome::Failed) << c.name;
        ASSERT_FALSE(host.messages.empty()) << c.name;
        EXPECT_NE(host.messages.back().find(c.message), std::string::npos) << c.name;
        EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"})) << c.name;
        EXPECT_EQ(test::readFile(session->dir(kOfferDir) / "p.ang"), offer("1-1")) << c.name;
        const auto log = ReadChangeLog(*session);
        EXPECT_TRUE(!log || log->find("4 Artikelnummeränderung") == std::string::npos) << c.name;
    }
}

TEST_F(Change4Test, OtherRecordsAskFirst) {
    host.answers = {false};
    EXPECT_EQ(run({aLine("N", "5", "Neu"), aLine("X", "1", "2")}), CommandOutcome::Cancelled);
    EXPECT_EQ(host.questions,
              std::vector<std::string>{"Es wurden außer den Artikelnummer-"
                                       "Änderungssätzen auch andere Sätze gefunden! Weiter?"});
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"}));
    EXPECT_EQ(test::readFile(session->dir(kOfferDir) / "p.ang"), offer("1-1"));
}

TEST_F(Change4Test, OnlyOtherRecordsChangeNothing) {
    EXPECT_EQ(run({aLine("N", "5", "Neu")}), CommandOutcome::Done);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Es wurden keine Artikelnummer-Änderungssätze gefunden!"});
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"}));
}

TEST_F(Change4Test, ParameterOkTakesTheTextWithoutPrefix) {
    session->ParamOk = true;
    ASSERT_EQ(run({aLine("X", "1", "K-9")}), CommandOutcome::Done);
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*K-9", "K-9", "1-3"}));
}

TEST_F(Change4Test, Dn3RecordsInARange) {
    session->settings.SourcePath = home.path().string() + "/";
    auto rec = [](std::string body) {
        body.resize(128, ' ');
        return body + "\r\n";
    };
    test::writeFile(home / "datanorm", rec("AX" + test::pad("1", 15) + "00" + test::pad("2", 40)) +
                                           rec("B " + test::pad("1", 15)) + "AX1   kurz");
    host.forms.push_back({"TAXLEISTUNG", {}, {}});
    ASSERT_EQ(ChangeNumbersInServices3(*session), CommandOutcome::Done);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Fehler: Keine Änderungssätze!"});
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-2", "1-2", "1-3"}));
}

}  // namespace
}  // namespace dn
