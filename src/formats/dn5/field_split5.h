#pragma once
// Splitting a DATANORM 5 line into its ";"-separated fields and reading the
// numbers in them. Works on raw single-byte text (CP850).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dn::dn5 {

// Field n (counted from 1; field 1 is the record letter) of the whole line,
// however long it is. A field beyond the end of the line is empty; a last
// field that no ";" follows is taken whole.
std::string_view fieldOf(std::string_view line, int n);

// The text without leading and trailing control characters and blanks.
std::string_view trim(std::string_view text);

// A number as DATANORM 5 files write it: blanks around it, an optional sign,
// digits and at most one decimal point. Empty text and anything else (a
// decimal comma, an exponent, blanks or letters among the digits) give no
// value.
std::optional<double> parseNumber(std::string_view text);

// The number rounded half away from zero, held within the 32-bit range.
std::int32_t roundToInt32(double value);
// A field as a whole number that way; 0 for an empty or faulty field.
std::int32_t integerOf(std::string_view text);

// CP850 bytes as UTF-8. Most fields are plain ASCII, which stays as it is
// and is copied whole instead of converted byte by byte.
std::string utf8Of(std::string_view cp850);

}  // namespace dn::dn5
