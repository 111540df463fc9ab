// The two-state entry dialogs of commands 21 and 52: code entry, editing,
// the group list (F2) and deleting (F8).

#include "features/groups/group_commands.h"
#include "group_fixture.h"
#include "host/errors.h"

namespace dn {
namespace {

class GroupEntryTest : public test::GroupTest {
  protected:
    void discountForm(std::vector<std::pair<int, std::string>> sets,
                      std::vector<int> presses = {kEndSave, kEndSave}) {
        host.forms.push_back({kDiscountEntryForm, std::move(sets), std::move(presses)});
        ASSERT_EQ(DiscountGroupEntry(*session), CommandOutcome::Done);
    }
    void productForm(std::vector<std::pair<int, std::string>> sets,
                     std::vector<int> presses = {kEndSave, kEndSave}) {
        host.forms.push_back({kProductEntryForm, std::move(sets), std::move(presses)});
        ASSERT_EQ(ProductGroupEntry(*session), CommandOutcome::Done);
    }
};

TEST_F(GroupEntryTest, CodeEntryThenEditingThenSaved) {
    discountForm({{kDiscCode, "47"},
                  {kDiscValue, "35,5"},
                  {kDiscText, "Rohre"},
                  {kDiscKind, "2"},
                  {kDiscSurcharge, "12.5"}});
    auto g = store().readDiscountGroup("1-47");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->key, "1-47");  // left-aligned "47" stays "47", not "0047"
    EXPECT_DOUBLE_EQ(g->wert, 35.5);
    EXPECT_EQ(g->bezeichnung, "Rohre");
    EXPECT_EQ(g->kennung, "2");
    EXPECT_DOUBLE_EQ(g->salesSurcharge, 12.5);
    EXPECT_FALSE(g->selektiert);
    EXPECT_FALSE(store().discountGroupExists("1-0047"));
}

TEST_F(GroupEntryTest, FieldsAreLockedUntilACodeIsEntered) {
    // Before a code: only field 100 takes input.
    EXPECT_THROW(discountForm({{kDiscValue, "10"}}), InputError);
    // A blank code keeps the dialog in code entry.
    EXPECT_THROW(discountForm({{kDiscCode, "    "}, {kDiscValue, "10"}}), InputError);
    // In editing, the code is locked.
    EXPECT_THROW(discountForm({{kDiscCode, "47"}, {kDiscCode, "48"}}), InputError);
    EXPECT_TRUE(store().listDiscountGroups(KeyRange::all()).empty());
}

TEST_F(GroupEntryTest, EditingLoadsTheStoredGroupAndKeepsItsMark) {
    auto old = discount("1-4 7", "1", 10, true, "Alt");
    store().writeDiscountGroup(old);
    // Underscores stand for blanks inside the code.
    discountForm({{kDiscCode, "4_7"}, {kDiscText, "Neu"}});
    auto g = store().readDiscountGroup("1-4 7");
    EXPECT_EQ(g->bezeichnung, "Neu");
    EXPECT_DOUBLE_EQ(g->wert, 10);
    EXPECT_TRUE(g->selektiert);
}

TEST_F(GroupEntryTest, KindThreeOnlyForDatanorm5) {
    discountForm({{kDiscCode, "47"}, {kDiscKind, "3"}});
    EXPECT_EQ(store().readDiscountGroup("1-47")->kennung, "1");
    SupplierRecord r = session->suppliers.readRecord(1);
    r.setVersion('5');
    session->suppliers.writeRecord(1, r);
    host.forms.push_back({kDiscountEntryForm,
                          {{kDiscCode, "48"}, {kDiscKind, "3"}},
                          {kEndSave, kEndSave},
                          [](EntryForm& f) {
                              EXPECT_EQ(f.field(kDiscKind)->hint,
                                        "(1=Rabatt/2=Multi/3=Teuerungszuschlag)");
                          }});
    ASSERT_EQ(DiscountGroupEntry(*session), CommandOutcome::Done);
    EXPECT_EQ(store().readDiscountGroup("1-48")->kennung, "3");
}

TEST_F(GroupEntryTest, DeleteAsksAndRemovesTheGroup) {
    store().writeDiscountGroup(discount("1-47", "1", 10));
    host.answers = {false};
    discountForm({{kDiscCode, "47"}}, {kGroupDelete, kEndSave});
    EXPECT_TRUE(store().discountGroupExists("1-47"));
    host.answers = {true};
    discountForm({{kDiscCode, "47"}}, {kGroupDelete, kEndSave});
    EXPECT_FALSE(store().discountGroupExists("1-47"));
    EXPECT_EQ(host.questions,
              (std::vector<std::string>{"Rabatt löschen (J/N) ?", "Rabatt löschen (J/N) ?"}));
    // A missing group is not asked about.
    discountForm({{kDiscCode, "99"}}, {kGroupDelete, kEndSave});
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(GroupEntryTest, GroupListPicksOnlyInCodeEntry) {
    store().writeDiscountGroup(discount("1-47", "1", 10));
    int lists = 0;
    host.lists.push_back([&](const ListRequest& req) {
        ++lists;
        EXPECT_FALSE(req.markMode);
        return ListResult{true, 0, 0, {}};
    });
    host.forms.push_back({kDiscountEntryForm, {}, {kGroupList, kEndSave}, [](EntryForm& f) {
                              EXPECT_FALSE(f.button(kGroupList)->disabled);
                          }});
    ASSERT_EQ(DiscountGroupEntry(*session), CommandOutcome::Done);
    EXPECT_EQ(lists, 1);
    // In editing the list is locked.
    discountForm({{kDiscCode, "48"}}, {kGroupList, kEndSave, kEndSave});
    EXPECT_EQ(lists, 1);
}

TEST_F(GroupEntryTest, ProductGroupEntry) {
    productForm({{kProdCode, "1234567"}, {kProdText, "Untergruppe"}, {kProdCostType, "12"}});
    auto g = store().readProductGroup("1-1234567");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->bezeichnung, "Untergruppe");
    EXPECT_EQ(g->costType, 12);
    // Two digits at most.
    productForm({{kProdCode, "1234567"}, {kProdCostType, "123"}});
    EXPECT_EQ(store().readProductGroup("1-1234567")->costType, 12);

    host.answers = {true};
    productForm({{kProdCode, "1234567"}}, {kGroupDelete, kEndSave});
    EXPECT_EQ(host.questions, (std::vector<std::string>{"Warengruppe löschen (J/N) ?"}));
    EXPECT_FALSE(store().productGroupExists("1-1234567"));
}

}  // namespace
}  // namespace dn
