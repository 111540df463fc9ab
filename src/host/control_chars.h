#pragma once
// Text from a delivery (keys, raw records, file names) may hold control
// characters. Where text leaves the program for a terminal or a line file,
// they are shown escaped ("\x1B"), so that no escape sequence reaches a
// terminal and no line break splits a line. A tab stays a tab.

#include <string>
#include <string_view>

namespace dn {

enum class LineBreaks {
    Keep,    // CR and LF break a message into lines (CR becomes LF)
    Escape,  // the text is one line: CR and LF are escaped too
};

// C0 controls but tab, DEL, and the C1 controls (U+0080 to U+009F) of
// UTF-8 text escaped.
std::string EscapeControls(std::string_view utf8, LineBreaks breaks);

}  // namespace dn
