#pragma once
// Command 34 for DATANORM 5: the sets of a J file ("Leistungs-/
// Stücklistendatei") taken over as host services or bills of material.

#include "common/dispatch.h"

namespace dn {

class tdatanorm5;
struct SetLine;
namespace dn5 {
class Record;
}

CommandOutcome ImportSets5(tdatanorm5& dn5);

// The set line of a J record (short or long format); the quantity is the
// field's number in thousandths.
SetLine setLineOf5(const dn5::Record& record);

}  // namespace dn
