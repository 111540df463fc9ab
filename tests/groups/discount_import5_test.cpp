#include <gtest/gtest.h>

#include "common/change_log.h"
#include "features/groups/group_import5.h"
#include "support/maintenance5_fixture.h"

namespace dn {
namespace {

class DiscountImport5Test : public test::Maintenance5Test {
  protected:
    // Runs command 22 with the dialog fields 100 (delete old) and 101 (protocol).
    CommandOutcome run(bool deleteOld, bool protocol = true) {
        form("TR_EINLESEN", {{100, deleteOld ? "1" : "0"}, {101, protocol ? "1" : "0"}});
        return ImportDiscountGroups5(*session);
    }
    std::vector<std::string> header() {
        return {"V;050;R;20240131;EUR;Rabatte;(c) Hersteller;HERST;"};
    }
};

TEST_F(DiscountImport5Test, EachKindStoresItsValue) {
    struct Case {
        const char* line;
        const char* key;
        const char* kennung;
        double wert;
        const char* protocol;
    };
    const Case cases[] = {
        {"R;1234;1;3550;Rabatt Rohre;", "1-1234", "1", 35.5,
         "Rabatt            : 1-1234   Rabatt Rohre                               35.50"},
        {"R;77;2;0850;Multi Armaturen;", "1-77", "2", 0.85,
         "Multi             : 1-77     Multi Armaturen                             0.85"},
        {"R;A1;3;0500;Teuerung;", "1-A1", "3", 5.0,
         "Teuerungszuschlag : 1-A1     Teuerung                                    5.00"},
        {"R;Z9;7;1200;Andere Art;", "1-Z9", "7", 0.0,
         "1-Z9     Andere Art                                  0.00"},
    };
    auto lines = header();
    for (const auto& c : cases) lines.push_back(c.line);
    file("datanorm.rab", lines);
    EXPECT_EQ(run(true), CommandOutcome::Done);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto g = store().readDiscountGroup(c.key);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->kennung, c.kennung);
        EXPECT_DOUBLE_EQ(g->wert, c.wert);
        EXPECT_TRUE(printed(c.protocol)) << c.protocol;
    }
    EXPECT_TRUE(said("4 Rabattgruppen/-sätze gelesen!"));
    EXPECT_TRUE(printed("Datum            : 31.01.2024"));
    auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_NE(log->find("5 Rabattgruppen"), std::string::npos);
    EXPECT_NE(log->find("datanorm.rab"), std::string::npos);
}

TEST_F(DiscountImport5Test, ReadingAgainKeepsHandEnteredSurchargeAndMark) {
    DiscountGroupRecord g;
    g.key = "1-1234";
    g.kennung = "1";
    g.wert = 10;
    g.salesSurcharge = 12.5;
    g.selektiert = true;
    store().writeDiscountGroup(g);
    g.key = "1-OLD";
    store().writeDiscountGroup(g);
    auto lines = header();
    lines.push_back("R;1234;1;3550;Rabatt Rohre;");
    file("datanorm.rab", lines);

    EXPECT_EQ(run(false), CommandOutcome::Done);
    auto r = store().readDiscountGroup("1-1234");
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->wert, 35.5);
    EXPECT_DOUBLE_EQ(r->salesSurcharge, 12.5);
    EXPECT_TRUE(r->selektiert);
    EXPECT_EQ(r->bezeichnung, "Rabatt Rohre");
    EXPECT_TRUE(store().discountGroupExists("1-OLD"));  // field 100 off keeps the others
    EXPECT_FALSE(said("Alte Rabattsätze des Lieferanten \"Fünf\" wurden gelöscht!"));
}

TEST_F(DiscountImport5Test, DeletingOldGroupsTouchesOnlyThisSupplier) {
    DiscountGroupRecord g;
    g.key = "1-OLD";
    store().writeDiscountGroup(g);
    g.key = "2-OLD";
    store().writeDiscountGroup(g);
    auto lines = header();
    lines.push_back("R;1;1;100;Eins;");
    file("datanorm.rab", lines);
    EXPECT_EQ(run(true), CommandOutcome::Done);
    EXPECT_TRUE(said("Alte Rabattsätze des Lieferanten \"Fünf\" wurden gelöscht!"));
    EXPECT_FALSE(store().discountGroupExists("1-OLD"));
    EXPECT_TRUE(store().discountGroupExists("2-OLD"));
    EXPECT_TRUE(store().discountGroupExists("1-1"));
}

TEST_F(DiscountImport5Test, OtherLettersAreAnsweredAndNotCounted) {
    auto lines = header();
    lines.insert(lines.end(),
                 {"A;N;4711;Rohr;", "S;123;;Gruppe;", "E;egal;", "X;1;", "R;1;1;100;Eins;"});
    file("datanorm.rab", lines);
    EXPECT_EQ(run(false), CommandOutcome::Done);
    const std::vector<std::string> expected{
        "Artikelsätze mit Funktion Artikelübernahme einlesen!",
        "Warengruppensätze mit Funktion Warengruppen einlesen!",
        "Ungültiges Satzkennzeichen: X",
        "1 Rabattgruppen/-sätze gelesen!",
    };
    EXPECT_EQ(host.messages, expected);
}

TEST_F(DiscountImport5Test, RecordBeforeHeaderEndsTheFileWithoutLogEntry) {
    file("datanorm.rab", {"R;1;1;100;Eins;", "V;050;R;20240131;EUR;x;y;z;", "R;2;1;100;Zwei;"});
    EXPECT_EQ(run(false), CommandOutcome::Failed);
    EXPECT_TRUE(said("Vorlaufsatz fehlt!"));
    EXPECT_TRUE(said("0 Rabattgruppen/-sätze gelesen!"));
    EXPECT_FALSE(store().discountGroupExists("1-2"));
    EXPECT_FALSE(ReadChangeLog(*session));
}

TEST_F(DiscountImport5Test, FileOfAnotherKindIsRefused) {
    file("datanorm.rab", {"V;050;S;20240131;EUR;x;y;z;", "R;1;1;100;Eins;"});
    EXPECT_EQ(run(false), CommandOutcome::Failed);
    EXPECT_TRUE(said("Keine Datanorm 5 - Rabattgruppendatei!"));
    EXPECT_FALSE(store().discountGroupExists("1-1"));
}

// With DATANORM 5 sub-directories on, "Neuanlage oder Änderung?" comes
// first: its answer picks the folder the dialog names and the file read.
// A script meant for "any dialog" passes the question by.
TEST_F(DiscountImport5Test, SubdirectoryQuestionPicksTheFolderTheLabelNames) {
    SupplierRecord r = session->suppliers.readRecord(1);
    r.setUseSubdirs(true);
    session->suppliers.writeRecord(1, r);
    ReadCurrentSupplier(*session);
    auto lines = header();
    lines.push_back("R;1;1;100;Grund;");
    file("d5grund/datanorm.rab", lines);
    lines.back() = "R;1;1;100;Aenderung;";
    file("D5AEND/DATANORM.RAB", lines);  // a Windows delivery in upper case

    struct Case {
        const char* answer;  // nullptr: no script for the question
        const char* file;
        const char* text;
    };
    for (const Case& c : {Case{nullptr, "d5grund/datanorm.rab", "Grund"},
                          Case{"1", "D5AEND/DATANORM.RAB", "Aenderung"}}) {
        SCOPED_TRACE(c.file);
        host.formsShown.clear();
        if (c.answer) form("TNEUAENDERUNG", {{100, c.answer}});
        std::vector<std::string> label;
        FormScript options;
        options.sets = {{100, "1"}, {101, "0"}};
        options.inspect = [&label](EntryForm& f) { label = f.explanations(); };
        host.forms.push_back(options);
        EXPECT_EQ(ImportDiscountGroups5(*session), CommandOutcome::Done);
        EXPECT_EQ(host.formsShown, (std::vector<std::string>{"TNEUAENDERUNG", "TR_EINLESEN"}));
        EXPECT_EQ(label, (std::vector<std::string>{(source() / c.file).string()}));
        auto g = store().readDiscountGroup("1-1");
        ASSERT_TRUE(g);
        EXPECT_EQ(g->bezeichnung, c.text);
        EXPECT_TRUE(host.forms.empty());
    }
}

TEST_F(DiscountImport5Test, CancelledDialogChangesNothing) {
    DiscountGroupRecord g;
    g.key = "1-OLD";
    store().writeDiscountGroup(g);
    file("datanorm.rab", header());
    form("TR_EINLESEN", {}, {kCancel});
    EXPECT_EQ(ImportDiscountGroups5(*session), CommandOutcome::Cancelled);
    EXPECT_TRUE(store().discountGroupExists("1-OLD"));
    ASSERT_EQ(host.formsShown.size(), 1u);
    EXPECT_EQ(host.formsShown[0], "TR_EINLESEN");
}

TEST_F(DiscountImport5Test, RefusedFileLeavesTheOldGroups) {
    DiscountGroupRecord g;
    g.key = "1-OLD";
    g.kennung = "1";
    g.wert = 10;
    g.salesSurcharge = 12.5;
    g.selektiert = true;
    const std::vector<std::string> files[] = {
        {"R;1;1;100;Eins;", "V;050;R;20240131;EUR;x;y;z;"},
        {"V;050;S;20240131;EUR;x;y;z;", "R;1;1;100;Eins;"},
        {"V;040;R;20240131;EUR;x;y;z;", "R;1;1;100;Eins;"},
        {"\x89PNG\x1a\x01", "\xff\xfe;;"},
    };
    for (const auto& lines : files) {
        SCOPED_TRACE(lines.front());
        store().writeDiscountGroup(g);
        file("datanorm.rab", lines);
        run(true);
        auto r = store().readDiscountGroup("1-OLD");
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->selektiert);
        EXPECT_DOUBLE_EQ(r->salesSurcharge, 12.5);
        EXPECT_FALSE(store().discountGroupExists("1-1"));
        EXPECT_FALSE(said("Alte Rabattsätze des Lieferanten \"Fünf\" wurden gelöscht!"));
    }
}

TEST_F(DiscountImport5Test, ValueThatIsNoNumberLeavesTheGroup) {
    DiscountGroupRecord g;
    g.key = "1-1234";
    g.kennung = "1";
    g.wert = 10;
    store().writeDiscountGroup(g);
    auto lines = header();
    lines.insert(lines.end(), {"R;1234;1;3O00;Rabatt Rohre;", "R;77;2;0850;Multi;"});
    file("datanorm.rab", lines);
    EXPECT_EQ(run(false), CommandOutcome::Failed);
    EXPECT_DOUBLE_EQ(store().readDiscountGroup("1-1234")->wert, 10);
    EXPECT_DOUBLE_EQ(store().readDiscountGroup("1-77")->wert, 0.85);
    EXPECT_TRUE(printed("Zeile 2: R-Satz, Feld 4 ist keine Zahl: \"3O00\" - Satz übersprungen!"));
    EXPECT_TRUE(
        said("1 Rabattgruppen/-sätze gelesen!\n\n1 Satz wegen fehlerhafter Felder übersprungen!"));
}

}  // namespace
}  // namespace dn
