#include "common/dispatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/command_table.h"
#include "host/errors.h"
#include "host/store.h"
#include "suppliers/supplier_table.h"
#include "support/session_fixture.h"

namespace dn {
namespace {

class DispatchTest : public test::SessionFixture {
  protected:
    // Records which version's implementation ran.
    CommandRoute recording(int number) {
        auto h = [this, number](int v) {
            return [this, number, v](Session&) {
                calls.push_back(std::to_string(number) + "/v" + std::to_string(v));
                return CommandOutcome::Done;
            };
        };
        return CommandRoute{{h(3), h(4), h(5)}};
    }
    std::vector<std::string> calls;
};

TEST_F(DispatchTest, RoutesByVersion) {
    CommandRoutes routes;
    routes[33] = recording(33);
    routes[36] = CommandRoute{{nullptr, nullptr, recording(36).byVersion[2]}};
    Dispatcher d(*session, routes);
    for (int v : {0, 1, 2}) {
        session->DnVersion = v;
        EXPECT_EQ(d.dispatch(33), CommandOutcome::Done);
    }
    session->DnVersion = 1;
    EXPECT_EQ(d.dispatch(36), CommandOutcome::NotForVersion);  // free texts for DATANORM 4
    session->DnVersion = 2;
    EXPECT_EQ(d.dispatch(36), CommandOutcome::Done);
    session->DnVersion = 7;  // no version: DATANORM 4
    EXPECT_EQ(d.dispatch(33), CommandOutcome::Done);
    EXPECT_EQ(calls, (std::vector<std::string>{"33/v3", "33/v4", "33/v5", "36/v5", "33/v4"}));
}

TEST_F(DispatchTest, BusyGuardRefusesASecondCommandAlsoFromInside) {
    CommandRoutes routes;
    Dispatcher* self = nullptr;
    CommandOutcome inner = CommandOutcome::Done;
    routes[61] = CommandRoute::all([&](Session&) {
        inner = self->dispatch(63);  // a menu item chosen while the dialog is open
        return CommandOutcome::Done;
    });
    routes[63] = recording(63);
    Dispatcher d(*session, routes);
    self = &d;
    EXPECT_EQ(d.dispatch(61), CommandOutcome::Done);
    EXPECT_EQ(inner, CommandOutcome::Busy);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(d.busy());
    EXPECT_EQ(d.dispatch(63), CommandOutcome::Done);
}

TEST_F(DispatchTest, RefusedCommandLeavesTheWindowAlone) {
    CommandRoutes routes;
    routes[41] = recording(41);
    Dispatcher d(*session, routes);
    int running = 0;
    d.onRunning = [&](bool) { ++running; };
    session->host.deniedCommands = {41};
    EXPECT_EQ(d.dispatch(41), CommandOutcome::Refused);
    EXPECT_EQ(running, 0);
    EXPECT_FALSE(d.busy());
}

TEST_F(DispatchTest, ErrorsByKind) {
    CommandRoutes routes;
    routes[21] = CommandRoute::all(
        [](Session&) -> CommandOutcome { throw DatabaseError("Tabelle gesperrt"); });
    routes[22] = CommandRoute::all([](Session&) -> CommandOutcome { throw ComponentError("x"); });
    routes[23] =
        CommandRoute::all([](Session&) -> CommandOutcome { throw IoError("Datei fehlt"); });
    Dispatcher d(*session, routes);
    EXPECT_EQ(d.dispatch(22), CommandOutcome::Failed);
    EXPECT_TRUE(host.saidSomething("Problem mit Component-Name"));
    EXPECT_EQ(d.dispatch(23), CommandOutcome::Failed);
    EXPECT_TRUE(host.saidSomething("Datei fehlt"));
    EXPECT_EQ(d.dispatch(24), CommandOutcome::NotBuilt);
    EXPECT_TRUE(host.saidSomething("noch nicht verfügbar: Löschen Rabattdaten"));
    EXPECT_FALSE(d.endRequested());
    EXPECT_EQ(d.dispatch(21), CommandOutcome::DatabaseFailure);
    EXPECT_TRUE(host.saidSomething("Tabelle gesperrt"));
    EXPECT_TRUE(d.endRequested());
    EXPECT_FALSE(d.busy());
}

TEST_F(DispatchTest, PriceMaintenanceRestoresThePreviewFlagAlsoOnError) {
    CommandRoutes routes;
    bool seen = true;
    routes[41] = CommandRoute::all([&](Session& s) -> CommandOutcome {
        seen = s.host.f_rtfpreview;
        throw IoError("Preisdatei defekt");
    });
    Dispatcher d(*session, routes);
    session->host.f_rtfpreview = true;
    EXPECT_EQ(d.dispatch(41), CommandOutcome::Failed);
    EXPECT_FALSE(seen);
    EXPECT_TRUE(session->host.f_rtfpreview);
}

TEST_F(DispatchTest, MenuIsUpdatedAfterSupplierCommands) {
    CommandRoutes routes;
    for (int n : {1, 25, 33}) routes[n] = recording(n);
    Dispatcher d(*session, routes);
    int updates = 0;
    d.onMenuChanged = [&] { ++updates; };
    d.dispatch(1);
    d.dispatch(25);
    d.dispatch(33);
    EXPECT_EQ(updates, 2);
}

// Another program (or the command line) changes the current supplier, or
// the current supplier's record, while the window is open: the next command
// runs for the supplier the files name now, and the menu follows.
TEST_F(DispatchTest, OutsideChangeOfTheCurrentSupplierRoutesTheNextCommand) {
    // Written as another program writes them: through a table of its own.
    SupplierTable other;
    other.load(masterDir());
    auto putSupplier = [&](int number, const char* name, char version, char letter) {
        SupplierRecord r;
        r.setName(name);
        r.setVersion(version);
        r.setLetter(letter);
        other.writeRecord(number, r);
    };
    putSupplier(3, "Alpha", '4', ' ');
    putSupplier(12, "Nord", '5', 'K');
    const auto current = masterDir() / "aktuell.dat";
    // Supplier 1 has the blank record: a name of eight blanks, no letter.
    const std::string blankOne = "DATANORM: 1 " + std::string(8, ' ') + "   ";

    const struct {
        const char* change;
        std::function<void()> apply;
        const char* ran;
        const char* prefix;
        std::string caption;
        int menuUpdates;  // in all, since the first step
    } steps[] = {
        {"supplier 12 made current", [&] { test::writeFile(current, "12\r\n"); }, "33/v5", "K-",
         "DATANORM: 12 Nord  K", 1},
        {"nothing changed", [] {}, "33/v5", "K-", "DATANORM: 12 Nord  K", 1},
        {"supplier 12 now DATANORM 4", [&] { putSupplier(12, "Nord", '4', 'K'); }, "33/v4", "K-",
         "DATANORM: 12 Nord  K", 2},
        {"supplier 3 made current", [&] { test::writeFile(current, "3\r\n"); }, "33/v4", "3-",
         "DATANORM: 3 Alpha   ", 3},
        // Not a number: supplier 1, whose blank version keeps DATANORM 4.
        {"damaged", [&] { test::writeFile(current, "drei\r\n"); }, "33/v4", "1-", blankOne, 4},
        {"supplier 12 again", [&] { test::writeFile(current, "12\r\n"); }, "33/v4", "K-",
         "DATANORM: 12 Nord  K", 5},
        // Missing: created again with supplier 1.
        {"removed", [&] { std::filesystem::remove(current); }, "33/v4", "1-", blankOne, 6},
    };
    CommandRoutes routes;
    routes[33] = recording(33);
    Dispatcher d(*session, routes);
    int menuUpdates = 0;
    d.onMenuChanged = [&] { ++menuUpdates; };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.change);
        step.apply();
        calls.clear();
        EXPECT_EQ(d.dispatch(33), CommandOutcome::Done);
        EXPECT_EQ(calls, std::vector<std::string>{step.ran});
        EXPECT_EQ(session->ArticlePrefix, step.prefix);
        EXPECT_EQ(session->caption, step.caption);
        EXPECT_EQ(host.caption, step.caption);
        EXPECT_EQ(menuUpdates, step.menuUpdates);
    }
    EXPECT_EQ(test::readFile(current), "1\r\n");
}

TEST_F(DispatchTest, UnreadableCurrentSupplierFailsTheCommandButNotTheEnd) {
    CommandRoutes routes;
    routes[33] = recording(33);
    Dispatcher d(*session, routes);
    const auto current = masterDir() / "aktuell.dat";
    std::filesystem::remove(current);
    std::filesystem::create_directory(current);
    EXPECT_EQ(d.dispatch(33), CommandOutcome::Failed);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(host.saidSomething("Fehler beim Lesen von " + current.string() +
                                   ": das ist ein Verzeichnis, keine Datei"));
    EXPECT_FALSE(d.busy());
    EXPECT_EQ(d.dispatch(10), CommandOutcome::Done);
    EXPECT_TRUE(d.endRequested());
}

// Every command through the dispatcher for every version: whether the menu
// shows it, whether it runs, and what the dispatcher does around it.
TEST_F(DispatchTest, CommandColumnsByVersion) {
    const struct {
        int number;
        const char* shown;  // the versions whose menu shows it: "345" = DATANORM 3, 4, 5
        const char* runs;   // the versions for which it does something
        bool changesSupplier, previewOff, writesStore, endsProgram;
    } rows[] = {
        {1, "345", "345", true, false, true, false},
        {21, "345", "345", false, false, true, false},
        {22, "345", "345", false, false, true, false},
        {23, "345", "345", false, false, false, false},
        {24, "345", "345", false, false, true, false},
        {26, "345", "345", false, false, true, false},
        {25, "345", "345", true, false, false, false},
        {32, "345", "345", false, false, false, false},
        {33, "345", "345", false, false, true, false},
        {34, "345", "345", false, false, true, false},
        {35, "3", "345", false, false, true, false},
        {36, "5", "5", false, false, true, false},
        {371, "5", "5", false, false, false, false},
        {372, "5", "5", false, false, true, false},
        {38, "345", "345", true, false, false, false},
        {41, "345", "345", false, true, true, false},
        {42, "345", "345", false, false, true, false},
        {43, "345", "345", false, false, false, false},
        {44, "345", "345", true, false, false, false},
        {52, "345", "345", false, false, true, false},
        {51, "345", "345", false, false, true, false},
        {53, "345", "345", false, false, false, false},
        {54, "345", "345", false, false, true, false},
        {55, "345", "345", true, false, false, false},
        {61, "345", "345", false, false, false, false},
        {62, "345", "345", false, false, true, false},
        {63, "345", "345", false, false, false, false},
        {64, "345", "345", false, false, false, false},
        {99, "345", "345", false, false, false, false},
        {10, "345", "345", false, false, false, true},
    };
    ASSERT_EQ(std::size(rows), commandTable().size());
    for (const auto& row : rows) {
        for (int version : {0, 1, 2}) {
            SCOPED_TRACE("command " + std::to_string(row.number) + ", version index " +
                         std::to_string(version));
            const char versionDigit = static_cast<char>('3' + version);
            const bool shown = std::string(row.shown).find(versionDigit) != std::string::npos;
            const bool runs = std::string(row.runs).find(versionDigit) != std::string::npos;
            EXPECT_EQ(commandVisible(row.number, version), shown);

            bool ran = false, preview = false, storeHeld = false;
            CommandRoutes routes;
            routes[row.number] = CommandRoute::all([&](Session& s) {
                ran = true;
                preview = s.host.f_rtfpreview;
                try {
                    s.store().claimWriting("Probe");
                } catch (const StoreBusyError&) {
                    storeHeld = true;
                }
                return CommandOutcome::Done;
            });
            Dispatcher d(*session, routes);
            int menuUpdates = 0;
            d.onMenuChanged = [&] { ++menuUpdates; };
            session->DnVersion = version;
            session->host.f_rtfpreview = true;
            const CommandOutcome outcome = d.dispatch(row.number);
            EXPECT_TRUE(session->host.f_rtfpreview);
            EXPECT_EQ(d.endRequested(), row.endsProgram);
            if (!runs) {
                EXPECT_EQ(outcome, CommandOutcome::NotForVersion);
                EXPECT_FALSE(ran);
                continue;
            }
            EXPECT_EQ(outcome, CommandOutcome::Done);
            EXPECT_EQ(ran, !row.endsProgram);
            if (!ran) continue;
            EXPECT_EQ(menuUpdates, row.changesSupplier ? 1 : 0);
            EXPECT_EQ(preview, !row.previewOff);
            EXPECT_EQ(storeHeld, row.writesStore);
        }
    }
}

TEST(CommandTable, MenuOrderCaptionsAndVisibility) {
    std::vector<int> order;
    for (const auto& c : commandTable()) order.push_back(c.number);
    EXPECT_EQ(order,
              (std::vector<int>{1,  21, 22, 23, 24, 26, 25, 32, 33, 34, 35, 36, 371, 372, 38,
                                41, 42, 43, 44, 52, 51, 53, 54, 55, 61, 62, 63, 64,  99,  10}));
    EXPECT_EQ(findCommand(43)->caption, "Preis-&Anfrage (Pendeldatei)");
    EXPECT_EQ(findCommand(64)->caption, "Pro&tokoll der Änderungen");
    // After changing from a DATANORM 5 to a DATANORM 3 supplier.
    EXPECT_TRUE(commandVisible(35, 0));
    EXPECT_FALSE(commandVisible(371, 0));
    EXPECT_FALSE(commandVisible(35, 2));
    EXPECT_TRUE(commandVisible(36, 2));
    EXPECT_TRUE(commandVisible(372, 2));
    EXPECT_FALSE(commandVisible(36, 1));
    // The minutes import runs for every version; free texts only for DATANORM 5.
    for (int version : {0, 1, 2}) EXPECT_TRUE(commandRuns(35, version));
    EXPECT_FALSE(commandRuns(36, 1));
    EXPECT_TRUE(commandRuns(36, 2));
}

}  // namespace
}  // namespace dn
