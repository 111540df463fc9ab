#include "host/entry_form.h"

#include <gtest/gtest.h>

#include "host/errors.h"
#include "host/scripted_host.h"

namespace dn {
namespace {

// A dialog whose OK refuses an empty name and whose F2 fills a default.
class NameForm : public EntryForm {
  public:
    NameForm() : EntryForm("TNAME", "Name") {
        AddString(100, "Name", name, 10);
        AddYesNo(101, "Aktiv", active);
        AddInteger(102, "Anzahl", count);
        AddRadioGroup(103, "Art", {"eins", "zwei"}, kind);
        AddButton(kOk, "&Ok");
        AddButton(kF2, "&Vorgabe");
    }
    std::string name;
    bool active = false;
    int count = 0;
    int kind = 0;
    std::vector<std::string> trace;

  protected:
    void SetupWindow() override { trace.push_back("setup"); }
    void DeSetupWindow() override { trace.push_back("desetup"); }
    void PreEdit(int tag) override { trace.push_back("pre" + std::to_string(tag)); }
    void PostEdit(int tag) override { trace.push_back("post" + std::to_string(tag)); }
    bool OK() override { return !name.empty(); }
    bool ButtonPressed(int tag) override {
        if (tag == kF2) {
            name = "Vorgabe";
            TransferData(2);
        }
        return false;
    }
};

TEST(EntryForm, ScriptFillsFieldsAndRunsHooksInOrder) {
    ScriptedHost host;
    host.forms.push_back(
        {"TNAME", {{100, "Müller GmbH Köln"}, {101, "1"}, {102, "42"}, {103, "zwei"}}, {}});
    NameForm form;
    EXPECT_TRUE(form.Execute(host));
    EXPECT_EQ(form.name, "Müller Gmb");  // cut to 10 characters, not bytes
    EXPECT_TRUE(form.active);
    EXPECT_EQ(form.count, 42);
    EXPECT_EQ(form.kind, 1);
    const std::vector<std::string> expected = {"setup",   "pre100", "post100", "pre101",
                                               "post101", "pre102", "post102", "pre103",
                                               "post103", "desetup"};
    EXPECT_EQ(form.trace, expected);
}

TEST(EntryForm, RefusedOkKeepsTheDialogOpenAndButtonsWork) {
    NameForm form;
    form.open();
    EXPECT_FALSE(form.press(kOk));  // empty name
    EXPECT_FALSE(form.closed());
    form.press(kF2);
    EXPECT_EQ(form.value(100), "Vorgabe");
    EXPECT_TRUE(form.press(kOk));
    EXPECT_EQ(form.result(), kOk);
}

TEST(EntryForm, CancelLeavesTheVariables) {
    NameForm form;
    form.name = "alt";
    form.open();
    form.setValue(100, "neu");
    EXPECT_TRUE(form.press(kCancel));
    EXPECT_EQ(form.name, "alt");
}

TEST(EntryForm, BadValuesAreRefused) {
    NameForm form;
    form.open();
    EXPECT_THROW(form.setValue(101, "vielleicht"), InputError);
    EXPECT_THROW(form.setValue(102, "zwölf"), InputError);
    EXPECT_THROW(form.setValue(103, "5"), InputError);
    EXPECT_THROW(form.setValue(999, "x"), InputError);
}

TEST(EntryForm, ProtectedFieldsCannotBeScripted) {
    NameForm form;
    form.ProtectControl(100, true);
    EXPECT_THROW(playForm(form, FormScript{"", {{100, "x"}}, {}}), InputError);
}

}  // namespace
}  // namespace dn
