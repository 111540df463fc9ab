// Amounts that are no numbers, through both readers and both price
// maintenances: the record is left out with a protocol line naming line,
// letter, field and text, the stored prices stay, the run goes on with the
// next record, the closing message counts the record and the command fails.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/articles/article_import4.h"
#include "features/articles/import_articles5.h"
#include "features/prices/price_maintenance4.h"
#include "features/prices/price_maintenance5.h"
#include "formats/dn4/dn4_fields.h"
#include "formats/dn4/dn4_numbers.h"
#include "formats/dn5/number_fields5.h"
#include "host/codepage.h"
#include "host/store.h"
#include "support/session_fixture.h"

namespace dn::test {
namespace {

const std::string kDn5ArticleHeader = "V;050;A;20250415;EUR;Test;Test GmbH;TST;";
const std::string kDn5PriceHeader = "V;050;P;20250415;EUR;Test;Test GmbH;TST;";

std::string dn4Header() {
    std::string s = "V 161025";
    for (const char* t : {"Lieferant GmbH", "Preise", "Ansprechpartner"}) {
        std::string f = t;
        f.resize(40, ' ');
        s += f;
    }
    s.resize(123);
    return s + "04EUR";
}

class BadAmounts : public SessionFixture {
  protected:
    void SetUp() override {
        SessionFixture::SetUp();
        for (const char* key : {"1-A1", "1-A2"}) {
            ArticleRecord a;
            a.key = key;
            a.shorttext1 = "Rohr";
            a.priceflag = "1";
            a.priceunit = 1;
            a.purchaseprice = 100;
            a.salesprice = 100;
            session->store().writeArticle(a);
        }
    }

    std::string writeLines(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) bytes += utf8ToCp850(l) + "\r\n";
        const auto path = home / name;
        writeFile(path, bytes);
        return path.string();
    }

    CommandOutcome runArticles(bool dn5, const std::string& file) {
        host.forms.push_back(FormScript{"TUEBERNEHMEN4", {{105, "1"}}, {}});
        session->OnlineImportFiles = {file};
        session->OnlineImportStatus = "0";
        return dn5 ? ImportArticles5(*session, 1) : ImportArticles4(*session, 1);
    }

    CommandOutcome runPrices(bool dn5, const std::string& file) {
        host.forms.push_back(FormScript{"TPFLEGEDISKETTE", {{104, "1"}}, {}});
        session->PriceFilePath = file;
        return dn5 ? PriceMaintenance5(*session, 1) : PriceMaintenance4(*session, 1);
    }

    bool printed(const std::string& line) const {
        for (const auto& p : host.printed)
            if (p == line) return true;
        return false;
    }
    bool lastMessageEndsWith(const std::string& tail) const {
        return !host.messages.empty() && host.messages.back().ends_with(tail);
    }
};

struct Route {
    const char* name;
    bool dn5;
    bool prices;  // price maintenance, else article import
    std::string (*line)(const std::string& number, const std::string& amount);
    char letter;
    int field;
};

const Route kRoutes[] = {
    {"DATANORM 5 article import", true, false,
     [](const std::string& n, const std::string& a) {
         return "A;A;" + n + ";Rohr;;PCE;1;1;" + a + ";;";
     },
     'A', 9},
    {"DATANORM 5 price maintenance", true, true,
     [](const std::string& n, const std::string& a) { return "P;" + n + ";1;1;" + a + ";;;;;;;;"; },
     'P', 5},
    {"DATANORM 4 article import", false, false,
     [](const std::string& n, const std::string& a) {
         return "A;A;" + n + ";00;Rohr;;1;0;St;" + a + ";;;;";
     },
     'A', 10},
    {"DATANORM 4 price maintenance", false, true,
     [](const std::string& n, const std::string& a) {
         return "P;A;" + n + ";1;" + a + ";;;;;;;;;;;;;;;;;;;;;;;;;;;";
     },
     'P', 5},
};

TEST_F(BadAmounts, NeverBecomeZero) {
    struct Amount {
        const char* text;
        bool badInDn5;  // a decimal point is a DATANORM 5 number
    };
    const Amount amounts[] = {{"12O00", true}, {"12a", true}, {"1e3", true},   {"1 000", true},
                              {"99,50", true}, {"n/a", true}, {"12.50", false}};
    for (const Route& route : kRoutes) {
        for (const Amount& amount : amounts) {
            if (route.dn5 && !amount.badInDn5) continue;
            SCOPED_TRACE(std::string(route.name) + " with \"" + amount.text + "\"");
            host.messages.clear();
            host.printed.clear();
            const std::string header =
                route.dn5 ? (route.prices ? kDn5PriceHeader : kDn5ArticleHeader) : dn4Header();
            const std::string file =
                writeLines(route.prices ? "datpreis.001" : "datanorm.001",
                           {header, route.line("A1", amount.text), route.line("A2", "5000")});
            const CommandOutcome outcome =
                route.prices ? runPrices(route.dn5, file) : runArticles(route.dn5, file);
            EXPECT_EQ(outcome, CommandOutcome::Failed);

            auto a1 = session->store().readArticle("1-A1");
            ASSERT_TRUE(a1);
            EXPECT_DOUBLE_EQ(a1->purchaseprice, 100);
            EXPECT_DOUBLE_EQ(a1->salesprice, 100);
            auto a2 = session->store().readArticle("1-A2");  // the run went on
            ASSERT_TRUE(a2);
            EXPECT_DOUBLE_EQ(a2->salesprice, 50);
            session->store().writeArticle([&] {
                ArticleRecord a = *a2;
                a.purchaseprice = a.salesprice = 100;
                return a;
            }());

            const std::string protocol = "Zeile 2: " + std::string(1, route.letter) +
                                         "-Satz, Feld " + std::to_string(route.field) +
                                         " ist keine Zahl: \"" + amount.text +
                                         "\" - Satz übersprungen!";
            EXPECT_TRUE(printed(protocol)) << protocol;
            EXPECT_TRUE(lastMessageEndsWith("\n\n1 Satz wegen fehlerhafter Felder übersprungen!"))
                << (host.messages.empty() ? std::string() : host.messages.back());
        }
    }
}

// What the formats allow stays allowed: blanks around the number, a
// decimal point in DATANORM 5; an empty price field leaves the price.
TEST_F(BadAmounts, NumbersTheFormatsAllow) {
    struct Case {
        const Route& route;
        const char* amount;
        double vk;
    };
    const Case cases[] = {
        {kRoutes[0], " 5000", 50},    {kRoutes[0], "1234.50", 12.35}, {kRoutes[0], "", 100},
        {kRoutes[1], "5000 ", 50},    {kRoutes[1], "1234.50", 12.35}, {kRoutes[1], "", 100},
        {kRoutes[2], "    5000", 50}, {kRoutes[2], "", 100},          {kRoutes[3], "    5000", 50},
        {kRoutes[3], "", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.route.name) + " with \"" + c.amount + "\"");
        ArticleRecord a = *session->store().readArticle("1-A1");
        a.purchaseprice = a.salesprice = 100;
        session->store().writeArticle(a);
        const Route& r = c.route;
        const std::string header =
            r.dn5 ? (r.prices ? kDn5PriceHeader : kDn5ArticleHeader) : dn4Header();
        const std::string file = writeLines("datei.001", {header, r.line("A1", c.amount)});
        const CommandOutcome outcome = r.prices ? runPrices(r.dn5, file) : runArticles(r.dn5, file);
        EXPECT_EQ(outcome, CommandOutcome::Done);
        EXPECT_DOUBLE_EQ(session->store().readArticle("1-A1")->salesprice, c.vk);
    }
}

// In DATANORM 5 the article block is the record: a faulty surcharge line
// leaves out its A line and the other lines of the block.
TEST_F(BadAmounts, Dn5ArticleBlockIsLeftOutWhole) {
    const std::string file =
        writeLines("datanorm.001", {kDn5ArticleHeader, "A;A;A1;Rohr;;PCE;1;1;5000;;",
                                    "Z;N;A1;01;1;Staffel;Staffel;1;+;2;1;6x6;;1;45;899;",
                                    "A;A;A2;Rohr;;PCE;1;1;5000;;"});
    EXPECT_EQ(runArticles(true, file), CommandOutcome::Failed);
    EXPECT_DOUBLE_EQ(session->store().readArticle("1-A1")->salesprice, 100);
    EXPECT_TRUE(session->store().readZBlob("1-A1").empty());
    EXPECT_DOUBLE_EQ(session->store().readArticle("1-A2")->salesprice, 50);
    EXPECT_TRUE(printed("Zeile 3: Z-Satz, Feld 12 ist keine Zahl: \"6x6\" - Satz übersprungen!"));
    EXPECT_TRUE(lastMessageEndsWith("\n\n1 Satz wegen fehlerhafter Felder übersprungen!"));
}

// The numeric fields of each record kind, by the tables of both readers;
// fields that name a group or a text are not checked.
TEST(NumberFields, ByRecordKind) {
    const struct {
        const char* line;
        int field;  // 0: no fault
    } dn5[] = {
        {"A;N;1;Rohr;;PCE;1;1x;100;", 8},
        {"A;N;1;Rohr;;PCE;1;1;100;ABCD;;;;;;;;;;;9x;", 21},
        {"C;N;WST1;1;;12a;;3;", 6},
        {"C;N;WST2;1;m;8,94;", 6},
        {"C;N;ARBS;1;;1;1O;Text;", 7},
        {"C;N;ES01;12 AH / 12V;0;0;;G 189170;", 0},
        {"Z;N;1;01;1;S;S;1;+;2;1;62x;;1;45;899;", 12},
        {"Z;N;1;01;1;S;S;3;+;2;1;62x;;1;45;899;", 0},  // field 12 is no amount for kind 3
        {"Z;N;1;01;3;CU;1;x;1;1;1;1;", 8},
        {"Z;N;1;01;3;AL;1;x;1;1;1;1;", 0},
        {"P;A1;1;1;100;G1;1;25OO;;;;;", 8},
        {"P;A1;1;1;100;G1;1;2500;3;500;2;85O;", 12},
        {"R;1234;1;3O00;Rabatt;", 4},
        {"T;N;1;1;;Text 12a;", 0},
        {"D;N;1;01;1;Text;;", 0},
    };
    for (const auto& c : dn5) {
        const auto fault = NumberFault5(c.line);
        EXPECT_EQ(fault ? fault->field : 0, c.field) << c.line;
    }
    const struct {
        const char* line;
        int field;
    } dn4[] = {
        {"B;N;1; ; ; ;0;0;0; ; ;004.050;0;1x; ; ;", 14},
        {"B;N;1; ; ; ;0;A12;0; ; ; ;0;1; ; ;", 8},
        {"C;;WERKSTOFF-1;1;12,5;;100;", 5},
        {"C;;ARBEIT-1;1;1;2;6.0;", 7},
        {"C;;TERMIN-1;01082025;", 0},
        {"Z;N;1;1;4;CU;000100;00005O;000200;000300;", 8},
        {"Z;N;1;1;4;AL;000100;00005O;000200;000300;", 0},
        {"Z;N;1;1;2;Text;Rabatt;1;12a;;;", 0},  // a percentage, not a price, stays raw
        {"Z;N;1;1;2;Text;Rabatt;3;12a;;;", 9},
        {"P;A;1;1;100;0;RG1;;;;;2;1;200;1;25O0;;;;;", 16},
        {"R;;47;1;35,5;Rohre;", 5},
        {"R;;47;3;x;Rohre;", 0},
        {"S;;123;Heizung 12a;;;", 0},
    };
    std::vector<std::string_view> fields;
    for (const auto& c : dn4) {
        SplitFields(c.line, fields);
        const auto fault = Dn4NumberFault(fields);
        EXPECT_EQ(fault ? fault->field : 0, c.field) << c.line;
    }
}

}  // namespace
}  // namespace dn::test
