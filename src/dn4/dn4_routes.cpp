// The commands of this subsystem in the command table, by DATANORM version
// (index 0 = DATANORM 3, 1 = DATANORM 4, 2 = DATANORM 5).

#include "dn4/article_import4.h"
#include "dn4/discount_change.h"
#include "dn4/price_enquiry.h"
#include "dn4/price_maintenance4.h"
#include "frame/dispatch.h"

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
