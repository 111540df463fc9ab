// The commands of sets, services, minutes and article-number changes in the
// command table, for all three DATANORM versions.

#include "frame/dispatch.h"

namespace dn {

void addServiceRoutes(CommandRoutes& routes) {}

}  // namespace dn
