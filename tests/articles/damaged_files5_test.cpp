// Article files that are damaged or unusual: a delivery cut off inside a
// block, control bytes in keys and texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/line_rules.h"
#include "support/import_fixture5.h"

namespace dn {
namespace {

// An article line with all 29 fields.
std::string fullA(const std::string& number, const std::string& text) {
    return "A;N;" + number + ";" + text + ";;St;2;1;100;" + std::string(20, ';');
}

class Damaged5Test : public test::ImportFixture5 {
  protected:
    // Imports the bytes after the header as they are (no line end added).
    CommandOutcome importBytes(const std::string& bytes) {
        const auto file = home / "DATANORM.001";
        test::writeFile(file, std::string(kHeader) + "\r\n" + bytes);
        session->OnlineImportFiles = {file.string()};
        session->OnlineImportStatus = "0";
        host.forms.push_back(FormScript{"TUEBERNEHMEN4", {}, {}, {}});
        host.defaultAnswer = true;
        return ImportArticles5(*session, 1);
    }
};

// The block the file was cut off in is not written; the blocks before it are.
TEST_F(Damaged5Test, ACutOffFileDropsTheBlockItEndsIn) {
    const struct {
        const char* name;
        std::string tail;  // after the complete article 4711
        bool stored4712;
        std::string fault;  // empty: none
    } cases[] = {
        {"cut in a D line of the block", fullA("4712", "Muffe") + "\r\nD;N;4712;01;1;Besch", false,
         CutOffMessage(4)},
        {"cut in the key of a D line", fullA("4712", "Muffe") + "\r\nD;N;47", false,
         CutOffMessage(4)},
        {"cut in the A line of the next block", "A;N;4712;Muf", false, CutOffMessage(3)},
        {"complete last line without line end", fullA("4712", "Muffe"), true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store().deleteArticle("1-4711");
        store().deleteArticle("1-4712");
        host.messages.clear();
        const CommandOutcome outcome = importBytes(fullA("4711", "Rohr") + "\r\n" + c.tail);
        EXPECT_EQ(outcome, c.fault.empty() ? CommandOutcome::Done : CommandOutcome::Failed);
        EXPECT_TRUE(store().articleExists("1-4711"));
        EXPECT_EQ(store().articleExists("1-4712"), c.stored4712);
        bool faultShown = false;
        for (const auto& m : host.messages) faultShown |= m == c.fault;
        EXPECT_EQ(faultShown, !c.fault.empty());
    }
}

// A Windows-1252 delivery is read as such, and the protocol says so.
TEST_F(Damaged5Test, Windows1252IsRecognisedAndNamed) {
    ASSERT_EQ(import({fullA("4711", "Geh\xE4use f\xFCr \xD6l")}, {{105, "1"}}),
              CommandOutcome::Done);
    EXPECT_EQ(article("1-4711").shorttext1.substr(0, 17), "Gehäuse für Öl");
    EXPECT_NE(std::find(host.printed.begin(), host.printed.end(),
                        "Zeichensatz der Datei: Windows-1252 (ANSI)"),
              host.printed.end());
}

// NUL and other control bytes never reach a stored key or text.
TEST_F(Damaged5Test, ControlBytesBecomeBlanks) {
    std::string line = fullA(std::string("90\0 01", 6), "Rohr\tgrau\x1F");
    ASSERT_EQ(import({line}), CommandOutcome::Done);
    EXPECT_FALSE(store().articleExists("1-90"));
    ASSERT_TRUE(store().articleExists("1-90  01"));
    EXPECT_EQ(article("1-90  01").shorttext1.substr(0, 10), "Rohr grau ");
}

}  // namespace
}  // namespace dn
