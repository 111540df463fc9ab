// The line reader of both versions: line ends, the end-of-file byte, cut-off
// last lines, encodings, counts, the pushed-back line and read errors. Every
// case that does not depend on a record layout runs through the options of
// both versions.

#include "common/line_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "formats/dn4/dn4_lines.h"
#include "formats/dn5/edatanormfehler.h"
#include "formats/dn5/line_options5.h"
#include "host/errors.h"
#include "support/temp_dir.h"

namespace dn::test {
namespace {

struct Format {
    const char* name;
    const LineReaderOptions* options;
};
const Format kFormats[] = {{"DATANORM 4", &dn4::kLineOptions}, {"DATANORM 5", &dn5::kLineOptions}};

std::vector<std::string> readAll(LineReader& r) {
    std::vector<std::string> lines;
    std::string line;
    while (r.readLine(line)) lines.push_back(line);
    return lines;
}

TEST(LineReader, LineEndsAndEndOfFileByte) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF with last line without break", "V1\r\nA;1;\r\nX;2;", {"V1", "A;1;", "X;2;"}},
        {"CR LF", "V;050;\r\nA;N;1;\r\n", {"V;050;", "A;N;1;"}},
        {"LF", "V1\nA;1;\nB;2;\n", {"V1", "A;1;", "B;2;"}},
        {"CR LF and 0x1A", "V1\r\nA;1;\r\n\x1A", {"V1", "A;1;"}},
        {"0x1A on its own line", "V1\nA;1;\n\x1A\n", {"V1", "A;1;"}},
        {"0x1A then CR LF", "V;050;\r\n\x1A\r\n", {"V;050;"}},
        {"0x1A right after the data", "V1\nA;1;\x1A", {"V1", "A;1;"}},
        {"0x1A ends the last line", "V;050;\r\nA;N;1;\x1A", {"V;050;", "A;N;1;"}},
        {"empty lines are handed out", "V1\n\nA;1;\r\n\r\nB;2;\n", {"V1", "", "A;1;", "", "B;2;"}},
        {"empty lines first", "\r\n\r\nA;\r\n", {"", "", "A;"}},
        {"empty file", "", {}},
        {"only end-of-file byte", "\x1A", {}},
    };
    TempDir dir;
    for (const auto& format : kFormats)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(format.name) + ": " + c.name);
            writeFile(dir / "f.001", c.bytes);
            LineReader r(dir / "f.001", *format.options);
            EXPECT_EQ(readAll(r), c.lines);
            EXPECT_TRUE(r.report().faults.empty());
            EXPECT_EQ(r.bytesRead(), static_cast<std::int64_t>(c.bytes.size()));
            EXPECT_EQ(r.fileSize(), static_cast<std::int64_t>(c.bytes.size()));
        }
}

// Complete B records: all fields closed (16 in version 4, 5 in version 5).
const std::string kFullB4 = "B;N;1;" + std::string(13, ';');
const std::string kFullB5 = "B;L;1;;;";

// Damaged and unusual files: every line end counts, a cut-off last record
// and data after the end-of-file byte are reported, control bytes become
// blanks. A case with a format names the one whose records it needs.
TEST(LineReader, DamagedFilesAreNoticed) {
    const struct {
        const char* name;
        const LineReaderOptions* only;  // nullptr: both versions
        std::string bytes;
        std::vector<std::string> lines;
        std::vector<std::string> faults;
        std::string note;  // besides the code page
        std::string cut;   // the dropped last line
    } cases[] = {
        {"CR only", nullptr, "V1\rA;1;\rB;2;\r", {"V1", "A;1;", "B;2;"}, {}, "", ""},
        {"CR, CR LF and LF mixed",
         nullptr,
         "V1\rA;1;\r\n\rB;2;\n\r\n",
         {"V1", "A;1;", "", "B;2;"},
         {},
         "",
         ""},
        {"cut off inside the last record",
         &dn4::kLineOptions,
         "V1\r\n" + kFullB4 + "\r\nA;N;1;00;Rohr",
         {"V1", kFullB4},
         {CutOffMessage(3)},
         "",
         "A;N;1;00;Rohr"},
        {"cut off inside the last record",
         &dn5::kLineOptions,
         "V;050;\r\n" + kFullB5 + "\r\nA;N;1;Rohr",
         {"V;050;", kFullB5},
         {CutOffMessage(3)},
         "",
         "A;N;1;Rohr"},
        {"complete last record without line end",
         &dn4::kLineOptions,
         "V1\r\n" + kFullB4,
         {"V1", kFullB4},
         {},
         "",
         ""},
        {"complete last record without line end",
         &dn5::kLineOptions,
         "V;050;\r\n" + kFullB5,
         {"V;050;", kFullB5},
         {},
         "",
         ""},
        {"0x1A followed by data",
         nullptr,
         "V1\r\nA;1;\r\n\x1A"
         "B;2;\r\n",
         {"V1", "A;1;"},
         {EndMarkMessage(3)},
         "",
         ""},
        {"0x1A and a line end followed by data",
         nullptr,
         "V;050;\r\n\x1A\r\nA;N;1;\r\n",
         {"V;050;"},
         {EndMarkMessage(2)},
         "",
         ""},
        {"0x1A followed by line ends only",
         nullptr,
         "V;050;\r\n\x1A\r\n\x1A",
         {"V;050;"},
         {},
         "",
         ""},
        {"0x1A inside a line", nullptr, "A;1\x1A;2;\nB;3;\n", {"A;1"}, {EndMarkMessage(1)}, "", ""},
        {"control bytes",
         nullptr,
         std::string("V1\nA;N;90\0 01;\tText\x7F;\n", 22),
         {"V1", "A;N;90  01; Text ;"},
         {},
         ControlBytesNote(1, 2),
         ""},
    };
    TempDir dir;
    for (const auto& format : kFormats)
        for (const auto& c : cases) {
            if (c.only && c.only != format.options) continue;
            SCOPED_TRACE(std::string(format.name) + ": " + c.name);
            writeFile(dir / "f.001", c.bytes);
            LineReader r(dir / "f.001", *format.options);
            EXPECT_EQ(readAll(r), c.lines);
            const LineReadReport report = r.report();
            EXPECT_EQ(report.faults, c.faults);
            std::vector<std::string> notes{EncodingNote(TextEncoding::Undecided)};
            if (!c.note.empty()) notes.push_back(c.note);
            EXPECT_EQ(report.notes, notes);
            EXPECT_EQ(r.cutLine(), c.cut);
            EXPECT_EQ(r.bytesRead(), r.fileSize());
        }
}

// A line beyond the limit ends the file before it takes much memory: an
// input error in version 4, the reader's file error in version 5.
TEST(LineReader, OverlongLineIsAnError) {
    TempDir dir;
    writeFile(dir / "l.001", "V1\n" + std::string(kMaxLineLength + 10, 'x') + "\n");
    for (const auto& format : kFormats) {
        SCOPED_TRACE(format.name);
        LineReader r(dir / "l.001", *format.options);
        std::string line;
        ASSERT_TRUE(r.readLine(line));
        try {
            r.readLine(line);
            FAIL() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(format.options, &dn4::kLineOptions);
            EXPECT_EQ(std::string(e.what()), LineTooLongMessage(2));
        } catch (const edatanormfehler& e) {
            EXPECT_EQ(format.options, &dn5::kLineOptions);
            EXPECT_EQ(std::string(e.what()), LineTooLongMessage(2));
        }
    }
}

TEST(LineReader, EncodingsGiveCp850Lines) {
    const std::string cp850 =
        "A;N;1;00;Geh\x84use f\x81r \x9A"
        "berlauf;";
    const std::string utf8 = "A;N;1;00;Gehäuse für Überlauf;";
    const std::string oil = "A;N;1;Rohr f\x81r \x99l;";  // "Rohr für Öl" in CP850
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        TextEncoding encoding;
    } cases[] = {
        {"CP850 file", "V1\r\n" + cp850 + "\r\n", {"V1", cp850}, TextEncoding::Cp850},
        {"CP850 line", oil + "\r\n", {oil}, TextEncoding::Cp850},
        {"UTF-8 file", "V1\r\n" + utf8 + "\r\n", {"V1", cp850}, TextEncoding::Utf8},
        {"UTF-8 with byte-order mark",
         "\xEF\xBB\xBFV1\n" + utf8 + "\n",
         {"V1", cp850},
         TextEncoding::Utf8},
        {"UTF-8 line with byte-order mark",
         "\xEF\xBB\xBF"
         "A;N;1;Rohr für Öl;\r\n",
         {oil},
         TextEncoding::Utf8},
        {"UTF-8 file with one CP850 line",
         "V1\n" + utf8 + "\n" + cp850 + "\n" + utf8 + "\n",
         {"V1", cp850, cp850, cp850},
         TextEncoding::Utf8},
        {"ASCII only", "V1\nA;1;\n", {"V1", "A;1;"}, TextEncoding::Undecided},
        {"byte-order mark and an invalid byte",
         "\xEF\xBB\xBFV1\n" + utf8 + "\n" + cp850 + "\n",
         {"V1", cp850, cp850},
         TextEncoding::Utf8},
        {"byte-order mark and a CP850 line",
         "\xEF\xBB\xBF"
         "V;050;A;\r\nA;N;1;Rohr für Öl;\r\nA;N;2;Rohr f\x81r;\r\n",
         {"V;050;A;", oil, "A;N;2;Rohr f\x81r;"},
         TextEncoding::Utf8},
        {"Windows-1252 file",
         "V1\nA;N;1;00;Geh\xE4use f\xFCr \xDC"
         "berlauf;\n",
         {"V1", cp850},
         TextEncoding::Win1252},
        {"German letters of Windows-1252 outvote those of CP850",
         "A;N;1;Rohr f\xFCr \xD6l, Gr\xF6\xDF"
         "e;\r\n",
         {"A;N;1;Rohr f\x81r \x99l, Gr\x94\xE1"
          "e;"},
         TextEncoding::Win1252},
    };
    TempDir dir;
    for (const auto& format : kFormats)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(format.name) + ": " + c.name);
            writeFile(dir / "f.001", c.bytes);
            LineReader r(dir / "f.001", *format.options);
            EXPECT_EQ(readAll(r), c.lines);
            EXPECT_EQ(r.encoding(), c.encoding);
            EXPECT_EQ(r.isUtf8(), c.encoding == TextEncoding::Utf8);
            EXPECT_EQ(r.report().notes.front(), EncodingNote(c.encoding));
        }
    EXPECT_EQ(EncodingNote(TextEncoding::Win1252), "Zeichensatz der Datei: Windows-1252 (ANSI)");
}

// After more than the sniffed 64 KiB of ASCII the first non-ASCII line
// decides the encoding.
TEST(LineReader, LateNonAsciiLineDecides) {
    std::string ascii;
    while (ascii.size() < kSniffSize + 1000) ascii += "T;N;T1;1;01;Nur ASCII Text hier;\r\n";
    const struct {
        const char* name;
        std::string tail;
        TextEncoding encoding;
        std::vector<std::string> last;
    } cases[] = {
        {"UTF-8",
         "A;N;1;00;Gehäuse;\r\nA;N;2;00;Geh\xC3\xA4use;\r\n",
         TextEncoding::Utf8,
         {"A;N;1;00;Geh\x84use;", "A;N;2;00;Geh\x84use;"}},
        {"UTF-8 text line",
         "T;N;T1;1;02;Gr\xC3\xBC\xC3\x9F"
         "e;\r\n",
         TextEncoding::Utf8,
         {"T;N;T1;1;01;Nur ASCII Text hier;",
          "T;N;T1;1;02;Gr\x81\xE1"
          "e;"}},
        {"CP850: a UTF-8 sequence stays as the bytes are",
         "A;N;1;00;Geh\x84use;\r\nA;N;2;00;Geh\xC3\xA4use;\r\n",
         TextEncoding::Cp850,
         {"A;N;1;00;Geh\x84use;", "A;N;2;00;Geh\xC3\xA4use;"}},
    };
    TempDir dir;
    for (const auto& format : kFormats)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(format.name) + ": " + c.name);
            writeFile(dir / "f.001", ascii + c.tail);
            LineReader r(dir / "f.001", *format.options);
            const auto lines = readAll(r);
            EXPECT_EQ(r.encoding(), c.encoding);
            ASSERT_GE(lines.size(), 2u);
            EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), c.last);
        }
}

TEST(LineReader, CountsAndPushBack) {
    TempDir dir;
    writeFile(dir / "f.001", "V1\r\nA;1;\r\nB;2;\r\n");
    LineReader r(dir / "f.001", dn4::kLineOptions);
    std::string line;
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(r.lineNumber(), 1);
    EXPECT_EQ(r.bytesRead(), 4);
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line, "A;1;");
    r.pushBack(line);
    EXPECT_TRUE(r.hasPushedBack());
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line, "A;1;");
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_EQ(r.bytesRead(), 10);
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line, "B;2;");
    EXPECT_FALSE(r.readLine(line));
    EXPECT_EQ(r.bytesRead(), r.fileSize());
}

TEST(LineReader, LongLinesAndManyLinesStream) {
    TempDir dir;
    const std::string longLine = "A;N;" + std::string(200000, 'x') + ";";
    std::string bytes = longLine + "\r\n";
    const int count = 200000;
    for (int i = 0; i < count; ++i) bytes += "B;N;" + std::to_string(i) + ";\r\n";
    writeFile(dir / "big.001", bytes + "\x1A");
    LineReader r(dir / "big.001", dn4::kLineOptions);
    std::string line;
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line, longLine);
    std::string last;
    while (r.readLine(line)) last = line;
    EXPECT_EQ(r.lineNumber(), count + 1);
    EXPECT_EQ(last, "B;N;" + std::to_string(count - 1) + ";");
}

TEST(LineReader, MissingFileIsAnIoErrorWithTheVersionsText) {
    TempDir dir;
    const auto missing = dir / "fehlt.001";
    const struct {
        const LineReaderOptions* options;
        std::string message;
    } cases[] = {
        {&dn4::kLineOptions, "Datei kann nicht geöffnet werden: " + missing.string()},
        {&dn5::kLineOptions,
         "Datei " + missing.string() + " kann nicht geöffnet werden: " + std::strerror(ENOENT)},
    };
    for (const auto& c : cases) {
        try {
            LineReader r(missing, *c.options);
            FAIL() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

}  // namespace
}  // namespace dn::test
