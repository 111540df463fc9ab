#pragma once
// Command 62 for DATANORM 5: the number-change records (B with flag "A") of
// an article file carried into every host service, offer and measurement.

#include <string>

#include "common/dispatch.h"

namespace dn {

class tdatanorm5;

CommandOutcome ChangeNumbersInServices5(tdatanorm5& dn5);

// The new key of a service row or document key by the data module's
// `temptabelle`, or empty for no change ("*" kept in front).
std::string MapNumber5(const tdatanorm5& dn5, const std::string& key);

}  // namespace dn
