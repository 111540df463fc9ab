// Reading DATANORM 5 files: field lengths of UTF-8 files, the loop's ends
// and the real sample deliveries.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/line_rules.h"
#include "host/codepage.h"
#include "support/dn5_fixture.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

// A UTF-8 file whose article number has 15 characters but more bytes is read
// without an over-long field.
TEST_F(Dn5Test, Utf8FieldLengthsCountCharacters) {
    TempDir dir;
    writeFile(dir / "a.001", "V;050;A;20240131;EUR;;;;\nA;N;ÄÖÜäöüßÄÖÜäöüß;Maß;\n");
    std::string number;
    auto table = dn5::RecordTable::withHeader('A');
    table.handle('A', [&](tdatanorm5&, const dn5::Record& r) {
        number = r.utf8Field(3);
        return true;
    });
    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table), FileEnd::EndOfFile);
    EXPECT_EQ(number, "ÄÖÜäöüßÄÖÜäöüß");
    EXPECT_TRUE(dn5.fileIsUtf8());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dn5Test, LoopEndsAndCounters) {
    TempDir dir;
    writeFile(dir / "a.001", "V;050;A;20240131;EUR;\r\nA;N;1;\r\nA;N;2;\r\nA;N;3;\r\n");
    auto table = dn5::RecordTable::withHeader('A');
    int handled = 0;
    long handledLine = 0;
    table.handle('A', [&](tdatanorm5&, const dn5::Record& r) {
        handledLine = r.lineNumber();
        return ++handled < 2;
    });

    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table), FileEnd::Stopped);
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(dn5.currentLineNumber(), 3);
    EXPECT_EQ(handledLine, 3);  // the record knows its line

    int lines = 0;
    dn5::ReadHooks hooks;
    hooks.beforeLine = [&](std::uint64_t) { return ++lines <= 2; };
    handled = 0;
    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table, hooks), FileEnd::Cancelled);
    EXPECT_EQ(handled, 1);

    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", dn5::RecordTable::withHeader('P')), FileEnd::Stopped);
    EXPECT_EQ(host.messages.back(), "Keine Datanorm 5 - Preisänderungsdatei!");

    EXPECT_THROW(dn5.ReadFile5(dir / "missing.001", table), IoError);
}

TEST_F(Dn5Test, FileOfBlankLinesReadsToTheEndSilently) {
    TempDir dir;
    writeFile(dir / "b.001", "\r\n   \r\n\t\r\n");
    EXPECT_EQ(dn5.ReadFile5(dir / "b.001", dn5::RecordTable::withHeader('A')), FileEnd::EndOfFile);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dn5Test, CutOffFileAndDataAfterTheMarkEndWithAMessage) {
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"cut off", "V;050;A;20240131;EUR;\r\nE;1;\r\nA;N;1;Ro", CutOffMessage(3)},
        {"data after the mark",
         "V;050;A;20240131;EUR;\r\n\x1A"
         "A;N;1;\r\n",
         EndMarkMessage(2)},
    };
    TempDir dir;
    for (const auto& c : cases) {
        host.messages.clear();
        writeFile(dir / "c.001", c.bytes);
        int handled = 0;
        auto table = dn5::RecordTable::withHeader('A');
        table.handle('A', [&](tdatanorm5&, const dn5::Record&) { return ++handled > 0; });
        EXPECT_EQ(dn5.ReadFile5(dir / "c.001", table), FileEnd::ReadError) << c.name;
        EXPECT_EQ(handled, 0) << c.name;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.name;
    }
}

TEST_F(Dn5Test, OverlongLineEndsTheFile) {
    TempDir dir;
    writeFile(dir / "l.001",
              "V;050;A;20240131;EUR;\n" + std::string(kMaxLineLength + 10, 'x') + "\n");
    EXPECT_EQ(dn5.ReadFile5(dir / "l.001", dn5::RecordTable::withHeader('A')), FileEnd::ReadError);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(
        host.messages[0].starts_with("FEHLER in DATANORM-Datei !!!\n\nZeile 2 ist länger als"));
}

// Counts the records of a file per letter through the loop; every field of
// the layout table is read so that the length checks run on every line.
std::map<char, int> countRecords(tdatanorm5& dn5, const std::filesystem::path& file, FileEnd& end) {
    std::map<char, int> counts;
    auto table = dn5::RecordTable::withHeader('A');
    auto count = [&](tdatanorm5&, const dn5::Record& r) {
        const char letter = r.letter();
        for (const auto& f : RecordLayouts5())
            if (f.letter == letter) r.GetField5(f.field);
        ++counts[letter];
        return true;
    };
    for (char letter : {'A', 'B', 'C', 'D', 'G', 'T', 'Z'}) table.handle(letter, count);
    end = dn5.ReadFile5(file, table);
    return counts;
}

TEST_F(Dn5Test, RoofingSampleReadsCompletely) {
    const auto file = samplesDir() / "v5-roofing" / "DATANORM.001";
    if (samplesDir().empty() || !std::filesystem::exists(file)) GTEST_SKIP() << "no samples";
    FileEnd end{};
    const auto counts = countRecords(dn5, file, end);
    EXPECT_EQ(end, FileEnd::EndOfFile);
    EXPECT_EQ(counts, (std::map<char, int>{{'A', 310}, {'Z', 781}}));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    EXPECT_TRUE(dn5.FileInEuro);
    EXPECT_FALSE(dn5.fileIsUtf8());
    EXPECT_EQ(dn5.bytesRead(), std::filesystem::file_size(file));
}

TEST_F(Dn5Test, HaloSamplesWithLongTexts) {
    const auto dir = samplesDir() / "v5-halo";
    if (samplesDir().empty() || !std::filesystem::exists(dir)) GTEST_SKIP() << "no samples";
    struct Case {
        const char* file;
        std::map<char, int> counts;
    };
    const std::vector<Case> cases{
        {"v5_many_texts_few_products.001", {{'A', 3}, {'T', 26096}}},
        {"v5_first_texts_then_products.001", {{'A', 4}, {'T', 12}}},
        {"v5_only_texts_and_products.001", {{'A', 771}, {'D', 6}, {'T', 13274}}},
        {"v5_texts_products_services.001", {{'A', 21}, {'C', 2}, {'T', 1628}}},
    };
    for (const auto& c : cases) {
        FileEnd end{};
        EXPECT_EQ(countRecords(dn5, dir / c.file, end), c.counts) << c.file;
        EXPECT_EQ(end, FileEnd::EndOfFile) << c.file;
    }
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
}

}  // namespace
}  // namespace dn::test
