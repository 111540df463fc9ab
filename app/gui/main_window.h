#pragma once
// The main window `TFDATANORM`: the command menu, the logo, the window
// menu in place of the system menu ("&Info", "&Fensterposition
// speichern"), the set-up on first activation (a failed one ends the
// program) and the dispatch of the chosen commands one at a time.

#include <QMainWindow>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dn {
struct Session;
class Dispatcher;
}  // namespace dn

namespace dn::gui {

class CommandMenu;
class LogoView;
class QtHost;

struct StartOptions {
    std::string home;               // --home; empty = $TORVALO_HOME or the default
    std::vector<std::string> args;  // "/KA", "/CU", "EGEMA", "ok"
    bool runSetup = true;           // tests build the window without the set-up
    std::string screenshots;        // --screenshots DIR: the screenshot tour
};

class TFDATANORM : public QMainWindow {
    Q_OBJECT
  public:
    TFDATANORM(Session& session, Dispatcher& dispatcher, QtHost& host, StartOptions options);
    ~TFDATANORM() override;

    // The set-up of the first activation; later calls do nothing.
    void firstActivation();
    // Runs a menu command as a click does.
    void runCommand(int number);
    // Menu items by the current supplier's version, and the caption.
    void updateMenu();

    bool initialised() const { return initialised_; }
    // The code the program ends with: that of an error that failed the
    // set-up or of a database error that ended a command, else 0.
    int exitCode() const { return exitCode_; }
    bool savePosition() const { return savePosition_; }
    // The window menu's "&Fensterposition speichern": toggles, saves or
    // deletes at once.
    void toggleSavePosition();
    void printInfo();

    CommandMenu& commandMenu() const { return *menu_; }
    LogoView& logo() const { return *logo_; }
    const std::filesystem::path& positionFile() const { return positionFile_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindowMenu();
    void endAfterFailedSetup(const std::exception& error);
    void placeInitially();
    void restorePosition();

    Session& session_;
    Dispatcher& dispatcher_;
    QtHost& host_;
    StartOptions options_;
    std::unique_ptr<CommandMenu> menu_;
    LogoView* logo_ = nullptr;
    QAction* savePositionAction_ = nullptr;
    std::filesystem::path positionFile_;
    bool initialised_ = false;
    bool setupFailed_ = false;
    bool savePosition_ = false;
    int exitCode_ = 0;
};

}  // namespace dn::gui
