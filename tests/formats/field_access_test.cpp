// Field access of a record: splitting, numbers, amounts, the header
// check and the over-long field rule.

#include <algorithm>
#include <string>
#include <vector>

#include "formats/dn5/field_split5.h"
#include "host/codepage.h"
#include "support/dn5_fixture.h"

namespace dn::test {
namespace {

// An A record with all 29 fields filled to their maximum length: it runs far
// past 255 characters.
std::string fullArticleLine() {
    std::string l = "A";
    for (int n = 2; n <= 29; ++n) {
        const std::size_t max = FieldMax5('A', "", n);
        const char fill = static_cast<char>('a' + (n % 26));
        l += ";" + std::string(max, fill);
    }
    return l + ";";
}

TEST_F(Dn5Test, FieldsAreCutFromTheWholeLine) {
    struct Case {
        const char* name;
        std::string line;
        int n;
        std::string expected;
    };
    const std::string full = fullArticleLine();
    ASSERT_GT(full.size(), 255u);
    const std::vector<Case> cases{
        {"letter", "A;N;4711;Rohr;", 1, "A"},
        {"article number", "A;N;4711;Rohr;", 3, "4711"},
        {"empty field between separators", "A;N;;Rohr;", 3, ""},
        {"field beyond the line", "A;N;4711;Rohr;", 9, ""},
        {"last field without separator taken whole", "A;N;4711;Rohr", 4, "Rohr"},
        {"blanks are kept", "T;N;T1;1;02; ;", 6, " "},
        {"field 24 of a full A record", full, 24, std::string(15, 'y')},
        {"field 29 of a full A record", full, 29, "d"},
    };
    for (const auto& c : cases) {
        line(c.line);
        EXPECT_EQ(rec().GetField5(c.n), c.expected) << c.name;
    }
}

TEST_F(Dn5Test, ArticleLineWithFourFieldsGivesEmptyPrice) {
    line("A;N;4711;Rohr");
    EXPECT_EQ(rec().GetField5(3, 15), "4711");
    EXPECT_EQ(rec().GetField5(9, 10), "");
    EXPECT_EQ(rec().GetInteger5(9, 10), 0);
    EXPECT_FALSE(rec().present(9));
}

TEST_F(Dn5Test, NumbersAndAmountsInHundredths) {
    struct Case {
        std::string field;
        double real;
        std::int32_t integer;
        double amount;
    };
    const std::vector<Case> cases{
        {"894", 894, 894, 8.94},
        {"123450", 123450, 123450, 1234.50},
        {"", 0, 0, 0},
        {" 12 ", 12, 12, 0.12},
        {"12.6", 12.6, 13, 0.126},
        {"-250", -250, -250, -2.50},
        {"abc", 0, 0, 0},
        {"0000001", 1, 1, 0.01},
    };
    for (const auto& c : cases) {
        line("P;4711;1;1;" + c.field + ";");
        EXPECT_DOUBLE_EQ(rec().GetReal5(5, 10), c.real) << c.field;
        EXPECT_EQ(rec().GetInteger5(5, 10), c.integer) << c.field;
        EXPECT_DOUBLE_EQ(rec().amount(5, 10), c.amount) << c.field;
    }
}

TEST_F(Dn5Test, TextFieldsComeOutAsUtf8) {
    line(
        "A;N;4711;Fl\x84"
        "che f\x81r Rohr;");  // CP850 ä, ü
    EXPECT_EQ(rec().GetField5(4).size(), 15u);
    EXPECT_EQ(rec().utf8Field(4), "Fläche für Rohr");
}

TEST_F(Dn5Test, HeaderOfAnotherVersionFailsOnEveryFieldAccess) {
    const std::string message = "Keine DATANORM 5.0 Datei!\n\nDie Übernahme wird abgebrochen.";
    line("V;040;A;20240131;EUR;;;;");
    for (int n : {1, 3, 8}) EXPECT_EQ(errorOf([&] { rec().GetField5(n, 40); }), message) << n;
    line("V;050;A;20240131;EUR;;;;");
    EXPECT_EQ(errorOf([&] { rec().GetField5(3, 1); }), "");
}

const std::string kOverlongLine = "A;N;1234567890123456;Rohr;";
const std::string kOverlongHead =
    "FEHLER in DATANORM-Datei !!!\n\nFeldlängenüberschreitung bei:\n\"1234567890123456\"\n"
    "Ist-Länge: 16\nMax-Länge: 15\n\n";

TEST_F(Dn5Test, OverlongFieldEndsTheFileWithoutKA) {
    line(kOverlongLine);
    EXPECT_EQ(errorOf([&] { rec().GetField5(3); }),
              kOverlongHead + "Die Übernahme wird abgebrochen!\n\n" + kOverlongLine);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(Dn5Test, OverlongFieldWithKAAsks) {
    session.AllowOverlongFields = true;
    line(kOverlongLine);
    host.answers = {true, false};
    EXPECT_EQ(rec().GetField5(3), "123456789012345");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(
        host.questions[0],
        kOverlongHead + "Wollen Sie die Daten trotzdem weiter übernehmen?\n\n" + kOverlongLine);
    EXPECT_EQ(errorOf([&] { rec().GetField5(3); }), "FEHLER in DATANORM-Datei");
}

// Records are values: each answers for its own line, also when it is kept
// beyond the line that followed it, and a numeric fault names its line.
TEST_F(Dn5Test, RecordsAnswerForTheirOwnLine) {
    const dn5::FieldPolicy policy(false, host);
    const dn5::Record price("P;4711;1;1;8x94;", 7, policy);
    std::vector<dn5::Record> kept{dn5::Record("A;N;4711;Rohr;", 3, policy)};
    kept.push_back(dn5::Record("A;N;4712;Muffe;", 4, policy));
    EXPECT_EQ(kept[0].GetField5(3), "4711");
    EXPECT_EQ(kept[1].utf8Field(4), "Muffe");
    EXPECT_EQ(kept[1].lineNumber(), 4);
    EXPECT_FALSE(kept[0].numberFault());
    const auto fault = price.numberFault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->lineNumber, 7);
    EXPECT_EQ(fault->field, 5);
}

// The over-long decision is the policy's, fixed when the record was read:
// "/KA" switched on afterwards does not turn the error into a question.
TEST_F(Dn5Test, OverlongDecisionIsThePolicyOfTheRun) {
    line(kOverlongLine);
    session.AllowOverlongFields = true;
    EXPECT_NE(errorOf([&] { rec().GetField5(3); }), "");
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(Dn5Test, OverlongMessageIsCutTo255Characters) {
    line("V;050;A;20240101;EUR;" + std::string(300, 'x') + ";");
    const std::string message = errorOf([&] { rec().GetField5(6); });
    const std::string end = "Die Übernahme wird abgebrochen!\n\n";
    const auto pos = message.find(end);
    ASSERT_NE(pos, std::string::npos);
    EXPECT_EQ(utf8Length(message.substr(0, pos)), 255u);
}

// Every field of the layout table is enforced: at its maximum it is read,
// one character more ends the file.
TEST_F(Dn5Test, EveryLayoutFieldIsEnforced) {
    for (const auto& f : RecordLayouts5()) {
        std::vector<std::string> fields(30, "");
        fields[1] = std::string(1, f.letter);
        if (f.letter == 'V') fields[2] = "050";
        const int subtypeField = SubtypeField5(f.letter);
        if (!f.subtype.empty())
            fields[subtypeField] = f.subtype == "short" ? "K" : std::string(f.subtype);
        auto build = [&](std::size_t len) {
            auto copy = fields;
            copy[f.field] = std::string(len, '9');
            std::string l = copy[1];
            for (int n = 2; n < 30; ++n) l += ";" + copy[n];
            return l;
        };
        const std::string atMax = build(f.max);
        const std::string label =
            std::string(1, f.letter) + std::string(f.subtype) + ":" + std::to_string(f.field);
        line(atMax);
        EXPECT_EQ(rec().GetField5(f.field).size(), f.max) << label;
        line(build(f.max + 1));
        const std::string error = errorOf([&] { rec().GetField5(f.field); });
        EXPECT_TRUE(
            error.starts_with("FEHLER in DATANORM-Datei !!!\n\nFeldlängenüberschreitung bei:\n\"" +
                              std::string(std::min<std::size_t>(f.max + 1, 100), '9')))
            << label;
    }
}

TEST(RecordLayout5, SubtypesChooseTheLayout) {
    struct Case {
        char letter;
        std::string_view subtype;
        int field;
        std::size_t max;
    };
    const std::vector<Case> cases{
        {'A', "", 3, 15},
        {'A', "", 29, 1},
        {'A', "", 30, kNoFieldLimit5},
        {'C', "WST1", 6, 8},
        {'C', "WST2", 6, 14},
        {'C', "ARBS", 8, 15},
        {'C', "ES01", 6, kNoFieldLimit5},
        {'C', "ES01", 4, 15},
        {'Z', "1", 12, 10},
        {'Z', "2", 11, 10},
        {'Z', "3", 6, 2},
        {'Z', "9", 4, kNoFieldLimit5},
        {'J', "L", 7, 40},
        {'J', "", 7, 15},
        {'J', "K", 8, 7},
        {'T', "", 5, kNoFieldLimit5},
        {'T', "", 6, 70},
        {'P', "", 12, 4},
        {'E', "", 2, kNoFieldLimit5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldMax5(c.letter, c.subtype, c.field), c.max)
            << c.letter << c.subtype << c.field;
}

TEST(FieldSplit5, NumberSyntax) {
    EXPECT_EQ(dn5::parseNumber("8.94"), 8.94);
    EXPECT_EQ(dn5::parseNumber(" 1234.50 "), 1234.5);
    EXPECT_EQ(dn5::parseNumber("+5"), 5.0);
    EXPECT_EQ(dn5::parseNumber("-5"), -5.0);
    for (const char* bad :
         {"8,94", "1,2,3", "-", "  ", "12O00", "12a", "1e3", "1 000", "n/a", "1.2.3"})
        EXPECT_FALSE(dn5::parseNumber(bad)) << bad;
}

}  // namespace
}  // namespace dn::test
