#pragma once
// Code pages of the host's files: DATANORM texts and the module's own files
// are OEM (CP850), captions, lists and the change log are ANSI
// (Windows-1252). Everything inside the program that reaches the store or
// the screen is UTF-8.

#include <string>
#include <string_view>

namespace dn {

std::string cp850ToUtf8(std::string_view bytes);
std::string win1252ToUtf8(std::string_view bytes);
// Characters without a place in the code page become '?'.
std::string utf8ToCp850(std::string_view text);
std::string utf8ToWin1252(std::string_view text);

// The host's conversions between the OEM and the ANSI code page.
std::string asciitoansistr(std::string_view oem);
std::string ansitoasciistr(std::string_view ansi);

// True when the bytes are well-formed UTF-8 and contain at least one
// non-ASCII character: such a DATANORM file is read as UTF-8, not CP850.
bool looksLikeUtf8(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

// Upper and lower case of UTF-8 text for the letters of the code pages
// (ASCII and the Latin-1 letters, umlauts included).
std::string utf8Upper(std::string_view text);
std::string utf8Lower(std::string_view text);

// Upper and lower case of one CP850 byte: the ASCII letters and the umlauts
// ä/Ä (0x84/0x8E), ö/Ö (0x94/0x99), ü/Ü (0x81/0x9A); other bytes stay.
char upperCp850(char c);
char lowerCp850(char c);

// The short-text case conversion of the importers (CP850 bytes): lower case,
// then an upper-case letter at the start and after each separator
// (blank " * + , - . / ; \).
std::string convertCaseCp850(std::string_view text);

// Number of characters (code points) of UTF-8 text.
std::size_t utf8Length(std::string_view text);
// The first n characters of UTF-8 text.
std::string utf8Left(std::string_view text, std::size_t n);

}  // namespace dn
