#pragma once
// Command 34 for DATANORM 4 and 3: sets from "datasets.*" (DATANORM 4) or
// the typed file "datasets" (DATANORM 3) taken over as host services or
// bills of material.

#include "common/dispatch.h"

namespace dn {

struct Session;

CommandOutcome ImportSets4(Session& s);
CommandOutcome ImportSets3(Session& s);

}  // namespace dn
