#pragma once
// Choosing the input files of an import by file kind in the supplier's
// source directory; fills `OnlineImportFiles`.

#include <string>

namespace dn {

struct Session;

// The file-name pattern of a kind: "datanorm.*", "datasets.*", ...; the
// fixed names "datanorm.rab" and "datanorm.wrg" for 'r' and 'w'.
std::string FileKindPattern(char fileKind);

// The fixed file of kind 'r' or 'w' in a directory, in the case the
// directory holds it ("DATANORM.RAB" as well as "datanorm.rab").
std::string FixedFilePath(const std::string& directory, char fileKind);

// Lets the user choose the file(s) of a kind. Returns false when the choice
// was cancelled or failed (the caller ends its command without changes);
// it fails with "Pfad nicht gefunden!" when the source directory does not
// exist, before any chooser opens.
// On success `OnlineImportFiles` holds the full paths, the first one being
// the import's input name; for price maintenance it is also stored as
// `PriceFilePath`. Files named beforehand (the command line's --file) win
// over the fixed names and need no source directory; more of them than the
// command reads raise InputError, as does one that does not exist.
bool ChooseImportFiles(Session& s, char fileKind);
// The same in a source directory the caller has already built (so that the
// sub-directory question is asked once).
bool ChooseImportFiles(Session& s, char fileKind, const std::string& directory);

}  // namespace dn
