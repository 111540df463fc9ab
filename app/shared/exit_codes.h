#pragma once
// Exit codes of both front ends. How the files of an import make the
// command's outcome is decided in common/import_outcome.h (a store error
// over a failed file over cancelling over done); here each outcome gets its
// code, for every command alike, and so does an error that ends the
// program outside a command (the start-up, the command line's own work).

#include <exception>

#include "common/dispatch.h"

namespace dn {

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

// The code of an error that ends the program: a database error 4, a
// question nobody could answer 3, a refused value 2, any other error 1
// (a failed start-up among them).
int exitCodeForError(const std::exception& error);

}  // namespace dn
