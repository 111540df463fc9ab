// The command line's arguments: the chosen file against the fixed names,
// deliveries in any case, the sub-directory question, refused values,
// user rights, German parse errors and output that cannot be written.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

std::string lines(const std::vector<std::string>& l) {
    std::string bytes;
    for (const auto& x : l) bytes += x + "\r\n";
    return bytes;
}

std::string discountFile(const std::string& text) {
    return lines({"V;050;R;20240131;EUR;Rabatte;x;y;", "R;1;1;100;" + text + ";"});
}

std::string productFile(const std::string& text) {
    return lines({"V;050;S;20240131;EUR;Gruppen;x;y;", "S;123;;" + text + ";"});
}

class CliArgumentsTest : public ::testing::Test {
  protected:
    test::CliResult run(const std::vector<std::string>& args, const std::string& stdoutTo = "") {
        return runDatanorm(home.path().string(), args, stdoutTo);
    }
    // Supplier 1 of the version, reading from `data`.
    void supplier(const std::string& version, const std::vector<std::string>& more = {}) {
        std::vector<std::string> args{"supplier", "edit",   "1",
                                      "--name",   "Eins",   "--version",
                                      version,    "--path", data.path().string() + "/"};
        args.insert(args.end(), more.begin(), more.end());
        auto r = run(args);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    test::TempDir home;
    test::TempDir data;
};

TEST_F(CliArgumentsTest, FileGivenOnTheCommandLineWinsOverTheFixedName) {
    supplier("5");
    test::writeFile(data / "datanorm.rab", discountFile("Vorgabe"));
    test::writeFile(data / "other.rab", discountFile("Andere"));
    test::writeFile(data / "datanorm.wrg", productFile("Vorgabe"));
    test::writeFile(data / "mine.wrg", productFile("Meine"));

    auto r = run({"run", "22", "--file", "other.rab"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "discount", "list"}).out.find("Andere"), std::string::npos);
    r = run({"run", "51", "--file", (data / "mine.wrg").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "product", "list"}).out.find("Meine"), std::string::npos);
    const std::string log = run({"log"}).out;
    EXPECT_NE(log.find((data / "other.rab").string()), std::string::npos) << log;
    EXPECT_EQ(log.find((data / "datanorm.rab").string()), std::string::npos) << log;

    // One file more than the command reads, or one that is not there, is a
    // usage error before anything changes.
    r = run({"run", "22", "--file", "other.rab", "--file", "datanorm.rab"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("Dieser Befehl liest eine Datei, angegeben sind 2"), std::string::npos)
        << r.err;
    r = run({"run", "22", "--file", "fehlt.rab"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("fehlt.rab nicht vorhanden!"), std::string::npos) << r.err;
    EXPECT_NE(run({"groups", "discount", "list"}).out.find("Andere"), std::string::npos);
}

TEST_F(CliArgumentsTest, DeliveryNamesAreFoundInAnyCase) {
    supplier("5");
    test::writeFile(data / "DATANORM.RAB", discountFile("Gross"));
    test::writeFile(data / "Datanorm.Wrg", productFile("Gemischt"));
    auto r = run({"run", "22"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "discount", "list"}).out.find("Gross"), std::string::npos);
    r = run({"run", "51"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "product", "list"}).out.find("Gemischt"), std::string::npos);
}

TEST_F(CliArgumentsTest, SubdirectoryQuestionIsAnsweredFromTheCommandLine) {
    supplier("5", {"--subdirs", "1"});
    test::writeFile(data / "d5grund/datanorm.wrg", productFile("Neuanlage"));
    test::writeFile(data / "D5Aend/datanorm.wrg", productFile("Aenderung"));
    // Without an answer the preselection: d5grund.
    auto r = run({"run", "51"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "product", "list"}).out.find("Neuanlage"), std::string::npos);
    r = run({"run", "51", "--set", "TNEUAENDERUNG:100=1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(run({"groups", "product", "list"}).out.find("Aenderung"), std::string::npos);
    // The command's own dialog still takes the plain --set values.
    test::writeFile(data / "D5Aend/datanorm.rab", discountFile("Rabatt"));
    r = run({"run", "22", "--set", "TNEUAENDERUNG:100=1", "--set", "101=1", "--protocol", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Rabatt"), std::string::npos) << r.out;
}

// Values the program must refuse with a German message, changing nothing.
TEST_F(CliArgumentsTest, RefusedValuesAreUsageErrors) {
    ASSERT_EQ(run({"supplier", "edit", "17", "--name", "Siebzehn", "--letter", "K"}).code, 0);
    ASSERT_EQ(run({"settings", "SourcePath=/quelle/"}).code, 0);
    const std::string ini = test::readFile(home / "stamm/datanorm.ini");
    const std::string suppliers = test::readFile(home / "stamm/lieferan.dat");
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"supplier", "edit", "0"}, 2, "Lieferantennummer 0 außerhalb 1 bis 99"},
        {{"supplier", "edit", "100"}, 2, "Lieferantennummer 100 außerhalb 1 bis 99"},
        {{"supplier", "edit", "7", "--version", "6"},
         2,
         "--version nimmt 3, 4 oder 5, nicht \"6\""},
        {{"supplier", "edit", "7", "--version", "x"},
         2,
         "--version nimmt 3, 4 oder 5, nicht \"x\""},
        {{"supplier", "edit", "17", "--letter", "AB"}, 2, "\"AB\" ist kein gültiger Kennbuchstabe"},
        {{"supplier", "edit", "17", "--letter", "L"}, 2, "\"L\" ist kein gültiger Kennbuchstabe"},
        {{"supplier", "edit", "17", "--name", "Zwei\nZeilen"},
         2,
         "Bezeichnung enthält ein Steuerzeichen"},
        {{"settings", "SourcePath=/neu/\nx"}, 2, "SourcePath enthält ein Steuerzeichen"},
        {{"run", "61", "--set", "100=/neu/\r\n1"}, 2, "SourcePath enthält ein Steuerzeichen"},
        {{"run", "abc"}, 2, "Kein gültiger Wert für number: abc"},
        {{"supplier"}, 2, "Ein Unterbefehl fehlt."},
        {{"articles", "--format", "xml"}, 2, "--format: xml ist nicht eine von csv,json."},
        {{"run", "22", "--gibtsnicht"}, 2, "Unerwartete Angabe: --gibtsnicht"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        auto r = run(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("terminate"), std::string::npos);
    }
    EXPECT_EQ(test::readFile(home / "stamm/datanorm.ini"), ini);
    EXPECT_EQ(test::readFile(home / "stamm/lieferan.dat"), suppliers);
    EXPECT_NE(run({"settings"}).out.find("SourcePath=/quelle/\nTakeLongTexts=1\n"),
              std::string::npos);
}

TEST_F(CliArgumentsTest, StartParametersThatAreNoSwitchAreIgnored) {
    auto r = run({"/KAX", "irgendwas", "/ka", "commands"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(run({}).err, "Ein Unterbefehl fehlt.\nMehr dazu mit --help.\n");
}

TEST_F(CliArgumentsTest, SupplierTableThatIsADirectoryIsNamed) {
    std::filesystem::create_directories(home / "stamm/lieferan.dat");
    auto r = run({"supplier", "list"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Fehler beim Lesen von " + (home / "stamm/lieferan.dat").string() +
                         ": das ist ein Verzeichnis, keine Datei"),
              std::string::npos)
        << r.err;
}

TEST_F(CliArgumentsTest, DeniedCommandsGuardEveryChange) {
    supplier("5");
    test::writeFile(home / "stamm/datanorm.log", "01.01.2026 x\r\n");
    std::string config = test::readFile(home / "torvalo.ini");
    test::writeFile(home / "torvalo.ini", config + "gesperrte_kommandos=64,63,61,25,26,54\n");
    const std::string ini = test::readFile(home / "stamm/datanorm.ini");
    struct Case {
        std::vector<std::string> args;
        int command;
    };
    const Case cases[] = {
        {{"--yes", "log", "--delete"}, 64},
        {{"settings", "TakeListPrice=1"}, 63},
        {{"settings", "SourcePath=/anders/"}, 61},
        {{"current", "2"}, 25},
        {{"run", "63"}, 63},
        {{"groups", "discount", "mark", "1"}, 26},
        {{"groups", "product", "delete-articles"}, 54},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        auto r = run(c.args);
        EXPECT_EQ(r.code, 7) << r.err;
        EXPECT_NE(r.err.find("Keine Berechtigung für Befehl " + std::to_string(c.command) + "."),
                  std::string::npos)
            << r.err;
    }
    EXPECT_TRUE(std::filesystem::exists(home / "stamm/datanorm.log"));
    EXPECT_EQ(test::readFile(home / "stamm/datanorm.ini"), ini);
    EXPECT_EQ(test::readFile(home / "stamm/aktuell.dat"), "1\r\n");
    // Reading stays open.
    EXPECT_EQ(run({"log"}).code, 0);
    EXPECT_EQ(run({"current"}).code, 0);
    EXPECT_EQ(run({"groups", "discount", "list"}).code, 0);
}

TEST_F(CliArgumentsTest, OutputThatCannotBeWrittenFails) {
    supplier("5");
    test::writeFile(data / "datanorm.rab", discountFile("Eins"));
    const std::vector<std::vector<std::string>> commands = {
        {"articles"}, {"supplier", "list"}, {"commands"},
        {"info"},     {"settings"},         {"run", "22", "--set", "101=1"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        auto r = run(args, "/dev/full");
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_NE(r.err.find("Fehler beim Schreiben der Ausgabe: No space left on device"),
                  std::string::npos)
            << r.err;
    }
    auto r = run({"run", "22", "--set", "101=1", "--protocol", "/dev/full"});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(r.err.find("Fehler beim Schreiben der Protokolldatei /dev/full"), std::string::npos)
        << r.err;
}

// The local copy of a delivery on a full disk: the last block fails only
// when the file is closed.
TEST_F(CliArgumentsTest, LocalCopyOnAFullDiskFails) {
    for (const char* version : {"4", "5"}) {
        SCOPED_TRACE(version);
        supplier(version);
        ASSERT_EQ(run({"settings", "CopyToLocalDisk=1"}).code, 0);
        std::filesystem::remove(home / "temp/datanorm.tmp");
        std::filesystem::create_symlink("/dev/full", home / "temp/datanorm.tmp");
        test::writeFile(
            data / "datanorm.001",
            version == std::string("4")
                ? "V 161025" + std::string(115, ' ') + "04EUR\r\nA;N;1;00;Rohr;;1;0;St;100;;;;\r\n"
                : "V;050;A;20240131;EUR;x;y;z;\r\nA;N;1;Rohr;;1;St;100;\r\n");
        auto r = run({"--yes", "run", "33", "--file", (data / "datanorm.001").string()});
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_NE(r.err.find("datanorm.tmp kann nicht geschrieben werden"), std::string::npos)
            << r.err;
    }
}

}  // namespace
}  // namespace dn
