#pragma once
// Text from a delivery (keys, raw records, file names) may hold control
// characters. Where text leaves the program for a terminal or a line file,
// they are shown escaped ("\x1B"), so that no escape sequence reaches a
// terminal and no line break splits a line. A tab stays a tab.
//
// Values written to the module's own files of fixed lines and fields
// (`datanorm.ini`, `lieferan.dat`) are refused instead: a control character
// there would break a line in two or end a field early and shift what
// follows, so each writer refuses such a value before it touches its file.

#include <filesystem>
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

// C0 controls (line feed, carriage return, tab, ...), DEL and the C1
// controls of UTF-8 text.
bool hasControlCharacter(std::string_view utf8);

// Raises InputError naming the value and the file when the value holds a
// control character.
void refuseControlCharacters(std::string_view utf8, const std::string& what,
                             const std::filesystem::path& file);

}  // namespace dn
