// The commands of this subsystem in the command table, by DATANORM version
// (index 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5).

#include "common/dispatch.h"
#include "features/articles/import_articles5.h"

namespace dn {

void addDn5Routes(CommandRoutes& routes) {
    routes[33].byVersion[2] = [](Session& s) { return ImportArticles5(s, 0); };
    routes[32].byVersion[2] = [](Session& s) { return ShowArticles5(s); };
    routes[36].byVersion[2] = [](Session& s) { return ImportFreeTexts5(s, 0); };
}

}  // namespace dn
