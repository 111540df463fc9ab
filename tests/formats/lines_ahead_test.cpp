// Lines read and converted ahead on a second thread: the same lines,
// buffers and counts as reading and converting on one thread; lines that
// need the user are converted on the importing thread.

#include <string>
#include <vector>

#include "formats/dn4/dn4_lines_ahead.h"
#include "host/errors.h"
#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

bool sameBuffers(const Dn4Reader& a, const Dn4Reader& b) {
    return a.record().bytes() == b.record().bytes() &&
           a.priceRecord().bytes() == b.priceRecord().bytes() &&
           a.setRecord().bytes() == b.setRecord().bytes() &&
           a.setRecord2().bytes() == b.setRecord2().bytes();
}

// Every record kind, empty lines, an over-long article number and a P
// record (price companion) repeated across many small chunks.
std::string mixedFile(int articles) {
    std::string bytes = headerLine() + "\r\nK;;4711;\r\n";
    for (int i = 0; i < articles; ++i) {
        const std::string n = std::to_string(i);
        bytes += "A;N;A" + n + ";00;Rohr " + n + ";Kupfer;1;0;St;00001234;R1;100;;\r\n";
        bytes += "B;N;A" + n + ";Match;;;;;;;;;;;;;\r\n";
        bytes += "D;N;A" + n + ";1;;;Zeile;2;;;;\r\n";
        if (i % 7 == 0) bytes += "\r\n";
        if (i % 11 == 0) bytes += "P;A;A" + n + ";1;00001500;;;;;;;;;;;\r\n";
        if (i % 50 == 25)
            bytes += "A;N;" + std::string(20, 'X') + ";00;Zu lang;;1;0;St;1;R1;100;;\r\n";
    }
    return bytes;
}

TEST_F(Dn4Test, LinesAheadGiveTheLinesAndConversionsOfOneThread) {
    TempDir dir;
    writeFile(dir / "f.001", mixedFile(200));
    session.AllowOverlongFields = true;
    host.defaultAnswer = true;

    ScriptedHost oneHost;
    oneHost.defaultAnswer = true;
    Session oneSession{oneHost};
    oneSession.AllowOverlongFields = true;
    Dn4Reader one{oneSession};
    LineReader oneLines(dir / "f.001", dn4::kLineOptions);

    dn4::LinesAhead ahead(dir / "f.001", 7, 2);
    std::string line, oneLine;
    int count = 0;
    while (ahead.readLine(line)) {
        ASSERT_TRUE(oneLines.readLine(oneLine));
        ASSERT_EQ(line, oneLine);
        EXPECT_EQ(ahead.bytesRead(), oneLines.bytesRead());
        EXPECT_EQ(ahead.lineNumber(), oneLines.lineNumber());
        ASSERT_EQ(ahead.convert(reader, line), one.ConvertDn4Line(oneLine));
        ASSERT_TRUE(sameBuffers(reader, one)) << "line " << oneLines.lineNumber();
        ++count;
    }
    EXPECT_FALSE(oneLines.readLine(oneLine));
    EXPECT_EQ(ahead.bytesRead(), oneLines.fileSize());
    EXPECT_GT(count, 600);
    EXPECT_TRUE(reader.HeaderSeen());
    EXPECT_EQ(reader.currency(), "EUR");
    // The over-long numbers were asked about on this thread, once each.
    EXPECT_EQ(host.questions, oneHost.questions);
    EXPECT_EQ(host.questions.size(), 4u);
}

TEST_F(Dn4Test, LinesAheadLeaveRefusalsToTheImporter) {
    TempDir dir;
    writeFile(dir / "f.001", "A;N;1;00;Rohr;\r\n" + headerLine() + "\r\n");
    dn4::LinesAhead ahead(dir / "f.001");
    std::string line;
    ASSERT_TRUE(ahead.readLine(line));
    EXPECT_FALSE(ahead.convert(reader, line));
    EXPECT_EQ(host.messages, std::vector<std::string>{kMsgHeaderMissing});

    // Without /KA an over-long field ends the file with its message.
    writeFile(dir / "g.001", headerLine() + "\r\nA;N;" + std::string(16, '1') + ";00;Rohr;\r\n");
    dn4::LinesAhead ahead2(dir / "g.001");
    Dn4Reader fresh{session};
    ASSERT_TRUE(ahead2.readLine(line));
    ASSERT_TRUE(ahead2.convert(fresh, line));
    ASSERT_TRUE(ahead2.readLine(line));
    EXPECT_FALSE(ahead2.convert(fresh, line));
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(Dn4Test, LinesAheadPushBackAndStopEarly) {
    TempDir dir;
    writeFile(dir / "f.001", mixedFile(5000));
    {
        dn4::LinesAhead ahead(dir / "f.001", 16, 2);
        std::string line;
        ASSERT_TRUE(ahead.readLine(line));
        ASSERT_TRUE(ahead.readLine(line));
        EXPECT_EQ(line, "K;;4711;");
        const auto bytes = ahead.bytesRead();
        ahead.pushBack(line);
        std::string again;
        ASSERT_TRUE(ahead.readLine(again));
        EXPECT_EQ(again, "K;;4711;");
        EXPECT_EQ(ahead.bytesRead(), bytes);
        ASSERT_TRUE(ahead.readLine(line));
        EXPECT_EQ(line.substr(0, 6), "A;N;A0");
    }  // the reading thread is stopped with most of the file unread
    EXPECT_THROW({ dn4::LinesAhead missing(dir / "fehlt.001"); }, IoError);
}

}  // namespace
}  // namespace dn::test
