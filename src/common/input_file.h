#pragma once
// The preparation of an input file before an import reads it, shared by the
// article and text imports of every version: the drive-letter note, file
// sizes, the copy to the local temporary file "datanorm.tmp" (with
// `CopyToLocalDisk`: files on a removable or remote drive are read from the
// local disk), the free-space question and the removal of the copy at the
// end. The texts each version shows come in `InputFileTexts`.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dn {

struct Session;

struct InputFileTexts {
    // Shown when the master-data directory names neither a drive letter nor
    // a root directory.
    std::string_view noDriveLetter;
    // An empty master-data directory gets the note too.
    bool emptyHasNoDriveLetter = false;
    // Asked when the data drive has less free space than the file's size.
    std::string_view lowSpaceQuestion;
    // The copy's progress window names the whole path, not only the name.
    bool copyCaptionWithPath = false;
    // The size the free-space check assumes when the file's is unknown.
    std::uint64_t unknownSize = 0;
};

// The drive-letter note of `texts` when the master-data directory lacks one.
void CheckMasterDataDrive(Session& s, const InputFileTexts& texts);

// Size of a file in bytes; nothing when it cannot be found.
std::optional<std::uint64_t> FindFileSize(const std::filesystem::path& file);
// Size of a file in bytes; 0 when it cannot be found.
std::uint64_t FileSize(const std::filesystem::path& file);
std::uint64_t TotalSize(const std::vector<std::string>& files);

// The local copy "datanorm.tmp" in the host's temporary directory.
std::filesystem::path LocalCopyPath(const Session& s);

// The file the import reads: with `CopyToLocalDisk` the file is copied to
// the local copy first (in blocks of 64000 bytes, with a progress window);
// then the free space of the data drive is compared with the file's size.
// Nothing when the user answered no to the free-space question (the import
// stops). Raises IoError when the copy fails.
std::optional<std::filesystem::path> PrepareInputFile(Session& s, const std::filesystem::path& file,
                                                      const InputFileTexts& texts);

// Removes the local copy after the import when `CopyToLocalDisk` is on.
void RemoveLocalCopy(Session& s);

}  // namespace dn
