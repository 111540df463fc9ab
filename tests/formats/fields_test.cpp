// Field access of DATANORM 4 lines and the over-long field rule.

#include <string>
#include <vector>

#include "support/dn4_fixture.h"

namespace dn::test {
namespace {

TEST(GetField, CutsFieldsBetweenSeparators) {
    struct Case {
        const char* name;
        std::string line;
        int n;
        std::string expected;
    };
    const std::string longLine = "A;N;" + std::string(300, 'x') + ";Ende";
    const std::vector<Case> cases{
        {"letter", "A;N;4711;Rohr;", 1, "A"},
        {"article number", "A;N;4711;Rohr;", 3, "4711"},
        {"empty field between separators", "A;N;;Rohr;", 3, ""},
        {"blank field is not empty", "A;N; ;Rohr;", 3, " "},
        {"field after the last separator", "A;N;4711;Rohr;", 5, ""},
        {"field beyond a short line", "A;N;", 9, ""},
        {"last field without separator is whole", "A;N;4711;Rohr", 4, "Rohr"},
        {"single character last field", "A;N;4711;R", 4, "R"},
        {"line without separator", "X", 1, "X"},
        {"empty line", "", 1, ""},
        {"field number zero", "A;N;", 0, ""},
        {"fields past 255 characters", longLine, 4, "Ende"},
        {"field longer than 255 characters", longLine, 3, std::string(300, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(GetField(c.n, c.line), c.expected) << c.name;
}

// "ü" of CP850 in the line shows as UTF-8 in the message.
const std::string kLongNumberLine = "A;N;1234567890123456;00;R\x81hre;";

std::string expectedText(const std::string& field, const std::string& ending) {
    return "FEHLER in DATANORM-Datei !!!\nA;N;1234567890123456;00;Rühre;\n\n"
           "Feldlängenüberschreitung bei:\n\"" +
           field + "\"\nFeldlänge: " + std::to_string(field.size()) + "\n\n" + ending;
}

TEST_F(Dn4Test, OverlongFieldStopsWithoutKA) {
    std::string dest(15, '\0');
    EXPECT_FALSE(TakeField(session, kLongNumberLine, 3, dest));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              expectedText("1234567890123456", "Die Übernahme wird abgebrochen!"));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(dest, "123456789012345");  // filled also after the failure
}

TEST_F(Dn4Test, OverlongFieldWithKAAsksAndTakesTheCutField) {
    session.AllowOverlongFields = true;
    for (bool answer : {true, false}) {
        host.questions.clear();
        host.answers = {answer};
        std::string dest(15, '\0');
        EXPECT_EQ(TakeField(session, kLongNumberLine, 3, dest), answer);
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(
            host.questions[0],
            expectedText("123456789012345", "Wollen Sie die Daten trotzdem weiter übernehmen?"));
        EXPECT_EQ(dest, "123456789012345");
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Dn4Test, TakeFieldPadsAndLeavesEmptyFieldsAlone) {
    std::string dest(8, '\0');
    EXPECT_TRUE(TakeField(session, "A;N;47;;", 3, dest));
    EXPECT_EQ(dest, "47      ");
    std::string untouched(8, '#');
    EXPECT_TRUE(TakeField(session, "A;N;47;;", 4, untouched));
    EXPECT_EQ(untouched, "########");
    EXPECT_TRUE(TakeField(session, "A;N;12345678", 3, dest));  // exactly the width
    EXPECT_EQ(dest, "12345678");
}

TEST_F(Dn4Test, SixteenCharacterArticleNumberInARecord) {
    readHeader();
    const std::string line = "A;N;ABCDEFGHIJKLMNOP;00;Rohr;";
    EXPECT_FALSE(reader.ConvertDn4Line(line));
    EXPECT_EQ(host.messages.size(), 1u);

    session.AllowOverlongFields = true;
    host.answers = {true};
    ASSERT_TRUE(reader.ConvertDn4Line(line));
    EXPECT_EQ(reader.record().at(dnpos::ArticleNumber, 15), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(reader.record().at(dnpos::ShortText1, 4), "Rohr");  // later fields are taken

    host.answers = {false};
    EXPECT_FALSE(reader.ConvertDn4Line("A;N;ABCDEFGHIJKLMNOP;00;" + std::string(41, 'x') + ";"));
    EXPECT_EQ(host.questions.size(), 2u);  // no second question for the same line
}

}  // namespace
}  // namespace dn::test
