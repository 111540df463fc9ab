// The commands of this subsystem in the command table, by DATANORM version
// (index 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5).

#include "common/dispatch.h"
#include "features/articles/article_import4.h"
#include "features/prices/discount_change.h"
#include "features/prices/price_enquiry.h"
#include "features/prices/price_maintenance4.h"

namespace dn {

void addDn4Routes(CommandRoutes& routes) {
    routes[33].byVersion[1] = [](Session& s) { return ImportArticles4(s, 0); };
    routes[41].byVersion[1] = [](Session& s) { return PriceMaintenance4(s, 0); };
    for (int version = 0; version < 3; ++version) {
        routes[42].byVersion[static_cast<std::size_t>(version)] = PricesAfterDiscountChange;
        routes[43].byVersion[static_cast<std::size_t>(version)] = WritePriceEnquiry;
    }
}

}  // namespace dn
