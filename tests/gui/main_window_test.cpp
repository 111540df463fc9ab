// The main window: the command menu with its captions, order and
// version-dependent items, one command at a time with the logo hidden,
// the end, and the window position file.

#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <memory>

#include "common/dispatch.h"
#include "common/session.h"
#include "gui/command_menu.h"
#include "gui/gui_app.h"
#include "gui/logo_view.h"
#include "gui/qt_host.h"
#include "gui/window_position.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator()) out << a->text();
    return out;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dn::test::ensureGuiApp();
        session.host.konf[kUserDir] = (dir.path() / "").string();
    }
    void makeWindow(CommandRoutes routes = {}) {
        dispatcher = std::make_unique<Dispatcher>(session, std::move(routes));
        window =
            std::make_unique<TFDATANORM>(session, *dispatcher, host, StartOptions{{}, {}, false});
        window->show();
        window->firstActivation();
    }
    QMenu* menu(const char* caption) { return window->commandMenu().menu(caption); }
    bool visible(int number) { return window->commandMenu().action(number)->isVisible(); }

    dn::test::TempDir dir;
    QtHost host;
    Session session{host};
    std::unique_ptr<Dispatcher> dispatcher;
    std::unique_ptr<TFDATANORM> window;
};

TEST_F(MainWindowTest, MenuFollowsTheCommandTable) {
    makeWindow();
    EXPECT_EQ(window->objectName(), "TFDATANORM");
    EXPECT_EQ(captions(window->menuBar()->actions()),
              (QStringList{"&Lieferant", "&Rabatte", "&Artikel", "&Preispflege", "&Warengruppen",
                           "&Diverses", "&Hilfe", "&Ende"}));
    EXPECT_EQ(
        captions(menu("&Rabatte")->actions()),
        (QStringList{"&Manuelle Erfassung", "&Einlesen Rabattdaten", "&Drucken Rabattdaten",
                     "&Löschen Rabattdaten", "&Selektion Rabattgruppen", "&Wechsel Lieferant"}));
    EXPECT_EQ(captions(menu("&Artikel")->actions()),
              (QStringList{"&Zeigen / Drucken Artikel", "&Artikel übernehmen",
                           "&Leistung übernehmen", "&Minuten übernehmen", "&Freie Texte übernehmen",
                           "&Grafikverwaltung", "&Wechsel Lieferant"}));
    EXPECT_EQ(captions(menu("&Grafikverwaltung")->actions()),
              (QStringList{"&Grafiken Kopieren", "&Index neu aufbauen"}));
    EXPECT_EQ(captions(menu("&Preispflege")->actions()),
              (QStringList{"mit &Preispflegedatei", "nach &Rabattänderung",
                           "Preis-&Anfrage (Pendeldatei)", "&Wechsel Lieferant"}));
    EXPECT_EQ(captions(menu("&Warengruppen")->actions()),
              (QStringList{"&Manuelle Erfassung", "&Einlesen Warengruppen", "&Drucken Warengruppen",
                           "&Selektion Warengruppen", "&Wechsel Lieferant"}));
    EXPECT_EQ(captions(menu("&Diverses")->actions()),
              (QStringList{"&Laufwerk", "&Artikelnummernänderung in Leistungen", "&Parameter",
                           "Pro&tokoll der Änderungen"}));
    EXPECT_EQ(window->commandMenu().action(372)->data().toInt(), 372);
}

TEST_F(MainWindowTest, VersionDecidesMinutesFreeTextsAndGraphics) {
    struct Case {
        int version;
        bool minutes, freeTexts, graphics;
    };
    const Case cases[] = {
        {0, true, false, false}, {1, false, false, false}, {2, false, true, true}};
    makeWindow();
    for (const auto& c : cases) {
        session.DnVersion = c.version;
        window->updateMenu();
        SCOPED_TRACE("version " + std::to_string(c.version));
        EXPECT_EQ(visible(35), c.minutes);
        EXPECT_EQ(visible(36), c.freeTexts);
        EXPECT_EQ(menu("&Grafikverwaltung")->menuAction()->isVisible(), c.graphics);
        EXPECT_TRUE(visible(33));
        EXPECT_TRUE(visible(38));
    }
}

TEST_F(MainWindowTest, SupplierChangeUpdatesTheMenu) {
    CommandRoutes routes;
    routes[25] = CommandRoute::all([](Session& s) {
        s.DnVersion = 0;
        return CommandOutcome::Done;
    });
    session.DnVersion = 2;
    makeWindow(std::move(routes));
    EXPECT_FALSE(visible(35));
    window->commandMenu().action(25)->trigger();
    EXPECT_TRUE(visible(35));
    EXPECT_FALSE(menu("&Grafikverwaltung")->menuAction()->isVisible());
}

TEST_F(MainWindowTest, OneCommandAtATimeWithTheLogoHiddenAndNoClosing) {
    std::vector<int> ran;
    bool logoDuring = true;
    bool openDuring = false;
    CommandRoutes routes;
    routes[21] = CommandRoute::all([&](Session&) {
        ran.push_back(21);
        logoDuring = window->logo().logoVisible();
        window->runCommand(22);  // a menu click from a nested message loop
        window->close();
        openDuring = window->isVisible();
        return CommandOutcome::Done;
    });
    routes[22] = CommandRoute::all([&](Session&) {
        ran.push_back(22);
        return CommandOutcome::Done;
    });
    makeWindow(std::move(routes));
    EXPECT_TRUE(window->logo().logoVisible());

    window->commandMenu().action(21)->trigger();
    EXPECT_EQ(ran, std::vector<int>{21});
    EXPECT_FALSE(logoDuring);
    EXPECT_TRUE(openDuring);
    EXPECT_TRUE(window->logo().logoVisible());
    EXPECT_FALSE(dispatcher->busy());

    window->commandMenu().action(22)->trigger();
    EXPECT_EQ(ran, (std::vector<int>{21, 22}));
}

TEST_F(MainWindowTest, EndClosesTheWindow) {
    makeWindow();
    window->commandMenu().action(10)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, WindowPositionIsSavedWhileTickedAndDeletedOtherwise) {
    makeWindow();
    const auto file = window->positionFile();
    EXPECT_EQ(file.parent_path(), dir.path());
    EXPECT_EQ(file.filename().string().rfind("FP", 0), 0u);
    EXPECT_EQ(file.extension(), ".ini");
    EXPECT_FALSE(window->savePosition());

    window->move(40, 30);
    window->toggleSavePosition();
    EXPECT_TRUE(window->savePosition());
    QSettings ini(QString::fromStdString(file.string()), QSettings::IniFormat);
    EXPECT_EQ(ini.value("FORM/x").toInt(), window->pos().x());
    EXPECT_EQ(ini.value("FORM/y").toInt(), window->pos().y());

    window->toggleSavePosition();
    EXPECT_FALSE(std::filesystem::exists(file));
    window->close();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(MainWindowTest, PositionFileNameAndRestoreRule) {
    HostConfig config;
    config.konf[kUserDir] = "/netz/user/";
    EXPECT_EQ(windowPositionFile(config, "/opt/torvalo/datanorm-gui").string(),
              "/netz/user/FPdatanorm-gui.ini");
    EXPECT_EQ(windowPositionFile(config, "C:/torvalo/datanorm.exe").string(),
              "/netz/user/FPdatanorm.ini");

    const QRect desktop(0, 0, 1920, 1080);
    EXPECT_EQ(restoredPosition({100, 200}, {0, 0}, desktop), QPoint(100, 200));
    EXPECT_EQ(restoredPosition({2000, 200}, {5, 6}, desktop), QPoint(5, 200));
    EXPECT_EQ(restoredPosition({100, 1080}, {5, 6}, desktop), QPoint(100, 6));

    EXPECT_FALSE(readWindowPosition(dir / "fehlt.ini").has_value());
    writeWindowPosition(dir / "pos.ini", {12, 34});
    EXPECT_EQ(readWindowPosition(dir / "pos.ini"), QPoint(12, 34));
}

}  // namespace
}  // namespace dn::gui
