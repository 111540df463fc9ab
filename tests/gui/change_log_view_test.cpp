// The change-log viewer (command 64): maximised, the whole log in a
// fixed-pitch text view with its end in view, the buttons always visible;
// after "&Löschen" it shows that there is no log.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <fstream>

#include "common/change_log.h"
#include "common/session.h"
#include "gui/form_dialog.h"
#include "gui/gui_app.h"
#include "gui/qt_host.h"
#include "gui/text_view.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

// Answers the next question box (not `current`) with its button `answer`.
void answerNextQuestion(QWidget* current, const QString& answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, current, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == current) return;
        timer->stop();
        timer->deleteLater();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == answer) b->click();
    });
    timer->start();
}

bool inView(const QWidget* widget, const QWidget* window) {
    const QRect at(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return widget->isVisible() && window->rect().contains(at);
}

TEST(ChangeLogView, FiveHundredLinesScrollToTheEndAndTheButtonsStayInView) {
    dn::test::ensureGuiApp();
    dn::test::TempDir dir;
    QtHost host;
    Session session(host);
    session.host.konf[kMasterDataDir] = (dir.path() / "").string();
    {
        std::ofstream log(dir / "datanorm.log", std::ios::binary);
        for (int i = 1; i <= 500; ++i)
            log << "10.12.2026 4 Artikelübernahme               /daten/datanorm." << i
                << " 1  Lieferant\r\n";
    }
    bool checked = false;
    dn::test::onNextModal([&](QWidget& w) {
        auto& dialog = dynamic_cast<FormDialog&>(w);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        EXPECT_TRUE(dialog.isMaximized());
        auto* view = dynamic_cast<TextView*>(dialog.fieldWidget(100));
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(view->isReadOnly());
        EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
        EXPECT_EQ(view->document()->blockCount(), 501);  // the last line ends with CR LF
        QScrollBar* bar = view->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_TRUE(inView(view, &dialog));
        QPushButton* erase = dialog.buttonWidget(20);
        QPushButton* end = dialog.buttonWidget(kCancel);
        EXPECT_EQ(erase->text(), "&Löschen");
        EXPECT_EQ(end->text(), "&Beenden");
        EXPECT_TRUE(inView(erase, &dialog));
        EXPECT_TRUE(inView(end, &dialog));
        EXPECT_TRUE(erase->isEnabled());
        bool layoutShown = false;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (label->text() == "Satzaufbau") layoutShown = inView(label, &dialog);
        EXPECT_TRUE(layoutShown);

        answerNextQuestion(&dialog, QStringLiteral("&Ja"));
        erase->click();
        EXPECT_EQ(view->toPlainText(), "Keine Protokolldatei gefunden!");
        EXPECT_FALSE(erase->isEnabled());
        EXPECT_TRUE(inView(end, &dialog));
        checked = true;
        end->click();
    });
    ShowChangeLog(session);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(ReadChangeLog(session).has_value());
}

}  // namespace
}  // namespace dn::gui
