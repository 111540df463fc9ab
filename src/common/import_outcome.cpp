#include "common/import_outcome.h"

namespace dn {

FileEnding EndingOf(FileEnd end) {
    switch (end) {
        case FileEnd::EndOfFile:
            return FileEnding::ReadToEnd;
        case FileEnd::Cancelled:
            return FileEnding::Cancelled;
        case FileEnd::StoreFailed:
            return FileEnding::StoreFailed;
        case FileEnd::Stopped:
        case FileEnd::ReadError:
            return FileEnding::Failed;
    }
    return FileEnding::Failed;
}

bool ChangeLogWanted(const FileResult& file, ChangeLogWhen when) {
    if (file.ending == FileEnding::ReadToEnd) return true;
    return when == ChangeLogWhen::AlsoAfterStop && file.changed > 0;
}

void ImportResult::add(const FileResult& file) {
    FileEnding ending = file.ending;
    // Records left out make the file one that ended with an error.
    if (ending == FileEnding::ReadToEnd && file.skipped > 0) ending = FileEnding::Failed;
    if (ending > worst_) worst_ = ending;
    skipped_ += file.skipped;
    changed_ += file.changed;
    any_ = true;
}

CommandOutcome ImportResult::outcome() const {
    switch (worst_) {
        case FileEnding::ReadToEnd:
            return any_ ? CommandOutcome::Done : CommandOutcome::Cancelled;
        case FileEnding::Cancelled:
            return CommandOutcome::Cancelled;
        case FileEnding::Failed:
            return CommandOutcome::Failed;
        case FileEnding::StoreFailed:
            return CommandOutcome::DatabaseFailure;
    }
    return CommandOutcome::Failed;
}

CommandOutcome OutcomeOf(const FileResult& file) {
    ImportResult run;
    run.add(file);
    return run.outcome();
}

}  // namespace dn
