#pragma once
// Command 62 for DATANORM 5: the number-change records (B with flag "A") of
// an article file carried into every host service, offer and measurement.

#include <string>

#include "common/dispatch.h"
#include "features/services/number_change.h"

namespace dn {

class tdatanorm5;

CommandOutcome ChangeNumbersInServices5(tdatanorm5& dn5);

// The new key of a service row or document key by the command's
// `temptabelle` (old number to new), or empty for no change ("*" kept in
// front).
std::string MapNumber5(const NumberChangeTable& temptabelle, const std::string& key);

}  // namespace dn
