#pragma once
// Values written to the module's own files of fixed lines and fields
// (`datanorm.ini`, `lieferan.dat`): a control character there would break a
// line in two or end a field early and shift what follows, so each writer
// refuses such a value before it touches its file.

#include <filesystem>
#include <string>
#include <string_view>

namespace dn {

// C0 controls (line feed, carriage return, tab, ...), DEL and the C1
// controls of UTF-8 text.
bool hasControlCharacter(std::string_view utf8);

// Raises InputError naming the value and the file when the value holds a
// control character.
void refuseControlCharacters(std::string_view utf8, const std::string& what,
                             const std::filesystem::path& file);

}  // namespace dn
