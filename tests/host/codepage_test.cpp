#include "host/codepage.h"

#include <gtest/gtest.h>

namespace dn {
namespace {

struct Case {
    const char* name;
    std::string bytes;
    std::string utf8;
};

TEST(Codepage, Cp850RoundTrip) {
    const Case cases[] = {
        {"umlauts", "\x84\x94\x81\x8E\x99\x9A\xE1", "äöüÄÖÜß"},
        {"ascii", "Kupferrohr 15x1", "Kupferrohr 15x1"},
        {"degree and micro", "\xF8\xE6", "°µ"},
        {"box drawing", "\xC4\xB3", "─│"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp850ToUtf8(c.bytes), c.utf8) << c.name;
        EXPECT_EQ(utf8ToCp850(c.utf8), c.bytes) << c.name;
    }
}

TEST(Codepage, Win1252AndTheHostConversions) {
    EXPECT_EQ(win1252ToUtf8("\x80 \xE4\xDF"), "€ äß");
    EXPECT_EQ(utf8ToWin1252("Übernahme €"),
              "\xDC"
              "bernahme \x80");
    // OEM to ANSI and back.
    EXPECT_EQ(asciitoansistr("\x84\x94\x81"), "\xE4\xF6\xFC");
    EXPECT_EQ(ansitoasciistr("\xE4\xF6\xFC"), "\x84\x94\x81");
    // What a code page cannot hold becomes '?'.
    EXPECT_EQ(utf8ToCp850("€"), "?");
}

TEST(Codepage, Utf8Detection) {
    EXPECT_TRUE(
        looksLikeUtf8("Stra\xC3\x9F"
                      "e"));
    EXPECT_FALSE(
        looksLikeUtf8("Stra\xE1"
                      "e"));                     // CP850 ß
    EXPECT_FALSE(looksLikeUtf8("plain ascii"));  // nothing to tell
    EXPECT_FALSE(isValidUtf8("\xC3"));           // cut sequence
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));       // overlong
}

TEST(Codepage, CaseAndLength) {
    EXPECT_EQ(utf8Upper("größe äb"), "GRÖßE ÄB");
    EXPECT_EQ(utf8Lower("ÄRGER Öl"), "ärger öl");
    EXPECT_EQ(utf8Length("äöü"), 3u);
    EXPECT_EQ(utf8Left("äöüx", 2), "äö");
}

// The short-text case conversion on CP850 bytes, as both article imports
// apply it.
TEST(Codepage, ShortTextCaseConversion) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"KUPFERROHR 15X1", "Kupferrohr 15x1"},
                 {"KUPFERROHR 15X1-HART/WEICH", "Kupferrohr 15x1-Hart/Weich"},
                 {"t-stück/muffe", "T-Stück/Muffe"},
                 {"ÖL-ABSCHEIDER", "Öl-Abscheider"},
                 {"ÜBERGANG", "Übergang"},  // CP850 Ü stays upper at the start
                 {"a\"b*c+d,e.f;g\\h", "A\"B*C+D,E.F;G\\H"}};
    for (const auto& c : cases)
        EXPECT_EQ(cp850ToUtf8(convertCaseCp850(utf8ToCp850(c.in))), c.out) << c.in;
    EXPECT_EQ(convertCaseCp850("\x9A"
                               "BERGANG"),
              "\x9A"
              "bergang");
    EXPECT_EQ(upperCp850('\x84'), '\x8E');
    EXPECT_EQ(lowerCp850('\x99'), '\x94');
}

}  // namespace
}  // namespace dn
