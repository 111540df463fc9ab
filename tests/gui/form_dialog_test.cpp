// The entry dialog rendered from a form description: controls per field
// kind, keys to buttons, and the hooks run on focus changes and presses.

#include "gui/form_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

#include "gui/gui_app.h"
#include "gui/qt_host.h"

namespace dn::gui {
namespace {

// A dialog with one field of each kind that records its hooks.
class SampleForm : public EntryForm {
  public:
    std::string code = "47";
    bool flag = true;
    int number = 12;
    int radio = 1;
    int list = 2;
    std::vector<std::string> calls;
    std::function<void(int)> onPostEdit;
    std::function<bool(int)> onButton;

    SampleForm() : EntryForm("TSAMPLE", "Beispiel") {
        AddExplanation("Erklärung des Dialogs.");
        AddString(100, "Gruppe", code, 4);
        AddYesNo(101, "&Langtext übernehmen", flag);
        AddInteger(102, "Anzahl", number);
        AddRadioGroup(103, "Art", {"Rabatt", "Multi", "Teuerung"}, radio);
        AddList(104, "Löschen", {"Artikel löschen", "Nur Hinweis", "Anderes"}, list);
        AddDisplay(105, "Anzeige", [] { return std::string("nur lesen"); });
        AddButton(kEndSave, "&Ende", "ESC=Ende und Speichern");
        AddButton(kF2, "&Gruppen-Liste", "F2=Liste Rabattgruppen");
        AddButton(kF8, "&Löschen", "F8=Rabattgruppe löschen");
        AddButton(kOk, "&Ok");
    }

  protected:
    void PreEdit(int tag) override { calls.push_back("pre " + std::to_string(tag)); }
    void PostEdit(int tag) override {
        calls.push_back("post " + std::to_string(tag) + " " + value(tag));
        if (onPostEdit) onPostEdit(tag);
    }
    bool ButtonPressed(int tag) override {
        calls.push_back("button " + std::to_string(tag));
        return onButton ? onButton(tag) : false;
    }
};

class FormDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dn::test::ensureGuiApp(); }

    // Gives the field's control the focus as a click or Tab would.
    static void focus(FormDialog& dialog, int tag) {
        QWidget* w = dialog.fieldWidget(tag);
        if (auto* group = qobject_cast<QGroupBox*>(w))
            w = group->findChildren<QRadioButton*>().front();
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    static void show(FormDialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.activateWindow();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    static void key(QWidget* target, int qtKey) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
};

TEST_F(FormDialogTest, KeysPressTheButtonsOfTheForm) {
    SampleForm withEnd;
    EntryForm plain("TPLAIN", "Einfach");
    plain.AddButton(kOk, "&Ok");
    plain.AddButton(15, "F5");
    struct Case {
        const EntryForm* form;
        int key;
        int button;
    };
    const Case cases[] = {
        {&withEnd, Qt::Key_Escape, kEndSave},
        {&plain, Qt::Key_Escape, kCancel},
        {&withEnd, Qt::Key_F2, kF2},
        {&withEnd, Qt::Key_F8, kF8},
        {&withEnd, Qt::Key_F3, 0},
        {&plain, Qt::Key_F5, 15},
        {&withEnd, Qt::Key_F1, kHelpKey},
        {&plain, Qt::Key_F10, 0},
        {&plain, Qt::Key_A, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buttonForKey(c.key, *c.form), c.button)
            << c.form->formClass() << " key " << c.key;

    withEnd.HideControl(kEndSave, true);
    EXPECT_EQ(buttonForKey(Qt::Key_Escape, withEnd), kCancel);
}

TEST_F(FormDialogTest, ControlsShowTheDescription) {
    SampleForm form;
    form.open();
    form.ProtectControl(102, true);
    form.HideControl(104, true);
    form.EnableButton(kF8, false);
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);

    EXPECT_EQ(dialog.windowTitle(), "Beispiel");
    auto* code = qobject_cast<QLineEdit*>(dialog.fieldWidget(100));
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->text(), "47");
    EXPECT_EQ(code->maxLength(), 4);
    auto* check = qobject_cast<QCheckBox*>(dialog.fieldWidget(101));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(check->text(), "&Langtext übernehmen");
    auto* count = qobject_cast<QLineEdit*>(dialog.fieldWidget(102));
    ASSERT_NE(count, nullptr);
    EXPECT_FALSE(count->isEnabled());
    auto radios = dialog.fieldWidget(103)->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 3);
    EXPECT_TRUE(radios[1]->isChecked());
    auto* combo = qobject_cast<QComboBox*>(dialog.fieldWidget(104));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_FALSE(combo->isVisible());
    auto* display = qobject_cast<QLabel*>(dialog.fieldWidget(105));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->text(), "nur lesen");

    EXPECT_EQ(dialog.buttonWidget(kF2)->text(), "&Gruppen-Liste");
    EXPECT_EQ(dialog.buttonWidget(kF2)->toolTip(), "F2=Liste Rabattgruppen");
    EXPECT_FALSE(dialog.buttonWidget(kF8)->isEnabled());
    EXPECT_TRUE(dialog.buttonWidget(kOk)->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Erklärung des Dialogs.");
}

TEST_F(FormDialogTest, ExplanationsOfFieldsAreShownOnceBelowTheirFields) {
    EntryForm form("TPARAM", "Diverse Parameter");
    bool a = false, b = false, c = false;
    form.AddYesNo(100, "&Langtext übernehmen", a);
    form.AddYesNo(102, "Listen&preis übernehmen", b);
    form.AddYesNo(101, "&Werks-/Streckenpreise übernehmen", c);
    form.field(100)->hint = "Langtexte und Listenpreise.";
    form.field(102)->hint = "Langtexte und Listenpreise.";
    form.field(101)->hint = "Streckenpreise.";
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("note_100"), nullptr);
    ASSERT_NE(dialog.findChild<QLabel*>("note_102"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("note_102")->text(), "Langtexte und Listenpreise.");
    ASSERT_NE(dialog.findChild<QLabel*>("note_101"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("note_101")->text(), "Streckenpreise.");
    EXPECT_EQ(dialog.fieldWidget(100)->toolTip(), "Langtexte und Listenpreise.");
}

TEST_F(FormDialogTest, FocusChangesRunPreEditAndPostEditWithTheTypedText) {
    SampleForm form;
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);
    focus(dialog, 100);
    qobject_cast<QLineEdit*>(dialog.fieldWidget(100))->setText("0815");
    focus(dialog, 102);

    const std::vector<std::string> expected = {"pre 100", "post 100 0815", "pre 102"};
    EXPECT_EQ(form.calls, expected);
    EXPECT_EQ(form.focus(), 102);
}

TEST_F(FormDialogTest, PostEditSendsTheFocusBackAndHidesControls) {
    SampleForm form;
    // The code entry of the maintenance dialogs: a blank code keeps the
    // focus in field 100; a code locks the field and hides the list.
    form.onPostEdit = [&form](int tag) {
        if (tag != 100) return;
        if (form.value(100).find_first_not_of(' ') == std::string::npos) {
            form.ChangeFocus(100);
            return;
        }
        form.ProtectControl(100, true);
        form.HideControl(kF2, true);
    };
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);
    auto* code = qobject_cast<QLineEdit*>(dialog.fieldWidget(100));

    focus(dialog, 100);
    code->setText("  ");
    focus(dialog, 102);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), code);
    EXPECT_EQ(form.focus(), 100);
    EXPECT_TRUE(code->isEnabled());

    code->setText("47");
    focus(dialog, 102);
    EXPECT_FALSE(code->isEnabled());
    EXPECT_FALSE(dialog.buttonWidget(kF2)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.fieldWidget(102));
}

TEST_F(FormDialogTest, ChoiceControlsHandOverAtOnceAndOkStoresTheVariables) {
    SampleForm form;
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);
    qobject_cast<QCheckBox*>(dialog.fieldWidget(101))->setChecked(false);
    dialog.fieldWidget(103)->findChildren<QRadioButton*>()[2]->click();
    qobject_cast<QComboBox*>(dialog.fieldWidget(104))->setCurrentIndex(0);
    EXPECT_EQ(form.value(101), "0");
    EXPECT_EQ(form.value(103), "2");
    EXPECT_EQ(form.value(104), "0");

    focus(dialog, 100);
    qobject_cast<QLineEdit*>(dialog.fieldWidget(100))->setText("12");
    // Pressed by key, the focus stays in the field: the text goes over anyway.
    key(dialog.fieldWidget(100), Qt::Key_F2);
    EXPECT_EQ(form.calls.back(), "button 12");
    dialog.pressButton(kOk);

    EXPECT_TRUE(form.closed());
    EXPECT_EQ(form.result(), kOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.code, "12");
    EXPECT_FALSE(form.flag);
    EXPECT_EQ(form.radio, 2);
    EXPECT_EQ(form.list, 0);
}

TEST_F(FormDialogTest, EscapePressesEndWithSavingOrCancel) {
    SampleForm form;
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);
    focus(dialog, 100);
    key(dialog.fieldWidget(100), Qt::Key_Escape);
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(form.result(), kEndSave);

    EntryForm plain("TPLAIN", "Einfach");
    std::string text;
    plain.AddString(100, "Text", text, 10);
    plain.open();
    FormDialog second(plain, nullptr, nullptr);
    show(second);
    key(&second, Qt::Key_Escape);
    EXPECT_TRUE(plain.closed());
    EXPECT_EQ(plain.result(), kCancel);
}

TEST_F(FormDialogTest, RefusedTextIsShownAndTheDialogStaysOpen) {
    SampleForm form;
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    show(dialog);
    focus(dialog, 102);
    qobject_cast<QLineEdit*>(dialog.fieldWidget(102))->setText("zwölf");
    QString message;
    dn::test::closeNextMessage(&message);
    dialog.pressButton(kOk);

    EXPECT_EQ(message, "Ungültige Zahl für \"Anzahl\": zwölf");
    EXPECT_FALSE(form.closed());
    EXPECT_EQ(form.number, 12);
}

TEST_F(FormDialogTest, F1WithoutHelpButtonOpensTheManualAtTheFormsContext) {
    SampleForm form;
    form.helpContext = 21;
    form.open();
    int asked = -1;
    FormDialog dialog(form, nullptr, [&asked](int context) { asked = context; });
    show(dialog);
    key(&dialog, Qt::Key_F1);
    EXPECT_EQ(asked, 21);
}

TEST_F(FormDialogTest, RunFormEndsWithTheButtonAndRaisesAHooksError) {
    QtHost host;
    SampleForm form;
    form.onButton = [](int tag) { return tag == kF2; };
    dn::test::onNextModal([](QWidget& w) {
        auto& dialog = dynamic_cast<FormDialog&>(w);
        qobject_cast<QLineEdit*>(dialog.fieldWidget(100))->setText("A1");
        dialog.pressButton(kF2);
    });
    EXPECT_FALSE(form.Execute(host));
    EXPECT_EQ(form.result(), kF2);
    EXPECT_EQ(form.value(100), "A1");

    SampleForm failing;
    failing.onButton = [](int) -> bool { throw std::runtime_error("Tabelle gesperrt"); };
    dn::test::onNextModal([](QWidget& w) { dynamic_cast<FormDialog&>(w).pressButton(kF8); });
    try {
        failing.Execute(host);
        FAIL() << "the hook's error did not come through";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Tabelle gesperrt");
    }
}

}  // namespace
}  // namespace dn::gui
