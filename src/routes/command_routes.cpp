#include "routes/command_routes.h"

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/session.h"
#include "features/setup/settings_dialogs.h"
#include "features/setup/supplier_dialog.h"

namespace dn {

// Each subsystem enters the commands it implements, by version.
void addGroupRoutes(CommandRoutes& routes);
void addDn4Routes(CommandRoutes& routes);
void addDn5Routes(CommandRoutes& routes);
void addDn5MaintenanceRoutes(CommandRoutes& routes);
void addServiceRoutes(CommandRoutes& routes);

namespace {

CommandOutcome changeSupplier(Session& s) {
    ChangeSupplierByList(s);
    return CommandOutcome::Done;
}

CommandOutcome help(Session& s) {
    s.ui.hilfe(0);
    return CommandOutcome::Done;
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
    addGroupRoutes(r);
    addDn4Routes(r);
    addDn5Routes(r);
    addDn5MaintenanceRoutes(r);
    addServiceRoutes(r);
    return r;
}

}  // namespace dn
