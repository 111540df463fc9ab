#pragma once
// The dialogs "Laufwerk wechseln" (command 61) and "Diverse Parameter"
// (command 63), which change the settings and rewrite `datanorm.ini`.

#include "common/dispatch.h"

namespace dn {

struct Session;

CommandOutcome DriveDialog(Session& s);
CommandOutcome ParameterDialog(Session& s);

// Binds the fixed DATANORM 3 files again by the source-directory rule.
void bindDn3Files(Session& s);

}  // namespace dn
