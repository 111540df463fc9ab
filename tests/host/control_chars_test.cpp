// Control characters of delivered text are shown escaped at the program's
// edges (terminal, protocol, change log).

#include "host/control_chars.h"

#include <gtest/gtest.h>

namespace dn {
namespace {

TEST(ControlChars, EscapedButLettersAndTabsKept) {
    const struct {
        std::string in;
        LineBreaks breaks;
        std::string out;
    } cases[] = {
        {"Rohr\x1b]0;Titel\x07", LineBreaks::Keep, "Rohr\\x1B]0;Titel\\x07"},
        {"Zeile 1\rZeile 2\n", LineBreaks::Keep, "Zeile 1\nZeile 2\n"},
        {"X.rab\n10.12.2026", LineBreaks::Escape, "X.rab\\x0A10.12.2026"},
        {"a\tb\x7f", LineBreaks::Escape, "a\tb\\x7F"},
        {"Ölrohr \xc2\x9b"
         "2J Größe",
         LineBreaks::Escape, "Ölrohr \\u009B2J Größe"},
        {std::string("\0", 1), LineBreaks::Escape, "\\x00"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeControls(c.in, c.breaks), c.out) << c.out;
}

}  // namespace
}  // namespace dn
