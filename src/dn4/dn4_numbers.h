#pragma once
// The fields of DATANORM 4 records that the importers read as numbers
// (prices and amounts in cents, discounts, quantities, metal values), as one
// table, and the check of a line's fields against it. A record with such a
// field that holds no number is not taken over; see frame/field_fault.h.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "frame/field_fault.h"

namespace dn {

struct Dn4NumberField {
    char letter;
    std::string_view subtype;  // C: field 3, Z: field 5 (trimmed); empty = any
    int field;
    // The field holds a number only when field `whenField` (trimmed) is one
    // of the values in `when` ("|"-separated); 0 = always.
    int whenField = 0;
    std::string_view when = {};
};

std::span<const Dn4NumberField> Dn4NumberFields();

// The first numeric field that is neither empty nor blank nor a whole number
// with an optional sign (blanks around it allowed). `fields` is the result
// of SplitFields for the line; the fault's line number is left 0.
std::optional<FieldFault> Dn4NumberFault(const std::vector<std::string_view>& fields);

}  // namespace dn
