// The commands of this subsystem in the command table, by DATANORM version
// (index 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5).

#include "common/dispatch.h"
#include "features/groups/group_commands.h"

namespace dn {

void addGroupRoutes(CommandRoutes& routes) {
    routes[21] = CommandRoute::all(DiscountGroupEntry);
    routes[23] = CommandRoute::all(PrintDiscountGroups);
    routes[24] = CommandRoute::all(DeleteDiscountGroupsCommand);
    routes[26] = CommandRoute::all(DiscountGroupSelection);
    routes[52] = CommandRoute::all(ProductGroupEntry);
    routes[53] = CommandRoute::all(PrintProductGroups);
    routes[54] = CommandRoute::all(ProductGroupSelection);
    // The DATANORM 4 readers; versions 3 and 5 are entered by their readers.
    routes[22].byVersion[1] = ReadDiscountFile4;
    routes[51].byVersion[1] = ReadProductFile4;
    routes[32].byVersion[1] = ShowArticlesCommand4;
}

}  // namespace dn
