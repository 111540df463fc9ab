// The DATANORM 5 group imports, price maintenance and graphics commands in
// the command table (index 2 = DATANORM 5).

#include "dn5/graphics5.h"
#include "dn5/group_import5.h"
#include "dn5/price_maintenance5.h"
#include "frame/dispatch.h"

namespace dn {

void addDn5MaintenanceRoutes(CommandRoutes& routes) {
    routes[22].byVersion[2] = ImportDiscountGroups5;
    routes[51].byVersion[2] = ImportProductGroups5;
    routes[41].byVersion[2] = [](Session& s) { return PriceMaintenance5(s, 0); };
    routes[371].byVersion[2] = CopyGraphics5;
    routes[372].byVersion[2] = RebuildGraphicsIndexAll5;
}

}  // namespace dn
