#pragma once
// Command 35: the minutes file "minuten" of the current supplier sets the
// assembly minutes of articles or the minutes and wage amounts of services.
//
// "minuten" is a typed file of 130-byte records in the DATANORM 3 source
// directory; each record holds six entries of 20 characters from position
// 1: the article or service number (15) and the time in tenths of a minute
// (5 digits). Entries with a blank number are skipped.

#include <string>
#include <string_view>

#include "common/dispatch.h"

namespace dn {

struct Session;

CommandOutcome ImportMinutes(Session& s);

struct MinutesEntry {
    std::string number;  // trimmed, UTF-8; empty for a blank entry
    double minutes = 0;  // the tenths / 10
};

// Entry i (0..5) of a record's bytes (CP850).
MinutesEntry minutesEntry(std::string_view record, int i);

}  // namespace dn
