// The commands of this subsystem in the command table, by DATANORM version
// (index 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5).

#include "frame/dispatch.h"

namespace dn {

void addDn5Routes(CommandRoutes& routes) {}

}  // namespace dn
