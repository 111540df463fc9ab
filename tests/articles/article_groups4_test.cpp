// The records of a DATANORM 4 article and its batches: records without key,
// the surcharge amounts of a DM delivery, and batch commits that wait for
// the next article.

#include <gtest/gtest.h>

#include "common/unit_batch.h"
#include "support/import4_fixture.h"
#include "support/store_dump.h"

namespace dn::test {
namespace {

struct BlankKeyCase4 {
    const char* name;
    std::string line;
    std::string protocol;
};

class BlankKey4Test : public Import4Test, public ::testing::WithParamInterface<BlankKeyCase4> {};

// A record whose key is blank would name the article or text "1-": it is
// reported with its line (the header is line 1) and left out.
TEST_P(BlankKey4Test, LeavesThePrefixAloneUntouched) {
    ArticleRecord phantom;
    phantom.key = "1-";
    phantom.shorttext1 = padTo("Bestand", 40);
    store().writeArticle(phantom);
    ASSERT_EQ(import({dn4Header(), GetParam().line, ALine{.number = "2"}.str()}),
              CommandOutcome::Done);
    const auto kept = store().readArticle("1-");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->shorttext1, padTo("Bestand", 40));
    EXPECT_DOUBLE_EQ(kept->assemblyminutes, 0.0);
    EXPECT_TRUE(store().readDRecords("1-").empty());
    EXPECT_TRUE(store().readZBlob("1-").empty());
    EXPECT_FALSE(store().longTextExists("1-", "1"));
    EXPECT_TRUE(printed(GetParam().protocol)) << GetParam().protocol;
    EXPECT_TRUE(store().readArticle("1-2"));
}

INSTANTIATE_TEST_SUITE_P(
    Records, BlankKey4Test,
    ::testing::Values(BlankKeyCase4{"A", ALine{.number = ""}.str(),
                                    "Fehler: A-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"ADelete", ALine{.flag = "L", .number = "  "}.str(),
                                    "Fehler: A-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"B", "B;N;;m1;ALT-1;;;;;4000000000001;;;;;;;",
                                    "Fehler: B-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"C", "C;N;ARBEIT-1;;1;2;000300;",
                                    "Fehler: C-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"D", "D;N;;1;;;Erste Zeile;2;;;Zweite Zeile;",
                                    "Fehler: D-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"Z", "Z;N;;1;4;CU;000100;000050;000200;000300;",
                                    "Fehler: Z-Satz ohne Artikelnummer in Zeile 2 übergangen!"},
                      BlankKeyCase4{"T", "T;N;;;1;;Text;2;;;",
                                    "Fehler: T-Satz ohne Textnummer in Zeile 2 übergangen!"}),
    [](const auto& info) { return std::string(info.param.name); });

// A DM delivery: the amount of a surcharge is turned into euro like the
// price (195583 DM cents are 1000.00 euro).
TEST_F(Import4Test, SurchargeAmountsOfADmDeliveryInEuro) {
    ASSERT_EQ(import({dn4Header("DEM"), ALine{.number = "1", .price = "00195583"}.str(),
                      "Z;N;1;01;1;AB;Staffel;1;00195583;;;", ALine{.number = "2"}.str()}),
              CommandOutcome::Done);
    EXPECT_DOUBLE_EQ(store().readArticle("1-1")->salesprice, 1000.0);
    const auto z = store().readZBlob("1-1");
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0].substr(52 - 2, 8), "  100000");  // position 52 of the record
}

// With batches that end at boundaries, a full batch waits for the next
// boundary; a run without boundary as long as a batch is committed within.
TEST_F(Import4Test, BatchWaitsForTheNextArticle) {
    HostStore& st = store();
    auto text = [&](const std::string& key) { st.writeLongText(LongText{key, "1", {"a"}}); };
    {
        StreamBatch batch(st, host, CommitBatchLimits(2));
        auto record = [&](const char* key, UnitStart start) {
            ASSERT_TRUE(batch.before(start));
            text(key);
            ASSERT_TRUE(batch.after(start));
        };
        constexpr auto kBoundary = UnitStart::Begins;
        constexpr auto kWithin = UnitStart::Follows;
        record("1-a1", kWithin);
        record("1-t1", kWithin);
        record("1-a2", kBoundary);  // not full yet
        record("1-t2", kWithin);    // full: waits for the boundary
        record("1-a3", kBoundary);  // committed before it
        record("1-t3", kWithin);
        record("1-t4", kWithin);  // three records without boundary: committed
        record("1-t5", kWithin);  // never committed
    }
    for (const char* key : {"1-a1", "1-t1", "1-a2", "1-t2", "1-a3", "1-t3", "1-t4"})
        EXPECT_TRUE(st.longTextExists(key, "1")) << key;
    EXPECT_FALSE(st.longTextExists("1-t5", "1"));
}

// The same delivery imported twice leaves the store as one import does,
// every table compared row by row.
TEST_F(Import4Test, SampleImportedTwiceAsOnce) {
    const std::filesystem::path samples = DATANORM_SAMPLES_DIR;
    const std::vector<std::filesystem::path> files = {
        samples / "v4-demo" / "DATANORM.001", samples / "v4-halo" / "v4_with_texts.001",
        samples / "v4-halo" / "v4_products_before_texts.001",
        samples / "v4-halo" / "v4_text_product_and_extra.001",
        samples / "v4-fahrjo" / "datanorm_test.001"};
    if (!std::filesystem::exists(files.front())) GTEST_SKIP() << "no samples";
    const std::filesystem::path db = session->storeFile();
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        importFiles({file.string()});
        const std::string once = DumpStore(db);
        ASSERT_NE(once.find("== article\n1-"), std::string::npos);  // articles were imported
        importFiles({file.string()});
        EXPECT_EQ(DumpStore(db), once);
    }
}

}  // namespace
}  // namespace dn::test
