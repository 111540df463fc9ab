#pragma once
// The fields of DATANORM 5 records that hold numbers (prices, price units,
// discounts, surcharge amounts, calculation values), as one table, and the
// check of a line against it. A record with a numeric field that holds no
// number is not taken over; see frame/field_fault.h.

#include <optional>
#include <span>
#include <string_view>

#include "common/field_fault.h"

namespace dn {

std::span<const NumberField> NumberFields5();

// The first numeric field of the line that is neither empty nor a number
// (dn5::parseNumber); the fault's line number is left 0 for the caller.
std::optional<FieldFault> NumberFault5(std::string_view line);

}  // namespace dn
