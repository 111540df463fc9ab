// The commands of sets, services, minutes and article-number changes in the
// command table, for all three DATANORM versions (index 0 = DATANORM 3,
// 1 = DATANORM 4, 2 = DATANORM 5).

#include <memory>

#include "common/dispatch.h"
#include "common/session.h"
#include "features/services/minutes.h"
#include "features/services/number_change4.h"
#include "features/services/number_change5.h"
#include "features/services/services4.h"
#include "features/services/services5.h"
#include "formats/dn5/tdatanorm5.h"

namespace dn {
namespace {

tdatanorm5& dataModule(Session& s) {
    if (!s.dn5) s.dn5 = std::make_shared<tdatanorm5>(s);
    return *s.dn5;
}

CommandOutcome importSets5(Session& s) {
    return ImportSets5(dataModule(s));
}
CommandOutcome changeNumbers5(Session& s) {
    return ChangeNumbersInServices5(dataModule(s));
}

}  // namespace

void addServiceRoutes(CommandRoutes& routes) {
    routes[34] = CommandRoute{{ImportSets3, ImportSets4, importSets5}};
    routes[35] = CommandRoute::all(ImportMinutes);
    routes[62] = CommandRoute{{ChangeNumbersInServices3, ChangeNumbersInServices4, changeNumbers5}};
}

}  // namespace dn
