#include "frame/command_routes.h"

#include "frame/change_log.h"
#include "frame/session.h"
#include "frame/settings_dialogs.h"
#include "suppliers/current_supplier.h"
#include "suppliers/supplier_dialog.h"

namespace dn {
namespace {

CommandOutcome changeSupplier(Session& s) {
    ChangeSupplierByList(s);
    return CommandOutcome::Done;
}

CommandOutcome help(Session& s) {
    s.ui.hilfe(0);
    return CommandOutcome::Done;
}

CommandRoute notBuilt() { return CommandRoute{{}, false}; }

CommandRoute byVersion(CommandHandler v3, CommandHandler v4, CommandHandler v5) {
    return CommandRoute{{std::move(v3), std::move(v4), std::move(v5)}, true};
}

}  // namespace

CommandRoutes makeCommandRoutes() {
    CommandRoutes r;
    r[1] = CommandRoute::all(SupplierDialog);
    for (int n : {25, 38, 44, 55}) r[n] = CommandRoute::all(changeSupplier);
    r[61] = CommandRoute::all(DriveDialog);
    r[63] = CommandRoute::all(ParameterDialog);
    r[64] = CommandRoute::all(ShowChangeLog);
    r[99] = CommandRoute::all(help);
    // Not yet built.
    for (int n : {21, 22, 23, 24, 26, 32, 33, 34, 35, 41, 42, 43, 51, 52, 53, 54, 62}) r[n] = notBuilt();
    r[36] = notBuilt();
    r[371] = notBuilt();
    r[372] = notBuilt();
    (void)byVersion;
    return r;
}

}  // namespace dn
