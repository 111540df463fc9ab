#pragma once
// One line of a DATANORM 5 file as a value: its text (CP850, trimmed), its
// line number, and the field access with its checks. The record handlers of
// every version 5 command receive it; everything they read of the line they
// read through it.
//
// How a field is checked is the run's field policy, built once when a file
// is read: the header check (a line beginning with "V" must begin with
// "V;050;") and the decision about a field longer than its maximum (end the
// file, or with "/KA" ask whether it is cut).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/field_fault.h"

namespace dn {
class HostServices;
}

namespace dn::dn5 {

class FieldPolicy {
  public:
    // allowOverlong is the "/KA" switch; ui asks about a cut.
    FieldPolicy(bool allowOverlong, HostServices& ui) : allowOverlong_(allowOverlong), ui_(&ui) {}

    // Field n of the line, checked against max. Raises edatanormfehler for
    // a line that begins with "V" but not with "V;050;", and for a field
    // longer than max unless over-long fields are allowed and the user
    // accepts the cut (then the field is cut to max).
    std::string field(std::string_view line, int n, std::size_t max) const;

  private:
    bool allowOverlong_;
    HostServices* ui_;
};

class Record {
  public:
    Record(std::string text, long lineNumber, FieldPolicy policy)
        : text_(std::move(text)), lineNumber_(lineNumber), policy_(policy) {}

    const std::string& line() const { return text_; }
    long lineNumber() const { return lineNumber_; }
    // The record letter (the first character), ' ' for an empty line.
    char letter() const { return text_.empty() ? ' ' : text_.front(); }
    const FieldPolicy& policy() const { return policy_; }
    // Gives the text back, so that the reader's buffer is used again.
    std::string takeLine() && { return std::move(text_); }

    // Field n (from 1; field 1 is the record letter), checked against max.
    std::string GetField5(int n, std::size_t max) const;
    // The same with the maximum of the record layout table.
    std::string GetField5(int n) const;
    // The field as UTF-8 text.
    std::string utf8Field(int n, std::size_t max) const;
    std::string utf8Field(int n) const;
    // 0 for an empty field, else the number rounded to a whole number.
    std::int32_t GetInteger5(int n, std::size_t max) const;
    std::int32_t GetInteger5(int n) const;
    // 0 for an empty field, else the number.
    double GetReal5(int n, std::size_t max) const;
    double GetReal5(int n) const;
    // An amount field: the file writes hundredths, "894" is 8.94.
    double amount(int n, std::size_t max) const;
    double amount(int n) const;
    // True when the field holds more than blanks.
    bool present(int n) const;

    // The first numeric field that holds no number, with this record's
    // line number; none when every numeric field is empty or a number.
    std::optional<FieldFault> numberFault() const;

  private:
    std::string text_;
    long lineNumber_;
    FieldPolicy policy_;
};

}  // namespace dn::dn5
