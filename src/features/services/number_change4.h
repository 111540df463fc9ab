#pragma once
// Command 62 for DATANORM 4 and 3: the article-number changes of an article
// file (A records with processing flag "X") carried into every host
// service, offer and measurement.

#include <string>

#include "common/dispatch.h"
#include "features/services/number_change.h"

namespace dn {

struct Session;

CommandOutcome ChangeNumbersInServices4(Session& s);
CommandOutcome ChangeNumbersInServices3(Session& s);

// The pair of an A record with flag "X": old = `ArticlePrefix` + the article
// number, new = the first 15 characters of short text 1 (both trimmed), with
// `ArticlePrefix` in front unless the program's parameter is "ok".
struct NumberPair {
    std::string oldKey;
    std::string newKey;
};
NumberPair numberPairOf(const Session& s, const std::string& articleNumber,
                        const std::string& shortText1);

// The confirmation dialog `TAXLEISTUNG4`; false when cancelled.
bool ConfirmNumberChange(Session& s);

}  // namespace dn
