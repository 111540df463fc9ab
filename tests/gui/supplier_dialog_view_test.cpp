// The supplier dialog on screen: "&Liste" clicked with the mouse in the
// number entry opens the list as F2 does, and the folder button sits in
// the row of "Dateipfad".

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include "common/session.h"
#include "features/setup/startup.h"
#include "features/setup/supplier_dialog.h"
#include "gui/form_dialog.h"
#include "gui/gui_app.h"
#include "gui/list_dialog.h"
#include "gui/qt_host.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Runs `action` on the next list dialog that opens.
void onNextList(std::function<void(ListDialog&)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* list = dynamic_cast<ListDialog*>(QApplication::activeModalWidget());
        if (!list) return;
        timer->stop();
        timer->deleteLater();
        action(*list);
    });
    timer->start();
}

// A click as the mouse makes it: the button takes the focus when its
// policy takes it on a click (as the application does for a real click),
// then it is pressed.
void mouseClick(QPushButton* button) {
    if (button->focusPolicy() & Qt::ClickFocus) button->setFocus(Qt::MouseFocusReason);
    settle();
    if (button->isEnabled()) button->click();
}

TEST(SupplierDialogView, ListClickedInTheNumberEntryOpensTheListAndKeepsTheState) {
    dn::test::ensureGuiApp();
    dn::test::TempDir home;
    QtHost host;
    Session session(host);
    dn::Setup(session, home.path().string(), {});
    bool listOpened = false;
    dn::test::onNextModal([&](QWidget& w) {
        auto& dialog = dynamic_cast<FormDialog&>(w);
        QApplication::setActiveWindow(&dialog);
        settle();
        auto* number = qobject_cast<QLineEdit*>(dialog.fieldWidget(kSupNumber));
        number->setFocus(Qt::MouseFocusReason);
        settle();
        number->setText("5");
        onNextList([&](ListDialog& list) {
            listOpened = true;
            list.setCurrentRow(6);
            list.accept();
        });
        mouseClick(dialog.buttonWidget(kSupList));
        settle();
        EXPECT_TRUE(listOpened);
        EXPECT_EQ(number->text(), "7");
        EXPECT_TRUE(dialog.buttonWidget(kSupList)->isEnabled());
        EXPECT_FALSE(dialog.fieldWidget(kSupName)->isEnabled());

        // The folder button in the row of the path line.
        QWidget* path = dialog.fieldWidget(kSupPath);
        QPushButton* chooser = dialog.buttonWidget(kSupPathChooser);
        EXPECT_EQ(chooser->text(), "...");
        EXPECT_EQ(chooser->parentWidget(), path->parentWidget());
        const int middle = chooser->mapTo(&dialog, chooser->rect().center()).y();
        const int top = path->mapTo(&dialog, QPoint(0, 0)).y();
        EXPECT_TRUE(middle >= top && middle <= top + path->height());

        // Return in the number reads the record; the letter row of the
        // editing state makes the dialog taller instead of scrolling.
        QApplication::setActiveWindow(&dialog);
        number->setFocus(Qt::OtherFocusReason);
        settle();
        number->setText("12");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(number, &enter);
        settle();
        EXPECT_TRUE(dialog.fieldWidget(kSupName)->isEnabled());
        EXPECT_TRUE(dialog.fieldWidget(kSupLetter)->isVisible());
        EXPECT_EQ(dialog.findChild<QScrollArea*>()->verticalScrollBar()->maximum(), 0);
        dialog.pressButton(kEndSave);
        dialog.pressButton(kEndSave);
    });
    SupplierDialog(session);
    EXPECT_TRUE(listOpened);
}

}  // namespace
}  // namespace dn::gui
