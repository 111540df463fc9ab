// The main window on a real home: a set-up that fails shows its message and
// ends the program with a non-zero code, writing nothing anywhere; after a
// set-up, caption and menu follow a current supplier changed by another
// program.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/dispatch.h"
#include "common/session.h"
#include "gui/command_menu.h"
#include "gui/gui_app.h"
#include "gui/main_window.h"
#include "gui/qt_host.h"
#include "shared/exit_codes.h"
#include "suppliers/supplier_table.h"
#include "support/temp_dir.h"

namespace dn::gui {
namespace {

// Runs the scope in another working directory.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const std::filesystem::path& dir)
        : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(saved_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::filesystem::path saved_;
};

class MainWindowStartTest : public ::testing::Test {
  protected:
    void SetUp() override { dn::test::ensureGuiApp(); }
    void makeWindow(const std::filesystem::path& home, CommandRoutes routes = {}) {
        dispatcher = std::make_unique<Dispatcher>(session, std::move(routes));
        window = std::make_unique<TFDATANORM>(session, *dispatcher, host,
                                              StartOptions{home.string(), {}, true});
    }
    bool visible(int number) { return window->commandMenu().action(number)->isVisible(); }
    bool graphicsVisible() {
        return window->commandMenu().menu("&Grafikverwaltung")->menuAction()->isVisible();
    }

    dn::test::TempDir dir;
    QtHost host;
    Session session{host};
    std::unique_ptr<Dispatcher> dispatcher;
    std::unique_ptr<TFDATANORM> window;
};

// As the program runs it: shown, the set-up on first activation inside the
// event loop, which the failure ends.
TEST_F(MainWindowStartTest, FailedSetupShowsItsMessageAndEndsTheProgram) {
    dn::test::writeFile(dir / "datei", "kein Verzeichnis");
    const WorkingDirectory here(dir.path());
    const auto home = dir / "datei" / "torvalo";
    makeWindow(home);
    QString message;
    dn::test::closeNextMessage(&message);
    // Should the program not end, the loop ends here with a code of its own.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(30000);
    window->show();
    const bool quitOnLastClosed = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(true);
    const int loopCode = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLastClosed);

    EXPECT_NE(loopCode, 99) << "the program did not end";
    EXPECT_TRUE(message.startsWith(
        QString::fromStdString("Verzeichnis " + home.string() + " kann nicht angelegt werden: ")))
        << message.toStdString();
    EXPECT_EQ(window->exitCode(), kExitFailed);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->initialised());
    // Not even the window position went into the working directory.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"datei"});
}

// Another program (here a table of its own, as the command line keeps one)
// makes another supplier current or changes the current one's version: the
// next command runs for it, and caption and menu show it.
TEST_F(MainWindowStartTest, CaptionAndMenuFollowAnOutsideChangeOfTheSupplier) {
    const auto home = dir / "torvalo";
    std::vector<int> versions;
    CommandRoutes routes;
    routes[32] = CommandRoute::all([&](Session& s) {
        versions.push_back(s.DnVersion);
        return CommandOutcome::Done;
    });
    makeWindow(home, std::move(routes));
    window->show();
    window->firstActivation();
    ASSERT_TRUE(window->initialised());
    EXPECT_EQ(window->windowTitle(), "DATANORM: 1");

    SupplierTable other;
    other.load(session.masterDataDir());
    auto putSupplier = [&](int number, char version) {
        SupplierRecord r;
        r.setName("Großhandel Süd");
        r.setVersion(version);
        other.writeRecord(number, r);
    };
    putSupplier(4, '5');
    writeCurrentSupplierNumber(session.masterDataDir(), 4);
    window->commandMenu().action(32)->trigger();
    EXPECT_EQ(window->windowTitle(), "DATANORM: 4 Großhandel Süd");
    EXPECT_TRUE(visible(36));
    EXPECT_TRUE(graphicsVisible());
    EXPECT_FALSE(visible(35));

    putSupplier(4, '3');
    window->commandMenu().action(32)->trigger();
    EXPECT_FALSE(visible(36));
    EXPECT_FALSE(graphicsVisible());
    EXPECT_TRUE(visible(35));
    EXPECT_EQ(versions, (std::vector<int>{2, 0}));
    window->close();
}

}  // namespace
}  // namespace dn::gui
