// Commands 34, 35 and 62 from the command line without a terminal.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

std::string dn4Header() {
    return "V 161025" + std::string(115, ' ') + "04EUR\r\n";
}

// An offer record of kind 255 with the key as a short string.
std::string offerRecord(const std::string& key) {
    std::string r(1, '\xFF');
    r += static_cast<char>(key.size());
    r += key + std::string(18 - key.size(), '\0');
    r.resize(82, ' ');
    return r;
}

class CliServicesTest : public ::testing::Test {
  protected:
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    void supplier(const std::string& version) {
        ASSERT_EQ(run({"supplier", "edit", "1", "--name", "X", "--version", version}).code, 0);
    }
    test::TempDir home;
    test::TempDir data;
};

TEST_F(CliServicesTest, SetsOfDatanorm4WithProtocol) {
    supplier("4");
    test::writeFile(data / "datasets.001", dn4Header() + "J;N;100;;1;;Set;;4711;2;\r\n");
    auto r = run({"--yes", "run", "34", "--file", (data / "datasets.001").string(), "--set",
                  "103=1", "--set", "104=1"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("J-Satz:\nArtikel Nummer \"1-100\" nicht vorhanden\n"), std::string::npos)
        << r.out;
    EXPECT_NE(run({"log"}).out.find("4 Leistungübernahme"), std::string::npos);
    // A refused list value is a usage error.
    EXPECT_EQ(run({"run", "34", "--file", (data / "datasets.001").string(), "--set", "104=3"}).code,
              2);
}

TEST_F(CliServicesTest, SetsOfDatanorm5) {
    supplier("5");
    test::writeFile(data / "datasets.001",
                    "V;050;J;20240131;EUR;Sets;;;\r\nJ;N;100;K;;1;4711;1500;\r\n");
    auto r = run({"run", "34", "--file", (data / "datasets.001").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("Import Leistungen/Stücklisten durchgeführt!"), std::string::npos)
        << r.err;
    EXPECT_NE(run({"log"}).out.find("5 Leistungübernahme"), std::string::npos);
}

TEST_F(CliServicesTest, NumberChangeRewritesOffersAndReportsBadOnes) {
    supplier("4");
    ASSERT_EQ(run({"settings"}).code, 0);
    const auto offers = home / "angebote";
    test::writeFile(offers / "gut.ang", offerRecord("*1-1"));
    test::writeFile(offers / "kaputt.ang", offerRecord("1-1").substr(0, 50));
    test::writeFile(data / "datanorm.001", dn4Header() + "A;X;1;00;2;;1;0;St;100;;;;\r\n");
    auto r = run({"run", "62", "--file", (data / "datanorm.001").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(test::readFile(offers / "gut.ang"), offerRecord("*1-2"));
    EXPECT_EQ(test::readFile(offers / "kaputt.ang"), offerRecord("1-1").substr(0, 50));
    // No whole record: nothing to rewrite, the bytes are kept and named.
    EXPECT_NE(r.err.find("Hinweis bei Angebot \"kaputt.ang\"!"), std::string::npos) << r.err;
    EXPECT_NE(run({"log"}).out.find("4 Artikelnummeränderung"), std::string::npos);
}

// Command 35 runs for every version; only its menu item is shown for
// DATANORM 3 alone. The fixed name is found in any case.
TEST_F(CliServicesTest, MinutesForEveryVersion) {
    std::string rec = "4711           00125";
    rec.resize(130, ' ');
    test::writeFile(data / "MINUTEN", rec);
    ASSERT_EQ(run({"settings", "SourcePath=" + data.path().string()}).code, 0);
    std::size_t entries = 0;
    for (const char* version : {"3", "4", "5"}) {
        SCOPED_TRACE(version);
        supplier(version);
        auto r = run({"run", "35", "--set", "101=1"});
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string log = run({"log"}).out;
        std::size_t n = 0;
        for (auto at = log.find("  Minutenübernahme"); at != std::string::npos;
             at = log.find("  Minutenübernahme", at + 1))
            ++n;
        EXPECT_EQ(n, ++entries) << log;
        EXPECT_NE(log.find((data / "MINUTEN").string()), std::string::npos) << log;
    }
    EXPECT_NE(run({"commands"}).out.find("  35 - Artikel / Minuten übernehmen"), std::string::npos);
}

}  // namespace
}  // namespace dn
