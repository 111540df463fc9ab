#pragma once
// Carrying article-number changes into the host: the old-to-new table, the
// lookup with its "*" rule, and the rewriting of every service and every
// offer and measurement document. Shared by the DATANORM 3, 4 and 5
// versions of command 62.

#include <map>
#include <string>

namespace dn {

struct Session;

// Old article key -> new article key (18 characters each), ordered by the
// old key.
using NumberChangeTable = std::map<std::string, std::string>;

// Adds a pair unless the old key is already there; false when it was.
bool addNumberChange(NumberChangeTable& table, const std::string& oldKey,
                     const std::string& newKey);

// The new key of a key, or empty for no change. An empty key maps to
// nothing; a key beginning with "*" is looked up without it (its next 17
// characters) and keeps its "*" in front of the new key.
std::string mapNumber(const NumberChangeTable& table, const std::string& key);

// Counts of what the change touched.
struct NumberChangeResult {
    int services = 0;   // services written back
    int documents = 0;  // documents rewritten
};

// Every service (in key order), then every "*.ang" of the offer directory
// and every "*.auf" of the measurement directory, until Escape on the
// status panel.
NumberChangeResult ApplyNumberChanges(Session& s, const NumberChangeTable& table);

}  // namespace dn
