// Units in large transactions: a unit the store refuses is missing and
// nothing else; a failed commit loses only what the store refuses on its
// own; a batch is not cut between an article and the units that follow it.

#include "common/unit_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/commit_failing_store.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

enum class Fault { None, Write, Replay };

struct Unit {
    std::string key;
    UnitStart start = UnitStart::Begins;
    Fault fault = Fault::None;
};

struct Case {
    const char* name;
    std::size_t units;  // batch limit
    std::vector<Unit> input;
    int failingCommits;  // of the commit at the end
    std::vector<std::string> written;
    std::vector<std::string> reports;
    std::vector<std::string> stored;
    std::vector<std::string> missing;
};

constexpr auto kFollows = UnitStart::Follows;
const std::string kRefused = "Artikel schreiben: abgelehnt";
const std::string kDiskFull = "Commit: database or disk is full";

const Case kCases[] = {
    {"FailingUnitInTheMiddle",
     10,
     {{"a"}, {"b", UnitStart::Begins, Fault::Write}, {"c"}},
     0,
     {"a", "b", "a again", "c"},
     {kRefused},
     {"a", "c"},
     {"b"}},
    {"FailingUnitFirstOfItsBatch",
     2,
     {{"a"}, {"b"}, {"c", UnitStart::Begins, Fault::Write}, {"d"}},
     0,
     {"a", "b", "c", "d"},
     {kRefused},
     {"a", "b", "d"},
     {"c"}},
    {"FailingTextAfterItsArticle",
     10,
     {{"a"}, {"t1", kFollows}, {"t2", kFollows, Fault::Write}, {"t3", kFollows}},
     0,
     {"a", "t1", "t2", "a again", "t1 again", "t3"},
     {kRefused},
     {"a", "t1", "t3"},
     {"t2"}},
    // The batch is full after "a" and "t1", yet the texts stay with their
    // article: the failing "b" begins the next batch and takes nothing along.
    {"TextsStayInTheBatchOfTheirArticle",
     2,
     {{"a"}, {"t1", kFollows}, {"t2", kFollows}, {"b", UnitStart::Begins, Fault::Write}},
     0,
     {"a", "t1", "t2", "b"},
     {kRefused},
     {"a", "t1", "t2"},
     {"b"}},
    {"FailingCommitWritesEachUnitAlone",
     10,
     {{"a"}, {"t1", kFollows}, {"b"}},
     1,
     {"a", "t1", "b", "a again", "t1 again", "b again"},
     {kDiskFull},
     {"a", "t1", "b"},
     {}},
    {"FailingCommitLosesOnlyTheUnitRefusedAlone",
     10,
     {{"a"}, {"b", UnitStart::Begins, Fault::Replay}, {"c"}},
     1,
     {"a", "b", "c", "a again", "b again", "c again"},
     {kDiskFull, kRefused},
     {"a", "c"},
     {"b"}},
    // The same error on every commit is reported once.
    {"CommitsThatKeepFailingAreReportedOnce",
     10,
     {{"a"}, {"b"}},
     3,
     {"a", "b", "a again", "b again"},
     {kDiskFull},
     {},
     {"a", "b"}},
};

class UnitBatchTest : public ::testing::TestWithParam<Case> {};

TEST_P(UnitBatchTest, OnlyTheFailedUnitIsMissing) {
    const Case& c = GetParam();
    TempDir dir;
    auto real = openSqliteStore(dir / "stamm.db");
    CommitFailingStore store(*real);
    std::vector<std::string> written;
    std::vector<std::string> reports;
    {
        UnitBatch<Unit> batch(
            store, BatchLimits{.units = c.units},
            [&](Unit& u, Replay replay) {
                written.push_back(u.key + (replay == Replay::Yes ? " again" : ""));
                ArticleRecord a;
                a.key = "1-" + u.key;
                store.writeArticle(a);
                store.writeLongText(LongText{a.key, "1", {"Text"}});
                const Fault fails = replay == Replay::Yes ? Fault::Replay : Fault::Write;
                if (u.fault == fails) throw DatabaseError(kRefused);
            },
            [&](const DatabaseError& e) { reports.push_back(e.what()); });
        for (Unit u : c.input) {
            const std::string key = u.key;
            const UnitStart start = u.start;
            EXPECT_EQ(batch.add(std::move(u), start), u.fault != Fault::Write) << key;
        }
        store.failCommits(c.failingCommits);
        EXPECT_EQ(batch.commit(), c.failingCommits == 0);
    }
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(reports, c.reports);
    for (const auto& key : c.stored) {
        EXPECT_TRUE(real->articleExists("1-" + key)) << key;
        EXPECT_TRUE(real->longTextExists("1-" + key, "1")) << key;
    }
    for (const auto& key : c.missing) {
        EXPECT_FALSE(real->articleExists("1-" + key)) << key;
        EXPECT_FALSE(real->longTextExists("1-" + key, "1")) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UnitBatchTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

ArticleRecord article(const std::string& key, const std::string& text) {
    ArticleRecord a;
    a.key = key;
    a.shorttext1 = text;
    return a;
}

// A unit that fails after touching every kind of row leaves the store as
// the unit before it left it.
TEST(UnitBatch, FailedUnitUndoesEveryKindOfWrite) {
    TempDir dir;
    auto store = openSqliteStore(dir / "stamm.db");
    HostStore& s = *store;
    auto first = [&] {
        auto a = article("5-1", "erster Block");
        a.salesprice = 10;
        s.writeArticle(a);
        s.writeArticleSide({"5-1", 3, "ALT", "", "", "", 0, "", 0, "", "", "", ""});
        s.writeDRecords("5-1", {{"01", "A", "D eins", ""}});
        s.writeZBlob("5-1", {"501"});
        s.writeLongText({"5-1", "1", {"Text eins"}});
        s.writeArticle(article("5-3", "bleibt"));
        DiscountGroupRecord g;
        g.key = "5-0047";
        s.writeDiscountGroup(g);
        s.addGraphicsIndexEntry({"5-1", "01", "a.jpg", ""});
    };
    auto second = [&] {
        auto a = article("5-1", "zweiter Block");
        a.salesprice = 20;
        s.writeArticle(a);
        s.writeArticle(a);  // the same row twice
        s.writeDRecords("5-1", {});
        s.writeZBlob("5-1", {"502", "503"});
        s.writeLongText({"5-1", "1", {"Text zwei"}});
        s.deleteLongText("5-1", "1");
        s.writeArticle(article("5-2", "neu"));
        s.deleteArticle("5-3");
        EXPECT_TRUE(s.renameArticle("5-2", "5-4"));
        s.setDiscountGroupMark("5-0047", true);
        s.deleteDiscountGroups(KeyRange::prefix("5-"));
        s.addGraphicsIndexEntry({"5-1", "02", "b.jpg", ""});
        s.deleteGraphicsIndexOfPrefix("5-");
        s.writeBom({"5-9", "Set", 1, {{"5-1", 1, "L"}}});
        ServiceRecord tooMany{"5-S", "", "", "", "", "", 0, 0, 0, {}};
        tooMany.rows.resize(kServiceRows + 1);
        s.writeService(tooMany);
    };
    std::vector<std::string> reports;
    {
        UnitBatch<int> batch(
            s, BatchLimits{.units = 100}, [&](int& n, Replay) { n == 1 ? first() : second(); },
            [&](const DatabaseError& e) { reports.push_back(e.what()); });
        EXPECT_TRUE(batch.add(1));
        EXPECT_FALSE(batch.add(2));
        EXPECT_TRUE(batch.commit());
    }
    EXPECT_EQ(reports, std::vector<std::string>{
                           "Leistung schreiben: mehr als 213 Kalkulationszeilen (5-S)"});
    const auto a = s.readArticle("5-1");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->shorttext1, "erster Block");
    EXPECT_EQ(a->salesprice, 10);
    EXPECT_EQ(s.readArticleSide("5-1")->altarticleno, "ALT");
    EXPECT_EQ(s.readDRecords("5-1").size(), 1u);
    EXPECT_EQ(s.readZBlob("5-1"), std::vector<std::string>{"501"});
    EXPECT_EQ(s.readLongText("5-1", "1")->lines, std::vector<std::string>{"Text eins"});
    EXPECT_FALSE(s.articleExists("5-2"));
    EXPECT_FALSE(s.articleExists("5-4"));
    EXPECT_EQ(s.readArticle("5-3")->shorttext1, "bleibt");
    ASSERT_TRUE(s.readDiscountGroup("5-0047"));
    EXPECT_FALSE(s.readDiscountGroup("5-0047")->selektiert);
    const auto index = s.readGraphicsIndex("5-");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index[0].fileName, "a.jpg");
    EXPECT_FALSE(s.readBom("5-9"));
    EXPECT_FALSE(s.readService("5-S"));
    EXPECT_EQ(s.countArticles(KeyRange::all()), 2u);
}

}  // namespace
}  // namespace dn::test
