#pragma once
// The single dispatch routine of the menu commands: the user-rights check,
// the `busy` guard against a second command, the current supplier read
// again, the routing by its DATANORM version, and the handling of errors by
// kind.

#include <array>
#include <functional>
#include <map>
#include <string>

namespace dn {

struct Session;

enum class CommandOutcome {
    Done,             // the command completed
    Cancelled,        // the user cancelled (dialog, file choice, question)
    Failed,           // an error ended the command; its message was shown
    DatabaseFailure,  // a database error: the program must end
    NotBuilt,         // no implementation yet; a message said so
    NotForVersion,    // the command does nothing for this DATANORM version
    BadInput,         // a value given for a dialog field was refused
    Refused,          // the user-rights check said no
    Busy,             // another command runs
    Ignored,          // number 0 or unknown
};

using CommandHandler = std::function<CommandOutcome(Session&)>;

// The host's user-rights list: whether the user may run command N. The
// dispatcher asks it first; a front end that changes something outside
// the menu commands asks it for the command that does the same.
bool userMayRun(const Session& s, int number);

// One implementation per DATANORM version (index = `DnVersion`). A command
// hidden for a version does nothing there; a visible one without handler is
// not built yet.
struct CommandRoute {
    std::array<CommandHandler, 3> byVersion;
    static CommandRoute all(CommandHandler h) { return CommandRoute{{h, h, h}}; }
};

using CommandRoutes = std::map<int, CommandRoute>;

class Dispatcher {
  public:
    Dispatcher(Session& session, CommandRoutes routes);

    // Runs command N as a menu click does.
    CommandOutcome dispatch(int number);
    bool busy() const { return busy_; }
    // Set by command 10 and by a database error.
    bool endRequested() const { return endRequested_; }

    // The window's parts: hide/show the logo around a command, update the
    // menu after the supplier changed (by a command, or outside the program
    // before a command).
    std::function<void(bool running)> onRunning;
    std::function<void()> onMenuChanged;
    // The host's user-rights check; by default the configuration's list of
    // denied commands.
    std::function<bool(int number)> check_pwl;

  private:
    CommandOutcome Kommando(int number);
    Session& session_;
    CommandRoutes routes_;
    bool busy_ = false;
    bool endRequested_ = false;
};

}  // namespace dn
