#pragma once
// The fields of DATANORM 4 records that the importers read as numbers
// (prices and amounts in cents, discounts, quantities, metal values), as one
// table, and the check of a line's fields against it. A record with such a
// field that holds no number is not taken over; see frame/field_fault.h.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "common/field_fault.h"

namespace dn {

std::span<const NumberField> Dn4NumberFields();

// The first numeric field that is neither empty nor blank nor a whole number
// with an optional sign (blanks around it allowed). `fields` is the result
// of SplitFields for the line; the fault's line number is left 0.
std::optional<FieldFault> Dn4NumberFault(const std::vector<std::string_view>& fields);

}  // namespace dn
