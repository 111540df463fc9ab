#pragma once
// How the files of an import ended, and the one rule that turns them into
// the command's outcome (and so into the program's exit code): every
// importer reports each file it took up as a `FileResult`; the run keeps
// the most serious of them.

#include <string>

#include "common/dispatch.h"
#include "common/field_fault.h"
#include "common/file_end.h"

namespace dn {

// How the reading of one file ended, in rising seriousness as the run
// weighs them (a store error weighs most).
enum class FileEnding {
    ReadToEnd,    // every line was read
    Cancelled,    // Escape, and the question answered with yes
    Failed,       // a fault ended the file or kept it from being read; the message was shown
    StoreFailed,  // the store failed under the import
};

// The weight of the way a file's reading loop ended: a record that ended
// the file and a file that could not be read on both count as failed.
FileEnding EndingOf(FileEnd end);

struct FileResult {
    FileEnding ending = FileEnding::ReadToEnd;
    long skipped = 0;  // records left out for faulty fields; the rest of the file was read
    long changed = 0;  // records that changed the store

    // Read to its end without leaving out a record.
    bool complete() const { return ending == FileEnding::ReadToEnd && skipped == 0; }
};

// When an importer writes its change-log line for a file.
enum class ChangeLogWhen {
    AtEndOfFile,   // only for a file read to its end
    AlsoAfterStop  // also after an early stop, as long as the file changed something
};

// Whether the file gets its change-log line. A file refused before
// anything changed never gets one.
bool ChangeLogWanted(const FileResult& file, ChangeLogWhen when);

// The outcome of a run over its files: most serious first, a store error,
// then a file that ended with an error (a file with skipped records
// counts as one), then cancelling; else done.
class ImportResult {
  public:
    void add(const FileResult& file);
    // A file that could not be taken up at all (not found, not readable).
    void addRefused() { add(FileResult{FileEnding::Failed, 0, 0}); }

    CommandOutcome outcome() const;
    long skipped() const { return skipped_; }
    long changed() const { return changed_; }

  private:
    FileEnding worst_ = FileEnding::ReadToEnd;
    long skipped_ = 0;
    long changed_ = 0;
    bool any_ = false;
};

// The outcome of a command that read one file.
CommandOutcome OutcomeOf(const FileResult& file);

}  // namespace dn
