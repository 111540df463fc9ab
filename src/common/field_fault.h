#pragma once
// A numeric field of a record that holds no number. Such a record is not
// taken over (the stored values stay as they were); the import notes it in
// the protocol and goes on with the next record. The importers count the
// skipped records of a file, name the count in their closing message and
// end the command as failed when it is not 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dn {

struct FieldFault {
    std::int64_t lineNumber = 0;  // physical line of the file, from 1
    char letter = ' ';            // record letter
    int field = 0;                // field number in the line, from 1
    std::string text;             // the field as found, CP850 bytes
};

// A field of a record kind that holds a number (the readers' tables of
// numeric fields).
struct NumberField {
    char letter;
    std::string_view subtype;  // the record's subtype field (trimmed); empty = any
    int field;
    // The field holds a number only when field `whenField` (trimmed) is one
    // of the values in `when` ("|"-separated); 0 = always.
    int whenField = 0;
    std::string_view when = {};
};

// The record letters a table of numeric fields names, built with it.
class NumberLetters {
  public:
    template <std::size_t N>
    constexpr explicit NumberLetters(const NumberField (&table)[N]) {
        for (const auto& f : table) has_[static_cast<unsigned char>(f.letter)] = true;
    }
    constexpr bool has(char letter) const { return has_[static_cast<unsigned char>(letter)]; }

  private:
    std::array<bool, 256> has_{};
};

// Whether `value` is one of the "|"-separated alternatives of `list` (the
// condition of a number field that counts only for some flags: "1|2|3").
bool IsOneOf(std::string_view value, std::string_view list);

// "Zeile 12: P-Satz, Feld 5 ist keine Zahl: "12O00" - Satz übersprungen!"
// (UTF-8; control bytes of the field shown as "?", the field cut to 40).
std::string FieldFaultLine(const FieldFault& fault);

// "1 Satz wegen fehlerhafter Felder übersprungen!" /
// "N Sätze wegen fehlerhafter Felder übersprungen!"
std::string SkippedRecordsText(long count);

// The same as a further part of a closing message (after an empty line),
// empty when none was skipped.
std::string SkippedNote(long skipped);

// The closing message with the skipped records added after an empty line
// when there are any.
std::string WithSkippedRecords(const std::string& message, long skipped);

}  // namespace dn
