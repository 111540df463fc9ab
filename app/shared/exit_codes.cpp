#include "shared/exit_codes.h"

#include "host/errors.h"

namespace dn {

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

int exitCodeForError(const std::exception& error) {
    if (dynamic_cast<const DatabaseError*>(&error)) return kExitDatabase;
    if (dynamic_cast<const UnansweredQuestion*>(&error)) return kExitCancelled;
    if (dynamic_cast<const InputError*>(&error)) return kExitUsage;
    return kExitFailed;
}

}  // namespace dn
