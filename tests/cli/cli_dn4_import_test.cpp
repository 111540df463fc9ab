// The DATANORM 4 article import, price maintenance, prices after a discount
// change and the price enquiry file from the command line, without a
// terminal, on the bundled sample delivery.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

// The bundled delivery of the repository.
const std::string kDelivery =
    (std::filesystem::path(DATANORM_SOURCE_DIR) / "examples" / "datanorm4" / "DATANORM.001")
        .string();

class CliDn4Test : public ::testing::Test {
  protected:
    void SetUp() override {
        auto r = run({"supplier", "edit", "1", "--name", "Beispiel", "--version", "4", "--path",
                      (home / "lief").string()});
        ASSERT_EQ(r.code, 0) << r.err;
        std::filesystem::create_directories(home / "lief");
    }
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    bool has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }
    test::TempDir home;
};

TEST_F(CliDn4Test, ImportWithProtocolFileThenPricesAndEnquiry) {
    const std::string protocol = (home / "out.txt").string();
    auto r =
        run({"--yes", "run", "33", "--set", "105=1", "--file", kDelivery, "--protocol", protocol});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err + r.out, "20 Artikel von der Datei nach TORVALO übernommen!")) << r.err;
    const std::string printed = test::readFile(protocol);
    EXPECT_TRUE(has(printed, "Asatz")) << printed;
    EXPECT_TRUE(has(printed, "Kundennummer: 4711"));

    r = run({"articles", "--format", "csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.out, "1-KR-1000")) << r.out;
    EXPECT_TRUE(has(r.out, "1-DP-7001"));

    // A price file for two of the articles: 10 % off the new list price.
    test::writeFile(
        home / "lief" / "datpreis.001",
        "V 020125" + std::string(115, ' ') +
            "04EUR\r\n"
            "P;A;KH-3000;1;00002000;1;1000;;;;;KH-3001;1;00003000;1;1000;;;;;;;;;;;;;;\r\n");
    r = run({"--yes", "run", "41", "--file", (home / "lief" / "datpreis.001").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err + r.out, "Ende der Preispflege"));
    r = run({"articles", "--format", "csv", "--prefix", "1-KH-3000"});
    EXPECT_TRUE(has(r.out, "18")) << r.out;

    r = run({"--yes", "run", "42", "--set", "102=1", "--set", "103=0"});
    ASSERT_EQ(r.code, 0) << r.err;

    r = run({"--yes", "run", "43"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string enquiry = test::readFile(home / "lief" / "datpreis.001");
    EXPECT_TRUE(has(enquiry, "P;P;BS-6000;;;;;;;;;BS-6001;;;;;;;;;DB-5000;;;;;;;;;\r\n"))
        << enquiry;

    r = run({"log"});
    EXPECT_TRUE(has(r.out, "4 Artikelübernahme")) << r.out;
    EXPECT_TRUE(has(r.out, "4 Preispflege"));
}

TEST_F(CliDn4Test, SamplesImportWithoutTerminal) {
    const auto dir = test::samplesDir();
    if (dir.empty() || !std::filesystem::exists(dir / "v4-demo" / "DATANORM.001")) GTEST_SKIP();
    auto r = run({"--yes", "run", "33", "--file", (dir / "v4-demo" / "DATANORM.001").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(has(r.err + r.out, "19 Artikel von der Datei nach TORVALO übernommen!")) << r.err;
}

}  // namespace
}  // namespace dn
