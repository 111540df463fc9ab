#include "common/dispatch.h"

#include <optional>

#include "common/command_table.h"
#include "common/current_supplier.h"
#include "common/session.h"
#include "host/errors.h"
#include "host/store.h"

namespace dn {
namespace {

// Restores a flag when the scope ends, also on an error.
class FlagRestorer {
  public:
    FlagRestorer(bool& flag, bool during) : flag_(flag), saved_(flag) { flag_ = during; }
    ~FlagRestorer() { flag_ = saved_; }
    FlagRestorer(const FlagRestorer&) = delete;
    FlagRestorer& operator=(const FlagRestorer&) = delete;

  private:
    bool& flag_;
    bool saved_;
};

// The version whose implementations run when `DnVersion` holds none of
// 0, 1, 2: DATANORM 4, the session's default.
constexpr int kFallbackVersion = 1;

}  // namespace

bool userMayRun(const Session& s, int number) {
    return s.host.deniedCommands.count(number) == 0;
}

Dispatcher::Dispatcher(Session& session, CommandRoutes routes)
    : session_(session), routes_(std::move(routes)) {
    check_pwl = [this](int number) { return userMayRun(session_, number); };
}

CommandOutcome Dispatcher::dispatch(int number) {
    if (number == 0) return CommandOutcome::Ignored;
    if (check_pwl && !check_pwl(number)) return CommandOutcome::Refused;
    if (busy_) return CommandOutcome::Busy;
    if (onRunning) onRunning(true);
    session_.DialogHelpId = number;
    busy_ = true;
    CommandOutcome outcome;
    try {
        outcome = Kommando(number);
    } catch (const DatabaseError& e) {
        session_.ui.messageBox("", e.what(), MessageKind::Error);
        endRequested_ = true;
        outcome = CommandOutcome::DatabaseFailure;
    } catch (const StoreBusyError& e) {
        // Another writer holds the store: the command ends as on a database
        // error, the program need not.
        session_.ui.messageBox("", e.what(), MessageKind::Error);
        outcome = CommandOutcome::DatabaseFailure;
    } catch (const ComponentError&) {
        session_.ui.meldung("Problem mit Component-Name");
        outcome = CommandOutcome::Failed;
    } catch (const InputError& e) {
        session_.ui.meldung(e.what());
        outcome = CommandOutcome::BadInput;
    } catch (const UnansweredQuestion& e) {
        session_.ui.meldung(e.what());
        outcome = CommandOutcome::Cancelled;
    } catch (const std::exception& e) {
        session_.ui.messageBox("", e.what(), MessageKind::Error);
        outcome = CommandOutcome::Failed;
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;
    if (onRunning) onRunning(false);
    return outcome;
}

CommandOutcome Dispatcher::Kommando(int number) {
    const CommandInfo* info = findCommand(number);
    if (!info) return CommandOutcome::Ignored;
    if (info->has(kEndsProgram)) {
        endRequested_ = true;
        return CommandOutcome::Done;
    }
    // Another program may have changed the current supplier: the command
    // runs for the one in `aktuell.dat` now.
    if (RefreshCurrentSupplier(session_) && onMenuChanged) onMenuChanged();
    const int version = versionBit(session_.DnVersion) != 0 ? session_.DnVersion : kFallbackVersion;
    if (!commandRuns(number, version)) return CommandOutcome::NotForVersion;
    auto it = routes_.find(number);
    const auto slot = static_cast<std::size_t>(version);
    if (it == routes_.end() || !it->second.byVersion[slot]) {
        session_.ui.meldung("Diese Funktion ist noch nicht verfügbar: " +
                            plainCaption(info->caption));
        return CommandOutcome::NotBuilt;
    }
    const CommandHandler& handler = it->second.byVersion[slot];
    // Both held until the command ends.
    std::unique_ptr<StoreWriteClaim> claim;
    if (info->has(kWritesStore))
        claim = session_.store().claimWriting("Befehl " + std::to_string(number) + " \"" +
                                              plainCaption(info->caption) + "\"");
    std::optional<FlagRestorer> preview;
    if (info->has(kPreviewOff)) preview.emplace(session_.host.f_rtfpreview, false);

    const CommandOutcome outcome = handler(session_);
    if (info->has(kChangesSupplier) && onMenuChanged) onMenuChanged();
    return outcome;
}

}  // namespace dn
