#pragma once
// Choosing the input files of an import by file kind in the supplier's
// source directory; fills `OnlineImportFiles`.

#include <string>

namespace dn {

struct Session;

// The file-name pattern of a kind: "datanorm.*", "datasets.*", ...; the
// fixed names "datanorm.rab" and "datanorm.wrg" for 'r' and 'w'.
std::string FileKindPattern(char fileKind);

// Lets the user choose the file(s) of a kind. Returns false when the choice
// was cancelled or failed (the caller ends its command without changes).
// On success `OnlineImportFiles` holds the full paths, the first one being
// the import's input name; for price maintenance it is also stored as
// `PriceFilePath`.
bool ChooseImportFiles(Session& s, char fileKind);

}  // namespace dn
