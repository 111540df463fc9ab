#pragma once
// Exit codes of the command-line program. How the files of an import make
// the command's outcome is decided in frame/import_outcome.h (a store error
// over a failed file over cancelling over done); here each outcome gets its
// code, for every command alike.

#include "common/dispatch.h"

namespace dn::cli {

enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,         // the command ran into an error
    kExitUsage = 2,          // wrong arguments
    kExitCancelled = 3,      // cancelled, or a question without answer
    kExitDatabase = 4,       // database error: the program ended
    kExitNotBuilt = 5,       // the command is not available yet
    kExitNotForVersion = 6,  // the command does nothing for this DATANORM version
    kExitRefused = 7,        // user rights
};

int exitCodeFor(CommandOutcome outcome);

}  // namespace dn::cli
