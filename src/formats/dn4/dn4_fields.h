#pragma once
// Field access of DATANORM 4 lines: fields separated by ";", field 1 is the
// record letter.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dn {

struct Session;

// Field N (from 1) of the line: the text between the (N-1)-th and the N-th
// ";". A field beyond the last ";" of a short line is empty. A last field
// that no ";" follows is taken whole, and the line is not cut at 255
// characters. The view points into `line`.
std::string_view GetField(int n, std::string_view line);

// Takes field N of the line into `destination` (its size is the field's
// width), padded with blanks; an empty field leaves the destination as it
// is. An over-long field stops the import with a message, or, with
// `AllowOverlongFields` ("/KA"), is cut to the width after the user agreed.
// The result tells whether the import may go on; the destination is filled
// in both cases.
bool TakeField(Session& s, std::string_view line, int n, std::span<char> destination);

// All fields of the line at once, the same views GetField gives:
// `fields[n]` is field n (index 0 stays empty). The vector is reused.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

// Field n of SplitFields' result; empty beyond the last field.
std::string_view FieldOf(const std::vector<std::string_view>& fields, int n);

// Puts a field that fits into `destination`, padded with blanks; an empty
// field leaves the destination as it is.
void PutField(std::string_view field, std::span<char> destination);

// TakeField with field n taken from SplitFields' result of the same line.
bool TakeField(Session& s, std::string_view line, const std::vector<std::string_view>& fields,
               int n, std::span<char> destination);

// The message texts of an over-long field (UTF-8, lines separated by "\n").
// `line` and `field` are CP850 bytes.
std::string overlongFieldQuestion(std::string_view line, std::string_view cutField);
std::string overlongFieldMessage(std::string_view line, std::string_view field);

}  // namespace dn
