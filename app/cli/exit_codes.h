#pragma once
// Exit codes of the command-line program.

#include "frame/dispatch.h"

namespace dn::cli {

enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,        // the command ran into an error
    kExitUsage = 2,         // wrong arguments
    kExitCancelled = 3,     // cancelled, or a question without answer
    kExitDatabase = 4,      // database error: the program ended
    kExitNotBuilt = 5,      // the command is not available yet
    kExitNotForVersion = 6, // the command does nothing for this DATANORM version
    kExitRefused = 7,       // user rights
};

int exitCodeFor(CommandOutcome outcome);

}  // namespace dn::cli
