#include "features/setup/supplier_dialog.h"

#include <gtest/gtest.h>

#include "common/current_supplier.h"
#include "support/session_fixture.h"

namespace dn {
namespace {

class SupplierDialogTest : public test::SessionFixture {
  protected:
    // Runs the dialog: enter the number, set fields, save, end.
    void edit(int number, std::vector<std::pair<int, std::string>> sets) {
        sets.insert(sets.begin(), {kSupNumber, std::to_string(number)});
        host.forms.push_back({"TFLIEFERANT", sets, {kEndSave, kEndSave}});
        ASSERT_EQ(SupplierDialog(*session), CommandOutcome::Done);
    }
    // Runs the dialog by hand.
    void drive(std::function<void(EntryForm&)> steps) {
        FormScript script;
        script.drive = [steps](EntryForm& f) {
            f.open();
            steps(f);
        };
        host.forms.push_back(script);
        SupplierDialog(*session);
    }
    static void enter(EntryForm& f, int tag, const std::string& value) {
        f.enterField(tag);
        f.setValue(tag, value);
        f.leaveField(tag);
    }
};

TEST_F(SupplierDialogTest, NumberEntryThenEditingStates) {
    drive([](EntryForm& f) {
        EXPECT_TRUE(f.button(kSupOnline)->disabled);
        EXPECT_TRUE(f.field(kSupName)->protectedField);
        EXPECT_TRUE(f.field(kSupLetter)->hidden);
        enter(f, kSupNumber, "0");  // 0 keeps the number entry
        EXPECT_FALSE(f.field(kSupNumber)->protectedField);
        enter(f, kSupNumber, "5");
        EXPECT_TRUE(f.field(kSupNumber)->protectedField);
        EXPECT_TRUE(f.button(kSupList)->disabled);
        EXPECT_FALSE(f.button(kSupOnline)->disabled);
        EXPECT_TRUE(f.field(kSupLetter)->hidden);  // letters only from supplier 10 on
        EXPECT_FALSE(f.press(kEndSave));           // saves, back to number entry
        EXPECT_EQ(f.focus(), kSupNumber);
        enter(f, kSupNumber, "12");
        EXPECT_FALSE(f.field(kSupLetter)->hidden);
        f.press(kEndSave);
        EXPECT_TRUE(f.press(kEndSave));  // in number entry "&Ende" closes
    });
}

TEST_F(SupplierDialogTest, LetterRules) {
    edit(40, {{kSupName, "Vierzig"}, {kSupLetter, "K"}});
    edit(12, {{kSupName, "Zwölf"}, {kSupLetter, "K"}});
    EXPECT_EQ(session->suppliers.entry(40).letter, 'K');
    EXPECT_EQ(session->suppliers.entry(12).letter, ' ');
    edit(13, {{kSupLetter, "s"}});  // not a valid letter
    EXPECT_EQ(session->suppliers.entry(13).letter, ' ');
    edit(14, {{kSupName, "Vierzehn"},
              {kSupLetter, "b"},
              {kSupVersion, "2"},
              {kSupPath, "/gibt/es/nicht/"}});
    EXPECT_EQ(session->suppliers.entry(14).letter, 'b');
    EXPECT_EQ(session->suppliers.entry(14).version, '5');
    // A path that does not exist is reported; the record stays saved.
    EXPECT_TRUE(host.saidSomething(
        "Der gewählte Lieferantenpfad für Lieferant \"Vierzehn\" ist ungültig!"));
    EXPECT_EQ(session->suppliers.entry(14).path, "/gibt/es/nicht/");
}

TEST_F(SupplierDialogTest, DirectButtonByNameAndShkBoxNeedsACompany) {
    drive([](EntryForm& f) {
        enter(f, kSupNumber, "3");
        enter(f, kSupName, "Reisser");
        EXPECT_FALSE(f.button(kSupDirect)->disabled);
        enter(f, kSupName, "Andere");
        EXPECT_TRUE(f.button(kSupDirect)->disabled);
        enter(f, kSupShk, "1");  // no SHK-Connect company yet: refused
        EXPECT_EQ(f.value(kSupShk), "0");
        f.press(kEndSave);
        f.press(kEndSave);
    });
    EXPECT_TRUE(host.saidSomething(
        "Wählen Sie erst über shk-connect die Firmennummer für den SHK Zugang!"));
}

TEST_F(SupplierDialogTest, PathChooserRules) {
    const std::string longPath = "/" + std::string(70, 'x');
    host.directories.push_back(longPath);
    host.directories.push_back("/Daten/Lieferant");
    drive([](EntryForm& f) {
        enter(f, kSupNumber, "20");
        f.press(kSupPathChooser);
        EXPECT_EQ(f.value(kSupPath), "");  // longer than 60: refused
        f.press(kSupPathChooser);
        EXPECT_EQ(f.value(kSupPath), "/daten/lieferant/");
        f.press(kEndSave);
        f.press(kEndSave);
    });
    EXPECT_TRUE(host.saidSomething(
        "Der gewählte Pfad ist länger als 60 Zeichen. Bitte anderen Pfad wählen!"));
}

TEST_F(SupplierDialogTest, AfterTheDialogTheCurrentSupplierIsReadAgain) {
    edit(1, {{kSupName, "Eins"}, {kSupVersion, "2"}});
    EXPECT_EQ(session->DnVersion, 2);
    EXPECT_EQ(host.caption, "DATANORM: 1 Eins   ");
}

}  // namespace
}  // namespace dn
