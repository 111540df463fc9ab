#include "suppliers/supplier_table.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/source_directory.h"
#include "host/codepage.h"
#include "support/session_fixture.h"

namespace dn {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(SupplierRecord, BlankRecordLayout) {
    SupplierRecord r;
    std::string expected(318, ' ');
    expected[0] = 8;
    EXPECT_EQ(std::string(r.bytes().data(), 318), expected);
    EXPECT_EQ(r.name(), "        ");
    EXPECT_EQ(r.path(), std::string(32, ' '));  // length byte ' ' = 32
    EXPECT_EQ(r.version(), ' ');
    EXPECT_TRUE(r.shkConnect());  // byte 311 blank counts as on
}

TEST(SupplierRecord, FieldsAtTheirOffsets) {
    SupplierRecord r;
    r.setName("Großhandel Süd");
    r.setAddress(SupplierRecord::kStreet, "Hauptstraße 1");
    r.setCustomerNumber("4711");
    r.setVersion('5');
    r.setLetter('K');
    r.setPath("/daten/sued/");
    r.setUseSubdirs(true);
    r.setCaseConversion(false);
    r.setShkConnect(true);
    const std::string b(r.bytes().data(), 318);
    EXPECT_EQ(b.substr(0, 15),
              "\x0EGro\xE1handel S\x81"
              "d");
    EXPECT_EQ(b.substr(138, 14),
              "Hauptstra\xE1"
              "e 1 ");
    EXPECT_EQ(b.substr(218, 10), "4711      ");
    EXPECT_EQ(b[246], '5');
    EXPECT_EQ(b[247], 'K');
    EXPECT_EQ(b.substr(248, 13), "\x0C/daten/sued/");
    EXPECT_EQ(b[309], '1');
    EXPECT_EQ(b[310], '0');
    EXPECT_EQ(b[311], 1);
    EXPECT_EQ(b.substr(312), "      ");
    r.setName("Ein sehr langer Lieferantenname");
    EXPECT_EQ(r.name(), "Ein sehr langer L");  // 17 characters
}

TEST(SupplierRecord, MaintenanceDatesMoveDown) {
    SupplierRecord r;
    EXPECT_TRUE(r.addMaintenanceDate("010125"));
    EXPECT_TRUE(r.addMaintenanceDate("150225"));
    EXPECT_FALSE(r.addMaintenanceDate("150225"));  // same as the newest: no change
    EXPECT_TRUE(r.addMaintenanceDate("010325"));
    EXPECT_EQ(r.maintenanceDate(0), "010325");
    EXPECT_EQ(r.maintenanceDate(1), "150225");
    EXPECT_EQ(r.maintenanceDate(2), "010125");
}

TEST(SupplierTable, CreatedWith101BlankRecords) {
    TempDir dir;
    SupplierTable t;
    t.load(dir.path());
    EXPECT_EQ(readFile(dir / "lieferan.dat").size(), 101u * 318u);
    EXPECT_EQ(t.entry(99).name, "        ");
}

TEST(SupplierTable, OlderTenRecordFileGrowsKeepingItsRecords) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 10; ++i) {
        SupplierRecord r;
        r.setName("Lieferant " + std::to_string(i));
        r.setVersion('4');
        bytes.append(r.bytes().data(), 318);
    }
    writeFile(dir / "lieferan.dat", bytes);
    SupplierTable t;
    t.load(dir.path());
    const std::string grown = readFile(dir / "lieferan.dat");
    EXPECT_EQ(grown.size(), 101u * 318u);
    EXPECT_EQ(grown.substr(0, 10 * 318), bytes);
    EXPECT_EQ(t.entry(9).name, "Lieferant 9");
    EXPECT_EQ(t.entry(10).name, "        ");
}

TEST(SupplierTable, PrefixAndLetterRules) {
    const struct {
        int number;
        char letter;
        const char* prefix;
    } cases[] = {{7, ' ', "7-"},  {12, 'K', "K-"},  {12, 'L', "12-"}, {12, 's', "12-"},
                 {40, 'a', "a-"}, {40, 'f', "40-"}, {40, 'g', "40-"}, {40, 'l', "40-"},
                 {40, 'Z', "Z-"}, {40, '1', "40-"}};
    for (const auto& c : cases)
        EXPECT_EQ(ArticlePrefixFor(c.number, c.letter), c.prefix) << c.letter;
}

TEST(SupplierTable, CurrentSupplierFile) {
    TempDir dir;
    const struct {
        const char* content;
        int number;
    } cases[] = {{"12\r\n", 12}, {"abc\r\n", 1}, {"0\r\n", 1}, {"7.6\r\n", 8}, {"", 1}};
    for (const auto& c : cases) {
        writeFile(dir / "aktuell.dat", c.content);
        EXPECT_EQ(readCurrentSupplierNumber(dir.path()), c.number) << c.content;
    }
    writeCurrentSupplierNumber(dir.path(), 42);
    EXPECT_EQ(readFile(dir / "aktuell.dat"), "42\r\n");
}

class CurrentSupplierTest : public test::SessionFixture {
  protected:
    void addSupplier(int n, const std::string& name, char version, char letter,
                     const std::string& path = "", bool subdirs = false) {
        SupplierRecord r;
        r.setName(name);
        r.setVersion(version);
        r.setLetter(letter);
        r.setPath(path);
        r.setUseSubdirs(subdirs);
        session->suppliers.writeRecord(n, r);
    }
};

TEST_F(CurrentSupplierTest, ReadingSetsPrefixVersionAndCaption) {
    addSupplier(12, "Kaiser", '5', 'K');
    SetCurrentSupplier(*session, 12);
    ReadCurrentSupplier(*session);
    EXPECT_EQ(session->ArticlePrefix, "K-");
    EXPECT_EQ(session->DnVersion, 2);
    EXPECT_EQ(host.caption, "DATANORM: 12 Kaiser  K");
    // A blank version keeps the version before.
    addSupplier(3, "Ohne", ' ', ' ');
    SetCurrentSupplier(*session, 3);
    EXPECT_EQ(session->DnVersion, 2);
    EXPECT_EQ(session->ArticlePrefix, "3-");
}

TEST_F(CurrentSupplierTest, ListChangesOrKeepsTheSupplier) {
    addSupplier(5, "Fünf", '3', ' ');
    host.lists.push_back([](const ListRequest& r) {
        EXPECT_EQ(r.title, "Wechsel des aktuellen Lieferanten");
        EXPECT_EQ(r.lines.size(), 99u);
        EXPECT_EQ(r.lines[4], "5  Fünf    ");
        return ListResult{true, 4, 0, {}};
    });
    EXPECT_TRUE(ChangeSupplierByList(*session));
    EXPECT_EQ(readFile(masterDir() / "aktuell.dat"), "5\r\n");
    EXPECT_EQ(session->DnVersion, 0);
    EXPECT_FALSE(ChangeSupplierByList(*session));  // cancelled: the same number again
    EXPECT_EQ(readFile(masterDir() / "aktuell.dat"), "5\r\n");
}

TEST_F(CurrentSupplierTest, SourceDirectoryRule) {
    session->settings.SourcePath = "/quelle";
    addSupplier(2, "Zwei", '5', ' ', "/lief/zwei/", true);
    addSupplier(3, "Drei", '4', ' ', "   ", true);
    SetCurrentSupplier(*session, 2);
    ReadCurrentSupplier(*session);
    EXPECT_EQ(SourceDirectory(*session, 'p'), "/lief/zwei/d5paend/");
    EXPECT_EQ(SourceDirectory(*session, 'g'), "/lief/zwei/d5bild/");
    EXPECT_EQ(SourceDirectory(*session, 'x'), "/lief/zwei/d5aend/");
    EXPECT_EQ(SourceDirectory(*session, ' '), "/lief/zwei/");
    EXPECT_TRUE(host.formsShown.empty());
    host.forms.push_back({"TNEUAENDERUNG", {{100, "1"}}, {}});
    EXPECT_EQ(SourceDirectory(*session, 'a'), "/lief/zwei/d5aend/");
    EXPECT_EQ(SourceDirectory(*session, 'w'), "/lief/zwei/d5grund/");  // preselection
    EXPECT_EQ(host.formsShown.size(), 2u);
    // A blank supplier path uses the source path; DATANORM 4 has no sub-directories.
    SetCurrentSupplier(*session, 3);
    ReadCurrentSupplier(*session);
    EXPECT_EQ(SourceDirectory(*session, 'a'), "/quelle/");
}

TEST_F(CurrentSupplierTest, ChangeLogNewestFirstInWindows1252) {
    addSupplier(1, "Müller", '4', ' ');
    SetCurrentSupplier(*session, 1);
    AppendChangeLog(*session, "4 Artikelübernahme", "/daten/datanorm.001");
    AppendChangeLog(*session, "123456789012345678901234567890", "/daten/datpreis.001");
    const std::string bytes = readFile(masterDir() / "datanorm.log");
    const std::string date = formatDotted(today());
    // A kind of exactly 30 characters is followed by one blank.
    const std::string first =
        date + " 123456789012345678901234567890 /daten/datpreis.001 1 M\xFCller   \r\n";
    const std::string second = date +
                               " 4 Artikel\xFC"
                               "bernahme             /daten/datanorm.001 1 M\xFCller   \r\n";
    EXPECT_EQ(bytes, first + second);
    host.defaultAnswer = true;
    EXPECT_TRUE(ReadChangeLog(*session).has_value());
    DeleteChangeLog(*session);
    EXPECT_FALSE(ReadChangeLog(*session).has_value());
}

}  // namespace
}  // namespace dn
