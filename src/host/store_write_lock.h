#pragma once
// The lock file beside a store file that lets one writing command at a time
// work on the store. The lock is the system's (flock) on the open file, so
// it ends with the process, also when the process is killed; the file's
// contents only name the holder for the message of the refused command.

#include <filesystem>
#include <memory>
#include <string>

#include "host/store.h"

namespace dn {

// "<store file>.lock".
std::filesystem::path writeLockFile(const std::filesystem::path& storeFile);

// Takes the lock at once or raises StoreBusyError naming the command and
// process that hold it. IoError when the lock file cannot be opened.
std::unique_ptr<StoreWriteClaim> lockStoreForWriting(const std::filesystem::path& storeFile,
                                                     const std::string& command);

}  // namespace dn
