#include "frame/command_routes.h"

namespace dn {

CommandRoutes makeCommandRoutes() {
    CommandRoutes routes;
    return routes;
}

}  // namespace dn
