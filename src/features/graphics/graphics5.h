#pragma once
// Graphics management of DATANORM 5 suppliers: command 371 copies the
// supplier's picture files into the host's picture directory, command 372
// builds the graphics index of all numbered suppliers.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/dispatch.h"

namespace dn {

struct Session;

// The supplier's folder below the picture directory: the prefix without its
// last character, trimmed, its first two characters padded to two with "0"
// on the left ("5-" gives "05", "12-" gives "12").
std::string SupplierPictureFolder(std::string_view articlePrefix);

// The host's picture directory: master-data directory + "bilder".
std::filesystem::path PictureDirectory(const Session& s);

// The picture-file extensions copied, in this order.
const std::vector<std::string>& PictureExtensions();

// Copies one file over the target by way of a temporary file beside it,
// which is renamed over the target only when the copy is whole. A
// read-only target is replaced. On failure the target is untouched and
// the message tells why.
bool CopyPictureFile5(const std::filesystem::path& from, const std::filesystem::path& to,
                      std::string& message);

// Command 371 "&Grafiken Kopieren".
CommandOutcome CopyGraphics5(Session& s);
// Command 372: the index of every supplier "1-" to "99-".
CommandOutcome RebuildGraphicsIndexAll5(Session& s);

// Builds the graphics index for each (prefix, folder): the prefix's entries
// are replaced by those binding lines of its articles whose file exists in
// the folder below the picture directory. Returns the entries written.
std::size_t BuildGraphicsIndex5(
    Session& s, const std::vector<std::pair<std::string, std::string>>& prefixFolders);

}  // namespace dn
