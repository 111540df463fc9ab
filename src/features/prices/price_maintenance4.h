#pragma once
// Command 41 for a version 4 supplier: price maintenance from a
// "datpreis.*" file.

#include "common/dispatch.h"

namespace dn {

struct Session;

// `PriceMaintenance4`: mode 0 asks for the file (kind p), mode 1 (online
// import) takes `PriceFilePath`.
CommandOutcome PriceMaintenance4(Session& s, int mode);

}  // namespace dn
