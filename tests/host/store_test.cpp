#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/errors.h"
#include "store_fixture.h"

namespace dn::test {
namespace {

TEST_F(StoreTest, KeysCompareWithoutTrailingBlanks) {
    struct Case {
        const char* name;
        std::string stored;
        std::string looked;
        bool found;
    };
    const std::vector<Case> cases = {
        {"padded lookup", "1-47", "1-47  ", true},
        {"padded write", "1-48   ", "1-48", true},
        {"leading blank counts on lookup", "1-49", " 1-49", false},
        {"leading blank counts on write", " 1-50", "1-50", false},
        {"inner blank kept", "1-5 1", "1-5 1 ", true},
        {"inner blank needed", "1-5 2", "1-52", false},
        {"18 umlauts fit", std::string(9, 'A') + "ÄÖÜäöüßÄÖ", std::string(9, 'A') + "ÄÖÜäöüßÄÖ ",
         true},
    };
    for (const auto& c : cases) {
        store_->writeArticle(article(c.stored));
        EXPECT_EQ(store_->articleExists(c.looked), c.found) << c.name;
        EXPECT_EQ(store_->readArticle(c.looked).has_value(), c.found) << c.name;
    }
    EXPECT_EQ(store_->readArticle("1-47   ")->key, "1-47");
}

TEST_F(StoreTest, UnstorableKeysAreRefusedOnWriteAndNotFoundOnLookup) {
    const std::string tooLong(19, 'X');
    try {
        store_->writeArticle(article(tooLong));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Artikel schreiben: Schlüssel länger als 18 Zeichen: " + tooLong);
    }
    EXPECT_THROW(store_->writeArticle(article("   ")), DatabaseError);
    EXPECT_THROW(store_->writeLongText({"", "1", {}}), DatabaseError);
    EXPECT_FALSE(store_->articleExists(tooLong));
    EXPECT_FALSE(store_->deleteArticle(tooLong));
    // 18 characters and trailing blanks beyond them are fine.
    store_->writeArticle(article(std::string(18, 'Y') + "  "));
    EXPECT_TRUE(store_->articleExists(std::string(18, 'Y')));
}

ArticleRecord fullArticle() {
    ArticleRecord a;
    a.key = "5-4711";
    a.matchcode = "rohr";
    a.shorttext1 = "Kupferrohr 15 mm";
    a.shorttext2 = "weich, Ring 50 m; \"blank\"";
    a.unit = "m   ";
    a.priceflag = "1";
    a.priceflagsource = "1";
    a.priceunit = 100;
    a.purchaseprice = 8.65;
    a.salesprice = 12.35;
    a.listprice = 12.35;
    a.factoryprice = 7.1;
    a.discountgroup = "0047";
    a.productgroup = "123";
    a.productsubgroup = "4567";
    a.changedate = 45000;
    a.assemblyminutes = 12.5;
    a.graphickey = "5-G1";
    a.longtextkey = "5-L1";
    a.metalweight = 153;
    a.metalbase = 0.125;
    a.metalkind = "c";
    a.metalsurcharge = 0.004;
    a.extralines = {"C50  12.500 5-100", "", "C50   1.000"};
    a.newflag = 1;
    a.textflag = "01";
    a.priceunitcode = "2";
    a.priceunitfraction = 25;
    a.attr15 = "a15";
    a.attr19 = "a19";
    a.attr21 = 7;
    a.attr22 = "a22";
    a.attr23 = "0";
    a.attr25 = 3;
    a.attr27 = "a27";
    a.attr28 = "a28";
    a.attr29 = 1;
    a.attrzero = "0";
    a._richtpreis = 19.99;
    a._kuerzelalternativ = "ALT";
    a._kuerzelhersteller = "HST";
    a._herstellernummer = "HN-1";
    a._herstellertype = "Typ A";
    a._lagermerker = "L";
    a._kalkmengeneinheit = "Stck";
    a._kalkfaktor = 0.125;
    a._empfohlenervk = 21.5;
    return a;
}

TEST_F(StoreTest, ArticleRoundTripKeepsEveryColumnAndRoundsAmounts) {
    store_ = openSqliteStore(dir_ / "optional.db", StoreOptions{true});
    ArticleRecord a = fullArticle();
    store_->writeArticle(a);
    EXPECT_EQ(*store_->readArticle("5-4711"), a);

    // Amounts are rounded half away from zero; other reals are kept.
    a.purchaseprice = 12.345;
    a.salesprice = -0.005;
    a._richtpreis = 8.645;
    a.metalbase = 0.1234;
    store_->writeArticle(a);
    const auto back = store_->readArticle("5-4711");
    EXPECT_DOUBLE_EQ(back->purchaseprice, 12.35);
    EXPECT_DOUBLE_EQ(back->salesprice, -0.01);
    EXPECT_DOUBLE_EQ(back->_richtpreis, 8.65);
    EXPECT_DOUBLE_EQ(back->metalbase, 0.1234);
}

TEST_F(StoreTest, OptionalColumnsOnlyWhenCreatedWithThem) {
    EXPECT_TRUE(store_->hasColumn("shorttext1"));
    EXPECT_FALSE(store_->hasColumn("_richtpreis"));
    EXPECT_FALSE(store_->hasColumn("nosuchcolumn"));
    EXPECT_TRUE(store_->optionalColumns().empty());
    store_->writeArticle(fullArticle());
    const auto back = store_->readArticle("5-4711");
    EXPECT_EQ(back->_herstellernummer, "");
    EXPECT_EQ(back->_richtpreis, 0);
    EXPECT_EQ(back->shorttext2, fullArticle().shorttext2);

    // Opening the existing file with the option does not add them.
    store_.reset();
    store_ = open(true);
    EXPECT_FALSE(store_->hasColumn("_kalkfaktor"));

    TempDir other;
    auto withColumns = openSqliteStore(other / "mit.db", StoreOptions{true});
    EXPECT_TRUE(withColumns->hasColumn("_kalkfaktor"));
    EXPECT_EQ(withColumns->optionalColumns().size(), 9u);
}

TEST_F(StoreTest, SideRowDRecordsAndZBlobBelongToTheArticle) {
    store_->writeArticle(article("1-10"));
    ArticleSideRecord side{"1-10",          3,  "ALT-10", "KAT001", "1",  "012", 1.5,
                           "4006381333931", 95, "s1",     "s2",     "s3", "s4"};
    store_->writeArticleSide(side);
    const std::vector<DRecord> d = {{"01", "A", "Text eins", "1-T1"}, {"02", "A", "", ""}};
    store_->writeDRecords("1-10 ", d);
    store_->writeZBlob("1-10", {"501Kupfer", ""});
    EXPECT_EQ(*store_->readArticleSide("1-10"), side);
    EXPECT_EQ(store_->readDRecords("1-10"), d);
    EXPECT_EQ(store_->readZBlob("1-10"), (std::vector<std::string>{"501Kupfer", ""}));

    store_->writeDRecords("1-10", {d[1]});  // replaces
    EXPECT_EQ(store_->readDRecords("1-10"), std::vector<DRecord>{d[1]});

    // A number change moves all of it; the old key is gone.
    EXPECT_TRUE(store_->renameArticle("1-10", "1-11"));
    EXPECT_FALSE(store_->articleExists("1-10"));
    EXPECT_EQ(store_->readArticleSide("1-11")->ean, "4006381333931");
    EXPECT_EQ(store_->readDRecords("1-11").size(), 1u);
    EXPECT_TRUE(store_->readDRecords("1-10").empty());
    EXPECT_EQ(store_->readZBlob("1-11").size(), 2u);

    // Renaming onto an existing article or from a missing one changes nothing.
    store_->writeArticle(article("1-12", "Zwölf"));
    EXPECT_FALSE(store_->renameArticle("1-11", "1-12"));
    EXPECT_FALSE(store_->renameArticle("1-99", "1-98"));
    EXPECT_EQ(store_->readArticle("1-12")->shorttext1, "Zwölf");
    EXPECT_TRUE(store_->articleExists("1-11"));

    EXPECT_TRUE(store_->deleteArticle("1-11"));
    EXPECT_FALSE(store_->readArticleSide("1-11"));
    EXPECT_TRUE(store_->readDRecords("1-11").empty());
    EXPECT_TRUE(store_->readZBlob("1-11").empty());
    EXPECT_FALSE(store_->deleteArticle("1-11"));
}

TEST_F(StoreTest, PrefixWalkDeleteAndCount) {
    for (const char* k : {"1-3", "1-1", "11-1", "1-2", "2-1"}) store_->writeArticle(article(k));
    std::vector<std::string> seen;
    store_->forEachArticle(KeyRange::prefix("1-"), [&](const ArticleRecord& a) {
        seen.push_back(a.key);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"1-1", "1-2", "1-3"}));
    EXPECT_EQ(store_->countArticles(KeyRange::all()), 5u);
    EXPECT_EQ(store_->countArticles(KeyRange::between("1-2  ", "11-1")), 3u);
    EXPECT_EQ(store_->deleteArticles(KeyRange::prefix("1-")), 3u);
    EXPECT_TRUE(store_->articleExists("11-1"));
    EXPECT_TRUE(store_->articleExists("2-1"));
}

TEST_F(StoreTest, VisitorMayRewriteAndDeleteWhileWalkingManyArticles) {
    store_->StartTransaction();
    for (int i = 0; i < 1000; ++i) {
        auto a = article("7-" + std::to_string(10000 + i));
        a.salesprice = 10;
        store_->writeArticle(a);
    }
    store_->Commit();
    int visits = 0;
    store_->forEachArticle(KeyRange::prefix("7-"), [&](const ArticleRecord& a) {
        ++visits;
        if (visits % 2 == 0) {
            store_->deleteArticle(a.key);
        } else {
            auto changed = a;
            changed.salesprice = 11;
            store_->writeArticle(changed);
        }
        return true;
    });
    EXPECT_EQ(visits, 1000);
    EXPECT_EQ(store_->countArticles(KeyRange::prefix("7-")), 500u);
    store_->forEachArticle(KeyRange::all(), [&](const ArticleRecord& a) {
        EXPECT_EQ(a.salesprice, 11);
        return true;
    });
    int stopped = 0;
    store_->forEachArticle(KeyRange::all(), [&](const ArticleRecord&) { return ++stopped < 3; });
    EXPECT_EQ(stopped, 3);
}

TEST_F(StoreTest, LongTextsAreReplacedByKeyAndKind) {
    store_->writeLongText({"5-L1", "1", {"eins", "zwei", "drei"}});
    store_->writeLongText({"5-L1", "3", {"GR01bild.jpg"}});
    store_->writeLongText({"5-L1  ", "1", {"neu"}});
    EXPECT_EQ(store_->readLongText("5-L1", "1")->lines, std::vector<std::string>{"neu"});
    EXPECT_EQ(store_->readLongText("5-L1", "3")->lines, std::vector<std::string>{"GR01bild.jpg"});
    // An empty text and a text of one empty line are different texts.
    store_->writeLongText({"5-L2", "0", {}});
    store_->writeLongText({"5-L3", "0", {""}});
    EXPECT_TRUE(store_->readLongText("5-L2", "0")->lines.empty());
    EXPECT_EQ(store_->readLongText("5-L3", "0")->lines, std::vector<std::string>{""});

    EXPECT_TRUE(store_->longTextExists("5-L1", "3"));
    EXPECT_TRUE(store_->deleteLongText("5-L1", "3"));
    EXPECT_FALSE(store_->deleteLongText("5-L1", "3"));
    EXPECT_FALSE(store_->longTextExists("5-L1", "3"));
    EXPECT_TRUE(store_->longTextExists("5-L1", "1"));

    std::vector<std::string> seen;
    store_->forEachLongText(KeyRange::prefix("5-"), [&](const LongText& t) {
        seen.push_back(t.key + "/" + t.kind);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"5-L1/1", "5-L2/0", "5-L3/0"}));
}

TEST_F(StoreTest, GraphicsIndexIsDeletedBySupplierPrefix) {
    store_->addGraphicsIndexEntry({"1-4711", "01", "bilder/01/a.jpg", "Ansicht"});
    store_->addGraphicsIndexEntry({"1-4711", "02", "bilder/01/b.jpg", "Schnitt"});
    store_->addGraphicsIndexEntry({"11-4711", "01", "bilder/11/a.jpg", ""});
    EXPECT_EQ(store_->readGraphicsIndex("1-").size(), 2u);
    EXPECT_EQ(store_->readGraphicsIndex("1-")[1].fileName, "bilder/01/b.jpg");
    EXPECT_EQ(store_->deleteGraphicsIndexOfPrefix("1-"), 2u);
    EXPECT_TRUE(store_->readGraphicsIndex("1-").empty());
    EXPECT_EQ(store_->readGraphicsIndex("").size(), 1u);
}

TEST_F(StoreTest, DiscountGroupsWithMarksAndPrefixDeletion) {
    for (const char* k : {"5-0047", "5-0001", "55-0001", "5-9"}) {
        DiscountGroupRecord g;
        g.key = k;
        g.kennung = "2";
        g.wert = 1.234;
        g.bezeichnung = std::string("Gruppe ") + k;
        store_->writeDiscountGroup(g);
    }
    EXPECT_TRUE(store_->setDiscountGroupMark("5-0047 ", true));
    EXPECT_TRUE(store_->setDiscountGroupMark("5-9", true));
    EXPECT_FALSE(store_->setDiscountGroupMark("5-0002", true));
    const auto list = store_->listDiscountGroups(KeyRange::prefix("5-"));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].key, "5-0001");
    EXPECT_FALSE(list[0].selektiert);
    EXPECT_TRUE(list[1].selektiert);
    EXPECT_DOUBLE_EQ(list[1].wert, 1.234);  // a factor, not an amount
    EXPECT_EQ(list[1].kennung, "2");
    EXPECT_EQ(store_->deleteMarkedDiscountGroups(KeyRange::prefix("5-")), 2u);
    EXPECT_TRUE(store_->discountGroupExists("5-0001"));
    EXPECT_FALSE(store_->discountGroupExists("5-0047"));
    EXPECT_EQ(store_->deleteDiscountGroups(KeyRange::prefix("5-")), 1u);
    EXPECT_TRUE(store_->discountGroupExists("55-0001"));
    EXPECT_TRUE(store_->deleteDiscountGroup("55-0001"));
    EXPECT_FALSE(store_->readDiscountGroup("55-0001"));
}

TEST_F(StoreTest, ProductGroupsWithMarksAndPrefixDeletion) {
    ProductGroupRecord main{0, "5-123", "Rohre", 12, false, false, std::string("\0\1x", 3)};
    ProductGroupRecord sub{0, "5-1234567", "Kupferrohre", 0, true, false, ""};
    ProductGroupRecord other{0, "6-123", "Fremd", 0, false, true, ""};
    for (const auto& g : {main, sub, other}) store_->writeProductGroup(g);
    EXPECT_EQ(*store_->readProductGroup("5-123"), main);
    EXPECT_TRUE(store_->setProductGroupMark("5-123", true));
    auto list = store_->listProductGroups(KeyRange::prefix("5-"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].selektiert);
    EXPECT_TRUE(list[1].isSubGroup);
    EXPECT_EQ(store_->deleteMarkedProductGroups(KeyRange::prefix("5-")), 1u);
    EXPECT_TRUE(store_->productGroupExists("6-123"));  // marked, other supplier
    EXPECT_EQ(store_->deleteProductGroups(KeyRange::prefix("5-")), 1u);
    EXPECT_FALSE(store_->productGroupExists("5-1234567"));
    EXPECT_TRUE(store_->deleteProductGroup("6-123"));
}

TEST_F(StoreTest, ServiceWith213RowsAndBomWith50RowsRoundTrip) {
    ServiceRecord s;
    s.key = "5-100";
    s.typechar = "1";
    s.text1 = std::string(43, 'T');
    s.text2 = "Zweiter Text";
    s.unit = "Stck ";
    s.matchcode = "SET100";
    s.minutes = 12.5;
    s.wage1 = 10.005;
    s.wage2 = 12.5;
    for (std::size_t i = 0; i < kServiceRows; ++i) {
        s.rows.push_back({i == 5 ? "" : "*5-" + std::to_string(i), 0.001 * double(i + 1)});
    }
    store_->writeService(s);
    auto back = store_->readService("5-100");
    ASSERT_TRUE(back);
    EXPECT_DOUBLE_EQ(back->wage1, 10.01);
    back->wage1 = s.wage1;
    EXPECT_EQ(*back, s);

    s.rows.push_back({"5-x", 1});
    EXPECT_THROW(store_->writeService(s), DatabaseError);
    EXPECT_EQ(store_->readService("5-100")->rows.size(), kServiceRows);

    BomRecord b;
    b.key = "5-100";
    b.text = "Set hundert";
    b.quantity = 1;
    for (std::size_t i = 0; i < kBomRows; ++i)
        b.rows.push_back({"5-" + std::to_string(i), 1.5, "L"});
    store_->writeBom(b);
    EXPECT_EQ(*store_->readBom("5-100"), b);
    b.rows.push_back({"5-x", 1, "C"});
    EXPECT_THROW(store_->writeBom(b), DatabaseError);
    EXPECT_TRUE(store_->deleteBom("5-100"));
    EXPECT_FALSE(store_->readBom("5-100"));
}

TEST_F(StoreTest, NumberChangeRewritesEveryServiceRow) {
    for (int n = 0; n < 100; ++n) {
        ServiceRecord s;
        s.key = "5-" + std::to_string(1000 + n);
        s.rows = {{"*K-1", 2}, {"K-3", 1}, {"K-1", 0.5}};
        store_->writeService(s);
    }
    int written = 0;
    store_->forEachService(KeyRange::all(), [&](const ServiceRecord& s) {
        ServiceRecord changed = s;
        for (auto& row : changed.rows) {
            if (row.articleKey == "K-1") row.articleKey = "K-2";
            if (row.articleKey == "*K-1") row.articleKey = "*K-2";
        }
        store_->writeService(changed);
        ++written;
        return true;
    });
    EXPECT_EQ(written, 100);
    const auto s = store_->readService("5-1099");
    EXPECT_EQ(s->rows[0].articleKey, "*K-2");
    EXPECT_EQ(s->rows[1].articleKey, "K-3");
    EXPECT_EQ(s->rows[2].articleKey, "K-2");
}

TEST_F(StoreTest, ContentEntriesByKeyAndKind) {
    store_->writeContent({"5-123", 2, "5-123", "5-123", "5-123", "Rohre"});
    store_->writeContent({"5-123", 2, "5-123", "5-123", "5-123", "Rohre neu"});
    store_->writeContent({"6-1", 2, "6-1", "6-1", "6-1", "Andere"});
    EXPECT_EQ(store_->readContent("5-123", 2)->text, "Rohre neu");
    EXPECT_FALSE(store_->readContent("5-123", 1));
    EXPECT_EQ(store_->listContent(KeyRange::prefix("5-")).size(), 1u);
}

TEST(StoreOpen, AFileThatIsNoDatabaseRaisesDatabaseError) {
    TempDir dir;
    writeFile(dir / "kaputt.db", std::string(4096, 'x'));
    try {
        openSqliteStore(dir / "kaputt.db");
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_EQ(std::string(e.what()), "Datenbank einstellen: file is not a database");
    }
}

}  // namespace
}  // namespace dn::test
