// Reading the real DATANORM 4 deliveries of the sample folder.

#include <map>
#include <string>
#include <vector>

#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

struct ReadResult {
    bool ok = true;
    std::map<char, int> types;
    std::vector<std::string> shortTexts;  // UTF-8, trimmed: A records' text 1 and 2
    std::string lastLine;
    TextEncoding encoding = TextEncoding::Undecided;
    bool allBytesRead = false;
};

std::string trimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

class Dn4SamplesTest : public Dn4Test {
  protected:
    void SetUp() override {
        if (samplesDir().empty()) GTEST_SKIP() << "no sample deliveries";
    }

    ReadResult readSample(const std::string& name) {
        ReadResult r;
        const auto path = samplesDir() / name;
        if (!std::filesystem::exists(path)) {
            ADD_FAILURE() << "missing sample " << name;
            return r;
        }
        LineReader lines(path, dn4::kLineOptions);
        Dn4Reader fileReader(session);
        std::string line;
        while (lines.readLine(line)) {
            r.lastLine = line;
            if (!fileReader.ConvertDn4Line(line)) {
                r.ok = false;
                break;
            }
            const auto& rec = fileReader.record();
            ++r.types[rec.type()];
            if (rec.type() == 'A') {
                r.shortTexts.push_back(trimRight(dn4ToUtf8(rec.at(dnpos::ShortText1, 40))));
                r.shortTexts.push_back(trimRight(dn4ToUtf8(rec.at(dnpos::ShortText2, 40))));
            }
            lastRecord = rec;
            lastPrice = fileReader.priceRecord();
        }
        r.encoding = lines.encoding();
        r.allBytesRead = lines.bytesRead() == lines.fileSize();
        return r;
    }

    bool hasText(const ReadResult& r, const std::string& text) {
        for (const auto& t : r.shortTexts)
            if (t.find(text) != std::string::npos) return true;
        return false;
    }

    DnRecord lastRecord;
    PriceRecordBuffer lastPrice;
};

TEST_F(Dn4SamplesTest, DemoFileWithEndOfFileByte) {
    auto r = readSample("v4-demo/DATANORM.001");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.types['V'], 1);
    EXPECT_EQ(r.types['A'], 19);
    EXPECT_EQ(r.types['B'], 19);
    EXPECT_EQ(r.types.size(), 3u);  // the 0x1A is no record
    EXPECT_EQ(r.encoding, TextEncoding::Cp850);
    EXPECT_TRUE(r.allBytesRead);
    EXPECT_TRUE(hasText(r, "Rinnenblech für Überlaufstein (D)"));
    EXPECT_TRUE(hasText(r, "Blechwinkel *außen* folienbeschichtet 5"));
    EXPECT_EQ(lastRecord.type(), 'B');
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dn4SamplesTest, Utf8FileOfHalo) {
    auto r = readSample("v4-halo/v4_text_product_and_extra.001");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.encoding, TextEncoding::Utf8);
    EXPECT_EQ(r.types['T'], 4);
    EXPECT_EQ(r.types['A'], 1);
    EXPECT_EQ(r.types['B'], 1);
    EXPECT_EQ(r.shortTexts, (std::vector<std::string>{"Aufbewahrungspult", "ABP"}));
    // The last line's fields are all there.
    EXPECT_EQ(lastRecord.type(), 'B');
    EXPECT_EQ(lastRecord.at(48, 6), "250   ");
    EXPECT_EQ(lastRecord.at(dnpos::QuantityPerPrice, 5), "1    ");
}

TEST_F(Dn4SamplesTest, HaloUmlautsInUtf8TextLines) {
    LineReader lines(samplesDir() / "v4-halo/v4_with_empty_lines_and_invalid_tags.001",
                     dn4::kLineOptions);
    std::string line;
    std::map<char, int> types;
    std::vector<std::string> texts;
    while (lines.readLine(line)) {
        ASSERT_TRUE(reader.ConvertDn4Line(line)) << line;
        ++types[reader.record().type()];
        if (reader.record().type() == 'T')
            texts.push_back(trimRight(dn4ToUtf8(reader.record().at(80, 40))));
    }
    EXPECT_EQ(types['\0'], 3);  // empty lines skipped
    EXPECT_EQ(types['X'], 1);   // unknown letter read without fields
    EXPECT_EQ(types['T'], 3);
    EXPECT_EQ(texts.at(0), "Pultgehäuse mit Klappdeckel aus");
}

TEST_F(Dn4SamplesTest, LfFilesOfFahrjo) {
    auto r = readSample("v4-fahrjo/datanorm_test.001");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.types['A'], 1);
    EXPECT_EQ(r.types['B'], 1);
    EXPECT_TRUE(hasText(r, "MCS316 415V 3TE 50Hz Zusatzeinr.mögl"));
    EXPECT_EQ(lastRecord.at(64, 13), "3250614315336");

    r = readSample("v4-fahrjo/datanorm_2_test.001");  // last line without line break
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.types['A'], 1);
    EXPECT_EQ(r.types['B'], 1);
    EXPECT_EQ(lastRecord.at(99, 2), "90");
    EXPECT_EQ(lastRecord.at(dnpos::QuantityPerPrice, 5), "1    ");
    EXPECT_EQ(lastRecord.at(106, 4), "    ");  // the last field " " is whole
    EXPECT_TRUE(r.allBytesRead);

    r = readSample("v4-fahrjo/datpreis_test.001");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.types['P'], 4);
    EXPECT_EQ(lastPrice.at(dnpos::PriceBlock + 2 * dnpos::PriceBlockSize, 15), pad("996835", 15));
    EXPECT_EQ(lastPrice.at(dnpos::PriceBlock + 2 * dnpos::PriceBlockSize + 16, 8), "6500    ");
    EXPECT_EQ(lastPrice.at(dnpos::PriceBlock + 2 * dnpos::PriceBlockSize + 35, 4), "0   ");

    r = readSample("v4-fahrjo/datanorm_test.WRG");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.encoding, TextEncoding::Win1252);  // "Installationsgeräte" with the byte 0xE4
    EXPECT_EQ(r.types['S'], 3);
    EXPECT_EQ(r.types['W'], 1);
    EXPECT_EQ(lastRecord.at(6, 14), "Gummileitungen");
}

TEST_F(Dn4SamplesTest, HaloPriceFile) {
    auto r = readSample("v4-halo/v4_datpreis.001");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.types['K'], 1);
    EXPECT_EQ(r.types['c'], 1);
    EXPECT_EQ(r.types['P'], 1);
    EXPECT_EQ(lastPrice.at(dnpos::PriceBlock, 15), pad("RG6040640U1", 15));
    EXPECT_EQ(lastPrice.at(dnpos::PriceBlock + 16, 8), "85700   ");
}

}  // namespace
}  // namespace dn::test
