#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

class CliTest : public ::testing::Test {
  protected:
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    test::TempDir home;
};

TEST_F(CliTest, CommandsShowVisibilityForTheSupplierVersion) {
    auto r = run({"commands"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("  35 - Artikel / Minuten übernehmen"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" 371 - Artikel / Grafikverwaltung / Grafiken Kopieren"),
              std::string::npos);
    ASSERT_EQ(run({"supplier", "edit", "1", "--name", "Fünf", "--version", "5"}).code, 0);
    r = run({"commands"});
    EXPECT_NE(r.out.find(" 371   Artikel / Grafikverwaltung"), std::string::npos) << r.out;
}

TEST_F(CliTest, SupplierLettersAreUnique) {
    auto r =
        run({"supplier", "edit", "40", "--name", "Vierzig", "--version", "4", "--letter", "K"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Präfix         : K-"), std::string::npos);
    // Saved without the letter, and said so.
    r = run({"supplier", "edit", "12", "--name", "Zwölf", "--letter", "K"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("Kennbuchstabe K hat bereits Lieferant 40; Lieferant 12 wurde ohne "
                         "Kennbuchstaben gespeichert."),
              std::string::npos)
        << r.err;
    r = run({"supplier", "show", "12"});
    EXPECT_NE(r.out.find("Bezeichnung    : Zwölf"), std::string::npos);
    EXPECT_NE(r.out.find("Präfix         : 12-"), std::string::npos);
    // Below supplier 10 the letter field is not there at all.
    r = run({"supplier", "edit", "5", "--letter", "M"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("nicht eingebbar"), std::string::npos) << r.err;
}

TEST_F(CliTest, ExitCodes) {
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"run", "999"}).code, 2);
    EXPECT_EQ(run({"run", "36"}).code, 6);  // free texts do nothing for DATANORM 4
    EXPECT_EQ(run({"settings", "Unbekannt=1"}).code, 2);
    EXPECT_EQ(run({"supplier", "show", "100"}).code, 2);
    EXPECT_EQ(run({"run", "61", "--set", "100=/quelle/datanorm", "--set", "102=1"}).code, 0);
    auto r = run({"settings"});
    EXPECT_NE(r.out.find("SourcePath=/quelle/datanorm/\nTakeLongTexts=1"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("CopyToLocalDisk=1"), std::string::npos);
    r = run({"run", "61", "--set", "101=vielleicht"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("nimmt 0 oder 1"), std::string::npos) << r.err;
}

TEST_F(CliTest, QuestionsWithoutTerminalStopWithTheQuestion) {
    ASSERT_EQ(run({"settings"}).code, 0);  // first run creates the home
    test::writeFile(home / "stamm/datanorm.log", "01.01.2026 x\r\n");
    auto r = run({"log", "--delete"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("Wollen Sie die gesamte Protokolldatei löschen?"), std::string::npos)
        << r.err;
    EXPECT_TRUE(std::filesystem::exists(home / "stamm/datanorm.log"));
    EXPECT_EQ(run({"--no", "log", "--delete"}).code, 3);
    EXPECT_EQ(run({"--yes", "log", "--delete"}).code, 0);
    r = run({"log"});
    EXPECT_EQ(r.out, "Keine Protokolldatei gefunden!\n");
}

TEST_F(CliTest, CurrentSupplierAndSwitches) {
    ASSERT_EQ(
        run({"supplier", "edit", "12", "--name", "Kaiser", "--version", "3", "--letter", "a"}).code,
        0);
    auto r = run({"current", "12"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("12 Kaiser  a\nVersion: DATANORM 3\nPräfix : a-"), std::string::npos)
        << r.out;
    EXPECT_EQ(test::readFile(home / "stamm/aktuell.dat"), "12\r\n");
    // The original parameters before the subcommand.
    EXPECT_EQ(run({"/KA", "/cu", "commands"}).code, 0);
    EXPECT_EQ(run({"current", "0"}).code, 0);  // 0 = show
}

}  // namespace
}  // namespace dn
