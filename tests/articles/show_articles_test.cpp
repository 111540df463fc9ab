// The listing of a DATANORM 4 article file (command 32).

#include <string>
#include <vector>

#include "features/articles/show_articles4.h"
#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

// 40 characters; the umlauts take two bytes each in UTF-8.
const std::string kText1 = "Rinnenblech für Überlauf" + std::string(16, ' ');

class ShowArticles4Test : public Dn4Test {
  protected:
    TempDir dir;

    std::string writeArticles(const std::string& currency) {
        const std::string bytes =
            headerLine("161025", "04", currency, "Lieferant GmbH", "Artikel", "Kontakt") +
            "\r\n"
            "K;;018988; ;\r\n"
            "A;N;BS-13009;00;Rinnenblech f\x81r \x9A"
            "berlauf; Zweite Zeile;1;0;Stck;59200;RG01; ;;\r\n"
            "B;N;BS-13009; ; ; ;0;0;0; ; ; ;0;0; ; ;\r\n"
            "A;A;BS-99;00;Ge\x84ndert;;1;0;Stck;100;A; ;;\r\n"
            "A;N;BS-2;00;Ohne Preis;;1;0;Stck;;;;;\r\n\x1A";
        writeFile(dir / "datanorm.001", bytes);
        return (dir / "datanorm.001").string();
    }
};

TEST_F(ShowArticles4Test, PrintsHeadingArticlesAndTotal) {
    ShowArticles4(session, {writeArticles("EUR")});
    const std::vector<std::string> expected{
        "",
        "",
        "Artikelnummer    Bezeichnung                                  Preis  Rabattgr.",
        std::string(78, '='),
        "",
        "161025",
        pad("Lieferant GmbH", 40),
        pad("Artikel", 40),
        pad("Kontakt", 35) + "04EUR",
        "",
        "",
        "Kundennummer: 018988    ",
        "BS-13009         " + kText1 + "      592.00  RG01",
        std::string(17, ' ') + pad(" Zweite Zeile", 40),
        "BS-2             " + pad("Ohne Preis", 40) + "        0.00      ",
        std::string(17, ' ') + std::string(40, ' '),
        "",
        "",
        "Gesamtanzahl: 2",
    };
    EXPECT_EQ(host.printed, expected);
    EXPECT_EQ(host.printJobs, 1);
    EXPECT_EQ(host.panelInfo, (std::vector<std::string>{"BS-13009       ", "BS-2           "}));
}

TEST_F(ShowArticles4Test, DmFileOnEuroHostShowsEuro) {
    ShowArticles4(session, {writeArticles("DEM")});
    ASSERT_GE(host.printed.size(), 13u);
    EXPECT_EQ(host.printed[12], "BS-13009         " + kText1 + "      302.68  RG01");
}

TEST_F(ShowArticles4Test, NothingWithoutPrinter) {
    host.printerAvailable = false;
    ShowArticles4(session, {writeArticles("EUR")});
    EXPECT_TRUE(host.printed.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ShowArticles4Test, StopsAtAFileWithoutHeader) {
    writeFile(dir / "ohne.001", "A;N;4711;00;Rohr;;1;0;Stck;100;;;;\r\n");
    ShowArticles4(session, {(dir / "ohne.001").string(), writeArticles("EUR")});
    EXPECT_EQ(host.messages, (std::vector<std::string>{kMsgHeaderMissing}));
    EXPECT_EQ(host.printed.back(), "Gesamtanzahl: 0");
}

}  // namespace
}  // namespace dn::test
