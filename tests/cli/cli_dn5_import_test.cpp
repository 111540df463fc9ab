// The DATANORM 5 article import, listing and free texts from the command
// line, on the real roofing delivery.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace dn {
namespace {

using test::runDatanorm;

class CliDn5Test : public ::testing::Test {
  protected:
    void SetUp() override {
        sample = test::samplesDir() / "v5-roofing" / "DATANORM.001";
        if (!std::filesystem::exists(sample)) GTEST_SKIP() << "no samples";
        ASSERT_EQ(run({"--yes", "supplier", "edit", "1", "--name", "Dach", "--version", "5"}).code,
                  0);
    }
    test::CliResult run(const std::vector<std::string>& args) {
        return runDatanorm(home.path().string(), args);
    }
    test::TempDir home;
    std::filesystem::path sample;
};

TEST_F(CliDn5Test, ImportListingAndFreeTexts) {
    const auto protocol = home / "out.txt";
    auto r = run({"--yes", "run", "33", "--set", "105=1", "--file", sample.string(), "--protocol",
                  protocol.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE((r.out + r.err).find("310 Artikel und 0 Langtexte nach TORVALO übernommen!"),
              std::string::npos)
        << r.out << r.err;
    const std::string printed = test::readFile(protocol);
    EXPECT_NE(printed.find("A-Satz Neuanlage:"), std::string::npos);
    EXPECT_NE(printed.find("Datum            : 15.04.2025"), std::string::npos);

    r = run({"articles", "--format", "csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("1-2TOP;"), std::string::npos);
    EXPECT_NE(r.out.find(";8.94;"), std::string::npos);  // price field 894 is 8.94

    const auto listing = home / "list.txt";
    r = run({"--yes", "run", "32", "--file", sample.string(), "--protocol", listing.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(test::readFile(listing).find("Gesamtanzahl: 310"), std::string::npos);

    const auto texts = home / "DATATEXT.001";
    test::writeFile(
        texts,
        "V;050;T;20250415;EUR;;;;\r\nT;N;FT1;1;01;Freier Text;\r\nT;N;FT1;1;02;Zeile 2;\r\n");
    r = run({"--yes", "run", "36", "--file", texts.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE((r.out + r.err).find("1 ungebundene/freie Langtexte nach TORVALO übernommen!"),
              std::string::npos)
        << r.out << r.err;
}

}  // namespace
}  // namespace dn
