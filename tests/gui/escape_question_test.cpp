// The question "Import abbrechen ?" on the desktop: "Nein" clears Escape,
// so that the loop goes on and no further box opens until the next Escape.

#include "host/escape_question.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

#include "gui/gui_app.h"
#include "gui/qt_host.h"

namespace dn::gui {
namespace {

// Answers the next message box with the button of that caption.
void answerNext(const QString& caption, QString* question) {
    dn::test::onNextModal([caption, question](QWidget& w) {
        auto* box = qobject_cast<QMessageBox*>(&w);
        if (!box) return;
        *question = box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) b->click();
    });
}

TEST(EscapeQuestionGui, NoGoesOnAndYesStops) {
    dn::test::ensureGuiApp();
    QtHost host;
    QWidget mainWindow;
    host.setMainWindow(&mainWindow);
    auto escape = [&mainWindow] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&mainWindow, &press);
    };
    host.Balken_Oeffnen("Lese Datei...", true);
    host.Balken_Max(10);

    escape();
    QString question;
    answerNext("&Nein", &question);
    EXPECT_FALSE(EscapeEndsLoop(host));
    EXPECT_EQ(question, "Import abbrechen ?");
    // The flag is clear: the next steps ask nothing.
    EXPECT_FALSE(host.EscPressed());
    host.Balken_Inc();
    question.clear();
    EXPECT_FALSE(EscapeEndsLoop(host));
    EXPECT_TRUE(question.isEmpty());

    escape();
    answerNext("&Ja", &question);
    EXPECT_TRUE(EscapeEndsLoop(host));
    EXPECT_EQ(question, "Import abbrechen ?");
    host.Balken_Schliessen();
}

}  // namespace
}  // namespace dn::gui
