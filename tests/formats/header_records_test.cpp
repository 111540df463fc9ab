// The V and K records and the record frame around the handlers.

#include <string>
#include <vector>

#include "support/dn5_fixture.h"

namespace dn::test {
namespace {

TEST_F(Dn5Test, HeaderPrintsDateAndSetsEuro) {
    session.PrintProtocol = true;
    dn5.ResetRun5();
    line("V;050;A;20240131;EUR;Produktdaten;ACME GmbH;ACM;");
    dn5.ShowHeader5(rec(), 'A');
    EXPECT_FALSE(dn5.HeaderMissing);
    EXPECT_TRUE(dn5.FileInEuro);
    EXPECT_EQ(dn5.HeaderDateDdMmYy(), "310124");
    const std::vector<std::string> expected{
        "Datum            : 31.01.2024",   "Währung          : EUR",
        "Dateninhalt      : Produktdaten", "Copyright        : ACME GmbH",
        "Herstellerkürzel : ACM",          "",
    };
    EXPECT_EQ(host.printed, expected);
}

TEST_F(Dn5Test, HeaderInDmLeavesEuroOffAndResetClearsIt) {
    line("V;050;A;20240131;EUR;;;;");
    dn5.ShowHeader5(rec(), 'A');
    dn5.ResetRun5();
    EXPECT_FALSE(dn5.FileInEuro);
    EXPECT_TRUE(dn5.HeaderMissing);
    line("V;050;A;20240131;DEM;;;;");
    dn5.ShowHeader5(rec(), 'A');
    EXPECT_FALSE(dn5.FileInEuro);
    EXPECT_TRUE(host.printed.empty());  // protocol off
}

TEST_F(Dn5Test, HeaderOfAnotherKindNamesTheExpectedKind) {
    const std::vector<std::pair<char, std::string>> cases{
        {'A', "Keine Datanorm 5 - Artikeldatei!"},
        {'J', "Keine Datanorm 5 - Leistungs-/Stücklistendatei!"},
        {'P', "Keine Datanorm 5 - Preisänderungsdatei!"},
        {'R', "Keine Datanorm 5 - Rabattgruppendatei!"},
        {'S', "Keine Datanorm 5 - Warengruppendatei!"},
        {'T', "Keine Datanorm 5 - Datatextdatei!"},
    };
    for (const auto& [kind, message] : cases) {
        dn5.ResetRun5();
        line(kind == 'A' ? "V;050;P;20240131;EUR;" : "V;050;A;20240131;EUR;");
        EXPECT_EQ(errorOf([&] { dn5.ShowHeader5(rec(), kind); }), message) << kind;
        EXPECT_TRUE(dn5.HeaderMissing) << kind;
    }
}

TEST_F(Dn5Test, CustomerNumberQuestion) {
    line("K;0815;");
    host.answers = {true, false};
    EXPECT_EQ(errorOf([&] { dn5.CheckCustomerNumber(rec()); }), "");
    EXPECT_EQ(errorOf([&] { dn5.CheckCustomerNumber(rec()); }), "Die Übernahme wird abgebrochen!");
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0], "Diese Datei ist für die Kundennummer: 0815\n\nWeiter?");
}

// The record frame: one table of lines and what the frame makes of them.
TEST_F(Dn5Test, RecordFrameRules) {
    int handled = 0;
    auto table = dn5::RecordTable::withHeader('A');
    table.handle('A', [&](tdatanorm5&, const dn5::Record&) { return ++handled, true; })
        .handle('X',
                [](tdatanorm5&, const dn5::Record&) -> bool {
                    throw edatanormfehler("Fehler im Satz");
                })
        .handle('Q', [](tdatanorm5&, const dn5::Record&) { return false; })
        .answer('R', "Rabattsätze mit Rabattsatzfunktion übernehmen!");
    struct Case {
        const char* name;
        bool header;
        std::string line;
        bool result;
        std::string message;
        int handled;
    };
    const std::vector<Case> cases{
        {"blank line", false, "   ", true, "", 0},
        {"record before the header", false, "A;N;4711;", false, "Vorlaufsatz fehlt!", 0},
        {"answered letter without header", false, "R;0001;1;3000;", true,
         "Rabattsätze mit Rabattsatzfunktion übernehmen!", 0},
        {"E record", false, "E;12;Ende;", true, "", 0},
        {"unknown letter", true, "W;1;", true, "Ungültiges Satzkennzeichen: W", 0},
        {"handled record, trimmed", true, "  A;N;4711;\t", true, "", 1},
        {"error in a handler ends the file", true, "X;1;", false, "Fehler im Satz", 0},
        {"handler says stop", true, "Q;1;", false, "", 0},
        {"letter longer than one character", true, "AB;N;", false,
         "FEHLER in DATANORM-Datei !!!\n\nFeldlängenüberschreitung bei:\n\"AB\"\nIst-Länge: "
         "2\nMax-Länge: 1\n\n"
         "Die Übernahme wird abgebrochen!\n\nAB;N;",
         0},
        {"header of version 4", false, "V;040;A;", false,
         "Keine DATANORM 5.0 Datei!\n\nDie Übernahme wird abgebrochen.", 0},
    };
    for (const auto& c : cases) {
        dn5.ResetRun5();
        dn5.HeaderMissing = !c.header;
        handled = 0;
        host.messages.clear();
        EXPECT_EQ(handleLine(table, c.line), c.result) << c.name;
        EXPECT_EQ(host.messages.empty() ? "" : host.messages.front(), c.message) << c.name;
        EXPECT_EQ(handled, c.handled) << c.name;
    }
}

TEST_F(Dn5Test, UnknownLetterMessageIsCutTo29Characters) {
    dn5.HeaderMissing = false;
    EXPECT_TRUE(handleLine(dn5::RecordTable{}, "\x81;1;"));  // CP850 ü
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Ungültiges Satzkennzeichen: ü");
}

}  // namespace
}  // namespace dn::test
