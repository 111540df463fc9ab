// Reading DATANORM 5 files: line ends, end-of-file mark, code pages, the
// loop's ends and the real sample deliveries.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dn5_fixture.h"
#include "formats/dn5/line_reader5.h"
#include "host/codepage.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

std::vector<std::string> readAll(const std::filesystem::path& p, bool* utf8 = nullptr) {
    LineReader5 reader(p);
    std::vector<std::string> lines;
    std::string l;
    while (reader.next(l)) lines.push_back(l);
    if (utf8) *utf8 = reader.isUtf8();
    EXPECT_EQ(reader.bytesRead(), std::filesystem::file_size(p));
    return lines;
}

TEST(LineReader5, LineEndsAndEndOfFileMark) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        {"CR LF", "V;050;\r\nA;N;1;\r\n", {"V;050;", "A;N;1;"}},
        {"LF", "V;050;\nA;N;1;\n", {"V;050;", "A;N;1;"}},
        {"last line without line end", "V;050;\r\nK;4711", {"V;050;", "K;4711"}},
        {"0x1A after the last line", "V;050;\r\nA;N;1;\r\n\x1A", {"V;050;", "A;N;1;"}},
        {"0x1A then CR LF", "V;050;\r\n\x1A\r\n", {"V;050;"}},
        {"0x1A ends the last line", "V;050;\r\nA;N;1;\x1A", {"V;050;", "A;N;1;"}},
        {"empty lines are lines", "\r\n\r\nA;\r\n", {"", "", "A;"}},
        {"empty file", "", {}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        writeFile(dir / "f.001", c.bytes);
        EXPECT_EQ(readAll(dir / "f.001"), c.lines) << c.name;
    }
}

// Damaged and unusual files: every line end counts, a cut-off last record
// and data after the end-of-file mark are reported, control bytes become
// blanks.
TEST(LineReader5, DamagedFilesAreNoticed) {
    const std::string fullB = "B;L;1;;;";  // B needs five fields
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        std::vector<std::string> faults;
        std::string note;  // besides the code page
    } cases[] = {
        {"CR only", "V;050;\rA;N;1;\rB;L;1;\r", {"V;050;", "A;N;1;", "B;L;1;"}, {}, ""},
        {"CR, CR LF and LF mixed",
         "V;050;\rA;N;1;\r\n\rB;L;1;\n",
         {"V;050;", "A;N;1;", "", "B;L;1;"},
         {},
         ""},
        {"cut off inside the last record",
         "V;050;\r\n" + fullB + "\r\nA;N;1;Rohr",
         {"V;050;", fullB},
         {CutOffMessage(3)},
         ""},
        {"complete last record without line end", "V;050;\r\n" + fullB, {"V;050;", fullB}, {}, ""},
        {"0x1A followed by data",
         "V;050;\r\n\x1A\r\nA;N;1;\r\n",
         {"V;050;"},
         {EndMarkMessage(2)},
         ""},
        {"0x1A followed by line ends only", "V;050;\r\n\x1A\r\n\x1A", {"V;050;"}, {}, ""},
        {"control bytes",
         std::string("V;050;\nA;N;90\0 01;\tRohr\x7F;\n", 26),
         {"V;050;", "A;N;90  01; Rohr ;"},
         {},
         ControlBytesNote(1, 2)},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "f.001", c.bytes);
        LineReader5 reader(dir / "f.001");
        std::vector<std::string> lines;
        std::string l;
        while (reader.next(l)) lines.push_back(l);
        EXPECT_EQ(lines, c.lines);
        const LineReadReport report = reader.report();
        EXPECT_EQ(report.faults, c.faults);
        std::vector<std::string> notes{EncodingNote(TextEncoding::Undecided)};
        if (!c.note.empty()) notes.push_back(c.note);
        EXPECT_EQ(report.notes, notes);
        EXPECT_EQ(reader.bytesRead(), std::filesystem::file_size(dir / "f.001"));
    }
}

TEST(LineReader5, CodePageIsRecognised) {
    TempDir dir;
    // "Rohr für Öl" in CP850 and in UTF-8 (with a byte-order mark).
    writeFile(dir / "cp850.001", "A;N;1;Rohr f\x81r \x99l;\r\n");
    writeFile(dir / "utf8.001",
              "\xEF\xBB\xBF"
              "A;N;1;Rohr für Öl;\r\n");
    writeFile(dir / "ascii.001", "A;N;1;Rohr;\r\n");
    bool utf8 = true;
    EXPECT_EQ(readAll(dir / "cp850.001", &utf8),
              std::vector<std::string>{"A;N;1;Rohr f\x81r \x99l;"});
    EXPECT_FALSE(utf8);
    EXPECT_EQ(readAll(dir / "utf8.001", &utf8),
              std::vector<std::string>{"A;N;1;Rohr f\x81r \x99l;"});
    EXPECT_TRUE(utf8);
    readAll(dir / "ascii.001", &utf8);
    EXPECT_FALSE(utf8);

    // A byte-order mark means UTF-8 even when a byte after it is not.
    writeFile(dir / "bom.001",
              "\xEF\xBB\xBF"
              "V;050;A;\r\nA;N;1;Rohr für Öl;\r\nA;N;2;Rohr f\x81r;\r\n");
    EXPECT_EQ(
        readAll(dir / "bom.001", &utf8),
        (std::vector<std::string>{"V;050;A;", "A;N;1;Rohr f\x81r \x99l;", "A;N;2;Rohr f\x81r;"}));
    EXPECT_TRUE(utf8);
    // German letters of Windows-1252 outvote those of CP850.
    writeFile(dir / "ansi.001",
              "A;N;1;Rohr f\xFCr \xD6l, Gr\xF6\xDF"
              "e;\r\n");
    LineReader5 ansi(dir / "ansi.001");
    std::string line;
    ASSERT_TRUE(ansi.next(line));
    EXPECT_EQ(line,
              "A;N;1;Rohr f\x81r \x99l, Gr\x94\xE1"
              "e;");
    EXPECT_EQ(ansi.encoding(), TextEncoding::Win1252);
    EXPECT_EQ(ansi.report().notes.front(), "Zeichensatz der Datei: Windows-1252 (ANSI)");
}

TEST(LineReader5, Utf8AfterTheFirstBlockIsStillRecognised) {
    TempDir dir;
    std::string bytes;
    while (bytes.size() < LineReader5::kSniffSize + 1000)
        bytes += "T;N;T1;1;01;Nur ASCII Text hier;\r\n";
    bytes +=
        "T;N;T1;1;02;Gr\xC3\xBC\xC3\x9F"
        "e;\r\n";  // "Grüße" in UTF-8
    writeFile(dir / "late.001", bytes);
    bool utf8 = false;
    const auto lines = readAll(dir / "late.001", &utf8);
    EXPECT_TRUE(utf8);
    EXPECT_EQ(lines.back(),
              "T;N;T1;1;02;Gr\x81\xE1"
              "e;");
}

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
    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table), FileEnd5::EndOfFile);
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

    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table), FileEnd5::Stopped);
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(dn5.currentLineNumber(), 3);
    EXPECT_EQ(handledLine, 3);  // the record knows its line

    int lines = 0;
    ReadHooks5 hooks;
    hooks.beforeLine = [&](std::uint64_t) { return ++lines <= 2; };
    handled = 0;
    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", table, hooks), FileEnd5::Cancelled);
    EXPECT_EQ(handled, 1);

    EXPECT_EQ(dn5.ReadFile5(dir / "a.001", dn5::RecordTable::withHeader('P')), FileEnd5::Stopped);
    EXPECT_EQ(host.messages.back(), "Keine Datanorm 5 - Preisänderungsdatei!");

    EXPECT_THROW(dn5.ReadFile5(dir / "missing.001", table), IoError);
}

TEST_F(Dn5Test, FileOfBlankLinesReadsToTheEndSilently) {
    TempDir dir;
    writeFile(dir / "b.001", "\r\n   \r\n\t\r\n");
    EXPECT_EQ(dn5.ReadFile5(dir / "b.001", dn5::RecordTable::withHeader('A')), FileEnd5::EndOfFile);
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
        EXPECT_EQ(dn5.ReadFile5(dir / "c.001", table), FileEnd5::ReadError) << c.name;
        EXPECT_EQ(handled, 0) << c.name;
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message}) << c.name;
    }
}

TEST_F(Dn5Test, OverlongLineEndsTheFile) {
    TempDir dir;
    writeFile(dir / "l.001",
              "V;050;A;20240131;EUR;\n" + std::string(LineReader5::kMaxLine + 10, 'x') + "\n");
    EXPECT_EQ(dn5.ReadFile5(dir / "l.001", dn5::RecordTable::withHeader('A')), FileEnd5::ReadError);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(
        host.messages[0].starts_with("FEHLER in DATANORM-Datei !!!\n\nZeile 2 ist länger als"));
}

// Counts the records of a file per letter through the loop; every field of
// the layout table is read so that the length checks run on every line.
std::map<char, int> countRecords(tdatanorm5& dn5, const std::filesystem::path& file,
                                 FileEnd5& end) {
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
    FileEnd5 end{};
    const auto counts = countRecords(dn5, file, end);
    EXPECT_EQ(end, FileEnd5::EndOfFile);
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
        FileEnd5 end{};
        EXPECT_EQ(countRecords(dn5, dir / c.file, end), c.counts) << c.file;
        EXPECT_EQ(end, FileEnd5::EndOfFile) << c.file;
    }
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
}

}  // namespace
}  // namespace dn::test
