#pragma once
// The implementations of every command number, by DATANORM version: the one
// place where the features' commands are entered for the dispatcher.

#include "common/dispatch.h"

namespace dn {

CommandRoutes makeCommandRoutes();

}  // namespace dn
