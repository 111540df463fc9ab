// Command 35: minutes of articles and services from "minuten".

#include "features/services/minutes.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "support/service_fixture.h"

namespace dn {
namespace {

class MinutesTest : public test::ServiceTest {
  protected:
    // A record of six 20-character entries, padded to 130 bytes.
    static std::string record(const std::vector<std::pair<std::string, std::string>>& entries) {
        std::string r;
        for (const auto& [number, tenths] : entries)
            r += test::pad(number, 15) + test::pad(tenths, 5);
        r.resize(130, ' ');
        return r;
    }
    CommandOutcome run(const std::string& bytes, bool services) {
        session->settings.SourcePath = home.path().string() + "/";
        test::writeFile(home / "minuten", bytes);
        host.forms.push_back({"TUEBMINUTEN", {{101, services ? "1" : "0"}}, {}});
        return ImportMinutes(*session);
    }
};

TEST_F(MinutesTest, ArticleEntriesSetAssemblyMinutes) {
    article("1-4711");
    ASSERT_EQ(
        run(record({{"4711", "00125"}, {"", "00300"}, {"9999", "00050"}}) + "4711 kurz", false),
        CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(store().readArticle("1-4711")->assemblyminutes, 12.5);
    EXPECT_FALSE(store().articleExists("1-9999"));
    EXPECT_FALSE(store().articleExists("1-"));  // the blank entry is skipped
    EXPECT_EQ(host.panelInfo, (std::vector<std::string>{"1-4711", "1-9999"}));
    EXPECT_NE(ReadChangeLog(*session)->find("  Minutenübernahme"), std::string::npos);
}

TEST_F(MinutesTest, ServiceEntriesSetMinutesAndWages) {
    ServiceRecord s;
    s.key = "1-L1";
    s.rows = {{"1-A", 2}};
    store().writeService(s);
    ASSERT_EQ(run(record({{"L1", "00600"}, {"L2", "00100"}}), true), CommandOutcome::Done);
    const auto after = store().readService("1-L1");
    ASSERT_TRUE(after);
    EXPECT_DOUBLE_EQ(after->minutes, 60);
    EXPECT_DOUBLE_EQ(after->wage1, session->host.wageRate1);
    EXPECT_DOUBLE_EQ(after->wage2, session->host.wageRate2);
    EXPECT_EQ(after->rows, s.rows);
    EXPECT_FALSE(store().readService("1-L2"));  // no empty service is made up
}

// Nothing taken over is no success: the run names the missing file.
TEST_F(MinutesTest, MissingFileEndsWithAnError) {
    session->settings.SourcePath = home.path().string() + "/nirgends/";
    host.forms.push_back({"TUEBMINUTEN", {}, {}});
    EXPECT_EQ(ImportMinutes(*session), CommandOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Datei " + home.path().string() +
                                                      "/nirgends/minuten nicht vorhanden!"});
    EXPECT_FALSE(ReadChangeLog(*session));
}

}  // namespace
}  // namespace dn
