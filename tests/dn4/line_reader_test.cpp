// The streaming line reader: line ends, the end-of-file byte, encodings,
// counts and the pushed-back line.

#include <string>
#include <vector>

#include "dn4_fixture.h"
#include "host/errors.h"

namespace dn::test {
namespace {

std::vector<std::string> readAll(Dn4LineReader& r) {
    std::vector<std::string> lines;
    std::string line;
    while (r.readLine(line)) lines.push_back(line);
    return lines;
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(Dn4LineReader, LineEndsAndEndOfFileByte) {
    const std::vector<FileCase> cases{
        {"CR LF with last line without break", "V1\r\nA;1;\r\nX;2;", {"V1", "A;1;", "X;2;"}},
        {"LF", "V1\nA;1;\nB;2;\n", {"V1", "A;1;", "B;2;"}},
        {"CR LF and 0x1A", "V1\r\nA;1;\r\n\x1A", {"V1", "A;1;"}},
        {"0x1A on its own line", "V1\nA;1;\n\x1A\n", {"V1", "A;1;"}},
        {"0x1A right after the data", "V1\nA;1;\x1A", {"V1", "A;1;"}},
        {"empty lines are handed out", "V1\n\nA;1;\r\n\r\nB;2;\n", {"V1", "", "A;1;", "", "B;2;"}},
        {"empty file", "", {}},
        {"only end-of-file byte", "\x1A", {}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "f.001", c.bytes);
        Dn4LineReader r(dir / "f.001");
        EXPECT_EQ(readAll(r), c.lines);
        EXPECT_EQ(r.bytesRead(), static_cast<std::int64_t>(c.bytes.size()));
        EXPECT_EQ(r.fileSize(), static_cast<std::int64_t>(c.bytes.size()));
    }
}

// A complete B record: all 16 fields closed.
const std::string kFullB = "B;N;1;" + std::string(13, ';');

// Damaged and unusual files: every line end counts, a cut-off last record
// and data after the end-of-file byte are reported, control bytes become
// blanks.
TEST(Dn4LineReader, DamagedFilesAreNoticed) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        std::vector<std::string> faults;
        std::string note;  // besides the code page
    } cases[] = {
        {"CR only", "V1\rA;1;\rB;2;\r", {"V1", "A;1;", "B;2;"}, {}, ""},
        {"CR, CR LF and LF mixed", "V1\rA;1;\r\n\rB;2;\n\r\n", {"V1", "A;1;", "", "B;2;"}, {}, ""},
        {"cut off inside the last record",
         "V1\r\n" + kFullB + "\r\nA;N;1;00;Rohr",
         {"V1", kFullB},
         {CutOffMessage(3)},
         ""},
        {"complete last record without line end", "V1\r\n" + kFullB, {"V1", kFullB}, {}, ""},
        {"0x1A followed by data",
         "V1\r\nA;1;\r\n\x1A"
         "B;2;\r\n",
         {"V1", "A;1;"},
         {EndMarkMessage(3)},
         ""},
        {"0x1A inside a line", "A;1\x1A;2;\nB;3;\n", {"A;1"}, {EndMarkMessage(1)}, ""},
        {"control bytes",
         std::string("V1\nA;N;90\0 01;\tText\x7F;\n", 22),
         {"V1", "A;N;90  01; Text ;"},
         {},
         ControlBytesNote(1, 2)},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "f.001", c.bytes);
        Dn4LineReader r(dir / "f.001");
        EXPECT_EQ(readAll(r), c.lines);
        const LineReadReport report = r.report();
        EXPECT_EQ(report.faults, c.faults);
        std::vector<std::string> notes{EncodingNote(TextEncoding::Undecided)};
        if (!c.note.empty()) notes.push_back(c.note);
        EXPECT_EQ(report.notes, notes);
        EXPECT_EQ(r.bytesRead(), r.fileSize());
    }
}

// A line beyond the limit ends the file before it takes much memory.
TEST(Dn4LineReader, OverlongLineIsAnError) {
    TempDir dir;
    writeFile(dir / "l.001", "V1\n" + std::string(kMaxLineLength + 10, 'x') + "\n");
    Dn4LineReader r(dir / "l.001");
    std::string line;
    ASSERT_TRUE(r.readLine(line));
    try {
        r.readLine(line);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(std::string(e.what()), LineTooLongMessage(2));
    }
}

TEST(Dn4LineReader, EncodingsGiveCp850Lines) {
    const std::string cp850 =
        "A;N;1;00;Geh\x84use f\x81r \x9A"
        "berlauf;";
    const std::string utf8 = "A;N;1;00;Gehäuse für Überlauf;";
    const std::vector<std::pair<FileCase, TextEncoding>> cases{
        {{"CP850 file", "V1\r\n" + cp850 + "\r\n", {"V1", cp850}}, TextEncoding::Cp850},
        {{"UTF-8 file", "V1\r\n" + utf8 + "\r\n", {"V1", cp850}}, TextEncoding::Utf8},
        {{"UTF-8 with byte-order mark", "\xEF\xBB\xBFV1\n" + utf8 + "\n", {"V1", cp850}},
         TextEncoding::Utf8},
        {{"UTF-8 file with one CP850 line",
          "V1\n" + utf8 + "\n" + cp850 + "\n" + utf8 + "\n",
          {"V1", cp850, cp850, cp850}},
         TextEncoding::Utf8},
        {{"ASCII only", "V1\nA;1;\n", {"V1", "A;1;"}}, TextEncoding::Undecided},
        {{"byte-order mark and an invalid byte",
          "\xEF\xBB\xBFV1\n" + utf8 + "\n" + cp850 + "\n",
          {"V1", cp850, cp850}},
         TextEncoding::Utf8},
        {{"Windows-1252 file",
          "V1\nA;N;1;00;Geh\xE4use f\xFCr \xDC"
          "berlauf;\n",
          {"V1", cp850}},
         TextEncoding::Win1252},
    };
    TempDir dir;
    for (const auto& [c, encoding] : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "f.001", c.bytes);
        Dn4LineReader r(dir / "f.001");
        EXPECT_EQ(readAll(r), c.lines);
        EXPECT_EQ(r.encoding(), encoding);
        EXPECT_EQ(r.report().notes.front(), EncodingNote(encoding));
    }
    EXPECT_EQ(dn4ToUtf8(cp850), utf8);
}

// After more than the sniffed 64 KiB of ASCII the first non-ASCII line
// decides the encoding.
TEST(Dn4LineReader, LateNonAsciiLineDecides) {
    std::string ascii;
    while (ascii.size() < 70000) ascii += "A;N;4711;00;Rohr;\r\n";
    TempDir dir;
    writeFile(dir / "u.001", ascii + "A;N;1;00;Gehäuse;\r\nA;N;2;00;Geh\xC3\xA4use;\r\n");
    Dn4LineReader u(dir / "u.001");
    auto lines = readAll(u);
    EXPECT_EQ(u.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(lines[lines.size() - 2], "A;N;1;00;Geh\x84use;");
    EXPECT_EQ(lines.back(), "A;N;2;00;Geh\x84use;");

    writeFile(dir / "c.001", ascii + "A;N;1;00;Geh\x84use;\r\nA;N;2;00;Geh\xC3\xA4use;\r\n");
    Dn4LineReader c(dir / "c.001");
    lines = readAll(c);
    EXPECT_EQ(c.encoding(), TextEncoding::Cp850);
    EXPECT_EQ(lines.back(), "A;N;2;00;Geh\xC3\xA4use;");  // stays as the bytes are
}

TEST(Dn4LineReader, CountsAndPushBack) {
    TempDir dir;
    writeFile(dir / "f.001", "V1\r\nA;1;\r\nB;2;\r\n");
    Dn4LineReader r(dir / "f.001");
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

TEST(Dn4LineReader, LongLinesAndManyLinesStream) {
    TempDir dir;
    const std::string longLine = "A;N;" + std::string(200000, 'x') + ";";
    std::string bytes = longLine + "\r\n";
    const int count = 200000;
    for (int i = 0; i < count; ++i) bytes += "B;N;" + std::to_string(i) + ";\r\n";
    writeFile(dir / "big.001", bytes + "\x1A");
    Dn4LineReader r(dir / "big.001");
    std::string line;
    ASSERT_TRUE(r.readLine(line));
    EXPECT_EQ(line, longLine);
    std::string last;
    while (r.readLine(line)) last = line;
    EXPECT_EQ(r.lineNumber(), count + 1);
    EXPECT_EQ(last, "B;N;" + std::to_string(count - 1) + ";");
}

TEST(Dn4LineReader, MissingFileIsAnIoError) {
    TempDir dir;
    EXPECT_THROW(Dn4LineReader(dir / "fehlt.001"), IoError);
}

}  // namespace
}  // namespace dn::test
