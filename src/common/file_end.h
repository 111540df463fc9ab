#pragma once
// How the reading loop of one file ended, for every version's importers.
// The run weighs it as a `FileEnding` (common/import_outcome.h).

namespace dn {

enum class FileEnd {
    EndOfFile,    // every line was read
    Stopped,      // a record ended the file; its message was shown
    Cancelled,    // Escape, or the command's hook said stop
    ReadError,    // the file could not be read on (cut off, data after the end-of-file
                  // mark, a line too long, the disk); the message was shown
    StoreFailed,  // the store failed under the import
};

}  // namespace dn
