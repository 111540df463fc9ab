// Every dialog of the program on the smallest screen it is made for
// (1024 x 768): the real forms of every command and version, the supplier
// list and long messages. Nothing wider or taller than the room, titles
// whole, explanations wrapped, no text cut; what does not fit scrolls
// above the buttons.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <map>
#include <memory>
#include <set>

#include "common/current_supplier.h"
#include "common/dispatch.h"
#include "common/session.h"
#include "features/setup/startup.h"
#include "gui/form_dialog.h"
#include "gui/gui_app.h"
#include "gui/list_dialog.h"
#include "gui/qt_host.h"
#include "gui/screen_fit.h"
#include "host/scripted_host.h"
#include "routes/command_routes.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

// The client area a window has on a 1024 x 768 screen with a panel.
const QSize kRoom(1024 - 16, 768 - 32 - 40);

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// What is wrong with a shown window: too large, title cut, a text cut, a
// button out of view, contents that scroll sideways.
std::vector<std::string> fitFaults(QWidget& window) {
    std::vector<std::string> faults;
    const auto fault = [&faults](const QString& text) { faults.push_back(text.toStdString()); };
    const QRect all = window.rect();
    // The standard message box lays itself out around its short title.
    const bool messageBox = qobject_cast<QMessageBox*>(&window) != nullptr;
    if (!window.isMaximized()) {
        if (window.width() > kRoom.width() || window.height() > kRoom.height())
            fault(QStringLiteral("Größe %1x%2").arg(window.width()).arg(window.height()));
        if (!messageBox && window.width() < std::min(titleRoom(window), kRoom.width()))
            fault(QStringLiteral("Titel braucht %1, Breite %2")
                      .arg(titleRoom(window))
                      .arg(window.width()));
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
        const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                           : label->sizeHint().width() > label->width();
        if (cut) fault(QStringLiteral("Text abgeschnitten: ") + label->text().left(40));
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(&window)) continue;
        const QRect at(button->mapTo(&window, QPoint(0, 0)), button->size());
        const auto* area = qobject_cast<QScrollArea*>(button->parentWidget());
        if (!area && !all.contains(at))
            fault(QStringLiteral("Knopf nicht zu sehen: ") + button->text());
    }
    for (QScrollArea* area : window.findChildren<QScrollArea*>())
        if (area->widget() && area->widget()->width() > area->viewport()->width())
            fault(QStringLiteral("Inhalt rollt seitwärts: ") + nameOf(area));
    return faults;
}

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Shows every dialog as the program renders it, notes its faults and
// cancels it; messages and questions are recorded and answered "no".
class MeasuringHost : public ScriptedHost {
  public:
    std::map<std::string, std::vector<std::string>> faults;  // form class -> faults
    // A state to measure in place of the opening state.
    std::map<std::string, std::function<void(EntryForm&)>> prepare;

    void runForm(EntryForm& form) override {
        formsShown.push_back(form.formClass());
        form.open();
        if (auto p = prepare.find(form.formClass()); p != prepare.end()) p->second(form);
        {
            FormDialog dialog(form, nullptr, nullptr);
            dialog.show();
            settle();
            auto& noted = faults[form.formClass()];
            for (auto& f : fitFaults(dialog)) noted.push_back(form.caption() + ": " + f);
        }
        if (!form.closed()) form.press(kCancel);
    }
};

class DialogFitTest : public ::testing::Test {
  protected:
    void SetUp() override { dn::test::ensureGuiApp(); }
};

TEST_F(DialogFitTest, EveryFormOfEveryCommandFitsTheSmallScreen) {
    dn::test::TempDir home;
    MeasuringHost host;
    host.defaultAnswer = false;
    // The supplier dialog with a supplier from 10 on shows all its fields.
    host.prepare["TFLIEFERANT"] = [](EntryForm& form) {
        form.enterField(100);
        form.setValue(100, "12");
        form.leaveField(100);
    };
    Session session(host);
    dn::Setup(session, home.path().string(), {});
    // The longest names the supplier table holds, one supplier per version.
    const std::string longest(17, 'W');
    for (int n = 1; n <= 3; ++n) {
        SupplierRecord r = session.suppliers.readRecord(n);
        r.setName(longest);
        r.setVersion("345"[n - 1]);
        session.suppliers.writeRecord(n, r);
    }
    Dispatcher dispatcher(session, makeCommandRoutes());
    const CommandRoutes routes = makeCommandRoutes();
    for (int n = 1; n <= 3; ++n) {
        SetCurrentSupplier(session, n);
        ReadCurrentSupplier(session);
        for (const auto& [number, route] : routes) dispatcher.dispatch(number);
    }

    const std::set<std::string> seen(host.formsShown.begin(), host.formsShown.end());
    for (const char* formClass :
         {"TFLIEFERANT", "TLAUFWERK", "TPARAMETER", "TFPROTOKOLL", "TUEBERNEHMEN4", "TUEBLEISTUNG",
          "TPFLEGEDISKETTE", "TRABATTAENDERN", "TPENDELDISKETTE", "TUEBMINUTEN"})
        EXPECT_TRUE(seen.count(formClass)) << formClass << " was not opened";
    for (const auto& [formClass, faults] : host.faults)
        for (const auto& f : faults) ADD_FAILURE() << formClass << " " << f;
}

TEST_F(DialogFitTest, ManyFieldsScrollAboveTheButtons) {
    EntryForm form("TVIELE", "Viele Felder");
    std::string explanation;
    for (int i = 0; i < 60; ++i) explanation += "Eine lange Erklärung des Dialogs. ";
    form.AddExplanation(explanation);
    std::vector<std::string> texts(60);
    for (int i = 0; i < 60; ++i) form.AddString(100 + i, "Feld " + std::to_string(i), texts[i], 40);
    form.AddButton(kOk, "&Ok");
    form.AddButton(kCancel, "&Abbruch");
    form.open();
    FormDialog dialog(form, nullptr, nullptr);
    EXPECT_LE(dialog.sizeHint().height(), kRoom.height());
    dialog.show();
    settle();
    for (const auto& f : fitFaults(dialog)) ADD_FAILURE() << f;
    auto* area = dialog.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
}

TEST_F(DialogFitTest, SupplierChangeListWrapsItsExplanation) {
    QtHost host;
    Session session(host);
    dn::test::onNextModal([](QWidget& w) {
        auto& list = dynamic_cast<ListDialog&>(w);
        settle();
        EXPECT_EQ(list.windowTitle(), "Wechsel des aktuellen Lieferanten");
        for (const auto& f : fitFaults(list)) ADD_FAILURE() << f;
        list.reject();
    });
    EXPECT_EQ(ChooseSupplierFromList(session, 4, true), 4);
}

TEST_F(DialogFitTest, LongMessagesScrollAndShortOnesUseTheMessageBox) {
    QtHost host;
    QString lines;
    for (int i = 1; i <= 200; ++i) lines += QStringLiteral("Zeile %1 der Meldung\r").arg(i);
    const std::string texts[] = {lines.toStdString(), std::string(3000, 'x'),  // one word, no break
                                 "Übernahme beendet.\r3 Artikel"};
    for (const auto& text : texts) {
        bool scrolled = false;
        QString shown;
        dn::test::onNextModal([&](QWidget& w) {
            settle();
            for (const auto& f : fitFaults(w)) ADD_FAILURE() << f;
            if (auto* box = qobject_cast<QMessageBox*>(&w)) {
                shown = box->text();
                box->done(0);
                return;
            }
            auto* view = w.findChild<QPlainTextEdit*>("message_text");
            ASSERT_NE(view, nullptr);
            scrolled = true;
            shown = view->toPlainText();
            static_cast<QDialog&>(w).accept();
        });
        host.meldung(text);
        QString expected = QString::fromStdString(text);
        expected.replace(u'\r', u'\n');
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(scrolled, text.size() > 100);
    }
}

}  // namespace
}  // namespace dn::gui
