#include "common/field_fault.h"

#include "host/codepage.h"

namespace dn {

namespace {

constexpr std::size_t kShownField = 40;

std::string shown(std::string_view cp850) {
    std::string bytes(cp850.substr(0, kShownField));
    for (char& c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return cp850ToUtf8(bytes);
}

}  // namespace

bool IsOneOf(std::string_view value, std::string_view list) {
    for (;;) {
        const auto bar = list.find('|');
        if (value == list.substr(0, bar)) return true;
        if (bar == std::string_view::npos) return false;
        list.remove_prefix(bar + 1);
    }
}

std::string FieldFaultLine(const FieldFault& fault) {
    return "Zeile " + std::to_string(fault.lineNumber) + ": " + std::string(1, fault.letter) +
           "-Satz, Feld " + std::to_string(fault.field) + " ist keine Zahl: \"" +
           shown(fault.text) + "\" - Satz übersprungen!";
}

std::string SkippedRecordsText(long count) {
    return std::to_string(count) + (count == 1 ? " Satz" : " Sätze") +
           " wegen fehlerhafter Felder übersprungen!";
}

std::string SkippedNote(long skipped) {
    return skipped > 0 ? "\n\n" + SkippedRecordsText(skipped) : std::string();
}

std::string WithSkippedRecords(const std::string& message, long skipped) {
    return message + SkippedNote(skipped);
}

}  // namespace dn
