// The DATANORM 4 readers of discount files (command 22) and product-group
// files (command 51).

#include "common/change_log.h"
#include "features/groups/group_commands.h"
#include "formats/dn4/dn4_reader.h"
#include "group_fixture.h"

namespace dn {
namespace {

using test::groupHeader;

class DiscountReadTest : public test::GroupTest {
  protected:
    // Runs command 22 with the options of its dialog.
    CommandOutcome read(bool deleteOld, bool protocol = false) {
        host.forms.push_back(
            {kDiscountReadForm,
             {{kReadDeleteOld, deleteOld ? "1" : "0"}, {kReadProtocol, protocol ? "1" : "0"}},
             {}});
        return ReadDiscountFile4(*session);
    }
};

TEST_F(DiscountReadTest, ValuesByKindWithProtocolAndChangeLog) {
    writeInput("datanorm.rab", {groupHeader(), "R;;47;1;3550;Rohre;",
                                "R;;0048;2;1234;  Fittings  ;", "R;;49;3;0500;Teuerung;"});
    session->OnlineImportStatus = "0";
    ASSERT_EQ(read(true, true), CommandOutcome::Done);

    const auto g47 = store().readDiscountGroup("1-47");
    ASSERT_TRUE(g47);
    EXPECT_EQ(g47->kennung, "1");
    EXPECT_DOUBLE_EQ(g47->wert, 35.5);
    EXPECT_EQ(g47->bezeichnung, "Rohre");
    const auto g48 = store().readDiscountGroup("1-0048");
    ASSERT_TRUE(g48);
    EXPECT_DOUBLE_EQ(g48->wert, 1.234);
    EXPECT_EQ(g48->bezeichnung, "Fittings");
    EXPECT_DOUBLE_EQ(store().readDiscountGroup("1-49")->wert, 0);  // kind 3 keeps the loaded value

    const std::vector<std::string> protocol = {
        "010125  Grosshandel                             ",
        "Rabattdatei                             Zeile drei                         04EUR",
        "Rabatt: 1-47      Rohre   35.50",
        "Multi : 1-0048    Fittings   1.234",
        "Zeichensatz der Datei: ASCII",
    };
    EXPECT_EQ(host.printed, protocol);
    EXPECT_FALSE(session->PrintProtocol);
    EXPECT_EQ(host.messages.back(), "3 Rabattgruppen / -sätze von der Diskette gelesen!");
    EXPECT_EQ(session->OnlineImportStatus, "1");
    const auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_NE(log->find(" 4 Rabattgruppen                " +
                        (home / "in" / "datanorm.rab").string() + " 1 Test"),
              std::string::npos)
        << *log;
}

TEST_F(DiscountReadTest, RereadingKeepsMarksAndSurcharges) {
    auto old = discount("1-47", "1", 10, true);
    old.salesSurcharge = 25;
    store().writeDiscountGroup(old);
    store().writeDiscountGroup(discount("1-99", "1", 5));
    writeInput("datanorm.rab", {groupHeader(), "R;;47;1;3550;Rohre;"});

    ASSERT_EQ(read(false), CommandOutcome::Done);
    auto g = store().readDiscountGroup("1-47");
    EXPECT_TRUE(g->selektiert);
    EXPECT_EQ(g->salesSurcharge, 25);
    EXPECT_DOUBLE_EQ(g->wert, 35.5);
    EXPECT_TRUE(store().discountGroupExists("1-99"));

    // With the delete option the groups not in the file are gone, and so are the marks.
    ASSERT_EQ(read(true), CommandOutcome::Done);
    EXPECT_FALSE(store().discountGroupExists("1-99"));
    EXPECT_FALSE(store().readDiscountGroup("1-47")->selektiert);
    EXPECT_TRUE(host.saidSomething("Alte Rabattsätze des Lieferanten: Test wurden gelöscht!"));
}

TEST_F(DiscountReadTest, OtherRecordsAreReportedOneMessageEach) {
    writeInput("datanorm.rab",
               {groupHeader(), "K;;KD4711;", "S;;123;Hauptgruppe;;;", "R;;47;1;3550;Rohre;",
                "S;;124;Hauptgruppe 2;;;", "A;N;4711;00;Text;;;;;;;;;", "C;;ARBEIT-1;;;;;", "X;1;",
                "R;;48;1;1000;Muffen;", "R;;;1;1000;Ohne Gruppe;"});
    ASSERT_EQ(read(false), CommandOutcome::Done);
    const std::vector<std::string> expected = {
        "Kundennummer: KD4711    ",
        "Warengruppensätze mit Funktion Warengruppen einlesen!",
        "Warengruppensätze mit Funktion Warengruppen einlesen!",
        "Artikelsätze mit Funktion Artikelübernahme einlesen!",
        "Ungültiges Satzkennzeichen: X",
        "2 Rabattgruppen / -sätze von der Diskette gelesen!",
    };
    EXPECT_EQ(host.messages, expected);
}

TEST_F(DiscountReadTest, FaultsEndTheFileKeepWhatWasReadAndWriteNoLog) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* message;
        long groups;
    } cases[] = {
        {"no header", {"R;;47;1;3550;Rohre;"}, kMsgHeaderMissing, 0},
        {"version 3", {groupHeader("03"), "R;;47;1;3550;Rohre;"}, kMsgNotDn4, 0},
        {"header too long", {groupHeader() + "X", "R;;47;1;3550;Rohre;"}, kMsgNoEndMark, 0},
        {"over-long field",
         {groupHeader(), "R;;47;1;3550;Rohre;", "R;;12345;1;1000;Zu lang;"},
         nullptr,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.messages.clear();
        store().deleteDiscountGroups(KeyRange::all());
        writeInput("datanorm.rab", c.lines);
        session->OnlineImportStatus = "0";
        ASSERT_EQ(read(false), CommandOutcome::Failed);
        if (c.message) EXPECT_TRUE(host.saidSomething(c.message));
        EXPECT_EQ(host.messages.back(),
                  std::to_string(c.groups) + " Rabattgruppen / -sätze von der Diskette gelesen!");
        EXPECT_EQ(store().listDiscountGroups(KeyRange::all()).size(),
                  static_cast<std::size_t>(c.groups));
        EXPECT_EQ(session->OnlineImportStatus, "0");
        EXPECT_FALSE(ReadChangeLog(*session));
    }
}

TEST_F(DiscountReadTest, CancelledDialogOrFileChangesNothing) {
    store().writeDiscountGroup(discount("1-47", "1", 10));
    host.forms.push_back({kDiscountReadForm, {}, {kCancel}});
    EXPECT_EQ(ReadDiscountFile4(*session), CommandOutcome::Cancelled);
    // No datanorm.rab in the source directory and no other file chosen.
    EXPECT_EQ(read(true), CommandOutcome::Cancelled);
    EXPECT_TRUE(host.saidSomething("datanorm.rab nicht vorhanden!"));
    EXPECT_TRUE(store().discountGroupExists("1-47"));
}

class ProductReadTest : public test::GroupTest {
  protected:
    CommandOutcome read() {
        host.forms.push_back({kProductReadForm, {}, {}});
        return ReadProductFile4(*session);
    }
};

TEST_F(ProductReadTest, MainAndSubGroupsReplaceTheOldGroups) {
    auto manual = product("1-999", "Manuell");
    manual.costType = 12;
    manual.selektiert = true;
    store().writeProductGroup(manual);
    store().writeProductGroup(product("2-123", "Anderer Lieferant"));
    writeInput("datanorm.wrg",
               {groupHeader(), "K;;KD4711;", "S;;123;Hauptgruppe;;;", "S;;123;;4567;Untergruppe;",
                "R;;47;1;3550;Rohre;", "S;;124;Zweite;;;"});
    session->OnlineImportStatus = "0";
    ASSERT_EQ(read(), CommandOutcome::Done);

    EXPECT_FALSE(store().productGroupExists("1-999"));
    EXPECT_TRUE(store().productGroupExists("2-123"));
    auto main = store().readProductGroup("1-123");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->bezeichnung, "Hauptgruppe");
    EXPECT_FALSE(main->isSubGroup);
    auto sub = store().readProductGroup("1-1234567");
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->bezeichnung, "Untergruppe");
    EXPECT_TRUE(sub->isSubGroup);
    EXPECT_FALSE(sub->selektiert);
    EXPECT_EQ(sub->costType, 0);

    const std::vector<std::string> messages = {
        "Alte Warengruppen des Lieferanten: Test wurden gelöscht!",
        "Rabattsätze mit Rabattsatzfunktion übernehmen!",
        "3 Warengruppen von der Diskette gelesen!",
    };
    EXPECT_EQ(host.messages, messages);
    const std::vector<std::string> output = {
        "010125  Grosshandel                             ",
        "Rabattdatei                             Zeile drei                         04EUR",
        "",
        "",
        "Kundennummer: KD4711    ",
    };
    EXPECT_EQ(host.output, output);
    EXPECT_EQ(session->OnlineImportStatus, "1");
    auto log = ReadChangeLog(*session);
    ASSERT_TRUE(log);
    EXPECT_NE(log->find("4 Warengruppen                 "), std::string::npos);
}

TEST_F(ProductReadTest, EarlyEndIsNotReportedAsTakenOverButLogged) {
    writeInput("datanorm.wrg",
               {groupHeader(), "S;;123;Hauptgruppe;;;", "S;;1234;Zu lang;;;", "S;;124;Zweite;;;"});
    session->OnlineImportStatus = "0";
    ASSERT_EQ(read(), CommandOutcome::Failed);
    EXPECT_TRUE(store().productGroupExists("1-123"));
    EXPECT_FALSE(store().productGroupExists("1-124"));
    EXPECT_EQ(host.messages.back(), "1 Warengruppen von der Diskette gelesen!");
    EXPECT_EQ(session->OnlineImportStatus, "0");
    // The change log says what happened: a group was read before the stop.
    ASSERT_TRUE(ReadChangeLog(*session));
    EXPECT_NE(ReadChangeLog(*session)->find("4 Warengruppen"), std::string::npos);
}

TEST_F(ProductReadTest, JunkAndEmptyFilesEndWithAMessage) {
    const struct {
        std::string bytes;
        CommandOutcome outcome;
    } cases[] = {{std::string(), CommandOutcome::Failed},
                 {std::string("\x01\xff\x00junk\x1a", 9), CommandOutcome::Failed},
                 {groupHeader() + "\r\n", CommandOutcome::Done}};
    for (const auto& c : cases) {
        host.messages.clear();
        test::writeFile(home / "in" / "datanorm.wrg", c.bytes);
        ASSERT_EQ(read(), c.outcome);
        EXPECT_EQ(host.messages.back(), "0 Warengruppen von der Diskette gelesen!");
        EXPECT_FALSE(ReadChangeLog(*session) && c.outcome == CommandOutcome::Failed);
    }
}

TEST_F(ProductReadTest, SampleDelivery) {
    const auto file = test::samplesDir() / "v4-fahrjo" / "datanorm_test.WRG";
    if (test::samplesDir().empty() || !std::filesystem::exists(file)) GTEST_SKIP() << "no samples";
    std::filesystem::copy_file(file, home / "in" / "datanorm.wrg");
    ASSERT_EQ(read(), CommandOutcome::Done);
    const auto groups = store().listProductGroups(KeyRange::prefix("1-"));
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front().key, "1-01");
    EXPECT_FALSE(groups.front().isSubGroup);
    // The file is Windows-1252, not CP850: "ä" is the byte 0xE4.
    EXPECT_TRUE(groups.front().bezeichnung.starts_with("Installationsgeräte & -systeme"))
        << groups.front().bezeichnung;
    EXPECT_EQ(host.messages.back(),
              std::to_string(groups.size()) + " Warengruppen von der Diskette gelesen!");
}

// Files refused before their first group: neither command deletes the
// supplier's groups, whose marks, sales surcharges and cost types stay.
class RefusedGroupFile : public test::GroupTest {
  protected:
    void SetUp() override {
        GroupTest::SetUp();
        auto d = discount("1-47", "1", 10, true, "Handeingabe");
        d.salesSurcharge = 25;
        store().writeDiscountGroup(d);
        auto p = product("1-999", "Manuell", false, true);
        p.costType = 12;
        store().writeProductGroup(p);
    }

    void expectGroupsAsTheyWere() {
        auto d = store().readDiscountGroup("1-47");
        ASSERT_TRUE(d);
        EXPECT_TRUE(d->selektiert);
        EXPECT_DOUBLE_EQ(d->salesSurcharge, 25);
        EXPECT_DOUBLE_EQ(d->wert, 10);
        auto p = store().readProductGroup("1-999");
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->selektiert);
        EXPECT_EQ(p->costType, 12);
        EXPECT_FALSE(host.saidSomething("wurden gelöscht!"));
    }
};

TEST_F(RefusedGroupFile, LeavesTheOldGroups) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
    } files[] = {
        {"wrong version", {groupHeader("03"), "R;;48;1;3550;Rohre;", "S;;124;Zweite;;;"}},
        {"header too long", {groupHeader() + "X", "R;;48;1;3550;Rohre;"}},
        {"no header", {"R;;48;1;3550;Rohre;", "S;;124;Zweite;;;"}},
        {"DATANORM 5 header", {"V;050;R;20240131;EUR;Rabatte;;;", "R;48;1;3550;Rohre;"}},
        {"binary junk",
         {std::string("\x89PNG\x1a\x00\x01\xff\xfe", 9), std::string("\x00\x00\x7f;;", 5)}},
        {"empty file", {}},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        host.messages.clear();
        writeInput("datanorm.rab", f.lines);
        writeInput("datanorm.wrg", f.lines);
        host.forms.push_back({kDiscountReadForm, {{kReadDeleteOld, "1"}}, {}});
        ReadDiscountFile4(*session);
        host.forms.push_back({kProductReadForm, {}, {}});
        ReadProductFile4(*session);
        expectGroupsAsTheyWere();
        EXPECT_FALSE(store().discountGroupExists("1-48"));
    }
}

// The deletion and the new groups are one unit: an accepted file replaces.
TEST_F(RefusedGroupFile, AcceptedFileReplacesTheOldGroups) {
    writeInput("datanorm.rab", {groupHeader(), "R;;48;1;3550;Rohre;"});
    host.forms.push_back({kDiscountReadForm, {{kReadDeleteOld, "1"}}, {}});
    ASSERT_EQ(ReadDiscountFile4(*session), CommandOutcome::Done);
    EXPECT_FALSE(store().discountGroupExists("1-47"));
    EXPECT_TRUE(store().discountGroupExists("1-48"));
    EXPECT_EQ(host.messages.front(), "Alte Rabattsätze des Lieferanten: Test wurden gelöscht!");
}

TEST_F(DiscountReadTest, ValueThatIsNoNumberLeavesTheGroup) {
    auto old = discount("1-47", "1", 10, true);
    old.salesSurcharge = 25;
    store().writeDiscountGroup(old);
    writeInput("datanorm.rab", {groupHeader(), "R;;47;1;3O00;Rohre;", "R;;48;2;0850;Multi;"});
    EXPECT_EQ(read(false, true), CommandOutcome::Failed);
    auto g = store().readDiscountGroup("1-47");
    EXPECT_DOUBLE_EQ(g->wert, 10);
    EXPECT_EQ(g->bezeichnung, "Gruppe");
    EXPECT_DOUBLE_EQ(store().readDiscountGroup("1-48")->wert, 0.85);
    EXPECT_TRUE(host.printedSomething(
        "Zeile 2: R-Satz, Feld 5 ist keine Zahl: \"3O00\" - Satz übersprungen!"));
    EXPECT_EQ(host.messages.back(),
              "1 Rabattgruppen / -sätze von der Diskette gelesen!\n\n1 Satz wegen fehlerhafter "
              "Felder übersprungen!");
}

}  // namespace
}  // namespace dn
