#pragma once
// The directory an importer reads its files from, by file kind: the
// supplier's own path or the general source path, and for DATANORM 5
// suppliers with sub-directories the sub-directory of the kind.

#include <optional>
#include <string>

namespace dn {

struct Session;

// File kinds: 'a' articles, 'g' graphics, 'j' sets, 'p' price maintenance,
// 'r' discount groups, 't' free texts, 'w' product groups, 'x' number
// changes, ' ' no sub-directory. Returns a path ending in "/"; empty when
// the new-or-change question was left without an answer.
std::string SourceDirectory(Session& s, char fileKind);

// The dialog "Neuanlage oder Änderung?": "d5grund/" or "d5aend/".
std::string NewOrChangeSubdirectory(Session& s);

}  // namespace dn
