// Command 34 for DATANORM 5: J files as services and bills of material.

#include "features/services/services5.h"

#include <gtest/gtest.h>

#include "common/change_log.h"
#include "formats/dn5/tdatanorm5.h"
#include "host/amounts.h"
#include "support/service_fixture5.h"

namespace dn {
namespace {

constexpr const char* kHeaderJ = "V;050;J;20240131;EUR;Sets;;;";

// Short format: set, kind, number, quantity in thousandths.
std::string shortLine(const std::string& set, const std::string& kind, const std::string& number,
                      const std::string& qty, const std::string& flag = "N") {
    return "J;" + flag + ";" + set + ";K;;" + kind + ";" + number + ";" + qty + ";";
}
// Long format with set number text and set text.
std::string longLine(const std::string& set, const std::string& numberText, const std::string& text,
                     const std::string& kind, const std::string& number, const std::string& qty) {
    return "J;N;" + set + ";L;;" + numberText + ";" + text + ";" + kind + ";" + number + ";" + qty +
           ";";
}

class Sets5Test : public test::ServiceTest5 {
  protected:
    CommandOutcome run(const std::vector<std::string>& lines,
                       std::vector<std::pair<int, std::string>> sets = {}) {
        std::vector<std::string> all = {kHeaderJ};
        all.insert(all.end(), lines.begin(), lines.end());
        host.forms.push_back({"TUEBLEISTUNG", std::move(sets), {}});
        host.files.push_back({file("datasets.001", all)});
        return ImportSets5(dn5());
    }
};

TEST_F(Sets5Test, ConsecutiveSetsAndThousandths) {
    article("1-100", 5);
    article("1-200");
    ASSERT_EQ(run({shortLine("100", "1", "A", "1500"), shortLine("100", "4", "B", "2000"),
                   shortLine("100", "1", "Z", "1", "L"), shortLine("200", "1", "A", "250")},
                  {{103, "1"}}),
              CommandOutcome::Done);
    const auto s100 = store().readService("1-100");
    ASSERT_TRUE(s100);
    // Choice 2 (the start for DATANORM 5): main article with a price comes first.
    ASSERT_EQ(s100->rows.size(), 3u);
    EXPECT_EQ(s100->rows[0], (ServiceRow{"1-100", 1}));
    EXPECT_EQ(s100->rows[1], (ServiceRow{"1-A", 1.5}));
    EXPECT_EQ(s100->rows[2], (ServiceRow{"*s-1-B", 2}));
    // Set 200: main article without price stays out.
    EXPECT_EQ(rowKeys("1-200"), std::vector<std::string>{"1-A"});
    EXPECT_EQ(host.printed,
              (std::vector<std::string>{"Datum            : 31.01.2024", "Währung          : EUR",
                                        "Dateninhalt      : Sets",
                                        "Copyright        : ", "Herstellerkürzel : ", "",
                                        "J-Satz:", "Leistung Nummer \"1-100\" übernommen", "",
                                        "J-Satz:", "Leistung Nummer \"1-200\" übernommen", ""}));
    EXPECT_EQ(host.messages.back(), "Import Leistungen/Stücklisten durchgeführt!");
    EXPECT_NE(ReadChangeLog(*session)->find("5 Leistungübernahme"), std::string::npos);
}

TEST_F(Sets5Test, LongFormatTakesTextAndMatchcodeAndNoMainRow) {
    article("1-100", 5);
    ASSERT_EQ(run({longLine("100", "NUMMERTEXT", "Badset komplett", "1", "A", "1000"),
                   longLine("100", "anders", "anders", "1", "B", "1000")}),
              CommandOutcome::Done);
    const auto s = store().readService("1-100");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->text1, "Badset komplett");
    EXPECT_EQ(s->text2, "Zeile 2");
    EXPECT_EQ(s->matchcode, "NUMMERTEXT");
    EXPECT_EQ(s->typechar, "1");
    EXPECT_EQ(rowKeys("1-100"), (std::vector<std::string>{"1-A", "1-B"}));
}

TEST_F(Sets5Test, OwnAssemblyMinutesWin) {
    article("1-100", 0, 12);
    article("1-A", 0, 30);
    ServiceRecord old;
    old.key = "1-100";
    old.wage1 = 7;
    old.wage2 = 8;
    store().writeService(old);
    ASSERT_EQ(run({shortLine("100", "1", "A", "1000")}), CommandOutcome::Done);
    auto s = store().readService("1-100");
    EXPECT_DOUBLE_EQ(s->minutes, 12);
    EXPECT_DOUBLE_EQ(s->wage1, 7);
    EXPECT_DOUBLE_EQ(s->wage2, 8);
    // A new service gets the wages of its 12 minutes.
    store().deleteService("1-100");
    host.forms.clear();
    ASSERT_EQ(run({shortLine("100", "1", "A", "1000")}), CommandOutcome::Done);
    s = store().readService("1-100");
    EXPECT_DOUBLE_EQ(s->minutes, 12);
    EXPECT_DOUBLE_EQ(s->wage1, session->host.wageRate1 / 5);
}

TEST_F(Sets5Test, C50LinesGiveMinutesAndRows) {
    ArticleRecord main = article("1-100");
    main.extralines = {"C10 anything", "C50" + test::pad("30", 10) + test::pad("4711", 10),
                       "C50" + test::pad("15", 10) + std::string(10, ' '), "C50  2.5004712"};
    store().writeArticle(main);
    article("1-A", 0, 99);  // its minutes are discarded by the first "C50" line
    ASSERT_EQ(run({shortLine("100", "1", "A", "1000")}, {{104, "1"}}), CommandOutcome::Done);
    const auto s = store().readService("1-100");
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->minutes, 47.5);
    EXPECT_EQ(s->rows, (std::vector<ServiceRow>{{"1-A", 1}, {"1-4711", 30}, {"1-4712", 2.5}}));
    EXPECT_DOUBLE_EQ(s->wage1, rund(47.5 / 60 * session->host.wageRate1));
}

TEST_F(Sets5Test, ShortBillsZeroTheMainArticlePricesLongBillsKeepThem) {
    const struct {
        const char* name;
        std::string line;
        double price;
    } cases[] = {{"short", shortLine("100", "1", "A", "1000"), 0},
                 {"long", longLine("100", "", "Set", "1", "A", "1000"), 5}};
    for (const auto& c : cases) {
        article("s-1-100", 5);
        article("1-100", 5);
        host.forms.clear();
        ASSERT_EQ(run({c.line}, {{102, "1"}}), CommandOutcome::Done) << c.name;
        const auto main = store().readArticle("s-1-100");
        EXPECT_DOUBLE_EQ(main->purchaseprice, c.price) << c.name;
        EXPECT_DOUBLE_EQ(main->salesprice, c.price * 2) << c.name;
        const auto bom = store().readBom("1-100");
        ASSERT_TRUE(bom) << c.name;
        EXPECT_DOUBLE_EQ(bom->quantity, 0);
        EXPECT_EQ(bom->rows.back(), (BomRow{"1-A", 1, std::string(c.name) == "long" ? "L" : "K"}))
            << c.name;
    }
}

TEST_F(Sets5Test, NewBillMainArticleFromTheSetArticle) {
    ArticleRecord plain = article("1-100", 5);
    plain.extralines = {"C50" + test::pad("3", 10) + test::pad("M", 10)};
    store().writeArticle(plain);
    ASSERT_EQ(run({shortLine("100", "1", "A", "1000")}, {{102, "1"}, {103, "1"}}),
              CommandOutcome::Done);
    const auto main = store().readArticle("s-1-100");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->shorttext1, "Text 1-100");
    EXPECT_DOUBLE_EQ(main->purchaseprice, 0);
    const auto bom = store().readBom("1-100");
    EXPECT_EQ(bom->text, "Text 1-100");
    EXPECT_EQ(bom->rows,
              (std::vector<BomRow>{{"1-100", 1, "K"}, {"1-A", 1, "K"}, {"1-M", 3, "C"}}));
    EXPECT_TRUE(host.printedSomething("Hauptartikel \"s-1-100\" angelegt"));
    EXPECT_TRUE(host.printedSomething("Stückliste Nummer \"1-100\" erzeugt"));
}

TEST_F(Sets5Test, LineBeforeHeaderEndsTheFile) {
    host.forms.push_back({"TUEBLEISTUNG", {}, {}});
    host.files.push_back({file("datasets.001", {shortLine("100", "1", "A", "1000")})});
    EXPECT_EQ(ImportSets5(dn5()), CommandOutcome::Failed);
    EXPECT_EQ(host.messages.front(), "Vorlaufsatz fehlt!");
    EXPECT_FALSE(ReadChangeLog(*session));
}

}  // namespace
}  // namespace dn
