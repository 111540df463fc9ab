// The DATANORM 5 group imports, price maintenance and graphics commands in
// the command table (index 2 = DATANORM 5).

#include "common/dispatch.h"
#include "features/graphics/graphics5.h"
#include "features/groups/group_import5.h"
#include "features/prices/price_maintenance5.h"

namespace dn {

void addDn5MaintenanceRoutes(CommandRoutes& routes) {
    routes[22].byVersion[2] = ImportDiscountGroups5;
    routes[51].byVersion[2] = ImportProductGroups5;
    routes[41].byVersion[2] = [](Session& s) { return PriceMaintenance5(s, 0); };
    routes[371].byVersion[2] = CopyGraphics5;
    routes[372].byVersion[2] = RebuildGraphicsIndexAll5;
}

}  // namespace dn
