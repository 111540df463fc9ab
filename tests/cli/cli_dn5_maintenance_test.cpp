// The DATANORM 5 group imports, price maintenance and graphics commands
// from the command line, without a terminal.

#include <gtest/gtest.h>

#include "host/codepage.h"
#include "host/store.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

class CliDn5MaintenanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(home / "quelle");
        auto r = run({"supplier", "edit", "1", "--name", "Fünf", "--version", "5", "--path",
                      (home / "quelle").string() + "/"});
        ASSERT_EQ(r.code, 0) << r.err;
    }
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    std::string file(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += utf8ToCp850(l) + "\r\n";
        test::writeFile(home / "quelle" / name, bytes);
        return (home / "quelle" / name).string();
    }
    std::filesystem::path storeFile() const { return home / "stamm/stamm.db"; }
    test::TempDir home;
};

TEST_F(CliDn5MaintenanceTest, GroupsPricesAndGraphics) {
    auto f = file("datanorm.rab", {"V;050;R;20240131;EUR;Rabatte;;;", "R;1234;1;3550;Rohre;"});
    auto r = run(
        {"--yes", "run", "22", "--file", f, "--set", "100=1", "--set", "101=1", "--protocol", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("1 Rabattgruppen/-sätze gelesen!"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Rabatt            : 1-1234   Rohre"), std::string::npos) << r.out;

    f = file("datanorm.wrg", {"V;050;S;20240131;EUR;;;;", "S;123;;Heizung;", "S;123;45;Kessel;"});
    r = run({"run", "51", "--file", f});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("2 Warengruppen gelesen!"), std::string::npos) << r.err;

    {
        auto store = openSqliteStore(storeFile());
        ArticleRecord a;
        a.key = "1-A1";
        a.graphickey = "1-G1";
        a.purchaseprice = 1;
        a.salesprice = 2;
        store->writeArticle(a);
        store->writeLongText({"1-G1", "3", {"0102rohr.jpg    Rohrbild"}});
    }
    f = file("datpreis.001", {"V;050;P;20240131;EUR;Preise;;;", "P;A1;1;1;10000;1234;;;;;;;",
                              "P;NIX;1;1;1;;;;;;;;"});
    r = run({"run", "41", "--file", "datpreis.001", "--set", "104=1", "--protocol", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Preispflege für 1 Artikel durchgeführt!"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Preisänderung: 1-A1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Artikel nicht gefunden: 1-NIX"), std::string::npos) << r.out;
    {
        auto store = openSqliteStore(storeFile());
        auto a = store->readArticle("1-A1");
        ASSERT_TRUE(a);
        EXPECT_DOUBLE_EQ(a->salesprice, 100);
        EXPECT_DOUBLE_EQ(a->purchaseprice, 64.5);
        EXPECT_EQ(a->discountgroup, "1234");
    }
    r = run({"log"});
    EXPECT_NE(r.out.find("5 Preispflege"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("5 Rabattgruppen"), std::string::npos) << r.out;

    test::writeFile(home / "quelle" / "rohr.jpg", "bild");
    r = run({"--yes", "run", "371"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("1 Grafiken kopiert!"), std::string::npos) << r.err;
    EXPECT_EQ(test::readFile(home / "stamm/bilder/01/rohr.jpg"), "bild");
    {
        auto store = openSqliteStore(storeFile());
        ASSERT_EQ(store->readGraphicsIndex("1-").size(), 1u);
        store->deleteGraphicsIndexOfPrefix("1-");
    }
    r = run({"--yes", "run", "372"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(openSqliteStore(storeFile())->readGraphicsIndex("1-").size(), 1u);
}

TEST_F(CliDn5MaintenanceTest, BadFilesAndRefusedModes) {
    auto f = file("datpreis.001", {"P;A1;1;1;10000;;;;;;;;"});
    auto r = run({"run", "41", "--file", f});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("Vorlaufsatz fehlt!"), std::string::npos) << r.err;

    // A refused dialog value is a usage error.
    r = run({"run", "41", "--file", f, "--set", "102=1", "--set", "103=2"});
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find("Die Übernahme der EK und VK ist deaktiviert!"), std::string::npos)
        << r.err;

    // Without an answer the graphics index question stops the run.
    r = run({"run", "372"});
    EXPECT_EQ(r.code, 3) << r.err;
}

}  // namespace
}  // namespace dn
