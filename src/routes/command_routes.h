#pragma once
// The implementations of every command number, by DATANORM version.

#include "common/dispatch.h"

namespace dn {

CommandRoutes makeCommandRoutes();

}  // namespace dn
