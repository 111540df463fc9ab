// How a run ends, for every importer, through the command-line program as a
// script sees it: the exit code and the change-log line (or none) for a good
// file and for each kind of faulty file; a refused dialog value; control
// characters in a file name and in a field; the progress lines.

#include <gtest/gtest.h>

#include <filesystem>

#include "host/codepage.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

std::string dn4Header(const std::string& version = "04") {
    return "V 161025" + std::string(115, ' ') + version + "EUR";
}

std::string dn5Header(char kind, const std::string& version = "050") {
    return "V;" + version + ";" + kind + ";20240131;EUR;Lieferung;;;";
}

const std::string kLong(200, 'X');  // longer than any field

// One importer: its command, version, the file it reads, a good record and
// one with an over-long field, and the kind of its change-log line.
struct Importer {
    const char* name;
    int command;
    int version;  // 4 or 5
    char kind;    // DATANORM 5 file kind
    std::string good;
    std::string overlong;
    const char* logKind;  // nullptr: the command writes no change-log line
    std::vector<std::string> args;
};

const std::vector<Importer>& importers() {
    static const std::vector<Importer> all = {
        {"22 v4",
         22,
         4,
         'R',
         "R;;47;1;3550;Rohre;",
         "R;;47;1;3550;" + kLong + ";",
         "4 Rabattgruppen",
         {}},
        {"33 v4",
         33,
         4,
         'A',
         "A;N;ART1;00;Artikel;;1;0;St;00010000;;;;",
         "A;N;ART1;00;" + kLong + ";;1;0;St;00010000;;;;",
         "4 Artikelübernahme",
         {}},
        {"34 v4",
         34,
         4,
         'J',
         "J;N;100;;1;;Set;;4711;2;",
         "J;N;" + kLong + ";;1;;Set;;4711;2;",
         "4 Leistungübernahme",
         {}},
        {"41 v4",
         41,
         4,
         'P',
         "P;A;ART1;1;00002000;1;1000;;;;;;;;;;;;;;;;;;;;;;;;",
         "P;A;" + kLong + ";1;00002000;1;1000;;;;;;;;;;;;;;;;;;;;;;;;",
         "4 Preispflege",
         {}},
        {"51 v4",
         51,
         4,
         'S',
         "S;;123;Hauptgruppe;;;",
         "S;;123;" + kLong + ";;;",
         "4 Warengruppen",
         {}},
        {"62 v4",
         62,
         4,
         'A',
         "A;X;1;00;2;;1;0;St;100;;;;",
         "A;X;" + kLong + ";00;2;;1;0;St;100;;;;",
         "4 Artikelnummeränderung",
         {}},
        {"22 v5",
         22,
         5,
         'R',
         "R;1234;1;3550;Rohre;",
         "R;1234;1;3550;" + kLong + ";",
         "5 Rabattgruppen",
         {}},
        {"33 v5",
         33,
         5,
         'A',
         "A;N;4711;Rohr;;;2;1;100;;;;;;;;;;;;;;;;;;;;",
         "A;N;4711;" + kLong + ";;;2;1;100;;;;;;;;;;;;;;;;;;;;",
         "5 Artikelübernahme",
         {}},
        {"34 v5",
         34,
         5,
         'J',
         "J;N;100;K;;1;4711;1500;",
         "J;N;" + kLong + ";K;;1;4711;1500;",
         "5 Leistungübernahme",
         {}},
        {"36 v5",
         36,
         5,
         'T',
         "T;N;FT1;1;01;Freier Text;",
         "T;N;FT1;1;01;" + kLong + ";",
         "5 Langtextübernahme",
         {}},
        {"41 v5",
         41,
         5,
         'P',
         "P;A1;1;1;10000;1234;;;;;;;",
         "P;" + kLong + ";1;1;10000;1234;;;;;;;",
         "5 Preispflege",
         {}},
        {"51 v5", 51, 5, 'S', "S;123;;Heizung;", "S;123;;" + kLong + ";", nullptr, {}},
        {"62 v5",
         62,
         5,
         'A',
         "B;A;1;2;20240101;",
         "B;A;" + kLong + ";2;;",
         "5 Artikelnummeränderung",
         {}},
    };
    return all;
}

// An input fault: the file's contents from the importer's records.
struct Fault {
    const char* name;
    std::string (*contents)(const Importer&);
    bool dn4;  // the fault exists for DATANORM 4 files
};

std::string lines(std::initializer_list<std::string> l) {
    std::string bytes;
    for (const auto& line : l) bytes += utf8ToCp850(line) + "\r\n";
    return bytes;
}
std::string header(const Importer& i) {
    return i.version == 4 ? dn4Header() : dn5Header(i.kind);
}

const Fault kFaults[] = {
    {"header missing", [](const Importer& i) { return lines({i.good}); }, true},
    {"wrong version",
     [](const Importer& i) {
         return lines({i.version == 4 ? dn4Header("03") : dn5Header(i.kind, "040"), i.good});
     },
     true},
    {"wrong kind",
     [](const Importer& i) {
         return lines({dn5Header(i.kind == 'A' ? 'R' : 'A'), i.good});
     },
     false},
    {"over-long field",
     [](const Importer& i) {
         return lines({header(i), i.overlong});
     },
     true},
    {"binary junk",
     [](const Importer&) {
         return std::string(
             "\x7f"
             "ELF\x02\x01\x01\x00\xff\xfe\x1b[2J\x00\x01",
             15);
     },
     true},
    {"empty file", [](const Importer&) { return std::string(); }, true},
};

class CliOutcomeTest : public ::testing::Test {
  protected:
    test::CliResult run(const std::filesystem::path& home, const std::vector<std::string>& args) {
        return runDatanorm(home.string(), args);
    }
    // A home with supplier 1 of the version, current.
    std::filesystem::path homeFor(int version) {
        const auto& home = version == 4 ? home4 : home5;
        if (!std::filesystem::exists(home / "lief")) {
            std::filesystem::create_directories(home / "lief");
            EXPECT_EQ(run(home.path(),
                          {"supplier", "edit", "1", "--name", "Test", "--version",
                           std::to_string(version), "--path", (home / "lief").string() + "/"})
                          .code,
                      0);
        }
        return home.path();
    }
    // The change log, empty when there is none.
    std::string logOf(const std::filesystem::path& home) {
        const std::string out = run(home, {"log"}).out;
        return out == "Keine Protokolldatei gefunden!\n" ? std::string() : out;
    }
    test::CliResult runOn(const Importer& imp, const std::string& contents,
                          const std::string& name = "lieferung.001") {
        const auto home = homeFor(imp.version);
        const auto file = home / "lief" / name;
        test::writeFile(file, contents);
        std::vector<std::string> args = {"--yes", "run", std::to_string(imp.command), "--file",
                                         file.string()};
        args.insert(args.end(), imp.args.begin(), imp.args.end());
        return run(home, args);
    }
    test::TempDir home4, home5;
};

TEST_F(CliOutcomeTest, EveryImporterEndsTruthfully) {
    for (const Importer& imp : importers()) {
        SCOPED_TRACE(imp.name);
        const auto home = homeFor(imp.version);
        {
            SCOPED_TRACE("good file");
            const std::string before = logOf(home);
            const auto r = runOn(imp, lines({header(imp), imp.good}));
            EXPECT_EQ(r.code, 0) << r.err;
            const std::string after = logOf(home);
            if (imp.logKind) {
                // One new first line with the full path of the file.
                ASSERT_GT(after.size(), before.size()) << after;
                const std::string first = after.substr(0, after.find('\n'));
                EXPECT_NE(first.find(imp.logKind), std::string::npos) << first;
                EXPECT_NE(first.find((home / "lief" / "lieferung.001").string()), std::string::npos)
                    << first;
                EXPECT_EQ(after.substr(after.find('\n') + 1), before);
            } else {
                EXPECT_EQ(after, before);
            }
        }
        for (const Fault& f : kFaults) {
            if (imp.version == 4 && !f.dn4) continue;
            SCOPED_TRACE(f.name);
            const std::string before = logOf(home);
            const auto r = runOn(imp, f.contents(imp));
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_EQ(logOf(home), before);  // refused before anything changed: no line
            EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
        }
    }
}

TEST_F(CliOutcomeTest, MinutesReadToTheEnd) {
    const auto home = homeFor(4);
    ASSERT_EQ(run(home, {"supplier", "edit", "1", "--version", "3"}).code, 0);
    std::string record = "4711           00125";
    record.resize(128, ' ');
    test::writeFile(home / "lief" / "minuten", record + "\r\n");
    const auto r = run(home, {"run", "35"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(logOf(home).find("  Minutenübernahme"), std::string::npos);
}

TEST_F(CliOutcomeTest, SeveralFilesTheMostSeriousWins) {
    const auto home = homeFor(4);
    const Importer& articles = importers()[1];
    const auto good = home / "lief" / "gut.001";
    const auto bad = home / "lief" / "schlecht.001";
    test::writeFile(good, lines({dn4Header(), articles.good}));
    test::writeFile(bad, lines({articles.good}));
    ASSERT_EQ(run(home, {"settings", "MultiSelectDialog=1"}).code, 0);
    const auto r = run(home, {"run", "33", "--file", good.string(), "--file", bad.string()});
    EXPECT_EQ(r.code, 1) << r.err;
    const std::string log = logOf(home);
    EXPECT_NE(log.find(good.string()), std::string::npos) << log;
    EXPECT_EQ(log.find(bad.string()), std::string::npos) << log;
}

TEST_F(CliOutcomeTest, RefusedPriceDialogIsAUsageError) {
    const auto home = homeFor(4);
    test::writeFile(home / "lief" / "datpreis.001", lines({dn4Header(), importers()[3].good}));
    const auto r = run(home, {"run", "41", "--file", (home / "lief" / "datpreis.001").string(),
                              "--set", "102=1", "--set", "103=2"});
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find("Eine Preispflege ist sinnlos."), std::string::npos) << r.err;
    EXPECT_EQ(logOf(home), "");
}

// A line feed in a file name never forges a second log entry; escape
// sequences of a record never reach the terminal, neither in a message nor
// in a protocol line (the readers turn control bytes into blanks).
TEST_F(CliOutcomeTest, ControlCharactersAreShownEscaped) {
    const Importer& groups = importers()[6];  // 22 v5
    const std::string name = "X.rab\n10.12.2026 5 Artikeluebernahme X.rab 1 Eins";
    auto r = runOn(groups, lines({header(groups), groups.good}), name);
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string log = logOf(homeFor(5));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("X.rab\\x0A10.12.2026"), std::string::npos) << log;

    const Importer& articles = importers()[1];  // 33 v4: the over-long message repeats the record
    r = runOn(articles, lines({dn4Header(),
                               "A;N;ART1;00;\x1b]0;Titel\x07" + kLong + ";;1;0;St;00010000;;;;"}));
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\x07'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(" ]0;Titel "), std::string::npos) << r.err;

    r = runOn(groups, lines({header(groups), "R;12;1;3550;Ro\x1b[31mhre\x1b[0m;"}));
    r = run(homeFor(5),
            {"--yes", "run", "22", "--file", (homeFor(5) / "lief" / "lieferung.001").string(),
             "--set", "101=1", "--protocol", "-"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Ro [31mhre [0m"), std::string::npos) << r.out;
}

TEST_F(CliOutcomeTest, ProgressLinesOnlyWhenAskedFor) {
    const auto home = homeFor(4);
    const Importer& articles = importers()[1];
    auto r = runOn(articles, lines({dn4Header(), articles.good}));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err.find("Importiere Datanormdatei..."), std::string::npos) << r.err;

    r = run(home,
            {"--progress", "run", "33", "--file", (home / "lief" / "lieferung.001").string()});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("Importiere Datanormdatei...  100 %  1 Artikel\n"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;  // lines, not a line redrawn in place
}

}  // namespace
}  // namespace dn
