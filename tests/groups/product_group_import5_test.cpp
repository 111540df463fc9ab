#include <gtest/gtest.h>

#include "features/groups/group_import5.h"
#include "support/maintenance5_fixture.h"

namespace dn {
namespace {

class ProductGroupImport5Test : public test::Maintenance5Test {
  protected:
    CommandOutcome run() {
        form("TW_EINLESEN");
        return ImportProductGroups5(*session);
    }
    void oldGroup(const std::string& key) {
        ProductGroupRecord g;
        g.key = key;
        g.costType = 7;
        g.selektiert = true;
        store().writeProductGroup(g);
    }
};

TEST_F(ProductGroupImport5Test, KeysWithAndWithoutSubGroup) {
    struct Case {
        const char* line;
        const char* key;
        bool isSubGroup;
        const char* text;
    };
    const Case cases[] = {
        {"S;123;;Heizung;", "1-123", false, "Heizung"},
        {"S;123;45;Heizkörper;", "1-12345", true, "Heizkörper"},
        {"S;124;   ;Nur Blanks;", "1-124", false, "Nur Blanks"},
        {"S;9;ABCDEFGHIJ;Lang;", "1-9ABCDEFGHIJ", true, "Lang"},
    };
    std::vector<std::string> lines{"V;050;S;20240131;EUR;Warengruppen;;;"};
    for (const auto& c : cases) lines.push_back(c.line);
    file("datanorm.wrg", lines);
    EXPECT_EQ(run(), CommandOutcome::Done);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto g = store().readProductGroup(c.key);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->isSubGroup, c.isSubGroup);
        EXPECT_EQ(g->bezeichnung, c.text);
        EXPECT_FALSE(g->selektiert);
    }
    EXPECT_TRUE(said("4 Warengruppen gelesen!"));
}

TEST_F(ProductGroupImport5Test, OldGroupsAlwaysGoAndOtherLettersAreAnswered) {
    oldGroup("1-999");
    oldGroup("2-999");
    file("datanorm.wrg", {"V;050;S;20240131;EUR;;;;", "R;1;1;100;Eins;", "A;N;1;x;", "S;1;;Eins;"});
    EXPECT_EQ(run(), CommandOutcome::Done);
    const std::vector<std::string> expected{
        "Alte Warengruppen des Lieferanten \"Fünf\" wurden gelöscht!",
        "Rabattsätze mit Rabattsatzfunktion übernehmen!",
        "Artikelsätze mit Funktion Artikelübernahme einlesen!",
        "1 Warengruppen gelesen!",
    };
    EXPECT_EQ(host.messages, expected);
    EXPECT_FALSE(store().productGroupExists("1-999"));
    EXPECT_TRUE(store().productGroupExists("2-999"));
    EXPECT_TRUE(store().productGroupExists("1-1"));
}

// A refused file deletes nothing: the old groups keep their marks and cost
// types, whatever the fault before the first group.
TEST_F(ProductGroupImport5Test, RefusedFileLeavesTheOldGroups) {
    const struct {
        const char* name;
        std::vector<std::string> lines;
        const char* message;
    } files[] = {
        {"group before the header",
         {"S;123;;Heizung;", "V;050;S;20240131;EUR;;;;"},
         "Vorlaufsatz fehlt!"},
        {"wrong kind",
         {"V;050;R;20240131;EUR;;;;", "S;123;;Heizung;"},
         "Keine Datanorm 5 - Warengruppendatei!"},
        {"wrong version",
         {"V;040;S;20240131;EUR;;;;", "S;123;;Heizung;"},
         "Keine DATANORM 5.0 Datei!\n\nDie Übernahme wird abgebrochen."},
        {"binary junk", {"\x89PNG\x1a\x01\x7f", "\xff\xfe;;;"}, nullptr},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        host.messages.clear();
        oldGroup("1-999");
        file("datanorm.wrg", f.lines);
        run();
        if (f.message) {
            EXPECT_TRUE(said(f.message)) << (host.messages.empty() ? "" : host.messages.front());
        }
        auto g = store().readProductGroup("1-999");
        ASSERT_TRUE(g);
        EXPECT_EQ(g->costType, 7);
        EXPECT_TRUE(g->selektiert);
        EXPECT_FALSE(store().productGroupExists("1-123"));
        EXPECT_FALSE(said("Alte Warengruppen des Lieferanten \"Fünf\" wurden gelöscht!"));
    }
}

TEST_F(ProductGroupImport5Test, OnlineStatusIsSetOnlyForAFileReadToItsEnd) {
    session->OnlineImportStatus = "0";
    file("datanorm.wrg", {"V;050;S;20240131;EUR;;;;", "S;1;;Eins;"});
    EXPECT_EQ(run(), CommandOutcome::Done);
    EXPECT_EQ(session->OnlineImportStatus, "1");

    session->OnlineImportStatus = "0";
    file("datanorm.wrg", {"V;050;R;20240131;EUR;;;;", "S;1;;Eins;"});
    EXPECT_EQ(run(), CommandOutcome::Failed);
    EXPECT_TRUE(said("Keine Datanorm 5 - Warengruppendatei!"));
    EXPECT_EQ(session->OnlineImportStatus, "0");

    session->OnlineImportStatus.clear();
    file("datanorm.wrg", {"V;050;S;20240131;EUR;;;;"});
    EXPECT_EQ(run(), CommandOutcome::Done);
    EXPECT_EQ(session->OnlineImportStatus, "");
}

}  // namespace
}  // namespace dn
