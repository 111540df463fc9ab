#include "cli/exit_codes.h"

namespace dn::cli {

int exitCodeFor(CommandOutcome outcome) {
    switch (outcome) {
        case CommandOutcome::Done:
            return kExitDone;
        case CommandOutcome::Cancelled:
            return kExitCancelled;
        case CommandOutcome::Failed:
            return kExitFailed;
        case CommandOutcome::DatabaseFailure:
            return kExitDatabase;
        case CommandOutcome::NotBuilt:
            return kExitNotBuilt;
        case CommandOutcome::NotForVersion:
            return kExitNotForVersion;
        case CommandOutcome::BadInput:
            return kExitUsage;
        case CommandOutcome::Refused:
            return kExitRefused;
        case CommandOutcome::Busy:
            return kExitFailed;
        case CommandOutcome::Ignored:
            return kExitUsage;
    }
    return kExitFailed;
}

}  // namespace dn::cli
