// The group commands and the 'groups' subcommand from the command line,
// without a terminal.

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

std::string header() {
    std::string h = "V 010125";
    h += std::string("Grosshandel").append(29, ' ');
    h += std::string("Rabatte").append(33, ' ');
    h += std::string("Zeile drei").append(25, ' ');
    return h + "04EUR";
}

class CliGroupsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(run({"supplier", "edit", "1", "--name", "Vier", "--version", "4"}).code, 0);
    }
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    std::string input(const std::string& name, const std::string& lines) {
        test::writeFile(home / name, lines);
        return (home / name).string();
    }
    test::TempDir home;
};

TEST_F(CliGroupsTest, ReadPrintListAndMarkDiscountGroups) {
    const std::string rab =
        input("datanorm.rab", header() + "\r\nR;;47;1;3550;Rohre;\r\nR;;48;3;0500;Teuer;\r\n");
    auto r = run({"run", "22", "--file", rab, "--set", "100=1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("2 Rabattgruppen / -sätze von der Diskette gelesen!"), std::string::npos)
        << r.err;

    r = run({"run", "23", "--protocol", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Rabattgruppenliste: Vier"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("48    Teuer                                     MULTI       0.000"),
              std::string::npos)
        << r.out;

    ASSERT_EQ(run({"groups", "discount", "mark", "47"}).code, 0);
    r = run({"groups", "discount", "list"});
    EXPECT_NE(r.out.find("* 1-47    Rohre"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  1-48    Teuer"), std::string::npos) << r.out;
    ASSERT_EQ(run({"groups", "discount", "unmark", "47"}).code, 0);
    EXPECT_NE(run({"groups", "discount", "list"}).out.find("  1-47    Rohre"), std::string::npos);

    r = run({"groups", "discount", "mark", "99"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Rabattgruppe 1-99 gibt es nicht."), std::string::npos) << r.err;
    EXPECT_EQ(run({"groups", "discount"}).code, 2);

    r = run({"log"});
    EXPECT_NE(r.out.find("4 Rabattgruppen"), std::string::npos) << r.out;
}

TEST_F(CliGroupsTest, ReadAndMarkProductGroups) {
    const std::string wrg = input(
        "datanorm.wrg", header() + "\r\nS;;123;Hauptgruppe;;;\r\nS;;123;;4567;Untergruppe;\r\n");
    auto r = run({"run", "51", "--file", wrg});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("2 Warengruppen von der Diskette gelesen!"), std::string::npos) << r.err;

    ASSERT_EQ(run({"groups", "product", "mark", "123"}).code, 0);
    r = run({"groups", "product", "list"});
    EXPECT_NE(r.out.find("* 1-123             Hauptgruppe"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  1-1234567         Untergruppe"), std::string::npos) << r.out;

    r = run({"--yes", "groups", "product", "contents"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("1 Hauptwarengruppen eingetragen"), std::string::npos) << r.out;

    r = run({"run", "53", "--protocol", "-"});
    EXPECT_NE(r.out.find("1-1234567            Untergruppe"), std::string::npos) << r.out;
}

TEST_F(CliGroupsTest, ManualEntryAndArticleListing) {
    auto r = run({"run", "21", "--set", "100=47", "--set", "101=12.5", "--set", "102=Handeingabe"});
    ASSERT_EQ(r.code, 0) << r.err;
    r = run({"groups", "discount", "list"});
    EXPECT_NE(r.out.find("  1-47    Handeingabe"), std::string::npos) << r.out;

    const std::string art =
        input("datanorm.001", header() + "\r\nA;N;4711;00;Rohr;Kupfer;1;0;Stck;12345;47;123;;\r\n");
    r = run({"run", "32", "--file", art, "--protocol", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Gesamtanzahl: 1"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace dn
