// Command 43: the price-enquiry file in the DATANORM 4 and 3 forms.

#include "features/prices/price_enquiry.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/day_number.h"
#include "support/import4_fixture.h"

namespace dn::test {
namespace {

std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p; (p = bytes.find("\r\n", start)) != std::string::npos; start = p + 2)
        lines.push_back(bytes.substr(start, p - start));
    EXPECT_EQ(start, bytes.size());
    return lines;
}

class PriceEnquiry : public Import4Test {
  protected:
    void SetUp() override {
        Import4Test::SetUp();
        SupplierRecord r = session->suppliers.readRecord(1);
        r.setCustomerNumber("K-4711");
        r.setPath((home / "out").string());
        session->suppliers.writeRecord(1, r);
        std::filesystem::create_directories(home / "out");
        ReadCurrentSupplier(*session);
    }
    void addArticles(const std::vector<std::string>& keys) {
        for (const auto& k : keys) {
            ArticleRecord a;
            a.key = k;
            store().writeArticle(a);
        }
    }
    std::vector<std::string> run(const char* name) {
        EXPECT_EQ(WritePriceEnquiry(*session), CommandOutcome::Done);
        return crlfLines(readFile(home / "out" / name));
    }
};

TEST_F(PriceEnquiry, Dn4FormOfFourArticles) {
    addArticles({"1-A1", "1-A2", "1-A3", "1-A4", "10-X", "2-Y"});
    const auto lines = run("datpreis.001");
    ASSERT_EQ(lines.size(), 4u);
    const std::string today = formatDdmmyy(fromDayNumber(session->host.today));
    EXPECT_EQ(lines[0], "V " + today + std::string(115, ' ') + "04DEM");
    EXPECT_EQ(lines[0].size(), 128u);
    EXPECT_EQ(lines[1], "K; ;K-4711    ; ");
    EXPECT_EQ(lines[2], "P;P;A1;;;;;;;;;A2;;;;;;;;;A3;;;;;;;;;");
    EXPECT_EQ(lines[3], "P;P;A4;;;;;;;;;;;;;;;;;;;;;;;;;;;");
    EXPECT_EQ(host.messages.back(), "Erzeugung der Pendeldiskette beginnt...");
}

TEST_F(PriceEnquiry, Dn4FormWithoutArticles) {
    EXPECT_EQ(run("datpreis.001").size(), 2u);
}

// An enquiry file left in upper case by Windows is replaced, not joined by
// a second file in lower case.
TEST_F(PriceEnquiry, EarlierFileInUpperCaseIsReplaced) {
    writeFile(home / "out" / "DATPREIS.001", "alt\r\n");
    EXPECT_EQ(run("DATPREIS.001").size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(home / "out" / "datpreis.001"));
}

TEST_F(PriceEnquiry, Dn3FormStripsThePrefix) {
    useSupplier(12, ' ');
    SupplierRecord r = session->suppliers.readRecord(12);
    r.setVersion('3');
    r.setCustomerNumber("C12");
    session->suppliers.writeRecord(12, r);
    ReadCurrentSupplier(*session);
    session->Dn3Directory = (home / "out").string() + "/";
    addArticles({"12-ABC", "12-DEF"});
    const auto lines = run("datpreis");
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& l : lines) EXPECT_EQ(l.size(), 128u);
    EXPECT_EQ(lines[0], "V" + std::string(127, ' '));
    EXPECT_EQ(lines[1].substr(0, 12), "K C12       ");
    EXPECT_EQ(lines[2].substr(0, 2), "PP");
    EXPECT_EQ(lines[2].substr(2, 15), "ABC            ");
    EXPECT_EQ(lines[2].substr(41, 15), "DEF            ");
    EXPECT_EQ(lines[2].substr(80, 15), std::string(15, ' '));
}

// A medium that is full after a given number of lines.
class FullMedium : public EnquiryFile {
  public:
    using EnquiryFile::EnquiryFile;
    int room = 3;

  protected:
    bool put(const std::string& bytes, bool& mediumFull) override {
        if (room-- == 0) {
            mediumFull = true;
            return false;
        }
        return EnquiryFile::put(bytes, mediumFull);
    }
};

TEST_F(PriceEnquiry, FullMediumRestartsWithHeaderAndCustomer) {
    addArticles({"1-A1", "1-A2", "1-A3", "1-A4"});
    const auto path = home / "out" / "datpreis.001";
    FullMedium file(*session, path, {"HEAD", "CUST"});
    file.open();
    writeEnquiryRecords(*session, file, true);
    file.close();
    EXPECT_EQ(host.messages, std::vector<std::string>{kMsgMediumFull});
    EXPECT_EQ(crlfLines(readFile(path)),
              (std::vector<std::string>{"HEAD", "CUST", "P;P;A4;;;;;;;;;;;;;;;;;;;;;;;;;;;"}));
}

}  // namespace
}  // namespace dn::test
