#pragma once
// The DATANORM 4 article import (command 33 for a version 4 supplier).

#include <string>

#include "common/dispatch.h"

namespace dn {

struct Session;

// `ImportArticles4`: mode 0 asks for the files (kind a), mode 1 (online
// import) takes `OnlineImportFiles` and marks each file read to its end in
// `OnlineImportStatus`. Both modes show the options dialog first.
CommandOutcome ImportArticles4(Session& s, int mode);

// The final message of a run.
std::string importedMessage4(long count);

}  // namespace dn
