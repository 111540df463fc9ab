#pragma once
// The options of the DATANORM 4 article import: the dialog `TUEBERNEHMEN4`,
// the article-number range and the store batch size from "flag.dat".

#include <string>

#include "host/entry_form.h"

namespace dn {

struct Session;

struct ImportOptions4 {
    bool onlySelectedProductGroups = false;   // 100
    bool numberRange = false;                 // 101
    std::string fromNumber;                   // 102, prefixed after the dialog
    std::string toNumber;                     // 103, prefixed after the dialog
    bool onlySelectedDiscountGroups = false;  // 106
    bool keepAssemblyMinutes = false;         // 107
};

// "DATANORM-Datensätze übernehmen (DATANORM A,B,D,T,E,C,Z-Sätze)"; field 105
// is bound to `PrintProtocol`.
class TUEBERNEHMEN4 : public EntryForm {
  public:
    TUEBERNEHMEN4(Session& s, ImportOptions4& options);
};

// Runs the dialog with cleared options; false when it was cancelled. On OK
// the from/to numbers carry `ArticlePrefix` (cut to 18 characters).
bool AskImportOptions4(Session& s, ImportOptions4& options);

// `InNumberRange`: always true without option 101, else from <= key <= to
// (plain character comparison of the prefixed texts).
bool InNumberRange(const ImportOptions4& options, const std::string& key);

// `CommitBatchSize` from "flag.dat" in the host system directory: the last
// line beginning with "/tp=" (any case) gives the number in its characters
// 5-7; 100 when there is no such line or it holds no number. 0 switches
// transactions off.
int ReadCommitBatchSize(const Session& s);
// The same rule on the file's lines (for tests and other callers).
int CommitBatchSizeOf(const std::string& flagFileText);

}  // namespace dn
