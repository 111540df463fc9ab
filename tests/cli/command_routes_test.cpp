#include "routes/command_routes.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "common/command_table.h"

namespace dn {
namespace {

// Every command that does something for a version has an implementation
// for it, except those of DATANORM 3 that are not built yet; the program's
// end is the dispatcher's own.
TEST(CommandRoutes, EveryRunningCommandHasAnImplementation) {
    const std::set<std::pair<int, int>> notBuilt = {{22, 0}, {32, 0}, {33, 0}, {41, 0}, {51, 0}};
    const CommandRoutes routes = makeCommandRoutes();
    for (const auto& c : commandTable()) {
        for (int version : {0, 1, 2}) {
            if (c.has(kEndsProgram) || !commandRuns(c.number, version)) continue;
            const auto it = routes.find(c.number);
            const bool built =
                it != routes.end() && it->second.byVersion[static_cast<std::size_t>(version)];
            EXPECT_EQ(built, notBuilt.count({c.number, version}) == 0)
                << "command " << c.number << ", version index " << version;
        }
    }
    EXPECT_EQ(routes.count(10), 0u);
}

}  // namespace
}  // namespace dn
