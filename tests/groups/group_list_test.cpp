// Printing, deleting and the group lists with their marks, and what the
// lists do with the marked groups.

#include "features/groups/group_commands.h"
#include "features/groups/group_grid.h"
#include "features/groups/group_lists.h"
#include "group_fixture.h"

namespace dn {
namespace {

class GroupListTest : public test::GroupTest {
  protected:
    // Answers the next list by toggling the marks of the given rows and
    // ending with a button (0 = OK).
    void toggleRows(std::vector<int> rows, int button = 0) {
        host.lists.push_back([this, rows, button](const ListRequest& req) {
            requests.push_back(req);
            ListResult r{true, 0, button, req.marked};
            for (int i : rows) r.marked[i] = !r.marked[i];
            return r;
        });
    }
    std::vector<ListRequest> requests;
};

TEST_F(GroupListTest, DiscountPrintShowsMultiForEveryKindButOne) {
    store().writeDiscountGroup(discount("1-47", "1", 35.5, false, "Rohre"));
    store().writeDiscountGroup(discount("1-48", "2", 1.234, false, "Fittings"));
    store().writeDiscountGroup(discount("1-49", "3", 5, false, "Teuerung"));
    store().writeDiscountGroup(discount("11-47", "1", 1, false, "Anderer Lieferant"));
    ASSERT_EQ(PrintDiscountGroups(*session), CommandOutcome::Done);
    const std::vector<std::string> expected = {
        "Rabattgruppenliste: Test",
        "",
        "47    Rohre                                     RABATT     35.500",
        "48    Fittings                                  MULTI       1.234",
        "49    Teuerung                                  MULTI       5.000",
    };
    EXPECT_EQ(host.printed, expected);

    host.printed.clear();
    host.printerAvailable = false;
    EXPECT_EQ(PrintDiscountGroups(*session), CommandOutcome::Cancelled);
    EXPECT_TRUE(host.printed.empty());
}

TEST_F(GroupListTest, ProductPrintHasNoHeading) {
    store().writeProductGroup(product("1-123", "Hauptgruppe"));
    store().writeProductGroup(product("1-1234567", "Untergruppe", true));
    store().writeProductGroup(product("2-123", "Anderer Lieferant"));
    ASSERT_EQ(PrintProductGroups(*session), CommandOutcome::Done);
    const std::vector<std::string> expected = {
        test::padded("1-123", 18) + "   Hauptgruppe",
        test::padded("1-1234567", 18) + "   Untergruppe",
    };
    EXPECT_EQ(host.printed, expected);
}

TEST_F(GroupListTest, DeletingAllGroupsKeepsOtherSuppliers) {
    for (const char* key : {"1-47", "1-48", "11-47", "2-47"})
        store().writeDiscountGroup(discount(key, "1", 1));
    host.forms.push_back({kDiscountDeleteForm, {}, {kCancel}});
    EXPECT_EQ(DeleteDiscountGroupsCommand(*session), CommandOutcome::Cancelled);
    EXPECT_EQ(store().listDiscountGroups(KeyRange::all()).size(), 4u);

    ASSERT_EQ(DeleteDiscountGroupsCommand(*session), CommandOutcome::Done);
    EXPECT_EQ(host.panelInfo, (std::vector<std::string>{"1-47", "1-48"}));
    EXPECT_EQ(host.messages.back(), "Rabatte für: Test wurden gelöscht!");
    EXPECT_EQ(store().listDiscountGroups(KeyRange::all()).size(), 2u);
}

TEST_F(GroupListTest, DiscountListMarksInBothListForms) {
    store().writeDiscountGroup(discount("1-47", "1", 35.5, false, "Rohre"));
    store().writeDiscountGroup(discount("1-48", "2", 1.234, true, "Fittings"));
    store().writeDiscountGroup(
        discount("11-47", "1", 1));  // not this supplier's, though it contains "1-"

    session->host.f_dbbrowser = true;
    toggleRows({0, 1});
    ASSERT_EQ(DiscountGroupSelection(*session), CommandOutcome::Done);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].markMode);
    EXPECT_EQ(requests[0].title, "Liste Rabatte");
    EXPECT_EQ(requests[0].lines, (std::vector<std::string>{"1-47\tRohre\tRabatt\t35.500",
                                                           "1-48\tFittings\tMulti\t1.234"}));
    EXPECT_EQ(requests[0].marked, (std::vector<bool>{false, true}));
    EXPECT_TRUE(requests[0].buttons.empty());
    EXPECT_TRUE(store().readDiscountGroup("1-47")->selektiert);
    EXPECT_FALSE(store().readDiscountGroup("1-48")->selektiert);

    session->host.f_dbbrowser = false;
    toggleRows({0});
    ASSERT_EQ(DiscountGroupSelection(*session), CommandOutcome::Done);
    const ListRequest& picker = requests[1];
    EXPECT_EQ(picker.explanation.back(),
              "Gruppe ! Bezeichnung                               ! Typ     ! Wert");
    EXPECT_EQ(picker.lines[0],
              "1-47    Rohre                                     Rabatt    35.500");
    EXPECT_EQ(picker.buttons, (std::vector<int>{kListDeleteArticles}));
    EXPECT_FALSE(store().readDiscountGroup("1-47")->selektiert);
}

TEST_F(GroupListTest, PickReturnsTheChosenKey) {
    store().writeDiscountGroup(discount("1-47", "1", 1));
    store().writeProductGroup(product("1-123", "Hauptgruppe"));
    host.lists.push_back([](const ListRequest& req) { return ListResult{true, 0, 0, {}}; });
    EXPECT_EQ(PickDiscountGroup(*session), "1-47");
    host.lists.push_back([](const ListRequest& req) { return ListResult{false, 0, 0, {}}; });
    EXPECT_EQ(PickDiscountGroup(*session), std::nullopt);
    host.lists.push_back([](const ListRequest& req) { return ListResult{true, 0, 0, {}}; });
    EXPECT_EQ(PickProductGroup(*session), "1-123");
}

TEST_F(GroupListTest, OlderPickerRefusesSubGroupsTheGridTakesThem) {
    store().writeProductGroup(product("1-123", "Hauptgruppe"));
    store().writeProductGroup(product("1-1234567", "Untergruppe", true));
    session->host.f_dbbrowser = false;
    toggleRows({0, 1});
    ASSERT_EQ(ProductGroupSelection(*session), CommandOutcome::Done);
    EXPECT_EQ(requests[0].explanation.back(), "Gruppe            ! Bezeichnung");
    EXPECT_EQ(requests[0].lines[0], "1-123             Hauptgruppe");
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"Warenuntergruppe kann nicht markiert werden!"}));
    EXPECT_TRUE(store().readProductGroup("1-123")->selektiert);
    EXPECT_FALSE(store().readProductGroup("1-1234567")->selektiert);

    session->host.f_dbbrowser = true;
    toggleRows({1});
    ASSERT_EQ(ProductGroupSelection(*session), CommandOutcome::Done);
    EXPECT_EQ(requests[1].lines[1], "1-1234567\tUntergruppe");
    EXPECT_TRUE(store().readProductGroup("1-1234567")->selektiert);
}

// The grid form names its columns, orders, take-over caption and help; the
// older picker's request carries none of it.
TEST_F(GroupListTest, GridListsDescribeColumnsOrdersAndTakeOver) {
    store().writeDiscountGroup(discount("1-47", "1", 35.5, true, "Rohre"));
    store().writeDiscountGroup(discount("1-48", "2", 1.234, false, "armaturen"));
    store().writeDiscountGroup(discount("1-49", "3", 5, false, "Fittings"));
    store().writeProductGroup(product("1-123", "Wärmepumpen"));
    store().writeProductGroup(product("1-1234567", "Bäder", true));
    struct Case {
        const char* title;
        std::vector<ListColumn> columns;
        std::vector<std::string> orders;
        std::vector<int> blitzindex;
        const char* takeOver;
    };
    const Case cases[] = {
        {"Liste Rabatte",
         {{"Gruppe", 8}, {"Bezeichnung", 43}, {"Typ", 8}, {"Wert", 12, true}},
         {"Rabattgruppe", "Blitzindex"},
         {1, 2, 0},
         "Rabatt überne&hmen"},
        {"Liste Warengruppen",
         {{"Gruppe", 20}, {"Bezeichnung", 60}},
         {"WG-Key", "Blitzindex"},
         {1, 0},
         "Warengruppe überne&hmen"},
    };
    auto answer = [this] {
        host.lists.push_back([this](const ListRequest& req) {
            requests.push_back(req);
            return ListResult{false, 0, 0, req.marked};
        });
    };
    for (bool grid : {true, false}) {
        session->host.f_dbbrowser = grid;
        requests.clear();
        for (int i = 0; i < 4; ++i) answer();
        PickDiscountGroup(*session);
        PickProductGroup(*session);
        DiscountGroupList(*session);
        ProductGroupList(*session);
        ASSERT_EQ(requests.size(), 4u);
        for (std::size_t i = 0; i < requests.size(); ++i) {
            const ListRequest& req = requests[i];
            const Case& c = cases[i % 2];
            SCOPED_TRACE(std::string(c.title) + (grid ? " grid" : " picker"));
            EXPECT_EQ(req.title, c.title);
            EXPECT_EQ(req.markMode, i >= 2);
            if (!grid) {
                EXPECT_TRUE(req.columns.empty());
                EXPECT_TRUE(req.orders.empty());
                EXPECT_EQ(req.takeOver, "");
                EXPECT_EQ(req.helpContext, 0);
                continue;
            }
            ASSERT_EQ(req.columns.size(), c.columns.size());
            for (std::size_t k = 0; k < c.columns.size(); ++k) {
                EXPECT_EQ(req.columns[k].title, c.columns[k].title);
                EXPECT_EQ(req.columns[k].width, c.columns[k].width);
                EXPECT_EQ(req.columns[k].alignRight, c.columns[k].alignRight);
            }
            ASSERT_EQ(req.orders.size(), 2u);
            EXPECT_EQ(req.orders[0].name, c.orders[0]);
            EXPECT_EQ(req.orders[1].name, c.orders[1]);
            std::vector<int> keyOrder(req.lines.size());
            for (std::size_t k = 0; k < keyOrder.size(); ++k) keyOrder[k] = static_cast<int>(k);
            EXPECT_EQ(req.orders[0].rows, keyOrder);
            EXPECT_EQ(req.orders[1].rows, c.blitzindex);
            EXPECT_EQ(req.takeOver, c.takeOver);
            EXPECT_EQ(req.helpContext, 9905);
        }
    }
}

TEST_F(GroupListTest, BlitzindexOrdersByDescriptionWithoutCase) {
    const std::vector<std::string> descriptions = {"Rohre",   "Ärmel",     "Armaturen", "",
                                                   "Zubehör", "ARMATUREN", " Bögen",    "Boden"};
    // Equal descriptions keep the key order; umlauts sort with their letters.
    EXPECT_EQ(blitzindexOrder(descriptions), (std::vector<int>{3, 2, 5, 1, 7, 6, 0, 4}));
}

// Mended: only the current supplier's articles are deleted, not another
// supplier's article that has a marked group's code.
TEST_F(GroupListTest, ArticlesOfMarkedDiscountGroupsOfTheSupplierOnly) {
    store().writeDiscountGroup(discount("1-47", "1", 1, true));
    store().writeDiscountGroup(discount("1-48", "1", 1, false));
    article("1-A", "47  ");
    article("1-B", "48");
    article("2-C", "47");
    article("11-D", "47");
    session->host.f_dbbrowser = false;
    toggleRows({}, kListDeleteArticles);  // F8 in the older picker, then the list again
    ASSERT_EQ(DiscountGroupSelection(*session), CommandOutcome::Done);
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{
                  "Alle Artikel zu den markierten Rabattgruppen aus dem Stamm löschen?"}));
    EXPECT_FALSE(store().articleExists("1-A"));
    EXPECT_TRUE(store().articleExists("1-B"));
    EXPECT_TRUE(store().articleExists("2-C"));
    EXPECT_TRUE(store().articleExists("11-D"));

    host.answers = {false};
    article("1-A", "47");
    EXPECT_EQ(DeleteArticlesOfMarkedDiscountGroups(*session), 0u);
    EXPECT_TRUE(store().articleExists("1-A"));
}

TEST_F(GroupListTest, ArticlesOfMarkedMainGroupsOfTheSupplierOnly) {
    store().writeProductGroup(product("1-123", "Hauptgruppe", false, true));
    store().writeProductGroup(product("1-124", "Andere", false, false));
    store().writeProductGroup(product("1-1234567", "Untergruppe", true, true));
    article("1-A", "", "123");
    article("1-B", "", "124");
    article("2-C", "", "123");
    EXPECT_EQ(DeleteArticlesOfMarkedProductGroups(*session), 1u);
    EXPECT_FALSE(store().articleExists("1-A"));
    EXPECT_TRUE(store().articleExists("1-B"));
    EXPECT_TRUE(store().articleExists("2-C"));
}

TEST_F(GroupListTest, MarkedMainGroupsEnterTheContentList) {
    store().writeProductGroup(product("1-123", "Hauptgruppe", false, true));
    store().writeProductGroup(product("1-124", "Andere", false, false));
    store().writeProductGroup(product("1-1234567", "Untergruppe", true, true));
    session->host.f_dbbrowser = false;
    toggleRows({}, kListContents);
    ASSERT_EQ(ProductGroupSelection(*session), CommandOutcome::Done);
    EXPECT_EQ(host.questions.back(),
              "Alle markierten Hauptwarengruppen in das Inhaltsverzeichnis eintragen?");
    const auto entries = store().listContent(KeyRange::all());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (ContentRecord{"1-123", 2, "1-123", "1-123", "1-123", "Hauptgruppe"}));
}

}  // namespace
}  // namespace dn
