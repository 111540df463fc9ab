// The DATANORM 5 group imports, price maintenance and graphics commands in
// the command table (index 2 = DATANORM 5).

#include "frame/dispatch.h"

namespace dn {

void addDn5MaintenanceRoutes(CommandRoutes& routes) {}

}  // namespace dn
