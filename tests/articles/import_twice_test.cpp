// The same article file imported twice leaves the store as one import does:
// every table compared row by row, for a small file with every kind of line
// and for the sample deliveries.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/import_fixture5.h"
#include "support/store_dump.h"

namespace dn {
namespace {

class ImportTwiceTest : public test::ImportFixture5 {
  protected:
    CommandOutcome importFile(const std::filesystem::path& file) {
        session->OnlineImportFiles = {file.string()};
        session->OnlineImportStatus = "0";
        host.forms.push_back(FormScript{"TUEBERNEHMEN4", {}, {}, {}});
        host.defaultAnswer = true;
        return ImportArticles5(*session, 1);
    }
    std::string dump() { return test::DumpStore(masterDir() / "stamm.db"); }
};

TEST_F(ImportTwiceTest, SmallFileWithEveryKindOfLine) {
    ArticleRecord old;
    old.key = "1-9000";
    old.shorttext1 = "Alt";
    old.extralines = {"X1 fremde Zeile"};
    store().writeArticle(old);
    const std::vector<std::string> lines = {
        "A;N;4711;Rohr;Kupfer;MTR;1;1;1250;R1;WG1;;;;;;;;;G4711;;;;T4711;;;;;;",
        "C;N;ARBS;4711;;2;100;Montage;",
        "D;N;4711;01;1;Beschreibung 1;;",
        "C;N;ARBA;4711;;2;150;;",
        "Z;N;4711;01;1;Staffel;Staffel;1;+;2;1;626;;1;45;899;",
        "D;N;4711;02;1;Beschreibung 2;TX;",
        "C;N;ARBS;4711;;3;500;Anschluss;",
        "Z;N;4711;02;3;CU;1;1;5000;20;30000;2000;",
        "C;N;WST1;4711;;2500;;1800;",
        "T;N;T4711;1;01;Langtext 1;",
        "T;N;T4711;1;02;Langtext 2;",
        "G;N;G4711;01;BI;BILD;JPG;Foto;",
        "A;N;4712;Muffe;;PCE;2;1;300;;;;;;;;;;;;;;;;;;;;",
        "B;L;4712;;;",
        "C;N;ARBS;9000;;2;50;Altartikel;",
        "B;A;9000;9001;;",
        "T;N;FREI;1;01;Freier Text;",
    };
    ASSERT_EQ(import(lines), CommandOutcome::Done);
    const std::string once = dump();
    ASSERT_EQ(article("1-4711").extralines,
              (std::vector<std::string>{"C50 10.000Montage", "C50 30.000Anschluss"}));
    ASSERT_EQ(article("1-9001").extralines,
              (std::vector<std::string>{"X1 fremde Zeile", "C50  5.000Altartikel"}));
    ASSERT_EQ(import(lines), CommandOutcome::Done);
    EXPECT_EQ(dump(), once);
}

TEST_F(ImportTwiceTest, SampleDeliveries) {
    const std::filesystem::path samples = DATANORM_SAMPLES_DIR;
    const std::vector<std::filesystem::path> files = {
        samples / "v5-halo" / "v5_texts_products_services.001",
        samples / "v5-halo" / "v5_only_texts_and_products.001",
        samples / "v5-roofing" / "DATANORM.001"};
    if (!std::filesystem::exists(files.front())) GTEST_SKIP() << "no samples";
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        ASSERT_EQ(importFile(file), CommandOutcome::Done);
        const std::string once = dump();
        ASSERT_NE(once.find("== article\n1-"), std::string::npos);  // articles were imported
        ASSERT_EQ(importFile(file), CommandOutcome::Done);
        EXPECT_EQ(dump(), once);
    }
}

}  // namespace
}  // namespace dn
