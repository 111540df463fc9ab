// Command 62 for DATANORM 5: B records with flag "A" change service rows and
// documents.

#include "features/services/number_change5.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "features/services/documents.h"
#include "formats/dn5/tdatanorm5.h"
#include "support/service_fixture5.h"

namespace dn {
namespace {

class Change5Test : public test::ServiceTest5 {
  protected:
    void SetUp() override {
        ServiceTest::SetUp();
        ServiceRecord s;
        s.key = "1-900";
        s.rows = {{"*1-1", 1}, {"1-1", 2}, {"1-3", 3}};
        store().writeService(s);
        test::writeFile(session->dir(kMeasurementDir) / "m.auf", measurement("*1-1"));
    }
    static std::string measurement(const std::string& key) {
        std::string r("\xC9\x02", 2);
        r += static_cast<char>(key.size());
        r += key + std::string(18 - key.size(), '\0');
        r.resize(kDocumentRecordSize, ' ');
        return r;
    }
    CommandOutcome run(const std::vector<std::string>& lines) {
        std::vector<std::string> all = {"V;050;A;20240131;EUR;Artikel;;;"};
        all.insert(all.end(), lines.begin(), lines.end());
        host.forms.push_back({"TAXLEISTUNG4", {}, {}});
        host.files.push_back({file("datanorm.001", all)});
        return ChangeNumbersInServices5(dn5());
    }
};

TEST_F(Change5Test, OnlyChangeRecordsApplyWithoutQuestion) {
    ASSERT_EQ(run({"B;A;1;2;20240101;", "B;A;3;3;;", "X;unbekannt;"}), CommandOutcome::Done);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-2", "1-2", "1-3"}));
    EXPECT_EQ(test::readFile(session->dir(kMeasurementDir) / "m.auf"), measurement("*1-2"));
    EXPECT_NE(ReadChangeLog(*session)->find("5 Artikelnummeränderung"), std::string::npos);
}

TEST_F(Change5Test, OtherRecordsAskAndNoKeepsEverything) {
    host.answers = {false};
    ASSERT_EQ(run({"A;N;7;Text;;St;1;0;100;;;;;", "B;A;1;2;;"}), CommandOutcome::Done);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"}));
    EXPECT_EQ(test::readFile(session->dir(kMeasurementDir) / "m.auf"), measurement("*1-1"));
    // The log names the file also when nothing was applied.
    EXPECT_NE(ReadChangeLog(*session)->find("5 Artikelnummeränderung"), std::string::npos);
}

// A file that stops with a fault (an over-long field, a file cut off in its
// last record) changes nothing and writes no change-log line.
TEST_F(Change5Test, AFileThatStopsChangesNothing) {
    const std::vector<std::string> cases[] = {
        {"B;A;1;2;;", "B;A;3;1234567890123456;;"},
        {"B;A;1;2;;", "B;A;3;4"},  // the last line without its line end: cut off
    };
    for (const auto& lines : cases) {
        std::vector<std::string> all = {"V;050;A;20240131;EUR;Artikel;;;"};
        all.insert(all.end(), lines.begin(), lines.end());
        std::string bytes;
        for (const auto& l : all) bytes += l + (&l == &all.back() ? "" : "\r\n");
        test::writeFile(home / "cut.001", bytes);
        host.forms.push_back({"TAXLEISTUNG4", {}, {}});
        host.files.push_back({(home / "cut.001").string()});
        EXPECT_EQ(ChangeNumbersInServices5(dn5()), CommandOutcome::Failed) << lines.back();
        EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"}))
            << lines.back();
        EXPECT_EQ(test::readFile(session->dir(kMeasurementDir) / "m.auf"), measurement("*1-1"));
        const auto log = ReadChangeLog(*session);
        EXPECT_TRUE(!log || log->find("5 Artikelnummeränderung") == std::string::npos)
            << lines.back();
    }
}

TEST_F(Change5Test, DeletionsOnlyFindNoChanges) {
    ASSERT_EQ(run({"B;L;1;;20240101;"}), CommandOutcome::Done);
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Es wurden keine Artikelnummer-Änderungssätze gefunden!"});
    EXPECT_EQ(rowKeys("1-900"), (std::vector<std::string>{"*1-1", "1-1", "1-3"}));
}

TEST_F(Change5Test, MapNumber5LooksUpWithoutTheStar) {
    const NumberChangeTable temptabelle = {{"K-1", "K-2"}};
    const struct {
        const char* key;
        const char* mapped;
    } cases[] = {{"*K-1", "*K-2"}, {"K-1", "K-2"}, {"K-3", ""}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(MapNumber5(temptabelle, c.key), c.mapped) << c.key;
}

}  // namespace
}  // namespace dn
