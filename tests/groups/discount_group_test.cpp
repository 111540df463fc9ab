#include "common/discount_group.h"

#include "group_fixture.h"

namespace dn {
namespace {

using test::GroupTest;

TEST(GroupKeyTest, PrefixAndCodeWithoutOuterBlanks) {
    struct Case {
        const char* prefix;
        const char* code;
        const char* key;
    } cases[] = {
        {"1-", "47", "1-47"},
        {"1-", "47  ", "1-47"},
        {"K-", "0047", "K-0047"},
        {"1-", " 47 ",
         "1- 47"},  // blanks in front stay behind the prefix, as the importers look up
        {"12-", "123ABCDEFGHIJKLMNOP", "12-123ABCDEFGHIJKL"},  // at most 18 characters
    };
    for (const auto& c : cases) EXPECT_EQ(GroupKey(c.prefix, c.code), c.key) << c.code;
}

class DiscountLookupTest : public GroupTest {};

TEST_F(DiscountLookupTest, PaddedCodeFindsTheTrimmedGroup) {
    store().writeDiscountGroup(discount("1-47", "1", 35.5));
    const auto g = LoadDiscountGroup(*session, "47  ");
    EXPECT_EQ(g.key, "1-47");
    EXPECT_EQ(g.wert, 35.5);
}

TEST_F(DiscountLookupTest, MissingGroupGivesDefaultsAndNoteOnlyWithProtocol) {
    const auto g = LoadDiscountGroup(*session, "99");
    EXPECT_EQ(g.key, "####");
    EXPECT_EQ(g.kennung, "1");
    EXPECT_EQ(g.wert, 0);
    EXPECT_EQ(g.salesSurcharge, 0);
    EXPECT_FALSE(g.selektiert);
    EXPECT_EQ(g.secondmark, "#");
    EXPECT_TRUE(host.printed.empty());

    session->PrintProtocol = true;
    LoadDiscountGroup(*session, "99", false);
    EXPECT_TRUE(host.printed.empty());
    LoadDiscountGroup(*session, "99");
    ASSERT_EQ(host.printed.size(), 1u);
    EXPECT_EQ(host.printed[0],
              "Hinweis! Rabattgruppe: 99 existiert nicht! EK-Preis mit 0% Rabatt berechnet");
}

TEST_F(DiscountLookupTest, ApplyByKind) {
    store().writeDiscountGroup(discount("1-R", "1", 35.5));
    store().writeDiscountGroup(discount("1-M", "2", 1.234));
    store().writeDiscountGroup(discount("1-T", "3", 10));
    store().writeDiscountGroup(discount("1-X", "9", 50));
    store().writeDiscountGroup(discount("2-R", "1", 50));  // another supplier's group
    struct Case {
        const char* code;
        double price;
        double expected;
    } cases[] = {
        {"R", 100.0, 64.5},     {"R", 12.34, 7.96},   // 7.9601 rounded
        {"M", 10.0, 12.34},     {"T", 19.99, 21.99},  // 21.989 rounded
        {"X", 10.0, 10.0},                            // unknown kind: the price stays
        {"NONE", 42.42, 42.42},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ApplyDiscountGroup(*session, c.code, c.price), c.expected) << c.code;
}

TEST_F(DiscountLookupTest, SelectedNeedsAnExistingMarkedGroup) {
    store().writeDiscountGroup(discount("1-47", "1", 10, true));
    store().writeDiscountGroup(discount("1-48", "1", 10, false));
    EXPECT_TRUE(DiscountGroupSelected(*session, "47  "));
    EXPECT_FALSE(DiscountGroupSelected(*session, "48"));
    EXPECT_FALSE(DiscountGroupSelected(*session, "49"));
}

}  // namespace
}  // namespace dn
