#include "features/prices/price_maintenance5.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>

#include "common/change_log.h"
#include "host/day_number.h"
#include "support/maintenance5_fixture.h"

namespace dn {
namespace {

constexpr const char* kHeader = "V;050;P;20240131;EUR;Preise;(c);HERST;";

class PriceMaintenance5Test : public test::Maintenance5Test {
  protected:
    void SetUp() override {
        Maintenance5Test::SetUp();
        openSqliteStore(session->storeFile(), {true});  // with the optional columns
        group("G1", '1', 30, 0);
        group("G2", '1', 30, 10);
    }

    void group(const std::string& code, char kind, double wert, double surcharge) {
        DiscountGroupRecord g;
        g.key = "1-" + code;
        g.kennung = std::string(1, kind);
        g.wert = wert;
        g.salesSurcharge = surcharge;
        store().writeDiscountGroup(g);
    }

    ArticleRecord article(const std::string& number) {
        ArticleRecord a;
        a.key = "1-" + number;
        a.shorttext1 = "Artikel " + number;
        a.priceflag = "1";
        a.purchaseprice = 10;
        a.salesprice = 20;
        a.listprice = 40;
        a.discountgroup = "G1";
        store().writeArticle(a);
        return a;
    }

    ArticleRecord stored(const std::string& number) {
        return store().readArticle("1-" + number).value();
    }

    // Runs command 41 on a file of these lines with the dialog's values.
    CommandOutcome command(const std::vector<std::string>& lines,
                           std::vector<std::pair<int, std::string>> sets = {{104, "1"}}) {
        const auto p = file("datpreis.001", lines);
        form("TPFLEGEDISKETTE", std::move(sets));
        host.files.push_back({p.string()});
        return PriceMaintenance5(*session);
    }
};

// The P-record rules, one record each on the same stored article:
// EK 10, VK 20, list price 40, discount group G1 (30 %); G2 is 30 % with a
// sales surcharge of 10 %.
TEST_F(PriceMaintenance5Test, PriceRules) {
    struct Case {
        const char* name;
        const char* line;
        int purchaseMode, salesMode;
        bool takeListPrice, netZero;
        double ek, vk, list;
        int priceunit;
        const char* protocol;  // one line the protocol must hold, "" = none
        double factory = 0, empfohlen = 0, richt = 0;
        const char* group = "G1";
    };
    const Case cases[] = {
        {"direct factors", "P;A1;1;1;10000;;1;2500;3;500;;;", 0, 0, false, false, 78.75, 100, 40, 1,
         "  Faktor 1 =  0.75  Faktor 2 =  1.05  Faktor 3 =  1.00  Gesamtfaktor =  0.79"},
        {"invalid discount flag counts as 1", "P;A1;1;1;10000;;7;1000;;;;;", 0, 0, false, false,
         100, 100, 40, 1, "Ungültiges Rabattkennzeichen: 7"},
        {"given group", "P;A1;1;100;100000;G1;;;;;;;", 0, 0, false, false, 7, 10, 40, 100,
         "  Verwendung der angegebenen Rabattgruppe: G1"},
        {"given group with surcharge", "P;A1;1;1;1000;G2;;;;;;;", 0, 0, false, false, 7, 7.7, 40, 1,
         "  --> Neuer VK                  =        7.70", 0, 0, 0, "G2"},
        {"net price", "P;A1;2;10;5000;;;;;;;;", 0, 0, false, false, 5, 20, 40, 10,
         "  --> wird in EK übernommen: EK =        5.00"},
        {"net zero uses list price", "P;A1;2;1;0;;;;;;;;", 0, 0, true, true, 28, 20, 40, 1,
         "  --> EK aus Listenpreis (40.00) - Rabatt (30.00 %)  = 28.00"},
        {"net zero without the setting", "P;A1;2;1;0;;;;;;;;", 0, 0, true, false, 0, 20, 0, 1, ""},
        {"list price taken", "P;A1;1;1;10000;;;;;;;;", 0, 0, true, false, 100, 100, 100, 1, ""},
        {"factory price", "P;A1;3;1;2500;;;;;;;;", 0, 0, false, false, 10, 20, 40, 1, "", 25},
        {"recommended sales price", "P;A1;4;1;1234;;;;;;;;", 0, 0, false, false, 10, 20, 40, 1, "",
         0, 12.34},
        {"recommended price", "P;A1;9;1;1234;;;;;;;;", 0, 0, false, false, 10, 20, 40, 1, "", 0, 0,
         12.34},
        {"price unit 0 counts as 1", "P;A1;1;0;10000;;;;;;;;", 0, 0, false, false, 100, 100, 40, 1,
         ""},
        {"no price changes only flag and unit", "P;A1;1;100;;;;;;;;;", 0, 0, false, false, 10, 20,
         40, 100, ""},
        {"sales from EK and old markup", "P;A1;1;1;2000;G1;;;;;;;", 0, 1, false, false, 14, 28, 40,
         1, "  alter Aufschlag = 100.00 %"},
        {"purchase price kept", "P;A1;1;1;10000;;1;2500;;;;;", 1, 0, false, false, 10, 100, 40, 1,
         "  --> wird nicht in EK übernommen!"},
        {"sales price kept", "P;A1;1;1;10000;;1;2500;;;;;", 0, 2, false, false, 75, 20, 40, 1,
         "  --> wird nicht in VK übernommen!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        article("A1");
        host.printed.clear();
        session->settings.TakeListPrice = c.takeListPrice;
        session->settings.NetZeroUsesListPrice = c.netZero;
        session->PrintProtocol = true;
        const auto p = file("datpreis.001", {kHeader, c.line});
        PriceModes o{c.purchaseMode, c.salesMode};
        const dn5::PriceFileEnd run = RunPriceFile5(*session, p.string(), o);
        EXPECT_EQ(run.end, FileEnd::EndOfFile);
        const ArticleRecord a = stored("A1");
        EXPECT_DOUBLE_EQ(a.purchaseprice, c.ek);
        EXPECT_DOUBLE_EQ(a.salesprice, c.vk);
        EXPECT_DOUBLE_EQ(a.listprice, c.list == 0 && !c.takeListPrice ? 40 : c.list);
        EXPECT_EQ(a.priceunit, c.priceunit);
        EXPECT_DOUBLE_EQ(a.factoryprice, c.factory);
        EXPECT_DOUBLE_EQ(a._empfohlenervk, c.empfohlen);
        EXPECT_DOUBLE_EQ(a._richtpreis, c.richt);
        EXPECT_EQ(a.discountgroup, c.group);
        EXPECT_EQ(a.priceflagsource, "1");
        EXPECT_EQ(a.changedate, session->TodayDate);
        EXPECT_TRUE(printed("Preisänderung: 1-A1"));
        if (*c.protocol) {
            EXPECT_TRUE(printed(c.protocol)) << c.protocol;
        }
        EXPECT_EQ(run.counts.RecordCount, 1);
    }
}

TEST_F(PriceMaintenance5Test, CommandRunsTheFileWithProtocolDateAndLog) {
    article("A1");
    article("A2");
    EXPECT_EQ(command({kHeader, "P;A1;1;1;10000;;;;;;;;", "P;NIX;1;1;10000;;;;;;;;",
                       "P;A2;2;1;500;;;;;;;;"}),
              CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(stored("A1").salesprice, 100);
    EXPECT_DOUBLE_EQ(stored("A2").purchaseprice, 5);
    EXPECT_TRUE(said("Preispflege für 2 Artikel durchgeführt!"));
    EXPECT_TRUE(printed("Artikel nicht gefunden: 1-NIX"));
    EXPECT_TRUE(printed("Einstellungen für Preisbildung EK und VK:"));
    EXPECT_TRUE(printed(
        "- EK sollen übernommen werden (entweder Bruttopreis-Rabatt oder als Nettopreis)."));
    EXPECT_TRUE(printed("- VK sollen übernommen werden (Bruttopreis)."));
    EXPECT_FALSE(store().articleExists("1-NIX"));
    EXPECT_EQ(session->suppliers.readRecord(1).maintenanceDate(0), "310124");
    auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_NE(log->find("5 Preispflege"), std::string::npos);
    EXPECT_NE(log->find("datpreis.001"), std::string::npos);
}

// A P record without article number would change the article of the
// prefix alone: it is reported with its line and left out.
TEST_F(PriceMaintenance5Test, RecordWithoutArticleNumberIsLeftOut) {
    article("");
    article("A1");
    EXPECT_EQ(command({kHeader, "P;;1;1;10000;;;;;;;;", "P;   ;1;1;10000;;;;;;;;",
                       "P;A1;1;1;10000;;;;;;;;"}),
              CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(stored("").salesprice, 20);
    EXPECT_DOUBLE_EQ(stored("A1").salesprice, 100);
    EXPECT_TRUE(printed("Fehler: P-Satz ohne Artikelnummer in Zeile 2 übergangen!"));
    EXPECT_TRUE(printed("Fehler: P-Satz ohne Artikelnummer in Zeile 3 übergangen!"));
    EXPECT_TRUE(said("Preispflege für 1 Artikel durchgeführt!"));
}

TEST_F(PriceMaintenance5Test, PointlessModesAreRefused) {
    struct Case {
        const char* purchase;
        const char* sales;
        const char* refusal;
    };
    const Case cases[] = {
        {"1", "2", "Die Übernahme der EK und VK ist deaktiviert!\nEine Preispflege ist sinnlos."},
        {"1", "1",
         "Die Übernahme der EK ist deaktiviert und die VK sollen durch die EK und alte Aufschläge "
         "ermittelt werden!\nEine Preispflege ist sinnlos."},
    };
    article("A1");
    for (const auto& c : cases) {
        host.messages.clear();
        const auto p = file("datpreis.001", {kHeader, "P;A1;1;1;10000;;;;;;;;"});
        form("TPFLEGEDISKETTE", {{102, c.purchase}, {103, c.sales}}, {kOk, kCancel});
        host.files.push_back({p.string()});
        EXPECT_EQ(PriceMaintenance5(*session), CommandOutcome::Cancelled);
        EXPECT_TRUE(said(c.refusal)) << c.refusal;
        EXPECT_DOUBLE_EQ(stored("A1").salesprice, 20);
    }
    EXPECT_EQ(refusalOf(PriceModes{1, 0}), nullptr);
    EXPECT_EQ(refusalOf(PriceModes{0, 2}), nullptr);
}

TEST_F(PriceMaintenance5Test, BadFilesEndAndKeepWhatWasChanged) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* message;
        double a1;
    };
    const Case cases[] = {
        {"record before header", {"P;A1;1;1;10000;;;;;;;;", kHeader}, "Vorlaufsatz fehlt!", 20},
        {"file of another kind",
         {"V;050;A;20240131;EUR;x;y;z;", "P;A1;1;1;10000;;;;;;;;"},
         "Keine Datanorm 5 - Preisänderungsdatei!",
         20},
        {"over-long field after a good record",
         {kHeader, "P;A1;1;1;10000;;;;;;;;", "P;A2;1;1;12345678901;;;;;;;;"},
         "",
         100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        article("A1");
        article("A2");
        host.messages.clear();
        EXPECT_EQ(command(c.lines, {}), CommandOutcome::Failed);
        if (*c.message) {
            EXPECT_TRUE(said(c.message));
        }
        EXPECT_DOUBLE_EQ(stored("A1").salesprice, c.a1);
        EXPECT_DOUBLE_EQ(stored("A2").salesprice, 20);
        EXPECT_FALSE(ReadChangeLog(*session));
    }
}

TEST_F(PriceMaintenance5Test, EscapeAsksAndKeepsTheRecordsBefore) {
    article("A1");
    article("A2");
    host.escapeAfterSteps = 3;  // V, then A1 (progress and status line), then Escape before A2
    host.answers = {true};
    EXPECT_EQ(command({kHeader, "P;A1;1;1;10000;;;;;;;;", "P;A2;1;1;10000;;;;;;;;"}, {}),
              CommandOutcome::Cancelled);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "Import abbrechen ?");
    EXPECT_DOUBLE_EQ(stored("A1").salesprice, 100);
    EXPECT_DOUBLE_EQ(stored("A2").salesprice, 20);
    EXPECT_TRUE(said("Preispflege für 1 Artikel durchgeführt!"));
}

// "Nein" clears Escape: the run goes on where it was and asks again only
// after the next Escape.
TEST_F(PriceMaintenance5Test, NoGoesOnThenYesStops) {
    for (const char* n : {"A1", "A2", "A3"}) article(n);
    host.escapeAfterSteps = 3;         // Escape before A2
    host.escapeAgainAfterSteps = {1};  // after A2 again: Escape before A3
    host.answers = {false, true};
    EXPECT_EQ(command({kHeader, "P;A1;1;1;10000;;;;;;;;", "P;A2;1;1;10000;;;;;;;;",
                       "P;A3;1;1;10000;;;;;;;;"},
                      {}),
              CommandOutcome::Cancelled);
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{"Import abbrechen ?", "Import abbrechen ?"}));
    EXPECT_EQ(host.escapeResets, 1);
    EXPECT_DOUBLE_EQ(stored("A1").salesprice, 100);
    EXPECT_DOUBLE_EQ(stored("A2").salesprice, 100);
    EXPECT_DOUBLE_EQ(stored("A3").salesprice, 20);
    EXPECT_FALSE(ReadChangeLog(*session));
}

// A record the store refuses is reported and left out; the records of the
// same batch before and after it are kept, whatever the batch size.
TEST_F(PriceMaintenance5Test, RefusedWriteLeavesOnlyThatRecordOut) {
    for (std::size_t batch : {1u, 2u, 100u}) {
        SCOPED_TRACE(batch);
        for (const char* n : {"A1", "A2", "A3", "A4"}) article(n);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(session->storeFile().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(
            sqlite3_exec(
                db,
                "CREATE TRIGGER IF NOT EXISTS sperre BEFORE INSERT ON article WHEN NEW.key = "
                "'1-A3' "
                "AND NEW.salesprice = 100 BEGIN SELECT RAISE(ABORT, 'Artikel gesperrt'); END;",
                nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
        host.messages.clear();
        const auto p =
            file("datpreis.001", {kHeader, "P;A1;1;1;10000;;;;;;;;", "P;A2;1;1;10000;;;;;;;;",
                                  "P;A3;1;1;10000;;;;;;;;", "P;A4;1;1;10000;;;;;;;;"});
        const dn5::PriceFileEnd run = RunPriceFile5(*session, p.string(), {}, batch);
        EXPECT_EQ(run.end, FileEnd::EndOfFile);
        EXPECT_DOUBLE_EQ(stored("A1").salesprice, 100);
        EXPECT_DOUBLE_EQ(stored("A2").salesprice, 100);
        EXPECT_DOUBLE_EQ(stored("A3").salesprice, 20);
        EXPECT_DOUBLE_EQ(stored("A4").salesprice, 100);
        EXPECT_EQ(run.counts.RecordCount, 4);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].find("Artikel gesperrt"), std::string::npos) << host.messages[0];
    }
}

}  // namespace
}  // namespace dn
