#pragma once
// The file handling shared by the DATANORM 5 imports: the drive-letter
// note, the summed sizes, the copy to the local temporary file and the
// free-space question.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dn {

struct Session;

// "Stammdatenpfad ohne Laufwerksbuchstabe!" when the master-data directory
// names neither a drive letter nor a root directory.
void CheckMasterDataDrive5(Session& s);

// Size of a file in bytes; 0 when it cannot be found.
std::uint64_t FileSize5(const std::filesystem::path& file);
std::uint64_t TotalSize5(const std::vector<std::string>& files);

// The local copy "datanorm.tmp" in the host's temporary directory.
std::filesystem::path LocalCopyPath5(const Session& s);

// The file the import reads: with `CopyToLocalDisk` the file is copied to
// the local copy first (in blocks of 64000 bytes, with a progress window);
// then the free space of the data drive is compared with the file's size.
// Nothing when the user answered no to the free-space question (the import
// stops). Raises IoError when the copy fails.
std::optional<std::filesystem::path> PrepareInputFile5(Session& s,
                                                       const std::filesystem::path& file);

// Removes the local copy after the import when `CopyToLocalDisk` is on.
void RemoveLocalCopy5(Session& s);

}  // namespace dn
