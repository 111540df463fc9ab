#pragma once
// Reading one of the module's own files whole. A failure names the file and
// the reason (a directory in place of the file, no permission, ...).

#include <filesystem>
#include <string>

namespace dn {

// Raises IoError "Fehler beim Lesen von FILE: REASON".
std::string readFileBytes(const std::filesystem::path& file);

// Raises the same error when the name is a directory: such a name opens
// as a stream, but reading from it fails inside the stream library.
void requirePlainFile(const std::filesystem::path& file);

}  // namespace dn
