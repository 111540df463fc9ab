#include "routes/command_routes.h"

#include <memory>

#include "common/change_log.h"
#include "common/current_supplier.h"
#include "common/session.h"
#include "features/articles/article_import4.h"
#include "features/articles/import_articles5.h"
#include "features/graphics/graphics5.h"
#include "features/groups/group_commands.h"
#include "features/groups/group_import5.h"
#include "features/prices/discount_change.h"
#include "features/prices/price_enquiry.h"
#include "features/prices/price_maintenance4.h"
#include "features/prices/price_maintenance5.h"
#include "features/services/minutes.h"
#include "features/services/number_change4.h"
#include "features/services/number_change5.h"
#include "features/services/services4.h"
#include "features/services/services5.h"
#include "features/setup/settings_dialogs.h"
#include "features/setup/supplier_dialog.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {
namespace {

// The importers' mode in which the user chooses the files; the online
// import calls the same importers with mode 1.
constexpr int kInteractive = 0;

template <CommandOutcome (*Import)(Session&, int)>
CommandOutcome interactive(Session& s) {
    return Import(s, kInteractive);
}

// The DATANORM 5 data module, created on first use and kept between
// commands.
template <CommandOutcome (*Command)(tdatanorm5&)>
CommandOutcome withDataModule(Session& s) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    return Command(*s.dn5);
}

CommandOutcome changeSupplier(Session& s) {
    ChangeSupplierByList(s);
    return CommandOutcome::Done;
}

CommandOutcome help(Session& s) {
    s.ui.hilfe(0);
    return CommandOutcome::Done;
}

CommandRoute byVersion(CommandHandler dn3, CommandHandler dn4, CommandHandler dn5) {
    return CommandRoute{{std::move(dn3), std::move(dn4), std::move(dn5)}};
}

struct RouteRow {
    int number;
    CommandRoute route;
};

}  // namespace

CommandRoutes makeCommandRoutes() {
    // Empty for a version whose implementation is not built yet; the
    // versions for which a command does nothing are the command table's.
    const CommandHandler none;
    const auto same = CommandRoute::all;
    const RouteRow rows[] = {
        {1, same(SupplierDialog)},
        {21, same(DiscountGroupEntry)},
        {22, byVersion(none, ReadDiscountFile4, ImportDiscountGroups5)},
        {23, same(PrintDiscountGroups)},
        {24, same(DeleteDiscountGroupsCommand)},
        {26, same(DiscountGroupSelection)},
        {25, same(changeSupplier)},
        {32, byVersion(none, ShowArticlesCommand4, ShowArticles5)},
        {33, byVersion(none, interactive<ImportArticles4>, interactive<ImportArticles5>)},
        {34, byVersion(ImportSets3, ImportSets4, withDataModule<ImportSets5>)},
        {35, same(ImportMinutes)},
        {36, byVersion(none, none, interactive<ImportFreeTexts5>)},
        {371, byVersion(none, none, CopyGraphics5)},
        {372, byVersion(none, none, RebuildGraphicsIndexAll5)},
        {38, same(changeSupplier)},
        {41, byVersion(none, interactive<PriceMaintenance4>, interactive<PriceMaintenance5>)},
        {42, same(PricesAfterDiscountChange)},
        {43, same(WritePriceEnquiry)},
        {44, same(changeSupplier)},
        {52, same(ProductGroupEntry)},
        {51, byVersion(none, ReadProductFile4, ImportProductGroups5)},
        {53, same(PrintProductGroups)},
        {54, same(ProductGroupSelection)},
        {55, same(changeSupplier)},
        {61, same(DriveDialog)},
        {62, byVersion(ChangeNumbersInServices3, ChangeNumbersInServices4,
                       withDataModule<ChangeNumbersInServices5>)},
        {63, same(ParameterDialog)},
        {64, same(ShowChangeLog)},
        {99, same(help)},
    };
    CommandRoutes routes;
    for (const auto& row : rows) routes.emplace(row.number, row.route);
    return routes;
}

}  // namespace dn
